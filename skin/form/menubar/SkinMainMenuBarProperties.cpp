// Form resources: the menu bar's published properties by name.
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/core/SkinData.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/menubar/SkinMainMenuBar.h"

namespace vd {

const TPropertyTable<TskSkinMainMenuBar>& TskSkinMainMenuBar::Properties() {
    using namespace props;
    using C = TskSkinMainMenuBar;
    constexpr auto FromInt = &TPropValue::FromInt;
    constexpr auto FromBool = &TPropValue::FromBool;
    static const TPropertyTable<C> table{
        TNameMatch::IgnoreCase,
        {
            {"ScrollMenu", Store(&C::ScrollMenu, AsBool), Unless(&C::ScrollMenu, true, FromBool)},
            {"UseSkinFont", Store(&C::UseSkinFont, AsBool), Unless(&C::UseSkinFont, true, FromBool)},
            {"PopupToUp", Store(&C::PopupToUp, AsBool), Unless(&C::PopupToUp, false, FromBool)},
            {"DefaultWidth", Call(&C::SetDefaultWidth, AsInt), Unless(&C::FDefaultWidth, 0, FromInt)},
            {"DefaultHeight", Call(&C::SetDefaultHeight, AsInt), Unless(&C::FDefaultHeight, 22, FromInt)},
            {"SkinDataName", Call(&C::SetSkinDataName, AsText),
             Unless(&C::FSkinDataName, String("mainmenubar"), &TPropValue::FromString)},
            {"DefItemFont.Name", [](C& c, const TPropValue& v) { c.FDefItemFont.SetName(v.AsString()); }},
            {"DefItemFont.Height", [](C& c, const TPropValue& v) { c.FDefItemFont.SetHeight(AsInt(v)); }},
            {"SkinForm", LinkAny<TskSkinForm>(&C::SetSkinForm),
             [](const C& c) { return LinkName(c.SkinForm()); }},
            {"MainMenu", LinkAny<TMainMenu>(&C::SetMainMenu),
             [](const C& c) { return LinkName(c.MainMenu()); }},
            // The base class reads it; the menu bar writes it.
            {"SkinData", Link<TskSkinData>(&C::SetSkinData),
             [](const C& c) { return LinkName(c.SkinData()); }},
        }};
    return table;
}

bool TskSkinMainMenuBar::SetProperty(const String& name, const TPropValue& value) {
    return Properties().Set(*this, name, value) || TskSkinControl::SetProperty(name, value);
}

bool TskSkinMainMenuBar::SetComponentProperty(const String& name, TComponent* value) {
    return Properties().SetComponent(*this, name, value) || TskSkinControl::SetComponentProperty(name, value);
}

void TskSkinMainMenuBar::GetProperties(TPropList& out) const {
    TskSkinControl::GetProperties(out);
    Properties().Get(*this, out);
}

void RegisterMainMenuBarClass() {
    if (!TFormReader::IsRegistered("TskSkinMainMenuBar"))
        TFormReader::RegisterClass("TskSkinMainMenuBar", [](TComponent* owner) -> TComponent* {
            return new TskSkinMainMenuBar(owner);
        });
}

} // namespace vd
