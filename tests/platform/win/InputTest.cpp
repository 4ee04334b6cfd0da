#include "WinFixture.h"

namespace vd::test {
namespace {

using Msgs = std::vector<UINT>;

TEST_F(WinTest, APressRunsThePipelineInOrder) {
    HWND other = Top({400, 0, 500, 100}, WS_POPUP | WS_VISIBLE);
    HWND form = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND child = Child(form, {10, 10, 110, 110});
    SetActiveWindow(other);
    MessageSpy spy;
    hb->ButtonDown(RawButton::Left, {20, 30});
    Pump();
    std::vector<std::pair<HWND, UINT>> seq;
    for (const auto& e : spy.Entries())
        if (e.msg == WM_NCHITTEST || e.msg == WM_MOUSEACTIVATE || e.msg == WM_SETCURSOR ||
            e.msg == WM_PARENTNOTIFY || e.msg == WM_LBUTTONDOWN || e.msg == WM_ACTIVATE)
            if (e.depth == 0) seq.push_back({e.hwnd, e.msg});
    const std::vector<std::pair<HWND, UINT>> expected{
        {child, WM_NCHITTEST}, {child, WM_MOUSEACTIVATE}, {other, WM_ACTIVATE},   {form, WM_ACTIVATE},
        {child, WM_SETCURSOR}, {form, WM_PARENTNOTIFY},   {child, WM_LBUTTONDOWN}};
    EXPECT_EQ(seq, expected);
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(spy.Of(form, WM_ACTIVATE).at(0).wParam, static_cast<WPARAM>(WA_CLICKACTIVE));
    const auto down = spy.Of(child, WM_LBUTTONDOWN).at(0);
    EXPECT_EQ(LParamToPoint(down.lParam), (TPoint{10, 20}));
    EXPECT_TRUE(down.posted);
    EXPECT_EQ(LParamToPoint(spy.Of(form, WM_PARENTNOTIFY).at(0).lParam), (TPoint{20, 30}));
    EXPECT_EQ(LoWord(spy.Of(form, WM_PARENTNOTIFY).at(0).wParam), WM_LBUTTONDOWN);
    const auto cursor = spy.Of(child, WM_SETCURSOR).at(0);
    EXPECT_EQ(LoWord(static_cast<std::uintptr_t>(cursor.lParam)), HTCLIENT);
    EXPECT_EQ(HiWord(static_cast<std::uintptr_t>(cursor.lParam)), WM_LBUTTONDOWN);
}

TEST_F(WinTest, NoActivateAnswerKeepsActivationAndFocus) {
    HWND form = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND pop = Top({300, 0, 400, 100}, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    SetWindowPos(pop, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    handlers[pop] = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_MOUSEACTIVATE) return false;
        r = MA_NOACTIVATE;
        return true;
    };
    MessageSpy spy;
    hb->Click(RawButton::Left, {310, 10});
    Pump();
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(GetFocus(), form);
    EXPECT_EQ(spy.Messages(pop, {WM_LBUTTONDOWN, WM_LBUTTONUP}), (Msgs{WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(WinTest, NonClientCodesPickNonClientMessages) {
    HWND form = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    int code = HTCAPTION;
    handlers[form] = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m == WM_NCHITTEST) {
            r = code;
            return true;
        }
        if (m == WM_NCLBUTTONDOWN && w == HTOBJECT) return false;
        return m == WM_NCLBUTTONDOWN || m == WM_NCLBUTTONUP; // no move loop here
    };
    MessageSpy spy;
    spy.Watch(form);
    code = HTOBJECT;
    hb->MouseMove({50, 5});
    hb->Click(RawButton::Left, {50, 5});
    Pump();
    EXPECT_EQ(
        spy.Messages(form, {WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDOWN}),
        (Msgs{WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}));
    const auto down = spy.Of(form, WM_NCLBUTTONDOWN).at(0);
    EXPECT_EQ(down.wParam, static_cast<WPARAM>(HTOBJECT));
    EXPECT_EQ(LParamToPoint(down.lParam), (TPoint{50, 5}));
    EXPECT_TRUE(spy.Of(form, WM_SYSCOMMAND).empty()) << "HTOBJECT presses do nothing by default";
}

TEST_F(WinTest, DefaultCursorFollowsTheHitCode) {
    HWND form = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    int code = 0;
    handlers[form] = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_NCHITTEST) return false;
        r = code;
        return true;
    };
    struct Case {
        int code;
        CursorShape shape;
    } cases[] = {{HTLEFT, CursorShape::SizeWE},       {HTRIGHT, CursorShape::SizeWE},
                 {HTTOP, CursorShape::SizeNS},        {HTBOTTOM, CursorShape::SizeNS},
                 {HTTOPLEFT, CursorShape::SizeNWSE},  {HTBOTTOMRIGHT, CursorShape::SizeNWSE},
                 {HTTOPRIGHT, CursorShape::SizeNESW}, {HTBOTTOMLEFT, CursorShape::SizeNESW},
                 {HTCAPTION, CursorShape::Arrow},     {HTCLIENT, CursorShape::Arrow}};
    for (const Case& c : cases) {
        code = c.code;
        hb->CursorChanged(CursorShape::Wait);
        hb->MouseMove({50, 50});
        Pump();
        EXPECT_EQ(hb->LastCursor(), c.shape) << c.code;
    }
}

TEST_F(WinTest, CaptureRedirectsEveryMouseMessageAsClientMessage) {
    HWND form = Top({100, 100, 300, 300}, WS_POPUP | WS_VISIBLE);
    HWND other = Top({400, 100, 500, 200}, WS_POPUP | WS_VISIBLE);
    SetActiveWindow(form);
    SetCapture(form);
    Pump();
    MessageSpy spy;
    hb->MouseMove({450, 150});
    hb->Click(RawButton::Left, {50, 40});
    Pump();
    for (UINT m : spy.Messages(other))
        ADD_FAILURE() << "other got " << m;
    EXPECT_TRUE(spy.Of(form, WM_NCHITTEST).empty());
    EXPECT_EQ(spy.Messages(form, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (Msgs{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(LParamToPoint(spy.Of(form, WM_MOUSEMOVE).at(0).lParam), (TPoint{350, 50}));
    EXPECT_EQ(LParamToPoint(spy.Of(form, WM_LBUTTONDOWN).at(0).lParam), (TPoint{-50, -60}));
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    spy.Clear();
    SetCapture(form);
    SendMessage(form, WM_CANCELMODE);
    EXPECT_EQ(GetCapture(), nullptr) << "WM_CANCELMODE releases the capture";
    EXPECT_EQ(spy.Of(form, WM_CAPTURECHANGED).size(), 1u);
}

TEST_F(WinTest, DoubleClicksNeedTheClassStyleInTheClientButNotInTheFrame) {
    struct Case {
        const char* cls;
        int code;
        unsigned gapMs;
        int dx;
        UINT second;
    } cases[] = {
        {"TestDbl", HTCLIENT, 100, 0, WM_LBUTTONDBLCLK},   {"TestWnd", HTCLIENT, 100, 0, WM_LBUTTONDOWN},
        {"TestDbl", HTCLIENT, 600, 0, WM_LBUTTONDOWN},     {"TestDbl", HTCLIENT, 100, 5, WM_LBUTTONDOWN},
        {"TestWnd", HTOBJECT, 100, 0, WM_NCLBUTTONDBLCLK}, {"TestWnd", HTOBJECT, 100, 2, WM_NCLBUTTONDBLCLK},
        {"TestWnd", HTOBJECT, 501, 0, WM_NCLBUTTONDOWN},
    };
    for (const Case& c : cases) {
        HWND h = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE, 0, c.cls);
        handlers[h] = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
            if (m != WM_NCHITTEST) return false;
            r = c.code;
            return true;
        };
        MessageSpy spy;
        spy.Watch(h);
        hb->Click(RawButton::Left, {50, 50});
        Pump();
        hb->Advance(c.gapMs);
        hb->ButtonDown(RawButton::Left, {50 + c.dx, 50});
        Pump();
        auto downs =
            spy.Messages(h, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK});
        ASSERT_EQ(downs.size(), 2u) << c.cls << " " << c.gapMs;
        EXPECT_EQ(downs[1], c.second) << c.cls << " code " << c.code << " gap " << c.gapMs << " dx " << c.dx;
        hb->ButtonUp(RawButton::Left, {50, 50});
        Pump();
        hb->Advance(1000);
        DestroyWindow(h);
    }
}

TEST_F(WinTest, PointsOutsideTheRegionReachTheWindowBehind) {
    HWND back = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND front = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    SetWindowRgnRects(front, {{0, 0, 100, 100}}, TRUE);
    EXPECT_EQ(WindowFromPoint({50, 50}), front);
    EXPECT_EQ(WindowFromPoint({150, 150}), back);
    std::vector<TRect> rects;
    ASSERT_TRUE(GetWindowRgnRects(front, rects));
    EXPECT_EQ(rects.size(), 1u);
    ClearWindowRgn(front, FALSE);
    EXPECT_EQ(WindowFromPoint({150, 150}), front);
    SetWindowRgnRects(front, {{0, 0, 100, 100}}, TRUE);
    MessageSpy spy;
    hb->Click(RawButton::Left, {150, 150});
    Pump();
    EXPECT_TRUE(spy.Messages(front, {WM_LBUTTONDOWN}).empty());
    EXPECT_EQ(spy.Messages(back, {WM_LBUTTONDOWN}).size(), 1u);
}

TEST_F(WinTest, InputToDisabledWindowsIsBlocked) {
    HWND form = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND child = Child(form, {0, 0, 100, 100});
    EnableWindow(form, FALSE);
    MessageSpy spy;
    hb->Click(RawButton::Left, {50, 50});
    Pump();
    EXPECT_TRUE(spy.Messages(child, {WM_LBUTTONDOWN}).empty());
    EXPECT_TRUE(spy.Messages(form, {WM_LBUTTONDOWN}).empty());
    EnableWindow(form, TRUE);
}

TEST_F(WinTest, KeysAreTranslatedAndAltAloneOpensTheKeyMenu) {
    HWND form = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    handlers[form] = [](HWND, UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m == WM_SYSCOMMAND && (w & 0xFFF0) == SC_CLOSE) {
            r = 0;
            return true; // keep the window for the test
        }
        return false;
    };
    MessageSpy spy;
    spy.Watch(form);
    hb->KeyPress('A', 'a');
    Pump();
    EXPECT_EQ(spy.Messages(form, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}), (Msgs{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(spy.Of(form, WM_CHAR).at(0).wParam, static_cast<WPARAM>('a'));
    spy.Clear();
    hb->KeyDown(VK_MENU);
    hb->KeyUp(VK_MENU);
    Pump();
    ASSERT_EQ(spy.Of(form, WM_SYSCOMMAND).size(), 1u);
    EXPECT_EQ(spy.Of(form, WM_SYSCOMMAND)[0].wParam, SC_KEYMENU);
    spy.Clear();
    hb->KeyDown(VK_MENU);
    hb->KeyPress(VK_SPACE, ' ');
    hb->KeyUp(VK_MENU);
    Pump();
    EXPECT_TRUE(spy.Of(form, WM_SYSCOMMAND).empty()) << "Alt with another key is no key menu";
    EXPECT_EQ(spy.Of(form, WM_SYSKEYDOWN).size(), 2u);
    EXPECT_EQ(spy.Of(form, WM_SYSKEYDOWN).at(1).wParam, static_cast<WPARAM>(VK_SPACE));
    EXPECT_EQ(spy.Of(form, WM_SYSCHAR).size(), 1u);
    spy.Clear();
    hb->KeyDown(VK_MENU);
    hb->KeyPress(VK_F4);
    hb->KeyUp(VK_MENU);
    Pump();
    ASSERT_EQ(spy.Of(form, WM_SYSCOMMAND).size(), 1u);
    EXPECT_EQ(spy.Of(form, WM_SYSCOMMAND)[0].wParam, SC_CLOSE);
}

TEST_F(WinTest, WheelGoesToTheFocusWindowWithASignedDelta) {
    HWND form = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND child = Child(form, {0, 0, 50, 50});
    SetFocus(child);
    MessageSpy spy;
    hb->Wheel(-120, {150, 150});
    Pump();
    const auto wheel = spy.Of(child, WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(static_cast<std::int16_t>(HiWord(wheel[0].wParam)), -120);
    EXPECT_EQ(static_cast<int>(static_cast<std::intptr_t>(wheel[0].wParam)) >> 16, -120);
    EXPECT_EQ(spy.Of(form, WM_MOUSEWHEEL).size(), 1u) << "unhandled wheel goes up to the parent";
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(WinTest, PressOutsideOurWindowsDuringAMenuCancelsIt) {
    HWND form = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND menu =
        Top({50, 50, 150, 150}, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST);
    Pump();
    SetMenuGrab(form);
    EXPECT_EQ(GetMenuGrab(), form);
    MessageSpy spy;
    hb->Click(RawButton::Left, {100, 100}); // on the menu: an ordinary press
    Pump();
    EXPECT_TRUE(spy.Of(form, WM_CANCELMODE).empty());
    EXPECT_EQ(spy.Of(menu, WM_LBUTTONDOWN).size(), 1u);
    hb->Click(RawButton::Left, {900, 900}); // outside every window of ours
    Pump();
    EXPECT_EQ(spy.Of(form, WM_CANCELMODE).size(), 1u);
    SetMenuGrab(nullptr);
    hb->Click(RawButton::Left, {900, 900});
    Pump();
    EXPECT_EQ(spy.Of(form, WM_CANCELMODE).size(), 1u);
    DestroyWindow(form);
    EXPECT_EQ(GetMenuGrab(), nullptr);
}

} // namespace
} // namespace vd::test
