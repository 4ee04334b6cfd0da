#pragma once
// The language object: the chosen language file, its constants and the lookups every
// visible text goes through. Choosing files is for the GUI thread; the lookups and Texts() may
// be called from any thread: they work on an immutable snapshot of the loaded constants, which a
// language change replaces as a whole.
#include "app/core/LanguageFile.h"
#include "app/core/LanguageTexts.h"
#include "platform/rtl/String.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace vd {

// Shows a text in a message box with a dialog type and a set of buttons; returns the button
// pressed. Dialog types: warning 0, error 1, information 2, confirmation 3. Buttons: a set of
// bits 1 << kind, with the kinds Yes 0, No 1, OK 2.
using TMessageBoxProc = std::function<int(const String& text, int dialogType, unsigned buttons)>;
inline constexpr int DialogTypeError = 1;
inline constexpr unsigned DialogButtonOK = 1u << 2;

// The message box of the run (GUI thread): standard error until the main window plugs in its
// skinned box; nullptr puts standard error back. AppMessageBox() always calls the current one.
void SetAppMessageBox(TMessageBoxProc show);
const TMessageBoxProc& AppMessageBox();

struct TLanguageFile {
    String FileName;    // without the prefix, with the extension: "English.lng"
    String DisplayName; // [Constants] Language, else the file name without extension
};

class TLanguage {
public:
    // prefix: the program's file name and a dot ("vendrill."); folder: where the files are
    // (empty: the program's folder). Scans the folder at once.
    explicit TLanguage(const String& prefix, const String& folder = String());

    void ScanLanguageFiles();
    // Chooses the file named by [section] Language of the settings file (empty path: the
    // program's settings file); false, after the fatal start-up message, when there is no file.
    bool SelectFromIni(const String& iniPath, const String& section, const String& defaultName);
    bool SelectByIndex(int index);
    bool SelectFile(const String& name);

    void GetLanguageNames(std::vector<String>& list) const;
    int IndexOfLanguage(const String& text) const;
    String FileNameByIndex(int index) const;

    // Lookups in the current snapshot (see TLanguageTexts). A worker composing a text of several
    // lookups takes one snapshot with Texts(), so that all its parts come from one language.
    String LookupInList(const String& key, const TLanguageList* list, const String& defaultText) const {
        return Texts()->LookupInList(key, list, defaultText);
    }
    String GetConstant(const String& name, const String& defaultText) const {
        return Texts()->GetConstant(name, defaultText);
    }
    String GetText(const String& section, const String& key, const String& defaultText) const {
        return Texts()->GetText(section, key, defaultText);
    }
    String GetMessage(const String& name, const TLanguageList* list = nullptr) const {
        return Texts()->GetMessage(name, list);
    }
    String GetDialogText(const String& name, const TLanguageList* list = nullptr) const {
        return Texts()->GetDialogText(name, list);
    }
    std::shared_ptr<const TLanguageTexts> Texts() const;
    // Shows the dialog text Name (formatted with no arguments); a missing or malformed text
    // shows an "Error in language file" box instead. Returns the box's result.
    int MessageBox(const String& name, const TMessageBoxProc& show, const TLanguageList* list,
                   unsigned buttons, int dialogType);
    // A section of the selected file (empty when none is selected or the file is gone).
    TLanguageList ReadSection(const String& section) const;

    const String& Prefix() const { return FPrefix; }
    const String& Folder() const { return FFolder; }
    const String& FileName() const { return FFileName; }
    TLanguageList Constants() const { return Texts()->Constants(); }
    // Replaces the constants without a file (tests, fuzzing); the list must be sorted.
    void SetConstants(TLanguageList constants);
    const std::vector<TLanguageFile>& Files() const { return FFiles; }

private:
    String FPrefix;
    String FFolder;
    String FFileName;
    std::vector<TLanguageFile> FFiles;
    mutable std::mutex FTextsLock; // guards the pointer only; the texts never change
    std::shared_ptr<const TLanguageTexts> FTexts;
};

// The language object of the run; set by the main window before any worker starts, nullptr
// after they all ended.
extern TLanguage* AppLanguage;

// The texts of AppLanguage, or empty texts (every lookup gives its default) when there is none.
std::shared_ptr<const TLanguageTexts> AppTexts();

} // namespace vd
