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
#include <cstdio>

namespace vd {

TLanguage* AppLanguage = nullptr;

namespace {

String FileNameWithoutExt(const String& name) {
    return ChangeFileExt(name, String());
}

} // namespace

namespace {

TMessageBoxProc& CurrentMessageBox() {
    static TMessageBoxProc current;
    return current;
}

// Without a window nobody can answer: the text goes to standard error and the box is taken as
// answered with its least committal button.
int StandardErrorBox(const String& text, int, unsigned buttons) {
    String shown = text;
    for (char& c : shown)
        if (c == '\r') c = '\n';
    std::fprintf(stderr, "Tarvolin Vendrill: %s\n", shown.c_str());
    if (buttons & DialogButtonOK) return 1; // OK
    if (buttons & (1u << 1)) return 7;      // No
    return 2;                               // Cancel
}

} // namespace

void SetAppMessageBox(TMessageBoxProc show) {
    CurrentMessageBox() = std::move(show);
}

const TMessageBoxProc& AppMessageBox() {
    static const TMessageBoxProc forward = [](const String& text, int type, unsigned buttons) {
        const TMessageBoxProc current = CurrentMessageBox(); // the box may replace itself
        return current ? current(text, type, buttons) : StandardErrorBox(text, type, buttons);
    };
    return forward;
}

std::shared_ptr<const TLanguageTexts> AppTexts() {
    static const auto none = std::make_shared<const TLanguageTexts>();
    return AppLanguage ? AppLanguage->Texts() : none;
}

TLanguage::TLanguage(const String& prefix, const String& folder)
    : FPrefix(prefix), FFolder(folder.empty() ? ProgramFolder() : folder),
      FTexts(std::make_shared<const TLanguageTexts>()) {
    ScanLanguageFiles();
}

std::shared_ptr<const TLanguageTexts> TLanguage::Texts() const {
    std::lock_guard<std::mutex> g(FTextsLock);
    return FTexts;
}

void TLanguage::SetConstants(TLanguageList constants) {
    auto texts = std::make_shared<const TLanguageTexts>(std::move(constants));
    std::lock_guard<std::mutex> g(FTextsLock);
    FTexts = std::move(texts);
}

void TLanguage::ScanLanguageFiles() {
    FFiles.clear();
    // The prefix is matched as it stands (letter case counts), the extension in any case.
    for (const String& name : FindFiles(FFolder, "*.lng"))
        if (name.size() >= FPrefix.size() + 4 && name.compare(0, FPrefix.size(), FPrefix) == 0)
            FFiles.push_back({name.substr(FPrefix.size()), String()});
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
    SetConstants(ReadLanguageSection(path, "Constants"));
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
