#pragma once
// Rectangle and point helpers of every skinned paint routine; kept inline because they run in
// nearly every paint.
#include "platform/rtl/Types.h"

namespace vd {

inline int WidthOfRect(const TRect& r) {
    return r.Right - r.Left;
}
inline int HeightOfRect(const TRect& r) {
    return r.Bottom - r.Top;
}
inline TRect ZeroRect() {
    return {};
}
// An empty skin rectangle means the skin lacks that part.
inline bool IsEmptySkinRect(const TRect& r) {
    return WidthOfRect(r) <= 0 || HeightOfRect(r) <= 0;
}
// A point with a zero coordinate is not given in the skin.
inline bool IsZeroPoint(const TPoint& p) {
    return p.X == 0 || p.Y == 0;
}
inline bool SameRect(const TRect& a, const TRect& b) {
    return a == b;
}
inline bool PointInRectIncl(const TRect& r, const TPoint& p) {
    return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}
// Both corners of A in B, B's right and bottom edges excluded.
inline bool RectInsideRect(const TRect& a, const TRect& b) {
    auto in = [&](const TPoint& p) {
        return p.X >= b.Left && p.X < b.Right && p.Y >= b.Top && p.Y < b.Bottom;
    };
    return in(a.TopLeft()) && in(a.BottomRight());
}
inline void CenterRectIn(TRect& r, const TRect& bounds, TRect& result) {
    const int w = WidthOfRect(r), h = HeightOfRect(r);
    const int left = (WidthOfRect(bounds) - w) / 2 + bounds.Left;
    const int top = (HeightOfRect(bounds) - h) / 2 + bounds.Top;
    r = {left, top, left + w, top + h};
    result = r;
}
inline int IntMax(int a, int b) {
    return a > b ? a : b;
}
inline int IntMin(int a, int b) {
    return a < b ? a : b;
}

} // namespace vd
