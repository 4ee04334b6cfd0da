// The skinned popup menu on a real X server (a private Xvfb): its levels are override-redirect
// pop-ups that never take the input focus from the form, a click on an item runs it, and the
// menu drawn with the program's own skin is kept as artefacts/skin-popup-menu.ppm to be judged
// by eye.
#include <gtest/gtest.h>

#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/form/menus/SkinImagesMenu.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinMenuItem.h"
#include "skin/form/menus/SkinPopupWindow.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

// After Xlib: its macros clash with the window system's names.
#include "../../../platform/win/x11/SavePpm.h"

#include <functional>
#include <memory>

namespace vd::test {
namespace {

class MenuX11Test : public X11ScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(X11ScreenTest::SetUp());
        Form = new TForm(Application);
        Form->SetCaption("Menu owner");
        Form->SetBoundsRect({40, 40, 440, 340});
        Form->SetColor(clWhite);
        Form->Show();
        ASSERT_TRUE(PumpUntil([&] { return Viewable(Backend->XWindowOf(Form->Handle())); }));
        FormWindow = Backend->XWindowOf(Form->Handle());
        XSetInputFocus(Observer, FormWindow, RevertToParent, CurrentTime);
        XSync(Observer, False);
        ASSERT_TRUE(PumpUntil([&] { return Focus() == FormWindow; }));
    }
    void TearDown() override {
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        PumpUntil([] { return false; }, 20);
        X11ScreenTest::TearDown();
    }
    ::Window Focus() {
        ::Window w = 0;
        int revert = 0;
        XGetInputFocus(Observer, &w, &revert);
        return w;
    }
    void MovePointer(TPoint p) {
        XTestFakeMotionEvent(Observer, -1, p.X, p.Y, CurrentTime);
        XSync(Observer, False);
    }
    void ClickAt(TPoint p) {
        MovePointer(p);
        XTestFakeButtonEvent(Observer, 1, True, CurrentTime);
        XTestFakeButtonEvent(Observer, 1, False, CurrentTime);
        XSync(Observer, False);
    }
    // The screen rectangle as a PPM file.
    bool SaveScreen(const TRect& r, const char* path) {
        XImage* img = XGetImage(Observer, DefaultRootWindow(Observer), r.Left, r.Top, unsigned(r.Width()),
                                unsigned(r.Height()), AllPlanes, ZPixmap);
        if (!img) return false;
        const bool saved = SavePpm(img, r.Width(), r.Height(), path);
        XDestroyImage(img);
        return saved;
    }

    TForm* Form = nullptr;
    ::Window FormWindow = 0;
};

TMenuItem* AddItem(TPopupMenu* menu, TMenuItem* parent, const char* caption, const char* name = "") {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    if (*name) item->SetName(name);
    parent->Add(item);
    return item;
}

TEST_F(MenuX11Test, PopupMenuNeverTakesTheFocusAndRunsTheClickedItem) {
    TskCompressedStoredSkin stored;
    auto* skin = new TskSkinData(Form);
    ASSERT_NO_FATAL_FAILURE(LoadOwnSkin(*skin, stored));

    auto* popup = new TPopupMenu(Form);
    AddItem(popup, popup->Items(), "&Restore", "TRAY_SKF_RESTORE");
    AddItem(popup, popup->Items(), "-");
    TMenuItem* options = AddItem(popup, popup->Items(), "&Options");
    AddItem(popup, options, "Start with login")->Checked = true;
    AddItem(popup, options, "Hide in the tray");
    TMenuItem* settings = AddItem(popup, popup->Items(), "&Settings...");
    settings->ShortCut = ShortCut('S', ssCtrl);
    AddItem(popup, popup->Items(), "Disabled item")->Enabled = false;
    AddItem(popup, popup->Items(), "-");
    int exits = 0;
    AddItem(popup, popup->Items(), "E&xit", "TRAY_SKF_CLOSE")->OnClick = [&](TObject*) { ++exits; };

    auto* engine = new TskSkinMenu(Form, Form);
    ASSERT_TRUE(engine->Popup(nullptr, skin, 0, {120, 120, 120, 120}, popup->Items(), false));
    TskSkinPopupWindow* level = engine->Level(0);
    ASSERT_TRUE(level->Skinned());
    const ::Window levelWindow = Backend->XWindowOf(level->Handle());
    ASSERT_TRUE(PumpUntil([&] { return Viewable(levelWindow); }));
    XWindowAttributes a{};
    ASSERT_TRUE(XGetWindowAttributes(Observer, levelWindow, &a));
    EXPECT_TRUE(a.override_redirect) << "the window manager never decorates or focuses a menu";
    EXPECT_EQ(Focus(), FormWindow);

    // Hover the sub-menu item until its level opens, then keep the picture.
    const TRect optionsRect = level->Item(2)->ItemRect;
    MovePointer(level->ClientToScreen({(optionsRect.Left + optionsRect.Right) / 2, optionsRect.Top + 4}));
    ASSERT_TRUE(PumpUntil([&] { return engine->LevelCount() == 2; }));
    TskSkinPopupWindow* sub = engine->Level(1);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(Backend->XWindowOf(sub->Handle())); }));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(Focus(), FormWindow);
    ForceDirectories("artefacts");
    const TRect shot{100, 100, sub->ShowPos().X + sub->Width() + 20,
                     level->ShowPos().Y + level->Height() + 20};
    EXPECT_TRUE(SaveScreen(shot, "artefacts/skin-popup-menu.ppm"));

    const TRect exitRect = level->Item(level->ItemCount() - 1)->ItemRect;
    ClickAt(
        level->ClientToScreen({(exitRect.Left + exitRect.Right) / 2, (exitRect.Top + exitRect.Bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return exits == 1; }));
    EXPECT_FALSE(engine->MenuVisible());
    EXPECT_EQ(Focus(), FormWindow) << "choosing an item leaves the focus where it was";
    EXPECT_EQ(GetActiveWindow(), Form->Handle());
}

// The grid holds the pointer: a click anywhere outside it, even outside every window of ours,
// closes it without a choice; a click on a cell chooses it. The focus stays on the form.
TEST_F(MenuX11Test, ImageGridClosesOnAClickOutsideAndChoosesOnACell) {
    auto* images = new TImageList(Form);
    images->SetSize(16, 16);
    TBitmap strip(32, 16);
    strip.Canvas().Brush().Color = clRed;
    strip.Canvas().FillRect({0, 0, 32, 16});
    images->Add(strip, clWhite);
    auto* grid = new TskSkinImagesMenu(Form);
    grid->SetImages(images);
    grid->SetColumnsCount(2);
    for (int i = 0; i < 4; ++i) {
        TskImagesMenuItem item;
        item.ImageIndex = i % 2;
        grid->ImagesItems.push_back(item);
    }
    int closes = 0;
    grid->OnMenuClose = [&](TObject*) { ++closes; };

    ASSERT_TRUE(grid->PopupFromRect({100, 100, 140, 120}));
    ASSERT_TRUE(PumpUntil(
        [&] { return grid->GridWindow() && Viewable(Backend->XWindowOf(grid->GridWindow()->Handle())); }));
    EXPECT_EQ(Focus(), FormWindow);
    ClickAt({600, 500}); // the bare root window
    ASSERT_TRUE(PumpUntil([&] { return closes == 1; }));
    EXPECT_EQ(grid->ItemIndex, -1);

    ASSERT_TRUE(grid->PopupFromRect({100, 100, 140, 120}));
    TskSkinImagesMenuPopupWindow* w = grid->GridWindow();
    ASSERT_TRUE(PumpUntil([&] { return Viewable(Backend->XWindowOf(w->Handle())); }));
    const TRect cell = w->Cells()[3];
    ClickAt(w->ClientToScreen({(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return closes == 2; }));
    EXPECT_EQ(grid->ItemIndex, 3);
    EXPECT_EQ(Focus(), FormWindow);
}

} // namespace
} // namespace vd::test
