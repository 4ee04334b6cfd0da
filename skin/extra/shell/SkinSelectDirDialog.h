#pragma once
// The select-folder dialog: a framed modal window built each time it is shown, with the folder
// tree, an optional tool bar (path edit and new-folder button) and OK and Cancel. The component
// keeps the chosen folder and the window's size between showings. OK stays disabled while the
// selected folder has no file-system path (the computer, the desktop), so the answer is always
// a real folder.
#include "platform/vcl/Font.h"
#include "platform/vcl/Form.h"
#include "skin/core/Forward.h"

namespace vd {

class TskSelDirDlgForm;

class TskSkinSelectDirectoryDialog : public TComponent {
public:
    explicit TskSkinSelectDirectoryDialog(TComponent* AOwner);
    ~TskSkinSelectDirectoryDialog() override;

    // The client size of the last showing; 0 or less: 280.
    int DialogWidth = 0, DialogHeight = 0;
    int DialogMinWidth = 0, DialogMinHeight = 0;
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    // In: the folder to start at; out: the chosen folder.
    String Directory;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 200;
    bool ShowToolBar = false;
    // After OK chose a folder.
    TNotifyEvent OnFolderSelected;

    // Shows the window modally; true when OK closed it (Directory then holds the folder).
    bool ShowSelectForm();
    // The window while ShowSelectForm runs.
    TskSelDirDlgForm* DialogForm() const { return FForm; }

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

private:
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinData> FCtrlSkinData{this};
    TFont FDefaultFont;
    String FTitle = "Select folder";
    TskSelDirDlgForm* FForm = nullptr;
};

} // namespace vd
