#include "skin/core/SkinCompose.h"

#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinDraw.h"

#include <algorithm>
#include <cstdint>

namespace vd {

namespace {

using i64 = std::int64_t;

// The tile indexes 0..n of a span that can touch [0, extent): far-away tiles are skipped so that
// a huge span costs nothing.
bool TileRange(int step, int p, int e, int extent, i64& first, i64& last) {
    if (step < 1) return false;
    const i64 n = (i64(e) - p) / step;
    if (n < 0) return false;
    first = p < 0 ? std::max<i64>(0, -i64(p) / step - 1) : 0;
    last = std::min<i64>(n, (i64(extent) - p) / step + 1);
    return first <= last;
}

void TileClient(TskBitmap& dest, const TskBitmap& src, const TRect& skinRect, const TRect& cl,
                const TRect& ncl) {
    const int cw = cl.Width(), ch = cl.Height();
    if (cw <= 0 || ch <= 0) return;
    i64 first, last;
    if (!TileRange(ch, ncl.Top, ncl.Bottom, dest.Height(), first, last)) return;
    for (i64 j = first; j <= last; ++j) {
        const int y = int(ncl.Top + j * ch);
        const int cy = y + ch > ncl.Bottom ? y + ch - ncl.Bottom : 0;
        TileRow(dest, src, skinRect.Left + cl.Left, skinRect.Top + cl.Top, skinRect.Top + cl.Top + ch - cy,
                cw, ncl.Left, ncl.Right, y, y + ch - cy);
    }
}

struct Nine {
    const TskSkinCorners& O;
    const TskSkinCorners& N;
    TskBitmap& D;
    const TskBitmap& S;
    const TRect& R;
    int W, H;
    TskStretchFlags F;

    TRect Src(int l, int t, int r, int b) const { return {R.Left + l, R.Top + t, R.Left + r, R.Top + b}; }
    void Copy(const TRect& d, const TRect& s) const { CopyRect(D, d, S, s); }

    void Top(int spanEnd) const {
        const TRect s = Src(O.LeftTop.X, 0, O.RightTop.X, O.Client.Top);
        if (F.Top)
            Copy({N.LeftTop.X, 0, spanEnd, N.Client.Top}, s);
        else
            TileRow(D, S, s.Left, s.Top, s.Bottom, s.Width(), N.LeftTop.X, spanEnd, 0, N.Client.Top);
    }
    void Bottom(int spanEnd) const {
        const TRect s = Src(O.LeftBottom.X, O.Client.Bottom, O.RightBottom.X, R.Height());
        if (F.Bottom)
            Copy({N.LeftBottom.X, N.Client.Bottom, spanEnd, H}, s);
        else
            TileRow(D, S, s.Left, s.Top, s.Bottom, s.Width(), N.LeftBottom.X, spanEnd, N.Client.Bottom, H);
    }
    void Left() const {
        const TRect s = Src(0, O.LeftTop.Y, O.Client.Left, O.LeftBottom.Y);
        if (F.Left)
            Copy({0, N.LeftTop.Y, N.Client.Left, N.LeftBottom.Y}, s);
        else
            TileColumn(D, S, s.Top, R.Left, R.Left + N.Client.Left, s.Height(), N.LeftTop.Y, N.LeftBottom.Y,
                       0, N.Client.Left);
    }
    void Right() const {
        const TRect s = Src(O.Client.Right, O.RightTop.Y, R.Width(), O.RightBottom.Y);
        if (F.Right)
            Copy({N.Client.Right, N.RightTop.Y, W, N.RightBottom.Y}, s);
        else
            TileColumn(D, S, s.Top, s.Left, s.Right, s.Height(), N.RightTop.Y, N.RightBottom.Y,
                       N.Client.Right, W);
    }
    void FixedPieces(bool withRight) const {
        const int sw = R.Width(), sh = R.Height();
        Copy({0, 0, N.LeftTop.X, N.Client.Top}, Src(0, 0, O.LeftTop.X, O.Client.Top));
        Copy({0, N.Client.Top, N.Client.Left, N.LeftTop.Y}, Src(0, O.Client.Top, O.Client.Left, O.LeftTop.Y));
        if (withRight) {
            Copy({N.RightTop.X, 0, W, N.Client.Top}, Src(O.RightTop.X, 0, sw, O.Client.Top));
            Copy({N.Client.Right, N.Client.Top, W, N.RightTop.Y},
                 Src(O.Client.Right, O.Client.Top, sw, O.RightTop.Y));
        }
        Copy({0, N.LeftBottom.Y, N.Client.Left, H}, Src(0, O.LeftBottom.Y, O.Client.Left, sh));
        Copy({N.Client.Left, N.Client.Bottom, N.LeftBottom.X, H},
             Src(O.Client.Left, O.Client.Bottom, O.LeftBottom.X, sh));
        if (withRight) {
            Copy({N.RightBottom.X, N.Client.Bottom, W, H}, Src(O.RightBottom.X, O.Client.Bottom, sw, sh));
            Copy({N.Client.Right, N.RightBottom.Y, W, N.Client.Bottom},
                 Src(O.Client.Right, O.RightBottom.Y, sw, O.Client.Bottom));
        }
    }
    void Client(const TRect& ncl, bool stretchClient) const {
        const TRect& cl = O.Client;
        if (stretchClient)
            Copy(ncl, Src(cl.Left, cl.Top, cl.Right, cl.Bottom));
        else
            TileClient(D, S, R, cl, ncl);
    }
};

bool Prepare(const TskSkinCorners& old, TskBitmap& dest, const TskBitmap& source, int w, int h) {
    dest.SetSize(w, h);
    if (dest.Empty() || source.Empty()) return false;
    return old.RightBottom.X != old.LeftTop.X && old.RightBottom.Y != old.LeftTop.Y;
}

void ComposeNine(const TskSkinCorners& old, const TskSkinCorners& neu, TskBitmap& dest,
                 const TskBitmap& source, const TRect& skinRect, int w, int h, bool drawClient,
                 TskStretchFlags stretch, bool stretchClient) {
    if (!Prepare(old, dest, source, w, h)) return;
    const Nine n{old, neu, dest, source, skinRect, w, h, stretch};
    n.Top(neu.RightTop.X);
    n.Bottom(neu.RightBottom.X);
    n.Left();
    n.Right();
    n.FixedPieces(true);
    if (drawClient) n.Client(neu.Client, stretchClient);
}

} // namespace

void TileRow(TskBitmap& dest, const TskBitmap& source, int srcLeft, int srcTop, int srcBottom, int step,
             int p, int e, int y0, int y1) {
    i64 first, last;
    if (!TileRange(step, p, e, dest.Width(), first, last)) return;
    for (i64 i = first; i <= last; ++i) {
        const int x = int(p + i * step);
        const int c = x + step > e ? x + step - e : 0;
        CopyRect(dest, {x, y0, x + step - c, y1}, source, {srcLeft, srcTop, srcLeft + step - c, srcBottom});
    }
}

void TileColumn(TskBitmap& dest, const TskBitmap& source, int srcTop, int srcLeft, int srcRight, int step,
                int p, int e, int x0, int x1) {
    i64 first, last;
    if (!TileRange(step, p, e, dest.Height(), first, last)) return;
    for (i64 i = first; i <= last; ++i) {
        const int y = int(p + i * step);
        const int c = y + step > e ? y + step - e : 0;
        CopyRect(dest, {x0, y, x1, y + step - c}, source, {srcLeft, srcTop, srcRight, srcTop + step - c});
    }
}

TskSkinCorners FitSkinCorners(const TskSkinCorners& o, const TRect& skinRect, int w, int h) {
    const int dx = w - skinRect.Width(), dy = h - skinRect.Height();
    TskSkinCorners n;
    n.LeftTop = o.LeftTop;
    n.RightTop = {o.RightTop.X + dx, o.RightTop.Y};
    n.LeftBottom = {o.LeftBottom.X, o.LeftBottom.Y + dy};
    n.RightBottom = {o.RightBottom.X + dx, o.RightBottom.Y + dy};
    n.Client = {o.Client.Left, o.Client.Top, o.Client.Right + dx, o.Client.Bottom + dy};
    return n;
}

void ComposeSkinPicture(const TskSkinCorners& old, const TskSkinCorners& neu, TskBitmap& dest,
                        const TskBitmap& source, const TRect& skinRect, int w, int h, bool drawClient,
                        TskStretchFlags stretch, bool stretchClient) {
    ComposeNine(old, neu, dest, source, skinRect, w, h, drawClient, stretch, stretchClient);
}

void ComposeWindowSkinPicture(const TskSkinCorners& old, const TskSkinCorners& neu, TskBitmap& dest,
                              const TskBitmap& source, const TRect& skinRect, int w, int h, bool drawClient,
                              TskStretchFlags stretch) {
    ComposeNine(old, neu, dest, source, skinRect, w, h, drawClient, stretch, false);
}

void ComposeSkinPictureOpenRight(const TskSkinCorners& old, const TskSkinCorners& neu, TskBitmap& dest,
                                 const TskBitmap& source, const TRect& skinRect, int w, int h,
                                 bool drawClient, TskStretchFlags stretch, bool stretchClient) {
    if (!Prepare(old, dest, source, w, h)) return;
    const Nine n{old, neu, dest, source, skinRect, w, h, stretch};
    n.Top(w);
    n.Bottom(w);
    n.Left();
    n.FixedPieces(false);
    if (drawClient) n.Client({neu.Client.Left, neu.Client.Top, w, neu.Client.Bottom}, stretchClient);
}

void StretchSkinPicture(TskBitmap& dest, const TskBitmap& source, const TRect& skinRect, const TRect& cl,
                        bool drawClient) {
    const int w = dest.Width(), h = dest.Height();
    TskSkinCorners old{
        {cl.Left, cl.Top}, {cl.Right, cl.Top}, {cl.Left, cl.Bottom}, {cl.Right, cl.Bottom}, cl};
    const TRect ncl{cl.Left, cl.Top, w - (skinRect.Width() - cl.Right), h - (skinRect.Height() - cl.Bottom)};
    TskSkinCorners neu{
        {ncl.Left, ncl.Top}, {ncl.Right, ncl.Top}, {ncl.Left, ncl.Bottom}, {ncl.Right, ncl.Bottom}, ncl};
    ComposeNine(old, neu, dest, source, skinRect, w, h, drawClient, {true, true, true, true}, true);
}

namespace {

// Three-part composition along X (Vertical false) or Y (true) of a destination already sized.
void ComposeThree(TskBitmap& dest, const TskBitmap& source, const TRect& r, int start, int end, bool stretch,
                  int length, bool vertical, bool drawStart, bool drawEnd, int spanFrom, int spanTo,
                  bool zeroMiddleIsOne) {
    if (dest.Empty() || source.Empty()) return;
    const int across = vertical ? dest.Width() : dest.Height();
    const int along = vertical ? r.Height() : r.Width();
    auto copy = [&](int d0, int d1, int s0, int s1) {
        if (vertical)
            CopyRect(dest, {0, d0, across, d1}, source, {r.Left, r.Top + s0, r.Right, r.Top + s1});
        else
            CopyRect(dest, {d0, 0, d1, across}, source, {r.Left + s0, r.Top, r.Left + s1, r.Bottom});
    };
    if (drawStart && start != 0) copy(0, start, 0, start);
    if (drawEnd && end != 0) copy(length - end, length, along - end, along);
    int m = along - start - end;
    if (m < 0) return;
    if (m == 0 && zeroMiddleIsOne) m = 1;
    if (stretch) {
        copy(spanFrom, spanTo, start, along - end);
    } else if (vertical) {
        TileColumn(dest, source, r.Top + start, r.Left, r.Right, m, spanFrom, spanTo, 0, across);
    } else {
        TileRow(dest, source, r.Left + start, r.Top, r.Bottom, m, spanFrom, spanTo, 0, across);
    }
}

} // namespace

void ComposeHorzSkinPicture(int leftOffset, int rightOffset, TskBitmap& dest, bool stretch, int w,
                            const TRect& skinRect, const TskBitmap& source) {
    dest.SetSize(w, skinRect.Height());
    ComposeThree(dest, source, skinRect, leftOffset, rightOffset, stretch, w, false, true, true, leftOffset,
                 w - rightOffset, true);
}

void ComposeHorzSkinPictureOpenRight(int leftOffset, int rightOffset, TskBitmap& dest, bool stretch, int w,
                                     const TRect& skinRect, const TskBitmap& source) {
    dest.SetSize(w, skinRect.Height());
    ComposeThree(dest, source, skinRect, leftOffset, rightOffset, stretch, w, false, true, false, leftOffset,
                 w, true);
}

void ComposeHorzSkinPictureMiddleOnly(int leftOffset, int rightOffset, TskBitmap& dest, bool stretch, int w,
                                      const TRect& skinRect, const TskBitmap& source) {
    dest.SetSize(w, skinRect.Height());
    ComposeThree(dest, source, skinRect, leftOffset, rightOffset, stretch, w, false, false, false, 0, w,
                 true);
}

void ComposeVertSkinPicture(int topOffset, int bottomOffset, TskBitmap& dest, bool stretch, int h,
                            const TRect& skinRect, const TskBitmap& source) {
    dest.SetSize(skinRect.Width(), h);
    ComposeThree(dest, source, skinRect, topOffset, bottomOffset, stretch, h, true, true, true, topOffset,
                 h - bottomOffset, false);
}

} // namespace vd
