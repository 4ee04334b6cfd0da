// Folder listings by mask and attributes, file times and folder creation on real files.
#include "platform/rtl/FileSearch.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace vd::test {
namespace {

class FileSearch : public ::testing::Test {
protected:
    void SetUp() override {
        Dir.Write("a.txt", "12345");
        Dir.Write("B.TXT", "");
        Dir.Write("c.ini", "x");
        Dir.Write(".hidden.txt", "h");
        Dir.Write("sub/inner.txt", "i");
        Dir.Write(".dotdir/x", "");
        ::symlink(Dir.File("a.txt").c_str(), Dir.File("link.txt").c_str());
        ::symlink(Dir.File("missing").c_str(), Dir.File("dangling.txt").c_str());
        ::mkfifo(Dir.File("pipe.txt").c_str(), 0600);
    }
    std::set<String> Names(const String& mask, int attr) {
        std::set<String> names;
        TSearchRec r;
        for (int rc = FindFirst(Dir.File(mask), attr, r); rc == 0; rc = FindNext(r))
            names.insert(r.Name);
        FindClose(r);
        return names;
    }
    TTempDir Dir;
};

TEST_F(FileSearch, MasksAndAttributesChooseTheEntries) {
    const struct {
        const char* Mask;
        int Attr;
        std::set<String> Expected;
    } cases[] = {
        {"*.txt", 0, {"a.txt", "B.TXT", "link.txt"}},
        {"*.txt", faHidden, {"a.txt", "B.TXT", "link.txt", ".hidden.txt"}},
        {"*.txt", faSysFile, {"a.txt", "B.TXT", "link.txt", "pipe.txt", "dangling.txt"}},
        {"*", faDirectory, {"a.txt", "B.TXT", "c.ini", "link.txt", "sub", ".", ".."}},
        {"*",
         faDirectory | faHidden,
         {"a.txt", "B.TXT", "c.ini", "link.txt", "sub", ".", "..", ".hidden.txt", ".dotdir"}},
        {"?.INI", 0, {"c.ini"}},
        {"*.none", faAnyFile, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(c.Mask, c.Attr), c.Expected) << c.Mask << " " << c.Attr;
    // A link whose target is gone is neither a file nor a folder: system, with the link bit.
    TSearchRec r;
    ASSERT_EQ(FindFirst(Dir.File("dangling.txt"), faAnyFile, r), 0);
    EXPECT_EQ(r.Attr & (faSymLink | faSysFile), faSymLink | faSysFile);
    FindClose(r);
}

TEST_F(FileSearch, TheRecordCarriesSizeTimeAndAttributes) {
    const timeval times[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(::utimes(Dir.File("a.txt").c_str(), times), 0);
    ::chmod(Dir.File("c.ini").c_str(), 0444);
    TSearchRec r;
    ASSERT_EQ(FindFirst(Dir.File("a.txt"), 0, r), 0);
    EXPECT_EQ(r.Size, 5);
    EXPECT_EQ(r.Attr, faArchive);
    EXPECT_NEAR(r.TimeStamp, UnixToLocalDateTime(1700000000), 1e-6);
    EXPECT_EQ(FindNext(r), ENOENT) << "one name, one entry";
    ASSERT_EQ(FindFirst(Dir.File("c.ini"), 0, r), 0) << "a second FindFirst on the same record starts over";
    EXPECT_EQ(r.Attr, faArchive | faReadOnly);
    ASSERT_EQ(FindFirst(Dir.File("link.txt"), 0, r), 0);
    EXPECT_EQ(r.Attr, faArchive | faSymLink);
    EXPECT_EQ(r.Size, 5) << "the target's size";
    ASSERT_EQ(FindFirst(Dir.File("sub"), faDirectory, r), 0);
    EXPECT_EQ(r.Attr, faDirectory);
    EXPECT_EQ(r.Size, 0);
    FindClose(r);
    FindClose(r);
    EXPECT_EQ(FindNext(r), EBADF) << "a closed search finds nothing";

    TDateTime age = 0;
    ASSERT_TRUE(FileAge(Dir.File("a.txt"), age));
    EXPECT_NEAR(age, UnixToLocalDateTime(1700000000), 1e-6);
    EXPECT_FALSE(FileAge(Dir.File("missing"), age));
}

TEST_F(FileSearch, ErrorsAreReportedNotHidden) {
    TSearchRec r;
    EXPECT_EQ(FindFirst(Dir.File("no-such-folder/*"), faAnyFile, r), ENOENT);
    EXPECT_EQ(FindFirst(Dir.File("a.txt/*"), faAnyFile, r), ENOTDIR);
    EXPECT_FALSE(r.FindHandle);

    EXPECT_TRUE(CreateDir(Dir.File("made")));
    EXPECT_FALSE(CreateDir(Dir.File("made"))) << "exists already";
    EXPECT_FALSE(CreateDir(Dir.File("x/y"))) << "the parent must exist";
    EXPECT_FALSE(CreateDir(""));
    struct stat st;
    EXPECT_TRUE(::stat(Dir.File("made").c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

} // namespace
} // namespace vd::test
