#include "platform/audio/cast/Cast.h"

#include <algorithm>
#include <chrono>

#include "platform/audio/AudioErrors.h"
#include "platform/audio/ThreadName.h"
#include "platform/audio/cast/CastConfig.h"
#include "platform/audio/cast/IcecastCast.h"
#include "platform/audio/cast/Shoutcast1Cast.h"
#include "platform/audio/cast/Shoutcast2Cast.h"

namespace vd::audio {

TCast::TCast(TCastParams params, TServerAddress address)
    : FParams(std::move(params)), FAddress(std::move(address)) {}

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
    {
        std::lock_guard<std::mutex> g(FLock);
        if (FStopping) opened = false; // stopped while connecting: nothing may keep running
    }
    if (!opened) {
        if (error == AE_OK) error = AE_ERROR_FILEFORM;
        return false;
    }
    // Room for twice the stall the cast time-out allows, at the stream's rate, at least 64 KB.
    std::size_t perSecond = static_cast<std::size_t>(std::max(8, FParams.Bitrate)) * 125;
    std::size_t cap = perSecond * static_cast<std::size_t>(CastSendTimeoutMs()) / 500;
    {
        std::lock_guard<std::mutex> g(FLock);
        FSocket = std::move(socket);
        FQueueCap = std::max<std::size_t>(cap, 64 * 1024);
    }
    FAlive = true;
    FSender = std::thread([this] { SendLoop(); });
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
    std::lock_guard<std::mutex> g(FLock);
    if (FStopping || FOverflow || !FAlive) return;
    if (FQueued + size > FQueueCap) {
        FOverflow = true; // the sender thread reports it and ends the cast
    } else {
        FQueue.emplace_back(reinterpret_cast<const char*>(data), size);
        FQueued += size;
    }
    FWake.notify_one();
}

bool TCast::PeerClosed() {
    char buf[512];
    net::TNetError e = net::TNetError::None;
    for (int i = 0; i < 16; ++i) { // whatever the server says is read and dropped
        long n = FSocket.Recv(buf, sizeof buf, 0, &e);
        if (n == 0) return true;
        if (n < 0) return e != net::TNetError::Timeout;
    }
    return false;
}

void TCast::Die(unsigned status) {
    TNotify notify;
    {
        std::lock_guard<std::mutex> g(FLock);
        if (FStopping) return; // ended on purpose: nothing to report
        FDeadStatus = status;
        notify = FNotify;
    }
    FAlive = false;
    if (notify) notify(status);
}

void TCast::SendLoop() {
    SetThreadName("vd-cast"); // for profiles and the benchmark
    std::string framed;
    for (;;) {
        std::string chunk;
        {
            std::unique_lock<std::mutex> g(FLock);
            // While idle, look at the connection now and then: a server that hung up is
            // noticed even when no data is flowing.
            while (!FWake.wait_for(g, std::chrono::milliseconds(250),
                                   [this] { return FStopping || FOverflow || !FQueue.empty(); })) {
                g.unlock();
                bool closed = PeerClosed();
                g.lock();
                if (closed && !FStopping) {
                    g.unlock();
                    Die(AE_ENCODE_NOTIFY_CAST);
                    return;
                }
            }
            if (FStopping) return;
            if (FOverflow) {
                g.unlock();
                Die(AE_ENCODE_NOTIFY_SERVER_SPACE);
                return;
            }
            chunk = std::move(FQueue.front());
            FQueue.pop_front();
            FQueued -= chunk.size();
        }
        Frame(reinterpret_cast<const std::uint8_t*>(chunk.data()), chunk.size(), framed);
        net::TNetError e = net::TNetError::None;
        if (!FSocket.SendAll(framed, CastSendTimeoutMs(), &e)) {
            Die(e == net::TNetError::Timeout ? AE_ENCODE_NOTIFY_CAST_TIMEOUT : AE_ENCODE_NOTIFY_CAST);
            return;
        }
        FBytesSent += chunk.size();
    }
}

void TCast::Stop() {
    {
        std::lock_guard<std::mutex> g(FLock);
        FStopping = true;
        FQueue.clear();
        FQueued = 0;
    }
    FCancel.Wake();
    FWake.notify_all();
    FSocket.Shutdown(); // ends a send that waits for the server
    if (FSender.joinable()) FSender.join();
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
