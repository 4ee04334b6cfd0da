#pragma once
// The open-file dialog: a framed modal window built each time it is shown, with the look-in
// folder combo, Back, Up, New Folder and the view menu, the shell file list, the file name edit,
// the file-type box and Open and Cancel. The component keeps the window's size, the view style
// and the chosen file type between showings.
#include "platform/rtl/StringList.h"
#include "platform/vcl/Font.h"
#include "platform/vcl/Form.h"
#include "skin/core/Forward.h"

namespace vd {

class TskOpenDlgForm;

class TskSkinOpenDialog : public TComponent {
public:
    explicit TskSkinOpenDialog(TComponent* AOwner);
    ~TskSkinOpenDialog() override;

    String DefaultExt;
    // The client size of the last showing; 0 or less: 450 by 290.
    int DialogWidth = 0, DialogHeight = 0;
    int DialogMinWidth = 0, DialogMinHeight = 0;
    // When the listed folder or the selection changes.
    TNotifyEvent OnFolderChange;
    bool CheckFileExists = true;
    bool MultiSelection = false;
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value);
    String LVHeaderSkinDataName = "resizebutton";
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    // After OK chose a file.
    TNotifyEvent OnFileSelected;
    String InitialDir;
    String Filter = "All files|*.*";
    const String& FileName() const { return FFileName; }
    // Also fills the shown window's file name edit.
    void SetFileName(const String& Value);
    // 1-based.
    int FilterIndex = 1;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 225;
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    Byte CtrlAlphaBlendValue = 225;
    // The paths of every selected file after OK.
    const TStringList& Files() const { return FFiles; }
    // Save mode: Save in place of Open, a typed name needs not exist.
    bool SaveMode = false;
    // 0 large icons, 1 small icons, 2 list, 3 details.
    int ViewStyle = 2;

    // Shows the window modally; true when it was closed with OK (FileName then holds the file).
    bool ShowOpenForm();
    // The window while ShowOpenForm runs.
    TskOpenDlgForm* DialogForm() const { return FForm; }

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

private:
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinData> FCtrlSkinData{this};
    TFont FDefaultFont;
    String FTitle = "Open file";
    String FFileName;
    TStringList FFiles;
    TskOpenDlgForm* FForm = nullptr;
};

} // namespace vd
