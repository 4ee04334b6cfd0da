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

namespace vd {

struct TPropValue;

// Makes the boxes known to the form reader by class name. Call once at start-up, before the
// first form resource that holds them is read.
void RegisterSkinBoxesClasses();

// Lines of a form resource property: a list of texts, or one text of lines. False for anything else.
bool ReadStringsProperty(TStrings& Target, const TPropValue& Value);

} // namespace vd
