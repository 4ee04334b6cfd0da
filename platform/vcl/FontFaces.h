#pragma once
// Font set-ups the controls share.
#include "platform/vcl/Font.h"

namespace vd {
// Arial at 14 pixels: the face every control draws with until a skin names another.
void SetDefaultFace(TFont& font, TFontStyles style = 0);
// The cell height (ascent plus descent) the drawing layer gives the font.
int FontCellHeight(TFont& font);

} // namespace vd
