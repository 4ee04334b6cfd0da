#pragma once
// The control picture: every face is given a place on shelves of a fixed-width picture, in the
// order the records ask, so the same generator run always yields the same places.
#include "skin/store/SkinBitmap.h"

namespace vd::skingen {

class TAtlas {
public:
    // Width in pixels; the free space is filled with Backdrop.
    TAtlas(int width, TskColor backdrop);

    // A free rectangle of W x H, with a gap to its neighbours.
    TRect Place(int w, int h);
    // The picture cut to the shelves in use.
    TskBitmap Finish() const;

    TskBitmap& Picture() { return FPicture; }

private:
    int FWidth;
    int FX = 0, FY = 0, FShelf = 0;
    TskBitmap FPicture;
};

} // namespace vd::skingen
