#pragma once
// TskFrameGeometry: the frame's shape for the current size. It keeps the size the frame was
// laid out for, the skin's points and rectangles moved to that size, the window region built
// from the skin's mask, and answers the hit tests: which edge, the caption, an object, the client.
#include "skin/core/SkinRegion.h"
#include "skin/form/frame/SkinForm.h"

#include <optional>

namespace vd {

class TskFrameGeometry {
public:
    explicit TskFrameGeometry(TskSkinForm& Frame) : FFrame(Frame) {}
    TskFrameGeometry(const TskFrameGeometry&) = delete;
    TskFrameGeometry& operator=(const TskFrameGeometry&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetSize(int Width, int Height) {
        FWidth = Width;
        FHeight = Height;
    }
    // The form's own size.
    void TakeFormSize();

    const TskFrameMetrics& Metrics() const { return FMetrics; }
    void CalcMetrics();
    // A rectangle of the skin's picture moved and stretched with the corners it lies in.
    TRect MapSkinRect(const TRect& r) const;
    int HitTest(TPoint p);

    bool HasRegion() const { return FRegionSet; }
    void UpdateRegion(bool Relayout);
    // Back to a plain rectangle (no skin).
    void ClearRegion();

private:
    int HitTestSkin(TPoint p) const;
    int HitTestDefault(TPoint p) const;
    bool PtInSkinShape(TPoint p) const;

    TskSkinForm& FFrame;
    int FWidth = 0, FHeight = 0;
    TskFrameMetrics FMetrics;
    bool FRegionSet = false;
    std::optional<TskRegion> FShape; // the window's shape for hit tests
};

} // namespace vd
