#include "platform/shell/Autostart.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SmallFile.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <set>

namespace vd {

namespace {

struct TEntry {
    String Path;
    String FileName;
    String Program;
};

// Desktop files are small; anything larger is no entry of ours.
constexpr std::size_t MaxEntrySize = 1 << 20;

std::vector<TEntry> EntriesOf(const String& folder) {
    std::vector<TEntry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    while (const dirent* d = ::readdir(dir)) {
        const String name = d->d_name;
        if (name.size() <= 8 || name.compare(name.size() - 8, 8, ".desktop") != 0) continue;
        TEntry entry{folder + "/" + name, name, String()};
        String text;
        if (ReadSmallFile(entry.Path, text, MaxEntrySize) == 0) entry.Program = AutostartEntryProgram(text);
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const TEntry& a, const TEntry& b) { return a.FileName < b.FileName; });
    return entries;
}

// The first word of an Exec value, with the desktop-entry quoting rules undone.
String FirstExecWord(const String& exec) {
    String word;
    std::size_t i = 0;
    while (i < exec.size() && exec[i] == ' ')
        ++i;
    if (i < exec.size() && exec[i] == '"') {
        for (++i; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
            word += exec[i];
        }
    } else {
        for (; i < exec.size() && exec[i] != ' ' && exec[i] != '\t'; ++i)
            word += exec[i];
    }
    String unescaped; // "%%" stands for "%"
    for (std::size_t j = 0; j < word.size(); ++j) {
        unescaped += word[j];
        if (word[j] == '%' && j + 1 < word.size() && word[j + 1] == '%') ++j;
    }
    return unescaped;
}

String QuoteExec(const String& path) {
    const bool plain = std::all_of(path.begin(), path.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || String("/._-+,:@").find(c) != String::npos ||
               static_cast<unsigned char>(c) >= 0x80;
    });
    String out = plain ? String() : String("\"");
    for (char c : path) {
        if (!plain && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
        out += c;
        if (c == '%') out += '%';
    }
    return plain ? out : out + "\"";
}

bool WriteEntry(const String& path, const String& text) {
    if (!ForceDirectories(ExtractFileDir(path))) return false;
    try {
        AtomicWriteFile(path, text, 0644);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

String UserAutostartFolder() {
    return UserConfigDir() + "/autostart";
}

std::vector<String> SystemAutostartFolders() {
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::vector<String> folders;
    String list = dirs && dirs[0] ? dirs : "/etc/xdg";
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == String::npos) end = list.size();
        const String dir = list.substr(start, end - start);
        if (!dir.empty() && dir[0] == '/')
            folders.push_back(ExcludeTrailingPathDelimiter(dir) + "/autostart");
        start = end + 1;
    }
    return folders;
}

String AutostartEntryProgram(const String& text) {
    bool inEntry = false, hidden = false, application = true;
    String exec;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == String::npos) end = text.size();
        String line = Trim(std::string_view(text).substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!inEntry || eq == String::npos) continue;
        const String key = Trim(line.substr(0, eq));
        const String value = Trim(line.substr(eq + 1));
        if (key == "Exec" && exec.empty())
            exec = value;
        else if (key == "Hidden")
            hidden = SameText(value, "true");
        else if (key == "Type")
            application = value == "Application";
    }
    if (hidden || !application) return String();
    return FirstExecWord(exec);
}

bool ReadAutoStart(const String& programPath) {
    std::set<String> seen;
    std::vector<String> folders{UserAutostartFolder()};
    for (const String& folder : SystemAutostartFolders())
        folders.push_back(folder);
    for (const String& folder : folders)
        for (const TEntry& entry : EntriesOf(folder)) {
            // The first folder that holds a file name decides for that name.
            if (!seen.insert(entry.FileName).second) continue;
            if (!entry.Program.empty() && entry.Program == programPath) return true;
        }
    return false;
}

bool WriteAutoStart(const String& programPath, bool on) {
    const String user = UserAutostartFolder();
    const std::vector<TEntry> own = EntriesOf(user);
    if (on) {
        for (const TEntry& entry : own)
            if (entry.Program == programPath) return true;
        const String name = ExtractFileName(programPath);
        return WriteEntry(user + "/" + name + ".desktop", "[Desktop Entry]\nType=Application\nName=" + name +
                                                              "\nExec=" + QuoteExec(programPath) +
                                                              "\nX-GNOME-Autostart-enabled=true\n");
    }
    bool ok = true;
    std::set<String> userNames;
    for (const TEntry& entry : own) {
        if (entry.Program == programPath && !DeleteFile(entry.Path))
            ok = false;
        else if (entry.Program != programPath)
            userNames.insert(entry.FileName);
    }
    // A system entry cannot be deleted by the user, but a hidden entry of the same name
    // switches it off for the user.
    for (const String& folder : SystemAutostartFolders())
        for (const TEntry& entry : EntriesOf(folder)) {
            if (entry.Program != programPath || !userNames.insert(entry.FileName).second) continue;
            if (!WriteEntry(user + "/" + entry.FileName, "[Desktop Entry]\nType=Application\nHidden=true\n"))
                ok = false;
        }
    return ok;
}

} // namespace vd
