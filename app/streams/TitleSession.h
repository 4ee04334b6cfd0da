#pragma once
// One connection of the title port, as a byte-fed state machine: greeting, password line,
// then the title as a line (">") or as a 16-bit little-endian length and bytes (":").
#include <cstddef>

#include "platform/rtl/String.h"

namespace vd {

class TTitleSession {
public:
    static constexpr std::size_t kMaxLine = 16384;
    static constexpr std::size_t kMaxTitle = 255; // characters; cut at a character boundary

    TTitleSession(String password, bool asString) : FPassword(std::move(password)), FAsString(asString) {}

    static String Greeting() { return "VENDRILL:\r\n"; }
    enum class TResult { More, Done, Close };
    // Feeds received bytes; what to send back is appended to reply. Done: Title holds the title
    // (empty: none). Close: the connection ends without effect.
    TResult Feed(const char* data, std::size_t size, String& reply);
    const String& Title() const { return FTitle; }

private:
    enum class TState { Password, TitleLine, Length, Bytes, Finished };
    TResult Finish(const String& raw);

    String FPassword;
    bool FAsString;
    TState FState = TState::Password;
    String FBuffer;
    std::size_t FLength = 0;
    String FTitle;
};

} // namespace vd
