#pragma once
// TskSkinPopupWindow: one level of the skinned menu engine. A top-most pop-up that never takes
// the focus, holding one TskSkinMenuItem per visible child of a menu item. It sizes and places
// itself against the engine's work area, scrolls when it does not fit, polls the cursor instead
// of capturing the mouse, and takes the keys the frame forwards.
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"
#include "skin/core/SkinCompose.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinBitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vd {

class TskSkinMenu;
class TskSkinMenuItem;

// Where a level of size W x H opens at the anchor R inside the work area A (4.110's rules).
struct TskMenuPlacement {
    TRect Anchor;
    TRect WorkArea;
    int Width = 0, Height = 0;
    int ItemsTop = 0;        // the fitted items rectangle's top
    bool FullHeight = false; // scrolling because the work area is too low
    bool SubLevel = false;
    bool Above = false;
};
TPoint CalcMenuShowPosition(const TskMenuPlacement& P);

class TskSkinPopupWindow : public TCustomControl {
public:
    explicit TskSkinPopupWindow(TskSkinMenu* Menu);

    void ShowLevel(const TRect& R, TMenuItem* Item, int StartIndex, bool SubLevel, bool Above);
    void ShowMergedLevel(const TRect& R, TMenuItem* First, TMenuItem* Second, int StartIndex, bool Above);
    void ProcessKey(int Key);
    void TrackMouse(int X, int Y);
    void LayoutItems();
    void ScrollUp(bool Wrap);
    void ScrollDown(bool Wrap);
    bool CanScroll(int Direction) const;
    void SelectNextItem();
    void SelectPrevItem();
    // Closes the levels above this one and clears the Down flag of its items.
    void CollapseSubLevels();
    // Paints the whole level (background, shown items, marker bands) onto DC.
    void PaintLevel(HDC DC);
    void RedrawItem(TskSkinMenuItem* Item);
    // Stops the timers and hides the window; the engine frees it later.
    void Retire();

    TskSkinMenu* Menu() const { return FMenu; }
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    TskSkinMenuItem* Item(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
    int IndexOfItem(const TskSkinMenuItem* Item) const;
    int HotIndex() const { return FHotIndex; }
    void SetHotIndex(int Index) { FHotIndex = Index; }
    int FirstShown() const { return FFirstShown; }
    int ShownCount() const { return FShownCount; }
    bool Scrolling() const { return FScrolling; }
    bool LimitedByCount() const { return FLimitedByCount; }
    int ScrollDirection() const { return FScrollDirection; }
    bool Skinned() const { return FSkin != nullptr; }
    TskSkinData* Skin() const { return FSkin; }
    const TskDataSkinMenuItem* ItemRecord() const { return FItemRecord; }
    const TRect& FittedItemsRect() const { return FFittedItemsRect; }
    TPoint ShowPos() const { return FShowPos; }
    int GlyphColumnWidth() const { return FGlyphColumnWidth; }
    TComponent* Images() const { return FImages; }
    TTimer* EffectTimer() const { return FEffectTimer; }
    TTimer* PollTimer() const { return FPollTimer; }
    bool Merged() const { return FMerged; }
    // The item font of this level (the record's with the engine's UseSkinFont, else the
    // engine's default) or always the default, on a canvas.
    void SelectItemFont(TCanvas& C) const;
    void SelectDefaultFont(TCanvas& C) const;
    // A menu item of this level is going away.
    void ForgetMenuItem(const TMenuItem* Item);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    static constexpr std::uintptr_t ScrollTimerId = 1;
    static constexpr int MarkerBand = 10; // height of a scroll-marker band

    void SelectItem(int Step);
    void BuildItems(const std::vector<TMenuItem*>& Children, TComponent* Images);
    void SizeLevel();
    int ItemHeight(const TskSkinMenuItem& Item) const;
    int ItemTextWidth(TCanvas& C, const TskSkinMenuItem& Item) const;
    int LevelWidth() const;
    int LevelHeight();
    void FitToSize();
    void SetLevelRegion();
    void Place(const TRect& R, bool SubLevel, bool Above);
    void EnterFirstItem();
    void PollTimerTick();
    void FadeTimerTick();
    void EffectTimerTick();
    void StartScrollTimer();
    void StopScroll();
    void ScrollTimerTick();
    int LastPageStart() const;
    bool SelectByAccel(int Key);
    void ClickHot();
    void DrawBackground(TskBitmap& B) const;
    void DrawMarkers(HDC DC) const;
    TRect UpBand() const;
    TRect DownBand() const;

    TskSkinMenu* FMenu;
    const TskDataSkinMenuItem* FItemRecord = nullptr;
    int FShownCount = 0, FFirstShown = 0;
    bool FScrolling = false, FLimitedByCount = false, FMerged = false;
    int FScrollDirection = 0;
    TskSkinCorners FFitted;
    TRect FFittedItemsRect;
    TPoint FShowPos;
    TPoint FLastMousePos{-1, -1};
    TComponentLink<TComponent> FImages{this};
    int FGlyphColumnWidth = 19;
    const TskBitmap* FLevelPicture = nullptr;
    const TskBitmap* FLevelMask = nullptr;
    int FPrevHotIndex = -1, FHotIndex = -1;
    TTimer* FPollTimer = nullptr;
    TTimer* FEffectTimer = nullptr;
    TTimer* FFadeTimer = nullptr; // the first level's fade-in, 10 alpha steps
    int FAlpha = 0;
    bool FScrollTimerOn = false;
    TskSkinData* FSkin = nullptr;
    const TskDataSkinPopupWindow* FWindowRecord = nullptr;
    std::vector<std::unique_ptr<TskSkinMenuItem>> FItems;
};

} // namespace vd
