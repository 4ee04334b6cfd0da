// Sending, posting and retrieving messages; timers; the order in which a message loop sees
// work: sent from other threads, posted, input, paint, timers.
#include "platform/win/core/WinCore.h"

#include <algorithm>
#include <atomic>
#include <map>

namespace vd {
namespace wincore {

LRESULT SendInternal(Window& w, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRef keep = Lookup(w.Handle());
    if (!keep) return 0;
    return CallProc(w, msg, wParam, lParam);
}

void ProcessSent(ThreadQueue& q) {
    for (;;) {
        SentItem* item = nullptr;
        {
            std::lock_guard<std::mutex> guard(q.lock);
            if (q.sent.empty()) return;
            item = q.sent.front();
            q.sent.pop_front();
        }
        LRESULT r = 0;
        if (WindowRef w = Lookup(item->hwnd)) r = CallProc(*w, item->msg, item->wParam, item->lParam);
        std::lock_guard<std::mutex> guard(q.lock);
        item->result = r;
        item->done = true;
        q.cv.notify_all();
    }
}

void RemoveTimersOf(ThreadQueue& q, HWND hwnd) {
    auto& t = q.timers;
    t.erase(std::remove_if(t.begin(), t.end(), [hwnd](const Timer& x) { return x.hwnd == hwnd; }), t.end());
}

namespace {

void Wait(ThreadQueue& q, int timeoutMs) {
    if (q.usesBackend) {
        CurrentBackend().WaitForInput(timeoutMs);
        return;
    }
    std::unique_lock<std::mutex> guard(q.lock);
    auto ready = [&q] { return !q.posted.empty() || !q.sent.empty() || !q.input.empty() || q.quit; };
    if (timeoutMs < 0)
        q.cv.wait(guard, ready);
    else
        q.cv.wait_for(guard, std::chrono::milliseconds(timeoutMs), ready);
}

void Notify(ThreadQueue& q) {
    q.cv.notify_all();
    if (q.usesBackend) CurrentBackend().Wake();
}

bool NextTimer(ThreadQueue& q, MSG& msg, bool remove, int& waitMs) {
    if (q.timers.empty()) return false;
    const std::uint64_t now = CurrentBackend().NowMs();
    Timer* due = nullptr;
    for (auto& t : q.timers)
        if (!due || t.due < due->due) due = &t;
    if (due->due > now) {
        const std::uint64_t d = due->due - now;
        waitMs = static_cast<int>(std::min<std::uint64_t>(d, 0x7FFFFFFF));
        return false;
    }
    msg = MSG{};
    msg.hwnd = due->hwnd;
    msg.message = WM_TIMER;
    msg.wParam = due->id;
    msg.lParam = due->proc ? 1 : 0; // the procedure is looked up again by window and id
    msg.time = static_cast<DWord>(now);
    // Coalesced: one WM_TIMER per expiry however late the loop is.
    if (remove) due->due = now + std::max<UINT>(due->interval, 1);
    return true;
}

} // namespace

bool NextMessage(ThreadQueue& q, MSG& msg, bool remove, bool block) {
    for (;;) {
        ProcessSent(q);
        {
            std::unique_lock<std::mutex> guard(q.lock);
            if (!q.posted.empty()) {
                msg = q.posted.front();
                if (remove) q.posted.pop_front();
                return true;
            }
            if (!q.input.empty()) {
                RawInput in = q.input.front();
                if (!remove) {
                    msg = MSG{};
                    msg.message = WM_NULL;
                    return true;
                }
                q.input.pop_front();
                guard.unlock();
                if (RouteInput(q, in, msg)) return true;
                continue;
            }
            if (q.quit) {
                msg = MSG{};
                msg.message = WM_QUIT;
                msg.wParam = static_cast<WPARAM>(q.quitCode);
                if (remove) q.quit = false;
                return true;
            }
        }
        if (NextPaint(q, msg)) return true;
        int waitMs = -1;
        if (NextTimer(q, msg, remove, waitMs)) return true;
        if (!block) return false;
        Wait(q, waitMs);
    }
}

} // namespace wincore

using namespace wincore;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRef w = Lookup(hwnd);
    if (!w) return 0;
    std::shared_ptr<ThreadQueue> target = w->queue;
    if (target->thread == std::this_thread::get_id()) return CallProc(*w, msg, wParam, lParam);
    // Another thread's window: the owner runs it from its message loop while this thread waits.
    SentItem item;
    item.hwnd = hwnd;
    item.msg = msg;
    item.wParam = wParam;
    item.lParam = lParam;
    w.reset();
    std::unique_lock<std::mutex> guard(target->lock);
    target->sent.push_back(&item);
    guard.unlock();
    Notify(*target);
    guard.lock();
    while (!item.done) {
        target->cv.wait_for(guard, std::chrono::milliseconds(50));
        if (!item.done && !Lookup(hwnd)) {
            auto& s = target->sent;
            auto it = std::find(s.begin(), s.end(), &item);
            if (it != s.end()) {
                s.erase(it);
                return 0;
            }
        }
    }
    return item.result;
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<ThreadQueue> q;
    if (hwnd) {
        WindowRef w = Lookup(hwnd);
        if (!w) return FALSE;
        q = w->queue;
    } else {
        q = CurrentQueue();
    }
    MSG m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<DWord>(CurrentBackend().NowMs());
    {
        std::lock_guard<std::mutex> guard(q->lock);
        q->posted.push_back(m);
    }
    Notify(*q);
    return TRUE;
}

BOOL PostThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessage(nullptr, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    auto q = CurrentQueue();
    std::lock_guard<std::mutex> guard(q->lock);
    q->quit = true;
    q->quitCode = exitCode;
}

BOOL GetMessage(MSG& msg) {
    auto q = CurrentQueue();
    NextMessage(*q, msg, true, true);
    q->messageTime = msg.time;
    return msg.message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(MSG& msg, UINT removeFlags) {
    auto q = CurrentQueue();
    const bool got = NextMessage(*q, msg, (removeFlags & PM_REMOVE) != 0, false);
    if (got && (removeFlags & PM_REMOVE)) q->messageTime = msg.time;
    return got ? TRUE : FALSE;
}

void WaitMessage() {
    auto q = CurrentQueue();
    MSG m;
    if (NextMessage(*q, m, false, false)) return;
    int waitMs = -1;
    if (!q->timers.empty()) {
        const std::uint64_t now = CurrentBackend().NowMs();
        std::uint64_t next = q->timers.front().due;
        for (auto& t : q->timers)
            next = std::min(next, t.due);
        waitMs = next > now ? static_cast<int>(std::min<std::uint64_t>(next - now, 0x7FFFFFFF)) : 0;
    }
    if (waitMs == 0) return;
    {
        std::unique_lock<std::mutex> guard(q->lock);
        if (!q->posted.empty() || !q->input.empty() || !q->sent.empty()) return;
    }
    if (q->usesBackend)
        CurrentBackend().WaitForInput(waitMs);
    else {
        std::unique_lock<std::mutex> guard(q->lock);
        q->cv.wait_for(guard, std::chrono::milliseconds(waitMs < 0 ? 1000 : waitMs));
    }
}

BOOL TranslateMessage(const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || msg.keyChar == 0) return FALSE;
    MSG ch = msg;
    ch.message = msg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    ch.wParam = msg.keyChar;
    ch.keyChar = 0;
    auto q = CurrentQueue();
    std::lock_guard<std::mutex> guard(q->lock);
    q->posted.push_front(ch);
    return TRUE;
}

LRESULT DispatchMessage(const MSG& msg) {
    if (msg.message == WM_TIMER && msg.lParam) {
        auto q = CurrentQueue();
        for (auto& t : q->timers) {
            if (t.hwnd == msg.hwnd && t.id == msg.wParam && t.proc) {
                TIMERPROC proc = t.proc;
                proc(msg.hwnd, WM_TIMER, msg.wParam, msg.time);
                return 0;
            }
        }
        return 0;
    }
    WindowRef w = Lookup(msg.hwnd);
    if (!w) return 0;
    const LRESULT r = CallProc(*w, msg.message, msg.wParam, msg.lParam, true);
    // A paint handler that did not validate must not make the loop spin.
    if (msg.message == WM_PAINT && w->alive) {
        w->update = TRect{};
        w->erasePending = false;
    }
    return r;
}

static std::mutex gAtomLock;
static std::map<String, UINT> gAtoms;

UINT RegisterWindowMessage(const String& name) {
    std::lock_guard<std::mutex> guard(gAtomLock);
    auto it = gAtoms.find(name);
    if (it != gAtoms.end()) return it->second;
    const UINT id = 0xC000 + static_cast<UINT>(gAtoms.size());
    gAtoms[name] = id;
    return id;
}

DWord GetMessageTime() {
    return CurrentQueue()->messageTime;
}

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc) {
    std::shared_ptr<ThreadQueue> q;
    if (hwnd) {
        Window* w = Get(hwnd);
        // Timers belong to the window's own thread: its loop reads them without a lock.
        if (!w || w->queue->thread != std::this_thread::get_id()) return 0;
        q = w->queue;
    } else {
        q = CurrentQueue();
        if (id == 0) {
            static std::atomic<std::uintptr_t> next{0x7F00};
            id = ++next;
        }
    }
    const std::uint64_t due = CurrentBackend().NowMs() + std::max<UINT>(elapseMs, 1);
    for (auto& t : q->timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.interval = elapseMs;
            t.due = due;
            t.proc = std::move(proc);
            return hwnd ? 1 : id;
        }
    }
    q->timers.push_back(Timer{hwnd, id, elapseMs, due, std::move(proc)});
    return hwnd ? 1 : id;
}

BOOL KillTimer(HWND hwnd, std::uintptr_t id) {
    auto q = CurrentQueue();
    auto& t = q->timers;
    const auto before = t.size();
    t.erase(std::remove_if(t.begin(), t.end(), [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; }),
            t.end());
    return t.size() != before ? TRUE : FALSE;
}

DWord GetWindowTickCount() {
    return static_cast<DWord>(CurrentBackend().NowMs());
}

void QueueInput(const RawInput& in) {
    auto q = InputQueue();
    if (!q) q = CurrentQueue();
    UpdateAsyncKeys(in);
    {
        std::lock_guard<std::mutex> guard(q->lock);
        q->input.push_back(in);
    }
    Notify(*q);
}

} // namespace vd

namespace vd {

int PumpWaitingMessages() {
    int n = 0;
    MSG m;
    while (PeekMessage(m, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        TranslateMessage(m);
        DispatchMessage(m);
        ++n;
    }
    return n;
}

} // namespace vd
