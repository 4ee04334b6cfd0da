#include "app/ui/main/ProgramIcon.h"

#include "platform/gfx/Gdi.h"

namespace vd {

namespace {

constexpr int kSize = 32;

void Fill(HDC dc, TRect r, COLORREF c) {
    UniqueBrush brush(CreateSolidBrush(c));
    FillRect(dc, &r, brush.Get());
}

// A square with its corners cut, in one colour.
void RoundSquare(HDC dc, COLORREF c) {
    Fill(dc, {1, 3, kSize - 1, kSize - 3}, c);
    Fill(dc, {3, 1, kSize - 3, kSize - 1}, c);
    Fill(dc, {2, 2, kSize - 2, kSize - 2}, c);
}

} // namespace

HICON MakeProgramIcon() {
    UniqueBitmap color(CreateBitmap(kSize, kSize, 1, 24, nullptr));
    UniqueBitmap mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
    UniqueDC cdc(CreateCompatibleDC(nullptr)), mdc(CreateCompatibleDC(nullptr));
    SelectObject(cdc.Get(), reinterpret_cast<HGDIOBJ>(color.Get()));
    SelectObject(mdc.Get(), reinterpret_cast<HGDIOBJ>(mask.Get()));
    const TRect all{0, 0, kSize, kSize};
    // The mask: white (clear) round the rounded square.
    FillRect(mdc.Get(), &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RoundSquare(mdc.Get(), RGB(0, 0, 0));
    FillRect(cdc.Get(), &all, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RoundSquare(cdc.Get(), RGB(28, 40, 64));
    // Three bars rising left to right, lit green, yellow and red at their tops.
    const int bottom = 26;
    const int heights[] = {9, 14, 19};
    for (int i = 0; i < 3; ++i) {
        const int left = 7 + i * 7;
        const int top = bottom - heights[i];
        Fill(cdc.Get(), {left, top, left + 5, bottom}, RGB(60, 200, 90));
        if (i >= 1) Fill(cdc.Get(), {left, top, left + 5, top + 4}, RGB(240, 210, 40));
        if (i == 2) Fill(cdc.Get(), {left, top, left + 5, top + 2}, RGB(230, 60, 50));
    }
    ICONINFO info;
    info.hbmColor = color.Get();
    info.hbmMask = mask.Get();
    return CreateIconIndirect(&info);
}

} // namespace vd
