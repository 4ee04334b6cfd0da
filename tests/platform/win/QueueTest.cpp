#include "WinFixture.h"

#include <atomic>
#include <thread>

namespace vd::test {
namespace {

using Msgs = std::vector<UINT>;

TEST_F(WinTest, TimersFireWhenDueAreCoalescedAndReplaced) {
    HWND h = Top({0, 0, 10, 10});
    Pump();
    MessageSpy spy;
    spy.Watch(h);
    SetTimer(h, 1, 100);
    hb->Advance(99);
    Pump();
    EXPECT_TRUE(spy.Of(h, WM_TIMER).empty());
    hb->Advance(1);
    Pump();
    EXPECT_EQ(spy.Of(h, WM_TIMER).size(), 1u);
    hb->Advance(1000); // ten periods late: still one message
    Pump();
    EXPECT_EQ(spy.Of(h, WM_TIMER).size(), 2u);
    SetTimer(h, 1, 500); // replaced: new interval, restarted
    hb->Advance(100);
    Pump();
    EXPECT_EQ(spy.Of(h, WM_TIMER).size(), 2u);
    hb->Advance(400);
    Pump();
    EXPECT_EQ(spy.Of(h, WM_TIMER).size(), 3u);
    EXPECT_EQ(spy.Of(h, WM_TIMER)[2].wParam, 1u);
    KillTimer(h, 1);
    hb->Advance(1000);
    Pump();
    EXPECT_EQ(spy.Of(h, WM_TIMER).size(), 3u);
}

TEST_F(WinTest, TimersComeAfterPostedMessagesAndInput) {
    HWND h = Top({0, 0, 10, 10}, WS_POPUP | WS_VISIBLE);
    Pump();
    SetTimer(h, 7, 10);
    hb->Advance(20);
    PostMessage(h, WM_USER + 1);
    hb->MouseMove({5, 5});
    MessageSpy spy;
    spy.Watch(h);
    Pump();
    EXPECT_EQ(spy.Messages(h, {WM_USER + 1, WM_MOUSEMOVE, WM_TIMER}),
              (Msgs{WM_USER + 1, WM_MOUSEMOVE, WM_TIMER}));
    KillTimer(h, 7);
}

TEST_F(WinTest, TimerDestroyedWithItsWindowAndCallbackTimers) {
    HWND h = Top({0, 0, 10, 10});
    SetTimer(h, 1, 10);
    DestroyWindow(h);
    int calls = 0;
    const auto id = SetTimer(nullptr, 0, 50, [&](HWND, UINT, std::uintptr_t, DWord) { ++calls; });
    hb->Advance(60);
    MSG m;
    int deadTimers = 0;
    while (PeekMessage(m, PM_REMOVE)) {
        if (m.message == WM_TIMER && m.hwnd == h) ++deadTimers;
        DispatchMessage(m);
    }
    EXPECT_EQ(deadTimers, 0) << "the window's timer went with it";
    EXPECT_FALSE(KillTimer(h, 1)) << "nothing left to kill";
    EXPECT_EQ(calls, 1);
    KillTimer(nullptr, id);
}

TEST_F(WinTest, AnotherThreadCannotSetOrKillAWindowsTimer) {
    HWND h = Top({0, 0, 10, 10});
    ASSERT_EQ(SetTimer(h, 2, 30), 1u);
    std::uintptr_t set = 99;
    BOOL killed = TRUE;
    std::thread worker([&] {
        set = SetTimer(h, 1, 10);
        killed = KillTimer(h, 2);
    });
    worker.join();
    EXPECT_EQ(set, 0u);
    EXPECT_FALSE(killed);
    MessageSpy spy;
    spy.Watch(h);
    hb->Advance(30);
    Pump();
    ASSERT_EQ(spy.Of(h, WM_TIMER).size(), 1u) << "only the owner's timer runs";
    EXPECT_EQ(spy.Of(h, WM_TIMER)[0].wParam, 2u);
    KillTimer(h, 2);
}

TEST_F(WinTest, GetMessageWaitsForTheNextTimerOnTheVirtualClock) {
    HWND h = Top({0, 0, 10, 10});
    Pump();
    const DWord start = GetWindowTickCount();
    SetTimer(h, 3, 250);
    MSG m;
    ASSERT_TRUE(GetMessage(m));
    EXPECT_EQ(m.message, WM_TIMER);
    EXPECT_EQ(GetWindowTickCount() - start, 250u);
    KillTimer(h, 3);
}

TEST_F(WinTest, QuitEndsTheLoopAfterPostedMessages) {
    PostThreadMessage(WM_USER);
    PostQuitMessage(3);
    MSG m;
    ASSERT_TRUE(GetMessage(m));
    EXPECT_EQ(m.message, WM_USER);
    EXPECT_FALSE(GetMessage(m));
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(WinTest, StarvedLoopFailsInsteadOfHanging) {
    hb->SetStarvationLimitMs(50);
    MSG m;
    EXPECT_THROW(GetMessage(m), std::runtime_error);
    hb->SetStarvationLimitMs(3000);
}

TEST_F(WinTest, OtherThreadsPostAndSendToTheGuiThread) {
    HWND h = Top({0, 0, 10, 10});
    Pump();
    std::atomic<LRESULT> sendResult{0};
    std::atomic<bool> wrongThread{false};
    const auto gui = std::this_thread::get_id();
    handlers[h] = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m != WM_USER + 5 && m != WM_USER + 6) return false;
        if (std::this_thread::get_id() != gui) wrongThread = true;
        r = static_cast<LRESULT>(w * 2);
        return true;
    };
    std::thread worker([&] {
        PostMessage(h, WM_USER + 5, 1);
        sendResult = SendMessage(h, WM_USER + 6, 21);
        PostMessage(h, WM_USER + 7); // a sent message does not end GetMessage: this does
    });
    MessageSpy spy;
    spy.Watch(h);
    for (;;) {
        MSG m;
        try {
            GetMessage(m);
        } catch (...) {
            worker.join();
            throw;
        }
        if (m.message == WM_USER + 7) break;
        DispatchMessage(m);
    }
    worker.join();
    Pump();
    EXPECT_EQ(sendResult.load(), 42);
    EXPECT_FALSE(wrongThread.load());
    EXPECT_EQ(spy.Of(h, WM_USER + 5).size(), 1u);
}

} // namespace
} // namespace vd::test
