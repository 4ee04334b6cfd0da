#include "skin/store/SkinIni.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(SkinIni, SyntaxQuirks) {
    TskMemIniFile ini("top=ignored\r\n"
                      "  [ Alpha ]  \r\n"
                      "; a comment\n"
                      "  key  =  value with blanks  \r"
                      "dup=first\n"
                      "dup=second\n"
                      "eq=a=b\n"
                      "novalue line\n"
                      "[alpha]\n"
                      "late=unreachable\n"
                      "[Empty]\n"
                      "; only a comment\n"
                      "[NoKeys]\n"
                      "just words\n");
    EXPECT_EQ(ini.ReadString("ALPHA", "KEY", "d"), "value with blanks");
    EXPECT_EQ(ini.ReadString("alpha", "dup", "d"), "first");
    EXPECT_EQ(ini.ReadString("alpha", "eq", "d"), "a=b");
    EXPECT_EQ(ini.ReadString("alpha", "late", "d"), "d");
    EXPECT_EQ(ini.ReadString("alpha", "top", "d"), "d");
    EXPECT_EQ(ini.ReadString("alpha", "novalue line", "d"), "d");
    EXPECT_TRUE(ini.SectionExists("Alpha"));
    EXPECT_FALSE(ini.SectionExists("Empty"));
    EXPECT_TRUE(ini.SectionExists("nokeys"));
    EXPECT_FALSE(ini.SectionExists("missing"));
}

TEST(SkinIni, TextEndsAtNul) {
    std::string text("[S]\nA=1\n", 8);
    text += '\0';
    text += "B=2\n";
    TskMemIniFile ini(text);
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 1);
    EXPECT_EQ(ini.ReadInteger("S", "B", 0), 0);
}

TEST(SkinIni, Integers) {
    struct Case {
        const char* Text;
        int Expected;
    } cases[] = {
        {"12", 12},
        {"-7", -7},
        {"+3", 3},
        {"0x1F", 31},
        {"0XfF", 255},
        {"$FF00000F", int(0xFF00000F)},
        {"$", 99},
        {"12a", 99},
        {"", 99},
        {"abc", 99},
        {"2147483647", 2147483647},
        {"2147483648", 99},
        {"-2147483648", -2147483647 - 1},
        {"1 2", 99},
    };
    for (const Case& c : cases) {
        TskMemIniFile ini(std::string("[S]\nk=") + c.Text + "\n");
        EXPECT_EQ(ini.ReadInteger("S", "k", 99), c.Expected) << c.Text;
    }
}

TEST(SkinIni, WritesAndErases) {
    TskMemIniFile ini;
    ini.WriteString("A", "x", "1");
    ini.WriteInteger("a", "X", 2);
    ini.WriteString("B", "y", "z");
    EXPECT_EQ(ini.Text(), "[A]\r\nx=2\r\n\r\n[B]\r\ny=z\r\n\r\n");
    ini.EraseSection("a");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_EQ(ini.ReadString("B", "y", ""), "z");
    TskMemIniFile back(ini.Text());
    EXPECT_EQ(back.ReadString("b", "Y", ""), "z");
}

} // namespace
} // namespace vd
