#pragma once
// The version resource the build embeds: KEY=VALUE lines, a Translation line and one
// string table section per translation.
#include "platform/rtl/String.h"

namespace vd {

String EmbeddedVersionText();

} // namespace vd
