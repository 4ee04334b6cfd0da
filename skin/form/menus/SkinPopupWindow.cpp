#include "skin/form/menus/SkinPopupWindow.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/core/SkinMaskRegion.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinMenuItem.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>

namespace vd {

namespace {
// Right and bottom edges excluded.
bool Holds(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// The children of Item from Start on that a level shows: visible ones, and with line
// reduction no leading, trailing or doubled separators (the menu itself is left alone).
void CollectChildren(TMenuItem* item, int start, std::vector<TMenuItem*>& out) {
    if (!item) return;
    TMenu* menu = item->GetParentMenu();
    const bool reduce = menu && menu->AutoLineReduction;
    const size_t first = out.size();
    for (int i = std::max(start, 0); i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (TBasicAction* action = child->Action()) action->Update();
        if (!child->Visible) continue;
        if (reduce && child->IsLine() && (out.size() == first || out.back()->IsLine())) continue;
        out.push_back(child);
    }
    if (reduce)
        while (out.size() > first && out.back()->IsLine())
            out.pop_back();
}

const TskDataSkinMenuItem* FirstMenuItemRecord(const TskSkinData& skin) {
    for (const auto& r : skin.ObjectRecords())
        if (auto* m = dynamic_cast<const TskDataSkinMenuItem*>(r.get())) return m;
    return nullptr;
}
} // namespace

TPoint CalcMenuShowPosition(const TskMenuPlacement& P) {
    const TRect& r = P.Anchor;
    const TRect& a = P.WorkArea;
    const int w = P.Width, h = P.Height, t = P.ItemsTop;
    const int mid = a.Top + a.Height() / 2;
    bool moved = false;
    int y;
    if (P.FullHeight) {
        y = a.Top;
    } else if (P.SubLevel) {
        if (r.Top + h - t > a.Bottom)
            y = r.Top < mid ? a.Bottom - h : std::max(r.Bottom - h + t, a.Top);
        else
            y = r.Top - t;
    } else if (P.Above) {
        if (r.Top - h < a.Top) {
            if (r.Top < mid) {
                y = r.Bottom;
                if (r.Bottom + h > a.Bottom) {
                    y = a.Bottom - h;
                    moved = true;
                }
            } else {
                y = a.Top;
                moved = true;
            }
        } else {
            y = r.Top - h;
        }
    } else if (r.Bottom + h > a.Bottom) {
        if (r.Top < mid) {
            y = a.Bottom - h;
            moved = true;
        } else if (r.Top - h < a.Top) {
            y = a.Top;
            moved = true;
        } else {
            y = r.Top - h;
        }
    } else {
        y = r.Bottom;
    }
    int x;
    if (P.SubLevel || P.FullHeight || moved)
        x = r.Right + w + 1 > a.Right ? r.Left - w - 1 : r.Right + 1;
    else if (r.Left + w > a.Right)
        x = a.Right - w;
    else if (r.Left < a.Left)
        x = a.Left;
    else
        x = r.Left;
    return {x, y};
}

TskSkinPopupWindow::TskSkinPopupWindow(TskSkinMenu* Menu) : TCustomControl(Menu), FMenu(Menu) {
    FVisible = false;
    FPollTimer = new TTimer(this);
    FPollTimer->SetEnabled(false);
    FPollTimer->SetInterval(50);
    FPollTimer->OnTimer = [this](TObject*) { PollTimerTick(); };
    FEffectTimer = new TTimer(this);
    FEffectTimer->SetEnabled(false);
    FEffectTimer->SetInterval(20);
    FEffectTimer->OnTimer = [this](TObject*) { EffectTimerTick(); };
    FFadeTimer = new TTimer(this);
    FFadeTimer->SetEnabled(false);
    FFadeTimer->SetInterval(6);
    FFadeTimer->OnTimer = [this](TObject*) { FadeTimerTick(); };
}

void TskSkinPopupWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    // Never activated: the menu leaves the focus where it was (and is override-redirect on X11).
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.ClassStyle |= CS_SAVEBITS;
    if (IsWindowsXPVersion()) Params.ClassStyle |= CS_DROPSHADOW;
    Params.WndParent = nullptr;
    Params.WinClassName = "TskSkinPopupWindow";
}

void TskSkinPopupWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        Message.Result = 1; // the paint covers the whole level
        return;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(Handle(), ps);
        PaintLevel(ps.hdc);
        EndPaint(Handle(), ps);
        Message.Result = 0;
        return;
    }
    case WM_TIMER:
        if (Message.WParam == ScrollTimerId) {
            ScrollTimerTick();
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

void TskSkinPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (auto* mi = dynamic_cast<TMenuItem*>(AComponent)) ForgetMenuItem(mi);
}

void TskSkinPopupWindow::ForgetMenuItem(const TMenuItem* Item) {
    bool found = false;
    for (auto& item : FItems)
        if (item->MenuItem == Item) {
            item->MenuItem = nullptr;
            found = true;
        }
    if (found) FMenu->MenuItemGone();
}

int TskSkinPopupWindow::IndexOfItem(const TskSkinMenuItem* Item) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (FItems[static_cast<size_t>(i)].get() == Item) return i;
    return -1;
}

// Both fonts take the skin's character set (its string table's), else the default font's.
void TskSkinPopupWindow::SelectDefaultFont(TCanvas& C) const {
    C.Font().Assign(FMenu->DefaultItemFont());
    C.Font().SetCharset(SkinCharSet(FMenu->SkinData(), FMenu->DefaultItemFont()));
}

void TskSkinPopupWindow::SelectItemFont(TCanvas& C) const {
    if (FItemRecord && FMenu->UseSkinFont) {
        SetSkinFont(C.Font(), FItemRecord->fontname, FItemRecord->fontheight, FItemRecord->fontstyle,
                    clWindowText);
        C.Font().SetCharset(SkinCharSet(FMenu->SkinData(), FMenu->DefaultItemFont()));
    } else {
        SelectDefaultFont(C);
    }
}

void TskSkinPopupWindow::BuildItems(const std::vector<TMenuItem*>& Children, TComponent* Images) {
    FSkin = nullptr;
    FWindowRecord = nullptr;
    FItemRecord = nullptr;
    FLevelPicture = FLevelMask = nullptr;
    TskSkinData* skin = FMenu->SkinData();
    if (skin && !skin->Empty() && skin->PopupWindow().windowpictureindex != -1) {
        const TskDataSkinPopupWindow& rec = skin->PopupWindow();
        const TskBitmap* picture = skin->ActivePicture(rec.windowpictureindex);
        const TskDataSkinMenuItem* itemRecord = FirstMenuItemRecord(*skin);
        // Without its picture or a menu-item record to size the items, the level is plain.
        if (picture && !picture->Empty() && itemRecord) {
            FSkin = skin;
            FWindowRecord = &rec;
            FItemRecord = itemRecord;
            FLevelPicture = picture;
            FLevelMask = skin->ActivePicture(rec.maskpictureindex);
        }
    }
    auto* images = dynamic_cast<TCustomImageList*>(Images);
    FImages = images;
    FGlyphColumnWidth = images ? images->Width() + 5 : 19;
    for (TMenuItem* child : Children)
        FItems.push_back(std::make_unique<TskSkinMenuItem>(this, FItemRecord, child));
}

int TskSkinPopupWindow::ItemHeight(const TskSkinMenuItem& Item) const {
    if (Item.IsSeparator()) return FItemRecord ? HeightOfRect(FItemRecord->dividerrect) : 4;
    return FItemRecord ? HeightOfRect(Item.SkinRect()) : FMenu->DefaultItemHeight;
}

int TskSkinPopupWindow::ItemTextWidth(TCanvas& C, const TskSkinMenuItem& Item) const {
    if (!Item.MenuItem) return 2;
    String text = Item.MenuItem->Caption();
    if (Item.MenuItem->ShortCut != 0) text += "  " + ShortCutToText(Item.MenuItem->ShortCut);
    TRect r{0, 0, 0, 0};
    C.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    return r.Width() + 2;
}

int TskSkinPopupWindow::LevelWidth() const {
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    SelectItemFont(c);
    int a = 0;
    for (const auto& item : FItems)
        a = std::max(a, ItemTextWidth(c, *item));
    const int b = FGlyphColumnWidth + a + 19;
    if (!FItemRecord) return b + 10;
    const TskDataSkinMenuItem& r = *FItemRecord;
    const int itemWidth = b + r.textrect.Left + (WidthOfRect(r.skinrect) - r.textrect.Right);
    return itemWidth + (FLevelPicture->Width() - WidthOfRect(FWindowRecord->itemsrect));
}

int TskSkinPopupWindow::LevelHeight() {
    int s = 0;
    for (const auto& item : FItems)
        s += ItemHeight(*item);
    const int plainExtra = FMerged ? 6 : 4;
    const int skinExtra = FItemRecord ? FLevelPicture->Height() - HeightOfRect(FWindowRecord->itemsrect) : 0;
    const int max = FMenu->MaxItemsInWindow;
    if (max > 0 && ItemCount() > max) {
        const int rowHeight = FItemRecord && !FItems.empty() ? HeightOfRect(FItems.front()->SkinRect())
                                                             : FMenu->DefaultItemHeight;
        const int limited = max * rowHeight;
        FScrolling = FLimitedByCount = true;
        return (FItemRecord ? limited + skinExtra : limited + plainExtra) + 2 * MarkerBand;
    }
    return FItemRecord ? s + skinExtra : s + plainExtra;
}

void TskSkinPopupWindow::SizeLevel() {
    FFirstShown = 0;
    FShownCount = ItemCount();
    FScrolling = FLimitedByCount = false;
    // A skin whose items rectangle exceeds its picture must not give a window of no size.
    const int w = std::max(LevelWidth(), 1);
    int h = std::max(LevelHeight(), 1);
    const TRect& wa = FMenu->WorkArea();
    if (wa.Height() > 0 && h > wa.Height()) {
        h = wa.Height();
        FScrolling = true;
        FLimitedByCount = false;
    }
    SetBounds(Left(), Top(), w, h);
    FitToSize();
    LayoutItems();
    if (FLevelMask) SetLevelRegion();
}

void TskSkinPopupWindow::FitToSize() {
    const int w = Width(), h = Height();
    if (!FItemRecord) {
        FFittedItemsRect = {2, 2, w - 2, h - 2};
        return;
    }
    const TskDataSkinPopupWindow& rec = *FWindowRecord;
    const int pw = FLevelPicture->Width(), ph = FLevelPicture->Height();
    FFitted.LeftTop = rec.lefttoppoint;
    FFitted.RightTop = {w - (pw - rec.righttoppoint.X), rec.righttoppoint.Y};
    FFitted.LeftBottom = {rec.leftbottompoint.X, h - (ph - rec.leftbottompoint.Y)};
    FFitted.RightBottom = {w - (pw - rec.rightbottompoint.X), h - (ph - rec.rightbottompoint.Y)};
    FFittedItemsRect = {rec.itemsrect.Left, rec.itemsrect.Top, w - (pw - rec.itemsrect.Right),
                        h - (ph - rec.itemsrect.Bottom)};
    FFitted.Client = FFittedItemsRect;
}

void TskSkinPopupWindow::SetLevelRegion() {
    const TskDataSkinPopupWindow& rec = *FWindowRecord;
    const TskSkinCorners old{rec.lefttoppoint, rec.righttoppoint, rec.leftbottompoint, rec.rightbottompoint,
                             rec.itemsrect};
    auto region = BuildSkinRegion(old, FFitted, Width(), *FLevelMask);
    if (!region) return;
    UniqueRegion handle = CreateSkinRegionHandle(*region);
    if (handle) SetWindowRgn(Handle(), handle.Release(), TRUE); // the window owns it now
}

void TskSkinPopupWindow::LayoutItems() {
    int top = FFittedItemsRect.Top, bottom = FFittedItemsRect.Bottom;
    if (FScrolling) {
        top += MarkerBand;
        bottom -= MarkerBand;
    }
    FShownCount = 0;
    int i = FFirstShown;
    for (; i < ItemCount(); ++i) {
        TskSkinMenuItem& item = *FItems[static_cast<size_t>(i)];
        const int h = ItemHeight(item);
        item.ItemRect = {FFittedItemsRect.Left, top, FFittedItemsRect.Right, top + h};
        if (top + h > bottom) break;
        item.Shown = true;
        ++FShownCount;
        top += h;
    }
    if (FScrolling) {
        for (int k = 0; k < ItemCount(); ++k)
            if (k < FFirstShown || k >= FFirstShown + FShownCount)
                FItems[static_cast<size_t>(k)]->Shown = false;
    }
}

void TskSkinPopupWindow::Place(const TRect& R, bool SubLevel, bool Above) {
    SizeLevel();
    TskMenuPlacement p;
    p.Anchor = R;
    p.WorkArea = FMenu->WorkArea();
    p.Width = Width();
    p.Height = Height();
    p.ItemsTop = FFittedItemsRect.Top;
    p.FullHeight = FScrolling && !FLimitedByCount;
    p.SubLevel = SubLevel;
    p.Above = Above;
    FShowPos = CalcMenuShowPosition(p);
    SetBounds(FShowPos.X, FShowPos.Y, Width(), Height());
    HWND h = Handle();
    const bool layered = IsLayeredWindowOS() && FMenu->AlphaBlend;
    const bool fade = layered && FMenu->AlphaBlendAnimation && FMenu->FirstLevel();
    if (layered) {
        SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
        FAlpha = fade ? 0 : FMenu->AlphaBlendValue;
        SetWindowAlpha(h, FAlpha);
    }
    SetWindowPos(h, HWND_TOPMOST, FShowPos.X, FShowPos.Y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    FVisible = true;
    Invalidate();
    // The fade runs from a timer: the loop goes on while the level appears.
    if (fade) FFadeTimer->SetEnabled(true);
    FPollTimer->SetEnabled(true);
    EnterFirstItem();
}

void TskSkinPopupWindow::EnterFirstItem() {
    FHotIndex = -1;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem& item = *FItems[static_cast<size_t>(i)];
        if (item.IsEnabled() && !item.IsSeparator()) {
            item.KeySelected = true;
            FHotIndex = i;
            item.Enter(true);
            return;
        }
    }
}

void TskSkinPopupWindow::ShowLevel(const TRect& R, TMenuItem* Item, int StartIndex, bool SubLevel,
                                   bool Above) {
    std::vector<TMenuItem*> children;
    CollectChildren(Item, StartIndex, children);
    TMenu* menu = Item ? Item->GetParentMenu() : nullptr;
    BuildItems(children, menu ? menu->Images() : nullptr);
    if (FItems.empty()) return; // nothing to show: the engine closes the level
    Place(R, SubLevel, Above);
}

void TskSkinPopupWindow::ShowMergedLevel(const TRect& R, TMenuItem* First, TMenuItem* Second, int StartIndex,
                                         bool Above) {
    FMerged = true;
    std::vector<TMenuItem*> children;
    CollectChildren(First, StartIndex, children);
    const int firstCount = First ? First->Count() : 0;
    CollectChildren(Second, std::max(StartIndex - firstCount, 0), children);
    TMenu* menu = First ? First->GetParentMenu() : nullptr;
    BuildItems(children, menu ? menu->Images() : nullptr);
    if (FItems.empty()) return;
    Place(R, false, Above);
}

void TskSkinPopupWindow::FadeTimerTick() {
    FAlpha = std::min(FAlpha + 10, static_cast<int>(FMenu->AlphaBlendValue));
    if (HandleAllocated()) SetWindowAlpha(WindowHandle(), FAlpha);
    if (FAlpha >= FMenu->AlphaBlendValue) FFadeTimer->SetEnabled(false);
}

void TskSkinPopupWindow::Retire() {
    FFadeTimer->SetEnabled(false);
    FPollTimer->SetEnabled(false);
    FEffectTimer->SetEnabled(false);
    if (HandleAllocated()) {
        if (FScrollTimerOn) KillTimer(WindowHandle(), ScrollTimerId);
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FScrollTimerOn = false;
    FVisible = false;
}

void TskSkinPopupWindow::RedrawItem(TskSkinMenuItem* Item) {
    if (!HandleAllocated() || !Item || !Item->Shown) return;
    InvalidateRect(WindowHandle(), &Item->ItemRect, FALSE);
}

// Mouse ---------------------------------------------------------------------------------------

void TskSkinPopupWindow::PollTimerTick() {
    if (!HandleAllocated() || !FVisible) return;
    TPoint screen;
    if (!GetCursorPos(screen)) return;
    const TPoint p = ScreenToClient(screen);
    if (p == FLastMousePos) return;
    if (WindowFromPoint(screen) == WindowHandle()) {
        TrackMouse(p.X, p.Y);
    } else if (FScrolling) {
        FScrollDirection = 0;
        InvalidateRect(WindowHandle(), nullptr, FALSE);
    }
    FLastMousePos = p;
}

TRect TskSkinPopupWindow::UpBand() const {
    const TRect& r = FFittedItemsRect;
    return {r.Left, r.Top, r.Right, r.Top + MarkerBand};
}

TRect TskSkinPopupWindow::DownBand() const {
    const TRect& r = FFittedItemsRect;
    return {r.Left, r.Bottom - MarkerBand, r.Right, r.Bottom};
}

void TskSkinPopupWindow::TrackMouse(int X, int Y) {
    const TPoint p{X, Y};
    if (FScrolling) {
        const bool inUp = Holds(UpBand(), p), inDown = Holds(DownBand(), p);
        if (inUp && FScrollDirection == 0 && CanScroll(1)) {
            FScrollDirection = 1;
            StartScrollTimer();
        } else if (inDown && FScrollDirection == 0 && CanScroll(2)) {
            FScrollDirection = 2;
            StartScrollTimer();
        } else if (!inUp && !inDown && FScrollDirection != 0) {
            StopScroll();
        }
    }
    FPrevHotIndex = FHotIndex;
    for (int i = 0; i < ItemCount(); ++i) {
        const TskSkinMenuItem& item = *FItems[static_cast<size_t>(i)];
        if (item.Shown && Holds(item.ItemRect, p)) {
            FHotIndex = i;
            break;
        }
    }
    if (FHotIndex >= ItemCount()) FHotIndex = -1;
    if (FHotIndex == -1) return;
    TskSkinMenuItem& hot = *FItems[static_cast<size_t>(FHotIndex)];
    if (FHotIndex == FPrevHotIndex) {
        if (hot.KeySelected) {
            hot.KeySelected = false;
            if (hot.HasChildren()) hot.Enter(false);
        }
        return;
    }
    if (FPrevHotIndex >= 0 && FPrevHotIndex < ItemCount()) {
        TskSkinMenuItem& old = *FItems[static_cast<size_t>(FPrevHotIndex)];
        if (old.IsEnabled() && !old.IsSeparator()) old.Leave();
    }
    if (hot.IsEnabled() && !hot.IsSeparator()) hot.Enter(false);
}

void TskSkinPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    TrackMouse(X, Y);
    if (Button != mbLeft || FHotIndex < 0 || FHotIndex >= ItemCount()) return;
    TskSkinMenuItem& hot = *FItems[static_cast<size_t>(FHotIndex)];
    if (hot.Shown && Holds(hot.ItemRect, {X, Y}) && !hot.IsSeparator()) hot.Click();
}

// Effects -------------------------------------------------------------------------------------

void TskSkinPopupWindow::EffectTimerTick() {
    if (!FSkin) {
        FEffectTimer->SetEnabled(false);
        return;
    }
    bool changed = false;
    for (auto& p : FItems) {
        TskSkinMenuItem& item = *p;
        if (item.CanMorph() && item.IsMorphing()) {
            item.MorphStep();
            changed = true;
        } else if (item.CanAnimate()) {
            const int frames = item.ItemRecord()->framecount;
            if (item.Hot && item.AnimFrame <= frames) {
                ++item.AnimFrame;
                RedrawItem(&item);
                changed = true;
            } else if (!item.Hot && item.AnimFrame > 0) {
                --item.AnimFrame;
                RedrawItem(&item);
                changed = true;
            }
        }
    }
    if (!changed) FEffectTimer->SetEnabled(false);
}

// Painting ------------------------------------------------------------------------------------

void TskSkinPopupWindow::DrawBackground(TskBitmap& B) const {
    const TskDataSkinPopupWindow& rec = *FWindowRecord;
    const TskSkinCorners old{rec.lefttoppoint, rec.righttoppoint, rec.leftbottompoint, rec.rightbottompoint,
                             rec.itemsrect};
    const TRect whole{0, 0, FLevelPicture->Width(), FLevelPicture->Height()};
    ComposeWindowSkinPicture(old, FFitted, B, *FLevelPicture, whole, Width(), Height(), FScrolling,
                             {rec.leftstretch, rec.topstretch, rec.rightstretch, rec.bottomstretch});
}

void TskSkinPopupWindow::DrawMarkers(HDC DC) const {
    if (!FScrolling) return;
    TRect up, down;
    TskColor normal, active;
    if (FItemRecord) {
        up = UpBand();
        down = DownBand();
        normal = FWindowRecord->scrollmarkercolor;
        active = FWindowRecord->scrollmarkeractivecolor;
    } else {
        up = {3, 3, Width() - 3, 13};
        down = {3, Height() - 10, Width() - 3, Height() - 3};
        normal = static_cast<TskColor>(ColorToRGB(clBtnShadow));
        active = static_cast<TskColor>(ColorToRGB(clBtnText));
    }
    DrawArrowGlyph(DC, up, FScrollDirection == 1 ? active : normal, 3);
    DrawArrowGlyph(DC, down, FScrollDirection == 2 ? active : normal, 4);
}

void TskSkinPopupWindow::PaintLevel(HDC DC) {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    TBitmap buffer(w, h);
    TCanvas& c = buffer.Canvas();
    if (FItemRecord) {
        TskBitmap b;
        DrawBackground(b);
        if (!b.Empty()) DrawSkin(c, 0, 0, b);
    } else {
        const int g = FImages ? FGlyphColumnWidth + 2 : 21;
        FillColor(c, {0, 0, g, h}, clBtnFace);
        FillColor(c, {g, 0, w, h}, clWindow);
        FrameColor(c, {0, 0, w, h}, clBtnShadow);
        FrameColor(c, {1, 1, w - 1, h - 1}, clWindow);
    }
    for (int i = FFirstShown; i < FFirstShown + FShownCount && i < ItemCount(); ++i)
        FItems[static_cast<size_t>(i)]->Draw(c);
    DrawMarkers(c.Handle());
    BitBlt(DC, 0, 0, w, h, c.Handle(), 0, 0, SRCCOPY);
}

} // namespace vd
