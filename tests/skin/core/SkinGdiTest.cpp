// Skin pictures, regions and caption text on the drawing layer.
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/core/SkinRegion.h"
#include "skin/store/SkinEffectBmp.h"

#include "SkinTestUtil.h"

#include "platform/gfx/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vd {
namespace {

// A memory context on a fresh bitmap, 24-bit unless told.
struct Surface {
    UniqueDC dc{CreateCompatibleDC(nullptr)};
    UniqueBitmap bmp;
    Surface(int w, int h, int bits = 24) : bmp(new GdiBitmap(w, h, bits)) {
        SelectObject(dc.Get(), bmp.Get());
    }
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
    fx.Draw(e.dc.Get(), 0, 0);
    EXPECT_EQ(e.At(5, 3), COLORREF(skRGB(250, 252, 178)));
    EXPECT_EQ(TskEffectBmp::CreateFromBitmapHandle(handle.Get()).GetPixel(5, 3),
              0x05034Du); // blue 77 lowest, red 5 highest
    EXPECT_TRUE(TskEffectBmp::CreateFromBitmapHandle(nullptr).Empty());
}

// Read straight from the handle, the effect holds what the way through a skin bitmap gives,
// row padding included, at every width's padding and from every depth.
TEST(SkinGdi, EffectFromAHandleMatchesTheWayThroughASkinBitmap) {
    for (const int bits : {1, 24, 32})
        for (int w = 1; w <= 5; ++w) {
            UniqueBitmap handle(new GdiBitmap(w, 3, bits));
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < w; ++x)
                    handle.Get()->SetPixelBgr(x, y, (x + y) % 2 ? 0xFFFFFF : DWord(0x102030 * (x + 1) + y));
            const TskEffectBmp direct = TskEffectBmp::CreateFromBitmapHandle(handle.Get());
            const TskEffectBmp through = TskEffectBmp::CreateFromBitmap(SkinBitmapFromHandle(handle.Get()));
            ASSERT_EQ(direct.Size(), through.Size()) << bits << " bits, width " << w;
            EXPECT_EQ(std::memcmp(direct.ScanLine(0), through.ScanLine(0), std::size_t(direct.Size())), 0)
                << bits << " bits, width " << w;
        }
}

// A part of a larger picture lands as if the whole picture were the source: nearest neighbour,
// pixel i of the destination from source Left + (2i + 1) * sw / (2w), and nothing of the rest.
TEST(SkinGdi, StretchedPartsReadOnlyTheirSourceRectangle) {
    const TskBitmap pic = test::CoordBitmap(40, 30, 9);
    struct Case {
        TRect Src, Dst;
    } cases[] = {
        {{0, 0, 40, 30}, {0, 0, 40, 30}}, // whole picture, same size
        {{7, 5, 12, 9}, {1, 2, 16, 14}},  // grown
        {{10, 3, 39, 29}, {0, 0, 7, 5}},  // shrunk
        {{39, 29, 40, 30}, {3, 3, 6, 5}}, // the last pixel only
        {{4, 6, 5, 26}, {0, 0, 9, 2}},    // one column across, shrunk down
    };
    // On a 32-bit destination the drawn pixels' fourth byte is 0, as a copy of a 32-bit piece.
    for (const int bits : {24, 32})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << bits << " bits, src " << c.Src.Left << "," << c.Src.Top);
            Surface s(48, 36, bits);
            PatBlt(s.dc.Get(), 0, 0, 48, 36, WHITENESS);
            if (bits == 32)
                for (int y = 0; y < 36; ++y)
                    for (int x = 0; x < 48; ++x)
                        s.bmp.Get()->Row(y)[4 * x + 3] = 0x77;
            ASSERT_TRUE(StretchSkinBitmap(s.dc.Get(), c.Dst, pic, c.Src));
            for (int y = 0; y < 36; ++y)
                for (int x = 0; x < 48; ++x) {
                    COLORREF want = 0xFFFFFF;
                    const bool inside =
                        x >= c.Dst.Left && x < c.Dst.Right && y >= c.Dst.Top && y < c.Dst.Bottom;
                    if (inside) {
                        const int i = x - c.Dst.Left, j = y - c.Dst.Top;
                        const int sx = c.Src.Left + (2 * i + 1) * c.Src.Width() / (2 * c.Dst.Width());
                        const int sy = c.Src.Top + (2 * j + 1) * c.Src.Height() / (2 * c.Dst.Height());
                        want = COLORREF(skRGB(sx, sy, 9));
                    }
                    ASSERT_EQ(s.At(x, y), want) << x << "," << y;
                    if (bits == 32) {
                        ASSERT_EQ(s.bmp.Get()->Row(y)[4 * x + 3], inside ? 0 : 0x77) << x << "," << y;
                    }
                }
        }
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
        for (int x = 0; x < 200; ++x)
            any = any || s.At(x, y) != 0;
    EXPECT_FALSE(any);
    // Clipped to the rectangle: nothing lands right of it.
    TextRectVCentered(s.dc.Get(), "WWWWWWWWWWWW", {0, 0, 30, 40});
    for (int y = 0; y < 40; ++y)
        for (int x = 30; x < 200; ++x)
            ASSERT_EQ(s.At(x, y), 0u) << x << "," << y;
    bool inside = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 2; x < 30; ++x)
            inside = inside || s.At(x, y) != 0;
    EXPECT_TRUE(inside);
}

// Every glyph on a device context paints exactly the pixels of its bitmap form.
TEST(SkinGdi, GlyphsOnContextsMatchTheBitmapForms) {
    const TskColor ink = skRGB(200, 10, 60);
    struct Case {
        const char* Name;
        void (*OnBitmap)(TskBitmap&);
        void (*OnDc)(HDC);
    } cases[] = {
        {"close", [](TskBitmap& b) { DrawCloseGlyph(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawCloseGlyph(d, 1, 1, skRGB(200, 10, 60)); }},
        {"minimize", [](TskBitmap& b) { DrawMinimizeGlyph(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawMinimizeGlyph(d, 1, 1, skRGB(200, 10, 60)); }},
        {"maximize", [](TskBitmap& b) { DrawMaximizeGlyph(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawMaximizeGlyph(d, 1, 1, skRGB(200, 10, 60)); }},
        {"restore", [](TskBitmap& b) { DrawRestoreGlyph(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawRestoreGlyph(d, 1, 1, skRGB(200, 10, 60)); }},
        {"tray", [](TskBitmap& b) { DrawTrayGlyph(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawTrayGlyph(d, 1, 1, skRGB(200, 10, 60)); }},
        {"square", [](TskBitmap& b) { DrawSquareGlyph(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawSquareGlyph(d, 1, 1, skRGB(200, 10, 60)); }},
        {"up", [](TskBitmap& b) { DrawUpArrowGlyph(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawUpArrowGlyph(d, 1, 1, skRGB(200, 10, 60)); }},
        {"check", [](TskBitmap& b) { DrawCheckMark(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawCheckMark(d, 1, 1, skRGB(200, 10, 60)); }},
        {"radio", [](TskBitmap& b) { DrawRadioMark(b, 1, 1, skRGB(200, 10, 60)); },
         [](HDC d) { DrawRadioMark(d, 1, 1, skRGB(200, 10, 60)); }},
        {"arrow right",
         [](TskBitmap& b) {
             DrawArrowGlyph(b, {0, 0, 14, 14}, skRGB(200, 10, 60), 2);
         },
         [](HDC d) {
             DrawArrowGlyph(d, {0, 0, 14, 14}, skRGB(200, 10, 60), 2);
         }},
        {"small down",
         [](TskBitmap& b) {
             DrawSmallDownArrow(b, {0, 0, 14, 14}, skRGB(200, 10, 60));
         },
         [](HDC d) {
             DrawSmallDownArrow(d, {0, 0, 14, 14}, skRGB(200, 10, 60));
         }},
    };
    for (const Case& c : cases) {
        TskBitmap expected(14, 14);
        c.OnBitmap(expected);
        Surface s(14, 14);
        c.OnDc(s.dc.Get());
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                ASSERT_EQ(s.At(x, y), COLORREF(expected.Pixel(x, y))) << c.Name << " at " << x << "," << y;
    }

    TskBitmap strip(8, 2);
    strip.Fill(skRGB(1, 2, 3));
    strip.SetPixel(5, 0, ink);
    Surface s(8, 2);
    DrawGlyphFromStrip(s.dc.Get(), 0, 0, 2, 2, strip);
    EXPECT_EQ(s.At(1, 0), COLORREF(ink));
    EXPECT_EQ(s.At(0, 0), 0u);
    DrawGlyphFromStrip(s.dc.Get(), 0, 0, 1, 0, strip);

    Surface f(5, 4);
    DrawFrame3D(f.dc.Get(), {0, 0, 5, 4}, ink, skRGB(1, 1, 1));
    EXPECT_EQ(f.At(0, 0), COLORREF(ink));
    EXPECT_EQ(f.At(0, 3), COLORREF(skRGB(1, 1, 1)));
    EXPECT_EQ(f.At(4, 0), COLORREF(skRGB(1, 1, 1)));
}

} // namespace
} // namespace vd
