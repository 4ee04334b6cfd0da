#pragma once
// The auto-repeat of a held button. The owner keeps the timer (a window timer of its own, or a
// TTimer for a control without a window) and hands its ticks to Tick; Arm and Disarm start it
// with an interval and stop it. Start on the press, Pause when the pointer leaves the held
// button, Resume when it comes back, Stop on the release.
#include "platform/vcl/Forward.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace vd {

class TskAutoRepeat {
public:
    struct TTiming {
        unsigned FirstDelay = 500; // from the press to the first tick
        unsigned Interval = 100;   // between the ticks after the first
        unsigned Resume = 50;      // from coming back over the held button to the next tick
        // Whether the first tick steps too; if not, it only switches to Interval.
        bool FirstTickSteps = false;
    };
    using TArm = std::function<void(unsigned Ms)>;

    TskAutoRepeat(std::function<void()> Step, TArm Arm, std::function<void()> Disarm);
    // Over a TTimer of its own, made on Arm and freed on Disarm.
    explicit TskAutoRepeat(std::function<void()> Step);
    // Over the timer TimerId of Window's own, whose WM_TIMER the owner hands to Tick.
    TskAutoRepeat(std::function<void()> Step, TWinControl* Window, std::uintptr_t TimerId);
    ~TskAutoRepeat();
    TskAutoRepeat(const TskAutoRepeat&) = delete;
    TskAutoRepeat& operator=(const TskAutoRepeat&) = delete;

    TTiming Timing;

    // Between Start and Stop, paused or not.
    bool Running() const { return FRunning; }
    void Start();
    void Pause();
    void Resume();
    void Stop();
    void Tick();

private:
    std::function<void()> FStep;
    TArm FArm;
    std::function<void()> FDisarm;
    std::unique_ptr<TTimer> FTimer;
    bool FRunning = false;
    bool FFirstTick = false;
};

} // namespace vd
