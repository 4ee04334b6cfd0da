#include "skin/extra/shell/SkinShellFolder.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/SysUtils.h"
#include "platform/shell/ShellExecute.h"

#include <algorithm>

namespace vd {
namespace {

TShellNamespace* gNamespace = nullptr;

const TShellNamespace& Ns() {
    return ShellNamespace();
}

} // namespace

const int RootFolderCsidl[kRootFolderCount] = {0x00, 0x11, 0x12, 0x0A, 0x1A, 0x19, 0x17, 0x16,
                                               0x18, 0x03, 0x10, 0x06, 0x14, 0x01, 0x05, 0x04,
                                               0x1B, 0x02, 0x08, 0x09, 0x0B, 0x07, 0x15};

const char* const RootFolderNames[kRootFolderCount] = {
    "rfDesktop",        "rfMyComputer",       "rfNetwork",
    "rfRecycleBin",     "rfAppData",          "rfCommonDesktopDirectory",
    "rfCommonPrograms", "rfCommonStartMenu",  "rfCommonStartup",
    "rfControlPanel",   "rfDesktopDirectory", "rfFavorites",
    "rfFonts",          "rfInternet",         "rfPersonal",
    "rfPrinters",       "rfPrintHood",        "rfPrograms",
    "rfRecent",         "rfSendTo",           "rfStartMenu",
    "rfStartup",        "rfTemplates"};

int RootFolderIndex(const String& Name) {
    for (int i = 0; i < kRootFolderCount; ++i)
        if (SameText(Name, RootFolderNames[i])) return i;
    return -1;
}

TShellNamespace& ShellNamespace() {
    return gNamespace ? *gNamespace : TShellNamespace::Default();
}

void SetShellNamespace(TShellNamespace* Namespace) {
    gNamespace = Namespace;
}

// Items.

TskShellFolder::TskShellFolder(DesktopTag) {}

TskShellFolder::TskShellFolder(TskShellFolder* Parent, const ItemIdList& Relative)
    : FParent(Parent ? Parent : DesktopShellFolder()), FRelative(Relative),
      FAbsolute(ConcatItemIdLists(FParent->FAbsolute, Relative)),
      FLevel(!Parent || Parent->IsDesktop() ? 0 : Parent->FLevel + 1) {}

TskShellFolder* DesktopShellFolder() {
    static TskShellFolder desktop{TskShellFolder::DesktopTag{}};
    return &desktop;
}

std::unique_ptr<TskShellFolder> CreateFolderFromIdList(const ItemIdList& AbsoluteList) {
    return std::make_unique<TskShellFolder>(nullptr, AbsoluteList);
}

bool TskShellFolder::HasShellFolder() const {
    return IsFolder();
}

String TskShellFolder::DisplayName() const {
    return Ns().DisplayName(FAbsolute, SHGDN_INFOLDER);
}

String TskShellFolder::PathName() const {
    return Ns().DisplayName(FAbsolute, SHGDN_FORPARSING);
}

String TskShellFolder::FileSystemPath() const {
    return Ns().FileSystemPath(FAbsolute);
}

bool TskShellFolder::IsFolder() const {
    return (Ns().Attributes(FAbsolute, SFGAO_FOLDER) & SFGAO_FOLDER) != 0;
}

bool TskShellFolder::SubFolders() const {
    return (Ns().Attributes(FAbsolute, SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) != 0;
}

unsigned TskShellFolder::Capabilities() const {
    const std::uint32_t a = Ns().Attributes(FAbsolute, 0x177);
    unsigned c = 0;
    if (a & SFGAO_CANCOPY) c |= cpCanCopy;
    if (a & SFGAO_CANDELETE) c |= cpCanDelete;
    if (a & SFGAO_CANLINK) c |= cpCanLink;
    if (a & SFGAO_CANMOVE) c |= cpCanMove;
    if (a & SFGAO_CANRENAME) c |= cpCanRename;
    if (a & SFGAO_DROPTARGET) c |= cpDropTarget;
    if (a & SFGAO_HASPROPSHEET) c |= cpHasPropSheet;
    return c;
}

unsigned TskShellFolder::Properties() const {
    const std::uint32_t a = Ns().Attributes(FAbsolute, ~SFGAO_HASSUBFOLDER);
    unsigned p = 0;
    if (a & SFGAO_HIDDEN) p |= ipHidden;
    if (a & SFGAO_LINK) p |= ipLink;
    if (a & SFGAO_READONLY) p |= ipReadOnly;
    if (a & SFGAO_SHARE) p |= ipShare;
    if (a & SFGAO_FILESYSTEM) p |= ipFileSystem;
    if (a & SFGAO_FILESYSANCESTOR) p |= ipFileSysAncestor;
    if (a & SFGAO_REMOVABLE) p |= ipRemovable;
    if (a & SFGAO_VALIDATE) p |= ipValidate;
    return p;
}

int TskShellFolder::ImageIndex(bool Large) const {
    return GetShellImageIndex(FAbsolute, Large, false);
}

void TskShellFolder::LoadColumnDetails(TskShellFolder* RootFolder, HWND AViewHandle, int ColumnCount) {
    if (static_cast<int>(FDetails.size()) >= ColumnCount) return;
    FDetails.clear();
    ViewHandle = AViewHandle;
    if (!RootFolder || !(RootFolder->Properties() & ipFileSystem)) return;
    std::vector<String> d;
    int error = 0;
    if (!Ns().FileDetails(FAbsolute, d, &error))
        throw EInvalidPath(Format(shell_msg::NoFolderDetails, DisplayName(), error));
    for (int k = 1; k <= ColumnCount; ++k)
        FDetails.push_back(k <= static_cast<int>(d.size()) ? d[static_cast<std::size_t>(k - 1)] : String());
}

String TskShellFolder::Details(int Index) const {
    if (FDetails.empty()) throw EskShellError(Format(shell_msg::MissingLoadColumnDetails, DisplayName()));
    if (Index < 1 || Index > static_cast<int>(FDetails.size())) return {};
    return FDetails[static_cast<std::size_t>(Index - 1)];
}

bool TskShellFolder::Rename(const String& NewName) {
    if (!(Capabilities() & cpCanRename)) return false;
    const auto renamed = Ns().Rename(FAbsolute, NewName);
    if (!renamed) throw EskShellError(Format(shell_msg::RenameFailed, NewName));
    FAbsolute = *renamed;
    FRelative.back() = renamed->back();
    FDetails.clear();
    return true;
}

bool TskShellFolder::ExecuteVerb(const String& Verb) {
    if (SameText(Verb, "delete")) return Ns().MoveToTrash(FAbsolute); // the caller asked the user first
    if (!SameText(Verb, "open") || IsFolder()) return false;
    const String path = FileSystemPath();
    if (path.empty()) return false;
    // Started in the item's own folder; our own working folder never changes.
    return ShellExecute(nullptr, "open", path.c_str(), nullptr, ExtractFileDir(path).c_str(), 1) > 32;
}

void TskShellFolder::CreateRootFolder(std::unique_ptr<TskShellFolder>& Current, const TRoot& OldRoot,
                                      TRoot& Root) {
    std::optional<ItemIdList> list;
    const int index = RootFolderIndex(Root);
    if (index >= 0)
        list = Ns().SpecialFolder(RootFolderCsidl[index]);
    else if (!Root.empty())
        list = Ns().ParseDisplayName(Root);
    if (!list) {
        const String failing = Root;
        Root = OldRoot;
        throw EInvalidPath(Format(shell_msg::ErrorSettingPath, failing));
    }
    Current = CreateFolderFromIdList(*list);
}

// Routines.

String GetDisplayName(const TskShellFolder* Parent, const ItemIdList& Relative, unsigned Flags) {
    const ItemIdList& base = Parent ? Parent->AbsoluteIdList() : DesktopShellFolder()->AbsoluteIdList();
    return Ns().DisplayName(ConcatItemIdLists(base, Relative), Flags);
}

bool IsShellFolderItem(const TskShellFolder* Parent, const ItemIdList& Relative) {
    const ItemIdList& base = Parent ? Parent->AbsoluteIdList() : DesktopShellFolder()->AbsoluteIdList();
    return (Ns().Attributes(ConcatItemIdLists(base, Relative), SFGAO_FOLDER) & SFGAO_FOLDER) != 0;
}

bool ShellItemHasSubFolders(const TskShellFolder* Parent, const ItemIdList& Relative) {
    const ItemIdList& base = Parent ? Parent->AbsoluteIdList() : DesktopShellFolder()->AbsoluteIdList();
    return (Ns().Attributes(ConcatItemIdLists(base, Relative), SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) != 0;
}

bool FolderHasItems(const TskShellFolder* Folder, unsigned EnumFlags) {
    if (!Folder) return false;
    std::vector<String> children;
    return Ns().Enumerate(Folder->AbsoluteIdList(), EnumFlags, children) && !children.empty();
}

int GetShellImageIndex(const ItemIdList& AbsoluteList, bool Large, bool Open) {
    (void)Large; // one index into the small and the large list alike
    return Ns().Icon(AbsoluteList, Open);
}

bool EnumerateShellFolder(const TskShellFolder* Folder, unsigned EnumFlags, std::vector<ItemIdList>& Children,
                          bool Sort) {
    Children.clear();
    if (!Folder) return false;
    const TShellNamespace& ns = Ns();
    std::vector<String> names;
    if (!ns.Enumerate(Folder->AbsoluteIdList(), EnumFlags, names)) return false;
    // Sort keys taken once, so that a folder changing meanwhile cannot break the order.
    struct Key {
        String Name;
        bool Folder;
    };
    std::vector<Key> keys;
    keys.reserve(names.size());
    const bool fixed = ns.KindOf(Folder->AbsoluteIdList()) == TShellItemKind::Desktop ||
                       ns.KindOf(Folder->AbsoluteIdList()) == TShellItemKind::Computer;
    for (String& n : names) {
        const bool folder =
            !fixed &&
            (ns.Attributes(ConcatItemIdLists(Folder->AbsoluteIdList(), {n}), SFGAO_FOLDER) & SFGAO_FOLDER);
        keys.push_back({std::move(n), folder});
    }
    if (!fixed && Sort)
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            return TShellNamespace::CompareNames(a.Name, a.Folder, b.Name, b.Folder) < 0;
        });
    for (Key& k : keys)
        Children.push_back({std::move(k.Name)});
    return true;
}

} // namespace vd
