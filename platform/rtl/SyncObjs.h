#pragma once
// A lock and an event in the class library's shape, built on the standard primitives so that
// ThreadSanitizer understands them.
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace vd {

inline constexpr std::uint32_t INFINITE = 0xFFFFFFFFu;

// Re-entrant, like the system's critical section: the owner may enter again.
class TCriticalSection {
public:
    void Enter() { FMutex.lock(); }
    void Leave() { FMutex.unlock(); }
    void Acquire() { Enter(); }
    void Release() { Leave(); }
    bool TryEnter() { return FMutex.try_lock(); }
    // Lockable, so std::lock_guard / std::scoped_lock work too.
    void lock() { Enter(); }
    void unlock() { Leave(); }

private:
    std::recursive_mutex FMutex;
};

// Holds a TCriticalSection for one scope.
class TLockGuard {
public:
    explicit TLockGuard(TCriticalSection& cs) : FCs(cs) { FCs.Enter(); }
    ~TLockGuard() { FCs.Leave(); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;

private:
    TCriticalSection& FCs;
};

enum class TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// A manual-reset event stays set until ResetEvent; an auto-reset event lets one waiter through
// and resets itself.
class TEvent {
public:
    explicit TEvent(bool manualReset = true, bool initialState = false)
        : FManualReset(manualReset), FSignaled(initialState) {}
    void SetEvent();
    void ResetEvent();
    // Milliseconds, or INFINITE.
    TWaitResult WaitFor(std::uint32_t timeout = INFINITE);

private:
    std::mutex FMutex;
    std::condition_variable FCond;
    const bool FManualReset;
    bool FSignaled;
};

} // namespace vd
