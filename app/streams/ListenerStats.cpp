#include "app/streams/ListenerStats.h"

#include <cctype>

namespace vd {

int ListenerCountFromStats(const String& text, bool icecast) {
    String upper = text;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::size_t at = String::npos;
    std::size_t tagLength = 0;
    for (const char* tag : icecast ? std::initializer_list<const char*>{"<LISTENERS>", "LISTENERS"}
                                   : std::initializer_list<const char*>{"<CURRENTLISTENERS>"}) {
        at = upper.find(tag);
        tagLength = String(tag).size();
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
