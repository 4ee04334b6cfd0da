#pragma once
// Handles, records and constants of the drawing layer. The names follow the graphics
// interface the skin engine was written against, so its code reads the same here.
#include "platform/rtl/Types.h"

#include <cstdint>

namespace vd {

class GdiObject;
class GdiBitmap;
class GdiRegion;
class GdiPen;
class GdiBrush;
class GdiFont;
class GdiIcon;
class GdiDC;

using HGDIOBJ = GdiObject*;
using HBITMAP = GdiBitmap*;
using HRGN = GdiRegion*;
using HPEN = GdiPen*;
using HBRUSH = GdiBrush*;
using HFONT = GdiFont*;
using HICON = GdiIcon*;
using HDC = GdiDC*;

using COLORREF = DWord;
using UINT = unsigned int;

// 32 bytes, followed by nCount rectangles of four 32-bit integers.
struct RGNDATAHEADER {
    DWord dwSize = 32;
    DWord iType = 1;
    DWord nCount = 0;
    DWord nRgnSize = 0;
    TRect rcBound;
};
struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};
static_assert(sizeof(RGNDATAHEADER) == 32);
constexpr DWord RDH_RECTANGLES = 1;

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    Word bfType = 0x4D42;
    DWord bfSize = 0;
    Word bfReserved1 = 0;
    Word bfReserved2 = 0;
    DWord bfOffBits = 0;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

struct BITMAPINFOHEADER {
    DWord biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // negative: rows top-down
    Word biPlanes = 1;
    Word biBitCount = 24;
    DWord biCompression = 0;
    DWord biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    DWord biClrUsed = 0;
    DWord biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);
constexpr DWord BI_RGB = 0;
constexpr DWord BI_BITFIELDS = 3;

struct RGBQUAD {
    Byte rgbBlue = 0;
    Byte rgbGreen = 0;
    Byte rgbRed = 0;
    Byte rgbReserved = 0;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
constexpr UINT DIB_RGB_COLORS = 0;

struct BITMAP {
    std::int32_t bmType = 0;
    std::int32_t bmWidth = 0;
    std::int32_t bmHeight = 0;
    std::int32_t bmWidthBytes = 0;
    Word bmPlanes = 1;
    Word bmBitsPixel = 0;
    void* bmBits = nullptr;
};

constexpr int LF_FACESIZE = 32;
struct LOGFONTA {
    std::int32_t lfHeight = 0; // > 0 cell height, < 0 character height, 0 default
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0; // tenths of a degree, counter-clockwise
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 400;
    Byte lfItalic = 0;
    Byte lfUnderline = 0;
    Byte lfStrikeOut = 0;
    Byte lfCharSet = 1;
    Byte lfOutPrecision = 0;
    Byte lfClipPrecision = 0;
    Byte lfQuality = 0;
    Byte lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr Byte DEFAULT_CHARSET = 1;

struct TEXTMETRICA {
    std::int32_t tmHeight = 0;
    std::int32_t tmAscent = 0;
    std::int32_t tmDescent = 0;
    std::int32_t tmInternalLeading = 0;
    std::int32_t tmExternalLeading = 0;
    std::int32_t tmAveCharWidth = 0;
    std::int32_t tmMaxCharWidth = 0;
    std::int32_t tmWeight = 0;
    std::int32_t tmOverhang = 0;
    std::int32_t tmDigitizedAspectX = 96;
    std::int32_t tmDigitizedAspectY = 96;
    char tmFirstChar = 32;
    char tmLastChar = 126;
    char tmDefaultChar = '?';
    char tmBreakChar = ' ';
    Byte tmItalic = 0;
    Byte tmUnderlined = 0;
    Byte tmStruckOut = 0;
    Byte tmPitchAndFamily = 0;
    Byte tmCharSet = 0;
};

struct ICONINFO {
    bool fIcon = true;
    DWord xHotspot = 0;
    DWord yHotspot = 0;
    HBITMAP hbmMask = nullptr; // 1 = transparent; may be null when hbmColor has alpha
    HBITMAP hbmColor = nullptr;
};

struct BLENDFUNCTION {
    Byte BlendOp = 0;
    Byte BlendFlags = 0;
    Byte SourceConstantAlpha = 255;
    Byte AlphaFormat = 0; // AC_SRC_ALPHA: source pixels carry premultiplied alpha
};
constexpr Byte AC_SRC_OVER = 0;
constexpr Byte AC_SRC_ALPHA = 1;

// Object kinds for GetObjectType.
constexpr DWord OBJ_PEN = 1;
constexpr DWord OBJ_BRUSH = 2;
constexpr DWord OBJ_DC = 3;
constexpr DWord OBJ_FONT = 6;
constexpr DWord OBJ_BITMAP = 7;
constexpr DWord OBJ_REGION = 8;
constexpr DWord OBJ_MEMDC = 10;

// Raster operations (ternary: pattern, source, destination).
constexpr DWord SRCCOPY = 0x00CC0020;
constexpr DWord SRCPAINT = 0x00EE0086;
constexpr DWord SRCAND = 0x008800C6;
constexpr DWord SRCINVERT = 0x00660046;
constexpr DWord SRCERASE = 0x00440328;
constexpr DWord NOTSRCCOPY = 0x00330008;
constexpr DWord NOTSRCERASE = 0x001100A6;
constexpr DWord MERGECOPY = 0x00C000CA;
constexpr DWord MERGEPAINT = 0x00BB0226;
constexpr DWord PATCOPY = 0x00F00021;
constexpr DWord PATPAINT = 0x00FB0A09;
constexpr DWord PATINVERT = 0x005A0049;
constexpr DWord DSTINVERT = 0x00550009;
constexpr DWord BLACKNESS = 0x00000042;
constexpr DWord WHITENESS = 0x00FF0062;

// Binary raster operations of pens and brushes (SetROP2).
constexpr int R2_BLACK = 1;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOP = 11;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

// Pens and brushes.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;
constexpr int PS_STYLE_MASK = 0xF;
// ExtCreatePen: a geometric pen may be wide with a chosen end cap; a cosmetic one is 1 pixel.
constexpr int PS_COSMETIC = 0;
constexpr int PS_GEOMETRIC = 0x10000;
constexpr int PS_TYPE_MASK = 0xF0000;
constexpr int PS_ENDCAP_ROUND = 0;
constexpr int PS_ENDCAP_SQUARE = 0x100;
constexpr int PS_ENDCAP_FLAT = 0x200;
constexpr int PS_ENDCAP_MASK = 0xF00;
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int DEFAULT_GUI_FONT = 17;
constexpr int SYSTEM_FONT = 13;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Region results and combine modes.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// DrawText flags.
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_TABSTOP = 0x80;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_EXTERNALLEADING = 0x200;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_HIDEPREFIX = 0x100000;
constexpr UINT DT_PREFIXONLY = 0x200000;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
constexpr UINT DT_WORD_ELLIPSIS = 0x40000;
constexpr UINT DT_MODIFYSTRING = 0x10000;
constexpr UINT DT_RTLREADING = 0x20000;

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x2;
constexpr UINT ETO_CLIPPED = 0x4;

// Text alignment (SetTextAlign).
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// DrawIconEx flags.
constexpr UINT DI_MASK = 1;
constexpr UINT DI_IMAGE = 2;
constexpr UINT DI_NORMAL = 3;

// Largest bitmap side we accept; keeps every size product far from overflow.
constexpr int kMaxBitmapSide = 16384;

} // namespace vd
