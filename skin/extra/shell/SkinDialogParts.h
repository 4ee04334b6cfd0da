#pragma once
// What the select-folder and open-file dialogs share: the texts from the skin's string table,
// skinning every control of a window, the frame set-up and the first client size.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

class TskSkinForm;

// The text Key of CtrlSkin's string table when it has one (and the key), else BuiltIn.
String DialogText(const TskSkinData* CtrlSkin, const char* Key, const char* BuiltIn);
// Gives every skinned control under Root the skin Skin.
void SkinDialogControls(TWinControl* Root, TskSkinData* Skin);

struct TDialogFrameSettings {
    TskSkinData* SkinData = nullptr;
    TskSkinData* MenusSkinData = nullptr;
    int MinWidth = 0, MinHeight = 0;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 255;
};
// The frame of a dialog window: no border icons, the given skins, minimum size and blending.
TskSkinForm* MakeDialogFrame(TCustomForm* Form, const TDialogFrameSettings& Settings);
// The client size: Remembered, or Default when 0 or less; with a loaded frame skin at least
// Minimum (the frame's own minimum).
int DialogClientExtent(int Remembered, int Default, bool SkinLoaded, int Minimum);
// Makes the folder Path (mode 0777 less the umask); raises EInOutError with the system's text
// when it cannot be made.
void CreateNewFolder(const String& Path);
// Sets the window's client size by those rules.
void SizeDialog(TCustomForm* Form, TskSkinForm* Frame, int Width, int Height, int DefaultWidth,
                int DefaultHeight);

} // namespace vd
