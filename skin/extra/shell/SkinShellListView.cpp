#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellComboBox.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/SysUtils.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/shell/SkinShellIcons.h"

#include <algorithm>

namespace vd {

bool ShellMaskMatches(const String& Mask, const String& FileName) {
    std::size_t i = 0;
    while (i <= Mask.size()) {
        std::size_t e = Mask.find_first_of(";|", i);
        if (e == String::npos) e = Mask.size();
        const String pattern = Trim(Mask.substr(i, e - i));
        i = e + 1;
        if (pattern.find('.') == String::npos) continue; // a description, or a pattern without a dot
        if (pattern == "*.*" || MatchesMask(FileName, pattern, false)) return true;
    }
    return false;
}

TskCustomShellListView::TskCustomShellListView(TComponent* AOwner) : TskShellViewBase(AOwner) {
    SetOwnerData(true);
    HideSelection = false;
}

void TskCustomShellListView::OwnerDataFetch(TListItem& Item) {
    Fetch(&Item);
    TskSkinCustomListView::OwnerDataFetch(Item);
}

int TskCustomShellListView::OwnerDataFind(const String& Text, int Start) {
    int index = OwnerDataFind(Text, Start, true);
    if (OnDataFind) OnDataFind(this, Text, Start, index);
    return index;
}

void TskCustomShellListView::Edit(TListItem* Item, String& Text) {
    TskSkinCustomListView::Edit(Item, Text);
    LabelEdited(Item, Text);
}

TskCustomShellListView::~TskCustomShellListView() {
    Destroying();
    if (FTreeView) FTreeView->ClearListLink();
    DropComboAndNotifier();
    FFolders.clear();
}

TskShellFolder* TskCustomShellListView::Folders(int Index) const {
    return Index >= 0 && Index < FolderCount() ? FFolders[static_cast<std::size_t>(Index)].get() : nullptr;
}

void TskCustomShellListView::CreateWnd() {
    TskSkinCustomListView::CreateWnd();
    SetSmallImages(ShellSmallImages());
    SetLargeImages(ShellLargeImages());
    try {
        CreateRoot();
    } catch (const EskShellError&) {
        // A window is made whatever its root says; the list shows the folder it could resolve.
    }
    UpdateList();
}

void TskCustomShellListView::DestroyWnd() {
    ClearFolders();
    TskSkinCustomListView::DestroyWnd();
}

void TskCustomShellListView::Loaded() {
    TskSkinCustomListView::Loaded();
    Populate();
    SetAutoRefresh(FAutoRefresh);
}

void TskCustomShellListView::ClearFolders() {
    if (!(ComponentState() & csDestroying)) Items().SetCount(0);
    FFolders.clear();
}

void TskCustomShellListView::CreateRoot() {
    TskShellFolder::CreateRootFolder(FFolder, FOldRoot, FRoot);
}

void TskCustomShellListView::SetRoot(const TRoot& Value) {
    if (!ChangeRoot(Value)) return;
    CreateRoot();
    FRootChanged = true;
    UpdateList();
    if (FComboBox) FComboBox->SetRoot(FRoot);
}

void TskCustomShellListView::SetMask(const String& Value) {
    if (Value == FMask) return;
    FMask = Value;
    UpdateList();
}

void TskCustomShellListView::SetObjectTypes(TShellObjectTypes Value) {
    FObjectTypes = Value;
    if (!(ComponentState() & csLoading)) UpdateList();
}

void TskCustomShellListView::SetSorted(bool Value) {
    if (Value == FSorted) return;
    FSorted = Value;
    Populate();
}

void TskCustomShellListView::SetViewStyle(TViewStyle Value) {
    TskSkinCustomListView::SetViewStyle(Value);
    if (Value == vsReport) EnsureColumns();
}

String TskCustomShellListView::GetPath() {
    return FFolder ? FFolder->PathName() : String();
}

void TskCustomShellListView::SetPath(const String& Path) {
    const auto list = ShellNamespace().ParseDisplayName(Path);
    if (!list) throw EInvalidPath(Format(shell_msg::ErrorSettingPath, Path));
    SetFolder(*list);
}

String TskCustomShellListView::GetSelectedPath() {
    TListItem* item = Selected();
    TskShellFolder* f = item ? Folders(item->Index()) : nullptr;
    return f && !f->IsFolder() ? f->FileSystemPath() : String();
}

void TskCustomShellListView::GetSelectedPaths(TStrings& List) {
    List.Clear();
    for (int i = 0; i < FolderCount(); ++i)
        if (ItemSelected(i) && !FFolders[static_cast<std::size_t>(i)]->IsFolder())
            List.Add(FFolders[static_cast<std::size_t>(i)]->FileSystemPath());
}

void TskCustomShellListView::ShowFolder(const ItemIdList& AbsoluteList) {
    if (FUpdating || (FFolder && SameItemIdList(FFolder->AbsoluteIdList(), AbsoluteList))) return;
    SetFolder(AbsoluteList);
}

void TskCustomShellListView::SetFolder(const ItemIdList& AbsoluteList) {
    if (FUpdating || (FFolder && SameItemIdList(FFolder->AbsoluteIdList(), AbsoluteList))) return;
    FRootChanged = false;
    FFolder = CreateFolderFromIdList(AbsoluteList);
    UpdateList();
    if (OnPathChange) OnPathChange(this);
}

void TskCustomShellListView::GoUp() {
    if (!FFolder || FFolder->IsDesktop()) return;
    ItemIdList up = FFolder->AbsoluteIdList();
    StripLastItemId(up);
    SetFolder(up);
}

// The folder read again (a new listing: OnPathChange); the selected row stays selected while it
// still exists.
void TskCustomShellListView::Refresh() {
    TListItem* sel = Selected();
    const int index = sel ? sel->Index() : -1;
    SetSelected(nullptr);
    if (!FFolder) return;
    const ItemIdList list = FFolder->AbsoluteIdList();
    FFolder.reset();
    SetFolder(list);
    if (index >= 0 && index < Items().Count()) SetSelected(Items().Item(index));
}

void TskCustomShellListView::EditSelected() {
    if (Selected()) StartEdit(Selected());
}

void TskCustomShellListView::UpdateList() {
    if (FUpdating) return;
    FUpdating = true;
    const bool refresh = FAutoRefresh;
    if (refresh) SetAutoRefresh(false);
    try {
        SyncLinks();
        Populate();
        if (FViewStyle == vsReport) EnsureColumns();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    if (refresh) SetAutoRefresh(true);
    FUpdating = false;
}

void TskCustomShellListView::SyncLinks() {
    if (FTreeView) {
        if (FRootChanged)
            FTreeView->SetRoot(FRoot);
        else if (FFolder)
            FTreeView->ListFolderChanged(FFolder->AbsoluteIdList());
    }
    FRootChanged = false;
    if (FComboBox && FFolder) FComboBox->SelectFolder(FFolder->AbsoluteIdList());
}

void TskCustomShellListView::Populate() {
    if ((ComponentState() & csLoading) && !HandleAllocated()) return;
    Items().BeginUpdate();
    ClearFolders();
    std::vector<ItemIdList> children;
    if (FFolder &&
        EnumerateShellFolder(FFolder.get(), ShellObjectTypesToFlags(FObjectTypes), children, FSorted)) {
        for (const ItemIdList& rel : children) {
            auto item = std::make_unique<TskShellFolder>(FFolder.get(), rel);
            bool accept =
                item->IsFolder() || ShellMaskMatches(FMask, ExtractFileName(item->FileSystemPath()));
            if (OnAddFolder) OnAddFolder(this, item.get(), accept);
            if (accept) FFolders.push_back(std::move(item));
        }
    }
    Items().SetCount(FolderCount());
    Items().EndUpdate();
}

void TskCustomShellListView::EnsureColumns() {
    if (!FFolder) return;
    FFolder->ViewHandle = HandleAllocated() ? FHandle : nullptr;
    Columns().Clear();
    const bool fileSystem = (FFolder->Properties() & ipFileSystem) != 0;
    struct Column {
        const char* Key;
        const char* Text;
        TAlignment Align;
        int Chars;
    };
    const Column all[] = {{"FLV_NAME", "Name", taLeftJustify, 25},
                          {"FLV_SIZE", "Size", taRightJustify, 10},
                          {"FLV_TYPE", "Type", taLeftJustify, 10},
                          {"FLV_MODIFIED", "Modified", taLeftJustify, 14}};
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    const int x = std::max(1, static_cast<int>(TextExtent(dc, "X").cx));
    DeleteDC(dc);
    const TskResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
    for (int i = 0; i < (fileSystem ? 4 : 1); ++i) {
        TListColumn* c = Columns().Add();
        c->SetCaption(strings ? strings->LookupResString(all[i].Key) : String(all[i].Text));
        c->SetAlignment(all[i].Align);
        c->SetWidth(x * all[i].Chars);
    }
}

// Caption, icon and, in the report view, the details of one row; a file gone meanwhile shows
// empty details.
void TskCustomShellListView::Fetch(TListItem* Item) {
    TskShellFolder* f = Item ? Folders(Item->Index()) : nullptr;
    if (!f) return;
    Item->SetCaption(f->DisplayName());
    Item->SetImageIndex(f->ImageIndex(FViewStyle == vsIcon));
    if (FViewStyle != vsReport) return;
    const int columns = Columns().Count();
    try {
        f->LoadColumnDetails(FFolder.get(), HandleAllocated() ? FHandle : nullptr, columns);
    } catch (const EskShellError&) {
        return;
    }
    if (f->DetailCount() == 0) return;
    for (int c = 1; c < columns; ++c)
        Item->SubItems().Add(f->Details(c));
}

int TskCustomShellListView::OwnerDataFind(const String& Text, int StartIndex, bool Wrap) {
    const int count = FolderCount();
    if (count == 0) return -1;
    if (StartIndex < 0 || StartIndex >= count) {
        if (!Wrap) return -1;
        StartIndex = 0;
    }
    const String want = AnsiUpperCase(Text);
    int i = StartIndex;
    do {
        const String name = AnsiUpperCase(FFolders[static_cast<std::size_t>(i)]->DisplayName());
        if (name.compare(0, want.size(), want) == 0) return i;
        if (++i == count) {
            if (!Wrap) return -1;
            i = 0;
        }
    } while (i != StartIndex);
    return -1;
}

void TskCustomShellListView::DblClick() {
    TListItem* sel = Selected();
    TskShellFolder* f = sel ? Folders(sel->Index()) : nullptr;
    if (AutoNavigate && f && f->IsFolder()) {
        const ItemIdList list = f->AbsoluteIdList(); // the item goes with the old listing
        SetFolder(list);
    }
    TskSkinCustomListView::DblClick();
}

void TskCustomShellListView::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCustomListView::KeyDown(Key, Shift);
    if (!AutoNavigate || Key == 0) return;
    TListItem* sel = Selected();
    TskShellFolder* f = sel ? Folders(sel->Index()) : nullptr;
    if (Key == VK_BACK && !IsEditing()) {
        GoUp();
        Key = 0;
    } else if (Key == VK_RETURN && (Shift & ssAlt)) {
        Key = 0; // no properties sheet here
    } else if (Key == VK_RETURN && f && f->IsFolder()) {
        const ItemIdList list = f->AbsoluteIdList();
        SetFolder(list);
        Key = 0;
    } else if (Key == VK_F5) {
        Refresh();
        Key = 0;
    }
}

void TskCustomShellListView::LabelEdited(TListItem* Item, String& Text) {
    TskShellFolder* f = Item ? Folders(Item->Index()) : nullptr;
    if (!f || Text.empty()) return;
    try {
        f->Rename(Text);
    } catch (const EskShellError&) {
        return; // refused: the row keeps its name
    }
    Invalidate();
    if (FTreeView && FTreeView->Selected()) FTreeView->RefreshNode(FTreeView->Selected());
}

void TskCustomShellListView::ExecuteCommand(const String& Verb, bool& Handled) {
    if (SameText(Verb, "rename")) {
        EditSelected();
        Handled = true;
    }
}

TskShellFolder* TskCustomShellListView::SelectedFolder() {
    TListItem* sel = Selected();
    return sel ? Folders(sel->Index()) : nullptr;
}

TskShellFolder* TskCustomShellListView::WatchedFolder() {
    return FFolder.get();
}

void TskCustomShellListView::CommandCompleted(const String& Verb, bool Succeeded) {
    if (Succeeded && (SameText(Verb, "delete") || SameText(Verb, "paste"))) Refresh();
}

void TskCustomShellListView::SetShellTreeView(TskCustomShellTreeView* Value) {
    if (Value == FTreeView) return;
    if (FTreeView) FTreeView->SetShellListView(nullptr);
    if (Value) Value->SetShellListView(this); // links both ways and hands its root over
}

void TskCustomShellListView::LinkTree(TskCustomShellTreeView* Tree) {
    FTreeView = Tree;
}

void TskCustomShellListView::ClearTreeLink() {
    FTreeView = nullptr;
}

} // namespace vd
