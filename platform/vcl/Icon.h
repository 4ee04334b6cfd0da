#pragma once
// An icon picture owning its drawing-layer handle.
#include "platform/gfx/GdiTypes.h"
#include "platform/vcl/Graphic.h"

namespace vd {

class TIcon : public TGraphic {
public:
    ~TIcon() override;
    int Width() const override;
    int Height() const override;
    bool Empty() const override { return FHandle == nullptr; }
    HICON Handle() const { return FHandle; }
    void SetHandle(HICON icon); // owned from then on
    void Draw(TCanvas& canvas, const TRect& r) override;
    void Assign(const TPersistent& source) override;

private:
    HICON FHandle = nullptr;
};

} // namespace vd
