#include "skin/controls/SkinGroups.h"

#include "platform/vcl/FontFaces.h"

#include "platform/vcl/ImageList.h"

#include <algorithm>

namespace vd {

TskGroupButton::TskGroupButton(TskSkinButtonGroup* Group, bool IsRadio)
    : TskSkinCheckRadioBox(Group), FGroup(Group) {
    Group->FButtons.push_back(this);
    SetVisible(false);
    SetEnabled(Group->Enabled());
    OnClick = [Group](TObject* s) { Group->ButtonClick(s); };
    SetParent(Group);
    SetRadio(IsRadio);
    SetCanFocused(true);
    SetSkinDataName(IsRadio ? "radiobox" : "checkbox");
    if (IsRadio) GroupIndex = 1;
    SetFlat(true);
}

TskGroupButton::~TskGroupButton() {
    auto& list = FGroup->FButtons;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TskGroupButton::DoClick() {
    if (FGroup->CanModify()) TskSkinCheckRadioBox::DoClick();
}

void TskGroupButton::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCheckRadioBox::KeyDown(Key, Shift);
    FGroup->KeyDown(Key, Shift);
}

void TskGroupButton::KeyPress(TKeyChar& Key) {
    TskSkinCheckRadioBox::KeyPress(Key);
    FGroup->KeyPress(Key);
    if ((Key == 8 || Key == ' ') && !FGroup->CanModify()) Key = 0;
}

TskSkinButtonGroup::TskSkinButtonGroup(TComponent* AOwner, bool IsRadio)
    : TskSkinGroupBox(AOwner), FRadio(IsRadio), FButtonSkinDataName(IsRadio ? "radiobox" : "checkbox") {
    FItems.OnChange = [this](TObject*) { ItemsChanged(); };
    SetDefaultFace(FButtonDefaultFont);
}

TskSkinButtonGroup::~TskSkinButtonGroup() {
    FItems.OnChange = nullptr;
    SetButtonCount(0);
}

void TskSkinButtonGroup::SetColumns(int Value) {
    Value = std::clamp(Value, 1, 16);
    if (Value == FColumns) return;
    FColumns = Value;
    ArrangeButtons();
    Invalidate();
}

void TskSkinButtonGroup::SetImages(TCustomImageList* Value) {
    FImages = Value;
    for (auto* b : FButtons)
        b->SetImages(Value);
}

void TskSkinButtonGroup::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinGroupBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TskSkinButtonGroup::SetButtonSkinDataName(const String& Value) {
    FButtonSkinDataName = Value;
    for (auto* b : FButtons)
        b->SetSkinDataName(Value);
}

void TskSkinButtonGroup::SetButtonDefaultFont(const TFont& Value) {
    FButtonDefaultFont.Assign(Value);
    Font().Assign(Value);
    for (auto* b : FButtons)
        b->SetDefaultFont(Value);
}

void TskSkinButtonGroup::Loaded() {
    TskSkinGroupBox::Loaded();
    ItemsChanged();
}

void TskSkinButtonGroup::SetSkinData(TskSkinData* Value) {
    TskSkinGroupBox::SetSkinData(Value);
    for (auto* b : FButtons)
        b->SetSkinData(Value);
}

void TskSkinButtonGroup::ChangeSkinData() {
    TskSkinGroupBox::ChangeSkinData();
    ArrangeButtons();
}

void TskSkinButtonGroup::ItemsChanged() {
    if (!Reading()) UpdateButtons();
}

void TskSkinButtonGroup::UpdateButtons() {
    SetButtonCount(FItems.Count());
    for (int i = 0; i < ButtonCount(); ++i)
        FButtons[size_t(i)]->SetCaption(FItems.Strings(i));
    if (FRadio && FItemIndex >= 0 && FItemIndex < ButtonCount()) {
        FUpdating = true;
        FButtons[size_t(FItemIndex)]->SetChecked(true);
        FUpdating = false;
    }
    ArrangeButtons();
    Invalidate();
}

void TskSkinButtonGroup::SetButtonCount(int n) {
    while (ButtonCount() < n)
        new TskGroupButton(this, FRadio);
    while (ButtonCount() > n)
        delete FButtons.back(); // the destructor takes it off the list
    for (int i = 0; i < ButtonCount(); ++i) {
        TskGroupButton* b = FButtons[size_t(i)];
        b->SetImageIndex(i);
        b->SetSkinDataName(FButtonSkinDataName);
        b->SetSkinData(SkinData());
        b->SetUseSkinFont(UseSkinFont());
        b->SetDefaultFont(FButtonDefaultFont);
    }
}

void TskSkinButtonGroup::ButtonClick(TObject* Sender) {
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), static_cast<TskGroupButton*>(Sender));
    if (it == FButtons.end()) return;
    FItemIndex = static_cast<int>(it - FButtons.begin());
    Perform(CM_CHANGED, 0, 0);
    Click();
}

void TskSkinButtonGroup::ArrangeButtons() {
    if (FButtons.empty() || Reading()) return;
    const TRect r = GetAdjustedClientRect(this);
    const int count = ButtonCount();
    const int rows = (count + FColumns - 1) / FColumns;
    // Sizes never go negative, however narrow or low the group is.
    const int cw = std::max(0, r.Width() / FColumns - 2);
    const int rh = std::max(0, r.Height() / rows);
    for (int i = 0; i < count; ++i) {
        TskGroupButton* b = FButtons[size_t(i)];
        const int left = (i / rows) * cw + r.Left + 1;
        const int top = (i % rows) * rh + r.Top;
        b->SetBounds(left, top, cw, rh);
        b->SetVisible(true);
    }
}

void TskSkinButtonGroup::Dispatch(TMessage& Message) {
    TskSkinGroupBox::Dispatch(Message);
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        for (auto* b : FButtons)
            b->SetEnabled(Enabled());
        break;
    case CM_FONTCHANGED:
    case WM_SIZE:
        ArrangeButtons();
        break;
    default:
        break;
    }
}

void TskSkinRadioGroup::SetItemIndex(int Value) {
    if (Reading()) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp(Value, -1, ButtonCount() - 1);
    if (Value == FItemIndex) return;
    if (FItemIndex >= 0) Buttons(FItemIndex)->SetChecked(false);
    FItemIndex = Value;
    if (FItemIndex >= 0) Buttons(FItemIndex)->SetChecked(true);
}

void TskSkinRadioGroup::ItemsChanged() {
    if (Reading()) return;
    if (FItemIndex >= Items().Count()) FItemIndex = Items().Count() - 1;
    TskSkinButtonGroup::ItemsChanged();
}

} // namespace vd
