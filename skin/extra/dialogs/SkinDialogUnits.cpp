#include "skin/extra/dialogs/SkinDialogUnits.h"

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/win/Windows.h"

namespace vd {

int TDialogUnits::X(int n) const {
    return MulDiv(n, BaseX, 4);
}

int TDialogUnits::Y(int n) const {
    return MulDiv(n, BaseY, 8);
}

TDialogUnits MeasureDialogUnits(const TFont& Font) {
    TBitmap b(1, 1);
    b.Canvas().Font().Assign(Font);
    const TSize s = b.Canvas().TextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {s.cx / 52, s.cy};
}

} // namespace vd
