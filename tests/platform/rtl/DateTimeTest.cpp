#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vd {
namespace {

TEST(DateTime, EncodeDecodeAgreeWithTheLibraryEpoch) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_DOUBLE_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    const struct {
        int Y, M, D;
    } dates[] = {{1, 1, 1}, {1899, 12, 29}, {2000, 2, 29}, {2024, 12, 31}, {9999, 12, 31}, {1970, 1, 1}};
    for (const auto& d : dates) {
        int y = 0, m = 0, day = 0;
        // Before the epoch the time of day is the fraction's size: -1.75 is 1899-12-29 18:00.
        const TDateTime date = EncodeDate(d.Y, d.M, d.D);
        DecodeDate(date < 0 ? date - 0.75 : date + 0.75, y, m, day);
        EXPECT_EQ(y, d.Y);
        EXPECT_EQ(m, d.M);
        EXPECT_EQ(day, d.D);
    }
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(EncodeDate(2026, 12, 10) + EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5); // a Thursday
}

TEST(DateTime, ImpossibleValuesRaiseTheLibraryTexts) {
    const auto date = [](int y, int m, int d) {
        try {
            EncodeDate(y, m, d);
        } catch (const EConvertError& e) {
            return e.Message();
        }
        return String();
    };
    EXPECT_EQ(date(2023, 2, 29), "Invalid argument to date encode");
    EXPECT_EQ(date(2024, 13, 1), "Invalid argument to date encode");
    EXPECT_EQ(date(0, 1, 1), "Invalid argument to date encode");
    try {
        EncodeTime(24, 0, 0, 0);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
}

TEST(DateTime, FormatDateTimeTokens) {
    const TDateTime t = EncodeDate(2026, 3, 7) + EncodeTime(9, 5, 4, 45);
    struct TCase {
        const char* Format;
        const char* Want;
    };
    const TCase cases[] = {
        {"DD.MM.YY HH:NN:SS", "07.03.26 09:05:04"},
        {"HH:NN:SS DD.MM.YY", "09:05:04 07.03.26"},
        {"d.m.yyyy h:n:s", "7.3.2026 9:5:4"},
        {"hh:mm", "09:05"}, // m after h is minutes
        {"HH:MM:SS", "09:05:04"},
        {"h 'x' mm", "9 x 05"}, // literals do not break the rule
        {"dd mm", "07 03"},
        {"hh dd mm", "09 07 03"}, // another letter in between: month
        {"yyyy-mm-dd", "2026-03-07"},
        {"'hh' \"nn\" hh", "hh nn 09"},
        {"'open", "open"},
        {"ddd dddd", "Sat Saturday"},
        {"mmm mmmm", "Mar March"},
        {"zzz z", "045 45"},
        {"h:nn am/pm", "9:05 am"},
        {"h:nn AM/PM", "9:05 AM"},
        {"h a/p", "9 a"},
        {"h ampm", "9 AM"},
        {"yy/mm/dd", "26-03-07"},
        {"x#q!", "x#q!"},
        {"", "2026-03-07 09:05:04"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FormatDateTime(c.Format, t), c.Want) << c.Format;
    const TDateTime evening = EncodeDate(2026, 3, 7) + EncodeTime(0, 30, 0, 0);
    EXPECT_EQ(FormatDateTime("hh:nn am/pm", evening), "12:30 am");
    EXPECT_EQ(FormatDateTime("h:nn a/p", EncodeTime(13, 1, 0, 0)), "1:01 p");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2026, 3, 7)), "2026-03-07");
}

TEST(DateTime, NowIsTheLocalWallClock) {
    const TDateTime a = Now();
    EXPECT_GT(a, EncodeDate(2020, 1, 1));
    EXPECT_LT(std::fabs(Now() - a), 1.0 / 24);
    EXPECT_DOUBLE_EQ(Date(), std::trunc(Date()));
}

} // namespace
} // namespace vd
