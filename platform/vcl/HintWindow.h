#pragma once
// THintWindow: a top-most pop-up that shows a hint text and never takes activation or input.
#include "platform/vcl/CustomControl.h"

namespace vd {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    // Shows the text in the rectangle (screen coordinates), kept inside the screen.
    virtual void ActivateHint(TRect Rect, const String& AHint);
    // The size the text needs, at most MaxWidth wide (word wrapped).
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint);
    void ReleaseHandle(); // hides it
    bool IsShowing() const { return HandleAllocated() && IsWindowVisible(FHandle); }
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

} // namespace vd
