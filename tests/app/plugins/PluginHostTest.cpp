// The DSP plug-in host with real plug-ins built for the tests (tests/fixtures/audio/plugins).
#include "app/plugins/VDPlugIns.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace vd {
namespace {

namespace fs = std::filesystem;
const String PluginDir = VD_TEST_DSP_DIR;

String EventLogPath() {
    static const String path = [] {
        static const test::TTempDir folder; // for the whole program: the plug-ins read the path once
        const String p = folder.File("dsp_events");
        ::setenv("VD_DSP_TEST_LOG", p.c_str(), 1); // before any plug-in runs
        return p;
    }();
    return path;
}

String Events() {
    std::ifstream in(EventLogPath());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class PluginHostTest : public ::testing::Test {
protected:
    void SetUp() override { fs::remove(EventLogPath()); }
    void TearDown() override { fs::remove(EventLogPath()); }
    TPluginHost Host;
};

TEST_F(PluginHostTest, ScanListsOnlyDspLibrariesSortedWithoutLetterCase) {
    const test::TTempDir temp;
    const fs::path dir = temp.Path();
    fs::create_directories(dir / "dsp_folder.so");
    for (const char* name :
         {"dspA.so", "dsp_b.so", "other.so", "DSPc.SO", ".dsp_hidden.so", "dsp_notes.txt", "xdsp.so"})
        std::ofstream(dir / name) << "x";
    Host.ScanPlugins(dir.string());
    std::vector<String> names;
    for (int i = 0; i < Host.AvailablePlugins().Count(); ++i)
        names.push_back(Host.AvailablePlugins()[i]);
    // The string list's order: letter case ignored, punctuation after letters.
    EXPECT_EQ(names, (std::vector<String>{"dspA.so", "DSPc.SO", "dsp_b.so"}));

    struct Case {
        const char* what;
        String folder;
    } empties[] = {{"empty folder name", ""}, {"missing folder", (dir / "nope").string()}};
    for (const auto& c : empties) {
        Host.ScanPlugins(dir.string());
        Host.ScanPlugins(c.folder);
        EXPECT_EQ(Host.AvailablePlugins().Count(), 0) << c.what;
    }
}

TEST_F(PluginHostTest, LoadResultsAndRecordsFollowWhatEachLibraryDoes) {
    struct Case {
        const char* what;
        String folder, file;
        bool result;
        int recordsAfter;  // the list grows by a record for every attempt past the checks
        bool activeRecord; // state of the last record
    } cases[] = {
        {"missing folder", PluginDir + "/nope", "dsp_half.so", false, 0, false},
        {"empty name", PluginDir, "", false, 0, false},
        {"working plug-in", PluginDir, "dsp_half.so", true, 1, true},
        {"same name again", PluginDir, "dsp_half.so", false, 1, true},
        {"Init fails", PluginDir, "dsp_failinit.so", false, 2, false},
        {"no module", PluginDir, "dsp_nomodule.so", false, 3, false},
        {"no entry point", PluginDir, "dsp_noentry.so", false, 4, false},
        {"file absent", PluginDir, "dsp_absent.so", false, 5, false},
        {"another working one, folder with slash", PluginDir + "/", "dsp_swap.so", true, 6, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Host.LoadPlugin(c.folder, c.file), c.result) << c.what;
        ASSERT_EQ(Host.LoadedCount(), c.recordsAfter) << c.what;
        if (c.recordsAfter > 0) {
            EXPECT_EQ(Host.Loaded(c.recordsAfter - 1).Active, c.activeRecord) << c.what;
        }
    }
    EXPECT_EQ(Host.Loaded(1).Name, "dsp_failinit.so");
    EXPECT_EQ(Host.Loaded(1).Library, nullptr);
    // Init saw the host's fields set; the failed one ran Init once and never Quit.
    EXPECT_NE(Events().find("init dsp_half"), String::npos);
    EXPECT_EQ(Events().find("init-without-instance"), String::npos);
}

TEST_F(PluginHostTest, ChainRunsActivePluginsInOrderOnWholeFramesOnly) {
    ASSERT_TRUE(Host.LoadPlugin(PluginDir, "dsp_half.so"));
    ASSERT_FALSE(Host.LoadPlugin(PluginDir, "dsp_failinit.so")); // skipped by the chain
    ASSERT_TRUE(Host.LoadPlugin(PluginDir, "dsp_swap.so"));
    // 4098 bytes: 1024 frames and half a frame that no plug-in may touch.
    std::vector<std::int16_t> block(2049);
    for (std::size_t i = 0; i + 1 < block.size(); i += 2)
        block[i] = 1000, block[i + 1] = -400;
    block[2048] = 777;
    Host.ProcessPlugins(block.data(), 4098, 44100, 16, 2);
    for (std::size_t i = 0; i + 1 < block.size(); i += 2) {
        ASSERT_EQ(block[i], -200) << i; // halved, then swapped
        ASSERT_EQ(block[i + 1], 500) << i;
    }
    EXPECT_EQ(block[2048], 777);
    Host.ProcessPlugins(block.data(), 3, 44100, 16, 2); // less than a frame: nothing
    EXPECT_EQ(block[0], -200);
}

TEST_F(PluginHostTest, UnloadCallsQuitOnlyForActivePluginsAndIgnoresBadIndexes) {
    ASSERT_TRUE(Host.LoadPlugin(PluginDir, "dsp_half.so"));
    ASSERT_FALSE(Host.LoadPlugin(PluginDir, "dsp_failinit.so"));
    Host.UnloadPlugin(-1);
    Host.UnloadPlugin(2);
    EXPECT_EQ(Host.LoadedCount(), 2);
    Host.UnloadPlugin(1);
    EXPECT_EQ(Events().find("quit dsp_failinit"), String::npos);
    Host.ConfigurePlugin(0);
    EXPECT_NE(Events().find("config dsp_half"), String::npos);
    Host.UnloadPlugin(0);
    EXPECT_NE(Events().find("quit dsp_half"), String::npos);
    EXPECT_EQ(Host.LoadedCount(), 0);
    // Loaded again after the unload: a fresh record under the same name.
    EXPECT_TRUE(Host.LoadPlugin(PluginDir, "dsp_half.so"));
}

TEST_F(PluginHostTest, ChooserEntriesAreBoundByName) {
    // The in-use list says: absent, half, swap. The absent file got no record, so position 1
    // of the list is record 0.
    ASSERT_TRUE(Host.LoadPlugin(PluginDir, "dsp_half.so"));
    ASSERT_TRUE(Host.LoadPlugin(PluginDir, "dsp_swap.so"));
    EXPECT_FALSE(Host.UnloadPluginByName("dsp_absent.so"));
    EXPECT_EQ(Host.IndexOfPlugin("DSP_SWAP.so"), -1); // letter case counts
    EXPECT_TRUE(Host.ConfigurePluginByName("dsp_swap.so"));
    EXPECT_NE(Events().find("config dsp_swap"), String::npos);
    EXPECT_TRUE(Host.UnloadPluginByName("dsp_swap.so"));
    ASSERT_EQ(Host.LoadedCount(), 1);
    EXPECT_EQ(Host.Loaded(0).Name, "dsp_half.so");
    Host.DonePlugins();
    EXPECT_EQ(Host.LoadedCount(), 0);
}

TEST_F(PluginHostTest, UnloadWhileTheCaptureThreadRunsTheChainNeverHitsAQuitPlugin) {
    std::atomic<bool> quit{false};
    std::atomic<long> passes{0};
    std::thread capture([&] {
        std::vector<std::int16_t> block(2048, 100);
        while (!quit.load()) {
            Host.ProcessPlugins(block.data(), 4096, 44100, 16, 2);
            passes.fetch_add(1);
        }
    });
    // Checked, not asserted, while the capture thread runs: a failure must still stop it.
    bool loaded = true;
    for (int i = 0; i < 200 && loaded; ++i) {
        loaded = Host.LoadPlugin(PluginDir, "dsp_half.so") && Host.LoadPlugin(PluginDir, "dsp_swap.so");
        const long seen = passes.load();
        while (loaded && passes.load() < seen + 2)
            std::this_thread::yield();
        Host.UnloadPlugin(i % 2);
        Host.UnloadPluginByName(i % 2 ? "dsp_half.so" : "dsp_swap.so");
    }
    quit.store(true);
    capture.join();
    EXPECT_TRUE(loaded);
    EXPECT_EQ(Events().find("error-block-after-quit"), String::npos);
}

} // namespace
} // namespace vd
