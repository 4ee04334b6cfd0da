#pragma once
// Text helpers and number/text conversions with the class library's rules and error texts.
// Case rules are ASCII only (bytes above 127 are left alone), like the library's UpperCase.
#include "platform/rtl/String.h"

#include <cstdint>

namespace vd {

// Blanks are every byte up to and including the space, as the library trims control characters too.
String Trim(std::string_view s);
String TrimLeft(std::string_view s);
String TrimRight(std::string_view s);
String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
// Negative, zero or positive; ASCII letters compared without case.
int CompareText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Upper / lower case by the full character set of the system code page (UTF-8).
String AnsiUpperCase(std::string_view s);
String AnsiLowerCase(std::string_view s);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

bool StartsText(std::string_view sub, std::string_view s);
bool EndsText(std::string_view sub, std::string_view s);
// 1-based position of sub in s, 0 when absent (the library's Pos).
std::size_t Pos(std::string_view sub, std::string_view s);
String StringReplace(std::string_view s, std::string_view from, std::string_view to, bool all = true,
                     bool ignoreCase = false);
String QuotedStr(std::string_view s);
String StringOfChar(char c, int count);

String IntToStr(std::int64_t value);
String IntToHex(std::uint64_t value, int digits);
// Decimal, or hexadecimal after "$", "0x" or "0X"; an optional sign; blanks before the number.
// A text that is not a number in range raises EConvertError "'abc' is not a valid integer value".
int StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int def);
std::int64_t StrToInt64Def(std::string_view s, std::int64_t def);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, std::int64_t& value);
// The leading number of s as the library's Val reads it: 0 with stop pointing at the first byte
// that is not part of it ("12abc" -> 12, stop 2). stop is s.size() when the whole text is a number.
std::int64_t ValInt(std::string_view s, std::size_t& stop);

// Decimal separator ".", optional exponent, blanks around the number allowed.
double StrToFloat(std::string_view s);
double StrToFloatDef(std::string_view s, double def);
bool TryStrToFloat(std::string_view s, double& value);

String BoolToStr(bool value, bool useBoolStrs = false);

} // namespace vd
