#pragma once
// A skinned box with small buttons of its own inside (the arrows of the up-down and the spin edit,
// the list caption's buttons): a button tracker on the window timer 1 that follows the pointer,
// the press, the release and the timer's ticks. The derived box passes every message on through
// Dispatch, and the pointer through MouseDown, MouseMove and MouseUp.
#include "platform/win/Windows.h"
#include "skin/controls/SkinButtonTracker.h"
#include "skin/controls/SkinCustomControl.h"

namespace vd {

template <class Base> class TskButtonBox : public Base {
public:
    using Button = TskButtonTracker::TButton;

    void Dispatch(TMessage& Message) override {
        Base::Dispatch(Message);
        switch (Message.Msg) {
        case WM_TIMER:
            FButtons.Tick();
            break;
        case CM_MOUSEENTER:
            if (ButtonsLive()) FButtons.Track(-1, -1);
            break;
        case CM_MOUSELEAVE:
            // Leaving the box also leaves a held button: its repeat pauses.
            FButtons.Leave();
            break;
        default:
            break;
        }
    }

protected:
    static constexpr std::uintptr_t kButtonTimer = 1;

    TskButtonBox(TComponent* AOwner, int Count, TskButtonTracker::TEvents Events)
        : Base(AOwner), FButtons(Count, std::move(Events), this, kButtonTimer) {}

    // Whether the buttons answer the pointer now; a release and leaving the box always reach them.
    virtual bool ButtonsLive() const { return true; }
    // For the derived destructor, before the window goes.
    void KillButtonTimer() {
        if (this->HandleAllocated()) KillTimer(this->WindowHandle(), kButtonTimer);
    }

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        if (ButtonsLive()) FButtons.Press(X, Y);
        Base::MouseDown(Button, Shift, X, Y);
    }
    void MouseMove(TShiftState Shift, int X, int Y) override {
        Base::MouseMove(Shift, X, Y);
        if (ButtonsLive()) FButtons.Track(X, Y);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        FButtons.Release();
        Base::MouseUp(Button, Shift, X, Y);
    }

    TskButtonTracker FButtons;
};

} // namespace vd
