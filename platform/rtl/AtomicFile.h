#pragma once
// Replaces a file's contents all at once: a temporary file in the same folder is written,
// flushed to disk and renamed over the old one, so a crash or a full disk never leaves the file
// half-written. Failures raise EFCreateError naming the file and the system's reason.
#include "platform/rtl/String.h"

namespace vd {

// mode: the permission bits of the new file (0600 keeps it to its owner). Without sync the new
// contents replace the old at once for every reader but reach the disk later (SyncFile).
void AtomicWriteFile(const String& fileName, std::string_view data, unsigned mode = 0600, bool sync = true);
// Flushes the file and its folder entry to disk; false when that failed.
bool SyncFile(const String& fileName);

} // namespace vd
