// Form resources: the dialog components and their skin references.
#include "skin/extra/dialogs/SkinDialogClasses.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/core/SkinData.h"
#include "skin/extra/dialogs/SkinFramedDialog.h"
#include "skin/extra/dialogs/SkinInputDialog.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"

namespace vd {

// "SkinData" skins the dialog's window, "CtrlSkinData" its controls.
bool TskSkinDialogComponent::SetComponentProperty(const String& name, TComponent* value) {
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (skin && name == "SkinData")
        SetSkinData(skin);
    else if (skin && name == "CtrlSkinData")
        SetCtrlSkinData(skin);
    else
        return TComponent::SetComponentProperty(name, value);
    return true;
}

namespace {

using Progress = TskSkinProgressDialog;
const TPropertyTable<Progress>& ProgressProperties() {
    using namespace props;
    static const TPropertyTable<Progress> table{
        {"ShowType",
         [](Progress& d, const TPropValue& v) {
             if (SameText(v.AsIdent(), "stStayOnTop"))
                 d.ShowType = stStayOnTop;
             else if (SameText(v.AsIdent(), "stModal"))
                 d.ShowType = stModal;
             else
                 throw EReadError("Invalid property value " + v.Str);
         }},
        {"ShowCancelButton", Store(&Progress::ShowCancelButton, AsBool)},
        {"ShowCloseButton", Store(&Progress::ShowCloseButton, AsBool)},
        {"ShowPercent", Store(&Progress::ShowPercent, AsBool)},
        {"Caption", Store(&Progress::Caption, AsText)},
        {"LabelCaption", Store(&Progress::LabelCaption, AsText)},
        {"MinValue", Store(&Progress::MinValue, AsInt)},
        {"MaxValue", Store(&Progress::MaxValue, AsInt)},
    };
    return table;
}

} // namespace

bool TskSkinProgressDialog::SetProperty(const String& name, const TPropValue& v) {
    return ProgressProperties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

void RegisterSkinDialogClasses() {
    TFormReader::RegisterClass("TskSkinMessage", [](TComponent* o) { return new TskSkinMessage(o); });
    TFormReader::RegisterClass("TskSkinProgressDialog",
                               [](TComponent* o) { return new TskSkinProgressDialog(o); });
    TFormReader::RegisterClass("TskSkinInputDialog", [](TComponent* o) { return new TskSkinInputDialog(o); });
}

} // namespace vd
