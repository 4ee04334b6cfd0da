#pragma once
// The start-with-login entry: an XDG autostart desktop file that runs the program.
#include "platform/rtl/String.h"

#include <vector>

namespace vd {

// The folders that hold autostart entries, user's first: $XDG_CONFIG_HOME/autostart
// (or ~/.config/autostart), then $XDG_CONFIG_DIRS/.../autostart (or /etc/xdg/autostart).
String UserAutostartFolder();
std::vector<String> SystemAutostartFolders();

// The program path that an entry's Exec line runs (its first word, unquoted); empty when
// the file is no application entry, is hidden, or has no Exec line.
String AutostartEntryProgram(const String& desktopFileText);

// Whether an entry of the user or of the system runs the program; an entry of the user
// hides a system entry of the same file name, as desktops do.
bool ReadAutoStart(const String& programPath);
// On: writes "<program file name>.desktop" into the user's folder unless an entry of the
// user already runs the program. Off: deletes every entry of the user that runs it, and
// hides system entries that run it with a hidden entry of the same name.
// False when a file could not be written or deleted.
bool WriteAutoStart(const String& programPath, bool on);

} // namespace vd
