#pragma once
// Puts measured text on a context: glyphs, cell background, underline and strike-out, in
// any of the four quarter turns. Internal to the text functions; callers hold the face lock.
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/FontFace.h"

#include <optional>
#include <string>
#include <vector>

namespace vd {

class TextPainter {
public:
    explicit TextPainter(GdiDC& dc);

    FontFace& Face() { return FFace; }
    int LineHeight() const { return FFace.Height(); }
    // Tabs advance to the next multiple of tabWidth from the line start (0: no expansion).
    void SetTabWidth(int w) { FTabWidth = w; }
    int Advance(char32_t c, int penFromLineStart);
    int Width(const std::u32string& s);

    // Draws s with the top-left of its cell at device point (ox, oy) in the text frame's
    // origin; underlined lists characters to underline (prefix marks). advances, when
    // given, replaces each character's advance. limit (device) clips in addition.
    void Draw(int ox, int oy, const std::u32string& s, bool opaque,
              const std::vector<std::size_t>& underlined, const std::optional<TRect>& limit,
              const int* advances = nullptr);
    // Turn of the font in quarter turns counter-clockwise (0..3).
    int Quarter() const { return FQuarter; }
    // Device rectangle of a frame rectangle (u along the text, v down) from origin (ox, oy).
    TRect FrameToDevice(int ox, int oy, int u0, int v0, int u1, int v1) const;

private:
    void FillFrame(int ox, int oy, int u0, int v0, int u1, int v1, DWord bgr,
                   const std::optional<TRect>& limit);
    void BlendGlyph(int ox, int oy, int u, int v, const Glyph& g, DWord bgr,
                    const std::optional<TRect>& limit);

    GdiDC& FDc;
    FontFace& FFace;
    const LOGFONTA& FLog;
    int FQuarter = 0;
    int FTabWidth = 0;
    int FExtra = 0;
};

} // namespace vd
