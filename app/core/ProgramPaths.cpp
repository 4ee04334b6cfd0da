#include "app/core/ProgramPaths.h"

#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace vd {

namespace {

std::mutex PathLock;
String OverridePath;

String ReadOwnPath() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "vendrill";
    return String(buf, static_cast<std::size_t>(n));
}

} // namespace

String ProgramPath() {
    std::lock_guard<std::mutex> lock(PathLock);
    if (!OverridePath.empty())
        return OverridePath;
    static const String Own = ReadOwnPath();
    return Own;
}

void SetProgramPath(const String& path) {
    std::lock_guard<std::mutex> lock(PathLock);
    OverridePath = path;
}

String ExtractFileDir(const String& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == String::npos)
        return String();
    return slash == 0 ? String("/") : path.substr(0, slash);
}

String ExtractFileName(const String& path) {
    const std::size_t slash = path.rfind('/');
    return slash == String::npos ? path : path.substr(slash + 1);
}

String ExtractFileExt(const String& path) {
    const String name = ExtractFileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == String::npos ? String() : name.substr(dot);
}

String ChangeFileExt(const String& path, const String& ext) {
    const std::size_t nameStart = path.size() - ExtractFileName(path).size();
    const std::size_t dot = path.rfind('.');
    if (dot == String::npos || dot < nameStart)
        return path + ext;
    return path.substr(0, dot) + ext;
}

String ProgramFolder() { return ExtractFileDir(ProgramPath()); }

String ProgramBaseName() { return ChangeFileExt(ExtractFileName(ProgramPath()), String()); }

String SettingsFilePath() {
    const String folder = ProgramFolder();
    const String name = ProgramBaseName() + ".ini";
    if (!folder.empty() && ::access(folder.c_str(), W_OK) == 0)
        return folder + "/" + name;
    // An installed copy: the user's configuration folder.
    String config;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        config = String(home && home[0] ? home : "/tmp") + "/.config";
    }
    return config + "/vendrill/" + name;
}

} // namespace vd
