#include "tools/skingen/Atlas.h"

#include "platform/rtl/Exception.h"
#include "skin/store/SkinDraw.h"
#include "tools/skingen/SkinLook.h"

#include <algorithm>

namespace vd::skingen {

namespace {
constexpr int MaxHeight = 4096;
}

TAtlas::TAtlas(int width, TskColor backdrop) : FWidth(width), FPicture(width, MaxHeight) {
    FPicture.Fill(backdrop);
}

TRect TAtlas::Place(int w, int h) {
    const int gap = measure::AtlasGap;
    if (w + gap > FWidth) throw Exception("skin picture too narrow for a face");
    if (FX + w + gap > FWidth) {
        FY += FShelf + gap;
        FX = 0;
        FShelf = 0;
    }
    if (FY + h + gap > MaxHeight) throw Exception("skin picture full");
    const TRect r{FX + gap, FY + gap, FX + gap + w, FY + gap + h};
    FX += w + gap;
    FShelf = std::max(FShelf, h);
    return r;
}

TskBitmap TAtlas::Finish() const {
    const int height = FY + FShelf + 2 * measure::AtlasGap;
    TskBitmap out(FWidth, height);
    CopyRect(out, {0, 0, FWidth, height}, FPicture, {0, 0, FWidth, height});
    return out;
}

} // namespace vd::skingen
