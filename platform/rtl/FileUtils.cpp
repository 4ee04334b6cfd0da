#include "platform/rtl/FileUtils.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {

String ExtractFilePath(std::string_view path) {
    const std::size_t p = path.rfind(PathDelim);
    return p == std::string_view::npos ? String() : String(path.substr(0, p + 1));
}

String ExtractFileName(std::string_view path) {
    const std::size_t p = path.rfind(PathDelim);
    return String(p == std::string_view::npos ? path : path.substr(p + 1));
}

String ExtractFileExt(std::string_view path) {
    const String name = ExtractFileName(path);
    const std::size_t p = name.rfind('.');
    return p == String::npos ? String() : name.substr(p);
}

String ExtractFileDir(std::string_view path) {
    String dir = ExtractFilePath(path);
    if (dir.size() > 1 && dir.back() == PathDelim) dir.pop_back();
    return dir;
}

String ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::size_t slash = path.rfind(PathDelim);
    const std::size_t dot = path.rfind('.');
    const bool hasExt = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    String out(hasExt ? path.substr(0, dot) : path);
    out.append(ext);
    return out;
}

String IncludeTrailingPathDelimiter(std::string_view path) {
    String out(path);
    if (out.empty() || out.back() != PathDelim) out += PathDelim;
    return out;
}

String ExcludeTrailingPathDelimiter(std::string_view path) {
    String out(path);
    if (out.size() > 1 && out.back() == PathDelim) out.pop_back();
    return out;
}

bool FileExists(const String& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const String& path) {
    return ::unlink(path.c_str()) == 0;
}

bool RenameFile(const String& from, const String& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool ForceDirectories(const String& path) {
    const String dir = ExcludeTrailingPathDelimiter(path);
    if (dir.empty() || DirectoryExists(dir)) return !dir.empty();
    const String parent = ExtractFileDir(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return ::mkdir(dir.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(dir));
}

bool DirectoryWritable(const String& path) {
    return DirectoryExists(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool MatchesMask(std::string_view name, std::string_view mask, bool caseSensitive) {
    const auto same = [caseSensitive](char a, char b) {
        if (caseSensitive) return a == b;
        const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        return up(a) == up(b);
    };
    // Greedy match with one backtrack point: the last "*" seen.
    std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && same(mask[m], name[n])))) {
            ++n, ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::vector<String> FindFiles(const String& folder, std::string_view mask) {
    std::vector<String> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir)) {
        const String name = e->d_name;
        if (name == "." || name == ".." || !MatchesMask(name, mask)) continue;
        if (FileExists(IncludeTrailingPathDelimiter(folder.empty() ? "." : folder) + name))
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(),
              [](const String& a, const String& b) { return CompareText(a, b) < 0; });
    return names;
}

String GetEnv(const char* name) {
    const char* v = std::getenv(name);
    return v ? String(v) : String();
}

String UserConfigDir() {
    const String xdg = GetEnv("XDG_CONFIG_HOME");
    if (!xdg.empty() && xdg.front() == '/') return ExcludeTrailingPathDelimiter(xdg);
    return ExcludeTrailingPathDelimiter(IncludeTrailingPathDelimiter(GetEnv("HOME")) + ".config");
}

String ProgramPath() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? String(buf, static_cast<std::size_t>(n)) : String();
}

String SysErrorMessage(int err) {
    char buf[256];
    // The GNU strerror_r may return a static string instead of filling buf.
    const char* text = strerror_r(err, buf, sizeof buf);
    return text ? String(text) : String();
}

} // namespace vd
