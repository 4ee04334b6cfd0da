#include "platform/gfx/Objects.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Region.h"

#include <array>
#include <cstring>
#include <memory>

namespace vd {

namespace {

GdiBitmap* CopyBitmap(const GdiBitmap* src) {
    if (!src) return nullptr;
    auto* copy = new GdiBitmap(src->Width(), src->Height(), src->BitCount(), true);
    const std::size_t rowBytes = std::size_t(GdiBitmap::StrideFor(src->Width(), src->BitCount()));
    for (int y = 0; y < src->Height() && rowBytes > 0; ++y)
        std::memcpy(copy->Row(y), src->Row(y), rowBytes);
    copy->SetPalette(0, src->Palette(0));
    copy->SetPalette(1, src->Palette(1));
    return copy;
}

GdiObject* MakeStock(GdiObject* o) {
    o->MarkStock();
    return o;
}

LOGFONTA DefaultLogFont(const char* face, int height) {
    LOGFONTA lf;
    lf.lfHeight = height;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

} // namespace

GdiIcon::GdiIcon(GdiBitmap* color, GdiBitmap* mask) : GdiObject(Kind::Icon), FColor(color), FMask(mask) {}

GdiIcon::~GdiIcon() {
    if (FColor) FColor->Release();
    if (FMask) FMask->Release();
}

int GdiIcon::Width() const {
    return FColor ? FColor->Width() : FMask ? FMask->Width() : 0;
}

int GdiIcon::Height() const {
    if (FColor) return FColor->Height();
    // A mask without a colour picture holds the AND mask above the XOR mask.
    return FMask ? FMask->Height() / 2 : 0;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    return new GdiPen(style, width < 0 ? 0 : width, color);
}

HPEN ExtCreatePen(DWord style, DWord width, const LOGBRUSH* brush, DWord styleCount, const DWord* styles) {
    (void)styles;
    if (!brush || brush->lbStyle != BS_SOLID || styleCount != 0) return nullptr;
    const int s = int(style);
    const int dash = s & PS_STYLE_MASK;
    if (dash != PS_SOLID && dash != PS_DASH && dash != PS_DOT && dash != PS_NULL) return nullptr;
    const bool geometric = (s & PS_TYPE_MASK) == PS_GEOMETRIC;
    if (!geometric && width != 1) return nullptr;
    if (width > 4096) return nullptr;
    return new GdiPen(s, int(width), brush->lbColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return new GdiBrush(BS_SOLID, color);
}

HGDIOBJ GetStockObject(int which) {
    // Built once, never freed: contexts refer to them by default.
    static GdiObject* const stock[] = {
        MakeStock(new GdiBrush(BS_SOLID, RGB(255, 255, 255))),
        MakeStock(new GdiBrush(BS_SOLID, RGB(192, 192, 192))),
        MakeStock(new GdiBrush(BS_SOLID, RGB(128, 128, 128))),
        MakeStock(new GdiBrush(BS_SOLID, RGB(64, 64, 64))),
        MakeStock(new GdiBrush(BS_SOLID, RGB(0, 0, 0))),
        MakeStock(new GdiBrush(BS_NULL, 0)),
        MakeStock(new GdiPen(PS_SOLID, 0, RGB(255, 255, 255))),
        MakeStock(new GdiPen(PS_SOLID, 0, RGB(0, 0, 0))),
        MakeStock(new GdiPen(PS_NULL, 0, 0)),
    };
    static GdiObject* const systemFont = MakeStock(new GdiFont(DefaultLogFont("MS Sans Serif", 16)));
    static GdiObject* const guiFont = MakeStock(new GdiFont(DefaultLogFont("MS Shell Dlg", -11)));
    static GdiObject* const defaultBitmap = MakeStock(new GdiBitmap(1, 1, 1));
    if (which >= 0 && which <= NULL_PEN) return stock[which];
    switch (which) {
    case SYSTEM_FONT:
        return systemFont;
    case DEFAULT_GUI_FONT:
        return guiFont;
    case -1:
        return defaultBitmap;
    default:
        return nullptr;
    }
}

HBRUSH GetSysColorBrush(int index) {
    static const std::array<GdiBrush*, kSystemColorCount> brushes = [] {
        std::array<GdiBrush*, kSystemColorCount> b{};
        for (int i = 0; i < kSystemColorCount; ++i)
            b[std::size_t(i)] = static_cast<GdiBrush*>(MakeStock(new GdiBrush(BS_SOLID, GetSysColor(i))));
        return b;
    }();
    if (index < 0 || index >= kSystemColorCount) return nullptr;
    return brushes[std::size_t(index)];
}

bool DeleteObject(HGDIOBJ object) {
    if (!object) return false;
    if (object->IsStock()) return true;
    return object->ReleaseHandle();
}

bool DeleteObject(HBITMAP object) {
    return DeleteObject(static_cast<HGDIOBJ>(object));
}
bool DeleteObject(HRGN object) {
    return DeleteObject(static_cast<HGDIOBJ>(object));
}
bool DeleteObject(HFONT object) {
    return DeleteObject(static_cast<HGDIOBJ>(object));
}
bool DeleteObject(HPEN object) {
    return DeleteObject(static_cast<HGDIOBJ>(object));
}
bool DeleteObject(HBRUSH object) {
    return DeleteObject(static_cast<HGDIOBJ>(object));
}

DWord GetObjectType(HGDIOBJ object) {
    if (!object) return 0;
    switch (object->ObjectKind()) {
    case GdiObject::Kind::Bitmap:
        return OBJ_BITMAP;
    case GdiObject::Kind::Region:
        return OBJ_REGION;
    case GdiObject::Kind::Pen:
        return OBJ_PEN;
    case GdiObject::Kind::Brush:
        return OBJ_BRUSH;
    case GdiObject::Kind::Font:
        return OBJ_FONT;
    case GdiObject::Kind::Icon:
        return 0;
    }
    return 0;
}

HICON CreateIconIndirect(const ICONINFO* info) {
    if (!info || (!info->hbmColor && !info->hbmMask)) return nullptr;
    std::unique_ptr<GdiBitmap, void (*)(GdiBitmap*)> color(CopyBitmap(info->hbmColor), [](GdiBitmap* b) {
        if (b) b->Release();
    });
    GdiBitmap* mask = CopyBitmap(info->hbmMask);
    return new GdiIcon(color.release(), mask);
}

bool DestroyIcon(HICON icon) {
    return DeleteObject(icon);
}

bool GetIconInfo(HICON icon, ICONINFO* info) {
    if (!icon || !info) return false;
    info->fIcon = true;
    info->hbmColor = CopyBitmap(icon->Color());
    info->hbmMask = CopyBitmap(icon->Mask());
    return true;
}

} // namespace vd
