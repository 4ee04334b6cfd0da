#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Checked.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace vd {
namespace {

TEST(SysUtils, TrimAndAsciiCase) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim(""), "");
    // Bytes of multi-byte characters are never changed by the ASCII rules.
    EXPECT_EQ(UpperCase("stream\xC3\xA4x"), "STREAM\xC3\xA4X");
    EXPECT_EQ(LowerCase("ABC\xC3\x84"), "abc\xC3\x84");
    EXPECT_EQ(AnsiUpperCase("stra\xC3\x9F"
                            "e \xC3\xA4\xC3\xB6"),
              "STRA\xC3\x9F"
              "E \xC3\x84\xC3\x96");
    EXPECT_TRUE(SameText("Stream001", "STREAM001"));
    EXPECT_FALSE(SameText("Stream1", "Stream01"));
    EXPECT_GT(CompareText("Stream101", "stream1000"), 0); // text order, not number order
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_EQ(CompareText("", ""), 0);
    EXPECT_TRUE(AnsiSameText("\xC3\xA4", "\xC3\x84"));
    EXPECT_EQ(Pos("b", "abc"), 2u);
    EXPECT_EQ(Pos("x", "abc"), 0u);
    EXPECT_EQ(StringReplace("a.b.c", ".", "::"), "a::b::c");
    EXPECT_EQ(StringReplace("aXbx", "x", "-", true, true), "a-b-");
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
}

TEST(SysUtils, StrToIntAcceptsWhatTheLibraryAccepts) {
    struct TCase {
        const char* Text;
        int Want;
    };
    const TCase cases[] = {{"0", 0},
                           {"123", 123},
                           {"-42", -42},
                           {"+7", 7},
                           {"  12", 12},
                           {"$1F", 31},
                           {"0x1F", 31},
                           {"0X1f", 31},
                           {"-$10", -16},
                           {"2147483647", INT_MAX},
                           {"-2147483648", INT_MIN},
                           {"$FFFFFFFF", -1},
                           {"007", 7}};
    for (const TCase& c : cases)
        EXPECT_EQ(StrToInt(c.Text), c.Want) << c.Text;
}

TEST(SysUtils, StrToIntRefusesWithTheLibraryText) {
    const char* bad[] = {"abc",         "",  " ",  "12a", "1.5",       "12 ", "2147483648",
                         "-2147483649", "$", "0x", "--1", "$100000000"};
    for (const char* text : bad) {
        try {
            StrToInt(text);
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("'") + text + "' is not a valid integer value");
        }
        EXPECT_EQ(StrToIntDef(text, -9), -9) << text;
    }
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST(SysUtils, ValIntStopsAtTheFirstByteThatIsNotPartOfTheNumber) {
    struct TCase {
        const char* Text;
        std::int64_t Want;
        std::size_t Stop;
    };
    const TCase cases[] = {{"2.1.0.17", 2, 1}, {"17", 17, 2}, {"abc", 0, 0},
                           {"", 0, 0},         {" 5x", 5, 2}, {"-3.", -3, 2}};
    for (const TCase& c : cases) {
        std::size_t stop = 99;
        EXPECT_EQ(ValInt(c.Text, stop), c.Want) << c.Text;
        EXPECT_EQ(stop, c.Stop) << c.Text;
    }
}

TEST(SysUtils, FloatAndHexConversions) {
    EXPECT_DOUBLE_EQ(StrToFloat(" 1.5 "), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-2e3"), -2000);
    EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
    for (const char* bad : {"", "1,5", "abc", "1e", "1.5x", "inf", "nan", "1e999"}) {
        try {
            StrToFloat(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("'") + bad + "' is not a valid floating point value");
        }
    }
    EXPECT_DOUBLE_EQ(StrToFloatDef("x", 2.5), 2.5);
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
}

TEST(Checked, OverflowRaisesArithmeticOverflow) {
    EXPECT_EQ(CheckedAdd(2, 3), 5);
    EXPECT_EQ(CheckedMul<std::int64_t>(1LL << 31, 4), 1LL << 33);
    try {
        CheckedAdd(INT_MAX, 1);
        ADD_FAILURE();
    } catch (const EIntOverflow& e) {
        EXPECT_EQ(e.Message(), "Arithmetic overflow");
    }
    EXPECT_THROW(CheckedSub(INT_MIN, 1), EIntOverflow);
    EXPECT_THROW(CheckedMul(65536, 65536), EIntOverflow);
    EXPECT_THROW(CheckedAdd<std::uint32_t>(0xFFFFFFFFu, 1u), EIntOverflow);
    EXPECT_EQ((CheckedCast<short>(32767)), 32767);
    EXPECT_THROW((CheckedCast<short>(40000)), ERangeError);
}

TEST(Paths, SplitAndJoinWithSlash) {
    EXPECT_EQ(ExtractFilePath("/opt/vd/vendrill"), "/opt/vd/");
    EXPECT_EQ(ExtractFileName("/opt/vd/vendrill"), "vendrill");
    EXPECT_EQ(ExtractFileName("plain"), "plain");
    EXPECT_EQ(ExtractFilePath("plain"), "");
    EXPECT_EQ(ExtractFileDir("/opt/vd/x.ini"), "/opt/vd");
    EXPECT_EQ(ExtractFileDir("/x"), "/");
    EXPECT_EQ(ExtractFileExt("/a.b/c.English.lng"), ".lng");
    EXPECT_EQ(ExtractFileExt("/a.b/noext"), "");
    EXPECT_EQ(ChangeFileExt("/opt/vd/vendrill", ".ini"), "/opt/vd/vendrill.ini");
    EXPECT_EQ(ChangeFileExt("/opt/v.d/prog.exe", ".ini"), "/opt/v.d/prog.ini");
    EXPECT_EQ(ChangeFileExt("a.lng", ""), "a");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt"), "/opt/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt/"), "/opt/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/opt/"), "/opt");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(Paths, FileTestsAndProgramPath) {
    const String self = ProgramPath();
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(self.front(), '/');
    EXPECT_TRUE(FileExists(self));
    EXPECT_FALSE(DirectoryExists(self));
    EXPECT_TRUE(DirectoryExists(ExtractFileDir(self)));
    EXPECT_FALSE(FileExists(ExtractFileDir(self)));
    EXPECT_FALSE(FileExists(self + ".missing"));
}

} // namespace
} // namespace vd

namespace vd {
namespace {

TEST(Paths, MasksMatchLikeTheShell) {
    struct TCase {
        const char* Name;
        const char* Mask;
        bool Want;
    };
    const TCase cases[] = {
        {"vendrill.English.lng", "vendrill.*.lng", true},
        {"vendrill.lng", "vendrill.*.lng", false},
        {"VENDRILL.x.LNG", "vendrill.*.lng", true},
        {"dsp_test.so", "dsp*.so", true},
        {"adsp.so", "dsp*.so", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"", "*", true},
        {"x", "", false},
        {"aaa.b.b", "*.b", true},
        {"mississippi", "*sip*", true},
        {"mississippi", "m*s*p*q", false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MatchesMask(c.Name, c.Mask), c.Want) << c.Name << " " << c.Mask;
    EXPECT_FALSE(MatchesMask("A.lng", "a.lng", true));
}

TEST(Paths, FindFilesListsMatchingFilesOnly) {
    const String dir = ExtractFileDir(ProgramPath());
    const auto found = FindFiles(dir, ExtractFileName(ProgramPath()));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], ExtractFileName(ProgramPath()));
    EXPECT_TRUE(FindFiles(dir + "/no-such-folder", "*").empty());
    EXPECT_TRUE(FindFiles("/", "proc").empty()); // a folder is not a file
}

} // namespace
} // namespace vd
