// The notification-area icon on the in-process fake tray: click timing, the icon's place in
// the tray, hiding the application and getting it back when the tray goes away.
#include "FrameFixture.h"

#include "platform/shell/FakeTray.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/StdCtrls.h"
#include "skin/form/frame/SkinTrayIcon.h"

namespace vd::test {
namespace {

class TrayTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        InstallTrayHost(&Tray);
        hb->SetDoubleClickTime(300);
        hb->SetAutoAdvance(false);
    }
    void TearDown() override {
        hb->SetAutoAdvance(true);
        hb->SetDoubleClickTime(500);
        FrameTest::TearDown();
        InstallTrayHost(nullptr);
    }
    void Send(TskTrayIcon* icon, UINT mouse) {
        ASSERT_TRUE(Tray.Click(icon->Handle(), 1, mouse));
        Pump();
    }
    FakeTray Tray;
};

TEST_F(TrayTest, ClickWaitsForTheDoubleClickTime) {
    TForm* f = NewFrameForm(false);
    auto* icon = new TskTrayIcon(f);
    icon->SetIconVisible(true);
    ASSERT_TRUE(icon->IconShown());
    std::vector<String> events;
    icon->OnClick = [&](TObject*) { events.push_back("click"); };
    icon->OnDblClick = [&](TObject*) { events.push_back("dbl"); };

    Send(icon, WM_LBUTTONDOWN);
    Send(icon, WM_LBUTTONUP);
    EXPECT_TRUE(events.empty());
    hb->Advance(299);
    Pump();
    EXPECT_TRUE(events.empty());
    hb->Advance(2);
    Pump();
    EXPECT_EQ(events, (std::vector<String>{"click"}));

    // A double click: no click at all.
    events.clear();
    Send(icon, WM_LBUTTONDOWN);
    Send(icon, WM_LBUTTONUP);
    Send(icon, WM_LBUTTONDBLCLK);
    Send(icon, WM_LBUTTONUP);
    hb->Advance(400);
    Pump();
    EXPECT_EQ(events, (std::vector<String>{"dbl"}));

    // A press held past the double-click time clicks on release.
    events.clear();
    Send(icon, WM_LBUTTONDOWN);
    hb->Advance(350);
    Pump();
    Send(icon, WM_LBUTTONUP);
    EXPECT_EQ(events, (std::vector<String>{"click"}));
}

TEST_F(TrayTest, IconTipIndexAndRestart) {
    TForm* f = NewFrameForm(false);
    auto* icon = new TskTrayIcon(f);
    icon->SetHint(String(200, 'h'));
    icon->SetIconVisible(true);
    TrayIconState state;
    ASSERT_TRUE(Tray.Find(icon->Handle(), 1, state));
    EXPECT_EQ(state.tip.size(), 127u);
    EXPECT_EQ(state.callbackMessage, TskTrayIcon::CallbackMessage);
    // An empty or missing image list keeps index 0; negative indexes count as 0.
    TCustomImageList list(nullptr);
    icon->SetIconList(&list);
    icon->SetIconIndex(5);
    EXPECT_EQ(icon->IconIndex(), 0);
    icon->SetIconIndex(-3);
    EXPECT_EQ(icon->IconIndex(), 0);
    icon->SetIconList(nullptr);
    // A new notification area: the icon goes back in.
    Tray.Restart();
    EXPECT_FALSE(Tray.Find(icon->Handle(), 1, state));
    Pump();
    EXPECT_TRUE(Tray.Find(icon->Handle(), 1, state));
    EXPECT_TRUE(icon->IconShown());
    icon->SetIconVisible(false);
    EXPECT_FALSE(Tray.Find(icon->Handle(), 1, state));
    EXPECT_FALSE(icon->IconShown());
}

TEST_F(TrayTest, MinimizeToTrayHidesOnlyWhenTheIconIsShown) {
    TForm* f = NewFrameForm(true);
    Application->SetMainForm(f);
    ShowForm(f);
    auto* icon = new TskTrayIcon(f);
    icon->SetIconVisible(false);
    Frame->SetTrayIcon(icon);
    EXPECT_FALSE(icon->IconVisible());

    // No notification area: the application stays minimized in the task bar, the form visible.
    Tray.SetAvailable(false);
    Frame->MinimizeToTray();
    Pump();
    EXPECT_FALSE(icon->IconShown());
    EXPECT_TRUE(f->Visible());
    EXPECT_TRUE(IsIconic(Application->Handle()));
    Application->Restore();
    Pump();

    // With a notification area: hidden in it, and back from it.
    Tray.SetAvailable(true);
    Frame->MinimizeToTray();
    Pump();
    EXPECT_TRUE(icon->IconShown());
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
    Frame->RestoreFromTray();
    Pump();
    EXPECT_TRUE(f->Visible());
    EXPECT_FALSE(IsIconic(Application->Handle()));
    EXPECT_FALSE(icon->IconVisible());
}

TEST_F(TrayTest, ShowingTheFormBringsTheApplicationBackFromTheTray) {
    TForm* f = NewFrameForm(true);
    Application->SetMainForm(f);
    ShowForm(f);
    auto* icon = new TskTrayIcon(f);
    Frame->SetTrayIcon(icon);
    Frame->MinimizeToTray();
    Pump();
    ASSERT_FALSE(IsWindowVisible(Application->Handle()));
    f->Show();
    Pump();
    EXPECT_TRUE(IsWindowVisible(Application->Handle()));
    EXPECT_FALSE(IsIconic(Application->Handle()));
    EXPECT_TRUE(IsWindowVisible(f->Handle()));
}

TEST_F(TrayTest, AWindowHiddenInTheTrayComesBackWhenTheTrayGoesAway) {
    TForm* f = NewFrameForm(true);
    Application->SetMainForm(f);
    ShowForm(f);
    auto* icon = new TskTrayIcon(f);
    Frame->SetTrayIcon(icon);
    int lost = 0;
    icon->OnTrayLost = [&](TObject*) { ++lost; };
    Frame->MinimizeToTray();
    Pump();
    ASSERT_FALSE(f->Visible());
    Tray.Vanish();
    Pump();
    EXPECT_EQ(lost, 1);
    EXPECT_TRUE(f->Visible());
    EXPECT_FALSE(icon->IconShown());
    EXPECT_FALSE(IsIconic(Application->Handle()));
}

// The icon watches its owner through the frame: an activation gives the focus back to the
// control that had it, whichever of the icon and the frame goes first.
TEST_F(TrayTest, ActivationGivesTheFocusBackToTheActiveControl) {
    for (const bool iconFirst : {true, false}) {
        SCOPED_TRACE(iconFirst ? "the frame holds the icon; the icon goes first" : "the frame goes first");
        TForm* f = NewFrameForm(false);
        auto* icon = new TskTrayIcon(f);
        Frame->SetTrayIcon(iconFirst ? icon : nullptr);
        auto* first = new TEdit(f);
        first->SetParent(f);
        first->SetBounds(10, 10, 80, 20);
        auto* second = new TEdit(f);
        second->SetParent(f);
        second->SetBounds(10, 40, 80, 20);
        ShowForm(f);
        second->SetFocus();
        Pump();
        ASSERT_EQ(Screen->ActiveControl(), second);
        // The focus went elsewhere (a window of another program, say) and the form comes back.
        ::vd::SetFocus(nullptr);
        Pump();
        ASSERT_NE(GetFocus(), second->Handle());
        SendMessage(f->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
        Pump();
        EXPECT_EQ(GetFocus(), second->Handle());
        // The active control on another window (a modal dialog's) is left alone: taking it
        // from here would activate that window in the middle of this activation.
        auto* dialog = new TForm(Application);
        dialog->SetBounds(500, 100, 200, 120);
        auto* other = new TEdit(dialog);
        other->SetParent(dialog);
        dialog->Show();
        other->SetFocus();
        Pump();
        ASSERT_EQ(Screen->ActiveControl(), other);
        SendMessage(f->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
        Pump();
        // Reached without the two activations calling each other without end.
        EXPECT_TRUE(IsWindowVisible(f->Handle()));
        dialog->Free();
        Pump();
        if (iconFirst) {
            icon->Free();
        } else {
            Frame->Free();
            Frame = nullptr;
        }
        // The other one goes with the form, without a dangling hook.
        SendMessage(f->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
        f->Free();
        Pump();
    }
}

TEST_F(TrayTest, DestroyingTheIconRemovesItAndItsHook) {
    TForm* f = NewFrameForm(false);
    auto* icon = new TskTrayIcon(f);
    icon->SetIconVisible(true);
    const HWND hidden = icon->Handle();
    icon->Free();
    TrayIconState state;
    EXPECT_FALSE(Tray.Find(hidden, 1, state));
    EXPECT_FALSE(IsWindow(hidden));
    // The application window still works without the icon's procedure.
    Application->Minimize();
    Application->Restore();
    EXPECT_FALSE(IsIconic(Application->Handle()));
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(TrayTest, CycleReportsTheNextIndexAndWraps) {
    TForm* f = NewFrameForm(false);
    auto* icon = new TskTrayIcon(f);
    auto* list = new TImageList(f);
    TBitmap strip(48, 16);
    list->SetSize(16, 16);
    list->Add(strip);
    ASSERT_EQ(list->Count(), 3);
    icon->SetIconList(list);
    std::vector<int> next;
    icon->OnCycle = [&](TObject*, int n) { next.push_back(n); };
    icon->SetAnimateTimerInterval(100);
    icon->SetCycleIcons(true);
    for (int i = 0; i < 4; ++i) {
        hb->Advance(100);
        Pump();
    }
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    // An empty list: the timer's tick does nothing.
    list->Clear();
    hb->Advance(100);
    Pump();
    EXPECT_EQ(next.size(), 4u);
}

} // namespace
} // namespace vd::test
