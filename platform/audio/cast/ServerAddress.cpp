#include "platform/audio/cast/ServerAddress.h"

namespace vd::audio {

bool ParseServerAddress(const std::string& text, TServerAddress& a) {
    a = {};
    std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    a.Host = text.substr(0, colon);
    std::size_t i = colon + 1;
    unsigned long port = 0;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 6) {
        port = port * 10 + static_cast<unsigned long>(text[i] - '0');
        ++i;
        ++digits;
    }
    if (digits == 0 || port == 0 || port > 65535) return false;
    a.Port = static_cast<std::uint16_t>(port);
    std::string rest = text.substr(i);
    if (rest.empty()) {
        a.Protocol = TCastProtocol::Shoutcast1;
        return port < 65535;
    }
    if (rest[0] == '/') {
        a.Protocol = TCastProtocol::Icecast;
        a.Mount = rest;
        for (char c : rest)
            if (static_cast<unsigned char>(c) <= ' ' || c == '?' || c == '#') return false;
        return rest.size() > 1;
    }
    if (rest[0] == ',') {
        a.Protocol = TCastProtocol::Shoutcast2;
        a.StreamId = rest.substr(1);
        if (a.StreamId.empty() || a.StreamId.size() > 5) return false;
        for (char c : a.StreamId)
            if (c < '0' || c > '9') return false;
        return true;
    }
    return false;
}

} // namespace vd::audio
