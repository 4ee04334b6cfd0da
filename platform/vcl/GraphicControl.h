#pragma once
// TGraphicControl: a windowless control painted on its parent's surface through its Canvas.
#include "platform/vcl/Control.h"
#include "platform/vcl/ControlCanvas.h"

namespace vd {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas& Canvas() { return FCanvas; }
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}

private:
    TControlCanvas FCanvas;
};

} // namespace vd
