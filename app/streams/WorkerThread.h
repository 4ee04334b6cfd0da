#pragma once
// A console worker: created idle, started by the first tick, woken every period (or at once by
// Wake: whoever hands it work wakes it, so the period is only a back-stop), terminated and awaited
// at shut-down. Running is true from the first to the last pass. Terminate also ends every socket
// wait of a pass under way, so that a silent server never holds the program's close for the
// length of a network time-out.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/net/Socket.h"
#include "platform/net/WakePipe.h"

namespace vd {

class TWorkerThread {
public:
    TWorkerThread(std::chrono::milliseconds period, std::function<void()> pass)
        : FPeriod(period), FPass(std::move(pass)) {}
    ~TWorkerThread() {
        Terminate();
        WaitFor();
    }
    void Start() {
        if (FThread.joinable()) return;
        FRunning = true;
        FThread = std::thread([this] { Execute(); });
    }
    void Wake() {
        std::lock_guard<std::mutex> g(FLock);
        FWoken = true;
        FWake.notify_all();
    }
    void Terminate() {
        std::lock_guard<std::mutex> g(FLock);
        FTerminated = true;
        FWake.notify_all();
        FCancel.Wake();
    }
    void WaitFor() {
        if (FThread.joinable()) FThread.join();
    }
    bool Running() const { return FRunning; }

private:
    void Execute() {
        const net::TCancelScope cancel(FCancel.ReadFd());
        for (;;) {
            {
                std::unique_lock<std::mutex> g(FLock);
                FWake.wait_for(g, FPeriod, [this] { return FTerminated || FWoken; });
                if (FTerminated) break;
                FWoken = false;
            }
            try {
                FPass();
            } catch (...) {
                // an exception ends this pass only
            }
        }
        FRunning = false;
    }

    std::chrono::milliseconds FPeriod;
    std::function<void()> FPass;
    std::thread FThread;
    std::mutex FLock;
    std::condition_variable FWake;
    bool FTerminated = false;
    bool FWoken = false;
    std::atomic<bool> FRunning{false};
    net::TWakePipe FCancel;
};

} // namespace vd
