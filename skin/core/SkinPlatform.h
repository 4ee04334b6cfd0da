#pragma once
// Text fitting, frames, window alpha and work areas for skinned windows. Whether layered
// windows work at all is the window system's IsLayeredWindowOS (platform/win/Windows.h).
#include "platform/rtl/String.h"
#include "platform/win/WinTypes.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

#include <functional>

namespace vd {

using TskTextMeasure = std::function<int(const String&)>;

// Cuts Text from its end, a whole UTF-8 character at a time, until Text + "..." fits MaxWidth
// (or Text is empty), then appends "...". A text that already fits is left alone.
void FitTextToWidth(const TskTextMeasure& measure, String& text, int maxWidth);

// A one-pixel frame inside R (right and bottom moved in by one): left and top in the first
// colour, right and bottom in the second.
void DrawFrame3D(TskBitmap& canvas, TRect r, TskColor topLeft, TskColor bottomRight);

// Drop shadows and the other newer looks are always available here.
bool IsWindowsXPVersion();
// The constant alpha of a window that already has the layered style.
void SetWindowAlpha(HWND window, int alpha);
void DesktopWorkArea(bool workArea, TRect& r);
// The monitor nearest Window: its work area or its whole rectangle. With one monitor that is
// the desktop; R is left as it was when the monitor cannot be asked.
void WindowWorkArea(HWND window, bool workArea, TRect& r);

} // namespace vd
