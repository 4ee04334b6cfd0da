#pragma once
// The look-in box of the open-file dialog: a skinned combo of shell folders, indented by depth.
// It holds the root, the root's child folders and, under the desktop, the computer's children;
// a deeper folder brings the chain of its ancestors below the nearest listed one.
#include "skin/boxes/SkinComboBox.h"
#include "skin/extra/shell/SkinShellFolder.h"

#include <memory>
#include <vector>

namespace vd {

class TskCustomShellTreeView;
class TskCustomShellListView;

struct TskItemEx {
    String Caption;
    std::unique_ptr<TskShellFolder> Folder;
    int Indent = 0;
    int ImageIndex = -1;
    int SelectedImageIndex = -1;
};

class TskCustomShellComboBox : public TskSkinCustomComboBox {
public:
    explicit TskCustomShellComboBox(TComponent* AOwner);
    ~TskCustomShellComboBox() override;

    const TRoot& Root() const { return FRoot; }
    // Same text in other letter case: nothing. A root that cannot be resolved keeps the previous
    // one and raises EInvalidPath.
    void SetRoot(const TRoot& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    TskCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(TskCustomShellTreeView* Value);
    TskCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TskCustomShellListView* Value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);

    int ItemCount() const { return static_cast<int>(FItems.size()); }
    const TskItemEx& ItemEx(int Index) const { return *FItems[static_cast<std::size_t>(Index)]; }
    // The folder of item Index clipped to the last item; null for a negative index or no items.
    TskShellFolder* GetFolder(int Index) const;
    // The last item whose folder is AbsoluteList; -1 when none.
    int FindItem(const ItemIdList& AbsoluteList) const;
    // Shows the folder (by its chain below the nearest listed ancestor) and chooses it.
    void SelectFolder(const ItemIdList& AbsoluteList);
    void ShowPath(const ItemIdList& AbsoluteList);
    TskShellFolder* RootFolder() const { return FRootFolder.get(); }

    // Called by a linked view when it goes away.
    void ClearTreeLink();
    void ClearListLink();
    // Called by a view that links itself to this combo (it hands its root over itself).
    void LinkTree(TskCustomShellTreeView* Tree);
    void LinkList(TskCustomShellListView* List);
    // Form resources: the published properties and links (SkinShellClasses.cpp).
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void Change() override;
    // A picked item shows its own chain: deeper entries of the last path go.
    void Click() override;
    void CreateWnd() override;
    void Loaded() override;
    virtual void LoadRootItems();
    void CreateRootItems();
    void ClearItems();
    void RefreshStrings();
    void AddChildItems(int Index, TskShellFolder* Folder);
    int GetItemImage(const TskShellFolder* Folder, bool Open) const;
    void DrawItem(TCanvas& Canvas, int Index, int Height, bool Indented);

private:
    void RootChanged();
    std::unique_ptr<TskItemEx> MakeItem(std::unique_ptr<TskShellFolder> Folder) const;

    std::vector<std::unique_ptr<TskItemEx>> FItems;
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TskShellFolder> FRootFolder;
    TComponentLink<TskCustomShellTreeView> FTreeView{this};
    TComponentLink<TskCustomShellListView> FListView{this};
    TShellObjectTypes FObjectTypes = 1u << otFolders;
    bool FUseShellImages = true;
    bool FUpdating = false;
    bool FItemsUpdating = false;
    int FIconWidth = 16, FIconHeight = 16;
};

class TskSkinShellComboBox : public TskCustomShellComboBox {
public:
    explicit TskSkinShellComboBox(TComponent* AOwner) : TskCustomShellComboBox(AOwner) {}
};

} // namespace vd
