#include "skin/controls/SkinToolBar.h"

#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinSpeedButton.h"

namespace vd {

int SkinToolBarTop(const TControl* control, int Top, int H) {
    auto* bar = dynamic_cast<TskSkinToolBar*>(control->Parent());
    if (!bar || !bar->AdjustControls()) return Top;
    const TRect r = GetAdjustedClientRect(bar);
    return r.Top + r.Height() / 2 - H / 2;
}

TskSkinToolBar::TskSkinToolBar(TComponent* AOwner) : TskSkinPanel(AOwner) {
    SetSkinDataName("toolpanel");
    FBorderStyle = bvNone;
    SetHeight(25);
}

void TskSkinToolBar::SetFlat(bool Value) {
    FFlat = Value;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->SetFlat(Value);
}

namespace {
void Watch(TComponent* self, TCustomImageList*& field, TCustomImageList* value) {
    if (field) field->RemoveFreeNotification(self);
    field = value;
    if (value) value->FreeNotification(self);
}
} // namespace

void TskSkinToolBar::SetImages(TCustomImageList* Value) {
    Watch(this, FImages, Value);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->Repaint();
}

void TskSkinToolBar::SetHotImages(TCustomImageList* Value) {
    Watch(this, FHotImages, Value);
}

void TskSkinToolBar::SetDisabledImages(TCustomImageList* Value) {
    Watch(this, FDisabledImages, Value);
}

void TskSkinToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FHotImages) FHotImages = nullptr;
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
}

void TskSkinToolBar::SetShowCaptions(bool Value) {
    if (Value == FShowCaptions) return;
    FShowCaptions = Value;
    if (AutoShowHideCaptions)
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->SetShowCaption(Value);
    if (WidthWithCaptions != 0 && WidthWithoutCaptions != 0)
        SetWidth(Value ? WidthWithCaptions : WidthWithoutCaptions);
}

void TskSkinToolBar::SetSkinData(TskSkinData* Value) {
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (auto* s = dynamic_cast<TskSkinControl*>(c))
            s->SetSkinData(Value);
        else if (auto* g = dynamic_cast<TskGraphicSkinControl*>(c))
            g->SetSkinData(Value);
        else if (auto* b = dynamic_cast<TskSkinBevel*>(c))
            b->SetSkinData(Value);
    }
}

void TskSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TskSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FAdjustControls) return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
    }
    CenterControls();
}

void TskSkinToolBar::CenterControls() {
    const TRect r = GetAdjustedClientRect(this);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (dynamic_cast<TskSkinControl*>(c) || dynamic_cast<TskGraphicSkinControl*>(c)) continue;
        if (c->Align() != alNone) continue;
        c->SetTop(r.Top + r.Height() / 2 - c->Height() / 2);
    }
}

} // namespace vd
