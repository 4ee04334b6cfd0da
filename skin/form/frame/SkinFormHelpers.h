#pragma once
// Small helpers the frame's parts share.
#include "skin/core/SkinData.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinForm.h"

#include <cstdint>

namespace vd::frameparts {

inline TPoint PointFromLParam(LPARAM l) {
    const auto v = static_cast<std::uintptr_t>(l);
    return {static_cast<std::int16_t>(v & 0xFFFF), static_cast<std::int16_t>((v >> 16) & 0xFFFF)};
}

inline bool Inside(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// The skin picture's corners, and the same corners moved to the frame's size.
inline TskSkinCorners SkinCorners(const TskSkinData& s) {
    return {s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, s.clientrect};
}

inline TskSkinCorners FrameCorners(const TskFrameMetrics& m) {
    return {m.LeftTop, m.RightTop, m.LeftBottom, m.RightBottom, m.ClientRect};
}

inline bool IsCaptionObject(const TskActiveSkinObject* o) {
    return dynamic_cast<const TskSkinCaptionObject*>(o) != nullptr;
}

} // namespace vd::frameparts
