// The stream editor with the program's own skin on a private Xvfb, once for an Icecast stream
// and once switched to the own port; kept as artefacts/stream-editor-icecast.ppm and
// artefacts/stream-editor-direct.ppm to be judged by eye.
#include "../../../platform/win/x11/Xvfb.h"

#include <gtest/gtest.h>

#include "app/core/StationList.h"
#include "app/ui/AppSkin.h"
#include "app/ui/station/StationWindow.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinGroups.h"
#include "skin/core/SkinStoredSkin.h"
#include "tests/support/WaitUntil.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// After Xlib: its macros clash with the window system's names.
#include "../../../platform/win/x11/SavePpm.h"

#include <cstdlib>
#include <functional>

namespace vd::test {
namespace {

TEST(StationScreenshot, EditorInTwoModes) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started";
    ::setenv("DISPLAY", server.Display().c_str(), 1);
    auto backend = X11Backend::Open();
    ASSERT_TRUE(backend);
    InstallBackend(backend.get());
    ::Display* observer = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(observer, nullptr);

    TskCompressedStoredSkin stored;
    const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
    ASSERT_FALSE(bytes.empty());
    stored.ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
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
    TModalLoopHookScope hook([&](TCustomForm& f) {
        auto* w = dynamic_cast<TFStation*>(&f);
        ASSERT_NE(w, nullptr);
        const TRect r = GetWindowRect(w->Handle());
        // Where the server edit is (or was, once hidden), in the window's picture.
        TPoint server = w->EServer->ClientToScreen({40, 10});
        server = {server.X - r.Left, server.Y - r.Top};
        unsigned long serverPixel = 0;
        // Takes the window's picture once it shows what ready says, and keeps it.
        auto shoot = [&](const char* path, const std::function<bool(::XImage*)>& ready) {
            ::XImage* image = nullptr;
            const bool shown = WaitUntil(
                [&] {
                    if (image) XDestroyImage(image);
                    image = XGetImage(observer, DefaultRootWindow(observer), r.Left, r.Top,
                                      unsigned(r.Width()), unsigned(r.Height()), AllPlanes, ZPixmap);
                    return image && ready(image);
                },
                15000,
                [&] {
                    Application->ProcessMessages();
                    backend->Sync();
                });
            EXPECT_TRUE(shown) << path;
            if (!image) return;
            ForceDirectories("artefacts");
            if (SavePpm(image, r.Width(), r.Height(), path)) saved.push_back(path);
            XDestroyImage(image);
        };
        // Painted: the window's middle is no longer black.
        shoot("artefacts/stream-editor-icecast.ppm", [&](::XImage* image) {
            int black = 0, all = 0;
            for (int y = 40; y < r.Height() - 10; y += 3)
                for (int x = 10; x < r.Width() - 10; x += 3, ++all)
                    black += (XGetPixel(image, x, y) & 0xFFFFFF) == 0;
            serverPixel = XGetPixel(image, server.X, server.Y) & 0xFFFFFF;
            return all > 0 && black * 10 < all;
        });
        w->RGMode->SetItemIndex(smDirect);
        // The server edit has gone from the screen.
        shoot("artefacts/stream-editor-direct.ppm", [&](::XImage* image) {
            return (XGetPixel(image, server.X, server.Y) & 0xFFFFFF) != serverPixel;
        });
        w->SBCancelClick(w);
    });
    EXPECT_FALSE(EditStation(0));
    EXPECT_EQ(saved.size(), 2u);

    StationList.Clear();
    SetMainStoredSkin(nullptr);
    XCloseDisplay(observer);
    while (Screen->FormCount() > 0)
        Screen->Forms(0)->Free();
    InstallBackend(nullptr);
}

} // namespace
} // namespace vd::test
