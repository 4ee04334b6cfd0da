#include "skin/controls/SkinMenuSpeedButton.h"

#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>

namespace vd {

namespace {
bool IsOneOf(const String& s, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (s == n) return true;
    return false;
}
TRect Or(const TRect& r, const TRect& fallback) {
    return IsEmptySkinRect(r) ? fallback : r;
}
} // namespace

TskSkinMenuSpeedButton::TskSkinMenuSpeedButton(TComponent* AOwner) : TskSkinSpeedButton(AOwner) {
    SkinDataName = "toolmenubutton";
}

void TskSkinMenuSpeedButton::SetSkinPopupMenu(TskSkinPopupMenu* Value) {
    FSkinPopupMenu = Value;
}

void TskSkinMenuSpeedButton::SetSkinImagesMenu(TskImagesMenuLink* Value) {
    TskSkinSpeedButton::SetSkinImagesMenu(Value);
}

void TskSkinMenuSpeedButton::SetTrackButtonMode(bool Value) {
    FTrackButtonMode = Value;
    if (!Skinned()) Repaint();
}

void TskSkinMenuSpeedButton::SetNewStyle(bool Value) {
    FNewStyle = Value;
    if (Value) SkinDataName = "resizetoolbutton";
}

void TskSkinMenuSpeedButton::SetTrackPosition(TskTrackPosition Value) {
    FTrackPosition = Value;
    Repaint();
}

void TskSkinMenuSpeedButton::GetSkinData() {
    TskSkinSpeedButton::GetSkinData();
    if (auto* r = dynamic_cast<TskDataSkinMenuButtonControl*>(SkinRecord()))
        FTrackButtonRect = r->trackbuttonrect;
}

bool TskSkinMenuSpeedButton::OwnKindRecord() const {
    return Skinned() &&
           !IsOneOf(SkinDataName, {"resizebutton", "resizetoolbutton", "toolbutton", "bigtoolbutton"});
}

TRect TskSkinMenuSpeedButton::GetTrackButtonRect() const {
    TRect r = FTrackButtonRect;
    if (FFace.SkinResizeKind == 2) {
        const int d = Width() - FFace.skinrect.Width();
        r = {r.Left + d, r.Top, r.Right + d, r.Bottom};
    } else if (FFace.SkinResizeKind == 3) {
        const int d = Height() - FFace.skinrect.Height();
        r = {r.Left, r.Top + d, r.Right, r.Bottom + d};
    }
    return r;
}

TRect TskSkinMenuSpeedButton::TrackStrip() const {
    if (FNewStyle && FTrackPosition == sktpBottom) return {0, Height() - TrackSize, Width(), Height()};
    return {Width() - TrackSize, 0, Width(), Height()};
}

bool TskSkinMenuSpeedButton::IsTrackHit(int X, int Y) const {
    if (!FSkinPopupMenu && !FSkinImagesMenu) return false;
    if (!FTrackButtonMode) return true;
    const TRect r = OwnKindRecord() ? GetTrackButtonRect() : TrackStrip();
    return PointInRectIncl(r, {X, Y});
}

void TskSkinMenuSpeedButton::ShowTrackMenu() {
    const TPoint o = ClientToScreen({0, 0});
    const TRect r{o.X, o.Y, o.X + Width(), o.Y + Height()};
    bool opened = false;
    if (FSkinPopupMenu) {
        opened = FSkinPopupMenu->PopupFromRect(this, r, 0) || opened;
        if (OnShowTrackMenu) OnShowTrackMenu(this);
    }
    if (FSkinImagesMenu) {
        FSkinImagesMenu->OnInternalMenuClose = ImagesMenuCallback([this] { ImagesMenuClosed(); });
        opened = FSkinImagesMenu->PopupFromRect(r) || opened;
        if (OnShowTrackMenu) OnShowTrackMenu(this);
    }
    // A menu that did not open sends no close report: the button must not stay down waiting.
    if (!opened && FMenuOpen) MenuClosed();
}

void TskSkinMenuSpeedButton::MenuClosed() {
    FMenuOpen = false;
    SetDown(false);
    if (OnHideTrackMenu) OnHideTrackMenu(this);
}

void TskSkinMenuSpeedButton::ImagesMenuClosed() {
    MenuClosed();
    FHot = false;
    Repaint();
}

void TskSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        FMenuOpen = IsTrackHit(X, Y);
        FHot = true;
        if (FMenuOpen) {
            if (!FDown) SetDown(true);
            ShowTrackMenu();
            return;
        }
    }
    TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FMenuOpen) return;
    TskSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SKINMENUCLOSED:
        MenuClosed();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (Designing()) return;
        if (FMenuOpen) {
            FHot = Message.Msg == CM_MOUSEENTER;
            return;
        }
        break;
    default:
        break;
    }
    TskSkinSpeedButton::Dispatch(Message);
}

const TskDataSkinButtonControl* TskSkinMenuSpeedButton::ButtonRecord(const char* Name) const {
    if (!SkinUsable(FSkinData)) return nullptr;
    const int i = FSkinData->IndexOfControlRecord(Name);
    return i == -1 ? nullptr : dynamic_cast<const TskDataSkinButtonControl*>(FSkinData->ControlRecord(i));
}

void TskSkinMenuSpeedButton::DrawRecordFace(TCanvas& c, const TskDataSkinButtonControl* rec, const TRect& R,
                                            bool IsActive, bool IsDown) {
    const TskBitmap* picture = rec ? FSkinData->ActivePicture(rec->pictureindex) : nullptr;
    if (!picture || R.Width() <= 0 || R.Height() <= 0) return;
    const TRect active = Or(rec->activeskinrect, rec->skinrect);
    const TRect face = IsActive && IsDown ? Or(rec->downskinrect, active) : IsActive ? active : rec->skinrect;
    const TskSkinCorners old{rec->lefttoppoint, rec->righttoppoint, rec->leftbottompoint,
                             rec->rightbottompoint, rec->clientrect};
    TskBitmap out;
    ComposeSkinPicture(
        old, FitSkinCorners(old, face, R.Width(), R.Height()), out, *picture, face, R.Width(), R.Height(),
        true, {rec->leftstretch, rec->topstretch, rec->rightstretch, rec->bottomstretch}, rec->stretcheffect);
    DrawSkin(c, R.Left, R.Top, out);
}

void TskSkinMenuSpeedButton::DrawPartFace(TCanvas& c, int X, int W, const TRect& Face, bool Compose) {
    // A button narrower than the strip leaves an empty part: nothing to draw.
    if (W <= 0 || Height() <= 0 || IsEmptySkinRect(Face)) return;
    TskBitmap part(W, Height());
    if (Compose) {
        const TskSkinCorners old = FFace.Corners();
        ComposeSkinPicture(old, FitSkinCorners(old, Face, W, Height()), part, *FFace.SkinBitmap, Face, W,
                           Height(), true, FFace.Stretch(), FFace.stretcheffect);
    } else {
        StretchSkinPicture(part, *FFace.SkinBitmap, Face, FFace.clientrect, true);
    }
    DrawSkin(c, X, 0, part);
}

void TskSkinMenuSpeedButton::FaceFont(TCanvas& c, bool Pressed, bool IsActive) {
    if (FUseSkinFont)
        SetSkinFont(c.Font(), fontname, fontheight, fontstyle, fontcolor);
    else
        c.Font().Assign(FDefaultFont);
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    if (!Enabled() || UseSkinFontColor)
        c.Font().SetColor(!Enabled() ? disabledfontcolor
                          : Pressed  ? downfontcolor
                          : IsActive ? activefontcolor
                                     : fontcolor);
    else
        c.Font().SetColor(FDefaultFont.Color());
}

void TskSkinMenuSpeedButton::DrawMarker(TCanvas& c, TRect R, bool IsActive, bool Moved, TColor Colour) {
    if (Moved) {
        R.Left += 2;
        R.Top += 2;
    }
    if (IsEmptySkinRect(menumarkerrect))
        DrawSmallDownArrow(c.Handle(), R, FMenuOpen ? downfontcolor : Colour);
    else
        DrawMenuMarker(c, R, IsActive, Moved, false);
}

void TskSkinMenuSpeedButton::ToolButtonFace(TBitmap& Bitmap, bool IsDown, bool IsActive, bool Compose) {
    TCanvas& c = Bitmap.Canvas();
    const TRect normal = FFace.skinrect, active = Or(activeskinrect, normal), down = Or(downskinrect, active);
    bool pressed = false;
    const int mainW = std::max(0, Width() - TrackSize), trackW = std::min(TrackSize, Width());
    if (FTrackButtonMode) {
        TRect m, t;
        if (FMenuOpen) {
            m = active;
            t = down;
        } else if (IsDown && IsActive) {
            m = t = down;
            pressed = true;
        } else if (IsActive) {
            m = t = active;
        } else if (!FFlat) {
            m = t = normal;
        }
        DrawPartFace(c, 0, mainW, m, Compose);
        DrawPartFace(c, Width() - trackW, trackW, t, Compose);
    } else {
        TRect f;
        if (IsDown && IsActive) {
            f = down;
            pressed = true;
        } else if (IsActive) {
            f = active;
        } else if (!FFlat) {
            f = normal;
        }
        DrawPartFace(c, 0, Width(), f, Compose);
    }
    FaceFont(c, pressed, IsActive);
    DrawContent(c, {0, 0, mainW, Height()}, pressed, IsDown, IsActive, IsActive || IsDown);
    DrawMarker(c, {Width() - TrackSize, 0, Width(), Height()}, IsActive, (IsDown && IsActive) || FMenuOpen,
               c.Font().Color());
}

void TskSkinMenuSpeedButton::NewStyleFace(TBitmap& Bitmap, bool IsDown, bool IsActive) {
    TCanvas& c = Bitmap.Canvas();
    const bool bottom = FTrackPosition == sktpBottom;
    const TRect t = TrackStrip();
    const TRect rest = bottom ? TRect{0, 0, Width(), std::max(0, Height() - TrackSize)}
                              : TRect{0, 0, std::max(0, Width() - TrackSize), Height()};
    const TskDataSkinButtonControl* main = ButtonRecord("resizetoolbutton");
    if (!main) main = ButtonRecord("resizebutton");
    if (!main) return;
    TRect m = IsActive && FTrackButtonMode ? rest : TRect{0, 0, Width(), Height()};
    const TskDataSkinButtonControl* track = main;
    if (IsActive && FTrackButtonMode) {
        if (const TskDataSkinButtonControl* own =
                ButtonRecord(bottom ? "htracktoolbutton" : "vtracktoolbutton")) {
            track = own;
            m = {0, 0, Width(), Height()};
        }
    }
    const bool pressed = IsActive && IsDown && !(FTrackButtonMode && FMenuOpen);
    DrawRecordFace(c, main, m, IsActive, pressed);
    if (IsActive && FTrackButtonMode) DrawRecordFace(c, track, t, IsActive, FMenuOpen);
    FaceFont(c, pressed, IsActive);
    DrawContent(c, rest, pressed, IsDown, IsActive, IsActive || IsDown);
    const bool moved = FTrackButtonMode ? FMenuOpen : IsActive && IsDown;
    TRect mr = t;
    if (moved) {
        mr.Left -= 1;
        mr.Top -= 1;
    }
    DrawMarker(c, mr, IsActive, moved, c.Font().Color());
}

void TskSkinMenuSpeedButton::CreateButtonImage(TBitmap& Bitmap, const TRect& SourceRect, bool IsDown,
                                               bool IsActive) {
    if (FNewStyle && SkinDataName == "resizetoolbutton") {
        NewStyleFace(Bitmap, IsDown, IsActive);
    } else if (IsOneOf(SkinDataName, {"toolbutton", "bigtoolbutton"})) {
        ToolButtonFace(Bitmap, IsDown, IsActive, false);
    } else if (!IsOneOf(SkinDataName, {"resizebutton", "resizetoolbutton"})) {
        const TRect track = GetTrackButtonRect();
        if (FMenuOpen && FTrackButtonMode && !IsEmptySkinRect(track) && !IsEmptySkinRect(downskinrect)) {
            TskSkinSpeedButton::CreateButtonImage(Bitmap, activeskinrect, false, true);
            // The source is the record's own rect: only the destination follows the stretched width.
            const TRect& own = FTrackButtonRect;
            const TRect src{own.Left + downskinrect.Left, own.Top + downskinrect.Top,
                            own.Right + downskinrect.Left, own.Bottom + downskinrect.Top};
            StretchSkinPiece(Bitmap.Canvas(), track, *FFace.SkinBitmap, src);
        } else {
            TskSkinSpeedButton::CreateButtonImage(Bitmap, SourceRect, IsDown, IsActive);
        }
    } else {
        ToolButtonFace(Bitmap, IsDown, IsActive, true);
    }
}

void TskSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    const TRect all{0, 0, Width(), Height()};
    const TRect t = TrackStrip();
    const TRect rest = FNewStyle && FTrackPosition == sktpBottom ? TRect{0, 0, Width(), Height() - TrackSize}
                                                                 : TRect{0, 0, Width() - TrackSize, Height()};
    bool pressed = false;
    if (FTrackButtonMode && (!FNewStyle || FHot)) {
        if (FMenuOpen) {
            FrameAndFill(c, rest, clskNavy, clskHotFill);
            FrameAndFill(c, t, clskNavy, clskPressedFill);
        } else if (FDown && FHot) {
            FrameAndFill(c, rest, clskNavy, clskPressedFill);
            FrameAndFill(c, t, clskNavy, FNewStyle ? clskHotFill : clskPressedFill);
            pressed = true;
        } else if (FHot) {
            FrameAndFill(c, rest, clskNavy, clskHotFill);
            FrameAndFill(c, t, clskNavy, clskHotFill);
        } else {
            FrameAndFill(c, rest, FFlat ? clBtnFace : clBtnShadow, clBtnFace);
            FrameAndFill(c, t, FFlat ? clBtnFace : clBtnShadow, clBtnFace);
        }
    } else if (FDown && FHot) {
        FrameAndFill(c, all, clskNavy, clskPressedFill);
        pressed = true;
    } else if (FHot) {
        FrameAndFill(c, all, clskNavy, clskHotFill);
    } else {
        FrameAndFill(c, all, FFlat ? clBtnFace : clBtnShadow, clBtnFace);
    }
    SetPlainFont(c.Font());
    DrawContent(c, rest, pressed, FDown, FHot, FHot || FDown);
    TRect m = t;
    const bool moved = FNewStyle && FTrackButtonMode ? FMenuOpen : (FDown && FHot) || FMenuOpen;
    if (moved) {
        m.Left += 2;
        m.Top += 2;
    }
    DrawSmallDownArrow(c.Handle(), m, clBtnText);
}

void TskSkinMenuSpeedButton::Paint() {
    GetSkinData();
    if (FHot || FDown || FMenuOpen || !Transparent()) {
        TskSkinSpeedButton::Paint();
        return;
    }
    TCanvas& c = Canvas();
    const bool own = OwnKindRecord();
    const TRect content = own ? FFace.CurClientRect
                          : FNewStyle && FTrackPosition == sktpBottom
                              ? TRect{0, 0, Width(), Height() - TrackSize}
                              : TRect{0, 0, Width() - TrackSize, Height()};
    if (Skinned() && FUseSkinFont) {
        c.Font().SetName(fontname);
        c.Font().SetStyle(fontstyle);
        c.Font().SetHeight(fontheight);
    } else {
        c.Font().Assign(FDefaultFont);
    }
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    const TColor text = Skinned() ? FSkinData->SkinColors().cbtntext : clBtnText;
    if (!Enabled())
        c.Font().SetColor(clBtnShadow);
    else if (Skinned())
        c.Font().SetColor(UseSkinFontColor ? text : FDefaultFont.Color());
    DrawContent(c, content, false, FDown, FHot, false);
    const TRect marker = own ? TRect{content.Right, content.Top, Width(), content.Bottom}
                         : FNewStyle && FTrackPosition == sktpBottom
                             ? TRect{0, Height() - TrackSize, content.Width(), Height()}
                             : TRect{Width() - TrackSize, 0, Width(), content.Bottom};
    if (Skinned() && !IsEmptySkinRect(menumarkerflatrect))
        DrawMenuMarker(c, marker, false, false, true);
    else
        DrawSmallDownArrow(c.Handle(), marker, text);
}

} // namespace vd
