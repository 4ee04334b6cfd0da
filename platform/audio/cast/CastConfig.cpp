#include "platform/audio/cast/CastConfig.h"

#include <atomic>

namespace vd::audio {

namespace {
std::atomic<int> gNetTimeout{10000};
std::atomic<int> gCastTimeout{10000};

int Clamp(unsigned v) { return v < 100 ? 100 : v > 600000 ? 600000 : static_cast<int>(v); }
} // namespace

bool CastSetConfig(unsigned option, unsigned value) {
    if (option == AE_CONFIG_NET_TIMEOUT) gNetTimeout = Clamp(value);
    else if (option == AE_CONFIG_CAST_TIMEOUT) gCastTimeout = Clamp(value);
    else return false;
    return true;
}

int CastNetTimeoutMs() { return gNetTimeout; }
int CastSendTimeoutMs() { return gCastTimeout; }

} // namespace vd::audio
