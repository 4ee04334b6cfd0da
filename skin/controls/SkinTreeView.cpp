#include "skin/controls/SkinTreeView.h"

#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinScrollBar.h"

namespace vd {

// The whole position travels in the message, never cut to 16 bits.
void TskSkinCustomTreeView::BarChange(bool Vertical) {
    TskSkinScrollBar* bar = Vertical ? FVScrollBar : FHScrollBar;
    if (!bar || !HandleAllocated()) return;
    SendMessage(FHandle, Vertical ? WM_VSCROLL : WM_HSCROLL,
                MakeScrollWParam(SB_THUMBPOSITION, bar->Position()), 0);
}

void TskSkinCustomTreeView::ChangeSkinData() {
    if (ComponentState() & csLoading) return;
    ApplySkinRecord();
    if (FImages) FImages->BkColor = FColor;
    if (FStateImages) FStateImages->BkColor = FColor;
    NodesChanged(); // the row height follows the font
    RealignBars();
}

void TskSkinCustomTreeView::UpdateScrollBars() {
    if ((ComponentState() & csLoading) || FUpdating || !HandleAllocated()) return;
    bool changed = false;
    SCROLLINFO si;
    if (FVScrollBar) {
        si.fMask = SIF_RANGE | SIF_POS;
        GetScrollInfo(FHandle, SB_VERT, si);
        const int page = static_cast<int>(Perform(TVM_GETVISIBLECOUNT));
        const int total = static_cast<int>(Perform(TVM_GETCOUNT));
        const bool show = si.nMax > 0 && si.nMax >= page && si.nMax < total && Visible();
        changed |= SetBarVisible(FVScrollBar, show);
        if (show)
            FVScrollBar->SetRange({.Min = si.nMin, .Max = si.nMax, .Position = si.nPos, .PageSize = page});
    }
    if (FHScrollBar) {
        si.fMask = SIF_RANGE | SIF_POS;
        GetScrollInfo(FHandle, SB_HORZ, si);
        const bool show = Width() < si.nMax && Visible();
        changed |= SetBarVisible(FHScrollBar, show);
        if (show)
            FHScrollBar->SetRange({.Min = si.nMin, .Max = si.nMax, .Position = si.nPos, .PageSize = Width()});
    }
    FinishBars(changed);
}

void TskSkinCustomTreeView::Change(TTreeNode* Node) {
    TCustomTreeView::Change(Node);
    UpdateScrollBars();
}

} // namespace vd
