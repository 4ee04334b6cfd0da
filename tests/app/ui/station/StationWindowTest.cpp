// The stream editor: its checks and their messages, what Save stores and tells a running stream,
// the mode switch and the bit rate list.
#include "app/ui/station/StationWindow.h"

#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsIni.h"
#include "app/core/StationList.h"
#include "app/core/StationStore.h"
#include "platform/rtl/SysUtils.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/extra/dialogs/SkinMessage.h"

#include "../../../platform/vcl/VclFixture.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace vd {
namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct TShownMessage {
    String Text;
    String Caption;
};

class StationWindowTest : public test::VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        SetProgramFile(Dir.File("vendrill"));
        UseLanguage(ReadWhole(VD_ENGLISH_LNG));
        StationList.Clear();
    }
    void TearDown() override {
        VclTest::TearDown();
        AppLanguage = nullptr;
        StationList.Clear();
        SetProgramFile("");
    }
    void UseLanguage(const std::string& text) {
        AppLanguage = nullptr;
        Dir.Write("vendrill.English.lng", text);
        Language = std::make_unique<TLanguage>("vendrill.", Dir.Path());
        ASSERT_TRUE(Language->SelectFile("English.lng"));
        AppLanguage = Language.get();
    }

    // Opens the editor as the main window does and lets Drive work in it while it is up; a window
    // that Drive leaves open (a refused save) is cancelled. EditStation's result.
    bool Edit(int index, const std::function<void(TFStation&)>& Drive) {
        StayedOpen = false;
        TModalLoopHookScope scope([&](TCustomForm& f) {
            if (auto* box = dynamic_cast<TskMessageForm*>(&f)) {
                Messages.push_back({box->MessageLabel->Caption(), box->Caption()});
                box->SetModalResult(mrOk);
                return;
            }
            auto* w = dynamic_cast<TFStation*>(&f);
            ASSERT_NE(w, nullptr);
            Drive(*w);
            if (w->ModalResult() == mrNone) {
                StayedOpen = true;
                Press(w->SBCancel);
            }
        });
        return EditStation(index);
    }
    void Press(TControl* c) {
        hb->Click(RawButton::Left, c->ClientToScreen({c->Width() / 2, c->Height() / 2}));
        Pump();
    }

    static TStationConfig Icecast() {
        TStationConfig c;
        c.Mode = smIcecast;
        c.URL = "radio.example";
        c.Port = 8000;
        c.User = "source";
        c.Password = "hackme";
        c.ID = "live";
        c.Title = stmUtf8;
        c.Type = scMp3;
        c.Bitrate = 128;
        c.Buffer = 64;
        c.Public = true;
        return c;
    }
    static TStationPtr Add(const TStationConfig& c, TStationState state = ssStop) {
        auto r = std::make_shared<TStationRecord>();
        r->SetConfig(c);
        r->State = state;
        StationList.Add(r);
        return r;
    }
    TSettingsIni Ini() const { return TSettingsIni(Dir.File("vendrill.ini")); }

    test::TTempDir Dir;
    std::unique_ptr<TLanguage> Language;
    std::vector<TShownMessage> Messages;
    bool StayedOpen = false;
};

const char* const kAllowText = "Enter correct allow IP or *.*.*.* for all";
const char* const kServerText = "Please enter IP or Name server";
const char* const kMonoText = "OGG don't work in mono with bitrate less of 32";
const char* const kStereoText = "OGG don't work in stereo with bitrate less of 48";

void SelectBitrate(TFStation& w, int rate) {
    w.CBBitrate->SetItemIndex(w.CBBitrate->Items().IndexOf(IntToStr(rate)));
}

// Every check of Save: its message and box type, and what is stored when it passes.
TEST_F(StationWindowTest, SaveChecksAndTheirMessages) {
    struct Case {
        const char* name;
        std::function<void(TFStation&)> fill;
        const char* message; // nullptr: saved
        int type;
        const char* allowIP; // stored, when saved
        const char* url;
    };
    const String tooLong = [] {
        String s;
        for (int i = 0; i < 13; ++i)
            s += "192.168.100.100;"; // 208 characters: a cut would break an address
        return s;
    }();
    auto direct = [](const String& allow) {
        return [allow](TFStation& w) {
            w.RGMode->SetItemIndex(smDirect);
            w.EAllowIP->SetText(allow);
        };
    };
    auto ogg = [](int channels, int rate) {
        return [channels, rate](TFStation& w) {
            w.CBType->SetItemIndex(scOgg);
            w.CBChannel->SetItemIndex(channels);
            SelectBitrate(w, rate);
        };
    };
    const Case cases[] = {
        {"direct, empty list", direct(""), nullptr, 0, "*.*.*.*", ""},
        {"direct, blanks only", direct("   "), nullptr, 0, "*.*.*.*", ""},
        {"direct, two entries", direct(" 192.168.1.*;10.*.*.* "), nullptr, 0, "192.168.1.*;10.*.*.*", ""},
        {"direct, three parts", direct("192.168.1"), kAllowText, skmtError, nullptr, nullptr},
        {"direct, part above 255", direct("1.2.3.256"), kAllowText, skmtError, nullptr, nullptr},
        {"direct, one bad of two", direct("10.*.*.*;10.0.0"), kAllowText, skmtError, nullptr, nullptr},
        {"direct, longer than the field", direct(tooLong), kAllowText, skmtError, nullptr, nullptr},
        {"server empty", [](TFStation& w) { w.EServer->SetText(""); }, kServerText, skmtError, nullptr,
         nullptr},
        {"server blank", [](TFStation& w) { w.EServer->SetText("  "); }, kServerText, skmtError, nullptr,
         nullptr},
        {"server empty, shoutcast 2",
         [](TFStation& w) {
             w.RGMode->SetItemIndex(smShoutcast2);
             w.EServer->SetText("");
         },
         kServerText, skmtError, nullptr, nullptr},
        {"server trimmed", [](TFStation& w) { w.EServer->SetText(" host.example "); }, nullptr, 0, "",
         "host.example"},
        {"ogg mono 24", ogg(1, 24), kMonoText, skmtWarning, nullptr, nullptr},
        {"ogg mono 32", ogg(1, 32), nullptr, 0, "", "radio.example"},
        {"ogg stereo 32", ogg(0, 32), kStereoText, skmtWarning, nullptr, nullptr},
        {"ogg stereo 40", ogg(0, 40), kStereoText, skmtWarning, nullptr, nullptr},
        {"ogg stereo 48", ogg(0, 48), nullptr, 0, "", "radio.example"},
        {"mp3 mono 8",
         [](TFStation& w) {
             w.CBChannel->SetItemIndex(1);
             SelectBitrate(w, 8);
         },
         nullptr, 0, "", "radio.example"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationList.Clear();
        std::remove(Dir.File("vendrill.ini").c_str());
        TStationPtr station = Add(Icecast());
        Messages.clear();
        const bool saved = Edit(0, [&](TFStation& w) {
            c.fill(w);
            Press(w.SBOK);
        });
        if (c.message) {
            EXPECT_FALSE(saved);
            EXPECT_TRUE(StayedOpen);
            ASSERT_EQ(Messages.size(), 1u);
            EXPECT_EQ(Messages[0].Text, c.message);
            EXPECT_EQ(Messages[0].Caption, GetMessageCaption(c.type, nullptr));
            EXPECT_EQ(station->Config(), Icecast()); // nothing stored
            EXPECT_FALSE(Ini().SectionExists("Stream001"));
        } else {
            EXPECT_TRUE(saved);
            EXPECT_FALSE(StayedOpen);
            EXPECT_TRUE(Messages.empty());
            EXPECT_EQ(station->AllowIP, c.allowIP);
            EXPECT_EQ(station->URL, c.url);
            EXPECT_EQ(Ini().ReadString("Stream001", "URL", "absent"), c.url);
        }
    }
}

// Without a language, or with a language file that lacks the dialog text, the user still reads
// why the save was refused: the English text, in a box of the check's own type.
TEST_F(StationWindowTest, MessagesWithoutALanguageAndWithoutTheirText) {
    Add(Icecast());
    for (const bool withFile : {false, true}) {
        SCOPED_TRACE(withFile ? "file without Dialog.EnterServer" : "no language");
        if (withFile)
            UseLanguage("[Constants]\nLanguage=English\n");
        else
            AppLanguage = nullptr;
        Messages.clear();
        Edit(0, [&](TFStation& w) {
            w.EServer->SetText("");
            Press(w.SBOK);
        });
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].Text, kServerText);
        EXPECT_EQ(Messages[0].Caption, GetMessageCaption(skmtError, nullptr));
    }
}

// Which changes restart an Online stream (Lost) and which do not.
TEST_F(StationWindowTest, TrackedFieldsRestartARunningStream) {
    struct Case {
        const char* name;
        std::function<void(TFStation&)> change;
        bool restart;
    };
    const Case cases[] = {
        {"nothing", [](TFStation&) {}, false},
        {"title mode", [](TFStation& w) { w.CBTitle->SetItemIndex(stmDisable); }, false},
        {"autostart", [](TFStation& w) { w.CBAuto->SetChecked(true); }, false},
        {"same text retyped", [](TFStation& w) { w.EServer->SetText(" radio.example "); }, false},
        {"bit rate", [](TFStation& w) { SelectBitrate(w, 192); }, true},
        {"server", [](TFStation& w) { w.EServer->SetText("other.example"); }, true},
        {"port", [](TFStation& w) { w.EPort->SetValue(8010); }, true},
        {"user", [](TFStation& w) { w.EUser->SetText("admin"); }, true},
        {"password", [](TFStation& w) { w.EPass->SetText("secret"); }, true},
        {"mount", [](TFStation& w) { w.E_ID->SetText("other"); }, true},
        {"mode", [](TFStation& w) { w.RGMode->SetItemIndex(smShoutcast1); }, true},
        {"codec", [](TFStation& w) { w.CBType->SetItemIndex(scAac); }, true},
        {"channels", [](TFStation& w) { w.CBChannel->SetItemIndex(1); }, true},
        {"public", [](TFStation& w) { w.CBPublic->SetChecked(false); }, true},
        {"lock bitrate", [](TFStation& w) { w.CBLockFreq->SetChecked(true); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationList.Clear();
        TStationPtr station = Add(Icecast(), ssOnline);
        bool changed = false;
        ASSERT_TRUE(Edit(0, [&](TFStation& w) {
            c.change(w);
            Press(w.SBOK);
            changed = w.Changed();
        }));
        EXPECT_EQ(changed, c.restart);
        EXPECT_EQ(station->Lost.load(), c.restart);
        EXPECT_EQ(station->State.load(), ssOnline); // the tick restarts it, not the editor
    }
}

TEST_F(StationWindowTest, SavingAStreamByItsState) {
    struct Case {
        const char* name;
        TStationState state;
        bool lostBefore;
        bool change; // the port
        bool autostart;
        TStationState stateAfter;
        bool lostAfter;
    };
    const Case cases[] = {
        {"stopped, autostart: starts at once", ssStop, false, true, true, ssConnect, false},
        {"stopped, changed: stays stopped", ssStop, false, true, false, ssStop, false},
        {"connecting: left to the connector", ssConnect, false, true, false, ssConnect, false},
        {"online, autostart: only Lost", ssOnline, false, true, true, ssOnline, true},
        {"online, unchanged: a pending restart stays", ssOnline, true, false, false, ssOnline, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationList.Clear();
        TStationPtr station = Add(Icecast(), c.state);
        station->Lost = c.lostBefore;
        station->RetryCount = 3;
        ASSERT_TRUE(Edit(0, [&](TFStation& w) {
            if (c.change) w.EPort->SetValue(9000);
            w.CBAuto->SetChecked(c.autostart);
            Press(w.SBOK);
        }));
        EXPECT_EQ(station->State.load(), c.stateAfter);
        EXPECT_EQ(station->Lost.load(), c.lostAfter);
        EXPECT_EQ(station->Port, c.change ? 9000 : 8000);
        EXPECT_EQ(station->Auto, c.autostart);
        if (c.stateAfter == ssConnect && c.state == ssStop) {
            EXPECT_EQ(station->RetryCount.load(), 0);
        }
    }
}

TEST_F(StationWindowTest, NewStreamIsAppendedAndStartsOnlyWithAutostart) {
    Add(Icecast());
    for (bool autostart : {false, true}) {
        SCOPED_TRACE(autostart);
        const int before = StationList.Count();
        ASSERT_TRUE(Edit(-1, [&](TFStation& w) {
            EXPECT_EQ(w.EditIndex(), -1);
            EXPECT_EQ(w.EPort->Value(), 8000);
            EXPECT_EQ(w.CBBitrate->Text(), "128");
            EXPECT_EQ(w.RGMode->ItemIndex(), smShoutcast1);
            w.EServer->SetText("new.example");
            w.CBAuto->SetChecked(autostart);
            Press(w.SBOK);
            EXPECT_EQ(w.EditIndex(), before);
        }));
        ASSERT_EQ(StationList.Count(), before + 1);
        TStationPtr added = StationList.Items(before);
        EXPECT_EQ(added->URL, "new.example");
        EXPECT_EQ(added->Port, 8000);
        EXPECT_EQ(added->Bitrate, 128);
        EXPECT_EQ(added->Auto, autostart);
        EXPECT_EQ(added->State.load(), autostart ? ssConnect : ssStop);
        EXPECT_FALSE(added->Lost.load());
        const String section = StationSectionName(before);
        EXPECT_EQ(Ini().ReadString(section, "URL", ""), "new.example");
        EXPECT_EQ(Ini().ReadInteger(section, "Auto", -1), autostart ? 1 : 0);
    }
}

// A settings file that cannot be written is said so; the stream is in the list all the same.
TEST_F(StationWindowTest, SettingsFileThatCannotBeWrittenIsReported) {
    std::filesystem::create_directory(Dir.File("vendrill.ini")); // read and replaced, it fails both
    EXPECT_TRUE(Edit(-1, [&](TFStation& w) {
        w.EServer->SetText("new.example");
        Press(w.SBOK);
    }));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, "Can't save the stream in the settings file");
    EXPECT_EQ(Messages[0].Caption, GetMessageCaption(skmtError, nullptr));
    ASSERT_EQ(StationList.Count(), 1);
    EXPECT_EQ(StationList.Items(0)->URL, "new.example");
}

// Cancel, and the frame's close, store nothing, not even what a refused Save took over.
TEST_F(StationWindowTest, CancelLeavesListAndFileUntouched) {
    TStationPtr station = Add(Icecast(), ssOnline);
    WriteStation(0);
    const std::string file = ReadWhole(Dir.File("vendrill.ini"));
    const std::function<void(TFStation&)> endings[] = {
        [&](TFStation& w) { Press(w.SBCancel); },
        [&](TFStation& w) { w.Close(); },
        [&](TFStation& w) {
            w.CBType->SetItemIndex(scOgg);
            SelectBitrate(w, 24); // refused after the fields were taken over
            Press(w.SBOK);
            Press(w.SBCancel);
        },
    };
    for (const auto& end : endings) {
        EXPECT_FALSE(Edit(0, [&](TFStation& w) {
            w.EServer->SetText("changed.example");
            w.CBAuto->SetChecked(true);
            end(w);
        }));
        EXPECT_EQ(station->Config(), Icecast());
        EXPECT_FALSE(station->Lost.load());
        EXPECT_EQ(station->State.load(), ssOnline);
        EXPECT_EQ(ReadWhole(Dir.File("vendrill.ini")), file);
    }
    EXPECT_FALSE(Edit(-1, [&](TFStation& w) {
        w.EServer->SetText("new.example");
        Press(w.SBCancel);
    }));
    EXPECT_EQ(StationList.Count(), 1);
    EXPECT_FALSE(EditStation(1)); // no such stream: no window
    EXPECT_FALSE(EditStation(-2));
}

// A rate that is not in the list is shown as an extra item in its place and kept by Save.
TEST_F(StationWindowTest, BitrateOutsideTheListIsKept) {
    struct Case {
        int stored;
        int items;
        int index;     // of the selection, -1 none
        int savedRate; // after Save without a change
    };
    const Case cases[] = {
        {128, 18, 12, 128}, {100, 19, 11, 100}, {4, 19, 0, 4}, {1000, 19, 18, 1000}, {0, 18, -1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        StationList.Clear();
        TStationConfig config = Icecast();
        config.Bitrate = c.stored;
        TStationPtr station = Add(config, ssOnline);
        ASSERT_TRUE(Edit(0, [&](TFStation& w) {
            EXPECT_EQ(w.CBBitrate->Items().Count(), c.items);
            EXPECT_EQ(w.CBBitrate->ItemIndex(), c.index);
            EXPECT_EQ(w.CBBitrate->Text(), c.index < 0 ? String() : IntToStr(c.stored));
            Press(w.SBOK);
        }));
        EXPECT_EQ(station->Bitrate, c.savedRate);
        EXPECT_EQ(station->Lost.load(), c.savedRate != c.stored);
        EXPECT_EQ(Ini().ReadInteger("Stream001", "Bitrate", -1), c.savedRate);
    }
    // The extra item goes with the next showing.
    StationList.Clear();
    Add(Icecast());
    Edit(0, [&](TFStation& w) {
        EXPECT_EQ(w.CBBitrate->Items().Count(), 18);
        EXPECT_EQ(w.CBBitrate->Items().IndexOf("100"), -1);
        Press(w.SBCancel);
    });
}

// What each mode shows, and the texts the labels take from the hidden ones.
TEST_F(StationWindowTest, ModeSwitchShowsTheControlsOfTheMode) {
    struct Case {
        int mode;
        bool server; // Lab_Server, EServer, CBPublic, Lab_Pass, EPass, CBShowPass, EUser, Lab_ID, E_ID
        const char* idLabel;
        const char* userLabel;
    };
    const Case cases[] = {
        {smShoutcast2, true, "Stream ID (SID)", "Username"},
        {smShoutcast1, true, "Stream ID (SID)", "Username"}, // keeps the last text
        {smIcecast, true, "Mount", "Username"},
        {smShoutcast1, true, "Mount", "Username"},
        {smDirect, false, "Mount", "Allow IPs"},
        {smShoutcast2, true, "Stream ID (SID)", "Username"},
    };
    Add(Icecast());
    Edit(0, [&](TFStation& w) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.mode);
            w.RGMode->SetItemIndex(c.mode);
            for (TControl* control :
                 std::initializer_list<TControl*>{w.Lab_Server, w.EServer, w.CBPublic, w.Lab_Pass, w.EPass,
                                                  w.CBShowPass, w.EUser, w.Lab_ID, w.E_ID})
                EXPECT_EQ(control->Visible(), c.server) << control->Name();
            for (TControl* control : std::initializer_list<TControl*>{w.EAllowIP, w.EBuffer, w.Lab_Buffer})
                EXPECT_EQ(control->Visible(), !c.server) << control->Name();
            EXPECT_FALSE(w.ESPass->Visible());
            EXPECT_TRUE(w.Lab_Port->Visible());
            EXPECT_TRUE(w.EPort->Visible());
            EXPECT_EQ(w.Lab_ID->Caption(), c.idLabel);
            EXPECT_EQ(w.Lab_User->Caption(), c.userLabel);
            EXPECT_EQ(w.EAllowIP->BoundsRect(), w.EUser->BoundsRect());
        }
        for (TControl* hidden :
             std::initializer_list<TControl*>{w.Lab_StreamID, w.Lab_Mount, w.LabAllowIP, w.Lab_UserName})
            EXPECT_FALSE(hidden->Visible()) << hidden->Name();
        Press(w.SBCancel);
    });
}

// The mode switch takes its label texts from the hidden labels, which the language file
// translates like every other caption.
TEST_F(StationWindowTest, ModeLabelsComeFromTheTranslatedHiddenLabels) {
    std::string text = ReadWhole(VD_ENGLISH_LNG);
    const std::string section = "[FStation]\n";
    text.insert(text.find(section) + section.size(),
                "Lab_Mount=Mountpoint\nLabAllowIP=Allowed clients\nRGMode.4=Own port\n");
    UseLanguage(text);
    TStationConfig config = Icecast();
    Add(config);
    Edit(0, [&](TFStation& w) {
        EXPECT_EQ(w.Lab_ID->Caption(), "Mountpoint");
        EXPECT_EQ(w.RGMode->Items().Strings(3), "Own port");
        w.RGMode->SetItemIndex(smDirect);
        EXPECT_EQ(w.Lab_User->Caption(), "Allowed clients");
        Press(w.SBCancel);
    });
}

TEST_F(StationWindowTest, PasswordFollowsTheShowBox) {
    Add(Icecast());
    ASSERT_TRUE(Edit(0, [&](TFStation& w) {
        EXPECT_TRUE(w.EPass->Visible());
        EXPECT_EQ(w.EPass->Text(), "hackme");
        w.CBShowPass->SetChecked(true);
        EXPECT_TRUE(w.ESPass->Visible());
        EXPECT_FALSE(w.EPass->Visible());
        EXPECT_EQ(w.ESPass->Text(), "hackme");
        w.ESPass->SetText(" typed in plain ");
        // A trip through the own-port mode keeps what was typed.
        w.RGMode->SetItemIndex(smDirect);
        w.RGMode->SetItemIndex(smIcecast);
        EXPECT_TRUE(w.ESPass->Visible());
        EXPECT_EQ(w.ESPass->Text(), " typed in plain ");
        w.CBShowPass->SetChecked(false);
        EXPECT_EQ(w.EPass->Text(), " typed in plain ");
        Press(w.SBOK);
    }));
    EXPECT_EQ(StationList.Items(0)->Password, "typed in plain");
}

// Values outside the controls' ranges are shown clamped; a whole own-port stream survives a
// save and a reload.
TEST_F(StationWindowTest, ShowSettingClampsAndSaveStoresEveryField) {
    TStationConfig odd = Icecast();
    odd.Mode = 7;
    odd.Title = 5;
    odd.Type = -2;
    odd.Channels = 9;
    odd.Buffer = 2000;
    odd.AllowIP = "  10.0.0.*  ";
    Add(odd);
    ASSERT_TRUE(Edit(0, [&](TFStation& w) {
        EXPECT_EQ(w.RGMode->ItemIndex(), smDirect);
        EXPECT_EQ(w.CBTitle->ItemIndex(), stmUtf8);
        EXPECT_EQ(w.CBType->ItemIndex(), scMp3);
        EXPECT_EQ(w.CBChannel->ItemIndex(), 1);
        EXPECT_EQ(w.EBuffer->Value(), 512);
        EXPECT_EQ(w.EAllowIP->Text(), "10.0.0.*");
        w.EPort->SetValue(9100);
        Press(w.SBOK);
    }));
    StationList.Clear();
    ReadStations();
    ASSERT_EQ(StationList.Count(), 1);
    const TStationConfig back = StationList.Items(0)->Config();
    EXPECT_EQ(back.Mode, smDirect);
    EXPECT_EQ(back.URL, "");
    EXPECT_EQ(back.Port, 9100);
    EXPECT_EQ(back.AllowIP, "10.0.0.*");
    EXPECT_EQ(back.Buffer, 512);
    EXPECT_EQ(back.Title, stmUtf8);
    EXPECT_EQ(back.Type, scMp3);
    EXPECT_EQ(back.Channels, 1);
    EXPECT_EQ(back.Password, "hackme");
}

// The form's own child that holds the focus (the focus may be on an inner edit).
String FocusedChild(TFStation& w) {
    for (TControl* c = w.ActiveControl(); c; c = c->Parent())
        if (c->Parent() == &w) return c->Name();
    return "(none)";
}

// Tab walks the shown controls in reading order: rows top to bottom, each left to right.
TEST_F(StationWindowTest, TabWalksTheShownControlsInReadingOrder) {
    struct Case {
        int mode;
        std::vector<String> order;
    };
    const Case cases[] = {
        {smIcecast,
         {"RGMode", "EServer", "EPort", "EUser", "EPass", "CBShowPass", "E_ID", "CBTitle", "CBType",
          "CBBitrate", "CBChannel", "CBPublic", "CBAuto", "CBLockFreq", "RGMode"}},
        {smDirect,
         {"RGMode", "EPort", "EBuffer", "EAllowIP", "CBTitle", "CBType", "CBBitrate", "CBChannel", "CBAuto",
          "CBLockFreq", "RGMode"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        StationList.Clear();
        TStationConfig config = Icecast();
        config.Mode = c.mode;
        Add(config);
        Edit(0, [&](TFStation& w) {
            std::vector<String> order{FocusedChild(w)};
            for (std::size_t i = 1; i < c.order.size(); ++i) {
                hb->KeyPress(VK_TAB);
                Pump();
                order.push_back(FocusedChild(w));
            }
            EXPECT_EQ(order, c.order);
            Press(w.SBCancel);
        });
    }
}

// Every shown control lies inside the client area and none covers another.
TEST_F(StationWindowTest, ShownControlsNeitherOverlapNorLeaveTheWindow) {
    for (int mode : {smShoutcast1, smShoutcast2, smIcecast, smDirect}) {
        SCOPED_TRACE(mode);
        StationList.Clear();
        TStationConfig config = Icecast();
        config.Mode = mode;
        Add(config);
        Edit(0, [&](TFStation& w) {
            const TRect client = w.ClientRect();
            std::vector<TControl*> shown;
            for (int i = 0; i < w.ControlCount(); ++i)
                if (w.Controls(i)->Visible()) shown.push_back(w.Controls(i));
            EXPECT_GE(shown.size(), 15u);
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const TRect r = shown[i]->BoundsRect();
                EXPECT_TRUE(r.Left >= client.Left + 4 && r.Top >= client.Top + 4 &&
                            r.Right <= client.Right - 4 && r.Bottom <= client.Bottom - 4)
                    << shown[i]->Name();
                for (std::size_t j = i + 1; j < shown.size(); ++j) {
                    const TRect o = shown[j]->BoundsRect();
                    const bool overlap =
                        r.Left < o.Right && o.Left < r.Right && r.Top < o.Bottom && o.Top < r.Bottom;
                    EXPECT_FALSE(overlap) << shown[i]->Name() << " and " << shown[j]->Name();
                }
            }
            Press(w.SBCancel);
        });
    }
}

TEST_F(StationWindowTest, WindowHasTheTextsOfTheLanguageFile) {
    Add(Icecast());
    Edit(0, [&](TFStation& w) {
        EXPECT_EQ(w.Caption(), "Stream settings");
        EXPECT_EQ(w.SBOK->Caption(), "Save");
        EXPECT_EQ(w.CBLockFreq->Caption(), "Lock bitrate");
        EXPECT_EQ(w.Lab_Buffer->Caption(), "Buffer size (KB)");
        EXPECT_EQ(w.CBTitle->Items().Count(), 3);
        EXPECT_EQ(w.CBType->Items().Strings(3), "AAC+");
        Press(w.SBCancel);
    });
}

} // namespace
} // namespace vd
