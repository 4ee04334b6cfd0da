#include "skin/form/frame/SkinForm.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/frame/FrameGeometry.h"
#include "skin/form/frame/FrameStates.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinFormHelpers.h"
#include "skin/form/frame/SkinFormMDI.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinMenu.h"

#include <algorithm>

namespace vd {

using namespace frameparts;

// ---- sizes and geometry

bool TskSkinForm::HasBorder() const {
    return FForm && FForm->BorderStyle() != bsNone;
}

bool TskSkinForm::Sizeable() const {
    return FForm && (FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin);
}

int TskSkinForm::CaptionHeight() const {
    const bool tool =
        FForm && (FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin);
    return tool ? 15 : 19;
}

int TskSkinForm::DefaultButtonSize() const {
    const bool tool =
        FForm && (FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin);
    return tool ? 13 : 17;
}

int TskSkinForm::GetMinWidth() const {
    if (!FSkinInUse) return MinWidth > 0 ? MinWidth : 120;
    const int pw = FSkinData->Picture.Width();
    if (pw < MinWidth && WindowState() != skwsMinimized) return MinWidth;
    if (FSkinData->formminwidth > 0) return FSkinData->formminwidth;
    return pw;
}

int TskSkinForm::GetMinHeight() const {
    const int frame =
        FSkinInUse ? FSkinData->Picture.Height() - FSkinData->clientrect.Height() : CaptionHeight() + 6;
    if (MinHeight > frame && !RolledUp() && WindowState() != skwsMinimized) return MinHeight;
    return frame;
}

TRect TskSkinForm::WorkAreaOfForm(bool workArea) const {
    TRect r;
    DesktopWorkArea(workArea, r);
    if (FForm && FForm->HandleAllocated()) WindowWorkArea(FForm->WindowHandle(), workArea, r);
    return r;
}

int TskSkinForm::GetMaxWidth() const {
    const int w = WorkAreaOfForm(!MaximizeOnFullScreen).Width();
    return MaxWidth != 0 ? IntMin(w, MaxWidth) : w;
}

int TskSkinForm::GetMaxHeight() const {
    const int h = WorkAreaOfForm(!MaximizeOnFullScreen).Height();
    return MaxHeight != 0 ? IntMin(h, MaxHeight) : h;
}

TPoint TskSkinForm::ScreenToFrame(TPoint screen) const {
    if (!FForm || !FForm->HandleAllocated()) return screen;
    TRect wr;
    GetWindowRect(FForm->WindowHandle(), wr);
    return {screen.X - wr.Left, screen.Y - wr.Top};
}

TRect TskSkinForm::FrameToScreen(const TRect& r) const {
    if (!FForm || !FForm->HandleAllocated()) return r;
    TRect wr;
    GetWindowRect(FForm->WindowHandle(), wr);
    return {r.Left + wr.Left, r.Top + wr.Top, r.Right + wr.Left, r.Bottom + wr.Top};
}

// ---- the frame's shape

void TskSkinForm::CalcFrameMetrics() {
    FGeometry->CalcMetrics();
}

const TskFrameMetrics& TskSkinForm::Metrics() const {
    return FGeometry->Metrics();
}

TRect TskSkinForm::MapSkinRect(const TRect& r) const {
    return FGeometry->MapSkinRect(r);
}

int TskSkinForm::HitTest(TPoint framePoint) {
    return FGeometry->HitTest(framePoint);
}

bool TskSkinForm::HasRegion() const {
    return FGeometry->HasRegion();
}

void TskSkinForm::UpdateRegion(bool Relayout) {
    FGeometry->UpdateRegion(Relayout);
}

} // namespace vd
