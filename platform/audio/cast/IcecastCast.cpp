#include "platform/audio/cast/IcecastCast.h"

#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/CastConfig.h"
#include "platform/net/HttpAnswer.h"
#include "platform/net/HttpClient.h"
#include "platform/net/TextCodec.h"
#include "platform/rtl/Utf8.h"

namespace vd::audio {

std::string TIcecastCast::AuthHeader() const {
    return "Authorization: Basic " + net::Base64Encode("source:" + FParams.Password) + "\r\n";
}

std::string TIcecastCast::RequestHead(const std::string& method) const {
    std::string h = method + " " + FAddress.Mount + (method == "PUT" ? " HTTP/1.1\r\n" : " HTTP/1.0\r\n");
    h += "Host: " + FAddress.Host + ":" + std::to_string(FAddress.Port) + "\r\n";
    h += AuthHeader();
    h += "User-Agent: Vendrill/1.0\r\n";
    h += "Content-Type: " + net::OneLine(FParams.ContentType) + "\r\n";
    if (FParams.Name) h += "ice-name: " + net::OneLine(*FParams.Name) + "\r\n";
    h += "ice-url: " + net::OneLine(FParams.Url) + "\r\n";
    if (FParams.Genre) h += "ice-genre: " + net::OneLine(*FParams.Genre) + "\r\n";
    if (FParams.Description) h += "ice-description: " + net::OneLine(*FParams.Description) + "\r\n";
    h += std::string("ice-public: ") + (FParams.Public ? "1" : "0") + "\r\n";
    h += "ice-bitrate: " + std::to_string(FParams.Bitrate) + "\r\n";
    h += "ice-audio-info: bitrate=" + std::to_string(FParams.Bitrate) + "\r\n\r\n";
    return h;
}

int TIcecastCast::Try(const std::string& method, net::TSocket& socket, int& error) {
    net::TNetError e = net::TNetError::None;
    socket = net::TSocket::Connect(FAddress.Host, FAddress.Port, CastNetTimeoutMs(), e);
    if (!socket.Valid()) {
        error = NetErrorCode(e);
        return 0;
    }
    std::string headText;
    if (!socket.SendAll(RequestHead(method), CastNetTimeoutMs(), &e) ||
        !net::ReadHttpHeadText(socket, headText, 8192, CastNetTimeoutMs(), &e)) {
        error = NetErrorCode(e);
        // A server that hangs up on an unknown method gets the older one.
        return e == net::TNetError::Closed && method == "PUT" ? -1 : 0;
    }
    net::THttpHead head;
    net::ParseHttpHead(headText, head);
    if (head.Status == 100) { // "Continue": the real answer follows
        if (!net::ReadHttpHeadText(socket, headText, 8192, CastNetTimeoutMs(), &e)) {
            error = NetErrorCode(e);
            return 0;
        }
        net::ParseHttpHead(headText, head);
    }
    if (head.Status >= 200 && head.Status < 300) return 1;
    if (head.Status == 401) {
        error = AE_ERROR_ILLPARAM;
        return 0;
    }
    error = AE_ERROR_FILEFORM;
    bool unknownMethod = head.Status == 400 || head.Status == 405 || head.Status == 501;
    return unknownMethod && method == "PUT" ? -1 : 0;
}

bool TIcecastCast::Open(net::TSocket& socket, int& error) {
    int r = Try("PUT", socket, error);
    if (r < 0) r = Try("SOURCE", socket, error);
    return r > 0;
}

bool TIcecastCast::SetTitle(const std::string& title) {
    // The title arrives converted for the stream's title mode; say which it is.
    const char* charset = IsValidUtf8(title) ? "UTF-8" : "ISO-8859-1";
    std::string path = "/admin/metadata?mount=" + net::UrlEncode(FAddress.Mount) +
                       "&mode=updinfo&song=" + net::UrlEncode(title) + "&charset=" + charset;
    auto r = net::HttpGet(FAddress.Host, FAddress.Port, path, AuthHeader() + "User-Agent: Vendrill/1.0\r\n",
                          CastNetTimeoutMs(), 4096);
    return r.Ok && r.Status == 200;
}

std::string TIcecastCast::GetStats() {
    // The mount's own node: the server-wide figure counts every stream's listeners.
    auto r = net::HttpGet(FAddress.Host, FAddress.Port,
                          "/admin/listclients?mount=" + net::UrlEncode(FAddress.Mount),
                          AuthHeader() + "User-Agent: Vendrill/1.0\r\n", CastNetTimeoutMs());
    return r.Ok && r.Status == 200 ? r.Body : std::string();
}

} // namespace vd::audio
