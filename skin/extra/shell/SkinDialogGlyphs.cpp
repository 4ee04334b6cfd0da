#include "skin/extra/shell/SkinDialogGlyphs.h"

#include "platform/vcl/Canvas.h"

namespace vd {
namespace {

constexpr int kSize = 16;
constexpr TColor kKey = 0xFF00FF;
constexpr TColor kInk = 0x404040, kFolder = 0x4AC8F0, kFolderDark = 0x2090C0, kArrow = 0x208020,
                 kSpark = 0x00A0FF, kTile = 0xC07830;

void Box(TCanvas& c, int l, int t, int r, int b, TColor fill, TColor frame = kInk) {
    c.Brush().Color = frame;
    c.FillRect({l, t, r, b});
    c.Brush().Color = fill;
    c.FillRect({l + 1, t + 1, r - 1, b - 1});
}

void Span(TCanvas& c, int l, int r, int y, TColor colour) {
    c.Brush().Color = colour;
    c.FillRect({l, y, r, y + 1});
}

void Folder(TCanvas& c, int top) {
    Box(c, 1, top, 7, top + 3, kFolderDark);
    Box(c, 1, top + 2, 15, 15, kFolder);
}

void NewFolder(TCanvas& c) {
    Folder(c, 5);
    // A spark at the top right: the folder is new.
    Span(c, 11, 14, 0, kSpark);
    Span(c, 10, 15, 1, kSpark);
    Span(c, 9, 16, 2, kSpark);
    Span(c, 10, 15, 3, kSpark);
    Span(c, 11, 14, 4, kSpark);
}

void Back(TCanvas& c) {
    // An arrow pointing left: the head a triangle, the shaft a bar.
    for (int i = 0; i < 6; ++i)
        Span(c, 2 + i, 8, 7 - i, kArrow), Span(c, 2 + i, 8, 8 + i, kArrow);
    c.Brush().Color = kArrow;
    c.FillRect({8, 5, 14, 11});
}

void Up(TCanvas& c) {
    Folder(c, 6);
    // An arrow pointing up over the folder.
    for (int i = 0; i < 4; ++i)
        Span(c, 9 - i, 10 + i + 1, 1 + i, kArrow);
    c.Brush().Color = kArrow;
    c.FillRect({9, 5, 11, 12});
}

void ViewStyle(TCanvas& c) {
    // Four tiles with a line beside each: the view styles.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            const int x = 1 + col * 8, y = 2 + row * 7;
            Box(c, x, y, x + 4, y + 4, kTile);
            Span(c, x + 5, x + 7, y + 1, kInk);
            Span(c, x + 5, x + 7, y + 3, kInk);
        }
}

} // namespace

bool LoadDialogGlyph(const String& Name, TBitmap& Bitmap) {
    void (*draw)(TCanvas&) = Name == "SK_NEWFOLDER" ? NewFolder
                             : Name == "SK_BACK"    ? Back
                             : Name == "SK_UP"      ? Up
                             : Name == "SK_LVSTYLE" ? ViewStyle
                                                    : nullptr;
    if (!draw) return false;
    Bitmap.SetSize(kSize, kSize);
    TCanvas& c = Bitmap.Canvas();
    c.Brush().Color = kKey;
    c.FillRect({0, 0, kSize, kSize});
    draw(c);
    // The bottom-left pixel names the transparent colour.
    c.SetPixel(0, kSize - 1, kKey);
    return true;
}

} // namespace vd
