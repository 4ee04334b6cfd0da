#include "platform/win/x11/X11Backend.h"

#include "platform/gfx/Bitmap.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"
#include "platform/win/x11/X11Errors.h"
#include "platform/win/x11/X11Keys.h"
#include "platform/win/x11/XSettings.h"

namespace vd {
constexpr RawButton kNoButton = RawButton::None; // X.h takes the name None for a macro
}

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <unordered_map>

#undef CursorShape // X.h takes the name for a macro

namespace vd {

struct X11Backend::Impl {
    Display* dpy = nullptr;
    int screen = 0;
    ::Window root = 0;
    int wakeFd = -1;
    std::mutex wakeLock;
    std::unordered_map<HWND, ::Window> windows;
    std::unordered_map<::Window, HWND> byX;
    std::set<HWND> dirty;
    std::set<HWND> iconified;  // iconified by us for an application minimize
    std::set<HWND> appsShown;  // application windows last seen shown
    std::set<HWND> appsHidden; // application windows hidden after being shown: their forms are withdrawn
    std::map<CursorShape, Cursor> cursors;
    HWND pointerWin = nullptr;
    HWND menuGrab = nullptr;
    bool keyboardGrabbed = false; // for a menu opened while no form of ours has the focus
    Atom wmProtocols = 0, wmDelete = 0, motifHints = 0, opacity = 0, netWmName = 0, utf8 = 0, netWorkArea = 0,
         netDesktop = 0, clipboard = 0, targets = 0, windowType = 0, typePopup = 0, typeNormal = 0,
         netState = 0, stateAbove = 0, skipTaskbar = 0, selProp = 0;
    bool hasShape = false;
    String clipText;
    bool ownClipboard = false;
    ::Window clipWindow = 0;

    ::Window Ensure(HWND hwnd);
    void Present(HWND hwnd);
    void Handle(XEvent& e);
    void ApplyRegion(HWND hwnd, ::Window w);
    void ApplyAlpha(HWND hwnd, ::Window w);
    void ApplyText(HWND hwnd, ::Window w);
    std::vector<HWND> ApplicationShown(HWND app, bool shown); // the forms to show again
    bool OwnerHidden(HWND hwnd) const { return appsHidden.count(GetWindow(hwnd, GW_OWNER)) != 0; }
    HWND Find(::Window w) const {
        auto it = byX.find(w);
        return it == byX.end() ? nullptr : it->second;
    }
};

std::unique_ptr<X11Backend> X11Backend::Open(const String& display) {
    Display* dpy = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (!dpy) return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->dpy = dpy;
    impl->screen = DefaultScreen(dpy);
    impl->root = RootWindow(dpy, impl->screen);
    impl->wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    auto atom = [dpy](const char* n) { return XInternAtom(dpy, n, False); };
    impl->wmProtocols = atom("WM_PROTOCOLS");
    impl->wmDelete = atom("WM_DELETE_WINDOW");
    impl->motifHints = atom("_MOTIF_WM_HINTS");
    impl->opacity = atom("_NET_WM_WINDOW_OPACITY");
    impl->netWmName = atom("_NET_WM_NAME");
    impl->utf8 = atom("UTF8_STRING");
    impl->netWorkArea = atom("_NET_WORKAREA");
    impl->netDesktop = atom("_NET_CURRENT_DESKTOP");
    impl->clipboard = atom("CLIPBOARD");
    impl->targets = atom("TARGETS");
    impl->windowType = atom("_NET_WM_WINDOW_TYPE");
    impl->typePopup = atom("_NET_WM_WINDOW_TYPE_POPUP_MENU");
    impl->typeNormal = atom("_NET_WM_WINDOW_TYPE_NORMAL");
    impl->netState = atom("_NET_WM_STATE");
    impl->stateAbove = atom("_NET_WM_STATE_ABOVE");
    impl->skipTaskbar = atom("_NET_WM_STATE_SKIP_TASKBAR");
    impl->selProp = atom("VD_SELECTION");
    int ev = 0, err = 0;
    impl->hasShape = XShapeQueryExtension(dpy, &ev, &err);
    impl->clipWindow = XCreateSimpleWindow(dpy, impl->root, -10, -10, 1, 1, 0, 0, 0);
    return std::unique_ptr<X11Backend>(new X11Backend(std::move(impl)));
}

X11Backend::X11Backend(std::unique_ptr<Impl> impl) : FImpl(std::move(impl)) {}

X11Backend::~X11Backend() {
    for (auto& [h, w] : FImpl->windows)
        XDestroyWindow(FImpl->dpy, w);
    for (auto& [s, c] : FImpl->cursors)
        XFreeCursor(FImpl->dpy, c);
    XDestroyWindow(FImpl->dpy, FImpl->clipWindow);
    XCloseDisplay(FImpl->dpy);
    if (FImpl->wakeFd >= 0) close(FImpl->wakeFd);
}

std::uint64_t X11Backend::NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

unsigned long X11Backend::XWindowOf(HWND hwnd) const {
    auto it = FImpl->windows.find(hwnd);
    return it == FImpl->windows.end() ? 0 : it->second;
}

::Window X11Backend::Impl::Ensure(HWND hwnd) {
    auto it = windows.find(hwnd);
    if (it != windows.end()) return it->second;
    TRect r = GetWindowRect(hwnd);
    const DWord style = static_cast<DWord>(GetWindowLong(hwnd, GWL_STYLE));
    const DWord ex = static_cast<DWord>(GetWindowLong(hwnd, GWL_EXSTYLE));
    // Pop-ups that never take focus bypass the window manager.
    const bool popup = (style & WS_POPUP) && ((ex & WS_EX_TOOLWINDOW) || (ex & WS_EX_NOACTIVATE));
    XSetWindowAttributes a{};
    a.override_redirect = popup ? True : False;
    a.save_under = (GetClassStyle(hwnd) & CS_SAVEBITS) ? True : False;
    a.background_pixel = BlackPixel(dpy, screen);
    a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                   KeyReleaseMask | StructureNotifyMask | FocusChangeMask | EnterWindowMask | LeaveWindowMask;
    ::Window w =
        XCreateWindow(dpy, root, r.Left, r.Top, static_cast<unsigned>(std::max(1, r.Width())),
                      static_cast<unsigned>(std::max(1, r.Height())), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWSaveUnder | CWBackPixel | CWEventMask, &a);
    // Our own frame: no decorations from the window manager.
    long hints[5] = {2, 0, 0, 0, 0};
    XChangeProperty(dpy, w, motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    XSetWMProtocols(dpy, w, &wmDelete, 1);
    XSizeHints sh{};
    sh.flags = USPosition | PPosition | USSize | PSize;
    sh.x = r.Left;
    sh.y = r.Top;
    sh.width = std::max(1, r.Width());
    sh.height = std::max(1, r.Height());
    XSetWMNormalHints(dpy, w, &sh);
    Atom type = popup ? typePopup : typeNormal;
    XChangeProperty(dpy, w, windowType, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&type),
                    1);
    if (ex & WS_EX_TOPMOST) {
        Atom above = stateAbove;
        XChangeProperty(dpy, w, netState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&above), 1);
    }
    windows[hwnd] = w;
    byX[w] = hwnd;
    ApplyText(hwnd, w);
    ApplyRegion(hwnd, w);
    ApplyAlpha(hwnd, w);
    return w;
}

void X11Backend::Impl::ApplyText(HWND hwnd, ::Window w) {
    const String t = GetWindowText(hwnd);
    XStoreName(dpy, w, t.c_str());
    XChangeProperty(dpy, w, netWmName, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(t.data()), static_cast<int>(t.size()));
}

void X11Backend::Impl::ApplyRegion(HWND hwnd, ::Window w) {
    if (!hasShape) return;
    std::vector<TRect> rects;
    if (!GetWindowRgnRects(hwnd, rects)) {
        XShapeCombineMask(dpy, w, ShapeBounding, 0, 0, 0, ShapeSet);
        return;
    }
    std::vector<XRectangle> xr;
    for (const TRect& r : rects)
        xr.push_back({static_cast<short>(r.Left), static_cast<short>(r.Top),
                      static_cast<unsigned short>(r.Width()), static_cast<unsigned short>(r.Height())});
    XShapeCombineRectangles(dpy, w, ShapeBounding, 0, 0, xr.data(), static_cast<int>(xr.size()), ShapeSet,
                            YXBanded);
}

void X11Backend::Impl::ApplyAlpha(HWND hwnd, ::Window w) {
    Byte alpha = 255;
    if (!GetLayeredAlpha(hwnd, alpha)) {
        XDeleteProperty(dpy, w, opacity);
        return;
    }
    unsigned long value = static_cast<unsigned long>(alpha) * 0x01010101ul;
    XChangeProperty(dpy, w, opacity, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&value), 1);
}

void X11Backend::Impl::Present(HWND hwnd) {
    auto it = windows.find(hwnd);
    if (it == windows.end()) return;
    HBITMAP s = GetWindowSurface(hwnd);
    if (!s || s->Empty()) return;
    const int w = s->Width(), h = s->Height();
    Visual* vis = DefaultVisual(dpy, screen);
    const int depth = DefaultDepth(dpy, screen);
    // XDestroyImage frees the data with free().
    auto* data =
        static_cast<char*>(std::malloc(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4));
    if (!data) return;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) *
                                                                static_cast<std::size_t>(w) * 4);
        for (int x = 0; x < w; ++x)
            row[x] = s->PixelBgr(x, y); // 0x00RRGGBB
    }
    XImage* img = XCreateImage(dpy, vis, static_cast<unsigned>(depth), ZPixmap, 0, data,
                               static_cast<unsigned>(w), static_cast<unsigned>(h), 32, 0);
    if (!img) {
        std::free(data);
        return;
    }
    GC gc = XCreateGC(dpy, it->second, 0, nullptr);
    XPutImage(dpy, it->second, gc, img, 0, 0, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h));
    XFreeGC(dpy, gc);
    XDestroyImage(img);
}

void X11Backend::Present() {
    auto dirty = std::move(FImpl->dirty);
    FImpl->dirty.clear();
    for (HWND h : dirty)
        FImpl->Present(h);
    XFlush(FImpl->dpy);
}

void X11Backend::Sync() {
    Present();
    XSync(FImpl->dpy, False);
}

void X11Backend::TopLevelCreated(HWND) {}

void X11Backend::TopLevelDestroyed(HWND hwnd) {
    auto it = FImpl->windows.find(hwnd);
    FImpl->dirty.erase(hwnd);
    FImpl->iconified.erase(hwnd);
    FImpl->appsShown.erase(hwnd);
    FImpl->appsHidden.erase(hwnd);
    if (FImpl->pointerWin == hwnd) FImpl->pointerWin = nullptr;
    if (it == FImpl->windows.end()) return;
    FImpl->byX.erase(it->second);
    XDestroyWindow(FImpl->dpy, it->second);
    FImpl->windows.erase(it);
    XFlush(FImpl->dpy);
}

// The application window has no size and never reaches the screen. Hiding it after it was
// shown (the program's minimize to the tray) withdraws every form it owns, so none keeps a
// task-bar entry; showing it again brings them back as they were.
std::vector<HWND> X11Backend::Impl::ApplicationShown(HWND app, bool shown) {
    if (shown) {
        appsShown.insert(app);
        if (!appsHidden.erase(app)) return {};
    } else {
        if (!appsShown.erase(app)) return {};
        appsHidden.insert(app);
    }
    std::vector<HWND> owned;
    for (HWND h : GetTopLevelWindows())
        if (GetWindow(h, GW_OWNER) == app) owned.push_back(h);
    if (shown) return owned;
    for (HWND h : owned) {
        iconified.erase(h);
        if (auto it = windows.find(h); it != windows.end()) XWithdrawWindow(dpy, it->second, screen);
    }
    return {};
}

void X11Backend::TopLevelChanged(HWND hwnd, unsigned what) {
    Impl& m = *FImpl;
    const TRect bounds = GetWindowRect(hwnd);
    if (bounds.Width() <= 0 || bounds.Height() <= 0) {
        if (what & wcVisible)
            for (HWND h : m.ApplicationShown(hwnd, (GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE) != 0))
                TopLevelChanged(h, wcVisible);
        XFlush(m.dpy);
        return;
    }
    const bool visible = IsWindowVisible(hwnd);
    const bool withdrawn = m.OwnerHidden(hwnd);
    auto it = m.windows.find(hwnd);
    if (it == m.windows.end()) {
        if (!visible || withdrawn) return; // made when first shown, at its first position
        ::Window w = m.Ensure(hwnd);
        m.dirty.insert(hwnd);
        XMapRaised(m.dpy, w);
        Present();
        return;
    }
    ::Window w = it->second;
    if (what & wcBounds) {
        const TRect r = GetWindowRect(hwnd);
        XMoveResizeWindow(m.dpy, w, r.Left, r.Top, static_cast<unsigned>(std::max(1, r.Width())),
                          static_cast<unsigned>(std::max(1, r.Height())));
        m.dirty.insert(hwnd);
    }
    if (what & wcRegion) m.ApplyRegion(hwnd, w);
    if (what & (wcAlpha | wcStyle)) m.ApplyAlpha(hwnd, w);
    if (what & wcText) m.ApplyText(hwnd, w);
    if (what & wcSurface) m.dirty.insert(hwnd);
    if (what & wcZOrder) {
        auto tops = GetTopLevelWindows();
        if (!tops.empty() && tops.front() == hwnd) XRaiseWindow(m.dpy, w);
    }
    if ((what & wcVisible) && !withdrawn) {
        const HWND owner = GetWindow(hwnd, GW_OWNER);
        const bool ownerIconic = owner && IsIconic(owner);
        const bool styleVisible = (GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (visible) {
            XMapRaised(m.dpy, w);
            m.iconified.erase(hwnd);
            m.dirty.insert(hwnd);
        } else if (ownerIconic && styleVisible && m.iconified.empty()) {
            // The application minimized: its first form stays in the task bar as an icon.
            XIconifyWindow(m.dpy, w, m.screen);
            m.iconified.insert(hwnd);
        } else {
            XUnmapWindow(m.dpy, w);
        }
    }
    XFlush(m.dpy);
}

void X11Backend::MenuGrabChanged(HWND hwnd) {
    Impl& m = *FImpl;
    m.menuGrab = hwnd;
    if (!hwnd) {
        if (!GetCapture()) XUngrabPointer(m.dpy, CurrentTime);
        if (m.keyboardGrabbed) XUngrabKeyboard(m.dpy, CurrentTime);
        m.keyboardGrabbed = false;
        XSync(m.dpy, False);
        return;
    }
    // A menu from the tray with our forms withdrawn or in the background: without a grab its
    // keys would go to another program.
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(m.dpy, &focus, &revert);
    if (!m.keyboardGrabbed && !m.Find(focus))
        m.keyboardGrabbed =
            XGrabKeyboard(m.dpy, m.root, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    auto it = m.windows.find(GetAncestor(hwnd, GA_ROOT));
    if (it == m.windows.end()) return;
    // Our own windows still get their events; a press anywhere else comes to us as well.
    XGrabPointer(m.dpy, it->second, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
    XSync(m.dpy, False);
}

void X11Backend::CaptureChanged(HWND hwnd) {
    Impl& m = *FImpl;
    if (!hwnd) {
        XUngrabPointer(m.dpy, CurrentTime);
        XSync(m.dpy, False); // done before anyone else asks the server
        if (m.menuGrab && IsWindow(m.menuGrab)) MenuGrabChanged(m.menuGrab);
        return;
    }
    auto it = m.windows.find(GetAncestor(hwnd, GA_ROOT));
    if (it == m.windows.end()) return;
    XGrabPointer(m.dpy, it->second, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
    XSync(m.dpy, False);
}

void X11Backend::CursorChanged(CursorShape shape) {
    Impl& m = *FImpl;
    static const std::map<CursorShape, unsigned> fonts{{CursorShape::Arrow, XC_left_ptr},
                                                       {CursorShape::IBeam, XC_xterm},
                                                       {CursorShape::Wait, XC_watch},
                                                       {CursorShape::Cross, XC_crosshair},
                                                       {CursorShape::SizeWE, XC_sb_h_double_arrow},
                                                       {CursorShape::SizeNS, XC_sb_v_double_arrow},
                                                       {CursorShape::SizeNWSE, XC_bottom_right_corner},
                                                       {CursorShape::SizeNESW, XC_bottom_left_corner},
                                                       {CursorShape::SizeAll, XC_fleur},
                                                       {CursorShape::Hand, XC_hand2},
                                                       {CursorShape::No, XC_X_cursor},
                                                       {CursorShape::HSplit, XC_sb_h_double_arrow},
                                                       {CursorShape::VSplit, XC_sb_v_double_arrow}};
    auto it = m.windows.find(m.pointerWin);
    if (it == m.windows.end()) return;
    Cursor& c = m.cursors[shape];
    if (!c) c = XCreateFontCursor(m.dpy, fonts.at(shape));
    XDefineCursor(m.dpy, it->second, c);
}

void X11Backend::Impl::Handle(XEvent& e) {
    switch (e.type) {
    case ButtonPress:
    case ButtonRelease: {
        pointerWin = Find(e.xbutton.window);
        RawInput in;
        in.screen = {e.xbutton.x_root, e.xbutton.y_root};
        const unsigned b = e.xbutton.button;
        if (b == 4 || b == 5) {
            if (e.type == ButtonRelease) return;
            in.kind = RawInput::Wheel;
            in.wheelDelta = b == 4 ? WHEEL_DELTA : -WHEEL_DELTA;
        } else {
            in.kind = e.type == ButtonPress ? RawInput::ButtonDown : RawInput::ButtonUp;
            in.button = b == 1   ? RawButton::Left
                        : b == 2 ? RawButton::Middle
                        : b == 3 ? RawButton::Right
                                 : kNoButton;
            if (in.button == kNoButton) return;
        }
        QueueInput(in);
        return;
    }
    case MotionNotify: {
        pointerWin = Find(e.xmotion.window);
        // Only motion right behind motion is merged: input keeps its order.
        XEvent next;
        while (XPending(dpy) && XPeekEvent(dpy, &next) == 0 && next.type == MotionNotify &&
               next.xmotion.window == e.xmotion.window)
            XNextEvent(dpy, &e);
        RawInput in;
        in.kind = RawInput::MouseMove;
        in.screen = {e.xmotion.x_root, e.xmotion.y_root};
        QueueInput(in);
        return;
    }
    case KeyPress:
    case KeyRelease: {
        char buf[8] = {};
        KeySym ks = 0;
        const int n = XLookupString(&e.xkey, buf, sizeof buf, &ks, nullptr);
        RawInput in;
        in.kind = e.type == KeyPress ? RawInput::KeyDown : RawInput::KeyUp;
        in.vk = x11::KeysymToVk(ks);
        if (!in.vk) return;
        if (e.type == KeyPress && n == 1) in.ch = static_cast<unsigned char>(buf[0]);
        QueueInput(in);
        return;
    }
    case Expose:
        if (HWND h = Find(e.xexpose.window)) dirty.insert(h);
        return;
    case ClientMessage:
        if (e.xclient.message_type == wmProtocols && static_cast<Atom>(e.xclient.data.l[0]) == wmDelete)
            if (HWND h = Find(e.xclient.window)) PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case MapNotify:
        // The window manager brought an icon back: the program restores the way it minimized.
        if (HWND h = Find(e.xmap.window); h && iconified.count(h)) {
            iconified.erase(h);
            if (HWND owner = GetWindow(h, GW_OWNER); owner && IsIconic(owner))
                PostMessage(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
        }
        return;
    case FocusIn:
        if (e.xfocus.mode == NotifyNormal)
            if (HWND h = Find(e.xfocus.window); h && GetActiveWindow() != h) SetActiveWindow(h);
        return;
    case SelectionRequest: {
        XSelectionRequestEvent& r = e.xselectionrequest;
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.requestor = r.requestor;
        reply.selection = r.selection;
        reply.target = r.target;
        reply.time = r.time;
        reply.property = 0;
        if (r.target == targets) {
            Atom list[] = {targets, utf8, XA_STRING};
            XChangeProperty(dpy, r.requestor, r.property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(list), 3);
            reply.property = r.property;
        } else if (r.target == utf8 || r.target == XA_STRING) {
            XChangeProperty(dpy, r.requestor, r.property, r.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(clipText.data()),
                            static_cast<int>(clipText.size()));
            reply.property = r.property;
        }
        XSendEvent(dpy, r.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
        return;
    }
    case SelectionClear:
        if (e.xselectionclear.selection == clipboard) ownClipboard = false;
        return;
    default:
        return;
    }
}

void X11Backend::WaitForInput(int timeoutMs) {
    Impl& m = *FImpl;
    Present();
    if (!XPending(m.dpy)) {
        pollfd fds[2] = {{ConnectionNumber(m.dpy), POLLIN, 0}, {m.wakeFd, POLLIN, 0}};
        poll(fds, 2, timeoutMs);
        std::uint64_t v = 0;
        if (read(m.wakeFd, &v, sizeof v) < 0) {
        }
    }
    while (XPending(m.dpy)) {
        XEvent e;
        XNextEvent(m.dpy, &e);
        m.Handle(e);
    }
    Present();
}

void X11Backend::Wake() {
    const std::uint64_t one = 1;
    if (write(FImpl->wakeFd, &one, sizeof one) < 0) {
    }
}

std::vector<MonitorDesc> X11Backend::Monitors() {
    Impl& m = *FImpl;
    std::vector<MonitorDesc> out;
    int count = 0;
    int ev = 0, err = 0;
    if (XRRQueryExtension(m.dpy, &ev, &err)) {
        if (XRRMonitorInfo* mons = XRRGetMonitors(m.dpy, m.root, True, &count)) {
            for (int i = 0; i < count; ++i) {
                TRect b = Bounds(mons[i].x, mons[i].y, mons[i].width, mons[i].height);
                MonitorDesc d{b, b};
                if (mons[i].primary)
                    out.insert(out.begin(), d);
                else
                    out.push_back(d);
            }
            XRRFreeMonitors(mons);
        }
    }
    if (out.empty()) {
        const TRect b{0, 0, DisplayWidth(m.dpy, m.screen), DisplayHeight(m.dpy, m.screen)};
        out.push_back({b, b});
    }
    // The desktop-wide work area, cut to each monitor.
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m.dpy, m.root, m.netWorkArea, 0, 4, False, XA_CARDINAL, &type, &format, &n, &after,
                           &data) == Success &&
        data && n >= 4 && format == 32) {
        const long* v = reinterpret_cast<const long*>(data);
        const TRect wa = Bounds(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                                static_cast<int>(v[3]));
        for (auto& d : out) {
            TRect r{std::max(d.bounds.Left, wa.Left), std::max(d.bounds.Top, wa.Top),
                    std::min(d.bounds.Right, wa.Right), std::min(d.bounds.Bottom, wa.Bottom)};
            if (r.Right > r.Left && r.Bottom > r.Top) d.work = r;
        }
    }
    if (data) XFree(data);
    return out;
}

TPoint X11Backend::CursorPos() {
    ::Window r = 0, c = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(FImpl->dpy, FImpl->root, &r, &c, &rx, &ry, &wx, &wy, &mask);
    return {rx, ry};
}

unsigned X11Backend::DoubleClickTime() {
    constexpr unsigned kDefault = 500;
    Impl& m = *FImpl;
    const String sel = "_XSETTINGS_S" + std::to_string(m.screen);
    const ::Window owner = XGetSelectionOwner(m.dpy, XInternAtom(m.dpy, sel.c_str(), False));
    if (!owner) return kDefault;
    const Atom prop = XInternAtom(m.dpy, "_XSETTINGS_SETTINGS", False);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    // The manager may vanish between the two requests: its errors must not end the program.
    x11::IgnoreErrorsOn(m.dpy);
    const int rc = XGetWindowProperty(m.dpy, owner, prop, 0, 1 << 16, False, AnyPropertyType, &type, &format,
                                      &n, &after, &data);
    XSync(m.dpy, False);
    x11::StopIgnoringErrorsOn(m.dpy);
    std::optional<int> v;
    if (rc == Success && data && format == 8) v = x11::FindXSettingsInt(data, n, "Net/DoubleClickTime");
    if (data) XFree(data);
    if (!v || *v <= 0 || *v > 5000) return kDefault;
    return static_cast<unsigned>(*v);
}

bool X11Backend::LayeredWindowsAvailable() {
    const String name = "_NET_WM_CM_S" + std::to_string(FImpl->screen);
    return XGetSelectionOwner(FImpl->dpy, XInternAtom(FImpl->dpy, name.c_str(), False)) != 0;
}

bool X11Backend::ClipboardHasText() {
    return !ClipboardText().empty();
}

String X11Backend::ClipboardText() {
    Impl& m = *FImpl;
    if (m.ownClipboard) return m.clipText;
    if (XGetSelectionOwner(m.dpy, m.clipboard) == 0) return String();
    XConvertSelection(m.dpy, m.clipboard, m.utf8, m.selProp, m.clipWindow, CurrentTime);
    XFlush(m.dpy);
    // A bounded wait for the owner's answer.
    const std::uint64_t deadline = NowMs() + 500;
    XEvent e;
    while (NowMs() < deadline) {
        if (XCheckTypedWindowEvent(m.dpy, m.clipWindow, SelectionNotify, &e)) {
            if (e.xselection.property == 0) return String();
            Atom type = 0;
            int format = 0;
            unsigned long n = 0, after = 0;
            unsigned char* data = nullptr;
            String out;
            if (XGetWindowProperty(m.dpy, m.clipWindow, m.selProp, 0, 1 << 20, True, AnyPropertyType, &type,
                                   &format, &n, &after, &data) == Success &&
                data && format == 8)
                out.assign(reinterpret_cast<const char*>(data), n);
            if (data) XFree(data);
            return out;
        }
        pollfd fd{ConnectionNumber(m.dpy), POLLIN, 0};
        poll(&fd, 1, 20);
    }
    return String();
}

void X11Backend::SetClipboardText(const String& text) {
    Impl& m = *FImpl;
    m.clipText = text;
    XSetSelectionOwner(m.dpy, m.clipboard, m.clipWindow, CurrentTime);
    m.ownClipboard = XGetSelectionOwner(m.dpy, m.clipboard) == m.clipWindow;
    XFlush(m.dpy);
}

} // namespace vd
