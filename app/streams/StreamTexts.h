#pragma once
// Texts the console shows for its streams: error texts, byte counts, state names, grid rows,
// and the language lookups they go through (defaults when no language is loaded).
#include <array>
#include <cstdint>

#include "app/core/StationRecord.h"
#include "platform/rtl/String.h"

namespace vd {

// A language text of section "MSG", or the default when no language file is loaded.
String StreamMessage(const String& name, const String& defaultText);
// A language message (MSG.name formatted: "%%" becomes "%"), or the default when it is empty.
String StreamMessageText(const String& name, const String& defaultText);

// "<Error constant> <code>. <text>"; codes outside the table give an empty text after ". ".
String ErrorCodeText(int code);
// The byte count scaled by 1024 with its unit: "%5.0f %s" up to kB, "%5.2f %s" from MB on.
String BytesSentText(std::uint64_t bytes);
String StateText(TStationState state);
// The seven columns of a stream's grid row.
std::array<String, 7> StationRowTexts(const TStationRecord& station);

} // namespace vd
