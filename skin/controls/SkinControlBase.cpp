#include "skin/controls/SkinControlBase.h"

#include "platform/vcl/Bitmap.h"
#include "skin/core/SkinData.h"

namespace vd {

template <class TBase> void TskSkinControlBase<TBase>::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
    if (Value && !Value->Empty() && !Designing()) ChangeSkinData();
}

template <class TBase> void TskSkinControlBase<TBase>::GetSkinData() {
    if (!FSkinData || FSkinData->Empty())
        FSkinIndex = -1;
    else
        FSkinIndex = FSkinData->IndexOfControlRecord(RecordName());
}

template <class TBase> TskDataSkinControl* TskSkinControlBase<TBase>::SkinRecord() const {
    if (FSkinIndex == -1 || !FSkinData) return nullptr;
    return FSkinData->ControlRecord(FSkinIndex);
}

template <class TBase> void TskSkinControlBase<TBase>::ChangeSkinData() {
    GetSkinData();
    this->Repaint();
}

template <class TBase> void TskSkinControlBase<TBase>::Paint() {
    const int w = this->Width(), h = this->Height();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TBitmap b(w, h);
    if (FSkinIndex == -1)
        CreateControlDefaultImage(b);
    else
        CreateControlSkinImage(b);
    this->Canvas().Draw(0, 0, &b);
}

template <class TBase>
bool TskSkinControlBase<TBase>::SetComponentProperty(const String& name, TComponent* value) {
    if (name != "SkinData") return TBase::SetComponentProperty(name, value);
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (!skin) return false;
    SetSkinData(skin);
    return true;
}

template class TskSkinControlBase<TCustomControl>;
template class TskSkinControlBase<TGraphicControl>;

} // namespace vd
