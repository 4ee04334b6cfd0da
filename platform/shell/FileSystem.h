#pragma once
// The few file-system calls the shell controls make beyond the run time's FileUtils.h and
// FileSearch.h.
#include "platform/rtl/String.h"

namespace vd {

// The process's working folder; "/" when it cannot be read.
String CurrentFolder();
// Makes one folder (its parent must exist); 0, or the errno value.
int MakeFolder(const String& Path);
// Whether anything is at Path; links are not followed, so a dangling link counts.
bool PathOccupied(const String& Path);

} // namespace vd
