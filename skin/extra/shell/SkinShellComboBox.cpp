#include "skin/extra/shell/SkinShellComboBox.h"

#include "platform/rtl/SysUtils.h"
#include "platform/shell/namespace/ShellNamespace.h"
#include "platform/vcl/Canvas.h"
#include "skin/extra/shell/SkinShellIcons.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellTreeView.h"

#include <algorithm>

namespace vd {

namespace {

// Sets a flag for a scope, leaving it as it was afterwards (exceptions included).
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

} // namespace

TskCustomShellComboBox::TskCustomShellComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {
    SetUseShellImages(true);
    SetOnListBoxDrawItem(
        [this](TCanvas* c, int index, int, int h, TRect&, TOwnerDrawState) { DrawItem(*c, index, h, true); });
    OnComboBoxDrawItem = [this](TCanvas* c, int index, int, int h, TRect&, TOwnerDrawState) {
        DrawItem(*c, index, h, false);
    };
    CreateRootItems();
}

TskCustomShellComboBox::~TskCustomShellComboBox() {
    if (FTreeView) FTreeView->LinkCombo(nullptr);
    if (FListView) FListView->LinkCombo(nullptr);
    FItems.clear();
}

void TskCustomShellComboBox::CreateWnd() {
    TskSkinCustomComboBox::CreateWnd();
    if (FItems.empty()) CreateRootItems();
    RefreshStrings();
}

void TskCustomShellComboBox::Loaded() {
    TskSkinCustomComboBox::Loaded();
    CreateRootItems();
}

void TskCustomShellComboBox::ClearItems() {
    {
        TFlagScope scope(FItemsUpdating);
        FItems.clear();
    }
    RefreshStrings();
}

void TskCustomShellComboBox::RefreshStrings() {
    TFlagScope scope(FItemsUpdating);
    Items().BeginUpdate();
    Items().Clear();
    for (const auto& item : FItems)
        Items().Add(item->Caption);
    Items().EndUpdate();
}

void TskCustomShellComboBox::SetRoot(const TRoot& Value) {
    if (SameText(Value, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = Value;
    RootChanged();
}

void TskCustomShellComboBox::SetObjectTypes(TShellObjectTypes Value) {
    FObjectTypes = Value;
    RootChanged();
}

void TskCustomShellComboBox::RootChanged() {
    TFlagScope scope(FUpdating);
    ClearItems();
    CreateRootItems();
    if (FTreeView) FTreeView->SetRoot(FRoot);
    if (FListView) FListView->SetRoot(FRoot);
}

std::unique_ptr<TskItemEx> TskCustomShellComboBox::MakeItem(std::unique_ptr<TskShellFolder> Folder) const {
    auto item = std::make_unique<TskItemEx>();
    item->Caption = Folder->DisplayName();
    const int rootDepth = FRootFolder ? ItemIdCount(FRootFolder->AbsoluteIdList()) : 0;
    item->Indent = std::max(0, ItemIdCount(Folder->AbsoluteIdList()) - rootDepth);
    item->ImageIndex = GetItemImage(Folder.get(), false);
    item->SelectedImageIndex = GetItemImage(Folder.get(), true);
    item->Folder = std::move(Folder);
    return item;
}

void TskCustomShellComboBox::CreateRootItems() {
    if (ComponentState() & csLoading) return;
    TFlagScope scope(FItemsUpdating);
    ClearItems();
    TskShellFolder::CreateRootFolder(FRootFolder, FOldRoot, FRoot);
    FItems.push_back(MakeItem(CreateFolderFromIdList(FRootFolder->AbsoluteIdList())));
    LoadRootItems();
    RefreshStrings();
    SetItemIndex(0);
}

void TskCustomShellComboBox::LoadRootItems() {
    AddChildItems(0, FItems[0]->Folder.get());
    if (RootFolderIndex(FRoot) != rfDesktop) return;
    const auto computer = ShellNamespace().SpecialFolder(CSIDL_DRIVES);
    if (!computer) return;
    const int i = FindItem(*computer);
    if (i >= 0) AddChildItems(i, FItems[static_cast<std::size_t>(i)]->Folder.get());
}

void TskCustomShellComboBox::AddChildItems(int Index, TskShellFolder* Folder) {
    std::vector<ItemIdList> children;
    if (!EnumerateShellFolder(Folder, ShellObjectTypesToFlags(FObjectTypes), children))
        throw EskShellError("Unable to list \"" + Folder->DisplayName() + "\"");
    int at = Index + 1;
    for (const ItemIdList& rel : children) {
        auto item = MakeItem(std::make_unique<TskShellFolder>(Folder, rel));
        FItems.insert(FItems.begin() + at, std::move(item));
        ++at;
    }
}

int TskCustomShellComboBox::FindItem(const ItemIdList& AbsoluteList) const {
    for (int i = ItemCount() - 1; i >= 0; --i)
        if (SameItemIdList(FItems[static_cast<std::size_t>(i)]->Folder->AbsoluteIdList(), AbsoluteList))
            return i;
    return -1;
}

TskShellFolder* TskCustomShellComboBox::GetFolder(int Index) const {
    if (Index < 0 || FItems.empty()) return nullptr;
    Index = std::min(Index, ItemCount() - 1);
    return FItems[static_cast<std::size_t>(Index)]->Folder.get();
}

int TskCustomShellComboBox::GetItemImage(const TskShellFolder* Folder, bool Open) const {
    if (!FUseShellImages || !Folder) return -1;
    return static_cast<int>(ShellNamespace().Icon(Folder->AbsoluteIdList(), Open));
}

void TskCustomShellComboBox::SetUseShellImages(bool Value) {
    FUseShellImages = Value;
    FIconWidth = FIconHeight = 16;
}

void TskCustomShellComboBox::SelectFolder(const ItemIdList& AbsoluteList) {
    if (FUpdating) return;
    if (TskShellFolder* f = GetFolder(ItemIndex()); f && SameItemIdList(f->AbsoluteIdList(), AbsoluteList))
        return;
    TFlagScope scope(FUpdating);
    ShowPath(AbsoluteList);
}

void TskCustomShellComboBox::ShowPath(const ItemIdList& AbsoluteList) {
    const ItemIdList list = AbsoluteList; // the items it may come from are rebuilt below
    int chosen = 0;
    {
        TFlagScope scope(FItemsUpdating);
        CreateRootItems();
        const std::vector<ItemIdList> chain = CreateItemIdChain(list);
        int found = -1;
        std::size_t at = chain.size();
        while (at > 0 && found < 0) {
            --at;
            found = FindItem(chain[at]);
        }
        if (SameItemIdList(list, FRootFolder->AbsoluteIdList())) found = 0, at = chain.size();
        if (found >= 0) {
            for (std::size_t k = at + 1; k < chain.size(); ++k) {
                TskShellFolder* parent = FItems[static_cast<std::size_t>(found)]->Folder.get();
                auto item = MakeItem(std::make_unique<TskShellFolder>(parent, LastItemId(chain[k])));
                FItems.insert(FItems.begin() + found + 1, std::move(item));
                ++found;
            }
            chosen = found;
        }
        RefreshStrings();
    }
    SetItemIndex(chosen);
}

void TskCustomShellComboBox::Change() {
    if (FItemsUpdating) return;
    TskSkinCustomComboBox::Change();
    TskShellFolder* folder = GetFolder(ItemIndex());
    if (!folder || FUpdating || DroppedDown()) return;
    TFlagScope scope(FUpdating);
    const ItemIdList list = folder->AbsoluteIdList();
    if (FTreeView) FTreeView->SelectFolder(list);
    if (FListView) FListView->ShowFolder(list);
}

void TskCustomShellComboBox::Click() {
    if (!FUpdating && !FItemsUpdating)
        if (TskShellFolder* folder = GetFolder(ItemIndex())) {
            TFlagScope scope(FUpdating);
            ShowPath(ItemIdList(folder->AbsoluteIdList())); // the items are rebuilt
        }
    TskSkinCustomComboBox::Click();
}

void TskCustomShellComboBox::LinkTree(TskCustomShellTreeView* Tree) {
    if (Tree == FTreeView) return;
    if (FTreeView) SetShellTreeView(nullptr);
    FTreeView = Tree;
}

void TskCustomShellComboBox::LinkList(TskCustomShellListView* List) {
    if (List == FListView) return;
    if (FListView) SetShellListView(nullptr);
    FListView = List;
}

void TskCustomShellComboBox::SetShellTreeView(TskCustomShellTreeView* Value) {
    if (Value == FTreeView) return;
    if (FTreeView) FTreeView->LinkCombo(nullptr);
    FTreeView = Value;
    if (!Value) return;
    Value->SetRoot(FRoot);
    Value->LinkCombo(this);
}

void TskCustomShellComboBox::SetShellListView(TskCustomShellListView* Value) {
    if (Value == FListView) return;
    if (FListView) FListView->LinkCombo(nullptr);
    FListView = Value;
    if (!Value) return;
    Value->SetRoot(FRoot);
    Value->LinkCombo(this);
}

void TskCustomShellComboBox::DrawItem(TCanvas& Canvas, int Index, int Height, bool Indented) {
    if (Index < 0 || Index >= ItemCount()) return;
    const TskItemEx& item = ItemEx(Index);
    const int indent = Indented ? item.Indent * FIconWidth / 2 : 0;
    int x = indent;
    if (FUseShellImages && item.ImageIndex >= 0) {
        if (TCustomImageList* images = ShellSmallImages())
            images->Draw(Canvas, indent, (Height - FIconHeight) / 2, item.ImageIndex);
        x = FIconWidth + indent + 4;
    }
    Canvas.Brush().Style = bsClear;
    Canvas.TextOut(x, Height / 2 - Canvas.TextHeight("Wg") / 2, item.Caption);
}

void TskCustomShellComboBox::ClearTreeLink() {
    FTreeView = nullptr;
}

void TskCustomShellComboBox::ClearListLink() {
    FListView = nullptr;
}

} // namespace vd
