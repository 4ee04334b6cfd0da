#include "skin/core/SkinCompose.h"

#include "SkinTestUtil.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

using test::CoordBitmap;

constexpr int kTag = 9;

// The source pixel that a composed pixel came from; (-1, -1) for a pixel nothing drew.
TPoint From(const TskBitmap& b, int x, int y) {
    const TskColor c = b.Pixel(x, y);
    if (skGetB(c) != kTag) return {-1, -1};
    return {skGetR(c), skGetG(c)};
}

// A 20 x 20 face at (5, 3) of a 40 x 30 picture: borders 2 (top), 3 (left), 3 (right), 2 (bottom);
// variable parts between the corner points.
class ComposeTest : public ::testing::Test {
protected:
    TskBitmap Src = CoordBitmap(40, 30, kTag);
    TRect R{5, 3, 25, 23};
    TskSkinCorners Old{{5, 4}, {14, 4}, {5, 15}, {14, 15}, {3, 2, 17, 18}};
    TskBitmap Dest;

    TskSkinCorners Fit(int w, int h) const { return FitSkinCorners(Old, R, w, h); }
};

TEST_F(ComposeTest, IdentitySizeReproducesTheFaceTiledOrStretched) {
    for (bool stretch : {false, true}) {
        ComposeSkinPicture(Old, Old, Dest, Src, R, 20, 20, true, {stretch, stretch, stretch, stretch},
                           stretch);
        ASSERT_EQ(Dest.Width(), 20);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(From(Dest, x, y), (TPoint{R.Left + x, R.Top + y}))
                    << x << "," << y << " " << stretch;
    }
}

TEST_F(ComposeTest, TiledTopBandStartsAtTheNewPointAndCutsTheLastTile) {
    struct Case {
        int Grow; // extra width; the top span is 9 + Grow long, the step 9
    } cases[] = {{7}, {9}, {10}, {-5}};
    for (const Case& c : cases) {
        const int w = 20 + c.Grow;
        const TskSkinCorners n = Fit(w, 20);
        ComposeSkinPicture(Old, n, Dest, Src, R, w, 20, false, {}, false);
        for (int y = 0; y < 2; ++y) {
            for (int x = n.LeftTop.X; x < n.RightTop.X; ++x)
                EXPECT_EQ(From(Dest, x, y), (TPoint{R.Left + 5 + (x - 5) % 9, R.Top + y}))
                    << c.Grow << " x " << x;
            // The fixed ends: the top-left piece before the span, the top-right piece after it.
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(From(Dest, x, y), (TPoint{R.Left + x, R.Top + y}));
            for (int x = n.RightTop.X; x < w; ++x)
                EXPECT_EQ(From(Dest, x, y), (TPoint{R.Left + 14 + (x - n.RightTop.X), R.Top + y})) << x;
        }
    }
}

TEST_F(ComposeTest, TiledLeftBandAndClientTiles) {
    const int w = 30, h = 35;
    const TskSkinCorners n = Fit(w, h);
    ComposeSkinPicture(Old, n, Dest, Src, R, w, h, true, {}, false);
    // Left band: rows NLT.Y..NLB.Y (4..30) tiled with the 11 rows 4..15 of the face.
    for (int y = 4; y < n.LeftBottom.Y; ++y)
        EXPECT_EQ(From(Dest, 1, y), (TPoint{R.Left + 1, R.Top + 4 + (y - 4) % 11})) << y;
    // Client: 14 x 16 tiles from (3, 2), cut at the new client's right and bottom.
    for (int y = n.Client.Top; y < n.Client.Bottom; ++y)
        for (int x = n.Client.Left; x < n.Client.Right; ++x)
            ASSERT_EQ(From(Dest, x, y), (TPoint{R.Left + 3 + (x - 3) % 14, R.Top + 2 + (y - 2) % 16}))
                << x << "," << y;
    // Right, lower fixed piece ends the right column: rows NRB.Y..NCl.Bottom.
    EXPECT_EQ(From(Dest, w - 1, n.Client.Bottom - 1), (TPoint{R.Right - 1, R.Top + 17}));
}

TEST_F(ComposeTest, StretchedBandsScaleTheirSourceRun) {
    const int w = 29; // top span 18 = twice the source run of 9
    const TskSkinCorners n = Fit(w, 20);
    ComposeSkinPicture(Old, n, Dest, Src, R, w, 20, true, {true, true, true, true}, true);
    for (int x = 5; x < 23; ++x)
        EXPECT_EQ(From(Dest, x, 0), (TPoint{R.Left + 5 + (x - 5) / 2, R.Top})) << x;
    // Client stretched from 14 to 23 columns.
    for (int x = 3; x < n.Client.Right; ++x)
        EXPECT_EQ(From(Dest, x, 5).X, R.Left + 3 + (x - 3) * 14 / 23) << x;
}

TEST_F(ComposeTest, LaterFixedPiecesOverwriteEarlierOnes) {
    // Narrower than the fixed parts: the top-right piece starts left of the top-left piece's end.
    const int w = 10;
    const TskSkinCorners n = Fit(w, 20);
    ASSERT_LT(n.RightTop.X, n.LeftTop.X);
    ComposeSkinPicture(Old, n, Dest, Src, R, w, 20, false, {}, false);
    EXPECT_EQ(From(Dest, 4, 0), (TPoint{R.Left + 14, R.Top})); // top-right won
    EXPECT_EQ(From(Dest, 3, 0), (TPoint{R.Left + 3, R.Top}));
}

TEST_F(ComposeTest, DegenerateInputsDrawNothing) {
    TskSkinCorners flat = Old;
    flat.RightBottom.X = flat.LeftTop.X;
    ComposeSkinPicture(flat, flat, Dest, Src, R, 20, 20, true, {}, false);
    EXPECT_EQ(Dest.Width(), 20);
    EXPECT_EQ(From(Dest, 0, 0), (TPoint{-1, -1}));

    ComposeSkinPicture(Old, Old, Dest, TskBitmap(), R, 12, 12, true, {}, false);
    EXPECT_EQ(Dest.Width(), 12);
    EXPECT_EQ(From(Dest, 0, 0), (TPoint{-1, -1}));

    // A zero step is not tiled; the rest still composes.
    TskSkinCorners noTop = Old;
    noTop.RightTop.X = noTop.LeftTop.X;
    ComposeSkinPicture(noTop, Fit(30, 20), Dest, Src, R, 30, 20, false, {}, false);
    EXPECT_EQ(From(Dest, 7, 0), (TPoint{-1, -1}));
    EXPECT_EQ(From(Dest, 0, 0), (TPoint{R.Left, R.Top}));

    // Too large to create, and new points far outside: nothing, quickly.
    ComposeSkinPicture(Old, Fit(20000, 20), Dest, Src, R, 20000, 20, true, {}, false);
    EXPECT_TRUE(Dest.Empty());
    TskSkinCorners far = Fit(64, 64);
    far.RightTop.X = 2000000000;
    far.LeftBottom.Y = 2000000000;
    ComposeSkinPicture(Old, far, Dest, Src, R, 64, 64, true, {}, false);
    EXPECT_EQ(Dest.Width(), 64);
}

TEST_F(ComposeTest, OpenRightFillsTheClientToTheRightEdge) {
    const int w = 40;
    const TskSkinCorners n = Fit(w, 20);
    ComposeSkinPictureOpenRight(Old, n, Dest, Src, R, w, 20, true, {}, false);
    for (int x = 3; x < w; ++x)
        EXPECT_EQ(From(Dest, x, 5), (TPoint{R.Left + 3 + (x - 3) % 14, R.Top + 5})) << x;
    for (int x = 5; x < w; ++x)
        EXPECT_EQ(From(Dest, x, 0), (TPoint{R.Left + 5 + (x - 5) % 9, R.Top})) << x;
}

TEST_F(ComposeTest, StretchSkinPictureKeepsBorderThicknesses) {
    Dest.SetSize(26, 20);
    StretchSkinPicture(Dest, Src, R, Old.Client, true);
    EXPECT_EQ(From(Dest, 0, 0), (TPoint{R.Left, R.Top}));
    EXPECT_EQ(From(Dest, 25, 19), (TPoint{R.Right - 1, R.Bottom - 1}));
    EXPECT_EQ(From(Dest, 23, 10), (TPoint{R.Left + 17, R.Top + 10})); // right border, 3 wide
}

TEST(ComposeThreeParts, HorizontalVerticalAndMiddleOnly) {
    const TskBitmap src = CoordBitmap(60, 10, kTag);
    TskBitmap d;
    const TRect r{2, 1, 12, 6}; // 10 wide, 5 high
    ComposeHorzSkinPicture(0, 0, d, false, 25, r, src);
    ASSERT_EQ(d.Height(), 5);
    for (int x = 0; x < 25; ++x)
        EXPECT_EQ(From(d, x, 2), (TPoint{2 + x % 10, 3})) << x;

    ComposeHorzSkinPicture(3, 2, d, false, 20, r, src);
    EXPECT_EQ(From(d, 0, 0), (TPoint{2, 1}));
    EXPECT_EQ(From(d, 19, 0), (TPoint{11, 1}));
    for (int x = 3; x < 18; ++x)
        EXPECT_EQ(From(d, x, 0), (TPoint{5 + (x - 3) % 5, 1})) << x;

    const TRect wide{0, 0, 50, 4}; // offsets 10 and 10: a middle of 30
    ComposeHorzSkinPictureMiddleOnly(10, 10, d, false, 100, wide, src);
    for (int x : {0, 29, 30, 59, 60, 89, 90, 99})
        EXPECT_EQ(From(d, x, 0), (TPoint{10 + x % 30, 0})) << x;

    ComposeHorzSkinPictureOpenRight(3, 2, d, false, 20, r, src);
    EXPECT_EQ(From(d, 19, 0), (TPoint{5 + 16 % 5, 1}));

    const TRect tall{4, 0, 7, 10};
    ComposeVertSkinPicture(2, 3, d, false, 16, tall, src);
    ASSERT_EQ(d.Width(), 3);
    for (int y = 2; y < 13; ++y)
        EXPECT_EQ(From(d, 0, y), (TPoint{4, 2 + (y - 2) % 5})) << y;
    EXPECT_EQ(From(d, 1, 15), (TPoint{5, 9}));

    // No middle at all: the ends only, never a division by zero.
    ComposeVertSkinPicture(5, 5, d, false, 16, tall, src);
    EXPECT_EQ(From(d, 0, 7), (TPoint{-1, -1}));
    ComposeHorzSkinPicture(5, 5, d, true, 30, r, src);
    EXPECT_EQ(From(d, 0, 0), (TPoint{2, 1}));
}

TEST_F(ComposeTest, SplitBorderPictures) {
    TskBitmap top, bottom, left, right;
    const int w = 30, h = 26;
    const TskSkinCorners n = Fit(w, h);
    SplitSkinBorderPictures(Old, n, Src, R, w, h, top, bottom, left, right, {});
    ASSERT_EQ(top.Width(), 30);
    ASSERT_EQ(top.Height(), 2);
    ASSERT_EQ(bottom.Height(), 2);
    ASSERT_EQ(left.Width(), 3);
    ASSERT_EQ(left.Height(), 22);
    ASSERT_EQ(right.Width(), 3);
    EXPECT_EQ(From(top, 0, 0), (TPoint{R.Left, R.Top}));
    EXPECT_EQ(From(top, 29, 1), (TPoint{R.Right - 1, R.Top + 1}));
    for (int x = 5; x < n.RightTop.X; ++x)
        EXPECT_EQ(From(top, x, 0), (TPoint{R.Left + 5 + x % 9, R.Top})) << x;
    EXPECT_EQ(From(left, 0, 0), (TPoint{R.Left, R.Top + 2})); // fixed rows Cl.Top..LT.Y first
    EXPECT_EQ(From(left, 0, 2), (TPoint{R.Left, R.Top + 4 + 2 % 11}));
    EXPECT_EQ(From(left, 2, 21), (TPoint{R.Left + 2, R.Top + 17}));

    TskBitmap keepTop(4, 4), keepBottom(5, 5);
    SplitSkinBorderPictures(Old, n, Src, R, 0, h, keepTop, keepBottom, left, right, {});
    EXPECT_EQ(keepTop.Width(), 4);
    EXPECT_EQ(keepBottom.Width(), 5);
}

TEST_F(ComposeTest, SplitRightBorderFollowsTheNewRightInset) {
    // The source's right border is 3 columns (17..20 of the face); the new client rectangle
    // leaves 1, 3 or 6 columns on the right, and the right piece spans exactly those.
    for (int inset : {1, 3, 6}) {
        for (bool stretch : {false, true}) {
            const int w = 30, h = 26;
            TskSkinCorners n = Fit(w, h);
            n.Client.Right = w - inset;
            TskBitmap top, bottom, left, right;
            SplitSkinBorderPictures(Old, n, Src, R, w, h, top, bottom, left, right,
                                    {stretch, stretch, stretch, stretch});
            ASSERT_EQ(right.Width(), inset) << inset;
            ASSERT_EQ(right.Height(), left.Height()) << inset;
            for (int y = 0; y < right.Height(); ++y) {
                // The source border's columns scaled to the piece: the inner column is its first,
                // the outer one its last unless the piece is narrower; rows as in the left piece.
                if (inset >= 3) {
                    EXPECT_EQ(From(right, inset - 1, y).X, R.Right - 1) << inset << " " << y;
                }
                EXPECT_EQ(From(right, 0, y).X, R.Left + 17) << inset << " " << y;
                EXPECT_EQ(From(right, 0, y).Y, From(left, 0, y).Y) << inset << " " << y;
            }
        }
    }
}

} // namespace
} // namespace vd
