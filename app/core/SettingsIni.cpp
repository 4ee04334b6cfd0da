#include "app/core/SettingsIni.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

String TrimBlanks(const String& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool SameText(const String& a, const String& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

// "[name]" (blanks around allowed) gives true and the trimmed name.
bool ParseHeader(const String& line, String& name) {
    const String t = TrimBlanks(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    const std::size_t close = t.find(']');
    if (close == String::npos)
        return false;
    name = TrimBlanks(t.substr(1, close - 1));
    return true;
}

// "key=value" gives true with the trimmed key; comments and lines without a key give false.
bool ParseKey(const String& line, String& key, String* value) {
    const String t = TrimBlanks(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return false;
    const std::size_t eq = t.find('=');
    if (eq == String::npos || eq == 0)
        return false;
    key = TrimBlanks(t.substr(0, eq));
    if (key.empty())
        return false;
    if (value) {
        String v = TrimBlanks(t.substr(eq + 1));
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        *value = v;
    }
    return true;
}

// A value or name must stay on its line.
String OneLine(const String& s) {
    String r = s;
    for (char& c : r)
        if (c == '\r' || c == '\n')
            c = ' ';
    return r;
}

bool WriteAll(int fd, const String& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void MakeFolders(const String& folder) {
    for (std::size_t i = 1; i <= folder.size(); ++i)
        if (i == folder.size() || folder[i] == '/')
            ::mkdir(folder.substr(0, i).c_str(), 0700);
}

} // namespace

TSettingsIni::TSettingsIni(const String& fileName) : FFileName(fileName) {
    std::FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f)
        return;
    String text;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    std::fclose(f);
    SetText(text);
}

void TSettingsIni::SetText(const String& text) {
    FLines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == String::npos)
            end = text.size();
        String line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        FLines.push_back(std::move(line));
        start = end + 1;
    }
}

String TSettingsIni::Text() const {
    String text;
    for (const String& line : FLines) {
        text += line;
        text += '\n';
    }
    return text;
}

bool TSettingsIni::Save() const { return SaveAs(FFileName); }

bool TSettingsIni::SaveAs(const String& fileName) const {
    if (fileName.empty())
        return false;
    const std::size_t slash = fileName.rfind('/');
    if (slash != String::npos && slash > 0)
        MakeFolders(fileName.substr(0, slash));
    String temp = fileName + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0600) == 0 && WriteAll(fd, Text()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), fileName.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

int TSettingsIni::FindSection(const String& section) const {
    String name;
    for (std::size_t i = 0; i < FLines.size(); ++i)
        if (ParseHeader(FLines[i], name) && SameText(name, section))
            return static_cast<int>(i);
    return -1;
}

int TSettingsIni::SectionEnd(int header) const {
    String name;
    std::size_t i = static_cast<std::size_t>(header) + 1;
    while (i < FLines.size() && !ParseHeader(FLines[i], name))
        ++i;
    return static_cast<int>(i);
}

int TSettingsIni::FindKey(int header, const String& key) const {
    const int end = SectionEnd(header);
    String k;
    for (int i = header + 1; i < end; ++i)
        if (ParseKey(FLines[static_cast<std::size_t>(i)], k, nullptr) && SameText(k, key))
            return i;
    return -1;
}

String TSettingsIni::ReadString(const String& section, const String& key,
                                const String& defaultValue) const {
    const int header = FindSection(section);
    if (header < 0)
        return defaultValue;
    const int line = FindKey(header, key);
    if (line < 0)
        return defaultValue;
    String k, v;
    ParseKey(FLines[static_cast<std::size_t>(line)], k, &v);
    return v;
}

std::int32_t TSettingsIni::ReadInteger(const String& section, const String& key,
                                       std::int32_t defaultValue) const {
    const String text = ReadString(section, key, String());
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    std::int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last)
        return defaultValue;
    return value;
}

bool TSettingsIni::ReadBool(const String& section, const String& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TSettingsIni::ValueExists(const String& section, const String& key) const {
    const int header = FindSection(section);
    return header >= 0 && FindKey(header, key) >= 0;
}

bool TSettingsIni::SectionExists(const String& section) const { return FindSection(section) >= 0; }

std::vector<String> TSettingsIni::ReadSections() const {
    std::vector<String> names;
    String name;
    for (const String& line : FLines) {
        if (!ParseHeader(line, name))
            continue;
        bool seen = false;
        for (const String& n : names)
            seen = seen || SameText(n, name);
        if (!seen)
            names.push_back(name);
    }
    return names;
}

void TSettingsIni::WriteString(const String& section, const String& key, const String& value) {
    const String line = OneLine(key) + "=" + OneLine(value);
    int header = FindSection(section);
    if (header < 0) {
        if (!FLines.empty() && !TrimBlanks(FLines.back()).empty())
            FLines.emplace_back();
        FLines.push_back("[" + OneLine(section) + "]");
        FLines.push_back(line);
        return;
    }
    const int existing = FindKey(header, key);
    if (existing >= 0) {
        FLines[static_cast<std::size_t>(existing)] = line;
        return;
    }
    // After the last non-blank line of the section, so that a blank separator stays last.
    int at = SectionEnd(header);
    while (at > header + 1 && TrimBlanks(FLines[static_cast<std::size_t>(at - 1)]).empty())
        --at;
    FLines.insert(FLines.begin() + at, line);
}

void TSettingsIni::WriteInteger(const String& section, const String& key, std::int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void TSettingsIni::WriteBool(const String& section, const String& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TSettingsIni::DeleteKey(const String& section, const String& key) {
    const int header = FindSection(section);
    if (header < 0)
        return;
    const int line = FindKey(header, key);
    if (line >= 0)
        FLines.erase(FLines.begin() + line);
}

void TSettingsIni::EraseSection(const String& section) {
    for (int header = FindSection(section); header >= 0; header = FindSection(section))
        FLines.erase(FLines.begin() + header, FLines.begin() + SectionEnd(header));
}

} // namespace vd
