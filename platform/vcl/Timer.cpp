#include "platform/vcl/Timer.h"

#include "platform/win/Windows.h"

namespace vd {

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    UpdateTimer();
}

TTimer::~TTimer() {
    if (FId) KillTimer(nullptr, FId);
}

void TTimer::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned v) {
    if (v == FInterval) return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    OnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (FId) KillTimer(nullptr, FId);
    FId = 0;
    if (!FEnabled || FInterval == 0) return;
    FId = SetTimer(nullptr, 0, FInterval, [this](HWND, UINT, std::uintptr_t, DWord) {
        // A copy: the handler may free this timer.
        TNotifyEvent handler = OnTimer;
        if (handler) handler(this);
    });
}

} // namespace vd
