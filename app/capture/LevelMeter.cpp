#include "app/capture/LevelMeter.h"

#include <cmath>

namespace vd {

double Get_Level(int peak) {
    if (peak <= 0) return -90.0;
    if (peak >= 32768) return 0.0;
    return 20.0 * std::log10(peak / 32768.0);
}

TMeterColor BlendColor(TMeterColor from, TMeterColor to, int position, int steps) {
    if (steps <= 0) return from;
    TMeterColor out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double f = (from >> shift) & 0xFF, t = (to >> shift) & 0xFF;
        const auto c = static_cast<int>(std::trunc((t - f) / steps * position + f));
        out |= static_cast<TMeterColor>(c & 0xFF) << shift;
    }
    return out;
}

TMeterColor MeterSegmentColor(int v, double level) {
    const bool lit = v <= level;
    if (v <= -15) return lit ? mcLime : mcGreen;
    if (v <= -8)
        return lit ? BlendColor(mcLime, mcYellow, v + 15, 7) : BlendColor(mcGreen, mcOlive, v + 15, 7);
    if (v <= -6) return lit ? mcYellow : mcOlive;
    if (v <= -1) return lit ? BlendColor(mcYellow, mcRed, v + 5, 4) : BlendColor(mcOlive, mcMaroon, v + 5, 4);
    if (!lit) return mcMaroon;
    return level <= 0.29 ? mcRed : mcWhite; // clipping shows white
}

TMeterPaint TLevelMeter::DrawMeterScale(int width, int height) {
    for (auto& bar : FCache)
        for (auto& c : bar)
            c = 0;
    TMeterPaint paint;
    paint.ClearBlack = true;
    const int r = Range();
    const double px = static_cast<double>(width) / (r + 1);
    const int y = height / 2 - 7;
    const auto at = [&](int db) { return static_cast<int>(std::trunc((r - db) * px)); };
    paint.Labels.push_back({0, y, std::to_string(-r), mcLime});
    if (r > 50) paint.Labels.push_back({at(41), y, "-41", mcLime});
    paint.Labels.push_back({at(20), y, "-20", mcLime});
    paint.Labels.push_back({at(12), y, "-12", mcLime});
    paint.Labels.push_back({at(2), y, "-3", mcRed}); // drawn at the -2 dB mark
    TMeterPaint bars = DrawMeterBars(width, height, -90.3, -90.3);
    paint.Rects = std::move(bars.Rects);
    return paint;
}

TMeterPaint TLevelMeter::DrawMeterBars(int width, int height, double left, double right) {
    TMeterPaint paint;
    const int h = height / 2 - 7;
    AddBar(paint, 0, width, 1, 1 + h, left + 0.3);
    AddBar(paint, 1, width, h + 12, 2 * h + 12, right + 0.3);
    return paint;
}

void TLevelMeter::AddBar(TMeterPaint& paint, int bar, int width, int top, int bottom, double level) {
    const int r = Range();
    const double px = static_cast<double>(width) / (r + 1);
    for (int v = -r; v <= 0; ++v) {
        const TMeterColor color = MeterSegmentColor(v, level);
        TMeterColor& cached = FCache[bar][-v];
        if (color == cached) continue;
        cached = color;
        const int x1 = static_cast<int>(std::trunc((r + v) * px)) + 1;
        const int x2 = static_cast<int>(std::trunc((r + v + 1) * px));
        paint.Rects.push_back({TRect{x1, top, x2, bottom}, color});
    }
}

} // namespace vd
