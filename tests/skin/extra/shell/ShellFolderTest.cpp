#include "platform/rtl/SysUtils.h"
#include "skin/extra/shell/SkinShellFolder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace vd::test {
namespace {

class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Home = Dir.File("home");
        ::mkdir(Home.c_str(), 0755);
        Tree = Dir.File("tree");
        for (const char* d : {"", "/b", "/x.zip", "/b/inner"})
            ::mkdir((Tree + d).c_str(), 0755);
        for (const char* f : {"c.txt", "q?1", "real.zip", "keep.txt"})
            Dir.Write(String("tree/") + f, "12345");
        ShellEnvironment env;
        env.Home = Home;
        env.MountInfo = "27 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
        Ns = std::make_unique<TShellNamespace>(env);
        SetShellNamespace(Ns.get());
        TRoot root = Tree;
        TskShellFolder::CreateRootFolder(Folder, "", root);
    }
    void TearDown() override { SetShellNamespace(nullptr); }
    std::unique_ptr<TskShellFolder> Child(const char* name) {
        return std::make_unique<TskShellFolder>(Folder.get(), ItemIdList{name});
    }
    TTempDir Dir;
    String Home, Tree;
    std::unique_ptr<TShellNamespace> Ns;
    std::unique_ptr<TskShellFolder> Folder;
};

TEST_F(ShellFolderTest, RootNamesWithoutRegardToCase) {
    for (int i = 0; i < kRootFolderCount; ++i) {
        EXPECT_EQ(RootFolderIndex(RootFolderNames[i]), i);
        EXPECT_EQ(RootFolderIndex(UpperCase(RootFolderNames[i])), i);
    }
    EXPECT_EQ(RootFolderIndex("rfNowhere"), -1);
    EXPECT_EQ(RootFolderIndex(""), -1);
    EXPECT_EQ(RootFolderCsidl[rfMyComputer], 0x11);
    EXPECT_EQ(RootFolderCsidl[rfTemplates], 0x15);
    EXPECT_EQ(ShellObjectTypesToFlags((1u << otFolders) | (1u << otHidden)), 0xA0u);
}

TEST_F(ShellFolderTest, RootsResolveOrFailLeavingRootAsItWas) {
    struct Case {
        String Root;
        String Path; // empty: fails
    };
    const Case cases[] = {
        {"rfDesktop", "Desktop"},
        {"RFMYCOMPUTER", "Computer"},
        {"rfPersonal", Home},
        {Tree + "/b/", Tree + "/b"},
        {"rfNetwork", ""},
        {"rfRecycleBin", ""},
        {"tree/b", ""},
        {"nonsense", ""},
        {"", ""},
        {Tree + "/missing", ""},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TskShellFolder> current = CreateFolderFromIdList({"computer"});
        TskShellFolder* before = current.get();
        TRoot root = c.Root;
        if (c.Path.empty()) {
            try {
                TskShellFolder::CreateRootFolder(current, "rfMyComputer", root);
                ADD_FAILURE() << c.Root << " resolved";
            } catch (const EInvalidPath& e) {
                EXPECT_EQ(e.Message(), "Error setting path: \"" + c.Root + "\"");
            }
            EXPECT_EQ(root, "rfMyComputer") << "Root goes back";
            EXPECT_EQ(current.get(), before) << "the current item stays";
        } else {
            TskShellFolder::CreateRootFolder(current, "rfMyComputer", root);
            EXPECT_EQ(current->PathName(), c.Path) << c.Root;
            EXPECT_EQ(root, c.Root);
        }
    }
}

TEST_F(ShellFolderTest, ItemsNamesAndAttributes) {
    EXPECT_EQ(Folder->PathName(), Tree);
    EXPECT_EQ(Folder->ParentFolder(), DesktopShellFolder());
    EXPECT_EQ(Folder->Level(), 0);
    auto b = Child("b");
    EXPECT_EQ(b->Level(), 1);
    TskShellFolder inner(b.get(), {"inner"});
    EXPECT_EQ(inner.Level(), 2);
    EXPECT_EQ(inner.PathName(), Tree + "/b/inner");
    EXPECT_EQ(inner.FileSystemPath(), Tree + "/b/inner");
    EXPECT_EQ(inner.AbsoluteIdList(), ConcatItemIdLists(Folder->AbsoluteIdList(), {"b", "inner"}));
    EXPECT_TRUE(b->IsFolder());
    EXPECT_TRUE(b->SubFolders());
    EXPECT_FALSE(inner.SubFolders());
    EXPECT_TRUE(Child("x.zip")->IsFolder()) << "a folder whatever its name";
    EXPECT_FALSE(Child("real.zip")->IsFolder());
    EXPECT_EQ(Child("q?1")->DisplayName(), "q?1") << "question marks stay";
    EXPECT_EQ(Child("q?1")->PathName(), Tree + "/q?1");
    EXPECT_TRUE(Child("c.txt")->Properties() & ipFileSystem);
    EXPECT_TRUE(Child("c.txt")->Capabilities() & cpCanRename);
    EXPECT_EQ(Child("c.txt")->ImageIndex(false), siFile);
    EXPECT_EQ(DesktopShellFolder()->DisplayName(), "Desktop");
    EXPECT_EQ(DesktopShellFolder()->Properties() & ipFileSystem, 0u);
    EXPECT_EQ(GetDisplayName(nullptr, {"computer"}, SHGDN_NORMAL), "Computer");
    EXPECT_TRUE(IsShellFolderItem(nullptr, {"home"}));
    EXPECT_TRUE(ShellItemHasSubFolders(Folder.get(), {"b"}));
    EXPECT_TRUE(FolderHasItems(b.get(), SHCONTF_FOLDERS));
    EXPECT_FALSE(FolderHasItems(&inner, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS));
    EXPECT_FALSE(FolderHasItems(nullptr, SHCONTF_FOLDERS));
    std::vector<ItemIdList> children;
    ASSERT_TRUE(EnumerateShellFolder(Folder.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, children));
    std::vector<String> names;
    for (const auto& c : children)
        names.push_back(c[0]);
    EXPECT_EQ(names, (std::vector<String>{"b", "x.zip", "c.txt", "keep.txt", "q?1", "real.zip"}));
    ASSERT_TRUE(EnumerateShellFolder(DesktopShellFolder(), SHCONTF_FOLDERS, children));
    EXPECT_EQ(children, (std::vector<ItemIdList>{{"home"}, {"computer"}}));
    EXPECT_FALSE(EnumerateShellFolder(Child("c.txt").get(), SHCONTF_FOLDERS, children));
}

TEST_F(ShellFolderTest, RenameReplacesBothListsAndNeverAFile) {
    auto c = Child("c.txt");
    EXPECT_TRUE(c->Rename("d.txt"));
    EXPECT_EQ(c->RelativeIdList(), (ItemIdList{"d.txt"}));
    EXPECT_EQ(c->PathName(), Tree + "/d.txt");
    EXPECT_EQ(Dir.Read("tree/d.txt"), "12345");
    try {
        c->Rename("keep.txt");
        ADD_FAILURE() << "renamed over an existing file";
    } catch (const EskShellError& e) {
        EXPECT_EQ(e.Message(), "Rename to keep.txt failed");
    }
    EXPECT_EQ(Dir.Read("tree/keep.txt"), "12345");
    EXPECT_THROW(c->Rename("../d.txt"), EskShellError);
    Dir.Write("tree/%s%n", "taken");
    try {
        c->Rename("%s%n");
        ADD_FAILURE() << "renamed over an existing file";
    } catch (const EskShellError& e) {
        EXPECT_EQ(e.Message(), "Rename to %s%n failed") << "the name is never a format";
    }
    EXPECT_EQ(c->PathName(), Tree + "/d.txt");
    EXPECT_FALSE(DesktopShellFolder()->Rename("x")) << "not renameable";
    auto computer = CreateFolderFromIdList({"computer"});
    EXPECT_FALSE(computer->Rename("x"));
    EXPECT_TRUE(c->ExecuteVerb("delete"));
    EXPECT_EQ(Dir.Read("home/.local/share/Trash/files/d.txt"), "12345") << "into the trash";
    EXPECT_FALSE(computer->ExecuteVerb("delete"));
}

TEST_F(ShellFolderTest, ColumnDetails) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    auto c = Child("c.txt");
    try {
        (void)c->Details(1);
        ADD_FAILURE() << "details before they are loaded";
    } catch (const EskShellError& e) {
        EXPECT_EQ(e.Message(), "c.txt: Missing call to LoadColumnDetails");
    }
    c->LoadColumnDetails(Folder.get(), nullptr, 4);
    EXPECT_EQ(c->Details(1), "5");
    EXPECT_EQ(c->Details(2), ".txt");
    EXPECT_EQ(c->Details(3).size(), 19u);
    EXPECT_EQ(c->Details(9), "") << "beyond the loaded columns";
    auto b = Child("b");
    b->LoadColumnDetails(Folder.get(), nullptr, 4);
    EXPECT_EQ(b->Details(1), "") << "folders have no size";
    auto gone = Child("gone");
    try {
        gone->LoadColumnDetails(Folder.get(), nullptr, 4);
        ADD_FAILURE() << "details of nothing";
    } catch (const EInvalidPath& e) {
        EXPECT_EQ(e.Message(), "Unable to retrieve folder details for \"gone\". Error code $2");
    }
    // Outside the file system nothing is loaded.
    auto home = CreateFolderFromIdList({"home"});
    home->LoadColumnDetails(DesktopShellFolder(), nullptr, 4);
    EXPECT_EQ(home->DetailCount(), 0);
}

} // namespace
} // namespace vd::test
