#include "platform/audio/cast/CastConfig.h"

#include "platform/audio/AudioEngine.h"

namespace vd::audio {

namespace {
int Clamp(std::uint32_t v) {
    return v < 100 ? 100 : v > 600000 ? 600000 : static_cast<int>(v);
}
} // namespace

int CastNetTimeoutMs() {
    return Clamp(AE_GetConfig(AE_CONFIG_NET_TIMEOUT));
}
int CastSendTimeoutMs() {
    return Clamp(AE_GetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT));
}

} // namespace vd::audio
