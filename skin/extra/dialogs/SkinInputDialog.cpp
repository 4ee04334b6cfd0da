#include "skin/extra/dialogs/SkinInputDialog.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/extra/dialogs/SkinDialogUnits.h"

namespace vd {

TskSkinInputDialog::TskSkinInputDialog(TComponent* AOwner) : TskSkinFramedDialog(AOwner) {
    SetDefaultFace(FEditFont);
}

bool TskSkinInputDialog::QueryText(const String& ACaption, const String& APrompt, String& Value) {
    auto* f = new TForm(Application);
    FForm = f;
    struct Cleanup {
        TskSkinInputDialog* Self;
        TForm* Form;
        ~Cleanup() {
            Self->FForm = nullptr;
            Form->Free();
        }
    } cleanup{this, f};
    f->SetBorderStyle(bsDialog);
    f->SetCaption(ACaption);
    f->SetPosition(poScreenCenter);
    const TDialogUnits du = FrameWindow(f, false);
    TskSkinStdLabel* prompt = AddLabel(f, du, "Prompt", APrompt);

    auto* edit = new TskSkinEdit(f);
    edit->SetName("Edit");
    edit->SetDefaultFont(FEditFont);
    edit->SetUseSkinFont(UseSkinFont);
    edit->SetParent(f);
    edit->SetBounds(prompt->Left(), prompt->Top() + prompt->Height() + 5, du.X(164), edit->Height());
    edit->SetDefaultWidth(du.X(164));
    edit->SetMaxLength(255);
    edit->SetText(Value);
    edit->SetSkinDataName(EditSkinDataName);
    edit->SetSkinData(FCtrlSkinData);
    edit->SelectAll();

    auto button = [&](const char* name, int left, const char* key, const char* text, int result) {
        TskSkinButton* b = NewButton(f, name, key, text, result);
        PlaceButton(f, b, du, du.X(left), edit->Top() + edit->Height() + 15);
        return b;
    };
    button("OK", 38, "MSG_BTN_OK", "OK", mrOk)->SetDefault(true);
    TskSkinButton* cancel = button("Cancel", 92, "MSG_BTN_CANCEL", "Cancel", mrCancel);
    cancel->Cancel = true;
    f->SetClientHeight(cancel->Top() + cancel->Height() + 13);

    if (f->ShowModal() != mrOk) return false;
    Value = edit->Text();
    return true;
}

} // namespace vd
