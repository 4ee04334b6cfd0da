#include "skin/controls/SkinViewBase.h"

#include "platform/vcl/FontFaces.h"
#include "platform/vcl/WinControl.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinData.h"
#include "skin/store/SkinControlRecords.h"

namespace vd {

template <class TBase, class TRecord>
TskSkinViewBase<TBase, TRecord>::TskSkinViewBase(TComponent* AOwner, const char* ARecordName)
    : TBase(AOwner), SkinDataName(ARecordName) {
    SetDefaultFace(FDefaultFont);
    this->FFont.Assign(FDefaultFont);
}

template <class TBase, class TRecord> TskSkinViewBase<TBase, TRecord>::~TskSkinViewBase() {
    this->Destroying();
    // The bars outlive us on their form: they must not call back into a freed view.
    for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
        if (bar) bar->OnChange = nullptr;
}

template <class TBase, class TRecord>
void TskSkinViewBase<TBase, TRecord>::CreateParams(TCreateParams& Params) {
    TBase::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

template <class TBase, class TRecord> void TskSkinViewBase<TBase, TRecord>::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
    if (Value && !Value->Empty() && !Designing()) ChangeSkinData();
}

template <class TBase, class TRecord>
void TskSkinViewBase<TBase, TRecord>::SetDefaultFont(const TFont& Value) {
    FDefaultFont.Assign(Value);
    if (FSkinIndex == -1) this->FFont.Assign(Value);
}

template <class TBase, class TRecord> void TskSkinViewBase<TBase, TRecord>::SetDefaultColor(TColor Value) {
    FDefaultColor = Value;
    if (FSkinIndex == -1) this->SetColor(Value);
}

template <class TBase, class TRecord> void TskSkinViewBase<TBase, TRecord>::Loaded() {
    TBase::Loaded();
    ChangeSkinData();
}

template <class TBase, class TRecord> void TskSkinViewBase<TBase, TRecord>::ApplySkinRecord() {
    FSkinIndex = SkinUsable(FSkinData) ? FSkinData->IndexOfControlRecord(SkinDataName) : -1;
    if (FSkinIndex == -1) {
        this->SetColor(FDefaultColor);
        this->FFont.Assign(FDefaultFont);
    } else if (auto* r = dynamic_cast<const TRecord*>(FSkinData->ControlRecord(FSkinIndex))) {
        // Built aside, so that the view hears of one font change only.
        TFont font;
        font.Assign(this->FFont);
        if (UseSkinFont) {
            font.SetName(r->fontname);
            font.SetStyle(r->fontstyle);
            font.SetHeight(r->fontheight);
        } else {
            font.Assign(FDefaultFont);
        }
        font.SetColor(static_cast<TColor>(r->fontcolor));
        this->FFont.Assign(font);
        this->SetColor(static_cast<TColor>(r->bgcolor));
    }
    this->FFont.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
}

template <class TBase, class TRecord> void TskSkinViewBase<TBase, TRecord>::RealignBars() {
    UpdateScrollBars();
    // Setting a bar's own Align again makes its parent lay it out anew.
    for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
        if (bar) bar->SetAlign(bar->Align());
}

template <class TBase, class TRecord>
void TskSkinViewBase<TBase, TRecord>::AttachBar(TComponentLink<TskSkinScrollBar>& Field,
                                                TskSkinScrollBar* Value, bool Vertical) {
    if (Field && Field != Value) Field->OnChange = nullptr;
    Field = Value;
    if (!Value) return;
    Value->SetEnabled(true);
    Value->SetVisible(false);
    Value->OnChange = [this, Vertical](TObject*) { BarChange(Vertical); };
    UpdateScrollBars();
}

template <class TBase, class TRecord>
bool TskSkinViewBase<TBase, TRecord>::SetBarVisible(TskSkinScrollBar* Bar, bool Visible) {
    if (Bar->Visible() == Visible) return false;
    FUpdating = true;
    Bar->SetVisible(Visible);
    FUpdating = false;
    return true;
}

template <class TBase, class TRecord> void TskSkinViewBase<TBase, TRecord>::FinishBars(bool Changed) {
    if (FVScrollBar && FHScrollBar && FHScrollBar->Both() != FVScrollBar->Visible())
        FHScrollBar->SetBoth(FVScrollBar->Visible());
    if (this->Align() != alNone && Changed && this->Parent()) {
        FUpdating = true;
        this->Parent()->Realign();
        FUpdating = false;
    }
}

template <class TBase, class TRecord> void TskSkinViewBase<TBase, TRecord>::WndProc(TMessage& Message) {
    TBase::WndProc(Message);
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

template <class TBase, class TRecord> void TskSkinViewBase<TBase, TRecord>::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        return; // the whole window is client area; nothing native is drawn around it
    case CM_VISIBLECHANGED:
        TBase::Dispatch(Message);
        for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
            if (bar) bar->SetVisible(this->Visible());
        return;
    default:
        TBase::Dispatch(Message);
    }
}

template class TskSkinViewBase<TCustomListView, TskDataSkinListView>;
template class TskSkinViewBase<TCustomTreeView, TskDataSkinTreeView>;

} // namespace vd
