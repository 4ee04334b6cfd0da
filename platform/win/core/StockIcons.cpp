// The system icons (IDI_*), drawn here once per process at 32x32: a mask for their round or
// triangular shape and a symbol in the middle.
#include "platform/gfx/Gdi.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

#include <map>
#include <mutex>

namespace vd {
namespace {

constexpr int kSize = 32;

struct Look {
    COLORREF fill;
    const char* symbol;
    bool triangle;
    bool frame; // the application icon: a small window
};

Look LookOf(int id) {
    switch (id) {
    case IDI_HAND:
        return {RGB(200, 30, 30), "X", false, false};
    case IDI_QUESTION:
        return {RGB(30, 90, 200), "?", false, false};
    case IDI_EXCLAMATION:
        return {RGB(240, 200, 20), "!", true, false};
    case IDI_ASTERISK:
        return {RGB(30, 90, 200), "i", false, false};
    default:
        return {RGB(40, 100, 180), "", false, true};
    }
}

// Paints the shape in (color) or its mask (black shape on white) into dc.
void Shape(HDC dc, const Look& look, bool mask, COLORREF fill) {
    UniqueBrush brush(CreateSolidBrush(fill));
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(brush.Get()));
    SelectObject(dc, GetStockObject(NULL_PEN));
    if (look.frame) {
        const TRect outer{2, 4, 30, 28};
        FillRect(dc, &outer, brush.Get());
        if (!mask) {
            UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
            const TRect inner{4, 10, 28, 26};
            FillRect(dc, &inner, white.Get());
        }
    } else if (look.triangle) {
        const TPoint pts[] = {{16, 1}, {31, 30}, {1, 30}};
        Polygon(dc, pts, 3);
    } else {
        Ellipse(dc, 1, 1, 31, 31);
    }
}

HICON Draw(int id) {
    const Look look = LookOf(id);
    UniqueBitmap color(CreateBitmap(kSize, kSize, 1, 24, nullptr));
    UniqueBitmap mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
    UniqueDC cdc(CreateCompatibleDC(nullptr)), mdc(CreateCompatibleDC(nullptr));
    SelectObject(cdc.Get(), reinterpret_cast<HGDIOBJ>(color.Get()));
    SelectObject(mdc.Get(), reinterpret_cast<HGDIOBJ>(mask.Get()));
    const TRect all{0, 0, kSize, kSize};
    FillRect(mdc.Get(), &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(cdc.Get(), &all, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Shape(mdc.Get(), look, true, RGB(0, 0, 0));
    Shape(cdc.Get(), look, false, look.fill);
    if (*look.symbol) {
        LOGFONTA lf;
        lf.lfHeight = -20;
        lf.lfWeight = 700;
        std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "Arial");
        UniqueFont font(CreateFontIndirectA(&lf));
        SelectObject(cdc.Get(), reinterpret_cast<HGDIOBJ>(font.Get()));
        SetBkMode(cdc.Get(), TRANSPARENT);
        SetTextColor(cdc.Get(), look.triangle ? RGB(0, 0, 0) : RGB(255, 255, 255));
        TRect r{0, look.triangle ? 6 : 0, kSize, kSize};
        DrawTextUtf8(cdc.Get(), look.symbol, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    ICONINFO info;
    info.hbmColor = color.Get();
    info.hbmMask = mask.Get();
    return CreateIconIndirect(&info);
}

} // namespace

HICON LoadIcon(void*, int id) {
    switch (id) {
    case IDI_APPLICATION:
    case IDI_HAND:
    case IDI_QUESTION:
    case IDI_EXCLAMATION:
    case IDI_ASTERISK:
        break;
    default:
        return nullptr;
    }
    // Shared for the life of the process and freed when it ends: stock objects, so that a caller
    // destroying its handle (harmless with shared icons) cannot free one under the others.
    struct Cache {
        std::mutex lock;
        std::map<int, HICON> icons;
        ~Cache() {
            for (auto& [key, icon] : icons)
                delete icon;
        }
    };
    static Cache cache;
    std::lock_guard<std::mutex> guard(cache.lock);
    HICON& icon = cache.icons[id];
    if (!icon) {
        icon = Draw(id);
        if (icon) icon->MarkStock();
    }
    return icon;
}

} // namespace vd
