#include "skin/store/SkinEffectBmp.h"

#include "SkinTestUtil.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TskEffectBmp Solid(int w, int h, Byte v) {
    TskEffectBmp b = TskEffectBmp::CreateSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, v * 0x010101u);
    return b;
}

// Column x of row 0 carries the value 10 * x in every channel.
TskEffectBmp Columns(int w) {
    TskEffectBmp b = TskEffectBmp::CreateSize(w, 1);
    for (int x = 0; x < w; ++x)
        b.SetPixel(x, 0, Byte(10 * x) * 0x010101u);
    return b;
}

Byte Blue(const TskEffectBmp& b, int x, int y = 0) {
    return Byte(b.GetPixel(x, y));
}

TEST(EffectBmp, LayoutAndPixels) {
    TskEffectBmp b = TskEffectBmp::CreateSize(5, 2);
    EXPECT_EQ(b.Stride(), 16);
    EXPECT_EQ(b.Size(), 32);
    b.SetPixel(1, 1, 0x00332211);
    EXPECT_EQ(b.ScanLine(1)[3], 0x11);
    EXPECT_EQ(b.ScanLine(1)[5], 0x33);
    EXPECT_EQ(b.GetPixel(1, 1), 0x332211u);
    TskBitmap bmp = b.ToBitmap();
    EXPECT_EQ(bmp.Pixel(1, 1), skRGB(0x33, 0x22, 0x11));
    EXPECT_EQ(TskEffectBmp::CreateFromBitmap(bmp).GetPixel(1, 1), 0x332211u);
    EXPECT_TRUE(TskEffectBmp::CreateSize(0, 5).Empty());
    EXPECT_TRUE(TskEffectBmp::CreateSize(20000, 5).Empty());
}

TEST(EffectBmp, MorphRoundsHalvesToEven) {
    struct Case {
        double K;
        Byte Expected;
    } cases[] = {{0.5, 128}, {2, 255}, {-1, 0}, {0.25, 64}, {0.1, 26}};
    for (const Case& c : cases) {
        TskEffectBmp black = Solid(3, 2, 0);
        black.Morph(Solid(3, 2, 255), c.K);
        EXPECT_EQ(Blue(black, 2, 1), c.Expected) << c.K;
    }
    TskEffectBmp a = Solid(3, 2, 0);
    a.Morph(Solid(4, 2, 255), 0.5); // sizes differ: nothing
    EXPECT_EQ(Blue(a, 0), 0);
}

TEST(EffectBmp, LeftGradientWeights) {
    TskEffectBmp own = Solid(10, 1, 200);
    own.MorphLeftGradient(Solid(10, 1, 100), 0.5);
    // g = 5: weights 0, 0.2, 0.4, 0.6, 0.8, 1.0 of this bitmap over columns 0..5.
    const Byte expected[10] = {100, 120, 140, 160, 180, 200, 200, 200, 200, 200};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(Blue(own, x), expected[x]) << x;
}

TEST(EffectBmp, RightGradientLeavesTheFirstColumnsAlone) {
    TskEffectBmp own = Solid(10, 1, 200);
    own.MorphRightGradient(Solid(10, 1, 100), 0.5);
    // h = 5: the last column takes Other, column 5 keeps weight 4/5.
    const Byte expected[10] = {200, 200, 200, 200, 200, 180, 160, 140, 120, 100};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(Blue(own, x), expected[x]) << x;
}

TEST(EffectBmp, SlidesAndPush) {
    TskEffectBmp left = Columns(6);
    left.MorphLeftSlide(Solid(6, 1, 7), 0); // c is at least 1
    EXPECT_EQ(Blue(left, 0), 7);
    EXPECT_EQ(Blue(left, 1), 10);

    TskEffectBmp right = Columns(6);
    TskEffectBmp other = Columns(6);
    other.Invert();
    right.MorphRightSlide(other, 0.5); // c = 3: own 3..5 := other 0..2
    EXPECT_EQ(Blue(right, 3), 255);
    EXPECT_EQ(Blue(right, 5), 255 - 20);
    EXPECT_EQ(Blue(right, 2), 20);

    TskEffectBmp push = Columns(6);
    push.MorphPush(other, 0); // b = 0: one column still moves
    const Byte expected[6] = {255 - 50, 0, 10, 20, 30, 40};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(Blue(push, x), expected[x]) << x;
}

TEST(EffectBmp, GradientStaysInsideThePicture) {
    for (double k : {-5.0, 0.0, 0.5, 1.0, 7.0}) {
        TskEffectBmp wide = Solid(9, 3, 10);
        wide.MorphGradient(Solid(9, 3, 250), k);
        TskEffectBmp tall = Solid(3, 9, 10);
        tall.MorphGradient(Solid(3, 9, 250), k);
    }
    TskEffectBmp wide = Solid(9, 1, 0);
    wide.MorphGradientHorz(Solid(9, 1, 100), 1);
    EXPECT_EQ(Blue(wide, 0), 100);
    EXPECT_EQ(Blue(wide, 8), 100);
}

TEST(EffectBmp, OnePixelWidePictures) {
    // Width 1: the right gradient and the push still take Other's column; the left gradient
    // (whose step would divide by zero) and the slides (no column to move) leave the picture.
    struct Case {
        int Kind;
        Byte Expected;
    } cases[] = {{0, 50}, {1, 90}, {2, 10}, {3, 90}, {4, 10}, {5, 10}, {6, 90}};
    for (const Case& c : cases)
        for (double k : {0.0, 0.5, 1.0}) {
            if (c.Kind <= 1 && k != 0.5) continue; // not by columns: one K is enough
            TskEffectBmp one = Solid(1, 3, 10);
            one.MorphByKind(c.Kind, Solid(1, 3, 90), k);
            for (int y = 0; y < 3; ++y)
                EXPECT_EQ(int(Blue(one, 0, y)), int(c.Expected))
                    << "kind " << c.Kind << " k " << k << " row " << y;
        }
}

TEST(EffectBmp, ImageEffects) {
    TskEffectBmp b = TskEffectBmp::CreateSize(2, 1);
    b.SetPixel(0, 0, 0xFF0000); // red: bytes B, G, R = 0, 0, 255
    b.SetPixel(1, 0, 0x00FF00);
    b.GrayScale();
    EXPECT_EQ(b.GetPixel(0, 0), 0x4C4C4Cu); // 76
    EXPECT_EQ(b.GetPixel(1, 0), 0x969696u); // 150

    TskEffectBmp bright = Solid(1, 1, 100);
    bright.Brightness(0.5); // 177.5 -> 178
    EXPECT_EQ(Blue(bright, 0), 178);
    TskEffectBmp dark = Solid(1, 1, 5);
    dark.Darkness(0.5); // 2.5 -> 2
    EXPECT_EQ(Blue(dark, 0), 2);
    TskEffectBmp inv = Solid(1, 1, 5);
    inv.Invert();
    EXPECT_EQ(Blue(inv, 0), 250);
}

TEST(EffectBmp, NoiseMovesAllChannelsOfAPixelAlike) {
    TskEffectBmp b = TskEffectBmp::CreateSize(40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            b.SetPixel(x, y, 0x506070);
    b.Noise(50);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const std::uint32_t p = b.GetPixel(x, y);
            const int d = int(p & 255) - 0x70;
            ASSERT_GE(d, -25);
            ASSERT_LE(d, 24);
            ASSERT_EQ(int(p >> 8 & 255) - 0x60, d);
            ASSERT_EQ(int(p >> 16 & 255) - 0x50, d);
        }
}

TEST(EffectBmp, SplitBlur) {
    TskEffectBmp b = TskEffectBmp::CreateSize(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            b.SetPixel(x, y, Byte(40 * y + 10 * x) * 0x010101u);
    TskEffectBmp same = b;
    same.SplitBlur(3); // reaches past the picture: nothing
    same.SplitBlur(0);
    EXPECT_EQ(Blue(same, 2, 2), 100);
    b.SplitBlur(1);
    // (0,0): up 0, down 1, left 0, right 1: (0 + 40 + 10 + 50) >> 2 = 25.
    EXPECT_EQ(Blue(b, 0, 0), 25);
    // (1,0): left 0, right 2, up 0, down 1, reading the blurred (0,0): (25 + 40 + 20 + 60) >> 2 = 36.
    EXPECT_EQ(Blue(b, 1, 0), 36);
}

TEST(EffectBmp, TurnsAndMirror) {
    TskEffectBmp b = TskEffectBmp::CreateSize(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            b.SetPixel(x, y, std::uint32_t(10 * y + x));
    TskEffectBmp left = TskEffectBmp::CreateSize(2, 3);
    b.CopyRotatedLeft(left);
    EXPECT_EQ(left.GetPixel(0, 0), 2u); // the top-right pixel
    EXPECT_EQ(left.GetPixel(1, 2), 10u);
    TskEffectBmp right = TskEffectBmp::CreateSize(2, 3);
    b.CopyRotatedRight(right);
    EXPECT_EQ(right.GetPixel(0, 0), 10u);
    EXPECT_EQ(right.GetPixel(1, 0), 0u);
    TskEffectBmp flip = TskEffectBmp::CreateSize(3, 2);
    b.CopyFlippedVert(flip);
    EXPECT_EQ(flip.GetPixel(2, 0), 12u);
    TskEffectBmp wrong = TskEffectBmp::CreateSize(3, 3);
    b.CopyRotatedLeft(wrong);
    EXPECT_EQ(wrong.GetPixel(0, 0), 0u);
}

} // namespace
} // namespace vd
