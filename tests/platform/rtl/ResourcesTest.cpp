#include "platform/rtl/Resources.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(Resources, EmbeddedFilesAreFoundByTypeAndNameWithoutCase) {
    EXPECT_EQ(FindResource("TEXT", "HELLO"), "Hello, \"resources\" \\ ?\?= ok\n");
    EXPECT_EQ(FindResource("text", "hello"), FindResource("TEXT", "HELLO"));
}

TEST(Resources, EveryByteValueSurvivesEmbedding) {
    const std::string_view bin = FindResource("BITMAP", "ALLBYTES");
    ASSERT_EQ(bin.size(), 522u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(static_cast<unsigned char>(bin[i]), i);
        EXPECT_EQ(static_cast<unsigned char>(bin[256 + i]), 255 - i);
    }
    EXPECT_EQ(bin.substr(512), "0123456789");
}

TEST(Resources, RegistrationFromALibraryIsNotDroppedByTheLinker) {
    // Embedded into a static library that nothing here references by symbol.
    EXPECT_EQ(FindResource("VERSION", "1"), "FileVersion=2.1.0.17\n");
}

TEST(Resources, MissingResourceIsEmpty) {
    EXPECT_TRUE(FindResource("TEXT", "NOPE").empty());
    EXPECT_TRUE(FindResource("NOPE", "HELLO").empty());
    EXPECT_EQ(ResourceNames("TEXT"), std::vector<String>{"HELLO"});
}

} // namespace
} // namespace vd
