#pragma once
// The window of the open-file dialog, built in code: the tool bar (look-in combo, Back, Up, New
// Folder, view menu), the shell file list with its scroll bars, and the file name edit, the
// file-type box and Open (or Save) and Cancel.
#include "platform/shell/namespace/ItemIdList.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

#include <vector>

namespace vd {

class TskSkinForm;
class TskSkinFileListView;
class TskSkinShellComboBox;
class TskSkinFilterComboBox;
class TskSkinEdit;

class TskOpenDlgForm : public TForm {
public:
    TskOpenDlgForm(TComponent* AOwner, TskSkinData* CtrlSkinData, bool SaveMode);

    TskSkinForm* Frame = nullptr;
    TskSkinToolBar* ToolBar = nullptr;
    TskSkinPanel* MiddlePanel = nullptr;
    TskSkinPanel* BottomPanel = nullptr;
    TskSkinScrollBar* HScrollBar = nullptr;
    TskSkinScrollBar* VScrollBar = nullptr;
    TskSkinFileListView* FileList = nullptr;
    TskSkinEdit* FileNameEdit = nullptr;
    TskSkinFilterComboBox* FileTypeBox = nullptr;
    TskSkinShellComboBox* LookInCombo = nullptr;
    TskSkinButton* OpenButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
    TskSkinStdLabel* LookInLabel = nullptr;
    TskSkinStdLabel* FileNameLabel = nullptr;
    TskSkinStdLabel* FileTypeLabel = nullptr;
    TskSkinSpeedButton* NewFolderButton = nullptr;
    TskSkinSpeedButton* UpButton = nullptr;
    TskSkinSpeedButton* BackButton = nullptr;
    TskSkinMenuSpeedButton* ViewButton = nullptr;
    TskSkinPopupMenu* ViewMenu = nullptr;
    // Large icons, small icons, list, details: the view styles in their order.
    TMenuItem* ViewItems[4] = {};

    // Fired when the listed folder or the selection changes.
    TNotifyEvent OnFolderChange;
    bool CheckExists = true;
    // The chosen path after Open.
    const String& ResultPath() const { return FResultPath; }
    const std::vector<ItemIdList>& History() const { return FHistory; }

    // 0 large icons, 1 small icons, 2 list, 3 details.
    void SetViewStyle(int Style);
    int ViewStyle() const;
    void BackClick();
    void UpClick();
    void NewFolderClick();
    void OpenClick();
    void FileNameKeyPress(TKeyChar& Key);
    // The file-system path of the listed folder; empty for a virtual one.
    String ListedFolder() const;
    // The list shows another folder: into the history (unless going back), first row focused.
    void FolderChanged();

private:
    void ItemChanged();
    void ListDblClick();
    void ListKeyDown(Word& Key);
    void FolderChangeEvent();
    void BuildToolBar();
    void BuildBottom();
    void BuildMiddle();

    bool FSaveMode;
    bool FGoingBack = false;
    std::vector<ItemIdList> FHistory;
    TskSkinData* FCtrlSkinData;
    String FResultPath;
};

} // namespace vd
