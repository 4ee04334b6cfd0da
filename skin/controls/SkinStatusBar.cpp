#include "skin/controls/SkinStatusBar.h"

#include "platform/win/Windows.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinWindowRecords.h"

namespace vd {

TskSkinStatusBar::TskSkinStatusBar(TComponent* AOwner) : TskSkinPanel(AOwner) {
    SetSkinDataName("statusbar");
    SetAlign(alBottom);
    SetHeight(21);
    SetBorderStyle(bvNone);
    FForceBackground = false;
}

void TskSkinStatusBar::SetSizeGrip(bool Value) {
    FSizeGrip = Value;
    Repaint();
    Realign();
}

void TskSkinStatusBar::SetGripVisible(bool Value) {
    FGripVisible = Value;
    Repaint();
    Realign();
}

void TskSkinStatusBar::SetSkinData(TskSkinData* Value) {
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* c = dynamic_cast<TskSkinControl*>(Controls(i))) c->SetSkinData(Value);
}

void TskSkinStatusBar::GetSkinData() {
    TskSkinPanel::GetSkinData();
    auto* r = dynamic_cast<TskDataSkinPanelControl*>(SkinRecord());
    if (FSkinIndex == -1 || !r) return;
    gripperrect = r->gripperrect;
    grippertransparent = r->grippertransparent;
    grippertransparentcolor = r->grippertransparentcolor;
}

void TskSkinStatusBar::AdjustClientRect(TRect& Rect) {
    TskSkinPanel::AdjustClientRect(Rect);
    if (!GripShown()) return;
    if (FSkinIndex == -1 || IsEmptySkinRect(gripperrect))
        Rect.Right -= Rect.Height();
    else
        Rect.Right -= gripperrect.Width();
}

TRect TskSkinStatusBar::GripRect() {
    const TRect r = GetAdjustedClientRect(this);
    if (FSkinIndex == -1 || IsEmptySkinRect(gripperrect))
        return {r.Right + 2, r.Top, r.Right + r.Height(), r.Bottom - 2};
    return {r.Right, r.Bottom - gripperrect.Height(), r.Right + gripperrect.Width(), r.Bottom};
}

void TskSkinStatusBar::DrawGripLines(TCanvas& c, const TRect& R, TColor Light, TColor Dark) {
    c.Pen().Style = psSolid;
    c.Pen().Width = 1;
    const int most = R.Width() / 3 + 1;
    for (int i = 1; i <= most; ++i) {
        const int o = 3 * i;
        if (R.Left + o + 2 > R.Right) break;
        c.Pen().Color = Dark;
        c.MoveTo(R.Left + o, R.Bottom);
        c.LineTo(R.Right, R.Top + o);
        c.Pen().Color = Light;
        c.MoveTo(R.Left + o + 1, R.Bottom);
        c.LineTo(R.Right, R.Top + o + 1);
    }
}

void TskSkinStatusBar::CreateControlDefaultImage(TBitmap& Bitmap) {
    TskSkinPanel::CreateControlDefaultImage(Bitmap);
    if (GripShown()) DrawGripLines(Bitmap.Canvas(), GripRect(), clBtnHighlight, clBtnShadow);
}

void TskSkinStatusBar::CreateControlSkinImage(TBitmap& Bitmap) {
    TskSkinPanel::CreateControlSkinImage(Bitmap);
    if (!GripShown()) return;
    const TRect g = GripRect();
    if (IsEmptySkinRect(gripperrect)) {
        const TskSkinColors& colors = FSkinData->SkinColors();
        DrawGripLines(Bitmap.Canvas(), g, colors.cbtnhighlight, colors.cbtnshadow);
    } else {
        DrawSkinPiece(Bitmap.Canvas(), g.Left, g.Top, *FFace.SkinBitmap, gripperrect, grippertransparent,
                      grippertransparentcolor);
    }
}

void TskSkinStatusBar::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_NCHITTEST && !Designing() && GripShown()) {
        const TPoint screen{static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(Message.LParam))),
                            static_cast<std::int16_t>(HiWord(static_cast<std::uintptr_t>(Message.LParam)))};
        const TPoint p = ScreenToClient(screen);
        GetSkinData();
        Message.Result = PointInRectIncl(GripRect(), p) ? HTBOTTOMRIGHT : HTCLIENT;
        return;
    }
    TskSkinPanel::Dispatch(Message);
}

} // namespace vd
