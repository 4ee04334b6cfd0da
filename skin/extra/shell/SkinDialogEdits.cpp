#include "skin/extra/shell/SkinDialogEdits.h"

#include "platform/vcl/PropValue.h"
#include "skin/core/SkinData.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/extra/shell/SkinSelectDirDialog.h"

namespace vd {

template <class TDialog>
TskSkinDialogEdit<TDialog>::TskSkinDialogEdit(TComponent* AOwner) : TskSkinEdit(AOwner) {
    SetButtonMode(true);
    SetSkinDataName("buttonedit");
    FDialog = new TDialog(this);
    OnButtonClick = [this](TObject*) { ButtonClick(); };
}

template <class TDialog> TskSkinDialogEdit<TDialog>::~TskSkinDialogEdit() {
    SetDlgSkinData(nullptr);
    SetDlgCtrlSkinData(nullptr);
}

template <class TDialog> void TskSkinDialogEdit<TDialog>::SetDlgSkinData(TskSkinData* Value) {
    FDlgSkinData = Value;
}

template <class TDialog> void TskSkinDialogEdit<TDialog>::SetDlgCtrlSkinData(TskSkinData* Value) {
    FDlgCtrlSkinData = Value;
}

template <class TDialog>
void TskSkinDialogEdit<TDialog>::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FDialog) FDialog = nullptr;
}

template <class TDialog>
bool TskSkinDialogEdit<TDialog>::SetProperty(const String& name, const TPropValue& v) {
    const String inner = name.rfind("Dialog.", 0) == 0 ? name.substr(7) : name;
    if (name == "DialogTitle" || inner == "Title") {
        FDialog->SetTitle(v.AsString());
        return true;
    }
    if (inner != name) return FDialog->SetProperty(inner, v);
    return TskSkinEdit::SetProperty(name, v);
}

template <class TDialog>
bool TskSkinDialogEdit<TDialog>::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "DlgSkinData" || name == "DlgCtrlSkinData") {
        auto* skin = dynamic_cast<TskSkinData*>(value);
        if (value && !skin) return false;
        if (name == "DlgSkinData")
            SetDlgSkinData(skin);
        else
            SetDlgCtrlSkinData(skin);
        return true;
    }
    return TskSkinEdit::SetComponentProperty(name, value);
}

template class TskSkinDialogEdit<TskSkinSelectDirectoryDialog>;
template class TskSkinDialogEdit<TskSkinOpenDialog>;

void TskSkinDirectoryEdit::ButtonClick() {
    FDialog->Directory = Text();
    FDialog->SetSkinData(FDlgSkinData);
    FDialog->SetCtrlSkinData(FDlgCtrlSkinData);
    if (FDialog->ShowSelectForm()) SetText(FDialog->Directory);
}

const String& TskSkinFileEdit::Filter() const {
    return FDialog->Filter;
}

void TskSkinFileEdit::SetFilter(const String& Value) {
    FDialog->Filter = Value;
}

void TskSkinFileEdit::ButtonClick() {
    FDialog->SetFileName(Text());
    FDialog->SetSkinData(FDlgSkinData);
    FDialog->SetCtrlSkinData(FDlgCtrlSkinData);
    FDialog->LVHeaderSkinDataName = LVHeaderSkinDataName;
    if (FDialog->ShowOpenForm()) SetText(FDialog->FileName());
}

// The dialog's file settings by their own names too; the names never meet the shared ones.
bool TskSkinFileEdit::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Filter" || name == "InitialDir" || name == "FilterIndex" || name == "DefaultExt" ||
        name == "CheckFileExists")
        return FDialog->SetProperty(name, v);
    if (name == "LVHeaderSkinDataName") {
        LVHeaderSkinDataName = v.AsString();
        return true;
    }
    return TskSkinDialogEdit::SetProperty(name, v);
}

} // namespace vd
