#include "app/ui/FormEvents.h"

#include "platform/vcl/StdCtrls/Edit.h"
#include "platform/vcl/Timer.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/controls/SkinPanel.h"

namespace vd {

namespace {

template <class T> bool SetOn(TComponent* c, TNotifyEvent T::*field, TNotifyEvent& handler) {
    auto* target = dynamic_cast<T*>(c);
    if (!target) return false;
    target->*field = std::move(handler);
    return true;
}

} // namespace

bool AssignNotifyEvent(TComponent* c, const String& event, TNotifyEvent h) {
    if (event == "OnTimer") {
        auto* timer = dynamic_cast<TTimer*>(c);
        if (!timer) return false;
        timer->SetOnTimer(std::move(h));
        return true;
    }
    if (event == "OnChange")
        return SetOn<TskSkinCustomComboBox>(c, &TskSkinCustomComboBox::OnChange, h) ||
               SetOn<TCustomEdit>(c, &TCustomEdit::OnChange, h) ||
               SetOn<TskSkinSpinEdit>(c, &TskSkinSpinEdit::OnChange, h) ||
               SetOn<TskSkinPasswordEdit>(c, &TskSkinPasswordEdit::OnChange, h);
    if (event == "OnChecked") return SetOn<TskSkinPanel>(c, &TskSkinPanel::OnChecked, h);
    if (event == "OnListBoxDblClick")
        return SetOn<TskSkinCustomListBox>(c, &TskSkinCustomListBox::OnListBoxDblClick, h);
    if (event == "OnListBoxClick")
        return SetOn<TskSkinCustomListBox>(c, &TskSkinCustomListBox::OnListBoxClick, h);
    if (event == "OnCreate") return SetOn<TCustomForm>(c, &TCustomForm::OnCreate, h);
    if (event == "OnDestroy") return SetOn<TCustomForm>(c, &TCustomForm::OnDestroy, h);
    if (event == "OnClick") return SetOn<TControl>(c, &TControl::OnClick, h);
    if (event == "OnDblClick") return SetOn<TControl>(c, &TControl::OnDblClick, h);
    if (event == "OnResize") return SetOn<TControl>(c, &TControl::OnResize, h);
    return false;
}

TFormEvents& TFormEvents::Notify(const String& handler, TNotifyEvent event) {
    FNotify[handler] = std::move(event);
    return *this;
}

TFormEvents& TFormEvents::Close(const String& handler, TCloseEvent event) {
    FClose[handler] = std::move(event);
    return *this;
}

bool TFormEvents::Bind(TComponent* c, const String& event, const String& handler) const {
    if (auto it = FNotify.find(handler); it != FNotify.end()) return AssignNotifyEvent(c, event, it->second);
    if (auto it = FClose.find(handler); it != FClose.end()) {
        auto* form = dynamic_cast<TCustomForm*>(c);
        if (!form || event != "OnClose") return false;
        form->OnClose = it->second;
        return true;
    }
    return false;
}

} // namespace vd
