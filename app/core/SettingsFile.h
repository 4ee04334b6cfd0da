#pragma once
// Reading and writing AppSettings and PluginFiles from and to the settings file.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"

#include <functional>

namespace vd {

// Called by ReadSettings right after the plug-in folder is read, to scan it for plug-ins.
extern std::function<void(const String& folder)> OnScanPlugins;

// Reads every setting; the screen size gives the default window position.
void ReadSettings(TSize screen);
void ReadSettings();
// The writers return false when the file could not be saved.
// Writes [Setting] and [E-mail] (not the window position, not [Plugins]).
bool WriteSettings();
bool WriteWindowPos(int x, int y, int w, int h);
// Rewrites [Plugins]: Path, then File1..FileN from PluginFiles.
bool WritePlugins();

// The start-with-login entry of this program (written at once, independent of Save).
bool ReadAutoStart();
bool WriteAutoStart(bool on);

} // namespace vd
