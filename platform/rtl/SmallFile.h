#pragma once
// Reading a small file whole, safely: the file is opened without blocking, so a named pipe or a
// device in its place is refused instead of hanging the caller, only a regular file is read,
// and a failed read is an error, never a short text.
#include "platform/rtl/String.h"

#include <cstddef>

namespace vd {

// 0, or an errno value: ENOENT or ENOTDIR (no such file), EISDIR (a folder), EINVAL (not a
// regular file), EFBIG (more than maxBytes), or what opening or reading reported. text is
// empty after any error.
int ReadSmallFile(const String& path, String& text, std::size_t maxBytes);
// The first maxBytes bytes only (all of a shorter file); a longer file is not an error.
int ReadFileHead(const String& path, String& text, std::size_t maxBytes);

} // namespace vd
