#pragma once
// The skinned message box: a modal window built at each showing from a skinned label, an icon by
// message type, a row of skinned buttons and an optional "do not show again" check box, inside a
// form with its own skinned frame.
#include "skin/extra/dialogs/SkinFramedDialog.h"

namespace vd {

enum TskMsgDlgType { skmtWarning, skmtError, skmtInformation, skmtConfirmation, skmtCustom };
// Button kinds, bit i of a TskMsgDlgButtons set, laid out in this order.
enum TskMsgDlgBtn {
    skmbYes,
    skmbNo,
    skmbOK,
    skmbCancel,
    skmbAbort,
    skmbRetry,
    skmbIgnore,
    skmbAll,
    skmbNoToAll,
    skmbYesToAll,
    skmbHelp
};
using TskMsgDlgButtons = unsigned;
inline constexpr TskMsgDlgButtons SkBtn(TskMsgDlgBtn b) {
    return 1u << b;
}

// The caption of a message type and of a button kind: the skin's string table when CtrlSkin has
// one (a missing key gives an empty text), else the built-in texts.
String GetMessageCaption(int DlgType, const TskSkinData* CtrlSkin);
String GetMessageButtonCaption(int Kind, const TskSkinData* CtrlSkin);
int MessageButtonResult(int Kind);

class TskMessageForm : public TForm {
public:
    explicit TskMessageForm(TComponent* AOwner);
    TskSkinForm* Frame() const { return FFrame; }
    TskSkinStdLabel* MessageLabel = nullptr;
    TskSkinCheckRadioBox* CheckBox = nullptr;
    int HelpContext = 0;

private:
    TskSkinForm* FFrame;
};

class TskSkinMessage : public TskSkinDialogComponent {
public:
    explicit TskSkinMessage(TComponent* AOwner);

    bool ShowAgainFlag = false;
    // The check box starts checked when false; after the box closes it holds the negation of
    // the check box's state.
    bool ShowAgainFlagValue = false;
    String MessageLabelSkinDataName = "stdlabel";
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    void SetDefaultButtonFont(const TFont& f) { FButtonFont.Assign(f); }

    // Builds the box, shows it modally and frees it; the modal result (Yes 6, No 7, OK 1, ...).
    // The help kind is never shown and HelpCtx is kept on the box only.
    int ShowMessageDialog(const String& Msg, int DlgType, TskMsgDlgButtons Buttons, int HelpCtx);
    // The box as ShowMessageDialog builds it (tests measure it); the caller owns it.
    TskMessageForm* BuildSkinMessageForm(const String& Msg, int DlgType, TskMsgDlgButtons Buttons);

private:
    TFont FDefaultFont;
};

} // namespace vd
