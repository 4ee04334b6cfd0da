// Fields: edits (with and without a button), memo, spin edits, up-downs, combo boxes and lists.
#include "skin/store/SkinDraw.h"
#include "tools/skingen/Faces.h"
#include "tools/skingen/SkinBuilder.h"

namespace vd::skingen {

using namespace look;
using namespace measure;

namespace {

// Copies the picture piece Cell onto Face at the face-relative place At.
void Stamp(TSkinBuilder& b, const TRect& face, const TRect& at, const TRect& cell) {
    TskBitmap piece(cell.Width(), cell.Height());
    CopyRect(piece, {0, 0, cell.Width(), cell.Height()}, b.Atlas().Picture(), cell);
    CopyRect(b.Atlas().Picture(), Within(face, at), piece, {0, 0, cell.Width(), cell.Height()});
}

struct TButtonPieces {
    TRect Normal, Hot, Down, Disabled;
};

TButtonPieces Pieces(TSkinBuilder& b, int w, int h, int glyph) {
    return {GlyphButton(b.Atlas(), w, h, TState::Normal, glyph),
            GlyphButton(b.Atlas(), w, h, TState::Hot, glyph),
            GlyphButton(b.Atlas(), w, h, TState::Down, glyph),
            GlyphButton(b.Atlas(), w, h, TState::Disabled, glyph)};
}

// A field face pair (normal, focused) with the button's normal piece stamped on both.
std::pair<TRect, TRect> FieldPair(TSkinBuilder& b, int w, int h, const TRect& at, const TRect* piece) {
    const TRect normal = FieldFace(b.Atlas(), w, h, TState::Normal);
    const TRect focused = FieldFace(b.Atlas(), w, h, TState::Focused);
    if (piece) {
        Stamp(b, normal, at, *piece);
        Stamp(b, focused, at, *piece);
    }
    return {normal, focused};
}

void AddEdit(TSkinBuilder& b, const char* name, bool withButton, const TButtonPieces& dots) {
    const TRect at{EditWidth - SideButton - 2, 2, EditWidth - 2, FieldHeight - 2};
    const auto [normal, focused] =
        FieldPair(b, EditWidth, FieldHeight, at, withButton ? &dots.Normal : nullptr);
    auto& r = b.Control<TskDataSkinEditControl>(name, "edit");
    const int right = withButton ? SideButton + 4 : 4;
    SetHorz(r, normal, 4, right, {5, 3, EditWidth - right, FieldHeight - 3});
    r.activeskinrect = focused;
    UseFont(r, Ink);
    r.disabledfontcolor = Muted;
    r.activefontcolor = Ink;
    r.buttonrect = at;
    r.activebuttonrect = dots.Hot;
    r.downbuttonrect = dots.Down;
    r.unenabledbuttonrect = dots.Disabled;
}

void AddMemo(TSkinBuilder& b, const TButtonPieces& dots) {
    const TRect normal = FieldFace(b.Atlas(), 64, 48, TState::Normal);
    auto& r = b.Control<TskDataSkinMemoControl>("memo", "memo");
    SetNine(r, normal, 4, 4, 4, 4);
    r.activeskinrect = FieldFace(b.Atlas(), 64, 48, TState::Focused);
    UseFont(r, Ink);
    r.disabledfontcolor = Muted;
    r.activefontcolor = Ink;
    r.buttonrect = {};
    r.activebuttonrect = dots.Hot;
    r.downbuttonrect = dots.Down;
    r.unenabledbuttonrect = dots.Disabled;
    r.bgcolor = Field;
    r.activebgcolor = Field;
}

void AddSpinEdit(TSkinBuilder& b, const char* name, const TButtonPieces& up, const TButtonPieces& down) {
    const int h2 = (FieldHeight - 4) / 2;
    const TRect upAt{EditWidth - 16, 2, EditWidth - 2, 2 + h2},
        downAt{EditWidth - 16, 2 + h2, EditWidth - 2, 2 + 2 * h2};
    auto [normal, focused] = FieldPair(b, EditWidth, FieldHeight, upAt, &up.Normal);
    Stamp(b, normal, downAt, down.Normal);
    Stamp(b, focused, downAt, down.Normal);
    auto& r = b.Control<TskDataSkinSpinEditControl>(name, "spinedit");
    SetHorz(r, normal, 4, 18, {5, 3, EditWidth - 18, FieldHeight - 3});
    r.activeskinrect = focused;
    UseFont(r, Ink);
    r.activefontcolor = Ink;
    r.disabledfontcolor = Muted;
    r.upbuttonrect = upAt;
    r.activeupbuttonrect = up.Hot;
    r.downupbuttonrect = up.Down;
    r.downbuttonrect = downAt;
    r.activedownbuttonrect = down.Hot;
    r.downdownbuttonrect = down.Down;
}

void AddUpDown(TSkinBuilder& b, const char* name, bool vertical) {
    const int w = vertical ? 16 : 26, h = vertical ? 24 : 16;
    const TRect face = FlatFace(b.Atlas(), w, h, Face);
    const TRect first = vertical ? TRect{0, 0, 16, 12} : TRect{0, 0, 13, 16};
    const TRect second = vertical ? TRect{0, 12, 16, 24} : TRect{13, 0, 26, 16};
    // Up is the top button of a vertical pair and the right one of a horizontal pair.
    const TButtonPieces up = Pieces(b, first.Width(), first.Height(), vertical ? 0 : 3);
    const TButtonPieces down = Pieces(b, first.Width(), first.Height(), vertical ? 1 : 2);
    const TRect upAt = vertical ? first : second, downAt = vertical ? second : first;
    Stamp(b, face, upAt, up.Normal);
    Stamp(b, face, downAt, down.Normal);
    auto& r = b.Control<TskDataSkinUpDownControl>(name, "updown");
    r.skinrect = face;
    r.upbuttonrect = upAt;
    r.activeupbuttonrect = up.Hot;
    r.downupbuttonrect = up.Down;
    r.downbuttonrect = downAt;
    r.activedownbuttonrect = down.Hot;
    r.downdownbuttonrect = down.Down;
}

void AddComboBox(TSkinBuilder& b, const char* name, const TButtonPieces& arrow) {
    const TRect at{EditWidth - SideButton - 2, 2, EditWidth - 2, FieldHeight - 2};
    const auto [normal, focused] = FieldPair(b, EditWidth, FieldHeight, at, &arrow.Normal);
    auto& r = b.Control<TskDataSkinComboBox>(name, "combobox");
    SetHorz(r, normal, 4, SideButton + 4, {3, 3, EditWidth - SideButton - 4, FieldHeight - 3});
    r.activeskinrect = focused;
    const int ih = FieldHeight - 6;
    r.itemrect = FlatFace(b.Atlas(), 40, ih, Field);
    r.activeitemrect = FlatFace(b.Atlas(), 40, ih, Field);
    r.focusitemrect = FlatFace(b.Atlas(), 40, ih, Field);
    TPainter(b.Atlas().Picture()).RoundFill(r.focusitemrect, 2, Selection, Selection);
    r.itemleftoffset = r.itemrightoffset = 2;
    r.itemtextrect = {3, 0, 37, ih};
    UseFont(r, Ink);
    r.focusfontcolor = OnAccent;
    r.activefontcolor = Ink;
    r.listboxname = "listbox";
    r.buttonrect = at;
    r.activebuttonrect = arrow.Hot;
    r.downbuttonrect = arrow.Down;
    r.unenabledbuttonrect = arrow.Disabled;
    r.itemstretcheffect = r.focusitemstretcheffect = true;
    r.showfocus = false;
}

struct TListLook {
    TRect Item, Active, Focus;
    TButtonPieces Up, Down, Check;
};

TListLook ListLook(TSkinBuilder& b) {
    TListLook l;
    l.Item = FlatFace(b.Atlas(), 60, ItemHeight, Field);
    l.Active = FlatFace(b.Atlas(), 60, ItemHeight, Field);
    TPainter(b.Atlas().Picture()).RoundFill(l.Active, 2, SelectionLight, SelectionLight);
    l.Focus = FlatFace(b.Atlas(), 60, ItemHeight, Field);
    TPainter(b.Atlas().Picture()).RoundFill(l.Focus, 2, Selection, Selection);
    l.Up = Pieces(b, 16, 16, 0);
    l.Down = Pieces(b, 16, 16, 1);
    l.Check = Pieces(b, 16, 16, 7);
    return l;
}

template <class T>
T& AddList(TSkinBuilder& b, const char* name, const char* kind, bool caption, const TListLook& l) {
    const int w = 96, h = caption ? 84 : 64, top = caption ? 22 : 2;
    const TRect face = FieldFace(b.Atlas(), w, h, TState::Normal);
    T& r = b.Control<T>(name, kind);
    SetNine(r, face, 2, top, 2, 2);
    r.itemrect = l.Item;
    r.activeitemrect = l.Active;
    r.focusitemrect = l.Focus;
    r.itemleftoffset = r.itemrightoffset = 3;
    r.itemtextrect = {4, 0, 56, ItemHeight};
    UseFont(r, Ink);
    r.activefontcolor = Ink;
    r.focusfontcolor = OnAccent;
    r.captionfontname = FontName;
    r.captionfontheight = FontHeight;
    r.captionfontstyle = skfsBold;
    r.captionfontcolor = Ink;
    if (caption) {
        TPainter p(b.Atlas().Picture());
        p.VGradient(Within(face, {1, 1, w - 1, top - 1}), FixedHi, FixedLo);
        p.Fill(Within(face, {1, top - 1, w - 1, top}), BorderSoft);
        // The caption buttons sit in the fixed top-right corner; the caption widens with the box.
        r.righttoppoint = {w - 60, top};
        r.captionrect = {6, 1, w - 60, top - 1};
        r.upbuttonrect = {w - 58, 3, w - 42, 19};
        r.downbuttonrect = {w - 40, 3, w - 24, 19};
        r.checkbuttonrect = {w - 22, 3, w - 6, 19};
        // The buttons' normal look is part of the face.
        Stamp(b, face, r.upbuttonrect, l.Up.Normal);
        Stamp(b, face, r.downbuttonrect, l.Down.Normal);
        Stamp(b, face, r.checkbuttonrect, l.Check.Normal);
    }
    r.activeupbuttonrect = l.Up.Hot;
    r.downupbuttonrect = l.Up.Down;
    r.activedownbuttonrect = l.Down.Hot;
    r.downdownbuttonrect = l.Down.Down;
    r.activecheckbuttonrect = l.Check.Hot;
    r.downcheckbuttonrect = l.Check.Down;
    r.vscrollbarname = "vscrollbar";
    r.hscrollbarname = "hscrollbar";
    r.bothhscrollbarname = "bothhscrollbar";
    r.showfocus = true;
    return r;
}

void AddCheckList(TSkinBuilder& b, const char* name, bool caption, const TListLook& l, const TRect& on,
                  const TRect& off) {
    auto& r = AddList<TskDataSkinCheckListBox>(b, name, "checklistbox", caption, l);
    r.itemtextrect = {22, 0, 56, ItemHeight};
    r.itemcheckrect = {4, 3, 4 + CheckSize, 3 + CheckSize};
    r.checkimagerect = on;
    r.uncheckimagerect = off;
}

} // namespace

void AddFields(TSkinBuilder& b) {
    const TButtonPieces dots = Pieces(b, SideButton, FieldHeight - 4, 5);
    const TButtonPieces arrow = Pieces(b, SideButton, FieldHeight - 4, 4);
    const int h2 = (FieldHeight - 4) / 2;
    const TButtonPieces up = Pieces(b, 14, h2, 0), down = Pieces(b, 14, h2, 1);
    AddEdit(b, "edit", false, dots);
    AddEdit(b, "buttonedit", true, dots);
    AddEdit(b, "statusedit", false, dots);
    AddEdit(b, "statusbuttonedit", true, dots);
    AddMemo(b, dots);
    AddSpinEdit(b, "spinedit", up, down);
    AddSpinEdit(b, "statusspinedit", up, down);
    AddUpDown(b, "vupdown", true);
    AddUpDown(b, "hupdown", false);
    AddComboBox(b, "combobox", arrow);
    AddComboBox(b, "captioncombobox", arrow);
    AddComboBox(b, "statuscombobox", arrow);
    const TListLook l = ListLook(b);
    AddList<TskDataSkinListBox>(b, "listbox", "listbox", false, l);
    AddList<TskDataSkinListBox>(b, "captionlistbox", "listbox", true, l);
    const TRect on = CheckImage(b.Atlas(), true, false, TState::Normal);
    const TRect off = CheckImage(b.Atlas(), false, false, TState::Normal);
    AddCheckList(b, "checklistbox", false, l, on, off);
    AddCheckList(b, "captionchecklistbox", true, l, on, off);
}

} // namespace vd::skingen
