#include "platform/audio/cast/OwnPortServer.h"

#include <algorithm>

#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/CastConfig.h"
#include "platform/net/HttpAnswer.h"
#include "platform/net/HttpClient.h"
#include "platform/net/TextCodec.h"

namespace vd::audio {

struct TOwnPortServer::TClient {
    net::TSocket Socket;
    std::string Peer;
    std::thread Thread;
    std::condition_variable Wake;
    std::string Queue;
    bool Registered = false;
    bool Drop = false;
    bool Done = false;
    bool Meta = false;
    std::size_t ToMeta = kMetaInterval;
    std::uint64_t TitleSent = 0;
};

namespace {

// The ICY metadata block: a length byte in 16-byte units, then the padded text.
std::string MetaBlock(const std::string& title) {
    std::string t = title;
    std::size_t limit = 255 * 16 - 16;
    if (t.size() > limit) {
        t.resize(limit);
        // never end inside a UTF-8 sequence
        while (!t.empty() && (static_cast<unsigned char>(t.back()) & 0xC0) == 0x80)
            t.pop_back();
        if (!t.empty() && static_cast<unsigned char>(t.back()) >= 0xC0) t.pop_back();
    }
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

} // namespace

TOwnPortServer::TOwnPortServer() = default;
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
    if (!FListen.Listen(FOptions.BindAddress, FOptions.Port, 16, why)) {
        error = AE_ERROR_NONET;
        return false;
    }
    {
        std::lock_guard<std::mutex> g(FLock);
        FRing.assign(FOptions.BufferBytes, '\0');
        FRingPos = FRingFill = 0;
        FSniffedType.clear();
        FStopping = false;
    }
    FActive = true;
    FAcceptThread = std::thread([this] { AcceptLoop(); });
    error = AE_OK;
    return true;
}

void TOwnPortServer::Stop() {
    if (!FActive) return;
    {
        std::lock_guard<std::mutex> g(FLock);
        FStopping = true;
        for (auto& c : FClients) {
            c->Socket.Shutdown();
            c->Wake.notify_all();
        }
    }
    FListen.Wake();
    if (FAcceptThread.joinable()) FAcceptThread.join();
    ReapFinished(true);
    FListen.Close();
    FActive = false;
}

int TOwnPortServer::ClientCount() {
    std::lock_guard<std::mutex> g(FLock);
    return static_cast<int>(
        std::count_if(FClients.begin(), FClients.end(), [](auto& c) { return c->Registered; }));
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
    std::lock_guard<std::mutex> g(FLock);
    if (FStopping || FRing.empty()) return;
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
    std::size_t cap = std::max<std::size_t>(2 * FOptions.BufferBytes, 128 * 1024);
    for (auto& c : FClients) {
        if (!c->Registered || c->Drop) continue;
        if (c->Queue.size() + size > cap) {
            c->Drop = true; // too slow: this listener goes, at once, even from inside a send
            c->Socket.Shutdown();
        } else {
            c->Queue.append(p, size);
        }
        c->Wake.notify_one();
    }
}

void TOwnPortServer::SetTitle(const std::string& title) {
    std::lock_guard<std::mutex> g(FLock);
    FTitle = title;
    ++FTitleVersion;
}

void TOwnPortServer::AcceptLoop() {
    for (;;) {
        net::TSocket s = FListen.Accept();
        ReapFinished(false);
        std::lock_guard<std::mutex> g(FLock);
        if (FStopping) return;
        if (!s.Valid()) continue;
        if (static_cast<int>(FClients.size()) >= FOptions.MaxClients) {
            s.SendAll("HTTP/1.0 503 Server Full\r\nContent-Type: text/plain\r\n\r\nToo many listeners\r\n",
                      200);
            continue;
        }
        auto client = std::make_unique<TClient>();
        client->Peer = s.PeerText();
        client->Socket = std::move(s);
        TClient* raw = client.get();
        FClients.push_back(std::move(client));
        raw->Thread = std::thread([this, raw] { Serve(*raw); });
    }
}

void TOwnPortServer::ReapFinished(bool all) {
    std::list<std::unique_ptr<TClient>> finished;
    {
        std::lock_guard<std::mutex> g(FLock);
        for (auto it = FClients.begin(); it != FClients.end();) {
            if (all || (*it)->Done)
                finished.splice(finished.end(), FClients, it++);
            else
                ++it;
        }
    }
    for (auto& c : finished)
        if (c->Thread.joinable()) c->Thread.join();
}

bool TOwnPortServer::Handshake(TClient& c, bool& wantsMeta) {
    std::string headText;
    net::THttpHead head;
    if (!net::ReadHttpHeadText(c.Socket, headText, 8192, CastNetTimeoutMs(), nullptr)) return false;
    if (!net::ParseHttpHead(headText, head) || head.StartLine.rfind("GET ", 0) != 0) {
        c.Socket.SendAll("HTTP/1.0 400 Bad Request\r\nContent-Type: text/plain\r\n\r\nBad request\r\n", 1000);
        return false;
    }
    if (!FProc(true, c.Peer, headText)) {
        c.Socket.SendAll("HTTP/1.0 403 Forbidden\r\nContent-Type: text/plain\r\n\r\nAccess denied\r\n", 1000);
        return false;
    }
    wantsMeta = FOptions.SendMetadata && head.Field("icy-metadata") == "1";
    return true;
}

// The bytes for one listener: the stream, with a metadata block every kMetaInterval bytes when
// the listener asked for them (the new title once, empty blocks otherwise). True when the title
// went out (the chunk may end before the next block is due).
bool TOwnPortServer::Interleave(TClient& c, std::string& chunk, const std::string* title, std::string& out) {
    out.clear();
    if (!c.Meta) {
        out.swap(chunk);
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

void TOwnPortServer::Serve(TClient& c) {
    bool wantsMeta = false;
    if (!Handshake(c, wantsMeta)) {
        c.Socket.Shutdown();
        std::lock_guard<std::mutex> g(FLock);
        c.Done = true;
        return;
    }
    // Accepted from here on: whatever happens, the leave call follows.
    std::string type = FOptions.ContentType;
    if (type.empty()) {
        std::lock_guard<std::mutex> g(FLock);
        type = FSniffedType.empty() ? "audio/mpeg" : FSniffedType;
    }
    std::string answer = "HTTP/1.0 200 OK\r\nContent-Type: " + net::OneLine(type) + "\r\n";
    if (!FOptions.Name.empty()) answer += "icy-name: " + net::OneLine(FOptions.Name) + "\r\n";
    if (wantsMeta) answer += "icy-metaint: " + std::to_string(kMetaInterval) + "\r\n";
    answer += "Cache-Control: no-cache\r\nConnection: close\r\n\r\n";
    bool ok = c.Socket.SendAll(answer, CastSendTimeoutMs());
    {
        std::lock_guard<std::mutex> g(FLock);
        c.Meta = wantsMeta;
        c.Queue = Burst();
        c.Registered = ok && !FStopping;
    }
    std::string chunk, out, title;
    std::uint64_t titleVersion = 0;
    while (ok) {
        bool newTitle = false;
        {
            std::unique_lock<std::mutex> g(FLock);
            c.Wake.wait(g, [&] { return FStopping || c.Drop || !c.Queue.empty(); });
            if (FStopping || c.Drop) break;
            chunk.swap(c.Queue);
            c.Queue.clear();
            if (c.Meta && c.TitleSent != FTitleVersion) {
                newTitle = true;
                title = FTitle;
                titleVersion = FTitleVersion;
            }
        }
        if (Interleave(c, chunk, newTitle ? &title : nullptr, out)) c.TitleSent = titleVersion;
        ok = c.Socket.SendAll(out, CastSendTimeoutMs());
    }
    {
        std::lock_guard<std::mutex> g(FLock);
        c.Registered = false;
    }
    c.Socket.Shutdown();
    FProc(false, c.Peer, std::string());
    std::lock_guard<std::mutex> g(FLock);
    c.Done = true;
}

} // namespace vd::audio
