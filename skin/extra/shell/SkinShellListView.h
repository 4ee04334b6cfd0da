#pragma once
// The skinned file list: the items of one shell folder in an owner-data list view, folders first,
// then the files that pass the mask, with the shell icons and, in the report view, the name,
// size, type and change columns. Double click or Enter goes into a folder, Backspace up, F5
// reads the folder again; a linked folder tree follows the listed folder.
#include "skin/controls/Forward.h"
#include "skin/controls/SkinListView.h"
#include "skin/extra/shell/SkinShellFolder.h"
#include "skin/extra/shell/SkinShellTreeView.h"
#include "skin/extra/shell/SkinShellViewBase.h"

#include <memory>
#include <vector>

namespace vd {

// Whether a file name passes a mask: patterns cut at ";" and "|", a pattern without "." never
// matches, "*.*" matches every name, the others match without regard to case.
bool ShellMaskMatches(const String& Mask, const String& FileName);

class TskCustomShellListView : public TskShellViewBase<TskSkinCustomListView, TskCustomShellListView> {
public:
    explicit TskCustomShellListView(TComponent* AOwner);
    ~TskCustomShellListView() override;

    void SetRoot(const TRoot& Value);
    const String& Mask() const { return FMask; }
    void SetMask(const String& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool AutoNavigate = true;
    TskCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(TskCustomShellTreeView* Value);
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
    void Refresh() override;
    void EditSelected();
    // Type-ahead: the first item from StartIndex whose name begins with Text (without regard to
    // case), going round to the start when Wrap; -1 when none or the list is empty.
    int OwnerDataFind(const String& Text, int StartIndex, bool Wrap);

    void ExecuteCommand(const String& Verb, bool& Handled);
    void CommandCompleted(const String& Verb, bool Succeeded);

    // Called by a linked tree.
    void LinkTree(TskCustomShellTreeView* Tree);
    void ClearTreeLink();

    virtual void Populate();
    // Form resources: the published properties and links (SkinShellClasses.cpp).
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void DblClick() override;
    // The list's own work first, then the user's OnData, OnDataFind and OnEdited.
    void OwnerDataFetch(TListItem& Item) override;
    int OwnerDataFind(const String& Text, int Start) override;
    void Edit(TListItem* Item, String& Text) override;
    // The selected row's item; the listed folder.
    TskShellFolder* SelectedFolder() override;
    TskShellFolder* WatchedFolder() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void ClearFolders();
    void CreateRoot();
    void UpdateList();
    void SyncLinks();
    void EnsureColumns();

private:
    void Fetch(TListItem* Item);
    void LabelEdited(TListItem* Item, String& Text);

    std::unique_ptr<TskShellFolder> FFolder;
    bool FSorted = true;
    bool FUpdating = false;
    bool FRootChanged = false;
    TShellObjectTypes FObjectTypes = (1u << otFolders) | (1u << otNonFolders);
    std::vector<std::unique_ptr<TskShellFolder>> FFolders;
    TComponentLink<TskCustomShellTreeView> FTreeView{this};
    String FMask = "*.*|*.*";
};

class TskSkinFileListView : public TskCustomShellListView {
public:
    explicit TskSkinFileListView(TComponent* AOwner) : TskCustomShellListView(AOwner) {}
};

} // namespace vd
