#include "app/streams/Titles.h"

#include "app/core/Engine.h"
#include "app/core/StationList.h"
#include "app/streams/TitleSession.h"
#include "platform/audio/cast/CastApi.h"
#include "platform/rtl/SmallFile.h"
#include "platform/rtl/Utf8.h"

namespace vd {

namespace {

// PendingTitle is set by the tick and cleared by the sender only for the title it sent.
std::mutex& HandOverLock() {
    static std::mutex m;
    return m;
}

} // namespace

TTitleSource::TTitleSource() = default;
TTitleSource::~TTitleSource() {
    FServer.Stop();
}

void TTitleSource::SetTitle(const String& title) {
    std::lock_guard<std::mutex> g(FLock);
    FCurrent = title;
    FNew = true;
}

bool TTitleSource::TakeNewTitle(String& title) {
    std::lock_guard<std::mutex> g(FLock);
    if (!FNew) return false;
    FNew = false;
    title = FCurrent;
    return true;
}

String TTitleSource::CurrentTitle() const {
    std::lock_guard<std::mutex> g(FLock);
    return FCurrent;
}

void TTitleSource::CheckUpdateTitle(std::uint64_t now, const TAppSettings& settings) {
    // No file named: nothing to open (an open that fails keeps the title just the same).
    if (now < FNextFileCheck || settings.TitleFile.empty()) return;
    FNextFileCheck = now + 500;
    // Never blocks the GUI thread: a pipe or device in the file's place is no title file, and a
    // file that cannot be read keeps the current title. A few bytes more than the title holds
    // show whether the cut falls inside a character.
    String text;
    if (ReadFileHead(settings.TitleFile, text, TitleFileBytes + 3) != 0) return;
    text = Utf8CutBytes(text.substr(0, text.find_first_of(String("\r\n\0", 3))), TitleFileBytes);
    std::lock_guard<std::mutex> g(FLock);
    if (text != FCurrent) {
        FCurrent = text;
        FNew = true;
    }
}

String TTitleSource::ServePort(std::uint64_t now, const TAppSettings& settings) {
    {
        // Every tick: a connection that comes later takes the settings of its time, so a changed
        // password holds at once and the old one stops working.
        std::lock_guard<std::mutex> g(FLock);
        FPassword = settings.TitlePass;
        FAsString = settings.TitleAsString;
        FIpOnly = settings.TitleIPOnly;
        FIp = settings.TitleIP;
    }
    if (FServer.Active() && FOpenPort == settings.TitlePort) return String();
    if (FServer.Active()) FServer.Stop(); // the port changed
    if (now < FNextPortTry) return String();
    FNextPortTry = now + 3000;
    String error;
    net::TTcpServerOptions o;
    o.Port = static_cast<std::uint16_t>(settings.TitlePort);
    o.MaxClients = kMaxClients;
    o.MinServeMs = kMinServeMs;
    bool ok = settings.TitlePort > 0 && settings.TitlePort <= 65535 &&
              FServer.Start(
                  o, [this](net::TSocket& c) { ServeClient(c); }, error);
    if (ok) {
        FOpenPort = settings.TitlePort;
        FLastFailure.clear();
        return String();
    }
    String text =
        "Title port " + std::to_string(settings.TitlePort) + ": " + (error.empty() ? "invalid" : error);
    if (text == FLastFailure) return String(); // logged once per kind of failure
    FLastFailure = text;
    return text;
}

void TTitleSource::ServeClient(net::TSocket& client) {
    String password, ip;
    bool asString, ipOnly;
    {
        std::lock_guard<std::mutex> g(FLock);
        password = FPassword;
        asString = FAsString;
        ipOnly = FIpOnly;
        ip = FIp;
    }
    if (ipOnly && client.LocalAddress() != ip) return;
    TTitleSession session(password, asString);
    const int timeout = FClientTimeoutMs;
    // One deadline for the whole exchange: a client trickling a byte at a time gets no longer.
    net::TDeadlineScope whole(timeout);
    if (!client.SendAll(TTitleSession::Greeting(), timeout)) return;
    char buf[1024];
    for (;;) {
        long n = client.Recv(buf, sizeof buf, timeout);
        if (n <= 0) return;
        String reply;
        auto r = session.Feed(buf, static_cast<std::size_t>(n), reply);
        if (!reply.empty() && !client.SendAll(reply, timeout)) return;
        if (r == TTitleSession::TResult::Close) return;
        if (r == TTitleSession::TResult::Done) break;
    }
    if (!session.Title().empty()) SetTitle(session.Title());
}

void SendToStation(const String& title, const std::function<void(TStationRecord&, const String&)>& logLine) {
    String cut = CutText(title, StationTextLength);
    for (const TStationPtr& s : StationList.Snapshot()) {
        if (s->State != ssOnline) continue;
        {
            std::lock_guard<std::mutex> g(HandOverLock());
            s->PendingTitle.Set(cut);
        }
        if (s->Config().Title != stmDisable && logLine) logLine(*s, "Title: " + cut);
    }
}

bool TTitleSender::TitleSender(TStationRecord& s, std::uint64_t now) {
    String title = s.PendingTitle.Get();
    if (title.empty()) return true;
    {
        std::lock_guard<std::mutex> g(FLock);
        auto it = FRetryAt.find(&s);
        if (it != FRetryAt.end() && now < it->second) return false;
    }
    bool done = true;
    if (s.Config().Title != stmDisable) {
        std::uint32_t encoder = s.Encoder;
        done = encoder != 0 && audio::AE_Encode_CastSetTitle(encoder, title.c_str(), nullptr);
    }
    std::lock_guard<std::mutex> g(FLock);
    if (!done) {
        FRetryAt[&s] = now + kRetryMs;
        return false;
    }
    FRetryAt.erase(&s);
    std::lock_guard<std::mutex> h(HandOverLock());
    if (s.PendingTitle.Get() == title) s.PendingTitle.Clear(); // a newer title stays pending
    return true;
}

void TTitleSender::Pass() {
    std::uint64_t now = MillisecondClock();
    auto list = StationList.Snapshot();
    for (const TStationPtr& s : list)
        if (s->State == ssOnline && !s->Lost) TitleSender(*s, now);
    std::lock_guard<std::mutex> g(FLock);
    for (auto it = FRetryAt.begin(); it != FRetryAt.end();) { // forget streams that are gone
        bool present = false;
        for (const TStationPtr& s : list)
            present = present || s.get() == it->first;
        it = present ? std::next(it) : FRetryAt.erase(it);
    }
}

} // namespace vd
