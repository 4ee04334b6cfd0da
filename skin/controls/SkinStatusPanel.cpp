#include "skin/controls/SkinStatusPanel.h"

#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinButtonLayout.h"
#include "skin/controls/SkinPaint.h"
#include "skin/store/SkinBitmap.h"

#include <algorithm>

namespace vd {

TskSkinStatusPanel::TskSkinStatusPanel(TComponent* AOwner) : TskSkinLabel(AOwner) {
    SetSkinDataName("statuspanel");
    SetWidth(120);
}

void TskSkinStatusPanel::SetGlyph(const TBitmap& Value) {
    FGlyph.Assign(Value);
    Repaint();
    if (FAutoSize) AdjustWidth();
}

void TskSkinStatusPanel::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 2);
    Repaint();
    if (FAutoSize) AdjustWidth();
}

void TskSkinStatusPanel::SetImageList(TCustomImageList* Value) {
    FImageList = Value;
    Repaint();
}

void TskSkinStatusPanel::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Repaint();
}

bool TskSkinStatusPanel::HasImage() const {
    return FGlyph.Empty() && FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count();
}

int TskSkinStatusPanel::PictureWidth() const {
    if (HasImage()) return FImageList->Width();
    if (!FGlyph.Empty()) return FGlyph.Width() / FNumGlyphs;
    return 0;
}

int TskSkinStatusPanel::CalcWidthOffset() {
    const int w = PictureWidth();
    return TskSkinLabel::CalcWidthOffset() +
           (w > 0 ? w + 3 : 0) * (FSkinIndex != -1 && FFace.SkinResizeKind == 0 ? 0 : 1);
}

void TskSkinStatusPanel::DrawPicture(TCanvas& c, TRect& R, int GlyphY) {
    if (HasImage()) {
        FImageList->Draw(c, R.Left, R.Top + R.Height() / 2 - FImageList->Height() / 2, FImageIndex,
                         Enabled());
        R.Left += FImageList->Width() + 2;
    } else if (!FGlyph.Empty()) {
        DrawStripGlyph(c, FSkinIndex == -1 ? 3 : R.Left, GlyphY, FGlyph,
                       Enabled() ? 1 : std::min(2, FNumGlyphs), FNumGlyphs);
        R.Left += FGlyph.Width() / FNumGlyphs + 2;
    }
}

void TskSkinStatusPanel::CreateControlDefaultImage(TBitmap& Bitmap) {
    DrawPlainFrame(Bitmap.Canvas());
    TRect r{3, 3, Width() - 3, Height() - 3};
    DrawPicture(Bitmap.Canvas(), r, Height() / 2 - FGlyph.Height() / 2);
    DrawLabelText(Bitmap.Canvas(), r);
}

void TskSkinStatusPanel::CreateControlSkinImage(TBitmap& Bitmap) {
    CreateResizedSkinImage(Bitmap, *FFace.SkinBitmap, FFace.skinrect);
    TRect r = FFace.CurClientRect;
    DrawPicture(Bitmap.Canvas(), r, r.Top + r.Height() / 2 - FGlyph.Height() / 2);
    DrawLabelText(Bitmap.Canvas(), r);
}

void TskSkinStatusPanel::Dispatch(TMessage& Message) {
    TskSkinLabel::Dispatch(Message);
    if (Message.Msg == CM_ENABLEDCHANGED) Repaint();
}

} // namespace vd
