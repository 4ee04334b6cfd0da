// The change notifier on real folders: inotify on a worker, delivery through the headless
// window system's queue, pumped by the test.
#include "../../../platform/vcl/VclFixture.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellNotifier.h"
#include "skin/extra/shell/SkinShellTreeView.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

#include <chrono>
#include <sys/stat.h>
#include <unistd.h>

namespace vd::test {
namespace {

class ShellNotifierTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Folder = Dir.File("watched");
        ::mkdir(Folder.c_str(), 0755);
    }
    TskShellChangeNotifier* Make(const String& root, TNotifyFilters filters = 0) {
        auto* n = new TskShellChangeNotifier(nullptr);
        if (filters) n->SetNotifyFilters(filters);
        n->SetRoot(root);
        n->SetOnChange([this] { ++Changes; });
        EXPECT_TRUE(n->Watching());
        return n;
    }
    [[nodiscard]] bool WaitForChanges(int n) {
        return WaitUntil([&] { return Changes >= n; }, 5000, [this] { Pump(); });
    }
    TTempDir Dir;
    String Folder;
    int Changes = 0;
};

TEST(ShellNotifyFilters, BitsAndTheEventsTheyAskFor) {
    EXPECT_EQ(ShellNotifyFilterBits((1u << nfFileNameChange) | (1u << nfDirNameChange)), 0x3u);
    EXPECT_EQ(ShellNotifyFilterBits(0x1F), 0x1Fu);
    EXPECT_EQ(ShellNotifyFilterBits(1u << nfSecurityChange), 0x100u);
}

TEST_F(ShellNotifierTest, ChangesCloseTogetherArriveAsOne) {
    std::unique_ptr<TskShellChangeNotifier> n(Make(Folder));
    Dir.Write("watched/a", "1");
    Dir.Write("watched/b", "2");
    ::unlink((Folder + "/a").c_str());
    ASSERT_TRUE(WaitForChanges(1));
    // A later change comes on its own; had the three above arrived apart, the count would pass 2.
    Dir.Write("watched/c", "3");
    ASSERT_TRUE(WaitForChanges(2));
    EXPECT_EQ(Changes, 2);
}

TEST_F(ShellNotifierTest, FiltersChooseTheKindsOfChange) {
    struct Case {
        const char* What;
        TNotifyFilters Filters;
        std::function<void(const String&)> Change;
    };
    const Case cases[] = {
        {"a folder made, folder names watched", 1u << nfDirNameChange,
         [](const String& f) { ::mkdir((f + "/sub").c_str(), 0755); }},
        {"a file made, file names watched", 1u << nfFileNameChange,
         [](const String& f) {
             if (FILE* file = std::fopen((f + "/new").c_str(), "w")) std::fclose(file);
         }},
        {"a file's mode, attributes watched", 1u << nfAttributeChange,
         [](const String& f) { ::chmod((f + "/old").c_str(), 0600); }},
        {"a file written, last writes watched", 1u << nfWriteChange,
         [](const String& f) {
             if (FILE* file = std::fopen((f + "/old").c_str(), "a")) {
                 std::fputs("more", file);
                 std::fclose(file);
             }
         }},
    };
    for (const Case& c : cases) {
        TTempDir dir;
        dir.Write("old", "x");
        Changes = 0;
        std::unique_ptr<TskShellChangeNotifier> n(Make(dir.Path(), c.Filters));
        c.Change(dir.Path());
        EXPECT_TRUE(WaitForChanges(1)) << c.What;
    }
}

// The old folder is no longer watched after Root changes: removing it would otherwise end the
// worker before the new folder's change arrives.
TEST_F(ShellNotifierTest, RootChangeMovesTheWatch) {
    std::unique_ptr<TskShellChangeNotifier> n(Make(Folder));
    const String other = Dir.File("Watched"); // another folder on Linux, whatever the letters
    ::mkdir(other.c_str(), 0755);
    n->SetRoot(other);
    ::rmdir(Folder.c_str());
    Dir.Write("Watched/new", "x");
    ASSERT_TRUE(WaitForChanges(1));
    EXPECT_TRUE(n->Watching());
    n->SetRoot(other); // the same text: nothing happens
    EXPECT_TRUE(n->Watching());
    EXPECT_EQ(TskShellChangeThread::LiveCount(), 1);
}

TEST_F(ShellNotifierTest, SwappingTheEventKeepsOneWorker) {
    std::unique_ptr<TskShellChangeNotifier> n(Make(Folder));
    ASSERT_TRUE(WaitUntil([] { return TskShellChangeThread::LiveCount() == 1; }));
    int second = 0;
    n->SetOnChange([&] { ++second; });
    EXPECT_EQ(TskShellChangeThread::LiveCount(), 1);
    Dir.Write("watched/x", "1");
    ASSERT_TRUE(WaitUntil([&] { return second == 1; }, 5000, [this] { Pump(); }));
    EXPECT_EQ(Changes, 0) << "the first event is no longer called";
}

// An idle worker waits without a time-out: only the wake ends it, so a destroy that missed it
// would take forever, not a moment longer. The bound leaves room for a loaded machine.
TEST_F(ShellNotifierTest, DestroyEndsTheWorkerPromptly) {
    auto* n = Make(Folder);
    ASSERT_TRUE(WaitUntil([] { return TskShellChangeThread::LiveCount() == 1; }));
    const auto t0 = std::chrono::steady_clock::now();
    delete n;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(ms, 2000);
    EXPECT_EQ(TskShellChangeThread::LiveCount(), 0);
}

// A change already queued when the notifier goes is never delivered to its handler.
TEST_F(ShellNotifierTest, NoEventAfterDestroy) {
    auto* n = Make(Folder);
    Dir.Write("watched/x", "1");
    MSG m;
    ASSERT_TRUE(WaitUntil([&] { return PeekMessage(m, PM_NOREMOVE); }, 5000))
        << "the worker posted the change";
    delete n;
    Pump();
    EXPECT_EQ(Changes, 0);
}

TEST_F(ShellNotifierTest, UnwatchableFolderEndsQuietly) {
    auto* n = new TskShellChangeNotifier(nullptr);
    n->SetRoot(Dir.File("missing"));
    n->SetOnChange([this] { ++Changes; });
    ASSERT_TRUE(WaitUntil([&] { return !n->Watching(); }));
    Pump();
    EXPECT_EQ(Changes, 0);
    n->SetWatchSubTree(false); // a setter on an ended worker is safe
    n->SetRoot(Folder);        // and a watchable folder starts a fresh one
    EXPECT_TRUE(n->Watching());
    Dir.Write("watched/x", "1");
    EXPECT_TRUE(WaitForChanges(1));
    delete n;
    EXPECT_EQ(TskShellChangeThread::LiveCount(), 0);
}

TEST_F(ShellNotifierTest, RemovedFolderIsReportedOnceThenNoLongerWatched) {
    std::unique_ptr<TskShellChangeNotifier> n(Make(Folder, 1u << nfFileNameChange));
    ASSERT_EQ(::rmdir(Folder.c_str()), 0);
    ASSERT_TRUE(WaitForChanges(1));
    ASSERT_TRUE(WaitUntil([&] { return !n->Watching(); }));
    Pump();
    EXPECT_EQ(Changes, 1);
}

TEST_F(ShellNotifierTest, SubTreeWatchesEveryFolderBelowAndThoseMadeLater) {
    for (const char* d : {"/sub", "/sub/deeper", "/other"})
        ::mkdir((Folder + d).c_str(), 0755);
    ::mkdir(Dir.File("outside").c_str(), 0755);
    ASSERT_EQ(::symlink(Dir.File("outside").c_str(), (Folder + "/link").c_str()), 0);
    std::unique_ptr<TskShellChangeNotifier> n(Make(Folder)); // file and folder names
    EXPECT_EQ(n->WatchedFolders(), 4) << "the root and three folders; the link is not followed";
    Dir.Write("watched/sub/deeper/a", "1");
    ASSERT_TRUE(WaitForChanges(1));
    // A folder made later joins: first its own creation, then what happens inside it.
    ::mkdir((Folder + "/sub/new").c_str(), 0755);
    ASSERT_TRUE(WaitUntil([&] { return n->WatchedFolders() == 5; }, 5000, [this] { Pump(); }));
    ASSERT_TRUE(WaitForChanges(2)); // the folder's creation
    const int before = Changes;
    Dir.Write("watched/sub/new/b", "2");
    ASSERT_TRUE(WaitForChanges(before + 1));
    // A folder moved out is no longer watched; one removed goes too.
    ASSERT_EQ(::rename((Folder + "/other").c_str(), Dir.File("moved").c_str()), 0);
    ASSERT_EQ(::unlink((Folder + "/sub/new/b").c_str()), 0);
    ASSERT_EQ(::rmdir((Folder + "/sub/new").c_str()), 0);
    ASSERT_TRUE(WaitUntil([&] { return n->WatchedFolders() == 3; }, 5000, [this] { Pump(); }));
    n->SetWatchSubTree(false);
    EXPECT_EQ(n->WatchedFolders(), 1);
    n->SetWatchSubTree(true);
    EXPECT_EQ(n->WatchedFolders(), 3);
}

TEST_F(ShellNotifierTest, SubTreeWatchesTheFolderItself) {
    ::mkdir((Folder + "/sub").c_str(), 0755);
    std::unique_ptr<TskShellChangeNotifier> n(new TskShellChangeNotifier(nullptr));
    EXPECT_TRUE(n->WatchSubTree()) << "the default";
    n->SetRoot(Folder);
    n->SetOnChange([this] { ++Changes; });
    Dir.Write("watched/top", "1");
    EXPECT_TRUE(WaitForChanges(1));
}

// With AutoRefresh the list watches the folder it lists (and goes along when it lists another),
// the tree the folder it selects; a change there reads them again. Switched off, nothing watches.
TEST_F(ShellNotifierTest, ShellViewsWithAutoRefreshReadTheirOwnFolderAgain) {
    ShellEnvironment env;
    env.Home = Dir.File("home");
    ::mkdir(env.Home.c_str(), 0755);
    env.MountInfo = "27 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
    TShellNamespace ns(env);
    SetShellNamespace(&ns);
    TForm* form = NewForm({100, 100, 500, 400});
    auto place = [form](TControl* view, int left) {
        view->SetParent(form);
        view->SetBounds(left, 0, 200, 300);
    };
    auto* tree = new TskSkinDirTreeView(form);
    place(tree, 0);
    auto* list = new TskSkinFileListView(form);
    place(list, 200);
    form->Show();
    Pump();
    tree->SetPath(Folder);
    tree->SetAutoRefresh(true);
    list->SetAutoRefresh(true);
    list->SetPath(Folder);
    EXPECT_EQ(list->Items().Count(), 0);

    ::mkdir((Folder + "/sub").c_str(), 0755);
    EXPECT_TRUE(WaitUntil(
        [&] { return list->Items().Count() == 1 && tree->Selected() && tree->Selected()->Count() == 1; },
        5000, [this] { Pump(); }));
    EXPECT_EQ(tree->GetPath(), Folder) << "the selection stays";

    tree->SetAutoRefresh(false);
    list->SetAutoRefresh(false);
    EXPECT_EQ(TskShellChangeThread::LiveCount(), 0);
    form->Free();
    SetShellNamespace(nullptr);
}

} // namespace
} // namespace vd::test
