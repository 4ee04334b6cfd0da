#include "platform/rtl/IniDocument.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace vd {
namespace {

String Unquote(String value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Line breaks inside a value would start new lines (even a forged section), so they become
// blanks; a value that reading would change (outer blanks, outer quotes) is put in quotes.
String EncodeValue(std::string_view value) {
    String v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    const bool blanks = !v.empty() && (static_cast<unsigned char>(v.front()) <= ' ' ||
                                       static_cast<unsigned char>(v.back()) <= ' ');
    const bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    return blanks || quoted ? "\"" + v + "\"" : v;
}

String CleanName(std::string_view name) {
    String n = Trim(name);
    for (char& c : n)
        if (c == '\r' || c == '\n') c = ' ';
    return n;
}

} // namespace

TIniDocument::TLine TIniDocument::ParseLine(String raw) {
    TLine line;
    const String t = Trim(raw);
    line.Raw = std::move(raw);
    if (t.empty()) {
        line.Kind = TLineKind::lkBlank;
    } else if (t[0] == ';' || t[0] == '#') {
        line.Kind = TLineKind::lkComment;
    } else if (t[0] == '[') {
        const std::size_t close = t.find(']');
        if (close != String::npos) {
            line.Kind = TLineKind::lkSection;
            line.Name = Trim(std::string_view(t).substr(1, close - 1));
        }
    } else {
        const std::size_t eq = t.find('=');
        if (eq != String::npos && eq > 0) {
            line.Name = Trim(std::string_view(t).substr(0, eq));
            if (!line.Name.empty()) {
                line.Kind = TLineKind::lkKey;
                line.Value = Unquote(Trim(std::string_view(t).substr(eq + 1)));
            }
        }
    }
    return line;
}

void TIniDocument::Clear() {
    FLines.clear();
    FBom = false;
    FLineBreak = "\n";
}

void TIniDocument::Parse(std::string_view text) {
    Clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        FBom = true;
        text.remove_prefix(3);
    }
    const std::size_t firstBreak = text.find_first_of("\r\n");
    if (firstBreak != std::string_view::npos && text.substr(firstBreak, 2) == "\r\n") FLineBreak = "\r\n";
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t e = i;
        while (e < text.size() && text[e] != '\n' && text[e] != '\r')
            ++e;
        FLines.push_back(ParseLine(String(text.substr(i, e - i))));
        if (e < text.size() && text[e] == '\r') ++e;
        if (e < text.size() && text[e] == '\n') ++e;
        i = e;
    }
}

String TIniDocument::Serialize() const {
    String out = FBom ? "\xEF\xBB\xBF" : "";
    for (const TLine& line : FLines) {
        out += line.Raw;
        out += FLineBreak;
    }
    return out;
}

std::size_t TIniDocument::SectionEnd(std::size_t header) const {
    std::size_t e = header + 1;
    while (e < FLines.size() && FLines[e].Kind != TLineKind::lkSection)
        ++e;
    return e;
}

int TIniDocument::FindSection(std::string_view section, std::size_t* end) const {
    const String name = Trim(section);
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        if (FLines[i].Kind == TLineKind::lkSection && SameText(FLines[i].Name, name)) {
            if (end) *end = SectionEnd(i);
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool TIniDocument::ReadValue(std::string_view section, std::string_view key, String& value) const {
    std::size_t end = 0;
    const int header = FindSection(section, &end);
    if (header < 0) return false;
    const String k = Trim(key);
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
        if (FLines[i].Kind == TLineKind::lkKey && SameText(FLines[i].Name, k)) {
            value = FLines[i].Value;
            return true;
        }
    }
    return false;
}

void TIniDocument::WriteValue(std::string_view section, std::string_view key, std::string_view value) {
    const String k = CleanName(key);
    const String encoded = EncodeValue(value);
    std::size_t end = 0;
    int header = FindSection(section, &end);
    if (header < 0) {
        FLines.push_back(ParseLine("[" + CleanName(section) + "]"));
        header = static_cast<int>(FLines.size()) - 1;
        end = FLines.size();
    }
    std::size_t insertAt = static_cast<std::size_t>(header) + 1;
    for (std::size_t i = insertAt; i < end; ++i) {
        if (FLines[i].Kind != TLineKind::lkKey) continue;
        if (SameText(FLines[i].Name, k)) {
            FLines[i] = ParseLine(FLines[i].Name + "=" + encoded);
            return;
        }
        insertAt = i + 1;
    }
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(insertAt), ParseLine(k + "=" + encoded));
}

std::vector<String> TIniDocument::Sections() const {
    std::vector<String> names;
    for (const TLine& line : FLines) {
        if (line.Kind != TLineKind::lkSection) continue;
        const bool seen =
            std::any_of(names.begin(), names.end(), [&](const String& n) { return SameText(n, line.Name); });
        if (!seen) names.push_back(line.Name);
    }
    return names;
}

std::vector<std::pair<String, String>> TIniDocument::Values(std::string_view section) const {
    std::vector<std::pair<String, String>> pairs;
    std::size_t end = 0;
    const int header = FindSection(section, &end);
    if (header < 0) return pairs;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
        const TLine& line = FLines[i];
        if (line.Kind != TLineKind::lkKey) continue;
        const bool seen = std::any_of(pairs.begin(), pairs.end(),
                                      [&](const auto& p) { return SameText(p.first, line.Name); });
        if (!seen) pairs.emplace_back(line.Name, line.Value);
    }
    return pairs;
}

std::vector<String> TIniDocument::Keys(std::string_view section) const {
    std::vector<String> keys;
    for (auto& p : Values(section))
        keys.push_back(std::move(p.first));
    return keys;
}

bool TIniDocument::SectionExists(std::string_view section) const {
    return FindSection(section) >= 0;
}

void TIniDocument::EraseSection(std::string_view section) {
    for (;;) {
        std::size_t end = 0;
        const int header = FindSection(section, &end);
        if (header < 0) return;
        FLines.erase(FLines.begin() + header, FLines.begin() + static_cast<std::ptrdiff_t>(end));
    }
}

void TIniDocument::DeleteKey(std::string_view section, std::string_view key) {
    std::size_t end = 0;
    const int header = FindSection(section, &end);
    if (header < 0) return;
    const String k = Trim(key);
    // Every copy of the key goes, so that a later duplicate cannot take its place.
    for (std::size_t i = end; i-- > static_cast<std::size_t>(header) + 1;) {
        if (FLines[i].Kind == TLineKind::lkKey && SameText(FLines[i].Name, k))
            FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TIniDocument::SortSections(const std::function<bool(const String&, const String&)>& less) {
    struct TBlock {
        String Name;
        std::vector<TLine> Lines;
    };
    std::vector<TLine> preamble;
    std::vector<TBlock> blocks;
    for (TLine& line : FLines) {
        if (line.Kind == TLineKind::lkSection) blocks.push_back({line.Name, {}});
        if (blocks.empty())
            preamble.push_back(std::move(line));
        else
            blocks.back().Lines.push_back(std::move(line));
    }
    std::stable_sort(blocks.begin(), blocks.end(),
                     [&](const TBlock& a, const TBlock& b) { return less(a.Name, b.Name); });
    FLines = std::move(preamble);
    for (TBlock& b : blocks)
        for (TLine& line : b.Lines)
            FLines.push_back(std::move(line));
}

} // namespace vd
