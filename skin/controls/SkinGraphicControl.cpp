#include "skin/controls/SkinGraphicControl.h"

#include "skin/core/SkinData.h"

namespace vd {

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque);
}

void TskGraphicSkinControl::SetSkinData(TskSkinData* Value) {
    if (FSkinData != Value) {
        if (FSkinData) FSkinData->RemoveFreeNotification(this);
        FSkinData = Value;
        if (FSkinData) FSkinData->FreeNotification(this);
    }
    if (Value && !Value->Empty() && !Designing()) ChangeSkinData();
}

void TskGraphicSkinControl::GetSkinData() {
    if (!FSkinData || FSkinData->Empty())
        FSkinIndex = -1;
    else
        FSkinIndex = FSkinData->IndexOfControlRecord(SkinDataName);
}

TskDataSkinControl* TskGraphicSkinControl::SkinRecord() const {
    if (FSkinIndex == -1 || !FSkinData) return nullptr;
    return FSkinData->ControlRecord(FSkinIndex);
}

void TskGraphicSkinControl::ChangeSkinData() {
    GetSkinData();
    Repaint();
}

void TskGraphicSkinControl::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    TBitmap b(Width(), Height());
    if (FSkinIndex == -1)
        CreateControlDefaultImage(b);
    else
        CreateControlSkinImage(b);
    Canvas().Draw(0, 0, &b);
}

void TskGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

} // namespace vd
