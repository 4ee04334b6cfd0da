#include "platform/shell/NotifyIcon.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Handle.h"
#include "platform/gfx/Objects.h"
#include "platform/shell/FakeTray.h"
#include "platform/shell/MessageWindow.h"
#include "platform/win/Windows.h"
#include "platform/win/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <vector>

namespace vd {
namespace {

constexpr UINT kCallback = 0x800;

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// The fake tray stands in for a desktop's notification area, which headless runs lack.
class NotifyIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(Headless(), nullptr);
        InstallTrayHost(&tray);
        hwnd = CreateMessageWindow([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == kCallback || m == TaskbarCreatedMessage()) got.push_back({m, w, l});
            if (m == WM_USER) return 42;
            return DefWindowProc(h, m, w, l);
        });
        ASSERT_NE(hwnd, nullptr);
    }
    void TearDown() override {
        for (UINT id : {1u, 2u})
            Shell_NotifyIcon(NIM_DELETE, Data(id, 0));
        DestroyWindow(hwnd);
        PumpWaitingMessages();
        InstallTrayHost(nullptr);
    }
    NOTIFYICONDATA Data(UINT id, UINT flags, const String& tip = String()) const {
        NOTIFYICONDATA d;
        d.hWnd = hwnd;
        d.uID = id;
        d.uFlags = flags;
        d.uCallbackMessage = kCallback;
        d.szTip = tip;
        return d;
    }

    FakeTray tray;
    HWND hwnd = nullptr;
    std::vector<Received> got;
};

TEST_F(NotifyIconTest, CallSequence) {
    struct Step {
        DWord message;
        UINT id;
        UINT flags;
        const char* tip;
        BOOL result;
        std::size_t icons;
    };
    const Step steps[] = {
        {NIM_MODIFY, 1, NIF_TIP, "x", FALSE, 0}, // nothing to modify yet
        {NIM_DELETE, 1, 0, "", FALSE, 0},        // nothing to delete
        {NIM_ADD, 1, NIF_MESSAGE | NIF_ICON | NIF_TIP, "one", TRUE, 1},
        {NIM_ADD, 2, NIF_TIP, "two", TRUE, 2}, // no callback: clicks stay silent
        {NIM_MODIFY, 1, NIF_TIP, "uno", TRUE, 2},
        {NIM_ADD, 1, NIF_TIP, "again", TRUE, 2}, // re-adding shows it again, once
        {NIM_DELETE, 2, 0, "", TRUE, 1},
        {NIM_DELETE, 2, 0, "", FALSE, 1},
        {7, 1, NIF_TIP, "bad", FALSE, 1}, // unknown command
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "message " << s.message << " id " << s.id);
        EXPECT_EQ(Shell_NotifyIcon(s.message, Data(s.id, s.flags, s.tip)), s.result);
        EXPECT_EQ(tray.Icons().size(), s.icons);
    }
    TrayIconState one;
    ASSERT_TRUE(tray.Find(hwnd, 1, one));
    EXPECT_EQ(one.tip, "again");
    EXPECT_EQ(one.callbackMessage, kCallback); // kept from the first add
    EXPECT_FALSE(tray.Click(hwnd, 2, WM_LBUTTONUP));
}

TEST_F(NotifyIconTest, DeadWindowOrNoTrayFails) {
    HWND dead = CreateMessageWindow();
    DestroyWindow(dead);
    NOTIFYICONDATA d = Data(1, NIF_MESSAGE);
    d.hWnd = dead;
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, d));

    tray.SetAvailable(false);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, Data(1, NIF_MESSAGE)));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, Data(1, NIF_TIP, "t"))); // was never added
    tray.SetAvailable(true);
    EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(1, NIF_MESSAGE)));
}

TEST_F(NotifyIconTest, ClicksArriveAsCallbackWithMouseMessage) {
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(1, NIF_MESSAGE)));
    const UINT mouse[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                          WM_RBUTTONDOWN, WM_RBUTTONUP,   WM_MBUTTONDOWN, WM_MBUTTONUP};
    for (UINT m : mouse)
        ASSERT_TRUE(tray.Click(hwnd, 1, m));
    PumpWaitingMessages();
    ASSERT_EQ(got.size(), std::size(mouse));
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].msg, kCallback);
        EXPECT_EQ(got[i].wParam, 1u);
        EXPECT_EQ(got[i].lParam, LPARAM(mouse[i]));
    }
}

TEST_F(NotifyIconTest, NewTrayPostsTaskbarCreatedAndReAddWorks) {
    const UINT created = TaskbarCreatedMessage();
    EXPECT_GE(created, 0xC000u);
    EXPECT_EQ(created, RegisterWindowMessage("TaskbarCreated"));
    HWND watcher = CreateMessageWindow();
    WatchTaskbarCreated(watcher); // no icon of its own, like a hooked application window
    int watcherGot = 0;
    SetWindowProc(watcher, MakeWndProc([&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == created) ++watcherGot;
                      return DefWindowProc(h, m, w, l);
                  }));

    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(1, NIF_MESSAGE | NIF_TIP, "tip")));
    tray.Restart();
    EXPECT_TRUE(tray.Icons().empty());
    PumpWaitingMessages();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].msg, created);
    EXPECT_EQ(watcherGot, 1);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, Data(1, NIF_TIP, "lost"))); // the new tray lacks it
    EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(1, NIF_MESSAGE | NIF_TIP, "tip")));
    EXPECT_EQ(tray.Icons().size(), 1u);
    UnwatchTaskbarCreated(watcher);
    DestroyWindow(watcher);
}

TEST(TrayTip, CutAtCharacterBoundary) {
    const String a127(127, 'a');
    struct Case {
        String tip;
        std::size_t length;
    };
    const Case cases[] = {
        {"", 0},
        {a127, 127},
        {a127 + "bcd", 127},
        {String(126, 'a') + "\xC3\xA9", 126},           // two-byte character would cross 127
        {String(125, 'a') + "\xE2\x82\xAC", 125},       // three-byte one too
        {String(124, 'a') + "\xE2\x82\xAC" + "z", 127}, // ends exactly at 127
        {String(123, 'a') + "\xF0\x9F\x8E\xB5" + "zz", 127},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tip.size());
        const String cut = CutTrayTip(c.tip);
        EXPECT_EQ(cut.size(), c.length);
        EXPECT_EQ(cut, c.tip.substr(0, c.length));
    }
}

TEST_F(NotifyIconTest, MessageWindowSurvivesCloseAndEndSession) {
    EXPECT_EQ(SendMessage(hwnd, WM_CLOSE), 1);
    EXPECT_EQ(SendMessage(hwnd, WM_QUERYENDSESSION), 1);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(SendMessage(hwnd, WM_USER), 42); // the rest reaches its procedure
}

TEST_F(NotifyIconTest, IconIsRenderedForTheTray) {
    UniqueBitmap color(CreateBitmap(2, 2, 1, 24, nullptr));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            color->SetPixelBgr(x, y, x == 0 ? 0xFF0000 : 0x0000FF);
    ICONINFO ii;
    ii.hbmColor = color.Get();
    UniqueIcon icon(CreateIconIndirect(&ii));
    ASSERT_TRUE(icon);
    NOTIFYICONDATA d = Data(1, NIF_ICON);
    d.hIcon = icon.Get();
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, d));
    TrayIconState s;
    ASSERT_TRUE(tray.Find(hwnd, 1, s));
    ASSERT_EQ(s.image.width, 32);
    ASSERT_EQ(s.image.pixels.size(), 32u * 32u);
    EXPECT_EQ(s.image.pixels[0], 0xFF0000u);            // left half
    EXPECT_EQ(s.image.pixels[31 * 32 + 31], 0x0000FFu); // right half
}

} // namespace
} // namespace vd
