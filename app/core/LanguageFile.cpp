#include "app/core/LanguageFile.h"

#include "platform/rtl/SmallFile.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace vd {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// "[name]" gives true and the name between the brackets, blanks trimmed.
bool SectionHeader(const String& line, String& name) {
    if (line.empty() || line[0] != '[') return false;
    const std::size_t close = line.find(']');
    if (close == String::npos) return false;
    std::size_t b = 1, e = close;
    while (b < e && IsBlank(line[b]))
        ++b;
    while (e > b && IsBlank(line[e - 1]))
        --e;
    name = line.substr(b, e - b);
    return true;
}

bool KeyLess(const TLanguageEntry& a, const TLanguageEntry& b) {
    return a.Key < b.Key;
}

} // namespace

TLanguageList ParseLanguageSection(const String& text, const String& section) {
    const String wanted = UpperCase(section);
    TLanguageList list;
    bool inSection = false, done = false;
    std::size_t start = 0;
    while (start < text.size() && !done) {
        std::size_t end = text.find('\n', start);
        if (end == String::npos) end = text.size();
        String line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t lead = 0;
        while (lead < line.size() && IsBlank(line[lead]))
            ++lead;
        line.erase(0, lead);
        String name;
        if (SectionHeader(line, name)) {
            done = inSection; // only the first section of that name counts
            inSection = UpperCase(name) == wanted;
            continue;
        }
        if (!inSection || line.empty() || line[0] == ';') continue;
        const std::size_t eq = line.find('=');
        if (eq == String::npos || eq == 0) continue;
        list.push_back({UpperCase(Utf8Left(line.substr(0, eq), LanguageTextLength)),
                        Utf8Left(line.substr(eq + 1), LanguageTextLength)});
    }
    // Keys are upper-cased ASCII, so a plain byte order is the case-insensitive order.
    std::stable_sort(list.begin(), list.end(), KeyLess);
    return list;
}

TLanguageList ReadLanguageSection(const String& fileName, const String& section) {
    String text;
    if (ReadSmallFile(fileName, text, MaxTextFileSize) != 0) return {};
    return ParseLanguageSection(text, section);
}

const TLanguageEntry* FindLanguageEntry(const TLanguageList& list, const String& key) {
    const TLanguageEntry probe{UpperCase(key), String()};
    const auto it = std::lower_bound(list.begin(), list.end(), probe, KeyLess);
    if (it == list.end() || it->Key != probe.Key) return nullptr;
    return &*it;
}

} // namespace vd
