#include "skin/core/SkinMaskRegion.h"

#include "skin/core/SkinCompose.h"
#include "skin/core/SkinFBitmap.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinDraw.h"

#include <algorithm>
#include <cstdint>

namespace vd {

namespace {

constexpr int kHeaderSize = 32;
constexpr int kRectSize = 16;

// The border pieces of one window region hold at most this many pixels (a window 16384 pixels
// wide with a caption of 128 rows takes half of it); their runs and rows are what the region
// stores.
constexpr std::int64_t kMaxRegionPiecePixels = std::int64_t(1) << 22;

void Put32(std::vector<Byte>& d, size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        d[at + size_t(i)] = Byte(std::uint32_t(v) >> (8 * i));
}

std::int32_t Get32(std::span<const Byte> d, size_t at) {
    return static_cast<std::int32_t>(std::uint32_t(d[at]) | std::uint32_t(d[at + 1]) << 8 |
                                     std::uint32_t(d[at + 2]) << 16 | std::uint32_t(d[at + 3]) << 24);
}

// A fresh mask piece: everything outside until a piece of the skin's mask is copied in.
bool NewPiece(TskBitmap& piece, int w, int h) {
    if (!piece.SetSize(w, h)) return false;
    piece.Fill(skRGB(255, 255, 255));
    return !piece.Empty();
}

// The vertical border of a mask: columns [SrcLeft, SrcRight), variable rows [From, To) tiled,
// fixed rows [Cl.Top, From) above and [To, Cl.Bottom) below.
void SideMask(TskBitmap& out, const TskBitmap& mask, int srcLeft, int srcRight, int lh, int clTop, int from,
              int to, int clBottom) {
    const int lw = srcRight - srcLeft;
    if (!NewPiece(out, lw, lh)) return;
    TileColumn(out, mask, from, srcLeft, srcRight, to - from, 0, lh, 0, lw);
    if (from - clTop > 0) CopyRect(out, {0, 0, lw, from - clTop}, mask, {srcLeft, clTop, srcRight, from});
    if (clBottom - to > 0)
        CopyRect(out, {0, lh - (clBottom - to), lw, lh}, mask, {srcLeft, to, srcRight, clBottom});
}

// Whether the region of a window of this geometry stays within what a window can be: the client
// rectangle (one stored row each) no larger than the largest picture, the border pieces within
// their pixel bound.
bool RegionFits(const TskSkinCorners& o, const TskSkinCorners& n, int w, const TskBitmap& mask) {
    using i64 = std::int64_t;
    const i64 side = TskBitmap::MaxSide;
    const i64 clientW = i64(n.Client.Right) - n.Client.Left, clientH = i64(n.Client.Bottom) - n.Client.Top;
    if (w > side || clientW > side || clientH > side) return false;
    const i64 mw = mask.Width(), mh = mask.Height();
    auto positive = [](i64 v) { return std::max<i64>(v, 0); };
    const i64 sides = (positive(o.Client.Left) + positive(mw - o.Client.Right)) * positive(clientH);
    const i64 ends = i64(positive(w)) * (positive(o.Client.Top) + positive(mh - o.Client.Bottom));
    return sides + ends <= kMaxRegionPiecePixels;
}

} // namespace

int ScanMaskRegionData(const TskBitmap& mask, int x, int y, std::vector<Byte>& data) {
    data.clear();
    if (mask.Empty()) return 0;
    std::vector<TRect> runs; // grows as needed: a mask may hold any number of runs
    {
        const TskFBitmap fast(mask);
        for (int row = 0; row < fast.Height(); ++row) {
            const Byte* p = fast.Row(row);
            auto black = [p](int col) { return p[3 * col] + p[3 * col + 1] + p[3 * col + 2] == 0; };
            int col = 0;
            while (col < fast.Width()) {
                if (!black(col)) {
                    ++col;
                    continue;
                }
                int end = col;
                while (end < fast.Width() && black(end))
                    ++end;
                runs.push_back({col + x, row + y, end + x, row + y + 1});
                col = end;
            }
        }
    }
    const size_t size = size_t(kHeaderSize) + size_t(kRectSize) * runs.size();
    data.assign(size, 0);
    Put32(data, 0, kHeaderSize);
    Put32(data, 4, 1); // RDH_RECTANGLES
    Put32(data, 8, std::int32_t(runs.size()));
    Put32(data, 16, x);
    Put32(data, 20, y);
    Put32(data, 24, mask.Width() + x);
    Put32(data, 28, mask.Height() + y);
    for (size_t i = 0; i < runs.size(); ++i) {
        const size_t at = size_t(kHeaderSize) + i * size_t(kRectSize);
        Put32(data, at, runs[i].Left);
        Put32(data, at + 4, runs[i].Top);
        Put32(data, at + 8, runs[i].Right);
        Put32(data, at + 12, runs[i].Bottom);
    }
    return int(size);
}

std::optional<TskRegion> RegionFromRegionData(std::span<const Byte> data) {
    if (data.size() < size_t(kHeaderSize) || Get32(data, 0) != kHeaderSize || Get32(data, 4) != 1)
        return std::nullopt;
    const std::int32_t count = Get32(data, 8);
    if (count < 0 || size_t(count) > (data.size() - size_t(kHeaderSize)) / size_t(kRectSize))
        return std::nullopt;
    TskRegion region;
    for (std::int32_t i = 0; i < count; ++i) {
        const size_t at = size_t(kHeaderSize) + size_t(i) * size_t(kRectSize);
        region.AddRect({Get32(data, at), Get32(data, at + 4), Get32(data, at + 8), Get32(data, at + 12)});
    }
    return region;
}

std::optional<TskRegion> RegionFromMaskBitmap(const TskBitmap& mask) {
    std::vector<Byte> data;
    if (ScanMaskRegionData(mask, 0, 0, data) == 0) return std::nullopt;
    return RegionFromRegionData(data);
}

void ComposeSkinMask(const TskSkinCorners& o, const TskSkinCorners& n, int w, const TskBitmap& mask,
                     TskBitmap& topMask, TskBitmap& bottomMask, TskBitmap& leftMask, TskBitmap& rightMask) {
    const int mw = mask.Width(), mh = mask.Height();
    const TRect& cl = o.Client;
    const int lh = HeightOfRect(n.Client);
    if (cl.Left > 0 && lh > 0)
        SideMask(leftMask, mask, 0, cl.Left, lh, cl.Top, o.LeftTop.Y, o.LeftBottom.Y, cl.Bottom);
    if (mw - cl.Right > 0 && lh > 0)
        SideMask(rightMask, mask, cl.Right, mw, lh, cl.Top, o.RightTop.Y, o.RightBottom.Y, cl.Bottom);
    const int th = cl.Top;
    if (w > 0 && th > 0 && NewPiece(topMask, w, th)) {
        TileRow(topMask, mask, o.LeftTop.X, 0, th, o.RightTop.X - o.LeftTop.X, n.LeftTop.X, n.RightTop.X, 0,
                th);
        CopyRect(topMask, {0, 0, o.LeftTop.X, th}, mask, {0, 0, o.LeftTop.X, th});
        CopyRect(topMask, {n.RightTop.X, 0, w, th}, mask, {o.RightTop.X, 0, mw, th});
    }
    const int bh = mh - cl.Bottom;
    if (w > 0 && bh > 0 && NewPiece(bottomMask, w, bh)) {
        TileRow(bottomMask, mask, o.LeftBottom.X, cl.Bottom, mh, o.RightBottom.X - o.LeftBottom.X,
                n.LeftBottom.X, n.RightBottom.X, 0, bh);
        CopyRect(bottomMask, {0, 0, o.LeftBottom.X, bh}, mask, {0, cl.Bottom, o.LeftBottom.X, mh});
        CopyRect(bottomMask, {n.RightBottom.X, 0, w, bh}, mask, {o.RightBottom.X, cl.Bottom, mw, mh});
    }
}

std::optional<TskRegion> BuildSkinRegion(const TskSkinCorners& o, const TskSkinCorners& n, int w,
                                         const TskBitmap& mask) {
    if (n.RightTop.X < n.LeftTop.X || n.LeftBottom.Y < n.LeftTop.Y) return std::nullopt;
    if (IsEmptySkinRect(n.Client)) return std::nullopt;
    if (!RegionFits(o, n, w, mask)) return std::nullopt;
    TskBitmap top, bottom, left, right;
    ComposeSkinMask(o, n, w, mask, top, bottom, left, right);
    TskRegion result = TskRegion::FromRect(n.Client);
    auto join = [&](const TskBitmap& piece, int x, int y) {
        std::vector<Byte> data;
        if (ScanMaskRegionData(piece, x, y, data) == 0) return;
        if (auto r = RegionFromRegionData(data)) result.Union(*r);
    };
    join(top, 0, 0);
    join(bottom, 0, n.Client.Bottom);
    join(left, 0, n.Client.Top);
    join(right, n.Client.Right, n.Client.Top);
    return result;
}

} // namespace vd
