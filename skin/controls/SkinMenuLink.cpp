#include "skin/controls/SkinMenuLink.h"

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Form.h"
#include "skin/core/SkinData.h"

namespace vd {

namespace {

TskSkinPopupMenu::TShowRoute& Route() {
    static TskSkinPopupMenu::TShowRoute route;
    return route;
}

} // namespace

TskSkinPopupMenu::TskSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {
    FPopupPoint = {-1, -1};
}

void TskSkinPopupMenu::SetShowRoute(TShowRoute Route_) {
    Route() = std::move(Route_);
}

void TskSkinPopupMenu::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
}

void TskSkinPopupMenu::SetPopupForm(TCustomForm* Value) {
    FPopupForm = Value;
}

bool TskSkinPopupMenu::Show(TControl* Opener, const TRect& R, bool Above, bool NeedsSkin) {
    // The handler may still change the items.
    if (OnPopup) OnPopup(this);
    FPopupPoint = R.TopLeft();
    if (!Route()) return false;
    return Route()(*this, Opener, R, Above, NeedsSkin);
}

void TskSkinPopupMenu::Popup(int X, int Y) {
    Show(nullptr, {X, Y, X, Y}, false, false);
}

bool TskSkinPopupMenu::PopupAtControl(TControl* Control, int X, int Y) {
    return Show(Control, {X, Y, X, Y}, false, true);
}

bool TskSkinPopupMenu::PopupFromRect(TControl* Control, const TRect& R, int Flag) {
    return Show(Control, R, Flag != 0, false);
}

bool TskSkinPopupMenu::PopupAtRect(const TRect& R, bool Above) {
    return Show(nullptr, R, Above, false);
}

bool TskSkinPopupMenu::SetProperty(const String& name, const TPropValue& value) {
    return TPopupMenu::SetProperty(name, value);
}

bool TskSkinPopupMenu::SetComponentProperty(const String& name, TComponent* value) {
    if (SameText(name, "SkinData")) return SetSkinData(dynamic_cast<TskSkinData*>(value)), true;
    return TPopupMenu::SetComponentProperty(name, value);
}

} // namespace vd
