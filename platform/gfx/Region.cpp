#include "platform/gfx/Region.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace vd {

struct RegionSpan {
    int l;
    int r;
    friend bool operator==(const RegionSpan&, const RegionSpan&) = default;
};

// Appends bands from top to bottom and merges a band into the one above when they touch and
// hold the same spans.
class RegionBuilder {
public:
    explicit RegionBuilder(GdiRegion& out) : FOut(out.FRects) { FOut.clear(); }

    void AddBand(int top, int bottom, const std::vector<RegionSpan>& spans) {
        if (spans.empty() || bottom <= top) return;
        const std::size_t prevCount = FOut.size() - FPrevStart;
        if (FPrevStart < FOut.size() && FOut[FPrevStart].Bottom == top && prevCount == spans.size()) {
            bool same = true;
            for (std::size_t i = 0; i < spans.size() && same; ++i)
                same = FOut[FPrevStart + i].Left == spans[i].l && FOut[FPrevStart + i].Right == spans[i].r;
            if (same) {
                for (std::size_t i = FPrevStart; i < FOut.size(); ++i)
                    FOut[i].Bottom = bottom;
                return;
            }
        }
        FPrevStart = FOut.size();
        for (const RegionSpan& s : spans)
            FOut.push_back({s.l, top, s.r, bottom});
    }

private:
    std::vector<TRect>& FOut;
    std::size_t FPrevStart = 0;
};

namespace {

bool Apply(int mode, bool a, bool b) {
    switch (mode) {
    case RGN_AND:
        return a && b;
    case RGN_OR:
        return a || b;
    case RGN_XOR:
        return a != b;
    case RGN_DIFF:
        return a && !b;
    default:
        return a;
    }
}

void CombineSpans(const std::vector<RegionSpan>& a, const std::vector<RegionSpan>& b, int mode,
                  std::vector<RegionSpan>& out) {
    out.clear();
    std::vector<int> xs;
    xs.reserve(2 * (a.size() + b.size()));
    for (const RegionSpan& s : a) {
        xs.push_back(s.l);
        xs.push_back(s.r);
    }
    std::vector<int> xb;
    xb.reserve(2 * b.size());
    for (const RegionSpan& s : b) {
        xb.push_back(s.l);
        xb.push_back(s.r);
    }
    std::vector<int> merged(xs.size() + xb.size());
    std::merge(xs.begin(), xs.end(), xb.begin(), xb.end(), merged.begin());
    merged.erase(std::unique(merged.begin(), merged.end()), merged.end());
    std::size_t ia = 0, ib = 0;
    for (std::size_t i = 0; i + 1 < merged.size(); ++i) {
        const int x0 = merged[i], x1 = merged[i + 1];
        while (ia < a.size() && a[ia].r <= x0)
            ++ia;
        while (ib < b.size() && b[ib].r <= x0)
            ++ib;
        const bool inA = ia < a.size() && a[ia].l <= x0;
        const bool inB = ib < b.size() && b[ib].l <= x0;
        if (!Apply(mode, inA, inB)) continue;
        if (!out.empty() && out.back().r == x0)
            out.back().r = x1;
        else
            out.push_back({x0, x1});
    }
}

// The spans of the band of r that covers [y0, y1), starting the search at index *pos.
void SpansAt(const std::vector<TRect>& r, std::size_t& pos, int y0, std::vector<RegionSpan>& out) {
    out.clear();
    while (pos < r.size() && r[pos].Bottom <= y0)
        ++pos;
    if (pos >= r.size() || r[pos].Top > y0) return;
    const int top = r[pos].Top;
    for (std::size_t i = pos; i < r.size() && r[i].Top == top; ++i)
        out.push_back({r[i].Left, r[i].Right});
}

bool IsEmptyRect(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

} // namespace

GdiRegion::GdiRegion(const TRect& r) : GdiObject(Kind::Region) {
    SetRect(r);
}

void GdiRegion::SetRect(const TRect& r) {
    FRects.clear();
    if (!IsEmptyRect(r)) FRects.push_back(r);
}

GdiRegion GdiRegion::FromRects(const TRect* rects, std::size_t count) {
    std::vector<TRect> live;
    live.reserve(count);
    std::vector<int> ys;
    for (std::size_t i = 0; i < count; ++i) {
        if (IsEmptyRect(rects[i])) continue;
        live.push_back(rects[i]);
        ys.push_back(rects[i].Top);
        ys.push_back(rects[i].Bottom);
    }
    GdiRegion result;
    if (live.empty()) return result;
    std::sort(live.begin(), live.end(), [](const TRect& a, const TRect& b) { return a.Top < b.Top; });
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    RegionBuilder builder(result);
    std::vector<TRect> active;
    std::vector<RegionSpan> spans;
    std::size_t next = 0;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const int y0 = ys[i], y1 = ys[i + 1];
        active.erase(
            std::remove_if(active.begin(), active.end(), [y0](const TRect& r) { return r.Bottom <= y0; }),
            active.end());
        while (next < live.size() && live[next].Top <= y0)
            active.push_back(live[next++]);
        spans.clear();
        for (const TRect& r : active)
            spans.push_back({r.Left, r.Right});
        std::sort(spans.begin(), spans.end(),
                  [](const RegionSpan& a, const RegionSpan& b) { return a.l < b.l; });
        std::vector<RegionSpan> merged;
        for (const RegionSpan& s : spans) {
            if (!merged.empty() && s.l <= merged.back().r)
                merged.back().r = std::max(merged.back().r, s.r);
            else
                merged.push_back(s);
        }
        builder.AddBand(y0, y1, merged);
    }
    return result;
}

GdiRegion GdiRegion::Combine(const GdiRegion& a, const GdiRegion& b, int mode) {
    if (mode == RGN_COPY) return a;
    std::vector<int> ys;
    ys.reserve(2 * (a.FRects.size() + b.FRects.size()));
    for (const TRect& r : a.FRects) {
        ys.push_back(r.Top);
        ys.push_back(r.Bottom);
    }
    for (const TRect& r : b.FRects) {
        ys.push_back(r.Top);
        ys.push_back(r.Bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    GdiRegion result;
    RegionBuilder builder(result);
    std::vector<RegionSpan> sa, sb, out;
    std::size_t pa = 0, pb = 0;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        SpansAt(a.FRects, pa, ys[i], sa);
        SpansAt(b.FRects, pb, ys[i], sb);
        CombineSpans(sa, sb, mode, out);
        builder.AddBand(ys[i], ys[i + 1], out);
    }
    return result;
}

void GdiRegion::Offset(int dx, int dy) {
    // Saturating, so that a far offset cannot overflow; a rectangle squeezed flat at the
    // limit is dropped.
    auto add = [](int v, int d) {
        const std::int64_t s = std::int64_t(v) + d;
        return int(std::clamp<std::int64_t>(s, INT_MIN, INT_MAX));
    };
    for (TRect& r : FRects) {
        r.Left = add(r.Left, dx);
        r.Right = add(r.Right, dx);
        r.Top = add(r.Top, dy);
        r.Bottom = add(r.Bottom, dy);
    }
    std::erase_if(FRects, [](const TRect& r) { return IsEmptyRect(r); });
}

std::size_t GdiRegion::BandAt(int y) const {
    auto it =
        std::partition_point(FRects.begin(), FRects.end(), [y](const TRect& r) { return r.Bottom <= y; });
    if (it == FRects.end() || it->Top > y) return FRects.size();
    return std::size_t(it - FRects.begin());
}

bool GdiRegion::Contains(int x, int y) const {
    for (std::size_t i = BandAt(y); i < FRects.size() && FRects[i].Top <= y; ++i) {
        if (x < FRects[i].Left) return false;
        if (x < FRects[i].Right) return true;
    }
    return false;
}

bool GdiRegion::IntersectsRect(const TRect& r) const {
    if (IsEmptyRect(r)) return false;
    for (const TRect& q : FRects) {
        if (q.Top >= r.Bottom) break;
        if (q.Bottom > r.Top && q.Left < r.Right && q.Right > r.Left) return true;
    }
    return false;
}

TRect GdiRegion::Box() const {
    if (FRects.empty()) return {};
    TRect box{INT_MAX, FRects.front().Top, INT_MIN, FRects.back().Bottom};
    for (const TRect& r : FRects) {
        box.Left = std::min(box.Left, r.Left);
        box.Right = std::max(box.Right, r.Right);
    }
    return box;
}

int GdiRegion::Complexity() const {
    if (FRects.empty()) return NULLREGION;
    return FRects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    // Like the system call, a rectangle given the wrong way round is normalised.
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    return new GdiRegion(TRect{left, top, right, bottom});
}

HRGN CreateRectRgnIndirect(const TRect* r) {
    return r ? CreateRectRgn(r->Left, r->Top, r->Right, r->Bottom) : nullptr;
}

static_assert(std::is_trivially_copyable_v<RGNDATAHEADER>, "copied as bytes");

HRGN ExtCreateRegion(const void* xform, DWord count, const RGNDATA* data) {
    if (xform || !data || count < sizeof(RGNDATAHEADER)) return nullptr;
    RGNDATAHEADER h;
    std::memcpy(static_cast<void*>(&h), data, sizeof h); // the caller's bytes may be unaligned
    if (h.dwSize < sizeof(RGNDATAHEADER) || h.iType != RDH_RECTANGLES || h.dwSize > count) return nullptr;
    const std::size_t room = (count - h.dwSize) / sizeof(TRect);
    if (h.nCount > room) return nullptr;
    std::vector<TRect> rects(h.nCount);
    if (h.nCount)
        std::memcpy(rects.data(), reinterpret_cast<const char*>(data) + h.dwSize, h.nCount * sizeof(TRect));
    auto* rgn = new GdiRegion(GdiRegion::FromRects(rects.data(), rects.size()));
    return rgn;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
    if (!dest || !a || mode < RGN_AND || mode > RGN_COPY || (mode != RGN_COPY && !b)) return ERROR;
    *dest = GdiRegion::Combine(*a, mode == RGN_COPY ? *a : *b, mode);
    return dest->Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    if (!rgn) return ERROR;
    rgn->Offset(dx, dy);
    return rgn->Complexity();
}

bool PtInRegion(HRGN rgn, int x, int y) {
    return rgn && rgn->Contains(x, y);
}

bool RectInRegion(HRGN rgn, const TRect* r) {
    return rgn && r && rgn->IntersectsRect(*r);
}

int GetRgnBox(HRGN rgn, TRect* box) {
    if (!rgn || !box) return ERROR;
    *box = rgn->Box();
    return rgn->Complexity();
}

bool EqualRgn(HRGN a, HRGN b) {
    return a && b && *a == *b;
}

bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    if (!rgn) return false;
    rgn->SetRect(
        {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
    return true;
}

DWord GetRegionData(HRGN rgn, DWord count, RGNDATA* data) {
    if (!rgn) return 0;
    const auto& rects = rgn->Rects();
    const DWord need = DWord(sizeof(RGNDATAHEADER) + rects.size() * sizeof(TRect));
    if (!data || count < need) return need;
    RGNDATAHEADER h;
    h.nCount = DWord(rects.size());
    h.nRgnSize = DWord(rects.size() * sizeof(TRect));
    h.rcBound = rgn->Box();
    std::memcpy(static_cast<void*>(data), &h, sizeof h);
    if (!rects.empty()) std::memcpy(reinterpret_cast<char*>(data) + sizeof h, rects.data(), h.nRgnSize);
    return need;
}

} // namespace vd
