#pragma once
// Binds the event properties of a form resource to a window's handlers by handler name.
#include "platform/rtl/Exception.h"
#include "platform/rtl/String.h"
#include "platform/vcl/Component.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/FormReader.h"

#include <functional>
#include <map>

namespace vd {

// Sets the notify event Event ("OnClick", "OnChange", ...) of a component of the console's
// windows; false when the component has no such event.
bool AssignNotifyEvent(TComponent* Component, const String& Event, TNotifyEvent Handler);

using TSplitterCanResizeEvent = decltype(TSplitter::OnCanResize);

// A window's handlers by name, one map per event signature. Register them, then hand Binder()
// to the form reader: a handler name the window lacks, or one bound to an event of another
// signature, is an error the reader reports.
class TFormEvents {
public:
    TFormEvents& Notify(const String& Handler, TNotifyEvent Event);
    template <class W> TFormEvents& Notify(const String& Handler, W* Window, void (W::*Method)(TObject*)) {
        return Notify(Handler, std::bind_front(Method, Window));
    }
    TFormEvents& Close(const String& Handler, TCloseEvent Event);
    TFormEvents& ConstrainedResize(const String& Handler, TConstrainedResizeEvent Event);
    TFormEvents& SplitterCanResize(const String& Handler, TSplitterCanResizeEvent Event);
    // For TFormReader: false for a handler name the window does not have.
    bool Bind(TComponent* Component, const String& Event, const String& Handler) const;
    // Bind as the reader's binder; valid while this object lives.
    TFormReader::EventBinder Binder() const;

private:
    std::map<String, TNotifyEvent> FNotify;
    std::map<String, TCloseEvent> FClose;
    std::map<String, TConstrainedResizeEvent> FConstrainedResize;
    std::map<String, TSplitterCanResizeEvent> FSplitterCanResize;
};

// A component the window's form resource must hold: EReadError when it is missing or of another
// class, so a broken resource stops the window at once instead of leaving a null member.
template <class T> T* FormComponent(TComponent* Form, const String& Name) {
    auto* component = dynamic_cast<T*>(Form->FindComponent(Name));
    if (!component) throw EReadError(Form->Name() + ": " + Name + " is missing from the form resource");
    return component;
}

} // namespace vd
