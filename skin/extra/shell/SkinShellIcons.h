#pragma once
// The shell views' icons, drawn for the program: desktop, computer, home, drive, folder, open
// folder and file (TShellIcon order), 16 and 32 pixels. One list of each size for the process,
// made on first use (user-interface thread).
#include "platform/vcl/ImageList.h"

namespace vd {

TCustomImageList* ShellSmallImages();
TCustomImageList* ShellLargeImages();

} // namespace vd
