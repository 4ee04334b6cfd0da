#pragma once
// One-shot HTTP/1.0 GET for the servers' admin pages (titles, statistics).
#include <cstdint>
#include <string>

#include "platform/net/Socket.h"

namespace vd::net {

struct THttpResult {
    bool Ok = false; // an answer arrived (any status)
    int Status = 0;
    std::string Body;
    TNetError Error = TNetError::None;
};

// extraHeaders: complete lines ending with CR LF. The body is cut at maxBody bytes. The whole
// exchange ends within timeoutMs.
THttpResult HttpGet(const std::string& host, std::uint16_t port, const std::string& pathAndQuery,
                    const std::string& extraHeaders, int timeoutMs, std::size_t maxBody = 65536);
// Reads an answer head (up to the blank line, at most maxBytes) from a socket.
bool ReadHttpHeadText(TSocket& s, std::string& head, std::size_t maxBytes, int timeoutMs, TNetError* error);

} // namespace vd::net
