#include "platform/audio/CommandLine.h"

#include <gtest/gtest.h>

namespace vd::audio {
namespace {

TEST(SplitCommandLine, SplitsLikeACommandLine) {
    using V = std::vector<std::string>;
    struct Case {
        const char* line;
        V args;
    } cases[] = {
        {"lame -r  -s 44100 --cbr -b 128 -", {"lame", "-r", "-s", "44100", "--cbr", "-b", "128", "-"}},
        {"oggenc -r -R 44100 -b 128   -", {"oggenc", "-r", "-R", "44100", "-b", "128", "-"}},
        {"  \tlead and trail \t ", {"lead", "and", "trail"}},
        {"a \"b c\" d", {"a", "b c", "d"}},
        {"a 'b \"c' d", {"a", "b \"c", "d"}},
        {"a \"\" b", {"a", "", "b"}},
        {"x\\ y z", {"x y", "z"}},
        {"pre\"fix suf\"fix", {"prefix suffix"}},
        {"\"unclosed quote", {"unclosed quote"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
}

} // namespace
} // namespace vd::audio
