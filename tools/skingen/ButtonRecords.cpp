// Every record of kind button and menubutton: push buttons, tool buttons, the small buttons of
// edits and combo boxes, and the tool buttons that open a menu.
#include "tools/skingen/Faces.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/SkinBuilder.h"

namespace vd::skingen {

using namespace look;
using namespace measure;

namespace {

enum class TLook { Raised, Tool, MenuLike };

struct TStateFaces {
    TRect Normal, Hot, Down, Disabled;
};

TRect FaceOf(TSkinBuilder& b, TLook look, int w, int h, TState s) {
    switch (look) {
    case TLook::Raised:
        return RaisedFace(b.Atlas(), w, h, s);
    case TLook::Tool:
        return ToolFace(b.Atlas(), w, h, s);
    case TLook::MenuLike:
        break;
    }
    const TRect r = FlatFace(b.Atlas(), w, h, Face);
    if (s == TState::Hot || s == TState::Down)
        TPainter(b.Atlas().Picture())
            .RoundFill(Inset(r, 1, 1), 3, s == TState::Hot ? SelectionLight : DownHi,
                       s == TState::Hot ? SelectionLight : DownHi);
    return r;
}

// The four state faces; with a track part each carries its drop-down chevron, and with Split a
// rule between the two parts.
TStateFaces Faces(TSkinBuilder& b, TLook look, int w, int h, bool track = false, bool split = false) {
    TStateFaces f{FaceOf(b, look, w, h, TState::Normal), FaceOf(b, look, w, h, TState::Hot),
                  FaceOf(b, look, w, h, TState::Down), FaceOf(b, look, w, h, TState::Disabled)};
    if (!track) return f;
    TPainter p(b.Atlas().Picture());
    for (const TRect* r : {&f.Normal, &f.Hot, &f.Down, &f.Disabled}) {
        const TRect part{r->Right - TrackWidth, r->Top, r->Right, r->Bottom};
        DrawChevron(p, part, TArrow::Down, 6, r == &f.Disabled ? GlyphDisabled : Glyph);
        if (split && r != &f.Normal)
            p.Fill({part.Left, r->Top + 4, part.Left + 1, r->Bottom - 4},
                   r == &f.Disabled ? BorderDisabled : look::Border);
    }
    return f;
}

struct TMarkers {
    TRect Flat, Normal, Active, Down;
};

// Drop-down markers drawn over a button; the window face colour is their transparent colour.
TMarkers Markers(TSkinBuilder& b) {
    auto cell = [&](TskColor c) {
        const TRect r = FlatFace(b.Atlas(), 9, 9, Face);
        TPainter p(b.Atlas().Picture());
        DrawChevron(p, r, TArrow::Down, 6, c);
        return r;
    };
    return {cell(Glyph), cell(Glyph), cell(AccentDeep), cell(InkStrong)};
}

void Fill(TskDataSkinButtonControl& r, const TStateFaces& f, const TMarkers& m, int rightInset = 5) {
    SetNine(r, f.Normal, 5, 4, rightInset, 4);
    UseFont(r, Ink);
    r.activefontcolor = Ink;
    r.downfontcolor = InkStrong;
    r.disabledfontcolor = Muted;
    r.activeskinrect = f.Hot;
    r.downskinrect = f.Down;
    r.disabledskinrect = f.Disabled;
    r.morphing = true;
    r.morphkind = mkDefault;
    r.animateskinrect = {};
    r.framecount = 0;
    r.animateinterval = 25;
    r.showfocus = true;
    r.menumarkerflatrect = m.Flat;
    r.menumarkerrect = m.Normal;
    r.menumarkeractiverect = m.Active;
    r.menumarkerdownrect = m.Down;
    r.menumarkertransparentcolor = Face;
}

void AddButton(TSkinBuilder& b, const char* name, const TStateFaces& f, const TMarkers& m) {
    Fill(b.Control<TskDataSkinButtonControl>(name, "button"), f, m);
}

void AddMenuButton(TSkinBuilder& b, const char* name, const TStateFaces& f, const TMarkers& m) {
    auto& r = b.Control<TskDataSkinMenuButtonControl>(name, "menubutton");
    Fill(r, f, m, TrackWidth + 2);
    r.trackbuttonrect = {f.Normal.Width() - TrackWidth, 0, f.Normal.Width(), f.Normal.Height()};
}

} // namespace

void AddButtons(TSkinBuilder& b) {
    const TMarkers m = Markers(b);
    const TStateFaces push = Faces(b, TLook::Raised, ButtonWidth, ButtonHeight);
    const TStateFaces tool = Faces(b, TLook::Tool, ToolButtonSize, ToolButtonSize);
    const TStateFaces bigTool = Faces(b, TLook::Tool, BigToolButtonSize, BigToolButtonSize);
    const TStateFaces small = Faces(b, TLook::Raised, 20, 20);
    const TStateFaces menuLike = Faces(b, TLook::MenuLike, ButtonWidth, ButtonHeight);
    const TStateFaces wideTool = Faces(b, TLook::Tool, ButtonWidth, ButtonHeight);

    AddButton(b, "button", push, m);
    AddButton(b, "toolbutton", tool, m);
    AddButton(b, "resizebutton", push, m);
    AddButton(b, "bigtoolbutton", bigTool, m);
    AddButton(b, "resizetoolbutton", tool, m);
    AddButton(b, "combobutton", small, m);
    AddButton(b, "editbutton", small, m);
    AddButton(b, "menuitembutton", menuLike, m);
    AddButton(b, "officemenubutton", wideTool, m);
    AddButton(b, "officegroupbutton", push, m);
    AddButton(b, "officequickbutton", tool, m);

    const int menuWidth = ToolButtonSize + TrackWidth + 4;
    AddMenuButton(b, "toolmenubutton", Faces(b, TLook::Tool, menuWidth, ToolButtonSize, true), m);
    AddMenuButton(b, "toolmenutrackbutton", Faces(b, TLook::Tool, menuWidth, ToolButtonSize, true, true), m);
    const int bigWidth = BigToolButtonSize + TrackWidth;
    AddMenuButton(b, "bigtoolmenubutton", Faces(b, TLook::Tool, bigWidth, BigToolButtonSize, true), m);
    AddMenuButton(b, "bigtoolmenutrackbutton", Faces(b, TLook::Tool, bigWidth, BigToolButtonSize, true, true),
                  m);
}

} // namespace vd::skingen
