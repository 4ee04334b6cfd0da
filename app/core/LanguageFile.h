#pragma once
// The raw line rules of language files: KEY=VALUE lines of one section, the key upper-cased,
// keys and values at most 255 characters, lines without a key skipped.
#include "platform/rtl/String.h"

#include <vector>

namespace vd {

struct TLanguageEntry {
    String Key; // upper-cased, at most 255 characters
    String Value;
};
// Entries sorted by key, compared without regard to ASCII letter case; equal keys keep file order.
using TLanguageList = std::vector<TLanguageEntry>;

inline constexpr std::size_t LanguageTextLength = 255;
// Language, settings and version texts are small; a larger file is refused as unreadable.
inline constexpr std::size_t MaxTextFileSize = 64 << 20;

// The first section of that name (letter case ignored) in the text, sorted.
TLanguageList ParseLanguageSection(const String& text, const String& section);
// The same from a file; a missing or unreadable file gives an empty list.
TLanguageList ReadLanguageSection(const String& fileName, const String& section);
// The entry of the key (letter case ignored), nullptr when absent.
const TLanguageEntry* FindLanguageEntry(const TLanguageList& list, const String& key);

} // namespace vd
