#pragma once
// Composing skin faces to any size: the nine-part face (corners, edge bands, client area), the
// three-part face (start, middle, end) and the four border pieces of a nine-part face. Each band is
// stretched or tiled; the last tile is cut at the span's end.
#include "platform/rtl/Types.h"
#include "skin/store/Forward.h"

namespace vd {

// The nine-part layout of a face: corner points and client rectangle, relative to the face's
// top-left corner (the old ones inside SkinRect, the new ones in the destination).
struct TskSkinCorners {
    TPoint LeftTop, RightTop, LeftBottom, RightBottom;
    TRect Client;
};

struct TskStretchFlags {
    bool Left = false, Top = false, Right = false, Bottom = false;
};

// The corners of a face of SkinRect's size moved for a face W x H: left and top stay, right and
// bottom keep their distance to the far edges.
TskSkinCorners FitSkinCorners(const TskSkinCorners& old, const TRect& skinRect, int w, int h);

void ComposeSkinPicture(const TskSkinCorners& old, const TskSkinCorners& neu, TskBitmap& dest,
                        const TskBitmap& source, const TRect& skinRect, int w, int h, bool drawClient,
                        TskStretchFlags stretch, bool stretchClient);
// Client area always tiled (popup, hint and image-menu windows).
void ComposeWindowSkinPicture(const TskSkinCorners& old, const TskSkinCorners& neu, TskBitmap& dest,
                              const TskBitmap& source, const TRect& skinRect, int w, int h, bool drawClient,
                              TskStretchFlags stretch);
// Without the right column; the client area reaches the right edge.
void ComposeSkinPictureOpenRight(const TskSkinCorners& old, const TskSkinCorners& neu, TskBitmap& dest,
                                 const TskBitmap& source, const TRect& skinRect, int w, int h,
                                 bool drawClient, TskStretchFlags stretch, bool stretchClient);
// At Dest's present size, corners at the client rectangle's corners, everything stretched.
void StretchSkinPicture(TskBitmap& dest, const TskBitmap& source, const TRect& skinRect,
                        const TRect& clientRect, bool drawClient);

void ComposeHorzSkinPicture(int leftOffset, int rightOffset, TskBitmap& dest, bool stretch, int w,
                            const TRect& skinRect, const TskBitmap& source);
void ComposeHorzSkinPictureOpenRight(int leftOffset, int rightOffset, TskBitmap& dest, bool stretch, int w,
                                     const TRect& skinRect, const TskBitmap& source);
void ComposeHorzSkinPictureMiddleOnly(int leftOffset, int rightOffset, TskBitmap& dest, bool stretch, int w,
                                      const TRect& skinRect, const TskBitmap& source);
void ComposeVertSkinPicture(int topOffset, int bottomOffset, TskBitmap& dest, bool stretch, int h,
                            const TRect& skinRect, const TskBitmap& source);

// The four border pieces of a nine-part face for a new size; a border whose size or step is not
// positive is left as the caller gave it.
void SplitSkinBorderPictures(const TskSkinCorners& old, const TskSkinCorners& neu, const TskBitmap& source,
                             const TRect& skinRect, int w, int h, TskBitmap& topBmp, TskBitmap& bottomBmp,
                             TskBitmap& leftBmp, TskBitmap& rightBmp, TskStretchFlags stretch);

// Tiles of Step pixels across the span [P, E) of Dest: source columns SrcLeft.. (cut at the span's
// end) and rows SrcTop..SrcBottom into rows Y0..Y1. Nothing for a step below 1.
void TileRow(TskBitmap& dest, const TskBitmap& source, int srcLeft, int srcTop, int srcBottom, int step,
             int p, int e, int y0, int y1);
// The same down the span [P, E) of rows, into columns X0..X1.
void TileColumn(TskBitmap& dest, const TskBitmap& source, int srcTop, int srcLeft, int srcRight, int step,
                int p, int e, int x0, int x1);

} // namespace vd
