#include "platform/audio/cast/Shoutcast1Cast.h"

#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/CastConfig.h"
#include "platform/net/HttpClient.h"
#include "platform/net/TextCodec.h"

namespace vd::audio {

namespace {

// The admin page answers only clients that look like a browser.
const char kAdminAgent[] = "User-Agent: Mozilla/5.0 (compatible; Vendrill/1.0)\r\n";

} // namespace

std::string TShoutcast1Cast::HeaderBlock() const {
    std::string h = "content-type:" + net::OneLine(FParams.ContentType) + "\r\n";
    if (FParams.Name) h += "icy-name:" + net::OneLine(*FParams.Name) + "\r\n";
    if (FParams.Genre) h += "icy-genre:" + net::OneLine(*FParams.Genre) + "\r\n";
    h += "icy-url:" + net::OneLine(FParams.Url) + "\r\n";
    if (FParams.Description) h += "icy-description:" + net::OneLine(*FParams.Description) + "\r\n";
    h += std::string("icy-pub:") + (FParams.Public ? "1" : "0") + "\r\n";
    h += "icy-br:" + std::to_string(FParams.Bitrate) + "\r\n";
    // The console's extra lines (irc, icq, aim), each ending CR LF; a stray blank line in them
    // would end the head early, so only non-empty lines pass.
    std::size_t pos = 0;
    const std::string& x = FParams.Headers;
    while (pos < x.size()) {
        std::size_t end = x.find('\n', pos);
        std::string line =
            net::OneLine(x.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        if (!line.empty()) h += line + "\r\n";
        pos = end == std::string::npos ? x.size() : end + 1;
    }
    return h + "\r\n";
}

bool TShoutcast1Cast::Open(net::TSocket& socket, int& error) {
    net::TNetError e = net::TNetError::None;
    socket = net::TSocket::Connect(FAddress.Host, static_cast<std::uint16_t>(FAddress.Port + 1),
                                   CastNetTimeoutMs(), e);
    std::string answer;
    if (!socket.Valid() || !socket.SendAll(net::OneLine(FParams.Password) + "\r\n", CastNetTimeoutMs(), &e)) {
        error = NetErrorCode(e);
        return false;
    }
    if (!socket.RecvLine(answer, 1024, CastNetTimeoutMs(), &e)) {
        // Some servers hang up on a wrong password without a word.
        error = e == net::TNetError::Closed ? AE_ERROR_ILLPARAM : NetErrorCode(e);
        return false;
    }
    if (answer.rfind("OK2", 0) != 0) {
        // "invalid password" and its relatives
        error = answer.find("assword") != std::string::npos ? AE_ERROR_ILLPARAM : AE_ERROR_FILEFORM;
        return false;
    }
    if (!socket.SendAll(HeaderBlock(), CastNetTimeoutMs(), &e)) {
        error = NetErrorCode(e);
        return false;
    }
    return true;
}

bool TShoutcast1Cast::SetTitle(const std::string& title) {
    std::string path =
        "/admin.cgi?pass=" + net::UrlEncode(FParams.Password) + "&mode=updinfo&song=" + net::UrlEncode(title);
    auto r = net::HttpGet(FAddress.Host, FAddress.Port, path, kAdminAgent, CastNetTimeoutMs(), 4096);
    return r.Ok && r.Status == 200;
}

std::string TShoutcast1Cast::GetStats() {
    auto r = net::HttpGet(FAddress.Host, FAddress.Port,
                          "/admin.cgi?pass=" + net::UrlEncode(FParams.Password) + "&mode=viewxml",
                          kAdminAgent, CastNetTimeoutMs());
    return r.Ok && r.Status == 200 ? r.Body : std::string();
}

} // namespace vd::audio
