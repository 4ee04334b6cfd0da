#include "skin/extra/dialogs/SkinMessage.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Screen.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>

namespace vd {

namespace {
struct KindInfo {
    const char* Name;
    const char* Key;
    const char* Text;
    int Result;
};
const KindInfo kKinds[] = {{"Yes", "MSG_BTN_YES", "&Yes", mrYes},
                           {"No", "MSG_BTN_NO", "&No", mrNo},
                           {"OK", "MSG_BTN_OK", "OK", mrOk},
                           {"Cancel", "MSG_BTN_CANCEL", "Cancel", mrCancel},
                           {"Abort", "MSG_BTN_ABORT", "&Abort", mrAbort},
                           {"Retry", "MSG_BTN_RETRY", "&Retry", mrRetry},
                           {"Ignore", "MSG_BTN_IGNORE", "&Ignore", mrIgnore},
                           {"All", "MSG_BTN_ALL", "&All", mrAll},
                           {"NoToAll", "MSG_BTN_NOTOALL", "N&oToAll", mrNoToAll},
                           {"YesToAll", "MSG_BTN_YESTOALL", "&YesToAll", mrYesToAll},
                           {"Help", "MSG_BTN_HELP", "&Help", 0}};
constexpr int kKindCount = 11;

struct TypeInfo {
    const char* Key;
    const char* Text;
    int Icon;
};
const TypeInfo kTypes[] = {{"MSG_CAP_WARNING", "Warning", IDI_EXCLAMATION},
                           {"MSG_CAP_ERROR", "Error", IDI_HAND},
                           {"MSG_CAP_INFORMATION", "Information", IDI_ASTERISK},
                           {"MSG_CAP_CONFIRM", "Confirm", IDI_QUESTION}};

const TskResourceStrData* Table(const TskSkinData* skin) {
    return skin ? skin->ResourceStrData() : nullptr;
}

// The width of the show-again text in the font the box draws it with: the skin's font name and
// height when the box has a record and uses the skin font, else its default font.
int ShowAgainTextWidth(TskSkinCheckRadioBox& box, const String& text) {
    TBitmap measure(1, 1);
    TFont& font = measure.Canvas().Font();
    font.Assign(box.DefaultFont());
    const auto* record = box.Skinned() && box.UseSkinFont() && box.SkinData()
                             ? dynamic_cast<const TskDataSkinCheckRadioControl*>(
                                   box.SkinData()->ControlRecord(box.SkinIndex()))
                             : nullptr;
    if (record) {
        font.SetName(record->fontname);
        font.SetHeight(record->fontheight);
    }
    return measure.Canvas().TextWidth(text);
}

} // namespace

String GetMessageCaption(int DlgType, const TskSkinData* CtrlSkin) {
    if (DlgType < 0 || DlgType > 3) return Application ? Application->Title() : String();
    if (const TskResourceStrData* t = Table(CtrlSkin)) return t->LookupResString(kTypes[DlgType].Key);
    return kTypes[DlgType].Text;
}

String GetMessageButtonCaption(int Kind, const TskSkinData* CtrlSkin) {
    if (Kind < 0 || Kind >= kKindCount) return String();
    if (const TskResourceStrData* t = Table(CtrlSkin)) return t->LookupResString(kKinds[Kind].Key);
    return kKinds[Kind].Text;
}

int MessageButtonResult(int Kind) {
    return Kind >= 0 && Kind < kKindCount ? kKinds[Kind].Result : 0;
}

TskMessageForm::TskMessageForm(TComponent* AOwner) : TForm(AOwner) {
    SetPosition(poScreenCenter);
    SetBorderStyle(bsDialog);
    SetKeyPreview(true);
    FFrame = new TskSkinForm(this);
    FFrame->SetBorderIcons(0);
}

TskSkinMessage::TskSkinMessage(TComponent* AOwner) : TskSkinDialogComponent(AOwner) {
    SetDefaultFace(FDefaultFont);
}

TskMessageForm* TskSkinMessage::BuildSkinMessageForm(const String& Msg, int DlgType,
                                                     TskMsgDlgButtons Buttons) {
    auto* f = new TskMessageForm(Application);
    try {
        TskSkinForm* frame = f->Frame();
        SkinFrame(frame);
        // The frame's borders decide the client area: sizes are set on the framed window.
        f->HandleNeeded();

        int buttonHeight = 25;
        if (FCtrlSkinData && !FCtrlSkinData->Empty()) {
            const int i = FCtrlSkinData->IndexOfControlRecord(ButtonSkinDataName);
            if (auto* rec = dynamic_cast<TskDataSkinButtonControl*>(FCtrlSkinData->ControlRecord(i)))
                if (rec->skinrect.Height() > 0) buttonHeight = rec->skinrect.Height();
        }
        // The help kind is never shown; the row counts the others only.
        std::vector<int> kinds;
        for (int k = 0; k < kKindCount; ++k)
            if (k != skmbHelp && (Buttons & (1u << k))) kinds.push_back(k);
        const int n = static_cast<int>(kinds.size());
        const int rowWidth = n > 0 ? n * 70 + (n - 1) * 10 : 0;

        f->SetLeft(Screen->Width() / 2 - f->Width() / 2);
        f->SetTop(Screen->Height() / 2 - f->Height() / 2);
        f->SetCaption(DlgType == skmtCustom ? (Application ? Application->Title() : String())
                                            : GetMessageCaption(DlgType, FCtrlSkinData));

        auto* label = new TskSkinStdLabel(f);
        label->SetName("Message");
        label->SetParent(f);
        label->Font().Assign(FDefaultFont);
        label->SetDefaultFont(FDefaultFont);
        label->UseSkinFont = UseSkinFont;
        label->SkinDataName = MessageLabelSkinDataName;
        label->SetSkinData(FCtrlSkinData);
        label->SetAutoSize(true);
        label->SetCaption(Msg);
        label->SetLeft(50);
        label->SetTop(15);
        f->MessageLabel = label;
        const int labelRight = label->Left() + label->Width();

        if (DlgType >= 0 && DlgType <= 3) {
            auto* image = new TImage(f);
            image->SetName("Image");
            image->SetParent(f);
            image->SetIcon(LoadIcon(nullptr, kTypes[DlgType].Icon));
            const int t = std::max(10, label->Top() + label->Height() / 2 - 16);
            image->SetBounds(5, t, 32, 32);
        }

        f->SetClientHeight(buttonHeight + label->Height() + 50);
        f->SetClientWidth(rowWidth < labelRight ? labelRight + 40 : rowWidth + 40);

        if (ShowAgainFlag) {
            f->SetClientHeight(f->ClientHeight() + 40);
            auto* box = new TskSkinCheckRadioBox(f);
            box->SetName("checkbox");
            box->SetDefaultHeight(30);
            box->SetChecked(!ShowAgainFlagValue);
            box->SetParent(f);
            box->SetDefaultFont(FDefaultFont);
            box->SetUseSkinFont(UseSkinFont);
            box->SetSkinData(FCtrlSkinData);
            String text;
            if (const TskResourceStrData* t = Table(FCtrlSkinData))
                text = t->LookupResString("MSG_CAP_SHOWFLAG");
            if (text.empty()) text = "Do not display this message again";
            box->SetCaption(text);
            const int top = f->ClientHeight() - buttonHeight - 50;
            const int w = ShowAgainTextWidth(*box, text) + 30;
            if (f->ClientWidth() < w + 30) f->SetClientWidth(w + 30);
            box->SetBounds(5, top, w + 25, box->DefaultHeight());
            f->CheckBox = box;
        }

        const int maxW = frame->GetMaxWidth();
        if (maxW > 0 && maxW < f->Width())
            f->SetWidth(maxW);
        else if (f->Width() < frame->GetMinWidth())
            f->SetWidth(frame->GetMinWidth());

        const int defKind = (Buttons & SkBtn(skmbOK))    ? skmbOK
                            : (Buttons & SkBtn(skmbYes)) ? skmbYes
                                                         : skmbRetry;
        const int cancelKind = (Buttons & SkBtn(skmbCancel)) ? skmbCancel
                               : (Buttons & SkBtn(skmbNo))   ? skmbNo
                                                             : skmbOK;
        int x = (f->ClientWidth() - rowWidth) / 2;
        for (int k : kinds) {
            auto* b = new TskSkinButton(f);
            b->SetName(kKinds[k].Name);
            b->SetCanFocused(true);
            b->SetCaption(GetMessageButtonCaption(k, FCtrlSkinData));
            b->ModalResult = kKinds[k].Result;
            b->SetDefault(k == defKind);
            b->Cancel = k == cancelKind;
            b->SetDefaultHeight(buttonHeight);
            b->SetParent(f);
            b->SetBounds(x, f->ClientHeight() - buttonHeight - 10, 70, buttonHeight);
            b->SetDefaultFont(FButtonFont);
            b->SetUseSkinFont(UseSkinFont);
            b->SetSkinDataName(ButtonSkinDataName);
            b->SetSkinData(FCtrlSkinData);
            x += 80;
        }
    } catch (...) {
        f->Free();
        throw;
    }
    return f;
}

int TskSkinMessage::ShowMessageDialog(const String& Msg, int DlgType, TskMsgDlgButtons Buttons, int HelpCtx) {
    TskMessageForm* f = BuildSkinMessageForm(Msg, DlgType, Buttons);
    f->HelpContext = HelpCtx;
    int result = mrNone;
    try {
        result = f->ShowModal();
    } catch (...) {
        if (f->CheckBox) ShowAgainFlagValue = !f->CheckBox->Checked();
        f->Free();
        throw;
    }
    if (f->CheckBox) ShowAgainFlagValue = !f->CheckBox->Checked();
    f->Free();
    return result;
}

} // namespace vd
