#include "app/core/Engine.h"
#include "app/core/ManualClock.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(EngineTest, PasswordScramblingMatchesStoredFiles) {
    struct Case {
        const char* plain;
        const char* stored;
    };
    const Case cases[] = {
        {"secret", "222a3124243a"},
        {"", ""},
        {"QORVANTE", "0000000000000000"},
        {"a", "30"},
        {"password123", "212e212536212621607d61"}, // longer than the key: the key repeats
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(ScramblePassword(c.plain), c.stored);
        EXPECT_EQ(UnscramblePassword(c.stored), c.plain);
    }
}

TEST(EngineTest, XorWithKeyIsItsOwnInverseAndUsesAAForAnEmptyKey) {
    const String data("\x01\xff\x00z", 4);
    EXPECT_EQ(XorWithKey(XorWithKey(data, "k3y"), "k3y"), data);
    EXPECT_EQ(XorWithKey(data, ""), String("\xab\x55\xaa\xd0", 4));
    EXPECT_EQ(XorWithKey("", "key"), "");
}

TEST(EngineTest, HexConversion) {
    EXPECT_EQ(BytesToHex("abc"), "616263");
    EXPECT_EQ(BytesToHex(String("\x00\xff", 2)), "00ff");
    struct Case {
        const char* text;
        String bytes;
    };
    const Case cases[] = {
        {"4g1", String("\x40", 1)}, // g counts 0, the odd last digit is ignored
        {"FFff", String("\xff\xff", 2)}, {"", ""}, {"7", ""}, {"zz", String("\x00", 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HexToBytes(c.text), c.bytes);
    }
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('a'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    EXPECT_EQ(HexDigitValue('/'), 0);
}

TEST(EngineTest, Tokens) {
    struct Case {
        const char* text;
        char delimiter;
        int count;
        int n;
        const char* token;
    };
    const Case cases[] = {
        {";a;;b;", ';', 2, 2, "b"},
        {";a;;b;", ';', 2, 3, ""},
        {";a;;b;", ';', 2, 0, ""},
        {";a;;b;", ';', 2, 1, "a"},
        {"", ';', 0, 1, ""},
        {";;;", ';', 0, 1, ""},
        {"  one two ", '\0', 2, 2, "two"}, // delimiter 0 means the blank
        {"x", ';', 1, 1, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CountTokens(c.text, c.delimiter), c.count);
        EXPECT_EQ(GetToken(c.text, c.n, c.delimiter), c.token);
    }
}

TEST(EngineTest, TextHelpers) {
    EXPECT_EQ(IncludeBackslash("/usr/lib"), "/usr/lib/");
    EXPECT_EQ(IncludeBackslash("/usr/lib/"), "/usr/lib/");
    EXPECT_EQ(IncludeBackslash(""), "");
    EXPECT_EQ(UpperText("abc-Ü1"), "ABC-Ü1");
    // Characters, not bytes: the two-byte Ü is kept whole or dropped whole.
    EXPECT_EQ(CutText("aÜb", 2), "aÜ");
    EXPECT_EQ(CutText("aÜb", 1), "a");
    EXPECT_EQ(CutText("abc", 5), "abc");
    EXPECT_EQ(CutText("abc", 0), "");
}

TEST(EngineTest, ClockIsMonotonicAndReplaceable) {
    const std::uint64_t a = MillisecondClock();
    const std::uint64_t b = MillisecondClock();
    EXPECT_LE(a, b);

    // A manual clock across the old 32-bit tick wrap keeps growing.
    TManualClock manual((std::uint64_t(1) << 32) - 16);
    SetClockSource(&manual);
    const std::uint64_t before = MillisecondClock();
    manual.Advance(32);
    EXPECT_EQ(MillisecondClock() - before, 32u);
    EXPECT_GT(MillisecondClock(), std::uint64_t(1) << 32);
    SetClockSource(nullptr);
    EXPECT_GE(MillisecondClock(), a);
}

} // namespace
} // namespace vd
