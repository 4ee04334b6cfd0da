#include "skin/controls/SkinAutoRepeat.h"

#include "platform/vcl/Timer.h"
#include "platform/vcl/WinControl.h"

namespace vd {

TskAutoRepeat::TskAutoRepeat(std::function<void()> Step, TArm Arm, std::function<void()> Disarm)
    : FStep(std::move(Step)), FArm(std::move(Arm)), FDisarm(std::move(Disarm)) {}

TskAutoRepeat::TskAutoRepeat(std::function<void()> Step) : FStep(std::move(Step)) {
    FArm = [this](unsigned Ms) {
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetInterval(Ms);
        FTimer->SetOnTimer([this](TObject*) { Tick(); });
    };
    FDisarm = [this] { FTimer.reset(); };
}

TskAutoRepeat::TskAutoRepeat(std::function<void()> Step, TWinControl* Window, std::uintptr_t TimerId)
    : TskAutoRepeat(
          std::move(Step),
          [Window, TimerId](unsigned Ms) {
              KillTimer(Window->Handle(), TimerId);
              SetTimer(Window->Handle(), TimerId, Ms);
          },
          [Window, TimerId] {
              if (Window->HandleAllocated()) KillTimer(Window->WindowHandle(), TimerId);
          }) {}

TskAutoRepeat::~TskAutoRepeat() = default;

void TskAutoRepeat::Start() {
    FRunning = true;
    FFirstTick = true;
    FArm(Timing.FirstDelay);
}

void TskAutoRepeat::Pause() {
    if (FRunning) FDisarm();
}

void TskAutoRepeat::Resume() {
    if (FRunning) FArm(Timing.Resume);
}

void TskAutoRepeat::Stop() {
    if (!FRunning) return;
    FRunning = false;
    FFirstTick = false;
    FDisarm();
}

void TskAutoRepeat::Tick() {
    if (!FRunning) return;
    if (FFirstTick) {
        FFirstTick = false;
        if (!Timing.FirstTickSteps) {
            FArm(Timing.Interval);
            return;
        }
    }
    // Last: the step may free the owner.
    FStep();
}

} // namespace vd
