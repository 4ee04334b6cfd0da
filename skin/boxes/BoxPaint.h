#pragma once
// Drawing shared by the edits, lists, combo boxes and tab controls: the plain small button, the
// free-size button composed from a button record, tiling a skin piece over an area (nothing for
// an empty piece, so an empty client piece never divides by zero) and the skin's pictures.
#include "platform/rtl/Types.h"
#include "platform/vcl/Graphics.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

#include <initializer_list>

namespace vd {

// The plain look of a small button: pressed and hot, hot, or normal (FrameNormal: a clBtnShadow
// frame round the normal face).
void DrawPlainSmallButton(TCanvas& canvas, const TRect& r, bool pressed, bool hot, bool frameNormal);

// The first button record of Names the skin has (with a picture), or null.
const TskDataSkinButtonControl* FindButtonRecord(const TskSkinData* skin,
                                                 std::initializer_list<const char*> names);

// A button record's state face composed to R's size at R's top-left; then an arrow glyph
// (direction 1..4, 0 none) in the state's font colour, its box moved 2 pixels right and down
// while pressed. Returns false when there is no such record (nothing drawn).
bool DrawSkinResizeButton(TCanvas& canvas, const TskSkinData* skin, std::initializer_list<const char*> names,
                          const TRect& r, bool pressed, bool hot, int arrow);

// Piece of Picture tiled over Area from Area's top-left, clipped to Area. Returns false (and
// draws nothing) for an empty piece or area.
bool TileSkinPiece(TCanvas& canvas, const TRect& area, const TskBitmap& picture, const TRect& piece);
// The same with the tiles laid from Origin rather than from the area's corner.
bool TileSkinPiece(TCanvas& canvas, const TRect& area, const TskBitmap& picture, const TRect& piece,
                   TPoint origin);

// A rectangle moved by (DX, DY).
inline TRect MoveRect(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
inline bool InRect(const TRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// The canvas's context with its font and font colour selected and a clear background, for the
// text calls that take a context.
HDC TextDC(TCanvas& canvas);

// A skin colour (COLORREF or system colour) as a class-library colour.
TColor SkinColorToColor(TskColor c);

} // namespace vd
