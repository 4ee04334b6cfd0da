#include "skin/form/frame/SkinFormObjects.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Menus.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/store/SkinDraw.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinObjectRecords.h"

namespace vd {

namespace {

// Src of Picture into Dst of the context: a plain copy when the sizes agree.
void DrawPicturePart(HDC dc, const TRect& dst, const TskBitmap& picture, const TRect& src) {
    if (IsEmptySkinRect(dst) || IsEmptySkinRect(src) || picture.Empty()) return;
    if (dst.Width() == src.Width() && dst.Height() == src.Height()) {
        TskBitmap part(src.Width(), src.Height());
        CopyRect(part, {0, 0, src.Width(), src.Height()}, picture, src);
        DrawSkinBitmap(dc, dst.Left, dst.Top, part);
        return;
    }
    StretchSkinBitmap(dc, dst, picture, src);
}

TskBitmap PartOf(const TskBitmap* picture, const TRect& src, int w, int h) {
    TskBitmap b(w, h);
    if (picture && !IsEmptySkinRect(src)) CopyRect(b, {0, 0, w, h}, *picture, src);
    return b;
}

COLORREF Rgb(TColor c) {
    return COLORREF(ColorToRGB(c)) & 0xFFFFFF;
}

} // namespace

void RunFrameCommand(TskSkinForm* frame, int command) {
    if (!frame || !frame->Form()) return;
    switch (command) {
    case cmClose:
        frame->Form()->Close();
        break;
    case cmMaximize:
        frame->SetWindowState(frame->WindowState() == skwsMaximized ? skwsNormal : skwsMaximized);
        break;
    case cmMinimize:
        if (frame->AlwaysMinimizeToTray)
            frame->MinimizeToTray();
        else
            frame->SetWindowState(frame->WindowState() == skwsMinimized ? skwsNormal : skwsMinimized);
        break;
    case cmSysMenu:
    case cmDefault:
        break;
    case cmRollUp:
        frame->RollUp(!frame->RolledUp());
        break;
    default:
        frame->MinimizeToTray();
        break;
    }
}

// ---- TskActiveSkinObject

TskActiveSkinObject::TskActiveSkinObject(TskSkinForm* frame, const TskDataSkinObject* record)
    : OwnerFrame(frame) {
    Skin = frame ? frame->SkinData() : nullptr;
    if (!record) return;
    IDName = record->IDName;
    HintText = record->hint;
    skinrectinapicture = record->skinrectinapicture;
    skinrect = record->skinrect;
    activeskinrect = record->activeskinrect;
    inactiveskinrect = record->inactiveskinrect;
    MorphEnabled = record->morphing;
    morphkind = record->morphkind;
    if (Skin) {
        ObjectPicture = Skin->ActivePicture(record->activepictureindex);
        FramePicture = &Skin->Picture;
    }
    // Without its active picture the object has no hot look; the skin's record stays as it is.
    if (!ObjectPicture) activeskinrect = TRect();
    if (IsEmptySkinRect(activeskinrect)) MorphEnabled = false;
    ObjectRect = skinrect;
}

bool TskActiveSkinObject::IsMorphing() const {
    return (IsActive && MorphFactor < 1) || (!IsActive && MorphFactor > 0);
}

bool TskActiveSkinObject::CanMorph() const {
    const TskSkinData* skin = OwnerFrame ? OwnerFrame->SkinData() : nullptr;
    return MorphEnabled && skin && !skin->Empty() && skin->EnableSkinEffects;
}

void TskActiveSkinObject::ReDraw() {
    if (CanMorph())
        OwnerFrame->StartMorphTimer();
    else
        OwnerFrame->DrawSkinObject(this);
}

void TskActiveSkinObject::DoMorph() {
    SetMorphFactor(MorphFactor + (IsActive ? 0.2 : -0.2));
    OwnerFrame->DrawSkinObject(this);
}

void TskActiveSkinObject::SetMorphFactor(double K) {
    MorphFactor = K < 0 ? 0 : K > 1 ? 1 : K;
}

void TskActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button) {
    OwnerFrame->DoObjectMouseDown(*this, X, Y, Button);
}

void TskActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button) {
    if (MouseInside) OwnerFrame->DoObjectMouseUp(*this, X, Y, Button);
}

void TskActiveSkinObject::MouseMove(int X, int Y) {
    OwnerFrame->DoObjectMouseMove(*this, X, Y);
}

void TskActiveSkinObject::MouseEnter() {
    MouseInside = true;
    IsActive = true;
    if (!IsEmptySkinRect(activeskinrect)) ReDraw();
    OwnerFrame->DoObjectMouseEnter(*this);
}

void TskActiveSkinObject::MouseLeave() {
    MouseInside = false;
    IsActive = false;
    if (!IsEmptySkinRect(activeskinrect)) ReDraw();
    OwnerFrame->DoObjectMouseLeave(*this);
}

void TskActiveSkinObject::CopyPicture(HDC dc, const TskBitmap* picture, const TRect& src) const {
    if (picture) DrawPicturePart(dc, ObjectRect, *picture, src);
}

void TskActiveSkinObject::DrawMorph(HDC dc, const TskBitmap* normalPicture, const TRect& normal,
                                    const TskBitmap* hotPicture, const TRect& hot) const {
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    TskEffectBmp a = TskEffectBmp::CreateFromBitmap(PartOf(normalPicture, normal, w, h));
    const TskEffectBmp b = TskEffectBmp::CreateFromBitmap(PartOf(hotPicture, hot, w, h));
    a.MorphByKind(morphkind, b, MorphFactor);
    a.Draw(dc, ObjectRect.Left, ObjectRect.Top);
}

void TskActiveSkinObject::BaseDraw(HDC dc, bool UpdateNow) {
    if (Enabled && !OwnerFrame->IsFormActive() && !IsEmptySkinRect(inactiveskinrect)) {
        CopyPicture(dc, ObjectPicture, inactiveskinrect);
        return;
    }
    const TskBitmap* normal = skinrectinapicture ? ObjectPicture : FramePicture;
    if (CanMorph() && ((IsActive && MorphFactor != 1) || (!IsActive && MorphFactor != 0))) {
        DrawMorph(dc, normal, skinrect, ObjectPicture, activeskinrect);
        return;
    }
    if (!IsActive || IsEmptySkinRect(activeskinrect)) {
        if (!UpdateNow && !skinrectinapicture) return;
        CopyPicture(dc, normal, skinrect);
        return;
    }
    CopyPicture(dc, ObjectPicture, activeskinrect);
}

void TskActiveSkinObject::Draw(HDC dc, bool UpdateNow) {
    BaseDraw(dc, UpdateNow);
}

// ---- TskUserObject

void TskUserObject::Draw(HDC dc, bool UpdateNow) {
    (void)UpdateNow;
    OwnerFrame->DoObjectPaint(*this, dc);
}

// ---- TskSkinButtonObject

TskSkinButtonObject::TskSkinButtonObject(TskSkinForm* frame, const TskDataSkinButton* record)
    : TskActiveSkinObject(frame, record) {
    if (!record) return;
    downrect = record->downrect;
    disableskinrsect = record->disableskinrsect;
}

bool TskSkinButtonObject::IsMorphing() const {
    if (MenuOpenFromHere()) return false;
    return TskActiveSkinObject::IsMorphing();
}

void TskSkinButtonObject::ButtonDraw(HDC dc, bool UpdateNow) {
    if (!Enabled && !IsEmptySkinRect(disableskinrsect)) {
        CopyPicture(dc, ObjectPicture, disableskinrsect);
        return;
    }
    if (Pressed && MouseInside && !IsEmptySkinRect(downrect)) {
        CopyPicture(dc, ObjectPicture, downrect);
        return;
    }
    BaseDraw(dc, UpdateNow);
}

void TskSkinButtonObject::Draw(HDC dc, bool UpdateNow) {
    ButtonDraw(dc, UpdateNow);
}

void TskSkinButtonObject::SetPressed(bool Value) {
    Pressed = Value;
    if (CanMorph() && IsActive) MorphFactor = 1;
    OwnerFrame->DrawSkinObject(this);
    if (CanMorph() && !Pressed) ReDraw();
}

void TskSkinButtonObject::TrackMenu() {
    if (!PopupItem || PopupItem->Count() == 0) return;
    OwnerFrame->PopupObjectMenu(PopupItem, OwnerFrame->FrameToScreen(ObjectRect), OpenUpward);
}

void TskSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button) {
    if (!Enabled) return;
    if (Button == mbLeft && !Pressed) {
        SetPressed(true);
        TrackMenu();
    }
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
    if (!Enabled) return;
    if (Button == mbLeft && !PopupItem && Pressed) SetPressed(false);
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

void TskSkinButtonObject::MouseEnter() {
    MouseInside = true;
    IsActive = true;
    if (!IsEmptySkinRect(downrect) && Pressed) {
        if (CanMorph()) MorphFactor = 1;
        OwnerFrame->DrawSkinObject(this);
    } else if (!IsEmptySkinRect(activeskinrect) || !ObjectPicture) {
        // The plain buttons have a hover look of their own.
        ReDraw();
    }
    OwnerFrame->DoObjectMouseEnter(*this);
}

void TskSkinButtonObject::MouseLeave() {
    MouseInside = false;
    IsActive = false;
    if (!MenuOpenFromHere()) {
        OwnerFrame->DrawSkinObject(this);
        ReDraw();
    }
    OwnerFrame->DoObjectMouseLeave(*this);
}

// ---- TskSkinStdButtonObject

TskSkinStdButtonObject::TskSkinStdButtonObject(TskSkinForm* frame, const TskDataSkinStdButton* record)
    : TskSkinButtonObject(frame, record) {
    HasSkinRecord = record != nullptr;
    if (!record) return;
    command = record->command;
    restorerect = record->restorerect;
    restoreactiverect = record->restoreactiverect;
    restoredownrect = record->restoredownrect;
    restoreinactiverect = record->restoreinactiverect;
}

TskSkinStdButtonObject::TskSkinStdButtonObject(TskSkinForm* frame, const String& name, TskStdCommand cmd)
    : TskSkinButtonObject(frame, nullptr) {
    IDName = name;
    command = cmd;
    skinrectinapicture = true; // a button of the row, never part of a frame picture
}

bool TskSkinStdButtonObject::ShowsFormIcon() const {
    return command == cmSysMenu && OwnerFrame->ShowIcon();
}

bool TskSkinStdButtonObject::IsMorphing() const {
    if (ShowsFormIcon() && skinrectinapicture) return false;
    return TskSkinButtonObject::IsMorphing();
}

bool TskSkinStdButtonObject::InRestoredState() const {
    return (command == cmMaximize && OwnerFrame->WindowState() == skwsMaximized) ||
           (command == cmMinimize && OwnerFrame->WindowState() == skwsMinimized) ||
           (command == cmRollUp && OwnerFrame->RolledUp());
}

void TskSkinStdButtonObject::DrawDefault(HDC dc) {
    const TRect& r = ObjectRect;
    const int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0) return;
    if (ShowsFormIcon()) {
        if (HICON icon = OwnerFrame->SmallFormIcon())
            DrawIconEx(dc, r.Left, r.Top, icon, OwnerFrame->SmallIconWidth(), OwnerFrame->SmallIconHeight(),
                       0, nullptr, DI_NORMAL);
        return;
    }
    const bool down = Pressed && MouseInside;
    {
        UniqueBrush fill(CreateSolidBrush(down ? 0xB59385 : MouseInside ? 0xD2BDB6 : Rgb(clBtnFace)));
        FillRect(dc, &r, fill.Get());
        if (down || MouseInside) {
            UniqueBrush frame(CreateSolidBrush(0x800000));
            FrameRect(dc, &r, frame.Get());
        }
    }
    const int gx = r.Left + (down ? w / 2 - 4 : w / 2 - 5);
    const int gy = r.Top + (down ? h / 2 - 3 : h / 2 - 4);
    const TskColor color = TskColor(Rgb(Enabled ? clBtnText : clBtnShadow));
    switch (command) {
    case cmClose:
        DrawCloseGlyph(dc, gx, gy, color);
        break;
    case cmMaximize:
        if (OwnerFrame->WindowState() == skwsMaximized)
            DrawRestoreGlyph(dc, gx, gy, color);
        else
            DrawMaximizeGlyph(dc, gx, gy, color);
        break;
    case cmMinimize:
        if (OwnerFrame->WindowState() == skwsMinimized)
            DrawRestoreGlyph(dc, gx, gy, color);
        else
            DrawMinimizeGlyph(dc, gx, gy, color);
        break;
    case cmSysMenu:
        DrawTrayGlyph(dc, gx, gy, color);
        break;
    case cmRollUp:
        if (OwnerFrame->RolledUp())
            DrawDownArrowGlyph(dc, gx, gy, color);
        else
            DrawUpArrowGlyph(dc, gx, gy, color);
        break;
    case cmDefault:
        break;
    default:
        DrawSquareGlyph(dc, gx, gy, color);
        break;
    }
}

void TskSkinStdButtonObject::Draw(HDC dc, bool UpdateNow) {
    if (!HasSkinRecord) {
        DrawDefault(dc);
        return;
    }
    if (ShowsFormIcon() && skinrectinapicture) {
        if (HICON icon = OwnerFrame->SmallFormIcon())
            DrawIconEx(dc, ObjectRect.Left, ObjectRect.Top, icon, OwnerFrame->SmallIconWidth(),
                       OwnerFrame->SmallIconHeight(), 0, nullptr, DI_NORMAL);
        MorphFactor = 0;
        return;
    }
    if (Enabled && InRestoredState() && !IsEmptySkinRect(restorerect)) {
        if (!OwnerFrame->IsFormActive() && !IsEmptySkinRect(restoreinactiverect))
            CopyPicture(dc, ObjectPicture, restoreinactiverect);
        else if (Pressed && MouseInside && !IsEmptySkinRect(restoredownrect))
            CopyPicture(dc, ObjectPicture, restoredownrect);
        else if (CanMorph() && ((IsActive && MorphFactor != 1) || (!IsActive && MorphFactor != 0)))
            DrawMorph(dc, ObjectPicture, restorerect, ObjectPicture, restoreactiverect);
        else if (IsActive && !IsEmptySkinRect(restoreactiverect))
            CopyPicture(dc, ObjectPicture, restoreactiverect);
        else
            CopyPicture(dc, ObjectPicture, restorerect);
        return;
    }
    ButtonDraw(dc, UpdateNow);
}

void TskSkinStdButtonObject::DblClick() {
    if (command == cmSysMenu) RunFrameCommand(OwnerFrame, cmClose);
}

void TskSkinStdButtonObject::ExecuteCommand() {
    if (command == cmSysMenu || command == cmDefault) return;
    RunFrameCommand(OwnerFrame, command);
}

void TskSkinStdButtonObject::MouseDown(int X, int Y, TMouseButton Button) {
    (void)X;
    (void)Y;
    if (!Enabled || Button != mbLeft || Pressed) return;
    SetPressed(true);
    if (command == cmSysMenu) {
        PopupItem = OwnerFrame->GetSystemMenuItems();
        TrackMenu();
    }
}

void TskSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
    const bool run = IsActive && Button == mbLeft;
    if (command == cmClose) {
        TskSkinButtonObject::MouseUp(X, Y, Button);
        // Closing may free the form (and this object) only after the routing has unwound:
        // the frame's close goes through the form's own close, which hides or releases.
        if (run) ExecuteCommand();
        return;
    }
    if (run) ExecuteCommand();
    TskSkinButtonObject::MouseUp(X, Y, Button);
}

// ---- TskSkinAnimateObject

TskSkinAnimateObject::TskSkinAnimateObject(TskSkinForm* frame, const TskDataSkinAnimate* record)
    : TskActiveSkinObject(frame, record) {
    MorphEnabled = false;
    if (!record) return;
    timerinterval = record->timerinterval < 25 ? 25 : record->timerinterval;
    countframes = record->countframes;
    cycle = record->cycle;
    buttonstyle = record->buttonstyle;
    command = record->command;
    downskinrect = record->downskinrect;
    restorerect = record->restorerect;
    restoreactiverect = record->restoreactiverect;
    restoreinactiverect = record->restoreinactiverect;
    restoredownrect = record->restoredownrect;
}

bool TskSkinAnimateObject::InRestoredState() const {
    return (command == cmMaximize && OwnerFrame->WindowState() == skwsMaximized) ||
           (command == cmMinimize && OwnerFrame->WindowState() == skwsMinimized) ||
           (command == cmRollUp && OwnerFrame->RolledUp());
}

void TskSkinAnimateObject::Draw(HDC dc, bool UpdateNow) {
    (void)UpdateNow;
    TRect normal = skinrect, hot = activeskinrect, down = downskinrect, inactive = inactiveskinrect;
    if (InRestoredState() && !IsEmptySkinRect(restorerect)) {
        normal = restorerect;
        hot = restoreactiverect;
        down = restoredownrect;
        inactive = restoreinactiverect;
    }
    const int w = normal.Width(), h = normal.Height();
    auto frameRect = [&](int n) {
        return TRect{hot.Left + (n - 1) * w, hot.Top, hot.Left + n * w, hot.Top + h};
    };
    TRect src;
    if (MenuTracking) {
        if (!IsEmptySkinRect(down)) {
            src = down;
        } else {
            FrameIndex = countframes;
            src = frameRect(FrameIndex);
        }
    } else if (!OwnerFrame->IsFormActive() && !IsEmptySkinRect(inactive)) {
        src = inactive;
    } else if (PressedDown && MouseInside && !IsEmptySkinRect(down)) {
        src = down;
    } else {
        src = frameRect(FrameIndex);
    }
    CopyPicture(dc, ObjectPicture, src);
}

void TskSkinAnimateObject::DblClick() {
    if (command == cmSysMenu) RunFrameCommand(OwnerFrame, cmClose);
}

void TskSkinAnimateObject::TrackMenu() {
    if (!PopupItem || PopupItem->Count() == 0) return;
    MenuTracking = true;
    OwnerFrame->PopupObjectMenu(PopupItem, OwnerFrame->FrameToScreen(ObjectRect), OpenUpward);
}

void TskSkinAnimateObject::ExecuteCommand() {
    switch (command) {
    case cmSysMenu:
        PopupItem = OwnerFrame->GetSystemMenuItems();
        TrackMenu();
        break;
    case cmDefault:
        if (PopupItem) TrackMenu();
        break;
    default:
        RunFrameCommand(OwnerFrame, command);
        break;
    }
}

void TskSkinAnimateObject::MouseDown(int X, int Y, TMouseButton Button) {
    TskActiveSkinObject::MouseDown(X, Y, Button);
    if (!IsEmptySkinRect(downskinrect) && Button == mbLeft) {
        FrameIndex = countframes;
        PressedDown = true;
        OwnerFrame->DrawSkinObject(this);
    }
    if (command == cmSysMenu && MouseInside && buttonstyle && Button == mbLeft) ExecuteCommand();
}

void TskSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button) {
    TskActiveSkinObject::MouseUp(X, Y, Button);
    if (MenuTracking) return;
    if (!IsEmptySkinRect(downskinrect) && Button == mbLeft) {
        PressedDown = false;
        OwnerFrame->DrawSkinObject(this);
        OwnerFrame->StartAnimationTimer();
    }
    if (command != cmSysMenu && MouseInside && buttonstyle && Button == mbLeft) ExecuteCommand();
}

void TskSkinAnimateObject::MouseEnter() {
    MouseInside = true;
    if (MenuTracking) return;
    if (buttonstyle) {
        IsActive = true;
        Forward = true;
        if (PressedDown && !IsEmptySkinRect(downskinrect))
            OwnerFrame->DrawSkinObject(this);
        else
            OwnerFrame->StartAnimationTimer();
    }
    OwnerFrame->DoObjectMouseEnter(*this);
}

void TskSkinAnimateObject::MouseLeave() {
    if (!MouseInside) return;
    MouseInside = false;
    if (MenuTracking) return;
    if (buttonstyle) {
        IsActive = true;
        Forward = false;
        if (PressedDown && !IsEmptySkinRect(downskinrect))
            OwnerFrame->DrawSkinObject(this);
        else
            OwnerFrame->StartAnimationTimer();
    }
    OwnerFrame->DoObjectMouseLeave(*this);
}

void TskSkinAnimateObject::SetFrame(int N) {
    if (Forward)
        FrameIndex = N > countframes ? 1 : N;
    else
        FrameIndex = N <= 0 ? countframes : N;
    OwnerFrame->DrawSkinObject(this);
}

void TskSkinAnimateObject::DoAnimationStep() {
    if (ElapsedTime < timerinterval) {
        ElapsedTime += 25;
        return;
    }
    if (Forward) {
        SetFrame(FrameIndex + 1);
        if (!cycle && FrameIndex == countframes) IsActive = false;
    } else {
        SetFrame(FrameIndex - 1);
        if (FrameIndex == 1) IsActive = false;
    }
    ElapsedTime = 25;
}

} // namespace vd
