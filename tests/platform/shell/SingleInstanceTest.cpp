// One running copy: later starts show the first one and end, and the settings lock holds even
// against a copy of the program elsewhere.
#include "platform/shell/SingleInstance.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vd::test {
namespace {

using TClaim = TSingleInstance::TClaim;

struct Program {
    TTempDir Dir;
    std::string Exe = Dir.File("vendrill");
    std::string Settings = Dir.File("vendrill.ini");
};

// A raw client of the first copy's socket, for requests a real start never sends.
int ConnectRaw(const std::string& exe) {
    const std::string name = TSingleInstance::SocketName(exe);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path + 1, name.data(), name.size());
    const auto len = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), len), 0);
    return fd;
}

TEST(SingleInstance, ALaterStartShowsTheFirstCopyAndEnds) {
    Program p;
    TClaim r{};
    auto first = TSingleInstance::Claim(p.Exe, p.Settings, r);
    ASSERT_EQ(r, TClaim::First);
    ASSERT_TRUE(first);
    std::atomic<int> shown{0};
    first->SetOnShow([&] { ++shown; });

    EXPECT_FALSE(TSingleInstance::Claim(p.Exe, p.Settings, r));
    EXPECT_EQ(r, TClaim::ShownOther);
    EXPECT_TRUE(WaitUntil([&] { return shown == 1; }, 5000));

    first.reset();
    auto next = TSingleInstance::Claim(p.Exe, p.Settings, r);
    EXPECT_EQ(r, TClaim::First) << "the name and the lock went with the first copy";
    EXPECT_TRUE(next);
}

TEST(SingleInstance, ACopyElsewhereWithTheSameSettingsEnds) {
    Program p;
    TClaim r{};
    auto first = TSingleInstance::Claim(p.Exe, p.Settings, r);
    ASSERT_EQ(r, TClaim::First);
    std::atomic<int> shown{0};
    first->SetOnShow([&] { ++shown; });
    EXPECT_FALSE(TSingleInstance::Claim(p.Dir.File("copy-of-vendrill"), p.Settings, r));
    EXPECT_EQ(r, TClaim::Locked);
    EXPECT_EQ(shown, 0) << "another program's socket was never asked";
}

TEST(SingleInstance, ARequestBeforeTheHandlerIsDeliveredOnceItIsSet) {
    Program p;
    TClaim r{};
    auto first = TSingleInstance::Claim(p.Exe, p.Settings, r);
    ASSERT_EQ(r, TClaim::First);
    EXPECT_FALSE(TSingleInstance::Claim(p.Exe, p.Settings, r));
    ASSERT_EQ(r, TClaim::ShownOther);
    // The request is read on the listener thread; once it is pending, setting the handler runs it.
    std::atomic<int> shown{0};
    EXPECT_TRUE(WaitUntil(
        [&] {
            first->SetOnShow([&] { ++shown; });
            return shown == 1;
        },
        5000));
}

TEST(SingleInstance, SilentAndWrongClientsNeverBlockALaterStart) {
    Program p;
    TClaim r{};
    auto first = TSingleInstance::Claim(p.Exe, p.Settings, r);
    ASSERT_EQ(r, TClaim::First);
    std::atomic<int> shown{0};
    first->SetOnShow([&] { ++shown; });

    const int silent = ConnectRaw(p.Exe);
    const int wrong = ConnectRaw(p.Exe);
    ASSERT_EQ(::send(wrong, "hide\n", 5, MSG_NOSIGNAL), 5);
    EXPECT_FALSE(TSingleInstance::Claim(p.Exe, p.Settings, r));
    EXPECT_EQ(r, TClaim::ShownOther);
    EXPECT_TRUE(WaitUntil([&] { return shown == 1; }, 5000));
    EXPECT_EQ(shown, 1) << "only the real request shows the window";
    ::close(silent);
    ::close(wrong);
}

TEST(SingleInstance, StartsAtOnceLeaveExactlyOneCopy) {
    Program p;
    constexpr int Starts = 8;
    std::vector<std::unique_ptr<TSingleInstance>> claims(Starts);
    std::vector<TClaim> results(Starts);
    std::vector<std::thread> threads;
    for (int i = 0; i < Starts; ++i)
        threads.emplace_back(
            [&, i] { claims[size_t(i)] = TSingleInstance::Claim(p.Exe, p.Settings, results[size_t(i)]); });
    for (auto& t : threads)
        t.join();
    int first = 0, shownOther = 0;
    for (int i = 0; i < Starts; ++i) {
        first += results[size_t(i)] == TClaim::First;
        shownOther += results[size_t(i)] == TClaim::ShownOther;
        EXPECT_EQ(claims[size_t(i)] != nullptr, results[size_t(i)] == TClaim::First);
    }
    EXPECT_EQ(first, 1);
    EXPECT_EQ(shownOther, Starts - 1) << "every later start reached the first copy";
}

} // namespace
} // namespace vd::test
