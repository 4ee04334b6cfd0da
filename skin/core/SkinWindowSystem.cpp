#include "skin/core/SkinWindowSystem.h"

#include "platform/vcl/Forms.h"
#include "platform/win/Windows.h"

namespace vd {

namespace {
TskSkinWindowSystem* gWindowSystem = nullptr;
}

HWND TskFormWindowMessenger::FormWindowOf(const TComponent* owner) const {
    // The form's window is made on first use, as sending to a form's handle does.
    auto* form = dynamic_cast<TCustomForm*>(const_cast<TComponent*>(owner));
    return form && !(form->ComponentState() & csDestroying) ? form->Handle() : nullptr;
}

std::vector<HWND> TskFormWindowMessenger::FormWindows() const {
    std::vector<HWND> forms;
    if (!Screen) return forms;
    // A form on its way out gets no message: asking for its handle would make a new window.
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (TCustomForm* form = Screen->Forms(i); !(form->ComponentState() & csDestroying))
            forms.push_back(form->Handle());
    return forms;
}

void TskFormWindowMessenger::SendSkinMessage(HWND window, unsigned msg, TskSkinData* skin, int lParam) {
    SendMessage(window, msg, reinterpret_cast<WPARAM>(skin), lParam);
}

TskFormWindowMessenger& FormWindowMessenger() {
    static TskFormWindowMessenger messenger;
    return messenger;
}

TskSkinWindowSystem* SkinWindowSystem() {
    return gWindowSystem;
}
void SetSkinWindowSystem(TskSkinWindowSystem* system) {
    gWindowSystem = system;
}

} // namespace vd
