// Every edit, list, combo and tab control twice, plain on the left and with the program's own
// skin on the right, on a private Xvfb, kept as artefacts/default-skin-boxes.ppm to be judged by
// eye (or where VD_BOXES_SCREENSHOT says).
#include <gtest/gtest.h>

#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/boxes/SkinCheckListBox.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/boxes/SkinTabs.h"
#include "skin/boxes/SkinUpDown.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// After Xlib: its macros clash with the window system's names.
#include "../../platform/win/x11/SavePpm.h"
#include "tests/support/DefaultSkinPixels.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace vd::test {
namespace {

template <class T> T* Put(TWinControl* parent, TRect r, TskSkinData* skin) {
    auto* c = new T(parent);
    c->SetParent(parent);
    c->SetBoundsRect(r);
    if (skin) c->SetSkinData(skin);
    return c;
}

void BuildColumn(TForm* form, int x, TskSkinData* skin) {
    int y = 10;
    auto row = [&](int h) {
        const int top = y;
        y += h + 8;
        return top;
    };
    Put<TskSkinEdit>(form, Bounds(x, row(20), 200, 20), skin)->SetText("Stream name");
    auto* button = Put<TskSkinEdit>(form, Bounds(x, row(20), 200, 20), nullptr);
    button->SetButtonMode(true);
    button->SetSkinDataName("buttonedit");
    button->SetText("/usr/lib/plugins");
    if (skin) button->SetSkinData(skin);
    Put<TskSkinPasswordEdit>(form, Bounds(x, row(21), 200, 21), skin)->SetText("secret");
    int t = row(20);
    auto* spin = Put<TskSkinSpinEdit>(form, Bounds(x, t, 120, 20), skin);
    spin->SetMaxValue(65535);
    spin->SetValue(8000);
    auto* updown = Put<TskSkinUpDown>(form, Bounds(x + 140, t, 40, 20), nullptr);
    updown->SetUseSkinSize(false);
    if (skin) updown->SetSkinData(skin);
    auto* combo = Put<TskSkinComboBox>(form, Bounds(x, row(20), 200, 20), nullptr);
    for (const char* s : {"128 kbit/s", "192 kbit/s", "320 kbit/s"})
        combo->Items().Add(s);
    combo->SetItemIndex(1);
    if (skin) combo->SetSkinData(skin);
    auto* list = Put<TskSkinListBox>(form, Bounds(x, row(100), 200, 100), nullptr);
    for (int i = 0; i < 8; ++i)
        list->Items().Add("Plug-in " + std::to_string(i + 1));
    list->SetItemIndex(2);
    if (skin) list->SetSkinData(skin);
    auto* checks = Put<TskSkinCheckListBox>(form, Bounds(x, row(80), 200, 80), nullptr);
    for (const char* s : {"Mono", "Stereo", "Joint stereo"})
        checks->Items().Add(s);
    checks->SetState(1, 1);
    checks->SetState(2, 2);
    if (skin) checks->SetSkinData(skin);
    auto* pages = Put<TskSkinPageControl>(form, Bounds(x, row(110), 200, 110), nullptr);
    for (const char* s : {"General", "Sound", "Mail"}) {
        auto* sheet = new TskSkinTabSheet(pages);
        sheet->SetPageControl(pages);
        sheet->SetCaption(s);
    }
    if (skin) pages->SetSkinData(skin);
    auto* tabs = Put<TskSkinTabControl>(form, Bounds(x, row(70), 200, 70), nullptr);
    for (const char* s : {"Log", "Titles"})
        tabs->Tabs().Add(s);
    tabs->SetTabPosition(tpBottom);
    if (skin) tabs->SetSkinData(skin);
}

TEST(BoxesGallery, EveryBoxPlainAndWithTheDefaultSkin) {
    X11Screen screen;
    ASSERT_NO_FATAL_FAILURE(screen.Open());
    {
        TForm* form = Application->CreateForm<TForm>();
        form->SetCaption("Skinned boxes");
        form->SetBounds(20, 20, 460, 600);
        auto* skin = new TskSkinData(form);
        TskCompressedStoredSkin stored;
        ASSERT_NO_FATAL_FAILURE(LoadOwnSkin(*skin, stored));
        BuildColumn(form, 10, nullptr);
        BuildColumn(form, 240, skin);
        form->Show();
        ::Display* observer = screen.Observer;
        const ::Window w = static_cast<::Window>(screen.Backend->XWindowOf(form->Handle()));
        ::XImage* image = nullptr;
        XWindowAttributes attr{};
        const bool drawn = WaitUntil(
            [&] {
                if (image) XDestroyImage(image);
                image = nullptr;
                if (!XGetWindowAttributes(observer, w, &attr) || attr.map_state != IsViewable) return false;
                image = XGetImage(observer, w, 0, 0, unsigned(attr.width), unsigned(attr.height), AllPlanes,
                                  ZPixmap);
                if (!image) return false;
                // The skinned column differs from the plain one wherever the skin draws.
                int differ = 0;
                for (int y = 10; y < attr.height - 10; y += 3)
                    for (int x = 10; x < 210 && x + 230 < attr.width; x += 3)
                        differ +=
                            (XGetPixel(image, x, y) & 0xFFFFFF) != (XGetPixel(image, x + 230, y) & 0xFFFFFF);
                return differ > 2000;
            },
            15000, [&] { screen.Pump(); });
        ASSERT_TRUE(drawn && image) << "the boxes were not drawn in time";
        // The skin's face and light selection colours in the skinned column, neither in the plain one.
        const int bottom = attr.height - 10;
        for (TskColor c : {skingen::look::Face, skingen::look::SelectionLight}) {
            EXPECT_GT(CountSkinPixels(image, 240, 10, 450, bottom, c), 100) << std::hex << c;
            EXPECT_EQ(CountSkinPixels(image, 10, 10, 220, bottom, c), 0) << std::hex << c;
        }
        const char* out = std::getenv("VD_BOXES_SCREENSHOT");
        ForceDirectories("artefacts");
        EXPECT_TRUE(SavePpm(image, attr.width, attr.height, out ? out : "artefacts/default-skin-boxes.ppm"));
        XDestroyImage(image);
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
    }
    screen.Close();
}

} // namespace
} // namespace vd::test
