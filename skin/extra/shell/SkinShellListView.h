#pragma once
// The skinned file list: the items of one shell folder in an owner-data list view, folders first,
// then the files that pass the mask, with the shell icons and, in the report view, the name,
// size, type and change columns. Double click or Enter goes into a folder, Backspace up, F5
// reads the folder again; a linked folder tree follows the listed folder.
#include "skin/controls/Forward.h"
#include "skin/controls/SkinListView.h"
#include "skin/extra/shell/SkinShellFolder.h"
#include "skin/extra/shell/SkinShellTreeView.h"

#include <memory>
#include <vector>

namespace vd {

class TskShellChangeNotifier;
class TskCustomShellComboBox;

// Whether a file name passes a mask: patterns cut at ";" and "|", a pattern without "." never
// matches, "*.*" matches every name, the others match without regard to case.
bool ShellMaskMatches(const String& Mask, const String& FileName);

class TskCustomShellListView : public TskSkinCustomListView {
public:
    explicit TskCustomShellListView(TComponent* AOwner);
    ~TskCustomShellListView() override;

    const TRoot& Root() const { return FRoot; }
    void SetRoot(const TRoot& Value);
    const String& Mask() const { return FMask; }
    void SetMask(const String& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool AutoNavigate = true;
    bool AutoContextMenus = true;
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    TskCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(TskCustomShellTreeView* Value);
    // The linked folder combo: it gets this list's root and follows the listed folder.
    TskCustomShellComboBox* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(TskCustomShellComboBox* Value);
    TAddFolderEvent OnAddFolder;
    TNotifyEvent OnPathChange;

    TskShellFolder* Folder() const { return FFolder.get(); }
    int FolderCount() const { return static_cast<int>(FFolders.size()); }
    TskShellFolder* Folders(int Index) const;
    void SetViewStyle(TViewStyle Value);

    String GetPath();
    void SetPath(const String& Path);
    String GetSelectedPath();
    void GetSelectedPaths(TStrings& List);
    void ShowFolder(const ItemIdList& AbsoluteList);
    void SetFolder(const ItemIdList& AbsoluteList);
    // Nothing at the desktop.
    void GoUp();
    void Refresh();
    void EditSelected();
    // Type-ahead: the first item from StartIndex whose name begins with Text (without regard to
    // case), going round to the start when Wrap; -1 when none or the list is empty.
    int OwnerDataFind(const String& Text, int StartIndex, bool Wrap);

    void ExecuteCommand(const String& Verb, bool& Handled);
    void CommandCompleted(const String& Verb, bool Succeeded);

    // Called by a linked tree.
    void LinkTree(TskCustomShellTreeView* Tree);
    void ClearTreeLink();
    // Called by a linked folder combo (null: unlinked); the combo follows the listed folder.
    void LinkCombo(TskCustomShellComboBox* Combo);

    virtual void Populate();
    // Form resources: the published properties and links (SkinShellClasses.cpp).
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DblClick() override;
    // The list's own work first, then the user's OnData, OnDataFind and OnEdited.
    void OwnerDataFetch(TListItem& Item) override;
    int OwnerDataFind(const String& Text, int Start) override;
    void Edit(TListItem* Item, String& Text) override;
    // The item menu of the selected row (AutoContextMenus).
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void ClearFolders();
    void CreateRoot();
    void UpdateList();
    void SyncLinks();
    void EnsureColumns();

private:
    void Fetch(TListItem* Item);
    void LabelEdited(TListItem* Item, String& Text);

    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TskShellFolder> FFolder;
    bool FAutoRefresh = false;
    bool FSorted = true;
    bool FUpdating = false;
    bool FRootChanged = false;
    TShellObjectTypes FObjectTypes = (1u << otFolders) | (1u << otNonFolders);
    std::vector<std::unique_ptr<TskShellFolder>> FFolders;
    TComponentLink<TskCustomShellTreeView> FTreeView{this};
    TComponentLink<TskCustomShellComboBox> FComboBox{this};
    TskSkinPopupMenu* FItemMenu = nullptr;
    TskShellChangeNotifier* FNotifier = nullptr;
    String FMask = "*.*|*.*";
};

class TskSkinFileListView : public TskCustomShellListView {
public:
    explicit TskSkinFileListView(TComponent* AOwner) : TskCustomShellListView(AOwner) {}
};

} // namespace vd
