#include "skin/boxes/SkinListBox.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/boxes/BoxPaint.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>

namespace vd {

namespace {

constexpr UINT kPaintEmptyBackground = 48202; // 0xBC4A
constexpr LPARAM kPaintMagic = 16802;

TRect Or(const TRect& r, const TRect& fallback) {
    return IsEmptySkinRect(r) ? fallback : r;
}

bool AllDigits(const String& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::vector<int> ParseTabWidths(const TStrings& TabWidths) {
    std::vector<int> stops;
    const int n = std::min(TabWidths.Count(), 10);
    for (int i = 0; i < n; ++i) {
        const String s = TabWidths.Strings(i);
        int v = 0;
        if (!s.empty() && AllDigits(s) && s.size() < 10) v = std::stoi(s);
        stops.push_back(v);
    }
    return stops;
}

// The inner list.

TskListBox::TskListBox(TComponent* AOwner) : TListBox(AOwner) {
    FControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    FStyle = lbOwnerDrawFixed;
}

void TskListBox::CreateParams(TCreateParams& Params) {
    TListBox::CreateParams(Params);
    Params.Style = (Params.Style & ~WS_BORDER) | WS_TABSTOP;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    Params.ClassStyle = CS_DBLCLKS;
}

void TskListBox::CreateWnd() {
    TListBox::CreateWnd();
    if (OwnerList) OwnerList->ListBoxCreateWnd();
}

void TskListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int old = Width();
    TListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (old != AWidth && HorizontalOffset > 0) {
        HorizontalOffset = std::max(0, HorizontalOffset + old - AWidth);
        Repaint();
    }
}

TOwnerDrawState TskListBox::ItemDrawState(int Index) const {
    if (Index == ItemIndex()) return odSelected | (HandleAllocated() && Focused() ? odFocused : 0);
    if (SelCount() > 0 && Selected(Index)) return odSelected;
    return 0;
}

void TskListBox::PaintBackground(HDC DC) {
    if (!OwnerList || Width() <= 0 || Height() <= 0) return;
    TCanvas c;
    c.SetHandle(DC);
    OwnerList->PaintListBackground(c, {0, 0, Width(), Height()});
    c.SetHandle(nullptr);
}

void TskListBox::PaintWindow(std::uintptr_t DC) {
    if (Width() <= 0 || Height() <= 0 || !OwnerList) return;
    HDC dc = reinterpret_cast<HDC>(DC);
    SaveGuard save(dc);
    TCanvas c;
    c.SetHandle(dc);
    const int ih = std::max(1, ItemHeight());
    const int visible = Height() / ih;
    const int top = TopIndex();
    int last = Columns() <= 0 ? std::min(top + visible, Count() - 1)
                              : std::min(top + visible * Columns(), Count() - 1);
    int bottom = 0;
    for (int i = top; i <= last; ++i) {
        const TRect r = ItemRect(i);
        OwnerList->DrawListItem(c, i, ItemDrawState(i), r);
        bottom = r.Bottom;
    }
    if (Columns() <= 0 && bottom < Height())
        OwnerList->PaintListBackground(c, {0, bottom, Width(), Height()});
    c.SetHandle(nullptr);
}

void TskListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OwnerList)
        OwnerList->DrawListItem(Canvas(), Index, State, Rect);
    else
        TListBox::DrawItem(Index, Rect, State);
}

void TskListBox::WndProc(TMessage& Message) {
    if (OwnerList) {
        bool pass = true;
        OwnerList->ListBoxWndProcFilter(Message, pass);
        if (!pass) return;
    }
    TListBox::WndProc(Message);
    if (!OwnerList) return;
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
        OwnerList->ListBoxDblClick();
        break;
    case WM_ERASEBKGND:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        OwnerList->UpdateScrollBars();
        break;
    case WM_MOUSEWHEEL:
        if (TskSkinScrollBar* v = OwnerList->VScrollBar()) {
            (void)v;
            SendMessage(Handle(), WM_VSCROLL,
                        static_cast<std::int32_t>(Message.WParam) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
            OwnerList->UpdateScrollBars();
        } else if (TskSkinScrollBar* h = OwnerList->HScrollBar()) {
            h->SetPosition(h->Position() + (static_cast<std::int32_t>(Message.WParam) > 0
                                                ? -h->SmallChange()
                                                : h->SmallChange()));
        }
        break;
    case kPaintEmptyBackground:
        if (Message.LParam == kPaintMagic && Count() == 0) {
            if (Message.WParam) PaintBackground(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = kPaintMagic;
        }
        break;
    default:
        break;
    }
}

void TskListBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        Message.Result = 0; // no non-client area: the system bars never show
        return;
    case WM_ERASEBKGND:
        if (Width() > 0 && Height() > 0 && Message.WParam)
            PaintBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    case WM_PAINT:
        PaintHandler(Message);
        return;
    case CM_ENTER:
        TListBox::Dispatch(Message);
        if (OwnerList) OwnerList->ListBoxEnter();
        return;
    case CM_EXIT:
        TListBox::Dispatch(Message);
        if (OwnerList) OwnerList->ListBoxExit();
        return;
    default:
        TListBox::Dispatch(Message);
    }
}

void TskListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OwnerList) OwnerList->ListBoxMouseDown(Button, Shift, X, Y);
    TListBox::MouseDown(Button, Shift, X, Y);
}

void TskListBox::MouseMove(TShiftState Shift, int X, int Y) {
    if (OwnerList) OwnerList->ListBoxMouseMove(Shift, X, Y);
    TListBox::MouseMove(Shift, X, Y);
}

void TskListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OwnerList) OwnerList->ListBoxMouseUp(Button, Shift, X, Y);
    TListBox::MouseUp(Button, Shift, X, Y);
}

void TskListBox::KeyDown(Word& Key, TShiftState Shift) {
    if (OwnerList) {
        OwnerList->ListBoxKeyDown(Key, Shift);
        if (TskSkinScrollBar* h = OwnerList->HScrollBar()) {
            if (Key == VK_LEFT) {
                h->SetPosition(h->Position() - h->SmallChange());
                Key = 0;
            } else if (Key == VK_RIGHT) {
                h->SetPosition(h->Position() + h->SmallChange());
                Key = 0;
            }
        }
    }
    TListBox::KeyDown(Key, Shift);
}

void TskListBox::KeyUp(Word& Key, TShiftState Shift) {
    if (OwnerList) OwnerList->ListBoxKeyUp(Key, Shift);
    TListBox::KeyUp(Key, Shift);
}

void TskListBox::KeyPress(TKeyChar& Key) {
    if (OwnerList) OwnerList->ListBoxKeyPress(Key);
    TListBox::KeyPress(Key);
}

void TskListBox::Click() {
    if (OwnerList) OwnerList->ListBoxClick();
    TListBox::Click();
}

// The skinned list box.

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner, const TInnerListFactory& MakeInner)
    : TskButtonBox(AOwner, 3, // up, down and check: up and down repeat unless their event is set
                   {.Repaint = [this] { Repaint(); },
                    .Repeats = [this](int I) { return I != 2 && !CaptionButtonEvent(I); },
                    .Step = [this](int I) { CaptionButtonStep(I); },
                    .Released = [this](int I, bool Over) { CaptionButtonUp(I, Over); }}) {
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks;
    FForceBackground = true;
    FDrawBackground = false;
    SetDefaultFace(FDefaultCaptionFont);
    FDefaultCaptionFont.OnChange = [this](TObject*) {
        if (FSkinIndex == -1 && FCaptionMode) Repaint();
    };
    SetDefaultFace(FFont);
    FFont.SetColor(clWindowText);
    SetSkinDataName("listbox");
    SetBounds(0, 0, 120, 120);
    FListBox = MakeInner ? MakeInner(this) : new TskListBox(this);
    FListBox->OwnerList = this;
    FListBox->SetItemHeight(FDefaultItemHeight);
    FListBox->SetParent(this);
    FListBox->SetVisible(true);
    AdjustListRect();
}

TskSkinCustomListBox::~TskSkinCustomListBox() {
    KillButtonTimer();
    // The inner list goes after this object: it no longer calls back.
    if (FListBox) FListBox->OwnerList = nullptr;
    Destroying();
}

void TskSkinCustomListBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FVScrollBar) FVScrollBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr;
    if (AComponent == FListBox) FListBox = nullptr;
}

void TskSkinCustomListBox::CreateParams(TCreateParams& Params) {
    TskSkinCustomControl::CreateParams(Params);
    Params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinCustomListBox::SetItems(const TStrings& Value) {
    FListBox->Items().Assign(Value);
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetTopIndex(int Value) {
    FListBox->SetTopIndex(Value);
    UpdateScrollBars();
}

void TskSkinCustomListBox::Clear() {
    FListBox->Clear();
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetSorted(bool Value) {
    HideVScrollBar();
    FListBox->SetSorted(Value);
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetColumns(int Value) {
    FListBox->SetColumns(Value);
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetTabWidths(const TStrings& Value) {
    FTabWidths.Assign(Value);
    if (FTabWidths.Count() > 0) FListBox->Invalidate();
}

void TskSkinCustomListBox::SetHorizontalExtent(bool Value) {
    FHorizontalExtent = Value;
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetRowCount(int Value) {
    FRowCount = Value;
    if (Value != 0) SetHeight(RowCountHeight(Value));
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetImages(TCustomImageList* Value) {
    FImages = Value;
    FListBox->Repaint();
}

void TskSkinCustomListBox::SetImageIndex(int Value) {
    FImageIndex = Value;
    FListBox->Repaint();
}

void TskSkinCustomListBox::SetDefaultItemHeight(int Value) {
    FDefaultItemHeight = Value;
    if (FSkinIndex == -1 || !FUseSkinItemHeight) FListBox->SetItemHeight(Value);
}

void TskSkinCustomListBox::SetDefaultCaptionHeight(int Value) {
    FDefaultCaptionHeight = Value;
    if (FSkinIndex == -1 && FCaptionMode) {
        AdjustListRect();
        Repaint();
    }
}

void TskSkinCustomListBox::SetCaptionMode(bool Value) {
    FCaptionMode = Value;
    if (FSkinIndex == -1) {
        AdjustListRect();
        Repaint();
    }
}

void TskSkinCustomListBox::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    if (FCaptionMode) Repaint();
}

void TskSkinCustomListBox::DefaultFontChanged() {
    if (FSkinIndex == -1) FFont.Assign(FDefaultFont);
}

void TskSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FSkinIndex == -1) Repaint();
}

int TskSkinCustomListBox::RowCountHeight(int N) {
    const int ih = FListBox->ItemHeight();
    int h = FSkinIndex == -1 ? N * ih + 4 + (FCaptionMode ? FDefaultCaptionHeight : 0)
                             : N * ih + FFace.skinrect.Height() - FFace.clientrect.Height();
    if (FHScrollBar) h += FHScrollBar->Height();
    return h;
}

void TskSkinCustomListBox::AdjustListRect() {
    if (!FListBox) return;
    const bool skinned = FSkinIndex != -1;
    const int c = !skinned ? (FCaptionMode ? FDefaultCaptionHeight : 1) : 0;
    TRect& sc = FScaledClientRect;
    if (skinned)
        sc = {FFace.clientrect.Left, FFace.clientrect.Top,
              FFace.clientrect.Right + Width() - FFace.skinrect.Width(),
              FFace.clientrect.Bottom + Height() - FFace.skinrect.Height()};
    const int cols = Columns();
    int hb = 0;
    if (cols == 0 && FHScrollBar) {
        if (!skinned) {
            FHScrollBar->SetBounds(1, Height() - 20, Width() - 2, 19);
            hb = FHScrollBar->Height() - 1;
        } else {
            FHScrollBar->SetBounds(sc.Left, sc.Bottom - FHScrollBar->Height(), sc.Width(),
                                   FHScrollBar->Height());
            hb = FHScrollBar->Height();
        }
    }
    if (FVScrollBar) {
        TskSkinScrollBar* v = FVScrollBar;
        if (!skinned && cols == 0) {
            v->SetBounds(Width() - 20, c, 19, Height() - 1 - c - hb);
            FListRect = {2, c + 1, v->Left(), Height() - 2 - hb};
        } else if (!skinned) {
            v->SetBounds(1, Height() - 20, Width() - 2, 19);
            FListRect = {2, c + 1, Width() - 2, v->Top()};
        } else if (cols == 0) {
            v->SetBounds(sc.Right - v->Width(), sc.Top, v->Width(), sc.Height() - hb);
            FListRect = {sc.Left, sc.Top, sc.Right - v->Width(), sc.Bottom - hb};
        } else {
            v->SetBounds(sc.Left, sc.Bottom - v->Height(), sc.Width(), v->Height());
            FListRect = {sc.Left, sc.Top, sc.Right, sc.Bottom - v->Height()};
        }
    } else {
        FListRect = !skinned ? TRect{2, c + 1, Width() - 2, Height() - 2 - hb}
                             : TRect{sc.Left, sc.Top, sc.Right, sc.Bottom - hb};
    }
    FListBox->SetBoundsRect(FListRect);
}

void TskSkinCustomListBox::SkinScrollBarNames() {
    const bool skinned = FSkinIndex != -1;
    if (FVScrollBar) {
        FVScrollBar->SetSkinDataName(!skinned ? String() : Columns() == 0 ? vscrollbarname : hscrollbarname);
        FVScrollBar->SetSkinData(FSkinData);
    }
    if (FHScrollBar) {
        if (!skinned) {
            FHScrollBar->SetSkinDataName("");
            if (FVScrollBar) {
                FHScrollBar->SetBothMarkerWidth(19);
                FHScrollBar->SetBoth(true);
            }
        } else if (FVScrollBar) {
            FHScrollBar->BothSkinDataName = bothhscrollbarname;
            FHScrollBar->SetSkinDataName(bothhscrollbarname);
            FHScrollBar->SetBoth(true);
        } else {
            FHScrollBar->BothSkinDataName = hscrollbarname;
            FHScrollBar->SetSkinDataName(hscrollbarname);
            FHScrollBar->SetBoth(false);
        }
        FHScrollBar->SetSkinData(FSkinData);
    }
}

void TskSkinCustomListBox::ShowVScrollBar() {
    if (FVScrollBar) return;
    auto* v = new TskSkinScrollBar(this);
    FVScrollBar = v;
    v->SetKind(Columns() == 0 ? sbVertical : sbHorizontal);
    v->SetBounds(0, 0, 20, 100);
    v->SetRange({.Min = 0, .Max = 100, .Position = 0, .PageSize = 0});
    v->OnChange = [this](TObject*) {
        if (!FVScrollBar || !FListBox) return;
        SendMessage(FListBox->Handle(), Columns() == 0 ? WM_VSCROLL : WM_HSCROLL,
                    MakeScrollWParam(SB_THUMBPOSITION, FVScrollBar->Position()), 0);
    };
    SkinScrollBarNames();
    v->SetParent(this);
    AdjustListRect();
    v->SetVisible(true);
    Repaint();
}

void TskSkinCustomListBox::ShowHScrollBar() {
    if (FHScrollBar) return;
    auto* h = new TskSkinScrollBar(this);
    FHScrollBar = h;
    h->SetKind(sbHorizontal);
    h->OnChange = [this](TObject*) {
        if (!FHScrollBar || !FListBox) return;
        FListBox->HorizontalOffset = FHScrollBar->Position();
        FListBox->Repaint();
    };
    SkinScrollBarNames();
    h->SetParent(this);
    h->SetVisible(true);
    AdjustListRect();
    Repaint();
}

void TskSkinCustomListBox::HideVScrollBar() {
    if (!FVScrollBar) return;
    TskSkinScrollBar* v = FVScrollBar;
    FVScrollBar = nullptr;
    v->SetVisible(false);
    v->Free();
    AdjustListRect();
}

void TskSkinCustomListBox::HideHScrollBar() {
    if (!FHScrollBar) return;
    FListBox->HorizontalOffset = 0;
    TskSkinScrollBar* h = FHScrollBar;
    FHScrollBar = nullptr;
    h->SetVisible(false);
    h->Free();
    AdjustListRect();
    FListBox->Repaint();
}

void TskSkinCustomListBox::UpdateScrollBars() {
    if (!FListBox || !FListBox->HandleAllocated()) return;
    HWND lb = FListBox->WindowHandle();
    const int ih = std::max(1, FListBox->ItemHeight());
    const int count = FListBox->Count();
    if (Columns() == 0) {
        if (FHorizontalExtent && !FInChangeSkinData) {
            TCanvas& c = FListBox->Canvas();
            if (FSkinIndex != -1 && FUseSkinFont) {
                c.Font().SetName(fontname);
                c.Font().SetStyle(fontstyle);
                c.Font().SetHeight(fontheight);
            } else {
                c.Font().Assign(FListBox->Font());
            }
            int w = 0;
            for (int i = 0; i < count; ++i)
                w = std::max(w, GetItemTextWidth(i, c));
            int t = FSkinIndex == -1 ? FListBox->Width() - 4
                                     : FListBox->Width() + itemtextrect.Width() - itemrect.Width();
            if (FImages) t -= FImages->Width() + 4;
            if (t < w) {
                ShowHScrollBar();
                FHScrollBar->SetRange(
                    {.Min = 0, .Max = w, .Position = FHScrollBar->Position(), .PageSize = t});
                const int step = std::max(1, c.TextWidth("0"));
                FHScrollBar->SetSmallChange(step);
                FHScrollBar->SetLargeChange(step);
            } else {
                HideHScrollBar();
            }
        } else {
            HideHScrollBar();
        }
        if (!(FRowCount > 0 && count == FRowCount)) {
            int mn = 0, mx = 0;
            GetScrollRange(lb, SB_VERT, &mn, &mx);
            const int pos = GetScrollPos(lb, SB_VERT);
            const int v = FListBox->Height() / ih;
            if (mn < mx && mx >= pos && v < count) {
                ShowVScrollBar();
                FVScrollBar->SetRange({.Min = mn, .Max = mx, .Position = pos, .PageSize = v});
                FVScrollBar->SetLargeChange(std::max(1, v));
                return;
            }
        }
    } else {
        int mn = 0, mx = 0;
        GetScrollRange(lb, SB_HORZ, &mn, &mx);
        const int pos = GetScrollPos(lb, SB_HORZ);
        if (mn < mx && mx >= pos && mx >= Columns() && (FListBox->Height() / ih) * Columns() < count) {
            ShowVScrollBar();
            FVScrollBar->SetRange({.Min = mn, .Max = mx, .Position = pos, .PageSize = Columns()});
            return;
        }
    }
    HideVScrollBar();
}

void TskSkinCustomListBox::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* r = FSkinIndex != -1 ? dynamic_cast<TskDataSkinListBox*>(SkinRecord()) : nullptr;
    if (!r) return;
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    itemrect = r->itemrect;
    activeitemrect = Or(r->activeitemrect, itemrect);
    focusitemrect = Or(r->focusitemrect, itemrect);
    itemleftoffset = r->itemleftoffset;
    itemrightoffset = r->itemrightoffset;
    itemtextrect = r->itemtextrect;
    fontcolor = SkinColorToColor(r->fontcolor);
    activefontcolor = SkinColorToColor(r->activefontcolor);
    focusfontcolor = SkinColorToColor(r->focusfontcolor);
    captionrect = r->captionrect;
    captionfontname = r->captionfontname;
    captionfontstyle = r->captionfontstyle;
    captionfontheight = r->captionfontheight;
    captionfontcolor = SkinColorToColor(r->captionfontcolor);
    const auto arrows = ArrowPictures(*r);
    buttonpictures = {
        arrows[0], arrows[1],
        TskButtonPictures::Of(r->checkbuttonrect, r->activecheckbuttonrect, r->downcheckbuttonrect)};
    vscrollbarname = r->vscrollbarname;
    hscrollbarname = r->hscrollbarname;
    bothhscrollbarname = r->bothhscrollbarname;
    showfocus = r->showfocus;
}

void TskSkinCustomListBox::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    FInChangeSkinData = true;
    if (FSkinIndex == -1) {
        FListBox->SetItemHeight(FDefaultItemHeight);
        FFont.Assign(FDefaultFont);
    } else if (FUseSkinItemHeight && itemrect.Height() > 0) {
        FListBox->SetItemHeight(itemrect.Height());
    }
    SkinScrollBarNames();
    if (FRowCount != 0) SetHeight(RowCountHeight(FRowCount));
    AdjustListRect();
    FInChangeSkinData = false;
    UpdateScrollBars();
    FListBox->Repaint();
}

// Items.

int TskSkinCustomListBox::GetItemTextWidth(int Index, TCanvas& Canvas) {
    return Canvas.TextWidth(Items().Strings(Index));
}

void TskSkinCustomListBox::SetItemFont(TCanvas& Canvas, TColor Color) {
    TFont& f = Canvas.Font();
    if (FSkinIndex != -1 && FUseSkinFont) {
        f.SetName(fontname);
        f.SetStyle(fontstyle);
        f.SetHeight(fontheight);
    } else if (FSkinIndex != -1) {
        f.Assign(FDefaultFont);
    } else {
        f.SetName(FFont.Name());
        f.SetStyle(FFont.Style());
        f.SetHeight(FFont.Height());
    }
    f.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    f.SetColor(Color);
}

int TskSkinCustomListBox::ItemImageOffset(TCanvas& Canvas, int Index, const TRect& TextRect) {
    if (!FImages) return 0;
    const int image = FImageIndex >= 0 ? FImageIndex : Index;
    if (image < FImages->Count())
        FImages->Draw(Canvas, TextRect.Left - FListBox->HorizontalOffset,
                      TextRect.Top + TextRect.Height() / 2 - FImages->Height() / 2, image);
    return FImages->Width() + 2;
}

void TskSkinCustomListBox::DrawItemText(TCanvas& Canvas, int Index, const TRect& TextRect, int Offset) {
    const String text = Items().Strings(Index);
    Canvas.Brush().Style = bsClear;
    if (FTabWidths.Count() > 0 && Columns() == 0) {
        const std::vector<int> stops = ParseTabWidths(FTabWidths);
        const int y = TextRect.Top + TextRect.Height() / 2 - Canvas.TextHeight(text) / 2;
        TabbedTextOutA(TextDC(Canvas), TextRect.Left + Offset + 2, y, text.c_str(),
                       static_cast<int>(text.size()), static_cast<int>(stops.size()), stops.data(), 0);
        return;
    }
    TextRectVCenteredOffset(TextDC(Canvas), text, TextRect, Offset - FListBox->HorizontalOffset);
}

void TskSkinCustomListBox::DrawItemContents(TCanvas& Canvas, int Index, TRect TextRect, TOwnerDrawState State,
                                            int W, int H, bool SkinFocus) {
    if (OnDrawItem) {
        OnDrawItem(&Canvas, Index, W, H, TextRect, State);
        return;
    }
    if (SkinFocus && showfocus && (State & odFocused)) {
        Canvas.Brush().Style = bsSolid;
        Canvas.Brush().Color = SkinColorToColor(FSkinData->SkinColors().cbtnface);
        Canvas.DrawFocusRect({0, 0, W, H});
        Canvas.Brush().Style = bsClear;
    }
    const int offset = ItemImageOffset(Canvas, Index, TextRect);
    DrawItemText(Canvas, Index, TextRect, offset);
}

void TskSkinCustomListBox::DrawListItem(TCanvas& Canvas, int Index, TOwnerDrawState State, const TRect& R) {
    if (Index < 0 || Index >= FListBox->Count() || R.Width() <= 0 || R.Height() <= 0) return;
    const bool selected = (State & odSelected) != 0, focused = (State & odFocused) != 0;
    if (!ItemSkinned()) {
        TBitmap b(R.Width(), R.Height());
        TCanvas& c = b.Canvas();
        FillColor(c, {0, 0, R.Width(), R.Height()}, selected ? clHighlight : clWindow);
        SetItemFont(c, selected ? clHighlightText : FFont.Color());
        DrawItemContents(c, Index, {2, 0, R.Width() - 2, R.Height()}, State, R.Width(), R.Height(), false);
        if (focused) c.DrawFocusRect({0, 0, R.Width(), R.Height()});
        Canvas.Draw(R.Left, R.Top, &b);
        return;
    }
    const TskBitmap& pic = *FFace.SkinBitmap;
    const int w = R.Width();
    if (FUseSkinItemHeight) {
        const int h = std::max(1, itemrect.Height());
        TBitmap b(w, h);
        TCanvas& c = b.Canvas();
        TskBitmap face;
        const TRect piece =
            focused ? (selected ? focusitemrect : itemrect) : (selected ? activeitemrect : itemrect);
        const bool stretch = (focused || selected) ? FFace.stretcheffect : false;
        ComposeHorzSkinPicture(itemleftoffset, itemrightoffset, face, stretch, w, piece, pic);
        DrawSkin(c, 0, 0, face);
        if (focused && !selected) c.DrawFocusRect({0, 0, w, h});
        const TRect text{itemtextrect.Left, itemtextrect.Top, itemtextrect.Right + w - itemrect.Width(),
                         itemtextrect.Bottom};
        SetItemFont(c, selected && focused ? focusfontcolor : selected ? activefontcolor : fontcolor);
        DrawItemContents(c, Index, text, State, w, h, true);
        Canvas.Draw(R.Left, R.Top, &b);
        return;
    }
    const int h = R.Height();
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    TskBitmap face(w, h);
    const TRect piece = focused ? focusitemrect : selected ? activeitemrect : itemrect;
    const TRect centre{itemtextrect.Left + 1, itemtextrect.Top + 1, itemtextrect.Right - 1,
                       itemtextrect.Bottom - 1};
    StretchSkinPicture(face, pic, piece, centre, true);
    DrawSkin(c, 0, 0, face);
    const TRect text{itemtextrect.Left, itemtextrect.Top, itemtextrect.Right + w - itemrect.Width(),
                     itemtextrect.Bottom + h - itemrect.Height()};
    SetItemFont(c, focused ? focusfontcolor : selected ? activefontcolor : fontcolor);
    DrawItemContents(c, Index, text, State, w, h, true);
    Canvas.Draw(R.Left, R.Top, &b);
}

void TskSkinCustomListBox::PaintListBackground(TCanvas& Canvas, const TRect& Area) {
    GetSkinData();
    if (FSkinIndex != -1 && FFace.SkinBitmap) {
        const TRect piece{
            FFace.skinrect.Left + FFace.clientrect.Left, FFace.skinrect.Top + FFace.clientrect.Top,
            FFace.skinrect.Left + FFace.clientrect.Right, FFace.skinrect.Top + FFace.clientrect.Bottom};
        // An empty client piece cannot be tiled: the plain fill stays.
        if (TileSkinPiece(Canvas, Area, *FFace.SkinBitmap, piece)) return;
    }
    FillColor(Canvas, Area, clWindow);
}

// Frame and caption.

void TskSkinCustomListBox::CalcCaptionButtons(bool Skinned) {
    if (!Skinned) {
        const int b = std::min(17, FDefaultCaptionHeight - 3);
        FButtons[0].R = {Width() - b - 2, 2, Width() - 2, b + 1};
        FButtons[1].R = {FButtons[0].R.Left - b, 2, FButtons[0].R.Left, b + 1};
        FButtons[2].R = {FButtons[1].R.Left - b, 2, FButtons[1].R.Left, b + 1};
        return;
    }
    const TskSkinFace& f = FFace;
    const int dw = Width() - f.skinrect.Width(), dh = Height() - f.skinrect.Height();
    FScaledCaptionRect = captionrect;
    if (captionrect.Right >= f.righttoppoint.X) FScaledCaptionRect.Right += dw;
    for (int i = 0; i < 3; ++i) {
        TRect r = buttonpictures[i].Plain;
        int limit = f.righttoppoint.X;
        if (r.Top > f.lefttoppoint.Y) {
            r = MoveRect(r, 0, dh);
            limit = f.rightbottompoint.X;
        }
        if (r.Left > limit) r = MoveRect(r, dw, 0);
        FButtons[i].R = r;
    }
}

void TskSkinCustomListBox::DrawCaption(TCanvas& c, const TRect& R, bool Skinned) {
    TFont& f = c.Font();
    if (Skinned)
        SetSkinFont(f, captionfontname, captionfontheight, captionfontstyle, captionfontcolor);
    else
        f.Assign(FDefaultCaptionFont);
    f.SetCharset(SkinCharSet(FSkinData, FDefaultCaptionFont));
    c.Brush().Style = bsClear;
    const String& text = Caption();
    int w = c.TextWidth(text);
    const bool glyph = !FGlyph.Empty();
    if (NumGlyphs < 1) NumGlyphs = 1;
    const int gw = glyph ? FGlyph.Width() / NumGlyphs : 0;
    if (glyph) w += gw + Spacing;
    const int pad = Skinned ? 2 : 0;
    int x = FAlignment == taLeftJustify    ? R.Left + pad
            : FAlignment == taRightJustify ? R.Right - w - pad
                                           : R.Left + pad + R.Width() / 2 - w / 2;
    const int y = Skinned ? R.Top + R.Height() / 2 - c.TextHeight(text) / 2
                          : (FDefaultCaptionHeight - 2) / 2 - c.TextHeight(text) / 2;
    if (glyph) {
        TskBitmap strip = SkinBitmapFromHandle(FGlyph.Handle());
        const int index = (!Enabled() && NumGlyphs == 2) ? 2 : 1;
        DrawGlyphFromStrip(c.Handle(), x, R.Top + R.Height() / 2 - FGlyph.Height() / 2 - (Skinned ? 0 : 1),
                           index, NumGlyphs, strip);
        x += gw + Spacing;
    }
    c.TextRect(R, x, y, text);
}

void TskSkinCustomListBox::DrawCaptionButton(TCanvas& c, int I) {
    const CaptionButton& b = FButtons[I];
    if (FSkinIndex == -1) {
        DrawPlainSmallButton(c, b.R, b.Down && b.MouseIn, b.MouseIn, false);
        if (I == 2)
            DrawCheckMark(c.Handle(), b.R.Left + 4, b.R.Top + 4, 0);
        else
            DrawArrowGlyph(c.Handle(), b.R, 0, I == 0 ? 3 : 4);
        return;
    }
    if (IsEmptySkinRect(b.R) || !FFace.SkinBitmap) return;
    const TskButtonPictures& pictures = buttonpictures[I];
    TRect src = pictures.For(b.Down, b.MouseIn);
    if (IsEmptySkinRect(src)) src = MoveRect(pictures.Plain, FFace.skinrect.Left, FFace.skinrect.Top);
    StretchSkinPiece(c, b.R, *FFace.SkinBitmap, src);
}

void TskSkinCustomListBox::CreateControlDefaultImage(TBitmap& Bitmap) {
    TskSkinCustomControl::CreateControlDefaultImage(Bitmap);
    TCanvas& c = Bitmap.Canvas();
    FrameColor(c, {0, 0, Width(), Height()}, clBtnShadow);
    if (!FCaptionMode) return;
    CalcCaptionButtons(false);
    const int b = std::min(17, FDefaultCaptionHeight - 3);
    DrawCaption(c, {3, 2, Width() - 3 * b - 3, FDefaultCaptionHeight - 2}, false);
    c.Pen().Color = clBtnShadow;
    c.MoveTo(1, FDefaultCaptionHeight - 1);
    c.LineTo(Width() - 1, FDefaultCaptionHeight - 1);
    for (int i = 0; i < 3; ++i)
        DrawCaptionButton(c, i);
}

void TskSkinCustomListBox::CreateControlSkinImage(TBitmap& Bitmap) {
    TskSkinCustomControl::CreateControlSkinImage(Bitmap);
    if (FCaptionMode) CalcCaptionButtons(true);
    TCanvas& c = Bitmap.Canvas();
    if (!IsEmptySkinRect(captionrect)) DrawCaption(c, FScaledCaptionRect, true);
    if (FCaptionMode)
        for (int i = 0; i < 3; ++i)
            DrawCaptionButton(c, i);
}

// Caption buttons.

bool TskSkinCustomListBox::ButtonsLive() const {
    return FCaptionMode && (FSkinIndex == -1 || !IsEmptySkinRect(buttonpictures[0].Plain) ||
                            !IsEmptySkinRect(buttonpictures[1].Plain));
}

const TNotifyEvent& TskSkinCustomListBox::CaptionButtonEvent(int I) const {
    return I == 0 ? OnUpButtonClick : I == 1 ? OnDownButtonClick : OnCheckButtonClick;
}

void TskSkinCustomListBox::CaptionButtonAction(int I) {
    const int index = ItemIndex();
    if (I == 0 && index > 0) SetItemIndex(index - 1);
    if (I == 1 && index < FListBox->Count() - 1) SetItemIndex(index + 1);
    if (I == 2) FListBox->DoClick();
}

// The event answers a release over the button; any other release, also one away from the
// button, runs the button's own action.
void TskSkinCustomListBox::CaptionButtonUp(int I, bool Over) {
    const TNotifyEvent& event = CaptionButtonEvent(I);
    if (Over && event)
        event(this);
    else
        CaptionButtonAction(I);
}

void TskSkinCustomListBox::CaptionButtonStep(int I) {
    if (I == 0 && ItemIndex() >= 1)
        SetItemIndex(ItemIndex() - 1);
    else if (I == 1 && ItemIndex() < FListBox->Count() - 1)
        SetItemIndex(ItemIndex() + 1);
}

void TskSkinCustomListBox::Dispatch(TMessage& Message) {
    TskButtonBox::Dispatch(Message);
    if (Message.Msg == WM_SIZE) {
        AdjustListRect();
        UpdateScrollBars();
        if (FVScrollBar) FVScrollBar->Repaint();
    } else if (Message.Msg == CM_TEXTCHANGED && FCaptionMode) {
        Repaint();
    }
}

// Hooks: each fires the matching event with this control as the sender.

void TskSkinCustomListBox::ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, Button, Shift, X, Y);
}
void TskSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, int X, int Y) {
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, Shift, X, Y);
}
void TskSkinCustomListBox::ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, Button, Shift, X, Y);
}
void TskSkinCustomListBox::ListBoxClick() {
    if (OnListBoxClick) OnListBoxClick(this);
}
void TskSkinCustomListBox::ListBoxDblClick() {
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}
void TskSkinCustomListBox::ListBoxKeyDown(Word& Key, TShiftState Shift) {
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, Key, Shift);
}
void TskSkinCustomListBox::ListBoxKeyUp(Word& Key, TShiftState Shift) {
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, Key, Shift);
}
void TskSkinCustomListBox::ListBoxKeyPress(TKeyChar& Key) {
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, Key);
}

const TPropertyTable<TskSkinCustomListBox>& CustomListBoxProperties() {
    using namespace props;
    using C = TskSkinCustomListBox;
    static const TPropertyTable<C> table{
        {"Items", StringsFields("Items", &C::Items)},
        {"ItemIndex", Call(&C::SetItemIndex, AsInt)},
        {"RowCount", Call(&C::SetRowCount, AsInt)},
        {"CaptionMode", Call(&C::SetCaptionMode, AsBool)},
        {"UseSkinItemHeight", Call(&C::SetUseSkinItemHeight, AsBool)},
    };
    return table;
}

namespace {
const TPropertyTable<TskSkinCustomListBox>& ListBoxProperties() {
    using namespace props;
    using C = TskSkinCustomListBox;
    static const TPropertyTable<C> table{
        CustomListBoxProperties(),
        {
            {"DefaultItemHeight", Call(&C::SetDefaultItemHeight, AsInt)},
            {"HorizontalExtent", Call(&C::SetHorizontalExtent, AsBool)},
            {"Sorted", Call(&C::SetSorted, AsBool)},
            {"Columns", Call(&C::SetColumns, AsInt)},
            {"TabWidths", [](C& c, const TPropValue& v) { c.TabWidths().SetText(AsText(v)); }},
        }};
    return table;
}
} // namespace

bool TskSkinListBox::SetProperty(const String& name, const TPropValue& v) {
    return ListBoxProperties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

} // namespace vd
