#include "platform/net/HttpClient.h"

#include <chrono>

#include "platform/net/HttpAnswer.h"

namespace vd::net {

bool ReadHttpHeadText(TSocket& s, std::string& head, std::size_t maxBytes, int timeoutMs, TNetError* error) {
    // Byte by byte, so that nothing after the blank line is taken from the caller.
    head.clear();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (head.size() < maxBytes) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        char c;
        if (s.Recv(&c, 1, static_cast<int>(left.count() < 0 ? 0 : left.count()), error) <= 0) return false;
        head += c;
        if (head.size() >= 2 && head.compare(head.size() - 2, 2, "\n\n") == 0) return true;
        if (head.size() >= 4 && head.compare(head.size() - 4, 4, "\r\n\r\n") == 0) return true;
    }
    if (error) *error = TNetError::Io;
    return false;
}

THttpResult HttpGet(const std::string& host, std::uint16_t port, const std::string& pathAndQuery,
                    const std::string& extraHeaders, int timeoutMs, std::size_t maxBody) {
    THttpResult r;
    TDeadlineScope whole(timeoutMs); // connect, request and answer together
    TSocket s = TSocket::Connect(host, port, timeoutMs, r.Error);
    if (!s.Valid()) return r;
    std::string request = "GET " + pathAndQuery + " HTTP/1.0\r\nHost: " + host + ":" + std::to_string(port) +
                          "\r\n" + extraHeaders + "Connection: close\r\n\r\n";
    if (!s.SendAll(request, timeoutMs, &r.Error)) return r;
    std::string headText;
    if (!ReadHttpHeadText(s, headText, 16384, timeoutMs, &r.Error)) return r;
    THttpHead head;
    if (!ParseHttpHead(headText, head) || head.Status == 0) {
        r.Error = TNetError::Io;
        return r;
    }
    r.Ok = true;
    r.Status = head.Status;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char buf[4096];
    while (r.Body.size() < maxBody) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        long n = s.Recv(buf, sizeof buf, static_cast<int>(left.count()));
        if (n <= 0) break;
        r.Body.append(buf, static_cast<std::size_t>(n));
    }
    if (r.Body.size() > maxBody) r.Body.resize(maxBody);
    return r;
}

} // namespace vd::net
