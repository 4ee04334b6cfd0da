#pragma once
// One thread that waits on many descriptors at once (epoll) and serves them without blocking:
// every encoder's stdin and stdout pipes, the casts' sockets and the own-port server's
// listeners. A slow descriptor only waits for its own readiness, never delays another.
//
// Handlers are called on the loop thread only; watches, timers and wake handlers are added and
// removed there too (other threads use Post or Call). Wake is cheap and coalesced: a producer
// (the capture thread, a sink's Deliver) puts its data where the handler finds it, then wakes
// the loop once, and every wake handler looks for its own work.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace vd::audio {

constexpr std::uint32_t kIoRead = 1;
constexpr std::uint32_t kIoWrite = 2;
constexpr std::uint32_t kIoHangup = 4; // the peer closed (or half-closed) its end
constexpr std::uint32_t kIoError = 8;
constexpr std::uint32_t kIoEdge = 0x10; // report readiness once per change, not while it lasts

class TIoLoop;

class TIoHandler {
public:
    using TClock = std::chrono::steady_clock;
    virtual ~TIoHandler() = default;
    virtual void OnIo(int /*fd*/, std::uint32_t /*events*/) {}
    virtual void OnWake() {}
    virtual void OnTimer() {}

private:
    friend class TIoLoop;
    bool FTimerArmed = false;
    std::multimap<TClock::time_point, TIoHandler*>::iterator FTimerAt;
};

class TIoLoop {
public:
    using TClock = std::chrono::steady_clock;

    explicit TIoLoop(const char* threadName);
    ~TIoLoop(); // every handler must be gone
    TIoLoop(const TIoLoop&) = delete;
    TIoLoop& operator=(const TIoLoop&) = delete;

    // The engine's loop, for encoders, casts and the own-port server. Never destroyed: handlers
    // that static destructors end still find it.
    static TIoLoop& Shared();

    // Any thread.
    void Wake();
    void Post(std::function<void()> task);
    // Runs task on the loop and returns once it ran; on the loop thread it runs at once.
    void Call(const std::function<void()>& task);
    bool InLoop() const { return std::this_thread::get_id() == FThread.get_id(); }
    // Wake-ups taken and rounds (returns from the wait) so far, for tests and benchmarks.
    std::uint64_t Wakes() const { return FWakes.load(std::memory_order_relaxed); }
    std::uint64_t Rounds() const { return FRounds.load(std::memory_order_relaxed); }

    // Loop thread only. Watch returns false when the descriptor cannot be watched.
    bool Watch(int fd, std::uint32_t events, TIoHandler* handler);
    void Modify(int fd, std::uint32_t events);
    void Unwatch(int fd);
    void AddWakeHandler(TIoHandler* handler);
    void RemoveWakeHandler(TIoHandler* handler);
    // One timer per handler: a later SetTimer replaces the earlier one.
    void SetTimer(TIoHandler* handler, TClock::time_point due);
    void CancelTimer(TIoHandler* handler);

private:
    struct TSlot {
        TIoHandler* Handler = nullptr;
        std::uint32_t Generation = 0;
    };
    void Run();
    void RunPosted();
    void RunTimers();

    int FEpoll = -1;
    int FEvent = -1; // eventfd behind Wake
    std::atomic<bool> FWakePending{false};
    std::atomic<bool> FQuit{false};
    std::atomic<std::uint64_t> FWakes{0};
    std::atomic<std::uint64_t> FRounds{0};

    std::mutex FPostLock;
    std::vector<std::function<void()>> FPosted;

    // Loop thread only.
    std::vector<TSlot> FSlots; // by descriptor
    std::uint32_t FGeneration = 0;
    std::vector<TIoHandler*> FWakeHandlers;
    bool FWakeHandlersHoles = false;
    std::multimap<TClock::time_point, TIoHandler*> FTimers;

    std::thread FThread;
};

} // namespace vd::audio
