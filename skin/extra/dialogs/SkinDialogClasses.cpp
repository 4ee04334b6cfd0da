// Form resources: the dialog components and their skin references.
#include "skin/extra/dialogs/SkinDialogClasses.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "skin/core/SkinData.h"
#include "skin/extra/dialogs/SkinInputDialog.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"

namespace vd {

namespace {

// "SkinData" skins the dialog's window, "CtrlSkinData" its controls.
template <typename T> bool SetSkinReference(T& dialog, const String& name, TComponent* value) {
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (!skin) return false;
    if (name == "SkinData")
        dialog.SetSkinData(skin);
    else if (name == "CtrlSkinData")
        dialog.SetCtrlSkinData(skin);
    else
        return false;
    return true;
}

} // namespace

bool TskSkinMessage::SetComponentProperty(const String& name, TComponent* value) {
    return SetSkinReference(*this, name, value) || TComponent::SetComponentProperty(name, value);
}

bool TskSkinProgressDialog::SetProperty(const String& name, const TPropValue& v) {
    if (name == "ShowType") {
        if (SameText(v.AsIdent(), "stStayOnTop"))
            ShowType = stStayOnTop;
        else if (SameText(v.AsIdent(), "stModal"))
            ShowType = stModal;
        else
            throw EReadError("Invalid property value " + v.Str);
    } else if (name == "ShowCancelButton") {
        ShowCancelButton = v.AsBool();
    } else if (name == "ShowCloseButton") {
        ShowCloseButton = v.AsBool();
    } else if (name == "ShowPercent") {
        ShowPercent = v.AsBool();
    } else if (name == "Caption") {
        Caption = v.AsString();
    } else if (name == "LabelCaption") {
        LabelCaption = v.AsString();
    } else if (name == "MinValue") {
        MinValue = static_cast<int>(v.AsInt());
    } else if (name == "MaxValue") {
        MaxValue = static_cast<int>(v.AsInt());
    } else {
        return TComponent::SetProperty(name, v);
    }
    return true;
}

bool TskSkinProgressDialog::SetComponentProperty(const String& name, TComponent* value) {
    return SetSkinReference(*this, name, value) || TComponent::SetComponentProperty(name, value);
}

bool TskSkinInputDialog::SetComponentProperty(const String& name, TComponent* value) {
    return SetSkinReference(*this, name, value) || TComponent::SetComponentProperty(name, value);
}

void RegisterSkinDialogClasses() {
    TFormReader::RegisterClass("TskSkinMessage", [](TComponent* o) { return new TskSkinMessage(o); });
    TFormReader::RegisterClass("TskSkinProgressDialog",
                               [](TComponent* o) { return new TskSkinProgressDialog(o); });
    TFormReader::RegisterClass("TskSkinInputDialog", [](TComponent* o) { return new TskSkinInputDialog(o); });
}

} // namespace vd
