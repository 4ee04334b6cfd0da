#include "BoxesFixture.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/SkinScrollBar.h"

namespace vd::test {
namespace {

class ListBoxes : public BoxTest {
protected:
    TskSkinListBox* List(TskSkinData* skin = nullptr, TRect r = {10, 10, 130, 130}) {
        auto* l = Put<TskSkinListBox>(r, skin);
        l->OnListBoxClick = [this](TObject* s) {
            ++Clicks;
            Sender = s;
        };
        l->OnListBoxDblClick = [this](TObject*) { ++DblClicks; };
        Show();
        return l;
    }
    static void Fill(TskSkinListBox* l, int n) {
        for (int i = 0; i < n; ++i)
            l->Items().Add("Item " + std::to_string(i));
    }
    int Clicks = 0, DblClicks = 0;
    TObject* Sender = nullptr;
};

TEST_F(ListBoxes, TheVerticalBarComesWithItemsBeyondTheRowsAndGoes) {
    auto* l = List();
    EXPECT_EQ(l->ListRect(), (TRect{2, 2, 118, 118}));
    Fill(l, 5);
    Pump();
    EXPECT_EQ(l->VScrollBar(), nullptr) << "five rows of 20 fit into 116 pixels";
    l->Items().Add("six");
    Pump();
    ASSERT_NE(l->VScrollBar(), nullptr);
    EXPECT_EQ(l->VScrollBar()->Kind(), sbVertical);
    EXPECT_EQ(l->VScrollBar()->BoundsRect(), (TRect{100, 1, 119, 119}));
    EXPECT_EQ(l->ListRect().Right, 100) << "the list gives way to the bar";
    EXPECT_EQ(l->VScrollBar()->PageSize(), 5);
    l->Items().Delete(5);
    Pump();
    EXPECT_EQ(l->VScrollBar(), nullptr);
    EXPECT_EQ(l->ListRect().Right, 118);
}

TEST_F(ListBoxes, RowCountSizesTheControlAndExactlyThatManyItemsNeedNoBar) {
    auto* l = List();
    l->SetRowCount(5);
    EXPECT_EQ(l->Height(), 5 * 20 + 4);
    Fill(l, 5);
    Pump();
    EXPECT_EQ(l->VScrollBar(), nullptr);
    l->Items().Add("six");
    Pump();
    EXPECT_NE(l->VScrollBar(), nullptr);
}

TEST_F(ListBoxes, WheelScrollsOneLineMoreAndTheBarFollowsTheKeyboard) {
    auto* l = List();
    Fill(l, 30);
    l->ListBox()->SetFocus();
    Pump();
    hb->Wheel(-120, At(l->ListBox(), 10, 10));
    Pump();
    EXPECT_EQ(l->TopIndex(), 4) << "the list's own three lines and one more";
    ASSERT_NE(l->VScrollBar(), nullptr);
    EXPECT_EQ(l->VScrollBar()->Position(), 4);
    Key(VK_END);
    EXPECT_EQ(l->ItemIndex(), 29);
    EXPECT_EQ(l->VScrollBar()->Position(), l->TopIndex());
    EXPECT_EQ(l->TopIndex(), 25);
    l->VScrollBar()->SetPosition(10);
    Pump();
    EXPECT_EQ(l->TopIndex(), 10) << "moving the bar scrolls the list";
}

TEST_F(ListBoxes, SelectionEventsComeFromTheListWithTheControlAsSender) {
    auto* l = List();
    Fill(l, 4);
    Click(l->ListBox(), 10, 25);
    EXPECT_EQ(l->ItemIndex(), 1);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Sender, l);
    Key(VK_DOWN);
    EXPECT_EQ(l->ItemIndex(), 2);
    EXPECT_EQ(Clicks, 2);
    hb->Click(RawButton::Left, At(l->ListBox(), 10, 45));
    hb->Click(RawButton::Left, At(l->ListBox(), 10, 45));
    Pump();
    EXPECT_EQ(DblClicks, 1);
    EXPECT_EQ(l->ItemAtPos({10, 65}, true), 3);
    EXPECT_EQ(l->ItemAtPos({10, 95}, true), -1);
    l->SetItemIndex(0);
    EXPECT_EQ(Clicks, 3) << "setting the index from code is no click";
}

TEST_F(ListBoxes, TabWidthsTakeDigitsOnlyAndTheFirstTen) {
    TStringList w;
    for (const char* s : {"40", "x", "100", "", "7a", "1", "2", "3", "4", "5", "6"})
        w.Add(s);
    EXPECT_EQ(ParseTabWidths(w), (std::vector<int>{40, 0, 100, 0, 0, 1, 2, 3, 4, 5}));
    TStringList big;
    big.Add("99999999999");
    EXPECT_EQ(ParseTabWidths(big), std::vector<int>{0}) << "no overflow from a long entry";
}

TEST_F(ListBoxes, PlainItemsAndTheBackgroundBelowThem) {
    auto* l = List();
    Fill(l, 3);
    l->SetItemIndex(1);
    Pump();
    EXPECT_EQ(Probe(l, 0, 0), Rgb(clBtnShadow)) << "the plain frame";
    EXPECT_EQ(Probe(l->ListBox(), 100, 25), Rgb(clHighlight)) << "the selected row";
    EXPECT_EQ(Probe(l->ListBox(), 100, 5), Rgb(clWindow));
    EXPECT_EQ(Probe(l->ListBox(), 100, 100), Rgb(clWindow)) << "below the last item";
}

TEST_F(ListBoxes, SkinnedItemsAndTilesBelowThem) {
    auto* l = List(Skin);
    Fill(l, 3);
    l->SetItemIndex(1);
    ::vd::SetFocus(Form->Handle());
    Pump();
    EXPECT_EQ(l->ListBox()->ItemHeight(), 12) << "the skin's item height";
    EXPECT_EQ(l->ListRect(), (TRect{4, 4, 116, 116}));
    EXPECT_EQ(Probe(l, 1, 1), kRed) << "the frame's corner";
    EXPECT_EQ(Probe(l->ListBox(), 50, 18), kClient[1]) << "the selected item's piece";
    EXPECT_EQ(Probe(l->ListBox(), 50, 6), kClient[0]);
    EXPECT_EQ(Probe(l->ListBox(), 50, 100), kClient[0]) << "the client piece tiled below";
    l->ListBox()->SetFocus();
    EXPECT_EQ(Probe(l->ListBox(), 50, 18), kClient[2]) << "focused and selected";
}

TEST_F(ListBoxes, AnEmptyClientPieceLeavesThePlainFill) {
    auto* l = Put<TskSkinListBox>({10, 10, 130, 130});
    l->SetSkinDataName("emptylist");
    l->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(l->ListBox(), 5, 5), Rgb(clWindow));
}

TEST_F(ListBoxes, CaptionButtonsStepRepeatAndActAlsoOnAReleaseAway) {
    hb->SetAutoAdvance(false);
    auto* l = List();
    l->SetCaptionMode(true);
    Fill(l, 4);
    l->SetItemIndex(1);
    Pump();
    const TRect up = l->CaptionButtons(0).R, down = l->CaptionButtons(1).R;
    EXPECT_EQ(up, (TRect{101, 2, 118, 18}));
    Click(l, down.Left + 3, down.Top + 3);
    EXPECT_EQ(l->ItemIndex(), 2);
    Press(l, down.Left + 3, down.Top + 3);
    Advance(800);
    EXPECT_EQ(l->ItemIndex(), 3) << "held at the last item it repeats without moving";
    Release(l, down.Left + 3, down.Top + 3);
    EXPECT_EQ(l->ItemIndex(), 3);
    Press(l, up.Left + 3, up.Top + 3);
    MoveTo(l, 10, 60);
    Release(l, 10, 60);
    EXPECT_EQ(l->ItemIndex(), 2) << "a release away from the button still steps";
    int ups = 0;
    l->OnUpButtonClick = [&](TObject*) { ++ups; };
    Press(l, up.Left + 3, up.Top + 3);
    Advance(1000);
    Release(l, up.Left + 3, up.Top + 3);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(l->ItemIndex(), 2) << "with its event the button neither repeats nor moves";
    Press(l, up.Left + 3, up.Top + 3);
    MoveTo(l, 10, 60);
    Release(l, 10, 60);
    EXPECT_EQ(ups, 1) << "away from the button the event does not fire";
    EXPECT_EQ(l->ItemIndex(), 1) << "but the button's own step runs";
}

TEST_F(ListBoxes, HorizontalExtentShowsABarForWideItems) {
    auto* l = List();
    l->SetHorizontalExtent(true);
    l->Items().Add(String(60, 'W'));
    Pump();
    ASSERT_NE(l->HScrollBar(), nullptr);
    EXPECT_EQ(l->HScrollBar()->PageSize(), l->ListBox()->Width() - 4);
    l->HScrollBar()->SetPosition(30);
    EXPECT_EQ(l->ListBox()->HorizontalOffset, 30);
    l->Items().Clear();
    l->Items().Add("w");
    Pump();
    EXPECT_EQ(l->HScrollBar(), nullptr);
    EXPECT_EQ(l->ListBox()->HorizontalOffset, 0);
}

} // namespace
} // namespace vd::test
