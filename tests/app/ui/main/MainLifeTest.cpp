// The main window and the desktop: the close question, minimizing with and without a
// notification area, a later start of the program, and the end of the session.
#include "MainWindowFixture.h"

#include "app/ui/main/ProgramStart.h"
#include "platform/shell/SingleInstance.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "tests/support/WaitUntil.h"

#include <csignal>

namespace vd::test {
namespace {

const char* const ExitQuestion = "Some streams are still running. Close the program?";

// A stream in Connect from the start (Auto); the connector is not running in these tests.
const char* const OneAutoStream = "[Stream001]\nMode=2\nURL=127.0.0.1\nPort=9\nAuto=1\n";

class MainCloseTest : public MainWindowTest {
protected:
    // Answers every message box with `answer` and records its texts.
    void AnswerWith(int answer) {
        SetAppMessageBox([this, answer](const String& text, int type, unsigned) {
            Asked.push_back(text);
            EXPECT_EQ(type, 3); // a confirmation
            return answer;
        });
    }
    std::vector<String> Asked;
};

TEST_F(MainCloseTest, TheExitQuestionComesOnlyWithARunningStreamAndNotAtTheSessionEnd) {
    struct Case {
        const char* name;
        const char* streams;
        bool sessionEnd;
        int answer;
        bool asked, closed;
    };
    const Case cases[] = {
        {"no stream", "", false, mrNo, false, true},
        {"stopped stream", "[Stream001]\nURL=127.0.0.1\nAuto=0\n", false, mrNo, false, true},
        {"running stream, no", OneAutoStream, false, mrNo, true, false},
        {"running stream, yes", OneAutoStream, false, mrYes, true, true},
        {"session end", OneAutoStream, true, mrNo, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSettings(c.streams);
        Application->ResetTerminated();
        TFVendrill* w = Open();
        ASSERT_TRUE(w->Created());
        Asked.clear();
        AnswerWith(c.answer);
        if (c.sessionEnd)
            w->Perform(WM_QUERYENDSESSION, 0, 0);
        else
            w->Close();
        Pump();
        EXPECT_EQ(Asked.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(Asked.front(), ExitQuestion);
        }
        EXPECT_EQ(Application->Terminated(), c.closed);
        EXPECT_EQ(AppLanguage == nullptr, c.closed);
        if (c.sessionEnd) {
            EXPECT_TRUE(w->SystemShutdown);
        }
        if (!c.closed) {
            // The window stays as it was; the next close may still go.
            EXPECT_TRUE(w->Visible());
            AnswerWith(mrYes);
            w->Close();
            Pump();
            EXPECT_TRUE(Application->Terminated());
        }
        w->Free();
    }
}

TEST_F(MainCloseTest, TheQuestionShowsInTheSkinnedBox) {
    WriteSettings(OneAutoStream);
    TFVendrill* w = Open();
    String shown;
    {
        TModalLoopHookScope press([&](TCustomForm& box) {
            shown = box.Caption();
            box.SetModalResult(mrNo);
        });
        w->Close();
        Pump();
    }
    EXPECT_FALSE(shown.empty());
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(MainCloseTest, SessionEndSignalLogsAndClosesWithoutAsking) {
    WriteSettings(OneAutoStream);
    TFVendrill* w = Open();
    AnswerWith(mrNo);
    std::vector<String> logged;
    w->OnShutdownStep = [&](const char* step) {
        if (String(step) == "TitlePort") logged.push_back(w->Runtime().Logs().MainLog().Items(0).Text);
    };
    Application->HandleSessionEndSignals();
    ASSERT_EQ(::raise(SIGTERM), 0);
    Pump();
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    EXPECT_TRUE(Asked.empty());
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(logged, std::vector<String>{"System shutdown!"});
    w->Free();
}

TEST_F(MainCloseTest, TheSessionEndingWhileTheQuestionIsUpClosesOnce) {
    WriteSettings(OneAutoStream);
    TFVendrill* w = Open();
    int steps = 0;
    w->OnShutdownStep = [&](const char* step) { steps += String(step) == "Lists"; };
    SetAppMessageBox([&](const String&, int, unsigned) {
        w->Perform(WM_QUERYENDSESSION, 0, 0);
        return mrYes;
    });
    w->Close();
    Pump();
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(w->SystemShutdown);
    EXPECT_TRUE(Application->Terminated());
    w->Free();
}

// The device panel's and the tool bar's buttons open their windows modally; a cancelled
// settings window leaves the device off and the texts as they were.
TEST_F(MainCloseTest, TheButtonsOpenTheirWindows) {
    TFVendrill* w = Open();
    struct Case {
        TControl* button;
        const char* window;
    };
    const Case cases[] = {{w->SBSetting, "FSettings"}, {w->SBPlugins, "Fr_Filters"}, {w->SBAdd, "FStation"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        String opened;
        {
            TModalLoopHookScope cancel([&](TCustomForm& form) {
                opened = form.Name();
                form.SetModalResult(mrCancel);
            });
            hb->Click(RawButton::Left,
                      c.button->ClientToScreen({c.button->Width() / 2, c.button->Height() / 2}));
            Pump();
        }
        EXPECT_EQ(opened, c.window);
        EXPECT_TRUE(w->Visible());
    }
    EXPECT_EQ(StationList.Count(), 0);
    EXPECT_FALSE(w->Timer->Enabled());
    EXPECT_EQ(w->SBSetting->Hint(), "Edit settings");
}

class MainTrayTest : public MainWindowTest {};

TEST_F(MainTrayTest, MinimizeHidesInTheTrayOnlyWhenTheIconIsDocked) {
    for (const bool tray : {true, false}) {
        SCOPED_TRACE(tray ? "with a tray" : "without a tray");
        Tray.SetAvailable(tray);
        TFVendrill* w = Open();
        Application->Minimize();
        Pump();
        EXPECT_EQ(w->TrayIcon->IconShown(), tray);
        EXPECT_EQ(w->Visible(), !tray);
        EXPECT_EQ(IsWindowVisible(Application->Handle()), !tray);
        TrayIconState state;
        EXPECT_EQ(Tray.Find(w->TrayIcon->Handle(), 1, state), tray);

        // The icon's menu item Restore (or a double click) brings it back and takes the icon away.
        w->Restore1->Click();
        Pump();
        EXPECT_TRUE(w->Visible());
        EXPECT_TRUE(IsWindowVisible(w->Handle()));
        EXPECT_FALSE(IsIconic(Application->Handle()));
        EXPECT_FALSE(w->TrayIcon->IconVisible());
        EXPECT_FALSE(Tray.Find(w->TrayIcon->Handle(), 1, state));
        w->Free();
        Tray.SetAvailable(true);
    }
}

// The settings' hide-in-tray acts at the first tick of the start, and only into an icon that is
// really docked; a first tick that the user's settings brought (a device that could not open at
// the start) never hides the window.
TEST_F(MainTrayTest, TheStartHidesInTheTrayOnlyIntoADockedIcon) {
    WriteSettings("[Setting]\nToTray=1\n");
    struct Case {
        const char* name;
        bool tray, settingsFirst, hidden;
    } const cases[] = {
        {"a docked icon", true, false, true},
        {"no notification area", false, false, false},
        {"settings opened before the first tick", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tray.SetAvailable(c.tray);
        TFVendrill* w = Open();
        ASSERT_TRUE(w->Runtime().Tick()->FirstTickPending());
        if (c.settingsFirst) {
            TModalLoopHookScope cancel([](TCustomForm& form) { form.SetModalResult(mrCancel); });
            ASSERT_TRUE(w->SBSetting->OnClick);
            w->SBSetting->OnClick(w->SBSetting);
            Pump();
        }
        w->Runtime().Tick()->TimerWork();
        Pump();
        EXPECT_EQ(IsIconic(Application->Handle()) != FALSE, c.hidden);
        EXPECT_EQ(w->Visible(), !c.hidden);
        EXPECT_EQ(IsWindowVisible(w->Handle()) != FALSE, !c.hidden);
        EXPECT_EQ(w->TrayIcon->IconVisible(), c.hidden);
        if (c.hidden) {
            w->Restore1->Click();
            Pump();
        }
        w->Free();
        Pump();
        Tray.SetAvailable(true);
    }
}

TEST_F(MainTrayTest, DoubleClickOnTheIconRestores) {
    TFVendrill* w = Open();
    Application->Minimize();
    Pump();
    ASSERT_FALSE(w->Visible());
    ASSERT_TRUE(Tray.Click(w->TrayIcon->Handle(), 1, WM_LBUTTONDBLCLK));
    Pump();
    EXPECT_TRUE(w->Visible());
    EXPECT_FALSE(w->TrayIcon->IconVisible());
}

TEST_F(MainTrayTest, AWindowInTheTrayComesBackWhenTheTrayGoesAway) {
    TFVendrill* w = Open();
    Application->Minimize();
    Pump();
    ASSERT_FALSE(w->Visible());
    Tray.Vanish();
    Pump();
    EXPECT_TRUE(w->Visible());
    EXPECT_FALSE(IsIconic(Application->Handle()));
}

TEST_F(MainTrayTest, TheTrayMenuExitCloses) {
    TFVendrill* w = Open();
    w->Exit1->Click();
    Pump();
    EXPECT_TRUE(Application->Terminated());
    w->Free();
}

TEST_F(MainTrayTest, ALaterStartBringsTheWindowBack) {
    TFVendrill* w = Open();
    std::unique_ptr<TSingleInstance> first = ClaimProgramInstance();
    ASSERT_NE(first, nullptr);
    ServeLaterStarts(*first, *w);
    for (const bool inTray : {true, false}) {
        SCOPED_TRACE(inTray ? "from the tray" : "from the task bar");
        Tray.SetAvailable(inTray);
        Application->Minimize();
        Pump();
        ASSERT_TRUE(IsIconic(Application->Handle()));
        TSingleInstance::TClaim claim = TSingleInstance::TClaim::First;
        EXPECT_EQ(TSingleInstance::Claim(ProgramFile(), SettingsFilePath(), claim), nullptr);
        EXPECT_EQ(claim, TSingleInstance::TClaim::ShownOther);
        EXPECT_TRUE(WaitUntil([&] { return w->Visible() && !IsIconic(Application->Handle()); }, 10000,
                              [&] { Pump(); }));
        EXPECT_FALSE(w->TrayIcon->IconVisible());
    }
    first->SetOnShow(nullptr);
}

} // namespace
} // namespace vd::test
