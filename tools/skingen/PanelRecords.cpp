// Panels, group boxes, status bars, labels, bevels, splitters, check and radio boxes, and the
// containers no control of the program reads but every skin carries.
#include "tools/skingen/Faces.h"
#include "tools/skingen/SkinBuilder.h"

namespace vd::skingen {

using namespace look;
using namespace measure;

namespace {

struct TPanelExtras {
    TRect Check, Uncheck, Gripper, Frame;
};

TRect PanelFace(TSkinBuilder& b, int w, int h, TskColor fill, TskColor outline) {
    const TRect r = FlatFace(b.Atlas(), w, h, fill);
    TPainter(b.Atlas().Picture()).Frame(r, outline);
    return r;
}

TRect ToolBarFace(TSkinBuilder& b, int w, int h) {
    const TRect r = FlatFace(b.Atlas(), w, h, Face);
    TPainter p(b.Atlas().Picture());
    p.Fill({r.Left, r.Top, r.Right, r.Top + 1}, Light);
    p.Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, BorderSoft);
    return r;
}

// The group box: a rounded rule under the caption's middle; the caption's own patch of window
// face (the frame picture) interrupts the rule behind the text.
TRect GroupFace(TSkinBuilder& b, int w, int h) {
    const TRect r = FlatFace(b.Atlas(), w, h, Face);
    TPainter(b.Atlas().Picture()).RoundOutline({r.Left, r.Top + 8, r.Right, r.Bottom}, 4, BorderSoft);
    return r;
}

TskDataSkinPanelControl& Panel(TSkinBuilder& b, const char* name, const TRect& face, int inset,
                               const TPanelExtras& x) {
    auto& r = b.Control<TskDataSkinPanelControl>(name, "panel");
    SetNine(r, face, inset, inset, inset, inset);
    r.stretcheffect = false; // the client piece is tiled
    r.bgpictureindex = -1;
    r.alignment = TskAlignment::LeftJustify;
    UseFont(r, Ink, skfsBold);
    r.checkimagerect = x.Check;
    r.uncheckimagerect = x.Uncheck;
    r.markframerect = {};
    r.framerect = {};
    r.gripperrect = x.Gripper;
    r.grippertransparent = true;
    r.grippertransparentcolor = Face;
    return r;
}

void Group(TSkinBuilder& b, const char* name, const TPanelExtras& x) {
    const int w = 64, h = 64, top = 18;
    auto& r = Panel(b, name, GroupFace(b, w, h), 4, x);
    r.clientrect = {4, top, w - 4, h - 4};
    // Corner points wider than the client insets, so the caption strip widens with the box.
    r.lefttoppoint = {10, top};
    r.righttoppoint = {w - 10, top};
    r.leftbottompoint = {10, h - 4};
    r.rightbottompoint = {w - 10, h - 4};
    r.captionrect = {8, 0, w - 8, 16};
    r.framerect = x.Frame;
    r.frametextrect = {4, 0, 8, 16};
    r.frameleftoffset = r.framerightoffset = 4;
}

void AddPanelFamily(TSkinBuilder& b) {
    TPanelExtras x{CheckImage(b.Atlas(), true, false, TState::Normal),
                   CheckImage(b.Atlas(), false, false, TState::Normal), FlatFace(b.Atlas(), 6, 18, Face),
                   FlatFace(b.Atlas(), 12, 16, Face)};
    TPainter p(b.Atlas().Picture());
    DrawGrip(p, x.Gripper, 3, true, Shadow, Light);
    const TRect toolBar = ToolBarFace(b, 48, 32);
    Panel(b, "toolpanel", toolBar, 1, x);
    Panel(b, "panel", PanelFace(b, 48, 48, Face, BorderSoft), 1, x);
    Group(b, "groupbox", x);
    Panel(b, "statusbar", ToolBarFace(b, 48, StatusBarHeight), 1, x);
    Panel(b, "bigtoolpanel", ToolBarFace(b, 48, 48), 1, x);
    Panel(b, "resizetoolpanel", toolBar, 1, x);
    Group(b, "officegroup", x);
    Panel(b, "officetoolbar", toolBar, 1, x);
    Panel(b, "menupagepanel", PanelFace(b, 48, 48, Field, BorderSoft), 1, x);
}

void AddCheckRadio(TSkinBuilder& b, const char* name, bool radio) {
    const int w = 96, h = 20;
    auto& r = b.Control<TskDataSkinCheckRadioControl>(name, "checkradio");
    const TRect face = FlatFace(b.Atlas(), w, h, Face);
    SetHorz(r, face, 22, 4, {0, 0, w, h});
    r.activeskinrect = FlatFace(b.Atlas(), w, h, Face);
    TPainter(b.Atlas().Picture()).RoundFill(r.activeskinrect, 3, HotHi, HotHi);
    UseFont(r, Ink);
    r.activefontcolor = Ink;
    r.unenabledfontcolor = Muted;
    r.framefontcolor = Ink;
    r.checkimagearea = {2, 0, 20, h};
    r.textarea = {22, 0, w - 2, h};
    r.checkimagerect = CheckImage(b.Atlas(), true, radio, TState::Normal);
    r.uncheckimagerect = CheckImage(b.Atlas(), false, radio, TState::Normal);
    r.activecheckimagerect = CheckImage(b.Atlas(), true, radio, TState::Hot);
    r.activeuncheckimagerect = CheckImage(b.Atlas(), false, radio, TState::Hot);
    r.unenabledcheckimagerect = CheckImage(b.Atlas(), true, radio, TState::Disabled);
    r.unenableduncheckimagerect = CheckImage(b.Atlas(), false, radio, TState::Disabled);
    r.morphing = true;
    r.morphkind = mkDefault;
}

void AddLabel(TSkinBuilder& b, const char* name, const TRect& face, TskFontStyles style) {
    auto& r = b.Control<TskDataSkinLabelControl>(name, "label");
    SetNine(r, face, 3, 2, 3, 2);
    UseFont(r, Ink, style);
}

void AddStdLabel(TSkinBuilder& b, const char* name) {
    auto& r = b.Control<TskDataSkinStdLabelControl>(name, "stdlabel");
    r.pictureindex = -1;
    UseFont(r, Ink);
    r.activefontcolor = LinkHot;
}

void AddBevel(TSkinBuilder& b, const char* name) {
    auto& r = b.Control<TskDataSkinBevel>(name, "bevel");
    r.pictureindex = -1;
    r.lightcolor = Light;
    r.darkcolor = BorderSoft;
}

void AddSplitter(TSkinBuilder& b, const char* name, bool vertical) {
    const int w = vertical ? 6 : 48, h = vertical ? 48 : 6;
    auto& r = b.Control<TskDataSkinSplitterControl>(name, "splitter");
    const TRect face = FlatFace(b.Atlas(), w, h, Face);
    if (vertical)
        SetVert(r, face, 2, 2, {0, 2, w, h - 2});
    else
        SetHorz(r, face, 2, 2, {2, 0, w - 2, h});
    r.gripperrect = FlatFace(b.Atlas(), vertical ? 6 : 18, vertical ? 18 : 6, Face);
    TPainter p(b.Atlas().Picture());
    DrawGrip(p, r.gripperrect, 3, vertical, Shadow, Light);
    r.grippertransparent = true;
    r.grippertransparentcolor = Face;
}

void AddContainers(TSkinBuilder& b) {
    auto& bar = b.Control<TskDataSkinControlBar>("controlbar", "controlbar");
    SetNine(bar, ToolBarFace(b, 48, 32), 1, 1, 1, 1);
    bar.itemrect = RaisedFace(b.Atlas(), 40, 26, TState::Normal);
    bar.bgpictureindex = -1;
    bar.hgriprect = FlatFace(b.Atlas(), 6, 18, Face);
    bar.vgriprect = FlatFace(b.Atlas(), 18, 6, Face);
    TPainter p(b.Atlas().Picture());
    DrawGrip(p, bar.hgriprect, 3, true, Shadow, Light);
    DrawGrip(p, bar.vgriprect, 3, false, Shadow, Light);
    bar.gripoffset1 = 2;
    bar.gripoffset2 = 2;

    auto& box = b.Control<TskDataSkinScrollBoxControl>("scrollbox", "scrollbox");
    SetNine(box, FieldFace(b.Atlas(), 48, 48, TState::Normal), 2, 2, 2, 2);
    box.bgpictureindex = -1;
}

struct TTriple {
    TRect Normal, Hot, Down;
};

TTriple GlyphTriple(TSkinBuilder& b, int glyph) {
    return {GlyphButton(b.Atlas(), 16, 16, TState::Normal, glyph),
            GlyphButton(b.Atlas(), 16, 16, TState::Hot, glyph),
            GlyphButton(b.Atlas(), 16, 16, TState::Down, glyph)};
}

TRect HeaderFace(TSkinBuilder& b, int w, int h, int header, bool across) {
    const TRect r = PanelFace(b, w, h, Face, BorderSoft);
    TPainter p(b.Atlas().Picture());
    if (across)
        p.VGradient({r.Left + 1, r.Top + 1, r.Right - 1, r.Top + header}, FixedHi, FixedLo);
    else
        p.HGradient({r.Left + 1, r.Top + 1, r.Left + header, r.Bottom - 1}, FixedHi, FixedLo);
    return r;
}

void AddExPanel(TSkinBuilder& b) {
    auto& r = b.Control<TskDataSkinExPanelControl>("expanel", "expanel");
    const int w = 64, h = 64, header = 20;
    SetNine(r, HeaderFace(b, w, h, header, true), 1, header, 1, 1);
    r.lefttoppoint = {8, header};
    r.righttoppoint = {w - 40, header};
    r.rollhskinrect = HeaderFace(b, w, header + 2, header + 1, true);
    r.rollvskinrect = HeaderFace(b, header + 2, h, header + 1, false);
    r.rollleftoffset = r.rollrightoffset = r.rolltopoffset = r.rollbottomoffset = 4;
    r.rollhcaptionrect = {4, 0, w - 40, header};
    r.rollvcaptionrect = {0, 4, header, h - 40};
    const TTriple close = GlyphTriple(b, 6), up = GlyphTriple(b, 0), down = GlyphTriple(b, 1);
    const TTriple left = GlyphTriple(b, 2), right = GlyphTriple(b, 3);
    r.closebuttonrect = close.Normal;
    r.closebuttonactiverect = close.Hot;
    r.closebuttondownrect = close.Down;
    r.hrollbuttonrect = up.Normal;
    r.hrollbuttonactiverect = up.Hot;
    r.hrollbuttondownrect = up.Down;
    r.hrestorebuttonrect = down.Normal;
    r.hrestorebuttonactiverect = down.Hot;
    r.hrestorebuttondownrect = down.Down;
    r.vrollbuttonrect = left.Normal;
    r.vrollbuttonactiverect = left.Hot;
    r.vrollbuttondownrect = left.Down;
    r.vrestorebuttonrect = right.Normal;
    r.vrestorebuttonactiverect = right.Hot;
    r.vrestorebuttondownrect = right.Down;
    r.captionrect = {6, 0, w - 40, header};
    UseFont(r, Ink, skfsBold);
}

} // namespace

void AddPanels(TSkinBuilder& b) {
    AddPanelFamily(b);
    AddCheckRadio(b, "checkbox", false);
    AddCheckRadio(b, "radiobox", true);
    AddLabel(b, "label", FlatFace(b.Atlas(), 40, 20, Face), 0);
    const TRect field = FlatFace(b.Atlas(), 40, 20, Face);
    TPainter(b.Atlas().Picture()).RoundFace(field, 2, BorderSoft, FaceHi, FaceHi);
    AddLabel(b, "statuspanel", field, 0);
    const TRect header = FlatFace(b.Atlas(), 40, 24, Face);
    TPainter(b.Atlas().Picture()).VGradient(header, FixedHi, FixedLo);
    AddLabel(b, "appmenuheader", header, skfsBold);
    AddStdLabel(b, "stdlabel");
    AddStdLabel(b, "appmenustdlabel");
    AddBevel(b, "bevel");
    AddBevel(b, "menupagedivider");
    AddBevel(b, "officegroupdivider");
    AddSplitter(b, "vsplitter", true);
    AddSplitter(b, "hsplitter", false);
    AddContainers(b);
    AddExPanel(b);
}

} // namespace vd::skingen
