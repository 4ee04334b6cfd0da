#pragma once
// Opening a document or an address with the desktop's handler (xdg-open). The program's text
// goes to it as one argument, never through a shell.
#include "platform/win/WinTypes.h"

namespace vd {

inline constexpr int SE_ERR_FNF = 2;      // no handler program on PATH
inline constexpr int SE_ERR_OOM = 8;      // the handler could not be started
inline constexpr int SE_ERR_NOASSOC = 31; // a verb other than "open"

// Returns a value above 32 when the handler was started; it runs on by itself and is reaped
// without waiting for it. Only the "open" verb (or none) is known.
int ShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                 const char* directory, int showCommand);

} // namespace vd
