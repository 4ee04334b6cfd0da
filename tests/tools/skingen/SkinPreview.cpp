#include "tests/tools/skingen/SkinPreview.h"

#include "platform/gfx/Bmp.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Handle.h"
#include "platform/gfx/Text.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinGdi.h"
#include "skin/store/SkinDraw.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinPacker.h"

#include <algorithm>
#include <cstring>

namespace vd::test {

namespace {

bool In(const TPoint& p, const TRect& r) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

TRect Moved(TRect r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

TskBitmap Gray(const TskBitmap& b) {
    TskEffectBmp e = TskEffectBmp::CreateFromBitmap(b);
    e.GrayScale();
    return e.ToBitmap();
}

// Pixels of Src (skipping those where Mask is not black, when a mask is given) onto Dst at X, Y.
void Paste(TskBitmap& dst, int x, int y, const TskBitmap& src, const TskBitmap* mask = nullptr) {
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i)
            if (dst.Contains(x + i, y + j) && (!mask || mask->Pixel(i, j) == 0))
                dst.SetPixel(x + i, y + j, src.Pixel(i, j));
}

} // namespace

TSkinPreview::TSkinPreview(const TskSkinData& skin, int width, int height, TskColor desk)
    : FSkin(skin), FSheet(width, height) {
    FSheet.Fill(desk);
}

const TskBitmap& TSkinPreview::Controls() const {
    return *FSkin.ActivePictures().at(0);
}

TRect TSkinPreview::MapFrameRect(const TRect& r, int dx, int dy) const {
    const int w = FSkin.Picture.Width(), h = FSkin.Picture.Height();
    const TRect tl{0, 0, FSkin.lefttoppoint.X, FSkin.lefttoppoint.Y};
    const TRect tr{FSkin.righttoppoint.X, 0, w, FSkin.righttoppoint.Y};
    const TRect bl{0, FSkin.leftbottompoint.Y, FSkin.leftbottompoint.X, h};
    const TRect br{FSkin.rightbottompoint.X, FSkin.rightbottompoint.Y, w, h};
    const TPoint a = r.TopLeft(), b = {r.Right - 1, r.Bottom - 1};
    if (In(a, tl) && In(b, tl)) return r;
    if (In(a, tr) && In(b, tr)) return Moved(r, dx, 0);
    if (In(a, bl) && In(b, bl)) return Moved(r, 0, dy);
    if (In(a, br) && In(b, br)) return Moved(r, dx, dy);
    if (In(a, tl) && In(b, tr)) return {r.Left, r.Top, r.Right + dx, r.Bottom};
    if (In(a, tl) && In(b, br)) return {r.Left, r.Top, r.Right + dx, r.Bottom + dy};
    return r;
}

TRect TSkinPreview::Window(const TRect& where, bool active, const String& caption, const char* hot) {
    const TskBitmap& pic = FSkin.Picture;
    const TRect all{0, 0, pic.Width(), pic.Height()};
    const TskSkinCorners old{FSkin.lefttoppoint, FSkin.righttoppoint, FSkin.leftbottompoint,
                             FSkin.rightbottompoint, FSkin.clientrect};
    const TskSkinCorners neu = FitSkinCorners(old, all, where.Width(), where.Height());
    const TskStretchFlags flags{FSkin.leftstretch, FSkin.topstretch, FSkin.rightstretch, FSkin.bottomstretch};
    TskBitmap frame, mask;
    ComposeSkinPicture(old, neu, frame, pic, all, where.Width(), where.Height(), true, flags, false);
    ComposeSkinPicture(old, neu, mask, FSkin.Mask, all, where.Width(), where.Height(), true, flags, false);
    if (!active && FSkin.autorenderinginactiveimage) {
        // The borders go through the effect; the client area is the form's own.
        TskBitmap gray = Gray(frame);
        CopyRect(gray, neu.Client, frame, neu.Client);
        frame = gray;
    }
    Paste(FSheet, where.Left, where.Top, frame, &mask);
    CaptionObjects(where, active, caption, hot);
    return Moved(neu.Client, where.Left, where.Top);
}

void TSkinPreview::CaptionObjects(const TRect& where, bool active, const String& caption, const char* hot) {
    const int dx = where.Width() - FSkin.Picture.Width(), dy = where.Height() - FSkin.Picture.Height();
    for (const auto& record : FSkin.ObjectRecords()) {
        const TRect place = Moved(MapFrameRect(record->skinrect, dx, dy), where.Left, where.Top);
        if (auto* c = dynamic_cast<const TskDataSkinCaption*>(record.get())) {
            if (active) {
                TskBitmap strip;
                const int left = std::max(FSkin.lefttoppoint.X - c->skinrect.Left, 0);
                const int right = std::max(c->skinrect.Right - FSkin.righttoppoint.X, 0);
                ComposeHorzSkinPicture(left, right, strip, c->stretcheffect, place.Width(), c->activeskinrect,
                                       Controls());
                Paste(FSheet, place.Left, place.Top, strip);
            }
            TRect text = Moved(c->textrect, place.Left, place.Top);
            text.Right = place.Left + place.Width() - (c->skinrect.Width() - c->textrect.Right);
            TskBitmap dot(1, 1);
            dot.SetPixel(0, 0, c->fontcolor);
            const TskColor color = active ? c->activefontcolor : Gray(dot).Pixel(0, 0);
            Text(caption, text, color, c->fontstyle != 0, false, c->fontheight);
        } else if (hot && record->IDName == hot && !record->skinrectinapicture) {
            Piece(record->activeskinrect, place.Left, place.Top, Controls());
        }
    }
}

TRect TSkinPreview::Face(const TskDataSkinCustomControl& r, const TRect& state, const TRect& where) {
    const int w = where.Width(), h = where.Height();
    const int dW = w - r.skinrect.Width(), dH = h - r.skinrect.Height();
    TskBitmap out;
    TRect client = r.clientrect;
    if (r.rightbottompoint.X != 0 && r.rightbottompoint.Y != 0) {
        const TskSkinCorners old{r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint,
                                 r.clientrect};
        const TskSkinCorners neu = FitSkinCorners(old, state, w, h);
        ComposeSkinPicture(old, neu, out, Controls(), state, w, h, true,
                           {r.leftstretch, r.topstretch, r.rightstretch, r.bottomstretch}, r.stretcheffect);
        client = neu.Client;
    } else if (r.righttoppoint.X != 0 || r.righttoppoint.Y != 0) {
        ComposeHorzSkinPicture(r.lefttoppoint.X, r.skinrect.Width() - r.righttoppoint.X, out, r.stretcheffect,
                               w, state, Controls());
        client.Right += dW;
    } else if (r.leftbottompoint.X != 0 || r.leftbottompoint.Y != 0) {
        ComposeVertSkinPicture(r.lefttoppoint.Y, r.skinrect.Height() - r.leftbottompoint.Y, out,
                               r.stretcheffect, h, state, Controls());
        client.Bottom += dH;
    } else {
        out.SetSize(state.Width(), state.Height());
        CopyRect(out, {0, 0, state.Width(), state.Height()}, Controls(), state);
    }
    Paste(FSheet, where.Left, where.Top, out);
    return Moved(client, where.Left, where.Top);
}

void TSkinPreview::Strip(const TRect& source, int leftOffset, int rightOffset, const TRect& where,
                         const TskBitmap& picture) {
    TskBitmap out;
    ComposeHorzSkinPicture(leftOffset, rightOffset, out, true, where.Width(), source, picture);
    Paste(FSheet, where.Left, where.Top, out);
}

void TSkinPreview::Piece(const TRect& source, int x, int y, const TskBitmap& picture, bool keyed) {
    TskBitmap piece(source.Width(), source.Height());
    CopyRect(piece, {0, 0, source.Width(), source.Height()}, picture, source);
    if (keyed)
        CopyRectTransparent(FSheet, x, y, piece, piece.TransparentColor());
    else
        Paste(FSheet, x, y, piece);
}

void TSkinPreview::Fill(const TRect& r, TskColor c) {
    FillRect(FSheet, r, c);
}

void TSkinPreview::Text(const String& text, const TRect& r, TskColor color, bool bold, bool centre,
                        int height) {
    FTexts.push_back({text, r, color, bold, centre, height});
}

bool TSkinPreview::Save(const String& path) {
    UniqueBitmap bitmap = CreateSkinBitmapHandle(FSheet);
    UniqueDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap.Get() || !dc.Get()) return false;
    const HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
    SetBkMode(dc.Get(), TRANSPARENT);
    for (const TText& t : FTexts) {
        LOGFONTA lf;
        lf.lfHeight = t.Height;
        lf.lfWeight = t.Bold ? FW_BOLD : FW_NORMAL;
        std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
        UniqueFont font(CreateFontIndirectA(&lf));
        const HGDIOBJ oldFont = SelectObject(dc.Get(), font.Get());
        SetTextColor(dc.Get(), COLORREF(t.Color));
        TRect r = t.Rect;
        DrawTextA(dc.Get(), t.Text.c_str(), -1, &r,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (t.Centre ? DT_CENTER : DT_LEFT));
        SelectObject(dc.Get(), oldFont);
    }
    SelectObject(dc.Get(), old);
    const std::vector<Byte> bytes = WriteBmp24(bitmap.Get());
    return WriteFileAtomically(path, bytes).Ok;
}

} // namespace vd::test
