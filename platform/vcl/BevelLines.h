#pragma once
// The strokes of a bevel, shared by the plain and the skinned bevel.
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ExtCtrls.h"

namespace vd {

// From (x1, y1) up to, not including, (x2, y2).
void DrawBevelStroke(TCanvas& c, TColor color, int x1, int y1, int x2, int y2);
// A line shape of a w x h bevel: two lines side by side, first above or left of second. The
// other shapes draw nothing here.
void DrawBevelLines(TCanvas& c, TBevelShape shape, int w, int h, TColor first, TColor second);

} // namespace vd
