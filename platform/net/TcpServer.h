#pragma once
// A TCP server that serves each client on a worker of a fixed pool. Clients beyond the pool are
// closed at once, so a flood of connections cannot pile up threads or memory. With MinServeMs
// set, a newcomer to a full pool instead makes the longest-served client give way once that one
// has had MinServeMs: clients that hold a worker without finishing cannot lock everyone out.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/Socket.h"

namespace vd::net {

struct TTcpServerOptions {
    std::string BindAddress; // empty: every IPv4 address of the machine
    std::uint16_t Port = 0;  // 0: a free port (see TTcpServer::Port)
    int Backlog = 10;
    int MaxClients = 16; // workers; one client each
    int MinServeMs = 0;  // 0: a full pool closes newcomers; else how long a client is served at least
};

class TTcpServer {
public:
    using THandler = std::function<void(TSocket& client)>;

    TTcpServer() = default;
    ~TTcpServer();
    TTcpServer(const TTcpServer&) = delete;
    TTcpServer& operator=(const TTcpServer&) = delete;

    // Binds and starts the accept thread and the workers; error says why it could not.
    bool Start(const TTcpServerOptions& options, THandler handler, std::string& error);
    // Closes the port, ends every client's connection and waits for the workers.
    void Stop();
    bool Active() const { return FActive; }
    std::uint16_t Port() const { return FListen.Port(); }

private:
    using TClock = std::chrono::steady_clock;
    struct TServed {
        int Fd;
        TClock::time_point Since;
        bool GivingWay; // shut down for a newcomer; its worker is about to be free
    };

    void AcceptLoop();
    void WorkerLoop();
    // Under FLock: shuts down as many longest-served clients as waiting newcomers need; the
    // time until the next one may be asked to give way, or -1 when nobody waits for room.
    int MakeRoom();

    TTcpServerOptions FOptions;
    THandler FHandler;
    TListenSocket FListen;
    std::thread FAcceptThread;
    std::vector<std::thread> FWorkers;

    std::mutex FLock;
    std::condition_variable FWork;
    std::deque<TSocket> FPending;  // accepted, waiting for a free worker
    std::vector<TServed> FServing; // clients being served, for Stop and MakeRoom to wake
    bool FStopping = false;
    bool FActive = false;
};

} // namespace vd::net
