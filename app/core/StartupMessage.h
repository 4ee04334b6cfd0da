#pragma once
// The plain message shown when the program cannot start (no language file).
#include "platform/rtl/String.h"

namespace vd {

// Shows the text as a plain error message (standard error for now) and asks the
// program to end with a non-zero status.
void ShowFatalStartupMessage(const String& text);
// Whether a fatal start-up message asked the program to end.
bool StartupTerminated();
void ResetStartupTerminated(); // tests

} // namespace vd
