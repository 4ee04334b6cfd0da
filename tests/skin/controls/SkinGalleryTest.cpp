// Every skinned control twice, unskinned on the left and with the test skin on the right, on a
// real X server (a private Xvfb), so that the look can be judged by eye: the test saves the window
// as skin_controls_gallery.ppm in its working folder (or where VD_GALLERY_SCREENSHOT says).
#include "../../platform/win/x11/Xvfb.h"
#include "SkinFixture.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/controls/skSkinCtrls.h"
#include "skin/core/SkinStoredSkin.h"
#include "tests/support/WaitUntil.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// After Xlib: its macros clash with the window system's names.
#include "../../platform/win/x11/SavePpm.h"
#include "tests/support/DefaultSkinPixels.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

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
    radio->SetSkinDataName("radiobox");
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

// A tree view and a report list view with their bars, in a column of their own at X.
void BuildViews(TForm* form, int x, TskSkinData* skin) {
    auto sk = [skin](auto* c) {
        c->SetSkinData(skin);
        return c;
    };
    int t = 10;
    auto* tree = Put<TskSkinTreeView>(form, Bounds(x, t, 181, 71));
    auto* treeV = Put<TskSkinScrollBar>(form, Bounds(x + 181, t, 19, 71));
    treeV->SetKind(sbVertical);
    treeV->SetSkinDataName("vscrollbar");
    sk(treeV);
    auto* treeH = sk(Put<TskSkinScrollBar>(form, Bounds(x, t + 71, 181, 19)));
    tree->SetVScrollBar(treeV);
    tree->SetHScrollBar(treeH);
    TTreeNode* music = tree->Items().Add(nullptr, "Music");
    for (const char* s : {"Live sets", "Jingles", "Station identification and other long names"})
        tree->Items().AddChild(music, s);
    tree->Items().Add(nullptr, "Recordings");
    tree->Items().Add(nullptr, "Plug-ins");
    music->Expand(false);
    tree->SetSelected(music->Item(1));
    tree->HideSelection = false;
    tree->SetSkinData(skin);
    t = 120;
    auto* list = Put<TskSkinListView>(form, Bounds(x, t, 181, 100));
    auto* listV = Put<TskSkinScrollBar>(form, Bounds(x + 181, t, 19, 100));
    listV->SetKind(sbVertical);
    listV->SetSkinDataName("vscrollbar");
    sk(listV);
    list->SetVScrollBar(listV);
    list->SetViewStyle(vsReport);
    const char* cols[] = {"Name", "Size", "Type"};
    for (int i = 0; i < 3; ++i) {
        TListColumn* c = list->Columns().Add();
        c->SetCaption(cols[i]);
        c->SetWidth(i == 0 ? 80 : 50);
        if (i == 1) c->SetAlignment(taRightJustify);
    }
    for (int i = 0; i < 9; ++i) {
        TListItem* item = list->Items().Add();
        item->SetCaption("track" + std::to_string(i + 1) + ".ogg");
        item->SubItems().Add(std::to_string(1200 + 37 * i) + " KB");
        item->SubItems().Add("Ogg");
    }
    list->Items().Item(2)->SetSelected(true);
    list->HideSelection = false;
    list->SetSkinData(skin);
}

// Opens a private X server with a form holding the plain column and the column skinned by Skin,
// waits until both are drawn and keeps the window's pixels as Path.
class Gallery : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Server.Running()) << "no X server could be started";
        ::setenv("DISPLAY", Server.Display().c_str(), 1);
        Backend = X11Backend::Open();
        ASSERT_TRUE(Backend);
        InstallBackend(Backend.get());
        Form = Application->CreateForm<TForm>();
        Form->SetCaption("Skinned controls");
        Form->SetBounds(20, 20, 930, 620);
        Skin = new TskSkinData(Form);
    }
    void TearDown() override {
        if (Image) XDestroyImage(Image);
        if (Observer) XCloseDisplay(Observer);
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        InstallBackend(nullptr);
    }
    // Shows the form and grabs it once Drawn says the pixels are there; a fatal failure when they
    // are not there in time.
    void ShowAndGrab(const std::function<bool(::XImage*, int, int)>& Drawn) {
        BuildColumn(Form, 10, nullptr);
        BuildColumn(Form, 250, Skin);
        BuildViews(Form, 490, nullptr);
        BuildViews(Form, 710, Skin);
        Form->Show();
        Observer = XOpenDisplay(Server.Display().c_str());
        ASSERT_NE(Observer, nullptr);
        const ::Window w = static_cast<::Window>(Backend->XWindowOf(Form->Handle()));
        const bool drawn = WaitUntil(
            [&] {
                if (Image) XDestroyImage(Image);
                Image = nullptr;
                if (!XGetWindowAttributes(Observer, w, &Attributes) || Attributes.map_state != IsViewable)
                    return false;
                Image = XGetImage(Observer, w, 0, 0, unsigned(Attributes.width), unsigned(Attributes.height),
                                  AllPlanes, ZPixmap);
                return Image && Drawn(Image, Attributes.width, Attributes.height);
            },
            15000,
            [&] {
                Application->ProcessMessages();
                Backend->Sync();
            });
        ASSERT_TRUE(drawn && Image) << "the controls were not drawn in time";
    }
    void Save(const char* Path) { EXPECT_TRUE(SavePpm(Image, Attributes.width, Attributes.height, Path)); }

    XvfbServer Server;
    std::unique_ptr<X11Backend> Backend;
    TForm* Form = nullptr;
    TskSkinData* Skin = nullptr;
    ::Display* Observer = nullptr;
    ::XImage* Image = nullptr;
    XWindowAttributes Attributes{};
};

int CountPixels(::XImage* img, int w, int h, unsigned long rgb) {
    int n = 0;
    for (int y = 0; y < h; y += 2)
        for (int x = 0; x < w; x += 2)
            n += (XGetPixel(img, x, y) & 0xFFFFFF) == rgb;
    return n;
}

TEST_F(Gallery, EveryControlSkinnedAndPlainSideBySide) {
    auto stored = TestStoredSkin();
    Skin->LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin->Empty());
    // A face with a mask: its window shape leaves out the mask's white corner pixel.
    auto* shaped = Put<TskSkinButton>(Form, Bounds(456, 40, 20, 20));
    shaped->SetSkinDataName("fixed");
    shaped->SetCanFocused(false);
    shaped->SetSkinData(Skin);
    // Face A's client colour (red 0x80) in the skinned column, the button face in the plain one.
    ASSERT_NO_FATAL_FAILURE(ShowAndGrab([](::XImage* img, int w, int h) {
        return CountPixels(img, w, h, 0x800000) > 100 && CountPixels(img, w, h, 0xD4D0C8) > 1000;
    }));
    const TRect wr = GetWindowRect(Form->Handle());
    const TPoint corner = shaped->ClientToScreen({0, 0});
    const unsigned long outside = XGetPixel(Image, corner.X - wr.Left, corner.Y - wr.Top) & 0xFFFFFF;
    const unsigned long inside = XGetPixel(Image, corner.X - wr.Left + 1, corner.Y - wr.Top) & 0xFFFFFF;
    EXPECT_EQ(outside, 0xD4D0C8u) << "the shape leaves the corner to the form";
    EXPECT_EQ(inside, 0xFF0000u) << "the face's red corner next to it";
    const char* out = std::getenv("VD_GALLERY_SCREENSHOT");
    Save(out ? out : "skin_controls_gallery.ppm");
    EXPECT_GT(CountPixels(Image, Attributes.width, Attributes.height, 0x800000), 100)
        << "the skinned column is drawn from the skin";
    EXPECT_GT(CountPixels(Image, Attributes.width, Attributes.height, 0xD4D0C8), 1000)
        << "the plain column is drawn";
}

// The program's own skin on every control, kept as artefacts/default-skin-controls.ppm to be
// judged by eye.
TEST_F(Gallery, EveryControlWithTheDefaultSkin) {
    TskCompressedStoredSkin stored;
    const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
    ASSERT_FALSE(bytes.empty());
    stored.ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
    Skin->LoadStoredSkin(&stored);
    ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    // The skinned column differs from the plain one wherever a face is drawn from the skin.
    ASSERT_NO_FATAL_FAILURE(ShowAndGrab([](::XImage* img, int w, int h) {
        int differ = 0;
        for (int y = 10; y < h - 10; y += 3)
            for (int x = 10; x < 210 && x + 240 < w; x += 3)
                differ += (XGetPixel(img, x, y) & 0xFFFFFF) != (XGetPixel(img, x + 240, y) & 0xFFFFFF);
        return differ > 2000;
    }));
    // The skin's face colour fills the skinned column's faces and appears nowhere in the plain one.
    const int bottom = Attributes.height - 10;
    EXPECT_GT(CountSkinPixels(Image, 250, 10, 460, bottom, skingen::look::Face), 1000);
    EXPECT_EQ(CountSkinPixels(Image, 10, 10, 220, bottom, skingen::look::Face), 0);
    ForceDirectories("artefacts");
    Save("artefacts/default-skin-controls.ppm");
}

} // namespace
} // namespace vd::test
