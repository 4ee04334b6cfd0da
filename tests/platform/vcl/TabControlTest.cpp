#include "KeyScript.h"
#include "VclFixture.h"

#include "platform/vcl/ComCtrls.h"

namespace vd::test {
namespace {

class TabControlTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = NewForm({100, 100, 500, 400});
        tabs = new TTabControl(form);
        tabs->SetParent(form);
        tabs->SetBounds(10, 10, 300, 200);
        tabs->SetTabHeight(20);
        tabs->SetTabWidth(60);
        for (const char* s : {"one", "two", "three", "four", "five", "six", "seven"})
            tabs->Tabs().Add(s);
        tabs->OnChange = [this](TObject*) { ++changes; };
        form->Show();
        Pump();
    }
    TPoint TabPoint(int i) {
        const TRect r = tabs->TabRect(i);
        return {100 + 10 + (r.Left + r.Right) / 2, 100 + 10 + (r.Top + r.Bottom) / 2};
    }
    TForm* form = nullptr;
    TTabControl* tabs = nullptr;
    int changes = 0;
};

TEST_F(TabControlTest, RectanglesAlongEachEdgeUnderAFirstVisibleTab) {
    struct {
        TTabPosition pos;
        int first, index;
        TRect tab, display;
    } cases[] = {
        {tpTop, 0, 0, {0, 0, 60, 20}, {0, 20, 300, 200}},
        {tpTop, 0, 2, {120, 0, 180, 20}, {0, 20, 300, 200}},
        {tpTop, 2, 1, {-60, 0, 0, 20}, {0, 20, 300, 200}}, // before the first visible: ends at 0
        {tpBottom, 0, 1, {60, 180, 120, 200}, {0, 0, 300, 180}},
        {tpLeft, 0, 1, {0, 60, 20, 120}, {20, 0, 300, 200}},
        {tpRight, 1, 2, {280, 60, 300, 120}, {0, 0, 280, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.pos) * 100 + c.first * 10 + c.index);
        tabs->SetTabPosition(c.pos);
        tabs->SetFirstVisible(c.first);
        EXPECT_EQ(tabs->TabRect(c.index), c.tab);
        EXPECT_EQ(tabs->DisplayRect(), c.display);
        const TRect r = c.tab;
        if (r.Left >= 0 && r.Top >= 0) {
            EXPECT_EQ(tabs->IndexOfTabAt(r.Left + 1, r.Top + 1), c.index);
        }
    }
}

TEST_F(TabControlTest, CaptionWidthWhenNoFixedWidth) {
    tabs->SetTabWidth(0);
    const int wOne = tabs->TabRect(0).Width();
    const int wThree = tabs->TabRect(2).Width();
    EXPECT_GT(wThree, wOne) << "a longer caption makes a wider tab";
    EXPECT_EQ(tabs->TabRect(1).Left, wOne);
}

TEST_F(TabControlTest, ClickSelectsUnlessVetoedAndBringsTabsIntoView) {
    bool allow = false;
    int asked = 0;
    tabs->OnChanging = [&](TObject*, bool& ok) {
        ++asked;
        ok = allow;
    };
    hb->Click(RawButton::Left, TabPoint(2));
    Pump();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(tabs->TabIndex(), 0) << "vetoed";
    EXPECT_EQ(changes, 0);
    allow = true;
    hb->Click(RawButton::Left, TabPoint(2));
    Pump();
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(changes, 1);
    tabs->SetFocus();
    TypeKeys(hb, "{Right}{Right}{Right}{Right}{Right}{Right}");
    Pump();
    EXPECT_EQ(tabs->TabIndex(), 6) << "no wrap at the end";
    EXPECT_LE(tabs->TabRect(6).Right, 300) << "the selected tab is scrolled into view";
    EXPECT_GT(tabs->FirstVisible(), 0);
    SendMessage(tabs->Handle(), WM_HSCROLL, MakeScrollWParam(SB_THUMBPOSITION, 1), 0);
    EXPECT_EQ(tabs->FirstVisible(), 1);
    TypeKeys(hb, "{C-Tab}");
    Pump();
    EXPECT_EQ(tabs->TabIndex(), 0) << "Ctrl+Tab cycles";
    tabs->SetTabIndex(3);
    EXPECT_EQ(changes, 6) << "setting TabIndex from code fires nothing";
}

TEST_F(TabControlTest, PageControlMapsVisibleTabsToPages) {
    auto* pc = new TPageControl(form);
    pc->SetParent(form);
    pc->SetBounds(10, 220, 300, 150);
    pc->SetTabHeight(20);
    std::vector<TTabSheet*> pages;
    for (const char* s : {"A", "B", "C"}) {
        auto* p = new TTabSheet(form);
        p->SetCaption(s);
        p->SetPageControl(pc);
        pages.push_back(p);
    }
    Pump();
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    pages[1]->SetTabVisible(false);
    EXPECT_EQ(pc->Tabs().Count(), 2);
    EXPECT_EQ(pages[2]->TabIndex(), 1);
    EXPECT_EQ(pages[1]->TabIndex(), -1);
    int changed = 0;
    pc->OnChange = [&](TObject*) { ++changed; };
    const TRect r = pc->TabRect(1);
    hb->Click(RawButton::Left, {100 + 10 + r.Left + 5, 100 + 220 + r.Top + 5});
    Pump();
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_EQ(pc->TabIndex(), 1);
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(pages[2]->Visible());
    EXPECT_FALSE(pages[0]->Visible());
    EXPECT_EQ(pages[2]->BoundsRect(), pc->DisplayRect());
    pages[2]->Free();
    EXPECT_EQ(pc->ActivePage(), pages[0]) << "freeing the active page activates the next";
}

} // namespace
} // namespace vd::test
