#pragma once
// The skinned boxes in one include, and their names for the form reader.
#include "skin/boxes/SkinCheckListBox.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/boxes/SkinTabs.h"
#include "skin/boxes/SkinUpDown.h"

#include <functional>

namespace vd {

struct TPropValue;

// Makes the boxes known to the form reader by class name. Call once at start-up, before the
// first form resource that holds them is read.
void RegisterSkinBoxesClasses();

// Lines of a form resource property: a list of texts, or one text of lines. False for anything else.
bool ReadStringsProperty(TStrings& Target, const TPropValue& Value);

// A property table's entry for the lines under Name or Name.Strings, read into the list
// Strings(control) gives; false for other names and for a value that is not lines.
template <class Access> auto StringsFields(const char* Name, Access Strings) {
    return [=](auto& control, const String& name, const TPropValue& v) {
        if (name != Name && name != String(Name) + ".Strings") return false;
        return ReadStringsProperty(std::invoke(Strings, control), v);
    };
}

} // namespace vd
