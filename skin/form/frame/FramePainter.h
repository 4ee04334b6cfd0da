#pragma once
// TskFramePainter: draws the frame. The skinned look composes the skin's border pictures for
// the current size with the caption objects on them; the plain look is a grooved caption strip
// in three-pixel borders. It also paints the client background, the logo in its corner and the
// multiple-document wallpaper, and keeps the plain caption's fonts.
#include "platform/vcl/Forward.h"
#include "platform/vcl/Graphics.h"

namespace vd {

class TskSkinForm;
class TskActiveSkinObject;

class TskFramePainter {
public:
    explicit TskFramePainter(TskSkinForm& Frame);
    TskFramePainter(const TskFramePainter&) = delete;
    TskFramePainter& operator=(const TskFramePainter&) = delete;

    TBitmap& Logo() { return FLogo; }
    TFont& CaptionFont() { return FCaptionFont; }
    TFont& InactiveCaptionFont() { return FInactiveCaptionFont; }
    // While a skin loads the plain look is not painted either.
    void Suspend(bool On) { FSuspended = On; }
    bool Suspended() const { return FSuspended; }

    // A null context: the window's own.
    void PaintSkin(HDC dc);
    void PaintDefault(HDC dc);
    void PaintClient(HDC dc);
    void PaintMDIClient(HDC dc);
    void DrawObject(TskActiveSkinObject* Object);
    // The frame again, through WM_NCPAINT.
    void Repaint();
    HICON SmallFormIcon() const;
    static int SmallIconWidth();
    static int SmallIconHeight();

private:
    TCustomForm* Form() const;
    void PaintBackground(HDC dc, const TRect& client);
    void DrawLogo(HDC dc, const TRect& client);
    void DrawDefaultCaption(HDC c, int l, int space, int ch);

    TskSkinForm& FFrame;
    TBitmap FLogo;
    TFont FCaptionFont, FInactiveCaptionFont;
    bool FSuspended = false;
};

} // namespace vd
