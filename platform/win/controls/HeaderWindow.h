#pragma once
// The native header window class (WC_HEADER, "SysHeader32"): column items laid out left to
// right in an order array, a hit test that finds dividers, dragging a divider to resize and an
// item to reorder (full drag), and WM_NOTIFY to the parent for clicks, resizes and moves. Hosts
// replace its procedure (SetWindowProc) to paint it and to watch its mouse and placement.
#include "platform/win/CommCtrl.h"
#include "platform/win/Windows.h"

namespace vd {

void RegisterHeaderClass();

} // namespace vd
