#include "app/ui/console/SleepAndPump.h"

#include "platform/rtl/Thread.h"
#include "platform/vcl/Application.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace vd {

void SleepAndPump(int milliseconds) {
    using Clock = std::chrono::steady_clock;
    // Messages are looked at every few milliseconds, so a dialog shown meanwhile keeps painting.
    constexpr auto Step = std::chrono::milliseconds(5);
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    for (;;) {
        TThread::CheckSynchronize();
        if (Application) Application->ProcessMessages();
        const auto now = Clock::now();
        if (now >= deadline) return;
        std::this_thread::sleep_for(std::min<Clock::duration>(Step, deadline - now));
    }
}

} // namespace vd
