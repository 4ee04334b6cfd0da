// Form resources: the menu bar's published properties by name.
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "skin/core/SkinData.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/menubar/SkinMainMenuBar.h"

namespace vd {

bool TskSkinMainMenuBar::SetProperty(const String& name, const TPropValue& value) {
    auto is = [&](const char* n) { return SameText(name, n); };
    if (is("ScrollMenu")) return ScrollMenu = value.AsBool(), true;
    if (is("UseSkinFont")) return UseSkinFont = value.AsBool(), true;
    if (is("PopupToUp")) return PopupToUp = value.AsBool(), true;
    if (is("DefaultWidth")) return SetDefaultWidth(int(value.AsInt())), true;
    if (is("DefaultHeight")) return SetDefaultHeight(int(value.AsInt())), true;
    if (is("SkinDataName")) return SetSkinDataName(value.AsString()), true;
    if (is("DefItemFont.Name")) return FDefItemFont.SetName(value.AsString()), true;
    if (is("DefItemFont.Height")) return FDefItemFont.SetHeight(int(value.AsInt())), true;
    return TskSkinControl::SetProperty(name, value);
}

bool TskSkinMainMenuBar::SetComponentProperty(const String& name, TComponent* value) {
    auto is = [&](const char* n) { return SameText(name, n); };
    if (is("SkinForm")) return SetSkinForm(dynamic_cast<TskSkinForm*>(value)), true;
    if (is("MainMenu")) return SetMainMenu(dynamic_cast<TMainMenu*>(value)), true;
    return TskSkinControl::SetComponentProperty(name, value);
}

void TskSkinMainMenuBar::GetProperties(TPropList& out) const {
    TskSkinControl::GetProperties(out);
    if (!ScrollMenu) out.emplace_back("ScrollMenu", TPropValue::FromBool(false));
    if (!UseSkinFont) out.emplace_back("UseSkinFont", TPropValue::FromBool(false));
    if (PopupToUp) out.emplace_back("PopupToUp", TPropValue::FromBool(true));
    if (FDefaultWidth != 0) out.emplace_back("DefaultWidth", TPropValue::FromInt(FDefaultWidth));
    if (FDefaultHeight != 22) out.emplace_back("DefaultHeight", TPropValue::FromInt(FDefaultHeight));
    if (FSkinDataName != "mainmenubar")
        out.emplace_back("SkinDataName", TPropValue::FromString(FSkinDataName));
    if (FSkinForm && !FSkinForm->Name().empty())
        out.emplace_back("SkinForm", TPropValue::FromIdent(FSkinForm->Name()));
    if (FMainMenu && !FMainMenu->Name().empty())
        out.emplace_back("MainMenu", TPropValue::FromIdent(FMainMenu->Name()));
    if (FSkinData && !FSkinData->Name().empty())
        out.emplace_back("SkinData", TPropValue::FromIdent(FSkinData->Name()));
}

void RegisterMainMenuBarClass() {
    if (!TFormReader::IsRegistered("TskSkinMainMenuBar"))
        TFormReader::RegisterClass("TskSkinMainMenuBar", [](TComponent* owner) -> TComponent* {
            return new TskSkinMainMenuBar(owner);
        });
}

} // namespace vd
