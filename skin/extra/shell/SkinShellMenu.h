#pragma once
// The item menu of the shell views on the skinned popup menu: Open, Rename and Delete. Open starts
// the desktop's handler with the item alone, in the item's folder; Rename goes through the view
// (label editing, never replacing a name); Delete asks first, then moves the item to the trash.
#include "skin/controls/SkinMenuLink.h"
#include "skin/extra/shell/SkinShellFolder.h"

#include <functional>

namespace vd {

// Asks the user whether Text's item may go to the trash.
using TShellConfirmEvent = std::function<bool(const String& Name)>;
// The question Delete asks; until one is set Delete does nothing (nothing is removed unasked).
void SetShellDeleteConfirm(TShellConfirmEvent Confirm);
const TShellConfirmEvent& ShellDeleteConfirm();

struct TShellCommandHooks {
    // The view's own handling of a verb (rename); sets Handled when done.
    std::function<void(const String& Verb, bool& Handled)> Execute;
    // After the verb ran (or failed).
    std::function<void(const String& Verb, bool Succeeded)> Completed;
};

// Runs Verb ("open", "rename", "delete") on Folder through Hooks. True when it ran.
bool RunShellVerb(TskShellFolder* Folder, const String& Verb, const TShellCommandHooks& Hooks);

// A menu owned by Owner with the items that apply to Folder; each runs its verb on the folder
// the Item callback gives at click time (the selection may have changed). Null when no item
// applies.
TskSkinPopupMenu* CreateShellItemMenu(TComponent* Owner, TskShellFolder* Folder,
                                      std::function<TskShellFolder*()> Item, TShellCommandHooks Hooks);

} // namespace vd
