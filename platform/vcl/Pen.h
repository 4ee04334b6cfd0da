#pragma once
// The class library's pen: made again in the drawing layer when its colour, style or width changed.
#include "platform/gfx/Color.h"
#include "platform/gfx/GdiTypes.h"
#include "platform/vcl/GraphicsObject.h"

namespace vd {

enum TPenStyle { psSolid, psDash, psDot, psClear };
enum TPenMode { pmCopy, pmXor, pmNot, pmBlack, pmWhite, pmNop };
class TPen : public TGraphicsObject {
public:
    ~TPen() override;
    TColor Color = clBlack;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    int Width = 1;
    HPEN Handle();
    void Assign(const TPersistent& source) override;

private:
    HPEN FHandle = nullptr;
    TColor FMadeColor = 0;
    TPenStyle FMadeStyle = psSolid;
    int FMadeWidth = 0;
};

} // namespace vd
