// Scrolling a window's pixels: a copy through a scratch bitmap (source and target overlap),
// the uncovered strips invalidated, the pending update area moved along.
#include "platform/gfx/Gdi.h"
#include "platform/win/core/WinCore.h"

#include <algorithm>

namespace vd {
using namespace wincore;
namespace {

TRect Clip(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.Right <= r.Left || r.Bottom <= r.Top) return {};
    return r;
}

TRect Offset(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

bool Empty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

TRect Bound(const TRect& a, const TRect& b) {
    if (Empty(a)) return b;
    if (Empty(b)) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

void CopyPixels(HWND hwnd, const TRect& from, int dx, int dy) {
    if (Empty(from)) return;
    HDC dc = GetDC(hwnd);
    UniqueBitmap scratch(CreateBitmap(from.Width(), from.Height(), 1, 24, nullptr));
    UniqueDC mem(CreateCompatibleDC(nullptr));
    SelectObject(mem.Get(), reinterpret_cast<HGDIOBJ>(scratch.Get()));
    BitBlt(mem.Get(), 0, 0, from.Width(), from.Height(), dc, from.Left, from.Top, SRCCOPY);
    BitBlt(dc, from.Left + dx, from.Top + dy, from.Width(), from.Height(), mem.Get(), 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
}

} // namespace

int ScrollWindowEx(HWND hwnd, int dx, int dy, const TRect* rect, const TRect* clip, HRGN, TRect* update,
                   UINT flags) {
    Window* w = Get(hwnd);
    if (!w) return 0;
    const TRect client{0, 0, w->client.Width(), w->client.Height()};
    const TRect area = Clip(rect ? *rect : client, clip ? Clip(*clip, client) : client);
    // Pixels that stay inside the area after the move.
    const TRect from = Clip(area, Offset(area, -dx, -dy));
    CopyPixels(hwnd, from, dx, dy);
    const TRect to = Offset(from, dx, dy);
    // What the move uncovered: the area minus its moved part, as a bounding rectangle of strips.
    TRect uncovered;
    if (Empty(to)) {
        uncovered = area;
    } else {
        if (to.Top > area.Top) uncovered = Bound(uncovered, {area.Left, area.Top, area.Right, to.Top});
        if (to.Bottom < area.Bottom)
            uncovered = Bound(uncovered, {area.Left, to.Bottom, area.Right, area.Bottom});
        if (to.Left > area.Left) uncovered = Bound(uncovered, {area.Left, area.Top, to.Left, area.Bottom});
        if (to.Right < area.Right)
            uncovered = Bound(uncovered, {to.Right, area.Top, area.Right, area.Bottom});
    }
    if (!Empty(w->update)) {
        const TRect moved = Clip(Offset(Clip(w->update, area), dx, dy), area);
        w->update = Bound(w->update, moved);
        PaintMayBeDue();
    }
    if (flags & SW_SCROLLCHILDREN)
        for (Window* c : std::vector<Window*>(w->children))
            SetWindowPos(c->Handle(), nullptr, c->rect.Left + dx, c->rect.Top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (update) *update = uncovered;
    if ((flags & SW_INVALIDATE) && !Empty(uncovered))
        InvalidateRect(hwnd, &uncovered, (flags & SW_ERASE) ? TRUE : FALSE);
    return Empty(uncovered) ? 1 : 2; // NULLREGION / SIMPLEREGION
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const TRect* rect, const TRect* clip) {
    if (!IsWindow(hwnd)) return FALSE;
    ScrollWindowEx(hwnd, dx, dy, rect, clip, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE | (rect ? 0 : SW_SCROLLCHILDREN));
    return TRUE;
}

} // namespace vd
