#include "platform/rtl/Format.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatText.h"

#include <gtest/gtest.h>

#include <climits>

namespace vd {
namespace {

struct TCase {
    String Got;
    const char* Want;
};

TEST(Format, IntegersWithWidthAndPrecision) {
    const TCase cases[] = {
        {Format("Stream%3.3d", 1), "Stream001"},
        {Format("Stream%3.3d", 1000), "Stream1000"},
        {Format("%3.3d", -5), "-005"},
        {Format("%1.1d", 0), "0"},
        {Format("%.0d", 0), "0"},
        {Format("%5d|%-5d|", 42, 42), "   42|42   |"},
        {Format("%d", INT_MIN), "-2147483648"},
        {Format("%d", LLONG_MIN), "-9223372036854775808"},
        {Format("%u", -1), "4294967295"},
        {Format("%u", 7u), "7"},
        {Format("%2.2x", 10), "0a"},
        {Format("%2.2x", 255), "ff"},
        {Format("%4.4X%4.4X", 0x409, 1252), "040904E4"},
        {Format("%x", -1), "ffffffff"},
        {Format("%x", -1LL), "ffffffffffffffff"},
        {Format("%*d", 4, 7), "   7"},
        {Format("%-*d|", 3, 7), "7  |"},
        {Format("%1:d %0:d", 1, 2), "2 1"},
        {Format("%0:s-%s", "a", "b"), "a-b"},
        {Format("100%%"), "100%"},
        {Format("%s and %s", String("x"), std::string_view("y")), "x and y"},
        {Format("[%5s][%-5s]", "ab", "ab"), "[   ab][ab   ]"},
        {Format("%.2s", "abcd"), "ab"},
        {Format("%.2s|%3s", "\xC3\xA4\xC3\xB6\xC3\xBC", "\xC3\xA4"), "\xC3\xA4\xC3\xB6|  \xC3\xA4"},
        {Format("%s", 'c'), "c"},
        {Format("%s", static_cast<const char*>(nullptr)), ""},
        {Format("lame -r %s -s %d --cbr -b %d -", "", 44100, 128), "lame -r  -s 44100 --cbr -b 128 -"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Got, c.Want);
}

TEST(Format, FloatsRoundHalfAwayFromZero) {
    const TCase cases[] = {
        {Format("%5.0f", 0.5), "    1"},
        {Format("%5.0f", 2.5), "    3"},
        {Format("%5.0f", -2.5), "   -3"},
        {Format("%5.0f %s", 1023.0, "b"), " 1023 b"},
        {Format("%5.2f", 1.5), " 1.50"},
        {Format("%5.2f", 0.125), " 0.13"},
        {Format("%5.2f", 1.005), " 1.00"}, // the double is just below 1.005
        {Format("%5.2f", 999.999), "1000.00"},
        {Format("%.2f", -0.001), "0.00"},
        {Format("%f", 3.14159), "3.14"},
        {Format("%.3f", 0.0005), "0.001"},
        {Format("%.1f", 0.04), "0.0"},
        {Format("%.0f", 123456789.0), "123456789"},
        {Format("%n", 1234567.891), "1,234,567.89"},
        {Format("%e", 1.0), "1.00000000000000E+000"},
        {Format("%.3e", -12345.0), "-1.23E+004"},
        {Format("%g", 0.5), "0.5"},
        {Format("%g", 1e20), "1E020"},
        {Format("%8.3f|", 2.0), "   2.000|"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Got, c.Want);
}

TEST(Format, FloatToStrGeneral) {
    const TCase cases[] = {
        {FloatToStr(0), "0"},
        {FloatToStr(0.1), "0.1"},
        {FloatToStr(-2.5), "-2.5"},
        {FloatToStr(100), "100"},
        {FloatToStr(1e20), "1E20"},
        {FloatToStr(1.5e-7), "1.5E-7"},
        {FloatToStr(0.0001), "0.0001"},
        {FloatToStr(0.00001), "1E-5"},
        {FloatToStr(123456789012345.0), "123456789012345"},
        {FloatToStr(1e15), "1E15"},
        {FloatToStr(1.0 / 3.0), "0.333333333333333"},
        {FloatToStrF(2.5, TFloatFormat::ffFixed, 15, 0), "3"},
        {FloatToStrF(1.25, TFloatFormat::ffFixed, 15, 3), "1.250"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Got, c.Want);
}

TEST(Format, MismatchRaisesConvertErrorWithTheLibraryText) {
    struct TBad {
        const char* Fmt;
        std::function<String()> Call;
    };
    const TBad bad[] = {
        {"%d", [] { return Format("%d", "x"); }},  {"%s", [] { return Format("%s", 5); }},
        {"%f", [] { return Format("%f", 5); }},    {"%d", [] { return Format("%d", 1.5); }},
        {"%x", [] { return Format("%x", true); }}, {"%q", [] { return Format("%q", 1); }},
        {"50%", [] { return Format("50%", 1); }},  {"%5", [] { return Format("%5", 1); }},
    };
    for (const TBad& b : bad) {
        try {
            b.Call();
            ADD_FAILURE() << b.Fmt;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("Format '") + b.Fmt + "' invalid or incompatible with argument");
        }
    }
}

TEST(Format, MissingArgumentRaises) {
    try {
        Format("%d %d", 1);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "No argument for format '%d %d'");
    }
    // With no arguments at all, "%%" still works and "%s" fails (as the language lookups rely on).
    EXPECT_EQ(Format("a %% b"), "a % b");
    EXPECT_THROW(Format("a %s b"), EConvertError);
}

} // namespace
} // namespace vd
