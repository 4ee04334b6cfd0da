#include "platform/shell/Autostart.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace vd {
namespace {

namespace fs = std::filesystem;

// Temporary user and system configuration folders, put in place of the real ones.
class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override {
        Root = Temp.Path();
        Save("XDG_CONFIG_HOME", SavedConfigHome);
        Save("XDG_CONFIG_DIRS", SavedConfigDirs);
        ::setenv("XDG_CONFIG_HOME", (Root / "user").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", ((Root / "sys1").string() + ":" + (Root / "sys2/").string()).c_str(), 1);
    }
    void TearDown() override {
        Restore("XDG_CONFIG_HOME", SavedConfigHome);
        Restore("XDG_CONFIG_DIRS", SavedConfigDirs);
    }
    void Write(const std::string& folder, const std::string& name, const std::string& text) {
        fs::create_directories(Root / folder / "autostart");
        std::ofstream(Root / folder / "autostart" / name) << text;
    }
    bool Exists(const std::string& folder, const std::string& name) const {
        return fs::exists(Root / folder / "autostart" / name);
    }
    std::string Read(const std::string& folder, const std::string& name) const {
        std::ifstream in(Root / folder / "autostart" / name);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static std::string Entry(const std::string& exec) {
        return "[Desktop Entry]\nType=Application\nName=x\nExec=" + exec + "\n";
    }

    test::TTempDir Temp;
    fs::path Root;
    const std::string Program = "/opt/vendrill/bin/vendrill";

private:
    struct TSaved {
        bool Set = false;
        std::string Value;
    };
    static void Save(const char* name, TSaved& saved) {
        const char* v = std::getenv(name);
        saved.Set = v != nullptr;
        saved.Value = v ? v : "";
    }
    static void Restore(const char* name, const TSaved& saved) {
        if (saved.Set)
            ::setenv(name, saved.Value.c_str(), 1);
        else
            ::unsetenv(name);
    }
    TSaved SavedConfigHome, SavedConfigDirs;
};

TEST_F(AutostartTest, Folders) {
    EXPECT_EQ(UserAutostartFolder(), (Root / "user/autostart").string());
    EXPECT_EQ(SystemAutostartFolders(),
              (std::vector<String>{(Root / "sys1/autostart").string(), (Root / "sys2/autostart").string()}));
    ::unsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(SystemAutostartFolders(), (std::vector<String>{"/etc/xdg/autostart"}));
}

TEST_F(AutostartTest, ExecLines) {
    struct Case {
        std::string text;
        std::string program;
    };
    const Case cases[] = {
        {Entry("/opt/vendrill/bin/vendrill"), "/opt/vendrill/bin/vendrill"},
        {Entry("/opt/vendrill/bin/vendrill --minimized %U"), "/opt/vendrill/bin/vendrill"},
        {Entry("\"/opt/my \\\"radio\\\"/vendrill\" -x"), "/opt/my \"radio\"/vendrill"},
        {Entry("/opt/100%%/vendrill"), "/opt/100%/vendrill"},
        {Entry("/opt/vendrill/bin/vendrill") + "Hidden=true\n", ""},
        {"[Desktop Entry]\nType=Link\nExec=/opt/vendrill/bin/vendrill\n", ""},
        {"[Other Group]\nExec=/opt/vendrill/bin/vendrill\n", ""},
        {"[Desktop Entry]\nName=no exec\n", ""},
        {"", ""},
        {"[Desktop Entry]\nExec=\"unterminated", "unterminated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AutostartEntryProgram(c.text), c.program);
    }
}

TEST_F(AutostartTest, OnWritesOneEntryNamedAfterTheProgram) {
    EXPECT_FALSE(ReadAutoStart(Program));
    ASSERT_TRUE(WriteAutoStart(Program, true));
    EXPECT_TRUE(ReadAutoStart(Program));
    EXPECT_EQ(AutostartEntryProgram(Read("user", "vendrill.desktop")), Program);
    ASSERT_TRUE(WriteAutoStart(Program, true)); // already on: nothing more
    EXPECT_EQ(std::distance(fs::directory_iterator(Root / "user/autostart"), fs::directory_iterator()), 1);
    EXPECT_FALSE(ReadAutoStart("/opt/other/vendrill"));

    const std::string spaced = "/opt/my radio/vendrill";
    ASSERT_TRUE(WriteAutoStart(spaced, true));
    EXPECT_TRUE(ReadAutoStart(spaced));
}

TEST_F(AutostartTest, OffDeletesEveryUserEntryThatRunsTheProgram) {
    Write("user", "vendrill.desktop", Entry(Program));
    Write("user", "renamed.desktop", Entry(Program + " --tray"));
    Write("user", "other.desktop", Entry("/usr/bin/other"));
    ASSERT_TRUE(WriteAutoStart(Program, false));
    EXPECT_FALSE(Exists("user", "vendrill.desktop"));
    EXPECT_FALSE(Exists("user", "renamed.desktop"));
    EXPECT_TRUE(Exists("user", "other.desktop"));
    EXPECT_FALSE(ReadAutoStart(Program));
}

TEST_F(AutostartTest, SystemEntriesCountAndAreHiddenWhenSwitchedOff) {
    Write("sys2", "site.desktop", Entry(Program));
    EXPECT_TRUE(ReadAutoStart(Program));
    ASSERT_TRUE(WriteAutoStart(Program, false));
    EXPECT_TRUE(Exists("sys2", "site.desktop")); // never written
    EXPECT_FALSE(ReadAutoStart(Program));
    ASSERT_TRUE(WriteAutoStart(Program, true));
    EXPECT_TRUE(ReadAutoStart(Program));

    // A user entry of the same name hides the system entry.
    Write("sys1", "shadowed.desktop", Entry("/opt/x/vendrill"));
    Write("user", "shadowed.desktop", Entry("/usr/bin/other"));
    EXPECT_FALSE(ReadAutoStart("/opt/x/vendrill"));
}

TEST_F(AutostartTest, OddFilesAreSkippedWithoutBlocking) {
    fs::create_directories(Root / "user/autostart");
    ASSERT_EQ(::mkfifo((Root / "user/autostart/pipe.desktop").c_str(), 0600), 0);
    fs::create_directories(Root / "user/autostart/folder.desktop");
    Write("user", "notes.txt", Entry(Program));
    EXPECT_FALSE(ReadAutoStart(Program));
    ASSERT_TRUE(WriteAutoStart(Program, true));
    EXPECT_TRUE(ReadAutoStart(Program));
}

TEST_F(AutostartTest, AnUnwritableFolderIsReported) {
    fs::create_directories(Root / "user");
    std::ofstream(Root / "user/autostart") << "a file where the folder should be";
    EXPECT_FALSE(WriteAutoStart(Program, true));
    EXPECT_FALSE(ReadAutoStart(Program));
}

} // namespace
} // namespace vd
