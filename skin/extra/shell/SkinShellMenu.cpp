#include "skin/extra/shell/SkinShellMenu.h"

#include "platform/rtl/SysUtils.h"

namespace vd {

namespace {
TShellConfirmEvent& DeleteConfirm() {
    static TShellConfirmEvent confirm;
    return confirm;
}
} // namespace

void SetShellDeleteConfirm(TShellConfirmEvent Confirm) {
    DeleteConfirm() = std::move(Confirm);
}

const TShellConfirmEvent& ShellDeleteConfirm() {
    return DeleteConfirm();
}

bool RunShellVerb(TskShellFolder* Folder, const String& Verb, const TShellCommandHooks& Hooks) {
    if (!Folder) return false;
    bool handled = false;
    if (Hooks.Execute) Hooks.Execute(Verb, handled);
    if (handled) return true;
    bool ok = false;
    if (SameText(Verb, "delete")) {
        if (!(Folder->Capabilities() & cpCanDelete)) return false;
        // The question runs a modal loop in which the view may refresh and free Folder: only
        // the item's id list is used after it.
        const ItemIdList item = Folder->AbsoluteIdList();
        if (!DeleteConfirm() || !DeleteConfirm()(Folder->DisplayName())) return false;
        ok = ShellNamespace().MoveToTrash(item);
    } else if (SameText(Verb, "open")) {
        ok = Folder->ExecuteVerb("open");
    } else {
        return false;
    }
    if (Hooks.Completed) Hooks.Completed(Verb, ok);
    return ok;
}

TskSkinPopupMenu* CreateShellItemMenu(TComponent* Owner, TskShellFolder* Folder,
                                      std::function<TskShellFolder*()> Item, TShellCommandHooks Hooks) {
    if (!Folder) return nullptr;
    struct Entry {
        const char* Caption;
        const char* Verb;
        bool Shown;
    } entries[] = {
        {"Open", "open", !Folder->IsFolder() && !Folder->FileSystemPath().empty()},
        {"Rename", "rename", (Folder->Capabilities() & cpCanRename) != 0},
        {"Delete", "delete", (Folder->Capabilities() & cpCanDelete) != 0},
    };
    auto* menu = new TskSkinPopupMenu(Owner);
    int count = 0;
    for (const Entry& e : entries) {
        if (!e.Shown) continue;
        auto* mi = new TMenuItem(menu);
        mi->SetCaption(e.Caption);
        const String verb = e.Verb;
        mi->OnClick = [Item, Hooks, verb](TObject*) { RunShellVerb(Item ? Item() : nullptr, verb, Hooks); };
        menu->Items()->Add(mi);
        ++count;
    }
    if (count == 0) {
        delete menu;
        return nullptr;
    }
    return menu;
}

} // namespace vd
