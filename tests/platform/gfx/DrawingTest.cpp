#include "Surface.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace vd {
namespace {

using test::Surface;
using Pixels = std::set<std::pair<int, int>>;

Pixels Painted(Surface& s, DWord background = 0) {
    Pixels p;
    for (int y = 0; y < s.B().Height(); ++y)
        for (int x = 0; x < s.B().Width(); ++x)
            if (s.At(x, y) != background) p.insert({x, y});
    return p;
}

TEST(Lines, EndPointIsNotPainted) {
    struct Case {
        TPoint a, b;
        Pixels want;
    };
    const Case cases[] = {
        {{1, 1}, {5, 1}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {{5, 1}, {1, 1}, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {{2, 0}, {2, 3}, {{2, 0}, {2, 1}, {2, 2}}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
        {{4, 4}, {4, 4}, {}},
    };
    for (const Case& c : cases) {
        Surface s(8, 8);
        UniquePen pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
        SelectGuard g(s.dc.Get(), pen.Get());
        MoveToEx(s.dc.Get(), c.a.X, c.a.Y, nullptr);
        LineTo(s.dc.Get(), c.b.X, c.b.Y);
        EXPECT_EQ(Painted(s), c.want);
        TPoint cp;
        GetCurrentPositionEx(s.dc.Get(), &cp);
        EXPECT_EQ(cp, c.b);
    }
}

// Grid lines wider than a pixel: a flat-capped geometric pen covers exactly the line's length,
// where the plain wide pen's square stamp reaches half its width past both ends.
TEST(Lines, FlatCappedWidePensStopAtTheEnds) {
    const LOGBRUSH white{BS_SOLID, RGB(255, 255, 255), 0};
    const struct {
        HPEN Pen;
        TPoint A, B;
        TRect Covered; // the painted pixels are exactly this rectangle
    } cases[] = {
        {ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_SOLID, 3, &white, 0, nullptr),
         {4, 6},
         {12, 6},
         {4, 5, 12, 8}},
        {ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_SOLID, 4, &white, 0, nullptr),
         {6, 2},
         {6, 10},
         {4, 2, 8, 10}},
        {CreatePen(PS_SOLID, 3, RGB(255, 255, 255)), {4, 6}, {12, 6}, {3, 5, 13, 8}},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.Pen, nullptr);
        UniquePen pen(c.Pen);
        Surface s(16, 16);
        SelectGuard g(s.dc.Get(), pen.Get());
        MoveToEx(s.dc.Get(), c.A.X, c.A.Y, nullptr);
        LineTo(s.dc.Get(), c.B.X, c.B.Y);
        Pixels want;
        for (int y = c.Covered.Top; y < c.Covered.Bottom; ++y)
            for (int x = c.Covered.Left; x < c.Covered.Right; ++x)
                want.insert({x, y});
        EXPECT_EQ(Painted(s), want) << c.A.X << "," << c.A.Y << " to " << c.B.X << "," << c.B.Y;
    }
    const LOGBRUSH hatched{2, 0, 0};
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &white, 0, nullptr), nullptr)
        << "cosmetic pens are 1 pixel";
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 2, &hatched, 0, nullptr), nullptr)
        << "solid brushes only";
    const DWord dashes[] = {2, 2};
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 2, &white, 2, dashes), nullptr) << "no user dash styles";
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 2, nullptr, 0, nullptr), nullptr);
}

TEST(Lines, XorPenTwiceRestores) {
    Surface s(10, 10);
    s.Encode();
    UniquePen pen(CreatePen(PS_DOT, 1, RGB(0xCE, 0xD8, 0xFF)));
    SelectGuard g(s.dc.Get(), pen.Get());
    SetROP2(s.dc.Get(), R2_XORPEN);
    SetBkMode(s.dc.Get(), TRANSPARENT);
    const TPoint pts[] = {{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 0}};
    Polyline(s.dc.Get(), pts, 5);
    EXPECT_NE(s.At(0, 0), Surface::Code(0, 0));
    EXPECT_EQ(s.At(3, 0), Surface::Code(3, 0)) << "a dot gap";
    Polyline(s.dc.Get(), pts, 5);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(s.At(x, y), Surface::Code(x, y));
}

TEST(Shapes, RectangleOutlinesWithPenAndFillsWithBrush) {
    Surface s(8, 8);
    UniqueBrush brush(CreateSolidBrush(RGB(0, 0, 255)));
    SelectGuard g(s.dc.Get(), brush.Get());
    Rectangle(s.dc.Get(), 1, 1, 6, 5);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inBox = x >= 1 && x < 6 && y >= 1 && y < 5;
            const bool edge = inBox && (x == 1 || x == 5 || y == 1 || y == 4);
            const DWord want = edge ? 0u : inBox ? 0x0000FFu : 0u; // black pen, blue brush
            ASSERT_EQ(s.At(x, y), want) << x << "," << y;
        }
    // A null pen fills one pixel narrower and shorter.
    s.Fill(0xFFFFFF);
    SelectObject(s.dc.Get(), GetStockObject(NULL_PEN));
    Rectangle(s.dc.Get(), 1, 1, 6, 5);
    EXPECT_EQ(Painted(s, 0xFFFFFF).size(), 4u * 3u);
}

TEST(Shapes, EllipseStaysInItsBoxAndIsSymmetric) {
    for (auto [w, h] : {std::pair{9, 9}, {12, 7}, {3, 10}, {1, 1}}) {
        Surface s(20, 20);
        s.Fill(0xFFFFFF);
        Ellipse(s.dc.Get(), 2, 3, 2 + w, 3 + h);
        const Pixels p = Painted(s, 0xFFFFFF);
        EXPECT_FALSE(p.empty());
        for (auto [x, y] : p) {
            ASSERT_TRUE(x >= 2 && x < 2 + w && y >= 3 && y < 3 + h) << x << "," << y;
            ASSERT_EQ(s.At(x, y), s.At(2 + w - 1 - (x - 2), y)) << "mirror in x";
            ASSERT_EQ(s.At(x, y), s.At(x, 3 + h - 1 - (y - 3))) << "mirror in y";
        }
        // The centre is filled with the (white) brush, the widest row reaches both sides.
        EXPECT_EQ(s.At(2, 3 + h / 2), 0u);
        EXPECT_EQ(s.At(2 + w - 1, 3 + h / 2), 0u);
    }
}

TEST(Shapes, RoundRectCutsItsCorners) {
    Surface s(12, 12);
    s.Fill(0xFFFFFF);
    SelectObject(s.dc.Get(), GetStockObject(BLACK_BRUSH));
    RoundRect(s.dc.Get(), 0, 0, 12, 12, 6, 6);
    EXPECT_EQ(s.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(s.At(6, 0), 0u);
    EXPECT_EQ(s.At(0, 6), 0u);
    EXPECT_EQ(s.At(11, 11), 0xFFFFFFu);
}

TEST(Shapes, PolygonFillsTheInside) {
    Surface s(10, 10);
    s.Fill(0xFFFFFF);
    SelectObject(s.dc.Get(), GetStockObject(BLACK_BRUSH));
    SelectObject(s.dc.Get(), GetStockObject(NULL_PEN));
    const TPoint tri[] = {{0, 0}, {8, 0}, {0, 8}};
    Polygon(s.dc.Get(), tri, 3);
    EXPECT_EQ(s.At(1, 1), 0u);
    EXPECT_EQ(s.At(7, 7), 0xFFFFFFu);
    EXPECT_EQ(s.At(0, 6), 0u);
}

TEST(FocusRect, InvertsAlternatePixelsAndTwiceRestores) {
    Surface s(10, 8);
    s.Encode();
    const TRect r{1, 1, 9, 7};
    DrawFocusRect(s.dc.Get(), &r);
    int changed = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            if (s.At(x, y) != Surface::Code(x, y)) {
                ++changed;
                EXPECT_EQ(s.At(x, y), Surface::Code(x, y) ^ 0xFFFFFF);
                EXPECT_TRUE(x == 1 || x == 8 || y == 1 || y == 6);
            }
    EXPECT_EQ(changed, 12) << "half of the 24 border pixels";
    DrawFocusRect(s.dc.Get(), &r);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(s.At(x, y), Surface::Code(x, y));
}

TEST(Context, SaveAndRestoreBringBackClipOriginAndObjects) {
    Surface s(10, 10);
    UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    HGDIOBJ before = GetCurrentObject(s.dc.Get(), OBJ_BRUSH);
    const int level = SaveDC(s.dc.Get());
    SelectObject(s.dc.Get(), red.Get());
    SetViewportOrgEx(s.dc.Get(), 3, 3, nullptr);
    IntersectClipRect(s.dc.Get(), 0, 0, 2, 2);
    TRect all{-10, -10, 20, 20};
    FillRect(s.dc.Get(), &all, red.Get());
    EXPECT_EQ(Painted(s).size(), 4u);
    EXPECT_TRUE(RestoreDC(s.dc.Get(), level));
    EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_BRUSH), before);
    TPoint org{9, 9};
    GetViewportOrgEx(s.dc.Get(), &org);
    EXPECT_EQ(org, (TPoint{0, 0}));
    FillRect(s.dc.Get(), &all, red.Get());
    EXPECT_EQ(Painted(s).size(), 100u);
    EXPECT_FALSE(RestoreDC(s.dc.Get(), 1)) << "nothing left to restore";
}

TEST(Context, ObjectDeletedWhileSelectedStaysUsable) {
    Surface s(4, 4);
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    SelectObject(s.dc.Get(), brush);
    EXPECT_TRUE(DeleteObject(brush));
    PatBlt(s.dc.Get(), 0, 0, 4, 4, PATCOPY);
    EXPECT_EQ(s.At(2, 2), 0x00FF00u);
    SelectObject(s.dc.Get(), GetStockObject(WHITE_BRUSH)); // frees the brush now
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH))) << "stock objects survive";
    PatBlt(s.dc.Get(), 0, 0, 4, 4, PATCOPY);
    EXPECT_EQ(s.At(2, 2), 0xFFFFFFu);
}

TEST(Context, SystemClipAndOriginFromTheWindowSystem) {
    Surface s(10, 10);
    SetDCOrigin(s.dc.Get(), 4, 2);
    UniqueRegion visible(CreateRectRgn(0, 0, 6, 10));
    SetDCSystemClip(s.dc.Get(), visible.Get());
    TRect r{0, 0, 5, 5};
    FillRect(s.dc.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const Pixels p = Painted(s);
    EXPECT_EQ(p.size(), 2u * 5u) << "columns 4 and 5, rows 2..6";
    EXPECT_TRUE(p.count({4, 2}) && p.count({5, 6}));
}

TEST(Context, FarCoordinatesClipWithoutOverflowOrLongLoops) {
    Surface s(16, 16);
    HDC dc = s.dc.Get();
    const TRect huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    FillRect(dc, &huge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(Painted(s).size(), 256u);
    SetViewportOrgEx(dc, INT_MAX, INT_MIN, nullptr);
    FillRect(dc, &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetViewportOrgEx(dc, 0, 0, nullptr);
    s.Fill(0);
    UniquePen pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    SelectGuard g(dc, pen.Get());
    MoveToEx(dc, -2000000000, 5, nullptr);
    LineTo(dc, 2000000000, 5);
    EXPECT_EQ(Painted(s).size(), 16u) << "the whole of row 5";
    s.Fill(0);
    Ellipse(dc, -1000000000, -1000000000, 1000000000, 1000000000);
    Rectangle(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    RoundRect(dc, -1000000000, -1000000000, 1000000000, 1000000000, 2000000000, 2000000000);
    DrawFocusRect(dc, &huge);
    BitBlt(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, dc, INT_MAX, INT_MAX, SRCCOPY);
    StretchBlt(dc, -1000000000, -1000000000, 2000000000, 2000000000, dc, 0, 0, 16, 16, SRCCOPY);
    PatBlt(dc, INT_MAX, INT_MAX, INT_MAX, INT_MAX, PATCOPY);
    const TPoint far[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}};
    Polygon(dc, far, 3);
    UniqueRegion rgn(CreateRectRgn(0, 0, 10, 10));
    OffsetRgn(rgn.Get(), INT_MAX, INT_MAX);
    OffsetRgn(rgn.Get(), INT_MIN, INT_MIN);
    TextOutA(dc, INT_MAX, INT_MAX, "far", 3);
    TRect box = huge;
    DrawTextA(dc, "far away", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    DrawTextA(dc, "far away", -1, &box, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_CALCRECT);
}

TEST(Regions, FillFrameAndInvertPaintTheRegionInLogicalCoordinates) {
    Surface s(12, 12);
    UniqueRegion rgn(CreateRectRgn(2, 2, 8, 6));
    UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    SetViewportOrgEx(s.dc.Get(), 1, 1, nullptr);
    FillRgn(s.dc.Get(), rgn.Get(), white.Get());
    EXPECT_EQ(Painted(s).size(), 24u);
    EXPECT_TRUE(Painted(s).count({3, 3}) && Painted(s).count({8, 6}));
    InvertRgn(s.dc.Get(), rgn.Get());
    EXPECT_TRUE(Painted(s).empty());
    FrameRgn(s.dc.Get(), rgn.Get(), white.Get(), 1, 1);
    EXPECT_EQ(Painted(s).size(), 24u - 4u * 2u) << "the inside 4 x 2 stays";
    EXPECT_FALSE(Painted(s).count({5, 5}));
}

TEST(Context, ClipModesAndQueries) {
    Surface s(10, 10);
    HDC dc = s.dc.Get();
    UniqueRegion a(CreateRectRgn(0, 0, 6, 6)), b(CreateRectRgn(4, 4, 10, 10)), out(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(dc, out.Get()), 0) << "no clip yet";
    SelectClipRgn(dc, a.Get());
    struct Case {
        int mode;
        bool in44, in00, in99;
    };
    const Case cases[] = {{RGN_AND, true, false, false},
                          {RGN_OR, true, true, true},
                          {RGN_XOR, false, true, true},
                          {RGN_DIFF, false, true, false},
                          {RGN_COPY, true, false, true}};
    for (const Case& c : cases) {
        SelectClipRgn(dc, a.Get());
        EXPECT_NE(ExtSelectClipRgn(dc, b.Get(), c.mode), ERROR);
        EXPECT_EQ(PtVisible(dc, 4, 4), c.in44) << c.mode;
        EXPECT_EQ(PtVisible(dc, 0, 0), c.in00) << c.mode;
        EXPECT_EQ(PtVisible(dc, 9, 9), c.in99) << c.mode;
    }
    EXPECT_EQ(GetClipRgn(dc, out.Get()), 1);
    EXPECT_TRUE(EqualRgn(out.Get(), b.Get()));
    OffsetClipRgn(dc, -4, -4);
    TRect r{0, 0, 1, 1};
    EXPECT_TRUE(RectVisible(dc, &r));
    SelectClipRgn(dc, nullptr);
    EXPECT_TRUE(PtVisible(dc, 9, 0));
    EXPECT_FALSE(PtVisible(dc, 10, 0)) << "outside the bitmap";
}

TEST(Colors, SystemColoursResolveThroughOneTable) {
    EXPECT_EQ(clBtnFace, TColor(0xFF00000F));
    EXPECT_EQ(ColorToRGB(clBtnFace), TColor(RGB(212, 208, 200)));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clWindow), TColor(0xFFFFFF));
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
    Surface s(1, 1);
    UniqueBrush face(CreateSolidBrush(COLORREF(clBtnFace)));
    TRect r{0, 0, 1, 1};
    FillRect(s.dc.Get(), &r, face.Get());
    EXPECT_EQ(s.At(0, 0), 0xD4D0C8u) << "memory order: red, green, blue from the top byte down";
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(DeleteObject(shadow));
    FillRect(s.dc.Get(), &r, shadow);
    EXPECT_EQ(s.At(0, 0), 0x808080u);
    EXPECT_EQ(GetSysColorBrush(kSystemColorCount), nullptr);
}

TEST(Rounding, HalvesGoToEven) {
    struct Case {
        double v;
        int want;
    };
    for (const Case c :
         {Case{127.5, 128}, {76.5, 76}, {0.5, 0}, {1.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}})
        EXPECT_EQ(RoundHalfEven(c.v), c.want) << c.v;
}

} // namespace
} // namespace vd
