#include "app/streams/ListenerStats.h"

#include <cctype>
#include <vector>

namespace vd {

int ListenerCountFromStats(const String& text, bool icecast) {
    String upper = text;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Named arrays, not a conditional of two brace lists: the lists' arrays would die before the loop.
    static const std::vector<String> kIcecastTags{"<LISTENERS>", "LISTENERS"};
    static const std::vector<String> kShoutcastTags{"<CURRENTLISTENERS>"};
    std::size_t at = String::npos;
    std::size_t tagLength = 0;
    for (const String& tag : icecast ? kIcecastTags : kShoutcastTags) {
        at = upper.find(tag);
        tagLength = tag.size();
        if (at != String::npos) break;
    }
    if (at == String::npos) return 0;
    std::size_t i = at + tagLength;
    while (i < text.size() && text[i] == ' ')
        ++i;
    long long n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > 1000000000) return 1000000000; // a count beyond reason, not an overflow
    }
    return static_cast<int>(n);
}

} // namespace vd
