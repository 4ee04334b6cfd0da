#include "platform/vcl/ComCtrls/ListView.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/controls/HeaderWindow.h"

#include <algorithm>

namespace vd {
namespace {

int FontHeight(TFont& font) {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(font.Handle()));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    DeleteDC(dc);
    return tm.tmHeight;
}

// Whole units covering a pixel distance, away from zero.
int Units(int px, int unit) {
    unit = std::max(1, unit);
    return px >= 0 ? (px + unit - 1) / unit : -((-px + unit - 1) / unit);
}

} // namespace

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner), FColumns(this), FItems(this) {
    FWidth = 250;
    FHeight = 150;
    FTabStop = true;
    FColor = clWindow;
}

TCustomListView::~TCustomListView() {
    Destroying();
    FItems.FItems.clear();
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateHeader();
    UpdateScrollState();
}

void TCustomListView::DestroyWnd() {
    FHeader = nullptr; // destroyed with the list's window
    TWinControl::DestroyWnd();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FEditor) FEditor = nullptr;
}

void TCustomListView::SetLargeImages(TCustomImageList* v) {
    FLargeImages = v;
    ItemsChanged();
}

void TCustomListView::SetSmallImages(TCustomImageList* v) {
    FSmallImages = v;
    ItemsChanged();
}

void TCustomListView::SetViewStyle(TViewStyle v) {
    if (v == FViewStyle) return;
    FViewStyle = v;
    FTop = FOffsetX = FOffsetY = 0;
    UpdateHeader();
    ItemsChanged();
}

void TCustomListView::SetShowColumnHeaders(bool v) {
    FShowColumnHeaders = v;
    UpdateHeader();
    ItemsChanged();
}

void TCustomListView::SetOwnerData(bool v) {
    if (v == FOwnerData) return;
    FItems.FItems.clear();
    FItems.FVirtualCount = 0;
    FVirtualSelected.clear();
    FOwnerData = v;
    ItemsChanged();
}

// The report view has a header child: created, filled from the columns, placed on top.
void TCustomListView::UpdateHeader() {
    if (!FHandle) return;
    const bool want = FViewStyle == vsReport;
    if (!want) {
        if (FHeader) DestroyWindow(FHeader);
        FHeader = nullptr;
        return;
    }
    if (!FHeader) {
        RegisterHeaderClass();
        FHeader = CreateWindowEx(0, WC_HEADER, "", WS_CHILD | WS_VISIBLE, 0, 0, ClientWidth(), HeaderHeight(),
                                 FHandle);
    }
    FSyncingHeader = true;
    while (SendMessage(FHeader, HDM_GETITEMCOUNT) > 0)
        SendMessage(FHeader, HDM_DELETEITEM, 0);
    for (int i = 0; i < FColumns.Count(); ++i) {
        const TListColumn* c = FColumns.Items(i);
        HDITEM it;
        it.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        it.cxy = c->Width();
        it.text = c->Caption();
        it.fmt = c->Alignment() == taRightJustify ? HDF_RIGHT
                 : c->Alignment() == taCenter     ? HDF_CENTER
                                                  : HDF_LEFT;
        it.iImage = c->ImageIndex();
        SendMessage(FHeader, HDM_INSERTITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
    }
    FSyncingHeader = false;
    LayoutHeader();
}

void TCustomListView::LayoutHeader() {
    if (!FHeader) return;
    const int h = HeaderHeight();
    ShowWindow(FHeader, h > 0 ? SW_SHOWNA : SW_HIDE);
    SetWindowPos(FHeader, nullptr, -FOffsetX, 0, std::max(ContentWidth(), ClientWidth()) + FOffsetX,
                 std::max(h, 1), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomListView::ColumnsChanged() {
    if (FSyncingHeader) return;
    UpdateHeader();
    ItemsChanged();
}

void TCustomListView::ItemsChanged() {
    if (FOwnerData) FVirtualSelected.resize(static_cast<std::size_t>(FItems.Count()), false);
    if (FFocused >= FItems.Count()) FFocused = FItems.Count() - 1;
    ClampOffsets();
    UpdateScrollState();
    Invalidate();
}

void TCustomListView::Delete(TListItem* item) {
    if (OnDeletion) OnDeletion(this, item);
}

void TCustomListView::Edit(TListItem* item, String& text) {
    if (OnEdited) OnEdited(this, item, text);
}

void TCustomListView::OwnerDataFetch(TListItem& item) {
    if (OnData) OnData(this, &item);
}

int TCustomListView::OwnerDataFind(const String& text, int start) {
    int index = -1;
    if (OnDataFind) OnDataFind(this, text, start, index);
    return index;
}

void TCustomListView::ItemDeleting(TListItem* item) {
    Delete(item);
    if (FEditIndex == item->Index()) EndEdit(true);
    if (FFocused > item->Index())
        --FFocused;
    else if (FFocused == item->Index())
        FFocused = -1;
}

void TCustomListView::FetchItem(TListItem& item) {
    OwnerDataFetch(item);
}

int TCustomListView::RowHeight() {
    int h = FontHeight(FFont) + 2;
    if (FSmallImages) h = std::max(h, FSmallImages->Height() + 2);
    return h;
}

int TCustomListView::HeaderHeight() {
    return FViewStyle == vsReport && FShowColumnHeaders ? FontHeight(FFont) + 6 : 0;
}

TSize TCustomListView::CellSize() {
    if (FViewStyle == vsIcon) {
        const int ih = FLargeImages ? FLargeImages->Height() : 32;
        const int iw = FLargeImages ? FLargeImages->Width() : 32;
        return {std::max(75, iw + 8), ih + 8 + FontHeight(FFont)};
    }
    // Small icons and list columns: as wide as the widest caption.
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    int widest = 20;
    const int n = std::min(FItems.Count(), 2000);
    for (int i = 0; i < n; ++i)
        widest = std::max(widest, TextExtent(dc, FItems.Item(i)->Caption()).cx);
    DeleteDC(dc);
    return {widest + 10 + (FSmallImages ? FSmallImages->Width() + 2 : 0), RowHeight()};
}

// Items per line (icons) or per column (list).
int TCustomListView::PerLine() {
    const TSize cell = CellSize();
    if (FViewStyle == vsList) return std::max(1, ClientHeight() / std::max(1, cell.cy));
    return std::max(1, ClientWidth() / std::max(1, cell.cx));
}

int TCustomListView::ContentWidth() {
    if (FViewStyle == vsReport) {
        int w = 0;
        for (int i = 0; i < FColumns.Count(); ++i)
            w += FColumns.Items(i)->Width();
        return w;
    }
    const TSize cell = CellSize();
    const int count = FItems.Count();
    if (FViewStyle == vsList) return Units(count, PerLine()) * cell.cx;
    return std::min(count, PerLine()) * cell.cx;
}

int TCustomListView::ContentHeight() {
    if (FViewStyle == vsReport) return HeaderHeight() + FItems.Count() * RowHeight();
    if (FViewStyle == vsList) return PerLine() * RowHeight();
    return Units(FItems.Count(), PerLine()) * CellSize().cy;
}

int TCustomListView::CountPerPage() {
    switch (FViewStyle) {
    case vsReport:
        return std::max(0, (ClientHeight() - HeaderHeight()) / std::max(1, RowHeight()));
    case vsList:
        return PerLine() * std::max(1, ClientWidth() / std::max(1, CellSize().cx));
    default:
        return FItems.Count();
    }
}

void TCustomListView::ClampOffsets() {
    const int count = FItems.Count();
    if (FViewStyle == vsReport) {
        FTop = std::clamp(FTop, 0, std::max(0, count - CountPerPage()));
        FOffsetX = std::clamp(FOffsetX, 0, std::max(0, ContentWidth() - ClientWidth()));
    } else if (FViewStyle == vsList) {
        const int cols = Units(count, PerLine());
        const int fit = std::max(1, ClientWidth() / std::max(1, CellSize().cx));
        FTop = std::clamp(FTop, 0, std::max(0, cols - fit));
    } else {
        FOffsetX = std::clamp(FOffsetX, 0, std::max(0, ContentWidth() - ClientWidth()));
        FOffsetY = std::clamp(FOffsetY, 0, std::max(0, ContentHeight() - ClientHeight()));
    }
}

// Report: rows vertically, pixels across. List: columns across. Icons: pixels both ways.
void TCustomListView::UpdateScrollState() {
    if (!FHandle) return;
    SCROLLINFO v, h;
    v.fMask = h.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const int count = FItems.Count();
    if (FViewStyle == vsReport) {
        v.nMax = std::max(0, count - 1);
        v.nPage = static_cast<UINT>(CountPerPage());
        v.nPos = FTop;
        h.nMax = ContentWidth();
        h.nPage = static_cast<UINT>(ClientWidth());
        h.nPos = FOffsetX;
    } else if (FViewStyle == vsList) {
        h.nMax = std::max(0, Units(count, PerLine()) - 1);
        h.nPage = static_cast<UINT>(ClientWidth() / std::max(1, CellSize().cx));
        h.nPos = FTop;
    } else {
        v.nMax = ContentHeight();
        v.nPage = static_cast<UINT>(ClientHeight());
        v.nPos = FOffsetY;
        h.nMax = ContentWidth();
        h.nPage = static_cast<UINT>(ClientWidth());
        h.nPos = FOffsetX;
    }
    SetScrollInfo(FHandle, SB_VERT, v, FALSE);
    SetScrollInfo(FHandle, SB_HORZ, h, FALSE);
    LayoutHeader();
}

TRect TCustomListView::ItemRect(int index) {
    if (index < 0 || index >= FItems.Count()) return {};
    if (FViewStyle == vsReport) {
        const int rh = RowHeight();
        const int top = HeaderHeight() + (index - FTop) * rh;
        return {-FOffsetX, top, std::max(ContentWidth(), 1) - FOffsetX, top + rh};
    }
    const TSize cell = CellSize();
    const int per = PerLine();
    if (FViewStyle == vsList) {
        const int col = index / per - FTop, row = index % per;
        return {col * cell.cx, row * cell.cy, (col + 1) * cell.cx, (row + 1) * cell.cy};
    }
    const int line = index / per, k = index % per;
    const int x = k * cell.cx - FOffsetX, y = line * cell.cy - FOffsetY;
    return {x, y, x + cell.cx, y + cell.cy};
}

TListItem* TCustomListView::GetItemAt(int X, int Y) {
    if (FViewStyle == vsReport) {
        if (Y < HeaderHeight() || X + FOffsetX >= ContentWidth()) return nullptr;
        const int i = FTop + (Y - HeaderHeight()) / std::max(1, RowHeight());
        return i < FItems.Count() ? FItems.Item(i) : nullptr;
    }
    for (int i = 0; i < FItems.Count(); ++i) {
        const TRect r = ItemRect(i);
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return FItems.Item(i);
    }
    return nullptr;
}

TListItem* TCustomListView::TopItem() {
    if (FItems.Count() == 0) return nullptr;
    if (FViewStyle == vsReport) return FItems.Item(FTop);
    if (FViewStyle == vsList) return FItems.Item(std::min(FItems.Count() - 1, FTop * PerLine()));
    return GetItemAt(0, 0);
}

// dx, dy in pixels; the report view moves whole rows and the list view whole columns.
void TCustomListView::Scroll(int dx, int dy) {
    if (FViewStyle == vsReport) {
        FTop += Units(dy, RowHeight());
        FOffsetX += dx;
    } else if (FViewStyle == vsList) {
        FTop += Units(dx, CellSize().cx);
    } else {
        FOffsetX += dx;
        FOffsetY += dy;
    }
    ClampOffsets();
    UpdateScrollState();
    Invalidate();
}

std::vector<int> TCustomListView::ColumnOrder() {
    std::vector<int> order(static_cast<std::size_t>(FColumns.Count()));
    for (int i = 0; i < FColumns.Count(); ++i)
        order[static_cast<std::size_t>(i)] = i;
    if (FHeader && !order.empty())
        SendMessage(FHeader, HDM_GETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
    return order;
}

void TCustomListView::SetColumnOrder(const std::vector<int>& order) {
    if (FHeader)
        SendMessage(FHeader, HDM_SETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
    Invalidate();
}

int TCustomListView::FindCaption(int start, const String& text, bool partial) {
    if (FOwnerData) return OwnerDataFind(text, start);
    const String want = AnsiUpperCase(text);
    for (int i = std::max(0, start); i < FItems.Count(); ++i) {
        const String c = AnsiUpperCase(FItems.Item(i)->Caption());
        if (partial ? c.compare(0, want.size(), want) == 0 : c == want) return i;
    }
    return -1;
}

} // namespace vd
