#pragma once
// Small drawing helpers the skinned controls share: skin pictures onto canvases, plain frames and
// fills, and the fonts of skinned captions.
#include "platform/rtl/String.h"
#include "platform/vcl/Graphics.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

namespace vd {

// The plain looks' pressed and hot fills.
inline constexpr TColor clskPressedFill = 0xB59385;
inline constexpr TColor clskHotFill = 0xD2BDB6;
inline constexpr TColor clskNavy = 0x800000;

// The whole picture at (X, Y) of the canvas.
void DrawSkin(TCanvas& canvas, int x, int y, const TskBitmap& picture);
// Src of the picture, at its own size, at (X, Y); Transparent leaves out the Key colour, or the
// piece's bottom-left colour when AutoKey is set.
void DrawSkinPiece(TCanvas& canvas, int x, int y, const TskBitmap& picture, const TRect& src,
                   bool transparent = false, TskColor key = 0, bool autoKey = false);
// Src of the picture scaled into Dst.
void StretchSkinPiece(TCanvas& canvas, const TRect& dst, const TskBitmap& picture, const TRect& src);
// A copy of Src of the picture (empty for an empty rectangle).
TskBitmap CutSkin(const TskBitmap& picture, const TRect& src);

void FillColor(TCanvas& canvas, const TRect& r, TColor color);
void FrameColor(TCanvas& canvas, const TRect& r, TColor color);
// One-pixel frame in Frame, the inside filled with Fill.
void FrameAndFill(TCanvas& canvas, const TRect& r, TColor frame, TColor fill);
void DrawFrame3D(TCanvas& canvas, TRect r, TColor topLeft, TColor bottomRight);

// The font of a skinned caption from a record's values.
void SetSkinFont(TFont& font, const String& name, int height, TskFontStyles style, TColor color);
// The character set of skinned captions: the skin's string table's, else the default font's.
Byte SkinCharSet(const TskSkinData* skin, const TFont& defaultFont);
// True when the skin object is there and holds a skin.
bool SkinUsable(const TskSkinData* skin);

} // namespace vd
