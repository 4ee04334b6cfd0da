#include "platform/shell/ShellExecute.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vd {
namespace {

namespace fs = std::filesystem;

// No desktop runs here, so a stand-in xdg-open on PATH records the argument it was given.
class ShellExecuteTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = Temp.Path();
        fs::create_directories(Dir / "bin");
        OldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    }
    void TearDown() override { ::setenv("PATH", OldPath.c_str(), 1); }
    void InstallRecorder() {
        const fs::path script = Dir / "bin" / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" << (Dir / "out.tmp").string()
                              << "'\nmv '" << (Dir / "out.tmp").string() << "' '" << (Dir / "out").string()
                              << "'\n";
        ::chmod(script.c_str(), 0755);
        ::setenv("PATH", ((Dir / "bin").string() + ":" + OldPath).c_str(), 1);
    }
    std::string WaitForRecord() {
        // The recorder moves its file into place whole.
        if (!test::WaitUntil([&] { return fs::exists(Dir / "out"); }, 10000)) return "(nothing)";
        std::ifstream in(Dir / "out");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    test::TTempDir Temp;
    fs::path Dir;
    std::string OldPath;
};

TEST_F(ShellExecuteTest, HandsTheAddressOverAsOneArgumentWithoutAShell) {
    InstallRecorder();
    const std::string address = "http://example.invalid/a b?x=1&y='2';touch pwned";
    EXPECT_GT(ShellExecute(nullptr, "open", address.c_str(), nullptr, nullptr, 1), 32);
    EXPECT_EQ(WaitForRecord(), "1|" + address);
    EXPECT_FALSE(fs::exists("pwned"));
}

TEST_F(ShellExecuteTest, RefusesWhatItCannotDo) {
    InstallRecorder();
    EXPECT_EQ(ShellExecute(nullptr, "print", "file.txt", nullptr, nullptr, 1), SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecute(nullptr, "open", "", nullptr, nullptr, 1), SE_ERR_FNF);
    ::setenv("PATH", (Dir / "empty").string().c_str(), 1);
    EXPECT_EQ(ShellExecute(nullptr, nullptr, "http://example.invalid/", nullptr, nullptr, 1), SE_ERR_FNF);
}

} // namespace
} // namespace vd
