// The folder tree and the file list on temporary folder trees, on the headless window system.
#include "../../../platform/vcl/VclFixture.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringList.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellMenu.h"
#include "skin/extra/shell/SkinShellTreeView.h"
#include "tests/support/TempDir.h"

#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace vd::test {
namespace {

class ShellViews : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Home = Dir.File("home");
        Tree = Dir.File("tree");
        for (const String& d :
             {Home, Tree, Tree + "/b", Tree + "/A", Tree + "/b/inner", Tree + "/empty", Tree + "/x.zip"})
            ::mkdir(d.c_str(), 0755);
        for (const char* f : {"a.txt", "B.LOG", "c.dat", "noext", "real.zip"})
            Dir.Write(String("tree/") + f, "12345");
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
    TskSkinDirTreeView* MakeTree() {
        auto* t = new TskSkinDirTreeView(Form);
        t->SetParent(Form);
        t->SetBounds(0, 0, 200, 300);
        Form->Show();
        Pump();
        return t;
    }
    TskSkinFileListView* MakeList(TViewStyle style = vsList) {
        auto* l = new TskSkinFileListView(Form);
        l->SetParent(Form);
        l->SetBounds(200, 0, 200, 300);
        l->SetViewStyle(style);
        Form->Show();
        Pump();
        return l;
    }
    static std::vector<String> Names(TskCustomShellListView* l) {
        std::vector<String> out;
        for (int i = 0; i < l->Items().Count(); ++i)
            out.push_back(l->Items().Item(i)->Caption());
        return out;
    }
    static std::vector<String> Children(TTreeNode* n) {
        std::vector<String> out;
        for (int i = 0; i < n->Count(); ++i)
            out.push_back(n->Item(i)->Text());
        return out;
    }
    TTempDir Dir;
    String Home, Tree;
    std::unique_ptr<TShellNamespace> Ns;
    TForm* Form = nullptr;
};

TEST_F(ShellViews, TreeFillsFoldersOnTheirFirstExpand) {
    auto* t = MakeTree();
    TTreeNode* top = t->Items().GetFirstNode();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->Text(), "Desktop");
    EXPECT_EQ(t->Selected(), top);
    EXPECT_EQ(Children(top), (std::vector<String>{"Home", "Computer"}));
    TTreeNode* computer = top->Item(1);
    EXPECT_TRUE(computer->HasChildren());
    EXPECT_EQ(computer->Count(), 0) << "not read before it is opened";
    computer->Expand(false);
    EXPECT_EQ(Children(computer), (std::vector<String>{"File System"}));
    EXPECT_EQ(t->GetPath(), "Desktop");
}

TEST_F(ShellViews, TreeSetPathSelectsAndExpandsTheChain) {
    auto* t = MakeTree();
    t->SetPath(Tree + "/b");
    ASSERT_NE(t->Selected(), nullptr);
    EXPECT_EQ(t->Selected()->Text(), "b");
    EXPECT_EQ(t->GetPath(), Tree + "/b");
    EXPECT_TRUE(t->Selected()->Expanded());
    EXPECT_EQ(Children(t->Selected()->Parent()), (std::vector<String>{"A", "b", "empty", "x.zip"}))
        << "folders only, in name order";
    TTreeNode* empty = t->Selected()->Parent()->Item(2);
    EXPECT_TRUE(empty->HasChildren() == false) << "an empty folder has no mark";
    EXPECT_THROW(t->SetPath("not a path"), EInvalidPath);
    EXPECT_THROW(t->SetPath(Tree + "/missing"), EInvalidPath);
    EXPECT_EQ(t->GetPath(), Tree + "/b");
}

TEST_F(ShellViews, TreeRootChanges) {
    auto* t = MakeTree();
    t->SetRoot(Tree);
    EXPECT_EQ(t->Items().GetFirstNode()->Text(), "tree");
    TskShellFolder* root = t->RootFolder();
    t->SetRoot(Tree); // the same
    EXPECT_EQ(t->RootFolder(), root);
    t->SetRoot("RFDESKTOP");
    EXPECT_EQ(t->Items().GetFirstNode()->Text(), "Desktop");
    t->SetRoot("rfdesktop"); // same name, other letters: nothing
    EXPECT_EQ(t->Root(), "RFDESKTOP");
    try {
        t->SetRoot("nonsense");
        ADD_FAILURE() << "a bad root was taken";
    } catch (const EInvalidPath& e) {
        EXPECT_EQ(e.Message(), "Error setting path: \"nonsense\"");
    }
    EXPECT_EQ(t->Root(), "RFDESKTOP");
    EXPECT_EQ(t->Items().GetFirstNode()->Text(), "Desktop") << "the previous root stays";
}

TEST_F(ShellViews, TreeRefreshKeepsWhatWasOpenAndSelected) {
    auto* t = MakeTree();
    t->SetPath(Tree + "/b/inner");
    TTreeNode* treeNode = t->Selected()->Parent()->Parent();
    ASSERT_EQ(treeNode->Text(), "tree");
    ::mkdir((Tree + "/new").c_str(), 0755);
    t->RefreshNode(treeNode);
    EXPECT_EQ(Children(treeNode), (std::vector<String>{"A", "b", "empty", "new", "x.zip"}));
    ASSERT_NE(t->Selected(), nullptr);
    EXPECT_EQ(t->GetPath(), Tree + "/b/inner");
    EXPECT_TRUE(t->Selected()->Parent()->Expanded());
}

TEST_F(ShellViews, TreeDeleteCompletionRemovesOnlyWhatIsGone) {
    auto* t = MakeTree();
    t->SetPath(Tree + "/empty");
    t->CommandCompleted("delete", true); // the folder is still there
    ASSERT_NE(t->Selected(), nullptr);
    EXPECT_EQ(t->GetPath(), Tree + "/empty");
    ::rmdir((Tree + "/empty").c_str());
    t->CommandCompleted("delete", true);
    EXPECT_EQ(Children(t->Items().GetFirstNode()->Item(1)->Item(0)->Item(0)).size(), 0u);
    t->SetPath(Tree);
    EXPECT_EQ(Children(t->Selected()), (std::vector<String>{"A", "b", "x.zip"}));
}

TEST_F(ShellViews, TreeRenameByLabelEditing) {
    auto* t = MakeTree();
    t->SetPath(Tree + "/A");
    bool handled = false;
    t->ExecuteCommand("rename", handled);
    ASSERT_TRUE(handled);
    ASSERT_TRUE(t->IsEditing());
    t->EditControl()->SetText("Alpha");
    t->EndEdit(false);
    EXPECT_EQ(t->Selected()->Text(), "Alpha");
    EXPECT_TRUE(DirectoryExists(Tree + "/Alpha"));
    t->StartEdit(t->Selected());
    t->EditControl()->SetText("b"); // taken: refused
    t->EndEdit(false);
    EXPECT_EQ(t->Selected()->Text(), "Alpha");
    EXPECT_TRUE(DirectoryExists(Tree + "/Alpha"));
}

TEST_F(ShellViews, UserTreeHandlersRunBesideTheTreesOwn) {
    auto* t = MakeTree();
    std::vector<String> edited, deleted;
    t->OnEdited = [&](TObject*, TTreeNode*, String& text) {
        edited.push_back(text);
        text += "2";
    };
    t->OnDeletion = [&](TObject*, TTreeNode* n) {
        // The node's item is still there for the handler.
        if (TskShellFolder* f = TskCustomShellTreeView::FolderOf(n)) deleted.push_back(f->DisplayName());
    };
    t->SetPath(Tree + "/A");
    ASSERT_TRUE(t->StartEdit(t->Selected()));
    t->EditControl()->SetText("Alpha");
    t->EndEdit(false);
    EXPECT_EQ(edited, std::vector<String>{"Alpha"});
    EXPECT_TRUE(DirectoryExists(Tree + "/Alpha2")) << "renamed to the handler's text";
    EXPECT_EQ(t->Selected()->Text(), "Alpha2");
    t->SetPath(Tree + "/b");
    ASSERT_EQ(Children(t->Selected()), std::vector<String>{"inner"});
    t->Refresh();
    EXPECT_EQ(deleted, std::vector<String>{"inner"});
    t->OnDeletion = nullptr; // the form's teardown outlives this test's locals
    t->OnEdited = nullptr;
}

TEST_F(ShellViews, UserListHandlersRunBesideTheListsOwn) {
    auto* l = MakeList();
    std::vector<String> fetched;
    std::vector<int> found;
    l->OnData = [&](TObject*, TListItem* item) { fetched.push_back(item->Caption()); };
    l->OnDataFind = [&](TObject*, const String&, int, int& index) { found.push_back(index); };
    l->OnEdited = [&](TObject*, TListItem*, String& text) { text = "z.txt"; };
    l->SetPath(Tree);
    l->SetMask("*.txt");
    EXPECT_EQ(Names(l), (std::vector<String>{"A", "b", "empty", "x.zip", "a.txt"}));
    EXPECT_FALSE(fetched.empty());
    EXPECT_EQ(fetched.back(), "a.txt") << "the user's OnData sees the row the list filled";
    EXPECT_EQ(l->FindCaption(0, "a.", true), 4);
    EXPECT_EQ(found, std::vector<int>{4}) << "the user's OnDataFind sees the list's answer";
    l->SetSelected(l->Items().Item(4));
    ASSERT_TRUE(l->StartEdit(l->Selected()));
    l->EditControl()->SetText("y.txt");
    l->EndEdit(false);
    EXPECT_TRUE(FileExists(Tree + "/z.txt")) << "renamed to the handler's text";
    EXPECT_FALSE(FileExists(Tree + "/a.txt"));
    l->OnData = nullptr; // the form's teardown outlives this test's locals
    l->OnDataFind = nullptr;
}

TEST_F(ShellViews, ListUnsortedKeepsTheFoldersOwnOrderAndRefreshReportsThePath) {
    auto* l = MakeList();
    l->SetPath(Tree);
    std::vector<String> raw;
    ASSERT_TRUE(Ns->Enumerate(*Ns->ParseDisplayName(Tree), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, raw));
    const std::vector<String> sorted = Names(l);
    l->SetSorted(false);
    EXPECT_EQ(Names(l), raw);
    if (raw == sorted) std::cout << "note: this file system lists the folder in sorted order\n";
    l->SetSorted(true);
    EXPECT_EQ(Names(l), sorted);
    int changes = 0;
    l->OnPathChange = [&](TObject*) { ++changes; };
    l->Refresh();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(l->GetPath(), Tree);
}

TEST_F(ShellViews, ListMasksAndOrder) {
    auto* l = MakeList();
    l->SetPath(Tree);
    struct Case {
        const char* Mask;
        std::vector<String> Files;
    };
    const Case cases[] = {
        {"*.txt;*.log", {"a.txt", "B.LOG"}},
        {"*", {}},
        {"", {}},
        {"*.*", {"a.txt", "B.LOG", "c.dat", "noext", "real.zip"}},
        {"All files|*.*", {"a.txt", "B.LOG", "c.dat", "noext", "real.zip"}},
        {"Text files (*.txt)|*.TXT", {"a.txt"}},
    };
    for (const Case& c : cases) {
        l->SetMask(c.Mask);
        std::vector<String> want{"A", "b", "empty", "x.zip"};
        want.insert(want.end(), c.Files.begin(), c.Files.end());
        EXPECT_EQ(Names(l), want) << c.Mask;
    }
}

TEST_F(ShellViews, ListNavigationAndRefresh) {
    auto* l = MakeList();
    int changes = 0;
    l->OnPathChange = [&](TObject*) { ++changes; };
    l->SetPath(Tree);
    EXPECT_EQ(changes, 1);
    l->SetPath(Tree);
    EXPECT_EQ(changes, 1) << "the same folder: nothing";
    // The last row keeps its selection over a refresh.
    const int last = l->Items().Count() - 1;
    l->SetSelected(l->Items().Item(last));
    l->Refresh();
    ASSERT_NE(l->Selected(), nullptr);
    EXPECT_EQ(l->Selected()->Index(), last);
    // Enter goes into a folder (a dialog's Enter reaches the list as a key of its own), Backspace
    // back up.
    l->SetSelected(l->Items().Item(1));
    l->SetFocus();
    l->Perform(WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(l->GetPath(), Tree + "/b");
    hb->KeyDown(VK_BACK);
    hb->KeyUp(VK_BACK);
    Pump();
    EXPECT_EQ(l->GetPath(), Tree);
    // Not while a name is being edited.
    l->SetSelected(l->Items().Item(4));
    ASSERT_TRUE(l->StartEdit(l->Selected()));
    hb->KeyDown(VK_BACK);
    hb->KeyUp(VK_BACK);
    Pump();
    EXPECT_EQ(l->GetPath(), Tree);
    l->EndEdit(true);
    l->SetPath("Desktop");
    l->GoUp();
    EXPECT_EQ(l->GetPath(), "Desktop") << "nothing above the desktop";
    EXPECT_EQ(Names(l), (std::vector<String>{"Home", "Computer"}));
}

TEST_F(ShellViews, ListTypeAhead) {
    auto* l = MakeList();
    EXPECT_EQ(l->OwnerDataFind("a", 0, true), -1) << "an empty list";
    l->SetPath(Tree);
    l->SetMask("*.*");
    const int last = l->Items().Count() - 1;
    ASSERT_EQ(Names(l)[static_cast<std::size_t>(last)], "real.zip");
    EXPECT_EQ(l->OwnerDataFind("RE", 0, false), last) << "the last item is found";
    EXPECT_EQ(l->OwnerDataFind("a", 5, true), 0) << "round to the start";
    EXPECT_EQ(l->OwnerDataFind("a", 5, false), -1) << "no way round";
    EXPECT_EQ(l->OwnerDataFind("A", 3, false), 4) << "a.txt after the folder A";
    EXPECT_EQ(l->OwnerDataFind("zz", 2, true), -1);
    EXPECT_EQ(l->OwnerDataFind("b", 99, true), 1);
}

TEST_F(ShellViews, ListReportColumnsAndDetails) {
    auto* l = MakeList(vsReport);
    l->SetPath(Tree);
    EXPECT_EQ(l->Columns().Count(), 4);
    EXPECT_EQ(l->Columns().Items(1)->Caption(), "Size");
    EXPECT_EQ(l->Columns().Items(1)->Alignment(), taRightJustify);
    const int aTxt = l->OwnerDataFind("a.txt", 0, false);
    ASSERT_GE(aTxt, 0);
    TListItem* item = l->Items().Item(aTxt);
    ASSERT_GE(item->SubItems().Count(), 2);
    EXPECT_EQ(item->SubItems().Strings(0), "5");
    EXPECT_EQ(item->SubItems().Strings(1), ".txt");
    // A file gone after listing: empty details, and painting goes on.
    ::unlink((Tree + "/c.dat").c_str());
    const int cDat = l->OwnerDataFind("c.dat", 0, false);
    ASSERT_GE(cDat, 0);
    EXPECT_EQ(l->Items().Item(cDat)->SubItems().Count(), 0);
    l->Invalidate();
    Pump();
    l->SetPath("Computer");
    EXPECT_EQ(l->Columns().Count(), 1) << "names only outside the file system";
}

TEST_F(ShellViews, TreeAndListFollowEachOther) {
    auto* t = MakeTree();
    auto* l = MakeList();
    int changes = 0;
    l->OnPathChange = [&](TObject*) { ++changes; };
    t->SetShellListView(l);
    EXPECT_EQ(l->ShellTreeView(), t);
    changes = 0;
    t->SetPath(Tree + "/b");
    EXPECT_EQ(l->GetPath(), Tree + "/b");
    EXPECT_EQ(changes, 1) << "the list moved once";
    l->SetPath(Tree + "/A");
    EXPECT_EQ(t->GetPath(), Tree + "/A") << "the tree follows the list";
    EXPECT_EQ(changes, 2);
    t->SetPath(Tree + "/A");
    EXPECT_EQ(changes, 2) << "the selected path again: the list stays";
    l->Free();
    EXPECT_EQ(t->ShellListView(), nullptr);
    t->SetPath(Tree); // no list any more
}

TEST_F(ShellViews, ListFollowsTheFolderOfASelectedFile) {
    auto* t = MakeTree();
    t->SetObjectTypes((1u << otFolders) | (1u << otNonFolders));
    auto* l = MakeList();
    t->SetShellListView(l);
    t->SetPath(Tree);
    TTreeNode* file = nullptr;
    for (int i = 0; i < t->Selected()->Count(); ++i)
        if (t->Selected()->Item(i)->Text() == "a.txt") file = t->Selected()->Item(i);
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->HasChildren());
    t->SetSelected(file);
    EXPECT_EQ(l->GetPath(), Tree) << "the file's folder";
    EXPECT_FALSE(file->Expanded());
    file->Expand(false); // never runs the file
    EXPECT_FALSE(file->Expanded());
}

TEST_F(ShellViews, ListContextMenuOffersTheSelectedItemsVerbs) {
    auto* l = MakeList();
    l->SetPath(Tree);
    auto menus = [&] {
        std::vector<TskSkinPopupMenu*> out;
        for (int i = 0; i < l->ComponentCount(); ++i)
            if (auto* m = dynamic_cast<TskSkinPopupMenu*>(l->Components(i))) out.push_back(m);
        return out;
    };
    l->Perform(WM_CONTEXTMENU, 0, static_cast<LPARAM>(0xFFFFFFFFu));
    EXPECT_TRUE(menus().empty()) << "nothing selected: no menu";
    int file = -1;
    for (int i = 0; i < l->FolderCount(); ++i)
        if (l->Folders(i)->DisplayName() == "a.txt") file = i;
    ASSERT_GE(file, 0);
    l->SetSelected(l->Items().Item(file));
    l->Perform(WM_CONTEXTMENU, 0, static_cast<LPARAM>(0xFFFFFFFFu));
    l->Perform(WM_CONTEXTMENU, 0, static_cast<LPARAM>(0xFFFFFFFFu));
    const auto shown = menus();
    ASSERT_EQ(shown.size(), 1u) << "one menu at a time";
    EXPECT_NE(shown[0]->Items()->Find("Open"), nullptr);
    EXPECT_NE(shown[0]->Items()->Find("Rename"), nullptr);
    l->AutoContextMenus = false;
}

TEST_F(ShellViews, TreeContextMenuOffersTheSelectedFoldersVerbs) {
    auto* t = MakeTree();
    t->SetPath(Tree + "/b");
    t->Perform(WM_CONTEXTMENU, 0, static_cast<LPARAM>(0xFFFFFFFFu));
    TskSkinPopupMenu* menu = nullptr;
    for (int i = 0; i < t->ComponentCount(); ++i)
        if (auto* m = dynamic_cast<TskSkinPopupMenu*>(t->Components(i))) menu = m;
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Items()->Find("Open"), nullptr) << "a folder is never run";
    EXPECT_NE(menu->Items()->Find("Delete"), nullptr);
}

} // namespace
} // namespace vd::test
