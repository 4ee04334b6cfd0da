#include "WinFixture.h"

#include "platform/gfx/Gdi.h"

namespace vd::test {
namespace {

using ScrollTest = WinTest;

TEST_F(ScrollTest, PositionClampsToRangeAndPage) {
    HWND h = Top({0, 0, 100, 100});
    struct {
        UINT mask;
        int min, max;
        UINT page;
        int pos;
        int expectPos;
        UINT expectPage;
    } cases[] = {
        {SIF_ALL, 0, 99, 10, 50, 50, 10}, {SIF_POS, 0, 0, 0, 95, 90, 10},
        {SIF_POS, 0, 0, 0, -3, 0, 10},    {SIF_PAGE, 0, 0, 200, 0, 0, 100},
        {SIF_RANGE, 5, 9, 0, 0, 5, 5},    {SIF_ALL, 0, 0, 0, 7, 0, 0},
        {SIF_ALL, -10, 10, 1, 10, 10, 1}, {SIF_ALL, 0, 2000000000, 1000, 1999999990, 1999999001, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pos);
        SCROLLINFO in;
        in.fMask = c.mask;
        in.nMin = c.min;
        in.nMax = c.max;
        in.nPage = c.page;
        in.nPos = c.pos;
        EXPECT_EQ(SetScrollInfo(h, SB_VERT, in, TRUE), c.expectPos);
        SCROLLINFO out;
        out.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(h, SB_VERT, out));
        EXPECT_EQ(out.nPos, c.expectPos);
        EXPECT_EQ(out.nPage, c.expectPage);
        EXPECT_EQ(GetScrollPos(h, SB_VERT), c.expectPos);
    }
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 0) << "the bars are separate";
    EXPECT_TRUE(SetScrollRange(h, SB_HORZ, 0, 9, FALSE));
    EXPECT_EQ(SetScrollPos(h, SB_HORZ, 4, FALSE), 0);
    int mn = -1, mx = -1;
    EXPECT_TRUE(GetScrollRange(h, SB_HORZ, &mn, &mx));
    EXPECT_EQ(mx, 9);
    EXPECT_TRUE(ShowScrollBar(h, SB_BOTH, TRUE));
    EXPECT_TRUE(IsScrollBarShown(h, SB_HORZ) && IsScrollBarShown(h, SB_VERT));
    DestroyWindow(h);
    EXPECT_EQ(SetScrollPos(h, SB_HORZ, 1, FALSE), 0) << "a dead handle fails softly";
    EXPECT_FALSE(GetScrollRange(h, SB_HORZ, &mn, &mx));
}

TEST_F(ScrollTest, ScrollWParamCarriesFull32BitPositions) {
    for (int pos : {0, 1, 65535, 65536, 0x7FFFFFFF, -1, -70000}) {
        const WPARAM w = MakeScrollWParam(SB_THUMBTRACK, pos);
        EXPECT_EQ(ScrollCode(w), SB_THUMBTRACK);
        EXPECT_EQ(ScrollPos(w), pos);
    }
}

// Columns painted in distinct colours: x -> RGB(x * 4, 0, 0).
void PaintColumns(HWND h, int width, int height) {
    HDC dc = GetDC(h);
    for (int x = 0; x < width; ++x) {
        UniqueBrush b(CreateSolidBrush(RGB(x * 4, 0, 0)));
        const TRect r{x, 0, x + 1, height};
        FillRect(dc, &r, b.Get());
    }
    ReleaseDC(h, dc);
}

TEST_F(ScrollTest, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip) {
    HWND h = Top({0, 0, 60, 20}, WS_POPUP | WS_VISIBLE);
    Pump();
    struct {
        int dx;
        const TRect* rect;
        TRect clip;
        int probeX, expectColumn; // pixel at probeX shows what was at expectColumn (-1: untouched)
        TRect uncovered;
    } cases[] = {
        {10, nullptr, {0, 0, 60, 20}, 25, 15, {0, 0, 10, 20}},
        {-10, nullptr, {0, 0, 60, 20}, 25, 35, {50, 0, 60, 20}},
        {10, nullptr, {20, 0, 40, 20}, 35, 25, {20, 0, 30, 20}},
        {10, nullptr, {20, 0, 40, 20}, 45, 45, {20, 0, 30, 20}}, // outside the clip: unchanged
        {100, nullptr, {0, 0, 60, 20}, 25, 25, {0, 0, 60, 20}},  // nothing stays: all uncovered
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dx * 100 + c.clip.Left);
        PaintColumns(h, 60, 20);
        ValidateRect(h, nullptr);
        TRect uncovered;
        ScrollWindowEx(h, c.dx, 0, c.rect, &c.clip, nullptr, &uncovered, SW_INVALIDATE);
        EXPECT_EQ(GetWindowPixel(h, c.probeX, 5), RGB(c.expectColumn * 4, 0, 0));
        EXPECT_EQ(uncovered, c.uncovered);
        TRect pending;
        GetUpdateRect(h, pending, FALSE);
        EXPECT_EQ(pending, c.uncovered);
    }
}

} // namespace
} // namespace vd::test
