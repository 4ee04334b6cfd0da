#pragma once
// Small routines the console shares: the millisecond clock, password scrambling,
// hex conversion, token splitting and text cutting.
#include "platform/rtl/String.h"

#include <cstdint>

namespace vd {

// The key every stored password is scrambled with (stream, title-port and SMTP passwords).
inline constexpr const char* ScrambleKey = "QORVANTE";

// A source of milliseconds; every deadline of the console is a value of it.
class TClockSource {
public:
    virtual ~TClockSource() = default;
    virtual std::uint64_t Milliseconds() const = 0;
};

// CLOCK_MONOTONIC in milliseconds: 64 bits, never wraps, never goes back.
class TMonotonicClock final : public TClockSource {
public:
    std::uint64_t Milliseconds() const override;
};

// Milliseconds of the installed clock source (the monotonic clock unless a test installs another).
std::uint64_t MillisecondClock();
// Installs a clock source (nullptr restores the monotonic clock). The source must outlive its use.
void SetClockSource(const TClockSource* source);

// Every byte of data XORed with the key repeated; an empty key means the one byte 0xAA.
String XorWithKey(const String& data, const String& key);
// Two lower-case hex digits per byte.
String BytesToHex(const String& data);
// Pairs of hex digits to bytes; a non-hex digit counts 0, a last single digit is ignored.
String HexToBytes(const String& text);
int HexDigitValue(char c);

// The stored form of a password and back.
String ScramblePassword(const String& plain);
String UnscramblePassword(const String& stored);

// Maximal runs of characters other than the delimiter; delimiter '\0' means the blank.
int CountTokens(const String& text, char delimiter);
// The n-th run (from 1); empty when there is none.
String GetToken(const String& text, int n, char delimiter);

// The path with a trailing '/' (the program's path delimiter); empty stays empty.
String IncludeBackslash(const String& path);
// Upper case by the system code page (UTF-8).
String UpperText(const String& text);
// At most maxChars characters; a UTF-8 sequence is never cut in half.
String CutText(const String& text, std::size_t maxChars);

} // namespace vd
