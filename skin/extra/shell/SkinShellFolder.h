#pragma once
// The shell items the folder tree, the file list and the folder combo share: one TskShellFolder
// per item of the namespace (platform/shell/namespace), with its parent, its item lists, its
// names, attributes, icon and column details, and the routines around them. User-interface
// thread only.
#include "platform/rtl/Exception.h"
#include "platform/rtl/Object.h"
#include "platform/shell/namespace/ShellNamespace.h"
#include "platform/win/WinTypes.h"

#include <memory>
#include <vector>

namespace vd {

class EskShellError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidPath : public EskShellError {
public:
    using EskShellError::EskShellError;
};

namespace shell_msg {
inline constexpr const char* ErrorSettingPath = "Error setting path: \"%s\"";
inline constexpr const char* RenameFailed = "Rename to %s failed";
inline constexpr const char* NoFolderDetails = "Unable to retrieve folder details for \"%s\". Error code $%x";
inline constexpr const char* MissingLoadColumnDetails = "%s: Missing call to LoadColumnDetails";
} // namespace shell_msg

// The special folders a control's Root may name, in this order.
enum TRootFolder {
    rfDesktop,
    rfMyComputer,
    rfNetwork,
    rfRecycleBin,
    rfAppData,
    rfCommonDesktopDirectory,
    rfCommonPrograms,
    rfCommonStartMenu,
    rfCommonStartup,
    rfControlPanel,
    rfDesktopDirectory,
    rfFavorites,
    rfFonts,
    rfInternet,
    rfPersonal,
    rfPrinters,
    rfPrintHood,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates
};
inline constexpr int kRootFolderCount = 23;
// A special-folder name or a folder path.
using TRoot = String;
// The shell number of each TRootFolder.
extern const int RootFolderCsidl[kRootFolderCount];
extern const char* const RootFolderNames[kRootFolderCount];
// The TRootFolder of a name (without regard to case), -1 when it names none.
int RootFolderIndex(const String& Name);

// What an enumeration returns, as a set of bits 1 << TShellObjectType.
enum TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = unsigned;
inline unsigned ShellObjectTypesToFlags(TShellObjectTypes Types) {
    return (Types & 7u) << 5;
}

// Capability bits (ShellItemCapabilities) and property bits (ShellItemProperties).
inline constexpr unsigned cpCanCopy = 1u << 0, cpCanDelete = 1u << 1, cpCanLink = 1u << 2,
                          cpCanMove = 1u << 3, cpCanRename = 1u << 4, cpDropTarget = 1u << 5,
                          cpHasPropSheet = 1u << 6;
inline constexpr unsigned ipHidden = 1u << 0, ipLink = 1u << 1, ipReadOnly = 1u << 2, ipShare = 1u << 3,
                          ipFileSystem = 1u << 4, ipFileSysAncestor = 1u << 5, ipRemovable = 1u << 6,
                          ipValidate = 1u << 7;

// The namespace every item here reads; the process's own unless a test sets another (null: back
// to the process's own).
TShellNamespace& ShellNamespace();
void SetShellNamespace(TShellNamespace* Namespace);

class TskShellFolder : public TObject {
public:
    // A child of Parent (null: of the desktop) named by Relative inside it. Parent must outlive
    // the item.
    TskShellFolder(TskShellFolder* Parent, const ItemIdList& Relative);
    TskShellFolder(const TskShellFolder&) = delete;
    TskShellFolder& operator=(const TskShellFolder&) = delete;

    TskShellFolder* ParentFolder() const { return FParent; }
    const ItemIdList& RelativeIdList() const { return FRelative; }
    const ItemIdList& AbsoluteIdList() const { return FAbsolute; }
    int Level() const { return FLevel; }
    bool IsDesktop() const { return FAbsolute.empty(); }
    HWND ViewHandle = nullptr;

    // Whether the item can be opened as a folder and listed (no stand-in for one that cannot).
    bool HasShellFolder() const;
    String DisplayName() const;
    String PathName() const;
    String FileSystemPath() const;
    // The folder attribute, whatever the name ("x.zip" can be a folder).
    bool IsFolder() const;
    bool SubFolders() const;
    unsigned Capabilities() const;
    unsigned Properties() const;
    int ImageIndex(bool Large) const;

    // Column texts 1..ColumnCount of this item, listed in RootFolder: size, extension, last
    // change, attributes for a file-system folder. Raises EInvalidPath when the item cannot be
    // read; runs only while fewer texts are loaded than asked.
    void LoadColumnDetails(TskShellFolder* RootFolder, HWND AViewHandle, int ColumnCount);
    // Text Index (1-based) of the loaded details; empty beyond them. Raises when none are loaded.
    String Details(int Index) const;
    int DetailCount() const { return static_cast<int>(FDetails.size()); }

    // Only when the item may be renamed: false when it may not; raises "Rename to %s failed" when
    // the rename fails (an existing name is never replaced).
    bool Rename(const String& NewName);
    // "open": the desktop's handler with the item (a folder: nothing to run); "delete": into the
    // user's trash. True when done.
    bool ExecuteVerb(const String& Verb);

    // Resolves a control's Root: a special-folder name or a path. On success Current becomes the
    // new item; on failure Root is set back to OldRoot and EInvalidPath is raised.
    static void CreateRootFolder(std::unique_ptr<TskShellFolder>& Current, const TRoot& OldRoot, TRoot& Root);

private:
    struct DesktopTag {};
    explicit TskShellFolder(DesktopTag);
    friend TskShellFolder* DesktopShellFolder();

    TskShellFolder* FParent = nullptr;
    ItemIdList FRelative;
    ItemIdList FAbsolute;
    int FLevel = 0;
    std::vector<String> FDetails;
};

// The desktop item (no parent), made on first use.
TskShellFolder* DesktopShellFolder();
inline ItemIdList DesktopItemIdList() {
    return {};
}
// An item whose parent is the desktop and whose relative list is AbsoluteList.
std::unique_ptr<TskShellFolder> CreateFolderFromIdList(const ItemIdList& AbsoluteList);

// Names, attributes and icons of the child Relative of Parent (null: the desktop).
String GetDisplayName(const TskShellFolder* Parent, const ItemIdList& Relative, unsigned Flags);
bool IsShellFolderItem(const TskShellFolder* Parent, const ItemIdList& Relative);
bool ShellItemHasSubFolders(const TskShellFolder* Parent, const ItemIdList& Relative);
// Whether the folder holds one item that passes the enumeration flags; false for none.
bool FolderHasItems(const TskShellFolder* Folder, unsigned EnumFlags);
int GetShellImageIndex(const ItemIdList& AbsoluteList, bool Large, bool Open);
// The relative lists of the folder's children that pass the flags, sorted as the shell orders
// them (Sort false: in the folder's own order); false when the folder cannot be listed.
bool EnumerateShellFolder(const TskShellFolder* Folder, unsigned EnumFlags, std::vector<ItemIdList>& Children,
                          bool Sort = true);

} // namespace vd
