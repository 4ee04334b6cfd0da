#include "skin/extra/shell/SkinDialogEdits.h"

#include "platform/vcl/PropValue.h"
#include "skin/core/SkinData.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/extra/shell/SkinSelectDirDialog.h"

namespace vd {

namespace {
void ButtonEditDefaults(TskSkinEdit& Edit) {
    Edit.SetButtonMode(true);
    Edit.SetSkinDataName("buttonedit");
}
} // namespace

TskSkinDirectoryEdit::TskSkinDirectoryEdit(TComponent* AOwner) : TskSkinEdit(AOwner) {
    ButtonEditDefaults(*this);
    FDialog = new TskSkinSelectDirectoryDialog(this);
    OnButtonClick = [this](TObject*) { ButtonClick(); };
}

TskSkinDirectoryEdit::~TskSkinDirectoryEdit() {
    SetDlgSkinData(nullptr);
    SetDlgCtrlSkinData(nullptr);
}

void TskSkinDirectoryEdit::SetDlgSkinData(TskSkinData* Value) {
    FDlgSkinData = Value;
}

void TskSkinDirectoryEdit::SetDlgCtrlSkinData(TskSkinData* Value) {
    FDlgCtrlSkinData = Value;
}

void TskSkinDirectoryEdit::ButtonClick() {
    FDialog->Directory = Text();
    FDialog->SetSkinData(FDlgSkinData);
    FDialog->SetCtrlSkinData(FDlgCtrlSkinData);
    if (FDialog->ShowSelectForm()) SetText(FDialog->Directory);
}

void TskSkinDirectoryEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FDialog) FDialog = nullptr;
}

bool TskSkinDirectoryEdit::SetProperty(const String& name, const TPropValue& v) {
    // The dialog's own properties, by their names or with a "Dialog" prefix.
    const String inner = name.rfind("Dialog.", 0) == 0 ? name.substr(7) : name;
    if (name == "DialogTitle" || inner == "Title") {
        FDialog->SetTitle(v.AsString());
        return true;
    }
    if (inner != name) return FDialog->SetProperty(inner, v);
    return TskSkinEdit::SetProperty(name, v);
}

bool TskSkinDirectoryEdit::SetComponentProperty(const String& name, TComponent* value) {
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

TskSkinFileEdit::TskSkinFileEdit(TComponent* AOwner) : TskSkinEdit(AOwner) {
    ButtonEditDefaults(*this);
    FDialog = new TskSkinOpenDialog(this);
    OnButtonClick = [this](TObject*) { ButtonClick(); };
}

TskSkinFileEdit::~TskSkinFileEdit() {
    SetDlgSkinData(nullptr);
    SetDlgCtrlSkinData(nullptr);
}

void TskSkinFileEdit::SetDlgSkinData(TskSkinData* Value) {
    FDlgSkinData = Value;
}

void TskSkinFileEdit::SetDlgCtrlSkinData(TskSkinData* Value) {
    FDlgCtrlSkinData = Value;
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

void TskSkinFileEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FDialog) FDialog = nullptr;
}

bool TskSkinFileEdit::SetProperty(const String& name, const TPropValue& v) {
    const String inner = name.rfind("Dialog.", 0) == 0 ? name.substr(7) : name;
    if (name == "DialogTitle" || inner == "Title") {
        FDialog->SetTitle(v.AsString());
        return true;
    }
    if (name == "Filter" || name == "InitialDir" || name == "FilterIndex" || name == "DefaultExt" ||
        name == "CheckFileExists")
        return FDialog->SetProperty(name, v);
    if (name == "LVHeaderSkinDataName") {
        LVHeaderSkinDataName = v.AsString();
        return true;
    }
    if (inner != name) return FDialog->SetProperty(inner, v);
    return TskSkinEdit::SetProperty(name, v);
}

bool TskSkinFileEdit::SetComponentProperty(const String& name, TComponent* value) {
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

} // namespace vd
