#include "skin/core/SkinCompose.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinDraw.h"

namespace vd {

namespace {

// One vertical border piece of Width x LH: the variable rows stretched or tiled, the fixed rows
// above and below copied over both ends. The source columns are scaled to the piece's width.
void SideBorder(TskBitmap& out, int width, const TskBitmap& src, int srcLeft, int srcRight, int top,
                int fixedTopFrom, int varFrom, int varTo, int fixedBottomTo, int lh, bool stretch) {
    if (!out.SetSize(width, lh)) return;
    const int step = varTo - varFrom;
    const int headLen = varFrom - fixedTopFrom, tailLen = fixedBottomTo - varTo;
    if (stretch)
        CopyRect(out, {0, headLen, width, lh - tailLen}, src,
                 {srcLeft, top + varFrom, srcRight, top + varTo});
    else
        TileColumn(out, src, top + varFrom, srcLeft, srcRight, step, 0, lh, 0, width);
    if (headLen > 0)
        CopyRect(out, {0, 0, width, headLen}, src, {srcLeft, top + fixedTopFrom, srcRight, top + varFrom});
    if (tailLen > 0)
        CopyRect(out, {0, lh - tailLen, width, lh}, src,
                 {srcLeft, top + varTo, srcRight, top + fixedBottomTo});
}

} // namespace

void SplitSkinBorderPictures(const TskSkinCorners& o, const TskSkinCorners& n, const TskBitmap& s,
                             const TRect& r, int w, int h, TskBitmap& topBmp, TskBitmap& bottomBmp,
                             TskBitmap& leftBmp, TskBitmap& rightBmp, TskStretchFlags stretch) {
    const int th = n.Client.Top;
    if (w > 0 && th > 0 && o.RightTop.X - o.LeftTop.X > 0 && topBmp.SetSize(w, th)) {
        const TRect band{r.Left + o.LeftTop.X, r.Top, r.Left + o.RightTop.X, r.Top + th};
        if (stretch.Top)
            CopyRect(topBmp, {n.LeftTop.X, 0, n.RightTop.X, th}, s, band);
        else
            TileRow(topBmp, s, band.Left, band.Top, band.Bottom, band.Width(), 0, w, 0, th);
        CopyRect(topBmp, {0, 0, n.LeftTop.X, th}, s, {r.Left, r.Top, band.Left, band.Bottom});
        CopyRect(topBmp, {n.RightTop.X, 0, w, th}, s, {band.Right, r.Top, r.Right, band.Bottom});
    }
    const int bh = h - n.Client.Bottom;
    if (w > 0 && bh > 0 && o.RightBottom.X - o.LeftBottom.X > 0 && bottomBmp.SetSize(w, bh)) {
        const TRect band{r.Left + o.LeftBottom.X, r.Bottom - bh, r.Left + o.RightBottom.X, r.Bottom};
        if (stretch.Bottom)
            CopyRect(bottomBmp, {n.LeftBottom.X, 0, n.RightBottom.X, bh}, s, band);
        else
            TileRow(bottomBmp, s, band.Left, band.Top, band.Bottom, band.Width(), 0, w, 0, bh);
        CopyRect(bottomBmp, {0, 0, n.LeftBottom.X, bh}, s, {r.Left, band.Top, band.Left, band.Bottom});
        CopyRect(bottomBmp, {n.RightBottom.X, 0, w, bh}, s, {band.Right, band.Top, r.Right, band.Bottom});
    }
    const int lh = h - topBmp.Height() - bottomBmp.Height();
    if (n.Client.Left > 0 && lh > 0 && o.LeftBottom.Y - o.LeftTop.Y > 0)
        SideBorder(leftBmp, n.Client.Left, s, r.Left, r.Left + n.Client.Left, r.Top, o.Client.Top,
                   o.LeftTop.Y, o.LeftBottom.Y, o.Client.Bottom, lh, stretch.Left);
    // The piece is as wide as the new right inset, whatever the source border's thickness.
    const int rw = w - n.Client.Right;
    if (rw > 0 && lh > 0 && o.RightBottom.Y - o.RightTop.Y > 0)
        SideBorder(rightBmp, rw, s, r.Left + o.Client.Right, r.Right, r.Top, o.Client.Top, o.RightTop.Y,
                   o.RightBottom.Y, o.Client.Bottom, lh, stretch.Right);
}

} // namespace vd
