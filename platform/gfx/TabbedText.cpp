#include "platform/gfx/Text.h"

#include <algorithm>
#include <climits>

namespace vd {

namespace {

// Where a tab at Pos (relative to the tab origin) moves the text to.
int NextStop(HDC dc, int pos, int tabCount, const int* tabStops) {
    if (tabCount > 1 && tabStops) {
        for (int i = 0; i < tabCount; ++i)
            if (std::abs(tabStops[i]) > pos) return std::abs(tabStops[i]);
        return pos + std::max(1, TextExtent(dc, " ").cx); // past the last stop a tab is a space
    }
    int step = tabCount == 1 && tabStops ? std::abs(tabStops[0]) : 0;
    if (step <= 0) {
        TEXTMETRICA tm;
        const int ave = GetTextMetricsA(dc, &tm) ? tm.tmAveCharWidth : 0;
        step = 8 * std::max(1, ave);
    }
    return (pos / step + 1) * step;
}

// Lays the text out from X, calling Draw for every run between tabs; returns the extent.
template <class DrawRun>
TSize Layout(HDC dc, int x, std::string_view text, int tabCount, const int* tabStops, int origin,
             DrawRun draw) {
    int cx = x;
    int height = TextExtent(dc, "").cy;
    size_t start = 0;
    for (;;) {
        const size_t tab = text.find('\t', start);
        const std::string_view run =
            text.substr(start, tab == std::string_view::npos ? text.npos : tab - start);
        if (!run.empty()) {
            const TSize size = TextExtent(dc, run);
            draw(cx, run);
            cx += size.cx;
            height = std::max(height, size.cy);
        }
        if (tab == std::string_view::npos) break;
        cx = origin + NextStop(dc, cx - origin, tabCount, tabStops);
        start = tab + 1;
    }
    return {cx - x, height};
}

DWord Pack(TSize s) {
    return DWord(std::clamp(s.cx, 0, 0xFFFF)) | DWord(std::clamp(s.cy, 0, 0xFFFF)) << 16;
}

} // namespace

long TabbedTextOutA(HDC dc, int x, int y, const char* text, int count, int tabCount, const int* tabStops,
                    int tabOrigin) {
    if (!dc || !text || count < 0) return 0;
    const TSize size =
        Layout(dc, x, {text, size_t(count)}, tabCount, tabStops, tabOrigin,
               [&](int at, std::string_view run) { TextOutA(dc, at, y, run.data(), int(run.size())); });
    return long(Pack(size));
}

DWord GetTabbedTextExtentA(HDC dc, const char* text, int count, int tabCount, const int* tabStops) {
    if (!dc || !text || count < 0) return 0;
    return Pack(Layout(dc, 0, {text, size_t(count)}, tabCount, tabStops, 0, [](int, std::string_view) {}));
}

} // namespace vd
