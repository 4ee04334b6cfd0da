#include "platform/vcl/ControlCanvas.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/GraphicControl.h"

namespace vd {

void TControlCanvas::SetHandle(HDC dc) {
    if (dc != FOwnDC) FreeHandle();
    TCanvas::SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    if (!FOwnDC) return;
    if (FHandle == FOwnDC) FHandle = nullptr;
    ReleaseDC(FOwnWnd, FOwnDC);
    FOwnDC = nullptr;
    FOwnWnd = nullptr;
}

void TControlCanvas::CreateHandle() {
    FreeHandle();
    if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
        if (!w->HandleAllocated()) return;
        FOwnWnd = w->WindowHandle();
        FOwnDC = GetDC(FOwnWnd);
    } else if (FControl->Parent() && FControl->Parent()->HandleAllocated()) {
        FOwnWnd = FControl->Parent()->WindowHandle();
        FOwnDC = GetDC(FOwnWnd);
        SetViewportOrgEx(FOwnDC, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(FOwnDC, 0, 0, FControl->Width(), FControl->Height());
    }
    FHandle = FOwnDC;
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(this) {}

TGraphicControl::~TGraphicControl() {
    FCanvas.FreeHandle();
}

void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_PAINT && Message.WParam) {
        FCanvas.SetHandle(reinterpret_cast<HDC>(Message.WParam));
        FCanvas.Font().Assign(Font());
        const int saved = SaveDC(FCanvas.Handle());
        try {
            Paint();
        } catch (...) {
            RestoreDC(FCanvas.Handle(), saved);
            FCanvas.SetHandle(nullptr);
            throw;
        }
        RestoreDC(FCanvas.Handle(), saved);
        FCanvas.SetHandle(nullptr);
        return;
    }
    TControl::Dispatch(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(this) {}

TCustomControl::~TCustomControl() {
    FCanvas.FreeHandle();
}

void TCustomControl::PaintWindow(std::uintptr_t DC) {
    FCanvas.SetHandle(reinterpret_cast<HDC>(DC));
    FCanvas.Font().Assign(Font());
    try {
        Paint();
    } catch (...) {
        FCanvas.SetHandle(nullptr);
        throw;
    }
    FCanvas.SetHandle(nullptr);
}

} // namespace vd
