// Waiting on the GUI thread keeps handling messages and the threads' synchronized calls.
#include "app/ui/console/SleepAndPump.h"
#include "platform/rtl/Thread.h"
#include "platform/vcl/Application.h"

#include "tests/support/WaitUntil.h"

#include "../../../platform/vcl/VclFixture.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace vd {
namespace {

class SleepAndPumpTest : public test::VclTest {};

TEST_F(SleepAndPumpTest, ReturnsAfterItsTimeHandlingWhatArrivesMeanwhile) {
    TForm* form = NewForm();
    form->HandleNeeded();
    constexpr UINT Ping = WM_APP + 7;
    int pings = 0;
    Application->OnMessage = [&](MSG& m, bool& handled) {
        if (m.message == Ping) {
            ++pings;
            handled = true;
        }
    };
    std::atomic<bool> posted{false}, synchronized{false}, finished{false};
    std::thread worker([&] {
        PostMessage(form->Handle(), Ping, 0, 0);
        posted = true;
        // Blocks until the GUI thread runs it: only a pumping wait lets this thread go on.
        TThread::Synchronize([&] { synchronized = true; });
        finished = true;
    });
    ASSERT_TRUE(test::WaitUntil([&] { return posted.load(); }));
    const auto start = std::chrono::steady_clock::now();
    SleepAndPump(80);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(80));
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_EQ(pings, 1);
    EXPECT_TRUE(synchronized);
    // Never leave the worker blocked, whatever went wrong above.
    ASSERT_TRUE(test::WaitUntil([&] { return finished.load(); }, 10000, [] { SleepAndPump(1); }));
    worker.join();
    PostMessage(form->Handle(), Ping, 0, 0);
    SleepAndPump(0); // no wait: the queue is still looked at once
    EXPECT_EQ(pings, 2);
}

} // namespace
} // namespace vd
