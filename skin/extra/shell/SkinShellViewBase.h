#pragma once
// What the folder tree and the file list share: the item menu of the selected folder, the change
// notifier that reads the view again, and the link to a folder combo that follows the view. TView
// is the view itself; it names its selected and its watched folder.
#include "platform/vcl/ComponentLink.h"
#include "skin/controls/Forward.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/extra/shell/SkinShellFolder.h"

#include <functional>

namespace vd {

class TskCustomShellComboBox;
class TskCustomShellListView;
class TskCustomShellTreeView;
class TskShellChangeNotifier;

using TAddFolderEvent = std::function<void(TObject* Sender, TskShellFolder* AFolder, bool& CanAdd)>;

template <class TBase, class TView> class TskShellViewBase : public TBase {
public:
    explicit TskShellViewBase(TComponent* AOwner) : TBase(AOwner) {}

    const TRoot& Root() const { return FRoot; }
    bool AutoContextMenus = true;
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    // The linked folder combo: it gets this view's root and follows the view's folder.
    TskCustomShellComboBox* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(TskCustomShellComboBox* Value);
    TAddFolderEvent OnAddFolder;

    // Reads the view's folder again.
    virtual void Refresh() = 0;
    // Called by a linked folder combo (null: unlinked).
    void LinkCombo(TskCustomShellComboBox* Combo);

protected:
    // The folder of the selection, and the one a notifier watches; either may be null.
    virtual TskShellFolder* SelectedFolder() = 0;
    virtual TskShellFolder* WatchedFolder() = 0;
    // The item menu of the selected folder (AutoContextMenus).
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // A notifier on Path, in place of the one before, that refreshes the view on a change.
    void StartNotifier(const String& Path);
    // For the destructor: the combo forgets this view, and no more changes come in.
    void DropComboAndNotifier();
    // Keeps the old root and takes Value; false for the same root in other letter case.
    bool ChangeRoot(const TRoot& Value);

    TRoot FRoot = "rfDesktop";
    TRoot FOldRoot;
    TComponentLink<TskCustomShellComboBox> FComboBox{this};
    TskShellChangeNotifier* FNotifier = nullptr;
    TskSkinPopupMenu* FItemMenu = nullptr;
    bool FAutoRefresh = false;

private:
    TView& View() { return static_cast<TView&>(*this); }
};

extern template class TskShellViewBase<TskSkinCustomListView, TskCustomShellListView>;
extern template class TskShellViewBase<TskSkinCustomTreeView, TskCustomShellTreeView>;

} // namespace vd
