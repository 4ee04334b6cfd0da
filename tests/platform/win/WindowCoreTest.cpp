#include "WinFixture.h"

#include <climits>

namespace vd::test {
namespace {

using Msgs = std::vector<UINT>;

TEST_F(WinTest, CreationSendsItsMessagesInOrder) {
    MessageSpy spy;
    HWND h = Top({10, 20, 210, 120}, WS_POPUP | WS_VISIBLE);
    ASSERT_TRUE(IsWindow(h));
    const Msgs expected{
        WM_NCCREATE,          WM_NCCALCSIZE, WM_CREATE,           WM_SIZE,       WM_MOVE,     WM_SHOWWINDOW,
        WM_WINDOWPOSCHANGING, WM_NCPAINT,    WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS};
    EXPECT_EQ(spy.Messages(h, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                               WM_WINDOWPOSCHANGING, WM_NCPAINT, WM_WINDOWPOSCHANGED, WM_NCACTIVATE,
                               WM_ACTIVATE, WM_SETFOCUS}),
              expected);
    EXPECT_EQ(GetActiveWindow(), h);
    EXPECT_EQ(GetFocus(), h);
}

TEST_F(WinTest, CreationRefusedByTheWindowLeavesNoWindow) {
    anyHandler = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_CREATE) return false;
        r = -1;
        return true;
    };
    EXPECT_EQ(Top({0, 0, 10, 10}), nullptr);
}

TEST_F(WinTest, ReplacedProceduresChainNewestFirstAndUnhookRestores) {
    HWND h = Top({0, 0, 50, 50});
    std::vector<int> order;
    WNDPROC first, second;
    first = SetWindowProc(h, MakeWndProc([&](HWND w, UINT m, WPARAM a, LPARAM b) -> LRESULT {
                              if (m == WM_USER) order.push_back(1);
                              return CallWindowProc(first, w, m, a, b);
                          }));
    WNDPROC mid = GetWindowProc(h);
    second = SetWindowProc(h, MakeWndProc([&](HWND w, UINT m, WPARAM a, LPARAM b) -> LRESULT {
                               if (m == WM_USER) {
                                   order.push_back(2);
                                   return 7 + CallWindowProc(second, w, m, a, b);
                               }
                               return CallWindowProc(second, w, m, a, b);
                           }));
    EXPECT_EQ(second, mid);
    EXPECT_EQ(SendMessage(h, WM_USER), 7);
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
    SetWindowProc(h, second); // unhook the newest
    order.clear();
    SendMessage(h, WM_USER);
    EXPECT_EQ(order, (std::vector<int>{1}));
    SetWindowProc(h, first);
}

TEST_F(WinTest, ReplacingTheProcedureInsideItselfIsSafe) {
    HWND h = Top({0, 0, 50, 50});
    WNDPROC old;
    old = SetWindowProc(h, MakeWndProc([&](HWND w, UINT m, WPARAM a, LPARAM b) -> LRESULT {
                            if (m == WM_USER) {
                                SetWindowProc(w, old); // frees this procedure's last outside reference
                                return 5;
                            }
                            return CallWindowProc(old, w, m, a, b);
                        }));
    EXPECT_EQ(SendMessage(h, WM_USER), 5);
    EXPECT_EQ(SendMessage(h, WM_USER), 0);
}

TEST_F(WinTest, DestroyingAWindowInsideItsOwnHandlerIsSafe) {
    HWND parent = Top({0, 0, 100, 100});
    HWND child = Child(parent, {0, 0, 10, 10});
    bool afterDestroy = false;
    handlers[child] = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_USER) return false;
        DestroyWindow(GetParent(h));
        afterDestroy = !IsWindow(h) && GetWindowText(h).empty();
        r = 1;
        return true;
    };
    MessageSpy spy;
    EXPECT_EQ(SendMessage(child, WM_USER), 1);
    EXPECT_TRUE(afterDestroy);
    EXPECT_FALSE(IsWindow(parent));
    // Parent first for WM_DESTROY, children first for WM_NCDESTROY.
    EXPECT_EQ(spy.Messages(nullptr, {WM_DESTROY, WM_NCDESTROY}),
              (Msgs{WM_DESTROY, WM_DESTROY, WM_NCDESTROY, WM_NCDESTROY}));
    EXPECT_EQ(spy.Of(parent, WM_DESTROY).size(), 1u);
    EXPECT_EQ(spy.Of(child, WM_NCDESTROY).size(), 1u);
    EXPECT_EQ(SendMessage(child, WM_USER), 0);
    EXPECT_FALSE(PostMessage(child, WM_USER));
}

TEST_F(WinTest, OwnedWindowsAreDestroyedWithTheirOwner) {
    HWND owner = Top({0, 0, 100, 100});
    HWND owned = Top({0, 0, 50, 50}, WS_POPUP, 0, "TestWnd", owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
}

TEST_F(WinTest, LayeredStyleAndAlphaTakeEffectAtOnce) {
    HWND h = Top({0, 0, 50, 50});
    Byte a = 0;
    EXPECT_FALSE(SetLayeredWindowAttributes(h, 0, 100, LWA_ALPHA));
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(h, 0, 100, LWA_ALPHA));
    ASSERT_TRUE(GetLayeredAlpha(h, a));
    EXPECT_EQ(a, 100);
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    EXPECT_FALSE(GetLayeredAlpha(h, a));
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredAlpha(h, a));
    EXPECT_EQ(a, 255) << "turning the style off must restore opaque drawing";
}

TEST_F(WinTest, ChildrenAreKeptInZOrderNewestOnTop) {
    HWND p = Top({0, 0, 100, 100});
    HWND a = Child(p, {0, 0, 10, 10});
    HWND b = Child(p, {0, 0, 10, 10});
    EXPECT_EQ(GetWindow(p, GW_CHILD), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(p, GW_CHILD), a);
    EXPECT_TRUE(IsChild(p, b));
    EXPECT_EQ(GetAncestor(b, GA_ROOT), p);
}

TEST_F(WinTest, TopMostWindowsStayInFront) {
    HWND pop = Top({0, 0, 10, 10}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    HWND form = Top({0, 0, 10, 10}, WS_POPUP | WS_VISIBLE);
    auto tops = GetTopLevelWindows();
    auto pos = [&](HWND h) { return std::find(tops.begin(), tops.end(), h) - tops.begin(); };
    EXPECT_LT(pos(pop), pos(form));
    EXPECT_EQ(WindowFromPoint({5, 5}), pop);
}

TEST_F(WinTest, RegisteredMessagesAreStablePerName) {
    const UINT a = RegisterWindowMessage("TaskbarCreated");
    EXPECT_EQ(RegisterWindowMessage("TaskbarCreated"), a);
    EXPECT_NE(RegisterWindowMessage("Other"), a);
    EXPECT_GE(a, 0xC000u);
}

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndReportsFailure) {
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {10, 3, 2, 15}, {5, 1, 2, 3},  {-5, 1, 2, -3},           {5, -1, 2, -3},
        {7, 1, 3, 2},   {1, 1, 0, -1}, {INT_MAX, 2, 1, -1},      {INT_MAX, 2, 2, INT_MAX},
        {-4, -4, 3, 5}, {0, 5, 7, 0},  {INT_MIN, 1, 1, INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST_F(WinTest, MonitorsAndWorkAreasComeFromTheScreen) {
    hb->SetMonitors({{{0, 0, 1000, 800}, {0, 0, 1000, 760}}, {{1000, 0, 1800, 600}, {1000, 30, 1800, 600}}});
    HWND h = Top({1200, 100, 1400, 200});
    MONITORINFO mi;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), mi));
    EXPECT_EQ(mi.rcWork, (TRect{1000, 30, 1800, 600}));
    EXPECT_EQ(mi.dwFlags, 0u);
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint({-50, 10}, MONITOR_DEFAULTTONEAREST), mi));
    EXPECT_EQ(mi.rcMonitor, (TRect{0, 0, 1000, 800}));
    EXPECT_EQ(MonitorFromPoint({-50, 10}, MONITOR_DEFAULTTONULL), nullptr);
    TRect work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, (TRect{0, 0, 1000, 760}));
    BOOL full = FALSE;
    SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    EXPECT_TRUE(full);
}

TEST_F(WinTest, CaretHideCountIsCumulative) {
    HWND h = Top({0, 0, 50, 50});
    ASSERT_TRUE(CreateCaret(h, 0, 12));
    HWND ch;
    TRect r;
    bool visible = true;
    ASSERT_TRUE(GetCaretState(ch, r, visible));
    EXPECT_FALSE(visible) << "a new caret starts hidden";
    EXPECT_EQ(r.Width(), 1);
    ShowCaret(h);
    ShowCaret(h); // no effect on a visible caret
    GetCaretState(ch, r, visible);
    EXPECT_TRUE(visible);
    HideCaret(h);
    HideCaret(h);
    ShowCaret(h);
    GetCaretState(ch, r, visible);
    EXPECT_FALSE(visible);
    DestroyCaret();
    EXPECT_FALSE(GetCaretState(ch, r, visible));
}

TEST_F(WinTest, ClipboardKeepsText) {
    ClipboardSetText("");
    EXPECT_FALSE(ClipboardHasText());
    ClipboardSetText("a\r\nb");
    EXPECT_TRUE(ClipboardHasText());
    EXPECT_EQ(ClipboardGetText(), "a\r\nb");
}

} // namespace
} // namespace vd::test
