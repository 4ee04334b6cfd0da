#pragma once
// TskFrameObjects: the live caption objects of a frame (buttons, animations, the caption strip,
// user areas) and their interaction: which one is hot or pressed, the mouse capture a pressed
// button holds, the timers that track the pointer and run morphs and animations, and where each
// object goes in the caption for the current size.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/win/Messages.h"
#include "skin/form/frame/SkinFormObjects.h"

#include <memory>
#include <vector>

namespace vd {

class TskSkinForm;

class TskFrameObjects {
public:
    using TObjectList = std::vector<std::unique_ptr<TskActiveSkinObject>>;

    explicit TskFrameObjects(TskSkinForm& Frame);
    ~TskFrameObjects();
    TskFrameObjects(const TskFrameObjects&) = delete;
    TskFrameObjects& operator=(const TskFrameObjects&) = delete;

    const TObjectList& Objects() const { return FObjects; }
    TskActiveSkinObject* HotObject() const { return ObjectAt(FHotIndex); }
    int HotIndex() const { return FHotIndex; }
    int PressedIndex() const { return FPressedIndex; }
    TskActiveSkinObject* FindObject(const String& IDName) const;
    // No object hot or pressed any more.
    void ResetTracking() { FHotIndex = FPrevHotIndex = FPressedIndex = -1; }
    // A child maximized: the button under the pointer went with its frame.
    void ClearHot() { FHotIndex = -1; }
    void Clear();

    // The skin's objects, or the default buttons without a skin; then the border icons and hints.
    void CreateFromSkin();
    void CreateDefaultButtons();
    void ApplyBorderIcons();
    void UpdateHints();
    void Layout();
    void LayoutDefaultButtons();
    TRect DefaultCaptionRect() const;
    // Over the caption strip and over no enabled button.
    bool OverCaption(TPoint p) const;
    // Draws the visible objects above (Top) or below the client area, moved up by Dy.
    void DrawOn(HDC dc, int Dy, bool Top) const;

    void Track(int X, int Y, bool Allow);
    void ResetStates();
    void SetActiveState(bool Animate);
    // The frame's mouse messages: non-client ones reach the objects, a release ends a press.
    void RouteMouse(TMessage& Message);
    // The system-menu button's rectangle in the frame; false without an enabled one.
    bool SysMenuButtonRect(TRect& R) const;
    // A menu opened from an object closed: the object shows released again.
    void MenuClosed();

    void CreateTimers();
    bool TrackTimerRunning() const;
    void EnableTrackTimer(bool On);
    void StartMorphTimer();
    void StartAnimationTimer();
    void StopTimers();
    void TrackTimerTick();
    void MorphTimerTick();
    void AnimationTimerTick();

private:
    TCustomForm* Form() const;
    TskActiveSkinObject* ObjectAt(int Index) const;
    std::vector<TskActiveSkinObject*> ButtonRow(TskActiveSkinObject*& SysMenu) const;
    void ReleasePressed(TPoint p, TMouseButton Button);
    void NcLButtonDown(TPoint p, int ht);
    void NcLButtonDblClk(TPoint p, int ht);
    void NcRButtonDown(TPoint p, int ht, bool Popup);
    void HideHint();

    TskSkinForm& FFrame;
    TObjectList FObjects;
    int FHotIndex = -1, FPrevHotIndex = -1, FPressedIndex = -1;
    TComponentLink<TTimer> FTrackTimer;
    TComponentLink<TTimer> FMorphTimer;
    TComponentLink<TTimer> FAnimationTimer;
};

} // namespace vd
