#pragma once
// The level meter's picture: paints what TLevelMeter returns into the main window's image Led.
#include "app/capture/LevelMeter.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/Forward.h"

namespace vd {

class TMeterView {
public:
    explicit TMeterView(TImage* led) : FLed(led) {}

    TImage* Led() const { return FLed; }
    // The picture's size; until the first Resize an empty picture takes the image's size.
    TSize Size();
    // PanLedResize: the picture gets the new size (the caller draws the scale again).
    void Resize(int width, int height);
    // Fills, labels and segments; only the part that changed is repainted on screen.
    void Paint(const TMeterPaint& paint);

private:
    void InvalidatePart(const TRect& part);

    TImage* FLed;
    bool FSized = false; // set by Resize: an empty picture then stays empty
};

} // namespace vd
