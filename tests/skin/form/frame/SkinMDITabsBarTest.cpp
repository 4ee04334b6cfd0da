// The multiple-document tabs bar: layout, the plain and skinned pictures, hot tracking, dragging
// tabs into a new order and the link to the main form's children.
#include "skin/form/frame/SkinMDITabsBar.h"
#include "../../boxes/BoxesFixture.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Menus.h"
#include "skin/core/SkinParentBackground.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/menus/SkinMenu.h"

#include <string>
#include <vector>

namespace vd::test {
namespace {

class MDITabsTest : public BoxTest {
protected:
    void SetUp() override {
        BoxTest::SetUp();
        Bar = Put<TskSkinMDITabsBar>({0, 0, 500, 21});
    }
    // A child with an empty caption, so probes see the tab face and not text.
    TForm* NewChild(const String& caption = "") {
        auto* f = new TForm(Form);
        f->SetCaption(caption);
        // Out of the bar's way when a click shows it.
        f->SetBounds(1200, 900, 40, 40);
        return f;
    }
    std::vector<TCustomForm*> Order() const {
        std::vector<TCustomForm*> out;
        for (int i = 0; i < Bar->TabCount(); ++i)
            out.push_back(Bar->Tab(i)->ChildForm);
        return out;
    }
    TskSkinMDITabsBar* Bar = nullptr;
};

TEST_F(MDITabsTest, TabsShareTheWidthOnlyWhenTheyDoNotFitAtTheDefaultWidth) {
    struct Case {
        int tabs, width, lastRight;
    } cases[] = {{1, 100, 100}, {3, 100, 300}, {5, 100, 500}, {8, 62, 500}, {7, 71, 500}};
    for (const Case& c : cases) {
        while (Bar->TabCount() > c.tabs)
            Bar->DeleteTab(Bar->Tab(0)->ChildForm);
        while (Bar->TabCount() < c.tabs)
            Bar->AddTab(NewChild());
        Bar->CalcTabRects();
        SCOPED_TRACE(c.tabs);
        EXPECT_EQ(Bar->Tab(0)->TabRect, (TRect{0, 0, c.width, 21}));
        EXPECT_EQ(Bar->Tab(c.tabs - 1)->TabRect.Left, (c.tabs - 1) * c.width);
        EXPECT_EQ(Bar->Tab(c.tabs - 1)->TabRect.Right, c.lastRight);
    }
}

TEST_F(MDITabsTest, PlainLookFillsTheBarAndMarksActiveAndHotTabs) {
    Show();
    // No tabs: background only.
    EXPECT_EQ(Probe(Bar, 5, 10), Rgb(clBtnFace));
    EXPECT_EQ(Probe(Bar, 450, 10), Rgb(clBtnFace));
    TForm* a = NewChild();
    TForm* b = NewChild();
    Bar->AddTab(a);
    Bar->AddTab(b);
    Bar->Tab(1)->IsActiveChild = true;
    Bar->Repaint();
    EXPECT_EQ(Probe(Bar, 50, 10), Rgb(clBtnFace));
    EXPECT_EQ(Probe(Bar, 150, 10), Rgb(0xB59385));
    MoveTo(Bar, 50, 10);
    EXPECT_EQ(Bar->HotTab(), 0);
    EXPECT_EQ(Probe(Bar, 50, 10), Rgb(0xD2BDB6));
    // The active tab keeps its fill under the mouse.
    MoveTo(Bar, 150, 10);
    EXPECT_EQ(Probe(Bar, 50, 10), Rgb(clBtnFace));
    EXPECT_EQ(Probe(Bar, 150, 10), Rgb(0xB59385));
}

TEST_F(MDITabsTest, SkinnedBarTilesItsBackgroundAndComposesTabs) {
    Bar->SetSkinData(Skin);
    Show();
    // The tab record's height sets the bar's.
    EXPECT_EQ(Bar->Height(), 8);
    EXPECT_EQ(Probe(Bar, 5, 4), Rgb(kThumb));
    EXPECT_EQ(Probe(Bar, 499, 7), Rgb(kThumb));
    Bar->AddTab(NewChild());
    Bar->AddTab(NewChild());
    Bar->Tab(1)->IsActiveChild = true;
    Bar->Repaint();
    EXPECT_EQ(Probe(Bar, 2, 4), Rgb(kProgBegin));
    EXPECT_EQ(Probe(Bar, 50, 4), Rgb(kProgMiddle));
    EXPECT_EQ(Probe(Bar, 98, 4), Rgb(kProgEnd));
    EXPECT_EQ(Probe(Bar, 150, 6), Rgb(kClient[1]));
    EXPECT_EQ(Probe(Bar, 300, 4), Rgb(kThumb));
}

TEST_F(MDITabsTest, ButtonKindDrawsTabsAsResizedButtons) {
    Bar->UseSkinSize = false;
    Bar->SetTabKind(sktkButton);
    Bar->SetSkinData(Skin);
    Bar->AddTab(NewChild());
    Bar->AddTab(NewChild());
    Bar->Tab(1)->IsActiveChild = true;
    Show();
    EXPECT_EQ(Bar->Height(), 21);
    EXPECT_EQ(Probe(Bar, 1, 1), Rgb(kRed));
    EXPECT_EQ(Probe(Bar, 98, 1), Rgb(kGreen));
    EXPECT_EQ(Probe(Bar, 50, 10), Rgb(kClient[0]));
    EXPECT_EQ(Probe(Bar, 150, 10), Rgb(kClient[2]));
    MoveTo(Bar, 50, 10);
    EXPECT_EQ(Probe(Bar, 50, 10), Rgb(kClient[1]));
    EXPECT_EQ(Probe(Bar, 300, 10), Rgb(kThumb));
}

TEST_F(MDITabsTest, BottomBarMirrorsItsSkinnedTabs) {
    Bar->SetSkinData(Skin);
    Bar->SetAlign(alBottom);
    Bar->AddTab(NewChild());
    Bar->Tab(0)->IsActiveChild = true;
    Show();
    // Face B: red corner at its top-left, client below; mirrored, the corner is at the bottom.
    EXPECT_EQ(Probe(Bar, 1, Bar->Height() - 1), Rgb(kRed));
    EXPECT_EQ(Probe(Bar, 1, 0), Rgb(kEdge[1]));
}

TEST_F(MDITabsTest, MissingBackgroundTileOrPictureFallsBackToThePlainFill) {
    Bar->SetSkinDataName("emptytab");
    Bar->SetSkinData(Skin);
    Show();
    EXPECT_TRUE(Bar->Skinned());
    EXPECT_EQ(Probe(Bar, 300, 4), Rgb(clBtnFace));
    Bar->AddTab(NewChild());
    Bar->Repaint();
    EXPECT_EQ(Probe(Bar, 50, 4), Rgb(kProgMiddle));
    // A record that is not a tab record (no usable picture for a tab): the plain look.
    Bar->SetSkinDataName("edit");
    Bar->ChangeSkinData();
    EXPECT_FALSE(Bar->Skinned());
    EXPECT_EQ(Bar->Height(), 21);
    EXPECT_EQ(Probe(Bar, 300, 10), Rgb(clBtnFace));
}

TEST_F(MDITabsTest, DraggingMovesATabOnlyPastATargetCentre) {
    TForm* a = NewChild();
    TForm* b = NewChild();
    TForm* c = NewChild();
    for (TForm* f : {a, b, c})
        Bar->AddTab(f);
    Show();
    // Press and release in place: no reorder.
    Click(Bar, 50, 10);
    EXPECT_EQ(Order(), (std::vector<TCustomForm*>{a, b, c}));
    // A short drag that never passes the next tab's centre.
    Press(Bar, 50, 10);
    MoveTo(Bar, 60, 10);
    EXPECT_TRUE(Bar->Dragging());
    Release(Bar, 60, 10);
    EXPECT_FALSE(Bar->Dragging());
    EXPECT_EQ(Order(), (std::vector<TCustomForm*>{a, b, c}));
    // Right past B's centre.
    Press(Bar, 50, 10);
    MoveTo(Bar, 180, 10);
    Release(Bar, 180, 10);
    EXPECT_EQ(Order(), (std::vector<TCustomForm*>{b, a, c}));
    // C left past the first centre.
    Press(Bar, 250, 10);
    MoveTo(Bar, 60, 10);
    Release(Bar, 60, 10);
    EXPECT_EQ(Order(), (std::vector<TCustomForm*>{c, b, a}));
    // Without MoveTabs nothing drags.
    Bar->MoveTabs = false;
    Press(Bar, 50, 10);
    MoveTo(Bar, 280, 10);
    Release(Bar, 280, 10);
    EXPECT_EQ(Order(), (std::vector<TCustomForm*>{c, b, a}));
}

TEST_F(MDITabsTest, HotTrackingRaisesEnterAndLeaveAndDeletingTheHotTabLeavesIt) {
    TForm* a = NewChild();
    TForm* b = NewChild();
    Bar->AddTab(a);
    Bar->AddTab(b);
    std::vector<std::string> log;
    Bar->OnTabMouseEnter = [&](TskMDITab* t) { log.push_back(t->ChildForm == a ? "enter a" : "enter b"); };
    Bar->OnTabMouseLeave = [&](TskMDITab* t) { log.push_back(t->ChildForm == a ? "leave a" : "leave b"); };
    Show();
    MoveTo(Bar, 50, 10);
    MoveTo(Bar, 60, 10);
    MoveTo(Bar, 150, 10);
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "leave a", "enter b"}));
    Bar->DeleteTab(b);
    EXPECT_EQ(log.back(), "leave b");
    EXPECT_EQ(Bar->HotTab(), -1);
    EXPECT_EQ(Bar->TabCount(), 1);
    // Deleting a child that has no tab changes nothing.
    Bar->DeleteTab(b);
    EXPECT_EQ(Bar->TabCount(), 1);
    // A freed child takes its tab with it.
    delete a;
    EXPECT_EQ(Bar->TabCount(), 0);
}

TEST_F(MDITabsTest, ClickingATabShowsItsChildAndTheActiveChildIsMarked) {
    Form->SetFormStyle(fsMDIForm);
    Application->SetMainForm(Form);
    Bar->SetAlign(alTop);
    Show();
    auto child = [&](const char* name) {
        auto* c = new TForm(Application);
        c->SetName(name);
        c->SetFormStyle(fsMDIChild);
        c->SetBounds(10, 10, 120, 90);
        return c;
    };
    TForm* a = child("ChildA");
    TForm* b = child("ChildB");
    a->Show();
    b->Show();
    Pump();
    Bar->AddTab(a);
    Bar->AddTab(b);
    Bar->UpdateActiveTab();
    ASSERT_EQ(Form->ActiveMDIChild(), b);
    EXPECT_FALSE(Bar->Tab(0)->IsActiveChild);
    EXPECT_TRUE(Bar->Tab(1)->IsActiveChild);
    std::vector<TskMDITab*> downs, ups;
    Bar->OnTabMouseDown = [&](TMouseButton, TShiftState, TskMDITab* t) { downs.push_back(t); };
    Bar->OnTabMouseUp = [&](TMouseButton, TShiftState, TskMDITab* t) { ups.push_back(t); };
    a->Hide();
    Pump();
    Click(Bar, 50, 10);
    EXPECT_TRUE(a->Visible());
    EXPECT_EQ(downs, (std::vector<TskMDITab*>{Bar->Tab(0)}));
    EXPECT_EQ(ups, (std::vector<TskMDITab*>{Bar->Tab(0)}));
    // Right button without a frame for the bar: no menu, the event still comes.
    hb->ButtonDown(RawButton::Right, At(Bar, 150, 10));
    hb->ButtonUp(RawButton::Right, At(Bar, 150, 10));
    Pump();
    EXPECT_EQ(downs.size(), 2u);
    delete a;
    delete b;
}

// A child whose system menu has nothing to show: the right click opens no menu, and the main
// frame leaves its menu mode again (its key hook would otherwise keep every key).
TEST_F(MDITabsTest, ARightClickThatOpensNoMenuLeavesNoMenuMode) {
    Form->SetFormStyle(fsMDIForm);
    Application->SetMainForm(Form);
    auto* mainFrame = new TskSkinForm(Form);
    Bar->SetSkinForm(mainFrame);
    Bar->SetAlign(alTop);
    Show();
    auto* c = new TForm(Application);
    c->SetFormStyle(fsMDIChild);
    c->SetBounds(10, 10, 120, 90);
    auto* childFrame = new TskSkinForm(c);
    auto* empty = new TPopupMenu(c);
    childFrame->UseDefaultSysMenu = false;
    childFrame->SetSystemMenu(empty);
    c->Show();
    Pump();
    if (Bar->TabCount() == 0) Bar->AddTab(c);
    ASSERT_EQ(Bar->TabCount(), 1);
    hb->ButtonDown(RawButton::Right, At(Bar, 20, 10));
    hb->ButtonUp(RawButton::Right, At(Bar, 20, 10));
    Pump();
    EXPECT_FALSE(mainFrame->SkinMenuIsOpen());
    EXPECT_FALSE(mainFrame->SkinMenu()->MenuVisible());
    // Keys reach the form again.
    int keys = 0;
    Form->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++keys; };
    Form->SetKeyPreview(true);
    PostMessage(Form->Handle(), WM_KEYDOWN, 'A', 0);
    Pump();
    EXPECT_EQ(keys, 1);
    Form->OnKeyDown = nullptr;
    c->Free();
    Bar->SetSkinForm(nullptr);
    mainFrame->Free();
}

TEST_F(MDITabsTest, TransparentControlsOnAMultipleDocumentFormSeeTheClientBackground) {
    Form->SetColor(0x1EC80A);
    UniqueDC dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bmp(new GdiBitmap(20, 10, 24));
    SelectObject(dc.Get(), bmp.Get());
    PaintParentBackground(Bar, dc.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 5, 5) & 0xFFFFFF, COLORREF(0x1EC80A)) << "a plain form paints itself";
    // The multiple-document rule comes with the form's frame.
    new TskSkinForm(Form);
    Form->SetFormStyle(fsMDIForm);
    Show();
    PaintParentBackground(Bar, dc.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 5, 5) & 0xFFFFFF, COLORREF(ColorToRGB(clAppWorkSpace) & 0xFFFFFF));
}

} // namespace
} // namespace vd::test
