#include "platform/rtl/Thread.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/rtl/Tick.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace vd {
namespace {

using test::WaitUntil;

class TCounter : public TThread {
public:
    explicit TCounter(bool suspended = true) : TThread(suspended) {}
    ~TCounter() override {
        Terminate();
        WaitFor();
    }
    std::atomic<int> Loops{0};
    TEvent Go{true, false};

protected:
    void Execute() override {
        Go.WaitFor();
        while (!Terminated()) {
            ++Loops;
            Sleep(1);
        }
        SetReturnValue(Loops.load() > 0 ? 7 : 1);
    }
};

TEST(TThread, SuspendedUntilResumedThenTerminatesOnRequest) {
    TCounter t;
    EXPECT_TRUE(t.Suspended());
    t.Go.SetEvent();
    EXPECT_EQ(t.Loops.load(), 0);
    t.Resume();
    EXPECT_TRUE(WaitUntil([&] { return t.Loops.load() > 2; }));
    EXPECT_FALSE(t.Finished());
    t.Terminate();
    EXPECT_EQ(t.WaitFor(), 7);
    EXPECT_TRUE(t.Finished());
    EXPECT_EQ(t.ReturnValue(), 7);
}

TEST(TThread, CreateStartsAThreadThatIsNotSuspended) {
    std::unique_ptr<TCounter> t(TThread::Create<TCounter>(false));
    EXPECT_TRUE(t->Started());
    t->Go.SetEvent();
    EXPECT_TRUE(WaitUntil([&] { return t->Loops.load() > 0; }));
    // The destructor terminates and waits.
}

TEST(TThread, NeverStartedThreadIsDestroyedAtOnce) {
    TCounter t;
    EXPECT_EQ(t.WaitFor(), 0);
}

class TFreeing : public TThread {
public:
    explicit TFreeing(std::atomic<bool>& gone) : FGone(gone) { SetFreeOnTerminate(true); }
    ~TFreeing() override { FGone = true; }

protected:
    void Execute() override {}

private:
    std::atomic<bool>& FGone;
};

TEST(TThread, FreeOnTerminateDeletesTheObject) {
    std::atomic<bool> gone{false};
    (new TFreeing(gone))->Start();
    EXPECT_TRUE(WaitUntil([&] { return gone.load(); }));
}

class TThrowing : public TThread {
public:
    ~TThrowing() override { WaitFor(); }

protected:
    void Execute() override { throw std::runtime_error("boom"); }
};

TEST(TThread, AnExceptionInExecuteIsKept) {
    TThrowing t;
    t.Start();
    t.WaitFor();
    ASSERT_TRUE(t.FatalException());
    EXPECT_THROW(std::rethrow_exception(t.FatalException()), std::runtime_error);
}

class TSyncer : public TThread {
public:
    ~TSyncer() override { WaitFor(); }
    int Seen = 0; // written only on the main thread
    std::atomic<bool> WasMain{false};

protected:
    void Execute() override {
        for (int i = 0; i < 3; ++i)
            Synchronize([this] {
                ++Seen;
                WasMain = IsMainThread();
            });
    }
};

TEST(TThread, SynchronizeRunsOnTheMainThreadWhileItWaits) {
    ASSERT_TRUE(TThread::IsMainThread());
    TSyncer t;
    int terminated = 0;
    t.OnTerminate = [&](TObject*) { ++terminated; };
    t.Start();
    t.WaitFor(); // pumps the pending calls
    EXPECT_EQ(t.Seen, 3);
    EXPECT_TRUE(t.WasMain.load());
    EXPECT_EQ(terminated, 1);
}

TEST(TEvent, ManualResetReleasesEveryWaiterUntilReset) {
    TEvent ev(true, false);
    EXPECT_EQ(ev.WaitFor(0), TWaitResult::wrTimeout);
    std::atomic<int> through{0};
    class TWaiter : public TThread {
    public:
        TWaiter(TEvent& e, std::atomic<int>& n) : FEvent(e), FThrough(n) {}
        ~TWaiter() override { WaitFor(); }

    protected:
        void Execute() override {
            if (FEvent.WaitFor(10000) == TWaitResult::wrSignaled) ++FThrough;
        }

    private:
        TEvent& FEvent;
        std::atomic<int>& FThrough;
    };
    {
        TWaiter a(ev, through), b(ev, through);
        a.Start();
        b.Start();
        ev.SetEvent();
    }
    EXPECT_EQ(through.load(), 2);
    EXPECT_EQ(ev.WaitFor(0), TWaitResult::wrSignaled);
    ev.ResetEvent();
    EXPECT_EQ(ev.WaitFor(0), TWaitResult::wrTimeout);
}

TEST(TEvent, AutoResetLetsOneWaiterThrough) {
    TEvent ev(false, true);
    EXPECT_EQ(ev.WaitFor(0), TWaitResult::wrSignaled);
    EXPECT_EQ(ev.WaitFor(0), TWaitResult::wrTimeout);
    const std::uint64_t start = GetTickCount64();
    EXPECT_EQ(ev.WaitFor(30), TWaitResult::wrTimeout);
    EXPECT_GE(GetTickCount64() - start, 29u);
}

TEST(TCriticalSection, GuardsSharedCountsAndIsReentrant) {
    TCriticalSection cs;
    long total = 0;
    class TAdder : public TThread {
    public:
        TAdder(TCriticalSection& c, long& t) : FCs(c), FTotal(t) {}
        ~TAdder() override { WaitFor(); }

    protected:
        void Execute() override {
            for (int i = 0; i < 10000; ++i) {
                TLockGuard outer(FCs);
                TLockGuard inner(FCs);
                ++FTotal;
            }
        }

    private:
        TCriticalSection& FCs;
        long& FTotal;
    };
    {
        TAdder a(cs, total), b(cs, total), c(cs, total);
        a.Start();
        b.Start();
        c.Start();
    }
    EXPECT_EQ(total, 30000);
}

TEST(Tick, MonotonicMilliseconds) {
    const std::uint64_t a = GetTickCount64();
    const std::uint32_t t = GetTickCount();
    // The 32-bit tick is the low half of the 64-bit one (so it wraps where that one carries).
    EXPECT_LE(static_cast<std::uint32_t>(t - static_cast<std::uint32_t>(a)), 1000u);
    Sleep(5);
    EXPECT_GE(GetTickCount64() - a, 5u);
}

} // namespace
} // namespace vd
