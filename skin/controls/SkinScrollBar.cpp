#include "skin/controls/SkinScrollBar.h"

#include "platform/gfx/Gdi.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>
#include <cmath>

namespace vd {

namespace {

constexpr std::uintptr_t kTimerId = 1;

// Halves to the even neighbour.
int Nearest(double x) {
    return static_cast<int>(std::nearbyint(x));
}

bool In(const TRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

} // namespace

TskSkinScrollBar::TskSkinScrollBar(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FRepeat([this] { RepeatStep(); }, this, kTimerId) {
    FRepeat.Timing = {.FirstDelay = 500, .Interval = 50, .Resume = 50, .FirstTickSteps = false};
    SetSkinDataName("hscrollbar");
    SetBounds(0, 0, 200, 19);
    FDefaultHeight = 19;
    SetTabStop(false);
}

TskSkinScrollBar::~TskSkinScrollBar() {
    FRepeat.Stop();
}

int TskSkinScrollBar::Clamp(int Value) const {
    // The upper bound first, then the lower, so a page larger than the range never gives a
    // position below Min.
    const int last = FPageSize == 0 ? FMax : FMax - FPageSize + 1;
    return std::max(std::min(Value, last), FMin);
}

void TskSkinScrollBar::SetPosition(int Value) {
    Value = Clamp(Value);
    if (Value == FPosition) return;
    FPosition = Value;
    Repaint();
    if (OnChange) OnChange(this);
}

void TskSkinScrollBar::SimpleSetPosition(int Value) {
    Value = Clamp(Value);
    if (Value == FPosition) return;
    FPosition = Value;
    Repaint();
}

// Grids set the whole range on every paint of theirs: an unchanged bar is not painted again.
void TskSkinScrollBar::SetRange(const TScrollRange& r) {
    const TScrollRange old{FMin, FMax, FPosition, FPageSize};
    FMin = r.Min;
    FMax = r.Max;
    FPageSize = r.PageSize;
    FPosition = Clamp(r.Position);
    if (old.Min != FMin || old.Max != FMax || old.Position != FPosition || old.PageSize != FPageSize)
        Repaint();
}

void TskSkinScrollBar::SetMin(int Value) {
    if (Value == FMin && FPosition >= FMin) return;
    FMin = Value;
    if (FPosition < FMin) FPosition = FMin;
    Repaint();
}

void TskSkinScrollBar::SetMax(int Value) {
    const int oldMax = FMax, oldPosition = FPosition;
    FMax = Value;
    if (FPageSize == 0) {
        if (FPosition > FMax) FPosition = FMax;
    } else {
        // Positions, not counts: the last position whose page still ends at Max.
        const int last = FMax - FPageSize + 1;
        if (FPosition > last) FPosition = last;
        if (FPosition < FMin) FPosition = FMin;
    }
    if (FMax != oldMax || FPosition != oldPosition) Repaint();
}

void TskSkinScrollBar::SetPageSize(int Value) {
    if (FPosition + Value - 1 > FMax || Value == FPageSize) return;
    FPageSize = Value;
    Repaint();
}

// The steps change nothing that is drawn.
void TskSkinScrollBar::SetSmallChange(int Value) {
    FSmallChange = Value;
}

void TskSkinScrollBar::SetLargeChange(int Value) {
    FLargeChange = Value;
}

void TskSkinScrollBar::SetKind(TScrollBarKind Value) {
    if (Value == FKind) return;
    FKind = Value;
    Repaint();
}

void TskSkinScrollBar::SetBoth(bool Value) {
    if (Value == FBoth) return;
    FBoth = Value;
    if (!Designing()) {
        if (Value) {
            FSavedSkinDataName = SkinDataName();
            SetSkinDataName(BothSkinDataName);
        } else if (!FSavedSkinDataName.empty()) {
            SetSkinDataName(FSavedSkinDataName);
        }
    }
    GetSkinData();
    if (Skinned())
        ChangeSkinData();
    else
        Repaint();
}

void TskSkinScrollBar::SetBothMarkerWidth(int Value) {
    if (Value < 0) return;
    FBothMarkerWidth = Value;
    if (!Skinned()) Repaint();
}

void TskSkinScrollBar::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinScrollBar::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* r = dynamic_cast<TskDataSkinScrollBarControl*>(SkinRecord());
    if (FSkinIndex == -1 || !r) return;
    trackarea = r->trackarea;
    arrowpictures = ArrowPictures(*r);
    thumbpictures = TskButtonPictures::Chained(r->thumbrect, r->activethumbrect, r->downthumbrect);
    thumboffset1 = r->thumboffset1;
    thumboffset2 = r->thumboffset2;
    glyphpictures = TskButtonPictures::Chained(r->glyphrect, r->activeglyphrect, r->downglyphrect);
    thumbtransparent = r->thumbtransparent;
    thumbtransparentcolor = r->thumbtransparentcolor;
}

void TskSkinScrollBar::CalcSize(int& W, int& H) {
    TskSkinCustomControl::CalcSize(W, H);
    CalcRects();
}

void TskSkinScrollBar::CalcRects() {
    const bool skinned = Skinned();
    const bool horz = Horizontal();
    int minThumb = 16, cross = 0;
    if (!skinned) {
        if (horz) {
            const int w = FBoth ? Width() - FBothMarkerWidth : Width();
            FParts[ptDown].R = {1, 1, 17, Height() - 1};
            FParts[ptUp].R = {w - 17, 1, w - 1, Height() - 1};
            FTrackRect = {17, 1, w - 17, Height() - 1};
        } else {
            FParts[ptDown].R = {1, 1, Width() - 1, 17};
            FParts[ptUp].R = {1, Height() - 17, Width() - 1, Height() - 1};
            FTrackRect = {1, 17, Width() - 1, Height() - 17};
        }
    } else {
        const TskSkinFace& f = FFace;
        const int g = horz ? Width() - f.skinrect.Width() : Height() - f.skinrect.Height();
        FTrackRect = trackarea;
        (horz ? FTrackRect.Right : FTrackRect.Bottom) += g;
        FParts[ptUp].R = arrowpictures[0].Plain;
        FParts[ptDown].R = arrowpictures[1].Plain;
        for (int i : {ptUp, ptDown}) {
            TRect& r = FParts[i].R;
            if (horz && r.Left > f.righttoppoint.X) r = {r.Left + g, r.Top, r.Right + g, r.Bottom};
            if (!horz && r.Top > f.leftbottompoint.Y) r = {r.Left, r.Top + g, r.Right, r.Bottom + g};
        }
        const TRect& thumb = thumbpictures.Plain;
        minThumb = horz ? thumb.Width() : thumb.Height();
        cross = horz ? thumb.Height() : thumb.Width();
    }
    const int trackStart = horz ? FTrackRect.Left : FTrackRect.Top;
    const int trackEnd = horz ? FTrackRect.Right : FTrackRect.Bottom;
    const int tl = trackEnd - trackStart;
    int len = minThumb;
    if (FPageSize != 0) {
        const int n = FMax - FMin + 1;
        len = n == 0 ? 0 : Nearest(double(tl) * FPageSize / n);
        len = std::max(len, minThumb);
    }
    // Never longer than the track, so the thumb stays between the buttons.
    len = std::max(0, std::min(len, tl));
    double ratio;
    if (FPageSize == 0) {
        ratio = FMax == FMin ? 0.0 : double(FPosition - FMin) / (FMax - FMin);
    } else {
        const int last = FMax - FPageSize + 1;
        ratio = last > FMin ? double(FPosition - FMin) / (last - FMin) : (horz ? 1.0 : 0.0);
    }
    FThumbMin = trackStart + len / 2;
    FThumbMax = trackEnd - len / 2;
    FThumbOffset = Nearest((FThumbMax - FThumbMin) * ratio);
    const int c = FThumbMin + FThumbOffset;
    int a0, a1;
    if (!skinned) {
        a0 = horz ? FTrackRect.Top : FTrackRect.Left;
        a1 = horz ? FTrackRect.Bottom : FTrackRect.Right;
    } else {
        const int ts = horz ? FTrackRect.Top : FTrackRect.Left;
        const int tsz = horz ? FTrackRect.Height() : FTrackRect.Width();
        a0 = ts + tsz / 2 - cross / 2;
        a1 = a0 + cross;
    }
    FParts[ptThumb].R =
        horz ? TRect{c - len / 2, a0, c + len / 2, a1} : TRect{a0, c - len / 2, a1, c + len / 2};
}

int TskSkinScrollBar::OffsetToPosition(int Offset) {
    if (FPageSize != 0) {
        const TRect& t = FParts[ptThumb].R;
        const int len = Horizontal() ? t.Width() : t.Height();
        FThumbMin = (Horizontal() ? FTrackRect.Left : FTrackRect.Top) + len / 2;
        FThumbMax = (Horizontal() ? FTrackRect.Right : FTrackRect.Bottom) - len / 2;
    }
    const int span = FThumbMax - FThumbMin;
    double ratio = span > 0 ? double(Offset) / span : 0.0;
    ratio = std::clamp(ratio, 0.0, 1.0);
    if (FPageSize == 0) return FMin + Nearest(ratio * (FMax - FMin));
    return FMin + Nearest(ratio * std::max(0, FMax - FMin - FPageSize + 1));
}

void TskSkinScrollBar::CreateControlDefaultImage(TBitmap& Bitmap) {
    CalcRects();
    FillColor(Bitmap.Canvas(), {0, 0, Bitmap.Width(), Bitmap.Height()}, clBtnFace);
    if (Enabled()) DrawPart(Bitmap.Canvas(), ptThumb);
    DrawPart(Bitmap.Canvas(), ptUp);
    DrawPart(Bitmap.Canvas(), ptDown);
}

void TskSkinScrollBar::CreateControlSkinImage(TBitmap& Bitmap) {
    DrawSkinTrack(Bitmap);
    CalcRects();
    DrawPart(Bitmap.Canvas(), ptUp);
    DrawPart(Bitmap.Canvas(), ptDown);
    if (Enabled()) DrawPart(Bitmap.Canvas(), ptThumb);
}

unsigned TskSkinScrollBar::FaceCompositions() const {
    unsigned n = FTrackFace.Compositions();
    for (const TskFaceCache& c : FThumbFaces)
        n += c.Compositions();
    return n;
}

TskFaceKey TskSkinScrollBar::FaceKey(const TRect& Face, const TRect& Glyph, int W, int H, int Variant) const {
    const TskSkinData* skin = SkinData();
    return {skin, skin ? skin->Generation() : 0u, FSkinIndex, FFace.SkinBitmap, Face, Glyph, W, H, Variant};
}

// The track as the base composes it, from the cache while the size and the skin stay.
void TskSkinScrollBar::DrawSkinTrack(TBitmap& Bitmap) {
    if (FFace.SkinResizeKind == 0 || (FFace.SkinResizeKind == 1 && FForceBackground)) {
        TskSkinCustomControl::CreateControlSkinImage(Bitmap);
        return;
    }
    TBitmap& track = FTrackFace.Get(FaceKey(FFace.skinrect, {}, Width(), Height(), 0), [this](TBitmap& b) {
        TskBitmap face;
        FFace.CreateResizedSkinImage(face, *FFace.SkinBitmap, FFace.skinrect, Width(), Height());
        DrawSkin(b.Canvas(), 0, 0, face);
    });
    Bitmap.Canvas().Draw(0, 0, &track);
}

void TskSkinScrollBar::DrawSkinThumb(TCanvas& c) {
    const Part& p = FParts[ptThumb];
    const bool down = p.Down || FocusedLook();
    const int state = down ? 2 : p.Hot ? 1 : 0;
    const auto pick = [&](const TskButtonPictures& q) { return down ? q.Pressed : p.Hot ? q.Hot : q.Plain; };
    const TRect face = pick(thumbpictures), glyph = pick(glyphpictures);
    const int w = p.R.Width(), h = p.R.Height();
    if (w <= 0 || h <= 0 || IsEmptySkinRect(face)) return;
    // Stretched without a page, else composed along the bar.
    const int variant = FPageSize == 0 ? 0 : Horizontal() ? 1 : 2;
    TBitmap& thumb = FThumbFaces[state].Get(FaceKey(face, glyph, w, h, variant), [&](TBitmap& b) {
        if (FPageSize == 0) {
            StretchSkinPiece(b.Canvas(), {0, 0, w, h}, *FFace.SkinBitmap, face);
        } else {
            TskBitmap t;
            if (Horizontal())
                ComposeHorzSkinPicture(thumboffset1, thumboffset2, t, false, w, face, *FFace.SkinBitmap);
            else
                ComposeVertSkinPicture(thumboffset1, thumboffset2, t, false, h, face, *FFace.SkinBitmap);
            DrawSkin(b.Canvas(), 0, 0, t);
        }
        if (!IsEmptySkinRect(glyph))
            DrawSkinPiece(b.Canvas(), w / 2 - glyph.Width() / 2, h / 2 - glyph.Height() / 2,
                          *FFace.SkinBitmap, glyph);
        if (thumbtransparent) {
            b.TransparentMode = tmFixed;
            b.SetTransparentColor(thumbtransparentcolor);
            b.SetTransparent(true);
        }
    });
    c.Draw(p.R.Left, p.R.Top, &thumb);
}

void TskSkinScrollBar::DrawPart(TCanvas& c, int Index) {
    const Part& p = FParts[Index];
    if (Skinned()) {
        if (Index == ptThumb) {
            DrawSkinThumb(c);
            return;
        }
        arrowpictures[Index == ptUp ? 0 : 1].Draw(c, p.R, *FFace.SkinBitmap, p.Down, p.Hot);
        return;
    }
    const bool pressed = (p.Down && p.Hot) || (Index == ptThumb && (p.Down || FocusedLook()));
    if (pressed)
        FrameAndFill(c, p.R, clskNavy, clskPressedFill);
    else if (p.Hot)
        FrameAndFill(c, p.R, clskNavy, clskHotFill);
    else
        FrameAndFill(c, p.R, clBtnShadow, clBtnFace);
    const TRect inner{p.R.Left + 1, p.R.Top + 1, p.R.Right - 1, p.R.Bottom - 1};
    if (Index == ptUp) DrawArrowGlyph(c.Handle(), inner, clBlack, Horizontal() ? 2 : 4);
    if (Index == ptDown) DrawArrowGlyph(c.Handle(), inner, clBlack, Horizontal() ? 1 : 3);
}

void TskSkinScrollBar::TestActivePart(int X, int Y) {
    const int old = FHotPart;
    int hot = -1;
    for (int i = 0; i < 3 && hot == -1; ++i)
        if (In(FParts[i].R, X, Y)) hot = i;
    if (FPressedPart != -1 && hot != FPressedPart) hot = -1;
    if (hot == old) return;
    FHotPart = hot;
    if (old != -1) {
        FParts[old].Hot = false;
        Repaint();
        if (old != ptThumb && FParts[old].Down) FRepeat.Pause();
    }
    if (hot != -1) {
        FParts[hot].Hot = true;
        Repaint();
        if (hot != ptThumb && FParts[hot].Down) FRepeat.Resume();
    }
}

void TskSkinScrollBar::StartRepeat(int Mode) {
    FRepeatMode = Mode;
    FRepeat.Start();
}

void TskSkinScrollBar::StopRepeat() {
    FRepeat.Stop();
    FRepeatMode = 0;
}

void TskSkinScrollBar::PartDown(int Index, int X, int Y) {
    FParts[Index].Down = true;
    Repaint();
    if (Index == ptUp) {
        if (OnUpButtonClick)
            OnUpButtonClick(this);
        else
            SetPosition(FPosition + FSmallChange);
        StartRepeat(2);
    } else if (Index == ptDown) {
        if (OnDownButtonClick)
            OnDownButtonClick(this);
        else
            SetPosition(FPosition - FSmallChange);
        StartRepeat(1);
    } else {
        FDragStartCoord = Horizontal() ? X : Y;
        FDragStartOffset = FThumbOffset;
        FDragging = true;
        Repaint();
    }
}

void TskSkinScrollBar::PartUp(int Index) {
    FParts[Index].Down = false;
    if (Index != FHotPart) FParts[Index].Hot = false;
    Repaint();
    if (Index == ptThumb)
        FDragging = false;
    else
        StopRepeat();
}

void TskSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FMouseIsDown = true;
    GetSkinData();
    CalcRects();
    FRepeatMode = 0;
    for (int i = 0; i < 3; ++i)
        if (In(FParts[i].R, X, Y)) {
            FPressedPart = i;
            PartDown(i, X, Y);
            return;
        }
    if (!In(FTrackRect, X, Y)) return;
    const TRect& t = FParts[ptThumb].R;
    if (Horizontal() ? X < t.Left : Y < t.Top) {
        SetPosition(FPosition - FLargeChange);
        StartRepeat(3);
        if (OnPageUp) OnPageUp(this);
    } else {
        SetPosition(FPosition + FLargeChange);
        StartRepeat(4);
        if (OnPageDown) OnPageDown(this);
    }
}

void TskSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    FLastMouseX = X;
    FLastMouseY = Y;
    TestActivePart(X, Y);
    if (FDragging) {
        const int offset = FDragStartOffset + (Horizontal() ? X : Y) - FDragStartCoord;
        SetPosition(OffsetToPosition(offset));
    }
    TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseIsDown = false;
    if (FRepeatMode > 2) StopRepeat();
    const int pressed = FPressedPart;
    if (pressed != -1) PartUp(pressed);
    if (Button == mbLeft && pressed == ptThumb && OnLastChange) OnLastChange(this);
    FPressedPart = -1;
}

void TskSkinScrollBar::RepeatStep() {
    const TRect& t = FParts[ptThumb].R;
    switch (FRepeatMode) {
    case 1:
        if (OnDownButtonClick)
            OnDownButtonClick(this);
        else
            SetPosition(FPosition - FSmallChange);
        break;
    case 2:
        if (OnUpButtonClick)
            OnUpButtonClick(this);
        else
            SetPosition(FPosition + FSmallChange);
        break;
    case 3:
        TestActivePart(FLastMouseX, FLastMouseY);
        if (Horizontal() ? FLastMouseX < t.Left : FLastMouseY < t.Top) {
            SetPosition(FPosition - FLargeChange);
            if (OnPageUp) OnPageUp(this);
        } else {
            StopRepeat();
        }
        break;
    case 4:
        TestActivePart(FLastMouseX, FLastMouseY);
        if (Horizontal() ? FLastMouseX > t.Right : FLastMouseY > t.Bottom) {
            SetPosition(FPosition + FLargeChange);
            if (OnPageDown) OnPageDown(this);
        } else {
            StopRepeat();
        }
        break;
    default:
        break;
    }
}

void TskSkinScrollBar::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused) return;
    if (Key == VK_LEFT || Key == VK_UP) SetPosition(FPosition - FSmallChange);
    if (Key == VK_RIGHT || Key == VK_DOWN) SetPosition(FPosition + FSmallChange);
}

void TskSkinScrollBar::WndProc(TMessage& Message) {
    if (FCanFocused && !Designing()) {
        if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !Focused()) {
            FClickFocusing = true;
            SetFocus();
            FClickFocusing = false;
            if (!Focused()) return;
        }
    }
    TskSkinCustomControl::WndProc(Message);
}

void TskSkinScrollBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_TIMER:
        TskSkinCustomControl::Dispatch(Message);
        FRepeat.Tick();
        return;
    case WM_MOUSEWHEEL:
        if (FCanFocused && Focused()) {
            if (static_cast<std::int32_t>(Message.WParam) > 0)
                SetPosition(FPosition - FSmallChange);
            else
                SetPosition(FPosition + FSmallChange);
        }
        return;
    case CM_WANTSPECIALKEY:
        TskSkinCustomControl::Dispatch(Message);
        if (Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN) Message.Result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (FCanFocused) Repaint();
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        if (Designing()) return;
        if (FHotPart != -1 && FPressedPart == -1 && !FDragging) {
            FParts[FHotPart].Hot = false;
            Repaint();
            FHotPart = -1;
        }
        // Paging towards Min keeps going outside the bar; only paging towards Max stops.
        if (FMouseIsDown && FRepeatMode == 4) StopRepeat();
        return;
    default:
        TskSkinCustomControl::Dispatch(Message);
    }
}

} // namespace vd
