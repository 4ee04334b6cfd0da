#pragma once
// The class library's font: a description made into a drawing-layer font when first used.
#include "platform/gfx/Color.h"
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/String.h"
#include "platform/vcl/GraphicsObject.h"

namespace vd {

using TFontStyles = unsigned;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;
    const String& Name() const { return FName; }
    void SetName(const String& v);
    int Height() const { return FHeight; } // > 0 cell height, < 0 character height
    void SetHeight(int v);
    int Size() const; // points at 96 dpi
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    Byte Charset() const { return FCharset; }
    void SetCharset(Byte v);
    int Orientation() const { return FOrientation; } // tenths of a degree
    void SetOrientation(int v);
    HFONT Handle();
    void Assign(const TPersistent& source) override;

private:
    void Reset();
    String FName = "Arial";
    int FHeight = 14;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    Byte FCharset = DEFAULT_CHARSET;
    int FOrientation = 0;
    HFONT FHandle = nullptr;
};

} // namespace vd
