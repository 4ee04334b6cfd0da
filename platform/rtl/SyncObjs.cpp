#include "platform/rtl/SyncObjs.h"

#include <chrono>

namespace vd {

void TEvent::SetEvent() {
    // Notified under the lock: a waiter may destroy the event as soon as it sees the signal.
    std::lock_guard<std::mutex> lock(FMutex);
    FSignaled = true;
    if (FManualReset)
        FCond.notify_all();
    else
        FCond.notify_one();
}

void TEvent::ResetEvent() {
    std::lock_guard<std::mutex> lock(FMutex);
    FSignaled = false;
}

TWaitResult TEvent::WaitFor(std::uint32_t timeout) {
    std::unique_lock<std::mutex> lock(FMutex);
    const auto ready = [this] { return FSignaled; };
    if (timeout == INFINITE) {
        FCond.wait(lock, ready);
    } else if (!FCond.wait_for(lock, std::chrono::milliseconds(timeout), ready)) {
        return TWaitResult::wrTimeout;
    }
    if (!FManualReset) FSignaled = false;
    return TWaitResult::wrSignaled;
}

} // namespace vd
