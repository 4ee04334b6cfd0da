#include "KeyScript.h"
#include "VclFixture.h"

#include "platform/vcl/ComCtrls.h"

namespace vd::test {
namespace {

class TreeViewTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = NewForm({100, 100, 500, 400});
        tree = new TTreeView(form);
        tree->SetParent(form);
        tree->SetBounds(10, 10, 200, 100);
        // r0 (a0 (g0 g1) a1 a2) r1 (...) r2 (...)
        for (int r = 0; r < 3; ++r) {
            TTreeNode* root = tree->Items().Add(nullptr, "r" + std::to_string(r));
            for (int a = 0; a < 3; ++a) {
                TTreeNode* child = tree->Items().AddChild(root, "a" + std::to_string(a));
                for (int g = 0; g < 2; ++g)
                    tree->Items().AddChild(child, "g" + std::to_string(g));
            }
        }
        tree->OnChange = [this](TObject*, TTreeNode*) { ++changes; };
        form->Show();
        Pump();
        rowH = tree->ItemHeight();
    }
    TTreeNode* Root(int i) { return tree->Items().Root(i); }
    SCROLLINFO Info(int bar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(tree->Handle(), bar, si);
        return si;
    }
    TPoint RowPoint(int row, int x) { return {100 + 10 + x, 100 + 10 + row * rowH + rowH / 2}; }

    TForm* form = nullptr;
    TTreeView* tree = nullptr;
    int changes = 0;
    int rowH = 0;
};

TEST_F(TreeViewTest, ScrollStateFollowsTheExpandedWalk) {
    EXPECT_EQ(Info(SB_VERT).nMax, 2);
    Root(0)->Expand(false);
    EXPECT_EQ(Info(SB_VERT).nMax, 5);
    Root(0)->Item(0)->Expand(false);
    EXPECT_EQ(Info(SB_VERT).nMax, 7);
    Root(0)->Collapse(false);
    EXPECT_EQ(Info(SB_VERT).nMax, 2) << "children of a collapsed node have no rows";
    tree->FullExpand();
    EXPECT_EQ(Info(SB_VERT).nMax, 3 * (1 + 3 * 3) - 1);
    const int page = 100 / rowH;
    EXPECT_EQ(Info(SB_VERT).nPage, static_cast<UINT>(page));
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETVISIBLECOUNT, 0, 0), page);
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETCOUNT, 0, 0), 30);
    struct {
        int code, pos, top;
    } cases[] = {{SB_LINEDOWN, 0, 1},        {SB_PAGEDOWN, 0, 1 + page}, {SB_LINEUP, 0, page},
                 {SB_THUMBPOSITION, 12, 12}, {SB_BOTTOM, 0, 30 - page},  {SB_TOP, 0, 0}};
    for (const auto& c : cases) {
        SendMessage(tree->Handle(), WM_VSCROLL, MakeScrollWParam(c.code, c.pos), 0);
        EXPECT_EQ(Info(SB_VERT).nPos, c.top) << c.code;
        EXPECT_EQ(tree->TopItem(), tree->Rows()[static_cast<std::size_t>(c.top)]);
    }
    const SCROLLINFO h = Info(SB_HORZ);
    EXPECT_EQ(h.nPage, static_cast<UINT>(std::min(tree->ClientWidth(), h.nMax + 1)))
        << "client width, within the range";
    EXPECT_GT(h.nMax, 2 * tree->Indent) << "the widest row in pixels";
}

TEST_F(TreeViewTest, ChildrenFilledOnTheFirstExpandAndVetoes) {
    TTreeNode* lazy = tree->Items().Add(nullptr, "lazy");
    lazy->SetHasChildren(true);
    TTreeNode* empty = tree->Items().Add(nullptr, "empty");
    empty->SetHasChildren(true);
    int fills = 0;
    bool veto = false;
    tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        allow = !veto;
        if (node == lazy && node->Count() == 0 && allow) {
            ++fills;
            tree->Items().AddChild(node, "x");
        }
    };
    veto = true;
    lazy->Expand(false);
    EXPECT_FALSE(lazy->Expanded());
    veto = false;
    lazy->Expand(false);
    lazy->Collapse(false);
    lazy->Expand(false);
    EXPECT_EQ(fills, 1);
    EXPECT_TRUE(lazy->Expanded());
    empty->Expand(false);
    EXPECT_FALSE(empty->Expanded());
    EXPECT_FALSE(empty->HasChildren()) << "nothing came: the button goes";
}

TEST_F(TreeViewTest, KeyboardNavigation) {
    tree->SetFocus();
    tree->SetSelected(Root(0));
    changes = 0;
    struct {
        const char* keys;
        const char* selected;
        bool expanded; // of the root r0
    } cases[] = {
        {"{Down}", "r1", false}, {"{Up}{Right}", "r0", true}, {"{Right}", "a0", true}, {"{Left}", "r0", true},
        {"{Left}", "r0", false}, {"{End}", "r2", false},      {"{Home}", "r0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        TypeKeys(hb, c.keys);
        Pump();
        ASSERT_NE(tree->Selected(), nullptr);
        EXPECT_EQ(tree->Selected()->Text(), c.selected);
        EXPECT_EQ(Root(0)->Expanded(), c.expanded);
    }
    hb->KeyPress(VK_MULTIPLY, '*');
    Pump();
    EXPECT_TRUE(Root(0)->Item(2)->Expanded()) << "* expands the whole branch";
    hb->KeyPress(VK_SUBTRACT, '-');
    Pump();
    EXPECT_FALSE(Root(0)->Expanded());
    EXPECT_GT(changes, 5);
}

TEST_F(TreeViewTest, SelectionChangeCanBeVetoedAndSurvivesDeletion) {
    tree->OnChanging = [](TObject*, TTreeNode* node, bool& allow) {
        allow = node == nullptr || node->Text() != "r2";
    };
    tree->SetSelected(Root(2));
    EXPECT_EQ(tree->Selected(), nullptr);
    Root(1)->Expand(false);
    tree->SetSelected(Root(1)->Item(1)->Item(0)); // makes it visible: expands a1
    EXPECT_TRUE(Root(1)->Item(1)->Expanded());
    std::vector<String> deleted;
    tree->OnDeletion = [&](TObject*, TTreeNode* n) { deleted.push_back(n->Text()); };
    changes = 0;
    Root(1)->Item(1)->Delete();
    EXPECT_EQ(tree->Selected(), nullptr) << "deleting the selection's ancestor clears it";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(deleted, (std::vector<String>{"a1", "g0", "g1"}));
    Root(1)->Collapse(false);
    tree->SetSelected(Root(0)->Item(0));
    Root(0)->Collapse(false);
    EXPECT_EQ(tree->Selected(), Root(0)) << "collapsing over the selection moves it to the node";
}

TEST_F(TreeViewTest, MouseSelectsTogglesOnTheButtonAndOnDoubleClick) {
    hb->Click(RawButton::Left, RowPoint(1, tree->Indent + 10));
    Pump();
    EXPECT_EQ(tree->Selected(), Root(1));
    EXPECT_FALSE(Root(1)->Expanded());
    hb->Advance(1000);
    hb->Click(RawButton::Left, RowPoint(0, tree->Indent / 2));
    Pump();
    EXPECT_TRUE(Root(0)->Expanded()) << "the button expands";
    EXPECT_EQ(tree->Selected(), Root(1));
    hb->Advance(1000);
    hb->Click(RawButton::Left, RowPoint(4, tree->Indent + 10));
    hb->Click(RawButton::Left, RowPoint(4, tree->Indent + 10));
    Pump();
    EXPECT_EQ(tree->Selected(), Root(1));
    EXPECT_TRUE(Root(1)->Expanded()) << "a double click toggles";
}

TEST_F(TreeViewTest, SortingChildrenAndRoots) {
    TTreeNode* r = Root(0);
    r->Item(0)->SetText("b");
    r->Item(1)->SetText("C");
    r->Item(2)->SetText("a");
    r->AlphaSort();
    EXPECT_EQ(r->Item(0)->Text() + r->Item(1)->Text() + r->Item(2)->Text(), "abC");
    r->CustomSort([](TTreeNode* a, TTreeNode* b) { return b->Text().compare(a->Text()); });
    EXPECT_EQ(r->Item(0)->Text(), "b");
    tree->CustomSort([](TTreeNode* a, TTreeNode* b) { return b->Text().compare(a->Text()); }, false);
    EXPECT_EQ(Root(0)->Text(), "r2");
    EXPECT_EQ(Root(0)->Parent(), nullptr);
}

TEST_F(TreeViewTest, LabelEditingCommitsCancelsAndCanBeRefused) {
    tree->SetFocus();
    tree->SetSelected(Root(0));
    bool allow = false;
    tree->OnEditing = [&](TObject*, TTreeNode*, bool& ok) { ok = allow; };
    tree->OnEdited = [](TObject*, TTreeNode*, String& s) { s += "!"; };
    TypeKeys(hb, "{F2}");
    Pump();
    EXPECT_FALSE(tree->IsEditing());
    allow = true;
    TypeKeys(hb, "{F2}");
    Pump();
    ASSERT_TRUE(tree->IsEditing());
    EXPECT_TRUE(tree->EditControl()->Focused());
    EXPECT_EQ(tree->EditControl()->SelText(), "r0");
    TypeKeys(hb, "new");
    Pump();
    EXPECT_EQ(tree->EditControl()->Text(), "new");
    TypeKeys(hb, "{Enter}");
    Pump();
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(Root(0)->Text(), "new!");
    EXPECT_TRUE(tree->Focused());
    TypeKeys(hb, "{F2}zzz{Esc}");
    Pump();
    EXPECT_EQ(Root(0)->Text(), "new!");
    EXPECT_TRUE(Root(0)->EditText());
    Root(0)->Delete();
    EXPECT_FALSE(tree->IsEditing()) << "deleting the edited node ends the edit";
    Pump();
}

TEST_F(TreeViewTest, PixelsOfSelectionAndButtons) {
    tree->SetSelected(Root(1));
    tree->SetFocus();
    Pump();
    const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
    auto countRow = [&](int row, COLORREF c) {
        int n = 0;
        for (int x = 0; x < 200; ++x)
            for (int y = row * rowH; y < (row + 1) * rowH; ++y)
                n += GetWindowPixel(form->Handle(), 10 + x, 10 + y) == c;
        return n;
    };
    EXPECT_GT(countRow(1, hl), 20) << "the selected label is highlighted while focused";
    EXPECT_EQ(countRow(0, hl), 0);
    EXPECT_GT(countRow(0, GetSysColor(COLOR_WINDOWTEXT)), 3) << "a collapsed node's button";
    form->SetFocus();
    Pump();
    EXPECT_EQ(countRow(1, hl), 0) << "HideSelection: nothing without the focus";
    tree->HideSelection = false;
    tree->Invalidate();
    Pump();
    EXPECT_GT(countRow(1, hl), 20);
}

TEST_F(TreeViewTest, LinesJoinSiblingsAndStopAtTheLast) {
    Root(0)->Expand(false);
    Pump();
    const COLORREF ink = GetSysColor(COLOR_GRAYTEXT);
    // The column of r0's children: a1 (row 2) has a sibling below, a2 (row 3) none.
    const int cx = 10 + 2 * tree->Indent - tree->Indent / 2;
    // Below the expand button's box (which reaches 4 pixels under the middle of the row).
    auto inkIn = [&](int row, bool) {
        int n = 0;
        for (int y = row * rowH + rowH / 2 + 6; y < (row + 1) * rowH; ++y)
            n += GetWindowPixel(form->Handle(), cx, 10 + y) == ink;
        return n;
    };
    EXPECT_GT(inkIn(2, true), 0) << "a line runs on to the next sibling";
    EXPECT_EQ(inkIn(3, true), 0) << "the last child's line stops at its row";
    tree->ShowLines = false;
    tree->Invalidate();
    Pump();
    EXPECT_EQ(inkIn(2, true), 0);
}

TEST_F(TreeViewTest, ImageListsBindThroughTheirHandle) {
    TImageList normal(nullptr), state(nullptr);
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                          reinterpret_cast<LPARAM>(normal.Handle())),
              0);
    EXPECT_EQ(tree->Images(), &normal);
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, 0),
              reinterpret_cast<LRESULT>(normal.Handle()));
    SendMessage(tree->Handle(), TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(state.Handle()));
    EXPECT_EQ(tree->StateImages(), &state);
    EXPECT_EQ(tree->Images(), nullptr);
    tree->SetStateImages(nullptr);
}

// One list may serve both roles: letting go of one must keep the other following the list.
TEST_F(TreeViewTest, AnImageListInBothRolesIsFollowedUntilBothLetGo) {
    auto* shared = new TImageList(nullptr);
    tree->SetImages(shared);
    tree->SetStateImages(shared);
    tree->SetImages(nullptr);
    shared->Free();
    EXPECT_EQ(tree->StateImages(), nullptr);
}

} // namespace
} // namespace vd::test
