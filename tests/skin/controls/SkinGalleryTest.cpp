// Every skinned control twice, unskinned on the left and with the test skin on the right, on a
// real X server (a private Xvfb), so that the look can be judged by eye: the test saves the window
// as skin_controls_gallery.ppm in its working folder (or where VD_GALLERY_SCREENSHOT says).
#include "../../platform/win/x11/Xvfb.h"
#include "SkinFixture.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/controls/skSkinCtrls.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace vd::test {
namespace {

template <class T> T* Put(TWinControl* parent, TRect r, const char* caption = nullptr) {
    auto* c = new T(parent);
    c->SetParent(parent);
    c->SetBoundsRect(r);
    if (caption) c->SetCaption(caption);
    return c;
}

// One column of controls at X; every skinned control gets Skin (nil: the plain look).
void BuildColumn(TForm* form, int x, TskSkinData* skin) {
    auto sk = [skin](auto* c) {
        c->SetSkinData(skin);
        return c;
    };
    int y = 10;
    auto row = [&](int h) {
        const int top = y;
        y += h + 6;
        return top;
    };
    sk(Put<TskSkinButton>(form, Bounds(x, row(25), 90, 25), "Button"));
    int t = row(25);
    sk(Put<TskSkinSpeedButton>(form, Bounds(x, t, 60, 25), "Speed"));
    auto* down = sk(Put<TskSkinSpeedButton>(form, Bounds(x + 66, t, 60, 25), "Down"));
    down->GroupIndex = 1;
    down->SetDown(true);
    auto* menu = sk(Put<TskSkinMenuSpeedButton>(form, Bounds(x + 132, t, 70, 25), "Menu"));
    menu->SetTrackButtonMode(true);
    sk(Put<TskSkinLabel>(form, Bounds(x, row(21), 140, 21), "Skinned label"));
    sk(Put<TskSkinStatusPanel>(form, Bounds(x, row(21), 140, 21), "Status panel"));
    t = row(16);
    sk(Put<TskSkinStdLabel>(form, Bounds(x, t, 90, 16), "Std label"));
    auto* link = sk(Put<TskSkinLinkLabel>(form, Bounds(x + 100, t, 90, 16), "Link label"));
    link->URL = "http://example.org/";
    auto* bevel = Put<TskSkinBevel>(form, Bounds(x, row(4), 200, 4));
    bevel->SetShape(bsTopLine);
    bevel->SetSkinData(skin);
    t = row(25);
    sk(Put<TskSkinCheckRadioBox>(form, Bounds(x, t, 100, 25), "Check"))->SetChecked(true);
    auto* radio = sk(Put<TskSkinCheckRadioBox>(form, Bounds(x + 100, t, 100, 25), "Radio"));
    radio->SetRadio(true);
    radio->SetChecked(true);
    auto* flatless = sk(Put<TskSkinCheckRadioBox>(form, Bounds(x, row(25), 200, 25), "Own face"));
    flatless->SetFlat(false);
    auto* group = Put<TskSkinRadioGroup>(form, Bounds(x, row(70), 200, 70), "Radio group");
    for (const char* s : {"One", "Two", "Three", "Four"})
        group->Items().Add(s);
    group->SetColumns(2);
    group->SetItemIndex(1);
    group->SetSkinData(skin);
    auto* gauge = sk(Put<TskSkinGauge>(form, Bounds(x, row(20), 200, 20)));
    gauge->SetValue(60);
    gauge->SetShowPercent(true);
    auto* panel = sk(Put<TskSkinPanel>(form, Bounds(x, row(50), 200, 50), "Panel"));
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetChecked(true);
    sk(Put<TskSkinGroupBox>(form, Bounds(x, row(50), 200, 50), "Group box"));
    auto* bar = sk(Put<TskSkinScrollBar>(form, Bounds(x, row(19), 200, 19)));
    bar->SetRange({.Min = 0, .Max = 100, .Position = 40, .PageSize = 20});
    auto* tools = sk(Put<TskSkinToolBar>(form, Bounds(x, row(30), 200, 30)));
    for (int i = 0; i < 3; ++i) {
        auto* b = Put<TskSkinSpeedButton>(tools, Bounds(4 + i * 30, 0, 25, 25), "T");
        b->SetSkinData(skin);
    }
    auto* status = Put<TskSkinStatusBar>(form, Bounds(x, row(21), 200, 21));
    status->SetAlign(alNone);
    status->SetBounds(x, status->Top(), 200, 21);
    status->SetSizeGrip(true);
    status->SetSkinData(skin);
    sk(Put<TskSkinStatusPanel>(status, Bounds(0, 0, 120, 21), "In the bar"));
}

bool SavePpm(::XImage* img, int w, int h, const char* path) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    std::fprintf(f, "P6 %d %d 255\n", w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned long p = XGetPixel(img, x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                          static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p)};
            std::fwrite(rgb, 1, 3, f);
        }
    return std::fclose(f) == 0;
}

TEST(SkinGalleryTest, EveryControlSkinnedAndPlainSideBySide) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started";
    ::setenv("DISPLAY", server.Display().c_str(), 1);
    auto backend = X11Backend::Open();
    ASSERT_TRUE(backend);
    InstallBackend(backend.get());
    {
        TForm* form = Application->CreateForm<TForm>();
        form->SetCaption("Skinned controls");
        form->SetBounds(20, 20, 480, 620);
        auto* skin = new TskSkinData(form);
        auto stored = TestStoredSkin();
        skin->LoadStoredSkin(stored.get());
        ASSERT_FALSE(skin->Empty());
        BuildColumn(form, 10, nullptr);
        BuildColumn(form, 250, skin);
        // A face with a mask: its window shape leaves out the mask's white corner pixel.
        auto* shaped = Put<TskSkinButton>(form, Bounds(456, 40, 20, 20));
        shaped->SetSkinDataName("fixed");
        shaped->SetCanFocused(false);
        shaped->SetSkinData(skin);
        form->Show();
        ::Display* d = XOpenDisplay(server.Display().c_str());
        ASSERT_NE(d, nullptr);
        const ::Window w = static_cast<::Window>(backend->XWindowOf(form->Handle()));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        int skinPixels = 0, facePixels = 0;
        XWindowAttributes a{};
        ::XImage* img = nullptr;
        while (std::chrono::steady_clock::now() < deadline) {
            Application->ProcessMessages();
            backend->Sync();
            if (img) XDestroyImage(img);
            img = nullptr;
            if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) continue;
            img = XGetImage(d, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
            if (!img) continue;
            skinPixels = facePixels = 0;
            for (int y = 0; y < a.height; y += 2)
                for (int x = 0; x < a.width; x += 2) {
                    const unsigned long p = XGetPixel(img, x, y) & 0xFFFFFF;
                    if (p == 0x800000) ++skinPixels; // face A's client colour (red 0x80) as RGB
                    if (p == 0xD4D0C8) ++facePixels;
                }
            if (skinPixels > 100 && facePixels > 1000) break;
        }
        ASSERT_NE(img, nullptr);
        const TRect wr = GetWindowRect(form->Handle());
        const TPoint corner = shaped->ClientToScreen({0, 0});
        const unsigned long outside = XGetPixel(img, corner.X - wr.Left, corner.Y - wr.Top) & 0xFFFFFF;
        const unsigned long inside = XGetPixel(img, corner.X - wr.Left + 1, corner.Y - wr.Top) & 0xFFFFFF;
        EXPECT_EQ(outside, 0xD4D0C8u) << "the shape leaves the corner to the form";
        EXPECT_EQ(inside, 0xFF0000u) << "the face's red corner next to it";
        const char* out = std::getenv("VD_GALLERY_SCREENSHOT");
        EXPECT_TRUE(SavePpm(img, a.width, a.height, out ? out : "skin_controls_gallery.ppm"));
        XDestroyImage(img);
        XCloseDisplay(d);
        EXPECT_GT(skinPixels, 100) << "the skinned column is drawn from the skin";
        EXPECT_GT(facePixels, 1000) << "the plain column is drawn";
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
    }
    InstallBackend(nullptr);
}

} // namespace
} // namespace vd::test
