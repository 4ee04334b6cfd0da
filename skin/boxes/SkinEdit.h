#pragma once
// The edits of the skinned controls. TskCustomEdit is the borderless edit that every skinned
// text field puts inside its frame: it can paint its host's picture behind the text, has a
// read-only mode of its own, hands Enter and Esc to its form as dialog keys, reports cancel-mode
// requests to its host and shows a skinned context menu. TskSkinNumEdit adds the spin edit's key
// filter; TskSkinCustomEdit (TskSkinEdit) frames the edit from the skin in its non-client area,
// with an optional button at its right end.
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

#include <functional>

namespace vd {

// Makes the edits' context menu object (tests put their own here); by default the skinned popup
// menu, which opens through the form frame's menu engine.
using TskEditMenuFactory = std::function<TPopupMenu*(TComponent* Owner)>;
void SetEditMenuFactory(TskEditMenuFactory Factory);
// Shows an edit's context menu at a screen point on behalf of Control. By default a menu that is
// a TskSkinPopupMenu opens there through PopupFromRect; a plain menu is not shown.
using TskEditMenuPopup = std::function<void(TPopupMenu* Menu, TControl* Control, TPoint Screen)>;
void SetEditMenuPopup(TskEditMenuPopup Popup);

class TskCustomEdit : public TCustomMaskEdit {
public:
    explicit TskCustomEdit(TComponent* AOwner);
    ~TskCustomEdit() override;

    // The edit refuses changes by the user; the window's own read-only flag follows, so no
    // path of the window (paste keys included) can change the text either.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool EditTransparent() const { return FEditTransparent; }
    void SetEditTransparent(bool Value);
    bool LeftButtonDown() const { return FLeftButtonDown; }
    // The context menu of the latest right click, or null.
    TPopupMenu* SkinContextMenu() const { return FSkinContextMenu; }
    void CreateSkinContextMenu();

    // Fired after CM_CANCELMODE with the sender the message carries.
    std::function<void(TObject* Sender)> OnCancelMode;

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Owned components go before the destructor runs: the menu is freed first.
    void Destroying() override;
    bool FEditTransparent = false;
    bool FLeftButtonDown = false;
    TPopupMenu* FSkinContextMenu = nullptr;

private:
    void FreeContextMenu();
    void ContextMenu(TMessage& Message);
};

class TskSkinNumEdit : public TskCustomEdit {
public:
    explicit TskSkinNumEdit(TComponent* AOwner);
    TNotifyEvent OnUpKey, OnDownKey;
    bool EditorEnabled = true;
    bool Float = false;
    // The key filter: digits, "-", the decimal separator in float mode and control characters
    // other than Enter; with the editor off only control characters other than backspace.
    bool IsValidChar(char32_t C);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
};

class TskSkinCustomEdit : public TskCustomEdit {
public:
    explicit TskSkinCustomEdit(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSkinData; }
    virtual void SetSkinData(TskSkinData* Value);
    const String& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const String& Value) { FSkinDataName = Value; }
    virtual void ChangeSkinData();
    void GetSkinData();
    bool Skinned() const { return FSkinIndex != -1; }

    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool Value);

    TNotifyEvent OnButtonClick;

    // Window coordinates of the text area and the button at the present size.
    void CalcRects();
    const TRect& TextArea() const { return FTextArea; }
    const TRect& ButtonArea() const { return FButtonArea; }
    bool ButtonIsDown() const { return FButtonDown; }
    bool ButtonActive() const { return FButtonActive; }
    bool MouseIn() const { return FMouseIn; }
    int CalcEditHeight();
    void AdjustEditHeight() { SetHeight(CalcEditHeight()); }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate() override;
    void Dispatch(TMessage& Message) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    void RedrawFrame();
    void PaintFrame(HDC DC);
    void PaintTextBackground(HDC DC);
    void PaintDisabledText(HDC DC);
    void UpdateFontColor(bool Hot);

    TComponentLink<TskSkinData> FSkinData{this};
    String FSkinDataName = "edit";
    int FSkinIndex = -1;
    const class TskBitmap* FPicture = nullptr;
    TColor FDefaultColor = clWindow;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0, FDefaultHeight = 0;
    bool FButtonMode = false, FButtonDown = false, FButtonActive = false, FMouseIn = false;
    TRect FTextArea, FButtonArea;

public:
    // The record's values.
    int LeftOffset = 0, RightOffset = 0;
    TRect clientrect, skinrect, activeskinrect, buttonrect, activebuttonrect, downbuttonrect,
        unenabledbuttonrect;
    TPoint lefttoppoint, righttoppoint;
    String fontname = "Arial";
    TFontStyles fontstyle = 0;
    int fontheight = 14;
    TColor fontcolor = 0, disabledfontcolor = 0, activefontcolor = 0;
    bool stretcheffect = false;
};

class TskSkinEdit : public TskSkinCustomEdit {
public:
    explicit TskSkinEdit(TComponent* AOwner) : TskSkinCustomEdit(AOwner) {}
};

} // namespace vd
