#pragma once
// The caption text strip of a skinned frame: active and inactive looks with a fade between
// them, an optional activation animation, an optional picture behind the text and light and
// shadow copies of the text.
#include "platform/vcl/Forward.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/store/Forward.h"

namespace vd {

class TskSkinCaptionObject : public TskActiveSkinObject {
public:
    TskSkinCaptionObject(TskSkinForm* frame, const TskDataSkinCaption* record);

    void Draw(HDC dc, bool UpdateNow) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool CanAnimate() const;
    // One 25 ms step of the activation animation; true when a frame was shown.
    bool DoAnimationStep();
    // The text drawn: the form's caption (with a maximized child's for a multiple-document form).
    String CaptionText() const;
    // The record's font for the caption text, in the skin's character set.
    void SelectCaptionFont(TFont& font) const;
    // The rectangle of frame N (1-based) of the activation animation.
    TRect AnimationFrameRect(int N) const;

    String fontname = "Arial";
    TskFontStyles fontstyle = 0;
    int fontheight = 14;
    TskColor fontcolor = 0, activefontcolor = 0;
    bool shadow = false;
    TskColor shadowcolor = 0, activeshadowcolor = 0;
    bool light = false;
    TskColor lightcolor = 0, activelightcolor = 0;
    TskAlignment alignment = TskAlignment::Center;
    TRect textrect;
    TRect framerect, activeframerect, frametextrect;
    int frameleftoffset = 0, framerightoffset = 0;
    bool fullframe = false;
    bool stretcheffect = false;
    TRect animateskinrect;
    int framecount = 0;
    int animateinterval = 25;
    bool inactiveanimation = false;
    int AnimationFrame = 0;
    int AnimationElapsed = 0;

private:
    // The strip of ObjectRect's size from Src of Picture, its ends fixed at the frame's corners.
    TskBitmap Strip(const TskBitmap* picture, const TRect& src) const;
    // The text (and its picture) onto DC at the offset; ActiveColours picks the active colours.
    void DrawCaptionText(HDC dc, int X0, int Y0, bool ActiveColours) const;
    void DrawStrip(HDC dc, TskBitmap& strip, bool ActiveColours, bool inactiveEffect) const;
    TRect TextRect() const;
};

} // namespace vd
