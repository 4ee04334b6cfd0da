#pragma once
// The list view fitted to a skinned window like the tree view: no border, no native bars, colour
// and font from the skin's "listview" record, two external skinned bars kept in step in every view
// style. It also paints the report view's column header, each section from a button record of the
// skin ("resizebutton" by default), or plain when the skin has no such record with a picture.
#include "platform/win/Windows.h"
#include "skin/controls/SkinViewBase.h"
#include "skin/core/SkinCompose.h"

namespace vd {

class TskSkinCustomListView : public TskSkinViewBase<TCustomListView, TskDataSkinListView> {
public:
    explicit TskSkinCustomListView(TComponent* AOwner);
    ~TskSkinCustomListView() override;
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    String HeaderSkinDataName = "resizebutton";

    void ChangeSkinData() override;
    void UpdateScrollBars() override;

    // The hooked header window (null when none), the section under the left button (-1 when
    // none) and whether the header draws from the skin.
    HWND HookedHeader() const { return FHookedHeader; }
    int PressedSection() const { return FMouseDown ? FPressedSection : -1; }
    bool HeaderSkinned();
    // The rectangle of the section shown at display position Index, in header coordinates.
    TRect SectionRect(int Index);

    void WndProc(TMessage& Message) override;

protected:
    void BarChange(bool Vertical) override;

private:
    struct HeaderSkin {
        bool Skinned = false; // a button record with a picture
        const TskBitmap* Picture = nullptr;
        TRect skinrect, downskinrect, clientrect;
        TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
        TskStretchFlags Stretch;
        bool stretcheffect = false;
        TColor fontcolor = 0, downfontcolor = 0;
    };

    void UpdateIconBars(bool& Changed);
    void UpdateListBars(bool& Changed);
    void UpdateReportBars(bool& Changed);
    int Item0Height();
    int Item0Width();

    void HookHeader(HWND Header);
    void UnhookHeader();
    LRESULT HeaderWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    HeaderSkin ReadHeaderSkin();
    void PaintHeader(HDC DC);
    void DrawSection(TCanvas& Canvas, const HeaderSkin& Skin, int Column, const TRect& R, bool Pressed);
    void DrawHeaderRest(TCanvas& Canvas, const HeaderSkin& Skin, const TRect& R);

    bool FScrolling = false;
    int FLastVPos = 0, FLastHPos = 0;

    HWND FHookedHeader = nullptr;
    WNDPROC FHeaderPrevProc;
    WNDPROC FHeaderProc;
    int FPressedSection = -1;
    bool FMouseDown = false;
};

class TskSkinListView : public TskSkinCustomListView {
public:
    explicit TskSkinListView(TComponent* AOwner) : TskSkinCustomListView(AOwner) {}
};

} // namespace vd
