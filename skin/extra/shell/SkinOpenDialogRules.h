#pragma once
// The open-file dialog's decisions, apart from its window: where it starts, what Open answers and
// the name a save gives.
#include "platform/rtl/String.h"

#include <optional>

namespace vd {

// The folder of FileName when it is an existing folder, else InitialDir when it is one, else Home;
// only absolute paths count. A stale path never keeps the dialog from opening.
String OpenDialogStartFolder(const String& FileName, const String& InitialDir, const String& Home);

struct TOpenClickState {
    bool CheckExists = true;
    bool SaveMode = false;
    // The file name edit's text.
    String Typed;
    // The path of the file selected in the list; empty when no file is selected.
    String Selected;
    // The file-system path of the listed folder; empty for a virtual folder.
    String Folder;
};
// The path Open closes the dialog with; nothing when the dialog stays open. A name typed in a
// virtual folder (the computer, the desktop) has no place to name, so nothing answers it.
std::optional<String> OpenClickResult(const TOpenClickState& State);

// The name a save gives: without an extension it takes the first extension of Mask (unless the
// mask allows any extension), then "." + DefaultExt.
String SaveFileName(const String& FileName, const String& Mask, const String& DefaultExt);

} // namespace vd
