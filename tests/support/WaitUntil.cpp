#include "tests/support/WaitUntil.h"

#include <chrono>
#include <thread>

namespace vd::test {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, const std::function<void()>& between) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        if (between)
            between();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace vd::test
