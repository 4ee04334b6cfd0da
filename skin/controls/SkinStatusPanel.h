#pragma once
// A skinned label with a small picture before its caption: a glyph or an image-list image.
#include "platform/vcl/Forward.h"
#include "skin/controls/SkinLabel.h"

namespace vd {

class TskSkinStatusPanel : public TskSkinLabel {
public:
    explicit TskSkinStatusPanel(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    // Clamped to 1..2.
    void SetNumGlyphs(int Value);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

    int CalcWidthOffset() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void Dispatch(TMessage& Message) override;

private:
    bool HasImage() const;
    // The picture's width, 0 without one.
    int PictureWidth() const;
    // Draws the picture at the left of R, vertically centred at CentreY, and moves R.Left past it.
    void DrawPicture(TCanvas& Canvas, TRect& R, int GlyphY);

    TBitmap FGlyph;
    int FNumGlyphs = 1;
    TComponentLink<TCustomImageList> FImageList{this};
    int FImageIndex = -1;
};

} // namespace vd
