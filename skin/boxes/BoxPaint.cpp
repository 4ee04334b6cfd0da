#include "skin/boxes/BoxPaint.h"

#include "platform/gfx/Gdi.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

namespace vd {

TColor SkinColorToColor(TskColor c) {
    return static_cast<TColor>(c);
}

HDC TextDC(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(canvas.Font().Handle()));
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(canvas.Font().Color())));
    SetBkMode(dc, TRANSPARENT);
    return dc;
}

void DrawPlainSmallButton(TCanvas& canvas, const TRect& r, bool pressed, bool hot, bool frameNormal) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    if (pressed && hot)
        FrameAndFill(canvas, r, clskNavy, clskPressedFill);
    else if (hot)
        FrameAndFill(canvas, r, clskNavy, clskHotFill);
    else if (frameNormal)
        FrameAndFill(canvas, r, clBtnShadow, clBtnFace);
    else
        FillColor(canvas, r, clBtnFace);
}

const TskDataSkinButtonControl* FindButtonRecord(const TskSkinData* skin,
                                                 std::initializer_list<const char*> names) {
    if (!SkinUsable(skin)) return nullptr;
    for (const char* name : names) {
        const int i = skin->IndexOfControlRecord(name);
        if (i < 0) continue;
        const auto* r = dynamic_cast<const TskDataSkinButtonControl*>(skin->ControlRecord(i));
        if (r && skin->ActivePicture(r->pictureindex)) return r;
    }
    return nullptr;
}

bool DrawSkinResizeButton(TCanvas& canvas, const TskSkinData* skin, std::initializer_list<const char*> names,
                          const TRect& r, bool pressed, bool hot, int arrow) {
    const TskDataSkinButtonControl* b = FindButtonRecord(skin, names);
    const int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0) return b != nullptr;
    if (!b) {
        // Without a button record a blank face of the button's size and no arrow.
        FillColor(canvas, r, clWhite);
        return false;
    }
    const TskBitmap& pic = *skin->ActivePicture(b->pictureindex);
    const TRect active = IsEmptySkinRect(b->activeskinrect) ? b->skinrect : b->activeskinrect;
    const TRect down = IsEmptySkinRect(b->downskinrect) ? active : b->downskinrect;
    const TRect src = pressed && hot ? down : hot ? active : b->skinrect;
    TskSkinCorners old{b->lefttoppoint, b->righttoppoint, b->leftbottompoint, b->rightbottompoint,
                       b->clientrect};
    const TskSkinCorners neu = FitSkinCorners(old, b->skinrect, w, h);
    TskBitmap face;
    ComposeSkinPicture(old, neu, face, pic, src, w, h, true,
                       {b->leftstretch, b->topstretch, b->rightstretch, b->bottomstretch}, b->stretcheffect);
    DrawSkin(canvas, r.Left, r.Top, face);
    if (arrow) {
        const TskColor color = pressed && hot ? b->downfontcolor : hot ? b->activefontcolor : b->fontcolor;
        TRect g = r;
        if (pressed && hot) {
            g.Left += 2;
            g.Top += 2;
        }
        DrawArrowGlyph(canvas.Handle(), g, color, arrow);
    }
    return true;
}

bool TileSkinPiece(TCanvas& canvas, const TRect& area, const TskBitmap& picture, const TRect& piece) {
    return TileSkinPiece(canvas, area, picture, piece, {area.Left, area.Top});
}

namespace {

// The first tile edge at or before From on a grid of Step laid from Origin.
int GridStart(int From, int Origin, int Step) {
    int d = (From - Origin) % Step;
    if (d < 0) d += Step;
    return From - d;
}

} // namespace

bool TileSkinPiece(TCanvas& canvas, const TRect& area, const TskBitmap& picture, const TRect& piece,
                   TPoint origin) {
    const int pw = piece.Width(), ph = piece.Height();
    if (pw <= 0 || ph <= 0 || area.Width() <= 0 || area.Height() <= 0 || picture.Empty()) return false;
    const TskBitmap tile = CutSkin(picture, piece);
    if (tile.Empty()) return false;
    SaveGuard save(canvas.Handle());
    IntersectClipRect(canvas.Handle(), area.Left, area.Top, area.Right, area.Bottom);
    for (int x = GridStart(area.Left, origin.X, pw); x < area.Right; x += pw)
        for (int y = GridStart(area.Top, origin.Y, ph); y < area.Bottom; y += ph)
            DrawSkin(canvas, x, y, tile);
    return true;
}

} // namespace vd
