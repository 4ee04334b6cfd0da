#include "KeyScript.h"
#include "VclFixture.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/StdCtrls.h"

namespace vd::test {
namespace {

class ListBoxTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = NewForm({100, 100, 400, 300});
        list = new TListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 150, 100); // 6 full rows of 16, a partial seventh
        list->OnClick = [this](TObject*) { ++clicks; };
        list->OnDblClick = [this](TObject*) { ++dblClicks; };
        form->Show();
        Pump();
    }
    void Fill(int n) {
        list->Items().BeginUpdate();
        for (int i = 0; i < n; ++i)
            list->Items().AddObject("item" + std::to_string(i),
                                    reinterpret_cast<TObject*>(std::uintptr_t(1000 + i)));
        list->Items().EndUpdate();
    }
    TPoint ItemPoint(int index) {
        const TRect r = list->ItemRect(index);
        return {100 + 10 + 20, 100 + 10 + r.Top + 5};
    }
    HWND H() { return list->Handle(); }

    TForm* form = nullptr;
    TListBox* list = nullptr;
    int clicks = 0;
    int dblClicks = 0;
};

TEST_F(ListBoxTest, KeyboardMovesTheSelectionClampedAndNotifies) {
    Fill(20);
    list->SetFocus();
    list->SetItemIndex(5);
    EXPECT_EQ(clicks, 0) << "setting ItemIndex fires no OnClick";
    struct {
        const char* keys;
        int index, top, clicks;
    } cases[] = {
        {"{Down}", 6, 1, 1}, {"{Up}{Up}", 4, 1, 2}, {"{PgDn}", 9, 4, 1},    {"{PgUp}", 4, 4, 1},
        {"{PgUp}", 0, 0, 1}, {"{End}", 19, 14, 1},  {"{Right}", 19, 14, 0}, {"{Home}{Left}", 0, 0, 1},
    };
    list->SetItemIndex(5);
    list->SetTopIndex(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        clicks = 0;
        TypeKeys(hb, c.keys);
        Pump();
        EXPECT_EQ(list->ItemIndex(), c.index);
        EXPECT_EQ(list->TopIndex(), c.top);
        EXPECT_EQ(clicks, c.clicks) << "one notice per change";
    }
}

TEST_F(ListBoxTest, ScrollStateReadableWithoutABar) {
    int mn = -1, mx = -1;
    GetScrollRange(H(), SB_VERT, &mn, &mx);
    EXPECT_EQ(mn, 0);
    EXPECT_EQ(mx, 0) << "empty list";
    Fill(20);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(H(), SB_VERT, si);
    EXPECT_EQ(si.nMax, 19);
    EXPECT_EQ(si.nPage, 6u) << "full rows only";
    struct {
        int code, pos, top;
    } cases[] = {{SB_LINEDOWN, 0, 1}, {SB_PAGEDOWN, 0, 7},      {SB_LINEUP, 0, 6},
                 {SB_PAGEUP, 0, 0},   {SB_THUMBPOSITION, 9, 9}, {SB_THUMBTRACK, 99, 14},
                 {SB_TOP, 0, 0},      {SB_BOTTOM, 0, 14},       {SB_THUMBPOSITION, -5, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        SendMessage(H(), WM_VSCROLL, MakeScrollWParam(c.code, c.pos), 0);
        EXPECT_EQ(list->TopIndex(), c.top);
        EXPECT_EQ(GetScrollPos(H(), SB_VERT), c.top);
    }
    list->SetTopIndex(100);
    EXPECT_EQ(list->TopIndex(), 14) << "top index clamps to Count - page";
    EXPECT_EQ(list->ItemRect(15), (TRect{0, 16, list->ClientWidth(), 32}));
}

TEST_F(ListBoxTest, ItemsDataFindAndErrors) {
    list->SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apple", "Cherry"})
        list->Items().Add(s);
    EXPECT_EQ(list->Items().Text(), "Apple\napple\nbanana\nCherry\npear\n")
        << "case-insensitive order, ties after";
    list->Items().SetObjects(2, reinterpret_cast<TObject*>(std::uintptr_t(0xDEADBEEF)));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(list->Items().Objects(2)), 0xDEADBEEFu);
    EXPECT_EQ(list->Items().IndexOf("CHERRY"), 3);
    EXPECT_EQ(list->Items().IndexOf("cher"), -1) << "IndexOf is exact";
    struct {
        int start;
        const char* prefix;
        LRESULT found;
    } finds[] = {{-1, "AP", 0}, {0, "ap", 1},  {1, "ap", 0}, {2, "p", 4},
                 {4, "b", 2},   {-1, "x", -1}, {-1, "", 0}};
    for (const auto& f : finds) {
        SCOPED_TRACE(f.prefix);
        EXPECT_EQ(
            SendMessage(H(), LB_FINDSTRING, static_cast<WPARAM>(f.start), reinterpret_cast<LPARAM>(f.prefix)),
            f.found);
    }
    EXPECT_THROW(list->Items().Strings(5), EListError);
    try {
        list->Items().Objects(-1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
    EXPECT_EQ(list->SelCount(), -1) << "single selection answers -1";
    EXPECT_EQ(SendMessage(H(), LB_SETITEMHEIGHT, 0, 0), LB_ERR) << "a zero height is ignored";
    EXPECT_EQ(list->ItemHeight(), 16);
}

TEST_F(ListBoxTest, RecreationKeepsItemsDataIndexAndTop) {
    Fill(30);
    list->SetItemIndex(12);
    list->SetTopIndex(10);
    list->SetItemState(3, 2);
    list->SetMultiSelect(false);
    list->SetColumns(0);
    list->SetSorted(false);
    list->SetNoFocus(true); // recreates the window
    EXPECT_EQ(list->Items().Count(), 30);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(list->Items().Objects(29)), 1029u);
    EXPECT_EQ(list->ItemIndex(), 12);
    EXPECT_EQ(list->TopIndex(), 10);
    EXPECT_EQ(list->ItemState(3), 2) << "item states survive, apart from the data";
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(list->Items().Objects(3)), 1003u);
    list->Items().Insert(0, "new");
    EXPECT_EQ(list->ItemState(4), 2) << "a state moves with its item";
    EXPECT_THROW(list->ItemState(99), EListError);
}

TEST_F(ListBoxTest, MouseSelectsOnPressNotifiesOnReleaseAndDoubleClicks) {
    Fill(20);
    hb->ButtonDown(RawButton::Left, ItemPoint(2));
    Pump();
    EXPECT_TRUE(list->Focused()) << "a press takes the focus";
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 0);
    hb->MouseMove(ItemPoint(4));
    Pump();
    EXPECT_EQ(list->ItemIndex(), 4) << "dragging moves the selection";
    hb->ButtonUp(RawButton::Left, ItemPoint(4));
    Pump();
    EXPECT_EQ(clicks, 1);
    hb->Click(RawButton::Left, ItemPoint(4));
    Pump();
    EXPECT_EQ(clicks, 2) << "clicking the same item notifies too";
    hb->Click(RawButton::Left, ItemPoint(4));
    Pump();
    EXPECT_EQ(dblClicks, 1);
    EXPECT_EQ(list->ItemAtPos({5, 5}, true), 0);
    EXPECT_EQ(list->ItemAtPos({5, 5000}, true), -1);
    EXPECT_EQ(list->ItemAtPos({5, 5000}, false), 20);
}

// The selected items as a string of indexes, e.g. "1 2 5".
std::string SelectedItems(TListBox* list) {
    std::string out;
    for (int i = 0; i < list->Items().Count(); ++i)
        if (list->Selected(i)) out += (out.empty() ? "" : " ") + std::to_string(i);
    return out;
}

TEST_F(ListBoxTest, ExtendedSelectionByClicksWithShiftAndCtrlAndByKeys) {
    Fill(10);
    list->SetMultiSelect(true);
    list->SetExtendedSelect(true);
    const auto click = [&](int index, std::initializer_list<int> held) {
        for (int vk : held)
            hb->KeyDown(vk);
        hb->Click(RawButton::Left, ItemPoint(index));
        for (int vk : held)
            hb->KeyUp(vk);
        hb->Advance(1000); // never a double click
        Pump();
    };
    const struct {
        int Index;
        std::initializer_list<int> Held;
        const char* Selected;
    } clicks[] = {
        {1, {}, "1"},
        {4, {VK_SHIFT}, "1 2 3 4"}, // the range from the anchor
        {0, {VK_SHIFT}, "0 1"},     // the anchor stays: a new range replaces the old
        {3, {VK_CONTROL}, "0 1 3"}, // Ctrl toggles one item and moves the anchor
        {1, {VK_CONTROL}, "0 3"},
        {5, {VK_CONTROL}, "0 3 5"},
        {4, {VK_SHIFT, VK_CONTROL}, "0 3 4 5"}, // Ctrl+Shift adds the range to the rest
        {2, {}, "2"},
    };
    for (const auto& c : clicks) {
        click(c.Index, c.Held);
        EXPECT_EQ(SelectedItems(list), c.Selected) << "click on " << c.Index;
        EXPECT_EQ(list->ItemIndex(), c.Index) << "the caret follows the click";
    }
    TypeKeys(hb, "{S-Down}{S-Down}");
    Pump();
    EXPECT_EQ(SelectedItems(list), "2 3 4");
    TypeKeys(hb, "{Up}");
    Pump();
    EXPECT_EQ(SelectedItems(list), "3") << "a plain arrow selects the caret's item alone";
    EXPECT_EQ(list->SelCount(), 1);
}

TEST_F(ListBoxTest, PlainMultipleSelectionTogglesAndMovesTheCaretAlone) {
    Fill(10);
    list->SetMultiSelect(true);
    list->SetExtendedSelect(false);
    hb->Click(RawButton::Left, ItemPoint(1));
    hb->Advance(1000);
    hb->Click(RawButton::Left, ItemPoint(3));
    hb->Advance(1000);
    Pump();
    EXPECT_EQ(SelectedItems(list), "1 3");
    hb->Click(RawButton::Left, ItemPoint(1));
    hb->Advance(1000);
    Pump();
    EXPECT_EQ(SelectedItems(list), "3") << "a second click takes the item out";
    TypeKeys(hb, "{Down}{Down}");
    Pump();
    EXPECT_EQ(SelectedItems(list), "3") << "arrows move the caret only";
    EXPECT_EQ(list->ItemIndex(), 3);
    TypeKeys(hb, "{Space}");
    Pump();
    EXPECT_EQ(SelectedItems(list), "") << "Space toggles the caret's item";
}

TEST_F(ListBoxTest, NonFocusableListNeverTakesTheFocus) {
    Fill(5);
    list->SetNoFocus(true);
    form->SetFocus();
    Pump();
    hb->Click(RawButton::Left, ItemPoint(1));
    Pump();
    EXPECT_FALSE(list->Focused());
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(ListBoxTest, WheelScrollsThreeLinesPerNotch) {
    Fill(40);
    hb->Wheel(-WHEEL_DELTA, ItemPoint(0));
    Pump();
    EXPECT_EQ(list->TopIndex(), 3);
    hb->Wheel(WHEEL_DELTA, ItemPoint(0));
    Pump();
    EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(ListBoxTest, WheelPipelineRunsBeforeTheListScrolls) {
    Fill(40);
    std::vector<int> seen;
    bool eat = true;
    list->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        seen.push_back(delta);
        handled = eat;
    };
    int downs = 0;
    list->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++downs; };
    hb->Wheel(-WHEEL_DELTA, ItemPoint(0));
    Pump();
    EXPECT_EQ(list->TopIndex(), 0) << "handled by the event: the list stays";
    eat = false;
    hb->Wheel(-WHEEL_DELTA, ItemPoint(0));
    Pump();
    EXPECT_EQ(seen, (std::vector<int>{-WHEEL_DELTA, -WHEEL_DELTA}));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(list->TopIndex(), 3) << "unhandled: the list scrolls";
}

TEST_F(ListBoxTest, MultiColumnListRunsDownThenAcross) {
    list->SetColumns(3); // 150 wide: columns of 50, 6 full rows each
    Fill(40);
    EXPECT_EQ(list->ItemRect(7), (TRect{50, 16, 100, 32}));
    EXPECT_EQ(list->ItemAtPos({60, 20}, true), 7);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(list->Handle(), SB_HORZ, si);
    EXPECT_EQ(si.nMax, 6) << "seven columns hold 40 items";
    EXPECT_EQ(si.nPage, 3u);
    SendMessage(list->Handle(), WM_HSCROLL, MakeScrollWParam(SB_LINERIGHT, 0), 0);
    EXPECT_EQ(list->TopIndex(), 6);
    EXPECT_EQ(list->ItemAtPos({10, 5}, true), 6);
    list->SetFocus();
    list->SetItemIndex(6);
    TypeKeys(hb, "{Right}");
    Pump();
    EXPECT_EQ(list->ItemIndex(), 12) << "right moves a column";
    SendMessage(list->Handle(), WM_HSCROLL, MakeScrollWParam(SB_BOTTOM, 0), 0);
    EXPECT_EQ(list->TopIndex(), 24) << "the last three columns in view";
}

TEST_F(ListBoxTest, AutoCompleteSearchesTypedPrefix) {
    for (const char* s : {"alpha", "beta", "bravo", "charlie"})
        list->Items().Add(s);
    list->SetFocus();
    TypeKeys(hb, "br");
    Pump();
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 2);
    hb->Advance(600);
    TypeKeys(hb, "c");
    Pump();
    EXPECT_EQ(list->ItemIndex(), 3) << "the filter starts again after a pause";
    TypeKeys(hb, "{BS}");
    Pump();
    EXPECT_EQ(list->ItemIndex(), 0) << "an emptied filter selects the first item";
}

TEST_F(ListBoxTest, OwnerDrawGetsEveryVisibleItemWithItsState) {
    Fill(10);
    std::vector<std::pair<int, TOwnerDrawState>> drawn;
    list->OnDrawItem = [&](TWinControl*, int index, TRect r, TOwnerDrawState state) {
        drawn.emplace_back(index, state);
        UniqueBrush b(CreateSolidBrush(state & odSelected ? RGB(255, 0, 0) : RGB(0, 0, 255)));
        FillRect(list->Canvas().Handle(), &r, b.Get());
    };
    list->SetFocus();
    list->SetItemIndex(1);
    list->Invalidate();
    Pump();
    ASSERT_EQ(drawn.size(), 7u) << "six full rows and the partial seventh";
    EXPECT_EQ(drawn[1].second, odSelected | odFocused);
    EXPECT_EQ(drawn[0].second, 0u);
    EXPECT_EQ(GetWindowPixel(form->Handle(), 10 + 50, 10 + 16 + 8), RGB(255, 0, 0));
    EXPECT_EQ(GetWindowPixel(form->Handle(), 10 + 50, 10 + 8), RGB(0, 0, 255));
}

} // namespace
} // namespace vd::test
