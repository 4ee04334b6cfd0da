// Screens, system metrics, the clipboard and small helpers.
#include "platform/win/core/WinCore.h"
#include "platform/win/headless/HeadlessBackend.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace vd {
namespace {

std::atomic<Backend*> gBackend{nullptr};

HeadlessBackend& DefaultBackend() {
    static HeadlessBackend* b = new HeadlessBackend; // lives as long as any window might
    return *b;
}

std::vector<MonitorDesc> MonitorsOrDefault() {
    auto m = CurrentBackend().Monitors();
    if (m.empty()) m.push_back({{0, 0, 1024, 768}, {0, 0, 1024, 768}});
    return m;
}

int Overlap(const TRect& a, const TRect& b) {
    const int w = std::min(a.Right, b.Right) - std::max(a.Left, b.Left);
    const int h = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
    return w > 0 && h > 0 ? w * h : 0;
}

long long Distance(const TRect& r, TPoint p) {
    const long long dx = p.X < r.Left ? r.Left - p.X : (p.X >= r.Right ? p.X - r.Right + 1 : 0);
    const long long dy = p.Y < r.Top ? r.Top - p.Y : (p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0);
    return dx * dx + dy * dy;
}

HMONITOR ToHandle(std::size_t index) {
    return reinterpret_cast<HMONITOR>(index + 1);
}

} // namespace

Backend& CurrentBackend() {
    Backend* b = gBackend.load();
    return b ? *b : DefaultBackend();
}

void InstallBackend(Backend* backend) {
    gBackend.store(backend);
}

void WakeFromSignal() {
    if (Backend* b = gBackend.load()) b->WakeFromSignal();
}

HMONITOR MonitorFromPoint(TPoint pt, DWord flags) {
    const auto mons = MonitorsOrDefault();
    std::size_t best = 0;
    long long bestD = -1;
    for (std::size_t i = 0; i < mons.size(); ++i) {
        const long long d = Distance(mons[i].bounds, pt);
        if (d == 0) return ToHandle(i);
        if (bestD < 0 || d < bestD) bestD = d, best = i;
    }
    if (flags == MONITOR_DEFAULTTONULL) return nullptr;
    return ToHandle(flags == MONITOR_DEFAULTTOPRIMARY ? 0 : best);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWord flags) {
    TRect r;
    if (!GetWindowRect(hwnd, r)) return flags == MONITOR_DEFAULTTONULL ? nullptr : ToHandle(0);
    const auto mons = MonitorsOrDefault();
    int bestArea = 0;
    std::size_t best = 0;
    for (std::size_t i = 0; i < mons.size(); ++i) {
        const int a = Overlap(mons[i].bounds, r);
        if (a > bestArea) bestArea = a, best = i;
    }
    if (bestArea > 0) return ToHandle(best);
    return MonitorFromPoint({r.Left + r.Width() / 2, r.Top + r.Height() / 2}, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO& info) {
    const auto mons = MonitorsOrDefault();
    const auto index = reinterpret_cast<std::uintptr_t>(monitor);
    if (index == 0 || index > mons.size()) return FALSE;
    info.rcMonitor = mons[index - 1].bounds;
    info.rcWork = mons[index - 1].work;
    info.dwFlags = index == 1 ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT, void* pv, UINT) {
    switch (action) {
    case SPI_GETWORKAREA:
        if (!pv) return FALSE;
        *static_cast<TRect*>(pv) = MonitorsOrDefault().front().work;
        return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
        if (pv) *static_cast<BOOL*>(pv) = TRUE; // our move loop always drags the whole window
        return TRUE;
    default:
        return FALSE;
    }
}

int GetSystemMetrics(int index) {
    const auto mons = MonitorsOrDefault();
    switch (index) {
    case SM_CXSCREEN:
        return mons.front().bounds.Width();
    case SM_CYSCREEN:
        return mons.front().bounds.Height();
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYCURSOR:
        return 32;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CMONITORS:
        return static_cast<int>(mons.size());
    case SM_CXVIRTUALSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN: {
        TRect all = mons.front().bounds;
        for (const auto& m : mons)
            all = {std::min(all.Left, m.bounds.Left), std::min(all.Top, m.bounds.Top),
                   std::max(all.Right, m.bounds.Right), std::max(all.Bottom, m.bounds.Bottom)};
        return index == SM_XVIRTUALSCREEN    ? all.Left
               : index == SM_YVIRTUALSCREEN  ? all.Top
               : index == SM_CXVIRTUALSCREEN ? all.Width()
                                             : all.Height();
    }
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
        return 32;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 16;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    default:
        return 0;
    }
}

bool ClipboardHasText() {
    return CurrentBackend().ClipboardHasText();
}
String ClipboardGetText() {
    return CurrentBackend().ClipboardText();
}
void ClipboardSetText(const String& text) {
    CurrentBackend().SetClipboardText(text);
}

void MessageBeep(UINT) {}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long num = static_cast<long long>(a) * b;
    const bool neg = (num < 0) != (c < 0);
    unsigned long long n = static_cast<unsigned long long>(num < 0 ? -num : num);
    const unsigned long long d = static_cast<unsigned long long>(c < 0 ? -static_cast<long long>(c) : c);
    unsigned long long q = (n + d / 2) / d; // halves away from zero
    if (q > 0x7FFFFFFFull + (neg ? 1 : 0)) return -1;
    return neg ? static_cast<int>(-static_cast<long long>(q)) : static_cast<int>(q);
}

} // namespace vd
