// Moving items to the trash, with the desktop's trash layout: the home trash for items on the
// home trash's file system, the volume's own trash for items elsewhere (a rename cannot cross
// file systems, and copying a whole tree to the home volume is not what a user expects).
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/shell/namespace/ShellNamespace.h"

#include <cctype>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {
namespace {

// Path bytes for a trash info file: everything but unreserved characters and "/" as %XX.
String EscapePath(const String& path) {
    static const char* hex = "0123456789ABCDEF";
    String out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

String TwoDigits(int v) {
    return v < 10 ? "0" + IntToStr(v) : IntToStr(v);
}

String LocalDeletionDate() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    return IntToStr(tm.tm_year + 1900) + "-" + TwoDigits(tm.tm_mon + 1) + "-" + TwoDigits(tm.tm_mday) + "T" +
           TwoDigits(tm.tm_hour) + ":" + TwoDigits(tm.tm_min) + ":" + TwoDigits(tm.tm_sec);
}

String ParentOf(const String& path) {
    const auto slash = path.find_last_of('/');
    return slash == 0 || slash == String::npos ? String("/") : path.substr(0, slash);
}

bool DeviceOf(const String& path, dev_t& dev) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    dev = st.st_dev;
    return true;
}

// The device of the nearest existing folder on the way to Path (the home trash may not exist
// yet; it will be made on that folder's file system).
bool NearestDevice(String path, dev_t& dev) {
    while (!DeviceOf(path, dev)) {
        if (path == "/" || path.empty()) return false;
        path = ParentOf(path);
    }
    return true;
}

bool Exists(const String& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

struct TrashPlace {
    String Folder; // holds files/ and info/
    String TopDir; // empty for the home trash; else Path= in the info file is relative to it
};

} // namespace

String TrashTopDir(const String& folder) {
    dev_t dev;
    if (!DeviceOf(folder, dev)) return String();
    String top = folder;
    for (dev_t up; top != "/" && DeviceOf(ParentOf(top), up) && up == dev;)
        top = ParentOf(top);
    return top;
}

String VolumeTrashFolder(const String& topDir, unsigned uid) {
    // An administrator's shared ".Trash" counts only as a real folder with the sticky bit;
    // anything else there (a link, a plain folder) is passed over for ".Trash-$uid".
    const String shared = (topDir == "/" ? String() : topDir) + "/.Trash";
    struct stat st;
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const String own = shared + "/" + IntToStr(static_cast<std::int64_t>(uid));
        if ((::mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && ::lstat(own.c_str(), &st) == 0 &&
            S_ISDIR(st.st_mode) && st.st_uid == uid)
            return own;
    }
    return (topDir == "/" ? String() : topDir) + "/.Trash-" + IntToStr(static_cast<std::int64_t>(uid));
}

namespace {

bool FindTrash(const ShellEnvironment& env, const String& path, TrashPlace& place, int& error) {
    auto data = env.Variables.find("XDG_DATA_HOME");
    const String base = data != env.Variables.end() && !data->second.empty() && data->second[0] == '/'
                            ? data->second
                            : env.Home + "/.local/share";
    if (env.Home.empty() && base[0] != '/') return error = ENOENT, false;
    const String folder = ParentOf(path);
    dev_t itemDev, homeDev;
    if (!DeviceOf(folder, itemDev)) return error = errno, false;
    if (NearestDevice(base + "/Trash", homeDev) && homeDev == itemDev) {
        place = {base + "/Trash", String()};
        return true;
    }
    place.TopDir = TrashTopDir(folder);
    if (place.TopDir.empty()) return error = errno ? errno : ENOENT, false;
    place.Folder = VolumeTrashFolder(place.TopDir, ::getuid());
    return true;
}

bool MakeTrashFolders(const TrashPlace& place) {
    // A volume's own trash is the user's alone.
    if (!place.TopDir.empty() && !Exists(place.Folder) && ::mkdir(place.Folder.c_str(), 0700) != 0 &&
        errno != EEXIST)
        return false;
    return ForceDirectories(place.Folder + "/files") && ForceDirectories(place.Folder + "/info");
}

String InfoPath(const TrashPlace& place, const String& path) {
    if (place.TopDir.empty()) return path;
    return path.substr(place.TopDir == "/" ? 1 : place.TopDir.size() + 1);
}

// Renames without ever replacing; EEXIST when the target is taken.
int MoveNoReplace(const String& from, const String& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    const int e = errno;
    if (e != EINVAL && e != ENOSYS) return e;
    if (Exists(to)) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

} // namespace

bool TShellNamespace::MoveToTrash(const ItemIdList& item, int* error) const {
    auto fail = [&](int e) {
        if (error) *error = e;
        return false;
    };
    if (KindOf(item) != TShellItemKind::Entry || !(Attributes(item, SFGAO_CANDELETE) & SFGAO_CANDELETE))
        return fail(EPERM);
    const String path = FileSystemPath(item);
    TrashPlace place;
    int e = 0;
    if (!FindTrash(FEnv, path, place, e)) return fail(e);
    if (!MakeTrashFolders(place)) return fail(errno ? errno : EIO);
    const String text = "[Trash Info]\nPath=" + EscapePath(InfoPath(place, path)) +
                        "\nDeletionDate=" + LocalDeletionDate() + "\n";
    // The first free name: the item's own, then with a number.
    for (int n = 1; n < 10000; ++n) {
        const String name = n == 1 ? item.back() : item.back() + "." + IntToStr(n);
        const String info = place.Folder + "/info/" + name + ".trashinfo";
        const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return fail(errno);
        }
        const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::close(fd);
        e = written ? MoveNoReplace(path, place.Folder + "/files/" + name) : EIO;
        if (e != 0) {
            ::unlink(info.c_str());
            if (e == EEXIST) continue;
            return fail(e);
        }
        if (error) *error = 0;
        return true;
    }
    return fail(EEXIST);
}

} // namespace vd
