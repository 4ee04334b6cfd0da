#include "KeyScript.h"
#include "VclFixture.h"

#include "platform/vcl/ComCtrls.h"

namespace vd::test {
namespace {

class ListViewTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = NewForm({100, 100, 600, 500});
        lv = new TListView(form);
        lv->SetParent(form);
        lv->SetBounds(10, 10, 300, 200);
        form->Show();
        Pump();
    }
    void Report(int items) {
        spy.Watch(lv->Handle());
        lv->SetViewStyle(vsReport);
        for (const char* c : {"Name", "Size", "Type"}) {
            TListColumn* col = lv->Columns().Add();
            col->SetCaption(c);
            col->SetWidth(100);
        }
        lv->Items().BeginUpdate();
        for (int i = 0; i < items; ++i) {
            TListItem* it = lv->Items().Add();
            it->SetCaption("item" + std::to_string(i));
            it->SubItems().Add(std::to_string(i * 10));
        }
        lv->Items().EndUpdate();
    }
    SCROLLINFO Info(int bar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(lv->Handle(), bar, si);
        return si;
    }
    TPoint OnHeader(int x) {
        TRect r;
        GetWindowRect(lv->HeaderHandle(), r);
        return {r.Left + x, r.Top + 3};
    }

    TForm* form = nullptr;
    TListView* lv = nullptr;
    MessageSpy spy;
};

TEST_F(ListViewTest, ReportHeaderIsAChildWindowHostsCanSubclass) {
    Report(5);
    HWND header = lv->HeaderHandle();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(GetClassName(header), "SysHeader32");
    EXPECT_EQ(GetParent(header), lv->Handle());
    bool created = false;
    for (const auto& e : spy.Of(lv->Handle(), WM_PARENTNOTIFY))
        created |= LoWord(e.wParam) == WM_CREATE && reinterpret_cast<HWND>(e.lParam) == header;
    EXPECT_TRUE(created) << "the header's creation reaches the list view";
    int painted = 0;
    WNDPROC old;
    old = SetWindowProc(header, MakeWndProc([&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                            if (m == WM_PAINT) ++painted;
                            return CallWindowProc(old, h, m, w, l);
                        }));
    InvalidateRect(header, nullptr, TRUE);
    Pump();
    EXPECT_GT(painted, 0);
    TRect r;
    SendMessage(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Left, 100);
    EXPECT_EQ(r.Right, 200);
    struct {
        int x;
        UINT flags;
        int item;
    } hits[] = {{50, HHT_ONHEADER, 0},  {99, HHT_ONDIVIDER, 0},  {102, HHT_ONDIVIDER, 0},
                {150, HHT_ONHEADER, 1}, {298, HHT_ONDIVIDER, 2}, {350, HHT_NOWHERE, -1}};
    for (const auto& h : hits) {
        HDHITTESTINFO info;
        info.pt = {h.x, 3};
        SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.flags, h.flags) << h.x;
        EXPECT_EQ(info.iItem, h.item) << h.x;
    }
    SetWindowProc(header, old);
}

TEST_F(ListViewTest, HeaderDividerDragResizesAndItemDragReorders) {
    Report(3);
    hb->ButtonDown(RawButton::Left, OnHeader(100));
    hb->MouseMove(OnHeader(140));
    hb->ButtonUp(RawButton::Left, OnHeader(140));
    Pump();
    EXPECT_EQ(lv->Columns().Items(0)->Width(), 140);
    EXPECT_EQ(Info(SB_HORZ).nMax, 340) << "content width follows";
    hb->ButtonDown(RawButton::Left, OnHeader(20));
    hb->MouseMove(OnHeader(200));
    hb->ButtonUp(RawButton::Left, OnHeader(200));
    Pump();
    EXPECT_EQ(lv->ColumnOrder(), (std::vector<int>{1, 0, 2}));
    lv->FullDrag = false;
    hb->ButtonDown(RawButton::Left, OnHeader(20));
    hb->MouseMove(OnHeader(320));
    hb->ButtonUp(RawButton::Left, OnHeader(320));
    Pump();
    EXPECT_EQ(lv->ColumnOrder(), (std::vector<int>{1, 0, 2})) << "the owner refused the move";
    lv->SetColumnOrder({2, 1, 0});
    EXPECT_EQ(lv->ColumnOrder(), (std::vector<int>{2, 1, 0}));
    lv->SetColumnOrder({0, 0, 1});
    EXPECT_EQ(lv->ColumnOrder(), (std::vector<int>{2, 1, 0})) << "not a permutation: refused";
}

TEST_F(ListViewTest, ScrollStatePerViewStyle) {
    Report(40);
    const int rows = lv->CountPerPage();
    EXPECT_EQ(rows, (200 - lv->HeaderHeight()) / lv->RowHeight());
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETCOUNTPERPAGE, 0, 0), rows);
    SCROLLINFO v = Info(SB_VERT), h = Info(SB_HORZ);
    EXPECT_EQ(v.nMax, 39);
    EXPECT_EQ(v.nPage, static_cast<UINT>(rows));
    EXPECT_EQ(h.nMax, 300);
    SendMessage(lv->Handle(), LVM_SCROLL, 0, lv->RowHeight() * 3);
    EXPECT_EQ(Info(SB_VERT).nPos, 3);
    EXPECT_EQ(lv->TopItem()->Index(), 3);
    TRect r;
    SendMessage(lv->Handle(), LVM_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Top, lv->HeaderHeight() + lv->RowHeight());
    SendMessage(lv->Handle(), WM_VSCROLL, MakeScrollWParam(SB_BOTTOM, 0), 0);
    EXPECT_EQ(Info(SB_VERT).nPos, 40 - rows);

    lv->SetViewStyle(vsList);
    for (int i = 40; i < 200; ++i)
        lv->Items().Add()->SetCaption("item" + std::to_string(i));
    EXPECT_EQ(lv->HeaderHandle(), nullptr);
    h = Info(SB_HORZ);
    const int perColumn = 200 / lv->RowHeight();
    const int columns = (200 + perColumn - 1) / perColumn;
    EXPECT_EQ(h.nMax, columns - 1);
    const int first = lv->TopItem()->Index();
    SendMessage(lv->Handle(), WM_HSCROLL, MakeScrollWParam(SB_LINERIGHT, 0), 0);
    EXPECT_EQ(lv->TopItem()->Index(), first + perColumn) << "one column per line";
    SendMessage(lv->Handle(), WM_HSCROLL, MakeScrollWParam(SB_LINELEFT, 0), 0);
    EXPECT_EQ(lv->TopItem()->Index(), first);

    lv->SetViewStyle(vsIcon);
    v = Info(SB_VERT);
    EXPECT_EQ(v.nPage, static_cast<UINT>(lv->ClientHeight()));
    EXPECT_GT(v.nMax, lv->ClientHeight()) << "content extent in pixels";
}

TEST_F(ListViewTest, OwnerDataFetchesOnDemandAndFinds) {
    lv->SetViewStyle(vsReport);
    lv->Columns().Add()->SetWidth(120);
    lv->SetOwnerData(true);
    int fetched = 0;
    lv->OnData = [&](TObject*, TListItem* item) {
        ++fetched;
        item->SetCaption("row " + std::to_string(item->Index()));
        item->SubItems().Add("sub");
    };
    lv->OnDataFind = [](TObject*, const String& text, int start, int& index) {
        index = text.rfind("row ", 0) == 0 ? std::max(start, std::stoi(text.substr(4))) : -1;
    };
    lv->Items().SetCount(100000);
    EXPECT_EQ(lv->Items().Count(), 100000);
    EXPECT_EQ(lv->Items().Item(99999)->Caption(), "row 99999");
    EXPECT_EQ(lv->Items().Item(5)->SubItems().Strings(0), "sub");
    EXPECT_EQ(lv->FindCaption(0, "row 42", false), 42);
    EXPECT_EQ(lv->Items().Add(), nullptr) << "owner data has no items of its own";
    fetched = 0;
    Pump();
    EXPECT_LT(fetched, 200) << "painting fetches the rows on screen only";
    lv->Items().Item(7)->SetSelected(true);
    EXPECT_EQ(lv->SelCount(), 1);
    EXPECT_EQ(lv->Selected()->Index(), 7);
}

TEST_F(ListViewTest, KeyboardAndMouseSelection) {
    Report(30);
    int notices = 0;
    lv->OnSelectItem = [&](TObject*, TListItem*, bool selected) { notices += selected; };
    const TRect r = lv->ItemRect(2);
    hb->Click(RawButton::Left, {100 + 10 + 20, 100 + 10 + r.Top + 2});
    Pump();
    ASSERT_NE(lv->Selected(), nullptr);
    EXPECT_EQ(lv->Selected()->Index(), 2);
    EXPECT_TRUE(lv->Focused());
    TypeKeys(hb, "{Down}{Down}{End}");
    Pump();
    EXPECT_EQ(lv->Selected()->Index(), 29);
    EXPECT_EQ(lv->SelCount(), 1);
    EXPECT_EQ(lv->TopItem()->Index(), 30 - lv->CountPerPage()) << "the focused item is scrolled into view";
    EXPECT_EQ(notices, 4);
}

TEST_F(ListViewTest, PixelsOfTheSelectedRowUnderTheHeader) {
    Report(5);
    lv->SetFocus();
    lv->SetSelected(lv->Items().Item(2));
    Pump();
    const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
    auto count = [&](int index) {
        const TRect r = lv->ItemRect(index);
        int n = 0;
        for (int x = r.Left; x < r.Left + 100; ++x)
            for (int y = r.Top; y < r.Bottom; ++y)
                n += GetWindowPixel(form->Handle(), 10 + x, 10 + y) == hl;
        return n;
    };
    EXPECT_GT(count(2), 100) << "the caption cell of the selected row";
    EXPECT_EQ(count(1), 0);
    EXPECT_EQ(GetWindowPixel(form->Handle(), 10 + 50, 10 + 2), GetSysColor(COLOR_BTNFACE))
        << "the header on top";
}

TEST_F(ListViewTest, LabelEditingAndImageLists) {
    Report(3);
    lv->SetFocus();
    lv->SetSelected(lv->Items().Item(1));
    lv->OnEdited = [](TObject*, TListItem*, String& s) { s = "[" + s + "]"; };
    TypeKeys(hb, "{F2}");
    Pump();
    ASSERT_TRUE(lv->IsEditing());
    TypeKeys(hb, "renamed{Enter}");
    Pump();
    EXPECT_FALSE(lv->IsEditing());
    EXPECT_EQ(lv->Items().Item(1)->Caption(), "[renamed]");
    TImageList small(nullptr), large(nullptr);
    EXPECT_EQ(
        SendMessage(lv->Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small.Handle())),
        0);
    SendMessage(lv->Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large.Handle()));
    EXPECT_EQ(lv->SmallImages(), &small);
    EXPECT_EQ(lv->LargeImages(), &large);
    lv->SetSmallImages(nullptr);
    lv->SetLargeImages(nullptr);
}

} // namespace
} // namespace vd::test
