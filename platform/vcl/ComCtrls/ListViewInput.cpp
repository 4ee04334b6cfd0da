// The list view's selection, painting, input, messages and label editing.
#include "platform/gfx/Gdi.h"
#include "platform/vcl/ComCtrls/ItemViewParts.h"
#include "platform/vcl/ComCtrls/ListView.h"

#include <algorithm>

namespace vd {

namespace {
// Large (the normal slot) first, then small.
constexpr TViewImageList<TCustomListView> kImageLists[] = {
    {"LargeImages", &TCustomListView::LargeImages, &TCustomListView::SetLargeImages},
    {"SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages}};
} // namespace

bool TCustomListView::ItemSelected(int index) const {
    if (index < 0 || index >= FItems.Count()) return false;
    if (FOwnerData) return FVirtualSelected[static_cast<std::size_t>(index)];
    return FItems.FItems[static_cast<std::size_t>(index)]->FSelected;
}

void TCustomListView::SelectItem(TListItem* item, bool selected) {
    if (!item) return;
    const int index = item->Index();
    if (ItemSelected(index) == selected) return;
    if (selected && !MultiSelect)
        for (int i = 0; i < FItems.Count(); ++i)
            if (i != index && ItemSelected(i)) SelectItem(FItems.Item(i), false);
    if (FOwnerData)
        FVirtualSelected[static_cast<std::size_t>(index)] = selected;
    else
        FItems.FItems[static_cast<std::size_t>(index)]->FSelected = selected;
    Invalidate();
    if (OnSelectItem) OnSelectItem(this, FItems.Item(index), selected);
}

TListItem* TCustomListView::Selected() {
    for (int i = 0; i < FItems.Count(); ++i)
        if (ItemSelected(i)) return FItems.Item(i);
    return nullptr;
}

// By index: in owner-data mode the item is the scratch copy, which the loop fills again.
void TCustomListView::SetSelected(TListItem* item) {
    const int keep = item ? item->Index() : -1;
    for (int i = 0; i < FItems.Count(); ++i)
        if (ItemSelected(i) && i != keep) SelectItem(FItems.Item(i), false);
    if (keep >= 0 && keep < FItems.Count()) SelectItem(FItems.Item(keep), true);
}

int TCustomListView::SelCount() const {
    int n = 0;
    for (int i = 0; i < FItems.Count(); ++i)
        n += ItemSelected(i);
    return n;
}

TListItem* TCustomListView::ItemFocused() {
    return FFocused >= 0 && FFocused < FItems.Count() ? FItems.Item(FFocused) : nullptr;
}

void TCustomListView::SetItemFocused(TListItem* item) {
    FFocused = item ? item->Index() : -1;
    Invalidate();
}

void TCustomListView::PaintWindow(std::uintptr_t DC) {
    HDC dc = reinterpret_cast<HDC>(DC);
    const TRect client = ClientRect();
    PaintViewBackground(dc, client, FColor, FFont);
    const int count = FItems.Count();
    const int first = FViewStyle == vsReport ? FTop : 0;
    for (int i = first; i < count; ++i) {
        const TRect r = ItemRect(i);
        if (FViewStyle == vsReport && r.Top >= client.Bottom) break;
        if (r.Right <= 0 || r.Bottom <= 0 || r.Left >= client.Right || r.Top >= client.Bottom) continue;
        DrawItem(dc, i, r);
    }
}

// Image and caption, and in the report view the sub-items under their columns in order.
void TCustomListView::DrawItem(HDC dc, int index, const TRect& r) {
    TListItem* item = FItems.Item(index);
    const bool sel = ItemSelected(index) && (Focused() || !HideSelection);
    TCustomImageList* images = FViewStyle == vsIcon ? FLargeImages : FSmallImages;
    TRect text = r;
    if (images && item->ImageIndex() >= 0) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        if (FViewStyle == vsIcon) {
            images->Draw(canvas, r.Left + (r.Width() - images->Width()) / 2, r.Top + 2, item->ImageIndex());
            text.Top += images->Height() + 4;
        } else {
            images->Draw(canvas, r.Left + 2, r.Top + (r.Height() - images->Height()) / 2, item->ImageIndex());
            text.Left += images->Width() + 4;
        }
        canvas.SetHandle(nullptr);
    }
    std::vector<int> order = FViewStyle == vsReport ? ColumnOrder() : std::vector<int>{0};
    int x = r.Left;
    for (int col : order) {
        const int w =
            FViewStyle == vsReport && col < FColumns.Count() ? FColumns.Items(col)->Width() : r.Width();
        TRect cell{std::max(x, col == 0 ? text.Left : x), text.Top, x + w, text.Bottom};
        const String s = col == 0                             ? item->Caption()
                         : col - 1 < item->SubItems().Count() ? item->SubItems().Strings(col - 1)
                                                              : String();
        SetLabelColors(dc, cell, col == 0 && sel, FFont.Color());
        cell.Left += 2;
        const TAlignment a = FViewStyle == vsReport && col < FColumns.Count()
                                 ? FColumns.Items(col)->Alignment()
                                 : taLeftJustify;
        const UINT align = FViewStyle == vsIcon  ? DT_CENTER
                           : a == taRightJustify ? DT_RIGHT
                           : a == taCenter       ? DT_CENTER
                                                 : DT_LEFT;
        DrawTextUtf8(dc, s, cell,
                     align | DT_SINGLELINE | DT_END_ELLIPSIS | (FViewStyle == vsIcon ? DT_TOP : DT_VCENTER));
        x += w;
    }
}

void TCustomListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (CanFocus() && !Focused()) SetFocus();
    if (Button == mbLeft) {
        TListItem* item = GetItemAt(X, Y);
        if (item && MultiSelect && (Shift & ssCtrl)) {
            SelectItem(item, !item->Selected());
        } else if (item) {
            SetSelected(item);
        } else if (!MultiSelect || !(Shift & ssCtrl)) {
            SetSelected(nullptr);
        }
        if (item) SetItemFocused(item);
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListView::KeyDown(Word& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    const int count = FItems.Count();
    if (count == 0 || Key == 0) return;
    const int cur = std::max(FFocused, 0);
    const bool columns = FViewStyle == vsList;
    const int across = FViewStyle == vsReport ? 0 : columns ? PerLine() : 1;
    const int down = FViewStyle == vsReport || columns ? 1 : PerLine();
    int to = cur;
    switch (Key) {
    case VK_UP:
        to = cur - (columns ? 1 : down);
        break;
    case VK_DOWN:
        to = cur + (columns ? 1 : down);
        break;
    case VK_LEFT:
        if (!across) return;
        to = cur - across;
        break;
    case VK_RIGHT:
        if (!across) return;
        to = cur + across;
        break;
    case VK_HOME:
        to = 0;
        break;
    case VK_END:
        to = count - 1;
        break;
    case VK_PRIOR:
        to = cur - std::max(1, CountPerPage() - 1);
        break;
    case VK_NEXT:
        to = cur + std::max(1, CountPerPage() - 1);
        break;
    case VK_F2:
        if (Selected()) StartEdit(Selected());
        Key = 0;
        return;
    default:
        return;
    }
    to = std::clamp(to, 0, count - 1);
    TListItem* item = FItems.Item(to);
    SetSelected(item);
    SetItemFocused(FItems.Item(to));
    FItems.Item(to)->MakeVisible();
    Key = 0;
}

void TCustomListView::OnScroll(int bar, WPARAM wParam) {
    const int code = ScrollCode(wParam);
    const int pos = ScrollPos(wParam);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(FHandle, bar, si);
    const int page = std::max(1, static_cast<int>(si.nPage));
    const bool units = (FViewStyle == vsReport && bar == SB_VERT) || FViewStyle == vsList;
    const int line = units ? 1 : (FViewStyle == vsReport ? 8 : CellSize().cy / 2 + 1);
    int to = si.nPos;
    switch (code) {
    case SB_LINEUP:
        to -= line;
        break;
    case SB_LINEDOWN:
        to += line;
        break;
    case SB_PAGEUP:
        to -= page;
        break;
    case SB_PAGEDOWN:
        to += page;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        to = pos;
        break;
    case SB_TOP:
        to = si.nMin;
        break;
    case SB_BOTTOM:
        to = si.nMax;
        break;
    default:
        return;
    }
    if (units && bar == SB_VERT)
        FTop = to;
    else if (FViewStyle == vsList)
        FTop = to;
    else if (bar == SB_HORZ)
        FOffsetX = to;
    else
        FOffsetY = to;
    ClampOffsets();
    UpdateScrollState();
    Invalidate();
}

void TCustomListView::HeaderNotify(TMessage& Message) {
    const auto* nm = reinterpret_cast<const NMHEADER*>(Message.LParam);
    if (nm->hdr.code == HDN_ITEMCHANGED && nm->iItem >= 0 && nm->iItem < FColumns.Count()) {
        HDITEM it;
        it.mask = HDI_WIDTH;
        SendMessage(FHeader, HDM_GETITEM, static_cast<WPARAM>(nm->iItem), reinterpret_cast<LPARAM>(&it));
        FSyncingHeader = true;
        FColumns.Items(nm->iItem)->SetWidth(it.cxy);
        FSyncingHeader = false;
        ItemsChanged();
    } else if (nm->hdr.code == HDN_ENDDRAG) {
        Message.Result = FullDrag ? 0 : 1;
        return;
    } else if (nm->hdr.code == HDN_ITEMCLICK && OnColumnClick && nm->iItem >= 0 &&
               nm->iItem < FColumns.Count()) {
        OnColumnClick(this, FColumns.Items(nm->iItem));
    }
    Message.Result = 0;
}

void TCustomListView::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NOTIFY:
        if (Message.LParam && FHeader &&
            reinterpret_cast<const NMHDR*>(Message.LParam)->hwndFrom == FHeader) {
            HeaderNotify(Message);
            return;
        }
        TWinControl::Dispatch(Message);
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnScroll(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, Message.WParam);
        return;
    case WM_SIZE:
        TWinControl::Dispatch(Message);
        ItemsChanged();
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_GETFONT:
        Message.Result = reinterpret_cast<LRESULT>(FFont.Handle());
        return;
    case LVM_GETITEMCOUNT:
        Message.Result = FItems.Count();
        return;
    case LVM_GETCOUNTPERPAGE:
        Message.Result = CountPerPage();
        return;
    case LVM_GETHEADER:
        Message.Result = reinterpret_cast<LRESULT>(FHeader);
        return;
    case LVM_SCROLL:
        Scroll(static_cast<int>(static_cast<std::int32_t>(Message.WParam)), static_cast<int>(Message.LParam));
        Message.Result = TRUE;
        return;
    case LVM_GETITEMRECT:
        if (Message.LParam)
            *reinterpret_cast<TRect*>(Message.LParam) = ItemRect(static_cast<int>(Message.WParam));
        Message.Result = Message.WParam < static_cast<WPARAM>(FItems.Count());
        return;
    case LVM_SETIMAGELIST:
        Message.Result =
            ReplaceImageList(*this, kImageLists[Message.WParam == LVSIL_NORMAL ? 0 : 1], Message.LParam);
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

bool TCustomListView::SetComponentProperty(const String& name, TComponent* value) {
    return SetImageListProperty(*this, kImageLists, name, value) ||
           TWinControl::SetComponentProperty(name, value);
}

// Label editing over the caption; Enter or leaving commits, Esc cancels.
bool TCustomListView::StartEdit(TListItem* item) {
    if (!MayEditLabel(this, item)) return false;
    item->MakeVisible();
    FEditIndex = item->Index();
    OpenLabelEditor(this, FEditor, [&](TCustomEdit* editor) {
        TRect r = ItemRect(FEditIndex);
        if (FViewStyle == vsReport && FColumns.Count() > 0) r.Right = r.Left + FColumns.Items(0)->Width();
        editor->SetBoundsRect(r);
        editor->SetText(item->Caption());
    });
    return true;
}

void TCustomListView::EndEdit(bool cancel) {
    if (!FEditor || FEnding) return;
    FEnding = true;
    const int index = FEditIndex;
    FEditIndex = -1;
    String text = CloseLabelEditor(this, FEditor);
    if (!cancel && index >= 0 && index < FItems.Count()) {
        TListItem* item = FItems.Item(index);
        Edit(item, text);
        if (!FOwnerData) item->SetCaption(text);
    }
    FEnding = false;
}

} // namespace vd
