#include "VclFixture.h"

#include "platform/vcl/BevelLines.h"
#include "platform/vcl/Bitmap.h"

#include <vector>

namespace vd::test {
namespace {

constexpr int kW = 10, kH = 8;

// Colour of every pixel after drawing shape on white, row by row.
std::vector<TColor> Drawn(TBevelShape shape) {
    TBitmap bmp(kW, kH);
    bmp.Canvas().Brush().Color = clWhite;
    bmp.Canvas().FillRect({0, 0, kW, kH});
    DrawBevelLines(bmp.Canvas(), shape, kW, kH, clRed, clLime);
    std::vector<TColor> out;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            out.push_back(bmp.Canvas().Pixel(x, y));
    return out;
}

TEST(BevelLinesTest, EachLineShapeDrawsTwoFullLinesOnItsSide) {
    // The first colour on the line given, the second on the one after it.
    struct Case {
        TBevelShape Shape;
        bool Across;
        int At;
    } const cases[] = {{bsTopLine, true, 0},
                       {bsBottomLine, true, kH - 2},
                       {bsLeftLine, false, 0},
                       {bsRightLine, false, kW - 2}};
    for (const Case& k : cases) {
        const std::vector<TColor> px = Drawn(k.Shape);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const int along = k.Across ? y : x;
                const TColor want = along == k.At ? clRed : along == k.At + 1 ? clLime : clWhite;
                EXPECT_EQ(px[static_cast<size_t>(y * kW + x)], want)
                    << "shape " << k.Shape << " at " << x << "," << y;
            }
    }
}

TEST(BevelLinesTest, OtherShapesAreLeftToTheirBevel) {
    for (TBevelShape shape : {bsBox, bsFrame, bsSpacer})
        EXPECT_EQ(Drawn(shape), std::vector<TColor>(kW * kH, clWhite)) << "shape " << shape;
}

} // namespace
} // namespace vd::test
