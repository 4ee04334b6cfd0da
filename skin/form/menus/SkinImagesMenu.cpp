#include "skin/form/menus/SkinImagesMenu.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinMaskRegion.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>

namespace vd {

namespace {
// Right and bottom edges excluded.
bool Holds(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
constexpr TColor kGridPressedFill = 0xB59285; // as the palette has always drawn it
constexpr TColor kGridHotFill = 0xD2BDB6;
constexpr TColor kNavy = 0x800000;

// What closes a menu closes the grid, but a left click: the grid holds the mouse and judges its
// own clicks (a pick inside, a close outside). It has no keyboard, so any key closes it too.
bool IsGridCloseMessage(UINT m) {
    switch (m) {
    case WM_LBUTTONDOWN:
        return false;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        return true;
    default:
        return IsMenuCloseMessage(m);
    }
}

const TskDataSkinButtonControl* CellRecord(const TskSkinData& skin) {
    for (const char* name : {"menuitembutton", "resizebutton"}) {
        const int i = skin.IndexOfControlRecord(name);
        if (i < 0) continue;
        auto* r = dynamic_cast<const TskDataSkinButtonControl*>(skin.ControlRecord(i));
        if (r && skin.ActivePicture(r->pictureindex)) return r;
    }
    return nullptr;
}

const TskDataSkinMenuItem* TextRecord(const TskSkinData& skin) {
    for (const char* name : {"menuitem", "MENUITEM"}) {
        const int i = skin.IndexOfObjectRecord(name);
        if (i >= 0)
            if (auto* r = dynamic_cast<const TskDataSkinMenuItem*>(skin.ObjectRecord(i))) return r;
    }
    return nullptr;
}

TskSkinCorners PopupCorners(const TskDataSkinPopupWindow& r) {
    return {r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint, r.itemsrect};
}
} // namespace

// Grid window ----------------------------------------------------------------------------------

TskSkinImagesMenuPopupWindow::TskSkinImagesMenuPopupWindow(TskSkinImagesMenu* Menu)
    : TCustomControl(Menu), FMenu(Menu) {
    FVisible = false;
}

TskSkinImagesMenuPopupWindow::~TskSkinImagesMenuPopupWindow() {
    Application->RemoveMessageHook(this);
}

void TskSkinImagesMenuPopupWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.ClassStyle |= CS_SAVEBITS;
    if (IsWindowsXPVersion()) Params.ClassStyle |= CS_DROPSHADOW;
    Params.WndParent = nullptr;
    Params.WinClassName = "TskSkinImagesMenuPopupWindow";
}

void TskSkinImagesMenuPopupWindow::LayoutCells(const std::vector<TskImagesMenuItem>& Items, int CellW,
                                               int CellH, int Columns, TPoint Origin,
                                               std::vector<TRect>& Cells) {
    Cells.clear();
    const int l = Origin.X, rowWidth = Columns * CellW;
    int x = l, y = Origin.Y;
    for (const TskImagesMenuItem& item : Items) {
        if (item.Button) {
            if (x != l) y += CellH + 1; // the row holds cells: the button starts its own
            Cells.push_back({l, y, l + rowWidth, y + CellH});
            y += CellH + 1;
            x = l;
            continue;
        }
        Cells.push_back({x, y, x + CellW, y + CellH});
        x += CellW;
        if (x + CellW > l + rowWidth) {
            x = l;
            y += CellH + 1;
        }
    }
}

int TskSkinImagesMenuPopupWindow::CellAt(TPoint P) const {
    for (size_t i = 0; i < FCells.size(); ++i)
        if (Holds(FCells[i], P)) return static_cast<int>(i);
    return -1;
}

void TskSkinImagesMenuPopupWindow::Show(const TRect& R) {
    TCustomImageList* images = FMenu->Images;
    TskSkinData* skin = FMenu->FSkinData;
    FSkinned = false;
    if (skin && !skin->Empty() && skin->PopupWindow().windowpictureindex != -1) {
        FLevelPicture = skin->ActivePicture(skin->PopupWindow().windowpictureindex);
        FLevelMask = skin->ActivePicture(skin->PopupWindow().maskpictureindex);
        FSkinned = FLevelPicture && !FLevelPicture->Empty();
    }
    const int cw = images->Width() + 10, ch = images->Height() + 10;
    const int rowWidth = FMenu->FColumnsCount * cw;
    const TskDataSkinPopupWindow* rec = FSkinned ? &skin->PopupWindow() : nullptr;
    const TPoint origin = rec ? rec->itemsrect.TopLeft() : TPoint{5, 5};
    LayoutCells(FMenu->ImagesItems, cw, ch, FMenu->FColumnsCount, origin, FCells);
    const int content = FCells.back().Bottom - FCells.front().Top;
    int w, h;
    if (rec) {
        const int pw = FLevelPicture->Width(), ph = FLevelPicture->Height();
        w = std::max(pw - WidthOfRect(rec->itemsrect) + rowWidth, 1);
        h = std::max(ph - HeightOfRect(rec->itemsrect) + content, 1);
        FFitted = FitSkinCorners(PopupCorners(*rec), {0, 0, pw, ph}, w, h);
    } else {
        w = rowWidth + 10;
        h = content + 10;
    }
    // The monitor nearest the button, not the one the new window happens to start on.
    TRect area{0, 0, 0, 0};
    DesktopWorkArea(true, area);
    const TPoint centre{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    if (HMONITOR monitor = MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST)) {
        MONITORINFO info;
        if (GetMonitorInfo(monitor, info)) area = info.rcWork;
    }
    int x = R.Left, y = R.Bottom;
    if (y + h > area.Bottom) y = y - h - R.Height();
    if (x + w > area.Right) x = area.Right - w;
    x = std::max(x, area.Left);
    y = std::max(y, area.Top);
    SetBounds(x, y, w, h);
    HWND hw = Handle();
    if (rec && FLevelMask) {
        if (auto region = BuildSkinRegion(PopupCorners(*rec), FFitted, w, *FLevelMask))
            if (UniqueRegion rgn = CreateSkinRegionHandle(*region)) SetWindowRgn(hw, rgn.Release(), TRUE);
    }
    const bool layered = IsLayeredWindowOS() && FMenu->AlphaBlend;
    const bool fade = layered && FMenu->AlphaBlendAnimation;
    if (layered) {
        SetWindowLong(hw, GWL_EXSTYLE, GetWindowLong(hw, GWL_EXSTYLE) | WS_EX_LAYERED);
        FAlpha = fade ? 0 : FMenu->AlphaBlendValue;
        SetWindowAlpha(hw, FAlpha);
    }
    SetWindowPos(hw, HWND_TOPMOST, x, y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    FVisible = true;
    Invalidate();
    if (fade) {
        // From a timer: the grid takes clicks while it fades in.
        FFadeTimer = new TTimer(this);
        FFadeTimer->SetInterval(6);
        FFadeTimer->OnTimer = [this](TObject*) { FadeTick(); };
    }
    Application->AddMessageHook(this, [this](MSG& m, bool& handled) { Hook(m, handled); });
    FHooked = true;
    SetCapture(hw);
}

// Closes the grid on the messages that end a popup; the message itself goes on.
void TskSkinImagesMenuPopupWindow::Hook(MSG& Msg, bool& Handled) {
    (void)Handled;
    if (IsGridCloseMessage(Msg.message)) HideGrid(false);
}

void TskSkinImagesMenuPopupWindow::FadeTick() {
    FAlpha = std::min(FAlpha + 10, static_cast<int>(FMenu->AlphaBlendValue));
    if (HandleAllocated()) SetWindowAlpha(WindowHandle(), FAlpha);
    if (FAlpha >= FMenu->AlphaBlendValue) FFadeTimer->SetEnabled(false);
}

void TskSkinImagesMenuPopupWindow::HideCellHint() {
    if (FMenu->FSkinHint) FMenu->FSkinHint->HideHint();
}

void TskSkinImagesMenuPopupWindow::HideGrid(bool Chosen) {
    if (FClosing) return;
    FClosing = true;
    if (FFadeTimer) FFadeTimer->SetEnabled(false);
    HideCellHint();
    if (HandleAllocated()) {
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (GetCapture() == WindowHandle()) ReleaseCapture();
    }
    FVisible = false;
    if (FHooked) Application->RemoveMessageHook(this);
    FHooked = false;
    FMenu->CloseGrid(Chosen);
}

void TskSkinImagesMenuPopupWindow::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !FClosing &&
        HandleAllocated()) {
        TPoint p;
        GetCursorPos(p);
        if (WindowFromPoint(p) != WindowHandle()) HideGrid(false);
    }
    if (Message.Msg == CM_MOUSELEAVE && !FClosing) {
        HideCellHint();
        FHotCell = FPrevHotCell = -1;
        Invalidate();
    }
}

void TskSkinImagesMenuPopupWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    HideCellHint();
    FPressed = true;
    FCellPressed = CellAt({X, Y}) >= 0;
    Invalidate();
}

void TskSkinImagesMenuPopupWindow::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    FPrevHotCell = FHotCell;
    FHotCell = CellAt({X, Y});
    if (FHotCell == FPrevHotCell) return;
    Invalidate();
    if (FMenu->ShowHints && FMenu->FSkinHint) {
        FMenu->FSkinHint->HideHint();
        if (FHotCell >= 0) {
            const String& hint = FMenu->ImagesItems[static_cast<size_t>(FHotCell)].Hint;
            if (!hint.empty()) FMenu->FSkinHint->ActivateHint2(hint);
        }
    }
}

void TskSkinImagesMenuPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FClosing) return;
    if (!FPressed) {
        // The release of the click that opened the grid: keep the mouse.
        if (HandleAllocated()) {
            ReleaseCapture();
            SetCapture(WindowHandle());
        }
        return;
    }
    const int cell = CellAt({X, Y});
    if (cell >= 0) FMenu->ItemIndex = cell;
    HideGrid(cell >= 0);
}

void TskSkinImagesMenuPopupWindow::DrawCell(TCanvas& C, int Index, bool Pressed) {
    const TRect r = FCells[static_cast<size_t>(Index)];
    TskSkinData* skin = FMenu->FSkinData;
    const TskDataSkinButtonControl* rec = FSkinned ? CellRecord(*skin) : nullptr;
    if (rec) {
        TRect src = rec->skinrect;
        if (Pressed && !IsEmptySkinRect(rec->downskinrect))
            src = rec->downskinrect;
        else if (!IsEmptySkinRect(rec->activeskinrect))
            src = rec->activeskinrect;
        const TskSkinCorners old{rec->lefttoppoint, rec->righttoppoint, rec->leftbottompoint,
                                 rec->rightbottompoint, rec->clientrect};
        const TskSkinCorners neu = FitSkinCorners(old, src, r.Width(), r.Height());
        TskBitmap face;
        ComposeSkinPicture(
            old, neu, face, *skin->ActivePicture(rec->pictureindex), src, r.Width(), r.Height(), true,
            {rec->leftstretch, rec->topstretch, rec->rightstretch, rec->bottomstretch}, rec->stretcheffect);
        if (!face.Empty()) DrawSkin(C, r.Left, r.Top, face);
    } else if (!FSkinned) {
        FrameAndFill(C, r, kNavy, Pressed ? kGridPressedFill : kGridHotFill);
    }
}

void TskSkinImagesMenuPopupWindow::Paint() {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    TBitmap buffer(w, h);
    TCanvas& c = buffer.Canvas();
    TskSkinData* skin = FMenu->FSkinData;
    if (FSkinned) {
        const TskDataSkinPopupWindow& rec = skin->PopupWindow();
        TskBitmap face;
        ComposeWindowSkinPicture(PopupCorners(rec), FFitted, face, *FLevelPicture,
                                 {0, 0, FLevelPicture->Width(), FLevelPicture->Height()}, w, h, true,
                                 {rec.leftstretch, rec.topstretch, rec.rightstretch, rec.bottomstretch});
        if (!face.Empty()) DrawSkin(c, 0, 0, face);
    } else {
        c.Pen().Color = clBtnShadow;
        c.Brush().Color = clWindow;
        c.Rectangle(0, 0, w, h);
    }
    const int selected = FMenu->ShowSelectedItem ? FMenu->ItemIndex : -1;
    TCustomImageList* images = FMenu->Images;
    const TskDataSkinButtonControl* buttonRec = FSkinned ? CellRecord(*skin) : nullptr;
    const TskDataSkinMenuItem* textRec = FSkinned ? TextRecord(*skin) : nullptr;
    for (int i = 0; i < static_cast<int>(FCells.size()); ++i) {
        const TskImagesMenuItem& item = FMenu->ImagesItems[static_cast<size_t>(i)];
        const bool isSelected = i == selected && !FPressed;
        const bool isHot = i == FHotCell;
        if (isSelected)
            DrawCell(c, i, true);
        else if (isHot)
            DrawCell(c, i, FCellPressed);
        const TRect r = FCells[static_cast<size_t>(i)];
        int textLeft = r.Left;
        if (images && item.ImageIndex >= 0 && item.ImageIndex < images->Count()) {
            images->Draw(c, r.Left + 5, r.Top + 5, item.ImageIndex);
            textLeft = r.Left + 5 + images->Width() + 5;
        }
        if (!item.Button || item.Caption.empty()) continue;
        if (buttonRec && textRec) {
            if (FMenu->UseSkinFont)
                SetSkinFont(c.Font(), buttonRec->fontname, buttonRec->fontheight, buttonRec->fontstyle,
                            clWindowText);
            else
                c.Font().Assign(FMenu->FDefaultFont);
            const bool pressedLook = isSelected || (isHot && FCellPressed);
            c.Font().SetColor(TColor(pressedLook ? buttonRec->downfontcolor
                                     : isHot     ? buttonRec->activefontcolor
                                                 : textRec->fontcolor));
        } else {
            c.Font().Assign(FMenu->FDefaultFont);
            c.Font().SetColor(clWindowText);
        }
        c.Font().SetCharset(SkinCharSet(FMenu->SkinData(), FMenu->FDefaultFont));
        c.Brush().Style = bsClear;
        TRect room{textLeft, r.Top, r.Right, r.Bottom};
        TRect m{0, 0, 0, 0};
        c.DrawText(item.Caption, m, DT_CALCRECT | DT_SINGLELINE);
        const UINT align = m.Width() > room.Width() ? DT_LEFT : DT_CENTER;
        c.DrawText(item.Caption, room, DT_SINGLELINE | DT_VCENTER | align);
        c.Brush().Style = bsSolid;
    }
    Canvas().Draw(0, 0, &buffer);
}

// Menu -----------------------------------------------------------------------------------------

TskSkinImagesMenu::TskSkinImagesMenu(TComponent* AOwner) : TskImagesMenuLink(AOwner) {
    SetDefaultFace(FDefaultFont);
}

TskSkinImagesMenu::~TskSkinImagesMenu() {
    if (FGrid) {
        Application->RemoveMessageHook(FGrid);
        if (FGrid->HandleAllocated() && GetCapture() == FGrid->WindowHandle()) ReleaseCapture();
    }
}

void TskSkinImagesMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TskImagesMenuLink::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FGrid) FGrid = nullptr;
}

void TskSkinImagesMenu::SetColumnsCount(int Value) {
    if (Value >= 1 && Value <= 50) FColumnsCount = Value;
}

void TskSkinImagesMenu::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
}

void TskSkinImagesMenu::SetSkinHint(TskSkinHint* Value) {
    FSkinHint = Value;
}

void TskSkinImagesMenu::SetImages(TCustomImageList* Value) {
    Images = Value;
}

bool TskSkinImagesMenu::PopupFromRect(const TRect& R) {
    if (FGrid) FGrid->HideGrid(false);
    if (OnMenuPopup) OnMenuPopup(this);
    // No images or no items: nothing to show.
    if (!Images || Images->Count() < 1 || ImagesItems.empty()) return false;
    FOldItemIndex = ItemIndex;
    FGrid = new TskSkinImagesMenuPopupWindow(this);
    FGrid->Show(R);
    return true;
}

void TskSkinImagesMenu::CloseGrid(bool Chosen) {
    if (FGrid) {
        FGrid->DeferFree(); // we may be inside one of its handlers
        FGrid = nullptr;
    }
    if (OnInternalMenuClose) OnInternalMenuClose(this);
    if (OnMenuClose) OnMenuClose(this);
    if (!Chosen || ItemIndex < 0 || ItemIndex >= static_cast<int>(ImagesItems.size())) return;
    if (TNotifyEvent click = ImagesItems[static_cast<size_t>(ItemIndex)].OnClick) click(this);
    if (OnItemClick) OnItemClick(this);
    if (ItemIndex != FOldItemIndex) {
        if (OnInternalChange) OnInternalChange(this);
        if (OnChange) OnChange(this);
    }
}

} // namespace vd
