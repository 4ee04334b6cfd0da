#pragma once
// Text fitting, frames and the platform questions of the skin core, answered by the bound
// window system (see SkinWindowSystem.h).
#include "platform/rtl/String.h"
#include "skin/core/SkinTypes.h"
#include "skin/core/SkinWindowSystem.h"

#include <functional>

namespace vd {

class TskBitmap;

using TskTextMeasure = std::function<int(const String&)>;

// Cuts Text from its end until Text + "..." fits MaxWidth (or Text is empty), then appends "...".
// A text that already fits is left alone.
void FitTextToWidth(const TskTextMeasure& measure, String& text, int maxWidth);

// A one-pixel frame inside R (right and bottom moved in by one): left and top in the first
// colour, right and bottom in the second.
void DrawFrame3D(TskBitmap& canvas, TRect r, TskColor topLeft, TskColor bottomRight);

// Layered (alpha) windows work where a compositor runs.
bool IsLayeredWindowOS();
// Drop shadows and the other newer looks are always available here.
bool IsWindowsXPVersion();
void SetWindowAlpha(TskWindowHandle window, int alpha);
bool IsMultiMonitor();
void DesktopWorkArea(bool workArea, TRect& r);
// The monitor nearest Window; R is left as it was when the monitor cannot be asked.
void WindowWorkArea(TskWindowHandle window, bool workArea, TRect& r);

} // namespace vd
