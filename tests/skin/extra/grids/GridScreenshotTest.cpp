// The program's stream list and log as string grids with the program's own skin on a real X
// server (a private Xvfb); the window is kept as artefacts/default-skin-grid.ppm to be judged by
// eye.
#include <gtest/gtest.h>

#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/extra/grids/SkinDrawGrid.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// After Xlib: its macros clash with the window system's names.
#include "../../../platform/win/x11/SavePpm.h"

#include <cstdio>
#include <cstdlib>

namespace vd::test {
namespace {

TskSkinStringGrid* MakeGrid(TForm* form, TskSkinData* skin, TRect r, std::vector<int> widths,
                            TGridOptions options) {
    auto* g = new TskSkinStringGrid(form);
    g->SetParent(form);
    g->SetBoundsRect(r);
    g->SetBorderStyle(gbsNone);
    g->SetColCount(static_cast<int>(widths.size()));
    g->SetFixedCols(0);
    g->SetRowCount(2);
    g->SetOptions(options);
    g->SetDefaultRowHeight(18);
    g->SetDefaultCellHeight(20);
    g->SetGridLineColor(clWindowText);
    g->SetColor(clGrayText);
    for (size_t i = 0; i < widths.size(); ++i)
        g->SetColWidths(static_cast<int>(i), widths[i]);
    auto* bar = new TskSkinScrollBar(form);
    bar->SetParent(form);
    bar->SetKind(sbVertical);
    bar->SetBounds(r.Right, r.Top, 17, r.Height());
    bar->SetSkinDataName("vscrollbar");
    bar->SetSkinData(skin);
    g->SetVScrollBar(bar);
    g->SetSkinData(skin);
    return g;
}

TEST(GridScreenshot, TheStreamListAndTheLogWithTheDefaultSkin) {
    X11Screen screen;
    ASSERT_NO_FATAL_FAILURE(screen.Open());
    ::Display* observer = screen.Observer;
    ::XImage* image = nullptr;
    {
        TForm* form = Application->CreateForm<TForm>();
        form->SetCaption("Grids");
        form->SetBounds(20, 20, 520, 330);
        auto* skin = new TskSkinData(form);
        TskCompressedStoredSkin stored;
        ASSERT_NO_FATAL_FAILURE(LoadOwnSkin(*skin, stored));

        auto* streams = MakeGrid(form, skin, {8, 8, 471, 150}, {128, 46, 38, 41, 81, 48, 64}, goRowSelect);
        const char* head[] = {"Name", "State", "Kbps", "Lst", "Server", "Peak", "Uptime"};
        for (int c = 0; c < 7; ++c)
            streams->SetCellText(c, 0, head[c]);
        const char* rows[][7] = {
            {"Morning show", "Online", "128", "14", "radio.example:8000", "21", "02:14:09"},
            {"Night jazz", "Delay", "96", "0", "jazz.example/live", "3", "00:00:00"},
            {"Talk", "Stop", "64", "", "talk.example:8010,1", "", ""},
            {"Backup feed", "Connect", "192", "", "backup.example/feed", "", ""},
            {"Weekend", "Online", "128", "6", "weekend.example/", "9", "11:03:44"},
            {"Sports", "Online", "64", "33", "sports.example:9000", "40", "00:48:31"},
            {"Local news", "Stop", "48", "", "news.example/", "", ""}};
        streams->SetRowCount(8);
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 7; ++c)
                streams->SetCellText(c, r + 1, rows[r][c]);
        streams->MoveCurrentCell(0, 2, true, true);

        auto* log =
            MakeGrid(form, skin, {8, 166, 471, 290}, {111, 365}, goRangeSelect | goColSizing | goRowSelect);
        log->SetCellText(0, 0, "Time");
        log->SetCellText(1, 0, "Event");
        log->SetRowCount(4);
        const char* lines[][2] = {{"2026-12-11 00:21", "Morning show: connected to radio.example:8000"},
                                  {"2026-12-11 00:22", "Night jazz: no answer from the server, retrying"},
                                  {"2026-12-11 00:23", "Weekend: 6 listeners"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c)
                log->SetCellText(c, r + 1, lines[r][c]);
        form->Show();
        streams->SetFocus();

        const ::Window w = static_cast<::Window>(screen.Backend->XWindowOf(form->Handle()));
        XWindowAttributes attributes{};
        const TPoint header = streams->ClientToScreen({60, 10});
        const TPoint wr = form->ClientToScreen({0, 0});
        (void)wr;
        const bool drawn = WaitUntil(
            [&] {
                if (image) XDestroyImage(image);
                image = nullptr;
                if (!XGetWindowAttributes(observer, w, &attributes) || attributes.map_state != IsViewable)
                    return false;
                image = XGetImage(observer, w, 0, 0, unsigned(attributes.width), unsigned(attributes.height),
                                  AllPlanes, ZPixmap);
                if (!image) return false;
                // Drawn once hardly any black is left (the grids have none of their own).
                int black = 0, all = 0;
                for (int y = attributes.height / 4; y < attributes.height - 10; y += 4)
                    for (int x = 10; x < attributes.width - 10; x += 4, ++all)
                        black += (XGetPixel(image, x, y) & 0xFFFFFF) == 0;
                return black * 10 < all;
            },
            15000, [&] { screen.Pump(); });
        ASSERT_TRUE(drawn) << "the grids were not drawn";
        ASSERT_NE(image, nullptr);
        // Header, selected row and plain rows are drawn from different skin parts.
        const TRect winRect = GetWindowRect(form->Handle());
        auto pixel = [&](TControl* c, int x, int y) {
            const TPoint p = c->ClientToScreen({x, y});
            return XGetPixel(image, p.X - winRect.Left, p.Y - winRect.Top) & 0xFFFFFF;
        };
        const unsigned long head0 = pixel(streams, 60, 2);
        const unsigned long selected = pixel(streams, 60, streams->CellBounds(0, 2).Top + 2);
        const unsigned long plain = pixel(streams, 60, streams->CellBounds(0, 3).Top + 2);
        EXPECT_NE(head0, selected);
        EXPECT_NE(selected, plain);
        (void)header;
        ForceDirectories("artefacts");
        EXPECT_TRUE(SavePpm(image, attributes.width, attributes.height, "artefacts/default-skin-grid.ppm"));
        const char* out = std::getenv("VD_GRID_SCREENSHOT");
        if (out) SavePpm(image, attributes.width, attributes.height, out);
    }
    if (image) XDestroyImage(image);
    while (Screen->FormCount() > 0)
        Screen->Forms(0)->Free();
    screen.Close();
}

} // namespace
} // namespace vd::test
