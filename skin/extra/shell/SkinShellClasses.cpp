#include "skin/extra/shell/SkinShellClasses.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropValue.h"
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
} // namespace

bool TskCustomShellTreeView::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Root")
        SetRoot(v.AsString());
    else if (name == "ObjectTypes")
        SetObjectTypes(SetBits(v, kObjectTypes));
    else if (name == "AutoRefresh")
        SetAutoRefresh(v.AsBool());
    else if (name == "AutoContextMenus")
        AutoContextMenus = v.AsBool();
    else if (name == "UseShellImages")
        SetUseShellImages(v.AsBool());
    else
        return TskSkinCustomTreeView::SetProperty(name, v);
    return true;
}

bool TskCustomShellTreeView::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "ShellComboBox") {
        auto* combo = dynamic_cast<TskCustomShellComboBox*>(value);
        if (value && !combo) return false;
        SetShellComboBox(combo);
        return true;
    }
    if (name != "ShellListView") return TskSkinCustomTreeView::SetComponentProperty(name, value);
    auto* list = dynamic_cast<TskCustomShellListView*>(value);
    if (value && !list) return false;
    SetShellListView(list);
    return true;
}

bool TskCustomShellListView::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Root")
        SetRoot(v.AsString());
    else if (name == "Mask")
        SetMask(v.AsString());
    else if (name == "ObjectTypes")
        SetObjectTypes(SetBits(v, kObjectTypes));
    else if (name == "Sorted")
        SetSorted(v.AsBool());
    else if (name == "AutoRefresh")
        SetAutoRefresh(v.AsBool());
    else if (name == "AutoNavigate")
        AutoNavigate = v.AsBool();
    else if (name == "AutoContextMenus")
        AutoContextMenus = v.AsBool();
    else
        return TskSkinCustomListView::SetProperty(name, v);
    return true;
}

bool TskCustomShellListView::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "ShellComboBox") {
        auto* combo = dynamic_cast<TskCustomShellComboBox*>(value);
        if (value && !combo) return false;
        SetShellComboBox(combo);
        return true;
    }
    if (name != "ShellTreeView") return TskSkinCustomListView::SetComponentProperty(name, value);
    auto* tree = dynamic_cast<TskCustomShellTreeView*>(value);
    if (value && !tree) return false;
    SetShellTreeView(tree);
    return true;
}

bool TskCustomShellComboBox::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Root")
        SetRoot(v.AsString());
    else if (name == "ObjectTypes")
        SetObjectTypes(SetBits(v, kObjectTypes));
    else if (name == "UseShellImages")
        SetUseShellImages(v.AsBool());
    else
        return TskSkinCustomComboBox::SetProperty(name, v);
    return true;
}

bool TskCustomShellComboBox::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "ShellTreeView") {
        auto* tree = dynamic_cast<TskCustomShellTreeView*>(value);
        if (value && !tree) return false;
        SetShellTreeView(tree);
        return true;
    }
    if (name == "ShellListView") {
        auto* list = dynamic_cast<TskCustomShellListView*>(value);
        if (value && !list) return false;
        SetShellListView(list);
        return true;
    }
    return TskSkinCustomComboBox::SetComponentProperty(name, value);
}

bool TskCustomShellChangeNotifier::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Root")
        SetRoot(v.AsString());
    else if (name == "WatchSubTree")
        SetWatchSubTree(v.AsBool());
    else if (name == "NotifyFilters")
        SetNotifyFilters(SetBits(v, kNotifyFilters));
    else
        return TComponent::SetProperty(name, v);
    return true;
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
