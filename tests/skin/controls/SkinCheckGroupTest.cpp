#include "SkinFixture.h"
#include "platform/rtl/Resources.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroups.h"
#include "skin/core/SkinStoredSkin.h"

namespace vd::test {
namespace {

class Checks : public SkinTest {
protected:
    TskSkinCheckRadioBox* Box(TRect r, bool radio = false, int group = 0) {
        auto* b = new TskSkinCheckRadioBox(Form);
        b->SetParent(Form);
        b->SetBoundsRect(r);
        b->SetRadio(radio);
        b->GroupIndex = group;
        b->SetCaption("Box");
        b->OnClick = [this, b](TObject*) { Log.push_back(b); };
        return b;
    }
    std::vector<TskSkinCheckRadioBox*> Log;
};

TEST_F(Checks, ClickMatrix) {
    struct Case {
        bool Radio, AllowGrayed;
        std::vector<TCheckBoxState> States; // after each left click
    };
    const Case cases[] = {
        {false, false, {cbChecked, cbUnchecked, cbChecked}},
        {false, true, {cbGrayed, cbChecked, cbUnchecked}},
        {true, false, {cbChecked, cbChecked, cbChecked}},
        {true, true, {cbChecked, cbChecked, cbChecked}},
    };
    for (const Case& c : cases) {
        auto* b = Box({10, 10, 160, 35}, c.Radio);
        b->SetAllowGrayed(c.AllowGrayed);
        Show();
        for (TCheckBoxState want : c.States) {
            hb->Advance(1000);
            hb->Click(RawButton::Left, At(b, 10, 12));
            Pump();
            EXPECT_EQ(b->State(), want) << "radio " << c.Radio << " grayed " << c.AllowGrayed;
            EXPECT_EQ(b->Checked(), want == cbChecked);
        }
        const TCheckBoxState before = b->State();
        hb->Advance(1000);
        hb->Click(RawButton::Right, At(b, 10, 12));
        Pump();
        EXPECT_EQ(b->State(), before) << "the right button never toggles";
        b->Free();
    }
}

TEST_F(Checks, GroupsAreExclusiveByGroupIndex) {
    auto* a = Box({10, 10, 160, 35}, false, 4);
    auto* b = Box({10, 40, 160, 65}, false, 4);
    auto* c = Box({10, 70, 160, 95}, false, 0);
    a->SetChecked(true);
    c->SetChecked(true);
    Log.clear();
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(c->Checked()) << "group 0 is never affected";
    EXPECT_EQ(Log, (std::vector<TskSkinCheckRadioBox*>{a, b}))
        << "the sibling's OnClick fires as it is unchecked";
    auto* r = Box({10, 100, 160, 125}, true, 1);
    r->SetChecked(true);
    Log.clear();
    r->DoClick();
    EXPECT_TRUE(Log.empty()) << "a checked radio box ignores a click";
    r->SetChecked(true);
    EXPECT_EQ(Log.size(), 1u) << "the writer still fires";
    a->SetState(cbGrayed);
    a->SetChecked(false);
    EXPECT_EQ(a->State(), cbGrayed);
}

TEST_F(Checks, FlatBoxShowsTheParentColour) {
    Form->SetColor(0x336699);
    auto* b = Box({10, 10, 160, 35});
    Show();
    EXPECT_EQ(Probe(b, 100, 2), 0x336699);
    b->SetSkinData(Skin);
    EXPECT_EQ(Probe(b, 100, 2), 0x336699);
    EXPECT_EQ(Probe(b, 8, 12), kUncheck);
    b->SetChecked(true);
    EXPECT_EQ(Probe(b, 8, 12), kCheck);
    EXPECT_EQ(Probe(b, 3, 12 + 6 - 1 - 0), 0x336699) << "the image's key colour shows the parent";
}

// The program's skin gives the check box a face of fixed height: turning the flat look off after
// the skin arrived must take that height, as turning it off first does.
TEST_F(Checks, ABoxLeavingTheFlatLookTakesItsFaceSize) {
    TskCompressedStoredSkin stored;
    const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
    stored.ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
    auto* skin = new TskSkinData(Form);
    skin->LoadStoredSkin(&stored);
    ASSERT_FALSE(skin->Empty());
    auto* before = Box({10, 10, 160, 35});
    before->SetFlat(false);
    before->SetSkinData(skin);
    auto* after = Box({10, 40, 160, 65});
    after->SetSkinData(skin);
    after->SetFlat(false);
    EXPECT_NE(before->Height(), 25) << "the face's own height";
    EXPECT_EQ(after->Height(), before->Height());
}

TEST_F(Checks, GrayedImageIsLightened) {
    auto* b = Box({10, 10, 160, 35});
    b->SetSkinData(Skin);
    b->SetState(cbGrayed);
    Show();
    const TColor c = Probe(b, 8, 12);
    EXPECT_NE(c, kCheck);
    EXPECT_GT(c & 0xFF, 0xC0) << "every channel moved towards white";
    EXPECT_GT((c >> 16) & 0xFF, 0x40);
    b->SetEnabled(false);
    EXPECT_NE(Probe(b, 8, 12), kUncheck) << "still the check image while grayed";
}

TEST_F(Checks, RadioGroupLayoutAndItemIndex) {
    auto* g = new TskSkinRadioGroup(Form);
    g->SetParent(Form);
    g->SetBounds(10, 10, 302, 100);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    for (int i = 0; i < 7; ++i)
        g->Items().Add("Item " + std::to_string(i));
    g->SetColumns(3);
    ASSERT_EQ(g->ButtonCount(), 7);
    const TRect r = GetAdjustedClientRect(g);
    const int cw = r.Width() / 3 - 2, rh = r.Height() / 3;
    EXPECT_EQ(g->Buttons(2)->Top(), r.Top + 2 * rh);
    EXPECT_EQ(g->Buttons(3)->Left(), cw + r.Left + 1);
    EXPECT_EQ(g->Buttons(3)->Top(), r.Top);
    EXPECT_EQ(g->Buttons(6)->Left(), 2 * cw + r.Left + 1);
    EXPECT_EQ(g->Buttons(6)->Top(), r.Top);
    g->SetItemIndex(99);
    EXPECT_EQ(g->ItemIndex(), 6);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(g->Buttons(6)->Checked());
    g->SetItemIndex(2);
    EXPECT_FALSE(g->Buttons(6)->Checked());
    g->SetItemIndex(-1);
    EXPECT_EQ(clicks, 2) << "clearing the selection fires nothing";
    g->SetItemIndex(6);
    g->Items().Delete(6);
    EXPECT_EQ(g->ItemIndex(), 5);
    for (int v : {0, -4}) {
        g->SetColumns(v);
        EXPECT_EQ(g->Columns(), 1);
    }
    g->SetColumns(40);
    EXPECT_EQ(g->Columns(), 16);
    g->SetBounds(10, 10, 20, 3);
    for (int i = 0; i < g->ButtonCount(); ++i) {
        EXPECT_GE(g->Buttons(i)->Width(), 0);
        EXPECT_GE(g->Buttons(i)->Height(), 0);
    }
}

TEST_F(Checks, CheckGroupRemembersTheLastClickedItem) {
    auto* g = new TskSkinCheckGroup(Form);
    g->SetParent(Form);
    g->SetBounds(10, 10, 200, 100);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    g->Items().Add("One");
    g->Items().Add("Two");
    Show();
    for (int i = 0; i < 2; ++i) {
        hb->Advance(1000);
        hb->Click(RawButton::Left, At(g->Buttons(1), 10, g->Buttons(1)->Height() / 2));
        Pump();
    }
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(g->ItemIndex(), 1);
    EXPECT_FALSE(g->ItemChecked(1));
}

// A radio group that refuses changes, as a data-aware group would while its data cannot be edited.
class LockedRadioGroup : public TskSkinRadioGroup {
public:
    using TskSkinRadioGroup::TskSkinRadioGroup;
    bool CanModify() override { return !Locked; }
    bool Locked = true;
};

TEST_F(Checks, GroupButtonsPassKeysOnAndChangeOnlyWhenTheGroupAllows) {
    auto* g = new LockedRadioGroup(Form);
    g->SetParent(Form);
    g->SetBounds(10, 10, 200, 100);
    std::vector<int> downs;
    std::u32string presses;
    g->OnKeyDown = [&](TObject*, Word& k, TShiftState) { downs.push_back(k); };
    g->OnKeyPress = [&](TObject*, TKeyChar& k) { presses += k; };
    g->Items().Add("One");
    g->Items().Add("Two");
    Show();
    g->Buttons(1)->SetFocus();
    Pump();
    hb->KeyPress('A', U'a');
    Pump();
    EXPECT_EQ(downs, std::vector<int>{'A'}) << "the group hears the button's keys";
    EXPECT_EQ(presses, U"a");
    hb->Click(RawButton::Left, At(g->Buttons(1), 10, g->Buttons(1)->Height() / 2));
    hb->KeyPress(VK_SPACE, U' ');
    Pump();
    EXPECT_EQ(g->ItemIndex(), -1) << "a locked group keeps its selection";
    EXPECT_FALSE(g->Buttons(1)->Checked());
    g->Locked = false;
    hb->Advance(1000);
    hb->Click(RawButton::Left, At(g->Buttons(1), 10, g->Buttons(1)->Height() / 2));
    Pump();
    EXPECT_EQ(g->ItemIndex(), 1);
}

TEST_F(Checks, ButtonDefaultFontReachesTheGroupAndEveryButton) {
    auto* g = new TskSkinCheckGroup(Form);
    g->SetParent(Form);
    g->Items().Add("One");
    EXPECT_EQ(g->ButtonDefaultFont().Name(), "Arial");
    TFont f;
    f.SetName("Serif");
    f.SetHeight(20);
    g->SetButtonDefaultFont(f);
    g->Items().Add("Two");
    EXPECT_EQ(g->Font().Name(), "Serif");
    for (int i = 0; i < g->ButtonCount(); ++i) {
        EXPECT_EQ(g->Buttons(i)->DefaultFont().Name(), "Serif") << i;
        EXPECT_EQ(g->Buttons(i)->DefaultFont().Height(), 20) << i;
    }
}

} // namespace
} // namespace vd::test
