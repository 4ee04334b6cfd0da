#include "tools/skingen/Faces.h"

#include "tools/skingen/SkinLook.h"

namespace vd::skingen {

using namespace look;

TFaceStyle RaisedStyle(TState s) {
    switch (s) {
    case TState::Hot:
    case TState::Focused:
        return {BorderHot, HotHi, HotLo, true};
    case TState::Down:
        return {BorderDown, DownHi, DownLo, false};
    case TState::Disabled:
        return {BorderDisabled, DisabledHi, DisabledLo, false};
    case TState::Normal:
        break;
    }
    return {Border, FaceHi, FaceLo, true};
}

TFaceStyle FieldStyle(TState s) {
    switch (s) {
    case TState::Hot:
        return {BorderHot, Field, Field, false};
    case TState::Focused:
    case TState::Down:
        return {BorderDown, Field, Field, false};
    case TState::Disabled:
        return {BorderDisabled, DisabledLo, DisabledLo, false};
    case TState::Normal:
        break;
    }
    return {Border, Field, Field, false};
}

TFaceStyle ToolStyle(TState s) {
    if (s == TState::Normal) return {Face, Face, Face, false};
    if (s == TState::Disabled) return {Face, Face, Face, false};
    return RaisedStyle(s);
}

TRect PaintFace(TAtlas& atlas, int w, int h, const TFaceStyle& style, int radius) {
    const TRect r = atlas.Place(w, h);
    TPainter p(atlas.Picture());
    p.Fill(r, Face);
    p.RoundFace(r, radius, style.Border, style.Top, style.Bottom);
    if (style.Highlight) p.Fill({r.Left + radius, r.Top + 1, r.Right - radius, r.Top + 2}, Light);
    return r;
}

TRect RaisedFace(TAtlas& atlas, int w, int h, TState s) {
    return PaintFace(atlas, w, h, RaisedStyle(s), measure::Radius);
}

TRect FieldFace(TAtlas& atlas, int w, int h, TState s) {
    const TRect r = PaintFace(atlas, w, h, FieldStyle(s), measure::Radius - 1);
    if (s == TState::Focused) {
        // A second ring inside the outline: the focus shows from across the room.
        TPainter p(atlas.Picture());
        p.RoundOutline(Inset(r, 1, 1), measure::Radius - 2, Mix(BorderDown, Field, 1, 3));
    }
    return r;
}

TRect ToolFace(TAtlas& atlas, int w, int h, TState s) {
    return PaintFace(atlas, w, h, ToolStyle(s), measure::Radius);
}

TRect FlatFace(TAtlas& atlas, int w, int h, TskColor c) {
    const TRect r = atlas.Place(w, h);
    TPainter(atlas.Picture()).Fill(r, c);
    return r;
}

TRect CheckImage(TAtlas& atlas, bool checked, bool radio, TState s) {
    const int n = measure::CheckSize;
    const TRect r = atlas.Place(n, n);
    TPainter p(atlas.Picture());
    p.Fill(r, Face);
    const TFaceStyle st = FieldStyle(s == TState::Hot ? TState::Hot : s);
    const TskColor mark = s == TState::Disabled ? GlyphDisabled : Accent;
    if (radio) {
        const TSubPoint c{(2 * r.Left + n) * Sub / 2, (2 * r.Top + n) * Sub / 2};
        p.Disc(c, n * Sub / 2, st.Border);
        p.Disc(c, n * Sub / 2 - Sub, st.Top);
        if (checked) p.Disc(c, n * Sub / 2 - 4 * Sub + 2, mark);
    } else {
        p.RoundFace(r, 3, st.Border, st.Top, st.Bottom);
        if (checked) {
            p.RoundFill(Inset(r, 1, 1), 2, mark, mark);
            DrawCheckMark(p, Inset(r, 1, 1), Field);
        }
    }
    return r;
}

void PaintGlyph(TPainter& p, const TRect& cell, int glyph, TskColor c) {
    switch (glyph) {
    case 0:
        DrawArrow(p, cell, TArrow::Up, 7, c);
        break;
    case 1:
        DrawArrow(p, cell, TArrow::Down, 7, c);
        break;
    case 2:
        DrawArrow(p, cell, TArrow::Left, 7, c);
        break;
    case 3:
        DrawArrow(p, cell, TArrow::Right, 7, c);
        break;
    case 4:
        DrawChevron(p, cell, TArrow::Down, 7, c);
        break;
    case 6:
        DrawCross(p, cell, 6, c);
        break;
    case 7:
        DrawCheckMark(p, Inset(cell, 2, 2), c);
        break;
    default:
        for (int i = -1; i <= 1; ++i)
            p.Disc({(cell.Left + cell.Right) * Sub / 2 + i * 3 * Sub, (cell.Top + cell.Bottom) * Sub / 2}, 9,
                   c);
        break;
    }
}

TRect GlyphButton(TAtlas& atlas, int w, int h, TState s, int glyph) {
    const TRect r = PaintFace(atlas, w, h, RaisedStyle(s), 3);
    TPainter p(atlas.Picture());
    PaintGlyph(p, r, glyph, s == TState::Disabled ? GlyphDisabled : Glyph);
    return r;
}

TRect Within(const TRect& face, const TRect& r) {
    return {face.Left + r.Left, face.Top + r.Top, face.Left + r.Right, face.Top + r.Bottom};
}

TRect Relative(const TRect& face, const TRect& r) {
    return {r.Left - face.Left, r.Top - face.Top, r.Right - face.Left, r.Bottom - face.Top};
}

TRect Inset(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy};
}

} // namespace vd::skingen
