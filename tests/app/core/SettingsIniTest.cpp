#include "app/core/SettingsIni.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vd {
namespace {

const char* const Sample = "; a comment\r\n"
                           "[Setting]\r\n"
                           "Language = Deutsch.lng \r\n"
                           "Quoted=\"  spaced  \"\r\n"
                           "Number=42\r\n"
                           "Bad=4x\r\n"
                           "Huge=99999999999\r\n"
                           "Neg=-7\r\n"
                           "Flag=2\r\n"
                           "Off=0\r\n"
                           "number=13\r\n"
                           "no key line\r\n"
                           "=orphan\r\n"
                           "[setting]\r\n"
                           "Later=1\r\n"
                           "[Other]\r\n"
                           "X=y\r\n";

TEST(SettingsIniTest, ReadsWithProfileRules) {
    TSettingsIni ini;
    ini.SetText(Sample);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case strings[] = {
        {"SETTING", "language", "Deutsch.lng"}, // case-insensitive, trimmed
        {"Setting", "Quoted", "  spaced  "},    // surrounding quotes stripped
        {"Setting", "Number", "42"},            // first match wins over "number"
        {"Setting", "Later", "dflt"},           // only the first section of a name is read
        {"Setting", "no key line", "dflt"},
        {"Setting", "", "dflt"},
        {"Missing", "X", "dflt"},
        {"other", "x", "y"},
    };
    for (const Case& c : strings) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.ReadString(c.section, c.key, "dflt"), c.expected);
    }
    struct IntCase {
        const char* key;
        int expected;
    };
    const IntCase ints[] = {{"Number", 42}, {"Bad", -1}, {"Huge", -1}, {"Neg", -7}, {"Missing", -1}};
    for (const IntCase& c : ints) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini.ReadInteger("Setting", c.key, -1), c.expected);
    }
    EXPECT_TRUE(ini.ReadBool("Setting", "Flag", false)); // any non-zero number
    EXPECT_FALSE(ini.ReadBool("Setting", "Off", true));
    EXPECT_TRUE(ini.ReadBool("Setting", "Bad", true)); // not a number: the default
    EXPECT_EQ(ini.ReadSections(), (std::vector<String>{"Setting", "Other"}));
}

TEST(SettingsIniTest, WritesInPlaceAppendsAndErases) {
    TSettingsIni ini;
    ini.SetText("[A]\nk=1\n\n[B]\nx=2\n");
    ini.WriteString("a", "K", "one");     // replaced where it stands, spelling kept
    ini.WriteInteger("A", "n", -5);       // appended at the end of its section
    ini.WriteBool("C", "flag", true);     // a new section at the end
    ini.WriteString("B", "line", "a\nb"); // a value never breaks its line
    EXPECT_EQ(ini.Text(), "[A]\nk=one\nn=-5\n\n[B]\nx=2\nline=a b\n[C]\nflag=1\n");
    ini.DeleteKey("b", "X");
    ini.EraseSection("a");
    EXPECT_EQ(ini.Text(), "[B]\nline=a b\n[C]\nflag=1\n");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_TRUE(ini.ValueExists("c", "FLAG"));
}

TEST(SettingsIniTest, SaveIsPrivateAndComplete) {
    test::TTempFolder folder;
    const String path = folder.File("sub/dir/vendrill.ini");
    TSettingsIni ini(path); // missing: empty
    EXPECT_EQ(ini.Text(), "");
    ini.WriteString("Setting", "TitlePass", "00ff");
    ASSERT_TRUE(ini.Save());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(TSettingsIni(path).ReadString("setting", "titlepass", ""), "00ff");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("sub/dir")),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SettingsIniTest, ValuesWithEdgeBlanksOrQuotesRoundTrip) {
    TSettingsIni ini;
    for (const char* value : {"  padded  ", "\"quoted\"", "'single'", "plain", ""}) {
        SCOPED_TRACE(value);
        ini.WriteString("S", "k", value);
        TSettingsIni reread;
        reread.SetText(ini.Text());
        EXPECT_EQ(reread.ReadString("S", "k", "dflt"), value);
    }
}

TEST(SettingsIniTest, AnUnreadableFileIsNeverOverwritten) {
    test::TTempFolder folder;
    std::filesystem::create_directory(folder.File("vendrill.ini")); // exists, cannot be read as a file
    TSettingsIni ini(folder.File("vendrill.ini"));
    ini.WriteString("A", "b", "c");
    EXPECT_FALSE(ini.Save());
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("vendrill.ini")));
}

TEST(SettingsIniTest, APipeInPlaceOfTheFileDoesNotBlock) {
    test::TTempFolder folder;
    ASSERT_EQ(::mkfifo(folder.File("vendrill.ini").c_str(), 0600), 0);
    TSettingsIni ini(folder.File("vendrill.ini"));
    EXPECT_EQ(ini.ReadString("Setting", "Language", "English"), "English");
    EXPECT_FALSE(ini.Save()); // and it is not replaced
}

TEST(SettingsIniTest, SaveIntoAMissingPlaceFailsWithoutHarm) {
    TSettingsIni ini;
    ini.WriteString("A", "b", "c");
    EXPECT_FALSE(ini.SaveAs("/proc/self/no/such/file.ini"));
    EXPECT_FALSE(ini.Save()); // no file name
}

} // namespace
} // namespace vd
