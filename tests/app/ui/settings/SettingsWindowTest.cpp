// The settings window on the headless back end: what it shows, the restart flags and checks of
// Save, the file it writes, the language list, the title and password controls and the e-mail test.
#include "app/ui/settings/SettingsWindow.h"
#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsFile.h"
#include "app/streams/Mailer.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Timer.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/shell/SkinDialogEdits.h"
#include "skin/extra/shell/SkinOpenDialog.h"

#include "../../../platform/vcl/VclFixture.h"
#include "../../core/TempFolder.h"
#include "../LayoutChecks.h"

#include <cstdlib>
#include <filesystem>
#include <map>

namespace vd {
namespace {

const std::vector<String> ThreeDevices = {"Built-in Mic", "USB Audio", "Line In"};

class SettingsWindowTest : public test::VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        SetProgramFile(Folder.File("vendrill"));
        SaveEnv("XDG_CONFIG_HOME", SavedXdg, HadXdg);
        SaveEnv("HOME", SavedHome, HadHome);
        ::setenv("XDG_CONFIG_HOME", Folder.File("xdg").c_str(), 1);
        ::setenv("HOME", Folder.Path().c_str(), 1);
        Folder.Write("vendrill.English.lng",
                     "[Constants]\nLanguage=English\nDialog.OpenFile=Choose the title file\n");
        Folder.Write("vendrill.Deutsch.lng", "[Constants]\nLanguage=Deutsch\n"
                                             "[FSettings]\nCaption=Einstellungen\nSBOK=Sichern\n"
                                             "TabMain=Allgemein\n");
        Language = std::make_unique<TLanguage>("vendrill.");
        ASSERT_TRUE(Language->SelectFile("English.lng"));
        AppLanguage = Language.get();
        TAppSettings s;
        s.Device = 1;
        s.DeviceName = "USB Audio";
        s.Language = "English.lng";
        AssignAppSettings(s);
        DeviceChanged = false;
        StreamInfoChanged = false;
        Devices = ThreeDevices;
        MailTests = 0;
        SetSettingsServices({[this] { return Devices; }, [this] { ++MailTests; }});
        MailQueue.Clear();
        MailStatus.TestMode = false;
    }
    void TearDown() override {
        VclTest::TearDown();
        SetSettingsServices({});
        AppLanguage = nullptr;
        MailQueue.Clear();
        SetProgramFile("");
        RestoreEnv("XDG_CONFIG_HOME", SavedXdg, HadXdg);
        RestoreEnv("HOME", SavedHome, HadHome);
    }
    static void SaveEnv(const char* name, std::string& value, bool& had) {
        const char* v = std::getenv(name);
        had = v != nullptr;
        value = v ? v : "";
    }
    static void RestoreEnv(const char* name, const std::string& value, bool had) {
        if (had)
            ::setenv(name, value.c_str(), 1);
        else
            ::unsetenv(name);
    }
    TFSettings* Open() { return new TFSettings(Application); }
    // As the user picks an item: through the open list, which is what fires OnChange.
    static void Choose(TskSkinComboBox* combo, int index) {
        combo->DropDown();
        combo->ListBox()->SetItemIndex(index);
        combo->CloseUp(true);
    }
    String SettingsText() const { return test::TTempFolder::ReadFile(SettingsFilePath()); }

    test::TTempFolder Folder;
    std::unique_ptr<TLanguage> Language;
    std::vector<String> Devices;
    int MailTests = 0;
    std::string SavedXdg, SavedHome;
    bool HadXdg = false, HadHome = false;
};

TEST_F(SettingsWindowTest, ShowsTheSettings) {
    TAppSettings s = AppSettings;
    s.WaitMode = true;
    s.Sample = 48000;
    s.InfoName = "Radio";
    s.TitleMode = 1;
    s.TitlePort = 8123;
    s.TitleIPOnly = true;
    s.TitleIP = "10.0.0.2";
    s.TitlePass = "secret";
    s.TimeError = 45;
    s.TimeRestore = 90;
    s.EMail = true;
    s.SSL = true;
    s.Port = 587;
    s.Password = "smtp pass";
    AssignAppSettings(s);
    TFSettings* w = Open();
    EXPECT_EQ(w->Caption(), "Settings");
    EXPECT_EQ(w->ClientWidth(), 369);
    EXPECT_EQ(w->ClientHeight(), 308);
    EXPECT_EQ(w->Pages->ActivePageIndex(), 0);
    EXPECT_TRUE(w->StatusTimer->Enabled());
    ASSERT_EQ(w->CBDevice->Items().Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w->CBDevice->Items()[i], ThreeDevices[static_cast<std::size_t>(i)]);
    EXPECT_EQ(w->CBDevice->ItemIndex(), 1);
    EXPECT_EQ(w->RGDevice->ItemIndex(), 1);
    EXPECT_EQ(w->CBFreq->Items().Count(), 5);
    EXPECT_EQ(w->CBFreq->ItemIndex(), 2);
    EXPECT_EQ(w->CBFreq->Text(), "48000");
    EXPECT_EQ(w->EIName->Text(), "Radio");
    EXPECT_TRUE(w->UTPort->Checked());
    EXPECT_FALSE(w->UTFile->Checked());
    EXPECT_EQ(w->EPort->Value(), 8123);
    EXPECT_TRUE(w->EHost->Visible());
    EXPECT_EQ(w->EHost->Text(), "10.0.0.2");
    EXPECT_EQ(w->EPass->Text(), "secret");
    EXPECT_FALSE(w->EFileName->Visible());
    EXPECT_EQ(w->EFileName->Filter(), "All files|*.*");
    EXPECT_EQ(w->EFileName->Dialog()->Title(), "Choose the title file");
    EXPECT_EQ(w->ETimeError->Value(), 45);
    EXPECT_EQ(w->ETimeRestore->Value(), 90);
    EXPECT_TRUE(w->GBEMail->Checked());
    EXPECT_TRUE(w->CBSMTPUseSSL->Checked());
    EXPECT_EQ(w->ESMTPPort->Value(), 587) << "the stored port, not the SSL default";
    EXPECT_EQ(w->ESMTPPass->Text(), "smtp pass");
}

TEST_F(SettingsWindowTest, NoSelectionForADeviceOrRateOutsideTheLists) {
    TAppSettings s = AppSettings;
    s.Device = 3;
    s.Sample = 32000;
    AssignAppSettings(s);
    TFSettings* w = Open();
    EXPECT_EQ(w->CBDevice->ItemIndex(), -1);
    EXPECT_EQ(w->CBFreq->ItemIndex(), -1);
}

// Each case changes the window the way a user would and saves.
TEST_F(SettingsWindowTest, RestartFlags) {
    struct Case {
        const char* what;
        std::function<void(TFSettings&)> change;
        bool device, info;
    } cases[] = {
        {"nothing changed", [](TFSettings&) {}, false, false},
        {"another device", [](TFSettings& w) { w.CBDevice->SetItemIndex(2); }, true, false},
        {"same index, the list now names another device",
         [&](TFSettings& w) {
             w.CBDevice->Items().SetStrings(1, "USB Headset");
             w.CBDevice->SetItemIndex(1);
         },
         true, false},
        {"another rate", [](TFSettings& w) { w.CBFreq->SetItemIndex(4); }, true, false},
        {"open by name", [](TFSettings& w) { w.RGDevice->SetItemIndex(1); }, false, false},
        {"station name", [](TFSettings& w) { w.EIName->SetText("Radio Two"); }, false, true},
        {"description", [](TFSettings& w) { w.EIDesc->SetText("d"); }, false, true},
        {"URL", [](TFSettings& w) { w.EIURL->SetText("http://x"); }, false, true},
        {"genre", [](TFSettings& w) { w.EIGenre->SetText("Jazz"); }, false, true},
        {"AIM", [](TFSettings& w) { w.EIAIM->SetText("a"); }, false, true},
        {"IRC", [](TFSettings& w) { w.EIIRC->SetText("#r"); }, false, true},
        {"ICQ", [](TFSettings& w) { w.EIICQ->SetText("1"); }, false, true},
        {"blanks around the old name", [](TFSettings& w) { w.EIName->SetText(" Radio\t"); }, false, false},
        {"device and name",
         [](TFSettings& w) {
             w.CBFreq->SetItemIndex(0);
             w.EIGenre->SetText("Pop");
         },
         true, true},
        {"title, tray, UTF-8 and mail settings",
         [](TFSettings& w) {
             w.UTPort->SetChecked(true);
             w.CBTray->SetChecked(true);
             w.RBInfoUTF8->SetChecked(true);
             w.GBEMail->SetChecked(true);
             w.ETimeError->SetValue(5);
         },
         false, false},
    };
    for (const auto& c : cases) {
        TAppSettings s = AppSettings;
        s.Device = 1;
        s.DeviceName = "USB Audio";
        s.Sample = 44100;
        s.InfoName = "Radio";
        s.InfoDesc = s.InfoURL = s.InfoGenre = s.InfoAIM = s.InfoIRC = s.InfoICQ = "";
        AssignAppSettings(s);
        DeviceChanged = false;
        StreamInfoChanged = false;
        TFSettings* w = Open();
        c.change(*w);
        EXPECT_TRUE(w->StoreSetting()) << c.what;
        EXPECT_EQ(DeviceChanged.load(), c.device) << c.what;
        EXPECT_EQ(StreamInfoChanged.load(), c.info) << c.what;
        w->Free();
    }
}

TEST_F(SettingsWindowTest, SaveStoresTheWindowsValues) {
    TAppSettings s = AppSettings;
    s.TitlePort = 7999;
    s.Port = 25;
    AssignAppSettings(s);
    TFSettings* w = Open();
    w->CBDevice->SetItemIndex(2);
    w->RGDevice->SetItemIndex(1);
    w->CBFreq->SetItemIndex(3);
    w->EIName->SetText("  Radio  ");
    w->CBTray->SetChecked(true);
    w->UTPort->SetChecked(true);
    w->EFileName->SetText(" /tmp/title.txt ");
    w->EPort->SetValue(9000);
    w->UTOnlyIP->SetChecked(true);
    w->EHost->SetText(" 10.1.1.1 ");
    w->EPass->SetText(" pw ");
    w->CBTitle_String->SetChecked(true);
    w->CB_TextUTF8->SetChecked(true);
    w->ETimeError->SetValue(12);
    w->ETimeRestore->SetValue(34);
    w->GBEMail->SetChecked(true);
    w->CBSMTPAuth->SetChecked(true);
    w->ESMTPSend->SetText(" to@example.org ");
    w->ESMTPHost->SetText("smtp.example.org");
    w->ESMTPFrom->SetText("from@example.org");
    w->ESMTPUser->SetText("user");
    w->ESMTPPass->SetText(" spaced ");
    w->CBSMTPUseSSL->SetChecked(true);
    ASSERT_TRUE(w->StoreSetting());
    const TAppSettings& a = AppSettings;
    EXPECT_EQ(a.Device, 2);
    EXPECT_EQ(a.DeviceName, "Line In");
    EXPECT_TRUE(a.WaitMode);
    EXPECT_EQ(a.Sample, 88200);
    EXPECT_EQ(a.InfoName, "Radio");
    EXPECT_TRUE(a.ToTray);
    EXPECT_EQ(a.TitleMode, 1);
    EXPECT_EQ(a.TitleFile, " /tmp/title.txt ") << "taken as it stands";
    EXPECT_EQ(a.TitlePort, 9000);
    EXPECT_TRUE(a.TitleIPOnly);
    EXPECT_EQ(a.TitleIP, "10.1.1.1");
    EXPECT_EQ(a.TitlePass, "pw");
    EXPECT_TRUE(a.TitleAsString);
    EXPECT_TRUE(a.TextUTF8);
    EXPECT_EQ(a.TimeError, 12);
    EXPECT_EQ(a.TimeRestore, 34);
    EXPECT_TRUE(a.EMail);
    EXPECT_TRUE(a.Auth);
    EXPECT_EQ(a.SendTo, " to@example.org ") << "the SMTP fields as typed";
    EXPECT_EQ(a.Password, " spaced ");
    EXPECT_TRUE(a.SSL);
    EXPECT_EQ(a.Port, 465) << "Use SSL set the port";

    // An emptied port field keeps the old title port.
    w->EPort->Edit()->SetText("");
    ASSERT_TRUE(w->StoreSetting());
    EXPECT_EQ(AppSettings.TitlePort, 9000);
}

TEST_F(SettingsWindowTest, UseSslSetsTheSmtpPort) {
    TFSettings* w = Open();
    w->ESMTPPort->SetValue(2525);
    w->CBSMTPUseSSL->SetChecked(true);
    EXPECT_EQ(w->ESMTPPort->Value(), 465);
    w->ESMTPPort->SetValue(2525);
    w->CBSMTPUseSSL->SetChecked(false);
    EXPECT_EQ(w->ESMTPPort->Value(), 25);
}

// Save with a missing choice: the message, the window stays open, nothing is stored.
TEST_F(SettingsWindowTest, ValidationMessages) {
    struct Case {
        const char* what;
        std::vector<String> devices;
        int sample;
        const char* message;
    } cases[] = {
        {"no device in the list", {}, 44100, "Please select input device"},
        {"no rate chosen", ThreeDevices, 12345, "Please select sample frequence"},
        {"neither", {}, 12345, "Please select input device"},
    };
    for (const auto& c : cases) {
        Devices = c.devices;
        TAppSettings s = AppSettings;
        s.Sample = c.sample;
        AssignAppSettings(s);
        const TAppSettings before = AppSettings;
        std::vector<String> shown;
        int boxType = -1;
        bool stillOpen = false;
        bool saved = true;
        {
            TModalLoopHookScope hook([&](TCustomForm& f) {
                if (auto* box = dynamic_cast<TskMessageForm*>(&f)) {
                    shown.push_back(box->MessageLabel->Caption());
                    boxType = box->Caption() == "Error" ? 1 : 0;
                    f.SetModalResult(mrOk);
                    return;
                }
                auto& w = dynamic_cast<TFSettings&>(f);
                w.EIName->SetText("changed");
                w.SBOKClick(w.SBOK);
                stillOpen = w.ModalResult() == mrNone;
                w.SetModalResult(mrCancel);
            });
            saved = ShowSettings();
        }
        EXPECT_FALSE(saved) << c.what;
        EXPECT_TRUE(stillOpen) << c.what;
        EXPECT_EQ(shown, std::vector<String>{c.message}) << c.what;
        EXPECT_EQ(boxType, 1) << c.what;
        EXPECT_EQ(AppSettings, before) << c.what;
        EXPECT_FALSE(DeviceChanged) << c.what;
        EXPECT_FALSE(std::filesystem::exists(SettingsFilePath())) << c.what;
    }
}

TEST_F(SettingsWindowTest, SaveWritesTheFileAndCancelLeavesIt) {
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            auto& w = dynamic_cast<TFSettings&>(f);
            w.EIName->SetText("Radio Saved");
            w.ESMTPPass->SetText("mail secret");
            hb->Click(RawButton::Left, w.SBOK->ClientToScreen({10, 10}));
        });
        EXPECT_TRUE(ShowSettings());
    }
    Pump();
    EXPECT_EQ(Screen->FormCount(), 0) << "the window freed itself";
    const String saved = SettingsText();
    EXPECT_NE(saved.find("InfoName=Radio Saved"), String::npos) << saved;
    EXPECT_EQ(saved.find("mail secret"), String::npos) << "the password is stored scrambled";
    AssignAppSettings(TAppSettings());
    ReadSettings(TSize{1024, 768});
    EXPECT_EQ(AppSettings.InfoName, "Radio Saved");
    EXPECT_EQ(AppSettings.Password, "mail secret");
    EXPECT_EQ(AppSettings.DeviceName, "USB Audio");

    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            auto& w = dynamic_cast<TFSettings&>(f);
            w.EIName->SetText("Radio Cancelled");
            hb->Click(RawButton::Left, w.SBCancel->ClientToScreen({10, 10}));
        });
        EXPECT_FALSE(ShowSettings());
    }
    Pump();
    EXPECT_EQ(SettingsText(), saved);
    EXPECT_EQ(AppSettings.InfoName, "Radio Saved");
    EXPECT_EQ(Screen->FormCount(), 0);
}

// A file that cannot be replaced: the user is told, the new settings stay for this run.
TEST_F(SettingsWindowTest, ASaveThatFailsIsReported) {
    std::filesystem::create_directories(SettingsFilePath()); // a folder where the file should go
    std::vector<String> shown;
    bool saved = false;
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            if (auto* box = dynamic_cast<TskMessageForm*>(&f)) {
                shown.push_back(box->MessageLabel->Caption());
                f.SetModalResult(mrOk);
                return;
            }
            auto& w = dynamic_cast<TFSettings&>(f);
            w.EIName->SetText("Radio Unsaved");
            w.SBOKClick(w.SBOK);
        });
        saved = ShowSettings();
    }
    EXPECT_TRUE(saved);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("The settings could not be saved", 0), 0u) << shown[0];
    EXPECT_EQ(AppSettings.InfoName, "Radio Unsaved");
    EXPECT_TRUE(StreamInfoChanged);
}

TEST_F(SettingsWindowTest, LanguageListAndALanguageChosenInTheWindow) {
    TFSettings* w = Open();
    ASSERT_EQ(w->CB_Language->Items().Count(), 2);
    std::vector<String> names = {w->CB_Language->Items()[0], w->CB_Language->Items()[1]};
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<String>{"Deutsch", "English"}));
    EXPECT_EQ(w->CB_Language->Text(), "English");
    EXPECT_EQ(Language->FileName(), Folder.File("vendrill.English.lng"))
        << "opening the window changes no language";

    const int deutsch = w->CB_Language->Items().IndexOf("Deutsch");
    w->CB_Language->SetItemIndex(deutsch);
    EXPECT_EQ(Language->FileName(), Folder.File("vendrill.English.lng"))
        << "the program's own selection is no choice of the user";
    w->CB_Language->SetItemIndex(1 - deutsch);
    Choose(w->CB_Language, deutsch);
    EXPECT_EQ(Language->FileName(), Folder.File("vendrill.Deutsch.lng"));
    EXPECT_EQ(w->Caption(), "Einstellungen");
    EXPECT_EQ(w->SBOK->Caption(), "Sichern");
    EXPECT_EQ(w->TabMain->Caption(), "Allgemein");
    EXPECT_EQ(w->CB_Language->Text(), "Deutsch");

    // Cancel keeps the language for this run without saving it.
    w->SBCancelClick(w->SBCancel);
    EXPECT_EQ(Language->FileName(), Folder.File("vendrill.Deutsch.lng"));
    EXPECT_EQ(AppSettings.Language, "English.lng");
    w->Free();

    // A new window opens in the active language; Save stores the file's name.
    w = Open();
    EXPECT_EQ(w->Caption(), "Einstellungen");
    w->CB_Language->SetItemIndex(deutsch);
    ASSERT_TRUE(w->StoreSetting());
    EXPECT_EQ(AppSettings.Language, "Deutsch.lng");
}

// The window's message box and file dialog read the window's own skin strings: they speak the
// active language when the window opens and follow the user's pick of another one.
TEST_F(SettingsWindowTest, TheWindowsSkinStringsFollowTheLanguage) {
    Folder.Write("vendrill.Deutsch.lng", "[Constants]\nLanguage=Deutsch\nDialog.ERROR=Fehler\n"
                                         "Button.OK=Gut\nFLV_LOOKIN=Suchen in:\n");
    Devices = {};
    auto refusal = [&](TFSettings* w) {
        String caption;
        std::vector<String> buttons;
        TModalLoopHookScope hook([&](TCustomForm& f) {
            caption = f.Caption();
            for (int i = 0; i < f.ComponentCount(); ++i)
                if (auto* b = dynamic_cast<TskSkinButton*>(f.Components(i))) buttons.push_back(b->Caption());
            f.SetModalResult(mrOk);
        });
        EXPECT_FALSE(w->StoreSetting());
        return caption + "|" + (buttons.empty() ? String() : buttons[0]);
    };
    TFSettings* w = Open();
    TskResourceStrData* strings = w->SKSD->ResourceStrData();
    ASSERT_NE(strings, nullptr) << "the window's skin object has a string component of its own";
    EXPECT_EQ(refusal(w), "Error|OK");
    Choose(w->CB_Language, w->CB_Language->Items().IndexOf("Deutsch"));
    EXPECT_EQ(refusal(w), "Fehler|Gut");
    EXPECT_EQ(strings->LookupResString("FLV_LOOKIN"), "Suchen in:") << "the file dialog's label";
    w->Free();

    w = Open();
    EXPECT_EQ(refusal(w), "Fehler|Gut") << "a window opened in the active language";
}

// The program's English file gives every text the window already has.
TEST_F(SettingsWindowTest, TheEnglishFileKeepsTheDesignTexts) {
    auto texts = [](TComponent* window) {
        std::map<String, String> out;
        for (int i = 0; i < window->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TControl*>(window->Components(i))) {
                String text = c->Caption() + "|" + c->Hint();
                if (auto* group = dynamic_cast<TskSkinRadioGroup*>(c))
                    for (int j = 0; j < group->Items().Count(); ++j)
                        text += "|" + group->Items()[j];
                if (c != static_cast<TFSettings*>(window)->CB_Language) out[c->Name()] = text;
            }
        return out;
    };
    AppLanguage = nullptr;
    TFSettings* plain = Open();
    const auto design = texts(plain);
    plain->Free();
    std::filesystem::copy_file(VD_ENGLISH_LNG, Folder.File("vendrill.English.lng"),
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(Language->SelectFile("English.lng"));
    AppLanguage = Language.get();
    TFSettings* w = Open();
    for (const auto& [name, text] : texts(w))
        EXPECT_EQ(text, design.at(name)) << name;
    EXPECT_EQ(w->Caption(), "Settings");
}

TEST_F(SettingsWindowTest, ALanguageNameIsCutTo64Characters) {
    const std::string longName(80, 'L');
    Folder.Write("vendrill." + longName + ".lng", "[Constants]\nLanguage=Long\n");
    Language->ScanLanguageFiles();
    TFSettings* w = Open();
    Choose(w->CB_Language, w->CB_Language->Items().IndexOf("Long"));
    ASSERT_TRUE(w->StoreSetting());
    EXPECT_EQ(AppSettings.Language, String(64, 'L'));
}

TEST_F(SettingsWindowTest, TitleSourceControls) {
    TFSettings* w = Open();
    ASSERT_TRUE(w->UTFile->Checked());
    EXPECT_TRUE(w->EFileName->Visible());
    EXPECT_TRUE(w->CB_TextUTF8->Visible());
    EXPECT_FALSE(w->EPort->Visible());
    EXPECT_FALSE(w->EPass->Visible());
    EXPECT_EQ(w->EFileName->Top(), w->EPort->Top());
    EXPECT_EQ(w->LabFile->Top(), w->LPort->Top());

    w->UTPort->SetChecked(true);
    EXPECT_FALSE(w->UTFile->Checked()) << "one group";
    EXPECT_FALSE(w->EFileName->Visible());
    EXPECT_TRUE(w->EPort->Visible());
    EXPECT_TRUE(w->EPass->Visible());
    EXPECT_FALSE(w->EPassView->Visible());
    EXPECT_FALSE(w->EHost->Visible());
    w->UTOnlyIP->SetChecked(true);
    EXPECT_TRUE(w->EHost->Visible());
    w->UTOnlyIP->SetChecked(false);
    EXPECT_FALSE(w->EHost->Visible());

    // Show password: the plain edit takes the text and every change goes back.
    w->EPass->SetText("hidden");
    w->CBSHowPass->SetChecked(true);
    EXPECT_TRUE(w->EPassView->Visible());
    EXPECT_FALSE(w->EPass->Visible());
    EXPECT_EQ(w->EPassView->Text(), "hidden");
    EXPECT_EQ(w->EPassView->BoundsRect(), w->EPass->BoundsRect());
    w->EPassView->SetText("shown");
    EXPECT_EQ(w->EPass->Text(), "shown");
    w->CBSHowPass->SetChecked(false);
    EXPECT_FALSE(w->EPassView->Visible());
    EXPECT_TRUE(w->EPass->Visible());
    EXPECT_EQ(w->EPass->Text(), "shown");

    w->UTFile->SetChecked(true);
    EXPECT_TRUE(w->EFileName->Visible());
    EXPECT_FALSE(w->EPort->Visible());
    EXPECT_FALSE(w->EPassView->Visible());
}

TEST_F(SettingsWindowTest, TheEmailTestSendsWithTheWindowsValuesAndLeavesMailOn) {
    TFSettings* w = Open();
    MailQueue.Append("an old notification");
    ASSERT_FALSE(w->GBEMail->Checked());
    w->ESMTPSend->SetText("to@example.org");
    w->ESMTPHost->SetText("smtp.example.org");
    w->ESMTPFrom->SetText("from@example.org");
    w->ESMTPUser->SetText("user");
    w->ESMTPPass->SetText("pw");
    w->CBSMTPAuth->SetChecked(true);
    w->CBSMTPUseSSL->SetChecked(true);
    w->SBEMailTestClick(w->SBEMailTest);

    EXPECT_TRUE(AppSettings.EMail) << "even with the group unchecked";
    EXPECT_EQ(AppSettings.SendTo, "to@example.org");
    EXPECT_EQ(AppSettings.Host, "smtp.example.org");
    EXPECT_EQ(AppSettings.From, "from@example.org");
    EXPECT_EQ(AppSettings.User, "user");
    EXPECT_EQ(AppSettings.Password, "pw");
    EXPECT_TRUE(AppSettings.Auth);
    EXPECT_TRUE(AppSettings.SSL);
    EXPECT_EQ(AppSettings.Port, 465);
    EXPECT_EQ(MailTests, 1);
    EXPECT_TRUE(MailStatus.TestMode);
    String text;
    std::uint64_t id = 0;
    ASSERT_EQ(MailQueue.Count(), 1) << "the queue was cleared first";
    ASSERT_TRUE(MailQueue.Front(text, id));
    EXPECT_EQ(text, "This is test message from Vendrill.");
    EXPECT_FALSE(std::filesystem::exists(SettingsFilePath())) << "nothing written";

    // The mailer's status reaches the window's label on the next timer tick.
    MailStatus.Set("The test message sended. Check EMail");
    w->StatusTimerTimer(w->StatusTimer);
    EXPECT_EQ(w->EMailRes->Caption(), "The test message sended. Check EMail");

    // Cancel does not take mail back off; closing ends the test mode.
    w->SBCancelClick(w->SBCancel);
    w->Close();
    Pump();
    EXPECT_TRUE(AppSettings.EMail);
    EXPECT_FALSE(MailStatus.TestMode);
}

TEST_F(SettingsWindowTest, StartAtLoginIsWrittenAtOnce) {
    ASSERT_FALSE(ReadAutoStart());
    TFSettings* w = Open();
    EXPECT_FALSE(w->CBAutoStart->Checked());
    w->CBAutoStart->SetChecked(true);
    EXPECT_TRUE(ReadAutoStart());
    w->SBCancelClick(w->SBCancel);
    w->Free();
    EXPECT_TRUE(ReadAutoStart()) << "Cancel does not undo it";
    w = Open();
    EXPECT_TRUE(w->CBAutoStart->Checked());
    w->CBAutoStart->SetChecked(false);
    EXPECT_FALSE(ReadAutoStart());
}

TEST_F(SettingsWindowTest, GroupCheckEnablesTheSmtpControls) {
    TFSettings* w = Open();
    ASSERT_FALSE(w->GBEMail->Checked());
    EXPECT_FALSE(w->ESMTPHost->Enabled());
    EXPECT_FALSE(w->ESMTPPort->Enabled());
    EXPECT_TRUE(w->SBEMailTest->Enabled()) << "the test works with the group off";
    w->GBEMail->SetChecked(true);
    EXPECT_TRUE(w->ESMTPHost->Enabled());
    EXPECT_TRUE(w->ESMTPPort->Enabled());
}

// Each page and each title mode at the window's size: inside, apart, tabbed in reading order.
TEST_F(SettingsWindowTest, LayoutOfEveryPage) {
    TFSettings* w = Open();
    w->Show();
    Pump();
    for (int page = 0; page < 4; ++page) {
        w->Pages->SetActivePageIndex(page);
        Pump();
        EXPECT_EQ(test::LayoutProblems(w), std::vector<std::string>{}) << "page " << page;
    }
    w->Pages->SetActivePageIndex(2);
    w->UTPort->SetChecked(true);
    w->UTOnlyIP->SetChecked(true);
    w->CBSHowPass->SetChecked(true);
    Pump();
    EXPECT_EQ(test::LayoutProblems(w), std::vector<std::string>{}) << "title port";
}

} // namespace
} // namespace vd
