#include "skin/controls/SkinTreeView.h"
#include "SkinFixture.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinStrings.h"

namespace vd::test {
namespace {

class SkinTreeViews : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        Tree = new TskSkinTreeView(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(10, 10, 150, 100);
        VBar = new TskSkinScrollBar(Form);
        VBar->SetKind(sbVertical);
        VBar->SetParent(Form);
        VBar->SetBounds(160, 10, 19, 100);
        HBar = new TskSkinScrollBar(Form);
        HBar->SetParent(Form);
        HBar->SetBounds(10, 110, 150, 19);
        Show();
    }
    void Attach() {
        Tree->SetVScrollBar(VBar);
        Tree->SetHScrollBar(HBar);
        Pump();
    }
    void AddRoots(int n, const String& text = "node") {
        Tree->Items().BeginUpdate();
        for (int i = 0; i < n; ++i)
            Tree->Items().Add(nullptr, text);
        Tree->Items().EndUpdate();
        Pump();
    }
    TskSkinTreeView* Tree = nullptr;
    TskSkinScrollBar* VBar = nullptr;
    TskSkinScrollBar* HBar = nullptr;
};

TEST_F(SkinTreeViews, NoBorderAndNoNativeBars) {
    const DWord style = static_cast<DWord>(GetWindowLong(Tree->Handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), 0u);
    EXPECT_EQ(GetClientRect(Tree->Handle()), (TRect{0, 0, 150, 100})) << "the whole window is client area";
}

TEST_F(SkinTreeViews, VerticalBarShowsOnceTheRowsOverflow) {
    Attach();
    const int page = Tree->VisibleCount();
    ASSERT_GT(page, 2);
    AddRoots(page - 1);
    EXPECT_FALSE(VBar->Visible()) << "everything fits";
    AddRoots(3);
    ASSERT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->PageSize(), page);
    EXPECT_EQ(VBar->Max(), page + 1) << "rows - 1";
    EXPECT_EQ(VBar->Min(), 0);
    EXPECT_FALSE(HBar->Visible()) << "short rows";
}

TEST_F(SkinTreeViews, BothLookFollowsTheVerticalBar) {
    Attach();
    TTreeNode* parent = Tree->Items().Add(nullptr, "a rather long node text that is wider than the tree");
    Tree->Items().BeginUpdate();
    for (int i = 0; i < 20; ++i)
        Tree->Items().AddChild(parent, "child");
    Tree->Items().EndUpdate();
    parent->Expand(false);
    Pump();
    EXPECT_TRUE(VBar->Visible());
    EXPECT_TRUE(HBar->Visible());
    EXPECT_TRUE(HBar->Both()) << "the horizontal bar leaves the corner free";
    parent->Collapse(false);
    Pump();
    EXPECT_FALSE(VBar->Visible());
    EXPECT_TRUE(HBar->Visible());
    EXPECT_FALSE(HBar->Both());
}

TEST_F(SkinTreeViews, HidingTheTreeHidesItsBars) {
    Attach();
    AddRoots(40);
    ASSERT_TRUE(VBar->Visible());
    ASSERT_FALSE(HBar->Visible());
    Tree->Hide();
    EXPECT_FALSE(VBar->Visible());
    EXPECT_FALSE(HBar->Visible());
    Tree->Show();
    EXPECT_TRUE(VBar->Visible());
    EXPECT_TRUE(HBar->Visible()) << "shown with the tree";
    Pump();
    EXPECT_TRUE(VBar->Visible());
    EXPECT_FALSE(HBar->Visible()) << "the next update hides the bar that is not needed";
}

TEST_F(SkinTreeViews, AttachingABarTakesItsChangeHandler) {
    int others = 0;
    VBar->OnChange = [&](TObject*) { ++others; };
    VBar->SetVisible(true);
    VBar->SetEnabled(false);
    Attach();
    EXPECT_TRUE(VBar->Enabled());
    EXPECT_FALSE(VBar->Visible());
    AddRoots(40);
    VBar->SetPosition(5);
    Pump();
    EXPECT_EQ(others, 0) << "the earlier handler is replaced";
    EXPECT_EQ(Tree->TopItem(), Tree->Items().Root(5));
}

TEST_F(SkinTreeViews, BarAndTreeMoveTogether) {
    Attach();
    AddRoots(40);
    HWND tree = Tree->Handle();
    VBar->SetPosition(7);
    Pump();
    EXPECT_EQ(GetScrollPos(tree, SB_VERT), 7);
    EXPECT_EQ(Tree->TopItem(), Tree->Items().Root(7));
    // Keys scroll the tree; the bar follows.
    Tree->SetSelected(Tree->Items().Root(7));
    Tree->SetFocus();
    hb->KeyDown(VK_END);
    hb->KeyUp(VK_END);
    Pump();
    EXPECT_EQ(VBar->Position(), GetScrollPos(tree, SB_VERT));
    EXPECT_EQ(VBar->Position(), 40 - Tree->VisibleCount());
}

// Positions above 65535 travel whole from the bar to the tree.
TEST_F(SkinTreeViews, LargePositionsAreNotCutTo16Bits) {
    Attach();
    AddRoots(70010, "n");
    ASSERT_TRUE(VBar->Visible());
    VBar->SetPosition(69000);
    Pump();
    EXPECT_EQ(GetScrollPos(Tree->Handle(), SB_VERT), 69000);
    EXPECT_EQ(Tree->TopItem(), Tree->Items().Root(69000));
}

TEST_F(SkinTreeViews, SkinColoursAndFontAndBackToTheDefaults) {
    Tree->SetDefaultColor(clInfoBk);
    EXPECT_EQ(Tree->Color(), clInfoBk) << "unskinned: the default colour at once";
    TFont def;
    def.SetName("Tahoma");
    def.SetHeight(11);
    def.SetCharset(161);
    Tree->SetDefaultFont(def);
    EXPECT_EQ(Tree->Font().Name(), "Tahoma");
    Tree->SetSkinData(Skin);
    EXPECT_NE(Tree->SkinIndex(), -1);
    EXPECT_EQ(Tree->Color(), kTreeBack);
    EXPECT_EQ(Tree->Font().Name(), "Verdana");
    EXPECT_EQ(Tree->Font().Height(), 20);
    EXPECT_EQ(Tree->Font().Style(), fsBold);
    EXPECT_EQ(Tree->Font().Color(), kViewText);
    EXPECT_EQ(Tree->Font().Charset(), 161) << "no string table: the default font's charset";
    EXPECT_EQ(Probe(Tree, 140, 90), kTreeBack);

    // Without the skin's font the default font is used, with the skin's colours.
    Tree->UseSkinFont = false;
    Tree->ChangeSkinData();
    EXPECT_EQ(Tree->Font().Name(), "Tahoma");
    EXPECT_EQ(Tree->Font().Color(), kViewText);

    // A string table decides the charset.
    auto* strings = new TskResourceStrData(Form);
    strings->SetCharSet(204);
    Skin->SetResourceStrData(strings);
    Tree->ChangeSkinData();
    EXPECT_EQ(Tree->Font().Charset(), 204);
    Skin->SetResourceStrData(nullptr);

    // A record of another kind leaves the colours as they are.
    Tree->SkinDataName = "button";
    Tree->ChangeSkinData();
    EXPECT_EQ(Tree->Color(), kTreeBack);

    // An empty skin: the defaults come back, charset included.
    Tree->SkinDataName = "treeview";
    Tree->ChangeSkinData();
    Skin->ClearSkin();
    ASSERT_TRUE(Skin->Empty());
    Tree->ChangeSkinData();
    EXPECT_EQ(Tree->SkinIndex(), -1);
    EXPECT_EQ(Tree->Color(), clInfoBk);
    EXPECT_EQ(Tree->Font().Name(), "Tahoma");
    EXPECT_EQ(Tree->Font().Charset(), 161);
    EXPECT_EQ(Probe(Tree, 140, 90), ColorToRGB(clInfoBk));
}

TEST_F(SkinTreeViews, FreedBarsAndSkinAreForgotten) {
    Attach();
    Tree->SetSkinData(Skin);
    VBar->Free();
    HBar->Free();
    Skin->Free();
    EXPECT_EQ(Tree->VScrollBar(), nullptr);
    EXPECT_EQ(Tree->HScrollBar(), nullptr);
    EXPECT_EQ(Tree->SkinData(), nullptr);
    AddRoots(40); // updates run without the bars
    Tree->ChangeSkinData();
    EXPECT_EQ(Tree->SkinIndex(), -1);
}

TEST_F(SkinTreeViews, AnAlignedTreeMakesRoomForItsBar) {
    Tree->SetAlign(alClient);
    VBar->SetAlign(alRight);
    Attach();
    const int full = Tree->Width();
    EXPECT_EQ(full, Form->ClientWidth()) << "no bar: the tree takes the whole width";
    AddRoots(60);
    ASSERT_TRUE(VBar->Visible());
    EXPECT_EQ(Tree->Width(), full - VBar->Width());
}

} // namespace
} // namespace vd::test
