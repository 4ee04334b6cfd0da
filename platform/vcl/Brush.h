#pragma once
// The class library's brush: solid, or clear (nothing filled).
#include "platform/gfx/Color.h"
#include "platform/gfx/GdiTypes.h"
#include "platform/vcl/GraphicsObject.h"

namespace vd {

enum TBrushStyle { bsSolid, bsClear };
class TBrush : public TGraphicsObject {
public:
    ~TBrush() override;
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    HBRUSH Handle(); // a null brush for bsClear
    void Assign(const TPersistent& source) override;

private:
    HBRUSH FHandle = nullptr;
    TColor FMadeColor = 0;
};

} // namespace vd
