#pragma once
// The small buttons drawn inside one control (arrow buttons, caption buttons): which one the
// pointer is over, which one is held, and the auto-repeat while it is held. A held button keeps
// the capture: the others stay cold until it goes up, and it shows hot only while the pointer
// is over it, its repeat pausing outside and resuming when the pointer comes back.
#include "platform/rtl/Types.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/SkinAutoRepeat.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vd {

class TskButtonTracker {
public:
    struct TButton {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };
    struct TEvents {
        std::function<void()> Repaint;
        // Whether a press of button I repeats; asked on each press. None: never.
        std::function<bool(int I)> Repeats;
        // A repeat tick while button I is held.
        std::function<void(int I)> Step;
        // Button I went up; Over: the pointer was still over it.
        std::function<void(int I, bool Over)> Released;
    };

    TskButtonTracker(int Count, TEvents Events, TskAutoRepeat::TArm Arm, std::function<void()> Disarm);
    // The repeat on a timer of Window's own, whose WM_TIMER the owner hands to Tick.
    TskButtonTracker(int Count, TEvents Events, TWinControl* Window, std::uintptr_t TimerId);

    int Count() const { return static_cast<int>(FButtons.size()); }
    TButton& operator[](int I) { return FButtons[static_cast<std::size_t>(I)]; }
    const TButton& operator[](int I) const { return FButtons[static_cast<std::size_t>(I)]; }
    int Active() const { return FActive; }
    int Pressed() const { return FPressed; }
    TskAutoRepeat& Repeat() { return FRepeat; }

    // The pointer moved to (X, Y); (-1, -1) for nowhere.
    void Track(int X, int Y);
    // A press at (X, Y): the button there goes down and takes the capture. False: none there.
    bool Press(int X, int Y);
    // The release: the held button goes up.
    void Release();
    // The pointer left the control: a held button pauses, every button is cold.
    void Leave();
    void Tick() { FRepeat.Tick(); }

private:
    void Enter(int I);
    void Exit(int I);
    void Down(int I);
    void Up(int I);

    std::vector<TButton> FButtons;
    TEvents FEvents;
    TskAutoRepeat FRepeat;
    int FActive = -1, FPressed = -1;
};

} // namespace vd
