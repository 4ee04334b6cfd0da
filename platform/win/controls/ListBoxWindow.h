#pragma once
// The native list box window class (WC_LISTBOX): strings with a data value each, single or
// multiple selection, a top index and the vertical scroll state (no bar is drawn), keyboard
// and mouse selection with LBN_SELCHANGE/LBN_DBLCLK to the parent, items painted by the owner
// through WM_DRAWITEM. A window with WS_EX_NOACTIVATE never takes the focus (drop-down lists).
#include "platform/win/CommCtrl.h"
#include "platform/win/Windows.h"

namespace vd {

void RegisterListBoxClass();

} // namespace vd
