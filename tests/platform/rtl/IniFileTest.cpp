#include "TempDir.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/IniFile.h"
#include "platform/rtl/StringList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {
namespace {

using test::ReadText;
using test::WriteText;
using V = std::vector<String>;

class IniFileTest : public ::testing::Test {
protected:
    test::TTempDir Dir;
    String Path = Dir.File("vendrill.ini");

    V Strings(const TStrings& s) {
        V out;
        for (int i = 0; i < s.Count(); ++i)
            out.push_back(s[i]);
        return out;
    }
};

const char* const Sample = "; settings\n"
                           "[Setting]\n"
                           "Language = English.lng \n"
                           "Device=2\n"
                           "Quoted=\"  spaced  \"\n"
                           "Single='x'\n"
                           "Mixed=\"x'\n"
                           "Empty=\n"
                           "stray text\n"
                           "=nokey\n"
                           "[ stream001 ]\n"
                           "URL=example.org\n"
                           "url=second\n"
                           "[SETTING]\n"
                           "Device=9\n"
                           "Extra=1\n"
                           "  [E-mail]  \n"
                           "  Port  =  25  \n"
                           "# hash comment=1\n"
                           "[broken\n"
                           "Host=after broken\n";

TEST_F(IniFileTest, ReadingFollowsTheProfileRules) {
    WriteText(Path, Sample);
    TIniFile ini(Path);
    struct TCase {
        const char* Section;
        const char* Key;
        const char* Want;
    };
    const TCase cases[] = {
        {"Setting", "Language", "English.lng"}, // trimmed
        {"setting", "LANGUAGE", "English.lng"}, // no case
        {"Setting", "Device", "2"},             // first section wins
        {"Setting", "Extra", "<default>"},      // ... and only the first is read
        {"Setting", "Quoted", "  spaced  "},    // one pair of quotes removed
        {"Setting", "Single", "x"},
        {"Setting", "Mixed", "\"x'"}, // quotes must match
        {"Setting", "Empty", ""},
        {"Setting", "stray text", "<default>"}, // malformed lines are ignored
        {"Setting", "", "<default>"},
        {"Stream001", "URL", "example.org"}, // section names trimmed
        {"stream001", "Url", "example.org"}, // first key wins
        {"E-mail", "Port", "25"},
        {"E-mail", "# hash comment", "<default>"},
        {"E-mail", "Host", "after broken"}, // "[broken" is no header
        {"Missing", "Device", "<default>"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ini.ReadString(c.Section, c.Key, "<default>"), c.Want) << c.Section << "/" << c.Key;
    EXPECT_TRUE(ini.SectionExists("STREAM001"));
    EXPECT_FALSE(ini.SectionExists("broken"));
    EXPECT_TRUE(ini.ValueExists("Setting", "Empty"));
    EXPECT_FALSE(ini.ValueExists("Setting", "Extra"));
}

TEST_F(IniFileTest, NumbersAndBooleansFallBackToTheDefault) {
    WriteText(Path, "[S]\nA=12\nB=-3\nC=$1F\nD=0x1F\nE=12a\nF=1.5\nG=\nH=99999999999\nT=1\nZ=0\nN=2\nW=true\n"
                    "R=2.5\nQ=\"7\"\n");
    TIniFile ini(Path);
    struct TCase {
        const char* Key;
        int Want;
    };
    const TCase ints[] = {{"A", 12}, {"B", -3}, {"C", 31}, {"D", 31}, {"E", 77},
                          {"F", 77}, {"G", 77}, {"H", 77}, {"Q", 7},  {"Missing", 77}};
    for (const TCase& c : ints)
        EXPECT_EQ(ini.ReadInteger("S", c.Key, 77), c.Want) << c.Key;
    EXPECT_TRUE(ini.ReadBool("S", "T", false));
    EXPECT_FALSE(ini.ReadBool("S", "Z", true));
    EXPECT_TRUE(ini.ReadBool("S", "N", false));  // any non-zero number
    EXPECT_FALSE(ini.ReadBool("S", "W", false)); // not a number: the default
    EXPECT_TRUE(ini.ReadBool("S", "W", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "R", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "E", 4.5), 4.5);
}

TEST_F(IniFileTest, EnumerationIsInFileOrder) {
    WriteText(Path, Sample);
    TIniFile ini(Path);
    TStringList list;
    list.Add("stale");
    ini.ReadSections(list);
    EXPECT_EQ(Strings(list), (V{"Setting", "stream001", "E-mail"}));
    ini.ReadSection("setting", list);
    EXPECT_EQ(Strings(list), (V{"Language", "Device", "Quoted", "Single", "Mixed", "Empty"}));
    ini.ReadSectionValues("Stream001", list);
    EXPECT_EQ(Strings(list), (V{"URL=example.org"}));
    ini.ReadSection("Missing", list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniFileTest, WritingChangesOnlyWhatItMust) {
    WriteText(Path, "; keep me\n[Setting]\nDevice=1\nodd line\n\n[Stream001]\nURL=a\n");
    TIniFile ini(Path);
    ini.WriteInteger("SETTING", "device", 5);  // replaced in place, key spelling kept
    ini.WriteBool("Setting", "ToTray", true);  // appended after the section's last key
    ini.WriteString("E-mail", "Host", "smtp"); // new section at the end
    EXPECT_EQ(ReadText(Path), "; keep me\n[Setting]\nDevice=5\nToTray=1\nodd line\n\n[Stream001]\nURL=a\n"
                              "[E-mail]\nHost=smtp\n");
    ini.DeleteKey("Setting", "ToTray");
    ini.EraseSection("stream001");
    EXPECT_EQ(ReadText(Path), "; keep me\n[Setting]\nDevice=5\nodd line\n\n[E-mail]\nHost=smtp\n");
}

TEST_F(IniFileTest, EraseAndDeleteLeaveNoDuplicateBehind) {
    WriteText(Path, "[A]\nK=1\nK=2\n[B]\nX=1\n[a]\nK=3\n");
    TIniFile ini(Path);
    ini.DeleteKey("A", "k");
    EXPECT_EQ(ini.ReadString("A", "K", "none"), "none");
    ini.EraseSection("A");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_EQ(ReadText(Path), "[B]\nX=1\n");
}

TEST_F(IniFileTest, ValuesRoundTripExactly) {
    const String values[] = {"",         "plain", "  lead",        "trail  ",   "\"quoted\"",
                             "'single'", "a=b=c", "; not comment", "[Section]", "\xC3\xA4\xE2\x82\xAC",
                             "'",        "\"x'",  "\t tab"};
    {
        TIniFile ini(Path);
        for (std::size_t i = 0; i < std::size(values); ++i)
            ini.WriteString("Values", "K" + std::to_string(i), values[i]);
    }
    TIniFile ini(Path);
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(ini.ReadString("Values", "K" + std::to_string(i), "<none>"), values[i]) << i;
    EXPECT_EQ(ini.ReadString("Values", "K1", ""), "plain");
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(Strings(sections), V{"Values"});
}

TEST_F(IniFileTest, LineBreaksInAValueCannotForgeLines) {
    TIniFile ini(Path);
    ini.WriteString("Setting", "InfoName", "Radio\r\n[Evil]\nPassword=x");
    EXPECT_EQ(ini.ReadString("Setting", "InfoName", ""), "Radio  [Evil] Password=x");
    EXPECT_FALSE(ini.SectionExists("Evil"));
}

TEST_F(IniFileTest, KeepsTheFilesLineBreaksAndByteOrderMark) {
    WriteText(Path, "\xEF\xBB\xBF[Setting]\r\nA=1\r\n");
    TIniFile ini(Path);
    EXPECT_EQ(ini.ReadString("Setting", "A", ""), "1");
    ini.WriteString("Setting", "B", "2");
    EXPECT_EQ(ReadText(Path), "\xEF\xBB\xBF[Setting]\r\nA=1\r\nB=2\r\n");
}

TEST_F(IniFileTest, SectionsCanBeSortedByStreamNumber) {
    WriteText(
        Path,
        "; top\n[Setting]\nA=1\n[Stream1000]\nN=1000\n[Stream101]\nN=101\n[Stream002]\nN=2\n[Plugins]\n");
    TIniFile ini(Path);
    const auto number = [](const String& s) { return std::stoi(s.substr(6)); };
    const auto isStream = [](const String& s) { return s.size() > 6 && s.compare(0, 6, "Stream") == 0; };
    ini.SortSections([&](const String& a, const String& b) {
        if (isStream(a) != isStream(b)) return isStream(b); // streams last
        return isStream(a) && number(a) < number(b);
    });
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(Strings(list), (V{"Setting", "Plugins", "Stream002", "Stream101", "Stream1000"}));
    EXPECT_EQ(ReadText(Path).substr(0, 6), "; top\n");
    EXPECT_EQ(ini.ReadInteger("Stream101", "N", 0), 101);
}

TEST_F(IniFileTest, SeesChangesMadeByAnotherWriter) {
    TIniFile a(Path), b(Path);
    EXPECT_EQ(a.ReadString("S", "K", "none"), "none");
    b.WriteString("S", "K", "from b");
    EXPECT_EQ(a.ReadString("S", "K", "none"), "from b");
    a.WriteString("S", "L", "from a");
    EXPECT_EQ(b.ReadString("S", "K", ""), "from b");
    EXPECT_EQ(b.ReadString("S", "L", ""), "from a");
    // Every change is in the file at once; UpdateFile only flushes it to disk.
    EXPECT_EQ(ReadText(Path), "[S]\nK=from b\nL=from a\n");
    a.UpdateFile();
    b.UpdateFile();
    EXPECT_EQ(ReadText(Path), "[S]\nK=from b\nL=from a\n");
}

TEST_F(IniFileTest, MemIniFileWritesOnlyOnUpdateFile) {
    WriteText(Path, "[S]\nA=1\n");
    TMemIniFile ini(Path);
    ini.WriteString("S", "B", "2");
    EXPECT_EQ(ReadText(Path), "[S]\nA=1\n");
    ini.UpdateFile();
    EXPECT_EQ(ReadText(Path), "[S]\nA=1\nB=2\n");
    WriteText(Path, "[S]\nA=9\n");
    EXPECT_EQ(ini.ReadString("S", "A", ""), "1");
    ini.Reload();
    EXPECT_EQ(ini.ReadString("S", "A", ""), "9");
}

// Saving: a new file replaces the old one whole, readable by its owner only.
TEST_F(IniFileTest, SavesAtomicallyWithOwnerOnlyMode) {
    WriteText(Path, "[S]\nA=1\n");
    ::chmod(Path.c_str(), 0644);
    struct stat before {};
    ::stat(Path.c_str(), &before);
    TIniFile ini(Path);
    ini.WriteString("S", "Password", "6a6b");
    struct stat after {};
    ASSERT_EQ(::stat(Path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 0777, 0600u);
    EXPECT_NE(after.st_ino, before.st_ino); // renamed over, never rewritten in place
    std::size_t files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(Dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u); // no temporary left behind
    const String fresh = Dir.File("new.ini");
    TIniFile(fresh).WriteString("S", "A", "1");
    ::stat(fresh.c_str(), &after);
    EXPECT_EQ(after.st_mode & 0777, 0600u);
}

TEST_F(IniFileTest, WritingThroughASymlinkUpdatesItsTarget) {
    const String real = Dir.File("real.ini");
    WriteText(real, "[S]\nA=1\n");
    ASSERT_EQ(::symlink(real.c_str(), Path.c_str()), 0);
    TIniFile(Path).WriteString("S", "A", "2");
    EXPECT_EQ(ReadText(real), "[S]\nA=2\n");
    struct stat st {};
    ::lstat(Path.c_str(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(IniFileTest, AFolderThatCannotTakeTheFileGivesAClearError) {
    // A regular file where the folder should be fails for every user, root included.
    const String blocker = Dir.File("notadir");
    WriteText(blocker, "x");
    TIniFile ini(blocker + "/vendrill.ini");
    EXPECT_EQ(ini.ReadString("S", "A", "def"), "def");
    try {
        ini.WriteString("S", "A", "1");
        ADD_FAILURE();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + blocker + "/vendrill.ini\". Not a directory");
    }
    EXPECT_EQ(ini.ReadString("S", "A", "def"), "def"); // the failed change is not kept
    TIniFile missing(Dir.File("missing/vendrill.ini"));
    EXPECT_THROW(missing.WriteString("S", "A", "1"), EFCreateError);
}

TEST_F(IniFileTest, ReadOnlyFolderKeepsTheOldSettings) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    WriteText(Path, "[S]\nA=1\n");
    ::chmod(Dir.Path().c_str(), 0555);
    TIniFile ini(Path);
    EXPECT_THROW(ini.WriteString("S", "A", "2"), EFCreateError);
    ::chmod(Dir.Path().c_str(), 0755);
    EXPECT_EQ(ReadText(Path), "[S]\nA=1\n");
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverOverwritten) {
    // A folder in place of the file: it exists but reading it fails, for root too.
    ASSERT_EQ(::mkdir(Path.c_str(), 0700), 0);
    TIniFile ini(Path);
    EXPECT_EQ(ini.ReadInteger("S", "A", 3), 3);
    try {
        ini.WriteString("S", "A", "2");
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + Path + "\". Is a directory");
    }
    EXPECT_TRUE(std::filesystem::is_directory(Path));
}

TEST_F(IniFileTest, ANamedPipeIsNeitherReadNorReplaced) {
    ASSERT_EQ(::mkfifo(Path.c_str(), 0600), 0);
    TIniFile ini(Path); // must not block waiting for a writer
    EXPECT_EQ(ini.ReadString("S", "A", "def"), "def");
    EXPECT_THROW(ini.WriteString("S", "A", "1"), EFOpenError);
    EXPECT_TRUE(std::filesystem::is_fifo(Path));
}

} // namespace
} // namespace vd
