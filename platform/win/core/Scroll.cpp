// Scroll state per window. Every bar is drawn by the program's own skinned controls, so the
// core keeps the numbers only.
#include "platform/win/core/WinCore.h"

#include <algorithm>

namespace vd {
using namespace wincore;
namespace {

SCROLLINFO* Bar(HWND hwnd, int bar) {
    Window* w = Get(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
    return &w->scroll[bar];
}

void Clamp(SCROLLINFO& si) {
    if (si.nMax < si.nMin) si.nMax = si.nMin;
    const long long span = static_cast<long long>(si.nMax) - si.nMin + 1;
    si.nPage = static_cast<UINT>(std::min<long long>(si.nPage, span));
    const long long top =
        static_cast<long long>(si.nMax) - std::max<long long>(static_cast<long long>(si.nPage) - 1, 0);
    si.nPos = static_cast<int>(std::clamp<long long>(si.nPos, si.nMin, std::max<long long>(top, si.nMin)));
}

} // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, BOOL) {
    SCROLLINFO* si = Bar(hwnd, bar);
    if (!si) return 0;
    if (info.fMask & SIF_RANGE) {
        si->nMin = info.nMin;
        si->nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE) si->nPage = info.nPage;
    if (info.fMask & SIF_POS) si->nPos = info.nPos;
    Clamp(*si);
    return si->nPos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info) {
    const SCROLLINFO* si = Bar(hwnd, bar);
    if (!si) return FALSE;
    if (info.fMask & SIF_RANGE) {
        info.nMin = si->nMin;
        info.nMax = si->nMax;
    }
    if (info.fMask & SIF_PAGE) info.nPage = si->nPage;
    if (info.fMask & SIF_POS) info.nPos = si->nPos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = si->nPos;
    return TRUE;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = minPos;
    si.nMax = maxPos;
    if (!Bar(hwnd, bar)) return FALSE;
    SetScrollInfo(hwnd, bar, si, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    const SCROLLINFO* si = Bar(hwnd, bar);
    if (!si) return FALSE;
    if (minPos) *minPos = si->nMin;
    if (maxPos) *maxPos = si->nMax;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    SCROLLINFO* si = Bar(hwnd, bar);
    if (!si) return 0;
    const int old = si->nPos;
    SCROLLINFO in;
    in.fMask = SIF_POS;
    in.nPos = pos;
    SetScrollInfo(hwnd, bar, in, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    const SCROLLINFO* si = Bar(hwnd, bar);
    return si ? si->nPos : 0;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window* w = Get(hwnd);
    if (!w) return FALSE;
    if (bar == SB_HORZ || bar == SB_BOTH) w->scrollShown[SB_HORZ] = show != FALSE;
    if (bar == SB_VERT || bar == SB_BOTH) w->scrollShown[SB_VERT] = show != FALSE;
    return TRUE;
}

bool IsScrollBarShown(HWND hwnd, int bar) {
    Window* w = Get(hwnd);
    return w && (bar == SB_HORZ || bar == SB_VERT) && w->scrollShown[bar];
}

} // namespace vd
