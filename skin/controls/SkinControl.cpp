#include "skin/controls/SkinControl.h"

#include "skin/core/SkinData.h"

namespace vd {

TskSkinControl::TskSkinControl(TComponent* AOwner) : TCustomControl(AOwner) {}

void TskSkinControl::SetSkinData(TskSkinData* Value) {
    if (FSkinData != Value) {
        if (FSkinData) FSkinData->RemoveFreeNotification(this);
        FSkinData = Value;
        if (FSkinData) FSkinData->FreeNotification(this);
    }
    if (Value && !Value->Empty() && !Designing()) ChangeSkinData();
}

void TskSkinControl::GetSkinData() {
    if (!FSkinData || FSkinData->Empty())
        FSkinIndex = -1;
    else
        FSkinIndex = FSkinData->IndexOfControlRecord(FSkinDataName);
}

TskDataSkinControl* TskSkinControl::SkinRecord() const {
    if (FSkinIndex == -1 || !FSkinData) return nullptr;
    return FSkinData->ControlRecord(FSkinIndex);
}

void TskSkinControl::ChangeSkinData() {
    GetSkinData();
    Repaint();
}

void TskSkinControl::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    TBitmap b(Width(), Height());
    if (FSkinIndex == -1)
        CreateControlDefaultImage(b);
    else
        CreateControlSkinImage(b);
    Canvas().Draw(0, 0, &b);
}

void TskSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: {
        struct Mark {
            bool& Flag;
            explicit Mark(bool& f) : Flag(f) { Flag = true; }
            ~Mark() { Flag = false; }
        } mark(FInsidePaint);
        TCustomControl::WndProc(Message);
        return;
    }
    case WM_ERASEBKGND:
        // The off-screen paint covers everything; erasing first would only flicker.
        if (PaintsOnErase() && !FInsidePaint && Message.WParam) PaintWindow(Message.WParam);
        Message.Result = 1;
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

bool TskSkinControl::SetComponentProperty(const String& name, TComponent* value) {
    if (name != "SkinData") return TCustomControl::SetComponentProperty(name, value);
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (!skin) return false;
    SetSkinData(skin);
    return true;
}

} // namespace vd
