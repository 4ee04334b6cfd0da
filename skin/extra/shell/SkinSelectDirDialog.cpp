#include "skin/extra/shell/SkinSelectDirDialog.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
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

namespace {

using Dialog = TskSkinSelectDirectoryDialog;
const TPropertyTable<Dialog>& SelectDirectoryProperties() {
    using namespace props;
    static const TPropertyTable<Dialog> table{
        {"Title", Call(&Dialog::SetTitle, AsText)},
        {"Directory", Store(&Dialog::Directory, AsText)},
        {"DialogWidth", Store(&Dialog::DialogWidth, AsInt)},
        {"DialogHeight", Store(&Dialog::DialogHeight, AsInt)},
        {"DialogMinWidth", Store(&Dialog::DialogMinWidth, AsInt)},
        {"DialogMinHeight", Store(&Dialog::DialogMinHeight, AsInt)},
        {"ShowToolBar", Store(&Dialog::ShowToolBar, AsBool)},
        {"AlphaBlend", Store(&Dialog::AlphaBlend, AsBool)},
        {"AlphaBlendAnimation", Store(&Dialog::AlphaBlendAnimation, AsBool)},
        {"AlphaBlendValue", Store(&Dialog::AlphaBlendValue, AsByte)},
    };
    return table;
}

} // namespace

bool TskSkinSelectDirectoryDialog::SetProperty(const String& name, const TPropValue& v) {
    return SelectDirectoryProperties().Set(*this, name, v) || TComponent::SetProperty(name, v);
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
