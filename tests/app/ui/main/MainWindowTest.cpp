// The main window's life: made from its form resource, its creation in order, its layout, and
// a close without streams.
#include "MainWindowFixture.h"

#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/plugins/DspPluginApi.h"
#include "app/plugins/VDPlugIns.h"
#include "app/ui/main/WindowPlacement.h"
#include "app/ui/settings/SettingsWindow.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/grids/SkinDrawGrid.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/store/SkinTypes.h"

namespace vd::test {
namespace {

TEST(WindowPlacementTest, StoredPlacesArePulledOntoTheScreen) {
    struct Case {
        TWindowPlacement stored;
        TSize screen;
        TWindowPlacement expected;
    };
    const Case cases[] = {
        {{-50, 5000, 300, 200}, {1920, 1080}, {0, 1060, 510, 420}},
        {{100, 80, 800, 600}, {1920, 1080}, {100, 80, 800, 600}},
        {{1900, 1060, 510, 420}, {1920, 1080}, {1900, 1060, 510, 420}},
        {{1901, 1061, 510, 420}, {1920, 1080}, {1900, 1060, 510, 420}},
        {{INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX}, {1920, 1080}, {1900, 0, 510, INT32_MAX}},
        // A screen smaller than the grab margin puts the window at its corner.
        {{40, 40, 510, 420}, {10, 10}, {0, 0, 510, 420}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampWindowPlacement(c.stored, c.screen), c.expected)
            << c.stored.Left << "," << c.stored.Top << " " << c.stored.Width << "x" << c.stored.Height;
}

TEST_F(MainWindowTest, OpensFromItsResourceAndClosesCleanly) {
    TFVendrill* w = Open();
    ASSERT_TRUE(w->Created());
    EXPECT_EQ(FVendrill(), w);
    EXPECT_EQ(w->Caption().rfind("Tarvolin Vendrill ", 0), 0u) << w->Caption();
    EXPECT_EQ(AppLanguage != nullptr, true);
    // The creation logged its steps, newest first.
    ASSERT_GE(w->Runtime().Logs().MainLog().Count(), 3);
    EXPECT_EQ(w->Runtime().Logs().MainLog().Items(w->Runtime().Logs().MainLog().Count() - 1).Text,
              "Program started");
    EXPECT_TRUE(w->Runtime().Logs().ShowsMainLog());
    EXPECT_EQ(w->SGStreams->ColCount(), 7);
    // The columns keep their laid-out widths at least, and every title fits.
    const int widths[] = {40, 45, 55, 65, 60, 70};
    for (int c = 1; c < 7; ++c) {
        const String title = w->SGStreams->GetCellText(c, 0);
        EXPECT_FALSE(title.empty());
        EXPECT_GE(w->SGStreams->GetColWidths(c), widths[c - 1]) << title;
        EXPECT_GT(w->SGStreams->GetColWidths(c), w->SGStreams->Canvas().TextWidth(title)) << title;
    }
    EXPECT_FALSE(w->TrayIcon->IconVisible());
    ASSERT_NE(w->Runtime().Tick(), nullptr);
    EXPECT_TRUE(w->Runtime().Tick()->FirstTickPending());
    // No device is set: the device message stays until the settings are saved.
    EXPECT_FALSE(w->Timer->Enabled());

    w->Close();
    Pump();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(AppLanguage, nullptr);
    EXPECT_EQ(StationList.Count(), 0);
    w->Free();
    EXPECT_EQ(FVendrill(), nullptr);
}

// After a failed send the mailer waits up to a minute; the settings window's test button of the
// running program drops that wait, and a closed program's hook is gone.
TEST_F(MainWindowTest, TheMailTestButtonDropsTheMailersWait) {
    TFVendrill* w = Open();
    TEmailer* mailer = w->Runtime().Emailer();
    ASSERT_NE(mailer, nullptr);
    mailer->NextTry = MillisecondClock() + 60000;
    auto* settings = new TFSettings(Application);
    settings->SBEMailTestClick(settings->SBEMailTest);
    EXPECT_EQ(mailer->NextTry.load(), 0u);
    settings->Free();
    MailStatus.TestMode = false;
    MailQueue.Clear();
    w->Close();
    Pump();
    w->Free();
}

// The program's start scans the plug-in folder of the settings and gives the plug-ins it loads
// the application's window as their parent.
TEST_F(MainWindowTest, TheStartListsThePluginFolderAndParentsThePlugins) {
    WriteSettings("[Plugins]\nPath=" VD_TEST_DSP_DIR "\nFile1=dsp_half.so\n");
    TFVendrill* w = Open();
    EXPECT_EQ(PluginHost().AvailablePlugins().Count(), 5);
    ASSERT_EQ(PluginHost().LoadedCount(), 1);
    ASSERT_TRUE(PluginHost().Loaded(0).Active);
    EXPECT_EQ(PluginHost().Loaded(0).Module->ParentWindow, static_cast<void*>(Application->Handle()));
    w->Close();
    Pump();
    w->Free();
    while (PluginHost().LoadedCount() > 0)
        UnloadPlugin(0);
}

TEST_F(MainWindowTest, WithoutALanguageFileTheCreationStops) {
    ASSERT_EQ(::unlink(Dir.File("vendrill.English.lng").c_str()), 0);
    auto* w = new TFVendrill(Application);
    EXPECT_FALSE(w->Created());
    EXPECT_TRUE(StartupTerminated());
    EXPECT_EQ(AppLanguage, nullptr);
    w->Free();
}

TEST_F(MainWindowTest, TheStoredPlaceIsUsedWithinTheScreen) {
    struct Case {
        const char* settings;
        TRect expected; // left, top, client width, client height
        bool wholeScreen;
    };
    const Case cases[] = {
        {"PosX=-50\nPosY=5000\nPosW=300\nPosH=200\n", {0, 1060, 510, 420}, false},
        {"PosX=200\nPosY=100\nPosW=700\nPosH=500\n", {200, 100, 700, 500}, false},
        // Larger than the screen: the window is cut to the screen's size.
        {"PosX=0\nPosY=0\nPosW=5000\nPosH=3000\n", {0, 0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        WriteSettings(std::string("[Setting]\n") + c.settings);
        TFVendrill* w = Open();
        EXPECT_EQ(w->Left(), c.expected.Left);
        EXPECT_EQ(w->Top(), c.expected.Top);
        if (c.wholeScreen) {
            EXPECT_EQ(w->Width(), 1920);
            EXPECT_EQ(w->Height(), 1080);
        } else {
            EXPECT_EQ(w->ClientWidth(), c.expected.Right);
            EXPECT_EQ(w->ClientHeight(), c.expected.Bottom);
        }
        w->Free();
    }
}

// The caption buttons' hints follow the language, which the frame reads only when told.
TEST_F(MainWindowTest, ALanguageChangeRereadsTheFrameHints) {
    Dir.Write("vendrill.Other.lng", "[Constants]\nLanguage=Other\nCLOSEBUTTON_HINT=Shut\n"
                                    "[FVendrill]\nSBSetting.Hint=Settings (other)\n");
    WriteSettings("[Setting]\nLanguage=Other.lng\n");
    TFVendrill* w = Open(FindResource("SKIN", "QUILLMARSH"));
    ASSERT_FALSE(w->skSkinData1->Empty());
    auto closeHint = [&] {
        for (const auto& o : w->skSkinForm1->Objects())
            if (o->Command() == cmClose) return o->HintText;
        return String("no close button");
    };
    struct Step {
        const char* file;
        const char* hint;
        const char* settingHint;
    };
    const Step steps[] = {{nullptr, "Shut", "Settings (other)"},
                          {"English.lng", "Close", "Edit settings"},
                          {"Other.lng", "Shut", "Settings (other)"}};
    for (const Step& step : steps) {
        if (step.file) {
            ASSERT_TRUE(AppLanguage->SelectFile(step.file));
            w->Language_Change();
        }
        EXPECT_EQ(closeHint(), step.hint);
        EXPECT_EQ(w->SBSetting->Hint(), step.settingHint);
    }
    // The device label keeps the device message whatever the file says of it.
    EXPECT_EQ(w->LabDevice->Caption(), w->Runtime().Device().DeviceLabel());
}

// The grids as the program loads them from its form: row selection without grid lines, the
// log's time column 111 pixels wide and sizable by the user, the stream list's columns not.
TEST_F(MainWindowTest, TheGridsAsTheFormGivesThem) {
    TFVendrill* w = Open();
    struct Case {
        TskSkinStringGrid* Grid;
        TGridOptions Options;
    } cases[] = {{w->SGStreams, goRowSelect}, {w->SGLog, goRangeSelect | goColSizing | goRowSelect}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Grid->Name());
        EXPECT_EQ(c.Grid->Options(), c.Options);
        EXPECT_EQ(c.Grid->BorderStyle(), gbsNone);
        EXPECT_EQ(c.Grid->Color(), clGrayText);
        EXPECT_EQ(c.Grid->GridLineColor(), clWindowText);
        EXPECT_EQ(c.Grid->FixedCols(), 0);
        EXPECT_EQ(c.Grid->FixedRows(), 1);
        EXPECT_EQ(c.Grid->DefaultCellHeight(), 20);
        EXPECT_TRUE(c.Grid->UseSkinCellHeight());
        EXPECT_TRUE(c.Grid->UseSkinFont());
        EXPECT_EQ(c.Grid->SkinDataName(), "grid");
    }
    ASSERT_EQ(w->SGLog->GetColWidths(0), 111);
    // The line after the time column, in the header row: dragged 40 pixels to the right.
    hb->ButtonDown(RawButton::Left, w->SGLog->ClientToScreen({111, 5}));
    Pump();
    EXPECT_EQ(w->SGLog->GridState(), gsColSizing);
    hb->MouseMove(w->SGLog->ClientToScreen({151, 5}));
    hb->ButtonUp(RawButton::Left, w->SGLog->ClientToScreen({151, 5}));
    Pump();
    EXPECT_EQ(w->SGLog->GetColWidths(0), 151);
    w->Runtime().Logs().WriteMainLog("one more line");
    EXPECT_EQ(w->SGLog->GetColWidths(0), 151) << "a new log line keeps the user's width";

    const int first = w->SGStreams->GetColWidths(0);
    hb->ButtonDown(RawButton::Left, w->SGStreams->ClientToScreen({first, 5}));
    Pump();
    EXPECT_NE(w->SGStreams->GridState(), gsColSizing);
    hb->ButtonUp(RawButton::Left, w->SGStreams->ClientToScreen({first, 5}));
    Pump();
}

// A language with wider column titles: the first column gives up the room at once, so the
// columns still fill the grid exactly, before any resize.
TEST_F(MainWindowTest, ALanguageChangeSharesTheStreamColumnsOutAgain) {
    Dir.Write("vendrill.Wide.lng", "[Constants]\nLanguage=Wide\n"
                                   "[FVendrill]\nSGStreams.3.1=Codec type\n");
    TFVendrill* w = Open();
    auto spread = [&] {
        int sum = 0;
        for (int c = 0; c < w->SGStreams->ColCount(); ++c)
            sum += w->SGStreams->GetColWidths(c);
        return sum;
    };
    ASSERT_EQ(spread(), w->SGStreams->Width() - 1);
    const int before = w->SGStreams->GetColWidths(2);
    ASSERT_TRUE(AppLanguage->SelectFile("Wide.lng"));
    w->Language_Change();
    EXPECT_GT(w->SGStreams->GetColWidths(2), before) << "the wider title widened its column";
    EXPECT_EQ(spread(), w->SGStreams->Width() - 1);
}

// The layout handlers at the smallest size and at a large one: panels keep their minimum, the
// device panel's buttons stay at its right edge, the tool bar is shared out to its end.
TEST_F(MainWindowTest, TheLayoutFollowsTheWindowSize) {
    TFVendrill* w = Open();
    for (const TSize client : {TSize{510, 420}, TSize{1200, 800}, TSize{300, 200}}) {
        SCOPED_TRACE(std::to_string(client.cx) + "x" + std::to_string(client.cy));
        w->SetClientWidth(client.cx);
        w->SetClientHeight(client.cy);
        Pump();
        EXPECT_GE(w->ClientWidth(), 510);
        EXPECT_GE(w->ClientHeight(), 420);
        EXPECT_GE(w->Pan_Streams->ClientHeight(), 60);
        EXPECT_GE(w->Pan_Log->Height(), 55);
        EXPECT_EQ(w->SBPlugins->Left() + w->SBPlugins->Width(), w->Pan_Work->ClientWidth() - 4);
        EXPECT_EQ(w->SBSetting->Left() + w->SBSetting->Width(), w->SBPlugins->Left() - 4);
        EXPECT_EQ(w->LabDevice->Left() + w->LabDevice->Width(), w->SBSetting->Left() - 4);
        EXPECT_EQ(w->PanLed->Left() + w->PanLed->Width(), w->SBPlugins->Left() + w->SBPlugins->Width());
        EXPECT_EQ(w->Led->Picture().Width(), w->Led->Width());
        EXPECT_EQ(w->SBPlayStop->Left() + w->SBPlayStop->Width(), w->TB_Streams->ClientWidth() - 2);
        EXPECT_EQ(w->SBAdd->Width(), w->TB_Streams->ClientWidth() / 7);
    }
    // The splitter gives the log no more room than leaves the streams their 90 pixels.
    int size = w->ClientHeight();
    bool accept = true;
    w->SplitterCanResize(w->Splitter, size, accept);
    EXPECT_FALSE(accept);
    size = 60;
    w->SplitterCanResize(w->Splitter, size, accept);
    EXPECT_TRUE(accept);
}

// The user drags the skinned frame's corner far inwards and back out: the form's and the
// panels' limits hold during the drag as for every other size, and the log keeps its rows.
TEST_F(MainWindowTest, AFrameDragKeepsTheWindowsLimits) {
    TFVendrill* w = Open();
    w->SetBounds(100, 100, 900, 700);
    Pump();
    const int logHeight = w->Pan_Log->Height();
    const TPoint corner{w->Left() + w->Width() - 1, w->Top() + w->Height() - 1};
    ASSERT_EQ(SendMessage(w->Handle(), WM_NCHITTEST, 0, MakeLParam(corner.X, corner.Y)), HTBOTTOMRIGHT);
    auto drag = [&](TPoint from, TPoint to) {
        hb->MouseMove(from);
        Pump();
        hb->ButtonDown(RawButton::Left, from);
        hb->MouseMove({(from.X + to.X) / 2, (from.Y + to.Y) / 2});
        hb->MouseMove(to);
        hb->ButtonUp(RawButton::Left, to);
        Pump();
    };
    drag(corner, {w->Left() + 200, w->Top() + 43});
    EXPECT_GE(w->ClientWidth(), 510);
    EXPECT_GE(w->ClientHeight(), 420);
    EXPECT_GE(w->Pan_Streams->ClientHeight(), 60);
    EXPECT_LE(w->Pan_Streams->Top() + w->Pan_Streams->Height(), w->Pan_Log->Top()) << "panels overlap";
    // Back to the first size: the log has its rows again.
    drag({w->Left() + w->Width() - 1, w->Top() + w->Height() - 1}, corner);
    EXPECT_EQ(w->Width(), 900);
    EXPECT_EQ(w->Height(), 700);
    EXPECT_EQ(w->Pan_Log->Height(), logHeight);
}

} // namespace
} // namespace vd::test
