#include "skin/extra/shell/SkinShellClasses.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
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

// A set property of named bits: bit i for Names[i].
template <std::size_t N> unsigned SetBits(const TPropValue& v, const char* const (&Names)[N]) {
    if (v.Kind != TPropValue::vkSet) throw EReadError("Invalid property value");
    unsigned bits = 0;
    for (const String& m : v.Set) {
        std::size_t i = 0;
        while (i < N && m != Names[i])
            ++i;
        if (i == N) throw EReadError("Invalid property value " + m);
        bits |= 1u << i;
    }
    return bits;
}

constexpr const char* kObjectTypes[] = {"otFolders", "otNonFolders", "otHidden"};
constexpr const char* kNotifyFilters[] = {"nfFileNameChange", "nfDirNameChange", "nfAttributeChange",
                                          "nfSizeChange",     "nfWriteChange",   "nfSecurityChange"};

template <class T> void Register(const char* Name) {
    TFormReader::RegisterClass(Name, [](TComponent* o) { return new T(o); });
}

using namespace props;

unsigned ReadObjectTypes(const TPropValue& v) {
    return SetBits(v, kObjectTypes);
}

using Tree = TskCustomShellTreeView;
const TPropertyTable<Tree>& TreeProperties() {
    static const TPropertyTable<Tree> table{
        {"Root", Call(&Tree::SetRoot, AsText)},
        {"ObjectTypes", Call(&Tree::SetObjectTypes, ReadObjectTypes)},
        {"AutoRefresh", Call(&Tree::SetAutoRefresh, AsBool)},
        {"AutoContextMenus", Store(&Tree::AutoContextMenus, AsBool)},
        {"UseShellImages", Call(&Tree::SetUseShellImages, AsBool)},
        {"ShellComboBox", LinkOrNone<TskCustomShellComboBox>(&Tree::SetShellComboBox)},
        {"ShellListView", LinkOrNone<TskCustomShellListView>(&Tree::SetShellListView)},
    };
    return table;
}

using List = TskCustomShellListView;
const TPropertyTable<List>& ListProperties() {
    static const TPropertyTable<List> table{
        {"Root", Call(&List::SetRoot, AsText)},
        {"Mask", Call(&List::SetMask, AsText)},
        {"ObjectTypes", Call(&List::SetObjectTypes, ReadObjectTypes)},
        {"Sorted", Call(&List::SetSorted, AsBool)},
        {"AutoRefresh", Call(&List::SetAutoRefresh, AsBool)},
        {"AutoNavigate", Store(&List::AutoNavigate, AsBool)},
        {"AutoContextMenus", Store(&List::AutoContextMenus, AsBool)},
        {"ShellComboBox", LinkOrNone<TskCustomShellComboBox>(&List::SetShellComboBox)},
        {"ShellTreeView", LinkOrNone<TskCustomShellTreeView>(&List::SetShellTreeView)},
    };
    return table;
}

using Combo = TskCustomShellComboBox;
const TPropertyTable<Combo>& ComboProperties() {
    static const TPropertyTable<Combo> table{
        {"Root", Call(&Combo::SetRoot, AsText)},
        {"ObjectTypes", Call(&Combo::SetObjectTypes, ReadObjectTypes)},
        {"UseShellImages", Call(&Combo::SetUseShellImages, AsBool)},
        {"ShellTreeView", LinkOrNone<TskCustomShellTreeView>(&Combo::SetShellTreeView)},
        {"ShellListView", LinkOrNone<TskCustomShellListView>(&Combo::SetShellListView)},
    };
    return table;
}

using Notifier = TskCustomShellChangeNotifier;
const TPropertyTable<Notifier>& NotifierProperties() {
    static const TPropertyTable<Notifier> table{
        {"Root", Call(&Notifier::SetRoot, AsText)},
        {"WatchSubTree", Call(&Notifier::SetWatchSubTree, AsBool)},
        {"NotifyFilters",
         [](Notifier& n, const TPropValue& v) { n.SetNotifyFilters(SetBits(v, kNotifyFilters)); }},
    };
    return table;
}

} // namespace

bool TskCustomShellTreeView::SetProperty(const String& name, const TPropValue& v) {
    return TreeProperties().Set(*this, name, v) || TskSkinCustomTreeView::SetProperty(name, v);
}

bool TskCustomShellTreeView::SetComponentProperty(const String& name, TComponent* value) {
    return TreeProperties().SetComponent(*this, name, value) ||
           TskSkinCustomTreeView::SetComponentProperty(name, value);
}

bool TskCustomShellListView::SetProperty(const String& name, const TPropValue& v) {
    return ListProperties().Set(*this, name, v) || TskSkinCustomListView::SetProperty(name, v);
}

bool TskCustomShellListView::SetComponentProperty(const String& name, TComponent* value) {
    return ListProperties().SetComponent(*this, name, value) ||
           TskSkinCustomListView::SetComponentProperty(name, value);
}

bool TskCustomShellComboBox::SetProperty(const String& name, const TPropValue& v) {
    return ComboProperties().Set(*this, name, v) || TskSkinCustomComboBox::SetProperty(name, v);
}

bool TskCustomShellComboBox::SetComponentProperty(const String& name, TComponent* value) {
    return ComboProperties().SetComponent(*this, name, value) ||
           TskSkinCustomComboBox::SetComponentProperty(name, value);
}

bool TskCustomShellChangeNotifier::SetProperty(const String& name, const TPropValue& v) {
    return NotifierProperties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

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
