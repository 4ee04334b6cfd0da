// The English language file that the build puts beside the program.
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace vd {
namespace {

class EnglishLanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The tests run in the folder of the built program.
        char cwd[4096];
        ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
        SetProgramFile(String(cwd) + "/vendrill");
        Language = std::make_unique<TLanguage>("vendrill.");
        ASSERT_GE(Language->IndexOfLanguage("English"), 0);
        ASSERT_TRUE(Language->SelectFile("English.lng"));
    }
    void TearDown() override { SetProgramFile(""); }

    std::unique_ptr<TLanguage> Language;
};

TEST_F(EnglishLanguageTest, ErrorTextsAreTheDefaults) {
    struct Case {
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {"OK", "All is OK"},
        {"MEMORY ", "Memory error"},
        {"ILLPARAM:", "An illegal parameter was specified"},
        {"DECODE", "The channel is a \"decoding channel\""},
        {"TIMEOUT", "Connection timed out"},
        {"ErrorInEncoder", "Error in encoder"},
        {"ConnectionDied", "\xD0\xA1onnection died"},
        {"CastTimeout", "Cast timed out"},
        {"QueueOutSpace", "Queue is out of space"},
        {"EncoderFreed", "Encoder has been freed"},
        {"NoAacPlus", "AAC+ needs the HE-AAC encoder enc_aacPlus, which is not installed"},
        {"UNKNOWN", "Some other mystery problem"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(Language->GetText("Error", c.key, "missing"), c.text);
    }
    EXPECT_EQ(Language->GetConstant("Error", ""), "Error");
}

TEST_F(EnglishLanguageTest, EveryNamedTextIsThere) {
    for (const char* name :
         {"InitProg", "ReadSettings", "StartDevice", "StartDeviceSucc", "CantInitDevice", "ErrorStartDevice",
          "EnterInputDevice", "WaitForEnable", "PlugErrorLoad", "PlugFileDNTExist", "Directly", "Stop",
          "Connect", "Delay", "Online", "StreamStartSucc", "ManualStop", "CloseTheProgram"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Language->GetMessage(name).empty());
    }
    EXPECT_EQ(Language->GetText("MSG", "Directly", ""), "Directly on port");
    EXPECT_EQ(Language->GetText("MSG", "ErrorStartDevice", ""), "Error start record device. Change settings");
    for (const char* name :
         {"Exit", "OpenFile", "SelectFolder", "WARNING", "ERROR", "INFORMATION", "CONFIRM"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Language->GetDialogText(name).empty());
    }
    EXPECT_EQ(Language->GetText("Button", "YES", ""), "&Yes");
    EXPECT_EQ(Language->GetConstant("MI_MINTOTRAYCAPTION", ""), "Minimize to &Tray");
    EXPECT_EQ(Language->GetConstant("FLV_LOOKIN", ""), "Look in: ");
    EXPECT_EQ(Language->GetConstant("Language", ""), "English");
}

TEST_F(EnglishLanguageTest, NoTextChangesByEscapesOrReferences) {
    for (const TLanguageEntry& entry : Language->Constants()) {
        SCOPED_TRACE(entry.Key);
        EXPECT_EQ(Language->GetConstant(entry.Key, ""), entry.Value);
    }
    for (const char* window : {"FVendrill", "FStation", "FSettings", "Fr_Filters"}) {
        SCOPED_TRACE(window);
        const TLanguageList section = Language->ReadSection(window);
        EXPECT_FALSE(section.empty());
        for (const TLanguageEntry& entry : section)
            EXPECT_EQ(Language->LookupInList(entry.Key, &section, ""), entry.Value) << entry.Key;
    }
    // The main window's caption carries the version: the file leaves it alone.
    EXPECT_EQ(FindLanguageEntry(Language->ReadSection("FVendrill"), "Caption"), nullptr);
    EXPECT_NE(FindLanguageEntry(Language->ReadSection("FStation"), "Caption"), nullptr);
}

} // namespace
} // namespace vd
