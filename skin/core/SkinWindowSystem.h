#pragma once
// How skin messages reach the forms: the owner's window first, then every form of the screen's
// form list. The form layer binds one messenger at start-up (it knows the form list and which
// window a form owner has); without one, skin messages go nowhere.
#include "platform/win/WinTypes.h"

#include <functional>
#include <vector>

namespace vd {

class TskSkinData;

class TskSkinWindowSystem {
public:
    virtual ~TskSkinWindowSystem() = default;

    // The window of Owner when Owner is a form, else null.
    virtual HWND FormWindowOf(const void* owner) const = 0;
    // The windows of the screen's forms, in form-list order.
    virtual std::vector<HWND> FormWindows() const = 0;
    // Synchronous: returns when the window has handled the message.
    virtual void SendSkinMessage(HWND window, unsigned msg, TskSkinData* skin, int lParam) = 0;
};

// Messages through the window system's SendMessage (wParam the skin object); the form list and
// the owner's window come from the form layer's callbacks.
class TskWinSkinMessenger : public TskSkinWindowSystem {
public:
    std::function<std::vector<HWND>()> FormList;
    std::function<HWND(const void*)> OwnerWindow;

    HWND FormWindowOf(const void* owner) const override { return OwnerWindow ? OwnerWindow(owner) : nullptr; }
    std::vector<HWND> FormWindows() const override { return FormList ? FormList() : std::vector<HWND>{}; }
    void SendSkinMessage(HWND window, unsigned msg, TskSkinData* skin, int lParam) override;
};

// The bound messenger, or null. Used on the GUI thread only.
TskSkinWindowSystem* SkinWindowSystem();
void SetSkinWindowSystem(TskSkinWindowSystem* system);

} // namespace vd
