#pragma once
// Anti-aliased painting on skin pictures with integer arithmetic only, so every run paints the
// same bytes: each pixel is cut into 4 x 4 samples and a shape blends in by how many it covers.
// Shape coordinates are in eighths of a pixel (Sub), rectangles in whole pixels.
#include "platform/rtl/Types.h"
#include "skin/store/SkinBitmap.h"

#include <functional>
#include <initializer_list>

namespace vd::skingen {

constexpr int Sub = 8; // sub-pixel units per pixel

struct TSubPoint {
    int X = 0, Y = 0; // in eighths of a pixel
};

// A point at the centre of pixel (x, y) plus an offset in eighths.
constexpr TSubPoint At(int x, int y, int dx = 4, int dy = 4) {
    return {x * Sub + dx, y * Sub + dy};
}

// Mixes A toward B by Num / Den, rounded.
TskColor Mix(TskColor a, TskColor b, int num, int den);

class TPainter {
public:
    explicit TPainter(TskBitmap& target) : FTarget(target) {}

    void Fill(const TRect& r, TskColor c);
    // Row colours from Top (first row) to Bottom (last row).
    void VGradient(const TRect& r, TskColor top, TskColor bottom);
    void HGradient(const TRect& r, TskColor left, TskColor right);
    void Frame(const TRect& r, TskColor c);
    // Light on the top and left edges, dark on the bottom and right ones.
    void Bevel(const TRect& r, TskColor light, TskColor dark);

    // A rounded rectangle filled with a vertical gradient; whatever lies outside its corners is
    // kept, the edge pixels blended.
    void RoundFill(const TRect& r, int radius, TskColor top, TskColor bottom);
    // The same with other radii at the top and at the bottom corners.
    void RoundFill(const TRect& r, int topRadius, int bottomRadius, TskColor top, TskColor bottom);
    // A rounded rectangle with a one-pixel outline and a gradient inside.
    void RoundFace(const TRect& r, int radius, TskColor border, TskColor top, TskColor bottom);
    // A one-pixel rounded outline only.
    void RoundOutline(const TRect& r, int radius, TskColor c);

    // A convex polygon (any winding).
    void Polygon(std::initializer_list<TSubPoint> points, TskColor c);
    // A stroke with round ends, HalfWidth in eighths.
    void Line(TSubPoint a, TSubPoint b, int halfWidth, TskColor c);
    void Disc(TSubPoint centre, int radius, TskColor c);

private:
    // Blends C into every pixel of Bounds by the share of its samples for which Inside holds.
    void Cover(const TRect& bounds, TskColor c, const std::function<bool(int, int)>& inside);
    void CoverRows(const TRect& bounds, TskColor top, TskColor bottom,
                   const std::function<bool(int, int)>& inside);

    TskBitmap& FTarget;
};

} // namespace vd::skingen
