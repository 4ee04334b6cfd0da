#pragma once
// The skinned combo box: a closed box that shows the selected item (or an inner edit) and a
// button, and a drop-down list in a non-activating pop-up window below or above it. The combo
// keeps the focus while the list is open and drives the list's selection itself.
#include "skin/boxes/SkinEditBox.h"
#include "skin/boxes/SkinListBox.h"

namespace vd {

enum TskSkinCustomComboBoxStyle { skcbEditStyle, skcbFixedStyle };

class TskSkinCustomComboBox;

// The drop-down list: a skinned list box in a pop-up window that never takes the focus.
class TskPopupListBox : public TskSkinListBox {
public:
    explicit TskPopupListBox(TskSkinCustomComboBox* AOwner);
    ~TskPopupListBox() override;
    void Hide();
    void Show(TPoint P);
    // The window's present constant alpha (255 without a layered window).
    int CurrentAlpha() const { return FCurrentAlpha; }
    bool AlphaApplied() const { return FAlphaApplied; }
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TskSkinCustomComboBox* FCombo;
    bool FAlphaApplied = false;
    int FCurrentAlpha = 0;
    int FFadeAlpha = 0;
};

class TskSkinCustomComboBox : public TskSkinEditBox {
public:
    explicit TskSkinCustomComboBox(TComponent* AOwner);
    ~TskSkinCustomComboBox() override;

    TskPopupListBox* ListBox() const { return FListBox; }
    TskCustomEdit* Edit() const { return FEdit; }
    TStrings& Items() { return FListBox->Items(); }
    void SetItems(const TStrings& Value) { FListBox->Items().Assign(Value); }
    int ItemIndex() const { return FListBox->ItemIndex(); }
    // Selects the item and shows its text; OnClick, then Change. No OnChange: that is for the user's
    // own changes.
    void SetItemIndex(int Value);
    bool DroppedDown() const { return FListBox->Visible(); }
    virtual void DropDown();
    void CloseUp(bool Accept);

    TskSkinCustomComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TskSkinCustomComboBoxStyle Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) {
        if (Value >= 1) FDropDownCount = Value;
    }
    int ListBoxWidth = 0;
    bool AutoComplete = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 0;
    bool HideSelection = true;
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    void SetDefaultColor(TColor Value);
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FListBox->ImageIndex(); }
    void SetImageIndex(int Value);
    int RememberedIndex() const { return FRememberedIndex; }

    TNotifyEvent OnChange, OnCloseUp, OnDropDown;
    TskDrawSkinItemEvent OnComboBoxDrawItem;
    void SetOnListBoxDrawItem(TskDrawSkinItemEvent Value) { FListBox->OnDrawItem = std::move(Value); }

    const TRect& ItemRect() const { return FItemRect; }
    const TRect& ButtonRect() const { return FButtonRect; }
    void CalcRects();
    TColor DisabledFontColor();

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void ChangeSkinData() override;
    void DefaultFontChanged() override;
    void CalcSize(int& W, int& H) override;
    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    virtual void EditWindowProc(TMessage& Message);
    virtual void Change() {}
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;

private:
    friend class TskPopupListBox;
    void CreateEdit();
    void FreeEdit();
    void EditKeyUp(TMessage& Message);
    void EditChange();
    void ListWindowProc(TMessage& Message);
    void ListMouseMove(int X, int Y);
    void TrackCapturedMouse();
    void StartScrollTimer();
    void StopScrollTimer();
    void ItemUp(bool Events);
    void ItemDown(bool Events);
    void SelectListIndex(int Index, bool Events);
    void SelectItem(int Value, bool ByUser);
    void SelectPrior(bool Update);
    void SelectNext(bool Update);
    void TypeAhead(char32_t C);
    void DoAutoComplete();
    void ApplyEditFont();
    bool OwnSender(TObject* Sender) const;
    TskCustomEdit* InnerEdit() const override { return FEdit; }
    bool Hot() const override;
    int ShownIndex() const;
    void DrawButton(TCanvas& Canvas);
    void DrawResizedButton(TCanvas& Canvas);
    void DrawItemContents(TCanvas& Canvas, int Index, TRect TextRect, int W, int H, bool Focused,
                          bool Skinned);
    void DrawDefaultItem(TCanvas& Canvas);
    void DrawSkinItem(TCanvas& Canvas, bool Resized);

    TskPopupListBox* FListBox = nullptr;
    TskCustomEdit* FEdit = nullptr;
    TWndMethod FOldListProc, FOldEditProc;
    TskSkinCustomComboBoxStyle FStyle = skcbFixedStyle;
    TEditCharCase FCharCase = ecNormal;
    bool FTracking = false, FPressed = false, FMouseIn = false, FButtonHot = false, FButtonPressed = false;
    bool FEditChange = false;
    bool FQuietText = false;
    int FScrollDirection = 0;
    DWord FLastKeyTime = 0;
    String FPrefix;
    int FRememberedIndex = -1;
    int FDropDownCount = 8;
    TRect FItemRect, FButtonRect;

public:
    TRect itemrect, focusitemrect, activeitemrect, itemtextrect, buttonrect, activebuttonrect, downbuttonrect,
        unenabledbuttonrect;
    TColor activefontcolor = 0, fontcolor = 0, focusfontcolor = 0;
    String fontname = "Arial", listboxname;
    TFontStyles fontstyle = 0;
    int fontheight = 14, itemleftoffset = 0, itemrightoffset = 0;
    bool itemstretcheffect = false, focusitemstretcheffect = false, showfocus = false;
};

class TskSkinComboBox : public TskSkinCustomComboBox {
public:
    explicit TskSkinComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {}
};

} // namespace vd
