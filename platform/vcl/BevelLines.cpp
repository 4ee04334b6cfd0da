#include "platform/vcl/BevelLines.h"

namespace vd {

void DrawBevelStroke(TCanvas& c, TColor color, int x1, int y1, int x2, int y2) {
    c.Pen().Color = color;
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

void DrawBevelLines(TCanvas& c, TBevelShape shape, int w, int h, TColor first, TColor second) {
    auto across = [&](int y) {
        DrawBevelStroke(c, first, 0, y, w, y);
        DrawBevelStroke(c, second, 0, y + 1, w, y + 1);
    };
    auto down = [&](int x) {
        DrawBevelStroke(c, first, x, 0, x, h);
        DrawBevelStroke(c, second, x + 1, 0, x + 1, h);
    };
    switch (shape) {
    case bsTopLine:
        across(0);
        break;
    case bsBottomLine:
        across(h - 2);
        break;
    case bsLeftLine:
        down(0);
        break;
    case bsRightLine:
        down(w - 2);
        break;
    default:
        break;
    }
}

} // namespace vd
