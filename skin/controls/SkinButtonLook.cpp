#include "skin/controls/SkinButtonLook.h"

#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinEffects.h"
#include "skin/controls/SkinFace.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinEffectBmp.h"

#include <algorithm>

namespace vd {

void TskButtonLook::SetGlyph(const TBitmap& Value) {
    FGlyph.Assign(Value);
    LookChanged();
}

void TskButtonLook::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 4);
    LookChanged();
}

void TskButtonLook::SetImageList(TCustomImageList* Value) {
    FImageList = Value;
    LookChanged();
}

int TskButtonLook::GlyphFrameOf(int NumGlyphs, bool Enabled, bool IsDown, bool IsActive) {
    if (IsDown && IsActive && NumGlyphs > 2) return 3;
    if (IsActive && NumGlyphs > 3) return 4;
    if (Enabled || NumGlyphs < 2) return 1;
    return 2;
}

void TskButtonLook::ReadButtonRecord(const TskDataSkinButtonControl& r) {
    fontname = r.fontname;
    fontheight = r.fontheight;
    fontstyle = r.fontstyle;
    fontcolor = r.fontcolor;
    activefontcolor = r.activefontcolor;
    downfontcolor = r.downfontcolor;
    disabledfontcolor = r.disabledfontcolor;
    activeskinrect = IsEmptySkinRect(r.activeskinrect) ? r.skinrect : r.activeskinrect;
    downskinrect = IsEmptySkinRect(r.downskinrect) ? activeskinrect : r.downskinrect;
    disabledskinrect = r.disabledskinrect;
    morphing = r.morphing;
    morphkind = r.morphkind;
    animateskinrect = r.animateskinrect;
    framecount = r.framecount;
    animateinterval = r.animateinterval;
}

void TskButtonLook::ShowAnimationFrame(const TskFrameAnimation& Animation, TRect& Normal) {
    if (!Animation.Showing()) return;
    const TRect frame =
        TskFrameAnimation::FrameOfStrip(animateskinrect, Normal, framecount, Animation.Frame());
    if (Animation.Forward())
        activeskinrect = frame;
    else
        Normal = frame;
}

TRect TskButtonLook::DrawFreeSizeFace(TBitmap& Bitmap, const TskSkinFace& Face, const TRect& State) {
    TCanvas& c = Bitmap.Canvas();
    if (Face.SkinResizeKind == 0) {
        StretchSkinPiece(c, {0, 0, Bitmap.Width(), Bitmap.Height()}, *Face.SkinBitmap, State);
    } else if (Face.SkinResizeKind > 0) {
        TskBitmap face(Bitmap.Width(), Bitmap.Height());
        StretchSkinPicture(face, *Face.SkinBitmap, State, Face.clientrect, true);
        DrawSkin(c, 0, 0, face);
    }
    TRect content = Face.clientrect;
    content.Right += Bitmap.Width() - State.Width();
    content.Bottom += Bitmap.Height() - State.Height();
    return content;
}

void TskButtonLook::SetCaptionFont(TFont& Font, const TFont& Default, const TskSkinData* Skin,
                                   TCaptionState S) const {
    if (S.UseSkinFont)
        SetSkinFont(Font, fontname, fontheight, fontstyle, fontcolor);
    else
        Font.Assign(Default);
    Font.SetCharset(SkinCharSet(Skin, Default));
    Font.SetColor(!S.Enabled               ? disabledfontcolor
                  : !S.UseSkinFontColor    ? Default.Color()
                  : S.IsDown && S.IsActive ? downfontcolor
                  : S.IsActive             ? activefontcolor
                                           : fontcolor);
}

void TskButtonLook::DrawMorph(TCanvas& Target, TBitmap& Normal, TBitmap& Active, double Factor) const {
    TskEffectBmp from = TskEffectBmp::CreateFromBitmapHandle(Normal.Handle());
    const TskEffectBmp to = TskEffectBmp::CreateFromBitmapHandle(Active.Handle());
    from.MorphByKind(morphkind, to, Factor);
    from.Draw(Target.Handle(), 0, 0);
}

} // namespace vd
