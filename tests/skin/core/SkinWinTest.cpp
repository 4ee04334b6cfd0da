// The skin broadcast through real windows of the headless window system, seen by its spy.
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/core/SkinWindowSystem.h"

#include "SkinTestUtil.h"

#include "platform/win/Spy.h"
#include "platform/win/Windows.h"
#include "platform/win/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

class SkinWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(Headless(), nullptr);
        WNDCLASS wc;
        wc.lpszClassName = "SkinWinTestForm";
        wc.lpfnWndProc = MakeWndProc([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m >= WM_SKINLOADING && m <= WM_SKINSETTLED && OnSkin) OnSkin(h, m, w);
            return DefWindowProc(h, m, w, l);
        });
        RegisterClass(wc);
        for (int i = 0; i < 3; ++i)
            Forms.push_back(CreateWindowEx(0, "SkinWinTestForm", "form", WS_POPUP, 0, 0, 50, 50, nullptr));
        Messenger.FormList = [this] { return Forms; };
        Messenger.OwnerWindow = [this](const void* owner) { return owner == &OwnerForm ? Forms[1] : nullptr; };
        SetSkinWindowSystem(&Messenger);
    }
    void TearDown() override {
        SetSkinWindowSystem(nullptr);
        for (HWND h : Forms)
            if (IsWindow(h)) DestroyWindow(h);
    }

    int OwnerForm = 0;
    std::vector<HWND> Forms;
    TskWinSkinMessenger Messenger;
    std::function<void(HWND, UINT, WPARAM)> OnSkin;
};

std::vector<Byte> SmallContainer() {
    std::vector<Byte> c;
    test::PutInt32(c, 3);
    c.push_back(1);
    c.push_back(1);
    c.push_back(1);
    test::PutInt32(c, 0);
    const std::string ini = "[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n";
    c.insert(c.end(), ini.begin(), ini.end());
    return c;
}

TEST_F(SkinWinTest, OwnerFirstThenEveryOtherFormInListOrder) {
    MessageSpy spy;
    for (HWND h : Forms) spy.Watch(h);
    TskSkinData skin(&OwnerForm);
    bool changingOnLoaded = false;
    OnSkin = [&](HWND, UINT m, WPARAM w) {
        EXPECT_EQ(w, reinterpret_cast<WPARAM>(&skin));
        if (m == WM_SKINLOADED) changingOnLoaded = skin.Changing();
    };
    TskCompressedStoredSkin stored = test::Stored(SmallContainer());
    skin.SetCompressedStoredSkin(&stored);
    ASSERT_FALSE(skin.Empty()) << skin.LastLoadError();
    EXPECT_TRUE(changingOnLoaded);

    std::vector<std::pair<HWND, UINT>> order;
    for (const SpyEntry& e : spy.Entries())
        if (e.msg >= WM_SKINLOADING && e.msg <= WM_SKINSTRINGSCHANGED) {
            order.emplace_back(e.hwnd, e.msg);
            EXPECT_EQ(e.lParam, 1000);
        }
    const HWND a = Forms[0], owner = Forms[1], c = Forms[2];
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{
                         {owner, WM_SKINLOADING}, {a, WM_SKINLOADING}, {c, WM_SKINLOADING},
                         {owner, WM_SKINLOADED}, {a, WM_SKINLOADED}, {c, WM_SKINLOADED},
                         {owner, WM_SKINSETTLED}, {a, WM_SKINSETTLED}, {c, WM_SKINSETTLED}}));

    spy.Clear();
    TskResourceStrData strings;
    skin.SetResourceStrData(&strings);
    EXPECT_EQ(spy.Messages(nullptr, {WM_SKINSTRINGSCHANGED}).size(), 3u);
}

TEST_F(SkinWinTest, AFormClosedDuringTheBroadcastIsSkipped) {
    MessageSpy spy;
    TskSkinData skin(nullptr);
    OnSkin = [&](HWND h, UINT m, WPARAM) {
        if (h == Forms[0] && m == WM_SKINLOADING) DestroyWindow(Forms[2]);
    };
    TskCompressedStoredSkin stored = test::Stored(SmallContainer());
    skin.LoadStoredSkin(&stored);
    EXPECT_FALSE(skin.Empty());
    EXPECT_FALSE(skin.Changing());
    EXPECT_EQ(spy.Messages(Forms[1], {WM_SKINLOADING, WM_SKINLOADED, WM_SKINSETTLED}),
              (std::vector<UINT>{WM_SKINLOADING, WM_SKINLOADED, WM_SKINSETTLED}));
}

} // namespace
} // namespace vd
