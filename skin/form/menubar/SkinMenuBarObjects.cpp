// The pieces of the main menu bar: the items and the maximized child's buttons, their looks and
// their mouse behaviour.
#include "platform/gfx/Gdi.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Graphics.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/menubar/SkinMainMenuBar.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/store/SkinDraw.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinObjectRecords.h"

#include <algorithm>

namespace vd {

namespace {

TskBitmap PartOf(const TskBitmap* picture, const TRect& src, int w, int h) {
    TskBitmap b(w, h);
    if (picture && !IsEmptySkinRect(src)) CopyRect(b, {0, 0, w, h}, *picture, src);
    return b;
}

TskColor Rgb(TColor c) {
    return TskColor(ColorToRGB(c) & 0xFFFFFF);
}

} // namespace

// ---- TskMenuBarObject

TskMenuBarObject::TskMenuBarObject(TskSkinMainMenuBar* bar, const TskDataSkinObject* record) : OwnerBar(bar) {
    if (!record) return;
    IDName = record->IDName;
    skinrect = record->skinrect;
    activeskinrect = record->activeskinrect;
    downrect = activeskinrect;
    MorphEnabled = record->morphing;
    morphkind = record->morphkind;
    if (TskSkinData* skin = bar->SkinData()) ObjectPicture = skin->ActivePicture(record->activepictureindex);
    if (IsEmptySkinRect(activeskinrect)) MorphEnabled = false;
    ObjectBounds = skinrect;
}

bool TskMenuBarObject::CanMorph() const {
    return MorphEnabled && OwnerBar->EffectsOn();
}

void TskMenuBarObject::ReDraw() {
    if (CanMorph())
        OwnerBar->StartMorphTimer();
    else
        OwnerBar->DrawObject(this);
}

void TskMenuBarObject::MouseEnter() {
    MouseInside = true;
    IsActive = true;
    ReDraw();
}

void TskMenuBarObject::MouseLeave() {
    MouseInside = false;
    IsActive = false;
    ReDraw();
}

bool TskMenuBarObject::IsMorphing() const {
    if (Pressed && !IsEmptySkinRect(downrect)) return false;
    return (IsActive && MorphFactor < 1) || (!IsActive && MorphFactor > 0);
}

void TskMenuBarObject::DoMorph() {
    MorphFactor = std::clamp(MorphFactor + (IsActive ? 0.2 : -0.2), 0.0, 1.0);
    OwnerBar->DrawObject(this);
}

// ---- TskSkinMainMenuBarButton

TskSkinMainMenuBarButton::TskSkinMainMenuBarButton(TskSkinMainMenuBar* bar,
                                                   const TskDataSkinStdButton* record)
    : TskMenuBarObject(bar, record) {
    HasSkinRecord = record != nullptr;
    if (!record) return;
    command = record->command == cmClose      ? 0
              : record->command == cmMaximize ? 1
              : record->command == cmMinimize ? 2
              : record->command == cmSysMenu  ? 3
                                              : -1;
    downrect = record->downrect;
    disabledrect = record->disableskinrsect;
    restorerect = record->restorerect;
    restoreactiverect = record->restoreactiverect;
    restoredownrect = record->restoredownrect;
}

void TskSkinMainMenuBarButton::DrawPlain(TCanvas& Canvas) {
    const TRect& r = ObjectBounds;
    const int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0) return;
    const bool down = Pressed && MouseInside;
    if (down)
        FrameAndFill(Canvas, r, clskNavy, clskPressedFill);
    else if (MouseInside && Enabled)
        FrameAndFill(Canvas, r, clskNavy, clskHotFill);
    else
        FillColor(Canvas, r, clBtnFace);
    const int d = down ? 1 : 0;
    const int gx = r.Left + w / 2 - 5 + d, gy = r.Top + h / 2 - 4 + d;
    const TskColor color = Rgb(Enabled ? clBtnText : clBtnShadow);
    HDC dc = Canvas.Handle();
    switch (command) {
    case 0:
        DrawCloseGlyph(dc, gx, gy, color);
        break;
    case 1:
        DrawRestoreGlyph(dc, gx, gy, color);
        break;
    case 2:
        DrawMinimizeGlyph(dc, gx, gy, color);
        break;
    default:
        DrawTrayGlyph(dc, gx, gy, color);
        break;
    }
}

void TskSkinMainMenuBarButton::Draw(TCanvas& Canvas) {
    if (!HasSkinRecord || !ObjectPicture) {
        DrawPlain(Canvas);
        return;
    }
    const int w = ObjectBounds.Width(), h = ObjectBounds.Height();
    if (w <= 0 || h <= 0) return;
    // The child is maximized while its buttons show: the maximize button shows its restore face.
    const bool restore = command == 1 && !IsEmptySkinRect(restorerect);
    const TRect normal = restore ? restorerect : skinrect;
    const TRect hot = restore ? restoreactiverect : activeskinrect;
    const TRect down = restore ? restoredownrect : downrect;
    TRect src = normal;
    if (!Enabled && !IsEmptySkinRect(disabledrect)) {
        src = disabledrect;
    } else if (Pressed && MouseInside && !IsEmptySkinRect(down)) {
        src = down;
    } else if (CanMorph() && !IsEmptySkinRect(hot) &&
               ((IsActive && MorphFactor < 1) || (!IsActive && MorphFactor > 0))) {
        TskEffectBmp a = TskEffectBmp::CreateFromBitmap(PartOf(ObjectPicture, normal, w, h));
        const TskEffectBmp b = TskEffectBmp::CreateFromBitmap(PartOf(ObjectPicture, hot, w, h));
        a.MorphByKind(static_cast<int>(morphkind), b, MorphFactor);
        DrawEffectBmp(Canvas.Handle(), ObjectBounds.Left, ObjectBounds.Top, a);
        return;
    } else if (IsActive && !IsEmptySkinRect(hot)) {
        src = hot;
    }
    if (IsEmptySkinRect(src)) return;
    StretchSkinPiece(Canvas, ObjectBounds, *ObjectPicture, src);
}

void TskSkinMainMenuBarButton::RunCommand() {
    TskSkinForm* child = GetMaximizedChildSkinForm();
    if (!child) return;
    switch (command) {
    case 0:
        child->Form()->Close();
        break;
    case 1:
        child->SetWindowState(skwsNormal);
        break;
    case 2:
        child->SetWindowState(skwsMinimized);
        break;
    default: {
        TskSkinForm* frame = OwnerBar->SkinForm();
        if (!frame || !frame->SkinMenu()) return;
        TMenuItem* items = child->GetSystemMenuItems();
        if (!items || items->Count() == 0) return;
        OwnerBar->Repaint();
        SkinMenuOpen(frame);
        const TPoint tl = OwnerBar->ClientToScreen(ObjectBounds.TopLeft());
        const TPoint br = OwnerBar->ClientToScreen(ObjectBounds.BottomRight());
        if (frame->SkinMenu()->Popup(OwnerBar, OwnerBar->MenuSkin(), 0, {tl.X, tl.Y, br.X, br.Y}, items,
                                     OwnerBar->PopupToUp))
            frame->HoldMenuGrab();
        else
            SkinMenuClose(frame);
        break;
    }
    }
}

void TskSkinMainMenuBarButton::MouseDown(int X, int Y, TMouseButton Button) {
    (void)X, (void)Y;
    if (!Enabled || Button != mbLeft || Pressed) return;
    Pressed = true;
    if (CanMorph() && !IsEmptySkinRect(downrect)) MorphFactor = 1;
    OwnerBar->DrawObject(this);
    if (command == 3) RunCommand();
}

void TskSkinMainMenuBarButton::MouseUp(int X, int Y, TMouseButton Button) {
    (void)X, (void)Y;
    if (!Enabled || Button != mbLeft) return;
    if (command == 3) return;
    Pressed = false;
    if (CanMorph())
        ReDraw();
    else
        OwnerBar->DrawObject(this);
    // Closing, restoring or minimizing the child may rebuild the bar: nothing of this object
    // is used afterwards.
    if (IsActive) RunCommand();
}

void TskSkinMainMenuBarButton::DblClick() {
    if (command != 3) return;
    TskSkinForm* child = GetMaximizedChildSkinForm();
    if (TskSkinForm* frame = OwnerBar->SkinForm(); frame && frame->SkinMenu()) {
        frame->SkinMenu()->CloseMenu();
        SkinMenuClose(frame);
    }
    if (child) child->Form()->Close();
}

void TskSkinMainMenuBarButton::MouseEnter() {
    if (!Pressed) {
        TskMenuBarObject::MouseEnter();
        return;
    }
    MouseInside = IsActive = true;
    if (command != 3) OwnerBar->DrawObject(this);
}

void TskSkinMainMenuBarButton::MouseLeave() {
    if (!Pressed) {
        TskMenuBarObject::MouseLeave();
        return;
    }
    MouseInside = IsActive = false;
    if (command == 3) {
        if (CanMorph()) MorphFactor = 1;
        return;
    }
    OwnerBar->DrawObject(this);
}

// ---- TskSkinMainMenuBarItem

TskSkinMainMenuBarItem::TskSkinMainMenuBarItem(TskSkinMainMenuBar* bar, const TskDataSkinMainMenuItem* record,
                                               TMenuItem* item)
    : TskMenuBarObject(bar, record), MenuItem(bar) {
    MenuItem = item;
    HasSkinRecord = record != nullptr;
    if (item) {
        IDName = item->Name();
        Enabled = item->Enabled;
    }
    SavedEnabled = Enabled;
    if (!record) return;
    fontname = record->fontname;
    fontheight = record->fontheight;
    fontstyle = record->fontstyle;
    unenabledfontColor = record->unenabledfontcolor;
    fontcolor = record->fontcolor;
    activefontcolor = record->activefontcolor;
    downfontcolor = record->downfontcolor;
    textrect = record->textrect;
    downrect = record->downrect;
    itemleftoffset = record->itemleftoffset;
    itemrightoffset = record->itemrightoffset;
    stretcheffect = record->stretcheffect;
    animateskinrect = record->animateskinrect;
    framecount = record->framecount;
    animateinterval = record->animateinterval;
    inactiveanimation = record->inactiveanimation;
    if (IsEmptySkinRect(downrect)) downrect = IsEmptySkinRect(activeskinrect) ? skinrect : activeskinrect;
}

bool TskSkinMainMenuBarItem::HasSubItems() const {
    if (!MenuItem) return false;
    for (int i = 0; i < MenuItem->Count(); ++i)
        if (MenuItem->Items(i)->Visible) return true;
    return false;
}

bool TskSkinMainMenuBarItem::CanAnimate() const {
    return HasSkinRecord && framecount > 0 && !IsEmptySkinRect(animateskinrect) && OwnerBar->EffectsOn();
}

void TskSkinMainMenuBarItem::SelectFont(TCanvas& Canvas) const {
    if (HasSkinRecord && OwnerBar->UseSkinFont)
        SetSkinFont(Canvas.Font(), fontname, fontheight, fontstyle, clBtnText);
    else
        Canvas.Font().Assign(OwnerBar->DefItemFont());
    Canvas.Font().SetCharset(SkinCharSet(OwnerBar->SkinData(), OwnerBar->DefItemFont()));
}

int TskSkinMainMenuBarItem::MeasureWidth(TCanvas& c) const {
    SelectFont(c);
    HDC dc = c.Handle();
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(c.Font().Handle()));
    TRect r{0, 0, 0, 0};
    DrawTextWide(dc, MenuItem ? MenuItem->Caption() : String(), r, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    const int tw = r.Width();
    // A text band wider than the item's picture must not give a negative width.
    if (HasSkinRecord) return std::max(0, WidthOfRect(skinrect) + textrect.Left - textrect.Right + tw + 2);
    return tw + 12;
}

TRect TskSkinMainMenuBarItem::AnimationFrameRect(int K) const {
    const TRect& ar = animateskinrect;
    const int n = std::max(1, framecount);
    if (HeightOfRect(skinrect) < HeightOfRect(ar)) {
        const int s = HeightOfRect(ar) / n;
        return {ar.Left, ar.Top + s * (K - 1), ar.Right, ar.Top + s * K};
    }
    const int s = WidthOfRect(ar) / n;
    return {ar.Left + s * (K - 1), ar.Top, ar.Left + s * K, ar.Bottom};
}

void TskSkinMainMenuBarItem::ComposeFace(TskBitmap& Out, const TRect& Src, bool Active) const {
    ComposeHorzSkinPicture(itemleftoffset, itemrightoffset, Out, Active && stretcheffect,
                           ObjectBounds.Width(), Src, *ObjectPicture);
}

void TskSkinMainMenuBarItem::DrawSkinned(TCanvas& Canvas) {
    if (IsEmptySkinRect(skinrect) || IsEmptySkinRect(textrect) || !ObjectPicture) return;
    const int w = ObjectBounds.Width(), h = ObjectBounds.Height();
    if (w <= 0 || h <= 0) return;
    TskBitmap face;
    TskColor color = MenuItem && MenuItem->Enabled ? fontcolor : unenabledfontColor;
    bool morphed = false;
    TskEffectBmp morph;
    if (Pressed) {
        ComposeFace(face, downrect, true);
        color = downfontcolor;
    } else if (CanAnimate() && AnimationFrame >= 1 && AnimationFrame <= framecount) {
        ComposeFace(face, AnimationFrameRect(AnimationFrame), true);
        color = activefontcolor;
    } else if (CanMorph() && ((IsActive && MorphFactor < 1) || (!IsActive && MorphFactor > 0))) {
        TskBitmap normal, active;
        ComposeFace(normal, skinrect, false);
        ComposeFace(active, activeskinrect, true);
        morph = TskEffectBmp::CreateFromBitmap(normal);
        morph.MorphByKind(static_cast<int>(morphkind), TskEffectBmp::CreateFromBitmap(active), MorphFactor);
        morphed = true;
        if (MorphFactor >= 0.5) color = activefontcolor;
    } else if (IsActive && !IsEmptySkinRect(activeskinrect)) {
        ComposeFace(face, activeskinrect, true);
        color = activefontcolor;
    } else {
        ComposeFace(face, skinrect, false);
    }
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    FillColor(c, {0, 0, w, h}, clBtnFace);
    if (morphed)
        DrawEffectBmp(c.Handle(), 0, 0, morph);
    else if (!face.Empty())
        DrawSkin(c, 0, 0, face);
    c.Brush().Style = bsClear;
    SelectFont(c);
    c.Font().SetColor(static_cast<TColor>(color));
    HDC dc = c.Handle();
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(c.Font().Handle()));
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(c.Font().Color())));
    SetBkMode(dc, TRANSPARENT);
    const String caption = MenuItem ? MenuItem->Caption() : String();
    TRect t{textrect.Left, textrect.Top, textrect.Left, textrect.Top};
    DrawTextWide(dc, caption, t, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    t.Right += 2;
    // Centred in the item's text band, whatever the font's height.
    const int band = HeightOfRect(textrect), th = t.Height();
    if (band > th) t = {t.Left, textrect.Top + (band - th) / 2, t.Right, textrect.Top + (band - th) / 2 + th};
    DrawTextWide(dc, caption, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Canvas.Draw(ObjectBounds.Left, ObjectBounds.Top, &b);
}

void TskSkinMainMenuBarItem::DrawPlain(TCanvas& Canvas) {
    const int w = ObjectBounds.Width(), h = ObjectBounds.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    if (Pressed)
        FrameAndFill(c, {0, 0, w, h}, clskNavy, clskPressedFill);
    else if (MouseInside || IsActive)
        FrameAndFill(c, {0, 0, w, h}, clskNavy, clskHotFill);
    else
        FillColor(c, {0, 0, w, h}, clBtnFace);
    c.Brush().Style = bsClear;
    c.Font().Assign(OwnerBar->DefItemFont());
    c.Font().SetCharset(SkinCharSet(OwnerBar->SkinData(), OwnerBar->DefItemFont()));
    if (MenuItem && !MenuItem->Enabled) c.Font().SetColor(clBtnShadow);
    HDC dc = c.Handle();
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(c.Font().Handle()));
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(c.Font().Color())));
    SetBkMode(dc, TRANSPARENT);
    const String caption = MenuItem ? MenuItem->Caption() : String();
    TRect m{0, 0, 0, 0};
    DrawTextWide(dc, caption, m, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    const int d = Pressed ? 1 : 0;
    const int top = h / 2 - m.Height() / 2 + d;
    TRect t{d, top, w + d, top + m.Height()};
    DrawTextWide(dc, caption, t, DT_CENTER | DT_SINGLELINE);
    Canvas.Draw(ObjectBounds.Left, ObjectBounds.Top, &b);
}

void TskSkinMainMenuBarItem::Draw(TCanvas& Canvas) {
    if (!ShownOnBar) return;
    if (HasSkinRecord)
        DrawSkinned(Canvas);
    else
        DrawPlain(Canvas);
}

void TskSkinMainMenuBarItem::ReDraw() {
    if (CanAnimate()) {
        OwnerBar->StartAnimationTimer(animateinterval);
        return;
    }
    TskMenuBarObject::ReDraw();
}

bool TskSkinMainMenuBarItem::AnimationStep() {
    if (!CanAnimate()) return false;
    if (IsActive && AnimationFrame <= framecount) {
        ++AnimationFrame;
    } else if (!IsActive && AnimationFrame > 0) {
        --AnimationFrame;
    } else {
        return false;
    }
    OwnerBar->DrawObject(this);
    return true;
}

void TskSkinMainMenuBarItem::SetPressed(bool Value) {
    if (Value) {
        Pressed = true;
        MorphFactor = 1;
        OwnerBar->DrawObject(this);
        if (!OwnerBar->PopupItemMenu(this)) OwnerBar->CloseMenuKeepMode();
        return;
    }
    Pressed = false;
    IsActive = false;
    if (CanAnimate()) {
        if (inactiveanimation) {
            AnimationFrame = framecount + 1;
            ReDraw();
        } else {
            AnimationFrame = 0;
            OwnerBar->DrawObject(this);
        }
    } else if (CanMorph()) {
        MorphFactor = 1;
        ReDraw();
    } else {
        OwnerBar->DrawObject(this);
    }
}

void TskSkinMainMenuBarItem::MouseEnter() {
    TskSkinMainMenuBarItem* pressed = OwnerBar->PressedItem();
    if (pressed && pressed != this) {
        // The user slides from menu to menu: the open one closes as this one opens.
        pressed->SetPressed(false);
        IsActive = MouseInside = true;
        if (CanMorph()) MorphFactor = 1;
        SetPressed(true);
        return;
    }
    OwnerBar->LeaveOtherItems(this);
    IsActive = MouseInside = true;
    ReDraw();
    if (OwnerBar->OnItemMouseEnter) OwnerBar->OnItemMouseEnter(MenuItem);
    if (MenuItem && OwnerBar->Hint() != MenuItem->Hint) OwnerBar->SetHint(MenuItem->Hint);
}

void TskSkinMainMenuBarItem::MouseLeave() {
    IsActive = MouseInside = false;
    if (CanAnimate() && !inactiveanimation) {
        AnimationFrame = 0;
        OwnerBar->DrawObject(this);
    }
    if (Pressed && IsMorphing()) MorphFactor = 0;
    ReDraw();
    if (OwnerBar->OnItemMouseLeave) OwnerBar->OnItemMouseLeave(MenuItem);
}

void TskSkinMainMenuBarItem::MouseDown(int X, int Y, TMouseButton Button) {
    (void)X, (void)Y;
    TskSkinForm* frame = OwnerBar->SkinForm();
    if (Button != mbLeft || !Enabled || !frame || !MenuItem) return;
    if (HasSubItems()) {
        if (Pressed) {
            // A click on the item whose menu is open closes it.
            frame->LeaveMenuBarMode();
            return;
        }
        OwnerBar->SetKeyboardMode(true);
        SetPressed(true);
        return;
    }
    // A command: the menu mode ends before it runs, as after choosing it from a menu.
    TMenuItem* item = MenuItem;
    if (frame->MenuBarMode()) frame->LeaveMenuBarMode();
    if (frame->SkinMenu() && frame->SkinMenu()->MenuVisible()) frame->SkinMenu()->CloseMenu();
    if (frame->SkinMenuIsOpen()) SkinMenuClose(frame);
    OwnerBar->DrawObject(this);
    if (TMenu* menu = item->GetParentMenu())
        menu->DispatchCommand(item->Command());
    else
        item->Click();
}

} // namespace vd
