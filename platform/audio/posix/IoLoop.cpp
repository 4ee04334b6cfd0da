#include "platform/audio/IoLoop.h"

#include "platform/audio/ThreadName.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vd::audio {
namespace {

constexpr std::uint64_t WakeTag = ~0ull;
constexpr int MaxEvents = 256;

std::uint32_t ToEpoll(std::uint32_t events) {
    std::uint32_t e = 0;
    if (events & kIoRead) e |= EPOLLIN;
    if (events & kIoWrite) e |= EPOLLOUT;
    if (events & kIoHangup) e |= EPOLLRDHUP;
    if (events & kIoEdge) e |= EPOLLET;
    return e;
}

std::uint32_t FromEpoll(std::uint32_t e) {
    std::uint32_t events = 0;
    if (e & EPOLLIN) events |= kIoRead;
    if (e & EPOLLOUT) events |= kIoWrite;
    if (e & (EPOLLRDHUP | EPOLLHUP)) events |= kIoHangup;
    if (e & EPOLLERR) events |= kIoError;
    return events;
}

} // namespace

TIoLoop::TIoLoop(const char* threadName) {
    FEpoll = ::epoll_create1(EPOLL_CLOEXEC);
    FEvent = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    epoll_event ev{};
    // Edge-triggered: every write to the eventfd reports once, so it never needs reading
    // (a system call less per wake-up; the counter would take centuries to fill).
    ev.events = EPOLLIN | EPOLLET;
    ev.data.u64 = WakeTag;
    ::epoll_ctl(FEpoll, EPOLL_CTL_ADD, FEvent, &ev);
    std::string name = threadName;
    FThread = std::thread([this, name] {
        SetThreadName(name.c_str());
        Run();
    });
}

TIoLoop::~TIoLoop() {
    FQuit.store(true, std::memory_order_release);
    FWakePending.store(false, std::memory_order_release);
    Wake();
    FThread.join();
    ::close(FEvent);
    ::close(FEpoll);
}

TIoLoop& TIoLoop::Shared() {
    static TIoLoop* loop = new TIoLoop("vd-io");
    return *loop;
}

void TIoLoop::Wake() {
    // One pending wake is enough: the loop looks at everything once it runs.
    if (FWakePending.exchange(true, std::memory_order_acq_rel)) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(FEvent, &one, sizeof one);
}

void TIoLoop::Post(std::function<void()> task) {
    {
        std::lock_guard lock(FPostLock);
        FPosted.push_back(std::move(task));
    }
    Wake();
}

void TIoLoop::Call(const std::function<void()>& task) {
    if (InLoop()) {
        task();
        return;
    }
    std::mutex lock;
    std::condition_variable cond;
    bool done = false;
    Post([&] {
        task();
        std::lock_guard g(lock);
        done = true;
        cond.notify_all();
    });
    std::unique_lock g(lock);
    cond.wait(g, [&] { return done; });
}

bool TIoLoop::Watch(int fd, std::uint32_t events, TIoHandler* handler) {
    if (fd < 0) return false;
    if (static_cast<std::size_t>(fd) >= FSlots.size()) FSlots.resize(static_cast<std::size_t>(fd) + 64);
    TSlot& slot = FSlots[static_cast<std::size_t>(fd)];
    slot.Handler = handler;
    slot.Generation = ++FGeneration;
    epoll_event ev{};
    ev.events = ToEpoll(events);
    ev.data.u64 = static_cast<std::uint64_t>(slot.Generation) << 32 | static_cast<std::uint32_t>(fd);
    if (::epoll_ctl(FEpoll, EPOLL_CTL_ADD, fd, &ev) == 0) return true;
    slot.Handler = nullptr;
    return false;
}

void TIoLoop::Modify(int fd, std::uint32_t events) {
    if (fd < 0 || static_cast<std::size_t>(fd) >= FSlots.size()) return;
    epoll_event ev{};
    ev.events = ToEpoll(events);
    ev.data.u64 = static_cast<std::uint64_t>(FSlots[static_cast<std::size_t>(fd)].Generation) << 32 |
                  static_cast<std::uint32_t>(fd);
    ::epoll_ctl(FEpoll, EPOLL_CTL_MOD, fd, &ev);
}

void TIoLoop::Unwatch(int fd) {
    if (fd < 0 || static_cast<std::size_t>(fd) >= FSlots.size()) return;
    // Events of this batch still to come for it no longer match the slot's generation.
    FSlots[static_cast<std::size_t>(fd)] = TSlot{nullptr, ++FGeneration};
    ::epoll_ctl(FEpoll, EPOLL_CTL_DEL, fd, nullptr);
}

void TIoLoop::AddWakeHandler(TIoHandler* handler) {
    FWakeHandlers.push_back(handler);
}

void TIoLoop::RemoveWakeHandler(TIoHandler* handler) {
    // A hole, not an erase: the wake round may be walking the list right now.
    for (auto& h : FWakeHandlers)
        if (h == handler) {
            h = nullptr;
            FWakeHandlersHoles = true;
        }
}

void TIoLoop::SetTimer(TIoHandler* handler, TClock::time_point due) {
    CancelTimer(handler);
    handler->FTimerAt = FTimers.emplace(due, handler);
    handler->FTimerArmed = true;
}

void TIoLoop::CancelTimer(TIoHandler* handler) {
    if (!handler->FTimerArmed) return;
    FTimers.erase(handler->FTimerAt);
    handler->FTimerArmed = false;
}

void TIoLoop::RunPosted() {
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard lock(FPostLock);
        tasks.swap(FPosted);
    }
    for (auto& t : tasks)
        t();
}

void TIoLoop::RunTimers() {
    const auto now = TClock::now();
    while (!FTimers.empty() && FTimers.begin()->first <= now) {
        TIoHandler* h = FTimers.begin()->second;
        FTimers.erase(FTimers.begin());
        h->FTimerArmed = false;
        h->OnTimer();
    }
}

void TIoLoop::Run() {
    epoll_event events[MaxEvents];
    while (!FQuit.load(std::memory_order_acquire)) {
        int timeout = -1;
        if (!FTimers.empty()) {
            const auto left = FTimers.begin()->first - TClock::now();
            // Rounded up: a timer is never fired early, so the loop does not spin for it.
            timeout = static_cast<int>(std::clamp<std::int64_t>(
                std::chrono::ceil<std::chrono::milliseconds>(left).count(), 0, 60000));
        }
        const int n = ::epoll_wait(FEpoll, events, MaxEvents, timeout);
        if (n < 0 && errno != EINTR) break;
        FRounds.fetch_add(1, std::memory_order_relaxed);
        bool woken = false;
        for (int i = 0; i < n; ++i) {
            const std::uint64_t tag = events[i].data.u64;
            if (tag == WakeTag) {
                // Cleared before the round: a wake that comes during it runs another one.
                FWakePending.store(false, std::memory_order_release);
                woken = true;
                continue;
            }
            const auto fd = static_cast<std::uint32_t>(tag);
            const auto generation = static_cast<std::uint32_t>(tag >> 32);
            if (fd >= FSlots.size()) continue;
            const TSlot slot = FSlots[fd];
            if (!slot.Handler || slot.Generation != generation) continue; // unwatched meanwhile
            slot.Handler->OnIo(static_cast<int>(fd), FromEpoll(events[i].events));
        }
        if (woken) {
            FWakes.fetch_add(1, std::memory_order_relaxed);
            RunPosted();
            for (std::size_t i = 0; i < FWakeHandlers.size(); ++i)
                if (TIoHandler* h = FWakeHandlers[i]) h->OnWake();
            if (FWakeHandlersHoles) {
                std::erase(FWakeHandlers, nullptr);
                FWakeHandlersHoles = false;
            }
        }
        RunTimers();
    }
}

} // namespace vd::audio
