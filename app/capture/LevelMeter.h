#pragma once
// The level meter (LedMetter): dB conversion, colour blending, the segment colour rules and the
// geometry of the scale and the two bars. The main window paints the rectangles and labels
// these functions return; a segment is returned only when its colour changed since it was
// last painted, which keeps the 30 ms tick cheap.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <vector>

namespace vd {

using TMeterColor = std::uint32_t; // 0x00BBGGRR, as the canvas takes colours

constexpr TMeterColor mcBlack = 0x000000, mcLime = 0x00FF00, mcGreen = 0x008000, mcYellow = 0x00FFFF,
                      mcOlive = 0x008080, mcRed = 0x0000FF, mcMaroon = 0x000080, mcWhite = 0xFFFFFF;

// 0 gives -90 dB; 1..32767 give 20 log10(peak / 32768); 32768 and above give 0.
double Get_Level(int peak);
// Each of red, green and blue: trunc((to - from) / steps * position + from); steps <= 0 gives from.
TMeterColor BlendColor(TMeterColor from, TMeterColor to, int position, int steps);
// The colour of the segment for whole dB v (-range..0) at `level` (already raised by 0.3 dB).
TMeterColor MeterSegmentColor(int v, double level);

struct TMeterRect {
    TRect Rect; // right and bottom exclusive
    TMeterColor Color;
};
struct TMeterLabel {
    int X, Y;
    String Text;
    TMeterColor Color;
};
struct TMeterPaint {
    bool ClearBlack = false; // fill the whole image black first
    std::vector<TMeterLabel> Labels;
    std::vector<TMeterRect> Rects;
};

// One meter's state: its range and the colour last painted for each segment (0 = not yet).
class TLevelMeter {
public:
    static constexpr int Ranges[3] = {24, 41, 60};
    static constexpr int MaxSegments = 93;

    int Range() const { return Ranges[FRangeIndex]; }
    int RangeIndex() const { return FRangeIndex; }
    // LedClick: the next range (24, 41, 60, then 24 again); the caller redraws the scale.
    void NextRange() { FRangeIndex = (FRangeIndex + 1) % 3; }

    // DrawMeterScale: forget the painted colours, black, the dB labels, every segment unlit.
    TMeterPaint DrawMeterScale(int width, int height);
    // DrawMeterBars: the segments of both bars whose colour changed (levels in dB).
    TMeterPaint DrawMeterBars(int width, int height, double left, double right);

private:
    void AddBar(TMeterPaint& paint, int bar, int width, int top, int bottom, double level);

    int FRangeIndex = 0;
    TMeterColor FCache[2][MaxSegments] = {};
};

} // namespace vd
