#include "app/core/VersionInfo.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(VersionInfoTest, TheProgramCarriesItsVersion) {
    const TrpVersionInfo info;
    EXPECT_EQ(info.ProductName(), "Tarvolin Vendrill");
    EXPECT_EQ(info.OriginalFileName(), "vendrill");
    // The build's own project version, handed in apart from the embedded text.
    EXPECT_EQ(info.FileVersion(), String(VD_PROJECT_VERSION) + ".0");
    EXPECT_EQ(VersionCaption(info.ProductName(), info), String("Tarvolin Vendrill ") + VD_PROJECT_VERSION);
}

TEST(VersionInfoTest, FileVersionNumbers) {
    struct Case {
        const char* version;
        int major, minor, release, build;
        const char* caption;
    };
    const Case cases[] = {
        {"2.1.0.17", 2, 1, 0, 17, "P 2.1.0"},
        {"3.5", 3, 5, 5, 5, "P 3.5.5"}, // the last number is read again and again
        {"", 0, 0, 0, 0, "P 0.0.0"},
        {"beta", 0, 0, 0, 0, "P 0.0.0"},
        {"10.20.30.40 (test)", 10, 20, 30, 40, "P 10.20.30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        TrpVersionInfo info;
        info.LoadFromText(String("Translation=040904E4\n[040904E4]\nFileVersion=") + c.version + "\n");
        EXPECT_EQ(info.FileVersion(), c.version);
        EXPECT_EQ(info.Major(), c.major);
        EXPECT_EQ(info.Minor(), c.minor);
        EXPECT_EQ(info.Release(), c.release);
        EXPECT_EQ(info.Build(), c.build);
        EXPECT_EQ(VersionCaption("P", info), c.caption);
    }
}

TEST(VersionInfoTest, OnlyTheFirstTranslationsTableIsRead) {
    test::TTempFolder folder;
    folder.Write("other.txt", "Translation=040704B0\n"
                              "[040904E4]\nCompanyName=English Co\nFileVersion=9.9.9.9\n"
                              "[040704B0]\nCompanyName=Deutsch GmbH\nComments=Hallo\n");
    TrpVersionInfo info;
    const String ownVersion = info.FileVersion();
    info.LoadFromFile(folder.File("other.txt"));
    EXPECT_EQ(info.CompanyName(), "Deutsch GmbH");
    EXPECT_EQ(info.Comments(), "Hallo");
    EXPECT_EQ(info.FileVersion(), ownVersion); // not in that table: kept as it was
    EXPECT_EQ(info.GetInfo(static_cast<TVersionType>(10)), "");

    folder.Write("empty.txt", "");
    TrpVersionInfo blank;
    blank.LoadFromText("no resource here");
    EXPECT_EQ(blank.ProductName(), "Tarvolin Vendrill"); // strings stay as they were
    TrpVersionInfo none;
    none.LoadFromFile(folder.File("missing.txt"));
    EXPECT_EQ(none.ProductName(), "Tarvolin Vendrill");
}

} // namespace
} // namespace vd
