#include "skin/controls/SkinPaint.h"

#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinStrings.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinDraw.h"

namespace vd {

void DrawSkin(TCanvas& canvas, int x, int y, const TskBitmap& picture) {
    if (picture.Empty() || !canvas.Handle()) return;
    DrawSkinBitmap(canvas.Handle(), x, y, picture);
}

TskBitmap CutSkin(const TskBitmap& picture, const TRect& src) {
    TskBitmap out;
    if (src.Width() <= 0 || src.Height() <= 0) return out;
    out.SetSize(src.Width(), src.Height());
    CopyRect(out, {0, 0, src.Width(), src.Height()}, picture, src);
    return out;
}

void DrawSkinPiece(TCanvas& canvas, int x, int y, const TskBitmap& picture, const TRect& src,
                   bool transparent, TskColor key, bool autoKey) {
    TskBitmap piece = CutSkin(picture, src);
    if (piece.Empty()) return;
    if (!transparent) {
        DrawSkin(canvas, x, y, piece);
        return;
    }
    TBitmap b(piece.Width(), piece.Height());
    DrawSkinBitmap(b.Canvas().Handle(), 0, 0, piece);
    b.TransparentMode = autoKey ? tmAuto : tmFixed;
    if (!autoKey) b.SetTransparentColor(key);
    b.SetTransparent(true);
    canvas.Draw(x, y, &b);
}

void StretchSkinPiece(TCanvas& canvas, const TRect& dst, const TskBitmap& picture, const TRect& src) {
    if (dst.Width() <= 0 || dst.Height() <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
    StretchSkinBitmap(canvas.Handle(), dst, picture, src);
}

void FillColor(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect(r);
}

void FrameColor(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = color;
    canvas.FrameRect(r);
}

void FrameAndFill(TCanvas& canvas, const TRect& r, TColor frame, TColor fill) {
    FrameColor(canvas, r, frame);
    FillColor(canvas, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, fill);
}

void DrawFrame3D(TCanvas& canvas, TRect r, TColor topLeft, TColor bottomRight) {
    r.Right -= 1;
    r.Bottom -= 1;
    canvas.Pen().Style = psSolid;
    canvas.Pen().Width = 1;
    canvas.Pen().Color = topLeft;
    canvas.MoveTo(r.Left, r.Bottom);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right, r.Top);
    canvas.Pen().Color = bottomRight;
    canvas.LineTo(r.Right, r.Bottom);
    canvas.LineTo(r.Left - 1, r.Bottom);
}

void SetSkinFont(TFont& font, const String& name, int height, TskFontStyles style, TColor color) {
    font.SetName(name);
    font.SetHeight(height);
    font.SetStyle(style);
    font.SetColor(color);
}

Byte SkinCharSet(const TskSkinData* skin, const TFont& defaultFont) {
    if (skin && skin->ResourceStrData()) return skin->ResourceStrData()->CharSet();
    return defaultFont.Charset();
}

bool SkinUsable(const TskSkinData* skin) {
    return skin != nullptr && !skin->Empty();
}

} // namespace vd
