#pragma once
// Path and file helpers for '/' paths, named as in the class library.
#include "platform/rtl/String.h"

#include <vector>

namespace vd {

inline constexpr char PathDelim = '/';

// "/a/b/c.txt" -> "/a/b/", "c.txt", ".txt", "/a/b" (the folder without its trailing delimiter).
String ExtractFilePath(std::string_view path);
String ExtractFileName(std::string_view path);
String ExtractFileExt(std::string_view path);
String ExtractFileDir(std::string_view path);
// Replaces the extension of the file name (or appends ext when there is none).
String ChangeFileExt(std::string_view path, std::string_view ext);
String IncludeTrailingPathDelimiter(std::string_view path);
String ExcludeTrailingPathDelimiter(std::string_view path);

bool FileExists(const String& path);
bool DirectoryExists(const String& path);
bool DeleteFile(const String& path);
bool RenameFile(const String& from, const String& to);
bool ForceDirectories(const String& path);
// Whether the current user may create files in the folder.
bool DirectoryWritable(const String& path);
// Wildcards "*" and "?"; letters compared without regard to case unless caseSensitive.
bool MatchesMask(std::string_view name, std::string_view mask, bool caseSensitive = false);
// Names (without folder) of the regular files in folder that match mask, sorted by CompareText.
std::vector<String> FindFiles(const String& folder, std::string_view mask);
// The environment variable's value, empty when unset.
String GetEnv(const char* name);
// $XDG_CONFIG_HOME, else $HOME/.config (without a trailing delimiter).
String UserConfigDir();
// The running program's full path (the library's ParamStr(0)), from /proc/self/exe.
String ProgramPath();
// The text of errno value err, for messages.
String SysErrorMessage(int err);

} // namespace vd
