#pragma once
// A canvas that draws on a control: inside its paint on the DC it was given, elsewhere on a
// DC of its window (or of its parent's window for a windowless control).
#include "platform/vcl/Forward.h"
#include "platform/vcl/Graphics.h"
#include "platform/win/WinTypes.h"

namespace vd {

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    ~TControlCanvas() override { FreeHandle(); }
    void SetHandle(HDC dc) override;
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HDC FOwnDC = nullptr;
    HWND FOwnWnd = nullptr;
};

} // namespace vd
