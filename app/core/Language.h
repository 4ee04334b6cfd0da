#pragma once
// The language object: the chosen language file, its constants and the lookups every
// visible text goes through. GUI thread only.
#include "app/core/LanguageFile.h"
#include "platform/rtl/String.h"

#include <functional>
#include <vector>

namespace vd {

// Shows a text in a message box with a dialog type and a set of buttons; returns the button
// pressed. Dialog types: warning 0, error 1, information 2, confirmation 3. Buttons: a set of
// bits 1 << kind, with the kinds Yes 0, No 1, OK 2.
using TMessageBoxProc = std::function<int(const String& text, int dialogType, unsigned buttons)>;
inline constexpr int DialogTypeError = 1;
inline constexpr unsigned DialogButtonOK = 1u << 2;

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

    // The value of key in list (default when absent), escapes applied, references expanded.
    String LookupInList(const String& key, const TLanguageList* list, const String& defaultText);
    String GetConstant(const String& name, const String& defaultText);
    String GetText(const String& section, const String& key, const String& defaultText);
    // MSG.name, formatted with no arguments ("%%" becomes "%").
    String GetMessage(const String& name, const TLanguageList* list = nullptr);
    // Dialog.name; empty when absent.
    String GetDialogText(const String& name, const TLanguageList* list = nullptr);
    // Shows the dialog text Name (formatted with no arguments); a missing or malformed text
    // shows an "Error in language file" box instead. Returns the box's result.
    int MessageBox(const String& name, const TMessageBoxProc& show, const TLanguageList* list,
                   unsigned buttons, int dialogType);
    // A section of the selected file (empty when none is selected or the file is gone).
    TLanguageList ReadSection(const String& section) const;

    const String& Prefix() const { return FPrefix; }
    const String& Folder() const { return FFolder; }
    const String& FileName() const { return FFileName; }
    const TLanguageList& Constants() const { return FConstants; }
    // Replaces the constants without a file (tests, fuzzing); the list must be sorted.
    void SetConstants(TLanguageList constants) { FConstants = std::move(constants); }
    const std::vector<TLanguageFile>& Files() const { return FFiles; }

private:
    String ExpandReferences(const String& text);
    String ExpandReference(const String& name);

    String FPrefix;
    String FFolder;
    String FFileName;
    TLanguageList FConstants;
    std::vector<TLanguageFile> FFiles;
    std::vector<String> FExpanding; // constants being expanded, outermost first
    int FLookupBudget = 0;          // references left to expand in the current top-level lookup
};

// The language object of the run; set by the main window, nullptr before and after.
extern TLanguage* AppLanguage;

} // namespace vd
