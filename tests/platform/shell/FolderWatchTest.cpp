// The folder watch on real folders, without a window system: the sink records what the worker
// hands it. The notifier's own tests (tests/skin/extra/shell) cover delivery to a window.
#include "platform/shell/FolderWatch.h"
#include "platform/shell/FileSystem.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vd::test {
namespace {

class FolderWatchTest : public ::testing::Test {
protected:
    TFolderWatch::TChangeSink Sink() {
        return [this](unsigned generation) {
            std::lock_guard<std::mutex> lock(Lock);
            Seen.push_back(generation);
        };
    }
    std::vector<unsigned> Received() {
        std::lock_guard<std::mutex> lock(Lock);
        return Seen;
    }
    [[nodiscard]] bool WaitForCount(std::size_t n) {
        return WaitUntil([&] { return Received().size() >= n; }, 5000);
    }
    void MakeFolder(const String& name) { ASSERT_EQ(::mkdir(Dir.File(name).c_str(), 0755), 0) << name; }

    TTempDir Dir;
    std::mutex Lock;
    std::vector<unsigned> Seen;
};

// The limit counts the root too; a folder made once it is reached is reported but not watched.
TEST_F(FolderWatchTest, SubTreeStopsAtTheWatchLimit) {
    for (const char* d : {"root", "root/a", "root/a/x", "root/b", "root/c"})
        MakeFolder(d);
    TFolderWatch watch(Sink(), 3);
    ASSERT_TRUE(watch.SetWatch(Dir.File("root"), true, FILE_NOTIFY_CHANGE_DIR_NAME, 1));
    EXPECT_EQ(watch.WatchCount(), 3);
    watch.Start();
    MakeFolder("root/d");
    ASSERT_TRUE(WaitForCount(1));
    EXPECT_EQ(watch.WatchCount(), 3);
    ASSERT_TRUE(watch.SetWatch(Dir.File("root"), false, FILE_NOTIFY_CHANGE_DIR_NAME, 2));
    EXPECT_EQ(watch.WatchCount(), 1);
}

// A re-armed watch reports with its new generation and no longer sees the old folder.
TEST_F(FolderWatchTest, ChangesCarryTheGenerationOfTheCurrentWatch) {
    MakeFolder("one");
    MakeFolder("two");
    TFolderWatch watch(Sink());
    ASSERT_TRUE(watch.SetWatch(Dir.File("one"), false, FILE_NOTIFY_CHANGE_FILE_NAME, 7));
    watch.Start();
    Dir.Write("one/a", "1");
    ASSERT_TRUE(WaitForCount(1));
    ASSERT_TRUE(watch.SetWatch(Dir.File("two"), false, FILE_NOTIFY_CHANGE_FILE_NAME, 8));
    Dir.Write("one/b", "2");
    Dir.Write("two/c", "3");
    ASSERT_TRUE(WaitForCount(2));
    EXPECT_EQ(Received(), (std::vector<unsigned>{7, 8}));
}

TEST_F(FolderWatchTest, UnwatchableFolderEndsTheWorkerWithoutAReport) {
    Dir.Write("file", "x");
    for (const String& path : {Dir.File("missing"), Dir.File("file"), String()}) {
        TFolderWatch watch(Sink());
        EXPECT_FALSE(watch.SetWatch(path, true, FILE_NOTIFY_CHANGE_FILE_NAME, 1)) << path;
        EXPECT_EQ(watch.WatchCount(), 0) << path;
        watch.Start();
        EXPECT_TRUE(WaitUntil([&] { return watch.Finished(); }, 5000)) << path;
    }
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(TFolderWatch::LiveCount(), 0);
}

// The dialogs' New Folder shows the errno text; a tree node goes only when nothing, not even a
// dangling link, is left at its path.
TEST(ShellFileSystem, CallsReportWhatIsThere) {
    TTempDir Dir;
    EXPECT_EQ(MakeFolder(Dir.File("new")), 0);
    EXPECT_EQ(MakeFolder(Dir.File("new")), EEXIST);
    EXPECT_EQ(MakeFolder(Dir.File("no/such")), ENOENT);
    ASSERT_EQ(::symlink(Dir.File("gone").c_str(), Dir.File("dangling").c_str()), 0);
    EXPECT_TRUE(PathOccupied(Dir.File("new")));
    EXPECT_TRUE(PathOccupied(Dir.File("dangling")));
    EXPECT_FALSE(PathOccupied(Dir.File("gone")));
    EXPECT_FALSE(PathOccupied(String()));
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(CurrentFolder(), String(cwd));
}

} // namespace
} // namespace vd::test
