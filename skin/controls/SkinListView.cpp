#include "skin/controls/SkinListView.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/win/CommCtrl.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>

namespace vd {

TskSkinCustomListView::TskSkinCustomListView(TComponent* AOwner) : TskSkinViewBase(AOwner, "listview") {
    FHeaderProc = MakeWndProc([this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return HeaderWndProc(wnd, msg, wParam, lParam);
    });
}

TskSkinCustomListView::~TskSkinCustomListView() {
    Destroying();
    UnhookHeader();
}

void TskSkinCustomListView::ChangeSkinData() {
    ApplySkinRecord();
    ItemsChanged(); // rows and cells follow the font
    RealignBars();
    if (FViewStyle == vsReport && FHookedHeader) InvalidateRect(FHookedHeader, nullptr, TRUE);
}

int TskSkinCustomListView::Item0Height() {
    return FItems.Count() > 0 ? ItemRect(0).Height() : 0;
}

int TskSkinCustomListView::Item0Width() {
    return FItems.Count() > 0 ? ItemRect(0).Width() : 0;
}

// The bar scrolls the list by the distance it moved; the list's own update of the bars waits
// until it stands at the new place.
void TskSkinCustomListView::BarChange(bool Vertical) {
    TskSkinScrollBar* bar = Vertical ? FVScrollBar : FHScrollBar;
    if (!bar || !HandleAllocated()) return;
    FScrolling = true;
    const int pos = bar->Position();
    if (Vertical) {
        const int diff = pos - FLastVPos;
        const int dy = FViewStyle == vsList || FViewStyle == vsReport ? diff * Item0Height() : diff;
        SendMessage(FHandle, LVM_SCROLL, 0, dy);
        FLastVPos = pos;
    } else {
        if (FViewStyle == vsList) {
            const bool left = pos < FLastHPos;
            for (int n = std::abs(pos - FLastHPos); n > 0; --n)
                SendMessage(FHandle, WM_HSCROLL, MakeScrollWParam(left ? SB_LINELEFT : SB_LINERIGHT, 0), 0);
        } else {
            SendMessage(FHandle, LVM_SCROLL, static_cast<WPARAM>(static_cast<std::uint32_t>(pos - FLastHPos)),
                        0);
        }
        FLastHPos = pos;
    }
    FScrolling = false;
}

void TskSkinCustomListView::UpdateIconBars(bool& Changed) {
    const int step = std::max(1, Item0Height() / 2);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_POS;
    if (FVScrollBar) {
        GetScrollInfo(FHandle, SB_VERT, si);
        const bool show = Height() < si.nMax && Visible();
        Changed |= SetBarVisible(FVScrollBar, show);
        if (show) {
            FVScrollBar->SetSmallChange(step);
            FVScrollBar->SetLargeChange(step);
            FVScrollBar->SetRange(
                {.Min = si.nMin, .Max = si.nMax, .Position = si.nPos, .PageSize = Height()});
            FLastVPos = FVScrollBar->Position();
        }
    }
    if (FHScrollBar) {
        GetScrollInfo(FHandle, SB_HORZ, si);
        const bool show = Width() < si.nMax && Visible();
        Changed |= SetBarVisible(FHScrollBar, show);
        if (show) {
            FHScrollBar->SetSmallChange(step);
            FHScrollBar->SetLargeChange(step);
            FHScrollBar->SetRange({.Min = si.nMin, .Max = si.nMax, .Position = si.nPos, .PageSize = Width()});
            FLastHPos = FHScrollBar->Position();
        }
    }
}

void TskSkinCustomListView::UpdateListBars(bool& Changed) {
    if (FVScrollBar) Changed |= SetBarVisible(FVScrollBar, false);
    if (!FHScrollBar) return;
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_POS;
    GetScrollInfo(FHandle, SB_HORZ, si);
    int w = Item0Width();
    if (w <= 0) w = 1;
    const bool show = Perform(LVM_GETCOUNTPERPAGE) < FItems.Count() && Visible();
    Changed |= SetBarVisible(FHScrollBar, show);
    if (show) {
        FHScrollBar->SetRange({.Min = si.nMin, .Max = si.nMax, .Position = si.nPos, .PageSize = Width() / w});
        FHScrollBar->SetSmallChange(1);
        FHScrollBar->SetLargeChange(1);
        FLastHPos = FHScrollBar->Position();
    }
}

void TskSkinCustomListView::UpdateReportBars(bool& Changed) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_POS;
    if (FVScrollBar) {
        GetScrollInfo(FHandle, SB_VERT, si);
        const int page = static_cast<int>(Perform(LVM_GETCOUNTPERPAGE));
        const bool show = page < si.nMax + 1 && Visible();
        Changed |= SetBarVisible(FVScrollBar, show);
        if (show) {
            FVScrollBar->SetRange({.Min = si.nMin, .Max = si.nMax, .Position = si.nPos, .PageSize = page});
            FLastVPos = FVScrollBar->Position();
            FVScrollBar->SetSmallChange(1);
            FVScrollBar->SetLargeChange(std::max(1, page));
        }
    }
    if (FHScrollBar) {
        GetScrollInfo(FHandle, SB_HORZ, si);
        const bool show = Width() < si.nMax && Visible();
        Changed |= SetBarVisible(FHScrollBar, show);
        if (show) {
            FHScrollBar->SetRange({.Min = si.nMin, .Max = si.nMax, .Position = si.nPos, .PageSize = Width()});
            FLastHPos = FHScrollBar->Position();
        }
    }
}

void TskSkinCustomListView::UpdateScrollBars() {
    if (!HandleAllocated() || FScrolling || Width() <= 5 || Height() <= 5) return;
    if ((ComponentState() & csLoading) || FUpdating) return;
    bool changed = false;
    switch (FViewStyle) {
    case vsIcon:
    case vsSmallIcon:
        UpdateIconBars(changed);
        break;
    case vsList:
        UpdateListBars(changed);
        break;
    case vsReport:
        UpdateReportBars(changed);
        break;
    }
    FinishBars(changed);
}

// Messages.

void TskSkinCustomListView::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PARENTNOTIFY && LoWord(Message.WParam) == WM_CREATE && Message.LParam) {
        const HWND child = reinterpret_cast<HWND>(Message.LParam);
        if (GetClassName(child).substr(0, 80) == WC_HEADER && ShowColumnHeaders()) {
            UnhookHeader();
            HookHeader(child);
        }
    }
    TskSkinViewBase::WndProc(Message);
}

// The header.

void TskSkinCustomListView::HookHeader(HWND Header) {
    FHookedHeader = Header;
    FHeaderPrevProc = SetWindowProc(Header, FHeaderProc);
    FPressedSection = -1;
    FMouseDown = false;
}

void TskSkinCustomListView::UnhookHeader() {
    if (!FHookedHeader) return;
    if (IsWindow(FHookedHeader)) SetWindowProc(FHookedHeader, FHeaderPrevProc);
    FHookedHeader = nullptr;
    FHeaderPrevProc.reset();
    FPressedSection = -1;
    FMouseDown = false;
}

LRESULT TskSkinCustomListView::HeaderWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_WINDOWPOSCHANGING:
        if (LParam) reinterpret_cast<WINDOWPOS*>(LParam)->cx += 4;
        return 0;
    case WM_PAINT:
        if (WParam) {
            PaintHeader(reinterpret_cast<HDC>(WParam));
        } else {
            PAINTSTRUCT ps;
            BeginPaint(Wnd, ps);
            PaintHeader(ps.hdc);
            EndPaint(Wnd, ps);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    const WNDPROC prev = FHeaderPrevProc; // the call below may unhook
    const LRESULT result = CallWindowProc(prev, Wnd, Msg, WParam, LParam);
    if (Wnd != FHookedHeader) return result;
    if (Msg == WM_LBUTTONDOWN) {
        const TPoint p = LParamToPoint(LParam);
        FPressedSection = -1;
        const int count = static_cast<int>(SendMessage(Wnd, HDM_GETITEMCOUNT));
        for (int i = 0; i < count; ++i) {
            const TRect r = SectionRect(i);
            if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) {
                FPressedSection = i;
                break;
            }
        }
        HDHITTESTINFO hit;
        hit.pt = p;
        SendMessage(Wnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        FMouseDown = (hit.flags & HHT_ONDIVIDER) == 0;
        RedrawWindow(Wnd, nullptr, RDW_INVALIDATE);
    } else if (Msg == WM_LBUTTONUP) {
        FMouseDown = false;
        FPressedSection = -1;
        RedrawWindow(Wnd, nullptr, RDW_INVALIDATE);
    }
    return result;
}

bool TskSkinCustomListView::HeaderSkinned() {
    return ReadHeaderSkin().Skinned;
}

TRect TskSkinCustomListView::SectionRect(int Index) {
    TRect r;
    if (!FHookedHeader) return r;
    int item = Index;
    if (FullDrag) {
        const int count = FColumns.Count();
        if (Index >= 0 && Index < count) {
            std::vector<int> order(static_cast<std::size_t>(count));
            if (SendMessage(FHookedHeader, HDM_GETORDERARRAY, order.size(),
                            reinterpret_cast<LPARAM>(order.data())))
                item = order[static_cast<std::size_t>(Index)];
        }
    }
    SendMessage(FHookedHeader, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return r;
}

// Read at every paint: a record that is not a button record, or has no picture, gives the plain
// header.
TskSkinCustomListView::HeaderSkin TskSkinCustomListView::ReadHeaderSkin() {
    HeaderSkin s;
    if (!SkinUsable(FSkinData)) return s;
    const int index = FSkinData->IndexOfControlRecord(HeaderSkinDataName);
    auto* r = index == -1 ? nullptr
                          : dynamic_cast<const TskDataSkinButtonControl*>(FSkinData->ControlRecord(index));
    if (!r) return s;
    s.Picture = FSkinData->ActivePicture(r->pictureindex);
    s.Skinned = s.Picture != nullptr && !IsEmptySkinRect(r->skinrect);
    s.skinrect = r->skinrect;
    const TRect active = IsEmptySkinRect(r->activeskinrect) ? r->skinrect : r->activeskinrect;
    s.downskinrect = IsEmptySkinRect(r->downskinrect) ? active : r->downskinrect;
    s.clientrect = r->clientrect;
    s.lefttoppoint = r->lefttoppoint;
    s.righttoppoint = r->righttoppoint;
    s.leftbottompoint = r->leftbottompoint;
    s.rightbottompoint = r->rightbottompoint;
    s.Stretch = {r->leftstretch, r->topstretch, r->rightstretch, r->bottomstretch};
    s.stretcheffect = r->stretcheffect;
    s.fontcolor = static_cast<TColor>(r->fontcolor);
    s.downfontcolor = static_cast<TColor>(r->downfontcolor);
    return s;
}

void TskSkinCustomListView::PaintHeader(HDC DC) {
    if (!FHookedHeader || !IsWindow(FHookedHeader)) return;
    const HeaderSkin skin = ReadHeaderSkin();
    TCanvas canvas;
    canvas.SetHandle(DC);
    const int count = static_cast<int>(SendMessage(FHookedHeader, HDM_GETITEMCOUNT));
    int right = 0;
    for (int i = 0; i < count; ++i) {
        const TRect r = SectionRect(i);
        // The column shown at this position, so that a reordered header keeps each caption over
        // its own column.
        int column = i;
        if (FullDrag) {
            const std::vector<int> order = ColumnOrder();
            if (i < static_cast<int>(order.size())) column = order[static_cast<std::size_t>(i)];
        }
        DrawSection(canvas, skin, column, r, FMouseDown && i == FPressedSection);
        right = std::max(right, r.Right);
    }
    const TRect c = ::vd::GetClientRect(FHookedHeader);
    DrawHeaderRest(canvas, skin, {right, 0, c.Right + 1, c.Bottom});
    canvas.SetHandle(nullptr);
}

void TskSkinCustomListView::DrawHeaderRest(TCanvas& Canvas, const HeaderSkin& s, const TRect& R) {
    const int w = R.Width(), h = R.Height();
    if (w <= 0 || h <= 0) return;
    if (!s.Skinned) {
        FrameAndFill(Canvas, R, clBtnShadow, clBtnFace);
        return;
    }
    TskBitmap piece;
    if (s.leftbottompoint.X != 0 || s.leftbottompoint.Y != 0) {
        const TskSkinCorners old{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint,
                                 s.clientrect};
        ComposeSkinPictureOpenRight(old, FitSkinCorners(old, s.skinrect, w, h), piece, *s.Picture, s.skinrect,
                                    w, h, true, s.Stretch, s.stretcheffect);
        DrawSkin(Canvas, R.Left, R.Top, piece);
    } else {
        ComposeHorzSkinPictureOpenRight(s.lefttoppoint.X, s.skinrect.Width() - s.righttoppoint.X, piece,
                                        s.stretcheffect, w, s.skinrect, *s.Picture);
        StretchSkinPiece(Canvas, R, piece, {0, 0, piece.Width(), piece.Height()});
    }
}

void TskSkinCustomListView::DrawSection(TCanvas& Canvas, const HeaderSkin& s, int Column, const TRect& R,
                                        bool Pressed) {
    const int w = R.Width(), h = R.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap bmp(w, h);
    TCanvas& c = bmp.Canvas();
    TRect b{0, 0, w, h};
    TColor textColor = clBtnText;
    if (!s.Skinned) {
        FrameAndFill(c, b, Pressed ? clskNavy : clBtnShadow, Pressed ? clskPressedFill : clBtnFace);
        b = {1, 1, w - 1, h - 1};
    } else {
        const TRect src = Pressed ? s.downskinrect : s.skinrect;
        textColor = Pressed ? s.downfontcolor : s.fontcolor;
        TskBitmap face;
        if (s.leftbottompoint.X != 0 || s.leftbottompoint.Y != 0) {
            const TskSkinCorners old{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint,
                                     s.clientrect};
            ComposeSkinPicture(old, FitSkinCorners(old, s.skinrect, w, h), face, *s.Picture, src, w, h, true,
                               s.Stretch, s.stretcheffect);
            DrawSkin(c, 0, 0, face);
        } else {
            ComposeHorzSkinPicture(s.lefttoppoint.X, src.Width() - s.righttoppoint.X, face, s.stretcheffect,
                                   w, src, *s.Picture);
            StretchSkinPiece(c, b, face, {0, 0, face.Width(), face.Height()});
        }
    }
    c.Font().Assign(FFont);
    c.Font().SetColor(textColor);
    c.Brush().Style = bsClear;
    const TRect t{b.Left + 5, b.Top, b.Right - 5, b.Bottom};
    const TListColumn* col = Column < FColumns.Count() ? FColumns.Items(Column) : nullptr;
    String text = col ? col->Caption() : String();
    const TAlignment align = col ? col->Alignment() : taLeftJustify;
    const int image = col ? col->ImageIndex() : -1;
    TCustomImageList* images = FSmallImages;
    if (images && image >= 0 && image < images->Count()) {
        const String whole = text;
        FitTextToWidth(c.Handle(), text, t.Width() - images->Width() - 10);
        const int tw = c.TextWidth(text);
        int ix = t.Left;
        if (text == whole) {
            if (align == taRightJustify)
                ix = t.Right - tw - images->Width() - 10;
            else if (align == taCenter)
                ix = t.Left + t.Width() / 2 - (tw + images->Width() + 10) / 2;
        }
        const int tx = ix + images->Width() + 10;
        const int iy = t.Top + t.Height() / 2 - images->Height() / 2;
        const int ty = t.Top + t.Height() / 2 - c.TextHeight(text) / 2;
        images->Draw(c, ix, iy, image, true);
        c.TextRect(t, tx, ty, text);
    } else {
        FitTextToWidth(c.Handle(), text, t.Width());
        const int tw = c.TextWidth(text);
        const int ty = t.Top + t.Height() / 2 - c.TextHeight(text) / 2;
        int tx = t.Left;
        if (align == taRightJustify)
            tx = t.Right - tw - 10;
        else if (align == taCenter)
            tx = t.Width() / 2 - tw / 2;
        c.TextRect(t, tx, ty, text);
    }
    Canvas.Draw(R.Left, R.Top, &bmp);
}

} // namespace vd
