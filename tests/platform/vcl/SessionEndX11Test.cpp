// A session-end signal handled on a worker thread while the GUI thread waits for X input with
// nothing else to do: the wait ends and the application terminates at once.
#include "../win/x11/Xvfb.h"

#include "platform/vcl/Forms.h"
#include "platform/win/x11/X11Backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <pthread.h>
#include <thread>

namespace vd::test {
namespace {

TEST(SessionEndX11Test, SignalOnAnotherThreadEndsTheWaitingLoop) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    auto backend = X11Backend::Open(server.Display());
    ASSERT_TRUE(backend);
    InstallBackend(backend.get());
    Application->HandleSessionEndSignals();
    Application->Handle();

    // Only the worker may take SIGTERM: the GUI thread blocks it, as a program's threads
    // other than the one the kernel picks would.
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    std::atomic<bool> ready{false};
    std::thread worker([&] {
        pthread_sigmask(SIG_UNBLOCK, &term, nullptr);
        while (!ready)
            std::this_thread::yield();
        kill(getpid(), SIGTERM);
    });
    pthread_sigmask(SIG_BLOCK, &term, nullptr);
    // A bound for the test only: without the wake the loop would sleep until this fires.
    const auto guard = SetTimer(nullptr, 0, 3000, [](HWND, UINT, std::uintptr_t, DWord) {});
    Application->ProcessMessages();
    const auto start = std::chrono::steady_clock::now();
    ready = true;
    while (!Application->Terminated() && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        Application->HandleMessage();
    const auto took = std::chrono::steady_clock::now() - start;
    worker.join();
    pthread_sigmask(SIG_UNBLOCK, &term, nullptr);
    signal(SIGTERM, SIG_DFL);
    KillTimer(nullptr, guard);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_LT(took, std::chrono::milliseconds(2000)) << "woken by the signal, not by the next timer";
    Application->ResetTerminated();
    InstallBackend(nullptr);
}

} // namespace
} // namespace vd::test
