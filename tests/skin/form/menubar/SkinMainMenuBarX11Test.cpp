// The main menu bar on a real X server (a private Xvfb), drawn with the program's own skin: a
// framed form with its bar, one item's menu open and a hidden item behind the overflow mark, kept
// as artefacts/main-menu-bar.ppm to be judged by eye.
#include <gtest/gtest.h>

#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Windows.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/menubar/SkinMainMenuBar.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinMenuItem.h"
#include "skin/form/menus/SkinPopupWindow.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/X11Screen.h"

#include "../../../platform/win/x11/SavePpm.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <functional>
#include <memory>

namespace vd::test {
namespace {

class MenuBarX11Test : public X11ScreenTest {
protected:
    void TearDown() override {
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        Application->SetMainForm(nullptr);
        X11ScreenTest::TearDown();
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
    bool PumpUntil(const std::function<bool()>& done, int ms = 10000) {
        return X11Screen::PumpUntil(done, ms);
    }
    TMenuItem* Add(TMainMenu* menu, const char* caption, std::initializer_list<const char*> subs) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        menu->Items()->Add(item);
        for (const char* s : subs) {
            auto* sub = new TMenuItem(menu);
            sub->SetCaption(s);
            item->Add(sub);
        }
        return item;
    }

    // A shown form with the program's skin, its frame and a bar over Menu.
    TForm* SkinnedBarForm(TMainMenu*& Menu, TskSkinMainMenuBar*& Bar) {
        auto* f = Application->CreateForm<TForm>();
        f->SetCaption("Main menu bar");
        f->SetBoundsRect({40, 40, 420, 300});
        Frame = new TskSkinForm(f);
        auto* skin = new TskSkinData(f);
        EXPECT_NO_FATAL_FAILURE(LoadOwnSkin(*skin, Stored));
        Frame->SetSkinData(skin);
        Menu = new TMainMenu(f);
        Bar = new TskSkinMainMenuBar(f);
        Bar->SetParent(f);
        Bar->SetSkinForm(Frame);
        Bar->SetSkinData(skin);
        return f;
    }

    TskSkinForm* Frame = nullptr;
    TskCompressedStoredSkin Stored;
};

TEST_F(MenuBarX11Test, SkinnedBarWithAnOpenMenu) {
    auto* f = Application->CreateForm<TForm>();
    f->SetCaption("Main menu bar");
    f->SetBoundsRect({40, 40, 420, 300});
    auto* frame = new TskSkinForm(f);
    auto* skin = new TskSkinData(f);
    ASSERT_NO_FATAL_FAILURE(LoadOwnSkin(*skin, Stored));
    frame->SetSkinData(skin);
    auto* menu = new TMainMenu(f);
    Add(menu, "&File", {"&New", "&Open...", "&Save", "-", "E&xit"});
    Add(menu, "&Edit", {"&Copy", "&Paste"});
    Add(menu, "&View", {"&Log"})->Enabled = false;
    Add(menu, "&Streams", {"&Start all", "S&top all"});
    Add(menu, "&Tools", {"&Options"});
    Add(menu, "&Window", {"&Cascade", "&Tile"});
    Add(menu, "&Help", {"&About"});
    auto* bar = new TskSkinMainMenuBar(f);
    bar->SetParent(f);
    bar->SetSkinForm(frame);
    bar->SetSkinData(skin);
    bar->SetMainMenu(menu);
    ASSERT_TRUE(bar->SkinRecordInUse()) << "the default skin has a menu bar record";
    f->Show();
    const unsigned long w = Backend->XWindowOf(f->Handle());
    ASSERT_TRUE(WaitUntil([&] { return Viewable(w); }, 10000, [&] { Pump(); }));
    // Narrow enough that the last item hides behind the mark.
    f->SetClientWidth(bar->Item(5)->ObjectBounds.Left + 20);
    Pump();
    ASSERT_TRUE(bar->Overflow());
    ASSERT_TRUE(bar->Item(4)->ShownOnBar);
    ASSERT_FALSE(bar->Item(5)->ShownOnBar);
    EXPECT_TRUE(bar->AcceleratorKey('F'));
    ASSERT_TRUE(frame->SkinMenu()->MenuVisible());
    const unsigned long level = Backend->XWindowOf(frame->SkinMenu()->Level(0)->Handle());
    ASSERT_TRUE(WaitUntil([&] { return Viewable(level); }, 10000, [&] { Pump(); }));
    // The form and its menu from the screen, once the bar's items are painted.
    const TRect r{f->Left(), f->Top(), f->Left() + 400, f->Top() + 280};
    ::XImage* img = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (img) XDestroyImage(img);
            img = XGetImage(Observer, DefaultRootWindow(Observer), r.Left, r.Top, unsigned(r.Width()),
                            unsigned(r.Height()), AllPlanes, ZPixmap);
            if (!img) return false;
            const TPoint p = bar->ClientToScreen({bar->Width() / 2, bar->Height() / 2});
            const TPoint m = frame->SkinMenu()->Level(0)->ShowPos();
            return (XGetPixel(img, p.X - r.Left, p.Y - r.Top) & 0xFFFFFF) != 0 &&
                   (XGetPixel(img, m.X - r.Left + 30, m.Y - r.Top + 10) & 0xFFFFFF) != 0;
        },
        10000, [&] { Pump(); }));
    ForceDirectories("artefacts");
    EXPECT_TRUE(SavePpm(img, r.Width(), r.Height(), "artefacts/main-menu-bar.ppm"));
    XDestroyImage(img);
    frame->LeaveMenuBarMode();
    Pump();
    EXPECT_FALSE(frame->SkinMenu()->MenuVisible());
}

// The real pointer: a click opens a menu, moving along the bar switches menus, a click on an
// item runs it; a click outside every window of ours ends the menu mode.
TEST_F(MenuBarX11Test, PointerOpensSlidesAndChooses) {
    TMainMenu* menu = nullptr;
    TskSkinMainMenuBar* bar = nullptr;
    TForm* f = SkinnedBarForm(menu, bar);
    Add(menu, "&File", {"&New", "&Open..."});
    TMenuItem* edit = Add(menu, "&Edit", {"&Copy", "&Paste"});
    int pastes = 0;
    edit->Items(1)->OnClick = [&](TObject*) { ++pastes; };
    bar->SetMainMenu(menu);
    f->Show();
    ASSERT_TRUE(PumpUntil([&] { return Viewable(Backend->XWindowOf(f->Handle())); }));
    XSetInputFocus(Observer, Backend->XWindowOf(f->Handle()), RevertToParent, CurrentTime);
    XSync(Observer, False);
    ASSERT_TRUE(PumpUntil([&] {
        ::Window w = 0;
        int revert = 0;
        XGetInputFocus(Observer, &w, &revert);
        return w == Backend->XWindowOf(f->Handle());
    }));
    auto centre = [&](int i) {
        const TRect r = bar->Item(i)->ObjectBounds;
        return bar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    };
    TskSkinMenu* engine = Frame->SkinMenu();
    ClickAt(centre(0));
    ASSERT_TRUE(PumpUntil([&] { return engine->MenuVisible() && bar->Item(0)->Pressed; }));
    MovePointer(centre(1));
    ASSERT_TRUE(PumpUntil([&] { return bar->Item(1)->Pressed && engine->LevelCount() == 1; }));
    TskSkinPopupWindow* level = engine->Level(0);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(Backend->XWindowOf(level->Handle())); }));
    const TRect paste = level->Item(1)->ItemRect;
    ClickAt(level->ClientToScreen({(paste.Left + paste.Right) / 2, (paste.Top + paste.Bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return pastes == 1; }));
    EXPECT_FALSE(engine->MenuVisible());
    EXPECT_FALSE(Frame->MenuBarMode());
    // Open again, then a click on the bare screen closes it.
    ClickAt(centre(0));
    ASSERT_TRUE(PumpUntil([&] { return engine->MenuVisible(); }));
    ClickAt({700, 500});
    ASSERT_TRUE(PumpUntil([&] { return !engine->MenuVisible() && !Frame->MenuBarMode(); }));
    EXPECT_EQ(pastes, 1);
}

// A maximized multiple-document child: its buttons at the bar's ends, kept as
// artefacts/main-menu-bar-child.ppm.
TEST_F(MenuBarX11Test, MaximizedChildButtons) {
    TMainMenu* menu = nullptr;
    TskSkinMainMenuBar* bar = nullptr;
    TForm* f = SkinnedBarForm(menu, bar);
    f->SetFormStyle(fsMDIForm);
    Add(menu, "&File", {"&New"});
    Add(menu, "&Window", {"&Cascade"});
    bar->SetMainMenu(menu);
    f->Show();
    ASSERT_TRUE(PumpUntil([&] { return Viewable(Backend->XWindowOf(f->Handle())); }));
    auto* child = new TForm(Application);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption("Stream 1");
    child->SetBounds(10, 10, 200, 120);
    auto* childFrame = new TskSkinForm(child);
    childFrame->SetSkinData(Frame->SkinData());
    childFrame->SetBorderIcons(skbiSystemMenu | skbiMaximize);
    child->Show();
    Pump();
    childFrame->SetWindowState(skwsMaximized);
    bar->ShowChildButtons();
    Pump();
    ASSERT_EQ(bar->ChildButtonCount(), 4);
    const TRect r{f->Left(), f->Top(), f->Left() + 380, f->Top() + 120};
    ::XImage* img = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        if (img) XDestroyImage(img);
        img = XGetImage(Observer, DefaultRootWindow(Observer), r.Left, r.Top, unsigned(r.Width()),
                        unsigned(r.Height()), AllPlanes, ZPixmap);
        if (!img) return false;
        const TRect b = bar->Object(1)->ObjectBounds;
        const TPoint p = bar->ClientToScreen({b.Left + 2, b.Top + 2});
        return (XGetPixel(img, p.X - r.Left, p.Y - r.Top) & 0xFFFFFF) != 0;
    }));
    ForceDirectories("artefacts");
    EXPECT_TRUE(SavePpm(img, r.Width(), r.Height(), "artefacts/main-menu-bar-child.ppm"));
    XDestroyImage(img);
}

} // namespace
} // namespace vd::test
