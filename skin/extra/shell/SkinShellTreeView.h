#pragma once
// The skinned folder tree: the shell namespace as a tree that fills each folder on its first
// expand, keeps a linked file list on the selected folder, renames by label editing and can
// refresh itself from a change notifier. Expanding never runs anything.
#include "skin/controls/Forward.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/extra/shell/SkinShellFolder.h"
#include "skin/extra/shell/SkinShellViewBase.h"

#include <memory>
#include <unordered_map>

namespace vd {

class TskCustomShellTreeView : public TskShellViewBase<TskSkinCustomTreeView, TskCustomShellTreeView> {
public:
    explicit TskCustomShellTreeView(TComponent* AOwner);
    ~TskCustomShellTreeView() override;

    // Same text in other letter case: nothing. A root that cannot be resolved keeps the tree on
    // the previous one and raises EInvalidPath.
    void SetRoot(const TRoot& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);
    TskCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TskCustomShellListView* Value);

    TskShellFolder* RootFolder() const { return FRootFolder.get(); }
    static TskShellFolder* FolderOf(const TTreeNode* Node) {
        return Node ? static_cast<TskShellFolder*>(Node->Data) : nullptr;
    }
    // The parsing name of the selected item; empty when nothing is selected.
    String GetPath();
    // Selects and expands the chain down to Path; raises EInvalidPath for a path the namespace
    // cannot parse.
    void SetPath(const String& Path);
    void SelectFolder(const ItemIdList& AbsoluteList);
    void SelectMyComputer();
    void Refresh() override;
    void RefreshNode(TTreeNode* Node);
    TTreeNode* FindNodeFromIdList(const ItemIdList& AbsoluteList, TTreeNode* StartNode);

    // The command-verb callback of the context menu: "rename" starts label editing.
    void ExecuteCommand(const String& Verb, bool& Handled);
    // "delete" removes the selected node only when nothing is left at its path.
    void CommandCompleted(const String& Verb, bool Succeeded);

    // Called by a linked list when its folder changes.
    void ListFolderChanged(const ItemIdList& AbsoluteList);
    void ClearListLink();

    bool CanExpand(TTreeNode* Node) override;
    // Form resources: the published properties and links (SkinShellClasses.cpp).
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    bool CanChange(TTreeNode* Node) override;
    // The node's item goes with it, after the user's OnDeletion has seen it.
    void Delete(TTreeNode* Node) override;
    // The user's OnEdited first (it may change the text), then the rename.
    void Edit(TTreeNode* Node, String& Text) override;
    // The selected node's item; the folder being selected, else the selected one, else the root.
    TskShellFolder* SelectedFolder() override;
    TskShellFolder* WatchedFolder() override;
    virtual void ClearItems();
    void CreateRoot();
    // CreateRoot unless the tree is updating already (false then).
    bool RebuildRoot();
    void PopulateNode(TTreeNode* Node);

private:
    TskShellFolder* Own(std::unique_ptr<TskShellFolder> Folder);
    void InitNode(TTreeNode* Node, TskShellFolder* Folder);
    void LabelEdited(TTreeNode* Node, String& Text);

    String FRememberedPath;
    std::unique_ptr<TskShellFolder> FRootFolder;
    TShellObjectTypes FObjectTypes = 1u << otFolders;
    bool FBuildingRoot = false;
    bool FUpdating = false;
    TComponentLink<TskCustomShellListView> FListView{this};
    bool FUseShellImages = true;
    TTreeNode* FSelecting = nullptr;
    // The nodes' items, owned here and freed with their nodes.
    std::unordered_map<const TskShellFolder*, std::unique_ptr<TskShellFolder>> FItems;
};

class TskSkinDirTreeView : public TskCustomShellTreeView {
public:
    explicit TskSkinDirTreeView(TComponent* AOwner) : TskCustomShellTreeView(AOwner) {}
};

} // namespace vd
