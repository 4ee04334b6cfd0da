#pragma once
// A source connection to a streaming server. Start connects and does the handshake on the
// caller's thread (within one network time-out in all); then the engine's I/O loop drains a
// bounded queue into the socket as fast as the server takes it, so Deliver never blocks the
// encoder. Titles and statistics are separate, blocking admin requests on the caller's thread.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/audio/EncodedSink.h"
#include "platform/audio/IoLoop.h"
#include "platform/audio/cast/CastParams.h"
#include "platform/audio/cast/ServerAddress.h"
#include "platform/net/Socket.h"
#include "platform/net/WakePipe.h"

namespace vd::audio {

class TCast : public TEncodedSink, private TIoHandler {
public:
    using TNotify = std::function<void(unsigned status)>;

    ~TCast() override;
    TCast(const TCast&) = delete;
    TCast& operator=(const TCast&) = delete;

    // Connects and announces the stream; false with an AudioError code in error.
    bool Start(int& error);
    // Where failures go (AE_ENCODE_NOTIFY_*). A cast that died before this call reports at once.
    void SetNotify(TNotify notify);
    void Deliver(const std::uint8_t* data, std::size_t size) override;
    // The encoder stopped: a handshake under way and the sending end at once, quietly.
    void Abandon() override;
    // Ends the connection (or the connection attempt under way on another thread) without a
    // notification; once it returns the loop no longer serves the cast. Not from the loop.
    void Stop();

    virtual bool SetTitle(const std::string& title) = 0;
    // The server's statistics for this stream as text; empty when there are none.
    virtual std::string GetStats() = 0;

    std::uint64_t BytesSent() const { return FBytesSent; }
    bool Alive() const { return FAlive; }
    const TServerAddress& Address() const { return FAddress; }

protected:
    TCast(TCastParams params, TServerAddress address);
    // Connects and does the protocol's handshake; the socket is ready for stream data after it.
    virtual bool Open(net::TSocket& socket, int& error) = 0;
    // The bytes that carry one block of stream data (Shoutcast v2 frames it).
    virtual void Frame(const std::uint8_t* data, std::size_t size, std::string& out);

    // Error code for a failed connect or read/write during the handshake.
    static int NetErrorCode(net::TNetError e);

    const TCastParams FParams;
    const TServerAddress FAddress;

private:
    using TClock = std::chrono::steady_clock;
    // Loop thread.
    void Attach();
    void Detach();
    void OnIo(int fd, std::uint32_t events) override;
    void OnWake() override;
    void OnTimer() override;
    void Flush();
    void Die(unsigned status);

    TIoLoop& FLoop;
    std::mutex FLock;
    std::string FQueue; // framed, waiting for the loop
    std::string FFramed;
    std::size_t FQueueCap = 0;
    bool FOverflow = false;
    bool FStopping = false;
    bool FStarted = false; // the loop serves it
    unsigned FDeadStatus = 0;
    TNotify FNotify;
    net::TSocket FSocket;
    net::TWakePipe FCancel; // woken by Stop: ends a handshake under way
    std::atomic<bool> FAlive{false};
    std::atomic<bool> FPending{false};
    std::atomic<std::size_t> FUnsent{0}; // taken by the loop, not yet in the socket
    std::atomic<std::uint64_t> FBytesSent{0};

    // Loop thread only.
    std::string FOut;
    std::size_t FOutPos = 0;
    bool FWatched = false;
    bool FWantsRoom = false;
    bool FDone = false;
    TClock::time_point FLastProgress;
};

// Picks the protocol from the server address; null with AE_ERROR_ILLPARAM when it is malformed.
std::unique_ptr<TCast> CreateCast(const TCastParams& params, int& error);

} // namespace vd::audio
