#pragma once
// The faces every record is cut from: raised (buttons), sunken (fields) and flat pieces, each in
// its states, placed in the control picture.
#include "tools/skingen/Atlas.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Painter.h"

namespace vd::skingen {

enum class TState { Normal, Hot, Down, Disabled, Focused };

struct TFaceStyle {
    TskColor Border, Top, Bottom;
    bool Highlight; // a light line under the top edge: raised
};

TFaceStyle RaisedStyle(TState s);
TFaceStyle FieldStyle(TState s);
// Tool faces: flat on the bar when normal, a raised piece only when hot or pressed.
TFaceStyle ToolStyle(TState s);

// A rounded face of W x H in the picture; corners blend into the window face.
TRect PaintFace(TAtlas& atlas, int w, int h, const TFaceStyle& style, int radius);
TRect RaisedFace(TAtlas& atlas, int w, int h, TState s);
TRect FieldFace(TAtlas& atlas, int w, int h, TState s);
TRect ToolFace(TAtlas& atlas, int w, int h, TState s);
TRect FlatFace(TAtlas& atlas, int w, int h, TskColor c);

// A check box or radio box image of CheckSize on the window face (its bottom-left pixel, the
// face colour, is what the controls leave transparent).
TRect CheckImage(TAtlas& atlas, bool checked, bool radio, TState s);
// A small raised button piece with a glyph: 0 up, 1 down, 2 left, 3 right, 4 drop-down, 5 dots, 6 cross,
// 7 check mark.
TRect GlyphButton(TAtlas& atlas, int w, int h, TState s, int glyph);
void PaintGlyph(TPainter& p, const TRect& cell, int glyph, TskColor c);

// A rectangle relative to Face moved into picture coordinates, and back.
TRect Within(const TRect& face, const TRect& r);
TRect Relative(const TRect& face, const TRect& r);
TRect Inset(const TRect& r, int dx, int dy);

} // namespace vd::skingen
