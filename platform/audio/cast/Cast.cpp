#include "platform/audio/cast/Cast.h"

#include <algorithm>
#include <chrono>

#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/CastConfig.h"
#include "platform/audio/cast/IcecastCast.h"
#include "platform/audio/cast/Shoutcast1Cast.h"
#include "platform/audio/cast/Shoutcast2Cast.h"

namespace vd::audio {

TCast::TCast(TCastParams params, TServerAddress address)
    : FParams(std::move(params)), FAddress(std::move(address)), FLoop(TIoLoop::Shared()) {}

TCast::~TCast() {
    Stop();
}

int TCast::NetErrorCode(net::TNetError e) {
    switch (e) {
    case net::TNetError::Resolve:
    case net::TNetError::Connect:
        return AE_ERROR_NONET;
    case net::TNetError::Timeout:
        return AE_ERROR_TIMEOUT;
    default:
        return AE_ERROR_FILEFORM;
    }
}

void TCast::Frame(const std::uint8_t* data, std::size_t size, std::string& out) {
    out.assign(reinterpret_cast<const char*>(data), size);
}

bool TCast::Start(int& error) {
    error = AE_OK;
    net::TSocket socket;
    bool opened;
    {
        net::TCancelScope cancel(FCancel.ReadFd());
        // The whole handshake, every step of it, within one network time-out: the connector
        // starts every stream's attempt on one thread.
        net::TDeadlineScope deadline(CastNetTimeoutMs());
        opened = Open(socket, error);
    }
    if (!opened) {
        if (error == AE_OK) error = AE_ERROR_FILEFORM;
        return false;
    }
    // Room for twice the stall the cast time-out allows, at the stream's rate, at least 64 KB.
    std::size_t perSecond = static_cast<std::size_t>(std::max(8, FParams.Bitrate)) * 125;
    std::size_t cap = perSecond * static_cast<std::size_t>(CastSendTimeoutMs()) / 500;
    // Under the lock: a Stop on another thread either comes first and nothing starts, or
    // finds the sender to end and join.
    std::lock_guard<std::mutex> g(FLock);
    if (FStopping) {
        error = AE_ERROR_FILEFORM; // stopped while connecting: nothing may keep running
        return false;
    }
    FSocket = std::move(socket);
    FQueueCap = std::max<std::size_t>(cap, 64 * 1024);
    FAlive = true;
    FStarted = true;
    FLoop.Post([this] { Attach(); });
    return true;
}

void TCast::SetNotify(TNotify notify) {
    unsigned dead;
    {
        std::lock_guard<std::mutex> g(FLock);
        FNotify = notify;
        dead = FDeadStatus;
    }
    if (dead && notify) notify(dead);
}

void TCast::Deliver(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    {
        std::lock_guard<std::mutex> g(FLock);
        if (FStopping || FOverflow || !FAlive) return;
        Frame(data, size, FFramed);
        if (FQueue.size() + FUnsent.load(std::memory_order_acquire) + FFramed.size() > FQueueCap)
            FOverflow = true; // the loop reports it and ends the cast
        else
            FQueue += FFramed;
    }
    FPending.store(true, std::memory_order_release);
    FLoop.Wake();
}

void TCast::Attach() {
    // While idle the socket is still watched: a server that hung up is noticed at once.
    FWatched = FLoop.Watch(FSocket.Fd(), kIoRead | kIoHangup, this);
    FLoop.AddWakeHandler(this);
    FPending.store(true, std::memory_order_release);
    OnWake();
}

void TCast::Detach() {
    if (FWatched) FLoop.Unwatch(FSocket.Fd());
    FWatched = false;
    FDone = true;
    FLoop.RemoveWakeHandler(this);
    FLoop.CancelTimer(this);
}

void TCast::OnWake() {
    if (FDone || !FPending.exchange(false, std::memory_order_acq_rel)) return;
    bool overflow;
    {
        std::lock_guard<std::mutex> g(FLock);
        if (FStopping) return;
        overflow = FOverflow;
        if (FOutPos == FOut.size()) {
            FOut.clear();
            FOutPos = 0;
            FLastProgress = TClock::now(); // the wait for the server starts now
        }
        FOut += FQueue;
        FQueue.clear();
        FUnsent.store(FOut.size() - FOutPos, std::memory_order_release);
    }
    if (overflow) return Die(AE_ENCODE_NOTIFY_SERVER_SPACE);
    Flush();
}

void TCast::OnIo(int /*fd*/, std::uint32_t events) {
    if (FDone) return;
    if (events & kIoError) return Die(AE_ENCODE_NOTIFY_CAST);
    if (events & (kIoRead | kIoHangup)) {
        char buf[512];
        for (int i = 0; i < 16; ++i) { // whatever the server says is read and dropped
            bool wouldBlock = false;
            const long n = FSocket.RecvNow(buf, sizeof buf, wouldBlock);
            if (n > 0) continue;
            if (!wouldBlock) return Die(AE_ENCODE_NOTIFY_CAST);
            break;
        }
    }
    if (events & kIoWrite) Flush();
}

void TCast::Flush() {
    bool progress = false;
    while (FOutPos < FOut.size()) {
        net::TNetError e = net::TNetError::None;
        const long n = FSocket.SendNow(FOut.data() + FOutPos, FOut.size() - FOutPos, &e);
        if (n < 0) return Die(AE_ENCODE_NOTIFY_CAST);
        if (n == 0) break;
        FOutPos += static_cast<std::size_t>(n);
        FBytesSent += static_cast<std::uint64_t>(n);
        progress = true;
    }
    const auto now = TClock::now();
    if (progress) FLastProgress = now;
    const bool more = FOutPos < FOut.size();
    if (!more) {
        FOut.clear();
        FOutPos = 0;
    }
    FUnsent.store(FOut.size() - FOutPos, std::memory_order_release);
    if (more != FWantsRoom) {
        FWantsRoom = more;
        FLoop.Modify(FSocket.Fd(), kIoRead | kIoHangup | (more ? kIoWrite : 0));
    }
    // A server that takes nothing for the cast time-out has stalled.
    if (more)
        FLoop.SetTimer(this, FLastProgress + std::chrono::milliseconds(CastSendTimeoutMs()));
    else
        FLoop.CancelTimer(this);
}

void TCast::OnTimer() {
    if (FDone || FOutPos == FOut.size()) return;
    if (TClock::now() - FLastProgress >= std::chrono::milliseconds(CastSendTimeoutMs()))
        return Die(AE_ENCODE_NOTIFY_CAST_TIMEOUT);
    FLoop.SetTimer(this, FLastProgress + std::chrono::milliseconds(CastSendTimeoutMs()));
}

void TCast::Die(unsigned status) {
    if (FDone) return;
    FDone = true;
    if (FWatched) FLoop.Unwatch(FSocket.Fd()); // the socket itself stays until Stop
    FWatched = false;
    FLoop.CancelTimer(this);
    TNotify notify;
    {
        std::lock_guard<std::mutex> g(FLock);
        FQueue.clear();
        if (FStopping) return; // ended on purpose: nothing to report
        FDeadStatus = status;
        notify = FNotify;
    }
    FAlive = false;
    if (notify) notify(status);
}

void TCast::Abandon() {
    {
        std::lock_guard<std::mutex> g(FLock);
        FStopping = true;
        FQueue.clear();
        FSocket.Shutdown(); // the loop sees the end; a handshake's wait is woken below
    }
    FCancel.Wake();
}

void TCast::Stop() {
    Abandon();
    bool started;
    {
        std::lock_guard<std::mutex> g(FLock);
        started = FStarted;
    }
    if (started) FLoop.Call([this] { Detach(); });
    std::lock_guard<std::mutex> g(FLock); // an Abandon from the encoder may come at any time
    FSocket.Close();
    FAlive = false;
}

std::unique_ptr<TCast> CreateCast(const TCastParams& params, int& error) {
    TServerAddress address;
    if (!ParseServerAddress(params.Server, address)) {
        error = AE_ERROR_ILLPARAM;
        return nullptr;
    }
    error = AE_OK;
    switch (address.Protocol) {
    case TCastProtocol::Icecast:
        return std::make_unique<TIcecastCast>(params, address);
    case TCastProtocol::Shoutcast2:
        return std::make_unique<TShoutcast2Cast>(params, address);
    case TCastProtocol::Shoutcast1:
        break;
    }
    return std::make_unique<TShoutcast1Cast>(params, address);
}

} // namespace vd::audio
