#include "skin/controls/SkinPanel.h"
#include "SkinFixture.h"
#include "skin/controls/SkinToolBar.h"

namespace vd::test {
namespace {

class Panels : public SkinTest {
protected:
    TskSkinPanel* Panel(TRect r = {10, 10, 210, 160}) {
        auto* p = new TskSkinPanel(Form);
        p->SetParent(Form);
        p->SetBoundsRect(r);
        p->SetCaption("Panel");
        return p;
    }
    TControl* Child(TWinControl* parent, TRect r) {
        auto* c = new TskSkinPanel(Form);
        c->SetParent(parent);
        c->SetBoundsRect(r);
        return c;
    }
};

TEST_F(Panels, PlainClientRectByBorderAndCaption) {
    auto* p = Panel();
    struct Case {
        TskSkinBorderStyle Border;
        bool Caption;
        TRect Client;
    };
    const Case cases[] = {{bvFrame, false, {1, 1, 199, 149}},
                          {bvNone, false, {0, 0, 200, 150}},
                          {bvFrame, true, {1, 23, 199, 149}},
                          {bvNone, true, {0, 22, 200, 150}}};
    for (const Case& c : cases) {
        p->SetBorderStyle(c.Border);
        p->SetCaptionMode(c.Caption);
        EXPECT_EQ(GetAdjustedClientRect(p), c.Client) << c.Border << " " << c.Caption;
    }
    auto* g = new TskSkinGroupBox(Form);
    g->SetParent(Form);
    g->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(GetAdjustedClientRect(g).Top, 23) << "a group box shows its caption bar";
}

TEST_F(Panels, RollUpAndDownKeepsConstraintsAndHiddenChildren) {
    auto* p = Panel();
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    p->Constraints() = {10, 20, 400, 300};
    auto* shown = Child(p, {5, 30, 50, 60});
    auto* hidden = Child(p, {60, 30, 100, 60});
    hidden->SetVisible(false);
    int changes = 0;
    p->OnChangeRollUpState = [&](TObject*) { ++changes; };
    p->SetRollUpState(true);
    EXPECT_EQ(p->Height(), 23) << "the caption bar and one pixel";
    EXPECT_EQ(p->RealHeight(), 150);
    EXPECT_FALSE(shown->Visible());
    p->SetRollUpState(false);
    EXPECT_EQ(p->Height(), 150);
    EXPECT_EQ(p->RealHeight(), -1);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible()) << "a child hidden by the user stays hidden";
    const TSizeConstraints c = p->Constraints();
    EXPECT_EQ(c.MinWidth, 10);
    EXPECT_EQ(c.MaxHeight, 300) << "the constraints come back after rolling down";
    EXPECT_EQ(changes, 2);
    p->SetRollUpMode(false);
    p->SetRollUpState(true);
    EXPECT_FALSE(p->RollUpState()) << "without roll-up mode nothing rolls";
}

TEST_F(Panels, SkinChangeWhileRolledUpKeepsTheFullHeight) {
    auto* p = Panel();
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    auto* filler = Child(p, {0, 0, 10, 10});
    filler->SetAlign(alClient);
    p->SetRollUpState(true);
    p->SetSkinData(Skin);
    EXPECT_EQ(p->RealHeight(), 150);
    EXPECT_EQ(p->Height(), 8) << "the skinned frame without its client area";
    p->SetSkinData(Skin);
    EXPECT_EQ(p->Height(), 8) << "a second skin change while rolled up";
    p->SetRollUpState(false);
    EXPECT_EQ(p->Height(), 150);
    EXPECT_TRUE(filler->Visible());
    // The children are aligned again after the roll-down, and on every later resize.
    EXPECT_EQ(filler->BoundsRect(), GetAdjustedClientRect(p));
    p->SetBounds(p->Left(), p->Top(), 260, 180);
    EXPECT_EQ(filler->BoundsRect(), GetAdjustedClientRect(p));
}

TEST_F(Panels, CheckedEnablesChildrenAndCaptionClicksToggle) {
    auto* p = Panel();
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    p->SetRollUpMode(true);
    auto* child = Child(p, {5, 30, 50, 60});
    int checks = 0;
    p->OnChecked = [&](TObject*) { ++checks; };
    p->SetChecked(false);
    EXPECT_FALSE(child->Enabled());
    EXPECT_EQ(checks, 1) << "fires also without a change";
    Show();
    hb->Click(RawButton::Left, At(p, 100, 10));
    Pump();
    EXPECT_TRUE(p->Checked());
    EXPECT_TRUE(child->Enabled());
    EXPECT_TRUE(p->RollUpState()) << "one caption click toggles both modes";
    hb->Advance(1000);
    hb->Click(RawButton::Left, At(p, 100, 10));
    Pump();
    EXPECT_FALSE(p->RollUpState());
    hb->Advance(1000);
    hb->Click(RawButton::Left, At(p, 100, 80));
    Pump();
    EXPECT_FALSE(p->Checked()) << "previous state unchanged";
}

} // namespace
} // namespace vd::test
