#include "BoxesFixture.h"
#include "skin/boxes/SkinCheckListBox.h"

namespace vd::test {
namespace {

class CheckLists : public BoxTest {
protected:
    TskSkinCheckListBox* List(TskSkinData* skin = nullptr) {
        auto* l = Put<TskSkinCheckListBox>({10, 10, 130, 130}, skin);
        for (const char* s : {"One", "Two", "Three"})
            l->Items().Add(s);
        l->SetOnClickCheck([this](TObject* s) {
            ++Checks;
            Sender = s;
        });
        Show();
        return l;
    }
    int Checks = 0;
    TObject* Sender = nullptr;
};

TEST_F(CheckLists, AClickInTheCheckColumnTogglesAndTheThirdStateStays) {
    auto* l = List();
    Click(l->ListBox(), 19, 5);
    EXPECT_EQ(l->State(0), 1);
    EXPECT_EQ(Checks, 1);
    EXPECT_EQ(Sender, l->ListBox()) << "a toggle by mouse names the inner list";
    Click(l->ListBox(), 20, 5);
    EXPECT_EQ(l->State(0), 1) << "x 20 is the text, not the box";
    EXPECT_EQ(Checks, 1);
    Click(l->ListBox(), 5, 5);
    EXPECT_EQ(l->State(0), 0);
    l->SetState(1, 2);
    Click(l->ListBox(), 5, 25);
    EXPECT_EQ(l->State(1), 2) << "state 2 stays 2";
    EXPECT_EQ(Checks, 3) << "and still fires OnClickCheck";
}

TEST_F(CheckLists, SpaceTogglesTheCurrentItem) {
    auto* l = List();
    l->SetItemIndex(2);
    l->ListBox()->SetFocus();
    Pump();
    Key(VK_SPACE, U' ');
    EXPECT_TRUE(l->Checked(2));
    EXPECT_EQ(Checks, 1);
    EXPECT_EQ(l->ItemIndex(), 2);
}

TEST_F(CheckLists, StatesAreKeptApartFromDataAndSurviveRecreation) {
    auto* l = List();
    l->Items().SetObjects(0, reinterpret_cast<TObject*>(static_cast<std::intptr_t>(-1)));
    EXPECT_EQ(l->State(0), 0) << "item data -1 is just data";
    l->SetState(0, 1);
    l->SetState(2, 2);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(l->Items().Objects(0)), -1) << "the data is kept";
    l->ListBox()->RecreateWnd();
    Pump();
    EXPECT_EQ(l->State(0), 1);
    EXPECT_EQ(l->State(1), 0);
    EXPECT_EQ(l->State(2), 2);
    EXPECT_ANY_THROW(l->SetState(7, 1)) << "a bad index is the list's index error";
    l->CheckList()->ToggleState(7);
    EXPECT_EQ(Checks, 0) << "toggling a bad index is ignored";
}

// A new text for an item is the same item: its state and data stay, with or without a window.
TEST_F(CheckLists, RenamingAnItemKeepsItsState) {
    for (bool windowed : {true, false}) {
        TskSkinCheckListBox* l = windowed ? List() : new TskSkinCheckListBox(Form);
        if (!windowed)
            for (const char* t : {"One", "Two", "Three"})
                l->Items().Add(t);
        ASSERT_EQ(l->ListBox()->HandleAllocated(), windowed);
        l->SetState(1, 1);
        l->SetState(2, 2);
        l->Items().SetObjects(2, reinterpret_cast<TObject*>(static_cast<std::intptr_t>(7)));
        for (int i = 0; i < 3; ++i)
            l->Items().SetStrings(i, "Item " + std::to_string(i) + (windowed ? "a" : "b"));
        EXPECT_EQ(l->State(0), 0) << windowed;
        EXPECT_EQ(l->State(1), 1) << windowed;
        EXPECT_EQ(l->State(2), 2) << windowed;
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(l->Items().Objects(2)), 7) << windowed;
        EXPECT_EQ(l->Items().Strings(2), windowed ? "Item 2a" : "Item 2b");
    }
}

TEST_F(CheckLists, TheCaptionCheckButtonChecksTheCurrentItem) {
    auto* l = List();
    l->SetCaptionMode(true);
    l->SetState(1, 2);
    l->SetItemIndex(1);
    Pump();
    const TRect check = l->CaptionButtons(2).R;
    Click(l, check.Left + 3, check.Top + 3);
    EXPECT_EQ(l->State(1), 1) << "state 2 becomes 1";
    EXPECT_EQ(Sender, l) << "a toggle by the caption button names the check list";
}

TEST_F(CheckLists, PlainAndSkinnedCheckBoxes) {
    auto* plain = List();
    plain->SetState(0, 1);
    Pump();
    EXPECT_EQ(Probe(plain->ListBox(), 3, 4), Rgb(clBtnShadow)) << "the plain box's frame";
    auto* skinned = List(Skin);
    skinned->SetState(0, 1);
    Pump();
    EXPECT_EQ(Probe(skinned->ListBox(), 1, 1), kCheck) << "the checked picture centred in the check rect";
    EXPECT_EQ(Probe(skinned->ListBox(), 1, 14), kUncheck);
    Click(skinned->ListBox(), 5, 17);
    EXPECT_EQ(skinned->State(1), 1) << "a click in the skin's check rect toggles";
    Click(skinned->ListBox(), 30, 17);
    EXPECT_EQ(skinned->State(1), 1);
}

} // namespace
} // namespace vd::test
