#pragma once
// A window region: a set of pixels kept as sorted spans per row, read back as rectangles in
// bands (top to bottom, left to right, equal neighbouring rows merged), as the platform does.
#include "platform/rtl/Types.h"

#include <map>
#include <span>
#include <utility>
#include <vector>

namespace vd {

class TskRegion {
public:
    TskRegion() = default;
    static TskRegion FromRect(const TRect& r);
    static TskRegion FromRects(std::span<const TRect> rects);

    void Union(const TskRegion& other); // RGN_OR
    void AddRect(const TRect& r);
    bool Empty() const { return FRows.empty(); }
    bool Contains(int x, int y) const;
    TRect Bounds() const;
    std::vector<TRect> Rects() const;

    friend bool operator==(const TskRegion&, const TskRegion&) = default;

private:
    using Spans = std::vector<std::pair<int, int>>; // [left, right) sorted, disjoint, not touching
    static void AddSpan(Spans& spans, int left, int right);

    std::map<int, Spans> FRows;
};

} // namespace vd
