#include "WinFixture.h"

namespace vd::test {
namespace {

using Msgs = std::vector<UINT>;

class MoveLoopTest : public WinTest {
protected:
    HWND Frame(int code) {
        HWND h = Top({100, 100, 300, 250}, WS_POPUP | WS_VISIBLE | WS_THICKFRAME);
        handlers[h] = [this, code](HWND, UINT m, WPARAM, LPARAM l, LRESULT& r) {
            if (m == WM_NCHITTEST) {
                r = code;
                return true;
            }
            if (m == WM_MOVING && snapX >= 0) reinterpret_cast<TRect*>(l)->Left = snapX;
            if (m == WM_GETMINMAXINFO) {
                reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = {150, 100};
                return true;
            }
            return false;
        };
        return h;
    }
    int snapX = -1;
};

TEST_F(MoveLoopTest, CaptionDragMovesTheWindowInsideTheCall) {
    HWND h = Frame(HTCAPTION);
    MessageSpy spy;
    spy.Watch(h);
    hb->ButtonDown(RawButton::Left, {150, 110});
    hb->MouseMove({160, 115});
    hb->MouseMove({170, 130});
    hb->ButtonUp(RawButton::Left, {170, 130});
    Pump();
    EXPECT_EQ(GetWindowRect(h), (TRect{120, 120, 320, 270}));
    EXPECT_EQ(
        spy.Messages(h, {WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE,
                         WM_NCLBUTTONUP, WM_LBUTTONUP}),
        (Msgs{WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_MOVING, WM_EXITSIZEMOVE}));
    EXPECT_EQ(spy.Of(h, WM_SYSCOMMAND).at(0).wParam, SC_MOVE | 2);
    EXPECT_EQ(spy.Of(h, WM_MOVE).size(), 2u) << "full-window dragging moves at each step";
    EXPECT_GT(spy.Of(h, WM_ENTERSIZEMOVE).at(0).depth, spy.Of(h, WM_NCLBUTTONDOWN).at(0).depth);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MoveLoopTest, ClickWithoutMovementStillEntersAndLeavesTheLoop) {
    HWND h = Frame(HTCAPTION);
    MessageSpy spy;
    hb->Click(RawButton::Left, {150, 110});
    Pump();
    EXPECT_EQ(spy.Messages(h, {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_NCLBUTTONUP}),
              (Msgs{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}));
    EXPECT_EQ(GetWindowRect(h), (TRect{100, 100, 300, 250}));
}

TEST_F(MoveLoopTest, MovingRectangleMayBeChangedByTheWindow) {
    HWND h = Frame(HTCAPTION);
    snapX = 0;
    hb->ButtonDown(RawButton::Left, {150, 110});
    hb->MouseMove({153, 111});
    hb->ButtonUp(RawButton::Left, {153, 111});
    Pump();
    EXPECT_EQ(GetWindowRect(h).Left, 0);
    EXPECT_EQ(GetWindowRect(h).Top, 101);
}

TEST_F(MoveLoopTest, EdgeDragSizesWithinTheLimits) {
    struct Case {
        int code;
        int dx, dy;
        TRect expected;
        WPARAM edge;
    } cases[] = {
        {HTRIGHT, 10, 0, {100, 100, 310, 250}, 2},
        {HTLEFT, 100, 0, {150, 100, 300, 250}, 1}, // at least 150 wide
        {HTBOTTOMRIGHT, 20, 40, {100, 100, 320, 290}, 8},
        {HTTOP, 0, 100, {100, 150, 300, 250}, 3}, // at least 100 high
    };
    for (const Case& c : cases) {
        HWND h = Frame(c.code);
        MessageSpy spy;
        spy.Watch(h);
        hb->ButtonDown(RawButton::Left, {200, 150});
        hb->MouseMove({200 + c.dx, 150 + c.dy});
        hb->ButtonUp(RawButton::Left, {200 + c.dx, 150 + c.dy});
        Pump();
        ASSERT_FALSE(spy.Of(h, WM_SIZING).empty()) << c.code;
        EXPECT_EQ(spy.Of(h, WM_SIZING)[0].wParam, c.edge);
        EXPECT_EQ(spy.Of(h, WM_SYSCOMMAND).at(0).wParam, SC_SIZE | c.edge);
        EXPECT_EQ(GetWindowRect(h), c.expected) << c.code;
        DestroyWindow(h);
    }
}

TEST_F(MoveLoopTest, EscapeRestoresTheStartingRectangle) {
    HWND h = Frame(HTCAPTION);
    hb->ButtonDown(RawButton::Left, {150, 110});
    hb->MouseMove({250, 210});
    hb->KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_EQ(GetWindowRect(h), (TRect{100, 100, 300, 250}));
    hb->ButtonUp(RawButton::Left, {250, 210});
    Pump();
}

TEST_F(MoveLoopTest, SecondPressAfterAMoveLoopIsADoubleClick) {
    HWND h = Frame(HTCAPTION);
    MessageSpy spy;
    spy.Watch(h);
    hb->Click(RawButton::Left, {150, 110});
    Pump();
    hb->Advance(100);
    hb->ButtonDown(RawButton::Left, {150, 110});
    hb->ButtonUp(RawButton::Left, {150, 110});
    Pump();
    EXPECT_EQ(spy.Of(h, WM_NCLBUTTONDBLCLK).size(), 1u);
}

} // namespace
} // namespace vd::test
