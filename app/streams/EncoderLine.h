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
};

TEncoderLine EncoderCommandLine(const TStationConfig& station, int sample);
// "icy-irc:", "icy-icq:", "icy-aim:" lines for Shoutcast v1; empty (no headers) otherwise.
String ShoutcastHeaders(const TStationConfig& station, const TAppSettings& settings);
// client "a.b.c.d:port" against a list like "192.168.*.*; 10.0.0.1" ('*' matches any part).
bool MatchAllowedAddress(const String& client, const String& list);

} // namespace vd
