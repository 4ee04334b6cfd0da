#include "WinFixture.h"

#include "platform/gfx/Gdi.h"

namespace vd::test {
namespace {

using Msgs = std::vector<UINT>;

class PaintTest : public WinTest {
protected:
    // Each window paints its client in its own colour.
    void PaintIn(HWND h, COLORREF color) {
        handlers[h] = [this, color](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
            if (m != WM_PAINT) return false;
            PAINTSTRUCT ps;
            BeginPaint(w, ps);
            HBRUSH b = CreateSolidBrush(color);
            const TRect c = GetClientRect(w);
            FillRect(ps.hdc, &c, b);
            DeleteObject(b);
            EndPaint(w, ps);
            ++paints[w];
            r = 0;
            return true;
        };
    }
    std::map<HWND, int> paints;
};

TEST_F(PaintTest, InvalidationIsCoalescedAndErasedBeforePainting) {
    HWND h = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
    Pump();
    MessageSpy spy;
    spy.Watch(h);
    const TRect a{0, 0, 10, 10}, b{50, 50, 60, 60};
    InvalidateRect(h, &a, FALSE);
    InvalidateRect(h, &b, TRUE);
    TRect u;
    ASSERT_TRUE(GetUpdateRect(h, u, FALSE));
    EXPECT_EQ(u, (TRect{0, 0, 60, 60}));
    Pump();
    EXPECT_EQ(spy.Messages(h, {WM_PAINT, WM_ERASEBKGND}), (Msgs{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(spy.Of(h, WM_ERASEBKGND)[0].depth, 1) << "erased inside BeginPaint";
    EXPECT_FALSE(GetUpdateRect(h, u, FALSE));
    spy.Clear();
    InvalidateRect(h, nullptr, FALSE);
    ValidateRect(h, nullptr);
    Pump();
    EXPECT_TRUE(spy.Messages(h, {WM_PAINT}).empty());
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndNothingWhenValid) {
    HWND h = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
    Pump();
    MessageSpy spy;
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    EXPECT_EQ(spy.Messages(h, {WM_PAINT}).size(), 1u);
    EXPECT_FALSE(spy.Of(h, WM_PAINT)[0].posted);
    UpdateWindow(h);
    Pump();
    EXPECT_EQ(spy.Messages(h, {WM_PAINT}).size(), 1u);
}

TEST_F(PaintTest, PixelsOfParentsChildrenAndRegions) {
    HWND top = Top({10, 10, 110, 110}, WS_POPUP | WS_VISIBLE);
    HWND under = Child(top, {20, 20, 60, 60});
    HWND over = Child(top, {40, 40, 80, 80});
    PaintIn(top, RGB(255, 0, 0));
    PaintIn(under, RGB(0, 255, 0));
    PaintIn(over, RGB(0, 0, 255));
    RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Pump();
    struct Case {
        int x, y;
        COLORREF color;
    } cases[] = {
        {5, 5, RGB(255, 0, 0)},   {25, 25, RGB(0, 255, 0)}, {45, 45, RGB(0, 0, 255)},
        {59, 59, RGB(0, 0, 255)}, {70, 30, RGB(255, 0, 0)}, {79, 79, RGB(0, 0, 255)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetWindowPixel(top, c.x, c.y), c.color) << c.x << "," << c.y;
    // A region on the upper child lets the one below show where it is cut away.
    SetWindowRgnRects(over, {{0, 0, 10, 10}}, TRUE);
    RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(GetWindowPixel(top, 45, 45), RGB(0, 0, 255));
    EXPECT_EQ(GetWindowPixel(top, 55, 55), RGB(0, 255, 0));
    EXPECT_EQ(GetWindowPixel(top, 70, 70), RGB(255, 0, 0));
    EXPECT_EQ(GetWindowPixel(over, 5, 5), RGB(0, 0, 255));
}

TEST_F(PaintTest, WindowDcCoversTheFrameAndClientDcOnlyTheClient) {
    anyHandler = [](HWND, UINT m, WPARAM w, LPARAM l, LRESULT& r) {
        if (m == WM_NCCALCSIZE && w) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(l);
            p->rgrc[0].Left += 3;
            p->rgrc[0].Top += 22;
            p->rgrc[0].Right -= 3;
            p->rgrc[0].Bottom -= 3;
            r = 0;
            return true;
        }
        if (m == WM_NCPAINT) {
            HDC dc = GetWindowDC(reinterpret_cast<HWND>(0)); // a dead handle gives no DC
            EXPECT_EQ(dc, nullptr);
            r = 0;
            return true;
        }
        return false;
    };
    HWND h = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
    Pump();
    HDC wdc = GetWindowDC(h);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const TRect all{0, 0, 100, 100};
    ExcludeClipRect(wdc, 3, 22, 97, 97);
    FillRect(wdc, &all, red);
    ReleaseDC(h, wdc);
    HDC cdc = GetDC(h);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(cdc, &all, green); // clipped to the client
    ReleaseDC(h, cdc);
    DeleteObject(red);
    DeleteObject(green);
    EXPECT_EQ(GetWindowPixel(h, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetWindowPixel(h, 50, 10), RGB(255, 0, 0));
    EXPECT_EQ(GetWindowPixel(h, 3, 22), RGB(0, 255, 0));
    EXPECT_EQ(GetWindowPixel(h, 96, 96), RGB(0, 255, 0));
    EXPECT_EQ(GetWindowPixel(h, 97, 97), RGB(255, 0, 0));
    EXPECT_EQ(GetWindowPixel(h, 100, 5), 0xFFFFFFFFu);
}

TEST_F(PaintTest, RegionHandleStaysValidForTheCallerThatReplacesIt) {
    HWND h = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
    HRGN first = CreateRectRgn(0, 0, 50, 50);
    SetWindowRgn(h, first, TRUE);
    HRGN second = CreateRectRgn(0, 0, 60, 60);
    SetWindowRgn(h, second, TRUE);
    EXPECT_TRUE(PtInRegion(first, 10, 10)); // the caller still owns and deletes it
    DeleteObject(first);
    DeleteObject(second); // the window keeps its own reference
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(h, copy), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(copy, 59, 59));
    EXPECT_FALSE(PtInRegion(copy, 60, 60));
    DeleteObject(copy);
    SetWindowRgn(h, nullptr, FALSE);
    std::vector<TRect> rects;
    EXPECT_FALSE(GetWindowRgnRects(h, rects));
}

TEST_F(PaintTest, FrameIsPaintedOnShowAndOnFrameRedraw) {
    HWND h = Top({0, 0, 100, 100}, WS_POPUP);
    MessageSpy spy;
    spy.Watch(h);
    ShowWindow(h, SW_SHOW);
    EXPECT_EQ(spy.Messages(h, {WM_NCPAINT}).size(), 1u);
    Pump();
    EXPECT_EQ(spy.Messages(h, {WM_NCPAINT}).size(), 1u) << "no second frame paint for the same show";
    spy.Clear();
    RedrawWindow(h, nullptr, RDW_FRAME | RDW_INVALIDATE);
    Pump();
    EXPECT_EQ(spy.Messages(h, {WM_NCPAINT, WM_PAINT}), (Msgs{WM_NCPAINT, WM_PAINT}));
    spy.Clear();
    SetWindowPos(h, nullptr, 0, 0, 120, 100, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(spy.Messages(h, {WM_NCPAINT, WM_PAINT}), (Msgs{WM_NCPAINT, WM_PAINT}));
}

} // namespace
} // namespace vd::test
