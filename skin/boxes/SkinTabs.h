#pragma once
// The skinned page control with its tab sheets and the skinned tab control: the class library's
// tab controls painted from the skin's "tab" record (frame, tab strip, each tab in its normal,
// active, focused and hot look, turned for bottom, left and right tabs) with a skinned up-down
// as the tab scroller. Both share TskSkinTabsBase; tabs are counted among visible tabs
// throughout, so a hidden page never shifts a caption or a hot look onto another tab.
#include "platform/vcl/ComCtrls/PageControl.h"
#include "platform/vcl/ComCtrls/TabControl.h"
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"

#include <functional>

namespace vd {

class TskSkinUpDown;

using TskDrawSkinTabEvent =
    std::function<void(int TabIndex, const TRect& Rct, bool Active, bool MouseIn, TCanvas* Cnvs)>;

// The tab record's values.
struct TskTabSkin {
    int Index = -1;
    const TskBitmap* Picture = nullptr;
    const TskBitmap* Background = nullptr; // the bgpictureindex picture, or null
    TRect skinrect, clientrect, tabrect, activetabrect, focustabrect, mouseintabrect, tabsbgrect;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    int tableftoffset = 0, tabrightoffset = 0, focusoffsetx = 0, focusoffsety = 0;
    String fontname = "Arial", updown;
    TFontStyles fontstyle = 0;
    int fontheight = 14;
    TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;
    bool tabstretcheffect = false, showfocus = false;
    bool leftstretch = false, topstretch = false, rightstretch = false, bottomstretch = false;

    void Load(const TskSkinData* skin, const String& name);
    bool Skinned() const { return Index != -1; }
    int RightInset() const { return skinrect.Width() - clientrect.Right; }
    int BottomInset() const { return skinrect.Height() - clientrect.Bottom; }
    // The client piece of the picture (clientrect moved by skinrect's top-left).
    TRect ClientPiece() const;
};

// Tiles Background, or else the skin's client piece, or else fills clBtnFace, over W x H of DC.
void PaintTabBackground(HDC DC, int W, int H, const TskTabSkin& Skin, const TBitmap* Wallpaper);

template <class Base> class TskSkinTabsBase : public Base {
public:
    explicit TskSkinTabsBase(TComponent* AOwner);
    ~TskSkinTabsBase() override;

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    const String& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const String& Value) { FSkinDataName = Value; }
    void GetSkinData();
    virtual void ChangeSkinData();
    const TskTabSkin& TabSkin() const { return FSkin; }

    bool TabsBGTransparent() const { return FTabsBGTransparent; }
    void SetTabsBGTransparent(bool Value);
    TFont& DefaultFont() { return FDefaultFont; }
    bool UseSkinFont = true;
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    // The tab height asked for (0: the skin's or DefaultItemHeight).
    int ItemHeightWanted = 0;
    TskDrawSkinTabEvent OnDrawSkinTab;

    TskSkinUpDown* TabScroller() const { return FScroller; }
    int HiddenTabCount();
    int FirstVisibleTab();
    void UpdateTabScroller();
    int HotTab() const { return FHotTab; }

    TRect DisplayRect() override;
    // The first tab of a single row starts one pixel in, clear of the frame's corner.
    TRect GetTabRect(int I) {
        TRect r = this->TabRect(I);
        if (I == 0 && !this->MultiLine()) r.Left += 1;
        return r;
    }
    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void PaintWindow(std::uintptr_t DC) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Change() override;
    virtual TSize ScrollerSize() { return {2 * FDefaultItemHeight, FDefaultItemHeight}; }
    virtual bool BackgroundInsets() const { return true; }
    virtual void PaintClientArea(TCanvas& Canvas, const TRect& Display) {
        (void)Canvas;
        (void)Display;
    }
    virtual int TabImage(int Tab) { return this->GetImageIndex(Tab); }
    virtual bool TabEnabled(int Tab) {
        (void)Tab;
        return true;
    }
    void ApplyItemHeight();
    void TestHotTab(int X, int Y);
    void RedrawHotTabs(int Old, int New);
    void DrawTab(TCanvas& Canvas, int Tab, TRect R, bool MouseIn, bool Active);
    void PaintTabs(TCanvas& Canvas);
    void PaintSkinFrame(TCanvas& Canvas);
    TRect FrameRect();
    bool HasFocus() const;
    // In a member, so that TabHeight can apply the height asked for.
    static const TPropertyTable<TskSkinTabsBase>& Properties();

    TComponentLink<TskSkinData> FSkinData{this};
    String FSkinDataName = "tab";
    TskTabSkin FSkin;
    bool FTabsBGTransparent = false;
    TFont FDefaultFont;
    int FDefaultItemHeight = 20;
    TskSkinUpDown* FScroller = nullptr;
    int FHotTab = -1, FOldHotTab = -1;
};

class TskSkinPageControl;

class TskSkinCustomTabSheet : public TTabSheet {
public:
    explicit TskSkinCustomTabSheet(TComponent* AOwner);
    TBitmap& WallPaper() { return FWallPaper; }
    void PaintBackground(HDC DC);
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void PaintWindow(std::uintptr_t DC) override;

private:
    TBitmap FWallPaper;
};

class TskSkinTabSheet : public TskSkinCustomTabSheet {
public:
    explicit TskSkinTabSheet(TComponent* AOwner) : TskSkinCustomTabSheet(AOwner) {}
};

class TskSkinPageControl : public TskSkinTabsBase<TPageControl> {
public:
    explicit TskSkinPageControl(TComponent* AOwner) : TskSkinTabsBase<TPageControl>(AOwner) {}
    void ChangeSkinData() override;
    void Dispatch(TMessage& Message) override;

protected:
    int TabImage(int Tab) override;
    bool TabEnabled(int Tab) override;
    // The new page shows through at once.
    void Change() override;
};

class TskSkinTabControl : public TskSkinTabsBase<TTabControl> {
public:
    explicit TskSkinTabControl(TComponent* AOwner) : TskSkinTabsBase<TTabControl>(AOwner) {}
    void PaintBackground(HDC DC);
    void ChangeSkinData() override;

protected:
    TSize ScrollerSize() override { return {36, 18}; }
    bool BackgroundInsets() const override { return FSkin.Background == nullptr; }
    void PaintClientArea(TCanvas& Canvas, const TRect& Display) override;
};

} // namespace vd
