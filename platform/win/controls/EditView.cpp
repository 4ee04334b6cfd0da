#include "platform/win/controls/EditView.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <cstdlib>

namespace vd {

EditView::EditView() {
    FMeasure = CreateCompatibleDC(nullptr);
    LOGFONTA lf;
    lf.lfHeight = -11;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "MS Sans Serif");
    FDefaultFont = CreateFontIndirectA(&lf);
    SetFont(nullptr);
}

EditView::~EditView() {
    DeleteDC(FMeasure);
    DeleteObject(FDefaultFont);
}

void EditView::SetFont(HFONT font) {
    FFont = font;
    SelectObject(FMeasure, reinterpret_cast<HGDIOBJ>(font ? font : FDefaultFont));
    TEXTMETRICA tm;
    GetTextMetricsA(FMeasure, &tm);
    FLineHeight = tm.tmHeight;
}

void EditView::SetFormatRect(const TRect* r) {
    FHasRect = r != nullptr;
    if (r) FRect = *r;
}

void EditView::Layout(const EditModel& model, char32_t passwordChar) {
    const String& text = model.Text();
    FStops.clear();
    FShown.clear();
    const String mask = passwordChar ? Utf8Encode(passwordChar) : String();
    std::size_t pos = 0;
    for (;;) {
        FStops.emplace_back(pos, TextExtent(FMeasure, FShown).cx);
        if (pos >= text.size()) break;
        const std::size_t next = Utf8NextChar(text, pos);
        FShown += passwordChar ? mask : text.substr(pos, next - pos);
        pos = next;
    }
}

int EditView::StopX(std::size_t pos) const {
    auto it = std::lower_bound(FStops.begin(), FStops.end(), pos,
                               [](const auto& s, std::size_t p) { return s.first < p; });
    if (it == FStops.end()) return TextWidth();
    return it->second;
}

int EditView::Avail(const TRect& client) const {
    const TRect f = FormatRect(client);
    return std::max(0, f.Width() - MarginLeft - MarginRight);
}

// Client x of the text's first pixel: alignment applies while the text fits.
int EditView::Origin(const TRect& client) const {
    const TRect f = FormatRect(client);
    const int avail = Avail(client);
    int x = f.Left + MarginLeft;
    if (TextWidth() < avail) {
        if (Align == 2) x += avail - TextWidth() - 1;
        if (Align == 1) x += (avail - TextWidth()) / 2;
        return x;
    }
    return x - FScroll;
}

int EditView::PosX(std::size_t pos, const TRect& client) const {
    return Origin(client) + StopX(pos);
}

std::size_t EditView::PosFromX(int x, const TRect& client) const {
    const int tx = x - Origin(client);
    std::size_t best = 0;
    int bestD = -1;
    for (const auto& [p, sx] : FStops) {
        const int d = std::abs(sx - tx);
        if (bestD < 0 || d < bestD) best = p, bestD = d;
    }
    return best;
}

void EditView::ScrollTo(std::size_t caret, const TRect& client) {
    const int avail = Avail(client);
    const int width = TextWidth();
    if (width < avail) {
        FScroll = 0;
        return;
    }
    const int cx = StopX(caret);
    if (cx < FScroll) FScroll = cx - avail / 3;
    if (cx >= FScroll + avail) FScroll = cx - avail + avail / 3;
    // Room for the caret after the last character, never past the end.
    FScroll = std::clamp(FScroll, 0, std::max(0, width + 1 - avail));
}

void EditView::Paint(HDC dc, const TRect& client, const EditModel& model, COLORREF text,
                     bool showSelection) const {
    const TRect f = FormatRect(client);
    SaveGuard save(dc);
    IntersectClipRect(dc, f.Left, f.Top, f.Right, f.Bottom);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont ? FFont : FDefaultFont));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    const int x0 = Origin(client);
    TextOutA(dc, x0, f.Top, FShown.data(), static_cast<int>(FShown.size()));
    if (!showSelection || !model.HasSelection()) return;
    const TRect sel{x0 + StopX(model.SelMin()), f.Top, x0 + StopX(model.SelMax()), f.Top + FLineHeight};
    HBRUSH hl = GetSysColorBrush(COLOR_HIGHLIGHT);
    FillRect(dc, &sel, hl);
    IntersectClipRect(dc, sel.Left, sel.Top, sel.Right, sel.Bottom);
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    TextOutA(dc, x0, f.Top, FShown.data(), static_cast<int>(FShown.size()));
}

} // namespace vd
