#pragma once
// Time-outs of the casts, set through the engine's configuration call.

namespace vd::audio {

enum : unsigned {
    AE_CONFIG_NET_TIMEOUT = 11,        // connecting and every handshake answer, ms
    AE_CONFIG_CAST_TIMEOUT = 0x10310,  // how long a send may stall before the cast is given up, ms
};

// Returns false for an option that is not a cast option (the engine handles the rest).
bool CastSetConfig(unsigned option, unsigned value);
int CastNetTimeoutMs();
int CastSendTimeoutMs();

} // namespace vd::audio
