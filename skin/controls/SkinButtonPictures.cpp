#include "skin/controls/SkinButtonPictures.h"

#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinGeometry.h"

namespace vd {

namespace {
TRect Or(const TRect& r, const TRect& fallback) {
    return IsEmptySkinRect(r) ? fallback : r;
}
} // namespace

TskButtonPictures TskButtonPictures::Of(const TRect& Plain, const TRect& Hot, const TRect& Pressed) {
    return {Plain, Hot, Or(Pressed, Hot)};
}

TskButtonPictures TskButtonPictures::Chained(const TRect& Plain, const TRect& Hot, const TRect& Pressed) {
    const TRect hot = Or(Hot, Plain);
    return {Plain, hot, Or(Pressed, hot)};
}

TRect TskButtonPictures::For(bool Down, bool MouseIn) const {
    if (Down && MouseIn) return Pressed;
    return MouseIn ? Hot : TRect{};
}

void TskButtonPictures::Draw(TCanvas& Canvas, const TRect& R, const TskBitmap& Picture, bool Down,
                             bool MouseIn) const {
    const TRect src = For(Down, MouseIn);
    if (!IsEmptySkinRect(src)) StretchSkinPiece(Canvas, R, Picture, src);
}

} // namespace vd
