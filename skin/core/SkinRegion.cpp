#include "skin/core/SkinRegion.h"

#include <algorithm>
#include <climits>

namespace vd {

TskRegion TskRegion::FromRect(const TRect& r) {
    TskRegion region;
    region.AddRect(r);
    return region;
}

TskRegion TskRegion::FromRects(std::span<const TRect> rects) {
    TskRegion region;
    for (const TRect& r : rects)
        region.AddRect(r);
    return region;
}

void TskRegion::AddSpan(Spans& spans, int left, int right) {
    auto it = std::lower_bound(spans.begin(), spans.end(), std::make_pair(left, INT_MIN));
    if (it != spans.begin() && std::prev(it)->second >= left) --it;
    auto end = it;
    while (end != spans.end() && end->first <= right) {
        left = std::min(left, end->first);
        right = std::max(right, end->second);
        ++end;
    }
    it = spans.erase(it, end);
    spans.insert(it, {left, right});
}

void TskRegion::AddRect(const TRect& r) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    for (int y = r.Top; y < r.Bottom; ++y)
        AddSpan(FRows[y], r.Left, r.Right);
}

void TskRegion::Union(const TskRegion& other) {
    for (const auto& [y, spans] : other.FRows)
        for (const auto& [l, r] : spans)
            AddSpan(FRows[y], l, r);
}

bool TskRegion::Contains(int x, int y) const {
    auto row = FRows.find(y);
    if (row == FRows.end()) return false;
    for (const auto& [l, r] : row->second)
        if (x >= l && x < r) return true;
    return false;
}

TRect TskRegion::Bounds() const {
    if (FRows.empty()) return {};
    TRect b{INT_MAX, FRows.begin()->first, INT_MIN, FRows.rbegin()->first + 1};
    for (const auto& [y, spans] : FRows) {
        b.Left = std::min(b.Left, spans.front().first);
        b.Right = std::max(b.Right, spans.back().second);
    }
    return b;
}

std::vector<TRect> TskRegion::Rects() const {
    std::vector<TRect> out;
    auto it = FRows.begin();
    while (it != FRows.end()) {
        const int top = it->first;
        const Spans& spans = it->second;
        int bottom = top + 1;
        auto next = std::next(it);
        while (next != FRows.end() && next->first == bottom && next->second == spans) {
            ++bottom;
            ++next;
        }
        for (const auto& [l, r] : spans)
            out.push_back({l, top, r, bottom});
        it = next;
    }
    return out;
}

} // namespace vd
