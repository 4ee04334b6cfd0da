// Showing the open-file dialog: its window is built, set from the component, shown modally and
// read back into the component.
#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/extra/shell/SkinDialogParts.h"
#include "skin/extra/shell/SkinFileCtrl.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/extra/shell/SkinOpenDialogRules.h"
#include "skin/extra/shell/SkinOpenDlgForm.h"
#include "skin/extra/shell/SkinShellComboBox.h"
#include "skin/extra/shell/SkinShellConfirm.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/form/frame/SkinForm.h"

namespace vd {

void TskSkinOpenDialog::SetFileName(const String& Value) {
    FFileName = Value;
    if (FForm) FForm->FileNameEdit->SetText(ExtractFileName(Value));
}

bool TskSkinOpenDialog::ShowOpenForm() {
    auto* form = new TskOpenDlgForm(Application, FCtrlSkinData, SaveMode);
    FForm = form;
    struct Cleanup {
        TskSkinOpenDialog* Self;
        TskOpenDlgForm* Form;
        ~Cleanup() {
            Self->FForm = nullptr;
            Form->Free();
        }
    } cleanup{this, form};
    form->OnFolderChange = OnFolderChange;
    form->CheckExists = CheckFileExists;
    form->SetCaption(FTitle);
    form->Frame = MakeDialogFrame(form, {FSkinData, FCtrlSkinData, DialogMinWidth, DialogMinHeight,
                                         AlphaBlend, AlphaBlendAnimation, AlphaBlendValue});
    form->Frame->MenusAlphaBlend = CtrlAlphaBlend;
    form->Frame->MenusAlphaBlendAnimation = CtrlAlphaBlendAnimation;
    form->Frame->MenusAlphaBlendValue = CtrlAlphaBlendValue;
    for (TskSkinCustomComboBox* combo : {static_cast<TskSkinCustomComboBox*>(form->LookInCombo),
                                         static_cast<TskSkinCustomComboBox*>(form->FileTypeBox)}) {
        combo->AlphaBlend = CtrlAlphaBlend;
        combo->AlphaBlendAnimation = CtrlAlphaBlendAnimation;
        combo->AlphaBlendValue = CtrlAlphaBlendValue;
    }
    form->OpenButton->SetDefaultFont(FDefaultFont);
    form->CancelButton->SetDefaultFont(FDefaultFont);
    form->LookInCombo->SetDefaultFont(FDefaultFont);
    form->FileList->SetDefaultFont(FDefaultFont);
    form->SetViewStyle(ViewStyle);

    try {
        form->FileList->SetRoot(
            OpenDialogStartFolder(FFileName, InitialDir, ShellNamespace().Environment().Home));
    } catch (const EskShellError&) {
        // No home to start at: the list stays at the desktop.
    }
    form->FolderChanged(); // the start folder is where Back ends

    form->FileList->HeaderSkinDataName = LVHeaderSkinDataName;
    form->FileList->MultiSelect = MultiSelection;
    form->FileTypeBox->SetFilter(Filter);
    if (FilterIndex >= 1 && FilterIndex <= form->FileTypeBox->Items().Count())
        form->FileTypeBox->SetItemIndex(FilterIndex - 1);
    form->FileList->SetMask(form->FileTypeBox->Mask());
    SkinDialogControls(form, FCtrlSkinData);
    form->LookInCombo->SetSkinDataName("combobox");
    form->HandleNeeded();

    SizeDialog(form, form->Frame, DialogWidth, DialogHeight, 450, 290);
    if (form->FileList->Items().Count() > 0) form->FileList->SetItemFocused(form->FileList->Items().Item(0));
    form->FileNameEdit->SetText(ExtractFileName(FFileName));

    // Delete in the views asks in the dialog's skin.
    TShellDeleteConfirmScope confirm(FSkinData, FCtrlSkinData);
    const TModalResult result = form->ShowModal();
    FilterIndex = form->FileTypeBox->ItemIndex() + 1;
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    ViewStyle = form->ViewStyle();
    if (result != mrOk) return false;

    FFileName = form->ResultPath();
    if (SaveMode) FFileName = SaveFileName(FFileName, form->FileTypeBox->Mask(), DefaultExt);
    form->FileList->GetSelectedPaths(FFiles);
    if (OnFileSelected) OnFileSelected(this);
    return true;
}

} // namespace vd
