// Every helper that starts a peer, started by a process that is then killed the way a crashing
// test or a CTest time-out kills it: the peer must end with it, or it keeps its ports and its
// processes pile up from run to run.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/platform/audio/cast/IcecastServer.h"
#include "tests/platform/net/TestKit.h"
#include "tests/platform/win/x11/Xvfb.h"
#include "tests/support/DieWithParent.h"

namespace vd::testkit {
namespace {

// A peer's pid and a folder of its own to remove once it is gone.
struct TStarted {
    pid_t Pid = -1;
    std::string Dir;
};

// Running, or reaped by nobody yet: a zombie counts as gone, since whoever adopted it may never
// reap it (the init of a container).
bool ProcessAlive(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) return false;
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

// Forks a stand-in for a test process, which starts the peer and reports it; then kills the
// stand-in with SIGKILL (no destructor runs) and expects the peer gone within the deadline.
void ExpectPeerEndsWithTest(const std::function<TStarted()>& start) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        test::DieWithParent(parent); // should this test itself crash
        ::close(fds[0]);
        const TStarted started = start();
        const std::string line = std::to_string(started.Pid) + " " + started.Dir + "\n";
        if (::write(fds[1], line.data(), line.size()) != static_cast<ssize_t>(line.size())) ::_exit(1);
        for (;;)
            ::pause();
    }
    ::close(fds[1]);
    std::string line;
    pollfd p{fds[0], POLLIN, 0};
    char buf[512];
    ssize_t n = 0;
    while (line.find('\n') == std::string::npos && ::poll(&p, 1, 60000) > 0 &&
           (n = ::read(fds[0], buf, sizeof buf)) > 0)
        line.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const pid_t peer = static_cast<pid_t>(std::atoi(line.c_str()));
    const auto space = line.find(' ');
    const std::string dir =
        space == std::string::npos ? "" : line.substr(space + 1, line.find('\n') - space - 1);
    ASSERT_GT(peer, 0) << "the peer did not start";
    const bool gone = WaitUntil([&] { return !ProcessAlive(peer); }, 5000);
    if (!gone) ::kill(peer, SIGKILL); // leave nothing behind even when failing
    EXPECT_TRUE(gone) << "peer " << peer << " outlived the process that started it";
    if (!dir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
}

TEST(PeerDeathTest, IcecastEndsWithTheTest) {
    ExpectPeerEndsWithTest([] {
        static TIcecastServer server; // never destroyed: the process is killed
        return server.Start() ? TStarted{server.Pid(), server.Dir()} : TStarted{};
    });
}

TEST(PeerDeathTest, SmtpServerEndsWithTheTest) {
    ExpectPeerEndsWithTest([] {
        static TTempDir dir;
        static TChildProcess server;
        std::filesystem::create_directories(dir.File("mail"));
        std::string ready;
        if (!server.Start(
                {"/usr/bin/python3", SourceDir() + "/tests/platform/net/smtp_server.py", dir.File("mail")}) ||
            !server.ReadLine(ready, 15000) || ready.rfind("READY ", 0) != 0)
            return TStarted{};
        return TStarted{server.Pid(), dir.Path()};
    });
}

TEST(PeerDeathTest, XvfbEndsWithTheTest) {
    ExpectPeerEndsWithTest([] {
        static test::XvfbServer server;
        return server.Running() ? TStarted{server.Pid(), ""} : TStarted{};
    });
}

} // namespace
} // namespace vd::testkit
