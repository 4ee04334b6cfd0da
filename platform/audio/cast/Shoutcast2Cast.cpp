#include "platform/audio/cast/Shoutcast2Cast.h"

#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/CastConfig.h"
#include "platform/audio/cast/Ultravox.h"
#include "platform/net/HttpClient.h"
#include "platform/net/TextCodec.h"

namespace vd::audio {

namespace {
const char kAdminAgent[] = "User-Agent: Mozilla/5.0 (compatible; Vendrill/1.0)\r\n";
}

TShoutcast2Cast::TShoutcast2Cast(TCastParams params, TServerAddress address)
    : TCast(std::move(params), std::move(address)), FDataType(uvox::DataType(FParams.ContentType)) {
    // "user:password"; without a colon it is all password.
    std::size_t colon = FParams.Password.find(':');
    if (colon == std::string::npos) {
        FPassword = FParams.Password;
    } else {
        FUser = FParams.Password.substr(0, colon);
        FPassword = FParams.Password.substr(colon + 1);
    }
}

bool TShoutcast2Cast::Exchange(net::TSocket& socket, std::uint16_t type, const std::string& payload,
                               std::string& answer, int& error) {
    net::TNetError e = net::TNetError::None;
    if (!socket.SendAll(uvox::Message(type, payload), CastNetTimeoutMs(), &e)) {
        error = NetErrorCode(e);
        return false;
    }
    std::string buffer;
    uvox::TMessage m;
    for (;;) {
        int r = uvox::Parse(buffer, m);
        if (r < 0) {
            error = AE_ERROR_FILEFORM;
            return false;
        }
        if (r > 0) break;
        char c[512];
        // Exactly the bytes of one message: read the head, then the rest it announces.
        std::size_t want =
            buffer.size() < 6
                ? 6 - buffer.size()
                : 7 + ((static_cast<unsigned char>(buffer[4]) << 8) | static_cast<unsigned char>(buffer[5])) -
                      buffer.size();
        if (want > sizeof c) want = sizeof c;
        long n = socket.Recv(c, want, CastNetTimeoutMs(), &e);
        if (n <= 0) {
            error = NetErrorCode(e);
            return false;
        }
        buffer.append(c, static_cast<std::size_t>(n));
    }
    answer = m.Payload;
    if (m.Type != type || answer.rfind("ACK", 0) != 0) {
        error = answer.find("Auth") != std::string::npos || answer.find("Password") != std::string::npos
                    ? AE_ERROR_ILLPARAM
                    : AE_ERROR_FILEFORM;
        return false;
    }
    return true;
}

bool TShoutcast2Cast::Open(net::TSocket& socket, int& error) {
    net::TNetError e = net::TNetError::None;
    socket = net::TSocket::Connect(FAddress.Host, FAddress.Port, CastNetTimeoutMs(), e);
    if (!socket.Valid()) {
        error = NetErrorCode(e);
        return false;
    }
    std::string answer;
    if (!Exchange(socket, uvox::kCipherKey, "2.1", answer, error)) return false;
    std::string key = answer.size() > 4 ? answer.substr(4) : std::string(); // "ACK:<key>"
    std::string auth = "2.1:" + FAddress.StreamId + ":" + uvox::XteaEncryptHex(FUser, key) + ":" +
                       uvox::XteaEncryptHex(FPassword, key);
    int kbps = FParams.Bitrate;
    std::string bits = std::to_string(kbps * 1000);
    struct Step {
        std::uint16_t Type;
        std::string Payload;
    } steps[] = {
        {uvox::kAuthenticate, auth},
        {uvox::kMimeType, FParams.ContentType},
        {uvox::kSetupBroadcast, bits + ":" + bits},
        {uvox::kNegotiateBuffer, "64:32"},
        {uvox::kNegotiatePayload, std::to_string(uvox::kMaxPayload) + ":4096"},
    };
    for (const auto& s : steps)
        if (!Exchange(socket, s.Type, s.Payload, answer, error)) return false;
    if (FParams.Name && !Exchange(socket, uvox::kIcyName, *FParams.Name, answer, error)) return false;
    if (FParams.Genre && !Exchange(socket, uvox::kIcyGenre, *FParams.Genre, answer, error)) return false;
    if (!Exchange(socket, uvox::kIcyUrl, FParams.Url, answer, error)) return false;
    if (!Exchange(socket, uvox::kIcyPub, FParams.Public ? "1" : "0", answer, error)) return false;
    return Exchange(socket, uvox::kStandby, "", answer, error);
}

void TShoutcast2Cast::Frame(const std::uint8_t* data, std::size_t size, std::string& out) {
    out.clear();
    for (std::size_t at = 0; at < size; at += uvox::kMaxPayload) {
        std::size_t n = size - at < uvox::kMaxPayload ? size - at : uvox::kMaxPayload;
        out += uvox::Message(FDataType, std::string(reinterpret_cast<const char*>(data) + at, n));
    }
}

bool TShoutcast2Cast::SetTitle(const std::string& title) {
    std::string path = "/admin.cgi?sid=" + FAddress.StreamId + "&pass=" + net::UrlEncode(FPassword) +
                       "&mode=updinfo&song=" + net::UrlEncode(title);
    auto r = net::HttpGet(FAddress.Host, FAddress.Port, path, kAdminAgent, CastNetTimeoutMs(), 4096);
    return r.Ok && r.Status == 200;
}

std::string TShoutcast2Cast::GetStats() {
    auto r = net::HttpGet(FAddress.Host, FAddress.Port,
                          "/admin.cgi?sid=" + FAddress.StreamId + "&pass=" + net::UrlEncode(FPassword) +
                              "&mode=viewxml",
                          kAdminAgent, CastNetTimeoutMs());
    return r.Ok && r.Status == 200 ? r.Body : std::string();
}

} // namespace vd::audio
