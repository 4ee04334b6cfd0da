#pragma once
// How skin messages reach the forms: the owner's window first, then every form of the screen's
// form list. Without a bound messenger the class library's forms receive them
// (FormWindowMessenger); tests bind a recorder.
#include "platform/vcl/Forward.h"
#include "platform/win/WinTypes.h"
#include "skin/core/Forward.h"

#include <vector>

namespace vd {

class TskSkinWindowSystem {
public:
    virtual ~TskSkinWindowSystem() = default;

    // The window of Owner when Owner is a form, else null.
    virtual HWND FormWindowOf(const TComponent* owner) const = 0;
    // The windows of the screen's forms, in form-list order.
    virtual std::vector<HWND> FormWindows() const = 0;
    // Synchronous: returns when the window has handled the message.
    virtual void SendSkinMessage(HWND window, unsigned msg, TskSkinData* skin, int lParam) = 0;
};

// Messages through the window system's SendMessage (wParam the skin object) to the windows of
// the class library's forms: an owner that is a form, then Screen's forms in list order.
class TskFormWindowMessenger : public TskSkinWindowSystem {
public:
    HWND FormWindowOf(const TComponent* owner) const override;
    std::vector<HWND> FormWindows() const override;
    void SendSkinMessage(HWND window, unsigned msg, TskSkinData* skin, int lParam) override;
};

TskFormWindowMessenger& FormWindowMessenger();

// The bound messenger, or null. Used on the GUI thread only.
TskSkinWindowSystem* SkinWindowSystem();
void SetSkinWindowSystem(TskSkinWindowSystem* system);

} // namespace vd
