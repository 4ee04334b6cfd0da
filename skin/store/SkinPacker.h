#pragma once
// Build-time packing: a skin folder (its INI file and BMP pictures) or a ".skn" file into a
// stored skin, and a stored skin out to a ".skn" file.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "skin/store/Forward.h"

#include <span>
#include <vector>

namespace vd {

struct TskPackResult {
    bool Ok = false;
    String Error;
};

// Packs the skin whose INI file is IniPath; pictures are named relative to its folder. The stored
// skin changes only when everything was read.
TskPackResult PackSkinFolder(const String& iniPath, TskStoredSkinStream& stored);

// ".skn": int32 version (at most 3), int32 length n, n bytes of zlib stream. A version above 3
// leaves the stored skin empty; a file shorter than its header says fails with "Stream read error".
TskPackResult ReadSknFile(const String& path, TskStoredSkinStream& stored);
TskPackResult WriteSknFile(const String& path, const TskStoredSkinStream& stored);

// Writes Bytes beside Path and renames it into place, so a reader never sees half a file.
TskPackResult WriteFileAtomically(const String& path, std::span<const Byte> bytes);
bool ReadWholeFile(const String& path, std::vector<Byte>& out);

} // namespace vd
