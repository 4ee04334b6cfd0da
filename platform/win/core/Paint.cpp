// Invalidation and the paint cycle; window regions and layered alpha.
#include "platform/win/core/WinCore.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace vd {
namespace wincore {
namespace {

bool Empty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

TRect Union(const TRect& a, const TRect& b) {
    if (Empty(a)) return b;
    if (Empty(b)) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return Empty(r) ? TRect{} : r;
}

void AddUpdate(Window& w, const TRect& r, bool erase) {
    if (w.noRedraw) return;
    const TRect c = Intersect(r, {0, 0, w.client.Width(), w.client.Height()});
    if (Empty(c)) return;
    w.update = Union(w.update, c);
    if (erase) w.erasePending = true;
    PaintMayBeDue();
}

// W is visible with its ancestors: a child is too when it is shown itself, so each window is
// asked once instead of its whole chain at every step of the walk.
Window* FindPaintBelow(Window& w) {
    if (w.noRedraw) return nullptr;
    if (w.ncPending || !Empty(w.update)) return &w;
    for (Window* c : w.children)
        if ((c->style & WS_VISIBLE) && !c->hiddenByOwner)
            if (Window* p = FindPaintBelow(*c)) return p;
    return nullptr;
}

Window* FindPaint(Window& w) {
    return EffectivelyVisible(w) ? FindPaintBelow(w) : nullptr;
}

} // namespace

void InvalidateWhole(Window& w, bool erase, bool frame) {
    AddUpdate(w, {0, 0, w.client.Width(), w.client.Height()}, erase);
    if (frame) {
        w.ncPending = true;
        PaintMayBeDue();
        for (Window* c : w.children)
            if (c->style & WS_VISIBLE) InvalidateWhole(*c, erase, true);
    }
}

void InvalidateParentArea(Window& w) {
    if (!w.IsChild()) return;
    AddUpdate(*w.parent, w.rect, true);
}

namespace {
std::atomic<std::uint64_t> PaintChangeCount{1};
} // namespace

void PaintMayBeDue() {
    PaintChangeCount.fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t PaintChanges() {
    return PaintChangeCount.load(std::memory_order_relaxed);
}

bool NextPaint(ThreadQueue& q, MSG& msg) {
    for (;;) {
        const std::uint64_t changes = PaintChanges();
        if (q.paintQuietAt == changes) return false;
        Window* found = nullptr;
        for (Window* t : TopLevels()) {
            if (t->queue.get() != &q) continue;
            if ((found = FindPaint(*t))) break;
        }
        if (!found) {
            q.paintQuietAt = changes;
            return false;
        }
        WindowRef keep = Lookup(found->Handle());
        if (found->ncPending) {
            found->ncPending = false;
            CallProc(*found, WM_NCPAINT, 1, 0);
            if (!found->alive) continue;
        }
        if (Empty(found->update)) continue;
        msg = MSG{};
        msg.hwnd = found->Handle();
        msg.message = WM_PAINT;
        msg.time = static_cast<DWord>(CurrentBackend().NowMs());
        return true;
    }
}

} // namespace wincore

using namespace wincore;

BOOL InvalidateRect(HWND hwnd, const TRect* rect, BOOL erase) {
    Window* w = Get(hwnd);
    if (!w) return FALSE;
    AddUpdate(*w, rect ? *rect : TRect{0, 0, w->client.Width(), w->client.Height()}, erase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const TRect* rect) {
    Window* w = Get(hwnd);
    if (!w) return FALSE;
    if (!rect) {
        w->update = {};
        w->erasePending = false;
        return TRUE;
    }
    // The update area is one rectangle: only a cover of a whole side shrinks it.
    TRect& u = w->update;
    const TRect c = Intersect(u, *rect);
    if (c == u) {
        u = {};
        w->erasePending = false;
    } else if (c.Left == u.Left && c.Right == u.Right) {
        if (c.Top == u.Top)
            u.Top = c.Bottom;
        else if (c.Bottom == u.Bottom)
            u.Bottom = c.Top;
    } else if (c.Top == u.Top && c.Bottom == u.Bottom) {
        if (c.Left == u.Left)
            u.Left = c.Right;
        else if (c.Right == u.Right)
            u.Right = c.Left;
    }
    return TRUE;
}

bool GetUpdateRect(HWND hwnd, TRect& rect, BOOL erase) {
    Window* w = Get(hwnd);
    if (!w) return false;
    rect = w->update;
    if (erase && !Empty(w->update) && w->erasePending) {
        w->erasePending = false;
        HDC dc = MakeDC(*w, false, &w->update);
        SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(hwnd, dc);
    }
    return !Empty(rect);
}

BOOL UpdateWindow(HWND hwnd) {
    WindowRef w = Lookup(hwnd);
    if (!w) return FALSE;
    if (!EffectivelyVisible(*w) || w->noRedraw) return TRUE;
    if (w->ncPending) {
        w->ncPending = false;
        CallProc(*w, WM_NCPAINT, 1, 0);
    }
    if (w->alive && !Empty(w->update)) {
        CallProc(*w, WM_PAINT, 0, 0);
        if (w->alive) {
            w->update = {};
            w->erasePending = false;
        }
    }
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const TRect* rect, UINT flags) {
    WindowRef w = Lookup(hwnd);
    if (!w) return FALSE;
    if (flags & RDW_INVALIDATE) {
        AddUpdate(*w, rect ? *rect : TRect{0, 0, w->client.Width(), w->client.Height()},
                  (flags & RDW_ERASE) && !(flags & RDW_NOERASE));
        if (flags & RDW_FRAME) {
            w->ncPending = true;
            PaintMayBeDue();
        }
        if (flags & RDW_ALLCHILDREN)
            for (Window* c : w->children)
                RedrawWindow(c->Handle(), nullptr, flags & ~(RDW_UPDATENOW | RDW_ERASENOW));
    }
    if (flags & RDW_VALIDATE) ValidateRect(hwnd, rect);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(hwnd);
    return TRUE;
}

void BeginPaint(HWND hwnd, PAINTSTRUCT& ps) {
    ps = PAINTSTRUCT{};
    WindowRef w = Lookup(hwnd);
    if (!w) return;
    ps.rcPaint = w->update;
    ps.caretHeld = CaretBeforePaint(hwnd);
    const bool erase = w->erasePending;
    w->update = {};
    w->erasePending = false;
    ps.hdc = MakeDC(*w, false, &ps.rcPaint);
    ps.fErase = FALSE;
    if (erase) ps.fErase = CallProc(*w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps.hdc), 0) ? FALSE : TRUE;
}

void EndPaint(HWND hwnd, const PAINTSTRUCT& ps) {
    ReleaseDC(hwnd, ps.hdc);
    if (ps.caretHeld) CaretAfterPaint();
}

BOOL SetLayeredWindowAttributes(HWND hwnd, DWord colorKey, Byte alpha, DWord flags) {
    (void)colorKey;
    Window* w = Get(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
    if (flags & LWA_ALPHA) {
        w->alpha = alpha;
        w->alphaSet = true;
        if (!w->IsChild()) CurrentBackend().TopLevelChanged(hwnd, wcAlpha);
    }
    return TRUE;
}

bool GetLayeredAlpha(HWND hwnd, Byte& alpha) {
    Window* w = Get(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) return false;
    alpha = w->alphaSet ? w->alpha : 255;
    return true;
}

bool IsLayeredWindowOS() {
    return CurrentBackend().LayeredWindowsAvailable();
}

} // namespace vd
