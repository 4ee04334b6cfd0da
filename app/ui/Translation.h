#pragma once
// Translates a window as a whole from its own section of the selected language file: the
// form's caption, then the caption, text, hint and items of every skinned component the window
// owns directly. Also rewrites the skin library's built-in strings from the Constants section.
#include "app/core/Language.h"
#include "platform/rtl/String.h"
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

// The translatable classes in the order of their index; -1 for any other class. The class is
// matched by its exact name (letter case ignored), not by inheritance.
int TranslatableClassIndex(const String& className);

// Replaces the texts of one component from a window section.
void TranslateComponent(const TLanguage& language, TComponent* component, int classIndex,
                        const TLanguageList& list);
// Window: a form or a skinned frame; its section is named like the window. A window without a
// section keeps its texts exactly.
void TranslateForm(const TLanguage& language, TComponent* window);
// The text of one skin string: MSG_CAP_ keys from Dialog, MSG_BTN_ from Button, MSG_ from MSG,
// others from the constants; value is the default.
String TranslateResString(const TLanguage& language, const String& key, const String& value);
void TranslateResStrings(const TLanguage& language, TskResourceStrData* data);

} // namespace vd
