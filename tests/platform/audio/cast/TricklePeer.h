#pragma once
// A FAKE server for failure injection only (no real server trickles on demand): it accepts one
// connection, lets `delayMs` pass, then sends `answer` one byte every `gapMs` (all at once when
// 0), and then says nothing more. It hangs up after `giveUpMs` in all, so that a client that
// keeps waiting fails the test instead of holding it. It never reads what the client sends.
#include <chrono>
#include <string>
#include <thread>

#include "platform/net/Socket.h"

namespace vd::testkit {

class TTricklePeer {
public:
    TTricklePeer(std::string answer, int delayMs, int gapMs, int giveUpMs = 8000)
        : FAnswer(std::move(answer)), FDelayMs(delayMs), FGapMs(gapMs), FGiveUpMs(giveUpMs) {
        std::string error;
        FListen.Listen("127.0.0.1", 0, 4, error);
        FThread = std::thread([this] { Run(); });
    }
    ~TTricklePeer() {
        FListen.Wake();
        FThread.join();
    }
    int Port() const { return FListen.Port(); }

private:
    using TClock = std::chrono::steady_clock;

    // Waits up to ms; true when the client hung up meanwhile (the pacing is a wait for that).
    static bool HungUpWithin(net::TSocket& s, int ms) {
        auto deadline = TClock::now() + std::chrono::milliseconds(ms);
        char buf[256];
        for (;;) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
            if (left <= 0) return false;
            net::TNetError e = net::TNetError::None;
            long n = s.Recv(buf, sizeof buf, static_cast<int>(left), &e);
            if (n == 0 || (n < 0 && e != net::TNetError::Timeout)) return true;
        }
    }
    void Run() {
        net::TSocket client = FListen.Accept();
        if (!client.Valid()) return;
        auto giveUp = TClock::now() + std::chrono::milliseconds(FGiveUpMs);
        auto msTo = [](TClock::time_point t) {
            return static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(t - TClock::now()).count());
        };
        if (HungUpWithin(client, std::min(FDelayMs, msTo(giveUp)))) return;
        for (std::size_t i = 0; i < FAnswer.size(); ++i) {
            std::size_t n = FGapMs > 0 ? 1 : FAnswer.size();
            client.SendAll(FAnswer.data() + i, n, 1000);
            i += n - 1;
            if (FGapMs > 0 && HungUpWithin(client, std::min(FGapMs, msTo(giveUp)))) return;
            if (msTo(giveUp) <= 0) return;
        }
        HungUpWithin(client, msTo(giveUp));
    }

    std::string FAnswer;
    int FDelayMs, FGapMs, FGiveUpMs;
    net::TListenSocket FListen;
    std::thread FThread;
};

} // namespace vd::testkit
