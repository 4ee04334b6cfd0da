#pragma once
// The server text a cast is given: "host:port" (Shoutcast v1), "host:port,ID" (Shoutcast v2),
// "host:port/mount" (Icecast). The form says the protocol.
#include <cstdint>
#include <string>

namespace vd::audio {

enum class TCastProtocol { Shoutcast1, Shoutcast2, Icecast };

struct TServerAddress {
    TCastProtocol Protocol = TCastProtocol::Shoutcast1;
    std::string Host;
    std::uint16_t Port = 0;
    std::string Mount;    // Icecast: begins with "/"
    std::string StreamId; // Shoutcast v2: the stream ID (decimal)
};

// False for an address without host or with a port outside 1..65535 (or 65534 for v1, whose
// source port is the next one).
bool ParseServerAddress(const std::string& text, TServerAddress& address);

} // namespace vd::audio
