#pragma once
// The stream served straight to listeners from a port of our own (HTTP/ICY). A new listener gets
// a burst of the newest buffered bytes, then the live stream through a bounded queue of its own:
// a listener that cannot keep up (too many bytes or too many seconds behind) is dropped, never
// the stream. Listeners that ask for it get ICY metadata (StreamTitle) every kMetaInterval bytes.
// A connection has a few seconds to send its request head and counts against the listener
// limit (when there is one) only once it has: connections that say nothing cannot keep
// listeners out. Every connection is served by the engine's I/O loop, without a thread of its
// own: a thousand listeners cost no more threads than one.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/audio/EncodedSink.h"
#include "platform/audio/IoLoop.h"
#include "platform/net/Socket.h"

namespace vd::audio {

class TOwnPortServer : public TEncodedSink, private TIoHandler {
public:
    // connect true: a listener "a.b.c.d:port" with its request head; false refuses it.
    // connect false: an accepted listener left (called exactly once per accepted listener).
    // Both run on the I/O loop.
    using TClientProc =
        std::function<bool(bool connect, const std::string& client, const std::string& headers)>;

    struct TOptions {
        std::string BindAddress; // empty: every IPv4 address
        std::uint16_t Port = 0;  // 0: a free port
        std::size_t BufferBytes = 64 * 1024;
        std::size_t BurstBytes = 64 * 1024;
        bool SendMetadata = true;
        std::string ContentType = "audio/mpeg"; // empty: told by the stream's first bytes
        std::string Name;                       // icy-name, when not empty
        int MaxClients = 0;          // listeners that sent their head, 0 = as many as descriptors allow;
                                     // as many more may be sending it
        int HeadTimeoutMs = 3000;    // for the request head, from the accept on
        int MaxLagMs = 5000;         // a listener whose oldest unsent byte is older is dropped
        int SendBufferBytes = 65536; // per listener socket: a stalled one is noticed soon
    };
    static constexpr std::size_t kMetaInterval = 8192;

    TOwnPortServer();
    ~TOwnPortServer() override;
    TOwnPortServer(const TOwnPortServer&) = delete;
    TOwnPortServer& operator=(const TOwnPortServer&) = delete;

    bool Start(const TOptions& options, TClientProc proc, int& error);
    // Closes the port and every listener; each accepted listener gets its leave call first,
    // before Stop returns. Not from inside the client callback.
    void Stop();
    void Deliver(const std::uint8_t* data, std::size_t size) override;
    void SetTitle(const std::string& title);

    std::uint16_t Port() const { return FListen.Port(); }
    int ClientCount() const { return FListeners.load(std::memory_order_acquire); }
    // Connections closed at once because the process had no descriptor left for them.
    std::uint64_t RefusedForDescriptors() const { return FRefused.load(std::memory_order_relaxed); }

private:
    struct TClient;
    using TClock = std::chrono::steady_clock;
    // Loop thread.
    void Attach();
    void Detach();
    void OnIo(int fd, std::uint32_t events) override;
    void OnWake() override;
    void OnTimer() override;
    void AcceptAll();
    void ReadHead(TClient& client);
    void Answer(TClient& client, const std::string& headText);
    void Flush(TClient& client);
    void Append(TClient& client, const std::string& data, const std::string* title, std::uint64_t version,
                TClock::time_point now);
    bool Behind(const TClient& client, TClock::time_point now) const;
    void Close(TClient& client);
    void Sweep();
    void EvictOldestSilent(bool always);
    static bool Interleave(TClient& client, const std::string& chunk, const std::string* title,
                           std::string& out);
    std::string Burst() const;

    TOptions FOptions;
    TClientProc FProc;
    net::TListenSocket FListen;
    TIoLoop& FLoop;
    bool FActive = false;

    std::mutex FLock;         // what Deliver and SetTitle hand to the loop
    std::string FRing;        // the newest BufferBytes of the stream, circular
    std::size_t FRingPos = 0; // where the next byte goes
    std::size_t FRingFill = 0;
    std::string FIncoming; // delivered, not yet passed to the listeners
    std::string FTitle;
    std::string FSniffedType;
    std::uint64_t FTitleVersion = 0;
    bool FStopping = false;

    std::atomic<bool> FPending{false};
    std::atomic<int> FListeners{0};
    std::atomic<std::uint64_t> FRefused{0};

    // Loop thread only.
    std::list<std::unique_ptr<TClient>> FClients; // in the order they came
    std::unordered_map<int, TClient*> FByFd;
    bool FListenWatched = false;
    bool FHasDead = false;
    std::string FChunk, FOut; // reused buffers
};

} // namespace vd::audio
