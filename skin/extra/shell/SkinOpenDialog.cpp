#include "skin/extra/shell/SkinOpenDialog.h"

#include "platform/vcl/FontFaces.h"

#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/core/SkinData.h"

namespace vd {

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner) : TComponent(AOwner) {
    SetDefaultFace(FDefaultFont);
}

TskSkinOpenDialog::~TskSkinOpenDialog() {
    SetSkinData(nullptr);
    SetCtrlSkinData(nullptr);
}

void TskSkinOpenDialog::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
}

void TskSkinOpenDialog::SetCtrlSkinData(TskSkinData* Value) {
    FCtrlSkinData = Value;
}

namespace {

using Dialog = TskSkinOpenDialog;
const TPropertyTable<Dialog>& OpenDialogProperties() {
    using namespace props;
    static const TPropertyTable<Dialog> table{
        {"Title", Call(&Dialog::SetTitle, AsText)},
        {"Filter", Store(&Dialog::Filter, AsText)},
        {"InitialDir", Store(&Dialog::InitialDir, AsText)},
        {"FileName", Call(&Dialog::SetFileName, AsText)},
        {"FilterIndex", Store(&Dialog::FilterIndex, AsInt)},
        {"DefaultExt", Store(&Dialog::DefaultExt, AsText)},
        {"CheckFileExists", Store(&Dialog::CheckFileExists, AsBool)},
        {"MultiSelection", Store(&Dialog::MultiSelection, AsBool)},
        {"LVHeaderSkinDataName", Store(&Dialog::LVHeaderSkinDataName, AsText)},
        {"DialogWidth", Store(&Dialog::DialogWidth, AsInt)},
        {"DialogHeight", Store(&Dialog::DialogHeight, AsInt)},
        {"DialogMinWidth", Store(&Dialog::DialogMinWidth, AsInt)},
        {"DialogMinHeight", Store(&Dialog::DialogMinHeight, AsInt)},
        {"AlphaBlend", Store(&Dialog::AlphaBlend, AsBool)},
        {"AlphaBlendAnimation", Store(&Dialog::AlphaBlendAnimation, AsBool)},
        {"AlphaBlendValue", Store(&Dialog::AlphaBlendValue, AsByte)},
        {"CtrlAlphaBlend", Store(&Dialog::CtrlAlphaBlend, AsBool)},
        {"CtrlAlphaBlendAnimation", Store(&Dialog::CtrlAlphaBlendAnimation, AsBool)},
        {"CtrlAlphaBlendValue", Store(&Dialog::CtrlAlphaBlendValue, AsByte)},
        {"SkinData", LinkOrNone<TskSkinData>(&Dialog::SetSkinData)},
        {"CtrlSkinData", LinkOrNone<TskSkinData>(&Dialog::SetCtrlSkinData)},
    };
    return table;
}

} // namespace

bool TskSkinOpenDialog::SetProperty(const String& name, const TPropValue& v) {
    return OpenDialogProperties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

bool TskSkinOpenDialog::SetComponentProperty(const String& name, TComponent* value) {
    return OpenDialogProperties().SetComponent(*this, name, value) ||
           TComponent::SetComponentProperty(name, value);
}

} // namespace vd
