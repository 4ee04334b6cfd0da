#pragma once
// What the skinned dialog components share. Every one keeps the skins of its window and of its
// controls, the window's blending and the look of its buttons; the input and progress dialogs
// also build their window from the same pieces (the frame, the label at the top, the buttons).
#include "platform/vcl/Font.h"
#include "platform/vcl/Form.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

struct TDialogUnits;
class TskSkinForm;

class TskSkinDialogComponent : public TComponent {
public:
    explicit TskSkinDialogComponent(TComponent* AOwner);
    bool SetComponentProperty(const String& name, TComponent* value) override;

    bool AlphaBlend = false, AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 200;
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* v);
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* v);
    String ButtonSkinDataName = "button";
    TFont& DefaultButtonFont() { return FButtonFont; }
    bool UseSkinFont = true;

protected:
    // The window's skin, the controls' skin for its menus, and the blending.
    void SkinFrame(TskSkinForm* frame);

    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinData> FCtrlSkinData{this};
    TFont FButtonFont;
};

class TskSkinFramedDialog : public TskSkinDialogComponent {
public:
    explicit TskSkinFramedDialog(TComponent* AOwner);

    String LabelSkinDataName = "stdlabel";
    TFont& DefaultLabelFont() { return FLabelFont; }

protected:
    // Puts the skinned frame on f and makes its handle, since the frame's borders decide the
    // client area; then sets the client width both dialogs have. The units of f's font.
    TDialogUnits FrameWindow(TForm* f, bool hideCaptionButtons);
    // The label at the top left, as wide as the control under it at the most.
    TskSkinStdLabel* AddLabel(TForm* f, const TDialogUnits& du, const String& name, const String& caption);
    // A button of the dialog's fonts, its caption from the control skin's strings when it has them.
    TskSkinButton* NewButton(TForm* f, const String& name, const char* key, const char* text, int result);
    void PlaceButton(TForm* f, TskSkinButton* b, const TDialogUnits& du, int left, int top);

    TFont FLabelFont;
};

} // namespace vd
