// The window frame: its picture and mask, FORMINFO, and the caption objects drawn over it.
#include "skin/store/SkinCodecs.h"
#include "skin/store/SkinDraw.h"
#include "skin/store/SkinEffectBmp.h"
#include "tools/skingen/Faces.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/SkinBuilder.h"

namespace vd::skingen {

using namespace look;
using namespace measure;

namespace {

constexpr int BandTop = 1;                    // first row of the caption band, under the outline
constexpr int BandBottom = CaptionHeight - 1; // the separator row

// The caption band's colour in frame row Row: one gradient for the frame and every piece that
// must sit on it seamlessly.
TskColor BandColour(int row) {
    return Mix(AccentHi, Accent, row - BandTop, BandBottom - BandTop - 1);
}

// Paints Cell (in the control picture) with the band rows from FrameRow on.
void PaintBand(TSkinBuilder& b, const TRect& cell, int frameRow) {
    TPainter p(b.Atlas().Picture());
    for (int y = cell.Top; y < cell.Bottom; ++y)
        p.Fill({cell.Left, y, cell.Right, y + 1}, BandColour(frameRow + y - cell.Top));
}

// The inactive window's look of Cell, made in advance with the frame's own effect, so a
// piece drawn over a grey frame is grey too.
TRect GrayCopy(TSkinBuilder& b, const TRect& cell) {
    const TRect out = b.Atlas().Place(cell.Width(), cell.Height());
    TskBitmap piece(cell.Width(), cell.Height());
    CopyRect(piece, {0, 0, cell.Width(), cell.Height()}, b.Atlas().Picture(), cell);
    TskEffectBmp effect = TskEffectBmp::CreateFromBitmap(piece);
    effect.GrayScale();
    CopyRect(b.Atlas().Picture(), out, effect.ToBitmap(), {0, 0, cell.Width(), cell.Height()});
    return out;
}

enum class TCaptionGlyph { Menu, Minimize, Maximize, Restore, Close };

void PaintCaptionGlyph(TPainter& p, const TRect& cell, TCaptionGlyph g, TskColor c) {
    switch (g) {
    case TCaptionGlyph::Menu:
        DrawMenuMark(p, cell, 10, c);
        break;
    case TCaptionGlyph::Minimize:
        DrawMinimize(p, cell, 10, c);
        break;
    case TCaptionGlyph::Maximize:
        DrawMaximize(p, cell, 10, c);
        break;
    case TCaptionGlyph::Restore:
        DrawRestore(p, cell, 10, c);
        break;
    case TCaptionGlyph::Close:
        DrawCross(p, cell, 9, c);
        break;
    }
}

// One state of a caption button in the control picture: the band behind, an optional rounded
// plate, the glyph.
TRect CaptionButtonCell(TSkinBuilder& b, TCaptionGlyph g, TskColor plate, bool withPlate, TskColor glyph) {
    const TRect cell = b.Atlas().Place(CaptionButtonWidth, CaptionButtonHeight);
    PaintBand(b, cell, CaptionButtonTop);
    TPainter p(b.Atlas().Picture());
    if (withPlate) p.RoundFill(Inset(cell, 1, 1), 3, plate, plate);
    PaintCaptionGlyph(p, cell, g, glyph);
    return cell;
}

void PaintFramePicture(TSkinBuilder& b) {
    const TRect all{0, 0, FrameWidth, FrameHeight};
    b.Frame.SetSize(FrameWidth, FrameHeight);
    TPainter p(b.Frame);
    p.Fill(all, FrameOutline);
    p.RoundFill(Inset(all, 1, 1), TopRadius - 1, BottomRadius - 1, Accent, Accent);
    p.RoundFill({1, BandTop, FrameWidth - 1, BandBottom}, TopRadius - 1, 0, BandColour(BandTop),
                BandColour(BandBottom - 1));
    p.Fill({1, BandBottom, FrameWidth - 1, CaptionHeight}, AccentDeep);
    p.Fill({FrameBorder - 1, CaptionHeight, FrameWidth - FrameBorder + 1, FrameHeight - FrameBorder + 1},
           AccentDeep);
    p.Fill({FrameBorder, CaptionHeight, FrameWidth - FrameBorder, FrameHeight - FrameBorder}, Face);
}

// Black inside the window, white where the rounded corners cut it away.
void PaintMask(TSkinBuilder& b) {
    TskBitmap shape(FrameWidth, FrameHeight);
    shape.Fill(Hex(0xFFFFFF));
    TPainter(shape).RoundFill({0, 0, FrameWidth, FrameHeight}, TopRadius, BottomRadius, 0, 0);
    b.Mask.SetSize(FrameWidth, FrameHeight);
    for (int y = 0; y < FrameHeight; ++y)
        for (int x = 0; x < FrameWidth; ++x)
            b.Mask.SetPixel(x, y, skGetR(shape.Pixel(x, y)) < 128 ? 0 : Hex(0xFFFFFF));
}

void WriteFormInfo(TSkinBuilder& b) {
    TskMemIniFile& ini = b.Ini();
    const char* s = "FORMINFO";
    const TRect client{FrameBorder, CaptionHeight, FrameWidth - FrameBorder, FrameHeight - FrameBorder};
    const int bottomFixed = FrameHeight - 12;
    WriteSkinPoint(ini, s, "lefttoppoint", {FrameFixedLeft, FrameFixedTop});
    WriteSkinPoint(ini, s, "righttoppoint", {FrameFixedRight, FrameFixedTop});
    WriteSkinPoint(ini, s, "leftbottompoint", {12, bottomFixed});
    WriteSkinPoint(ini, s, "rightbottompoint", {FrameWidth - 12, bottomFixed});
    WriteSkinRect(ini, s, "clientrect", client);
    ini.WriteInteger(s, "bgpictureindex", -1);
    ini.WriteInteger(s, "mdibgpictureindex", -1);
    for (const char* k : {"leftstretch", "rightstretch", "topstretch", "bottomstretch"})
        WriteSkinBool(ini, s, k, true);
    WriteSkinRect(ini, s, "maskrectarea", client);
    WriteSkinPoint(ini, s, "hittestlefttoppoint", {12, 12});
    WriteSkinPoint(ini, s, "hittestrighttoppoint", {FrameWidth - 12, 12});
    WriteSkinPoint(ini, s, "hittestleftbottompoint", {12, FrameHeight - 12});
    WriteSkinPoint(ini, s, "hittestrightbottompoint", {FrameWidth - 12, FrameHeight - 12});
    // The caption buttons lie in the frame picture itself: no button row to lay out.
    WriteSkinRect(ini, s, "buttonsrect", {});
    WriteSkinRect(ini, s, "captionrect", {});
    ini.WriteInteger(s, "buttonsoffset", 0);
    WriteSkinBool(ini, s, "buttonsinleft", false);
    WriteSkinBool(ini, s, "mainmenupopupup", false);
    ini.WriteInteger(s, "borderwidth", FrameBorder);
    ini.WriteInteger(s, "formminwidth", 0);
    WriteSkinBool(ini, s, "autorenderinginactiveimage", true);
    ini.WriteString(s, "inactiveeffect", "iegrayscale");
}

TRect FrameButtonRect(int slotFromRight) {
    const int right = FrameWidth - FrameBorder - 2 - slotFromRight * (CaptionButtonWidth + CaptionButtonGap);
    return {right - CaptionButtonWidth, CaptionButtonTop, right, CaptionButtonTop + CaptionButtonHeight};
}

void AddCaptionButton(TSkinBuilder& b, const char* name, TskStdCommand command, const TRect& where,
                      TCaptionGlyph g) {
    for (int y = where.Top; y < where.Bottom; ++y)
        TPainter(b.Frame).Fill({where.Left, y, where.Right, y + 1}, BandColour(y));
    TPainter frame(b.Frame);
    PaintCaptionGlyph(frame, where, g, CaptionGlyph);

    const bool close = command == cmClose;
    auto& r = b.Object<TskDataSkinStdButton>(name, "stdbutton");
    r.command = command;
    r.skinrect = where;
    r.skinrectinapicture = false;
    r.activeskinrect = CaptionButtonCell(b, g, close ? CloseHot : CaptionHot, true, OnAccent);
    r.downrect = CaptionButtonCell(b, g, close ? CloseDown : CaptionDown, true, OnAccent);
    r.disableskinrsect = CaptionButtonCell(b, g, 0, false, Mix(CaptionGlyph, Accent, 3, 5));
    r.inactiveskinrect = GrayCopy(b, CaptionButtonCell(b, g, 0, false, CaptionGlyph));
    r.morphing = true;
    r.morphkind = mkDefault;
    if (command == cmMaximize) {
        r.restorerect = CaptionButtonCell(b, TCaptionGlyph::Restore, 0, false, CaptionGlyph);
        r.restoreactiverect = CaptionButtonCell(b, TCaptionGlyph::Restore, CaptionHot, true, OnAccent);
        r.restoredownrect = CaptionButtonCell(b, TCaptionGlyph::Restore, CaptionDown, true, OnAccent);
        r.restoreinactiverect = GrayCopy(b, r.restorerect);
    }
}

void AddCaption(TSkinBuilder& b) {
    auto& r = b.Object<TskDataSkinCaption>("caption", "caption");
    r.skinrect = {CaptionLeft, BandTop, FrameButtonRect(2).Left - 2, BandBottom};
    r.skinrectinapicture = false;
    const TRect strip = b.Atlas().Place(r.skinrect.Width(), r.skinrect.Height());
    PaintBand(b, strip, BandTop);
    r.activeskinrect = strip;
    r.inactiveskinrect = GrayCopy(b, strip);
    r.textrect = {6, 0, r.skinrect.Width() - 4, r.skinrect.Height()};
    r.fontname = FontName;
    r.fontheight = CaptionFontHeight;
    r.fontstyle = skfsBold;
    r.fontcolor = CaptionInactiveText;
    r.activefontcolor = OnAccent;
    r.alignment = TskAlignment::LeftJustify;
    r.light = false;
    r.lightcolor = r.activelightcolor = AccentHi;
    r.shadow = false;
    r.shadowcolor = r.activeshadowcolor = AccentDeep;
    r.stretcheffect = true;
    r.animateinterval = 25;
}

} // namespace

void AddFrame(TSkinBuilder& b) {
    PaintFramePicture(b);
    PaintMask(b);
    WriteFormInfo(b);
}

void AddFrameObjects(TSkinBuilder& b) {
    AddCaption(b);
    AddCaptionButton(b, "closebutton", cmClose, FrameButtonRect(0), TCaptionGlyph::Close);
    AddCaptionButton(b, "minimizebutton", cmMinimize, FrameButtonRect(2), TCaptionGlyph::Minimize);
    AddCaptionButton(b, "maximizebutton", cmMaximize, FrameButtonRect(1), TCaptionGlyph::Maximize);
    AddCaptionButton(b, "sysmenubutton", cmSysMenu,
                     {SysButtonLeft, CaptionButtonTop, SysButtonLeft + CaptionButtonHeight,
                      CaptionButtonTop + CaptionButtonHeight},
                     TCaptionGlyph::Menu);
}

} // namespace vd::skingen
