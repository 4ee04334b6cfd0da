#include "skin/core/SkinStrings.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(SkinStrings, DefaultTable) {
    TskResourceStrData data;
    ASSERT_EQ(data.ResStrings().size(), 118u);
    EXPECT_EQ(data.ResStrings().front(), "MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(data.ResStrings()[6], "MINBUTTON_HINT=Minimize");
    EXPECT_EQ(data.ResStrings().back(), "AUTOCOLOR=Automatic");
    EXPECT_EQ(data.CharSet(), 1);
}

TEST(SkinStrings, Lookups) {
    TskResourceStrData data;
    struct Case {
        const char* Key;
        const char* Expected;
    } cases[] = {
        {"MI_CLOSECAPTION", "&Close"},       {"mi_closecaption", "&Close"}, {"FLV_LOOKIN", "Look in: "},
        {"FIND_REPLACE_ALL", "Replace All"}, {"NO_SUCH_KEY", ""},           {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(data.LookupResString(c.Key), c.Expected) << c.Key;
}

TEST(SkinStrings, ReplacedLines) {
    TskResourceStrData data;
    data.SetResStrings({"A=x=y", "b=first", "B=second", "C", "=empty key"});
    EXPECT_EQ(data.LookupResString("a"), "x=y");
    EXPECT_EQ(data.LookupResString("B"), "first");
    EXPECT_EQ(data.LookupResString("C"), "");
    EXPECT_EQ(data.LookupResString("MI_CLOSECAPTION"), "");
    data.SetResStrings({});
    EXPECT_EQ(data.LookupResString("b"), "");
}

} // namespace
} // namespace vd
