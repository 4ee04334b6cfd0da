#pragma once
// The constants of one loaded language file and the lookups over them: escapes and constant
// references. Immutable once made, so any thread may look up in it; a language change makes a
// new one instead of changing this one.
#include "app/core/LanguageFile.h"
#include "platform/rtl/String.h"

namespace vd {

class TLanguageTexts {
public:
    TLanguageTexts() = default;
    // The list must be sorted (ParseLanguageSection sorts).
    explicit TLanguageTexts(TLanguageList constants) : FConstants(std::move(constants)) {}

    const TLanguageList& Constants() const { return FConstants; }

    // The value of key in list (default when absent), escapes applied, references expanded from
    // the constants. A missing or empty list or an empty key gives the default untouched.
    String LookupInList(const String& key, const TLanguageList* list, const String& defaultText) const;
    String GetConstant(const String& name, const String& defaultText) const;
    String GetText(const String& section, const String& key, const String& defaultText) const;
    // MSG.name, formatted with no arguments ("%%" becomes "%"); empty when absent.
    String GetMessage(const String& name, const TLanguageList* list = nullptr) const;
    // Dialog.name; empty when absent.
    String GetDialogText(const String& name, const TLanguageList* list = nullptr) const;

private:
    struct TExpansion; // the state of one top-level lookup
    String Lookup(const String& key, const TLanguageList* list, const String& defaultText,
                  TExpansion& expansion) const;
    String ExpandReferences(const String& text, TExpansion& expansion) const;
    String ExpandReference(const String& name, TExpansion& expansion) const;

    TLanguageList FConstants;
};

} // namespace vd
