#pragma once
// The input dialog: one line of text in a framed modal window with a prompt, an edit preset with
// the current value, and OK and Cancel.
#include "skin/extra/dialogs/SkinFramedDialog.h"

namespace vd {

class TskSkinInputDialog : public TskSkinFramedDialog {
public:
    explicit TskSkinInputDialog(TComponent* AOwner);

    String EditSkinDataName = "edit";
    TFont& DefaultEditFont() { return FEditFont; }

    // True, with Value replaced by the edit's text, when the user confirms with OK; false with
    // Value unchanged otherwise (Cancel, Esc, closing the window).
    bool QueryText(const String& ACaption, const String& APrompt, String& Value);
    // The window while QueryText runs.
    TForm* InputForm() const { return FForm; }

private:
    TFont FEditFont;
    TForm* FForm = nullptr;
};

} // namespace vd
