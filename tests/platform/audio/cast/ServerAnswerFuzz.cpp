// Server answers a cast reads: HTTP/ICY heads, Ultravox messages, server address texts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/audio/cast/ServerAddress.h"
#include "platform/audio/cast/Ultravox.h"
#include "platform/net/HttpAnswer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    vd::net::THttpHead head;
    if (vd::net::ParseHttpHead(text, head)) head.Field("content-type");
    vd::net::ParseStatusLine(text);
    std::string buffer = text;
    vd::audio::uvox::TMessage m;
    while (vd::audio::uvox::Parse(buffer, m) == 1) {
    }
    vd::audio::TServerAddress a;
    vd::audio::ParseServerAddress(text, a);
    vd::audio::uvox::XteaDecryptHex(text, "key");
    return 0;
}
