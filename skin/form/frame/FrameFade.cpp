#include "skin/form/frame/FrameFade.h"

#include "platform/vcl/Form.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/frame/SkinForm.h"

#include <algorithm>

namespace vd {

namespace {

constexpr std::uintptr_t kFadeStartTimer = 1;
constexpr std::uintptr_t kFadeStepTimer = 2;
// The fade raises the alpha by this much each time more than 5 ms passed.
constexpr int kFadeStep = 10;
constexpr UINT kFadeStepMs = 6;

void SetLayered(HWND h, bool On) {
    const LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
    SetWindowLong(h, GWL_EXSTYLE, On ? ex | LONG_PTR(WS_EX_LAYERED) : ex & ~LONG_PTR(WS_EX_LAYERED));
}

} // namespace

void TskFrameFade::SetAlphaBlend(bool Value) {
    if (Value == FAlphaBlend) return;
    FAlphaBlend = Value;
    TCustomForm* form = FFrame.Form();
    if ((FFrame.ComponentState() & (csLoading | csDesigning)) || !IsLayeredWindowOS() ||
        !form->HandleAllocated())
        return;
    HWND h = form->WindowHandle();
    SetLayered(h, Value);
    if (Value) SetWindowAlpha(h, FAlphaBlendValue);
}

void TskFrameFade::SetAlphaBlendValue(Byte Value) {
    if (Value == FAlphaBlendValue) return;
    FAlphaBlendValue = Value;
    TCustomForm* form = FFrame.Form();
    if (FAlphaBlend && IsLayeredWindowOS() && form->HandleAllocated() &&
        !(FFrame.ComponentState() & (csLoading | csDesigning)))
        SetWindowAlpha(form->WindowHandle(), Value);
}

void TskFrameFade::Start() {
    TCustomForm* form = FFrame.Form();
    if (!(FAlphaBlend || FFrame.AlphaBlendAnimation) || !IsLayeredWindowOS() || !form->HandleAllocated())
        return;
    HWND h = form->WindowHandle();
    SetLayered(h, true);
    SetWindowAlpha(h, 0);
    SetTimer(h, kFadeStartTimer, 1);
}

void TskFrameFade::Hidden() {
    TCustomForm* form = FFrame.Form();
    if (FAlphaBlend && form->HandleAllocated()) SetLayered(form->WindowHandle(), false);
}

// The fade runs from a timer, a step of 10 each time more than 5 ms passed, so the program
// keeps handling its messages while the window fades in.
void TskFrameFade::Timer(WPARAM Id) {
    HWND h = FFrame.Form()->WindowHandle();
    if (Id == kFadeStartTimer) {
        KillTimer(h, kFadeStartTimer);
        FTarget = FAlphaBlend ? FAlphaBlendValue : 255;
        if (FFrame.AlphaBlendAnimation) {
            FAlpha = 0;
            Step();
            if (FAlpha < FTarget) SetTimer(h, kFadeStepTimer, kFadeStepMs);
            return;
        }
        if (FTarget != 255) SetWindowAlpha(h, FTarget);
        if (FTarget == 255) SetLayered(h, false);
        return;
    }
    Step();
    if (FAlpha >= FTarget) KillTimer(h, kFadeStepTimer);
}

void TskFrameFade::Step() {
    HWND h = FFrame.Form()->WindowHandle();
    FAlpha = std::min(FTarget, FAlpha + kFadeStep);
    SetWindowAlpha(h, FAlpha);
    if (FAlpha >= FTarget && FTarget == 255) SetLayered(h, false);
}

} // namespace vd
