#pragma once
// What the connector hands the engine for one stream: the encoder's command line and content
// type, the Shoutcast v1 extra headers, and the own port's allowed-address match.
#include "app/core/AppSettings.h"
#include "app/core/StationRecord.h"
#include "platform/rtl/String.h"

namespace vd {

struct TEncoderLine {
    String CommandLine;
    String ContentType;
    // An encoder program the stream needs and the system lacks: no command line then.
    String MissingProgram;
};

// The error a stream records when its encoder program is missing (AAC+ without enc_aacPlus).
constexpr int EncoderMissingError = 262;

// enc_aacPlus as an executable in a folder of PATH, looked up on each call.
bool AacPlusEncoderInstalled();
// With enc_aacPlus, AAC and AAC+ run it. Without, AAC runs ffmpeg's AAC-LC encoder (raw PCM in,
// ADTS out) and AAC+ has no encoder: HE-AAC needs enc_aacPlus.
TEncoderLine EncoderCommandLine(const TStationConfig& station, int sample, bool aacPlusInstalled);
inline TEncoderLine EncoderCommandLine(const TStationConfig& station, int sample) {
    return EncoderCommandLine(station, sample, AacPlusEncoderInstalled());
}
// "icy-irc:", "icy-icq:", "icy-aim:" lines for Shoutcast v1; empty (no headers) otherwise.
String ShoutcastHeaders(const TStationConfig& station, const TAppSettings& settings);
// client "a.b.c.d:port" against a list like "192.168.*.*; 10.0.0.1" ('*' matches any part).
bool MatchAllowedAddress(const String& client, const String& list);

} // namespace vd
