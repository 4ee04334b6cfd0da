#pragma once
// A strip of tabs on a multiple-document main form, one per child window. The main form's frame
// adds and removes the tabs and marks the active one; the user shows a child by clicking its tab
// and reorders tabs by dragging.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Font.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/SkinControl.h"
#include "skin/store/SkinBitmap.h"

#include <functional>
#include <memory>
#include <vector>

namespace vd {

class TskSkinForm;
class TskSkinMDITabsBar;

enum TskSkinMDITabKind { sktkTab, sktkButton };

class TskMDITab {
public:
    TskMDITab(TskSkinMDITabsBar* owner, TCustomForm* child) : OwnerTabsBar(owner), ChildForm(child) {}
    TskSkinMDITabsBar* OwnerTabsBar;
    bool IsActiveChild = false;
    bool MouseOver = false;
    TRect TabRect{0, 0, 0, 0};
    TCustomForm* ChildForm;
};

using TskMDITabMouseEnterEvent = std::function<void(TskMDITab* MDITab)>;
using TskMDITabMouseLeaveEvent = std::function<void(TskMDITab* MDITab)>;
using TskMDITabMouseDownEvent =
    std::function<void(TMouseButton Button, TShiftState Shift, TskMDITab* MDITab)>;
using TskMDITabMouseUpEvent = TskMDITabMouseDownEvent;

class TskSkinMDITabsBar : public TskSkinControl {
public:
    explicit TskSkinMDITabsBar(TComponent* AOwner);
    ~TskSkinMDITabsBar() override;

    // Called by the main form's frame.
    void AddTab(TCustomForm* Child);
    void DeleteTab(TCustomForm* Child);
    void UpdateActiveTab();
    // Redraws the child's tab (its caption changed).
    void DrawMDITab(TCustomForm* Child);
    // The index of the child's tab, or -1.
    int TabIndexOf(const TCustomForm* Child) const;

    TskSkinMDITabKind TabKind() const { return FTabKind; }
    void SetTabKind(TskSkinMDITabKind Value);
    TskSkinForm* SkinForm() const { return FSkinForm; }
    void SetSkinForm(TskSkinForm* Value);
    bool SupportChildMenus = true;
    bool UseSkinSize = true;
    bool UseSkinFont = true;
    bool MoveTabs = true;
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    int DefaultTabWidth = 100;

    TskMDITabMouseEnterEvent OnTabMouseEnter;
    TskMDITabMouseLeaveEvent OnTabMouseLeave;
    TskMDITabMouseDownEvent OnTabMouseDown;
    TskMDITabMouseUpEvent OnTabMouseUp;

    int TabCount() const { return static_cast<int>(FTabs.size()); }
    TskMDITab* Tab(int Index) const { return FTabs[static_cast<size_t>(Index)].get(); }
    int HotTab() const { return FHotTab; }
    bool Dragging() const { return FDragging; }
    // The tab rectangles as the next drawing lays them out.
    void CalcTabRects();
    // The index of the tab under (X, Y), edges included, or -1.
    int TabAtPos(int X, int Y) const;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void WndProc(TMessage& Message) override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void DrawTab(TCanvas& Canvas, TskMDITab& Tab);
    bool DrawButtonTab(TCanvas& c, const TskMDITab& Tab, bool hot, TRect& text);
    void DrawTabs(TCanvas& Canvas);
    void DrawDropMarker(TCanvas& Canvas, int X);
    int DropTarget() const;
    void TrackTab(int X, int Y);
    void RedrawTab(TskMDITab& Tab);

    std::vector<std::unique_ptr<TskMDITab>> FTabs;
    TskSkinMDITabKind FTabKind = sktkTab;
    TComponentLink<TskSkinForm> FSkinForm{this};
    int FDefaultHeight = 21;
    TFont FDefaultFont;
    int FHotTab = -1, FLastHotTab = -1;
    int FDragIndex = -1, FDragStartX = 0, FDragOffset = 0;
    bool FTabPressed = false, FDragging = false;

    // Copied from the "tab" record; Picture is null without a usable one.
    const TskBitmap* FPicture = nullptr;
    TRect FTabRect, FActiveTabRect, FMouseInTabRect, FTabsBGRect;
    int FTabLeftOffset = 0, FTabRightOffset = 0;
    String FFontName = "Arial";
    int FFontHeight = 14;
    TskFontStyles FFontStyle = 0;
    TskColor FFontColor = 0, FFocusFontColor = 0, FMouseInFontColor = 0;
    bool FTabStretchEffect = false;
};

} // namespace vd
