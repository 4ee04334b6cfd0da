#include "skin/controls/SkinFace.h"

#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinDraw.h"

namespace vd {

namespace {

int ResizeKindOf(const TskSkinFace& f) {
    if (IsEmptySkinRect(f.skinrect)) return -1;
    if (f.rightbottompoint.X != 0 && f.rightbottompoint.Y != 0) return 1;
    if (f.righttoppoint.X != 0 || f.righttoppoint.Y != 0) return 2;
    if (f.leftbottompoint.X != 0 || f.leftbottompoint.Y != 0) return 3;
    return 0;
}

TPoint Moved(TPoint p, int dx, int dy) {
    return {p.X + dx, p.Y + dy};
}
TRect Moved(TRect r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
bool PointIn(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

} // namespace

bool TskSkinFace::Load(const TskDataSkinControl* record, const TskSkinData& skin) {
    const auto* c = dynamic_cast<const TskDataSkinCustomControl*>(record);
    if (!c) {
        SkinResizeKind = 0;
        SkinBitmap = MaskBitmap = nullptr;
        return false;
    }
    lefttoppoint = c->lefttoppoint;
    righttoppoint = c->righttoppoint;
    leftbottompoint = c->leftbottompoint;
    rightbottompoint = c->rightbottompoint;
    skinrect = c->skinrect;
    clientrect = c->clientrect;
    stretcheffect = c->stretcheffect;
    leftstretch = c->leftstretch;
    topstretch = c->topstretch;
    rightstretch = c->rightstretch;
    bottomstretch = c->bottomstretch;
    SkinBitmap = skin.ActivePicture(c->pictureindex);
    MaskBitmap = skin.ActivePicture(c->maskpictureindex);
    SkinResizeKind = ResizeKindOf(*this);
    return HasPicture();
}

void TskSkinFace::CalcSize(int& w, int& h) {
    if (SkinResizeKind == -1) return;
    if (SkinResizeKind == 0) {
        w = skinrect.Width();
        h = skinrect.Height();
        CurClientRect = clientrect;
        return;
    }
    const int dw = w - skinrect.Width(), dh = h - skinrect.Height();
    CurLeftTopPoint = lefttoppoint;
    switch (SkinResizeKind) {
    case 1:
        CurRightTopPoint = Moved(righttoppoint, dw, 0);
        CurLeftBottomPoint = Moved(leftbottompoint, 0, dh);
        CurRightBottomPoint = Moved(rightbottompoint, dw, dh);
        CurClientRect = {clientrect.Left, clientrect.Top, clientrect.Right + dw, clientrect.Bottom + dh};
        break;
    case 2:
        h = skinrect.Height();
        CurRightTopPoint = Moved(righttoppoint, dw, 0);
        CurClientRect = {clientrect.Left, clientrect.Top, clientrect.Right + dw, clientrect.Bottom};
        break;
    default:
        w = skinrect.Width();
        CurLeftBottomPoint = Moved(leftbottompoint, 0, dh);
        CurClientRect = {clientrect.Left, clientrect.Top, clientrect.Right, clientrect.Bottom + dh};
        break;
    }
}

TRect TskSkinFace::MapSkinRect(const TRect& r, int w, int h) const {
    const int dw = w - skinrect.Width(), dh = h - skinrect.Height();
    TRect out = r;
    if (SkinResizeKind == 2) {
        if (r.Left <= lefttoppoint.X && r.Right >= righttoppoint.X)
            out.Right += dw;
        else if (r.Left >= righttoppoint.X && r.Right > righttoppoint.X)
            out = Moved(r, dw, 0);
    } else if (SkinResizeKind == 3) {
        if (r.Top <= lefttoppoint.Y && r.Bottom >= leftbottompoint.Y)
            out.Bottom += dh;
        else if (r.Top >= leftbottompoint.Y && r.Bottom > leftbottompoint.Y)
            out = Moved(r, 0, dh);
    } else if (SkinResizeKind == 1) {
        const int sw = skinrect.Width(), sh = skinrect.Height();
        const TRect tl{0, 0, lefttoppoint.X, lefttoppoint.Y};
        const TRect tr{righttoppoint.X, 0, sw, righttoppoint.Y};
        const TRect bl{0, leftbottompoint.Y, leftbottompoint.X, sh};
        const TRect br{rightbottompoint.X, rightbottompoint.Y, sw, sh};
        const TPoint a = r.TopLeft(), b = r.BottomRight();
        if (RectInsideRect(r, tl)) return r;
        if (RectInsideRect(r, tr)) return Moved(r, dw, 0);
        if (RectInsideRect(r, bl)) return Moved(r, 0, dh);
        if (RectInsideRect(r, br)) return Moved(r, dw, dh);
        if (PointIn(tl, a) && PointIn(br, b)) {
            out.Right += dw;
            out.Bottom += dh;
        } else if (PointIn(tl, a) && PointIn(tr, b)) {
            out.Right += dw;
        } else if (PointIn(bl, a) && PointIn(br, b)) {
            out.Right += dw;
            out = Moved(out, 0, dh);
        } else if (PointIn(tl, a) && PointIn(bl, b)) {
            out.Bottom += dh;
        } else if (PointIn(tr, a) && PointIn(br, b)) {
            out = Moved(out, dw, 0);
            out.Bottom += dh;
        }
    }
    return out;
}

TskSkinCorners TskSkinFace::Corners() const {
    return {lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint, clientrect};
}

TskStretchFlags TskSkinFace::Stretch() const {
    return {leftstretch, topstretch, rightstretch, bottomstretch};
}

void TskSkinFace::CreateResizedSkinImage(TskBitmap& dest, const TskBitmap& source, const TRect& sourceRect,
                                         int w, int h) {
    switch (SkinResizeKind) {
    case 0:
        dest.SetSize(sourceRect.Width(), sourceRect.Height());
        CopyRect(dest, {0, 0, sourceRect.Width(), sourceRect.Height()}, source, sourceRect);
        break;
    case 1: {
        const TskSkinCorners neu = FitSkinCorners(Corners(), sourceRect, w, h);
        ComposeSkinPicture(Corners(), neu, dest, source, sourceRect, w, h, true, Stretch(), stretcheffect);
        break;
    }
    case 2:
        ComposeHorzSkinPicture(lefttoppoint.X, skinrect.Width() - righttoppoint.X, dest, stretcheffect, w,
                               sourceRect, source);
        break;
    case 3:
        ComposeVertSkinPicture(lefttoppoint.Y, skinrect.Height() - leftbottompoint.Y, dest, stretcheffect, h,
                               sourceRect, source);
        break;
    default:
        break;
    }
}

} // namespace vd
