#include "platform/vcl/Pen.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/GraphicsHandles.h"

namespace vd {

TPen::~TPen() {
    HGDIOBJ h = FHandle;
    vclgfx::Drop(h);
}

HPEN TPen::Handle() {
    if (FHandle && FMadeColor == Color && FMadeStyle == Style && FMadeWidth == Width) return FHandle;
    HGDIOBJ old = FHandle;
    vclgfx::Drop(old);
    const int style = Style == psClear  ? PS_NULL
                      : Style == psDot  ? PS_DOT
                      : Style == psDash ? PS_DASH
                                        : PS_SOLID;
    FHandle = CreatePen(style, Width, vclgfx::Resolve(Color));
    FMadeColor = Color;
    FMadeStyle = Style;
    FMadeWidth = Width;
    return FHandle;
}

void TPen::Assign(const TPersistent& source) {
    if (auto* p = dynamic_cast<const TPen*>(&source)) {
        Color = p->Color;
        Style = p->Style;
        Mode = p->Mode;
        Width = p->Width;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

} // namespace vd
