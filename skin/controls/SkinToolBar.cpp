#include "skin/controls/SkinToolBar.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>

namespace vd {

int SkinToolBarTop(const TControl* control, int Top, int H) {
    auto* bar = dynamic_cast<TskSkinToolBar*>(control->Parent());
    if (!bar || !bar->AdjustControls()) return Top;
    const TRect r = GetAdjustedClientRect(bar);
    return r.Top + r.Height() / 2 - H / 2;
}

TskSkinToolBar::TskSkinToolBar(TComponent* AOwner) : TskSkinPanel(AOwner) {
    FForceBackground = false;
    SetSkinDataName("toolpanel");
    FDefaultHeight = 0;
    SetHeight(25);
    SetBorderStyle(bvNone);
}

void TskSkinToolBar::SetFlat(bool Value) {
    FFlat = Value;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->SetFlat(Value);
}

void TskSkinToolBar::SetImages(TCustomImageList* Value) {
    FImages = Value;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->Repaint();
}

void TskSkinToolBar::SetHotImages(TCustomImageList* Value) {
    FHotImages = Value;
}

void TskSkinToolBar::SetDisabledImages(TCustomImageList* Value) {
    FDisabledImages = Value;
}

void TskSkinToolBar::SetShowCaptions(bool Value) {
    if (Value == FShowCaptions) return;
    FShowCaptions = Value;
    if (AutoShowHideCaptions)
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->SetShowCaption(Value);
    if (WidthWithCaptions != 0 && WidthWithoutCaptions != 0)
        SetWidth(Value ? WidthWithCaptions : WidthWithoutCaptions);
}

void TskSkinToolBar::SetSkinData(TskSkinData* Value) {
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (auto* g = dynamic_cast<TskSkinSpeedButton*>(c))
            g->SetSkinData(Value);
        else if (auto* b = dynamic_cast<TskSkinBevel*>(c))
            b->SetSkinData(Value);
    }
}

void TskSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int oldWidth = Width();
    TskSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FAdjustControls)
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
        }
    if (FAdjustControls) CenterControls();
    if (!CanScroll) return;
    FGrowth = Width() > oldWidth && oldWidth != 0 ? Width() - oldWidth : 0;
    UpdateScrollRange();
    CenterControls();
}

void TskSkinToolBar::CenterControls() {
    const TRect r = GetAdjustedClientRect(this);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (dynamic_cast<TskSkinControl*>(c) || dynamic_cast<TskGraphicSkinControl*>(c)) continue;
        if (c->Align() != alNone) continue;
        c->SetTop(r.Top + r.Height() / 2 - c->Height() / 2);
    }
}

void TskSkinToolBar::SetScrollOffset(int Value) {
    if (Value >= 0) FScrollOffset = Value;
}

void TskSkinToolBar::SetScrollTimerInterval(int Value) {
    if (Value > 0) FScrollTimerInterval = Value;
}

void TskSkinToolBar::GetSkinData() {
    TskSkinPanel::GetSkinData();
    FResizeButton = nullptr;
    if (FSkinIndex == -1) return;
    const int i = FSkinData->IndexOfControlRecord("resizebutton");
    // Used only when it really is a button record with a picture; else the plain buttons.
    auto* r = i == -1 ? nullptr : dynamic_cast<const TskDataSkinButtonControl*>(FSkinData->ControlRecord(i));
    if (r && FSkinData->ActivePicture(r->pictureindex)) FResizeButton = r;
}

void TskSkinToolBar::AdjustClientRect(TRect& Rect) {
    TskSkinPanel::AdjustClientRect(Rect);
    if (!FButtons[0].Visible) return;
    const int cw = ClientWidth(), ch = ClientHeight();
    Rect = {-FPosition, 0, -FPosition + std::max(FScrollMax, cw), ch};
    if (FSkinIndex == -1 || Designing()) {
        Rect.Top = 1;
        Rect.Bottom = ch - 1;
    } else if (!(FBorderStyle == bvNone && FFace.SkinResizeKind == 1)) {
        Rect.Top = FFace.CurClientRect.Top;
        Rect.Bottom = FFace.CurClientRect.Bottom;
    }
}

void TskSkinToolBar::ScrollContent(int D) {
    if (D == 0) return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() - D, c->Top(), c->Width(), c->Height());
    }
    Repaint();
}

void TskSkinToolBar::ShowButtons(bool Show) {
    if (FButtons[0].Visible == Show) return;
    FButtons[0].Visible = FButtons[1].Visible = Show;
    // The non-client strips change: the client area is computed again.
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    FButtons[0].R = {0, 0, ButtonSize, Height()};
    FButtons[1].R = {Width() - ButtonSize, 0, Width(), Height()};
}

void TskSkinToolBar::CreateControlSkinImage(TBitmap& Bitmap) {
    if (!ScrollButtonsShown() || FFace.SkinResizeKind != 2 || !FFace.HasPicture()) {
        TskSkinPanel::CreateControlSkinImage(Bitmap);
        return;
    }
    const TRect& s = FFace.skinrect;
    TskBitmap face;
    ComposeHorzSkinPictureMiddleOnly(FFace.lefttoppoint.X, s.Width() - FFace.righttoppoint.X, face,
                                     FFace.stretcheffect, Width(), s, *FFace.SkinBitmap);
    DrawSkin(Bitmap.Canvas(), 0, 0, face);
}

void TskSkinToolBar::UpdateScrollRange() {
    if (Width() == 0) return;
    int e = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Visible()) e = std::max(e, Controls(i)->Left() + Controls(i)->Width());
    if (e != 0 && ClientWidth() < e + FPosition) {
        ShowButtons(true);
        const int m = e + FPosition - 1;
        const int cw = ClientWidth();
        if (FPosition >= 1 && e < cw && FGrowth >= 1) {
            FGrowth = std::min(FGrowth, FPosition);
            FScrollMax = m;
            FPosition -= FGrowth;
            FScrollPage = cw;
            ScrollContent(-FGrowth);
            FLastPosition = FPosition;
            return;
        }
        if (FGrowth == 0 && m < FScrollMax && FPosition >= 1 && e < cw) {
            FScrollMax = m;
            FPosition += e - cw;
            FScrollPage = cw;
            ScrollContent(e - cw);
        } else {
            FScrollMax = m;
            FScrollPage = cw;
        }
        FLastPosition = FPosition;
        FGrowth = 0;
        return;
    }
    if (FPosition > 0) ScrollContent(-FPosition);
    FGrowth = FScrollMax = FPosition = FScrollPage = FLastPosition = 0;
    ShowButtons(false);
}

void TskSkinToolBar::ScrollStep(int Direction) {
    const int step = FScrollOffset != 0 ? FScrollOffset : ClientWidth();
    if (Direction == 1)
        FPosition = std::max(0, FPosition - step);
    else
        FPosition = std::min(FPosition + step, FScrollMax - FScrollPage + 1);
    if (FPosition == FLastPosition) {
        StopScrollTimer();
        return;
    }
    ScrollContent(FPosition - FLastPosition);
    FLastPosition = FPosition;
}

void TskSkinToolBar::StartScrollTimer() {
    KillTimer(Handle(), 1);
    SetTimer(Handle(), 1, unsigned(FScrollTimerInterval));
}

void TskSkinToolBar::StopScrollTimer() {
    if (HandleAllocated()) KillTimer(WindowHandle(), 1);
    FScrollMode = 0;
}

void TskSkinToolBar::DrawScrollButton(TCanvas& c, int Index) {
    const ScrollButton& b = FButtons[Index];
    const int w = b.R.Width(), h = b.R.Height();
    TRect inner{0, 0, w, h};
    TColor arrow = clBtnText;
    const bool pressed = (b.Down && b.MouseIn) || (b.MouseIn && HotScroll);
    GetSkinData();
    if (FResizeButton) {
        const auto* r = FResizeButton;
        TRect src = r->skinrect;
        arrow = r->fontcolor;
        if (!IsEmptySkinRect(r->downskinrect) && pressed) {
            src = r->downskinrect;
            arrow = r->downfontcolor;
        } else if (b.MouseIn && !IsEmptySkinRect(r->activeskinrect)) {
            src = r->activeskinrect;
            arrow = r->activefontcolor;
        }
        const TskSkinCorners old{r->lefttoppoint, r->righttoppoint, r->leftbottompoint, r->rightbottompoint,
                                 r->clientrect};
        TskBitmap face;
        ComposeSkinPicture(
            old, FitSkinCorners(old, src, w, h), face, *FSkinData->ActivePicture(r->pictureindex), src, w, h,
            true, {r->leftstretch, r->topstretch, r->rightstretch, r->bottomstretch}, r->stretcheffect);
        DrawSkin(c, 0, 0, face);
    } else {
        FrameAndFill(c, inner, pressed || b.MouseIn ? clskNavy : clBtnShadow,
                     pressed     ? clskPressedFill
                     : b.MouseIn ? clskHotFill
                                 : clBtnFace);
        inner = {1, 1, w - 1, h - 1};
    }
    DrawArrowGlyph(c.Handle(), inner, arrow, Index == 0 ? 1 : 2);
}

void TskSkinToolBar::PaintScrollButtons() {
    if (!CanScroll || !FButtons[0].Visible || !HandleAllocated()) return;
    HDC dc = GetWindowDC(WindowHandle());
    for (int i = 0; i < 2; ++i) {
        const TRect& r = FButtons[i].R;
        if (r.Width() <= 0 || r.Height() <= 0) continue;
        TBitmap b(r.Width(), r.Height());
        DrawScrollButton(b.Canvas(), i);
        BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), b.Canvas().Handle(), 0, 0, SRCCOPY);
    }
    ReleaseDC(WindowHandle(), dc);
}

void TskSkinToolBar::ClearHot() {
    bool cleared = false;
    for (ScrollButton& b : FButtons)
        if (b.MouseIn && b.Visible) {
            if (FScrollMode != 0) StopScrollTimer();
            b.MouseIn = false;
            cleared = true;
        }
    if (cleared) PaintScrollButtons();
}

bool TskSkinToolBar::NcMessage(TMessage& Message) {
    const int hit = int(Message.WParam);
    switch (Message.Msg) {
    case WM_NCHITTEST: {
        if (Designing()) return false;
        const TPoint screen{static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(Message.LParam))),
                            static_cast<std::int16_t>(HiWord(static_cast<std::uintptr_t>(Message.LParam)))};
        const TPoint p = ScreenToClient(screen);
        if (p.X < 0 && FButtons[0].Visible) {
            Message.Result = HitLeft;
            return true;
        }
        if (p.X > ClientWidth() && FButtons[1].Visible) {
            Message.Result = HitRight;
            return true;
        }
        return false;
    }
    case WM_NCMOUSEMOVE: {
        const int i = hit == HitLeft ? 0 : hit == HitRight ? 1 : -1;
        if (i == -1 || FButtons[i].MouseIn) return false;
        FButtons[i].MouseIn = true;
        FButtons[1 - i].MouseIn = false;
        PaintScrollButtons();
        if (HotScroll) {
            FScrollMode = i + 1;
            StartScrollTimer();
        }
        return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const int i = hit == HitLeft ? 0 : hit == HitRight ? 1 : -1;
        if (i == -1) return false;
        FButtons[i].Down = true;
        PaintScrollButtons();
        FScrollMode = i + 1;
        StartScrollTimer();
        return true;
    }
    case WM_NCLBUTTONUP: {
        const int i = hit == HitLeft ? 0 : hit == HitRight ? 1 : -1;
        if (i == -1) return false;
        FButtons[i].Down = false;
        PaintScrollButtons();
        StopScrollTimer();
        ScrollStep(i + 1);
        return true;
    }
    default:
        return false;
    }
}

void TskSkinToolBar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        // Never passed on: the scroll strips are the only non-client area.
        if (CanScroll && Message.LParam) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
            if (FButtons[0].Visible) p->rgrc[0].Left += ButtonSize;
            if (FButtons[1].Visible) p->rgrc[0].Right -= ButtonSize;
        }
        return;
    case WM_NCPAINT:
        PaintScrollButtons();
        return;
    case WM_SETCURSOR: {
        const int ht = static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(Message.LParam)));
        if (CanScroll && (ht == HitLeft || ht == HitRight))
            Message.LParam =
                LPARAM((static_cast<std::uintptr_t>(Message.LParam) & ~std::uintptr_t(0xFFFF)) | HTCLIENT);
        break;
    }
    case WM_TIMER:
        TskSkinPanel::WndProc(Message);
        if (CanScroll && FScrollMode != 0) ScrollStep(FScrollMode);
        return;
    case WM_SIZE:
        TskSkinPanel::WndProc(Message);
        if (CanScroll && FButtons[0].Visible) {
            FButtons[0].R = {0, 0, ButtonSize, Height()};
            FButtons[1].R = {Width() - ButtonSize, 0, Width(), Height()};
            PaintScrollButtons();
        }
        return;
    case WM_MOUSEMOVE:
        if (CanScroll) ClearHot();
        break;
    case CM_MOUSELEAVE:
        TskSkinPanel::WndProc(Message);
        if (!Designing() && CanScroll) {
            TPoint p;
            GetCursorPos(p);
            if (WindowFromPoint(p) != WindowHandle()) ClearHot();
        }
        return;
    default:
        if (CanScroll && NcMessage(Message)) return;
        break;
    }
    TskSkinPanel::WndProc(Message);
}

} // namespace vd
