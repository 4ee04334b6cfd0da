// Painting: grid lines, fixed, plain, selected and focused cells, the row focus rectangle and the
// area beyond the last cell, plain or from the skin record "grid".
#include "platform/gfx/Gdi.h"
#include "platform/vcl/Bitmap.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/extra/grids/SkinGrid.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>
#include <vector>

namespace vd {

namespace {
// Sets of strokes drawn in one call: two points per stroke.
struct Strokes {
    std::vector<TPoint> Points;
    std::vector<DWord> Counts;
    void Add(TPoint a, TPoint b) {
        Points.push_back(a);
        Points.push_back(b);
        Counts.push_back(2);
    }
};

void DrawStrokes(TCanvas& c, const Strokes& s, TColor color, int width) {
    if (s.Counts.empty()) return;
    c.Pen().Color = color;
    c.Pen().Width = 1;
    c.Pen().Style = psSolid;
    c.Pen().Mode = pmCopy;
    HDC dc = c.Handle();
    if (width > 1) {
        LOGBRUSH lb;
        lb.lbColor = static_cast<COLORREF>(ColorToRGB(color)) & 0xFFFFFF;
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, static_cast<DWord>(width), &lb, 0,
                                nullptr);
        HGDIOBJ old = SelectObject(dc, pen);
        PolyPolyline(dc, s.Points.data(), s.Counts.data(), static_cast<DWord>(s.Counts.size()));
        SelectObject(dc, old);
        DeleteObject(pen);
    } else {
        HGDIOBJ old = SelectObject(dc, c.Pen().Handle());
        PolyPolyline(dc, s.Points.data(), s.Counts.data(), static_cast<DWord>(s.Counts.size()));
        SelectObject(dc, old);
    }
}
} // namespace

void TskSkinCustomGrid::PaintLines(TCanvas& C, const TGridLayout& L) {
    TColor lineColor = FSkinIndex != -1 ? linescolor : FGridLineColor;
    if ((ColorToRGB(Color()) & 0xFFFFFF) == 0xC0C0C0) lineColor = 0x808080;
    auto area = [&](bool horzLines, bool vertLines, int firstCol, int firstRow, TRect b, TColor on,
                    TColor off) {
        if (b.Right <= b.Left || b.Bottom <= b.Top) return;
        // One set: lines after each cell from the first, on the heap and ending at the last cell,
        // so zero extents cannot make the set grow without bound.
        auto set = [&](bool vertical, bool drawn) {
            const TGridAxisLayout& a = vertical ? L.Horz : L.Vert;
            const int lw = a.LineWidth;
            if (lw <= 0) return;
            Strokes s;
            const int first = vertical ? firstCol : firstRow;
            const int startBound = vertical ? b.Left : b.Top;
            const int endBound = vertical ? b.Right : b.Bottom;
            long long pos = startBound + lw / 2 + static_cast<long long>(a.Extent(first));
            for (int i = first; i < a.CellCount && pos <= static_cast<long long>(endBound) + lw;) {
                const int p = static_cast<int>(pos);
                if (vertical)
                    s.Add({p, b.Top}, {p, b.Bottom});
                else
                    s.Add({b.Left, p}, {b.Right, p});
                ++i;
                if (i >= a.CellCount) break;
                pos += static_cast<long long>(a.Extent(i)) + lw;
            }
            DrawStrokes(C, s, drawn ? on : off, FGridLineWidth);
        };
        if (horzLines) {
            set(true, vertLines);
            set(false, horzLines);
        } else {
            set(false, horzLines);
            set(true, vertLines);
        }
    };
    const bool fh = FOptions & goFixedHorzLine, fv = FOptions & goFixedVertLine;
    const int hf = L.Horz.FixedEnd, vf = L.Vert.FixedEnd, hg = L.Horz.GridEnd, vg = L.Vert.GridEnd;
    area(fh, fv, 0, 0, {0, 0, hf, vf}, lineColor, FFixedColor);
    area(fh, fv, FTopLeft.X, 0, {hf, 0, hg, vf}, lineColor, FFixedColor);
    area(fh, fv, 0, FTopLeft.Y, {0, vf, hf, vg}, lineColor, FFixedColor);
    area(FOptions & goHorzLine, FOptions & goVertLine, FTopLeft.X, FTopLeft.Y, {hf, vf, hg, vg}, lineColor,
         Color());
}

void TskSkinCustomGrid::ApplySkinCharSet(TFont& F) const {
    F.SetCharset(SkinCharSet(FSkinData, Font()));
}

void TskSkinCustomGrid::SetCellFont(TCanvas& C, TGridDrawState State) {
    TFont& f = C.Font();
    String name = fontname;
    int height = fontheight;
    TskFontStyles style = fontstyle;
    TColor color = fontcolor;
    if (State & gdFixed) {
        name = fixedfontname;
        height = fixedfontheight;
        style = fixedfontstyle;
        color = fixedfontcolor;
    } else if ((State & gdFocused) || (FOptions & goRowSelect)) {
        color = focusfontcolor;
    } else if (State & gdSelected) {
        color = selectfontcolor;
    }
    if (FUseSkinFont) {
        SetSkinFont(f, name, height, style, color);
    } else {
        f.Assign(Font());
        f.SetColor(color);
    }
    ApplySkinCharSet(f);
}

int TskSkinCustomGrid::CellWidthFor(const String& Text) {
    GetSkinData();
    TBitmap b(1, 1);
    TFont& f = b.Canvas().Font();
    if (FSkinIndex != -1 && FUseSkinFont) {
        SetSkinFont(f, fontname, fontheight, fontstyle, fontcolor);
        ApplySkinCharSet(f);
    } else {
        f.Assign(Font());
    }
    constexpr int kProbe = 1000;
    const TRect r = GetCellTextRect({0, 0, kProbe, DefaultRowHeight()}, 0);
    // Text starts 2 pixels into its rectangle; one more keeps its last column off the line.
    return b.Canvas().TextWidth(Text) + 3 + (kProbe - r.Width());
}

void TskSkinCustomGrid::PaintSkinCell(TBitmap& Bitmap, TGridDrawState State, int W, int H) {
    const TRect* rect = nullptr;
    int lo = cellleftoffset, ro = cellrightoffset;
    bool stretch = cellstretcheffect;
    if (State & gdFixed) {
        rect = &fixedcellrect;
        lo = fixedcellleftoffset;
        ro = fixedcellrightoffset;
        stretch = fixedcellstretcheffect;
    } else if ((State & gdFocused) || (FOptions & goRowSelect)) {
        rect = &focuscellrect;
    } else if (State & gdSelected) {
        rect = &selectcellrect;
    }
    const int h = FUseSkinCellHeight && rect ? rect->Height() : H;
    Bitmap.SetSize(std::max(W, 0), std::max(h, 0));
    if (rect && FPicture && !IsEmptySkinRect(*rect) && W > 0) {
        TskBitmap strip;
        ComposeHorzSkinPicture(lo, ro, strip, stretch, W, *rect, *FPicture);
        if (FUseSkinCellHeight)
            DrawSkin(Bitmap.Canvas(), 0, 0, strip);
        else
            StretchSkinPiece(Bitmap.Canvas(), {0, 0, W, H}, strip, {0, 0, strip.Width(), strip.Height()});
        SetCellFont(Bitmap.Canvas(), State);
    }
    if (showfocus && (State & gdFocused) && !(FOptions & goRowSelect) && FSkinIndex != -1) {
        TCanvas& c = Bitmap.Canvas();
        c.Brush().Color = FSkinData ? TColor(FSkinData->SkinColors().cbtnface) : clBtnFace;
        c.Brush().Style = bsSolid;
        c.DrawFocusRect({0, 0, Bitmap.Width(), Bitmap.Height()});
        c.Brush().Style = bsClear;
    }
}

void TskSkinCustomGrid::PaintCells(TCanvas& C, const TGridLayout& L) {
    const TGridRect sel = GetSelectionRect();
    const bool active = IsActiveGrid();
    const bool skinned = FSkinIndex != -1;
    auto area = [&](int firstCol, int firstRow, int startX, int startY, int stopX, int stopY, TColor color,
                    TGridDrawState base) {
        long long top = startY;
        for (int row = firstRow; top < stopY && row < FRowCount; ++row) {
            const long long bottom = top + GetRowHeights(row);
            long long left = startX;
            for (int col = firstCol; left < stopX && col < FColCount; ++col) {
                const long long right = left + GetColWidths(col);
                const TRect where{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                                  static_cast<int>(bottom)};
                if (right > left && RectVisible(C.Handle(), &where)) {
                    TGridDrawState state = base;
                    const bool focused = active && col == FCurrent.X && row == FCurrent.Y;
                    if (focused) state |= gdFocused;
                    if (CellInRange(col, row, sel)) state |= gdSelected;
                    if (focused && (FOptions & goEditing) && FEditMode && !Designing()) {
                        // The editor covers it.
                    } else {
                        if (FDefaultDrawing || Designing()) {
                            if (!skinned) {
                                C.Font().Assign(Font());
                                const bool highlight = (state & gdSelected) &&
                                                       (!(state & gdFocused) ||
                                                        (FOptions & (goDrawFocusSelected | goRowSelect)));
                                if (highlight && !(state & gdFixed)) {
                                    C.Brush().Color = clHighlight;
                                    C.Brush().Style = bsSolid;
                                    C.Font().SetColor(clHighlightText);
                                    C.FillRect(where);
                                } else {
                                    C.Brush().Color = color;
                                    C.Brush().Style = bsSolid;
                                    C.FillRect(where);
                                    if (state & gdFixed) DrawFrame3D(C, where, clBtnHighlight, clBtnShadow);
                                }
                            } else if (state & (gdSelected | gdFocused | gdFixed)) {
                                TBitmap b(1, 1);
                                PaintSkinCell(b, state, where.Width(), where.Height());
                                C.Draw(where.Left, where.Top, &b);
                                C.Font().Assign(b.Canvas().Font());
                            } else {
                                if (FUseSkinFont) {
                                    SetSkinFont(C.Font(), fontname, fontheight, fontstyle, fontcolor);
                                } else {
                                    C.Font().Assign(Font());
                                    C.Font().SetColor(fontcolor);
                                }
                                ApplySkinCharSet(C.Font());
                                C.Brush().Color = bgcolor;
                                C.Brush().Style = bsSolid;
                                C.FillRect(where);
                            }
                        }
                        DrawCell(col, row, where, state);
                        if (!skinned && FDefaultDrawing && !Designing() && (state & gdFocused) &&
                            !((FOptions & goEditing) && (FOptions & goAlwaysShowEditor)) &&
                            !(FOptions & goRowSelect))
                            C.DrawFocusRect(where);
                    }
                }
                left = right + L.Horz.LineWidth;
            }
            top = bottom + L.Vert.LineWidth;
        }
    };
    const int hf = L.Horz.FixedEnd, vf = L.Vert.FixedEnd, hg = L.Horz.GridEnd, vg = L.Vert.GridEnd;
    area(0, 0, 0, 0, hf, vf, FFixedColor, gdFixed);
    area(FTopLeft.X, 0, hf - FColOffset, 0, hg, vf, FFixedColor, gdFixed);
    area(0, FTopLeft.Y, 0, vf, hf, vg, FFixedColor, gdFixed);
    area(FTopLeft.X, FTopLeft.Y, hf - FColOffset, vf, hg, vg, Color(), 0);
}

void TskSkinCustomGrid::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    TCanvas& c = Canvas();
    const TGridLayout l = CalcLayout();
    if (l.Horz.LineWidth > 0 || l.Vert.LineWidth > 0) PaintLines(c, l);
    PaintCells(c, l);
    if (!Designing() && (FOptions & goRowSelect) && FDefaultDrawing && Focused()) {
        const TRect r = CellRangeRect(GetSelectionRect(), false, l);
        if (FSkinIndex == -1 || showfocus) {
            c.Brush().Color = FSkinIndex == -1 || !FSkinData ? clBtnHighlight
                                                             : TColor(FSkinData->SkinColors().cbtnhighlight);
            c.Brush().Style = bsSolid;
            if (r.Right > r.Left && r.Bottom > r.Top) c.DrawFocusRect(r);
        }
    }
    c.Brush().Color = FSkinIndex != -1 ? bgcolor : Color();
    c.Brush().Style = bsSolid;
    if (l.Horz.GridEnd < l.Horz.ClientExtent)
        c.FillRect({l.Horz.GridEnd, 0, l.Horz.ClientExtent + 1, l.Vert.GridEnd});
    if (l.Vert.GridEnd < l.Vert.ClientExtent)
        c.FillRect({0, l.Vert.GridEnd, l.Horz.ClientExtent, l.Vert.ClientExtent});
}

} // namespace vd
