#include "platform/net/TextCodec.h"

#include <gtest/gtest.h>

namespace vd::net {
namespace {

TEST(TextCodec, Base64PadsEachTailLength) {
    const struct {
        std::string in, out;
    } cases[] = {{"", ""},
                 {"f", "Zg=="},
                 {"fo", "Zm8="},
                 {"foo", "Zm9v"},
                 {"source:hackme", "c291cmNlOmhhY2ttZQ=="},
                 {std::string("\xFF\x00\x80", 3), "/wCA"}};
    for (const auto& c : cases)
        EXPECT_EQ(Base64Encode(c.in), c.out) << c.out;
}

TEST(TextCodec, UrlEncodeKeepsOnlyUnreserved) {
    EXPECT_EQ(UrlEncode("a-Z_0.~"), "a-Z_0.~");
    EXPECT_EQ(UrlEncode("Artist & Title/\xC3\xA4"), "Artist%20%26%20Title%2F%C3%A4");
}

TEST(TextCodec, OneLineDropsLineBreaks) {
    EXPECT_EQ(OneLine("a\r\nb\nc\r"), "abc");
}

} // namespace
} // namespace vd::net
