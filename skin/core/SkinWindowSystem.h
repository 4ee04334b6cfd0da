#pragma once
// What the skin core needs of the window system: the form list for skin messages, window alpha,
// the compositor test and monitors. The window system binds one at start-up; without one, skin
// messages go nowhere and the helpers answer for a single plain screen.
#include "platform/rtl/Types.h"

#include <cstdint>
#include <vector>

namespace vd {

class TskSkinData;

using TskWindowHandle = std::uintptr_t;

class TskSkinWindowSystem {
public:
    virtual ~TskSkinWindowSystem() = default;

    // The window of Owner when Owner is a form, else 0.
    virtual TskWindowHandle FormWindowOf(const void* owner) const = 0;
    // The windows of the screen's forms, in form-list order.
    virtual std::vector<TskWindowHandle> FormWindows() const = 0;
    // Synchronous: returns when the window has handled the message.
    virtual void SendSkinMessage(TskWindowHandle window, unsigned msg, TskSkinData* skin, int lParam) = 0;

    virtual bool CompositorRunning() const { return false; }
    virtual void SetWindowAlpha(TskWindowHandle, Byte) {}
    virtual int MonitorCount() const { return 1; }
    // The monitor nearest Window: its work area or its whole rectangle; false when unknown.
    virtual bool MonitorRectOf(TskWindowHandle, bool /*workArea*/, TRect&) const { return false; }
    virtual TRect DesktopRect(bool /*workArea*/) const { return {0, 0, 1024, 768}; }
};

// The bound window system, or null. Used on the GUI thread only.
TskSkinWindowSystem* SkinWindowSystem();
void SetSkinWindowSystem(TskSkinWindowSystem* system);

} // namespace vd
