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
    std::vector<unsigned long> serverRow; // a pixel in the middle of the server edit, per shot
    TModalLoopHookScope hook([&](TCustomForm& f) {
        auto* w = dynamic_cast<TFStation*>(&f);
        ASSERT_NE(w, nullptr);
        auto shoot = [&](const char* path) {
            const TRect r = GetWindowRect(w->Handle());
            ::XImage* image = nullptr;
            // Drawn once the window's middle is not black any more.
            WaitUntil(
                [&] {
                    if (image) XDestroyImage(image);
                    image = XGetImage(observer, DefaultRootWindow(observer), r.Left, r.Top,
                                      unsigned(r.Width()), unsigned(r.Height()), AllPlanes, ZPixmap);
                    if (!image) return false;
                    int black = 0, all = 0;
                    for (int y = 40; y < r.Height() - 10; y += 3)
                        for (int x = 10; x < r.Width() - 10; x += 3, ++all)
                            black += (XGetPixel(image, x, y) & 0xFFFFFF) == 0;
                    return all > 0 && black * 10 < all;
                },
                15000,
                [&] {
                    Application->ProcessMessages();
                    backend->Sync();
                });
            ASSERT_NE(image, nullptr);
            const TPoint s = w->EServer->ClientToScreen({40, 10}); // also where it was when hidden
            serverRow.push_back(XGetPixel(image, s.X - r.Left, s.Y - r.Top) & 0xFFFFFF);
            ForceDirectories("artefacts");
            if (SavePpm(image, r.Width(), r.Height(), path)) saved.push_back(path);
            XDestroyImage(image);
        };
        shoot("artefacts/stream-editor-icecast.ppm");
        w->RGMode->SetItemIndex(smDirect);
        shoot("artefacts/stream-editor-direct.ppm");
        w->SBCancelClick(w);
    });
    EXPECT_FALSE(EditStation(0));
    EXPECT_EQ(saved.size(), 2u);
    // The server edit is there for Icecast and gone for the own port.
    ASSERT_EQ(serverRow.size(), 2u);
    EXPECT_NE(serverRow[0], serverRow[1]);

    StationList.Clear();
    SetMainStoredSkin(nullptr);
    XCloseDisplay(observer);
    while (Screen->FormCount() > 0)
        Screen->Forms(0)->Free();
    InstallBackend(nullptr);
}

} // namespace
} // namespace vd::test
