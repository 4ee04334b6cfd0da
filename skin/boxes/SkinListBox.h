#pragma once
// The skinned list box: a frame from the skin's "listbox" record, an optional caption bar with up,
// down and check buttons, an inner owner-drawn list (TskListBox) and up to two skinned scroll bars
// that mirror the inner list's scroll state. Descendants (the drop-down list, the check list)
// override the inner list's hooks and the item painter.
#include "platform/rtl/StringList.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/StdCtrls/ListBox.h"
#include "skin/boxes/SkinButtonBox.h"
#include "skin/controls/Forward.h"
#include "skin/controls/SkinButtonPictures.h"
#include "skin/controls/SkinCustomControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace vd {

class TskSkinCustomListBox;

// Owner-draw event of skinned lists and combo boxes, raised for each item drawn into an
// off-screen bitmap of the item's size.
using TskDrawSkinItemEvent = std::function<void(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight,
                                                TRect& TxtRect, TOwnerDrawState State)>;

// The published properties every skinned list reads; the plain list box adds its own.
const TPropertyTable<TskSkinCustomListBox>& CustomListBoxProperties();

// Tab stops of item texts: the first ten entries, an entry of digits its value, anything else 0.
std::vector<int> ParseTabWidths(const TStrings& TabWidths);

// The inner list: no border, no visible system bars; paints its background and items through its
// owner and forwards its input to the owner's hooks.
class TskListBox : public TListBox {
public:
    explicit TskListBox(TComponent* AOwner);

    int HorizontalOffset = 0;
    TskSkinCustomListBox* OwnerList = nullptr;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void PaintBackground(HDC DC);
    // odSelected for ItemIndex (plus odFocused with the focus) or a selected item of a multiple
    // selection.
    TOwnerDrawState ItemDrawState(int Index) const;
    void DoClick() { Click(); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void PaintWindow(std::uintptr_t DC) override;
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    void Click() override;
};

class TskSkinCustomListBox : public TskButtonBox<TskSkinCustomControl> {
public:
    using TInnerListFactory = std::function<TskListBox*(TskSkinCustomListBox* Owner)>;
    explicit TskSkinCustomListBox(TComponent* AOwner) : TskSkinCustomListBox(AOwner, nullptr) {}
    ~TskSkinCustomListBox() override;

    TskListBox* ListBox() const { return FListBox; }
    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }

    TStrings& Items() { return FListBox->Items(); }
    void SetItems(const TStrings& Value);
    int ItemIndex() const { return FListBox->ItemIndex(); }
    void SetItemIndex(int Value) { FListBox->SetItemIndex(Value); }
    int TopIndex() const { return FListBox->TopIndex(); }
    void SetTopIndex(int Value);
    int ItemAtPos(TPoint P, bool Existing) const { return FListBox->ItemAtPos(P, Existing); }
    bool Selected(int Index) const { return FListBox->Selected(Index); }
    void Clear();
    bool MultiSelect() const { return FListBox->MultiSelect(); }
    void SetMultiSelect(bool Value) { FListBox->SetMultiSelect(Value); }
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool Value);
    int Columns() const { return FListBox->Columns(); }
    void SetColumns(int Value);

    TStringList& TabWidths() { return FTabWidths; }
    void SetTabWidths(const TStrings& Value);
    bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
    void SetUseSkinItemHeight(bool Value) { FUseSkinItemHeight = Value; }
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    TFont& DefaultCaptionFont() { return FDefaultCaptionFont; }
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBitmap& Glyph() { return FGlyph; }
    int NumGlyphs = 1;
    int Spacing = 2;

    TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick;
    TNotifyEvent OnListBoxClick, OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown, OnListBoxMouseUp;
    TMouseMoveEvent OnListBoxMouseMove;
    TKeyEvent OnListBoxKeyDown, OnListBoxKeyUp;
    TKeyPressEvent OnListBoxKeyPress;
    TskDrawSkinItemEvent OnDrawItem;

    // The inner list's hooks.
    virtual int GetItemTextWidth(int Index, TCanvas& Canvas);
    virtual void ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseMove(TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(Word& Key, TShiftState Shift);
    virtual void ListBoxKeyUp(Word& Key, TShiftState Shift);
    virtual void ListBoxKeyPress(TKeyChar& Key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    virtual void ListBoxWndProcFilter(TMessage& Message, bool& Pass) {
        (void)Message;
        Pass = true;
    }
    virtual void ListBoxCreateWnd() {}

    // One item of the inner list into Canvas at R (the painter every look goes through).
    virtual void DrawListItem(TCanvas& Canvas, int Index, TOwnerDrawState State, const TRect& R);
    // The list background for Area of the inner list (clWindow, or the skin's client piece tiled).
    void PaintListBackground(TCanvas& Canvas, const TRect& Area);

    void UpdateScrollBars();
    void AdjustListRect();
    int RowCountHeight(int N);
    const TRect& ListRect() const { return FListRect; }

    using CaptionButton = TskButtonTracker::TButton;
    const CaptionButton& CaptionButtons(int I) const { return FButtons[I]; }

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void ChangeSkinData() override;
    void DefaultFontChanged() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    // Descendants give the inner list of their own kind.
    TskSkinCustomListBox(TComponent* AOwner, const TInnerListFactory& MakeInner);
    // The skin values shared by the item painters.
    bool ItemSkinned() const { return FSkinIndex != -1 && FFace.SkinBitmap; }
    void SetItemFont(TCanvas& Canvas, TColor Color);
    void DrawItemContents(TCanvas& Canvas, int Index, TRect TextRect, TOwnerDrawState State, int W, int H,
                          bool SkinFocus);
    void DrawItemText(TCanvas& Canvas, int Index, const TRect& TextRect, int Offset);
    int ItemImageOffset(TCanvas& Canvas, int Index, const TRect& TextRect);
    void ShowVScrollBar();
    void ShowHScrollBar();
    void HideVScrollBar();
    void HideHScrollBar();
    void SkinScrollBarNames();
    void CalcCaptionButtons(bool Skinned);
    void DrawCaption(TCanvas& Canvas, const TRect& R, bool Skinned);
    void DrawCaptionButton(TCanvas& Canvas, int I);
    // Only a caption has buttons; a skin without up and down pieces has none to point at.
    bool ButtonsLive() const override;
    const TNotifyEvent& CaptionButtonEvent(int I) const;
    void CaptionButtonUp(int I, bool Over);
    void CaptionButtonStep(int I);
    virtual void CaptionButtonAction(int I);

    TskListBox* FListBox = nullptr;
    TskSkinScrollBar* FVScrollBar = nullptr;
    TskSkinScrollBar* FHScrollBar = nullptr;
    TStringList FTabWidths;
    bool FUseSkinItemHeight = true;
    bool FHorizontalExtent = false;
    bool FInChangeSkinData = false;
    int FRowCount = 0;
    TComponentLink<TCustomImageList> FImages{this};
    int FImageIndex = -1;
    int FDefaultItemHeight = 20;
    int FDefaultCaptionHeight = 20;
    TFont FDefaultCaptionFont;
    TBitmap FGlyph;
    bool FCaptionMode = false;
    TAlignment FAlignment = taLeftJustify;
    TRect FScaledClientRect, FListRect, FScaledCaptionRect;

public:
    // The record's values.
    String fontname = "Arial";
    TFontStyles fontstyle = 0;
    int fontheight = 14;
    TRect itemrect, activeitemrect, focusitemrect, itemtextrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
    TRect captionrect;
    String captionfontname = "Arial";
    TFontStyles captionfontstyle = 0;
    int captionfontheight = 14;
    TColor captionfontcolor = 0;
    std::array<TskButtonPictures, 3> buttonpictures; // up, down, check
    String vscrollbarname = "vscrollbar", hscrollbarname = "hscrollbar",
           bothhscrollbarname = "bothhscrollbar";
    bool showfocus = false;
};

class TskSkinListBox : public TskSkinCustomListBox {
public:
    explicit TskSkinListBox(TComponent* AOwner) : TskSkinCustomListBox(AOwner) {}
    bool SetProperty(const String& name, const TPropValue& value) override;
};

} // namespace vd
