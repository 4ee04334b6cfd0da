#pragma once
// The shell namespace over the Linux file system. The desktop holds Home and Computer; the
// computer holds the root file system and the block-device volumes mounted under /media,
// /run/media and /mnt or on /home; below them lies the plain file system. Items are named by
// item lists (ItemIdList.h). Everything a test needs to fake (home, XDG variables and folders,
// the mount table, volume labels) comes from a ShellEnvironment.
#include "platform/rtl/String.h"
#include "platform/shell/namespace/ItemIdList.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace vd {

// Attribute bits, with the shell's numbers.
inline constexpr std::uint32_t SFGAO_CANCOPY = 0x1;
inline constexpr std::uint32_t SFGAO_CANMOVE = 0x2;
inline constexpr std::uint32_t SFGAO_CANLINK = 0x4;
inline constexpr std::uint32_t SFGAO_CANRENAME = 0x10;
inline constexpr std::uint32_t SFGAO_CANDELETE = 0x20;
inline constexpr std::uint32_t SFGAO_HASPROPSHEET = 0x40;
inline constexpr std::uint32_t SFGAO_DROPTARGET = 0x100;
inline constexpr std::uint32_t SFGAO_LINK = 0x10000;
inline constexpr std::uint32_t SFGAO_SHARE = 0x20000;
inline constexpr std::uint32_t SFGAO_READONLY = 0x40000;
inline constexpr std::uint32_t SFGAO_HIDDEN = 0x80000;
inline constexpr std::uint32_t SFGAO_VALIDATE = 0x1000000;
inline constexpr std::uint32_t SFGAO_REMOVABLE = 0x2000000;
inline constexpr std::uint32_t SFGAO_FILESYSANCESTOR = 0x10000000;
inline constexpr std::uint32_t SFGAO_FOLDER = 0x20000000;
inline constexpr std::uint32_t SFGAO_FILESYSTEM = 0x40000000;
inline constexpr std::uint32_t SFGAO_HASSUBFOLDER = 0x80000000;

// Enumeration flags.
inline constexpr unsigned SHCONTF_FOLDERS = 0x20;
inline constexpr unsigned SHCONTF_NONFOLDERS = 0x40;
inline constexpr unsigned SHCONTF_INCLUDEHIDDEN = 0x80;

// Display-name kinds.
inline constexpr unsigned SHGDN_NORMAL = 0;
inline constexpr unsigned SHGDN_INFOLDER = 1;
inline constexpr unsigned SHGDN_FORPARSING = 0x8000;

// The icon of an item, the same index in the small and the large list.
enum TShellIcon { siDesktop, siComputer, siHome, siDrive, siFolder, siFolderOpen, siFile, siCount };

// The special folders by their shell numbers.
inline constexpr int CSIDL_DESKTOP = 0x00;
inline constexpr int CSIDL_PERSONAL = 0x05;
inline constexpr int CSIDL_DESKTOPDIRECTORY = 0x10;
inline constexpr int CSIDL_DRIVES = 0x11;
inline constexpr int CSIDL_FONTS = 0x14;
inline constexpr int CSIDL_TEMPLATES = 0x15;
inline constexpr int CSIDL_APPDATA = 0x1A;

struct TShellVolume {
    String MountPoint; // absolute
    String Device;     // the mounted block device
    String FsType;
    bool Removable = false;
};

// What the namespace reads from the system; tests give their own.
struct ShellEnvironment {
    String Home;
    // XDG_CONFIG_HOME, XDG_DATA_HOME and the XDG_*_DIR overrides.
    std::map<String, String> Variables;
    // The text of /proc/self/mountinfo.
    String MountInfo;
    // The label of a block device, empty when it has none.
    std::function<String(const String& device)> Label;
    // Whether a block device is removable.
    std::function<bool(const String& device)> Removable;
    // The environment of this process.
    static ShellEnvironment FromSystem();
};

// The volumes worth showing in a mountinfo text: the root file system first, then block devices
// mounted under /media, /run/media or /mnt, or on /home; no pseudo file systems, loop images or
// bind mounts of a folder that is already shown.
std::vector<TShellVolume> ParseMountInfo(std::string_view text);

enum class TShellItemKind { Desktop, Home, Computer, Volume, Entry, Invalid };

class TShellNamespace {
public:
    explicit TShellNamespace(ShellEnvironment env);
    // The process's namespace, built from the system on first use (user-interface thread).
    static TShellNamespace& Default();

    const ShellEnvironment& Environment() const { return FEnv; }
    const std::vector<TShellVolume>& Volumes() const { return FVolumes; }
    // Reads the mount table again.
    void RefreshVolumes();

    TShellItemKind KindOf(const ItemIdList& item) const;
    // The file-system path of an item; empty for the desktop, the computer and bad lists.
    String FileSystemPath(const ItemIdList& item) const;
    // The relative lists of a folder's children that pass the flags, in directory order; false
    // when the folder cannot be listed (or is no folder).
    bool Enumerate(const ItemIdList& folder, unsigned flags, std::vector<String>& children) const;
    // The attributes of an item among Mask (0: all of them).
    std::uint32_t Attributes(const ItemIdList& item, std::uint32_t mask = 0) const;
    // SHGDN_NORMAL, SHGDN_INFOLDER or SHGDN_FORPARSING. Names shown to the user are valid UTF-8
    // (a bad byte becomes U+FFFD); the parsing name keeps the path's bytes.
    String DisplayName(const ItemIdList& item, unsigned flags) const;
    // An absolute path (lexically normalised, through the computer and the volume that holds
    // it) or the parsing name of a virtual item; nothing for anything else or a path that does
    // not exist.
    std::optional<ItemIdList> ParseDisplayName(const String& text) const;
    // A special folder by its shell number; nothing where Linux has no such place.
    std::optional<ItemIdList> SpecialFolder(int csidl) const;
    TShellIcon Icon(const ItemIdList& item, bool open) const;

    // Sort keys: fixed order for the virtual items, folders before files, names without regard
    // to case with digit runs compared as numbers, then byte order. A total order.
    static int CompareNames(const String& a, bool aFolder, const String& b, bool bFolder);
    // The same for two children of Parent; virtual children keep their fixed order.
    int CompareIds(const ItemIdList& parent, const String& a, const String& b) const;

    // Renames a plain file-system item inside its folder. Refuses an empty name, ".", "..", a
    // name holding "/" or NUL, an item that cannot be renamed and an existing target (never
    // replaced). Returns the new absolute list.
    std::optional<ItemIdList> Rename(const ItemIdList& item, const String& newName,
                                     int* error = nullptr) const;

    // Moves a plain file-system item to the user's trash (the freedesktop layout): the home
    // trash under XDG_DATA_HOME (default ~/.local/share/Trash) for items on its file system, else
    // the volume's own (VolumeTrashFolder). An info file is made first under a free name, then
    // the item renamed into files/. False (errno in *Error) when it cannot be; nothing is left
    // half done.
    bool MoveToTrash(const ItemIdList& item, int* error = nullptr) const;

    // The details of a file-system item: size (blank for folders), extension, last change
    // (local "YYYY-MM-DD HH:MM:SS", blank for folders), attribute bits. False when it cannot be
    // read (errno in *Error).
    bool FileDetails(const ItemIdList& item, std::vector<String>& details, int* error = nullptr) const;

    // An XDG user folder ("DESKTOP", "TEMPLATES", ...) from the variables or user-dirs.dirs.
    String UserDir(const String& name) const;

private:
    int VolumeIndex(const String& mountPoint) const;
    std::optional<ItemIdList> ParsePath(const String& path) const;

    ShellEnvironment FEnv;
    std::vector<TShellVolume> FVolumes;
};

// The top folder of the file system that holds Folder (its mount point); empty when Folder
// cannot be read.
String TrashTopDir(const String& Folder);
// The trash of a volume for the user Uid: TopDir/.Trash/Uid where the administrator made
// TopDir/.Trash a sticky folder (not a link), else TopDir/.Trash-Uid.
String VolumeTrashFolder(const String& TopDir, unsigned Uid);

// "a/b/../c" style cleaning of an absolute path: no empty or "." segments, ".." removes the one
// before it. Nothing for a relative path.
std::optional<String> NormalizeAbsolutePath(const String& path);
// Bytes that are not UTF-8 become U+FFFD.
String SanitizeUtf8(std::string_view bytes);

} // namespace vd
