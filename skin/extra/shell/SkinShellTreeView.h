#pragma once
// The skinned folder tree: the shell namespace as a tree that fills each folder on its first
// expand, keeps a linked file list on the selected folder, renames by label editing and can
// refresh itself from a change notifier. Expanding never runs anything.
#include "skin/controls/Forward.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/extra/shell/SkinShellFolder.h"

#include <functional>
#include <memory>
#include <unordered_map>

namespace vd {

class TskCustomShellListView;
class TskCustomShellComboBox;
class TskShellChangeNotifier;

using TAddFolderEvent = std::function<void(TObject* Sender, TskShellFolder* AFolder, bool& CanAdd)>;

class TskCustomShellTreeView : public TskSkinCustomTreeView {
public:
    explicit TskCustomShellTreeView(TComponent* AOwner);
    ~TskCustomShellTreeView() override;

    const TRoot& Root() const { return FRoot; }
    // Same text in other letter case: nothing. A root that cannot be resolved keeps the tree on
    // the previous one and raises EInvalidPath.
    void SetRoot(const TRoot& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    bool AutoContextMenus = true;
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    TskCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TskCustomShellListView* Value);
    // The linked folder combo: it gets this tree's root and follows the selected folder.
    TskCustomShellComboBox* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(TskCustomShellComboBox* Value);
    TAddFolderEvent OnAddFolder;

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
    void Refresh();
    void RefreshNode(TTreeNode* Node);
    TTreeNode* FindNodeFromIdList(const ItemIdList& AbsoluteList, TTreeNode* StartNode);

    // The command-verb callback of the context menu: "rename" starts label editing.
    void ExecuteCommand(const String& Verb, bool& Handled);
    // "delete" removes the selected node only when nothing is left at its path.
    void CommandCompleted(const String& Verb, bool Succeeded);

    // Called by a linked list when its folder changes.
    void ListFolderChanged(const ItemIdList& AbsoluteList);
    void ClearListLink();
    // Called by a linked folder combo (null: unlinked); the combo follows the selected folder.
    void LinkCombo(TskCustomShellComboBox* Combo);

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
    // The item menu of the selected node (AutoContextMenus).
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void ClearItems();
    void CreateRoot();
    void PopulateNode(TTreeNode* Node);

private:
    TskShellFolder* Own(std::unique_ptr<TskShellFolder> Folder);
    void InitNode(TTreeNode* Node, TskShellFolder* Folder);
    void StartNotifier(const String& Path);
    void LabelEdited(TTreeNode* Node, String& Text);

    String FRememberedPath;
    TRoot FRoot = "rfDesktop";
    TRoot FOldRoot;
    std::unique_ptr<TskShellFolder> FRootFolder;
    TShellObjectTypes FObjectTypes = 1u << otFolders;
    bool FBuildingRoot = false;
    bool FUpdating = false;
    TComponentLink<TskCustomShellListView> FListView{this};
    TComponentLink<TskCustomShellComboBox> FComboBox{this};
    bool FAutoRefresh = false;
    bool FUseShellImages = true;
    TskShellChangeNotifier* FNotifier = nullptr;
    TTreeNode* FSelecting = nullptr;
    TskSkinPopupMenu* FItemMenu = nullptr;
    // The nodes' items, owned here and freed with their nodes.
    std::unordered_map<const TskShellFolder*, std::unique_ptr<TskShellFolder>> FItems;
};

class TskSkinDirTreeView : public TskCustomShellTreeView {
public:
    explicit TskSkinDirTreeView(TComponent* AOwner) : TskCustomShellTreeView(AOwner) {}
};

} // namespace vd
