#include "skin/form/menubar/SkinMainMenuBar.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Windows.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinObjectRecords.h"

#include <algorithm>

namespace vd {

namespace {

// A menu item that went away: the items are built again once the message being handled unwinds.
constexpr UINT kRebuildMessage = WM_USER + 0x4D42;

bool PtIn(const TRect& r, int X, int Y) {
    return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom;
}

TskColor Rgb(TColor c) {
    return TskColor(ColorToRGB(c) & 0xFFFFFF);
}

} // namespace

TskSkinMainMenuBar::TskSkinMainMenuBar(TComponent* AOwner) : TskSkinControl(AOwner) {
    SetDefaultFace(FDefItemFont);
    FDefItemFont.SetColor(clBtnText);
    FSkinDataName = "mainmenubar";
    auto makeTimer = [this](unsigned interval, void (TskSkinMainMenuBar::*tick)()) {
        auto* t = new TTimer(this);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->SetOnTimer([this, tick](TObject*) { (this->*tick)(); });
        return t;
    };
    FTrackTimer = makeTimer(50, &TskSkinMainMenuBar::TrackTimerTick);
    FMorphTimer = makeTimer(25, &TskSkinMainMenuBar::MorphTimerTick);
    FAnimationTimer = makeTimer(25, &TskSkinMainMenuBar::AnimationTimerTick);
    SetBounds(Left(), Top(), 100, FDefaultHeight);
    SetAlign(alTop);
}

TskSkinMainMenuBar::~TskSkinMainMenuBar() {
    if (FSkinForm && FSkinForm->MainMenuBar() == this) FSkinForm->SetMainMenuBar(nullptr);
    FObjects.clear();
    FRetired.clear();
}

void TskSkinMainMenuBar::CreateParams(TCreateParams& Params) {
    TskSkinControl::CreateParams(Params);
    // The form would close an open menu on hearing of the press before the bar could tell
    // whether the press was on the item whose menu is open.
    Params.ExStyle |= WS_EX_NOPARENTNOTIFY;
}

// ---- properties

void TskSkinMainMenuBar::SetDefItemFont(const TFont& Value) {
    FDefItemFont.Assign(Value);
    if (!SkinRecordInUse()) {
        LayoutObjects();
        Invalidate();
    }
}

void TskSkinMainMenuBar::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (!SkinRecordInUse() && Value > 0) SetBounds(Left(), Top(), Value, Height());
}

void TskSkinMainMenuBar::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (!SkinRecordInUse() && Value > 0) SetBounds(Left(), Top(), Width(), Value);
}

void TskSkinMainMenuBar::SetSkinForm(TskSkinForm* Value) {
    if (FSkinForm == Value) return;
    if (FSkinForm && FSkinForm->MainMenuBar() == this) FSkinForm->SetMainMenuBar(nullptr);
    FSkinForm = Value;
    if (FSkinForm && !FSkinForm->MainMenuBar()) FSkinForm->SetMainMenuBar(this);
}

void TskSkinMainMenuBar::SetMainMenu(TMainMenu* Value) {
    FMainMenu = Value;
    RebuildItems();
    Invalidate();
}

void TskSkinMainMenuBar::SetChildMenuAssigned(TMainMenu* Value) {
    if (FChildMenuAssigned == Value) return;
    FChildMenuAssigned = Value;
    RebuildItems();
    Invalidate();
}

void TskSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    const bool destroying = (ComponentState() & csDestroying) != 0;
    if (AComponent == FTrackTimer) FTrackTimer = nullptr;
    if (AComponent == FMorphTimer) FMorphTimer = nullptr;
    if (AComponent == FAnimationTimer) FAnimationTimer = nullptr;
    // The rebuild below must not find the menu that goes, so these let go before their links do.
    if (AComponent == FChildMenuAssigned) FChildMenuAssigned = nullptr;
    if (AComponent == FMainMenu || AComponent == FChildMenu) {
        if (AComponent == FMainMenu) FMainMenu = nullptr;
        FChildMenu = nullptr;
        if (!destroying) {
            RebuildItems();
            Invalidate();
        }
        return;
    }
    // A menu item freed under the bar: its object forgets it and the items are built again
    // once the item has left its menu.
    for (auto& o : FObjects)
        if (auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(o.get());
            item && item->MenuItem == AComponent) {
            item->Enabled = item->SavedEnabled = false;
            item->Visible = false;
            if (!destroying && HandleAllocated()) PostMessage(Handle(), kRebuildMessage, 0, 0);
        }
}

// ---- objects

TskMenuBarObject* TskSkinMainMenuBar::Object(int Index) const {
    if (Index < 0 || Index >= ObjectCount()) return nullptr;
    return FObjects[size_t(Index)].get();
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::Item(int Index) const {
    return dynamic_cast<TskSkinMainMenuBarItem*>(Object(Index + FChildButtonCount));
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::FindItem(const TMenuItem* MenuItem) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (Item(i)->MenuItem == MenuItem) return Item(i);
    return nullptr;
}

TskSkinMainMenuBarButton* TskSkinMainMenuBar::ChildButton(int Command) const {
    for (int i = 0; i < FChildButtonCount; ++i)
        if (auto* b = dynamic_cast<TskSkinMainMenuBarButton*>(Object(i)); b && b->command == Command)
            return b;
    return nullptr;
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::PressedItem() const {
    for (int i = 0; i < ItemCount(); ++i)
        if (Item(i)->Pressed) return Item(i);
    return nullptr;
}

// Objects may be freed while one of them runs (a command closing the child rebuilds the bar):
// they stay alive until the bar's current message unwinds.
void TskSkinMainMenuBar::FreeObjects() {
    for (auto& o : FObjects)
        FRetired.push_back(std::move(o));
    FObjects.clear();
    FChildButtonCount = 0;
    ResetIndexes();
    if (FMessageDepth == 0 && FObjectCalls == 0) FRetired.clear();
}

TMainMenu* TskSkinMainMenuBar::FindChildMenu() const {
    if (FChildMenuAssigned) return FChildMenuAssigned;
    if (!FSkinForm || !FSkinForm->Form() || FSkinForm->Form()->FormStyle() != fsMDIForm) return nullptr;
    // A child or menu on its way out tells the bar while still listed: it must not come back.
    TCustomForm* child = FSkinForm->Form()->ActiveMDIChild();
    if (!child || (child->ComponentState() & csDestroying)) return nullptr;
    for (int i = 0; i < child->ComponentCount(); ++i)
        if (auto* m = dynamic_cast<TMainMenu*>(child->Components(i));
            m && !(m->ComponentState() & csDestroying))
            return m;
    return nullptr;
}

void TskSkinMainMenuBar::RebuildItems() {
    FreeObjects();
    FChildMenu = nullptr;
    FMergedWithChild = false;
    FOverflow = FMarkHot = false;
    if (!FMainMenu) return;
    FChildMenu = FindChildMenu();
    if (FChildMenu == FMainMenu) FChildMenu = nullptr;
    const TskDataSkinMainMenuItem* record = nullptr;
    if (SkinRecordInUse() && !FItemRecordName.empty()) {
        const int i = FSkinData->IndexOfObjectRecord(FItemRecordName);
        record = i >= 0 ? dynamic_cast<const TskDataSkinMainMenuItem*>(FSkinData->ObjectRecord(i)) : nullptr;
    }
    FMergedWithChild = FChildMenu != nullptr;
    if (FMergedWithChild) ScrollMenu = false;
    std::vector<TMenuItem*> items;
    TMenuItem* own = FMainMenu->Items();
    if (FMergedWithChild) {
        TMenuItem* child = FChildMenu->Items();
        auto inChild = [&](int group) {
            for (int i = 0; i < child->Count(); ++i)
                if (child->Items(i)->GroupIndex == group) return true;
            return false;
        };
        for (int i = 0; i < own->Count(); ++i)
            if (!inChild(own->Items(i)->GroupIndex)) items.push_back(own->Items(i));
        for (int i = 0; i < child->Count(); ++i)
            items.push_back(child->Items(i));
        // Equal group indexes keep their order: the form's items before the child's.
        std::stable_sort(items.begin(), items.end(), [](const TMenuItem* a, const TMenuItem* b) {
            return a->GroupIndex < b->GroupIndex;
        });
    } else {
        for (int i = 0; i < own->Count(); ++i)
            items.push_back(own->Items(i));
    }
    for (TMenuItem* m : items) {
        if (!m->Visible || (m->ComponentState() & csDestroying)) continue;
        FObjects.push_back(std::make_unique<TskSkinMainMenuBarItem>(this, record, m));
    }
    if (FChildButtonsShown) {
        CreateChildButtons();
        SetChildButtonsEnabled();
    }
    LayoutObjects();
}

void TskSkinMainMenuBar::CreateChildButtons() {
    // Buttons of an earlier showing go first.
    if (FChildButtonCount > 0) {
        for (int i = 0; i < FChildButtonCount; ++i)
            FRetired.push_back(std::move(FObjects[size_t(i)]));
        FObjects.erase(FObjects.begin(), FObjects.begin() + FChildButtonCount);
        FChildButtonCount = 0;
    }
    const bool skinned = SkinRecordInUse();
    struct ButtonPlace {
        String name;
        int command;
    };
    // Made in this order, each put in front: the list reads system menu, close, maximize, minimize.
    const ButtonPlace places[] = {{skinned ? FMinName : String("MinButton"), 2},
                                  {skinned ? FMaxName : String("MaxButton"), 1},
                                  {skinned ? FCloseName : String("CloseButton"), 0},
                                  {skinned ? FSysMenuName : String("SysMenuButton"), 3}};
    for (const ButtonPlace& s : places) {
        const TskDataSkinStdButton* record = nullptr;
        if (FSkinData && !FSkinData->Empty() && !s.name.empty()) {
            const int i = FSkinData->IndexOfObjectRecord(s.name);
            record = i >= 0 ? dynamic_cast<const TskDataSkinStdButton*>(FSkinData->ObjectRecord(i)) : nullptr;
        }
        auto b = std::make_unique<TskSkinMainMenuBarButton>(this, record);
        b->IDName = s.name;
        // A missing record, or one without a button command, would turn the button into a close
        // button: each keeps the command of its place instead.
        if (!skinned || !record || b->command < 0) b->command = s.command;
        FObjects.insert(FObjects.begin(), std::move(b));
    }
    FChildButtonCount = 4;
}

void TskSkinMainMenuBar::SetChildButtonsEnabled() {
    TskSkinForm* child = GetMaximizedChildSkinForm();
    const TskBorderIcons icons = child ? child->BorderIcons() : ~TskBorderIcons(0);
    for (int i = 0; i < FChildButtonCount; ++i) {
        auto* b = static_cast<TskSkinMainMenuBarButton*>(Object(i));
        b->Enabled =
            !((b->command == 2 && !(icons & skbiMinimize)) || (b->command == 3 && !(icons & skbiSystemMenu)));
    }
}

void TskSkinMainMenuBar::ShowChildButtons() {
    if (FChildButtonsShown) {
        SetChildButtonsEnabled();
        Invalidate();
        return;
    }
    FChildButtonsShown = true;
    ResetIndexes();
    CreateChildButtons();
    SetChildButtonsEnabled();
    LayoutObjects();
    Invalidate();
}

void TskSkinMainMenuBar::HideChildButtons() {
    if (GetMaximizedChildSkinForm()) {
        SetChildButtonsEnabled();
        Invalidate();
        return;
    }
    if (!FChildButtonsShown) return;
    FChildButtonsShown = false;
    for (int i = 0; i < FChildButtonCount; ++i)
        FRetired.push_back(std::move(FObjects[size_t(i)]));
    FObjects.erase(FObjects.begin(), FObjects.begin() + FChildButtonCount);
    FChildButtonCount = 0;
    ResetIndexes();
    if (FMessageDepth == 0 && FObjectCalls == 0) FRetired.clear();
    LayoutObjects();
    Invalidate();
}

void TskSkinMainMenuBar::UpdateItems() {
    RebuildItems();
    Invalidate();
    ResetIndexes();
    if (FTrackTimer) FTrackTimer->SetEnabled(true);
}

// ---- skin

void TskSkinMainMenuBar::GetSkinData() {
    TskSkinControl::GetSkinData();
    FPicture = nullptr;
    if (FSkinIndex == -1) return;
    auto* r = dynamic_cast<const TskDataSkinMainMenuBar*>(SkinRecord());
    const TskBitmap* pic = r ? FSkinData->ActivePicture(r->pictureindex) : nullptr;
    // A record that cannot compose its picture leaves the bar in the plain look.
    if (!pic || pic->Empty() || IsEmptySkinRect(r->skinrect)) {
        FSkinIndex = -1;
        return;
    }
    FPicture = pic;
    FSkinRect = r->skinrect;
    FItemsRect = r->itemsrect;
    FItemRecordName = r->menubaritem;
    FCloseName = r->closebutton;
    FMinName = r->minbutton;
    FMaxName = r->maxbutton;
    FSysMenuName = r->sysmenubutton;
    FMarkColor = r->trackmarkcolor;
    FMarkActiveColor = r->trackmarkactivecolor;
}

void TskSkinMainMenuBar::ResetSkinIndex() {
    TskSkinControl::ResetSkinIndex();
    FPicture = nullptr;
    FreeObjects();
}

void TskSkinMainMenuBar::ChangeSkinData() {
    GetSkinData();
    RebuildItems();
    if (SkinRecordInUse())
        SetBounds(Left(), Top(), Width(), HeightOfRect(FSkinRect));
    else if (FDefaultHeight > 0)
        SetBounds(Left(), Top(), Width(), FDefaultHeight);
    LayoutObjects();
    Invalidate();
}

void TskSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (SkinRecordInUse() && HeightOfRect(FSkinRect) > 0) AHeight = HeightOfRect(FSkinRect);
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TskSkinMainMenuBar::Resize() {
    TskSkinControl::Resize();
    LayoutObjects();
    Invalidate();
}

bool TskSkinMainMenuBar::EffectsOn() const {
    return FSkinData && !FSkinData->Empty() && FSkinData->EnableSkinEffects;
}

TskSkinData* TskSkinMainMenuBar::MenuSkin() const {
    if (FSkinForm && FSkinForm->MenusSkinData()) return FSkinForm->MenusSkinData();
    return FSkinForm ? FSkinForm->SkinData() : FSkinData;
}

// ---- layout

void TskSkinMainMenuBar::CalcItemArea() {
    const int W = Width(), H = Height();
    if (SkinRecordInUse())
        FItemArea = {FItemsRect.Left, FItemsRect.Top, W - (WidthOfRect(FSkinRect) - FItemsRect.Right),
                     FItemsRect.Bottom};
    else
        FItemArea = {2, 2, W - 2, H - 2};
    if (!FChildButtonsShown || FChildButtonCount != 4) return;
    // System menu at the left end; close outermost at the right, then maximize, then minimize.
    for (int i = 0; i < 4; ++i) {
        auto* b = static_cast<TskSkinMainMenuBarButton*>(Object(i));
        int bw = FItemArea.Height(), bh = FItemArea.Height();
        if (b->HasSkinRecord && b->ObjectPicture && !IsEmptySkinRect(b->skinrect)) {
            bw = WidthOfRect(b->skinrect);
            bh = HeightOfRect(b->skinrect);
        }
        const int top = FItemArea.Top + FItemArea.Height() / 2 - bh / 2;
        if (i == 0) {
            b->ObjectBounds = {FItemArea.Left, top, FItemArea.Left + bw, top + bh};
            FItemArea.Left += bw + 2;
        } else {
            b->ObjectBounds = {FItemArea.Right - bw, top, FItemArea.Right, top + bh};
            FItemArea.Right -= bw + 2;
        }
    }
}

void TskSkinMainMenuBar::LayoutObjects() {
    CalcItemArea();
    FOverflow = false;
    if (ItemCount() == 0) return;
    TBitmap scratch(1, 1);
    const int limit = FItemArea.Right - (MarkInUse() ? 5 : 0);
    int left = FItemArea.Left;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMainMenuBarItem* item = Item(i);
        const int w = item->MeasureWidth(scratch.Canvas());
        const int bottom =
            item->HasSkinRecord ? FItemArea.Top + HeightOfRect(item->skinrect) : FItemArea.Bottom;
        item->ObjectBounds = {left, FItemArea.Top, left + w, bottom};
        left = item->ObjectBounds.Right;
        if (item->ObjectBounds.Right > limit) {
            FOverflow = true;
            if (item->ShownOnBar) {
                item->SavedEnabled = item->Enabled;
                item->Enabled = false;
                item->ShownOnBar = false;
            }
        } else if (!item->ShownOnBar) {
            item->ShownOnBar = true;
            item->Enabled = item->SavedEnabled;
        }
    }
    if (!FOverflow) FMarkHot = false;
}

bool TskSkinMainMenuBar::MarkInUse() const {
    // The engine lists a merged menu's hidden items in another order than the bar: no mark then.
    return ScrollMenu && !FMergedWithChild;
}

TRect TskSkinMainMenuBar::MarkRect() const {
    return {FItemArea.Right - 5, FItemArea.Top, FItemArea.Right, FItemArea.Bottom};
}

// ---- painting

void TskSkinMainMenuBar::DrawMark(TCanvas& Canvas) {
    TskColor color;
    if (SkinRecordInUse())
        color = FMarkHot ? FMarkActiveColor : FMarkColor;
    else
        color = Rgb(FMarkHot ? clBtnText : clBtnShadow);
    DrawArrowGlyph(Canvas.Handle(), MarkRect(), color, 2);
}

void TskSkinMainMenuBar::PaintBar(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    const int W = Bitmap.Width(), H = Bitmap.Height();
    if (SkinRecordInUse()) {
        TskBitmap face;
        ComposeHorzSkinPicture(FItemsRect.Left, WidthOfRect(FSkinRect) - FItemsRect.Right, face, false, W,
                               FSkinRect, *FPicture);
        FillColor(c, {0, 0, W, H}, clBtnFace);
        if (!face.Empty()) DrawSkin(c, 0, 0, face);
    } else {
        FillColor(c, {0, 0, W, H}, clBtnFace);
    }
    LayoutObjects();
    for (auto& o : FObjects)
        if (o->Visible) o->Draw(c);
    if (FOverflow && MarkInUse()) DrawMark(c);
}

void TskSkinMainMenuBar::CreateControlDefaultImage(TBitmap& Bitmap) {
    PaintBar(Bitmap);
}

void TskSkinMainMenuBar::CreateControlSkinImage(TBitmap& Bitmap) {
    PaintBar(Bitmap);
}

void TskSkinMainMenuBar::DrawObject(TskMenuBarObject* Object) {
    if (!Object || !HandleAllocated()) return;
    const TRect& r = Object->ObjectBounds;
    InvalidateRect(Handle(), &r, FALSE);
}

// ---- timers

void TskSkinMainMenuBar::StartMorphTimer() {
    if (FMorphTimer) FMorphTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::StartAnimationTimer(int Interval) {
    if (!FAnimationTimer) return;
    FAnimationTimer->SetInterval(unsigned(std::max(Interval, 1)));
    FAnimationTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::MorphTimerTick() {
    bool any = false;
    for (auto& o : FObjects)
        if (o->CanMorph() && o->IsMorphing()) {
            o->DoMorph();
            any = true;
        }
    if (!any && FMorphTimer) FMorphTimer->SetEnabled(false);
}

void TskSkinMainMenuBar::AnimationTimerTick() {
    bool moved = false;
    for (int i = 0; i < ItemCount(); ++i)
        moved = Item(i)->AnimationStep() || moved;
    if (!moved && FAnimationTimer) FAnimationTimer->SetEnabled(false);
}

void TskSkinMainMenuBar::TrackTimerTick() {
    TPoint p;
    GetCursorPos(p);
    if (HandleAllocated()) p = ScreenToClient(p);
    if (!HandleAllocated() || !PtIn({0, 0, Width(), Height()}, p.X, p.Y)) {
        TrackMouse(-1, -1);
        if (FTrackTimer) FTrackTimer->SetEnabled(false);
        return;
    }
    TrackMouse(p.X, p.Y);
}

// ---- mouse

void TskSkinMainMenuBar::TrackMouse(int X, int Y) {
    FOldHotIndex = FHotIndex;
    int found = -1;
    for (int i = 0; i < ObjectCount(); ++i) {
        const TskMenuBarObject* o = Object(i);
        if (o->Enabled && o->Visible && PtIn(o->ObjectBounds, X, Y)) {
            found = i;
            break;
        }
    }
    // The keyboard keeps its item when the mouse leaves.
    if (found < 0 && FKeyboardMode && FOldHotIndex >= FChildButtonCount && FOldHotIndex < ObjectCount())
        found = FOldHotIndex;
    if (FPressedIndex >= 0 && FPressedIndex < ObjectCount() && found != FPressedIndex) found = -1;
    if (found >= ObjectCount()) found = -1;
    if (FOldHotIndex >= ObjectCount()) FOldHotIndex = -1;
    FHotIndex = found;
    if (FHotIndex != FOldHotIndex) {
        ObjectCall([&] {
            if (TskMenuBarObject* old = Object(FOldHotIndex); old && old->Enabled) old->MouseLeave();
            if (TskMenuBarObject* neu = Object(FHotIndex); neu && neu->Enabled) neu->MouseEnter();
        });
    }
    if (FOverflow && MarkInUse()) {
        const bool hot = PtIn(MarkRect(), X, Y);
        if (hot != FMarkHot) {
            FMarkHot = hot;
            if (HandleAllocated()) {
                const TRect r = MarkRect();
                InvalidateRect(Handle(), &r, FALSE);
            }
        }
    }
}

void TskSkinMainMenuBar::OpenOverflowMenu() {
    if (!FSkinForm || !FSkinForm->SkinMenu() || !FMainMenu || !MarkInUse()) return;
    const TskSkinMainMenuBarItem* first = nullptr;
    for (int i = 0; i < ItemCount() && !first; ++i)
        if (!Item(i)->ShownOnBar && Item(i)->MenuItem) first = Item(i);
    if (!first) return;
    // The engine counts every child, the invisible ones too: start at the first hidden item.
    const int start = FMainMenu->Items()->IndexOf(first->MenuItem);
    if (start < 0) return;
    const TRect m = MarkRect();
    const TPoint tl = ClientToScreen(m.TopLeft()), br = ClientToScreen(m.BottomRight());
    SkinMenuOpen(FSkinForm);
    if (FSkinForm->SkinMenu()->Popup(this, FSkinData, start, {tl.X, tl.Y, br.X, br.Y}, FMainMenu->Items(),
                                     false))
        FSkinForm->HoldMenuGrab();
    else
        SkinMenuClose(FSkinForm);
}

bool TskSkinMainMenuBar::PopupItemMenu(TskSkinMainMenuBarItem* Item) {
    if (!FSkinForm || !FSkinForm->SkinMenu() || !Item || !Item->MenuItem) return false;
    if (!FSkinForm->MenuBarMode()) FSkinForm->EnterMenuBarMode(this);
    const TPoint tl = ClientToScreen(Item->ObjectBounds.TopLeft());
    const TPoint br = ClientToScreen(Item->ObjectBounds.BottomRight());
    SkinMenuOpen(FSkinForm);
    // The button stays down while the menu is open; the popup takes the mouse from here.
    if (GetCapture() == (HandleAllocated() ? Handle() : nullptr)) ReleaseCapture();
    return FSkinForm->SkinMenu()->Popup(this, FSkinData, 0, {tl.X, tl.Y, br.X, br.Y}, Item->MenuItem,
                                        PopupToUp);
}

void TskSkinMainMenuBar::CloseMenuKeepMode() {
    if (!FSkinForm) return;
    if (FSkinForm->SkinMenu() && FSkinForm->SkinMenu()->MenuVisible()) FSkinForm->SkinMenu()->CloseLevels(0);
    FSkinForm->EndSkinMenu();
}

void TskSkinMainMenuBar::LeaveOtherItems(const TskMenuBarObject* Except) {
    for (int i = 0; i < ItemCount(); ++i)
        if (TskSkinMainMenuBarItem* item = Item(i); item != Except && item->IsActive) {
            item->MouseLeave();
            return;
        }
}

void TskSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    TrackMouse(X, Y);
    if (TskMenuBarObject* o = Object(FHotIndex)) {
        FPressedIndex = FHotIndex;
        ObjectCall([&] {
            o->MouseDown(X, Y, Button);
            if (Shift & ssDouble) o->DblClick();
        });
        return;
    }
    if (Button != mbLeft) return;
    if (FOverflow && MarkInUse() && PtIn(MarkRect(), X, Y)) {
        OpenOverflowMenu();
        return;
    }
    // A press beside the items ends the menu mode, as a press anywhere else in the form does.
    if (FSkinForm && FSkinForm->MenuBarMode())
        FSkinForm->LeaveMenuBarMode();
    else if (FSkinForm && FSkinForm->SkinMenu() && FSkinForm->SkinMenu()->MenuVisible())
        FSkinForm->SkinMenu()->CloseMenu();
}

void TskSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseUp(Button, Shift, X, Y);
    if (TskMenuBarObject* o = Object(FPressedIndex)) {
        TrackMouse(X, Y);
        FPressedIndex = -1;
        ObjectCall([&] { o->MouseUp(X, Y, Button); });
    }
    FPressedIndex = -1;
}

void TskSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseMove(Shift, X, Y);
    TrackMouse(X, Y);
    if (FTrackTimer) FTrackTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::WndProc(TMessage& Message) {
    ++FMessageDepth;
    struct Unwind {
        TskSkinMainMenuBar* bar;
        ~Unwind() {
            if (--bar->FMessageDepth == 0 && bar->FObjectCalls == 0) bar->FRetired.clear();
        }
    } unwind{this};
    switch (Message.Msg) {
    case WM_SKINMENUCLOSED:
        for (int i = 0; i < FChildButtonCount; ++i) {
            auto* b = static_cast<TskSkinMainMenuBarButton*>(Object(i));
            if (b->command != 3 || !b->Pressed) continue;
            b->Pressed = false;
            if (FHotIndex != i) b->IsActive = b->MouseInside = false;
            DrawObject(b);
        }
        Message.Result = 0;
        return;
    case kRebuildMessage:
        RebuildItems();
        Invalidate();
        return;
    case CM_MOUSELEAVE:
        TrackMouse(-1, -1);
        break;
    default:
        break;
    }
    TskSkinControl::WndProc(Message);
}

// ---- keyboard menu mode

int TskSkinMainMenuBar::StepItem(int From, int Step) const {
    const int n = ItemCount();
    if (n == 0) return -1;
    int i = From;
    // One full round at most: with no usable item the walk ends.
    for (int k = 0; k < n; ++k) {
        i = ((i + Step) % n + n) % n;
        const TskSkinMainMenuBarItem* item = Item(i);
        if (item->Enabled && item->ShownOnBar && item->MenuItem) return i;
    }
    return -1;
}

void TskSkinMainMenuBar::SelectItem(int Step) {
    int hot = -1;
    for (int i = 0; i < ItemCount() && hot < 0; ++i) {
        const TskSkinMainMenuBarItem* item = Item(i);
        if (item->Enabled && item->ShownOnBar && (item->IsActive || item->Pressed)) hot = i;
    }
    const int next = hot >= 0 ? StepItem(hot, Step) : StepItem(Step > 0 ? -1 : ItemCount(), Step);
    if (next < 0 || next == hot) return;
    ObjectCall([&] {
        if (hot >= 0) Item(hot)->MouseLeave();
        Item(next)->MouseEnter();
    });
}

void TskSkinMainMenuBar::SelectNextItem() {
    SelectItem(1);
}

void TskSkinMainMenuBar::SelectPreviousItem() {
    SelectItem(-1);
}

void TskSkinMainMenuBar::EnterMenuMode() {
    if (!FSkinForm || !Visible() || !HandleAllocated()) return;
    int index = -1;
    for (int i = 0; i < ItemCount() && index < 0; ++i)
        if (Item(i)->IsActive && Item(i)->Enabled && Item(i)->ShownOnBar) index = i;
    if (index < 0) index = StepItem(-1, 1);
    // Nothing to highlight: the keys stay with the form.
    if (index < 0) return;
    FKeyboardMode = true;
    ObjectCall([&] { Item(index)->MouseEnter(); });
    FSkinForm->EnterMenuBarMode(this);
}

void TskSkinMainMenuBar::LeaveMenuMode() {
    FKeyboardMode = false;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMainMenuBarItem* item = Item(i);
        if (!item->Pressed && !item->IsActive) continue;
        item->Pressed = item->IsActive = item->MouseInside = false;
        if (item->CanAnimate() && !item->inactiveanimation) {
            item->AnimationFrame = 0;
            DrawObject(item);
        } else {
            item->ReDraw();
        }
    }
    FHotIndex = FOldHotIndex = -1;
}

void TskSkinMainMenuBar::MenuClosed() {
    if (TskSkinMainMenuBarItem* item = PressedItem()) {
        item->Pressed = false;
        item->IsActive = true;
        DrawObject(item);
    }
}

bool TskSkinMainMenuBar::OpenHotItem() {
    if (!FSkinForm) return false;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMainMenuBarItem* item = Item(i);
        if (!item->Enabled || !item->ShownOnBar) continue;
        if ((item->Pressed && !item->HasSubItems()) || (item->IsActive && !FSkinForm->SkinMenuIsOpen())) {
            item->IsActive = false;
            ObjectCall([&] { item->MouseDown(0, 0, mbLeft); });
            return true;
        }
    }
    return false;
}

bool TskSkinMainMenuBar::AcceleratorKey(unsigned Key) {
    if (!FSkinForm || !FSkinForm->Form() || !FSkinForm->Form()->Visible()) return false;
    // Letters and digits only: the arrows, Enter and Escape share their codes with punctuation.
    if (!((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))) return false;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMainMenuBarItem* item = Item(i);
        if (!item->Enabled || !item->ShownOnBar || !item->MenuItem ||
            !IsAccel(Key, item->MenuItem->Caption()))
            continue;
        const bool menuOpen = FSkinForm->SkinMenu() && FSkinForm->SkinMenu()->MenuVisible();
        ObjectCall([&] {
            const bool sub = item->HasSubItems();
            item->MouseEnter();
            if (!(menuOpen && sub)) item->MouseDown(0, 0, mbLeft);
        });
        return true;
    }
    return false;
}

} // namespace vd
