#pragma once
// TskFrameStates: the frame's own window states. It keeps whether the window is normal,
// minimized to a strip, maximized or rolled up, the bounds to restore, the first placement in
// the monitor, the magnetic edges and the size-move loop, and makes the moves each change needs.
#include "skin/form/frame/SkinForm.h"

namespace vd {

class TskFrameStates {
public:
    explicit TskFrameStates(TskSkinForm& Frame) : FFrame(Frame) {}
    TskFrameStates(const TskFrameStates&) = delete;
    TskFrameStates& operator=(const TskFrameStates&) = delete;

    int WindowState() const { return FWindowState; }
    void SetWindowState(int State);
    bool RolledUp() const { return FRolledUp; }
    void RollUp(bool Value);
    // The system menu's Restore: unrolls, or restores the window state.
    void Restore();
    void CaptionDblClick();
    TRect RestoreRect() const { return FRestoreRect; }
    // A child's window went: it no longer counts as maximized.
    void ChildDestroyed() { FWindowState = skwsNormal; }

    TPoint MinimizedPosition() const;
    void PositionInMonitorNow();
    // The first show places the window in its monitor when asked to.
    void Shown();
    // Two size changes that end where they began, so that the frame lays itself out again.
    void NudgeSize();

    // The size-move loop: the magnetic edges hold while it lasts.
    void EnterSizeMove();
    bool InSizeMove() const { return FInSizeMove; }
    bool FullDrag() const { return FFullDrag; }
    // A press that ends a size-move loop goes no further; true when it did end one.
    bool EndSizeMoveOnPress();
    void Unstick() { FStuckLeft = FStuckTop = FStuckRight = FStuckBottom = false; }
    void Moving(TMessage& Message);
    void SnapToEdges(int& X, int& Y, int Height, int Width);

private:
    TCustomForm* Form() const;
    void DoMinimize();
    void DoMaximize();
    void DoRestore();
    void ShowMaximizedStyle();

    TskSkinForm& FFrame;
    int FWindowState = skwsNormal;
    bool FRolledUp = false;
    bool FRolledUpWhenMaximized = false; // rolled up while maximized
    bool FRollUpBeforeMaximize = false;  // rolled up when the form was maximized
    int FHeightBeforeRollUp = 0;
    TRect FRestoreRect;
    bool FNotPositioned = true;
    bool FInSizeMove = false;
    bool FFullDrag = false;
    bool FStuckLeft = false, FStuckTop = false, FStuckRight = false, FStuckBottom = false;
    TPoint FSnapCursor;
};

} // namespace vd
