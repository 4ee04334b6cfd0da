#pragma once
// The casts' time-outs, as set with AE_SetConfig (AE_CONFIG_NET_TIMEOUT,
// AE_CONFIG_ENCODE_CAST_TIMEOUT), read fresh for every connection and send.

namespace vd::audio {

int CastNetTimeoutMs();
int CastSendTimeoutMs();

} // namespace vd::audio
