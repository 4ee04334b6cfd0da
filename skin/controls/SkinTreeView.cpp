#include "skin/controls/SkinTreeView.h"

#include "platform/vcl/FontFaces.h"

#include "platform/vcl/WinControl.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinData.h"
#include "skin/store/SkinControlRecords.h"

namespace vd {

namespace skview {

bool ApplyTextViewRecord(const TskDataSkinTextViewBase* r, bool UseSkinFont, const TFont& DefaultFont,
                         TFont& Font, TColor& Color) {
    if (!r) return false;
    if (UseSkinFont) {
        Font.SetName(r->fontname);
        Font.SetStyle(r->fontstyle);
        Font.SetHeight(r->fontheight);
    } else {
        Font.Assign(DefaultFont);
    }
    Font.SetColor(static_cast<TColor>(r->fontcolor));
    Color = static_cast<TColor>(r->bgcolor);
    return true;
}

void ReapplyAlign(TskSkinScrollBar* Bar) {
    if (Bar) Bar->SetAlign(Bar->Align());
}

} // namespace skview

TskSkinCustomTreeView::TskSkinCustomTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {
    SetDefaultFace(FDefaultFont);
    FFont.Assign(FDefaultFont);
}

TskSkinCustomTreeView::~TskSkinCustomTreeView() {
    Destroying();
    // The bars outlive us on their form: they must not call back into a freed tree.
    for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
        if (bar) {
            bar->OnChange = nullptr;
            bar->RemoveFreeNotification(this);
        }
    if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinCustomTreeView::CreateParams(TCreateParams& Params) {
    TCustomTreeView::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

void TskSkinCustomTreeView::SetSkinData(TskSkinData* Value) {
    if (FSkinData != Value) {
        if (FSkinData) FSkinData->RemoveFreeNotification(this);
        FSkinData = Value;
        if (FSkinData) FSkinData->FreeNotification(this);
    }
    if (Value && !Value->Empty() && !Designing()) ChangeSkinData();
}

void TskSkinCustomTreeView::SetDefaultFont(const TFont& Value) {
    FDefaultFont.Assign(Value);
    if (FSkinIndex == -1) FFont.Assign(Value);
}

void TskSkinCustomTreeView::SetDefaultColor(TColor Value) {
    FDefaultColor = Value;
    if (FSkinIndex == -1) SetColor(Value);
}

void TskSkinCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomTreeView::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FVScrollBar) FVScrollBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr;
}

void TskSkinCustomTreeView::Loaded() {
    TCustomTreeView::Loaded();
    ChangeSkinData();
}

void TskSkinCustomTreeView::AttachBar(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, bool Vertical) {
    if (Field && Field != Value) {
        Field->RemoveFreeNotification(this);
        Field->OnChange = nullptr;
    }
    Field = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    Value->SetEnabled(true);
    Value->SetVisible(false);
    Value->OnChange = [this, Vertical](TObject*) { BarChange(Vertical); };
    UpdateScrollBars();
}

void TskSkinCustomTreeView::SetVScrollBar(TskSkinScrollBar* Value) {
    AttachBar(FVScrollBar, Value, true);
}

void TskSkinCustomTreeView::SetHScrollBar(TskSkinScrollBar* Value) {
    AttachBar(FHScrollBar, Value, false);
}

// The whole position travels in the message, never cut to 16 bits.
void TskSkinCustomTreeView::BarChange(bool Vertical) {
    TskSkinScrollBar* bar = Vertical ? FVScrollBar : FHScrollBar;
    if (!bar || !HandleAllocated()) return;
    SendMessage(FHandle, Vertical ? WM_VSCROLL : WM_HSCROLL,
                MakeScrollWParam(SB_THUMBPOSITION, bar->Position()), 0);
}

void TskSkinCustomTreeView::ChangeSkinData() {
    if (ComponentState() & csLoading) return;
    FSkinIndex = SkinUsable(FSkinData) ? FSkinData->IndexOfControlRecord(SkinDataName) : -1;
    if (FSkinIndex == -1) {
        SetColor(FDefaultColor);
        FFont.Assign(FDefaultFont);
    } else {
        TFont font;
        font.Assign(FFont);
        TColor color = FColor;
        auto* r = dynamic_cast<const TskDataSkinTreeView*>(FSkinData->ControlRecord(FSkinIndex));
        if (skview::ApplyTextViewRecord(r, UseSkinFont, FDefaultFont, font, color)) {
            FFont.Assign(font);
            SetColor(color);
        }
    }
    FFont.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    if (FImages) FImages->BkColor = FColor;
    if (FStateImages) FStateImages->BkColor = FColor;
    NodesChanged(); // the row height follows the font
    UpdateScrollBars();
    skview::ReapplyAlign(FVScrollBar);
    skview::ReapplyAlign(FHScrollBar);
}

bool TskSkinCustomTreeView::SetBarVisible(TskSkinScrollBar* Bar, bool Visible) {
    if (Bar->Visible() == Visible) return false;
    FUpdating = true;
    Bar->SetVisible(Visible);
    FUpdating = false;
    return true;
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
    if (FVScrollBar && FHScrollBar && FHScrollBar->Both() != FVScrollBar->Visible())
        FHScrollBar->SetBoth(FVScrollBar->Visible());
    if (Align() != alNone && changed && Parent()) {
        FUpdating = true;
        Parent()->Realign();
        FUpdating = false;
    }
}

void TskSkinCustomTreeView::Change(TTreeNode* Node) {
    TCustomTreeView::Change(Node);
    UpdateScrollBars();
}

void TskSkinCustomTreeView::WndProc(TMessage& Message) {
    TCustomTreeView::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
        if (!FUpdating) UpdateScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
        UpdateScrollBars();
        break;
    default:
        break;
    }
}

void TskSkinCustomTreeView::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        return; // the whole window is client area; nothing native is drawn around it
    case CM_VISIBLECHANGED:
        TCustomTreeView::Dispatch(Message);
        for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
            if (bar) bar->SetVisible(Visible());
        return;
    default:
        TCustomTreeView::Dispatch(Message);
    }
}

} // namespace vd
