#pragma once
// A clock that moves only when told to, for tests of deadlines; safe to read from any thread.
#include "app/core/Engine.h"

#include <atomic>

namespace vd {

class TManualClock final : public TClockSource {
public:
    explicit TManualClock(std::uint64_t start = 0) : FNow(start) {}
    std::uint64_t Milliseconds() const override { return FNow.load(); }
    void Set(std::uint64_t now) { FNow.store(now); }
    void Advance(std::uint64_t ms) { FNow.fetch_add(ms); }

private:
    std::atomic<std::uint64_t> FNow;
};

} // namespace vd
