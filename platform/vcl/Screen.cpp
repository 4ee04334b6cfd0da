#include "platform/vcl/Screen.h"

#include "platform/vcl/Form.h"

#include <algorithm>

namespace vd {

TScreen* Screen = new TScreen(nullptr); // lives for the program, like the class library's

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TRect TScreen::DesktopRect() const {
    TRect all;
    bool first = true;
    for (int i = 1;; ++i) {
        MONITORINFO mi;
        if (!GetMonitorInfo(reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(i)), mi)) break;
        if (first) {
            all = mi.rcMonitor;
            first = false;
        } else {
            all = {std::min(all.Left, mi.rcMonitor.Left), std::min(all.Top, mi.rcMonitor.Top),
                   std::max(all.Right, mi.rcMonitor.Right), std::max(all.Bottom, mi.rcMonitor.Bottom)};
        }
    }
    return all;
}

int TScreen::Width() const {
    return DesktopRect().Width();
}
int TScreen::Height() const {
    return DesktopRect().Height();
}

TRect TScreen::WorkAreaRect() const {
    TRect r;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

void TScreen::SetCursor(TCursor v) {
    FCursor = v;
    if (v != crDefault) SetCursorShape(CursorToShape(v));
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FActiveForm == form) FActiveForm = nullptr;
    if (FFocusedForm == form) FFocusedForm = nullptr;
    if (FActiveControl && GetParentForm(FActiveControl) == form) FActiveControl = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form) {
    FActiveForm = form;
}

} // namespace vd
