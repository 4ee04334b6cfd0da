#pragma once
// Folder listings and file times as the class library has them: FindFirst/FindNext/FindClose
// over one folder with a name mask and an attribute mask, CreateDir and FileAge.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"

#include <cstdint>
#include <memory>

namespace vd {

// Attributes mapped onto Linux: hidden = a name starting with "."; read-only = not writable by its
// owner; system = neither a regular file nor a folder (pipes, sockets, devices), never to be
// opened as a file; a symbolic link carries its target's attributes plus faSymLink.
inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faNormal = 0x80;
inline constexpr int faSymLink = 0x400;
inline constexpr int faAnyFile = 0x1FF | faSymLink;

struct TSearchRec {
    String Name; // without its folder
    int Attr = 0;
    std::int64_t Size = 0;   // 0 for folders
    TDateTime TimeStamp = 0; // last modification, local time
    // The open listing and what it looks for (owned by FindFirst/FindNext/FindClose).
    std::shared_ptr<struct TFindState> FindHandle;
};

// Path is "folder/mask" ("*" and "?" wildcards, letters without regard to case). Regular files
// are always found; folders, hidden and system entries only when Attr asks for them ("." and ".."
// come with faDirectory). Returns 0, or the errno value (ENOENT when nothing matched).
int FindFirst(const String& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// Makes one folder (its parent must exist); false when it exists or cannot be made.
bool CreateDir(const String& Dir);
// The file's last modification time; false when it does not exist.
bool FileAge(const String& FileName, TDateTime& FileDateTime);

} // namespace vd
