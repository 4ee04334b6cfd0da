// The main window's life: made from its form resource, its creation in order, its layout, and
// a close without streams.
#include "MainWindowFixture.h"

#include "app/core/AppSettings.h"
#include "app/ui/main/WindowPlacement.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/grids/SkinDrawGrid.h"
#include "skin/form/frame/SkinTrayIcon.h"

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
    ASSERT_GE(w->Parts().Logs().MainLog().Count(), 3);
    EXPECT_EQ(w->Parts().Logs().MainLog().Items(w->Parts().Logs().MainLog().Count() - 1).Text,
              "Program started");
    EXPECT_TRUE(w->Parts().Logs().ShowsMainLog());
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
    ASSERT_NE(w->Parts().Tick(), nullptr);
    EXPECT_TRUE(w->Parts().Tick()->FirstTickPending());
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

TEST_F(MainWindowTest, WithoutALanguageFileTheCreationStops) {
    ASSERT_EQ(::unlink(Dir.File("vendrill.English.lng").c_str()), 0);
    auto* w = new TFVendrill(Application);
    EXPECT_FALSE(w->Created());
    EXPECT_TRUE(StartupTerminated());
    EXPECT_EQ(AppLanguage, nullptr);
    w->Free();
}

TEST_F(MainWindowTest, TheStoredPlaceIsUsedWithinTheScreen) {
    WriteSettings("[Setting]\nPosX=-50\nPosY=5000\nPosW=300\nPosH=200\n");
    TFVendrill* w = Open();
    EXPECT_EQ(w->Left(), 0);
    EXPECT_EQ(w->Top(), 1060);
    EXPECT_EQ(w->ClientWidth(), 510);
    EXPECT_EQ(w->ClientHeight(), 420);
}

TEST_F(MainWindowTest, ALanguageChangeRereadsTheFrameHints) {
    TFVendrill* w = Open();
    // The skin strings came from the language file's constants.
    EXPECT_EQ(w->skResStrData->LookupResString("TRAYBUTTON_HINT"), "Minimize to Tray");
    EXPECT_EQ(w->SBSetting->Hint(), "Edit settings");
    EXPECT_EQ(w->Pan_Work->Caption(), "Input device");
}

} // namespace
} // namespace vd::test
