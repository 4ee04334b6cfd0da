#pragma once
// What the input and progress dialogs share: the skins, fonts and blending of their framed
// window, and the pieces both build it from (the frame, the label at the top, the buttons).
#include "platform/vcl/Font.h"
#include "platform/vcl/Form.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

struct TDialogUnits;

class TskSkinFramedDialog : public TComponent {
public:
    explicit TskSkinFramedDialog(TComponent* AOwner);
    bool SetComponentProperty(const String& name, TComponent* value) override;

    bool AlphaBlend = false, AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 200;
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* v);
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* v);
    String ButtonSkinDataName = "button", LabelSkinDataName = "stdlabel";
    TFont& DefaultLabelFont() { return FLabelFont; }
    TFont& DefaultButtonFont() { return FButtonFont; }
    bool UseSkinFont = true;

protected:
    // Puts the skinned frame on f and makes its handle, since the frame's borders decide the
    // client area; then sets the client width both dialogs have. The units of f's font.
    TDialogUnits FrameWindow(TForm* f, bool hideCaptionButtons);
    // The label at the top left, as wide as the control under it at the most.
    TskSkinStdLabel* AddLabel(TForm* f, const TDialogUnits& du, const String& name, const String& caption);
    // A button of the dialog's fonts, its caption from the control skin's strings when it has them.
    TskSkinButton* NewButton(TForm* f, const String& name, const char* key, const char* text, int result);
    void PlaceButton(TForm* f, TskSkinButton* b, const TDialogUnits& du, int left, int top);

    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinData> FCtrlSkinData{this};
    TFont FLabelFont, FButtonFont;
};

} // namespace vd
