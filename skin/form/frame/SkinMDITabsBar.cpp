#include "skin/form/frame/SkinMDITabsBar.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Form.h"
#include "platform/win/Windows.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinDraw.h"
#include "skin/store/SkinEffectBmp.h"

#include <algorithm>

namespace vd {

namespace {
constexpr TColor kActiveTabFill = 0xB59385;

TRect MoveRect(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

TCustomForm* ActiveChildOfMainForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return main ? main->ActiveMDIChild() : nullptr;
}
} // namespace

TskSkinMDITabsBar::TskSkinMDITabsBar(TComponent* AOwner) : TskSkinControl(AOwner) {
    SetDefaultFace(FDefaultFont);
    SetBounds(Left(), Top(), 150, 21);
    FSkinDataName = "tab";
}

TskSkinMDITabsBar::~TskSkinMDITabsBar() = default;

void TskSkinMDITabsBar::AddTab(TCustomForm* Child) {
    if (!Child) return;
    FTabs.push_back(std::make_unique<TskMDITab>(this, Child));
    Repaint();
}

void TskSkinMDITabsBar::DeleteTab(TCustomForm* Child) {
    const auto it = std::find_if(FTabs.begin(), FTabs.end(), [&](auto& t) { return t->ChildForm == Child; });
    if (it == FTabs.end()) return;
    const int index = static_cast<int>(it - FTabs.begin());
    if (FHotTab == index) {
        if (OnTabMouseLeave) OnTabMouseLeave(it->get());
        FHotTab = FLastHotTab = -1;
    } else {
        // Indexes after the removed tab move down by one.
        if (FHotTab > index) --FHotTab;
        if (FLastHotTab == index)
            FLastHotTab = -1;
        else if (FLastHotTab > index)
            --FLastHotTab;
    }
    if (FDragIndex == index) {
        FDragIndex = -1;
        FDragging = FTabPressed = false;
        FDragOffset = 0;
    } else if (FDragIndex > index) {
        --FDragIndex;
    }
    FTabs.erase(it);
    Repaint();
}

void TskSkinMDITabsBar::UpdateActiveTab() {
    TCustomForm* active = ActiveChildOfMainForm();
    if (!active) return;
    for (auto& t : FTabs)
        t->IsActiveChild = t->ChildForm == active;
    Repaint();
}

int TskSkinMDITabsBar::TabIndexOf(const TCustomForm* Child) const {
    for (size_t i = 0; i < FTabs.size(); ++i)
        if (FTabs[i]->ChildForm == Child) return static_cast<int>(i);
    return -1;
}

void TskSkinMDITabsBar::DrawMDITab(TCustomForm* Child) {
    const int i = TabIndexOf(Child);
    if (i >= 0) RedrawTab(*FTabs[static_cast<size_t>(i)]);
}

void TskSkinMDITabsBar::SetTabKind(TskSkinMDITabKind Value) {
    if (FTabKind == Value) return;
    FTabKind = Value;
    if (FSkinIndex != -1) Repaint();
}

void TskSkinMDITabsBar::SetSkinForm(TskSkinForm* Value) {
    FSkinForm = Value;
}

void TskSkinMDITabsBar::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (FSkinIndex == -1 && Value > 0) SetBounds(Left(), Top(), Width(), Value);
}

void TskSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // A child freed without the frame removing its tab must not leave a dangling tab.
    for (auto& t : FTabs)
        if (t->ChildForm == AComponent) {
            DeleteTab(t->ChildForm);
            break;
        }
}

void TskSkinMDITabsBar::GetSkinData() {
    TskSkinControl::GetSkinData();
    FPicture = nullptr;
    if (FSkinIndex == -1) return;
    auto* r = dynamic_cast<const TskDataSkinTabControl*>(SkinRecord());
    const TskBitmap* pic = r ? FSkinData->ActivePicture(r->pictureindex) : nullptr;
    // Without its picture the record cannot compose anything: the bar keeps the plain look.
    if (!pic || pic->Empty()) {
        FSkinIndex = -1;
        return;
    }
    FPicture = pic;
    FTabRect = r->tabrect;
    FActiveTabRect = IsEmptySkinRect(r->activetabrect) ? r->tabrect : r->activetabrect;
    FMouseInTabRect = IsEmptySkinRect(r->mouseintabrect) ? r->tabrect : r->mouseintabrect;
    FTabsBGRect = r->tabsbgrect;
    FTabLeftOffset = r->tableftoffset;
    FTabRightOffset = r->tabrightoffset;
    FFontName = r->fontname;
    FFontStyle = r->fontstyle;
    FFontHeight = r->fontheight;
    FFontColor = r->fontcolor;
    FFocusFontColor = r->focusfontcolor;
    FMouseInFontColor = r->mouseinfontcolor;
    FTabStretchEffect = r->tabstretcheffect;
}

void TskSkinMDITabsBar::ChangeSkinData() {
    TskSkinControl::ChangeSkinData();
    if (FSkinIndex != -1 && UseSkinSize) {
        if (FTabRect.Height() > 0) SetBounds(Left(), Top(), Width(), FTabRect.Height());
    } else if (FDefaultHeight > 0) {
        SetBounds(Left(), Top(), Width(), FDefaultHeight);
    }
}

void TskSkinMDITabsBar::CalcTabRects() {
    const int n = TabCount();
    if (n == 0) return;
    const int W = Width(), H = Height();
    const int w = std::min(W / n, DefaultTabWidth);
    for (int i = 0; i < n; ++i)
        FTabs[size_t(i)]->TabRect = {i * w, 0, (i + 1) * w, H};
    if (w < DefaultTabWidth) FTabs.back()->TabRect.Right = W;
    if (FDragging && FDragIndex >= 0 && FDragIndex < n) {
        TRect& r = FTabs[size_t(FDragIndex)]->TabRect;
        r = MoveRect(r, FDragOffset, 0);
        if (r.Right > W) r = MoveRect(r, W - r.Right, 0);
        if (r.Left < 0) r = MoveRect(r, -r.Left, 0);
    }
}

int TskSkinMDITabsBar::TabAtPos(int X, int Y) const {
    for (int i = 0; i < TabCount(); ++i) {
        const TRect& r = FTabs[size_t(i)]->TabRect;
        if (X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom) return i;
    }
    return -1;
}

int TskSkinMDITabsBar::DropTarget() const {
    if (!FDragging || FDragIndex < 0 || FDragIndex >= TabCount()) return -1;
    const TRect& d = FTabs[size_t(FDragIndex)]->TabRect;
    auto centre = [&](int i) {
        const TRect& r = FTabs[size_t(i)]->TabRect;
        return r.Left + r.Width() / 2;
    };
    int target = -1;
    if (FDragOffset >= 1) {
        for (int i = FDragIndex + 1; i < TabCount(); ++i)
            if (centre(i) < d.Right) target = i;
    } else if (FDragOffset < 0) {
        for (int i = 0; i < FDragIndex; ++i)
            if (centre(i) > d.Left) {
                target = i;
                break;
            }
    }
    return target;
}

void TskSkinMDITabsBar::DrawDropMarker(TCanvas& Canvas, int X) {
    const int H = Height(), c = H / 2;
    TPenMode old = Canvas.Pen().Mode;
    Canvas.Pen().Mode = pmNot;
    for (int x = X - 1; x <= X + 1; ++x) {
        Canvas.MoveTo(x, 0);
        Canvas.LineTo(x, H);
    }
    const TPoint right[] = {{X + 2, c}, {X + 5, c - 3}, {X + 5, c + 3}, {X + 2, c}};
    const TPoint left[] = {{X - 2, c}, {X - 5, c - 3}, {X - 5, c + 3}, {X - 2, c}};
    Canvas.Polyline(right, 4);
    Canvas.Polyline(left, 4);
    Canvas.Pen().Mode = old;
}

// The button look; false when the skin lacks what it needs.
bool TskSkinMDITabsBar::DrawButtonTab(TCanvas& c, const TskMDITab& Tab, bool hot, TRect& text) {
    const int w = Tab.TabRect.Width(), h = Tab.TabRect.Height();
    // The button look needs the "resizebutton" record; without it the tab stays undrawn.
    const int bi = FSkinData->IndexOfControlRecord("resizebutton");
    auto* r = bi >= 0 ? dynamic_cast<const TskDataSkinButtonControl*>(FSkinData->ControlRecord(bi)) : nullptr;
    const TskBitmap* pic = r ? FSkinData->ActivePicture(r->pictureindex) : nullptr;
    if (!pic || pic->Empty() || IsEmptySkinRect(r->skinrect)) return false;
    TRect src = r->skinrect;
    TskColor color = r->fontcolor;
    if (Tab.IsActiveChild) {
        src = !IsEmptySkinRect(r->downskinrect)     ? r->downskinrect
              : !IsEmptySkinRect(r->activeskinrect) ? r->activeskinrect
                                                    : r->skinrect;
        color = r->downfontcolor;
    } else if (hot) {
        src = IsEmptySkinRect(r->activeskinrect) ? r->skinrect : r->activeskinrect;
        color = r->activefontcolor;
    }
    const TskSkinCorners old{r->lefttoppoint, r->righttoppoint, r->leftbottompoint, r->rightbottompoint,
                             r->clientrect};
    const TskSkinCorners neu = FitSkinCorners(old, r->skinrect, w, h);
    TskBitmap face;
    ComposeSkinPicture(old, neu, face, *pic, src, w, h, true,
                       {r->leftstretch, r->topstretch, r->rightstretch, r->bottomstretch}, r->stretcheffect);
    DrawSkin(c, 0, 0, face);
    c.Font().Assign(FDefaultFont);
    c.Font().SetColor(static_cast<TColor>(color));
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    text = neu.Client;
    SelectObject(c.Handle(), reinterpret_cast<HGDIOBJ>(c.Font().Handle()));
    const int th = WideTextHeight(c.Handle(), "Wg");
    if (text.Height() < th) {
        text.Top = h / 2 - th / 2;
        text.Bottom = text.Top + th;
    }
    return true;
}

void TskSkinMDITabsBar::DrawTab(TCanvas& Canvas, TskMDITab& Tab) {
    const int w = Tab.TabRect.Width(), h = Tab.TabRect.Height();
    if (w <= 0 || h <= 0) return;
    const bool hot = Tab.MouseOver && !Tab.IsActiveChild;
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    TRect text{2, 0, w - 2, h};
    if (FSkinIndex == -1) {
        FillColor(c, {0, 0, w, h}, hot ? clskHotFill : Tab.IsActiveChild ? kActiveTabFill : clBtnFace);
        c.Font().Assign(FDefaultFont);
        c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    } else if (FTabKind == sktkButton) {
        if (!DrawButtonTab(c, Tab, hot, text)) return;
    } else {
        const TRect piece = hot ? FMouseInTabRect : Tab.IsActiveChild ? FActiveTabRect : FTabRect;
        TskBitmap face;
        if (UseSkinSize)
            ComposeHorzSkinPicture(FTabLeftOffset, FTabRightOffset, face, FTabStretchEffect, w, piece,
                                   *FPicture);
        else
            ComposeHorzSkinPicture(FTabLeftOffset, FTabRightOffset, face, false, w, piece, *FPicture);
        if (Align() == alBottom && !face.Empty()) {
            TskEffectBmp e = TskEffectBmp::CreateFromBitmap(face);
            TskEffectBmp m = TskEffectBmp::CreateSize(e.Width(), e.Height());
            e.CopyFlippedVert(m);
            face = m.ToBitmap();
        }
        FillColor(c, {0, 0, w, h}, clBtnFace);
        if (!face.Empty()) StretchSkinPiece(c, {0, 0, w, h}, face, {0, 0, face.Width(), face.Height()});
        const TskColor color = hot ? FMouseInFontColor : Tab.IsActiveChild ? FFocusFontColor : FFontColor;
        if (UseSkinFont) {
            SetSkinFont(c.Font(), FFontName, FFontHeight, FFontStyle, static_cast<TColor>(color));
        } else {
            c.Font().Assign(FDefaultFont);
            c.Font().SetColor(static_cast<TColor>(color));
        }
        c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
        text = {FTabLeftOffset, 0, w - FTabRightOffset, h};
    }
    HDC dc = c.Handle();
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(c.Font().Handle()));
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(c.Font().Color())));
    SetBkMode(dc, TRANSPARENT);
    String caption = Tab.ChildForm ? Tab.ChildForm->Caption() : String();
    FitWideTextToWidth(dc, caption, text.Width());
    DrawTextWide(dc, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    Canvas.Draw(Tab.TabRect.Left, Tab.TabRect.Top, &b);
}

void TskSkinMDITabsBar::DrawTabs(TCanvas& Canvas) {
    CalcTabRects();
    for (int i = 0; i < TabCount(); ++i)
        if (!(FDragging && i == FDragIndex)) DrawTab(Canvas, *FTabs[size_t(i)]);
    if (FDragging && FDragIndex >= 0 && FDragIndex < TabCount()) {
        DrawTab(Canvas, *FTabs[size_t(FDragIndex)]);
        const int target = DropTarget();
        if (target >= 0) {
            const TRect& r = FTabs[size_t(target)]->TabRect;
            DrawDropMarker(Canvas, FDragOffset <= 0 ? r.Left : r.Right);
        }
    }
}

void TskSkinMDITabsBar::CreateControlDefaultImage(TBitmap& Bitmap) {
    FillColor(Bitmap.Canvas(), {0, 0, Bitmap.Width(), Bitmap.Height()}, clBtnFace);
    DrawTabs(Bitmap.Canvas());
}

void TskSkinMDITabsBar::CreateControlSkinImage(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    const int W = Bitmap.Width(), H = Bitmap.Height();
    const TRect bg = FTabsBGRect;
    const int tw = bg.Width(), th = bg.Height();
    // An empty tile or one outside the picture would never advance: the plain fill instead.
    if (tw <= 0 || th <= 0 || bg.Left < 0 || bg.Top < 0 || bg.Right > FPicture->Width() ||
        bg.Bottom > FPicture->Height()) {
        FillColor(c, {0, 0, W, H}, clBtnFace);
    } else {
        // The tile taken out once: each piece then reads a few pixels, not the whole picture.
        const int sh = H < th ? H : th;
        TskBitmap tile(tw, sh);
        CopyRect(tile, {0, 0, tw, sh}, *FPicture, {bg.Left, bg.Top, bg.Right, bg.Top + sh});
        for (int x = 0; x < W; x += tw) {
            const int cw = std::min(tw, W - x);
            StretchSkinPiece(c, {x, 0, x + cw, H}, tile, {0, 0, cw, sh});
        }
    }
    DrawTabs(c);
}

void TskSkinMDITabsBar::RedrawTab(TskMDITab& Tab) {
    (void)Tab;
    if (!HandleAllocated() || Width() <= 0 || Height() <= 0) return;
    Repaint();
}

void TskSkinMDITabsBar::TrackTab(int X, int Y) {
    CalcTabRects();
    FHotTab = TabAtPos(X, Y);
    if (FHotTab == FLastHotTab) return;
    if (FLastHotTab >= 0 && FLastHotTab < TabCount()) {
        TskMDITab& old = *FTabs[size_t(FLastHotTab)];
        old.MouseOver = false;
        RedrawTab(old);
        if (OnTabMouseLeave) OnTabMouseLeave(&old);
    }
    FLastHotTab = FHotTab;
    if (FHotTab >= 0) {
        TskMDITab& neu = *FTabs[size_t(FHotTab)];
        neu.MouseOver = true;
        RedrawTab(neu);
        if (OnTabMouseEnter) OnTabMouseEnter(&neu);
    }
}

void TskSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    CalcTabRects();
    const int i = TabAtPos(X, Y);
    if (i < 0) return;
    TskMDITab* tab = FTabs[size_t(i)].get();
    TCustomForm* child = tab->ChildForm;
    TskSkinForm* frame = child ? GetSkinForm(child) : nullptr;
    if (Button == mbLeft) {
        if (child) {
            child->Show();
            if (frame && frame->WindowState() == skwsMinimized)
                frame->SetWindowState(skwsNormal);
            else if (!frame && child->WindowState() == wsMinimized && child->HandleAllocated())
                ShowWindow(child->Handle(), SW_RESTORE);
        }
        FTabPressed = true;
        if (MoveTabs) FDragIndex = i;
        FDragStartX = X;
        FDragOffset = 0;
    } else if (Button == mbRight && SupportChildMenus && frame && FSkinForm && FSkinForm->SkinMenu()) {
        if (TMenuItem* items = frame->GetSystemMenuItems()) {
            const TPoint p = ClientToScreen({X, Y});
            SkinMenuOpen(FSkinForm);
            TskSkinData* data =
                FSkinForm->MenusSkinData() ? FSkinForm->MenusSkinData() : FSkinForm->SkinData();
            // A menu that shows nothing sends no close: the menu mode ends here, or the frame's
            // key hook would keep every key.
            if (!FSkinForm->SkinMenu()->Popup(Parent(), data, 0, {p.X, p.Y, p.X, p.Y}, items, false))
                SkinMenuClose(FSkinForm);
        }
    }
    // The popup may have closed the child and taken its tab.
    if (i < TabCount() && FTabs[size_t(i)].get() == tab && OnTabMouseDown) OnTabMouseDown(Button, Shift, tab);
}

void TskSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseMove(Shift, X, Y);
    if (FTabPressed && FDragIndex >= 0 && !FDragging && X != FDragStartX) FDragging = true;
    if (FDragging) {
        FDragOffset = X - FDragStartX;
        Repaint();
    } else {
        TrackTab(X, Y);
    }
}

void TskSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseUp(Button, Shift, X, Y);
    FTabPressed = false;
    if (FDragging) {
        CalcTabRects();
        const int target = DropTarget();
        if (target >= 0 && target != FDragIndex) {
            auto moved = std::move(FTabs[size_t(FDragIndex)]);
            FTabs.erase(FTabs.begin() + FDragIndex);
            FTabs.insert(FTabs.begin() + target, std::move(moved));
        }
        FDragging = false;
        FDragIndex = -1;
        FDragOffset = 0;
        FHotTab = FLastHotTab = -1;
        for (auto& t : FTabs)
            t->MouseOver = false;
        Repaint();
        return;
    }
    FDragIndex = -1;
    CalcTabRects();
    const int i = TabAtPos(X, Y);
    if (i >= 0 && OnTabMouseUp) OnTabMouseUp(Button, Shift, FTabs[size_t(i)].get());
}

void TskSkinMDITabsBar::WndProc(TMessage& Message) {
    if (Message.Msg == CM_MOUSELEAVE && !FDragging) TrackTab(-1, -1);
    TskSkinControl::WndProc(Message);
}

} // namespace vd
