#include "platform/net/TcpServer.h"

#include <algorithm>
#include <sys/socket.h>

namespace vd::net {

TTcpServer::~TTcpServer() {
    Stop();
}

bool TTcpServer::Start(const TTcpServerOptions& options, THandler handler, std::string& error) {
    Stop();
    FOptions = options;
    FOptions.MaxClients = std::max(1, options.MaxClients);
    FHandler = std::move(handler);
    if (!FListen.Listen(FOptions.BindAddress, FOptions.Port, FOptions.Backlog, error)) return false;
    {
        std::lock_guard<std::mutex> g(FLock);
        FStopping = false;
    }
    for (int i = 0; i < FOptions.MaxClients; ++i)
        FWorkers.emplace_back([this] { WorkerLoop(); });
    FAcceptThread = std::thread([this] { AcceptLoop(); });
    FActive = true;
    return true;
}

void TTcpServer::Stop() {
    if (!FActive) return;
    {
        std::lock_guard<std::mutex> g(FLock);
        FStopping = true;
        for (const TServed& c : FServing)
            ::shutdown(c.Fd, SHUT_RDWR);
        FPending.clear();
    }
    FListen.Wake();
    FWork.notify_all();
    if (FAcceptThread.joinable()) FAcceptThread.join();
    for (auto& t : FWorkers)
        t.join();
    FWorkers.clear();
    FListen.Close();
    FActive = false;
}

void TTcpServer::AcceptLoop() {
    int waitMs = -1;
    for (;;) {
        TSocket client = FListen.Accept(waitMs);
        std::lock_guard<std::mutex> g(FLock);
        if (FStopping) return;
        if (client.Valid()) {
            // A full pool closes the newcomer at once, unless served clients may be made to give
            // way; then at most a pool's worth of newcomers wait for them.
            const int busy = static_cast<int>(FPending.size() + FServing.size());
            const int room = FOptions.MinServeMs > 0 ? 2 * FOptions.MaxClients : FOptions.MaxClients;
            if (busy < room) {
                FPending.push_back(std::move(client));
                FWork.notify_one();
            }
        }
        waitMs = MakeRoom();
    }
}

int TTcpServer::MakeRoom() {
    if (FOptions.MinServeMs <= 0) return -1;
    const auto now = TClock::now();
    const auto minServe = std::chrono::milliseconds(FOptions.MinServeMs);
    int need = static_cast<int>(FPending.size() + FServing.size()) - FOptions.MaxClients;
    for (const TServed& c : FServing)
        need -= c.GivingWay ? 1 : 0;
    while (need > 0) {
        TServed* oldest = nullptr;
        for (TServed& c : FServing)
            if (!c.GivingWay && (!oldest || c.Since < oldest->Since)) oldest = &c;
        if (!oldest) return FOptions.MinServeMs; // the waiting ones have not reached a worker yet
        if (now - oldest->Since < minServe) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(oldest->Since + minServe - now);
            return std::max<int>(1, static_cast<int>(left.count()) + 1);
        }
        // Its worker's next wait fails, the handler returns and the worker takes a newcomer.
        ::shutdown(oldest->Fd, SHUT_RDWR);
        oldest->GivingWay = true;
        --need;
    }
    return -1;
}

void TTcpServer::WorkerLoop() {
    std::unique_lock<std::mutex> g(FLock);
    for (;;) {
        FWork.wait(g, [this] { return FStopping || !FPending.empty(); });
        if (FStopping) return;
        TSocket client = std::move(FPending.front());
        FPending.pop_front();
        FServing.push_back({client.Fd(), TClock::now(), false});
        g.unlock();
        try {
            FHandler(client);
        } catch (...) {
            // One client's failure ends only that client.
        }
        g.lock();
        const int fd = client.Fd();
        FServing.erase(
            std::find_if(FServing.begin(), FServing.end(), [fd](const TServed& c) { return c.Fd == fd; }));
        g.unlock();
        client.Close();
        g.lock();
    }
}

} // namespace vd::net
