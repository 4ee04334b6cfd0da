#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/net/SmtpReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vd::net::TSmtpReply reply;
    std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (reply.Feed(line) != vd::net::TSmtpReply::TFeed::More) reply.Reset();
        reply.HasExtension("AUTH", "LOGIN");
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    return 0;
}
