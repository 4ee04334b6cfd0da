#include "skin/extra/shell/SkinSelectDirDialog.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/PropValue.h"
#include "skin/controls/SkinButton.h"
#include "skin/core/SkinData.h"
#include "skin/extra/shell/SkinDialogParts.h"
#include "skin/extra/shell/SkinFileCtrl.h"
#include "skin/extra/shell/SkinSelDirForm.h"
#include "skin/extra/shell/SkinShellConfirm.h"
#include "skin/extra/shell/SkinShellTreeView.h"
#include "skin/form/frame/SkinForm.h"

namespace vd {

TskSkinSelectDirectoryDialog::TskSkinSelectDirectoryDialog(TComponent* AOwner) : TComponent(AOwner) {
    SetDefaultFace(FDefaultFont);
}

TskSkinSelectDirectoryDialog::~TskSkinSelectDirectoryDialog() {
    SetSkinData(nullptr);
    SetCtrlSkinData(nullptr);
}

void TskSkinSelectDirectoryDialog::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
}

void TskSkinSelectDirectoryDialog::SetCtrlSkinData(TskSkinData* Value) {
    FCtrlSkinData = Value;
}

bool TskSkinSelectDirectoryDialog::ShowSelectForm() {
    auto* form = new TskSelDirDlgForm(Application, ShowToolBar, FCtrlSkinData);
    FForm = form;
    struct Cleanup {
        TskSkinSelectDirectoryDialog* Self;
        TskSelDirDlgForm* Form;
        ~Cleanup() {
            Self->FForm = nullptr;
            Form->Free();
        }
    } cleanup{this, form};
    form->SetCaption(FTitle);
    form->Frame = MakeDialogFrame(form, {FSkinData, FCtrlSkinData, DialogMinWidth, DialogMinHeight,
                                         AlphaBlend, AlphaBlendAnimation, AlphaBlendValue});
    SkinDialogControls(form, FCtrlSkinData);
    form->Tree->SetDefaultFont(FDefaultFont);
    form->OKButton->SetDefaultFont(FDefaultFont);
    form->CancelButton->SetDefaultFont(FDefaultFont);
    form->HandleNeeded();

    // A folder that is gone starts the dialog at the computer.
    bool started = false;
    if (!Directory.empty() && IsExistingFolder(Directory)) {
        try {
            form->Tree->SetPath(Directory);
            started = true;
        } catch (const EskShellError&) {
        }
    }
    if (!started) form->Tree->SelectMyComputer();
    form->TreeChange();

    SizeDialog(form, form->Frame, DialogWidth, DialogHeight, 280, 280);

    // Delete in the views asks in the dialog's skin.
    TShellDeleteConfirmScope confirm(FSkinData, FCtrlSkinData);
    const TModalResult result = form->ShowModal();
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    if (result != mrOk) return false;
    Directory = form->SelectedFolder();
    if (OnFolderSelected) OnFolderSelected(this);
    return true;
}

bool TskSkinSelectDirectoryDialog::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Title")
        SetTitle(v.AsString());
    else if (name == "Directory")
        Directory = v.AsString();
    else if (name == "DialogWidth")
        DialogWidth = static_cast<int>(v.AsInt());
    else if (name == "DialogHeight")
        DialogHeight = static_cast<int>(v.AsInt());
    else if (name == "DialogMinWidth")
        DialogMinWidth = static_cast<int>(v.AsInt());
    else if (name == "DialogMinHeight")
        DialogMinHeight = static_cast<int>(v.AsInt());
    else if (name == "ShowToolBar")
        ShowToolBar = v.AsBool();
    else if (name == "AlphaBlend")
        AlphaBlend = v.AsBool();
    else if (name == "AlphaBlendAnimation")
        AlphaBlendAnimation = v.AsBool();
    else if (name == "AlphaBlendValue")
        AlphaBlendValue = static_cast<Byte>(v.AsInt());
    else
        return TComponent::SetProperty(name, v);
    return true;
}

bool TskSkinSelectDirectoryDialog::SetComponentProperty(const String& name, TComponent* value) {
    if (name != "SkinData" && name != "CtrlSkinData") return TComponent::SetComponentProperty(name, value);
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (value && !skin) return false;
    if (name == "SkinData")
        SetSkinData(skin);
    else
        SetCtrlSkinData(skin);
    return true;
}

} // namespace vd
