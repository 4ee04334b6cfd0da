// Bars: scroll bars, gauges, track bars and the slider.
#include "skin/store/SkinDraw.h"
#include "tools/skingen/Faces.h"
#include "tools/skingen/SkinBuilder.h"

namespace vd::skingen {

using namespace look;
using namespace measure;

namespace {

constexpr int S = ScrollBarSize;
constexpr int Length = BarLength;

// A thumb lying across a bar (Vertical: the long side down), on the window face.
TRect ThumbCell(TSkinBuilder& b, int w, int h, TskColor fill) {
    const TRect r = FlatFace(b.Atlas(), w, h, Face);
    TPainter(b.Atlas().Picture()).RoundFill(r, 3, fill, fill);
    return r;
}

TRect GripCell(TSkinBuilder& b, bool vertical, TskColor fill, TskColor line) {
    const TRect r = FlatFace(b.Atlas(), 8, 8, fill);
    TPainter p(b.Atlas().Picture());
    for (int i = 0; i < 3; ++i) {
        const int o = 1 + 2 * i + 1;
        p.Fill(vertical ? TRect{r.Left + 1, r.Top + o, r.Right - 1, r.Top + o + 1}
                        : TRect{r.Left + o, r.Top + 1, r.Left + o + 1, r.Bottom - 1},
               line);
    }
    return r;
}

TRect ArrowCell(TSkinBuilder& b, int glyph, TState s) {
    if (s == TState::Normal) {
        const TRect r = FlatFace(b.Atlas(), S, S, Face);
        TPainter p(b.Atlas().Picture());
        PaintGlyph(p, r, glyph, Glyph);
        return r;
    }
    return GlyphButton(b.Atlas(), S, S, s, glyph);
}

void AddScrollBar(TSkinBuilder& b, const char* name, bool vertical) {
    auto& r = b.Control<TskDataSkinScrollBarControl>(name, "scrollbar");
    const int w = vertical ? S : Length, h = vertical ? Length : S;
    const TRect face = FlatFace(b.Atlas(), w, h, Face);
    // The "down" button decreases: left or top, its arrow pointing that way.
    const int downGlyph = vertical ? 0 : 2, upGlyph = vertical ? 1 : 3;
    const TRect downAt = {0, 0, S, S};
    const TRect upAt = vertical ? TRect{0, h - S, S, h} : TRect{w - S, 0, w, S};
    CopyRect(b.Atlas().Picture(), Within(face, downAt), b.Atlas().Picture(),
             ArrowCell(b, downGlyph, TState::Normal));
    CopyRect(b.Atlas().Picture(), Within(face, upAt), b.Atlas().Picture(),
             ArrowCell(b, upGlyph, TState::Normal));
    // Fixed ends one pixel longer than the buttons: a button counts as moving only past them.
    if (vertical)
        SetVert(r, face, S + 1, S + 1, {0, S, w, h - S});
    else
        SetHorz(r, face, S + 1, S + 1, {S, 0, w - S, h});
    r.trackarea = vertical ? TRect{0, S, w, h - S} : TRect{S, 0, w - S, h};
    r.downbuttonrect = downAt;
    r.upbuttonrect = upAt;
    r.activedownbuttonrect = ArrowCell(b, downGlyph, TState::Hot);
    r.downdownbuttonrect = ArrowCell(b, downGlyph, TState::Down);
    r.activeupbuttonrect = ArrowCell(b, upGlyph, TState::Hot);
    r.downupbuttonrect = ArrowCell(b, upGlyph, TState::Down);
    const int tw = vertical ? S - 4 : 24, th = vertical ? 24 : S - 4;
    r.thumbrect = ThumbCell(b, tw, th, Thumb);
    r.activethumbrect = ThumbCell(b, tw, th, ThumbHot);
    r.downthumbrect = ThumbCell(b, tw, th, Accent);
    r.thumboffset1 = r.thumboffset2 = 4;
    r.thumbtransparent = true;
    r.thumbtransparentcolor = Face;
    r.glyphrect = GripCell(b, vertical, Thumb, Shadow);
    r.activeglyphrect = GripCell(b, vertical, ThumbHot, Glyph);
    r.downglyphrect = GripCell(b, vertical, Accent, HotHi);
}

void AddGauge(TSkinBuilder& b, const char* name, bool vertical) {
    auto& r = b.Control<TskDataSkinGaugeControl>(name, "gauge");
    const int w = vertical ? GaugeHeight : Length, h = vertical ? Length : GaugeHeight;
    const TRect face = FlatFace(b.Atlas(), w, h, Face);
    TPainter p(b.Atlas().Picture());
    p.RoundFace(face, 3, BorderSoft, Sunken, Sunken);
    if (vertical)
        SetVert(r, face, 4, 4, {2, 2, w - 2, h - 2});
    else
        SetHorz(r, face, 4, 4, {2, 2, w - 2, h - 2});
    r.progressarea = {2, 2, w - 2, h - 2};
    const int pw = vertical ? w - 4 : 24, ph = vertical ? 24 : h - 4;
    r.progressrect = FlatFace(b.Atlas(), pw, ph, Sunken);
    if (vertical)
        p.HGradient(r.progressrect, ProgressHi, ProgressLo);
    else
        p.VGradient(r.progressrect, ProgressHi, ProgressLo);
    r.beginoffset = r.endoffset = 2;
    r.vertical = vertical;
    UseFont(r, Ink, skfsBold);
    r.progresstransparent = false;
    r.progresstransparentcolor = Face;
    r.progressstretch = true;
}

void AddTrackBar(TSkinBuilder& b, const char* name, bool vertical) {
    auto& r = b.Control<TskDataSkinTrackBarControl>(name, "trackbar");
    const int w = vertical ? 24 : Length, h = vertical ? Length : 24;
    const TRect face = FlatFace(b.Atlas(), w, h, Face);
    TPainter p(b.Atlas().Picture());
    const TRect groove =
        vertical ? TRect{w / 2 - 2, 6, w / 2 + 2, h - 6} : TRect{6, h / 2 - 2, w - 6, h / 2 + 2};
    p.RoundFace(Within(face, groove), 2, BorderSoft, Sunken, Sunken);
    if (vertical)
        SetVert(r, face, 8, 8, {0, 8, w, h - 8});
    else
        SetHorz(r, face, 8, 8, {8, 0, w - 8, h});
    r.trackarea = vertical ? TRect{0, 6, w, h - 6} : TRect{6, 0, w - 6, h};
    const int bw = vertical ? 20 : 12, bh = vertical ? 12 : 20;
    r.buttonrect = RaisedFace(b.Atlas(), bw, bh, TState::Normal);
    r.activebuttonrect = RaisedFace(b.Atlas(), bw, bh, TState::Hot);
    r.vertical = vertical;
    r.buttontransparent = true;
    r.buttontransparentcolor = Face;
}

void AddSlider(TSkinBuilder& b) {
    auto& r = b.Control<TskDataSkinSlider>("slider", "slider");
    r.skinrect = {};
    r.bgcolor = Face;
    r.hrulerrect = FlatFace(b.Atlas(), 40, 6, Face);
    r.vrulerrect = FlatFace(b.Atlas(), 6, 40, Face);
    TPainter p(b.Atlas().Picture());
    p.RoundFace(r.hrulerrect, 2, BorderSoft, Sunken, Sunken);
    p.RoundFace(r.vrulerrect, 2, BorderSoft, Sunken, Sunken);
    r.hthumbrect = RaisedFace(b.Atlas(), 12, 18, TState::Normal);
    r.vthumbrect = RaisedFace(b.Atlas(), 18, 12, TState::Normal);
    r.edgesize = 2;
    r.pointscolor = Shadow;
}

} // namespace

void AddBars(TSkinBuilder& b) {
    AddScrollBar(b, "hscrollbar", false);
    AddScrollBar(b, "vscrollbar", true);
    AddScrollBar(b, "bothhscrollbar", false);
    AddGauge(b, "gauge", false);
    AddGauge(b, "vgauge", true);
    AddGauge(b, "statusgauge", false);
    AddTrackBar(b, "trackbar", true);
    AddTrackBar(b, "htrackbar", false);
    AddSlider(b);
}

} // namespace vd::skingen
