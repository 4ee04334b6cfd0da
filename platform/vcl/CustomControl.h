#pragma once
// TCustomControl: a windowed control that paints itself through its Canvas.
#include "platform/vcl/ControlCanvas.h"
#include "platform/vcl/WinControl.h"

namespace vd {

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas& Canvas() { return FCanvas; }

protected:
    virtual void Paint() {}
    void PaintWindow(std::uintptr_t DC) override;

private:
    TControlCanvas FCanvas;
};

} // namespace vd
