#pragma once
// The stream served straight to listeners from a port of our own (HTTP/ICY). A new listener gets
// a burst of the newest buffered bytes, then the live stream through a bounded queue of its own:
// a listener that cannot keep up (too many bytes or too many seconds behind) is dropped, never
// the stream. Listeners that ask for it get ICY metadata (StreamTitle) every kMetaInterval bytes.
// A connection has a few seconds to send its request head and counts against the listener
// limit only once it has: connections that say nothing cannot keep listeners out.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/audio/EncodedSink.h"
#include "platform/net/Socket.h"

namespace vd::audio {

class TOwnPortServer : public TEncodedSink {
public:
    // connect true: a listener "a.b.c.d:port" with its request head; false refuses it.
    // connect false: an accepted listener left (called exactly once per accepted listener).
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
        int MaxClients = 256;        // listeners that sent their head; as many more may be sending it
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
    // Closes the port and every listener; each accepted listener gets its leave call first.
    void Stop();
    void Deliver(const std::uint8_t* data, std::size_t size) override;
    void SetTitle(const std::string& title);

    std::uint16_t Port() const { return FListen.Port(); }
    int ClientCount();

private:
    struct TClient;
    void AcceptLoop();
    void Serve(TClient& client);
    static bool Interleave(TClient& client, std::string& chunk, const std::string* title, std::string& out);
    bool Handshake(TClient& client, bool& wantsMeta);
    bool TakePlace(TClient& client);
    void EvictOldestSilent();
    void ReapFinished(bool all);
    void Finished(TClient& client);
    std::string Burst() const;

    TOptions FOptions;
    TClientProc FProc;
    net::TListenSocket FListen;
    std::thread FAcceptThread;

    std::mutex FLock;
    std::list<std::unique_ptr<TClient>> FClients;
    std::string FRing;        // the newest BufferBytes of the stream, circular
    std::size_t FRingPos = 0; // where the next byte goes
    std::size_t FRingFill = 0;
    std::string FTitle;
    std::string FSniffedType;
    std::uint64_t FTitleVersion = 0;
    bool FStopping = false;
    bool FActive = false;
};

} // namespace vd::audio
