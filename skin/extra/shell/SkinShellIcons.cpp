#include "skin/extra/shell/SkinShellIcons.h"

#include "platform/shell/namespace/ShellNamespace.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"

#include <memory>
#include <vector>

namespace vd {
namespace {

constexpr TColor kKey = 0xFF00FF; // transparent
constexpr TColor kInk = 0x404040, kPaper = 0xFFFFFF, kFolder = 0x4AC8F0, kFolderDark = 0x2090C0,
                 kScreen = 0xC07830, kMetal = 0xB0B0B0, kRoof = 0x3040C0;

// A framed box on a 16-unit grid: right and bottom excluded.
struct TIconBox {
    int L, T, R, B;
    TColor Fill, Frame = kInk;
};

// Each icon's boxes in TShellIcon order, drawn in turn.
const std::vector<TIconBox> kIcons[siCount] = {
    {{1, 2, 15, 12, kScreen}, {5, 12, 11, 14, kMetal}},                                // desktop
    {{2, 1, 14, 10, kScreen}, {1, 11, 15, 15, kMetal}},                                // computer
    {{3, 7, 13, 15, kPaper}, {2, 3, 14, 8, kRoof}, {7, 10, 10, 15, kFolderDark}},      // home
    {{1, 5, 15, 12, kMetal}, {11, 8, 13, 10, 0x00C000, 0x00C000}},                     // drive
    {{1, 2, 7, 5, kFolderDark}, {1, 4, 15, 14, kFolder}},                              // folder
    {{1, 2, 7, 5, kFolderDark}, {1, 4, 13, 14, kFolderDark}, {3, 7, 15, 14, kFolder}}, // open folder
    {{3, 1, 13, 15, kPaper},
     {5, 4, 11, 5, kInk, kInk},
     {5, 7, 11, 8, kInk, kInk},
     {5, 10, 9, 11, kInk, kInk}}, // file
};

// Draws icon i of size s at (x, 0), scaled from its grid.
void DrawIcon(TCanvas& c, int i, int x, int s) {
    for (const TIconBox& k : kIcons[i]) {
        const TRect box{x + k.L * s / 16, k.T * s / 16, x + k.R * s / 16, k.B * s / 16};
        c.Brush().Color = k.Frame;
        c.FillRect(box);
        c.Brush().Color = k.Fill;
        c.FillRect({box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1});
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
