#include "platform/shell/FileSystem.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {

String CurrentFolder() {
    char buf[4096];
    return ::getcwd(buf, sizeof buf) ? String(buf) : String("/");
}

int MakeFolder(const String& Path) {
    return ::mkdir(Path.c_str(), 0777) == 0 ? 0 : errno;
}

bool PathOccupied(const String& Path) {
    struct stat st {};
    return !Path.empty() && ::lstat(Path.c_str(), &st) == 0;
}

} // namespace vd
