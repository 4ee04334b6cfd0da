#pragma once
// A region as y-bands of x-spans: rectangles sorted by top, then left; the rectangles of one
// band share top and bottom, never touch or overlap, and two vertically adjacent bands never
// hold the same spans (they are merged). Empty rectangles are never stored.
#include "platform/gfx/GdiObject.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace vd {

class GdiRegion : public GdiObject {
public:
    GdiRegion() : GdiObject(Kind::Region) {}
    explicit GdiRegion(const TRect& r);
    GdiRegion(const GdiRegion& other) : GdiObject(Kind::Region), FRects(other.FRects) {}
    GdiRegion(GdiRegion&& other) noexcept : GdiObject(Kind::Region), FRects(std::move(other.FRects)) {}
    GdiRegion& operator=(const GdiRegion& other) {
        FRects = other.FRects;
        return *this;
    }
    GdiRegion& operator=(GdiRegion&& other) noexcept {
        FRects = std::move(other.FRects);
        return *this;
    }

    // The union of any rectangles, in any order, overlapping or not.
    static GdiRegion FromRects(const TRect* rects, std::size_t count);
    // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF; RGN_COPY gives a.
    static GdiRegion Combine(const GdiRegion& a, const GdiRegion& b, int mode);

    void SetRect(const TRect& r);
    void Clear() { FRects.clear(); }
    void Offset(int dx, int dy);
    bool Contains(int x, int y) const;
    bool IntersectsRect(const TRect& r) const;
    TRect Box() const;
    bool IsEmpty() const { return FRects.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    const std::vector<TRect>& Rects() const { return FRects; }
    friend bool operator==(const GdiRegion& a, const GdiRegion& b) { return a.FRects == b.FRects; }

    // Index of the first rectangle of the band that holds row y, or Rects().size() when none.
    std::size_t BandAt(int y) const;

private:
    friend class RegionBuilder;
    std::vector<TRect> FRects;
};

// Region functions with the usual names. Regions are in device coordinates.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect* r);
// Any rectangles (they need not be sorted); a transform is not supported and must be null.
// Returns null for a header whose count or size does not fit the given byte count.
HRGN ExtCreateRegion(const void* xform, DWord count, const RGNDATA* data);
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
bool PtInRegion(HRGN rgn, int x, int y);
bool RectInRegion(HRGN rgn, const TRect* r);
int GetRgnBox(HRGN rgn, TRect* box);
bool EqualRgn(HRGN a, HRGN b);
bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// The byte count needed when data is null or too small; else writes the header and the
// rectangles in band order and returns the byte count.
DWord GetRegionData(HRGN rgn, DWord count, RGNDATA* data);

} // namespace vd
