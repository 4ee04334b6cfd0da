// The stream editor with the program's own skin on a private Xvfb: for an Icecast stream, switched
// to the own port, and with the message for a refused address list over it; kept as
// artefacts/stream-editor-icecast.ppm, -direct.ppm and -refused.ppm to be judged by eye.
#include <gtest/gtest.h>

#include "app/core/StationList.h"
#include "app/ui/AppSkin.h"
#include "app/ui/station/StationWindow.h"
#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinGroups.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// After Xlib: its macros clash with the window system's names.
#include "../../../platform/win/x11/SavePpm.h"

#include <algorithm>
#include <functional>

namespace vd::test {
namespace {

TEST(StationScreenshot, EditorInTwoModes) {
    X11Screen screen;
    ASSERT_NO_FATAL_FAILURE(screen.Open());

    TskCompressedStoredSkin stored;
    ASSERT_NO_FATAL_FAILURE(ReadOwnSkin(stored));
    SetMainStoredSkin(&stored);

    TStationConfig c;
    c.Mode = smIcecast;
    c.URL = "radio.example.org";
    c.Port = 8000;
    c.User = "source";
    c.Password = "hackme";
    c.ID = "live";
    c.Title = stmUtf8;
    c.Bitrate = 128;
    c.AllowIP = "192.168.1.*;10.*.*.*";
    c.Buffer = 64;
    c.Public = true;
    auto station = std::make_shared<TStationRecord>();
    station->SetConfig(c);
    StationList.Clear();
    StationList.Add(station);

    std::vector<std::string> saved;
    // Takes the screen's picture of r once it shows what ready says, and keeps it.
    auto shoot = [&](const char* path, const TRect& r, const std::function<bool(::XImage*)>& ready) {
        ::XImage* image = nullptr;
        const bool shown = WaitUntil(
            [&] {
                if (image) XDestroyImage(image);
                image = XGetImage(screen.Observer, DefaultRootWindow(screen.Observer), r.Left, r.Top,
                                  unsigned(r.Width()), unsigned(r.Height()), AllPlanes, ZPixmap);
                return image && ready(image);
            },
            15000, [&] { screen.Pump(); });
        EXPECT_TRUE(shown) << path;
        if (!image) return;
        ForceDirectories("artefacts");
        if (SavePpm(image, r.Width(), r.Height(), path)) saved.push_back(path);
        XDestroyImage(image);
    };
    // Painted: the middle of the part of r that is the window w is no longer black.
    auto painted = [](const TRect& r, const TRect& w) {
        return [r, w](::XImage* image) {
            int black = 0, all = 0;
            for (int y = w.Top + 40; y < w.Bottom - 10; y += 3)
                for (int x = w.Left + 10; x < w.Right - 10; x += 3, ++all)
                    black += (XGetPixel(image, x - r.Left, y - r.Top) & 0xFFFFFF) == 0;
            return all > 0 && black * 10 < all;
        };
    };
    TRect editor;
    TModalLoopHookScope hook([&](TCustomForm& f) {
        if (dynamic_cast<TskMessageForm*>(&f)) {
            const TRect box = GetWindowRect(f.Handle());
            const TRect both{std::min(editor.Left, box.Left), std::min(editor.Top, box.Top),
                             std::max(editor.Right, box.Right), std::max(editor.Bottom, box.Bottom)};
            shoot("artefacts/stream-editor-refused.ppm", both, painted(both, box));
            f.SetModalResult(mrOk);
            return;
        }
        auto* w = dynamic_cast<TFStation*>(&f);
        ASSERT_NE(w, nullptr);
        editor = GetWindowRect(w->Handle());
        EXPECT_GE(ExpectSkinnedEdits(*w), 5) << "server, user, mount, allowed addresses, ...";
        // Where the server edit is (or was, once hidden), on the screen.
        const TPoint server = w->EServer->ClientToScreen({40, 10});
        unsigned long serverPixel = 0;
        shoot("artefacts/stream-editor-icecast.ppm", editor, [&](::XImage* image) {
            serverPixel = XGetPixel(image, server.X - editor.Left, server.Y - editor.Top) & 0xFFFFFF;
            return painted(editor, editor)(image);
        });
        w->RGMode->SetItemIndex(smDirect);
        // The server edit has gone from the screen.
        shoot("artefacts/stream-editor-direct.ppm", editor, [&](::XImage* image) {
            return (XGetPixel(image, server.X - editor.Left, server.Y - editor.Top) & 0xFFFFFF) !=
                   serverPixel;
        });
        // A list the editor refuses: the message box over the window.
        w->EAllowIP->SetText("192.168.1");
        w->SBOKClick(w);
        w->SBCancelClick(w);
    });
    EXPECT_FALSE(EditStation(0));
    EXPECT_EQ(saved.size(), 3u);

    StationList.Clear();
    SetMainStoredSkin(nullptr);
    while (Screen->FormCount() > 0)
        Screen->Forms(0)->Free();
    screen.Close();
}

} // namespace
} // namespace vd::test
