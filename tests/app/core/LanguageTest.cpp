#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/StartupMessage.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(LanguageFileTest, LineRules) {
    const String text = "[Other]\nA=wrong section\n"
                        "[ Constants ]\r\n"
                        "Language=English\r\n"
                        "; comment=skipped\n"
                        "=no key\n"
                        "no equals sign\n"
                        "\n"
                        "  Indented=yes\n"
                        "lower.key=Value = with = signs \n"
                        "Empty=\n"
                        "Twice=first\n"
                        "TWICE=second\n"
                        "Long=" +
                        String(300, 'v') +
                        "\n"
                        "[Constants]\nLater=ignored\n";
    const TLanguageList list = ParseLanguageSection(text, "constants");
    struct Case {
        const char* key;
        const char* value; // nullptr: absent
    };
    const Case cases[] = {
        {"language", "English"},
        {"LOWER.KEY", "Value = with = signs "}, // everything after the first "=", blanks kept
        {"indented", "yes"},
        {"Empty", ""},
        {"twice", "first"},
        {"A", nullptr},
        {"; comment", nullptr},
        {"no equals sign", nullptr},
        {"Later", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const TLanguageEntry* e = FindLanguageEntry(list, c.key);
        if (!c.value) {
            EXPECT_EQ(e, nullptr);
            continue;
        }
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->Value, c.value);
    }
    EXPECT_EQ(FindLanguageEntry(list, "long")->Value, String(255, 'v'));
    EXPECT_EQ(list.front().Key, "EMPTY"); // upper-cased and sorted
    EXPECT_TRUE(ParseLanguageSection(text, "Missing").empty());
}

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFile(Folder.File("vendrill"));
        ResetStartupTerminated();
    }
    void TearDown() override { SetProgramFile(""); }
    void WriteLanguage(const String& name, const String& constants) {
        Folder.Write("vendrill." + name, "[Constants]\n" + constants);
    }

    test::TTempFolder Folder;
};

TEST_F(LanguageTest, NoFileEndsTheStartWithAMessage) {
    Folder.Write("other.English.lng", "[Constants]\n");
    Folder.Write("vendrill.lng", "[Constants]\n"); // no text between prefix and extension
    TLanguage language("vendrill.");
    EXPECT_TRUE(language.Files().empty());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(language.SelectFromIni("", "Setting", "English"));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("The language files don't exits!"), std::string::npos);
    EXPECT_NE(err.find(Folder.File("vendrill.*.lng")), std::string::npos);
    EXPECT_TRUE(StartupTerminated());
}

TEST_F(LanguageTest, ChoiceRules) {
    WriteLanguage("English.lng", "Language=English (UK)\n");
    WriteLanguage("Deutsch.lng", "Language=Deutsch\n");
    WriteLanguage("Zulu.LNG", "");
    std::filesystem::create_directory(Folder.File("vendrill.Dir.lng"));
    struct Case {
        const char* ini; // settings file text, nullptr for none
        const char* chosen;
    };
    const Case cases[] = {
        {nullptr, "Deutsch.lng"}, // "English" matches no file name
        {"[Setting]\nLanguage=English\n", "Deutsch.lng"},
        {"[Setting]\nLanguage=english.LNG\n", "English.lng"},
        {"[Setting]\nLanguage=Zulu.LNG\n", "Zulu.LNG"},
        {"[Setting]\nLanguage=Klingon.lng\n", "Deutsch.lng"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini ? c.ini : "no ini");
        std::filesystem::remove(Folder.File("vendrill.ini"));
        if (c.ini) Folder.Write("vendrill.ini", c.ini);
        TLanguage language("vendrill.");
        ASSERT_EQ(language.Files().size(), 3u); // the folder does not count
        ASSERT_TRUE(language.SelectFromIni("", "Setting", "English"));
        EXPECT_EQ(language.FileName(), Folder.File(String("vendrill.") + c.chosen));
    }

    TLanguage language("vendrill.");
    std::vector<String> names;
    language.GetLanguageNames(names);
    EXPECT_EQ(names, (std::vector<String>{"Deutsch", "English (UK)", "Zulu"}));
    EXPECT_EQ(language.IndexOfLanguage("english.lng"), 1);
    EXPECT_EQ(language.IndexOfLanguage("ENGLISH"), 1);
    EXPECT_EQ(language.IndexOfLanguage("english (uk)"), 1);
    EXPECT_EQ(language.IndexOfLanguage("Klingon"), -1);
    EXPECT_EQ(language.FileNameByIndex(2), "Zulu.LNG");
    EXPECT_EQ(language.FileNameByIndex(3), "");
    EXPECT_TRUE(language.SelectByIndex(1));
    EXPECT_EQ(language.GetConstant("Language", ""), "English (UK)");
    EXPECT_FALSE(language.SelectByIndex(-1));
    EXPECT_FALSE(language.SelectFile(""));
    EXPECT_TRUE(language.SelectFile("Deutsch")); // the extension is added
    EXPECT_EQ(language.FileName(), Folder.File("vendrill.Deutsch.lng"));
    EXPECT_TRUE(language.SelectFile("Gone.lng")); // an absent file leaves no constants
    EXPECT_TRUE(language.Constants().empty());
}

TEST_F(LanguageTest, OneFileIsUsedWhateverTheSettingsSay) {
    WriteLanguage("Deutsch.lng", "");
    Folder.Write("vendrill.ini", "[Setting]\nLanguage=English.lng\n");
    TLanguage language("vendrill.");
    ASSERT_TRUE(language.SelectFromIni("", "Setting", "English"));
    EXPECT_EQ(language.FileName(), Folder.File("vendrill.Deutsch.lng"));
    EXPECT_EQ(language.Files()[0].DisplayName, "Deutsch"); // no Language key: the name
}

TEST_F(LanguageTest, LookupsEscapesAndReferences) {
    WriteLanguage("English.lng", "VER=2\n"
                                 "Version=Version .Ver\n"
                                 "NoRef=Version .Nothing\n"
                                 "EndsWithDot=The end.\n"
                                 "Dialog.Exit=Close the program?\n"
                                 "Ask=.Dialog.Exit Sure.\n"
                                 "Lines=A\\nB\n"
                                 "Reverse=A\\rB\n"
                                 "Escapes=\\0\\a\\b\\t\\v\\f\\\\x\n"
                                 "MSG.Percent=100%% done\n"
                                 "MSG.Format=Hello %s\n"
                                 "MSG.Stop=Stop\n"
                                 "Loop1=a.Loop2\n"
                                 "Loop2=b.Loop1\n"
                                 "Self=x.Self\n"
                                 "Fan=.Fan2.Fan2.Fan2.Fan2.Fan2.Fan2.Fan2.Fan2\n"
                                 "Fan2=.Fan3.Fan3.Fan3.Fan3.Fan3.Fan3.Fan3.Fan3\n"
                                 "Fan3=.Fan4.Fan4.Fan4.Fan4.Fan4.Fan4.Fan4.Fan4\n"
                                 "Fan4=.Fan5.Fan5.Fan5.Fan5.Fan5.Fan5.Fan5.Fan5\n"
                                 "Fan5=0123456789\n"
                                 "Error.10=Bad .VER\n");
    TLanguage language("vendrill.");
    ASSERT_TRUE(language.SelectFromIni("", "Setting", "English"));
    struct Case {
        const char* name;
        const char* defaultText;
        String expected;
    };
    const Case constants[] = {
        {"Version", "", "Version 2"},
        {"NoRef", "", "Version .Nothing"},
        {"EndsWithDot", "", "The end."},
        {"Ask", "", "Close the program? Sure."},
        {"Lines", "", "A\r\nB"},
        {"Reverse", "", "A\n\rB"},
        {"Escapes", "", String("\0\a\b\t\v\f\\\\x", 9)},
        {"Missing", "def\\n.VER", "def\r\n2"}, // the default is escaped and expanded too
        {"Missing", "", ""},
        {"Loop1", "", "aba.Loop2"}, // a cycle ends, keeping the reference
        {"Self", "", "xx.Self"},
    };
    for (const Case& c : constants) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(language.GetConstant(c.name, c.defaultText), c.expected);
    }
    EXPECT_EQ(language.GetText("Error", "10", "x"), "Bad 2");
    EXPECT_EQ(language.GetText("Error", "11", "Unknown"), "Unknown");
    EXPECT_EQ(language.GetMessage("Percent"), "100% done");
    EXPECT_EQ(language.GetMessage("Format"), "Hello %s"); // formatting fails: kept as it is
    EXPECT_EQ(language.GetMessage("Stop"), "Stop");
    EXPECT_EQ(language.GetMessage("Absent"), "");
    EXPECT_EQ(language.GetDialogText("Exit"), "Close the program?");
    EXPECT_EQ(language.GetDialogText(""), "");
    EXPECT_EQ(language.GetDialogText("Absent"), "");
    // A fan-out of references stays bounded.
    EXPECT_LT(language.GetConstant("Fan", "").size(), 100000u);

    // A missing or empty list gives the default untouched.
    const TLanguageList empty;
    EXPECT_EQ(language.LookupInList("Lines", nullptr, "a\\nb"), "a\\nb");
    EXPECT_EQ(language.LookupInList("Lines", &empty, "a\\nb"), "a\\nb");
    const TLanguageList loaded = language.Constants();
    EXPECT_EQ(language.LookupInList("", &loaded, "a\\nb"), "a\\nb");
    const TLanguageList section = language.ReadSection("Constants");
    EXPECT_EQ(language.GetDialogText("Exit", &section), "Close the program?");
    EXPECT_EQ(language.GetDialogText("Exit", &empty), "");
    EXPECT_EQ(language.GetMessage("Percent", &section), "100% done");
}

TEST_F(LanguageTest, MessageBoxes) {
    WriteLanguage("English.lng", "Dialog.Exit=Close?\\nReally 100%%\n"
                                 "Dialog.Bad=Value %d\n");
    TLanguage language("vendrill.");
    ASSERT_TRUE(language.SelectFromIni("", "Setting", "English"));
    struct Shown {
        String Text;
        int Type = -1;
        unsigned Buttons = 0;
    } shown;
    const TMessageBoxProc show = [&](const String& text, int type, unsigned buttons) {
        shown = {text, type, buttons};
        return 6; // Yes
    };
    const unsigned yesNo = 1u << 0 | 1u << 1;
    EXPECT_EQ(language.MessageBox("Exit", show, nullptr, yesNo, 3), 6);
    EXPECT_EQ(shown.Text, "Close?\r\nReally 100%");
    EXPECT_EQ(shown.Type, 3);
    EXPECT_EQ(shown.Buttons, yesNo);

    const String file = Folder.File("vendrill.English.lng");
    language.MessageBox("Missing", show, nullptr, yesNo, 3);
    EXPECT_EQ(shown.Text, "Error in language file " + file + "\r--> Dialog.Missing <---");
    EXPECT_EQ(shown.Type, DialogTypeError);
    EXPECT_EQ(shown.Buttons, DialogButtonOK);

    language.MessageBox("Bad", show, nullptr, yesNo, 3);
    EXPECT_EQ(shown.Text.rfind("Error in language file " + file + "\r--> Dialog.Bad\rError: ", 0), 0u);
    EXPECT_NE(shown.Text.find("\rPlease send about this error to author."), String::npos);
    EXPECT_EQ(shown.Type, DialogTypeError);
}

} // namespace
} // namespace vd
