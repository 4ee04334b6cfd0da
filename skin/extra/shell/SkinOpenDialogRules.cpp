#include "skin/extra/shell/SkinOpenDialogRules.h"

#include "platform/rtl/FileUtils.h"
#include "skin/extra/shell/SkinFileCtrl.h"

namespace vd {

namespace {
// Typed in Folder: an absolute name stands for itself.
String Resolve(const String& Folder, const String& Typed) {
    return !Typed.empty() && Typed[0] == '/' ? Typed : JoinFileName(Folder, Typed);
}

// An absolute path of an existing folder: relative text would depend on the process's directory.
bool IsAbsoluteFolder(const String& Path) {
    return !Path.empty() && Path[0] == '/' && IsExistingFolder(Path);
}
} // namespace

String OpenDialogStartFolder(const String& FileName, const String& InitialDir, const String& Home) {
    const String dir = ExtractFileDir(FileName);
    if (IsAbsoluteFolder(dir)) return dir;
    if (IsAbsoluteFolder(InitialDir)) return InitialDir;
    return Home;
}

std::optional<String> OpenClickResult(const TOpenClickState& S) {
    const bool absolute = !S.Typed.empty() && S.Typed[0] == '/';
    if (S.CheckExists && S.Selected.empty() && !S.SaveMode) return std::nullopt;
    if (S.Typed.empty()) return std::nullopt;
    if (S.SaveMode && S.Typed.find('*') == String::npos) {
        if (S.Folder.empty() && !absolute) return std::nullopt;
        return Resolve(S.Folder, S.Typed);
    }
    if (S.CheckExists) {
        if (!S.Selected.empty() && FileExists(S.Selected)) return S.Selected;
        return std::nullopt;
    }
    if (!S.Selected.empty()) return S.Selected;
    if (S.Folder.empty() && !absolute) return std::nullopt;
    return Resolve(S.Folder, S.Typed);
}

String SaveFileName(const String& FileName, const String& Mask, const String& DefaultExt) {
    String name = FileName;
    if (Mask.find(".*") == String::npos && ExtractFileExt(name).empty()) {
        const String first = Mask.substr(0, Mask.find(';'));
        name += ExtractFileExt(first);
    }
    if (ExtractFileExt(name).empty() && !DefaultExt.empty()) name += "." + DefaultExt;
    return name;
}

} // namespace vd
