#include "skin/extra/shell/SkinOpenDialog.h"

#include "platform/vcl/FontFaces.h"

#include "platform/vcl/PropValue.h"
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

bool TskSkinOpenDialog::SetProperty(const String& name, const TPropValue& v) {
    auto asInt = [&] { return static_cast<int>(v.AsInt()); };
    if (name == "Title")
        SetTitle(v.AsString());
    else if (name == "Filter")
        Filter = v.AsString();
    else if (name == "InitialDir")
        InitialDir = v.AsString();
    else if (name == "FileName")
        SetFileName(v.AsString());
    else if (name == "FilterIndex")
        FilterIndex = asInt();
    else if (name == "DefaultExt")
        DefaultExt = v.AsString();
    else if (name == "CheckFileExists")
        CheckFileExists = v.AsBool();
    else if (name == "MultiSelection")
        MultiSelection = v.AsBool();
    else if (name == "LVHeaderSkinDataName")
        LVHeaderSkinDataName = v.AsString();
    else if (name == "DialogWidth")
        DialogWidth = asInt();
    else if (name == "DialogHeight")
        DialogHeight = asInt();
    else if (name == "DialogMinWidth")
        DialogMinWidth = asInt();
    else if (name == "DialogMinHeight")
        DialogMinHeight = asInt();
    else if (name == "AlphaBlend")
        AlphaBlend = v.AsBool();
    else if (name == "AlphaBlendAnimation")
        AlphaBlendAnimation = v.AsBool();
    else if (name == "AlphaBlendValue")
        AlphaBlendValue = static_cast<Byte>(asInt());
    else if (name == "CtrlAlphaBlend")
        CtrlAlphaBlend = v.AsBool();
    else if (name == "CtrlAlphaBlendAnimation")
        CtrlAlphaBlendAnimation = v.AsBool();
    else if (name == "CtrlAlphaBlendValue")
        CtrlAlphaBlendValue = static_cast<Byte>(asInt());
    else
        return TComponent::SetProperty(name, v);
    return true;
}

bool TskSkinOpenDialog::SetComponentProperty(const String& name, TComponent* value) {
    if (name != "SkinData" && name != "CtrlSkinData") return TComponent::SetComponentProperty(name, value);
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (value && !skin) return false;
    if (name == "SkinData")
        SetSkinData(skin);
    else
        SetCtrlSkinData(skin);
    return true;
}

} // namespace vd
