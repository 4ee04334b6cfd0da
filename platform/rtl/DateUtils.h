#pragma once
// TDateTime as the class library keeps it: days since 1899-12-30, the time of day as the fraction.
#include "platform/rtl/String.h"

#include <cstdint>

namespace vd {

using TDateTime = double;

inline constexpr int MSecsPerDay = 86400000;

struct TFormatSettings {
    char DateSeparator = '-';
    char TimeSeparator = ':';
    String ShortDateFormat = "yyyy-mm-dd";
    String LongDateFormat = "dddd, mmmm d, yyyy";
    String ShortTimeFormat = "hh:nn";
    String LongTimeFormat = "hh:nn:ss";
    String TimeAMString = "AM";
    String TimePMString = "PM";
};

const TFormatSettings& DefaultFormatSettings();

// Raise EConvertError "Invalid argument to date encode" / "... time encode" for impossible values.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& out);
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime dt);
bool IsLeapYear(int year);

// The local wall-clock time.
TDateTime Now();
TDateTime Date();
TDateTime Time();
// Seconds since 1970-01-01 in local time, as wall-clock fields.
TDateTime UnixToLocalDateTime(std::int64_t unixSeconds, int msec = 0);

// Letters are taken without regard to case; "m" right after an hour token means minutes.
String FormatDateTime(std::string_view format, TDateTime dt);
String FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& settings);
String DateTimeToStr(TDateTime dt);

} // namespace vd
