#include "skin/extra/shell/SkinShellTreeView.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/SysUtils.h"
#include "platform/shell/FileSystem.h"
#include "skin/extra/shell/SkinShellComboBox.h"
#include "skin/extra/shell/SkinShellIcons.h"
#include "skin/extra/shell/SkinShellListView.h"

#include <set>

namespace vd {

TskCustomShellTreeView::TskCustomShellTreeView(TComponent* AOwner) : TskShellViewBase(AOwner) {
    ShowRoot = false;
}

void TskCustomShellTreeView::Delete(TTreeNode* Node) {
    TskSkinCustomTreeView::Delete(Node);
    if (TskShellFolder* f = FolderOf(Node)) FItems.erase(f);
    Node->Data = nullptr;
}

void TskCustomShellTreeView::Edit(TTreeNode* Node, String& Text) {
    TskSkinCustomTreeView::Edit(Node, Text);
    LabelEdited(Node, Text);
}

TskCustomShellTreeView::~TskCustomShellTreeView() {
    Destroying();
    if (FListView) FListView->ClearTreeLink();
    DropComboAndNotifier();
    // The items go with this object; the base's clearing must not show them to a handler.
    OnDeletion = nullptr;
}

TskShellFolder* TskCustomShellTreeView::Own(std::unique_ptr<TskShellFolder> Folder) {
    TskShellFolder* raw = Folder.get();
    FItems[raw] = std::move(Folder);
    return raw;
}

void TskCustomShellTreeView::CreateWnd() {
    TskSkinCustomTreeView::CreateWnd();
    ClearItems();
    if (!FImages || FImages == ShellSmallImages()) SetUseShellImages(FUseShellImages);
    if (FBuildingRoot) return;
    try {
        CreateRoot();
        if (!FRememberedPath.empty()) SetPath(FRememberedPath);
    } catch (const EskShellError&) {
        // A window is made whatever its root says; the tree shows the root it could resolve.
    }
}

void TskCustomShellTreeView::DestroyWnd() {
    ClearItems();
    TskSkinCustomTreeView::DestroyWnd();
}

void TskCustomShellTreeView::Loaded() {
    TskSkinCustomTreeView::Loaded();
    CreateRoot();
}

void TskCustomShellTreeView::ClearItems() {
    Items().BeginUpdate();
    Items().Clear();
    Items().EndUpdate();
    FItems.clear();
}

void TskCustomShellTreeView::SetRoot(const TRoot& Value) {
    if (!ChangeRoot(Value) || !RebuildRoot()) return;
    if (FListView) FListView->SetRoot(FRoot);
    if (FComboBox) FComboBox->SetRoot(FRoot);
}

void TskCustomShellTreeView::SetObjectTypes(TShellObjectTypes Value) {
    FObjectTypes = Value;
    RebuildRoot();
}

bool TskCustomShellTreeView::RebuildRoot() {
    if (FUpdating) return false;
    FUpdating = true;
    try {
        CreateRoot();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
    return true;
}

void TskCustomShellTreeView::InitNode(TTreeNode* Node, TskShellFolder* Folder) {
    if (FUseShellImages && (!FImages || FImages == ShellSmallImages())) {
        Node->SetImageIndex(GetShellImageIndex(Folder->AbsoluteIdList(), false, false));
        Node->SetSelectedIndex(GetShellImageIndex(Folder->AbsoluteIdList(), false, true));
    }
    bool mark = Folder->SubFolders();
    if ((FObjectTypes & (1u << otNonFolders)) && Folder->HasShellFolder())
        mark = FolderHasItems(Folder, ShellObjectTypesToFlags(FObjectTypes));
    Node->SetHasChildren(mark);
}

void TskCustomShellTreeView::CreateRoot() {
    if (ComponentState() & csLoading) return;
    String error;
    try {
        TskShellFolder::CreateRootFolder(FRootFolder, FOldRoot, FRoot);
    } catch (const EskShellError& e) {
        error = e.Message();
    }
    if (FRootFolder) {
        FBuildingRoot = true;
        ClearItems();
        TskShellFolder* item = Own(std::make_unique<TskShellFolder>(nullptr, FRootFolder->AbsoluteIdList()));
        TTreeNode* node =
            Items().AddObject(nullptr, GetDisplayName(nullptr, item->AbsoluteIdList(), SHGDN_NORMAL), item);
        InitNode(node, item);
        node->Expand(false);
        FUpdating = true; // the root is no change of folder for the links
        SetSelected(node);
        FUpdating = false;
        FBuildingRoot = false;
    }
    if (!error.empty()) throw EInvalidPath(error);
}

void TskCustomShellTreeView::PopulateNode(TTreeNode* Node) {
    TskShellFolder* folder = FolderOf(Node);
    std::vector<ItemIdList> children;
    if (!folder || !EnumerateShellFolder(folder, ShellObjectTypesToFlags(FObjectTypes), children)) return;
    Items().BeginUpdate();
    for (const ItemIdList& rel : children) {
        TskShellFolder* item = Own(std::make_unique<TskShellFolder>(folder, rel));
        bool add = true;
        if (OnAddFolder) OnAddFolder(this, item, add);
        if (!add) {
            FItems.erase(item);
            continue;
        }
        InitNode(Items().AddChildObject(Node, item->DisplayName(), item), item);
    }
    Items().EndUpdate();
}

// Filled on the first expand; nothing is ever run from here.
bool TskCustomShellTreeView::CanExpand(TTreeNode* Node) {
    bool allow = TskSkinCustomTreeView::CanExpand(Node);
    if (!allow || !Node) return allow;
    TskShellFolder* folder = FolderOf(Node);
    if (folder && Node->HasChildren() && Node->Count() == 0 && folder->HasShellFolder()) PopulateNode(Node);
    if (Node->Count() == 0 && Node->HasChildren()) Node->SetHasChildren(false);
    return allow;
}

bool TskCustomShellTreeView::CanChange(TTreeNode* Node) {
    const bool allow = TskSkinCustomTreeView::CanChange(Node);
    if (!allow || FUpdating || !Node) return allow;
    TskShellFolder* item = FolderOf(Node);
    if (!item) return allow;
    // A file's folder is what the list shows.
    const ItemIdList target =
        item->IsFolder() || item->IsDesktop()
            ? item->AbsoluteIdList()
            : ItemIdList(item->AbsoluteIdList().begin(), item->AbsoluteIdList().end() - 1);
    FUpdating = true;
    if (FListView) FListView->ShowFolder(target);
    if (FComboBox) FComboBox->SelectFolder(target);
    FUpdating = false;
    FSelecting = Node;
    if (FAutoRefresh) StartNotifier(item->PathName());
    FSelecting = nullptr;
    return allow;
}

String TskCustomShellTreeView::GetPath() {
    TskShellFolder* f = FolderOf(Selected());
    return f ? f->PathName() : String();
}

void TskCustomShellTreeView::SetPath(const String& Path) {
    FRememberedPath = Path;
    const auto list = ShellNamespace().ParseDisplayName(Path);
    if (!list) throw EInvalidPath(Format(shell_msg::ErrorSettingPath, Path));
    SelectFolder(*list);
    if (TTreeNode* node = Selected()) {
        node->Expand(false);
        if (!FUpdating) {
            const ItemIdList list = FolderOf(node)->AbsoluteIdList();
            FUpdating = true;
            if (FListView) FListView->ShowFolder(list);
            if (FComboBox) FComboBox->SelectFolder(list);
            FUpdating = false;
        }
    }
    FRememberedPath = Path;
}

// StartNode itself or one of its descendants, in tree order.
TTreeNode* TskCustomShellTreeView::FindNodeFromIdList(const ItemIdList& AbsoluteList, TTreeNode* StartNode) {
    if (!StartNode) return nullptr;
    if (TskShellFolder* f = FolderOf(StartNode); f && SameItemIdList(f->AbsoluteIdList(), AbsoluteList))
        return StartNode;
    for (int i = 0; i < StartNode->Count(); ++i)
        if (TTreeNode* found = FindNodeFromIdList(AbsoluteList, StartNode->Item(i))) return found;
    return nullptr;
}

void TskCustomShellTreeView::SelectFolder(const ItemIdList& AbsoluteList) {
    if (ComponentState() & csLoading) return;
    if (TskShellFolder* f = FolderOf(Selected()); f && SameItemIdList(f->AbsoluteIdList(), AbsoluteList))
        return;
    const bool wasUpdating = FUpdating;
    FUpdating = true;
    Items().BeginUpdate();
    TTreeNode* start = Items().GetFirstNode();
    for (const ItemIdList& prefix : CreateItemIdChain(AbsoluteList))
        if (TTreeNode* node = FindNodeFromIdList(prefix, start)) {
            node->Expand(false);
            start = node;
        }
    TTreeNode* found = FindNodeFromIdList(AbsoluteList, start);
    if (found) {
        SetSelected(found);
        if (FListView && !wasUpdating) FListView->ShowFolder(AbsoluteList);
        if (FComboBox && !wasUpdating) FComboBox->SelectFolder(AbsoluteList);
    }
    Items().EndUpdate();
    FUpdating = wasUpdating;
    if (found) ScrollIntoView(found);
}

void TskCustomShellTreeView::SelectMyComputer() {
    SelectFolder(*ShellNamespace().SpecialFolder(CSIDL_DRIVES));
    if (Selected()) Selected()->Expand(false);
}

void TskCustomShellTreeView::Refresh() {
    if (Selected()) RefreshNode(Selected());
}

// Reads the node's folder again, keeping what was expanded, the selection and the top row.
void TskCustomShellTreeView::RefreshNode(TTreeNode* Node) {
    TskShellFolder* folder = FolderOf(Node);
    if (!folder || !folder->HasShellFolder()) return;
    std::set<ItemIdList> expanded;
    auto collect = [&](const auto& self, TTreeNode* n) -> void {
        for (int i = 0; i < n->Count(); ++i) {
            TTreeNode* c = n->Item(i);
            if (c->Expanded() && FolderOf(c)) expanded.insert(FolderOf(c)->AbsoluteIdList());
            self(self, c);
        }
    };
    collect(collect, Node);
    const bool nodeExpanded = Node->Expanded();
    const std::optional<ItemIdList> selected =
        FolderOf(Selected()) ? std::optional<ItemIdList>(FolderOf(Selected())->AbsoluteIdList())
                             : std::nullopt;
    const std::optional<ItemIdList> top =
        FolderOf(TopItem()) ? std::optional<ItemIdList>(FolderOf(TopItem())->AbsoluteIdList()) : std::nullopt;
    const bool wasUpdating = FUpdating;
    FUpdating = true;
    Items().BeginUpdate();
    Node->DeleteChildren();
    PopulateNode(Node);
    Node->SetHasChildren(Node->Count() > 0);
    if (nodeExpanded) Node->Expand(false);
    auto reopen = [&](const auto& self, TTreeNode* n) -> void {
        for (int i = 0; i < n->Count(); ++i) {
            TTreeNode* c = n->Item(i);
            if (FolderOf(c) && expanded.count(FolderOf(c)->AbsoluteIdList())) {
                c->Expand(false);
                self(self, c);
            }
        }
    };
    reopen(reopen, Node);
    TTreeNode* first = Items().GetFirstNode();
    if (selected)
        if (TTreeNode* s = FindNodeFromIdList(*selected, first)) SetSelected(s);
    if (top)
        if (TTreeNode* t = FindNodeFromIdList(*top, first)) SetTopItem(t);
    Items().EndUpdate();
    FUpdating = wasUpdating;
}

void TskCustomShellTreeView::ExecuteCommand(const String& Verb, bool& Handled) {
    if (SameText(Verb, "rename") && Selected()) {
        StartEdit(Selected());
        Handled = true;
    }
}

TskShellFolder* TskCustomShellTreeView::SelectedFolder() {
    return FolderOf(Selected());
}

TskShellFolder* TskCustomShellTreeView::WatchedFolder() {
    TskShellFolder* f = FolderOf(FSelecting ? FSelecting : Selected());
    return f ? f : FRootFolder.get();
}

// A delete that did not happen (refused, cancelled, partly done) leaves the node, read again.
void TskCustomShellTreeView::CommandCompleted(const String& Verb, bool Succeeded) {
    TTreeNode* node = Selected();
    if (!Succeeded || !node) return;
    if (SameText(Verb, "delete")) {
        const String path = FolderOf(node) ? FolderOf(node)->FileSystemPath() : String();
        if (!path.empty() && !PathOccupied(path))
            Items().Delete(node);
        else if (node->Parent())
            RefreshNode(node->Parent());
    } else if (SameText(Verb, "paste")) {
        RefreshNode(node);
    }
}

void TskCustomShellTreeView::LabelEdited(TTreeNode* Node, String& Text) {
    TskShellFolder* f = FolderOf(Node);
    if (!f || Text.empty() || Text == Node->Text()) return;
    try {
        if (!f->Rename(Text)) Text = Node->Text();
    } catch (const EskShellError&) {
        Text = Node->Text(); // refused: the node keeps its name
    }
}

void TskCustomShellTreeView::SetUseShellImages(bool Value) {
    FUseShellImages = Value;
    if (FImages && FImages != ShellSmallImages()) return; // the caller's own list stays
    Perform(TVM_SETIMAGELIST, TVSIL_NORMAL,
            Value ? reinterpret_cast<LPARAM>(ShellSmallImages()->Handle()) : 0);
}

void TskCustomShellTreeView::SetShellListView(TskCustomShellListView* Value) {
    if (Value == FListView) return;
    if (FListView) FListView->ClearTreeLink();
    FListView = Value;
    if (!Value) return;
    Value->LinkTree(this);
    Value->SetRoot(FRoot);
}

void TskCustomShellTreeView::ListFolderChanged(const ItemIdList& AbsoluteList) {
    if (FUpdating) return;
    FUpdating = true;
    SelectFolder(AbsoluteList);
    FUpdating = false;
}

void TskCustomShellTreeView::ClearListLink() {
    FListView = nullptr;
}

} // namespace vd
