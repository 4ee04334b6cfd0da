#include "WinFixture.h"

namespace vd::test {
namespace {

using Msgs = std::vector<UINT>;
const std::initializer_list<UINT> kPosMsgs{WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE,
                                           WM_WINDOWPOSCHANGED,  WM_MOVE,          WM_SIZE};

TEST_F(WinTest, SetWindowPosSendsItsSequence) {
    struct Case {
        const char* name;
        DWord style;
        int x, y, cx, cy;
        UINT flags;
        Msgs expected;
    } cases[] = {
        {"move only",
         WS_POPUP,
         50,
         60,
         0,
         0,
         SWP_NOSIZE | SWP_NOZORDER,
         {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}},
        {"size only",
         WS_POPUP,
         0,
         0,
         300,
         200,
         SWP_NOMOVE | SWP_NOZORDER,
         {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}},
        {"thick frame asks limits",
         WS_POPUP | WS_THICKFRAME,
         0,
         0,
         300,
         200,
         SWP_NOMOVE | SWP_NOZORDER,
         {WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}},
        {"move and size",
         WS_POPUP,
         5,
         6,
         300,
         200,
         SWP_NOZORDER,
         {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}},
        {"frame changed",
         WS_POPUP,
         0,
         0,
         0,
         0,
         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED,
         {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED}},
        {"same size", WS_POPUP, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER, {WM_WINDOWPOSCHANGING}},
    };
    for (const Case& c : cases) {
        HWND h = Top({0, 0, 100, 100}, c.style);
        MessageSpy spy;
        spy.Watch(h);
        SetWindowPos(h, nullptr, c.x, c.y, c.cx, c.cy, c.flags);
        EXPECT_EQ(spy.Messages(h, kPosMsgs), c.expected) << c.name;
        for (const auto& e : spy.Entries())
            EXPECT_EQ(e.depth == 0, e.msg == WM_WINDOWPOSCHANGING || e.msg == WM_GETMINMAXINFO ||
                                        e.msg == WM_NCCALCSIZE || e.msg == WM_WINDOWPOSCHANGED ||
                                        e.msg == WM_NCPAINT)
                << c.name << " " << e.msg;
        DestroyWindow(h);
    }
}

TEST_F(WinTest, NcCalcSizeAnswerDefinesTheClientArea) {
    int inset = 3;
    anyHandler = [&](HWND, UINT m, WPARAM w, LPARAM l, LRESULT& r) {
        if (m != WM_NCCALCSIZE || !w) return false;
        auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(l);
        p->rgrc[0].Left += inset;
        p->rgrc[0].Top += inset + 19;
        p->rgrc[0].Right -= inset;
        p->rgrc[0].Bottom -= inset;
        r = 0;
        return true;
    };
    HWND h = Top({100, 100, 300, 250});
    EXPECT_EQ(GetClientRect(h), (TRect{0, 0, 194, 125}));
    TPoint p{0, 0};
    ClientToScreen(h, p);
    EXPECT_EQ(p, (TPoint{103, 122}));
    HWND child = Child(h, {10, 10, 20, 20});
    EXPECT_EQ(GetWindowRect(child), (TRect{113, 132, 123, 142}));
    inset = 200; // more than the window: a zero-size client, never negative
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(GetClientRect(h), (TRect{0, 0, 0, 0}));
}

TEST_F(WinTest, SizeLimitsFromMinMaxInfoAreEnforcedForThickFrames) {
    anyHandler = [](HWND, UINT m, WPARAM, LPARAM l, LRESULT&) {
        if (m != WM_GETMINMAXINFO) return false;
        auto* mmi = reinterpret_cast<MINMAXINFO*>(l);
        mmi->ptMinTrackSize = {150, 80};
        mmi->ptMaxTrackSize = {400, 300};
        return true;
    };
    HWND thick = Top({0, 0, 200, 200}, WS_POPUP | WS_THICKFRAME);
    HWND plain = Top({0, 0, 200, 200}, WS_POPUP);
    SetWindowPos(thick, nullptr, 0, 0, 10, 900, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(plain, nullptr, 0, 0, 10, 900, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(GetWindowRect(thick), (TRect{0, 0, 150, 300}));
    EXPECT_EQ(GetWindowRect(plain), (TRect{0, 0, 10, 900}));
}

TEST_F(WinTest, ShowWindowTellsTheWindowBeforeItIsVisible) {
    HWND h = Top({0, 0, 100, 100});
    bool visibleInside = true;
    LPARAM lp = -1;
    handlers[h] = [&](HWND w, UINT m, WPARAM, LPARAM l, LRESULT&) {
        if (m == WM_SHOWWINDOW) {
            visibleInside = IsWindowVisible(w);
            lp = l;
        }
        return false;
    };
    MessageSpy spy;
    spy.Watch(h);
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    EXPECT_FALSE(visibleInside);
    EXPECT_EQ(lp, 0);
    EXPECT_TRUE(IsWindowVisible(h));
    ASSERT_FALSE(spy.Of(h, WM_SHOWWINDOW).empty());
    EXPECT_EQ(spy.Of(h, WM_SHOWWINDOW)[0].wParam, 1u);
    spy.Clear();
    EXPECT_TRUE(ShowWindow(h, SW_HIDE));
    EXPECT_EQ(spy.Of(h, WM_SHOWWINDOW).at(0).wParam, 0u);
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_NE(GetActiveWindow(), h);
}

TEST_F(WinTest, ActivationMovesInTheFixedOrder) {
    HWND a = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
    HWND b = Top({200, 0, 300, 100}, WS_POPUP);
    ASSERT_EQ(GetActiveWindow(), a);
    MessageSpy spy;
    ShowWindow(b, SW_SHOW);
    std::vector<std::pair<HWND, UINT>> seq;
    for (const auto& e : spy.Entries())
        if (e.msg == WM_NCACTIVATE || e.msg == WM_ACTIVATE || e.msg == WM_KILLFOCUS || e.msg == WM_SETFOCUS)
            seq.push_back({e.hwnd, e.msg});
    const std::vector<std::pair<HWND, UINT>> expected{{a, WM_NCACTIVATE}, {a, WM_ACTIVATE},
                                                      {b, WM_NCACTIVATE}, {b, WM_ACTIVATE},
                                                      {a, WM_KILLFOCUS},  {b, WM_SETFOCUS}};
    EXPECT_EQ(seq, expected);
    EXPECT_EQ(spy.Of(a, WM_NCACTIVATE).at(0).wParam, 0u);
    EXPECT_EQ(spy.Of(a, WM_ACTIVATE).at(0).wParam, static_cast<WPARAM>(WA_INACTIVE));
    EXPECT_EQ(spy.Of(a, WM_ACTIVATE).at(0).lParam, reinterpret_cast<LPARAM>(b));
    EXPECT_EQ(spy.Of(b, WM_ACTIVATE).at(0).wParam, static_cast<WPARAM>(WA_ACTIVE));
    EXPECT_EQ(spy.Of(b, WM_ACTIVATE).at(0).lParam, reinterpret_cast<LPARAM>(a));
    EXPECT_EQ(spy.Of(b, WM_SETFOCUS).at(0).wParam, reinterpret_cast<WPARAM>(a));
    EXPECT_EQ(spy.Of(a, WM_KILLFOCUS).at(0).wParam, reinterpret_cast<WPARAM>(b));
}

TEST_F(WinTest, PopupsThatRefuseActivationNeverTakeFocus) {
    HWND form = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
    HWND pop = Top({10, 10, 50, 50}, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST);
    SetWindowPos(pop, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(SetFocus(pop), nullptr);
    EXPECT_EQ(GetFocus(), form);
}

TEST_F(WinTest, MinimizingTheOwnerHidesOwnedWindowsWithoutChangingTheirVisibleFlag) {
    HWND app = Top({0, 0, 0, 0}); // hidden, like the application window
    HWND form = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE, 0, "TestWnd", app);
    HWND hidden = Top({0, 0, 100, 100}, WS_POPUP, 0, "TestWnd", app);
    MessageSpy spy;
    ShowWindow(app, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(app));
    ASSERT_EQ(spy.Of(form, WM_SHOWWINDOW).size(), 1u);
    EXPECT_EQ(spy.Of(form, WM_SHOWWINDOW)[0].wParam, 0u);
    EXPECT_EQ(spy.Of(form, WM_SHOWWINDOW)[0].lParam, SW_PARENTCLOSING);
    EXPECT_TRUE(spy.Of(hidden, WM_SHOWWINDOW).empty());
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(GetWindowLong(form, GWL_STYLE) & WS_VISIBLE);
    ASSERT_EQ(spy.Of(app, WM_SIZE).size(), 1u);
    EXPECT_EQ(spy.Of(app, WM_SIZE)[0].wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    spy.Clear();
    ShowWindow(app, SW_RESTORE);
    EXPECT_FALSE(IsIconic(app));
    ASSERT_EQ(spy.Of(form, WM_SHOWWINDOW).size(), 1u);
    EXPECT_EQ(spy.Of(form, WM_SHOWWINDOW)[0].lParam, SW_PARENTOPENING);
    EXPECT_TRUE(IsWindowVisible(form));
}

} // namespace
} // namespace vd::test
