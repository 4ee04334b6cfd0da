#include "platform/vcl/Brush.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/GraphicsHandles.h"

namespace vd {

TBrush::~TBrush() {
    HGDIOBJ h = FHandle;
    vclgfx::Drop(h);
}

HBRUSH TBrush::Handle() {
    if (Style == bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (FHandle && FMadeColor == Color) return FHandle;
    HGDIOBJ old = FHandle;
    vclgfx::Drop(old);
    FHandle = CreateSolidBrush(vclgfx::Resolve(Color));
    FMadeColor = Color;
    return FHandle;
}

void TBrush::Assign(const TPersistent& source) {
    if (auto* b = dynamic_cast<const TBrush*>(&source)) {
        Color = b->Color;
        Style = b->Style;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

} // namespace vd
