#include "app/ui/console/MeterView.h"

#include "platform/vcl/Canvas.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/Windows.h"

#include <algorithm>

namespace vd {

TSize TMeterView::Size() {
    if (!FLed) return {0, 0};
    TBitmap& picture = FLed->Picture();
    if (!FSized && picture.Empty() && FLed->Width() > 0 && FLed->Height() > 0)
        picture.SetSize(FLed->Width(), FLed->Height());
    return {picture.Width(), picture.Height()};
}

void TMeterView::Resize(int width, int height) {
    if (!FLed) return;
    FSized = true;
    FLed->Picture().SetSize(std::max(width, 0), std::max(height, 0));
}

void TMeterView::Paint(const TMeterPaint& paint) {
    if (!FLed) return;
    const TSize size = Size();
    if (size.cx <= 0 || size.cy <= 0) return;
    if (!paint.ClearBlack && paint.Labels.empty() && paint.Rects.empty()) return; // nothing changed
    TCanvas& canvas = FLed->Picture().Canvas();
    canvas.Lock();
    TRect dirty{0, 0, 0, 0};
    if (paint.ClearBlack) {
        dirty = {0, 0, size.cx, size.cy};
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = clBlack;
        canvas.FillRect(dirty);
    }
    if (!paint.Labels.empty()) {
        canvas.Brush().Style = bsClear;
        canvas.Font().SetStyle(0);
        for (const TMeterLabel& label : paint.Labels) {
            canvas.Font().SetColor(static_cast<TColor>(label.Color));
            canvas.TextOut(label.X, label.Y, label.Text);
        }
        dirty = {0, 0, size.cx, size.cy};
    }
    canvas.Brush().Style = bsSolid;
    for (const TMeterRect& r : paint.Rects) {
        canvas.Brush().Color = static_cast<TColor>(r.Color);
        canvas.FillRect(r.Rect);
        if (dirty.Right <= dirty.Left || dirty.Bottom <= dirty.Top) {
            dirty = r.Rect;
        } else {
            dirty.Left = std::min(dirty.Left, r.Rect.Left);
            dirty.Top = std::min(dirty.Top, r.Rect.Top);
            dirty.Right = std::max(dirty.Right, r.Rect.Right);
            dirty.Bottom = std::max(dirty.Bottom, r.Rect.Bottom);
        }
    }
    canvas.Unlock();
    InvalidatePart(dirty);
}

// Only the segments that changed are repainted: most ticks change a few of them or none.
void TMeterView::InvalidatePart(const TRect& part) {
    TWinControl* parent = FLed->Parent();
    const bool plain = !FLed->Stretch && !FLed->Center && !FLed->Transparent;
    if (!plain || !parent || !parent->HandleAllocated() || !FLed->Visible()) {
        FLed->Invalidate();
        return;
    }
    TRect r{FLed->Left() + part.Left, FLed->Top() + part.Top, FLed->Left() + part.Right,
            FLed->Top() + part.Bottom};
    r.Right = std::min(r.Right, FLed->Left() + FLed->Width());
    r.Bottom = std::min(r.Bottom, FLed->Top() + FLed->Height());
    if (r.Right > r.Left && r.Bottom > r.Top) InvalidateRect(parent->WindowHandle(), &r, FALSE);
}

} // namespace vd
