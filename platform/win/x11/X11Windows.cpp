#include "platform/win/x11/X11Windows.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Objects.h"
#include "platform/win/Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <cstdlib>

namespace vd {

namespace {

// Pop-ups that never take focus bypass the window manager.
bool BypassesWindowManager(HWND hwnd) {
    const DWord style = static_cast<DWord>(GetWindowLong(hwnd, GWL_STYLE));
    const DWord ex = static_cast<DWord>(GetWindowLong(hwnd, GWL_EXSTYLE));
    return (style & WS_POPUP) && ((ex & WS_EX_TOOLWINDOW) || (ex & WS_EX_NOACTIVATE));
}

} // namespace

X11Windows::X11Windows(X11Connection& conn)
    : FConn(conn), FUpload(conn), FHints(conn), FWmProtocols(conn.Intern("WM_PROTOCOLS")),
      FWmDelete(conn.Intern("WM_DELETE_WINDOW")), FMotifHints(conn.Intern("_MOTIF_WM_HINTS")),
      FOpacity(conn.Intern("_NET_WM_WINDOW_OPACITY")), FNetWmName(conn.Intern("_NET_WM_NAME")),
      FUtf8(conn.Intern("UTF8_STRING")), FWindowType(conn.Intern("_NET_WM_WINDOW_TYPE")),
      FTypePopup(conn.Intern("_NET_WM_WINDOW_TYPE_POPUP_MENU")),
      FTypeNormal(conn.Intern("_NET_WM_WINDOW_TYPE_NORMAL")), FNetState(conn.Intern("_NET_WM_STATE")),
      FStateAbove(conn.Intern("_NET_WM_STATE_ABOVE")) {
    int ev = 0, err = 0;
    FHasShape = XShapeQueryExtension(conn.Dpy(), &ev, &err);
}

X11Windows::~X11Windows() {
    for (auto& [h, w] : FWindows)
        XDestroyWindow(FConn.Dpy(), w);
}

XId X11Windows::XWindowOf(HWND hwnd) const {
    auto it = FWindows.find(hwnd);
    return it == FWindows.end() ? 0 : it->second;
}

HWND X11Windows::Find(XId w) const {
    auto it = FByX.find(w);
    return it == FByX.end() ? nullptr : it->second;
}

bool X11Windows::OwnerHidden(HWND hwnd) const {
    return FAppsHidden.count(GetWindow(hwnd, GW_OWNER)) != 0;
}

XId X11Windows::Ensure(HWND hwnd) {
    if (XId w = XWindowOf(hwnd)) return w;
    Display* dpy = FConn.Dpy();
    const int screen = FConn.Screen();
    TRect r = GetWindowRect(hwnd);
    const DWord ex = static_cast<DWord>(GetWindowLong(hwnd, GWL_EXSTYLE));
    const bool popup = BypassesWindowManager(hwnd);
    XSetWindowAttributes a{};
    a.override_redirect = popup ? True : False;
    a.save_under = (GetClassStyle(hwnd) & CS_SAVEBITS) ? True : False;
    a.background_pixel = BlackPixel(dpy, screen);
    a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                   KeyReleaseMask | StructureNotifyMask | FocusChangeMask | EnterWindowMask | LeaveWindowMask;
    ::Window w =
        XCreateWindow(dpy, FConn.Root(), r.Left, r.Top, static_cast<unsigned>(std::max(1, r.Width())),
                      static_cast<unsigned>(std::max(1, r.Height())), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWSaveUnder | CWBackPixel | CWEventMask, &a);
    // Our own frame: no decorations from the window manager.
    long hints[5] = {2, 0, 0, 0, 0};
    XChangeProperty(dpy, w, FMotifHints, FMotifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    Atom wmDelete = FWmDelete;
    XSetWMProtocols(dpy, w, &wmDelete, 1);
    XSizeHints sh{};
    sh.flags = USPosition | PPosition | USSize | PSize;
    sh.x = r.Left;
    sh.y = r.Top;
    sh.width = std::max(1, r.Width());
    sh.height = std::max(1, r.Height());
    XSetWMNormalHints(dpy, w, &sh);
    Atom type = popup ? FTypePopup : FTypeNormal;
    XChangeProperty(dpy, w, FWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&type), 1);
    if (ex & WS_EX_TOPMOST) {
        Atom above = FStateAbove;
        XChangeProperty(dpy, w, FNetState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&above), 1);
    }
    FWindows[hwnd] = w;
    FByX[w] = hwnd;
    FHints.SetIdentity(w);
    if (!popup) {
        ApplyTransient(hwnd, w);
        ApplyMaximized(hwnd, w, false);
    }
    ApplyText(hwnd, w);
    ApplyIcon(hwnd, w);
    ApplyRegion(hwnd, w);
    ApplyAlpha(hwnd, w);
    return w;
}

void X11Windows::ApplyText(HWND hwnd, XId w) {
    const String t = GetWindowText(hwnd);
    XStoreName(FConn.Dpy(), w, t.c_str());
    XChangeProperty(FConn.Dpy(), w, FNetWmName, FUtf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(t.data()), static_cast<int>(t.size()));
}

// _NET_WM_ICON: width, height, then ARGB pixels a row at a time; the mask's set pixels are clear.
void X11Windows::ApplyIcon(HWND hwnd, XId w) {
    Display* dpy = FConn.Dpy();
    const Atom prop = FConn.Intern("_NET_WM_ICON");
    const auto* icon = reinterpret_cast<const GdiIcon*>(SendMessage(hwnd, WM_GETICON, ICON_BIG, 0));
    const GdiBitmap* color = icon ? icon->Color() : nullptr;
    if (!color || color->Width() <= 0 || color->Height() <= 0 || color->Width() > 512 ||
        color->Height() > 512) {
        XDeleteProperty(dpy, w, prop);
        return;
    }
    const GdiBitmap* mask = icon->Mask();
    const int iw = color->Width(), ih = color->Height();
    const bool masked = mask && mask->Width() == iw && mask->Height() >= ih;
    std::vector<long> data; // format 32 properties travel as longs
    data.reserve(2 + std::size_t(iw) * std::size_t(ih));
    data.push_back(iw);
    data.push_back(ih);
    for (int y = 0; y < ih; ++y)
        for (int x = 0; x < iw; ++x) {
            const bool clear = masked && (mask->PixelBgr(x, y) & 0xFFFFFF) != 0;
            data.push_back(clear ? 0L : long(0xFF000000u | (color->PixelBgr(x, y) & 0xFFFFFF)));
        }
    XChangeProperty(dpy, w, prop, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
}

void X11Windows::ApplyRegion(HWND hwnd, XId w) {
    if (!FHasShape) return;
    std::vector<TRect> rects;
    if (!GetWindowRgnRects(hwnd, rects)) {
        XShapeCombineMask(FConn.Dpy(), w, ShapeBounding, 0, 0, 0, ShapeSet);
        return;
    }
    std::vector<XRectangle> xr;
    for (const TRect& r : rects)
        xr.push_back({static_cast<short>(r.Left), static_cast<short>(r.Top),
                      static_cast<unsigned short>(r.Width()), static_cast<unsigned short>(r.Height())});
    XShapeCombineRectangles(FConn.Dpy(), w, ShapeBounding, 0, 0, xr.data(), static_cast<int>(xr.size()),
                            ShapeSet, YXBanded);
}

void X11Windows::ApplyAlpha(HWND hwnd, XId w) {
    Byte alpha = 255;
    if (!GetLayeredAlpha(hwnd, alpha)) {
        XDeleteProperty(FConn.Dpy(), w, FOpacity);
        return;
    }
    unsigned long value = static_cast<unsigned long>(alpha) * 0x01010101ul;
    XChangeProperty(FConn.Dpy(), w, FOpacity, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&value), 1);
}

void X11Windows::Present(HWND hwnd, const std::vector<TRect>* parts) {
    const XId win = XWindowOf(hwnd);
    if (!win) return;
    HBITMAP s = GetWindowSurface(hwnd);
    if (!s || s->Empty()) return;
    if (parts)
        FUpload.Put(win, *s, *parts);
    else
        FUpload.Put(win, *s, {TRect{0, 0, s->Width(), s->Height()}});
}

void X11Windows::Damaged(HWND hwnd, const TRect& part) {
    if (!FDirty.count(hwnd)) AddDamage(FDamage[hwnd], part);
}

void X11Windows::PresentDirty() {
    auto dirty = std::move(FDirty);
    auto damage = std::move(FDamage);
    FDirty.clear();
    FDamage.clear();
    for (HWND h : dirty)
        Present(h, nullptr);
    for (const auto& [h, parts] : damage)
        if (!dirty.count(h)) Present(h, &parts);
}

void X11Windows::Destroyed(HWND hwnd) {
    FDirty.erase(hwnd);
    FDamage.erase(hwnd);
    FIconified.erase(hwnd);
    FAppsShown.erase(hwnd);
    FAppsHidden.erase(hwnd);
    FUnhonoured.erase(hwnd);
    FMaximized.erase(hwnd);
    auto it = FWindows.find(hwnd);
    if (it == FWindows.end()) return;
    FByX.erase(it->second);
    FUpload.Forget(it->second);
    XDestroyWindow(FConn.Dpy(), it->second);
    FWindows.erase(it);
    XFlush(FConn.Dpy());
}

// The application window has no size and never reaches the screen. Hiding it after it was
// shown (the program's minimize to the tray) withdraws every form it owns, so none keeps a
// task-bar entry; showing it again brings them back as they were.
std::vector<HWND> X11Windows::ApplicationShown(HWND app, bool shown) {
    if (shown) {
        FAppsShown.insert(app);
        if (!FAppsHidden.erase(app)) return {};
    } else {
        if (!FAppsShown.erase(app)) return {};
        FAppsHidden.insert(app);
    }
    std::vector<HWND> owned;
    for (HWND h : GetTopLevelWindows())
        if (GetWindow(h, GW_OWNER) == app) owned.push_back(h);
    if (shown) return owned;
    for (HWND h : owned) {
        FIconified.erase(h);
        if (XId w = XWindowOf(h)) XWithdrawWindow(FConn.Dpy(), w, FConn.Screen());
    }
    return {};
}

void X11Windows::Changed(HWND hwnd, unsigned what) {
    Display* dpy = FConn.Dpy();
    const TRect bounds = GetWindowRect(hwnd);
    if (bounds.Width() <= 0 || bounds.Height() <= 0) {
        if (what & wcVisible)
            for (HWND h : ApplicationShown(hwnd, (GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE) != 0))
                Changed(h, wcVisible);
        XFlush(dpy);
        return;
    }
    const bool visible = IsWindowVisible(hwnd);
    const bool withdrawn = OwnerHidden(hwnd);
    XId w = XWindowOf(hwnd);
    if (!w) {
        if (!visible || withdrawn) return; // made when first shown, at its first position
        w = Ensure(hwnd);
        FDirty.insert(hwnd);
        XMapRaised(dpy, w);
        PresentDirty();
        XFlush(dpy);
        return;
    }
    if (what & wcBounds) {
        XMoveResizeWindow(dpy, w, bounds.Left, bounds.Top, static_cast<unsigned>(std::max(1, bounds.Width())),
                          static_cast<unsigned>(std::max(1, bounds.Height())));
        FDirty.insert(hwnd);
    }
    if (what & wcRegion) ApplyRegion(hwnd, w);
    if (what & (wcAlpha | wcStyle)) ApplyAlpha(hwnd, w);
    if (what & wcStyle) ApplyMaximized(hwnd, w, IsWindowVisible(hwnd) && !withdrawn);
    if (what & wcText) ApplyText(hwnd, w);
    if (what & wcIcon) ApplyIcon(hwnd, w);
    if (what & wcSurface) FDirty.insert(hwnd);
    if (what & wcZOrder) {
        auto tops = GetTopLevelWindows();
        if (!tops.empty() && tops.front() == hwnd) XRaiseWindow(dpy, w);
    }
    if ((what & wcVisible) && !withdrawn) ApplyVisible(hwnd, w, visible);
    XFlush(dpy);
}

void X11Windows::ApplyVisible(HWND hwnd, XId w, bool visible) {
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    const bool ownerIconic = owner && IsIconic(owner);
    const bool styleVisible = (GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible) {
        if (!BypassesWindowManager(hwnd)) ApplyTransient(hwnd, w);
        XMapRaised(FConn.Dpy(), w);
        FIconified.erase(hwnd);
        FDirty.insert(hwnd);
    } else if (ownerIconic && styleVisible && !FHints.Running()) {
        // Nobody would honour an iconify: the form stays mapped until the application is
        // restored (UndoUnhonouredMinimize) or hides it.
        FUnhonoured.insert(owner);
    } else if (ownerIconic && styleVisible && FIconified.empty()) {
        // The application minimized: its first form stays in the task bar as an icon.
        XIconifyWindow(FConn.Dpy(), w, FConn.Screen());
        FIconified.insert(hwnd);
    } else {
        XUnmapWindow(FConn.Dpy(), w);
    }
}

void X11Windows::UndoUnhonouredMinimize() {
    auto apps = std::move(FUnhonoured);
    FUnhonoured.clear();
    for (HWND app : apps)
        if (IsWindow(app) && IsIconic(app) && (GetWindowLong(app, GWL_STYLE) & WS_VISIBLE))
            PostMessage(app, WM_SYSCOMMAND, SC_RESTORE, 0);
}

// The window a dialog belongs to: its owner when that is on the screen, else, for a modal
// window (shown while our other windows take no input), the topmost of those.
XId X11Windows::TransientOwner(HWND hwnd) const {
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    if (XId w = owner ? XWindowOf(owner) : 0; w && IsWindowVisible(owner)) return w;
    if (!IsWindowEnabled(hwnd)) return 0;
    for (HWND h : GetTopLevelWindows()) {
        if (h == hwnd || IsWindowEnabled(h) || !IsWindowVisible(h)) continue;
        if (XId w = XWindowOf(h)) return w;
    }
    return 0;
}

void X11Windows::ApplyTransient(HWND hwnd, XId w) {
    FHints.SetTransientFor(w, TransientOwner(hwnd));
}

void X11Windows::ApplyMaximized(HWND hwnd, XId w, bool mapped) {
    const bool on = (GetWindowLong(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0;
    if (on == (FMaximized.count(hwnd) != 0)) return;
    if (on)
        FMaximized.insert(hwnd);
    else
        FMaximized.erase(hwnd);
    // A running window manager is asked; otherwise the property is the state (one that starts
    // later reads it).
    FHints.SetMaximized(w, mapped && FHints.Running(), on);
}

bool X11Windows::Handle(XEvent& e) {
    switch (e.type) {
    case Expose:
        if (HWND h = Find(e.xexpose.window)) FDirty.insert(h);
        return true;
    case ClientMessage:
        if (e.xclient.message_type == FWmProtocols && static_cast<Atom>(e.xclient.data.l[0]) == FWmDelete)
            if (HWND h = Find(e.xclient.window)) PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case MapNotify:
        // The window manager brought an icon back: the program restores the way it minimized.
        if (HWND h = Find(e.xmap.window); h && FIconified.count(h)) {
            FIconified.erase(h);
            if (HWND owner = GetWindow(h, GW_OWNER); owner && IsIconic(owner))
                PostMessage(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
        }
        return true;
    case FocusIn:
        if (e.xfocus.mode == NotifyNormal)
            if (HWND h = Find(e.xfocus.window); h && GetActiveWindow() != h) SetActiveWindow(h);
        return true;
    default:
        return false;
    }
}

} // namespace vd
