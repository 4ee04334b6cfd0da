#include "platform/audio/cast/CastApi.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/audio/cast/Cast.h"
#include "platform/audio/cast/OwnPortServer.h"

namespace vd::audio {

namespace {

// The encoder owns its sinks (it drops them when it ends); this only finds them again.
struct TEntry {
    std::weak_ptr<TCast> Cast;
    std::weak_ptr<TOwnPortServer> Server;
};

struct TRegistry {
    std::mutex Lock;
    std::map<HENCODE, TEntry> Entries;

    void Put(HENCODE h, TEntry e) {
        std::lock_guard<std::mutex> g(Lock);
        for (auto it = Entries.begin(); it != Entries.end();) // forget ended encoders
            it = it->second.Cast.expired() && it->second.Server.expired() ? Entries.erase(it) : std::next(it);
        Entries[h] = std::move(e);
    }
    TEntry Get(HENCODE h) {
        std::lock_guard<std::mutex> g(Lock);
        auto it = Entries.find(h);
        return it == Entries.end() ? TEntry{} : it->second;
    }
    TEntry Take(HENCODE h) {
        std::lock_guard<std::mutex> g(Lock);
        auto it = Entries.find(h);
        if (it == Entries.end()) return {};
        TEntry e = it->second;
        Entries.erase(it);
        return e;
    }
    // Removes the entry only while it is still this cast's.
    void Forget(HENCODE h, const TCast* cast) {
        std::lock_guard<std::mutex> g(Lock);
        auto it = Entries.find(h);
        if (it != Entries.end() && it->second.Cast.lock().get() == cast) Entries.erase(it);
    }
};

TRegistry& Registry() {
    static TRegistry r;
    return r;
}

std::optional<std::string> Opt(const char* s) {
    return s ? std::optional<std::string>(s) : std::nullopt;
}

bool Fail(int code) {
    AE_SetErrorCode(code);
    return false;
}

} // namespace

bool AE_Encode_CastInit(HENCODE handle, const char* server, const char* pass, const char* content,
                        const char* name, const char* url, const char* genre, const char* desc,
                        const char* headers, std::uint32_t bitrate, bool pub) {
    if (!AE_Encode_IsActive(handle)) return Fail(AE_ERROR_HANDLE);
    if (!server) return Fail(AE_ERROR_ILLPARAM);
    TCastParams p;
    p.Server = server;
    p.Password = pass ? pass : "";
    p.ContentType = content && *content ? content : "audio/mpeg";
    p.Name = Opt(name);
    p.Url = url ? url : "";
    p.Genre = Opt(genre);
    p.Description = Opt(desc);
    p.Headers = headers ? headers : "";
    p.Bitrate = static_cast<int>(bitrate > 100000 ? 100000 : bitrate);
    p.Public = pub;
    int error = AE_OK;
    std::shared_ptr<TCast> cast = CreateCast(p, error);
    if (!cast) return Fail(error);
    AE_Encode_CastFree(handle); // set up again: the old cast goes, with its descriptors
    // Attached before the handshake (it takes no data until connected): AE_Encode_Stop abandons
    // it from here on, and before this the attach fails. So a Stop whose CastFree came too early
    // to find the cast still ends the attempt at once.
    if (!AE_Encode_AttachSink(handle, cast)) return Fail(AE_ERROR_HANDLE);
    Registry().Put(handle, {cast, {}}); // CastFree can end the attempt from here on
    if (!cast->Start(error)) {
        Registry().Forget(handle, cast.get());
        AE_Encode_DetachSink(handle, cast.get());
        return Fail(AE_Encode_IsActive(handle) ? error : AE_ERROR_HANDLE);
    }
    cast->SetNotify([handle](unsigned status) { AE_Encode_RaiseNotify(handle, status); });
    return true;
}

std::uint32_t AE_Encode_ServerInit(HENCODE handle, const char* port, std::uint32_t buffer,
                                   std::uint32_t burst, std::uint32_t flags, ENCODECLIENTPROC proc,
                                   void* user) {
    if (!AE_Encode_IsActive(handle)) return Fail(AE_ERROR_HANDLE);
    TOwnPortServer::TOptions o;
    std::string text = port ? port : "";
    std::size_t colon = text.rfind(':');
    if (colon != std::string::npos) {
        o.BindAddress = text.substr(0, colon);
        text = text.substr(colon + 1);
    }
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(text) == 0 || std::stoul(text) > 65535)
        return Fail(AE_ERROR_ILLPARAM);
    o.Port = static_cast<std::uint16_t>(std::stoul(text));
    o.BufferBytes = buffer;
    o.BurstBytes = burst;
    o.SendMetadata = (flags & AE_ENCODE_SERVER_META) != 0;
    o.ContentType.clear();      // told by the stream's first bytes
    AE_Encode_CastFree(handle); // set up again: the old server and its listeners go first
    auto server = std::make_shared<TOwnPortServer>();
    int error = AE_OK;
    bool started = server->Start(
        o,
        [handle, proc, user](bool connect, const std::string& client, const std::string& headers) {
            return !proc || proc(handle, connect, client.c_str(), headers.c_str(), user);
        },
        error);
    if (!started) return Fail(error);
    if (!AE_Encode_AttachSink(handle, server)) return Fail(AE_ERROR_HANDLE);
    Registry().Put(handle, {{}, server});
    return 1;
}

bool AE_Encode_CastSetTitle(HENCODE handle, const char* title, const char* /*url*/) {
    TEntry e = Registry().Get(handle);
    std::string t = title ? title : "";
    if (auto cast = e.Cast.lock()) return cast->Alive() ? cast->SetTitle(t) : Fail(AE_ERROR_ENDED);
    if (auto server = e.Server.lock()) {
        server->SetTitle(t);
        return true;
    }
    return Fail(AE_ERROR_HANDLE);
}

const char* AE_Encode_CastGetStats(HENCODE handle, std::uint32_t /*type*/, const char* /*pass*/) {
    thread_local std::string text;
    auto cast = Registry().Get(handle).Cast.lock();
    if (!cast) {
        AE_SetErrorCode(AE_ERROR_HANDLE);
        return nullptr;
    }
    text = cast->GetStats();
    if (text.empty()) {
        AE_SetErrorCode(AE_ERROR_NOTAVAIL);
        return nullptr;
    }
    return text.c_str();
}

bool AE_Encode_CastIsAlive(HENCODE handle) {
    TEntry e = Registry().Get(handle);
    if (auto cast = e.Cast.lock()) return cast->Alive();
    return !e.Server.expired();
}

bool AE_Encode_CastFree(HENCODE handle) {
    TEntry e = Registry().Take(handle);
    bool any = false;
    if (auto cast = e.Cast.lock()) {
        AE_Encode_DetachSink(handle, cast.get());
        cast->Stop();
        any = true;
    }
    if (auto server = e.Server.lock()) {
        AE_Encode_DetachSink(handle, server.get());
        server->Stop(); // every leave call has run (on the I/O loop) when this returns
        any = true;
    }
    return any;
}

} // namespace vd::audio
