#include "skin/extra/shell/SkinShellViewBase.h"

#include "platform/rtl/SysUtils.h"
#include "skin/extra/shell/SkinShellComboBox.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellMenu.h"
#include "skin/extra/shell/SkinShellNotifier.h"
#include "skin/extra/shell/SkinShellTreeView.h"

namespace vd {

namespace {

// The combo's side of the link, by the kind of view: taking it, undoing it both ways, and
// forgetting it when another combo takes the view over or the view goes.
void LinkToCombo(TskCustomShellComboBox& Combo, TskCustomShellListView& List) {
    Combo.LinkList(&List);
}
void LinkToCombo(TskCustomShellComboBox& Combo, TskCustomShellTreeView& Tree) {
    Combo.LinkTree(&Tree);
}
void UnlinkCombo(TskCustomShellComboBox& Combo, TskCustomShellListView&) {
    Combo.SetShellListView(nullptr);
}
void UnlinkCombo(TskCustomShellComboBox& Combo, TskCustomShellTreeView&) {
    Combo.SetShellTreeView(nullptr);
}
void ForgetCombo(TskCustomShellComboBox& Combo, TskCustomShellListView&) {
    Combo.ClearListLink();
}
void ForgetCombo(TskCustomShellComboBox& Combo, TskCustomShellTreeView&) {
    Combo.ClearTreeLink();
}

} // namespace

template <class TBase, class TView> void TskShellViewBase<TBase, TView>::SetAutoRefresh(bool Value) {
    FAutoRefresh = Value;
    if (this->ComponentState() & csLoading) return;
    delete FNotifier;
    FNotifier = nullptr;
    if (!Value) return;
    if (TskShellFolder* f = WatchedFolder()) StartNotifier(f->PathName());
}

template <class TBase, class TView> void TskShellViewBase<TBase, TView>::StartNotifier(const String& Path) {
    delete FNotifier;
    FNotifier = new TskShellChangeNotifier(this);
    FNotifier->SetWatchSubTree(false);
    FNotifier->SetRoot(Path);
    FNotifier->SetOnChange([this] { Refresh(); });
}

template <class TBase, class TView>
void TskShellViewBase<TBase, TView>::SetShellComboBox(TskCustomShellComboBox* Value) {
    if (Value == FComboBox) return;
    if (FComboBox) UnlinkCombo(*FComboBox, View());
    if (!Value) return;
    LinkToCombo(*Value, View());
    LinkCombo(Value);
    Value->SetRoot(FRoot);
}

template <class TBase, class TView>
void TskShellViewBase<TBase, TView>::LinkCombo(TskCustomShellComboBox* Combo) {
    if (Combo == FComboBox) return;
    if (FComboBox && Combo) ForgetCombo(*FComboBox, View()); // taken over by another combo
    FComboBox = Combo;
}

template <class TBase, class TView> void TskShellViewBase<TBase, TView>::DropComboAndNotifier() {
    if (FComboBox) ForgetCombo(*FComboBox, View());
    delete FNotifier;
    FNotifier = nullptr;
}

template <class TBase, class TView> bool TskShellViewBase<TBase, TView>::ChangeRoot(const TRoot& Value) {
    if (SameText(Value, FRoot)) return false;
    FOldRoot = FRoot;
    FRoot = Value;
    return true;
}

template <class TBase, class TView>
void TskShellViewBase<TBase, TView>::DoContextPopup(TPoint MousePos, bool& Handled) {
    TBase::DoContextPopup(MousePos, Handled);
    if (Handled || !AutoContextMenus) return;
    TskShellFolder* folder = SelectedFolder();
    if (!folder) return;
    delete FItemMenu;
    TShellCommandHooks hooks;
    hooks.Execute = [this](const String& verb, bool& handled) { View().ExecuteCommand(verb, handled); };
    hooks.Completed = [this](const String& verb, bool ok) { View().CommandCompleted(verb, ok); };
    FItemMenu = CreateShellItemMenu(
        this, folder, [this] { return SelectedFolder(); }, hooks);
    if (!FItemMenu) return;
    const TPoint at =
        MousePos.X == -1 && MousePos.Y == -1 ? this->ClientToScreen({0, 0}) : this->ClientToScreen(MousePos);
    FItemMenu->PopupAtControl(this, at.X, at.Y);
    Handled = true;
}

template <class TBase, class TView>
void TskShellViewBase<TBase, TView>::Notification(TComponent* AComponent, TOperation Operation) {
    TBase::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FNotifier) FNotifier = nullptr;
}

template class TskShellViewBase<TskSkinCustomListView, TskCustomShellListView>;
template class TskShellViewBase<TskSkinCustomTreeView, TskCustomShellTreeView>;

} // namespace vd
