// Geometry, z-order, SetWindowPos and ShowWindow with their message sequences.
#include "platform/win/core/WinCore.h"

#include <algorithm>

namespace vd {
namespace wincore {

TPoint ClientOriginOnScreen(const Window& w) {
    TRect r = WindowRectOnScreen(w);
    return {r.Left + w.client.Left, r.Top + w.client.Top};
}

TRect WindowRectOnScreen(const Window& w) {
    if (!w.IsChild()) return w.rect;
    const TPoint o = ClientOriginOnScreen(*w.parent);
    return {w.rect.Left + o.X, w.rect.Top + o.Y, w.rect.Right + o.X, w.rect.Bottom + o.Y};
}

bool EffectivelyVisible(const Window& w) {
    for (const Window* a = &w; a; a = a->IsChild() ? a->parent : nullptr) {
        if (!(a->style & WS_VISIBLE) || a->hiddenByOwner) return false;
    }
    return true;
}

bool EffectivelyEnabled(const Window& w) {
    for (const Window* a = &w; a; a = a->IsChild() ? a->parent : nullptr)
        if (a->style & WS_DISABLED) return false;
    return true;
}

void ZOrderRemove(Window& w) {
    auto& t = TopLevels();
    t.erase(std::remove(t.begin(), t.end(), &w), t.end());
}

// Top-most windows stay in front of the others.
void ZOrderInsert(Window& w, HWND insertAfter) {
    auto& list = w.IsChild() ? w.parent->children : TopLevels();
    list.erase(std::remove(list.begin(), list.end(), &w), list.end());
    if (insertAfter == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST) w.exStyle &= ~WS_EX_TOPMOST;
    const bool topmost = !w.IsChild() && (w.exStyle & WS_EX_TOPMOST);
    auto firstNonTopmost = [&] {
        return std::find_if(list.begin(), list.end(),
                            [](Window* x) { return !(x->exStyle & WS_EX_TOPMOST); });
    };
    if (insertAfter == HWND_BOTTOM) {
        list.push_back(&w);
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        if (w.IsChild() || topmost)
            list.insert(list.begin(), &w);
        else
            list.insert(firstNonTopmost(), &w);
    } else {
        auto it =
            std::find_if(list.begin(), list.end(), [&](Window* x) { return x->Handle() == insertAfter; });
        if (it == list.end())
            list.insert(w.IsChild() || topmost ? list.begin() : firstNonTopmost(), &w);
        else
            list.insert(it + 1, &w);
        if (!w.IsChild() && !topmost) { // keep the top-most band in front
            std::stable_partition(list.begin(), list.end(),
                                  [](Window* x) { return (x->exStyle & WS_EX_TOPMOST) != 0; });
        }
    }
}

void DefNcCalcSize(Window& w, TRect& r) {
    int border = 0;
    if (w.style & WS_THICKFRAME)
        border = 4;
    else if (w.style & (WS_BORDER | WS_DLGFRAME))
        border = 1;
    r.Left += border;
    r.Right -= border;
    r.Bottom -= border;
    r.Top += border;
    if ((w.style & WS_CAPTION) == WS_CAPTION) r.Top += (w.exStyle & WS_EX_TOOLWINDOW) ? 16 : 19;
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
}

// The answer to WM_NCCALCSIZE (parent coordinates) becomes the client rectangle.
void ApplyNcCalcSize(Window& w, const TRect& newRect, bool sendCalc) {
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newRect;
    p.rgrc[1] = w.rect;
    p.rgrc[2] = {w.rect.Left + w.client.Left, w.rect.Top + w.client.Top, w.rect.Left + w.client.Right,
                 w.rect.Top + w.client.Bottom};
    if (sendCalc) CallProc(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
    TRect c = p.rgrc[0];
    c.Right = std::max(c.Right, c.Left);
    c.Bottom = std::max(c.Bottom, c.Top);
    w.client = {c.Left - newRect.Left, c.Top - newRect.Top, c.Right - newRect.Left, c.Bottom - newRect.Top};
}

namespace {

MINMAXINFO DefaultMinMax(Window& w) {
    MINMAXINFO mmi;
    HMONITOR mon = MonitorFromWindow(w.Handle(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi;
    GetMonitorInfo(mon, mi);
    mmi.ptMaxSize = {mi.rcWork.Width(), mi.rcWork.Height()};
    mmi.ptMaxPosition = {0, 0};
    mmi.ptMinTrackSize = {(w.style & WS_THICKFRAME) ? 112 : 0, (w.style & WS_THICKFRAME) ? 27 : 0};
    mmi.ptMaxTrackSize = {mi.rcMonitor.Width() + 12, mi.rcMonitor.Height() + 12};
    return mmi;
}

} // namespace

MINMAXINFO QueryMinMax(Window& w) {
    MINMAXINFO mmi = DefaultMinMax(w);
    CallProc(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

} // namespace wincore

using namespace wincore;

BOOL GetWindowRect(HWND hwnd, TRect& rect) {
    Window* w = Get(hwnd);
    if (!w) return FALSE;
    rect = WindowRectOnScreen(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, TRect& rect) {
    Window* w = Get(hwnd);
    if (!w) return FALSE;
    rect = {0, 0, w->client.Width(), w->client.Height()};
    return TRUE;
}

TRect GetWindowRect(HWND hwnd) {
    TRect r;
    GetWindowRect(hwnd, r);
    return r;
}

TRect GetClientRect(HWND hwnd) {
    TRect r;
    GetClientRect(hwnd, r);
    return r;
}

BOOL ClientToScreen(HWND hwnd, TPoint& pt) {
    Window* w = Get(hwnd);
    if (!w) return FALSE;
    const TPoint o = ClientOriginOnScreen(*w);
    pt.X += o.X;
    pt.Y += o.Y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, TPoint& pt) {
    Window* w = Get(hwnd);
    if (!w) return FALSE;
    const TPoint o = ClientOriginOnScreen(*w);
    pt.X -= o.X;
    pt.Y -= o.Y;
    return TRUE;
}

void MapWindowPoints(HWND from, HWND to, TPoint* pts, int count) {
    for (int i = 0; i < count; ++i) {
        if (from) ClientToScreen(from, pts[i]);
        if (to) ScreenToClient(to, pts[i]);
    }
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowRef w = Lookup(hwnd);
    if (!w) return FALSE;
    WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.Left;
        wp.y = w->rect.Top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = w->rect.Width();
        wp.cy = w->rect.Height();
    }
    if (!(flags & SWP_NOSENDCHANGING)) CallProc(*w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!w->alive) return FALSE;
    const bool sizeAsked =
        !(wp.flags & SWP_NOSIZE) && (wp.cx != w->rect.Width() || wp.cy != w->rect.Height());
    if (sizeAsked && (w->style & WS_THICKFRAME) && !w->IsChild()) {
        const MINMAXINFO mmi = QueryMinMax(*w);
        if (!w->alive) return FALSE;
        wp.cx = std::clamp(wp.cx, mmi.ptMinTrackSize.X, std::max(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X));
        wp.cy = std::clamp(wp.cy, mmi.ptMinTrackSize.Y, std::max(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y));
    }
    wp.cx = std::max(wp.cx, 0);
    wp.cy = std::max(wp.cy, 0);
    const TRect oldRect = w->rect;
    const TRect newRect = (wp.flags & SWP_NOMOVE) && (wp.flags & SWP_NOSIZE)
                              ? oldRect
                              : Bounds((wp.flags & SWP_NOMOVE) ? oldRect.Left : wp.x,
                                       (wp.flags & SWP_NOMOVE) ? oldRect.Top : wp.y,
                                       (wp.flags & SWP_NOSIZE) ? oldRect.Width() : wp.cx,
                                       (wp.flags & SWP_NOSIZE) ? oldRect.Height() : wp.cy);
    const bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
    const bool moved = newRect.Left != oldRect.Left || newRect.Top != oldRect.Top;
    const TRect oldClient = w->client;
    const bool wasVisible = EffectivelyVisible(*w);
    unsigned change = 0;
    if (sized || (wp.flags & SWP_FRAMECHANGED)) {
        ApplyNcCalcSize(*w, newRect, true);
        if (!w->alive) return FALSE;
    }
    if ((sized || moved) && wasVisible && w->IsChild()) InvalidateParentArea(*w);
    // The surface follows the size at its next use: a window sized several times before it
    // paints (a form while its resource is read) allocates it once.
    w->rect = newRect;
    if (sized || moved) change |= wcBounds;
    if (!(wp.flags & SWP_NOZORDER)) {
        ZOrderInsert(*w, wp.hwndInsertAfter);
        change |= wcZOrder;
    }
    if ((wp.flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE)) {
        w->style |= WS_VISIBLE;
        change |= wcVisible;
        PaintMayBeDue();
    }
    if ((wp.flags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE)) {
        if (EffectivelyVisible(*w) && w->IsChild()) InvalidateParentArea(*w);
        w->style &= ~WS_VISIBLE;
        change |= wcVisible;
    }
    const bool nowVisible = EffectivelyVisible(*w);
    if (nowVisible && !(wp.flags & SWP_NOREDRAW)) {
        if (!wasVisible || sized || (wp.flags & SWP_FRAMECHANGED) || (moved && w->IsChild()))
            InvalidateWhole(*w, true, true);
        else if (w->client != oldClient)
            InvalidateWhole(*w, true, true);
    }
    if (nowVisible && !wasVisible) {
        w->ncPending = false; // the frame is drawn now, before anyone looks at the window
        CallProc(*w, WM_NCPAINT, 1, 0);
        if (!w->alive) return FALSE;
    }
    if (!w->IsChild() && change) CurrentBackend().TopLevelChanged(hwnd, change);

    WINDOWPOS done = wp;
    done.x = w->rect.Left;
    done.y = w->rect.Top;
    done.cx = w->rect.Width();
    done.cy = w->rect.Height();
    if (!sized) done.flags |= SWP_NOSIZE;
    if (!moved) done.flags |= SWP_NOMOVE;
    if ((sized || moved || change || (wp.flags & SWP_FRAMECHANGED))) {
        CallProc(*w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
        if (!w->alive) return TRUE;
    }
    auto& q = *w->queue;
    if (!w->IsChild() && !(wp.flags & SWP_NOACTIVATE) && nowVisible && !(w->exStyle & WS_EX_NOACTIVATE) &&
        ((change & wcVisible) || !(wp.flags & SWP_NOZORDER)) && q.active != hwnd)
        Activate(w.get(), WA_ACTIVE);
    if ((change & wcVisible) && !nowVisible && q.active == hwnd) ActivateAnother(*w);
    if ((change & wcVisible) && !nowVisible && q.focus && (q.focus == hwnd || IsChild(hwnd, q.focus)))
        FocusLostBy(*w);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, cx, cy,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {

void SetOwnedShown(Window& owner, bool show) {
    std::vector<HWND> owned;
    for (Window* o : TopLevels())
        if (o->owner == owner.Handle()) owned.push_back(o->Handle());
    for (HWND h : owned) {
        WindowRef o = Lookup(h);
        if (!o || !(o->style & WS_VISIBLE) || o->hiddenByOwner == !show) continue;
        CallProc(*o, WM_SHOWWINDOW, show ? 1 : 0, show ? SW_PARENTOPENING : SW_PARENTCLOSING);
        if (!o->alive) continue;
        o->hiddenByOwner = !show;
        if (show) InvalidateWhole(*o, true, true);
        CurrentBackend().TopLevelChanged(h, wcVisible);
    }
}

void Minimize(WindowRef w, bool activate) {
    (void)activate;
    if (w->iconic) return;
    w->iconic = true;
    w->style |= WS_MINIMIZE;
    if (!w->IsChild()) SetOwnedShown(*w, false);
    if (!w->alive) return;
    CallProc(*w, WM_SIZE, SIZE_MINIMIZED, 0);
    auto& q = *w->queue;
    if (w->alive && q.active && (q.active == w->Handle() || GetWindow(q.active, GW_OWNER) == w->Handle()))
        ActivateAnother(*Get(q.active));
    if (w->alive && !w->IsChild()) CurrentBackend().TopLevelChanged(w->Handle(), wcVisible);
}

void Restore(WindowRef w) {
    if (!w->iconic) return;
    w->iconic = false;
    w->style &= ~WS_MINIMIZE;
    if (!w->IsChild()) SetOwnedShown(*w, true);
    if (!w->alive) return;
    CallProc(*w, WM_SIZE, SIZE_RESTORED, MakeLParam(w->client.Width(), w->client.Height()));
    if (w->alive && !w->IsChild()) CurrentBackend().TopLevelChanged(w->Handle(), wcVisible);
}

} // namespace

BOOL ShowWindow(HWND hwnd, int cmd) {
    WindowRef w = Lookup(hwnd);
    if (!w) return FALSE;
    const BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible) return FALSE;
        CallProc(*w, WM_SHOWWINDOW, 0, 0);
        if (w->alive) SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_HIDEWINDOW | SWP_NOACTIVATE);
        return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        Minimize(w, cmd == SW_SHOWMINIMIZED);
        return wasVisible;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (w->iconic) Restore(w);
        if (!w->alive) return wasVisible;
        break;
    default:
        break;
    }
    if (!wasVisible) {
        CallProc(*w, WM_SHOWWINDOW, 1, 0);
        if (!w->alive) return FALSE;
    }
    // Hidden while its owner was minimized, shown again once the owner is back: no longer held.
    if (w->hiddenByOwner && !wasVisible) {
        WindowRef owner = w->owner ? Lookup(w->owner) : WindowRef();
        if (!owner || !owner->iconic) {
            w->hiddenByOwner = false;
            PaintMayBeDue();
        }
    }

    const bool noActivate = cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || w->IsChild();
    UINT flags = keep | SWP_SHOWWINDOW | (noActivate ? SWP_NOACTIVATE : 0);
    if (!noActivate && !w->IsChild()) flags &= ~SWP_NOZORDER;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, flags);
    return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
    Window* w = Get(hwnd);
    return w && EffectivelyVisible(*w) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    Window* w = Get(hwnd);
    return w && w->iconic ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    Window* w = Get(hwnd);
    return w && w->zoomed ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowRef w = Lookup(hwnd);
    if (!w) return FALSE;
    const BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (static_cast<bool>(enable) == !wasDisabled) return wasDisabled;
    auto& q = *w->queue;
    if (!enable) {
        w->style |= WS_DISABLED;
        if (q.capture && (q.capture == hwnd || IsChild(hwnd, q.capture))) {
            if (WindowRef c = Lookup(q.capture)) CallProc(*c, WM_CANCELMODE, 0, 0);
            ReleaseCapture();
        }
        if (q.focus && (q.focus == hwnd || IsChild(hwnd, q.focus))) SetFocus(nullptr);
    } else {
        w->style &= ~WS_DISABLED;
    }
    if (w->alive) CallProc(*w, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = Get(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

namespace {

bool InRegion(const Window& w, TPoint windowPt) {
    if (!w.hasRegion) return true;
    for (const TRect& r : w.region)
        if (windowPt.X >= r.Left && windowPt.X < r.Right && windowPt.Y >= r.Top && windowPt.Y < r.Bottom)
            return true;
    return false;
}

bool Hits(const Window& w, TPoint screen) {
    if (!EffectivelyVisible(w)) return false;
    const TRect r = WindowRectOnScreen(w);
    if (screen.X < r.Left || screen.X >= r.Right || screen.Y < r.Top || screen.Y >= r.Bottom) return false;
    return InRegion(w, {screen.X - r.Left, screen.Y - r.Top});
}

Window* DeepestAt(Window& w, TPoint screen) {
    const TPoint o = ClientOriginOnScreen(w);
    if (screen.X < o.X || screen.Y < o.Y || screen.X >= o.X + w.client.Width() ||
        screen.Y >= o.Y + w.client.Height())
        return &w;
    for (Window* c : w.children)
        if (Hits(*c, screen)) return DeepestAt(*c, screen);
    return &w;
}

} // namespace

HWND WindowFromPoint(TPoint screenPt) {
    for (Window* t : TopLevels())
        if (Hits(*t, screenPt)) return DeepestAt(*t, screenPt)->Handle();
    return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, TPoint clientPt) {
    Window* p = Get(parent);
    if (!p) return nullptr;
    TPoint s = clientPt;
    ClientToScreen(parent, s);
    for (Window* c : p->children)
        if (Hits(*c, s)) return c->Handle();
    if (clientPt.X < 0 || clientPt.Y < 0 || clientPt.X >= p->client.Width() ||
        clientPt.Y >= p->client.Height())
        return nullptr;
    return parent;
}

} // namespace vd
