#pragma once
// A FAKE server for failure injection only (no real server stalls or hangs up on demand): it
// answers any source handshake line or head with the given text, then either never reads again
// or closes the connection.
#include <atomic>
#include <string>
#include <thread>

#include "platform/net/Socket.h"

namespace vd::testkit {

class TStallPeer {
public:
    enum class TThen { Stall, Close };
    TStallPeer(std::string answer, TThen then) : FAnswer(std::move(answer)), FThen(then) {
        std::string error;
        FListen.Listen("127.0.0.1", 0, 4, error);
        FThread = std::thread([this] { Run(); });
    }
    ~TStallPeer() {
        FListen.Wake();
        FThread.join();
    }
    int Port() const { return FListen.Port(); }
    // A client connected (and, once its head is in, waits for the answer).
    bool Accepted() const { return FAccepted; }

private:
    void Run() {
        FClient = FListen.Accept();
        if (!FClient.Valid()) return;
        FAccepted = true;
        std::string head;
        char c;
        // Up to the blank line (HTTP) or the first line (v1 password).
        while (FClient.Recv(&c, 1, 5000) == 1) {
            head += c;
            if (head.find("\r\n\r\n") != std::string::npos ||
                (head.find('\n') != std::string::npos && head.find("HTTP") == std::string::npos))
                break;
        }
        FClient.SendAll(FAnswer, 1000);
        if (FThen == TThen::Close) FClient.Close();
        // Stall: keep the connection open and unread until the test ends.
        net::TSocket next = FListen.Accept();
    }

    std::string FAnswer;
    TThen FThen;
    net::TListenSocket FListen;
    net::TSocket FClient;
    std::atomic<bool> FAccepted{false};
    std::thread FThread;
};

} // namespace vd::testkit
