#include "app/core/ProgramPaths.h"

#include "platform/rtl/FileUtils.h"

#include <mutex>

namespace vd {

namespace {

std::mutex PathLock;
String OverridePath;

} // namespace

String ProgramFile() {
    std::lock_guard<std::mutex> lock(PathLock);
    if (!OverridePath.empty()) return OverridePath;
    static const String Own = ProgramPath();
    return Own.empty() ? String("vendrill") : Own;
}

void SetProgramFile(const String& path) {
    std::lock_guard<std::mutex> lock(PathLock);
    OverridePath = path;
}

String ProgramFolder() {
    return ExtractFileDir(ProgramFile());
}

String ProgramBaseName() {
    return ChangeFileExt(ExtractFileName(ProgramFile()), "");
}

String SettingsFilePath() {
    const String folder = ProgramFolder();
    const String name = ProgramBaseName() + ".ini";
    if (!folder.empty() && DirectoryWritable(folder)) return IncludeTrailingPathDelimiter(folder) + name;
    // An installed copy: the user's configuration folder.
    return UserConfigDir() + "/vendrill/" + name;
}

} // namespace vd
