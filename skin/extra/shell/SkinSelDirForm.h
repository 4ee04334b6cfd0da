#pragma once
// The window of the select-folder dialog, built in code: an optional tool bar (path edit and
// new-folder button), the folder tree with its two scroll bars, and OK and Cancel.
#include "platform/vcl/Form.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

class TskSkinForm;
class TskSkinDirTreeView;
class TskSkinEdit;

class TskSelDirDlgForm : public TForm {
public:
    TskSelDirDlgForm(TComponent* AOwner, bool ShowToolBar, TskSkinData* CtrlSkinData);

    TskSkinForm* Frame = nullptr;
    TskSkinPanel* TreePanel = nullptr;
    TskSkinPanel* ButtonPanel = nullptr;
    TskSkinDirTreeView* Tree = nullptr;
    TskSkinScrollBar* VScrollBar = nullptr;
    TskSkinScrollBar* HScrollBar = nullptr;
    TskSkinButton* OKButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
    TskSkinPanel* ToolPanel = nullptr;
    TskSkinSpeedButton* NewFolderButton = nullptr;
    TskSkinEdit* PathEdit = nullptr;

    // The file-system path of the selected folder; empty for a virtual one or none.
    String SelectedFolder() const;
    // Enter in the path edit: an existing folder is shown in the tree.
    void PathEditKeyPress(TKeyChar& Key);
    void TreeChange();
    // A "New Folder" under the selected folder when there is none yet.
    void NewFolderClick();

    // OK answers only for a folder with a file-system path.
    bool CloseQuery() override;
    // Enter in the path edit shows the folder; it never closes the window.
    void Dispatch(TMessage& Message) override;

private:
    void UpdateOK();
    TskSkinData* FCtrlSkinData;
};

} // namespace vd
