#include "app/core/SettingsFile.h"
#include "app/core/AppSettings.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsIni.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFile(Folder.File("vendrill"));
        AssignAppSettings(TAppSettings());
        PluginFiles.clear();
    }
    void TearDown() override {
        SetProgramFile("");
        OnScanPlugins = nullptr;
    }
    TSettingsIni Ini() const { return TSettingsIni(Folder.File("vendrill.ini")); }

    test::TTempFolder Folder;
};

TEST_F(SettingsFileTest, NoFileGivesTheDefaults) {
    String scanned = "not called";
    OnScanPlugins = [&](const String& folder) { scanned = folder; };
    PluginFiles = {"stale.so"};
    DeviceChanged = true;
    StreamInfoChanged = true;
    ReadSettings(TSize{1920, 1080});

    TAppSettings expected;
    expected.Path = Folder.Path();
    expected.PosX = (1920 - 510) / 2;
    expected.PosY = (1080 - 420) / 2;
    EXPECT_EQ(AppSettings, expected);
    EXPECT_TRUE(PluginFiles.empty());
    EXPECT_EQ(scanned, Folder.Path());
    EXPECT_FALSE(DeviceChanged);
    EXPECT_FALSE(StreamInfoChanged);
    // A screen narrower than the window: the division rounds toward zero.
    ReadSettings(TSize{500, 419});
    EXPECT_EQ(AppSettings.PosX, -5);
    EXPECT_EQ(AppSettings.PosY, 0);
}

TEST_F(SettingsFileTest, EverySettingSurvivesASaveAndReload) {
    TAppSettings s;
    s.Language = "Deutsch.lng";
    s.Device = 3;
    s.DeviceName = "USB Audio: Line In";
    s.WaitMode = true;
    s.Sample = 48000;
    s.ToTray = true;
    s.InfoName = "Radio Tarvolin";
    s.InfoDesc = "Talk = music; all day";
    s.InfoURL = "http://example.org/";
    s.InfoGenre = "Jazz";
    s.InfoAIM = "aim";
    s.InfoIRC = "#radio";
    s.InfoICQ = "1234";
    s.InfoUTF8 = true;
    s.TitleMode = 1;
    s.TitleFile = "/var/tmp/title.txt";
    s.TitlePort = 8123;
    s.TitleIPOnly = true;
    s.TitleIP = "10.0.0.2";
    s.TitlePass = "secret";
    s.TitleAsString = true;
    s.Path = "/opt/plugins";
    s.PosX = -3;
    s.PosY = 40;
    s.PosW = 800;
    s.PosH = 600;
    s.TimeError = 0;
    s.TimeRestore = 600;
    s.EMail = true;
    s.Auth = true;
    s.SendTo = "to@example.org";
    s.Host = "smtp.example.org";
    s.From = "from@example.org";
    s.User = "mailer";
    s.Password = "password123";
    s.Port = 587;
    s.SSL = true;
    s.TextUTF8 = true;
    AssignAppSettings(s);
    PluginFiles = {"gain.so", "limiter.so"};
    ASSERT_TRUE(WriteSettings());
    ASSERT_TRUE(WriteWindowPos(s.PosX, s.PosY, s.PosW, s.PosH));
    ASSERT_TRUE(WritePlugins());

    AssignAppSettings(TAppSettings());
    PluginFiles.clear();
    ReadSettings(TSize{1920, 1080});
    EXPECT_EQ(AppSettings, s);
    EXPECT_EQ(PluginFiles, (std::vector<String>{"gain.so", "limiter.so"}));

    // The passwords are stored scrambled, as lower-case hex.
    const TSettingsIni ini = Ini();
    EXPECT_EQ(ini.ReadString("Setting", "TitlePass", ""), "222a3124243a");
    EXPECT_EQ(ini.ReadString("E-mail", "Password", ""), "212e212536212621607d61");
    EXPECT_EQ(Folder.Read("vendrill.ini").find("secret"), String::npos);
}

// The golden file holds every key of the three sections, in the writers' order, the passwords
// scrambled by hand; the record below is what it means.
TAppSettings GoldenSettings() {
    TAppSettings s;
    s.Language = "Deutsch.lng";
    s.Device = 2;
    s.DeviceName = "USB Audio: Line In";
    s.WaitMode = true;
    s.Sample = 48000;
    s.ToTray = true;
    s.InfoName = "Radio Tarvolin";
    s.InfoDesc = "Live from the studio";
    s.InfoURL = "http://radio.example.org/";
    s.InfoGenre = "Jazz & Blues";
    s.InfoAIM = "tarvolinaim";
    s.InfoIRC = "#tarvolin";
    s.InfoICQ = "123456";
    s.InfoUTF8 = true;
    s.TitleMode = 1;
    s.TitleFile = "/var/lib/radio/title.txt";
    s.TitlePort = 8123;
    s.TitleIPOnly = true;
    s.TitleIP = "192.168.1.10";
    s.TitlePass = "t\xC3\xADtle pass";
    s.TitleAsString = true;
    s.Path = "/opt/vendrill/plugins";
    s.PosX = 100;
    s.PosY = -20;
    s.PosW = 640;
    s.PosH = 480;
    s.TimeError = 45;
    s.TimeRestore = 600;
    s.EMail = true;
    s.Auth = true;
    s.SendTo = "ops@example.org";
    s.Host = "smtp.example.org";
    s.From = "radio@example.org";
    s.User = "mailer";
    s.Password = "smtp secret";
    s.Port = 465;
    s.SSL = true;
    s.TextUTF8 = true;
    return s;
}

TEST_F(SettingsFileTest, TheGoldenFileIsReadAndWrittenKeyForKey) {
    const String golden = test::TTempFolder::ReadFile(VD_SETTINGS_GOLDEN);
    ASSERT_FALSE(golden.empty());
    Folder.Write("vendrill.ini", golden);
    String scanned;
    OnScanPlugins = [&](const String& folder) { scanned = folder; };
    ReadSettings(TSize{1920, 1080});
    EXPECT_EQ(AppSettings, GoldenSettings());
    EXPECT_EQ(PluginFiles, (std::vector<String>{"dsp_one.so", "dsp two.so"}));
    EXPECT_EQ(scanned, "/opt/vendrill/plugins");

    // Written into an empty file by the three writers, as the program does it.
    Folder.Write("vendrill.ini", "");
    const TAppSettings s = GoldenSettings();
    AssignAppSettings(s);
    ASSERT_TRUE(WriteSettings());
    ASSERT_TRUE(WriteWindowPos(s.PosX, s.PosY, s.PosW, s.PosH));
    ASSERT_TRUE(WritePlugins());
    EXPECT_EQ(Folder.Read("vendrill.ini"), golden);
}

TEST_F(SettingsFileTest, WritersLeaveTheirOwnKeysAlone) {
    Folder.Write("vendrill.ini",
                 "[Setting]\nPosX=11\n[Plugins]\nFile1=a.so\nFile2=b.so\n[Stream001]\nURL=x\n");
    AppSettings.Path = "/p";
    ASSERT_TRUE(WriteSettings());
    EXPECT_EQ(Ini().ReadInteger("Setting", "PosX", 0), 11); // not the window position
    EXPECT_EQ(Ini().ReadString("Plugins", "File2", ""), "b.so");
    PluginFiles = {"c.so"};
    ASSERT_TRUE(WritePlugins()); // the whole section is rewritten
    EXPECT_EQ(Ini().ReadString("Plugins", "File1", ""), "c.so");
    EXPECT_FALSE(Ini().ValueExists("Plugins", "File2"));
    EXPECT_EQ(Ini().ReadString("Stream001", "URL", ""), "x");
}

TEST_F(SettingsFileTest, OddValuesAreReadSafely) {
    Folder.Write("vendrill.ini", "[Setting]\nLanguage=" + String(70, 'L') +
                                     "\nSample=fast\nDevice=\n"
                                     "[E-mail]\nPort=70000\n"
                                     "[Plugins]\nFile1=one.so\nFile3=three.so\n");
    ReadSettings(TSize{1024, 768});
    EXPECT_EQ(AppSettings.Language, String(64, 'L'));
    EXPECT_EQ(AppSettings.Sample, 44100); // not a number: the default
    EXPECT_EQ(AppSettings.Device, 0);
    EXPECT_EQ(AppSettings.Port, 25);                         // beyond 16 bits: the default
    EXPECT_EQ(PluginFiles, (std::vector<String>{"one.so"})); // the list ends at the gap

    Folder.Write("vendrill.ini", "[E-mail]\nPort=-32768\n");
    ReadSettings(TSize{1024, 768});
    EXPECT_EQ(AppSettings.Port, -32768);
}

TEST(SettingsPathTest, UnwritableProgramFolderUsesTheUserConfigFolder) {
    test::TTempFolder home;
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const String savedXdg = oldXdg ? oldXdg : "";
    const char* oldHome = std::getenv("HOME");
    const String savedHome = oldHome ? oldHome : "";

    SetProgramFile(home.File("installed/bin/vendrill")); // a folder we cannot write to
    ::setenv("XDG_CONFIG_HOME", home.File("xdg").c_str(), 1);
    EXPECT_EQ(SettingsFilePath(), home.File("xdg/vendrill/vendrill.ini"));
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    ::setenv("HOME", home.Path().c_str(), 1);
    EXPECT_EQ(SettingsFilePath(), home.File(".config/vendrill/vendrill.ini"));

    // Saving creates the folder.
    ASSERT_TRUE(WriteWindowPos(1, 2, 600, 500));
    EXPECT_EQ(TSettingsIni(home.File(".config/vendrill/vendrill.ini")).ReadInteger("Setting", "PosW", 0),
              600);

    SetProgramFile(home.File("vendrill"));
    EXPECT_EQ(SettingsFilePath(), home.File("vendrill.ini"));

    SetProgramFile("");
    if (oldXdg)
        ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", savedHome.c_str(), 1);
}

} // namespace
} // namespace vd
