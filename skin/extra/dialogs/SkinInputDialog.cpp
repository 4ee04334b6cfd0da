#include "skin/extra/dialogs/SkinInputDialog.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/dialogs/SkinDialogUnits.h"
#include "skin/form/frame/SkinForm.h"

namespace vd {

TskSkinInputDialog::TskSkinInputDialog(TComponent* AOwner) : TComponent(AOwner) {
    SetDefaultFace(FLabelFont);
    SetDefaultFace(FButtonFont);
    SetDefaultFace(FEditFont);
}

void TskSkinInputDialog::SetSkinData(TskSkinData* v) {
    FSkinData = v;
}

void TskSkinInputDialog::SetCtrlSkinData(TskSkinData* v) {
    FCtrlSkinData = v;
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
    auto* frame = new TskSkinForm(f);
    frame->SetBorderIcons(0);
    frame->SetSkinData(FSkinData);
    frame->SetMenusSkinData(FCtrlSkinData);
    frame->SetAlphaBlend(AlphaBlend);
    frame->AlphaBlendAnimation = AlphaBlendAnimation;
    frame->SetAlphaBlendValue(AlphaBlendValue);
    // The frame's borders decide the client area: sizes are set on the framed window.
    f->HandleNeeded();

    const TDialogUnits du = MeasureDialogUnits(f->Font());
    f->SetClientWidth(du.X(180));
    auto* prompt = new TskSkinStdLabel(f);
    prompt->SetName("Prompt");
    prompt->SetParent(f);
    prompt->SetLeft(du.X(8));
    prompt->SetTop(du.Y(8));
    prompt->Constraints().MaxWidth = du.X(164);
    prompt->SetWordWrap(false);
    prompt->SetDefaultFont(FLabelFont);
    prompt->Font().Assign(FLabelFont);
    prompt->UseSkinFont = UseSkinFont;
    prompt->SkinDataName = LabelSkinDataName;
    prompt->SetSkinData(FCtrlSkinData);
    prompt->SetCaption(APrompt);

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

    const TskResourceStrData* t = FCtrlSkinData ? FCtrlSkinData->ResourceStrData() : nullptr;
    auto button = [&](const char* name, int left, const char* key, const char* text, int result) {
        auto* b = new TskSkinButton(f);
        b->SetName(name);
        b->SetDefaultFont(FButtonFont);
        b->SetUseSkinFont(UseSkinFont);
        b->SetCaption(t ? t->LookupResString(key) : String(text));
        b->ModalResult = result;
        b->SetParent(f);
        b->SetDefaultHeight(du.Y(14));
        b->SetBounds(du.X(left), edit->Top() + edit->Height() + 15, du.X(50), du.Y(14));
        b->SetSkinDataName(ButtonSkinDataName);
        b->SetSkinData(FCtrlSkinData);
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
