#include "skin/store/SkinIni.h"

#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"

#include <cstdint>

namespace vd {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

bool TryParseIniInteger(std::string_view untrimmed, int& value) {
    const String trimmed = Trim(untrimmed);
    std::string_view text = trimmed;
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    std::uint64_t acc = 0;
    for (char c : text) {
        int d = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (d < 0) return false;
        acc = acc * unsigned(base) + unsigned(d);
        if (acc > 0xFFFFFFFFull) return false;
    }
    std::int64_t v;
    if (base == 16) {
        // Hexadecimal text spells the 32 bits themselves (clBtnFace is $FF00000F).
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(acc));
        if (negative) v = -v;
    } else {
        v = negative ? -static_cast<std::int64_t>(acc) : static_cast<std::int64_t>(acc);
    }
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

void TskMemIniFile::SetText(std::string_view text) {
    if (auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    TStringList lines;
    lines.SetText(text);
    FSections.clear();
    FIndex.clear();
    Section* current = nullptr;
    for (int i = 0; i < lines.Count(); ++i)
        AddLine(lines[i], current);
}

void TskMemIniFile::SetStrings(const std::vector<String>& lines) {
    FSections.clear();
    FIndex.clear();
    Section* current = nullptr;
    for (const String& l : lines)
        AddLine(l, current);
}

void TskMemIniFile::AddLine(std::string_view raw, Section*& current) {
    const String trimmed = Trim(raw);
    std::string_view line = trimmed;
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
        const String name = Trim(line.substr(1, line.size() - 2));
        String key = LowerCase(name);
        FSections.push_back(Section{name, {}, true});
        // A section that occurs twice is found at its first occurrence only.
        if (FIndex.count(key))
            FSections.back().Reachable = false;
        else
            FIndex.emplace(key, FSections.size() - 1);
        current = &FSections.back();
        return;
    }
    if (!current) return;
    Line l;
    if (auto eq = line.find('='); eq != std::string_view::npos) {
        l.Name = Trim(line.substr(0, eq));
        l.Value = Trim(line.substr(eq + 1));
        l.HasKey = true;
    } else {
        l.Name = String(line);
    }
    current->Lines.push_back(std::move(l));
}

String TskMemIniFile::Text() const {
    String out;
    for (const Section& s : FSections) {
        out += '[' + s.Name + "]\r\n";
        for (const Line& l : s.Lines) {
            out += l.HasKey ? l.Name + '=' + l.Value : l.Name;
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

const TskMemIniFile::Section* TskMemIniFile::FindSection(std::string_view name) const {
    auto it = FIndex.find(LowerCase(name));
    return it == FIndex.end() ? nullptr : &FSections[it->second];
}

bool TskMemIniFile::SectionExists(std::string_view section) const {
    const Section* s = FindSection(section);
    return s && !s->Lines.empty();
}

bool TskMemIniFile::ValueExists(std::string_view section, std::string_view key) const {
    if (const Section* s = FindSection(section))
        for (const Line& l : s->Lines)
            if (l.HasKey && SameText(l.Name, key)) return true;
    return false;
}

String TskMemIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    if (const Section* s = FindSection(section))
        for (const Line& l : s->Lines)
            if (l.HasKey && SameText(l.Name, key)) return l.Value;
    return String(def);
}

int TskMemIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    if (const Section* s = FindSection(section))
        for (const Line& l : s->Lines)
            if (l.HasKey && SameText(l.Name, key)) {
                int v = def;
                return TryParseIniInteger(l.Value, v) ? v : def;
            }
    return def;
}

TskMemIniFile::Section& TskMemIniFile::SectionForWrite(std::string_view name) {
    auto it = FIndex.find(LowerCase(name));
    if (it != FIndex.end()) return FSections[it->second];
    FSections.push_back(Section{String(name), {}, true});
    FIndex.emplace(LowerCase(name), FSections.size() - 1);
    return FSections.back();
}

void TskMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = SectionForWrite(section);
    for (Line& l : s.Lines)
        if (l.HasKey && SameText(l.Name, key)) {
            l.Value = String(value);
            return;
        }
    s.Lines.push_back(Line{String(key), String(value), true});
}

void TskMemIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TskMemIniFile::EraseSection(std::string_view section) {
    String key = LowerCase(section);
    bool erased = false;
    for (size_t i = FSections.size(); i-- > 0;)
        if (LowerCase(FSections[i].Name) == key) {
            FSections.erase(FSections.begin() + long(i));
            erased = true;
        }
    if (erased) Reindex();
}

void TskMemIniFile::Reindex() {
    FIndex.clear();
    for (size_t i = 0; i < FSections.size(); ++i) {
        String key = LowerCase(FSections[i].Name);
        FSections[i].Reachable = !FIndex.count(key);
        if (FSections[i].Reachable) FIndex.emplace(key, i);
    }
}

std::vector<String> TskMemIniFile::SectionKeys(std::string_view section) const {
    std::vector<String> keys;
    if (const Section* s = FindSection(section))
        for (const Line& l : s->Lines)
            if (l.HasKey) keys.push_back(l.Name);
    return keys;
}

std::vector<String> TskMemIniFile::SectionNames() const {
    std::vector<String> names;
    for (const Section& s : FSections)
        if (s.Reachable) names.push_back(s.Name);
    return names;
}

} // namespace vd
