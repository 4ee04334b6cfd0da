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
        for (int fd : FServing)
            ::shutdown(fd, SHUT_RDWR);
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
    for (;;) {
        TSocket client = FListen.Accept();
        std::lock_guard<std::mutex> g(FLock);
        if (FStopping) return;
        if (!client.Valid()) continue;
        // Only as many clients as workers: the rest are closed here, at once.
        if (static_cast<int>(FPending.size() + FServing.size()) >= FOptions.MaxClients) continue;
        FPending.push_back(std::move(client));
        FWork.notify_one();
    }
}

void TTcpServer::WorkerLoop() {
    std::unique_lock<std::mutex> g(FLock);
    for (;;) {
        FWork.wait(g, [this] { return FStopping || !FPending.empty(); });
        if (FStopping) return;
        TSocket client = std::move(FPending.front());
        FPending.pop_front();
        FServing.push_back(client.Fd());
        g.unlock();
        try {
            FHandler(client);
        } catch (...) {
            // One client's failure ends only that client.
        }
        g.lock();
        FServing.erase(std::find(FServing.begin(), FServing.end(), client.Fd()));
        g.unlock();
        client.Close();
        g.lock();
    }
}

} // namespace vd::net
