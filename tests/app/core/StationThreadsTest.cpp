// The stream list and records are shared by the GUI thread and the worker threads:
// walks, removals and configuration changes must not race (run under ThreadSanitizer).
#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/StationList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace vd {
namespace {

TEST(StationThreadsTest, WorkersWalkWhileTheGuiThreadEdits) {
    TStationList list;
    for (int i = 0; i < 4; ++i)
        list.Add(std::make_shared<TStationRecord>());
    std::atomic<bool> stop{false};
    std::atomic<long> walks{0};
    auto worker = [&] {
        while (!stop) {
            for (const TStationPtr& r : list.Snapshot()) {
                const TStationConfig c = r->Config(); // a worker never reads the fields directly
                r->BytesSent += static_cast<std::uint64_t>(c.Port);
                r->State = ssOnline;
                r->MailText.Set("mail");
                r->Listeners = r->Listeners + 1;
            }
            (void)CopyAppSettings().Host;
            (void)MillisecondClock();
            ++walks;
        }
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back(worker);

    const std::uint64_t deadline = MillisecondClock() + 5000;
    for (int round = 0; round < 300 && MillisecondClock() < deadline; ++round) {
        TStationConfig c;
        c.Port = round;
        c.URL = "host" + std::to_string(round);
        if (TStationPtr r = list.Items(round % 4)) r->SetConfig(c);
        list.Add(std::make_shared<TStationRecord>());
        list.Delete(0);
        TAppSettings s = AppSettings; // the GUI thread reads its own record directly
        s.Host = c.URL;
        AssignAppSettings(s);
        (void)list.Items(0)->MailText.Get();
    }
    while (walks.load() < 3 && MillisecondClock() < deadline)
        std::this_thread::yield();
    stop = true;
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(list.Count(), 4);
    EXPECT_GE(walks.load(), 3);
}

} // namespace
} // namespace vd
