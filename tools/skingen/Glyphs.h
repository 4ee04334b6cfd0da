#pragma once
// The small symbols of the default skin, drawn anti-aliased and centred in a cell.
#include "tools/skingen/Painter.h"

namespace vd::skingen {

enum class TArrow { Left, Right, Up, Down };

// A filled triangle about Size pixels across, pointing Dir.
void DrawArrow(TPainter& p, const TRect& cell, TArrow dir, int size, TskColor c);
// A chevron (two strokes), lighter than a filled arrow; for drop-down and menu markers.
void DrawChevron(TPainter& p, const TRect& cell, TArrow dir, int size, TskColor c);
void DrawCheckMark(TPainter& p, const TRect& cell, TskColor c);
void DrawCross(TPainter& p, const TRect& cell, int size, TskColor c);
void DrawMinimize(TPainter& p, const TRect& cell, int size, TskColor c);
void DrawMaximize(TPainter& p, const TRect& cell, int size, TskColor c);
void DrawRestore(TPainter& p, const TRect& cell, int size, TskColor c);
// The system button's mark: three short rules, a menu to open.
void DrawMenuMark(TPainter& p, const TRect& cell, int size, TskColor c);
// A grip of Count dots in a row (Vertical: a column), centred.
void DrawGrip(TPainter& p, const TRect& cell, int count, bool vertical, TskColor dot, TskColor light);

} // namespace vd::skingen
