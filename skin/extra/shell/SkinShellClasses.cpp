#include "skin/extra/shell/SkinShellClasses.h"

#include "platform/vcl/FormReader.h"
#include "skin/extra/shell/SkinDialogEdits.h"
#include "skin/extra/shell/SkinFileCtrl.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/extra/shell/SkinSelectDirDialog.h"
#include "skin/extra/shell/SkinShellComboBox.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellNotifier.h"
#include "skin/extra/shell/SkinShellTreeView.h"

namespace vd {

namespace {
template <class T> void Register(const char* Name) {
    TFormReader::RegisterClass(Name, [](TComponent* o) { return new T(o); });
}
} // namespace

void RegisterSkinShellClasses() {
    Register<TskSkinDirTreeView>("TskSkinDirTreeView");
    Register<TskSkinFileListView>("TskSkinFileListView");
    Register<TskSkinShellComboBox>("TskSkinShellComboBox");
    Register<TskShellChangeNotifier>("TskShellChangeNotifier");
    Register<TskSkinFileListBox>("TskSkinFileListBox");
    Register<TskSkinFilterComboBox>("TskSkinFilterComboBox");
    Register<TskSkinDirectoryEdit>("TskSkinDirectoryEdit");
    Register<TskSkinFileEdit>("TskSkinFileEdit");
    Register<TskSkinSelectDirectoryDialog>("TskSkinSelectDirectoryDialog");
    Register<TskSkinOpenDialog>("TskSkinOpenDialog");
}

} // namespace vd
