#include "platform/audio/cast/OwnPortServer.h"

#include <algorithm>

#include "platform/audio/AudioErrors.h"
#include "platform/net/HttpAnswer.h"
#include "platform/net/TextCodec.h"
#include "platform/rtl/Utf8.h"

namespace vd::audio {

struct TOwnPortServer::TClient {
    net::TSocket Socket;
    int Fd = -1;
    std::string Peer;
    TClock::time_point AcceptedAt;
    std::string Head;        // the request head so far
    bool Live = false;       // answered: gets the stream
    bool Registered = false; // its join call said yes: its leave call is due
    bool Dead = false;
    bool Meta = false;
    bool WantsRoom = false; // watching for room in its send buffer
    std::string Out;        // for this listener; unsent from OutPos on
    std::size_t OutPos = 0;
    std::uint64_t Appended = 0;
    std::uint64_t Sent = 0;
    std::deque<std::pair<std::uint64_t, TClock::time_point>> Marks; // end of each chunk, when it came
    std::size_t ToMeta = kMetaInterval;
    std::uint64_t TitleSent = 0;
};

namespace {

constexpr std::size_t MaxHeadBytes = 8192;
constexpr auto TickPeriod = std::chrono::milliseconds(250);
constexpr int AcceptsPerRound = 256; // then the others get their turn; the rest comes next round

// The ICY metadata block: a length byte in 16-byte units, then the padded text.
std::string MetaBlock(const std::string& title) {
    const std::string t = Utf8CutBytes(title, 255 * 16 - 16);
    std::string text = "StreamTitle='" + t + "';";
    std::size_t units = (text.size() + 15) / 16;
    text.resize(units * 16, '\0');
    return std::string(1, static_cast<char>(units)) + text;
}

std::string SniffContentType(const std::uint8_t* d) {
    if (d[0] == 'O' && d[1] == 'g' && d[2] == 'g' && d[3] == 'S') return "audio/ogg";
    if (d[0] == 0xFF && (d[1] & 0xF6) == 0xF0) return "audio/aacp"; // ADTS: layer bits 00
    return "audio/mpeg";
}

// Where the request head ends (after its blank line), npos while it has not.
std::size_t HeadEnd(const std::string& head) {
    const std::size_t lf = head.find("\n\n"), crlf = head.find("\r\n\r\n");
    return std::min(lf == std::string::npos ? lf : lf + 2, crlf == std::string::npos ? crlf : crlf + 4);
}

} // namespace

TOwnPortServer::TOwnPortServer() : FLoop(TIoLoop::Shared()) {}

TOwnPortServer::~TOwnPortServer() {
    Stop();
}

bool TOwnPortServer::Start(const TOptions& options, TClientProc proc, int& error) {
    Stop();
    FOptions = options;
    FOptions.BufferBytes = std::max<std::size_t>(options.BufferBytes, 1024);
    FOptions.BurstBytes = std::min(options.BurstBytes, FOptions.BufferBytes);
    FProc = std::move(proc);
    std::string why;
    if (!FListen.Listen(FOptions.BindAddress, FOptions.Port, net::TListenSocket::kSystemBacklog, why)) {
        error = AE_ERROR_NONET;
        return false;
    }
    {
        std::lock_guard<std::mutex> g(FLock);
        FRing.assign(FOptions.BufferBytes, '\0');
        FRingPos = FRingFill = 0;
        FIncoming.clear();
        FSniffedType.clear();
        FStopping = false;
    }
    FActive = true;
    // Posted: the caller may hold a lock that a callback on the loop waits for.
    FLoop.Post([this] { Attach(); });
    error = AE_OK;
    return true;
}

void TOwnPortServer::Stop() {
    if (!FActive) return;
    {
        std::lock_guard<std::mutex> g(FLock);
        FStopping = true;
        FIncoming.clear();
    }
    FLoop.Call([this] { Detach(); });
    FListen.Close();
    FActive = false;
}

void TOwnPortServer::Attach() {
    FListenWatched = FLoop.Watch(FListen.Fd(), kIoRead, this);
    FLoop.AddWakeHandler(this);
    FLoop.SetTimer(this, TClock::now() + TickPeriod);
}

void TOwnPortServer::Detach() {
    for (auto& c : FClients)
        Close(*c);
    Sweep();
    if (FListenWatched) FLoop.Unwatch(FListen.Fd());
    FListenWatched = false;
    FLoop.RemoveWakeHandler(this);
    FLoop.CancelTimer(this);
}

std::string TOwnPortServer::Burst() const {
    std::size_t n = std::min(FOptions.BurstBytes, FRingFill);
    std::string out;
    out.reserve(n);
    std::size_t start = (FRingPos + FRing.size() - n) % FRing.size();
    std::size_t first = std::min(n, FRing.size() - start);
    out.append(FRing, start, first);
    out.append(FRing, 0, n - first);
    return out;
}

void TOwnPortServer::Deliver(const std::uint8_t* data, std::size_t size) {
    {
        std::lock_guard<std::mutex> g(FLock);
        if (FStopping || FRing.empty() || size == 0) return;
        if (FSniffedType.empty() && size >= 4) FSniffedType = SniffContentType(data);
        const char* p = reinterpret_cast<const char*>(data);
        for (std::size_t left = size, at = 0; left > 0;) {
            std::size_t n = std::min(left, FRing.size() - FRingPos);
            std::copy(p + at, p + at + n, FRing.begin() + static_cast<std::ptrdiff_t>(FRingPos));
            FRingPos = (FRingPos + n) % FRing.size();
            FRingFill = std::min(FRing.size(), FRingFill + n);
            at += n;
            left -= n;
        }
        FIncoming.append(p, size);
    }
    FPending.store(true, std::memory_order_release);
    FLoop.Wake();
}

void TOwnPortServer::SetTitle(const std::string& title) {
    std::lock_guard<std::mutex> g(FLock);
    FTitle = title;
    ++FTitleVersion;
}

void TOwnPortServer::OnIo(int fd, std::uint32_t events) {
    if (fd == FListen.Fd()) {
        AcceptAll();
    } else if (auto it = FByFd.find(fd); it != FByFd.end()) {
        TClient& c = *it->second;
        if (events & kIoError) {
            Close(c);
        } else if (!c.Live) {
            ReadHead(c);
        } else {
            if (events & (kIoRead | kIoHangup)) {
                // A listener says nothing after its head: whatever comes is dropped, the end
                // means it left.
                char buf[4096];
                for (int i = 0; i < 4; ++i) {
                    bool wouldBlock = false;
                    const long n = c.Socket.RecvNow(buf, sizeof buf, wouldBlock);
                    if (n > 0) continue;
                    if (!wouldBlock) Close(c);
                    break;
                }
            }
            if (!c.Dead && (events & kIoWrite)) Flush(c);
        }
    }
    Sweep();
}

void TOwnPortServer::AcceptAll() {
    for (int i = 0; i < AcceptsPerRound; ++i) {
        bool refused = false, starved = false;
        net::TSocket s = FListen.AcceptNow(refused, starved);
        if (refused || starved) {
            // No descriptor left: the connection was closed at once (counted), and a silent
            // one gives way so that the next listener may get in.
            if (refused) FRefused.fetch_add(1, std::memory_order_relaxed);
            EvictOldestSilent(true);
            if (starved) { // not even the spare: looked at again on the next tick
                FLoop.Unwatch(FListen.Fd());
                FListenWatched = false;
                return;
            }
            continue;
        }
        if (!s.Valid()) return;
        EvictOldestSilent(false);
        s.SetSendBuffer(FOptions.SendBufferBytes);
        auto client = std::make_unique<TClient>();
        client->Peer = s.PeerText();
        client->Fd = s.Fd();
        client->Socket = std::move(s);
        client->AcceptedAt = TClock::now();
        if (!FLoop.Watch(client->Fd, kIoRead | kIoHangup, this)) continue;
        FByFd[client->Fd] = client.get();
        FClients.push_back(std::move(client));
    }
}

// Connections still without a head are bounded too: the oldest of them gives way.
void TOwnPortServer::EvictOldestSilent(bool always) {
    TClient* oldest = nullptr;
    int silent = 0;
    for (auto& c : FClients) {
        if (c->Live || c->Dead) continue;
        if (!oldest) oldest = c.get();
        ++silent;
    }
    if (oldest && (always || (FOptions.MaxClients > 0 && silent >= FOptions.MaxClients))) Close(*oldest);
}

void TOwnPortServer::ReadHead(TClient& c) {
    char buf[2048];
    for (;;) {
        bool wouldBlock = false;
        const long n = c.Socket.RecvNow(buf, std::min(sizeof buf, MaxHeadBytes - c.Head.size()), wouldBlock);
        if (n < 0 && wouldBlock) return;
        if (n <= 0) return Close(c);
        c.Head.append(buf, static_cast<std::size_t>(n));
        if (const std::size_t end = HeadEnd(c.Head); end != std::string::npos) {
            c.Head.resize(end); // what a client sends after its head is not ours to read
            return Answer(c, c.Head);
        }
        if (c.Head.size() >= MaxHeadBytes) return Close(c);
    }
}

void TOwnPortServer::Answer(TClient& c, const std::string& headText) {
    net::THttpHead head;
    if (!net::ParseHttpHead(headText, head) || head.StartLine.rfind("GET ", 0) != 0) {
        c.Socket.SendNow(
            std::string("HTTP/1.0 400 Bad Request\r\nContent-Type: text/plain\r\n\r\nBad request\r\n"));
        return Close(c);
    }
    if (FOptions.MaxClients > 0 && ClientCount() >= FOptions.MaxClients) {
        c.Socket.SendNow(std::string(
            "HTTP/1.0 503 Server Full\r\nContent-Type: text/plain\r\n\r\nToo many listeners\r\n"));
        return Close(c);
    }
    if (!FProc(true, c.Peer, headText)) {
        c.Socket.SendNow(
            std::string("HTTP/1.0 403 Forbidden\r\nContent-Type: text/plain\r\n\r\nAccess denied\r\n"));
        return Close(c);
    }
    // Accepted from here on: whatever happens, the leave call follows.
    c.Registered = true;
    FListeners.fetch_add(1, std::memory_order_acq_rel);
    const bool wantsMeta = FOptions.SendMetadata && head.Field("icy-metadata") == "1";
    std::string burst, title, type = FOptions.ContentType;
    std::uint64_t version;
    {
        std::lock_guard<std::mutex> g(FLock);
        if (type.empty()) type = FSniffedType.empty() ? "audio/mpeg" : FSniffedType;
        burst = Burst();
        title = FTitle;
        version = FTitleVersion;
    }
    std::string answer = "HTTP/1.0 200 OK\r\nContent-Type: " + net::OneLine(type) + "\r\n";
    if (!FOptions.Name.empty()) answer += "icy-name: " + net::OneLine(FOptions.Name) + "\r\n";
    if (wantsMeta) answer += "icy-metaint: " + std::to_string(kMetaInterval) + "\r\n";
    answer += "Cache-Control: no-cache\r\nConnection: close\r\n\r\n";
    const auto now = TClock::now();
    c.Live = true;
    c.Out = std::move(answer);
    c.Appended = c.Out.size();
    c.Marks.emplace_back(c.Appended, now);
    c.Meta = wantsMeta;
    Append(c, burst, c.Meta && version != 0 ? &title : nullptr, version, now);
    Flush(c);
}

void TOwnPortServer::Append(TClient& c, const std::string& data, const std::string* title,
                            std::uint64_t version, TClock::time_point now) {
    if (data.empty()) return;
    if (Interleave(c, data, title, FOut)) c.TitleSent = version;
    c.Out += FOut;
    c.Appended += FOut.size();
    c.Marks.emplace_back(c.Appended, now);
}

// Behind by time: the oldest byte not yet in the kernel's hands came more than MaxLagMs ago.
bool TOwnPortServer::Behind(const TClient& c, TClock::time_point now) const {
    return !c.Marks.empty() && now - c.Marks.front().second > std::chrono::milliseconds(FOptions.MaxLagMs);
}

void TOwnPortServer::Flush(TClient& c) {
    while (c.OutPos < c.Out.size()) {
        const long n = c.Socket.SendNow(c.Out.data() + c.OutPos, c.Out.size() - c.OutPos);
        if (n < 0) return Close(c);
        if (n == 0) break;
        c.OutPos += static_cast<std::size_t>(n);
        c.Sent += static_cast<std::uint64_t>(n);
    }
    while (!c.Marks.empty() && c.Marks.front().first <= c.Sent)
        c.Marks.pop_front();
    const bool more = c.OutPos < c.Out.size();
    if (!more) {
        c.Out.clear();
        c.OutPos = 0;
    } else if (c.OutPos >= 65536 && 2 * c.OutPos >= c.Out.size()) {
        c.Out.erase(0, c.OutPos);
        c.OutPos = 0;
    }
    if (more != c.WantsRoom) {
        c.WantsRoom = more;
        FLoop.Modify(c.Fd, kIoRead | kIoHangup | (more ? kIoWrite : 0));
    }
}

void TOwnPortServer::OnWake() {
    if (!FPending.exchange(false, std::memory_order_acq_rel)) return;
    std::string title;
    std::uint64_t version;
    {
        std::lock_guard<std::mutex> g(FLock);
        FChunk.swap(FIncoming);
        FIncoming.clear();
        title = FTitle;
        version = FTitleVersion;
    }
    if (FChunk.empty()) return;
    const std::size_t cap = std::max<std::size_t>(2 * FOptions.BufferBytes, 128 * 1024);
    const auto now = TClock::now();
    for (auto& cp : FClients) {
        TClient& c = *cp;
        if (!c.Live || c.Dead) continue;
        // Behind by time or by bytes: a listener that stopped reading goes within seconds,
        // whatever the stream's rate and the buffer size.
        if (Behind(c, now) || c.Appended - c.Sent + FChunk.size() > cap) {
            Close(c);
            continue;
        }
        Append(c, FChunk, c.Meta && c.TitleSent != version ? &title : nullptr, version, now);
        Flush(c);
    }
    Sweep();
}

// Head time-outs, and listeners whose sends stalled while no new data came to notice it.
void TOwnPortServer::OnTimer() {
    const auto now = TClock::now();
    if (!FListenWatched && FListen.Fd() >= 0) FListenWatched = FLoop.Watch(FListen.Fd(), kIoRead, this);
    const auto headTimeout = std::chrono::milliseconds(FOptions.HeadTimeoutMs);
    for (auto& c : FClients) {
        if (c->Dead) continue;
        if (c->Live ? Behind(*c, now) : now - c->AcceptedAt > headTimeout) Close(*c);
    }
    Sweep();
    FLoop.SetTimer(this, now + TickPeriod);
}

// The connection's descriptor goes at once; an accepted listener gets its leave call.
void TOwnPortServer::Close(TClient& c) {
    if (c.Dead) return;
    c.Dead = true;
    FHasDead = true;
    FLoop.Unwatch(c.Fd);
    FByFd.erase(c.Fd);
    c.Socket.Shutdown();
    c.Socket.Close();
    if (c.Registered) {
        c.Registered = false;
        FListeners.fetch_sub(1, std::memory_order_acq_rel);
        FProc(false, c.Peer, std::string());
    }
}

void TOwnPortServer::Sweep() {
    if (!FHasDead) return;
    FHasDead = false;
    FClients.remove_if([](const auto& c) { return c->Dead; });
}

// The bytes for one listener: the stream, with a metadata block every kMetaInterval bytes when
// the listener asked for them (the new title once, empty blocks otherwise). True when the title
// went out (the chunk may end before the next block is due).
bool TOwnPortServer::Interleave(TClient& c, const std::string& chunk, const std::string* title,
                                std::string& out) {
    out.clear();
    if (!c.Meta) {
        out = chunk;
        return false;
    }
    bool sent = false;
    std::size_t at = 0;
    while (at < chunk.size()) {
        std::size_t n = std::min(c.ToMeta, chunk.size() - at);
        out.append(chunk, at, n);
        at += n;
        c.ToMeta -= n;
        if (c.ToMeta == 0) {
            out += title ? MetaBlock(*title) : std::string(1, '\0');
            sent = sent || title;
            title = nullptr;
            c.ToMeta = kMetaInterval;
        }
    }
    return sent;
}

} // namespace vd::audio
