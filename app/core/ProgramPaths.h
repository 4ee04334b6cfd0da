#pragma once
// Where the program and its files are: the program file, the settings file, the language files.
#include "platform/rtl/String.h"

namespace vd {

// Full path of the program file the console acts for: the running program, unless a test
// sets another one (empty restores the running program).
String ProgramFile();
void SetProgramFile(const String& path);
// The program's folder, without a trailing '/'.
String ProgramFolder();
// The program's file name without folder and extension ("vendrill").
String ProgramBaseName();

// The settings file: beside the program when its folder is writable, else
// $XDG_CONFIG_HOME/vendrill (or ~/.config/vendrill) under the same name.
String SettingsFilePath();

} // namespace vd
