#pragma once
// Where the program and its files are: the program file, the settings file, the language files.
#include "platform/rtl/String.h"

namespace vd {

// Full path of the program file (tests may set another one).
String ProgramPath();
void SetProgramPath(const String& path); // empty restores the real one
// The program's folder, without a trailing '/'.
String ProgramFolder();
// The program's file name without folder and extension ("vendrill").
String ProgramBaseName();

// The settings file: beside the program when its folder is writable, else
// $XDG_CONFIG_HOME/vendrill (or ~/.config/vendrill) under the same name.
String SettingsFilePath();

// Path helpers for '/'.
String ExtractFileDir(const String& path);
String ExtractFileName(const String& path);
String ChangeFileExt(const String& path, const String& ext);
String ExtractFileExt(const String& path);

} // namespace vd
