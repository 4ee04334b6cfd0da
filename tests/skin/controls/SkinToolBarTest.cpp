#include "skin/controls/SkinToolBar.h"
#include "SkinFixture.h"
#include "platform/vcl/ExtCtrls.h"
#include "skin/controls/SkinSpeedButton.h"

namespace vd::test {
namespace {

class ToolBars : public SkinTest {
protected:
    TskSkinToolBar* Bar(int width, int buttons) {
        auto* bar = new TskSkinToolBar(Form);
        bar->SetParent(Form);
        bar->CanScroll = true;
        for (int i = 0; i < buttons; ++i) {
            auto* b = new TskSkinSpeedButton(Form);
            b->SetParent(bar);
            b->SetBounds(i * 30, 0, 25, 25);
        }
        bar->SetBounds(0, 0, width, 30);
        Show();
        return bar;
    }
    LRESULT Nc(TskSkinToolBar* bar, UINT msg, int x) {
        const TPoint s = bar->ClientToScreen({x, 5});
        if (msg == WM_NCHITTEST) return bar->Perform(msg, 0, LPARAM((s.Y & 0xFFFF) << 16 | (s.X & 0xFFFF)));
        return bar->Perform(msg, WPARAM(x < 0 ? 119 : 120), 0);
    }
};

TEST_F(ToolBars, NewToolBarDefaults) {
    auto* bar = new TskSkinToolBar(Form);
    bar->SetParent(Form);
    EXPECT_EQ(bar->Height(), 25);
    EXPECT_EQ(bar->BorderStyle(), bvNone);
    EXPECT_TRUE(bar->AdjustControls());
    EXPECT_FALSE(bar->ScrollButtonsShown());
    bar->SetScrollTimerInterval(0);
    bar->SetScrollTimerInterval(-5);
    EXPECT_EQ(bar->ScrollTimerInterval(), 50);
    bar->SetScrollOffset(-1);
    EXPECT_EQ(bar->ScrollOffset(), 0);
    auto* plain = new TBevel(Form);
    plain->SetParent(bar);
    plain->SetBounds(5, 0, 10, 9);
    bar->SetBounds(0, 0, 200, 41);
    EXPECT_EQ(plain->Top(), 41 / 2 - 9 / 2) << "plain children are centred";
}

TEST_F(ToolBars, OverflowShowsScrollButtonsThatAnswerTheirHitCodes) {
    auto* bar = Bar(100, 3);
    EXPECT_FALSE(bar->ScrollButtonsShown()) << "three buttons fit";
    bar->Free();
    bar = Bar(100, 8);
    ASSERT_TRUE(bar->ScrollButtonsShown());
    EXPECT_EQ(bar->ClientWidth(), 100 - 24);
    EXPECT_EQ(Nc(bar, WM_NCHITTEST, -5), 119);
    EXPECT_EQ(Nc(bar, WM_NCHITTEST, 80), 120);
    EXPECT_EQ(bar->ScrollMax(), 8 * 30 - 5 - 1);
}

TEST_F(ToolBars, StepsAreClampedAndAClickScrollsOnRelease) {
    auto* bar = Bar(100, 8);
    auto* first = bar->Controls(0);
    const int left0 = first->Left();
    Nc(bar, WM_NCLBUTTONDOWN, 80);
    Nc(bar, WM_NCLBUTTONUP, 80);
    EXPECT_EQ(bar->ScrollPosition(), 76) << "one client width";
    EXPECT_EQ(first->Left(), left0 - 76);
    for (int i = 0; i < 5; ++i)
        bar->ScrollStep(2);
    EXPECT_EQ(bar->ScrollPosition(), bar->ScrollMax() - bar->ClientWidth() + 1) << "never past the last page";
    bar->SetScrollOffset(10);
    bar->ScrollStep(1);
    EXPECT_EQ(bar->ScrollPosition(), bar->ScrollMax() - bar->ClientWidth() + 1 - 10);
    for (int i = 0; i < 30; ++i)
        bar->ScrollStep(1);
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(first->Left(), left0);
}

TEST_F(ToolBars, HeldAndHotButtonsScrollByTheTimer) {
    auto* bar = Bar(100, 8);
    bar->SetScrollOffset(10);
    hb->SetAutoAdvance(false);
    Nc(bar, WM_NCLBUTTONDOWN, 80);
    for (int i = 0; i < 3; ++i) {
        hb->Advance(50);
        Pump();
    }
    EXPECT_EQ(bar->ScrollPosition(), 30);
    Nc(bar, WM_NCLBUTTONUP, 80);
    EXPECT_EQ(bar->ScrollPosition(), 40) << "one more step on release";
    hb->Advance(200);
    Pump();
    EXPECT_EQ(bar->ScrollPosition(), 40);
    bar->HotScroll = true;
    Nc(bar, WM_NCMOUSEMOVE, -5);
    for (int i = 0; i < 2; ++i) {
        hb->Advance(50);
        Pump();
    }
    EXPECT_EQ(bar->ScrollPosition(), 20) << "hovering scrolls";
    bar->Perform(WM_MOUSEMOVE, 0, 0);
    hb->Advance(200);
    Pump();
    EXPECT_EQ(bar->ScrollPosition(), 20) << "back in the client area it stops";
}

TEST_F(ToolBars, WideningWhileScrolledBringsTheContentBack) {
    auto* bar = Bar(100, 8);
    bar->SetScrollOffset(40);
    bar->ScrollStep(2);
    EXPECT_EQ(bar->ScrollPosition(), 40);
    bar->SetBounds(0, 0, 300, 30);
    EXPECT_FALSE(bar->ScrollButtonsShown()) << "everything fits";
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(bar->Controls(0)->Left(), 0);
}

TEST_F(ToolBars, ScrollButtonsUseTheResizeButtonOnlyWhenItIsAButtonRecord) {
    auto* bar = Bar(100, 8);
    bar->SetSkinData(Skin);
    bar->UpdateScrollRange();
    ASSERT_TRUE(bar->ScrollButtonsShown());
    bar->Perform(WM_NCPAINT, 1, 0);
    EXPECT_EQ(Probe(bar, -6, 3), kEdge[0]) << "composed from the resize-button record";
    std::string ini = TestSkinIni();
    ini.replace(ini.find("10=resizebutton:button"), 22, "10=resizebutton:bevel\r\n");
    auto other = TestStoredSkin(ini);
    Skin->LoadStoredSkin(other.get());
    ASSERT_FALSE(Skin->Empty());
    bar->Perform(WM_NCPAINT, 1, 0);
    EXPECT_EQ(Probe(bar, -6, 3), ColorToRGB(clBtnFace)) << "a record of another kind: the plain button";
}

// A three-part face drops its ends while the content scrolls, and gets them back when it fits.
TEST_F(ToolBars, ScrollingThreePartFaceShowsOnlyItsMiddle) {
    std::string ini = TestSkinIni();
    ini.replace(ini.find("count=31\r\n"), 10, "count=32\r\n31=htoolpanel:panel\r\n");
    ini += "[htoolpanel]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nlefttoppoint=4,0\r\n"
           "righttoppoint=16,0\r\nclientrect=4,0,16,20\r\n";
    auto stored = TestStoredSkin(ini);
    Skin->LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    auto* bar = new TskSkinToolBar(Form);
    bar->SetParent(Form);
    bar->CanScroll = true;
    for (int i = 0; i < 8; ++i) {
        auto* b = new TskSkinSpeedButton(Form);
        b->SetParent(bar);
        b->SetBounds(10 + i * 30, 0, 25, 25);
    }
    bar->SetBounds(0, 0, 100, 30);
    Show();
    bar->SetSkinDataName("htoolpanel");
    bar->SetSkinData(Skin);
    bar->UpdateScrollRange();
    ASSERT_TRUE(bar->ScrollButtonsShown());
    ASSERT_EQ(bar->SkinResizeKind(), 2);
    bar->Repaint();
    EXPECT_EQ(Probe(bar, 1, 2), kEdge[0]) << "the middle, not the left end";
    bar->SetBounds(0, 0, 400, 30);
    ASSERT_FALSE(bar->ScrollButtonsShown());
    bar->Repaint();
    EXPECT_EQ(Probe(bar, 1, 2), kRed) << "the whole face again";
}

} // namespace
} // namespace vd::test
