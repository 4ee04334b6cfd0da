#pragma once
// TskFrameFade: the window's translucency and its fade-in when shown. Layered only while it
// must be: a fade that ends fully opaque gives the window its plain style back.
#include "platform/rtl/Types.h"
#include "platform/win/Messages.h"

namespace vd {

class TskSkinForm;

class TskFrameFade {
public:
    explicit TskFrameFade(TskSkinForm& Frame) : FFrame(Frame) {}
    TskFrameFade(const TskFrameFade&) = delete;
    TskFrameFade& operator=(const TskFrameFade&) = delete;

    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value);
    // Translucent at rest: a size change redraws the whole frame.
    bool Translucent() const { return FAlphaBlend && FAlphaBlendValue != 255; }

    void Start();
    // The timers 1 (start) and 2 (step) of the form's window.
    void Timer(WPARAM Id);
    void Hidden();

private:
    void Step();

    TskSkinForm& FFrame;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 200;
    int FAlpha = 0;
    int FTarget = 255;
};

} // namespace vd
