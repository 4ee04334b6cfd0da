#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

// "a", "ä" (2 bytes), "€" (3 bytes), "𝄞" (4 bytes)
const String Mixed = "a\xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E";

TEST(Utf8, CountsAndStepsOverWholeCharacters) {
    EXPECT_EQ(Utf8Length(Mixed), 4u);
    EXPECT_EQ(Utf8Length(""), 0u);
    std::size_t pos = 0;
    std::vector<std::size_t> starts;
    while (pos < Mixed.size()) {
        starts.push_back(pos);
        pos = Utf8NextChar(Mixed, pos);
    }
    EXPECT_EQ(starts, (std::vector<std::size_t>{0, 1, 3, 6}));
    EXPECT_EQ(Utf8PrevChar(Mixed, Mixed.size()), 6u);
    EXPECT_EQ(Utf8PrevChar(Mixed, 6), 3u);
    EXPECT_EQ(Utf8PrevChar(Mixed, 3), 1u);
    EXPECT_EQ(Utf8PrevChar(Mixed, 1), 0u);
    EXPECT_EQ(Utf8PrevChar(Mixed, 0), 0u);
}

TEST(Utf8, CutsNeverSplitASequence) {
    struct TCase {
        std::size_t MaxBytes;
        const char* Want;
    };
    const TCase cases[] = {{0, ""},
                           {1, "a"},
                           {2, "a"},
                           {3, "a\xC3\xA4"},
                           {5, "a\xC3\xA4"},
                           {6, "a\xC3\xA4\xE2\x82\xAC"},
                           {9, "a\xC3\xA4\xE2\x82\xAC"},
                           {10, "a\xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E"},
                           {99, "a\xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E"}};
    for (const TCase& c : cases)
        EXPECT_EQ(Utf8CutBytes(Mixed, c.MaxBytes), c.Want) << c.MaxBytes;
    EXPECT_EQ(Utf8Left(Mixed, 2), "a\xC3\xA4");
    EXPECT_EQ(Utf8Copy(Mixed, 1, 2), "\xC3\xA4\xE2\x82\xAC");
    EXPECT_EQ(Utf8Copy(Mixed, 3, 9), "\xF0\x9D\x84\x9E");
    EXPECT_EQ(Utf8Copy(Mixed, 9, 1), "");
}

TEST(Utf8, MalformedBytesCountAsOneCharacterEach) {
    const String bad[] = {"\xC3",     "\xE2\x82",     "\xF0\x9D\x84",     "\x80\x80",
                          "\xC0\xAF", "\xED\xA0\x80", "\xF5\x80\x80\x80", "\xFF"};
    for (const String& s : bad) {
        EXPECT_FALSE(IsValidUtf8(s));
        EXPECT_EQ(Utf8Length(s), s.size());
        EXPECT_EQ(Utf8PrevChar(s, s.size()), s.size() - 1);
    }
    EXPECT_TRUE(IsValidUtf8(Mixed));
    // A truncated sequence at the end of otherwise good text.
    const String cut = Mixed.substr(0, 8);
    EXPECT_EQ(Utf8Length(cut), 5u);
    EXPECT_EQ(Utf8CutBytes(cut, 8), cut);
}

TEST(Utf8, EncodeAndDecodeRoundTrip) {
    for (char32_t cp : {U'A', U'\u00E4', U'\u20AC', U'\U0001D11E', U'\uFFFD'}) {
        const String s = Utf8Encode(cp);
        std::size_t n = 0;
        EXPECT_EQ(Utf8Decode(s, 0, &n), cp);
        EXPECT_EQ(n, s.size());
    }
    EXPECT_EQ(Utf8Encode(0xD800), "\xEF\xBF\xBD");
}

} // namespace
} // namespace vd
