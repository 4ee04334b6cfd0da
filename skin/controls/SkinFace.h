#pragma once
// The resizable skin face every skinned control shares: the record's picture rectangle cut by
// four corner points, how it may be resized, and its corners and client area at the present size.
#include "platform/rtl/Types.h"
#include "skin/core/Forward.h"
#include "skin/core/SkinCompose.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinBitmap.h"

namespace vd {

struct TskSkinFace {
    const TskBitmap* SkinBitmap = nullptr;
    const TskBitmap* MaskBitmap = nullptr;
    TRect skinrect, clientrect;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    bool stretcheffect = false, leftstretch = false, topstretch = false, rightstretch = false,
         bottomstretch = false;
    // -1 no face, 0 fixed size, 1 both directions, 2 width only, 3 height only.
    int SkinResizeKind = -1;
    TPoint CurLeftTopPoint, CurRightTopPoint, CurLeftBottomPoint, CurRightBottomPoint;
    TRect CurClientRect;

    // Copies a custom-control record's geometry and pictures; any other record gives kind 0 and
    // no pictures. The result says whether the face can be drawn (a picture is there): a record
    // without a usable picture is drawn in the plain look.
    bool Load(const TskDataSkinControl* record, const TskSkinData& skin);
    bool HasPicture() const { return SkinBitmap != nullptr && !SkinBitmap->Empty(); }
    void CalcSize(int& w, int& h);
    // A rectangle given relative to the skin rect, moved to a face of W x H.
    TRect MapSkinRect(const TRect& r, int w, int h) const;
    TskSkinCorners Corners() const;
    TskStretchFlags Stretch() const;
    // SourceRect of Source resized to W x H by the resize kind into Dest.
    void CreateResizedSkinImage(TskBitmap& dest, const TskBitmap& source, const TRect& sourceRect, int w,
                                int h);
};

} // namespace vd
