#pragma once
// Binds the event properties of a form resource to a window's handlers by handler name.
#include "platform/rtl/Exception.h"
#include "platform/rtl/String.h"
#include "platform/vcl/Component.h"
#include "platform/vcl/Form.h"

#include <map>

namespace vd {

// Sets the notify event Event ("OnClick", "OnChange", ...) of a component of the console's
// windows; false when the component has no such event.
bool AssignNotifyEvent(TComponent* Component, const String& Event, TNotifyEvent Handler);

class TFormEvents {
public:
    TFormEvents& Notify(const String& Handler, TNotifyEvent Event);
    TFormEvents& Close(const String& Handler, TCloseEvent Event);
    // For TFormReader: false for a handler name the window does not have.
    bool Bind(TComponent* Component, const String& Event, const String& Handler) const;

private:
    std::map<String, TNotifyEvent> FNotify;
    std::map<String, TCloseEvent> FClose;
};

// A component the window's form resource must hold: EReadError when it is missing or of another
// class, so a broken resource stops the window at once instead of leaving a null member.
template <class T> T* FormComponent(TComponent* Form, const String& Name) {
    auto* component = dynamic_cast<T*>(Form->FindComponent(Name));
    if (!component) throw EReadError(Form->Name() + ": " + Name + " is missing from the form resource");
    return component;
}

} // namespace vd
