#pragma once
// The listener count in a server's statistics text: "<LISTENERS>" (then "LISTENERS") for
// Icecast, "<CURRENTLISTENERS>" for Shoutcast, found in any letter case; every digit is read.
#include "platform/rtl/String.h"

namespace vd {

int ListenerCountFromStats(const String& text, bool icecast);

} // namespace vd
