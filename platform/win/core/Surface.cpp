// Window surfaces, device contexts on them, window regions and scrolling.
#include "platform/gfx/Gdi.h"
#include "platform/win/core/WinCore.h"

#include <algorithm>
#include <unordered_map>

namespace vd {
namespace wincore {
namespace {

// What each context made here may paint (surface coordinates): ReleaseDC reports that part as
// painted, so that a back end sends no more than that to the screen.
thread_local std::unordered_map<HDC, TRect> tPaintable;

Window* Root(Window& w) {
    Window* r = &w;
    while (r->IsChild())
        r = r->parent;
    return r;
}

// A window's rectangle relative to its top-level window's surface.
TRect RectInRoot(const Window& w, bool whole) {
    const TRect s = WindowRectOnScreen(w);
    const Window* r = &w;
    while (r->IsChild())
        r = r->parent;
    TRect out = s;
    if (!whole)
        out = {s.Left + w.client.Left, s.Top + w.client.Top, s.Left + w.client.Right,
               s.Top + w.client.Bottom};
    const int dx = r->rect.Left, dy = r->rect.Top;
    return {out.Left - dx, out.Top - dy, out.Right - dx, out.Bottom - dy};
}

void Intersect(GdiRegion& rgn, const TRect& r) {
    rgn = GdiRegion::Combine(rgn, GdiRegion(r), RGN_AND);
}
void Subtract(GdiRegion& rgn, const GdiRegion& cut) {
    rgn = GdiRegion::Combine(rgn, cut, RGN_DIFF);
}

GdiRegion ShapeInRoot(const Window& w) {
    const TRect r = RectInRoot(w, true);
    if (!w.hasRegion) return GdiRegion(r);
    GdiRegion shape = GdiRegion::FromRects(w.region.data(), w.region.size());
    shape.Offset(r.Left, r.Top);
    Intersect(shape, r);
    return shape;
}

// What of a window can be painted, in surface coordinates.
GdiRegion VisibleRegion(Window& w, bool whole) {
    GdiRegion rgn(RectInRoot(w, whole));
    rgn = GdiRegion::Combine(rgn, ShapeInRoot(w), RGN_AND);
    for (Window* a = w.IsChild() ? w.parent : nullptr; a; a = a->IsChild() ? a->parent : nullptr) {
        Intersect(rgn, RectInRoot(*a, false));
        if (a->hasRegion) rgn = GdiRegion::Combine(rgn, ShapeInRoot(*a), RGN_AND);
    }
    for (Window* c : w.children)
        if (EffectivelyVisible(*c)) Subtract(rgn, ShapeInRoot(*c));
    for (Window* x = &w; x->IsChild(); x = x->parent) {
        for (Window* s : x->parent->children) {
            if (s == x) break; // the rest lie below
            if (EffectivelyVisible(*s)) Subtract(rgn, ShapeInRoot(*s));
        }
    }
    return rgn;
}

} // namespace

void EnsureSurface(Window& w) {
    if (w.IsChild()) return;
    const int cw = std::max(w.rect.Width(), 0), ch = std::max(w.rect.Height(), 0);
    if (!w.surface) {
        w.surface = new GdiBitmap(std::min(cw, 16384), std::min(ch, 16384), 24);
        return;
    }
    if (w.surface->Width() != cw || w.surface->Height() != ch)
        w.surface->Resize(std::min(cw, 16384), std::min(ch, 16384));
}

void ReleaseSurface(Window& w) {
    if (w.surface) DeleteObject(w.surface);
    w.surface = nullptr;
}

void ReleaseRegion(Window& w) {
    if (w.regionHandle) w.regionHandle->Release();
    w.regionHandle = nullptr;
}

HDC MakeDC(Window& w, bool whole, const TRect* clientClip) {
    Window* root = Root(w);
    EnsureSurface(*root);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, root->surface);
    const TRect r = RectInRoot(w, whole);
    SetDCOrigin(dc, r.Left, r.Top);
    GdiRegion vis = VisibleRegion(w, whole);
    if (clientClip) {
        const TRect c = RectInRoot(w, false);
        Intersect(vis, {c.Left + clientClip->Left, c.Top + clientClip->Top, c.Left + clientClip->Right,
                        c.Top + clientClip->Bottom});
    }
    dc->SetSystemClip(&vis);
    const TRect box = vis.IsEmpty() ? TRect{} : vis.Box();
    const GdiBitmap* surface = root->surface;
    tPaintable[dc] = {std::max(box.Left, 0), std::max(box.Top, 0), std::min(box.Right, surface->Width()),
                      std::min(box.Bottom, surface->Height())};
    return dc;
}

} // namespace wincore

using namespace wincore;

HDC GetDC(HWND hwnd) {
    Window* w = Get(hwnd);
    return w ? MakeDC(*w, false, nullptr) : nullptr;
}

HDC GetWindowDC(HWND hwnd) {
    Window* w = Get(hwnd);
    return w ? MakeDC(*w, true, nullptr) : nullptr;
}

int ReleaseDC(HWND hwnd, HDC dc) {
    if (!dc) return 0;
    // What the context could reach is what may have changed; a context made elsewhere may have
    // changed anything.
    TRect part{0, 0, 1 << 30, 1 << 30};
    if (auto it = tPaintable.find(dc); it != tPaintable.end()) {
        part = it->second;
        tPaintable.erase(it);
    }
    DeleteDC(dc);
    if (Window* w = Get(hwnd)) {
        Window* root = w;
        while (root->IsChild())
            root = root->parent;
        if (part.Right > part.Left && part.Bottom > part.Top)
            CurrentBackend().SurfacePainted(root->Handle(), part);
    }
    return 1;
}

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
    Window* w = Get(hwnd);
    if (!w) return 0;
    if (w->IsChild() && EffectivelyVisible(*w)) InvalidateParentArea(*w);
    ReleaseRegion(*w);
    if (rgn) {
        rgn->AddRef();
        w->regionHandle = rgn;
        w->hasRegion = true;
        w->region = rgn->Rects();
    } else {
        w->hasRegion = false;
        w->region.clear();
    }
    if (redraw) InvalidateWhole(*w, true, true);
    if (!w->IsChild()) CurrentBackend().TopLevelChanged(hwnd, wcRegion);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
    Window* w = Get(hwnd);
    if (!w || !w->hasRegion || !rgn) return ERROR;
    *rgn = GdiRegion::FromRects(w->region.data(), w->region.size());
    return rgn->IsEmpty() ? NULLREGION : (w->region.size() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL SetWindowRgnRects(HWND hwnd, const std::vector<TRect>& rects, BOOL redraw) {
    HRGN rgn = new GdiRegion(GdiRegion::FromRects(rects.data(), rects.size()));
    const int r = SetWindowRgn(hwnd, rgn, redraw);
    DeleteObject(rgn);
    return r ? TRUE : FALSE;
}

BOOL ClearWindowRgn(HWND hwnd, BOOL redraw) {
    return SetWindowRgn(hwnd, nullptr, redraw) ? TRUE : FALSE;
}

bool GetWindowRgnRects(HWND hwnd, std::vector<TRect>& rects) {
    Window* w = Get(hwnd);
    if (!w || !w->hasRegion) return false;
    rects = w->region;
    return true;
}

HBITMAP GetWindowSurface(HWND hwnd) {
    Window* w = Get(hwnd);
    if (!w) return nullptr;
    while (w->IsChild())
        w = w->parent;
    EnsureSurface(*w);
    return w->surface;
}

COLORREF GetWindowPixel(HWND hwnd, int x, int y) {
    Window* w = Get(hwnd);
    if (!w) return 0xFFFFFFFF;
    const TRect r = RectInRoot(*w, true);
    HBITMAP s = GetWindowSurface(hwnd);
    const int sx = r.Left + x, sy = r.Top + y;
    if (!s || x < 0 || y < 0 || x >= r.Width() || y >= r.Height() || sx >= s->Width() || sy >= s->Height())
        return 0xFFFFFFFF;
    const DWord bgr = s->PixelBgr(sx, sy); // 0x00RRGGBB
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

// Deterministic painting makes invalidating the whole area equal to moving its pixels.
} // namespace vd
