#pragma once
// A one-shot event with a deadline wait, for the cleanup of encoder threads.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vd::audio {

class TSignal {
public:
    void Set() {
        std::lock_guard lock(FLock);
        FSet = true;
        FCond.notify_all();
    }
    bool WaitFor(unsigned ms) {
        std::unique_lock lock(FLock);
        return FCond.wait_for(lock, std::chrono::milliseconds(ms), [this] { return FSet; });
    }
    bool IsSet() {
        std::lock_guard lock(FLock);
        return FSet;
    }

private:
    std::mutex FLock;
    std::condition_variable FCond;
    bool FSet = false;
};

} // namespace vd::audio
