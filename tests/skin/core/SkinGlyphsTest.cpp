#include "skin/core/SkinGlyphs.h"
#include "skin/core/SkinPlatform.h"
#include "skin/store/SkinDraw.h"

#include "SkinTestUtil.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

constexpr TskColor kInk = skRGB(10, 20, 30);

std::vector<std::string> Art(const TskBitmap& b) {
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int x = 0; x < b.Width(); ++x)
            row += b.Pixel(x, y) == kInk ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

int Painted(const TskBitmap& b) {
    int n = 0;
    for (const std::string& row : Art(b))
        n += int(std::count(row.begin(), row.end(), '#'));
    return n;
}

TEST(Glyphs, PenGlyphsAsArt) {
    struct Case {
        const char* Name;
        void (*Draw)(TskBitmap&, int, int, TskColor);
        std::vector<std::string> Expected;
    } cases[] = {
        {"close",
         DrawCloseGlyph,
         {"............", "............", "..##.....##.", "...##...##..", "....##.##...", ".....###....",
          ".....###....", "....##.##...", "...##...##..", "..##.....##.", "............"}},
        {"minimize",
         DrawMinimizeGlyph,
         {"............", "............", "............", "............", "............", "............",
          "............", "............", "............", "..########..", "..########.."}},
        {"maximize",
         DrawMaximizeGlyph,
         {"............", ".###########", ".###########", ".#.........#", ".#.........#", ".#.........#",
          ".#.........#", ".#.........#", ".#.........#", ".#.........#", ".###########"}},
        {"down arrow",
         DrawDownArrowGlyph,
         {"............", "............", "............", "..########..", "...######...", "....####....",
          ".....##.....", "............"}},
        // Back window (3..10 x 1..6, two-row title), then the front one (1..7 x 5..10) framed
        // over it without erasing what lies behind.
        {"restore",
         DrawRestoreGlyph,
         {"............", "...########.", "...########.", "...#......#.", "...#......#.", ".#######..#.",
          ".##########.", ".#.....#....", ".#.....#....", ".#.....#....", ".#######....", "............"}},
        {"tray",
         DrawTrayGlyph,
         {"............", "............", "............", "............", "..########..", "..#......#..",
          "..########..", "............"}},
        // The down arrow turned over and one row lower: rows of 2, 4, 6 and 8 at Y+3 to Y+6.
        {"up arrow",
         DrawUpArrowGlyph,
         {"............", "............", "............", "............", ".....##.....", "....####....",
          "...######...", "..########..", "............"}},
        {"radio mark",
         DrawRadioMark,
         {"............", ".######.....", ".######.....", ".######.....", ".######.....", ".######.....",
          ".######.....", "............"}},
        {"square",
         DrawSquareGlyph,
         {"............", "............", "............", "...#####....", "...#####....", "...#####....",
          "...#####....", "...#####....", "............"}},
    };
    for (const Case& c : cases) {
        TskBitmap b(12, int(c.Expected.size()));
        c.Draw(b, 1, 1, kInk);
        EXPECT_EQ(Art(b), c.Expected) << c.Name;
    }
}

TEST(Glyphs, DownArrowPaintsTwentyPixelsAndCheckMark) {
    TskBitmap b(12, 12);
    DrawDownArrowGlyph(b, 0, 0, kInk);
    EXPECT_EQ(Painted(b), 20);
    EXPECT_EQ(Art(b)[6], "............");

    TskBitmap check(10, 10);
    DrawCheckMark(check, 1, 1, kInk);
    EXPECT_EQ(Art(check), (std::vector<std::string>{
                              "..........",
                              "..........",
                              ".......#..",
                              "......##..",
                              ".#...###..",
                              ".##.###...",
                              ".#####....",
                              "..###.....",
                              "...#......",
                              "..........",
                          }));
}

TEST(Glyphs, ArrowDirections) {
    for (int direction : {0, 5, -1}) {
        TskBitmap b(10, 10);
        DrawArrowGlyph(b, {0, 0, 10, 10}, kInk, direction);
        EXPECT_EQ(Painted(b), 0) << direction;
    }
    TskBitmap left(10, 10);
    DrawArrowGlyph(left, {0, 0, 10, 10}, kInk, 1);
    EXPECT_EQ(Painted(left), 16);
    EXPECT_EQ(Art(left)[5], "...####...");
    TskBitmap down(10, 10);
    DrawArrowGlyph(down, {0, 0, 10, 10}, kInk, 4);
    EXPECT_EQ(Art(down)[4], "..#######.");
    EXPECT_EQ(Art(down)[7], ".....#....");
    TskBitmap small(10, 10);
    DrawSmallDownArrow(small, {0, 0, 10, 10}, kInk);
    EXPECT_EQ(Painted(small), 9);
}

TEST(Glyphs, StripGlyphs) {
    TskBitmap strip(64, 4);
    strip.Fill(skRGB(255, 0, 255));
    for (int x = 0; x < 64; ++x)
        strip.SetPixel(x, 1, kInk);
    strip.SetPixel(0, 3, skRGB(255, 0, 255)); // bottom-left: the transparent colour
    TskBitmap canvas(64, 4);
    DrawGlyphFromStrip(canvas, 0, 0, 1, 4, strip);
    EXPECT_EQ(Art(canvas)[1], std::string(16, '#') + std::string(48, '.'));
    EXPECT_EQ(canvas.Pixel(0, 0), 0); // transparent pixels leave the canvas alone

    for (auto [index, count] : {std::pair{1, 0}, {0, 4}, {5, 4}, {1, 100}}) {
        TskBitmap c(64, 4);
        DrawGlyphFromStrip(c, 0, 0, index, count, strip);
        EXPECT_EQ(Painted(c), 0) << index << "/" << count;
    }
    TskBitmap c(8, 8);
    DrawGlyphFromStrip(c, 0, 0, 1, 1, TskBitmap());
    EXPECT_EQ(Painted(c), 0);
}

TEST(Glyphs, Frame3D) {
    TskBitmap b(5, 4);
    const TskColor other = skRGB(1, 1, 1);
    DrawFrame3D(b, {0, 0, 5, 4}, kInk, other);
    EXPECT_EQ(b.Pixel(0, 0), kInk);
    EXPECT_EQ(b.Pixel(3, 0), kInk);
    EXPECT_EQ(b.Pixel(0, 2), kInk);
    EXPECT_EQ(b.Pixel(4, 0), other);
    EXPECT_EQ(b.Pixel(4, 3), other);
    EXPECT_EQ(b.Pixel(0, 3), other);
    EXPECT_EQ(b.Pixel(2, 2), 0);
}

} // namespace
} // namespace vd
