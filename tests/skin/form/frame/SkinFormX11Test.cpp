// The skinned frame on a real X server (a private Xvfb): an undecorated window shaped by the
// skin's mask, kept as a screenshot to be judged by eye; and the tray icon docking with a tray
// manager the test plays, then bringing the hidden window back when that manager goes away.
#include "FrameFixture.h"
#include "platform/rtl/FileUtils.h"
#include "platform/shell/NotifyIcon.h"
#include "platform/shell/X11TrayHost.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/X11Screen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <poll.h>

// After Xlib: its macros clash with the window system's names.
#include "../../../platform/win/x11/SavePpm.h"

#include <functional>
#include <memory>

namespace vd::test {
namespace {

// A minimal system-tray manager on the observer's connection: owns the selection, takes dock
// requests, goes away when destroyed.
class TrayManager {
public:
    explicit TrayManager(::Display* d) : FDpy(d) {
        FSel = XInternAtom(d, "_NET_SYSTEM_TRAY_S0", False);
        FOpcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    }
    ~TrayManager() { Stop(); }
    void Start() {
        const ::Window root = DefaultRootWindow(FDpy);
        FWin = XCreateSimpleWindow(FDpy, root, 0, 0, 200, 40, 0, 0, 0);
        XMapWindow(FDpy, FWin);
        XSetSelectionOwner(FDpy, FSel, FWin, CurrentTime);
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = root;
        ev.xclient.message_type = XInternAtom(FDpy, "MANAGER", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = CurrentTime;
        ev.xclient.data.l[1] = long(FSel);
        ev.xclient.data.l[2] = long(FWin);
        XSendEvent(FDpy, root, False, StructureNotifyMask, &ev);
        XSync(FDpy, False);
    }
    void Stop() {
        if (FWin) XDestroyWindow(FDpy, FWin);
        FWin = 0;
        XSync(FDpy, False);
    }
    // The icon window of the next dock request; 0 when none came in time.
    ::Window WaitDock(const std::function<void()>& pump) {
        ::Window docked = 0;
        const bool came = WaitUntil(
            [&] {
                while (XPending(FDpy) > 0) {
                    XEvent ev;
                    XNextEvent(FDpy, &ev);
                    if (ev.type == ClientMessage && ev.xclient.message_type == FOpcode &&
                        ev.xclient.data.l[1] == 0)
                        docked = ::Window(ev.xclient.data.l[2]);
                }
                return docked != 0;
            },
            5000, pump);
        return came ? docked : 0;
    }

private:
    ::Display* FDpy;
    Atom FSel = 0, FOpcode = 0;
    ::Window FWin = 0;
};

class FrameX11Test : public X11ScreenTest {
protected:
    void TearDown() override {
        if (Image) XDestroyImage(Image);
        Application->OnMinimize = nullptr; // a failed test may leave its handler
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        Application->SetMainForm(nullptr);
        InstallTrayHost(nullptr);
        Tray.reset();
        X11ScreenTest::TearDown();
    }
    void ClickAt(TPoint p) {
        XTestFakeMotionEvent(Observer, -1, p.X, p.Y, CurrentTime);
        XSync(Observer, False);
        // The frame hears the pointer over the button before the press.
        for (int i = 0; i < 3; ++i)
            PumpWaiting();
        XTestFakeButtonEvent(Observer, 1, True, CurrentTime);
        XTestFakeButtonEvent(Observer, 1, False, CurrentTime);
        XSync(Observer, False);
    }
    // The middle of a caption object, on the screen.
    TPoint ObjectCentre(TForm* f, const char* name) {
        TskActiveSkinObject* o = GetSkinForm(f)->FindObject(name);
        EXPECT_NE(o, nullptr) << name;
        if (!o) return {};
        const TRect r = o->ObjectRect;
        return {f->Left() + (r.Left + r.Right) / 2, f->Top() + (r.Top + r.Bottom) / 2};
    }
    // A form with the program's own skin, shown and painted.
    TForm* SkinnedForm(TRect r) {
        auto* f = Application->CreateForm<TForm>();
        f->SetCaption("Skinned frame");
        f->SetBoundsRect(r);
        auto* frame = new TskSkinForm(f);
        Skin = new TskSkinData(f);
        EXPECT_NO_FATAL_FAILURE(LoadOwnSkin(*Skin, Stored));
        frame->SetSkinData(Skin);
        frame->SetBorderIcons(skbiSystemMenu | skbiMinimize | skbiMaximize | skbiRollUp | skbiMinimizeToTray);
        frame->SetSkinData(Skin);
        return f;
    }

    std::unique_ptr<X11TrayHost> Tray;
    ::XImage* Image = nullptr;
    TskSkinData* Skin = nullptr;
    TskCompressedStoredSkin Stored;
};

TEST_F(FrameX11Test, UndecoratedShapedSkinnedWindow) {
    TForm* f = SkinnedForm({40, 40, 400, 260});
    f->Show();
    const ::Window w = static_cast<::Window>(Backend->XWindowOf(f->Handle()));
    ASSERT_TRUE(WaitUntil([&] { return Viewable(w); }, 10000, [&] { Pump(); }));
    // No decorations from the window manager.
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom motif = XInternAtom(Observer, "_MOTIF_WM_HINTS", False);
    ASSERT_EQ(XGetWindowProperty(Observer, w, motif, 0, 5, False, AnyPropertyType, &type, &format, &count,
                                 &after, &data),
              Success);
    ASSERT_NE(data, nullptr);
    ASSERT_GE(count, 3u);
    EXPECT_EQ(reinterpret_cast<long*>(data)[2], 0) << "decorations";
    XFree(data);
    // The window's shape is the frame's region.
    std::vector<TRect> ours;
    ASSERT_TRUE(GetWindowRgnRects(f->Handle(), ours));
    int n = 0, ordering = 0;
    XRectangle* rects = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (rects) XFree(rects);
            rects = XShapeGetRectangles(Observer, w, ShapeBounding, &n, &ordering);
            return n == int(ours.size());
        },
        5000, [&] { Pump(); }));
    if (rects) XFree(rects);
    // Painted from the skin: grab once the caption and the client are no longer black.
    XWindowAttributes a{};
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (Image) XDestroyImage(Image);
            Image = nullptr;
            if (!XGetWindowAttributes(Observer, w, &a)) return false;
            Image = XGetImage(Observer, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
            if (!Image) return false;
            int lit = 0;
            for (int x = 10; x < a.width - 10; x += 4)
                lit += (XGetPixel(Image, x, 10) & 0xFFFFFF) != 0;
            const bool client = (XGetPixel(Image, a.width / 2, a.height / 2) & 0xFFFFFF) != 0;
            return client && lit > (a.width - 20) / 8;
        },
        10000, [&] { Pump(); }));
    ForceDirectories("artefacts");
    EXPECT_TRUE(SavePpm(Image, a.width, a.height, "artefacts/skinned-frame.ppm"));
}

// Real clicks, no window manager: every caption button acts on its first click, and a
// minimize that nobody can show again leaves the window working.
TEST_F(FrameX11Test, CaptionButtonsActOnTheirFirstClick) {
    TForm* f = SkinnedForm({40, 40, 400, 260});
    Application->SetMainForm(f);
    f->Show();
    const ::Window w = static_cast<::Window>(Backend->XWindowOf(f->Handle()));
    ASSERT_TRUE(WaitUntil([&] { return Viewable(w); }, 10000, [&] { PumpWaiting(); }));
    TskSkinForm* frame = GetSkinForm(f);
    ASSERT_TRUE(WaitUntil([&] { return frame->IsFormActive(); }, 5000, [&] { PumpWaiting(); }));
    const TRect normal = f->BoundsRect();

    ClickAt(ObjectCentre(f, "maximizebutton"));
    EXPECT_TRUE(
        WaitUntil([&] { return frame->WindowState() == skwsMaximized; }, 5000, [&] { PumpWaiting(); }));
    ClickAt(ObjectCentre(f, "maximizebutton"));
    EXPECT_TRUE(WaitUntil([&] { return frame->WindowState() == skwsNormal; }, 5000, [&] { PumpWaiting(); }));
    EXPECT_EQ(f->BoundsRect(), normal);

    int minimizes = 0;
    Application->OnMinimize = [&](TObject*) { ++minimizes; };
    ClickAt(ObjectCentre(f, "minimizebutton"));
    ASSERT_TRUE(WaitUntil([&] { return minimizes > 0 || IsIconic(Application->Handle()); }, 5000,
                          [&] { PumpWaiting(); }));
    // Nobody can iconify: the application comes back by itself, mapped and taking input.
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(Application->Handle()) && IsWindowVisible(f->Handle()); },
                          5000, [&] { PumpWaiting(); }));
    EXPECT_TRUE(Viewable(w));
    Application->OnMinimize = nullptr;

    // Not the main form any more, so that its close does not end the test's application.
    Application->SetMainForm(nullptr);
    ClickAt(ObjectCentre(f, "closebutton"));
    EXPECT_TRUE(WaitUntil([&] { return !f->Visible(); }, 5000, [&] { PumpWaiting(); }));
}

TEST_F(FrameX11Test, TrayDockAndBackWhenTheManagerGoes) {
    Tray = X11TrayHost::Open(Server.Display());
    ASSERT_TRUE(Tray);
    InstallTrayHost(Tray.get());
    TForm* f = SkinnedForm({40, 40, 400, 260});
    f->Show();
    const ::Window w = static_cast<::Window>(Backend->XWindowOf(f->Handle()));
    ASSERT_TRUE(WaitUntil([&] { return Viewable(w); }, 10000, [&] { Pump(); }));
    TskSkinForm* frame = GetSkinForm(f);
    auto* icon = new TskTrayIcon(f);
    frame->SetTrayIcon(icon);

    // No tray manager: the window stays reachable.
    frame->MinimizeToTray();
    Pump();
    EXPECT_FALSE(icon->IconShown());
    EXPECT_TRUE(f->Visible());
    Application->Restore();
    Pump();

    TrayManager manager(Observer);
    manager.Start();
    frame->MinimizeToTray();
    Pump();
    EXPECT_TRUE(icon->IconShown());
    EXPECT_NE(manager.WaitDock([&] { Pump(); }), 0u);
    // Hidden in the tray: the form's X window is withdrawn.
    ASSERT_TRUE(WaitUntil([&] { return !Viewable(w); }, 5000, [&] { Pump(); }));
    EXPECT_FALSE(f->Visible());

    // The manager goes away: the window comes back.
    manager.Stop();
    ASSERT_TRUE(WaitUntil([&] { return !icon->IconShown(); }, 5000, [&] { Pump(); }));
    const bool back = WaitUntil([&] { return f->Visible() && Viewable(w); }, 5000, [&] { Pump(); });
    ASSERT_TRUE(back) << f->Visible() << Viewable(w) << IsWindowVisible(f->Handle())
                      << IsWindowVisible(Application->Handle()) << IsIconic(Application->Handle());
    EXPECT_FALSE(icon->IconShown());
}

} // namespace
} // namespace vd::test
