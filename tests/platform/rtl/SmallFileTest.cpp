#include "platform/rtl/SmallFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace vd {
namespace {

class SmallFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteText(Dir.File("ten"), "0123456789");
        test::WriteText(Dir.File("empty"), "");
        std::filesystem::create_directory(Dir.File("folder"));
        ASSERT_EQ(::mkfifo(Dir.File("pipe").c_str(), 0600), 0);
        // A regular file whose reads fail: the kernel answers EIO for the unmapped first page.
        std::filesystem::create_symlink("/proc/self/mem", Dir.File("failing"));
    }
    test::TTempDir Dir;
};

TEST_F(SmallFileTest, WholeFilesAndEveryWayOfFailing) {
    struct Case {
        const char* name;
        std::size_t max;
        int error;
        const char* text;
    };
    const Case cases[] = {
        {"ten", 10, 0, "0123456789"}, {"ten", 100, 0, "0123456789"}, {"empty", 10, 0, ""},
        {"ten", 9, EFBIG, ""},        {"missing", 10, ENOENT, ""},   {"ten/below", 10, ENOTDIR, ""},
        {"folder", 10, EISDIR, ""},   {"pipe", 10, EINVAL, ""}, // no writer: a blocking open would hang here
        {"failing", 10, EIO, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        String text = "stale";
        EXPECT_EQ(ReadSmallFile(Dir.File(c.name), text, c.max), c.error);
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(SmallFileTest, TheHeadOfALongerFileIsNoError) {
    String text;
    EXPECT_EQ(ReadFileHead(Dir.File("ten"), text, 4), 0);
    EXPECT_EQ(text, "0123");
    EXPECT_EQ(ReadFileHead(Dir.File("ten"), text, 40), 0);
    EXPECT_EQ(text, "0123456789");
    EXPECT_EQ(ReadFileHead(Dir.File("pipe"), text, 4), EINVAL);
    EXPECT_EQ(ReadFileHead(Dir.File("failing"), text, 4), EIO);
    EXPECT_EQ(text, "");
}

} // namespace
} // namespace vd
