#include "app/ui/FormEvents.h"

#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "platform/vcl/Timer.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/controls/SkinPanel.h"
#include "skin/form/frame/SkinTrayIcon.h"

namespace vd {

namespace {

template <class T, class E> bool SetOn(TComponent* c, E T::*field, E& handler) {
    auto* target = dynamic_cast<T*>(c);
    if (!target) return false;
    target->*field = std::move(handler);
    return true;
}

// The handler goes to the component's event only when the resource names that very event.
template <class T, class E>
bool SetNamed(TComponent* c, const String& event, const char* name, E T::*field, const E& handler) {
    if (event != name) return false;
    E copy = handler;
    return SetOn<T>(c, field, copy);
}

template <class E> const E* Find(const std::map<String, E>& handlers, const String& name) {
    auto it = handlers.find(name);
    return it == handlers.end() ? nullptr : &it->second;
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
    if (event == "OnShow") return SetOn<TCustomForm>(c, &TCustomForm::OnShow, h);
    if (event == "OnClick")
        return SetOn<TControl>(c, &TControl::OnClick, h) || SetOn<TMenuItem>(c, &TMenuItem::OnClick, h);
    if (event == "OnDblClick")
        return SetOn<TControl>(c, &TControl::OnDblClick, h) ||
               SetOn<TskTrayIcon>(c, &TskTrayIcon::OnDblClick, h);
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

TFormEvents& TFormEvents::ConstrainedResize(const String& handler, TConstrainedResizeEvent event) {
    FConstrainedResize[handler] = std::move(event);
    return *this;
}

TFormEvents& TFormEvents::SplitterCanResize(const String& handler, TSplitterCanResizeEvent event) {
    FSplitterCanResize[handler] = std::move(event);
    return *this;
}

bool TFormEvents::Bind(TComponent* c, const String& event, const String& handler) const {
    if (const auto* h = Find(FNotify, handler)) return AssignNotifyEvent(c, event, *h);
    if (const auto* h = Find(FClose, handler))
        return SetNamed(c, event, "OnClose", &TCustomForm::OnClose, *h);
    if (const auto* h = Find(FConstrainedResize, handler))
        return SetNamed(c, event, "OnConstrainedResize", &TControl::OnConstrainedResize, *h);
    if (const auto* h = Find(FSplitterCanResize, handler))
        return SetNamed(c, event, "OnCanResize", &TSplitter::OnCanResize, *h);
    return false;
}

TFormReader::EventBinder TFormEvents::Binder() const {
    return
        [this](TComponent* c, const String& event, const String& handler) { return Bind(c, event, handler); };
}

} // namespace vd
