// The folder combo over a namespace of temporary folders, linked to a file list.
#include "../../../platform/vcl/VclFixture.h"
#include "skin/extra/shell/SkinShellComboBox.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellTreeView.h"
#include "tests/support/TempDir.h"

#include <sys/stat.h>

namespace vd::test {
namespace {

class ShellCombo : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Home = Dir.File("home");
        for (const String& d : {Home, Home + "/music", Home + "/music/live", Home + "/docs"})
            ::mkdir(d.c_str(), 0755);
        ShellEnvironment env;
        env.Home = Home;
        env.MountInfo = "27 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
        Ns = std::make_unique<TShellNamespace>(env);
        SetShellNamespace(Ns.get());
        Form = NewForm({100, 100, 500, 400});
    }
    void TearDown() override {
        VclTest::TearDown();
        SetShellNamespace(nullptr);
    }
    TskSkinShellComboBox* MakeCombo() {
        auto* c = new TskSkinShellComboBox(Form);
        c->SetParent(Form);
        c->SetBounds(0, 0, 200, 24);
        Form->Show();
        Pump();
        return c;
    }
    static std::vector<std::pair<String, int>> Rows(TskCustomShellComboBox* c) {
        std::vector<std::pair<String, int>> out;
        for (int i = 0; i < c->ItemCount(); ++i) {
            out.emplace_back(c->ItemEx(i).Caption, c->ItemEx(i).Indent);
            EXPECT_EQ(c->Items().Strings(i), c->ItemEx(i).Caption) << "strings follow the items";
        }
        return out;
    }
    ItemIdList Parse(const String& path) { return *Ns->ParseDisplayName(path); }
    TTempDir Dir;
    String Home;
    std::unique_ptr<TShellNamespace> Ns;
    TForm* Form = nullptr;
};

using RowList = std::vector<std::pair<String, int>>;

TEST_F(ShellCombo, DesktopRootHoldsItsChildrenAndTheComputers) {
    auto* c = MakeCombo();
    EXPECT_EQ(Rows(c), (RowList{{"Desktop", 0}, {"Home", 1}, {"Computer", 1}, {"File System", 2}}));
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(c->GetFolder(-1), nullptr) << "nothing chosen: no folder";
    EXPECT_EQ(c->GetFolder(99), c->GetFolder(3)) << "clipped to the last item";
    c->SetRoot(Home);
    EXPECT_EQ(Rows(c), (RowList{{"home", 0}, {"docs", 1}, {"music", 1}})) << "no computer children";
}

TEST_F(ShellCombo, ShowPathInsertsTheChainBelowTheNearestItem) {
    auto* c = MakeCombo();
    c->SelectFolder(Parse(Home + "/music/live"));
    // Absolute paths resolve through the computer: the chain hangs below "File System".
    RowList expected{{"Desktop", 0}, {"Home", 1}, {"Computer", 1}, {"File System", 2}};
    int indent = 3;
    for (const String& seg : Parse(Home + "/music/live"))
        if (seg != "computer" && seg != "/") expected.emplace_back(seg, indent++);
    EXPECT_EQ(Rows(c), expected);
    EXPECT_EQ(c->ItemIndex(), c->ItemCount() - 1);
    EXPECT_EQ(c->GetFolder(c->ItemIndex())->FileSystemPath(), Home + "/music/live");
    c->SelectFolder(DesktopItemIdList());
    EXPECT_EQ(c->ItemCount(), 4) << "back to the base items";
    EXPECT_EQ(c->ItemIndex(), 0);
    c->SetRoot(Home + "/docs");
    c->SelectFolder(Parse(Home + "/music")); // outside the root
    EXPECT_EQ(Rows(c), (RowList{{"docs", 0}}));
    EXPECT_EQ(c->ItemIndex(), 0);
}

TEST_F(ShellCombo, ChoosingMovesTheListAndTheListMovesTheCombo) {
    auto* c = MakeCombo();
    auto* l = new TskSkinFileListView(Form);
    l->SetParent(Form);
    l->SetBounds(0, 30, 200, 200);
    c->SetShellListView(l);
    c->SetItemIndex(1);
    EXPECT_EQ(l->GetPath(), Home);
    l->SetPath(Home + "/music/live");
    EXPECT_EQ(c->GetFolder(c->ItemIndex())->DisplayName(), "live");
    delete l;
    EXPECT_EQ(c->ShellListView(), nullptr);
    c->SetItemIndex(0); // nothing linked any more
    EXPECT_EQ(c->ItemIndex(), 0);
}

TEST_F(ShellCombo, TreeListAndComboMoveEachOtherOnce) {
    auto* c = MakeCombo();
    auto* t = new TskSkinDirTreeView(Form);
    t->SetParent(Form);
    t->SetBounds(0, 30, 150, 200);
    auto* l = new TskSkinFileListView(Form);
    l->SetParent(Form);
    l->SetBounds(150, 30, 200, 200);
    c->SetShellTreeView(t);
    c->SetShellListView(l);
    t->SetShellListView(l);
    Pump();
    int comboChanges = 0, listChanges = 0;
    c->OnChange = [&](TObject*) { ++comboChanges; };
    l->OnPathChange = [&](TObject*) { ++listChanges; };
    auto comboPath = [&] { return c->GetFolder(c->ItemIndex())->PathName(); };

    t->SetPath(Home + "/music");
    EXPECT_EQ(comboPath(), Home + "/music") << "the combo follows the tree";
    EXPECT_EQ(l->GetPath(), Home + "/music");
    EXPECT_EQ(listChanges, 1);
    EXPECT_EQ(comboChanges, 0) << "following the tree is no change of the user's";

    c->SetItemIndex(1); // Home
    EXPECT_EQ(t->GetPath(), Home);
    EXPECT_EQ(l->GetPath(), Home);
    EXPECT_EQ(listChanges, 2);

    l->SetPath(Home + "/docs");
    EXPECT_EQ(t->GetPath(), Home + "/docs");
    EXPECT_EQ(comboPath(), Home + "/docs");
    EXPECT_EQ(listChanges, 3);
    delete t;
    c->SetItemIndex(0); // the tree is gone; nothing dangles
    EXPECT_EQ(l->GetPath(), "Desktop");
}

TEST_F(ShellCombo, PickingAnAncestorDropsTheDeeperEntries) {
    auto* c = MakeCombo();
    c->SelectFolder(Parse(Home + "/music/live"));
    ASSERT_GT(c->ItemCount(), 4);
    // The user picks "File System" from the open list.
    c->DropDown();
    c->ListBox()->SetItemIndex(3);
    c->CloseUp(true);
    EXPECT_EQ(Rows(c), (RowList{{"Desktop", 0}, {"Home", 1}, {"Computer", 1}, {"File System", 2}}));
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(c->GetFolder(3)->FileSystemPath(), "/");
}

TEST_F(ShellCombo, TreeAndListLinkACombo) {
    auto* c = MakeCombo();
    auto* t = new TskSkinDirTreeView(Form);
    t->SetParent(Form);
    t->SetBounds(0, 30, 150, 200);
    t->SetRoot(Home);
    Pump();
    t->SetShellComboBox(c);
    EXPECT_EQ(c->ShellTreeView(), t) << "linked both ways";
    EXPECT_EQ(c->Root(), Home) << "the combo takes the tree's root";
    auto comboPath = [&] { return c->GetFolder(c->ItemIndex())->FileSystemPath(); };
    t->SetPath(Home + "/music/live");
    EXPECT_EQ(comboPath(), Home + "/music/live") << "SetPath moves the combo";
    t->SelectFolder(Parse(Home + "/docs"));
    EXPECT_EQ(comboPath(), Home + "/docs") << "SelectFolder moves the combo";
    c->SetItemIndex(0);
    EXPECT_EQ(t->GetPath(), Home) << "and the combo moves the tree";

    auto* l = new TskSkinFileListView(Form);
    l->SetParent(Form);
    l->SetBounds(150, 30, 200, 200);
    l->SetRoot(Home + "/music");
    l->SetShellComboBox(c);
    EXPECT_EQ(c->ShellListView(), l);
    EXPECT_EQ(c->Root(), Home + "/music") << "the combo takes the list's root";
    EXPECT_EQ(t->Root(), Home + "/music") << "and hands it on";
    l->SetPath(Home + "/music/live");
    EXPECT_EQ(comboPath(), Home + "/music/live");

    t->SetShellComboBox(nullptr);
    EXPECT_EQ(c->ShellTreeView(), nullptr);
    delete c;
    EXPECT_EQ(l->ShellComboBox(), nullptr) << "a freed combo leaves no link behind";
    l->SetPath(Home + "/docs");
    t->SetPath(Home + "/music");
}

} // namespace
} // namespace vd::test
