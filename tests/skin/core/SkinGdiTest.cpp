// Skin pictures, regions and caption text on the drawing layer.
#include "skin/core/SkinEffectBmp.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinRegion.h"

#include "SkinTestUtil.h"

#include "platform/gfx/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vd {
namespace {

// A memory context on a fresh 24-bit bitmap.
struct Surface {
    UniqueDC dc{CreateCompatibleDC(nullptr)};
    UniqueBitmap bmp;
    Surface(int w, int h) : bmp(new GdiBitmap(w, h, 24)) { SelectObject(dc.Get(), bmp.Get()); }
    COLORREF At(int x, int y) { return GetPixel(dc.Get(), x, y); }
};

TEST(SkinGdi, PicturesOnContextsAndHandles) {
    const TskBitmap pic = test::CoordBitmap(6, 4, 77);
    Surface s(10, 10);
    ASSERT_TRUE(DrawSkinBitmap(s.dc.Get(), 2, 3, pic));
    EXPECT_EQ(s.At(2, 3), COLORREF(skRGB(0, 0, 77)));
    EXPECT_EQ(s.At(7, 6), COLORREF(skRGB(5, 3, 77)));
    EXPECT_EQ(s.At(1, 3), 0u);
    EXPECT_FALSE(DrawSkinBitmap(s.dc.Get(), 0, 0, TskBitmap()));

    Surface wide(12, 4);
    ASSERT_TRUE(StretchSkinBitmap(wide.dc.Get(), {0, 0, 12, 4}, pic, {0, 0, 6, 4}));
    EXPECT_EQ(wide.At(11, 0), COLORREF(skRGB(5, 0, 77)));

    UniqueBitmap handle = CreateSkinBitmapHandle(pic);
    ASSERT_TRUE(handle);
    EXPECT_EQ(SkinBitmapFromHandle(handle.Get()), pic);
    EXPECT_FALSE(CreateSkinBitmapHandle(TskBitmap()));
    EXPECT_TRUE(SkinBitmapFromHandle(nullptr).Empty());

    TskEffectBmp fx = TskEffectBmp::CreateFromBitmap(pic);
    fx.Invert();
    Surface e(6, 4);
    DrawEffectBmp(e.dc.Get(), 0, 0, fx);
    EXPECT_EQ(e.At(5, 3), COLORREF(skRGB(250, 252, 178)));
}

TEST(SkinGdi, RegionHandles) {
    const TskRegion region = TskRegion::FromRects(std::vector<TRect>{{0, 0, 4, 1}, {1, 1, 3, 3}});
    UniqueRegion rgn = CreateSkinRegionHandle(region);
    ASSERT_TRUE(rgn);
    EXPECT_TRUE(PtInRegion(rgn.Get(), 3, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 2, 2));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 2));
    TRect box;
    GetRgnBox(rgn.Get(), &box);
    EXPECT_EQ(box, (TRect{0, 0, 4, 3}));
}

TEST(SkinGdi, CaptionText) {
    Surface s(200, 40);
    LOGFONTA lf;
    std::strncpy(lf.lfFaceName, "DejaVu Sans", LF_FACESIZE - 1);
    lf.lfHeight = 14;
    UniqueFont font(CreateFontIndirectA(&lf));
    SelectObject(s.dc.Get(), font.Get());

    const String caption = "A rather long caption";
    const int full = WideTextWidth(s.dc.Get(), caption);
    EXPECT_GT(full, 0);
    EXPECT_GT(WideTextHeight(s.dc.Get(), caption), 0);
    String fitted = caption;
    FitWideTextToWidth(s.dc.Get(), fitted, full / 2);
    EXPECT_LT(fitted.size(), caption.size());
    EXPECT_EQ(fitted.substr(fitted.size() - 3), "...");
    EXPECT_LE(WideTextWidth(s.dc.Get(), fitted), full / 2);
    String same = caption;
    FitTextToWidth(s.dc.Get(), same, full + 10);
    EXPECT_EQ(same, caption);

    SetTextColor(s.dc.Get(), skRGB(255, 255, 255));
    SetBkMode(s.dc.Get(), TRANSPARENT);
    TextRectVCentered(s.dc.Get(), "", {0, 0, 200, 40});
    bool any = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) any = any || s.At(x, y) != 0;
    EXPECT_FALSE(any);
    // Clipped to the rectangle: nothing lands right of it.
    TextRectVCentered(s.dc.Get(), "WWWWWWWWWWWW", {0, 0, 30, 40});
    for (int y = 0; y < 40; ++y)
        for (int x = 30; x < 200; ++x) ASSERT_EQ(s.At(x, y), 0u) << x << "," << y;
    bool inside = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 2; x < 30; ++x) inside = inside || s.At(x, y) != 0;
    EXPECT_TRUE(inside);
}

} // namespace
} // namespace vd
