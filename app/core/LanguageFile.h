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

// The first section of that name (letter case ignored) in the text, sorted.
TLanguageList ParseLanguageSection(const String& text, const String& section);
// The same from a file; a missing or unreadable file gives an empty list.
TLanguageList ReadLanguageSection(const String& fileName, const String& section);
// The entry of the key (letter case ignored), nullptr when absent.
const TLanguageEntry* FindLanguageEntry(const TLanguageList& list, const String& key);
// Reads a whole regular file (never blocking on a pipe or device); false when it cannot be
// read, with the reason (an errno value) in error when given.
bool ReadTextFile(const String& fileName, String& text, int* error = nullptr);

} // namespace vd
