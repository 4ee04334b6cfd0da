#pragma once
// What the windowed push button and the windowless speed button take from the skin's button
// record, their glyph and image list, and the drawing steps they share. Both inherit it, so the
// record's values read as their own members.
#include "platform/rtl/Types.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Font.h"
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"

namespace vd {

class TskFrameAnimation;
struct TskSkinFace;

class TskButtonLook {
public:
    explicit TskButtonLook(TComponent* Holder) : FImageList(Holder) {}
    virtual ~TskButtonLook() = default;
    TskButtonLook(const TskButtonLook&) = delete;
    TskButtonLook& operator=(const TskButtonLook&) = delete;

    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    // Clamped to 1..4.
    void SetNumGlyphs(int Value);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);

    // The glyph strip's frame: 1 normal, 2 disabled, 3 down, 4 hot, as far as the strip has them.
    static int GlyphFrameOf(int NumGlyphs, bool Enabled, bool IsDown, bool IsActive);

protected:
    // The glyph or the image list changed: the button paints again.
    virtual void LookChanged() = 0;
    // The record's values; an empty active face falls back to the normal one, an empty down
    // face to the active one.
    void ReadButtonRecord(const TskDataSkinButtonControl& r);
    // While a frame of the hover animation shows, it stands in for the active face (entering)
    // or for Normal (leaving).
    void ShowAnimationFrame(const TskFrameAnimation& Animation, TRect& Normal);
    // Face (at skin size State) stretched or composed to the bitmap's size; the content area
    // grown with it.
    static TRect DrawFreeSizeFace(TBitmap& Bitmap, const TskSkinFace& Face, const TRect& State);
    // The caption font: the record's or Default, in the colour of the state.
    struct TCaptionState {
        bool UseSkinFont, UseSkinFontColor, Enabled, IsDown, IsActive;
    };
    void SetCaptionFont(TFont& Font, const TFont& Default, const TskSkinData* Skin,
                        TCaptionState State) const;
    // From the normal look towards the active one by Factor, drawn at the origin of Target.
    void DrawMorph(TCanvas& Target, TBitmap& Normal, TBitmap& Active, double Factor) const;

    TBitmap FGlyph;
    int FNumGlyphs = 1;
    TComponentLink<TCustomImageList> FImageList;

    String fontname = "Arial";
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, disabledfontcolor = 0;
    TRect activeskinrect, downskinrect, disabledskinrect, animateskinrect;
    bool morphing = false;
    int morphkind = 0, framecount = 0, animateinterval = 25;
};

} // namespace vd
