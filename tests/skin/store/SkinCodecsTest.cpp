#include "skin/store/SkinCodecs.h"
#include "platform/rtl/Exception.h"
#include "skin/store/SkinIni.h"

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
        {"r=1x,2,3,4", {1, 2, 3, 4}},    // letters beside digits dropped
        {"r=1,2,3,4,5,6", {1, 2, 3, 4}}, // extra parts ignored
        {"r=1,2,3,4,,x", {1, 2, 3, 4}},  // even when they hold no digit
        {"r=2147483647,1,2,3", {2147483647, 1, 2, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSkinRect(Section(c.Line), "S", "r"), c.Expected) << c.Line;
}

TEST(SkinCodecs, Points) {
    struct Case {
        const char* Line;
        TPoint Expected;
    } cases[] = {
        {"p=8, 29", {8, 29}},
        {"p=-3,5", {3, 5}},
        {"", {0, 0}},
        {"p=1,2,3", {1, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSkinPoint(Section(c.Line), "S", "p"), c.Expected) << c.Line;
}

// A part that is no number must not silently place a skin piece at 0.
TEST(SkinCodecs, APartWithoutADigitIsAConversionError) {
    struct Case {
        const char* Line;
        bool Point;
        const char* Message;
    } cases[] = {
        {"r=5,", false, "'' is not a valid integer value"},
        {"r=", false, "'' is not a valid integer value"},
        {"r=1,2,3", false, "'' is not a valid integer value"},
        {"r=a,b,c,d", false, "'' is not a valid integer value"},
        {"r=1,-,3,4", false, "'' is not a valid integer value"},
        {"r=99999999999,1,2,3", false, "'99999999999' is not a valid integer value"},
        {"p=7", true, "'' is not a valid integer value"},
        {"p=,5", true, "'' is not a valid integer value"},
        {"p=x,y", true, "'' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        const TskMemIniFile ini = Section(c.Line);
        try {
            if (c.Point)
                ReadSkinPoint(ini, "S", "p");
            else
                ReadSkinRect(ini, "S", "r");
            ADD_FAILURE() << c.Line << " was read";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.Message) << c.Line;
        }
    }
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
