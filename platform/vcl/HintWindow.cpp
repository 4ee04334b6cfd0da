#include "platform/vcl/HintWindow.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Screen.h"

#include <algorithm>

namespace vd {

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    FColor = clInfoBk;
    FFont.SetColor(clInfoText);
    FVisible = false;
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.ClassStyle = CS_SAVEBITS | CS_DROPSHADOW;
    Params.WndParent = nullptr;
    Params.WinClassName = "VclHintWindow";
}

void THintWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_NCHITTEST:
        Message.Result = HTTRANSPARENT;
        return;
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    default:
        TCustomControl::Dispatch(Message);
    }
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint) {
    HDC dc = CreateCompatibleDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font().Assign(FFont);
    TRect r{0, 0, MaxWidth, 0};
    canvas.DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    canvas.SetHandle(nullptr);
    DeleteDC(dc);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
    SetCaption(AHint);
    const int sw = Screen ? Screen->Width() : 1024;
    const int sh = Screen ? Screen->Height() : 768;
    if (Rect.Right > sw) {
        const int w = Rect.Width();
        Rect.Left = std::max(0, sw - w);
        Rect.Right = Rect.Left + w;
    }
    if (Rect.Bottom > sh) {
        const int h = Rect.Height();
        Rect.Top = std::max(0, sh - h);
        Rect.Bottom = Rect.Top + h;
    }
    Rect.Left = std::max(Rect.Left, 0);
    Rect.Top = std::max(Rect.Top, 0);
    HWND h = Handle();
    SetWindowPos(h, HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FVisible = true;
    Invalidate();
    Update();
}

void THintWindow::ReleaseHandle() {
    if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
    FVisible = false;
}

void THintWindow::Paint() {
    TCanvas& c = Canvas();
    c.Brush().Color = FColor;
    c.FillRect(ClientRect());
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    c.Font().Assign(FFont);
    c.Brush().Style = bsClear;
    c.DrawText(FText, r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    c.Brush().Style = bsSolid;
}

} // namespace vd
