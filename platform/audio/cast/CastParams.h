#pragma once
// What a cast announces to its server.
#include <optional>
#include <string>

namespace vd::audio {

struct TCastParams {
    std::string Server;              // see ServerAddress.h
    std::string Password;            // Shoutcast v2: "user:password"
    std::string ContentType;         // "audio/mpeg", "audio/ogg", "audio/aacp"
    std::optional<std::string> Name; // absent: not announced
    std::string Url;
    std::optional<std::string> Genre;
    std::optional<std::string> Description;
    std::string Headers; // extra header lines, each ending CR LF (Shoutcast v1)
    int Bitrate = 128;   // kbit/s
    bool Public = false;
};

} // namespace vd::audio
