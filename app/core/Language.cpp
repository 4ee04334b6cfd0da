#include "app/core/Language.h"

#include "app/core/Engine.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsIni.h"
#include "app/core/StartupMessage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace vd {

TLanguage* AppLanguage = nullptr;

namespace {

constexpr int MaxReferenceDepth = 8;
constexpr int MaxReferencesPerLookup = 256;

bool IsNameChar(char c) {
    return c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsRegularFile(const String& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void ReplaceAll(String& text, const char* from, const String& to) {
    const String f(from);
    for (std::size_t at = text.find(f); at != String::npos; at = text.find(f, at + to.size()))
        text.replace(at, f.size(), to);
}

String ApplyEscapes(String text) {
    if (text.find('\\') == String::npos) return text;
    ReplaceAll(text, "\\0", String(1, '\0'));
    ReplaceAll(text, "\\a", "\a");
    ReplaceAll(text, "\\b", "\b");
    ReplaceAll(text, "\\t", "\t");
    ReplaceAll(text, "\\n", "\r\n");
    ReplaceAll(text, "\\v", "\v");
    ReplaceAll(text, "\\f", "\f");
    ReplaceAll(text, "\\r", "\n\r");
    return text;
}

String FileNameWithoutExt(const String& name) {
    return ChangeFileExt(name, String());
}

} // namespace

TLanguage::TLanguage(const String& prefix, const String& folder)
    : FPrefix(prefix), FFolder(folder.empty() ? ProgramFolder() : folder) {
    ScanLanguageFiles();
}

void TLanguage::ScanLanguageFiles() {
    FFiles.clear();
    if (DIR* dir = ::opendir(FFolder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const String name = entry->d_name;
            if (name.size() < FPrefix.size() + 4 || name.compare(0, FPrefix.size(), FPrefix) != 0) continue;
            if (!SameText(name.substr(name.size() - 4), ".lng")) continue;
            if (!IsRegularFile(FFolder + "/" + name)) continue;
            FFiles.push_back({name.substr(FPrefix.size()), String()});
        }
        ::closedir(dir);
    }
    std::sort(FFiles.begin(), FFiles.end(), [](const TLanguageFile& a, const TLanguageFile& b) {
        return UpperCase(a.FileName) < UpperCase(b.FileName);
    });
    for (TLanguageFile& file : FFiles) {
        const TLanguageList constants =
            ReadLanguageSection(FFolder + "/" + FPrefix + file.FileName, "Constants");
        const TLanguageEntry* entry = FindLanguageEntry(constants, "Language");
        file.DisplayName = entry ? entry->Value : FileNameWithoutExt(file.FileName);
    }
}

bool TLanguage::SelectFromIni(const String& iniPath, const String& section, const String& defaultName) {
    if (FFiles.empty()) {
        ShowFatalStartupMessage("The language files don't exits!\r" + FFolder + "/" + FPrefix + "*.lng");
        return false;
    }
    if (FFiles.size() == 1) return SelectFile(FFiles[0].FileName);
    String path = iniPath.empty() ? SettingsFilePath() : iniPath;
    if (path.find('/') == String::npos) path = FFolder + "/" + path;
    const String wanted = TSettingsIni(path).ReadString(section, "Language", defaultName);
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < FFiles.size(); ++i)
        if (SameText(FFiles[i].FileName, wanted)) {
            chosen = i;
            break;
        }
    return SelectFile(FFiles[chosen].FileName);
}

bool TLanguage::SelectByIndex(int index) {
    if (index < 0 || index >= static_cast<int>(FFiles.size())) return false;
    return SelectFile(FFiles[static_cast<std::size_t>(index)].FileName);
}

bool TLanguage::SelectFile(const String& name) {
    if (name.empty()) return false;
    String path = FPrefix + name;
    if (ExtractFileExt(name).empty()) path += ".lng";
    if (path.find('/') == String::npos) path = FFolder + "/" + path;
    FFileName = path;
    FConstants = ReadLanguageSection(path, "Constants");
    return true;
}

void TLanguage::GetLanguageNames(std::vector<String>& list) const {
    list.clear();
    for (const TLanguageFile& file : FFiles)
        list.push_back(file.DisplayName);
}

int TLanguage::IndexOfLanguage(const String& text) const {
    for (std::size_t i = 0; i < FFiles.size(); ++i) {
        const TLanguageFile& f = FFiles[i];
        if (SameText(f.FileName, text) || SameText(FileNameWithoutExt(f.FileName), text) ||
            SameText(f.DisplayName, text))
            return static_cast<int>(i);
    }
    return -1;
}

String TLanguage::FileNameByIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(FFiles.size())) return String();
    return FFiles[static_cast<std::size_t>(index)].FileName;
}

String TLanguage::LookupInList(const String& key, const TLanguageList* list, const String& defaultText) {
    if (!list || list->empty() || key.empty()) return defaultText;
    const TLanguageEntry* entry = FindLanguageEntry(*list, key);
    const String result = ApplyEscapes(entry ? entry->Value : defaultText);
    if (result.empty()) return result;
    if (FExpanding.empty()) FLookupBudget = MaxReferencesPerLookup;
    return ExpandReferences(result);
}

String TLanguage::ExpandReference(const String& name) {
    // A cycle, a deep chain or a run-away fan-out keeps the reference as it stands.
    if (FLookupBudget <= 0 || static_cast<int>(FExpanding.size()) >= MaxReferenceDepth) return String();
    const String upper = UpperCase(name);
    if (std::find(FExpanding.begin(), FExpanding.end(), upper) != FExpanding.end()) return String();
    --FLookupBudget;
    FExpanding.push_back(upper);
    const String value = GetConstant(name, String());
    FExpanding.pop_back();
    return value;
}

String TLanguage::ExpandReferences(const String& text) {
    String result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '.') {
            result += text[i++];
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && IsNameChar(text[end]))
            ++end;
        if (end == i + 1) {
            result += '.';
            ++i;
            continue;
        }
        const String name = text.substr(i + 1, end - i - 1);
        const String value = ExpandReference(name);
        result += value.empty() ? text.substr(i, end - i) : value;
        i = end;
    }
    return result;
}

String TLanguage::GetConstant(const String& name, const String& defaultText) {
    return LookupInList(name, &FConstants, defaultText);
}

String TLanguage::GetText(const String& section, const String& key, const String& defaultText) {
    return LookupInList(section + "." + key, &FConstants, defaultText);
}

String TLanguage::GetMessage(const String& name, const TLanguageList* list) {
    const String text = LookupInList("MSG." + name, list ? list : &FConstants, String());
    try {
        return Format(text); // no arguments: "%%" becomes "%", any other directive fails
    } catch (const Exception&) {
        return text;
    }
}

String TLanguage::GetDialogText(const String& name, const TLanguageList* list) {
    if (name.empty()) return String();
    return LookupInList("Dialog." + name, list ? list : &FConstants, String());
}

int TLanguage::MessageBox(const String& name, const TMessageBoxProc& show, const TLanguageList* list,
                          unsigned buttons, int dialogType) {
    const String text = GetDialogText(name, list);
    const String where = "Error in language file " + FFileName + "\r--> Dialog." + name;
    if (text.empty()) return show(where + " <---", DialogTypeError, DialogButtonOK);
    String formatted;
    try {
        formatted = Format(text);
    } catch (const Exception& e) {
        return show(where + "\rError: " + e.Message() + "\rPlease send about this error to author.",
                    DialogTypeError, DialogButtonOK);
    }
    return show(formatted, dialogType, buttons);
}

TLanguageList TLanguage::ReadSection(const String& section) const {
    if (FFileName.empty()) return {};
    return ReadLanguageSection(FFileName, section);
}

} // namespace vd
