#pragma once
// Painting a control's parent background under a transparent skinned control.
#include "platform/gfx/GdiTypes.h"
#include "platform/vcl/Forward.h"

#include <functional>

namespace vd {

// A parent that paints its own background (skinned tab sheets and tab controls register one):
// paints Parent's client background into DC in the parent's coordinates and returns true, or
// returns false for a parent it does not know.
using TskParentBackgroundPainter = std::function<bool(TWinControl* parent, HDC dc)>;
void AddParentBackgroundPainter(TskParentBackgroundPainter painter);

// The parent's background as seen at the control's position, into DC from (0, 0); nothing for a
// control without a parent. The parent's csPaintCopy state is set for the duration.
void PaintParentBackground(TControl* control, HDC dc);
// The same at the control's position plus R's left and top.
void PaintParentBackgroundRect(TControl* control, const TRect& r, HDC dc);

} // namespace vd
