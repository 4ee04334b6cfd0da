#include "platform/rtl/DateUtils.h"

#include "platform/rtl/Exception.h"

#include <cmath>
#include <ctime>

namespace vd {
namespace {

constexpr int DaysInMonth[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
constexpr std::int64_t DateDelta = 693594; // days from 0001-01-01 to 1899-12-31

// Whole days and milliseconds of the day, rounded to the nearest millisecond.
void Split(TDateTime dt, std::int64_t& days, std::int64_t& ms) {
    if (!std::isfinite(dt)) dt = 0;
    double whole = std::trunc(dt);
    ms = std::llround(std::fabs(dt - whole) * MSecsPerDay);
    if (ms >= MSecsPerDay) {
        ms -= MSecsPerDay;
        whole += dt < 0 ? -1 : 1;
    }
    days = static_cast<std::int64_t>(whole);
}

} // namespace

const TFormatSettings& DefaultFormatSettings() {
    static const TFormatSettings settings;
    return settings;
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    const int* table = DaysInMonth[IsLeapYear(year) ? 1 : 0];
    if (day < 1 || day > table[month]) return false;
    for (int i = 1; i < month; ++i)
        day += table[i];
    const std::int64_t y = year - 1;
    out = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + day - DateDelta);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& out) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    out = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime dt = 0;
    if (!TryEncodeDate(year, month, day, dt)) throw EConvertError(rtl_msg::DateEncodeError);
    return dt;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime dt = 0;
    if (!TryEncodeTime(hour, min, sec, msec, dt)) throw EConvertError(rtl_msg::TimeEncodeError);
    return dt;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
    std::int64_t days = 0, ms = 0;
    Split(dt, days, ms);
    // Days since 1970-01-01, then the civil date (proleptic Gregorian calendar).
    std::int64_t z = days - 25569 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec) {
    std::int64_t days = 0, ms = 0;
    Split(dt, days, ms);
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime dt) {
    std::int64_t days = 0, ms = 0;
    Split(dt, days, ms);
    // 1899-12-30 was a Saturday.
    return static_cast<int>(((days - 1) % 7 + 7) % 7) + 1;
}

TDateTime UnixToLocalDateTime(std::int64_t unixSeconds, int msec) {
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    TDateTime d = 0, tt = 0;
    TryEncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, d);
    TryEncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec, msec, tt);
    return d + tt;
}

TDateTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return UnixToLocalDateTime(ts.tv_sec, static_cast<int>(ts.tv_nsec / 1000000));
}

TDateTime Date() {
    return std::trunc(Now());
}

TDateTime Time() {
    const TDateTime n = Now();
    return n - std::trunc(n);
}

String DateTimeToStr(TDateTime dt) {
    return FormatDateTime("c", dt);
}

} // namespace vd
