#pragma once
// The input dialog: one line of text in a framed modal window with a prompt, an edit preset with
// the current value, and OK and Cancel.
#include "platform/vcl/Font.h"
#include "platform/vcl/Form.h"
#include "skin/core/Forward.h"

namespace vd {

class TskSkinInputDialog : public TComponent {
public:
    explicit TskSkinInputDialog(TComponent* AOwner);
    bool SetComponentProperty(const String& name, TComponent* value) override;

    bool AlphaBlend = false, AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 200;
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* v);
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* v);
    String ButtonSkinDataName = "button", LabelSkinDataName = "stdlabel", EditSkinDataName = "edit";
    TFont& DefaultLabelFont() { return FLabelFont; }
    TFont& DefaultButtonFont() { return FButtonFont; }
    TFont& DefaultEditFont() { return FEditFont; }
    bool UseSkinFont = true;

    // True, with Value replaced by the edit's text, when the user confirms with OK; false with
    // Value unchanged otherwise (Cancel, Esc, closing the window).
    bool QueryText(const String& ACaption, const String& APrompt, String& Value);
    // The window while QueryText runs.
    TForm* InputForm() const { return FForm; }

private:
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinData> FCtrlSkinData{this};
    TFont FLabelFont, FButtonFont, FEditFont;
    TForm* FForm = nullptr;
};

} // namespace vd
