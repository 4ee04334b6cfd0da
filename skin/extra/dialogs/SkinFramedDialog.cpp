#include "skin/extra/dialogs/SkinFramedDialog.h"

#include "platform/vcl/FontFaces.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/dialogs/SkinDialogUnits.h"
#include "skin/form/frame/SkinForm.h"

namespace vd {

TskSkinDialogComponent::TskSkinDialogComponent(TComponent* AOwner) : TComponent(AOwner) {
    SetDefaultFace(FButtonFont);
}

void TskSkinDialogComponent::SetSkinData(TskSkinData* v) {
    FSkinData = v;
}

void TskSkinDialogComponent::SetCtrlSkinData(TskSkinData* v) {
    FCtrlSkinData = v;
}

void TskSkinDialogComponent::SkinFrame(TskSkinForm* frame) {
    frame->SetSkinData(FSkinData);
    frame->SetMenusSkinData(FCtrlSkinData);
    frame->SetAlphaBlend(AlphaBlend);
    frame->AlphaBlendAnimation = AlphaBlendAnimation;
    frame->SetAlphaBlendValue(AlphaBlendValue);
}

TskSkinFramedDialog::TskSkinFramedDialog(TComponent* AOwner) : TskSkinDialogComponent(AOwner) {
    SetDefaultFace(FLabelFont);
}

TDialogUnits TskSkinFramedDialog::FrameWindow(TForm* f, bool hideCaptionButtons) {
    auto* frame = new TskSkinForm(f);
    frame->SetBorderIcons(0);
    frame->HideCaptionButtons = hideCaptionButtons;
    SkinFrame(frame);
    f->HandleNeeded();

    const TDialogUnits du = MeasureDialogUnits(f->Font());
    f->SetClientWidth(du.X(180));
    return du;
}

TskSkinStdLabel* TskSkinFramedDialog::AddLabel(TForm* f, const TDialogUnits& du, const String& name,
                                               const String& caption) {
    auto* label = new TskSkinStdLabel(f);
    if (!name.empty()) label->SetName(name);
    label->SetParent(f);
    label->SetLeft(du.X(8));
    label->SetTop(du.Y(8));
    label->Constraints().MaxWidth = du.X(164);
    label->SetWordWrap(false);
    label->SetDefaultFont(FLabelFont);
    label->Font().Assign(FLabelFont);
    label->UseSkinFont = UseSkinFont;
    label->SkinDataName = LabelSkinDataName;
    label->SetSkinData(FCtrlSkinData);
    label->SetCaption(caption);
    return label;
}

TskSkinButton* TskSkinFramedDialog::NewButton(TForm* f, const String& name, const char* key, const char* text,
                                              int result) {
    auto* b = new TskSkinButton(f);
    if (!name.empty()) b->SetName(name);
    b->SetDefaultFont(FButtonFont);
    b->SetUseSkinFont(UseSkinFont);
    const TskResourceStrData* t = FCtrlSkinData ? FCtrlSkinData->ResourceStrData() : nullptr;
    b->SetCaption(t ? t->LookupResString(key) : String(text));
    b->ModalResult = result;
    return b;
}

void TskSkinFramedDialog::PlaceButton(TForm* f, TskSkinButton* b, const TDialogUnits& du, int left, int top) {
    b->SetParent(f);
    b->SetDefaultHeight(du.Y(14));
    b->SetBounds(left, top, du.X(50), du.Y(14));
    b->SetSkinDataName(ButtonSkinDataName);
    b->SetSkinData(FCtrlSkinData);
}

} // namespace vd
