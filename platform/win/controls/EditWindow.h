#pragma once
// The native single-line edit window class (WC_EDIT): text, caret, selection, clipboard,
// one-level undo and EN_CHANGE to the parent after every user edit (never after WM_SETTEXT).
// A control layer sub-classes it and passes what it does not handle to its procedure.
#include "platform/win/CommCtrl.h"
#include "platform/win/Windows.h"

namespace vd {

class EditModel;

// Registers the class once per process; later calls do nothing.
void RegisterEditClass();
// The state of an edit window of this class, or null (no window, another class).
const EditModel* EditWindowModel(HWND hwnd);
// Left pixel of the character boundary pos in client coordinates (for hosts and tests).
int EditWindowPosX(HWND hwnd, std::size_t pos);

} // namespace vd
