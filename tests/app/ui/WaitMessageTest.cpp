// The wait message window and the state its two functions share.
#include "app/ui/WaitMessage.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"

#include "../../platform/vcl/VclFixture.h"
#include "LayoutChecks.h"

namespace vd {
namespace {

class WaitMessageTest : public test::VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        CloseWaitMessage(); // a window freed by the last test's tear-down left its state behind
        Pump();
        ASSERT_EQ(WaitWindowState(), 0);
    }
    void PressClose() {
        TskSkinButton* b = WaitMessageWindow()->BTNClose;
        hb->Click(RawButton::Left, b->ClientToScreen({10, 10}));
        Pump();
    }
};

TEST_F(WaitMessageTest, TwoCallsShowOneWindowWithTheSecondText) {
    EXPECT_TRUE(ShowWaitMessage("Waiting for the device"));
    TFShowMSG* first = WaitMessageWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(ShowWaitMessage("Still waiting"));
    EXPECT_EQ(WaitMessageWindow(), first);
    EXPECT_EQ(first->Txt->Caption(), "Still waiting");
    EXPECT_EQ(WaitWindowState(), 1);
    EXPECT_TRUE(first->Visible());
    EXPECT_EQ(first->Caption(), "Message");
    EXPECT_EQ(first->ClientWidth(), 521);
    EXPECT_EQ(first->ClientHeight(), 126);
    EXPECT_EQ(first->BTNClose->Caption(), "Close");
}

TEST_F(WaitMessageTest, ClosedByTheUserEndsTheWaitingOnce) {
    ASSERT_TRUE(ShowWaitMessage("Waiting"));
    PressClose();
    EXPECT_EQ(WaitWindowState(), -1);
    EXPECT_EQ(WaitMessageWindow(), nullptr);
    EXPECT_EQ(Screen->FormCount(), 0); // the window freed itself

    EXPECT_FALSE(ShowWaitMessage("Waiting again"));
    EXPECT_EQ(WaitMessageWindow(), nullptr);
    EXPECT_EQ(WaitWindowState(), 0);

    EXPECT_TRUE(ShowWaitMessage("A new wait"));
    ASSERT_NE(WaitMessageWindow(), nullptr);
    EXPECT_EQ(WaitMessageWindow()->Txt->Caption(), "A new wait");
}

TEST_F(WaitMessageTest, CloseWaitMessage) {
    CloseWaitMessage(); // no window: only the state
    EXPECT_EQ(WaitWindowState(), 0);

    ASSERT_TRUE(ShowWaitMessage("Waiting"));
    CloseWaitMessage();
    Pump();
    EXPECT_EQ(WaitWindowState(), 0);
    EXPECT_EQ(WaitMessageWindow(), nullptr);
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_TRUE(ShowWaitMessage("Next")); // closed by the program: not a user's cancel
}

TEST_F(WaitMessageTest, LayoutFromItsFormResource) {
    ASSERT_TRUE(ShowWaitMessage("Waiting"));
    Pump();
    TFShowMSG* w = WaitMessageWindow();
    EXPECT_EQ(w->Name(), "FShowMSG");
    EXPECT_EQ(w->Txt->Width(), 502);
    EXPECT_EQ(w->Txt->Height(), 49);
    EXPECT_EQ(w->BottomPanel->Height(), 42);
    EXPECT_EQ(test::LayoutProblems(w), std::vector<std::string>{});
}

} // namespace
} // namespace vd
