#include "skin/core/SkinCodecs.h"
#include "skin/core/SkinIni.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TskMemIniFile Section(const std::string& body) {
    return TskMemIniFile("[S]\n" + body);
}

TEST(SkinCodecs, Rectangles) {
    struct Case {
        const char* Line;
        TRect Expected;
    } cases[] = {
        {"r=5,24,193,165", {5, 24, 193, 165}},
        {"r=0,0,0,0", {0, 0, 0, 0}},
        {"", {0, 0, 0, 0}},              // missing key
        {"r=-5,2,3,4", {5, 2, 3, 4}},    // minus dropped
        {"r= 1 , 2,3 ,4", {1, 2, 3, 4}}, // blanks dropped
        {"r=5,", {5, 0, 0, 0}},          // part without digits reads 0
        {"r=", {0, 0, 0, 0}},
        {"r=a,b,c,d", {0, 0, 0, 0}},
        {"r=1,2,3,4,5,6", {1, 2, 3, 4}},       // extra parts ignored
        {"r=99999999999,1,2,3", {0, 1, 2, 3}}, // too large for 32 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSkinRect(Section(c.Line), "S", "r"), c.Expected) << c.Line;
}

TEST(SkinCodecs, Points) {
    struct Case {
        const char* Line;
        TPoint Expected;
    } cases[] = {
        {"p=8, 29", {8, 29}}, {"p=-3,5", {3, 5}}, {"", {0, 0}}, {"p=1,2,3", {1, 2}}, {"p=7", {7, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSkinPoint(Section(c.Line), "S", "p"), c.Expected) << c.Line;
}

TEST(SkinCodecs, WrittenNegativeReadsBackPositive) {
    TskMemIniFile ini;
    WriteSkinRect(ini, "S", "r", {-5, 1, 2, 3});
    WriteSkinPoint(ini, "S", "p", {-1, 4});
    EXPECT_EQ(ini.ReadString("S", "r", ""), "-5,1,2,3");
    EXPECT_EQ(ReadSkinRect(ini, "S", "r"), (TRect{5, 1, 2, 3}));
    EXPECT_EQ(ReadSkinPoint(ini, "S", "p"), (TPoint{1, 4}));
}

TEST(SkinCodecs, Flags) {
    struct Case {
        const char* Line;
        bool Expected;
    } cases[] = {{"b=1", true},    {"b=0", false}, {"b=2", false}, {"b=-1", false},
                 {"b=yes", false}, {"", false},    {"b=$1", true}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadSkinBool(Section(c.Line), "S", "b"), c.Expected) << c.Line;
}

TEST(SkinCodecs, FontStyles) {
    struct Case {
        const char* Text;
        TskFontStyles Expected;
    } cases[] = {
        {"fsBold", 0},
        {"fsbold,fsitalic", skfsBold | skfsItalic},
        {"fsunderlinefsbold", skfsUnderline | skfsBold},
        {"[fsstrikeout]", skfsStrikeOut},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToFontStyle(c.Text), c.Expected) << c.Text;
    EXPECT_EQ(FontStyleToText(skfsStrikeOut | skfsBold | skfsUnderline), "fsbold,fsunderline,fsstrikeout");
    EXPECT_EQ(FontStyleToText(0), "");
}

TEST(SkinCodecs, AlignmentEffectMorphAndCommandWords) {
    EXPECT_EQ(ReadAlignment(Section(""), "S", "a"), TskAlignment::Center);
    EXPECT_EQ(ReadAlignment(Section("a=tacenter"), "S", "a"), TskAlignment::Center);
    EXPECT_EQ(ReadAlignment(Section("a=taCenter"), "S", "a"), TskAlignment::RightJustify);
    EXPECT_EQ(ReadAlignment(Section("a=taleftjustify"), "S", "a"), TskAlignment::LeftJustify);
    EXPECT_EQ(ReadAlignment(Section("a=tarightjustify"), "S", "a"), TskAlignment::RightJustify);

    EXPECT_EQ(ReadImageEffect(Section(""), "S", "e"), ieBrightness);
    EXPECT_EQ(TextToImageEffect("iedarkness"), ieDarkness);
    EXPECT_EQ(TextToImageEffect("iegrayscale"), ieGrayScale);
    EXPECT_EQ(TextToImageEffect("whatever"), ieGrayScale);
    EXPECT_EQ(TextToImageEffect("ieinvert"), ieInvert);

    EXPECT_EQ(ReadMorphKind(Section(""), "S", "m"), mkDefault);
    EXPECT_EQ(TextToMorphKind("mkpush"), mkPush);
    EXPECT_EQ(TextToMorphKind("mkleftslide"), mkLeftSlide);
    EXPECT_EQ(TextToMorphKind("MKPUSH"), mkDefault);

    EXPECT_EQ(ReadStdCommand(Section(""), "S", "c"), cmDefault);
    EXPECT_EQ(TextToStdCommand("cmclose"), cmClose);
    EXPECT_EQ(TextToStdCommand("CMCLOSE"), cmMinimizeToTray);
    EXPECT_EQ(TextToStdCommand("cmrollup"), cmRollUp);

    TskMemIniFile ini;
    WriteMorphKind(ini, "S", "m", 6);
    WriteMorphKind(ini, "S", "n", 7);
    WriteAlignment(ini, "S", "a", TskAlignment::LeftJustify);
    WriteStdCommand(ini, "S", "c", cmMinimizeToTray);
    EXPECT_EQ(ini.ReadString("S", "m", "?"), "mkpush");
    EXPECT_EQ(ini.ReadString("S", "n", "?"), "");
    EXPECT_EQ(ini.ReadString("S", "a", "?"), "taleftjustify");
    EXPECT_EQ(ini.ReadString("S", "c", "?"), "cmminimizetotray");
}

TEST(SkinCodecs, CountedListAppends) {
    TskMemIniFile ini("[PICTURES]\nactivepicturescount=2\n0=a.bmp\n1=b.bmp\npicture=main.bmp\n");
    std::vector<String> target{"old"};
    ReadStringList(ini, "PICTURES", "activepictures", target);
    EXPECT_EQ(target, (std::vector<String>{"old", "a.bmp", "b.bmp"}));
    ReadStringList(ini, "PICTURES", "missing", target);
    EXPECT_EQ(target.size(), 3u);
}

TEST(SkinCodecs, IsSkinIni) {
    const std::string all =
        "[VERSION]\nskinname=x\n[PICTURES]\np=1\n[FORMINFO]\na=1\n[SKINOBJECTS]\ncount=0\n"
        "[SKINCONTROLS]\ncount=0\n";
    EXPECT_TRUE(IsSkinIni(TskMemIniFile(all)));
    std::string commented = all;
    commented.replace(commented.find("a=1"), 3, ";a=1");
    EXPECT_FALSE(IsSkinIni(TskMemIniFile(commented)));
    EXPECT_FALSE(IsSkinIni(TskMemIniFile("[VERSION]\nx=1\n")));
}

} // namespace
} // namespace vd
