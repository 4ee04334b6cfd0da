#include "WinFixture.h"

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

} // namespace
} // namespace vd::test
