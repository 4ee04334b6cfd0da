#include "skin/extra/shell/SkinShellIcons.h"

#include "platform/shell/namespace/ShellNamespace.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"

#include <memory>

namespace vd {
namespace {

constexpr TColor kKey = 0xFF00FF; // transparent
constexpr TColor kInk = 0x404040, kPaper = 0xFFFFFF, kFolder = 0x4AC8F0, kFolderDark = 0x2090C0,
                 kScreen = 0xC07830, kMetal = 0xB0B0B0, kRoof = 0x3040C0;

// Draws icon i of size s at (x, 0): shapes scaled from a 16-unit grid.
void DrawIcon(TCanvas& c, int i, int x, int s) {
    auto r = [&](int l, int t, int rr, int b, TColor fill, TColor frame = kInk) {
        const TRect box{x + l * s / 16, t * s / 16, x + rr * s / 16, b * s / 16};
        c.Brush().Color = frame;
        c.FillRect(box);
        c.Brush().Color = fill;
        c.FillRect({box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1});
    };
    switch (i) {
    case siDesktop:
        r(1, 2, 15, 12, kScreen);
        r(5, 12, 11, 14, kMetal);
        break;
    case siComputer:
        r(2, 1, 14, 10, kScreen);
        r(1, 11, 15, 15, kMetal);
        break;
    case siHome:
        r(3, 7, 13, 15, kPaper);
        r(2, 3, 14, 8, kRoof);
        r(7, 10, 10, 15, kFolderDark);
        break;
    case siDrive:
        r(1, 5, 15, 12, kMetal);
        r(11, 8, 13, 10, 0x00C000, 0x00C000);
        break;
    case siFolder:
        r(1, 2, 7, 5, kFolderDark);
        r(1, 4, 15, 14, kFolder);
        break;
    case siFolderOpen:
        r(1, 2, 7, 5, kFolderDark);
        r(1, 4, 13, 14, kFolderDark);
        r(3, 7, 15, 14, kFolder);
        break;
    default:
        r(3, 1, 13, 15, kPaper);
        r(5, 4, 11, 5, kInk, kInk);
        r(5, 7, 11, 8, kInk, kInk);
        r(5, 10, 9, 11, kInk, kInk);
        break;
    }
}

std::unique_ptr<TCustomImageList> MakeList(int size) {
    auto list = std::make_unique<TCustomImageList>(nullptr);
    list->SetSize(size, size);
    TBitmap strip(size * siCount, size);
    strip.Canvas().Brush().Color = kKey;
    strip.Canvas().FillRect({0, 0, size * siCount, size});
    for (int i = 0; i < siCount; ++i)
        DrawIcon(strip.Canvas(), i, i * size, size);
    list->Add(strip, kKey);
    return list;
}

} // namespace

TCustomImageList* ShellSmallImages() {
    // Kept for the whole run: views use it until the very end.
    static TCustomImageList* list = MakeList(16).release();
    return list;
}

TCustomImageList* ShellLargeImages() {
    static TCustomImageList* list = MakeList(32).release();
    return list;
}

} // namespace vd
