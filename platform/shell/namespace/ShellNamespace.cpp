#include "platform/shell/namespace/ShellNamespace.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SmallFile.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {
namespace {

const char* const kHome = "home";
const char* const kComputer = "computer";

bool IsPlainName(const String& s) {
    return !s.empty() && s != "." && s != ".." && s.find('/') == String::npos && s.find('\0') == String::npos;
}

String Join(const String& dir, const String& name) {
    return dir == "/" ? "/" + name : dir + "/" + name;
}

bool StatDir(const String& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const String& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Reads a kernel text file (proc files report no size) up to a bound.
String ReadProcText(const char* path) {
    String text;
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path, "re"), &std::fclose);
    if (!f) return text;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0 && text.size() < (4u << 20))
        text.append(buf, n);
    return text;
}

// Mount points and labels escape spaces and the like as \ooo (octal) or \xHH.
String Unescape(std::string_view s) {
    auto oct = [](char c) { return c >= '0' && c <= '7'; };
    auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    String out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            const char a = s[i + 1], b = s[i + 2], c = s[i + 3];
            if (a >= '0' && a <= '3' && oct(b) && oct(c)) {
                out += static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
                i += 3;
                continue;
            }
            if (a == 'x' && hex(b) && hex(c)) {
                out += static_cast<char>(std::stoi(String{b, c}, nullptr, 16));
                i += 3;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

std::vector<std::string_view> SplitSpaces(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

bool Under(const String& path, const char* prefix) {
    const String p = prefix;
    return path.size() > p.size() && path.compare(0, p.size(), p) == 0 && path[p.size()] == '/';
}

String DeviceLabel(const String& device) {
    String wanted = device;
    char real[PATH_MAX];
    if (::realpath(device.c_str(), real)) wanted = real;
    DIR* d = ::opendir("/dev/disk/by-label");
    if (!d) return {};
    String label;
    while (dirent* e = ::readdir(d)) {
        const String name = e->d_name;
        if (name == "." || name == "..") continue;
        const String link = "/dev/disk/by-label/" + name;
        if (::realpath(link.c_str(), real) && wanted == real) {
            label = Unescape(name);
            break;
        }
    }
    ::closedir(d);
    return label;
}

bool DeviceRemovable(const String& device) {
    const String base = ExtractFileName(device);
    if (base.empty()) return false;
    for (const String& f :
         {"/sys/class/block/" + base + "/removable", "/sys/class/block/" + base + "/../removable"}) {
        String text;
        if (ReadFileHead(f, text, 8) == 0 && !text.empty()) return text[0] == '1';
    }
    return false;
}

// Natural order of two names: digit runs as numbers, other bytes without regard to ASCII case.
int NaturalCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            std::size_t ie = i, je = j;
            while (ie < a.size() && digit(a[ie]))
                ++ie;
            while (je < b.size() && digit(b[je]))
                ++je;
            std::size_t is = i, js = j;
            while (is + 1 < ie && a[is] == '0')
                ++is;
            while (js + 1 < je && b[js] == '0')
                ++js;
            if (ie - is != je - js) return ie - is < je - js ? -1 : 1;
            if (const int c = a.substr(is, ie - is).compare(b.substr(js, je - js))) return c < 0 ? -1 : 1;
            i = ie;
            j = je;
            continue;
        }
        const auto ca = static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(a[i])));
        const auto cb = static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(b[j])));
        if (ca != cb) return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool HasSubFolder(const String& path) {
    DIR* d = ::opendir(path.c_str());
    if (!d) return false;
    bool found = false;
    while (dirent* e = ::readdir(d)) {
        const String name = e->d_name;
        if (name == "." || name == "..") continue;
        if (e->d_type == DT_DIR ||
            ((e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) && StatDir(Join(path, name)))) {
            found = true;
            break;
        }
    }
    ::closedir(d);
    return found;
}

String TwoDigits(int v) {
    return String(1, static_cast<char>('0' + v / 10 % 10)) + static_cast<char>('0' + v % 10);
}

} // namespace

String SanitizeUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return String(bytes);
    String out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t size = 0;
        const char32_t cp = Utf8Decode(bytes, i, &size);
        if (size == 0) size = 1;
        const std::string_view piece = bytes.substr(i, size);
        out += IsValidUtf8(piece) && cp != 0xFFFD ? String(piece) : Utf8Encode(0xFFFD);
        i += size;
    }
    return out;
}

std::optional<String> NormalizeAbsolutePath(const String& path) {
    if (path.empty() || path[0] != '/') return std::nullopt;
    std::vector<String> parts;
    std::size_t i = 0;
    while (i <= path.size()) {
        std::size_t e = path.find('/', i);
        if (e == String::npos) e = path.size();
        const String seg = path.substr(i, e - i);
        if (seg == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!seg.empty() && seg != ".") {
            parts.push_back(seg);
        }
        i = e + 1;
    }
    String out;
    for (const String& p : parts)
        out += "/" + p;
    return out.empty() ? String("/") : out;
}

std::vector<TShellVolume> ParseMountInfo(std::string_view text) {
    std::vector<TShellVolume> volumes;
    TShellVolume root;
    root.MountPoint = "/";
    std::vector<String> shownDevices; // major:minor of what is shown
    String rootId;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::vector<std::string_view> f = SplitSpaces(text.substr(pos, end - pos));
        pos = end + 1;
        // id parent major:minor root mount-point options [optional...] - fstype source super
        if (f.size() < 10) continue;
        std::size_t dash = 6;
        while (dash < f.size() && f[dash] != "-")
            ++dash;
        if (dash + 2 >= f.size()) continue;
        const String id(f[2]);
        const String fsRoot = Unescape(f[3]);
        const String mount = Unescape(f[4]);
        const String fsType(f[dash + 1]);
        const String source = Unescape(f[dash + 2]);
        if (mount == "/") {
            root.Device = source;
            root.FsType = fsType;
            rootId = id;
            continue;
        }
        const bool place = Under(mount, "/media") || Under(mount, "/run/media") || Under(mount, "/mnt") ||
                           mount == "/mnt" || mount == "/home";
        const bool block = source.compare(0, 5, "/dev/") == 0 && source.compare(0, 9, "/dev/loop") != 0 &&
                           fsType != "squashfs" && fsType != "overlay";
        if (!place || !block || fsRoot != "/") continue; // a bind mount of a folder starts below the root
        TShellVolume v;
        v.MountPoint = mount;
        v.Device = source;
        v.FsType = fsType;
        v.Removable = Under(mount, "/media") || Under(mount, "/run/media");
        auto same = std::find_if(volumes.begin(), volumes.end(),
                                 [&](const TShellVolume& o) { return o.MountPoint == mount; });
        if (same != volumes.end()) {
            *same = v; // mounted over: the later one is what the folder shows
            continue;
        }
        if (std::find(shownDevices.begin(), shownDevices.end(), id) != shownDevices.end()) continue;
        shownDevices.push_back(id);
        volumes.push_back(v);
    }
    // A device shown as the root file system is not shown again.
    if (!rootId.empty()) {
        std::vector<TShellVolume> kept;
        for (std::size_t k = 0; k < volumes.size(); ++k)
            if (shownDevices[k] != rootId) kept.push_back(volumes[k]);
        volumes.swap(kept);
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const TShellVolume& a, const TShellVolume& b) { return a.MountPoint < b.MountPoint; });
    volumes.insert(volumes.begin(), root);
    return volumes;
}

ShellEnvironment ShellEnvironment::FromSystem() {
    ShellEnvironment env;
    env.Home = GetEnv("HOME");
    if (env.Home.empty())
        if (const passwd* pw = ::getpwuid(::getuid())) env.Home = pw->pw_dir ? pw->pw_dir : "";
    if (const auto home = NormalizeAbsolutePath(env.Home)) env.Home = *home;
    for (const char* v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DESKTOP_DIR", "XDG_TEMPLATES_DIR",
                          "XDG_DOCUMENTS_DIR", "XDG_MUSIC_DIR", "XDG_DOWNLOAD_DIR"}) {
        const String value = GetEnv(v);
        if (!value.empty()) env.Variables[v] = value;
    }
    env.MountInfo = ReadProcText("/proc/self/mountinfo");
    env.Label = DeviceLabel;
    env.Removable = DeviceRemovable;
    return env;
}

TShellNamespace::TShellNamespace(ShellEnvironment env) : FEnv(std::move(env)) {
    RefreshVolumes();
}

TShellNamespace& TShellNamespace::Default() {
    static TShellNamespace ns(ShellEnvironment::FromSystem());
    return ns;
}

void TShellNamespace::RefreshVolumes() {
    FVolumes = ParseMountInfo(FEnv.MountInfo);
    for (TShellVolume& v : FVolumes)
        if (!v.Removable && FEnv.Removable && !v.Device.empty() && v.MountPoint != "/")
            v.Removable = FEnv.Removable(v.Device);
}

int TShellNamespace::VolumeIndex(const String& mountPoint) const {
    for (std::size_t i = 0; i < FVolumes.size(); ++i)
        if (FVolumes[i].MountPoint == mountPoint) return static_cast<int>(i);
    return -1;
}

TShellItemKind TShellNamespace::KindOf(const ItemIdList& item) const {
    if (item.empty()) return TShellItemKind::Desktop;
    std::size_t first = 0;
    if (item[0] == kHome) {
        if (FEnv.Home.empty()) return TShellItemKind::Invalid;
        if (item.size() == 1) return TShellItemKind::Home;
        first = 1;
    } else if (item[0] == kComputer) {
        if (item.size() == 1) return TShellItemKind::Computer;
        if (VolumeIndex(item[1]) < 0) return TShellItemKind::Invalid;
        if (item.size() == 2) return TShellItemKind::Volume;
        first = 2;
    } else {
        return TShellItemKind::Invalid;
    }
    for (std::size_t i = first; i < item.size(); ++i)
        if (!IsPlainName(item[i])) return TShellItemKind::Invalid;
    return TShellItemKind::Entry;
}

String TShellNamespace::FileSystemPath(const ItemIdList& item) const {
    const TShellItemKind kind = KindOf(item);
    if (kind == TShellItemKind::Desktop || kind == TShellItemKind::Computer ||
        kind == TShellItemKind::Invalid)
        return {};
    String path = item[0] == kHome ? FEnv.Home : item[1];
    for (std::size_t i = item[0] == kHome ? 1 : 2; i < item.size(); ++i)
        path = Join(path, item[i]);
    return path;
}

bool TShellNamespace::Enumerate(const ItemIdList& folder, unsigned flags,
                                std::vector<String>& children) const {
    children.clear();
    switch (KindOf(folder)) {
    case TShellItemKind::Desktop:
        if (flags & SHCONTF_FOLDERS) {
            if (!FEnv.Home.empty()) children.push_back(kHome);
            children.push_back(kComputer);
        }
        return true;
    case TShellItemKind::Computer:
        if (flags & SHCONTF_FOLDERS)
            for (const TShellVolume& v : FVolumes)
                children.push_back(v.MountPoint);
        return true;
    case TShellItemKind::Invalid:
        return false;
    default:
        break;
    }
    const String path = FileSystemPath(folder);
    DIR* d = ::opendir(path.c_str());
    if (!d) return false;
    while (dirent* e = ::readdir(d)) {
        const String name = e->d_name;
        if (name == "." || name == "..") continue;
        if (name[0] == '.' && !(flags & SHCONTF_INCLUDEHIDDEN)) continue;
        const bool isFolder = e->d_type == DT_DIR ||
                              ((e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) && StatDir(Join(path, name)));
        if (isFolder ? !(flags & SHCONTF_FOLDERS) : !(flags & SHCONTF_NONFOLDERS)) continue;
        children.push_back(name);
    }
    ::closedir(d);
    return true;
}

std::uint32_t TShellNamespace::Attributes(const ItemIdList& item, std::uint32_t mask) const {
    if (mask == 0) mask = 0xFFFFFFFFu;
    std::uint32_t a = 0;
    const TShellItemKind kind = KindOf(item);
    switch (kind) {
    case TShellItemKind::Invalid:
        return 0;
    case TShellItemKind::Desktop:
    case TShellItemKind::Computer:
        return (SFGAO_FOLDER | SFGAO_HASSUBFOLDER) & mask;
    default:
        break;
    }
    const String path = FileSystemPath(item);
    struct stat ls;
    const bool found = ::lstat(path.c_str(), &ls) == 0;
    if (!found && kind == TShellItemKind::Entry) return 0; // gone
    struct stat st = ls;
    const bool link = found && S_ISLNK(ls.st_mode);
    if (link && ::stat(path.c_str(), &st) != 0) st = ls; // a broken link is a file
    a |= SFGAO_FILESYSTEM;
    if (link) a |= SFGAO_LINK;
    // The home folder and the volumes are folders even while their place cannot be read.
    if (!found || S_ISDIR(st.st_mode)) a |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;
    if (::access(path.c_str(), W_OK) != 0) a |= SFGAO_READONLY;
    if (kind == TShellItemKind::Entry) {
        if (item.back()[0] == '.') a |= SFGAO_HIDDEN;
        if (::access(ExtractFileDir(path).empty() ? "/" : ExtractFileDir(path).c_str(), W_OK) == 0)
            a |= SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANMOVE;
        a |= SFGAO_CANCOPY | SFGAO_CANLINK;
    }
    if (kind == TShellItemKind::Volume) {
        const int v = VolumeIndex(item[1]);
        if (v >= 0 && FVolumes[static_cast<std::size_t>(v)].Removable) a |= SFGAO_REMOVABLE;
    }
    if ((a & SFGAO_FOLDER) && (mask & SFGAO_HASSUBFOLDER) && HasSubFolder(path)) a |= SFGAO_HASSUBFOLDER;
    return a & mask;
}

String TShellNamespace::DisplayName(const ItemIdList& item, unsigned flags) const {
    const bool parsing = (flags & SHGDN_FORPARSING) != 0;
    switch (KindOf(item)) {
    case TShellItemKind::Desktop:
        return "Desktop";
    case TShellItemKind::Computer:
        return "Computer";
    case TShellItemKind::Home:
        return parsing ? FEnv.Home : String("Home");
    case TShellItemKind::Volume: {
        if (parsing) return item[1];
        if (item[1] == "/") return "File System";
        const TShellVolume& v = FVolumes[static_cast<std::size_t>(VolumeIndex(item[1]))];
        String label = FEnv.Label && !v.Device.empty() ? FEnv.Label(v.Device) : String();
        if (label.empty()) label = ExtractFileName(v.MountPoint);
        return SanitizeUtf8(label);
    }
    case TShellItemKind::Entry:
        return parsing ? FileSystemPath(item) : SanitizeUtf8(item.back());
    default:
        return {};
    }
}

std::optional<ItemIdList> TShellNamespace::ParsePath(const String& path) const {
    const auto norm = NormalizeAbsolutePath(path);
    if (!norm || !Exists(*norm)) return std::nullopt;
    // The volume with the longest mount point that holds the path.
    int best = -1;
    std::size_t bestLen = 0;
    for (std::size_t i = 0; i < FVolumes.size(); ++i) {
        const String& mp = FVolumes[i].MountPoint;
        const bool holds = mp == "/" || *norm == mp || Under(*norm, mp.c_str());
        if (holds && (best < 0 || mp.size() > bestLen)) {
            best = static_cast<int>(i);
            bestLen = mp.size();
        }
    }
    if (best < 0) return std::nullopt;
    const String& mp = FVolumes[static_cast<std::size_t>(best)].MountPoint;
    ItemIdList list{kComputer, mp};
    const String rest = mp == "/" ? norm->substr(1) : norm->substr(std::min(norm->size(), mp.size() + 1));
    std::size_t i = 0;
    while (i < rest.size()) {
        std::size_t e = rest.find('/', i);
        if (e == String::npos) e = rest.size();
        list.push_back(rest.substr(i, e - i));
        i = e + 1;
    }
    return list;
}

std::optional<ItemIdList> TShellNamespace::ParseDisplayName(const String& text) const {
    if (text == "Desktop") return ItemIdList{};
    if (text == "Computer") return ItemIdList{kComputer};
    if (!text.empty() && text[0] == '/') return ParsePath(text);
    return std::nullopt;
}

String TShellNamespace::UserDir(const String& name) const {
    const String var = "XDG_" + name + "_DIR";
    auto it = FEnv.Variables.find(var);
    String value = it != FEnv.Variables.end() ? it->second : String();
    if (value.empty()) {
        auto cfg = FEnv.Variables.find("XDG_CONFIG_HOME");
        const String config =
            cfg != FEnv.Variables.end() && !cfg->second.empty() ? cfg->second : FEnv.Home + "/.config";
        String text;
        if (ReadSmallFile(config + "/user-dirs.dirs", text, 64 * 1024) == 0) {
            std::size_t pos = 0;
            while (pos < text.size()) {
                std::size_t end = text.find('\n', pos);
                if (end == String::npos) end = text.size();
                const String line = Trim(text.substr(pos, end - pos));
                pos = end + 1;
                if (line.compare(0, var.size() + 1, var + "=") != 0) continue;
                value = line.substr(var.size() + 1);
                if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                    value = value.substr(1, value.size() - 2);
            }
        }
    }
    if (value.compare(0, 5, "$HOME") == 0) value = FEnv.Home + value.substr(5);
    return value;
}

std::optional<ItemIdList> TShellNamespace::SpecialFolder(int csidl) const {
    auto var = [&](const char* name, const String& fallback) {
        auto it = FEnv.Variables.find(name);
        return it != FEnv.Variables.end() && !it->second.empty() && it->second[0] == '/' ? it->second
                                                                                         : fallback;
    };
    switch (csidl) {
    case CSIDL_DESKTOP:
        return ItemIdList{};
    case CSIDL_DRIVES:
        return ItemIdList{kComputer};
    case CSIDL_PERSONAL:
        if (FEnv.Home.empty() || !StatDir(FEnv.Home)) return std::nullopt;
        return ItemIdList{kHome};
    case CSIDL_DESKTOPDIRECTORY: {
        String dir = UserDir("DESKTOP");
        if (dir.empty() && !FEnv.Home.empty()) dir = FEnv.Home + "/Desktop";
        return StatDir(dir) ? ParsePath(dir) : std::nullopt;
    }
    case CSIDL_TEMPLATES: {
        // A user folder set to the home folder itself means "none".
        const String dir = UserDir("TEMPLATES");
        const auto norm = NormalizeAbsolutePath(dir);
        if (!norm || *norm == FEnv.Home || !StatDir(*norm)) return std::nullopt;
        return ParsePath(*norm);
    }
    case CSIDL_APPDATA: {
        const String dir = var("XDG_CONFIG_HOME", FEnv.Home.empty() ? String() : FEnv.Home + "/.config");
        return StatDir(dir) ? ParsePath(dir) : std::nullopt;
    }
    case CSIDL_FONTS: {
        const String data = var("XDG_DATA_HOME", FEnv.Home.empty() ? String() : FEnv.Home + "/.local/share");
        const String dir = data.empty() ? String() : data + "/fonts";
        return StatDir(dir) ? ParsePath(dir) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

TShellIcon TShellNamespace::Icon(const ItemIdList& item, bool open) const {
    switch (KindOf(item)) {
    case TShellItemKind::Desktop:
        return siDesktop;
    case TShellItemKind::Computer:
        return siComputer;
    case TShellItemKind::Home:
        return siHome;
    case TShellItemKind::Volume:
        return siDrive;
    default:
        return (Attributes(item, SFGAO_FOLDER) & SFGAO_FOLDER) ? (open ? siFolderOpen : siFolder) : siFile;
    }
}

int TShellNamespace::CompareNames(const String& a, bool aFolder, const String& b, bool bFolder) {
    if (aFolder != bFolder) return aFolder ? -1 : 1;
    if (const int c = NaturalCompare(a, b)) return c;
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int TShellNamespace::CompareIds(const ItemIdList& parent, const String& a, const String& b) const {
    const TShellItemKind kind = KindOf(parent);
    if (kind == TShellItemKind::Desktop || kind == TShellItemKind::Computer) {
        std::vector<String> order;
        Enumerate(parent, SHCONTF_FOLDERS, order);
        auto at = [&](const String& s) {
            auto it = std::find(order.begin(), order.end(), s);
            return it == order.end() ? order.size() : static_cast<std::size_t>(it - order.begin());
        };
        const std::size_t ia = at(a), ib = at(b);
        if (ia != ib) return ia < ib ? -1 : 1;
        const int c = a.compare(b);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    const String dir = FileSystemPath(parent);
    return CompareNames(a, StatDir(Join(dir, a)), b, StatDir(Join(dir, b)));
}

std::optional<ItemIdList> TShellNamespace::Rename(const ItemIdList& item, const String& newName,
                                                  int* error) const {
    auto fail = [&](int e) {
        if (error) *error = e;
        return std::nullopt;
    };
    if (!IsPlainName(newName)) return fail(EINVAL);
    if (KindOf(item) != TShellItemKind::Entry || !(Attributes(item, SFGAO_CANRENAME) & SFGAO_CANRENAME))
        return fail(EPERM);
    ItemIdList renamed = item;
    renamed.back() = newName;
    if (renamed == item) return renamed;
    const String from = FileSystemPath(item), to = FileSystemPath(renamed);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) return fail(errno);
        // A file system without the no-replace flag: look first (the narrow race is accepted).
        if (Exists(to)) return fail(EEXIST);
        if (::rename(from.c_str(), to.c_str()) != 0) return fail(errno);
    }
    if (error) *error = 0;
    return renamed;
}

bool TShellNamespace::FileDetails(const ItemIdList& item, std::vector<String>& details, int* error) const {
    details.clear();
    const String path = FileSystemPath(item);
    struct stat st;
    if (path.empty() || (::stat(path.c_str(), &st) != 0 && ::lstat(path.c_str(), &st) != 0)) {
        if (error) *error = path.empty() ? ENOENT : errno;
        return false;
    }
    const bool dir = S_ISDIR(st.st_mode);
    details.push_back(dir ? String() : IntToStr(static_cast<std::int64_t>(st.st_size)));
    details.push_back(dir ? String() : ExtractFileExt(item.empty() ? String() : item.back()));
    String when;
    std::tm tm{};
    const std::time_t t = st.st_mtime;
    if (!dir && ::localtime_r(&t, &tm)) {
        when = IntToStr(tm.tm_year + 1900) + "-" + TwoDigits(tm.tm_mon + 1) + "-" + TwoDigits(tm.tm_mday) +
               " " + TwoDigits(tm.tm_hour) + ":" + TwoDigits(tm.tm_min) + ":" + TwoDigits(tm.tm_sec);
    }
    details.push_back(when);
    // The attribute bits in the shell's numbers: read-only 1, hidden 2, folder 0x10, normal 0x80.
    int attrs = 0;
    if (::access(path.c_str(), W_OK) != 0) attrs |= 0x1;
    if (!item.empty() && !item.back().empty() && item.back()[0] == '.') attrs |= 0x2;
    if (dir) attrs |= 0x10;
    if (attrs == 0) attrs = 0x80;
    details.push_back(IntToStr(attrs));
    if (error) *error = 0;
    return true;
}

} // namespace vd
