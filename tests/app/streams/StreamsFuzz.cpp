// Outside data the console parses: the title port's bytes and servers' statistics texts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/streams/ListenerStats.h"
#include "app/streams/TitleSession.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    vd::ListenerCountFromStats(text, true);
    vd::ListenerCountFromStats(text, false);
    for (bool asString : {true, false}) {
        vd::TTitleSession session("pw", asString);
        std::string reply;
        // Fed in two pieces, as a socket may deliver it.
        session.Feed(text.data(), size / 2, reply);
        session.Feed(text.data() + size / 2, size - size / 2, reply);
    }
    return 0;
}
