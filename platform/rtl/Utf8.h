#pragma once
// Character-wise work on UTF-8 text (the system code page). Every cut, count and step here
// lands on a character boundary; a byte that does not start a valid sequence counts as one
// character of its own, so malformed text is never split further or looped over forever.
#include "platform/rtl/String.h"

#include <cstddef>

namespace vd {

// Byte length of the character that starts at pos (1..4; 0 at or past the end).
std::size_t Utf8CharSize(std::string_view s, std::size_t pos);
// Byte position of the character after / before the one at pos.
std::size_t Utf8NextChar(std::string_view s, std::size_t pos);
std::size_t Utf8PrevChar(std::string_view s, std::size_t pos);
// Number of characters.
std::size_t Utf8Length(std::string_view s);
// Byte offset of character index (the byte length when index is at or past the end).
std::size_t Utf8CharOffset(std::string_view s, std::size_t index);
// Count characters from character index start (0-based).
String Utf8Copy(std::string_view s, std::size_t start, std::size_t count);
// The first maxChars characters.
String Utf8Left(std::string_view s, std::size_t maxChars);
// The longest prefix of whole characters that fits in maxBytes bytes.
String Utf8CutBytes(std::string_view s, std::size_t maxBytes);
bool IsValidUtf8(std::string_view s);
// Encode one code point (invalid ones give U+FFFD).
String Utf8Encode(char32_t cp);
// Decode the character at pos; malformed bytes give U+FFFD and a size of 1.
char32_t Utf8Decode(std::string_view s, std::size_t pos, std::size_t* size = nullptr);

} // namespace vd
