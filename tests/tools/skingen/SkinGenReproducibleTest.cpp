// The generator makes the same skin byte for byte on every run, and the program carries exactly
// what it makes.
#include "platform/rtl/Resources.h"
#include "skin/store/SkinPacker.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vd::test {

namespace {

std::vector<Byte> Bytes(const std::string& path) {
    std::vector<Byte> out;
    EXPECT_TRUE(ReadWholeFile(path, out)) << path;
    return out;
}

bool Generate(const std::string& folder) {
    const std::string command = std::string("'") + VD_SKINGEN_PATH + "' '" + folder + "/Quillmarsh'";
    return std::system(command.c_str()) == 0;
}

} // namespace

TEST(SkinGenTest, TwoRunsWriteTheSameBytesAndTheProgramCarriesThem) {
    TTempDir a, b;
    ASSERT_FALSE(a.Path().empty());
    ASSERT_FALSE(b.Path().empty());
    ASSERT_TRUE(Generate(a.Path()));
    ASSERT_TRUE(Generate(b.Path()));
    const char* files[] = {"Quillmarsh.ini", "frame.bmp", "mask.bmp",       "controls.bmp",
                           "popup.bmp",      "hint.bmp",  "Quillmarsh.skn", "Quillmarsh.stored"};
    for (const char* f : files) {
        const std::vector<Byte> first = Bytes(a.Path() + "/Quillmarsh/" + f);
        EXPECT_FALSE(first.empty()) << f;
        EXPECT_EQ(first, Bytes(b.Path() + "/Quillmarsh/" + f)) << f;
    }
    // Colour pictures at 24 bits a pixel, the window mask at 1.
    for (auto [f, bits] : {std::pair{"frame.bmp", 24},
                           {"controls.bmp", 24},
                           {"popup.bmp", 24},
                           {"hint.bmp", 24},
                           {"mask.bmp", 1}}) {
        const std::vector<Byte> bmp = Bytes(a.Path() + "/Quillmarsh/" + f);
        ASSERT_GT(bmp.size(), 30u) << f;
        EXPECT_EQ(bmp[28] | bmp[29] << 8, bits) << f;
    }
    const std::vector<Byte> stored = Bytes(a.Path() + "/Quillmarsh/Quillmarsh.stored");
    const std::string_view embedded = FindResource("SKIN", "QUILLMARSH");
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(stored.data()), stored.size()), embedded);
    // The ".skn" form: version 3, the stream's length, the stream.
    const std::vector<Byte> skn = Bytes(a.Path() + "/Quillmarsh/Quillmarsh.skn");
    ASSERT_EQ(skn.size(), stored.size() + 8);
    EXPECT_EQ(skn[0], 3);
    EXPECT_EQ(std::vector<Byte>(skn.begin() + 8, skn.end()), stored);
}

} // namespace vd::test
