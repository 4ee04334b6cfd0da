#include "skin/controls/SkinPanel.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinButtonLayout.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>

namespace vd {

TRect GetAdjustedClientRect(TWinControl* Control) {
    TRect r{0, 0, Control->Width(), Control->Height()};
    Control->AdjustClientRect(r);
    return r;
}

TskSkinPanel::TskSkinPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque |
                    csDoubleClicks | csReplicatable);
    FForceBackground = true;
    SetBounds(0, 0, 150, 150);
    FFace.CurClientRect = {};
    SetSkinDataName("panel");
}

TskSkinPanel::~TskSkinPanel() = default;

TskSkinGroupBox::TskSkinGroupBox(TComponent* AOwner) : TskSkinPanel(AOwner) {
    SetSkinDataName("groupbox");
    SetCaptionMode(true);
}

void TskSkinPanel::SetCaptionMode(bool Value) {
    FCaptionMode = Value;
    Repaint();
    Realign();
}

void TskSkinPanel::SetDefaultCaptionHeight(int Value) {
    FDefaultCaptionHeight = Value;
    if (!Skinned() && FCaptionMode) {
        Repaint();
        Realign();
    }
}

void TskSkinPanel::SetDefaultAlignment(TAlignment Value) {
    FDefaultAlignment = Value;
    if (!Skinned() && FCaptionMode) Repaint();
}

void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle Value) {
    FBorderStyle = Value;
    if (!Skinned()) {
        Repaint();
        Realign();
    }
}

void TskSkinPanel::SetGlyph(const TBitmap& Value) {
    FGlyph.Assign(Value);
    Repaint();
}

void TskSkinPanel::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 2);
    Repaint();
}

void TskSkinPanel::SetSpacing(int Value) {
    FSpacing = Value;
    Repaint();
}

void TskSkinPanel::SetCaptionImageList(TCustomImageList* Value) {
    FCaptionImageList = Value;
    Repaint();
}

void TskSkinPanel::SetCaptionImageIndex(int Value) {
    if (Value == FCaptionImageIndex) return;
    FCaptionImageIndex = Value;
    Repaint();
}

void TskSkinPanel::SetCheckedMode(bool Value) {
    FCheckedMode = Value;
    Repaint();
}

void TskSkinPanel::SetRollUpMode(bool Value) {
    FRollUpMode = Value;
    if (!Skinned() && FCaptionMode) Repaint();
}

void TskSkinPanel::SetChecked(bool Value) {
    FChecked = Value;
    if (FCheckedMode) Repaint();
    if (AutoEnabledControls && FCheckedMode)
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(FChecked);
    if (OnChecked) OnChecked(this);
}

void TskSkinPanel::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    FBgPictureIndex = -1;
    auto* r = dynamic_cast<TskDataSkinPanelControl*>(SkinRecord());
    if (FSkinIndex == -1 || !r) return;
    captionrect = r->captionrect;
    alignment = r->alignment == TskAlignment::Center         ? taCenter
                : r->alignment == TskAlignment::RightJustify ? taRightJustify
                                                             : taLeftJustify;
    fontname = r->fontname;
    fontcolor = r->fontcolor;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    // An index outside the picture list means no wallpaper, for the client rect and the paint alike.
    FBgPictureIndex = FSkinData->ActivePicture(r->bgpictureindex) ? r->bgpictureindex : -1;
    checkimagerect = r->checkimagerect;
    uncheckimagerect = r->uncheckimagerect;
    markframerect = r->markframerect;
    framerect = r->framerect;
    frameleftoffset = r->frameleftoffset;
    framerightoffset = r->framerightoffset;
    frametextrect = r->frametextrect;
}

void TskSkinPanel::AdjustClientRect(TRect& Rect) {
    TskSkinCustomControl::AdjustClientRect(Rect);
    GetSkinData();
    if (FSkinIndex == -1 || Designing()) {
        if (FBorderStyle != bvNone) Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
        if (FCaptionMode) Rect.Top += FDefaultCaptionHeight;
        return;
    }
    int w = Width(), h = Height();
    FFace.CalcSize(w, h);
    if (FBgPictureIndex != -1) return;
    if (FBorderStyle == bvNone && !FCaptionMode && FFace.SkinResizeKind == 1) return;
    Rect = FFace.CurClientRect;
}

bool TskSkinPanel::PlainTiled() const {
    return FBorderStyle == bvNone && FFace.SkinResizeKind == 1 && !FCaptionMode;
}

void TskSkinPanel::TileClientPiece(TCanvas& Canvas, const TskBitmap& Tile, int W, int H) {
    const int pw = Tile.Width(), ph = Tile.Height();
    if (pw <= 0 || ph <= 0) {
        // Nothing to tile with: the plain fill, never a division by an empty step.
        FillColor(Canvas, {0, 0, W, H}, clBtnFace);
        return;
    }
    for (int i = 0; i <= W / pw; ++i)
        for (int j = 0; j <= H / ph; ++j)
            DrawSkin(Canvas, i * pw, j * ph, Tile);
}

void TskSkinPanel::Paint() {
    GetSkinData();
    if (FSkinIndex == -1 || (!FForceBackground && FFace.stretcheffect)) {
        TskSkinCustomControl::Paint();
        return;
    }
    if (PlainTiled() && FForceBackground) {
        const TRect& s = FFace.skinrect;
        const TRect& c = FFace.clientrect;
        TskBitmap tile =
            CutSkin(*FFace.SkinBitmap, {s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom});
        TileClientPiece(Canvas(), tile, Width(), Height());
        return;
    }
    if (FBgPictureIndex == -1) {
        TskSkinCustomControl::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1) return;
    TileClientPiece(Canvas(), *FSkinData->ActivePicture(FBgPictureIndex), Width(), Height());
}

void TskSkinPanel::CreateControlSkinImage(TBitmap& Bitmap) {
    if (PlainTiled() && !FFace.stretcheffect) {
        const TRect& s = FFace.skinrect;
        const TRect& c = FFace.clientrect;
        TskBitmap tile =
            CutSkin(*FFace.SkinBitmap, {s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom});
        TileClientPiece(Bitmap.Canvas(), tile, Bitmap.Width(), Bitmap.Height());
        return;
    }
    TskSkinCustomControl::CreateControlSkinImage(Bitmap);
    FCaptionArea = FFace.SkinResizeKind < 1 ? captionrect : MapSkinRect(captionrect);
    if (!Caption().empty() && !IsEmptySkinRect(captionrect)) DrawSkinCaption(Bitmap.Canvas(), FCaptionArea);
}

namespace {

struct CaptionPicture {
    bool FromList = false, FromGlyph = false;
    int W = 0, H = 0;
};

CaptionPicture PictureOf(TCustomImageList* list, int index, const TBitmap& glyph, int numGlyphs) {
    CaptionPicture p;
    if (list && index >= 0 && index < list->Count() && glyph.Empty()) {
        p.FromList = true;
        p.W = list->Width();
        p.H = list->Height();
    } else if (!glyph.Empty()) {
        p.FromGlyph = true;
        p.W = glyph.Width() / numGlyphs;
        p.H = glyph.Height();
    }
    return p;
}

} // namespace

void TskSkinPanel::DrawSkinCaption(TCanvas& c, TRect R) {
    const TskBitmap& src = *FFace.SkinBitmap;
    if (FRollUpMode) R.Right -= 12;
    if (FCheckedMode) {
        const int w = checkimagerect.Width(), h = checkimagerect.Height();
        const int x = R.Left, y = R.Top + R.Height() / 2 - h / 2;
        DrawSkinPiece(c, x, y, src, FChecked ? checkimagerect : uncheckimagerect, true, 0, true);
        FCheckImageArea = {x, y, x + w, y + h};
        R.Left += w + 2;
    }
    if (FUseSkinFont)
        SetSkinFont(c.Font(), fontname, fontheight, fontstyle, fontcolor);
    else
        c.Font().Assign(FDefaultFont);
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    c.Font().SetColor(fontcolor);
    const CaptionPicture pic = PictureOf(FCaptionImageList, FCaptionImageIndex, FGlyph, FNumGlyphs);
    const int tw = c.TextWidth(Caption());
    const int content = tw + (pic.FromGlyph ? pic.W + FSpacing : 0);
    const int ty = R.Top + R.Height() / 2 - c.TextHeight(Caption()) / 2;
    int tx = alignment == taLeftJustify    ? R.Left
             : alignment == taRightJustify ? R.Right - content
                                           : R.Left + R.Width() / 2 - content / 2;
    c.Brush().Style = bsClear;
    int px = tx;
    const int py = R.Top + R.Height() / 2 - pic.H / 2;
    if (pic.FromList || pic.FromGlyph) tx += pic.W + FSpacing;
    if (FRollUpMode) {
        const TRect a{R.Right, R.Top, R.Right + 10, R.Bottom};
        if (!IsEmptySkinRect(markframerect))
            StretchSkinPiece(
                c, {a.Left, a.Top, a.Left + markframerect.Width(), captionrect.Top + markframerect.Height()},
                src, markframerect);
        DrawArrowGlyph(c.Handle(), a, fontcolor, FRollUpState ? 4 : 3);
    }
    if (!IsEmptySkinRect(framerect)) {
        const int f = framerect.Width() - frametextrect.Width();
        TskBitmap frame;
        ComposeHorzSkinPicture(frameleftoffset, framerightoffset, frame, false, tw + f, framerect, src);
        int fx = tx;
        if (alignment == taLeftJustify) {
            tx += frametextrect.Left;
        } else if (alignment == taRightJustify) {
            fx = tx - f;
            tx = fx + frametextrect.Left;
            px -= f;
        } else {
            fx = tx - frametextrect.Left - 2;
            px -= frametextrect.Left;
            tx -= 2;
        }
        DrawSkin(c, fx, captionrect.Top, frame);
    }
    c.Brush().Style = bsClear;
    c.TextRect(R, tx, ty, Caption());
    if (pic.FromList)
        FCaptionImageList->Draw(c, px, py, FCaptionImageIndex, Enabled());
    else if (pic.FromGlyph)
        DrawStripGlyph(c, px, py, FGlyph, !Enabled() && FNumGlyphs == 2 ? 2 : 1, FNumGlyphs);
}

void TskSkinPanel::CreateControlDefaultImage(TBitmap& Bitmap) {
    TskSkinCustomControl::CreateControlDefaultImage(Bitmap);
    TCanvas& c = Bitmap.Canvas();
    const TRect all{0, 0, Width(), Height()};
    switch (FBorderStyle) {
    case bvFrame:
        DrawFrame3D(c, all, clBtnShadow, clBtnShadow);
        break;
    case bvRaised:
        DrawFrame3D(c, all, clBtnHighlight, clBtnShadow);
        break;
    case bvLowered:
        DrawFrame3D(c, all, clBtnShadow, clBtnHighlight);
        break;
    case bvNone:
        break;
    }
    if (!FCaptionMode) return;
    TRect R;
    if (FBorderStyle != bvFrame) {
        R = {1, 1, Width() - 1, FDefaultCaptionHeight};
        DrawFrame3D(c, R, clBtnShadow, clBtnHighlight);
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        DrawFrame3D(c, R, clBtnHighlight, clBtnShadow);
    } else {
        R = {0, 0, Width(), FDefaultCaptionHeight};
        DrawFrame3D(c, R, clBtnShadow, clBtnShadow);
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        DrawFrame3D(c, R, clBtnHighlight, clBtnFace);
    }
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    if (FCheckedMode) R.Left += 20;
    if (FRollUpMode) R.Right -= 10;
    c.Font().Assign(FDefaultFont);
    if (FSkinData && FSkinData->ResourceStrData()) c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    const CaptionPicture pic = PictureOf(FCaptionImageList, FCaptionImageIndex, FGlyph, FNumGlyphs);
    const int content = c.TextWidth(Caption()) + (pic.FromGlyph ? pic.W + FSpacing : 0);
    const int ty = R.Top + R.Height() / 2 - c.TextHeight(Caption()) / 2;
    int tx = FDefaultAlignment == taRightJustify ? R.Right - content
             : FDefaultAlignment == taCenter     ? R.Left + 2 + R.Width() / 2 - content / 2
                                                 : R.Left + 2;
    if (FCheckedMode) {
        const int t = R.Top + R.Height() / 2 - 7;
        FrameColor(c, {5, t, 19, t + 14}, clBtnShadow);
        if (FChecked) DrawCheckMark(c.Handle(), 9, t + 3, clBtnText);
    }
    const int px = tx, py = R.Top + R.Height() / 2 - pic.H / 2;
    if (pic.FromList || pic.FromGlyph) tx += pic.W + FSpacing;
    c.Brush().Style = bsClear;
    c.TextRect(R, tx, ty, Caption());
    if (pic.FromList)
        FCaptionImageList->Draw(c, px, py, FCaptionImageIndex, Enabled());
    else if (pic.FromGlyph)
        DrawStripGlyph(c, px, py, FGlyph, !Enabled() && FNumGlyphs == 2 ? 2 : 1, FNumGlyphs);
    if (FRollUpMode)
        DrawArrowGlyph(c.Handle(), {R.Right, R.Top, R.Right + 10, R.Bottom}, clBtnText, FRollUpState ? 4 : 3);
}

void TskSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!Skinned()) Repaint();
}

void TskSkinPanel::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    if (!FRollUpState) {
        Realign();
        return;
    }
    // Only the rolled height follows the new skin: the children stay hidden and the alignment
    // stays off, so the roll-down turns it on again exactly once.
    if (FRealHeight != -1) SetHeight(RolledHeight());
}

// The caption bar alone: the skinned frame without its client area, or the plain caption bar.
int TskSkinPanel::RolledHeight() {
    GetSkinData();
    return Skinned() ? Height() - FFace.CurClientRect.Height() : FDefaultCaptionHeight + 1;
}

void TskSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if ((FRollUpMode || FCheckedMode) && FCaptionMode && Button == mbLeft) {
        const TPoint p{X, Y};
        const bool hit = Skinned() ? PointInRectIncl(FCaptionArea, p) || PointInRectIncl(FCheckImageArea, p)
                                   : PointInRectIncl({1, 1, Width() - 1, FDefaultCaptionHeight}, p);
        if (hit) {
            if (FCheckedMode) SetChecked(!FChecked);
            if (FRollUpMode) SetRollUpState(!FRollUpState);
        }
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinPanel::SetRollUpState(bool Value) {
    if (Value == FRollUpState) return;
    if (!FRollUpMode) {
        FRollUpState = false;
        return;
    }
    FRollUpState = Value;
    ApplyRollUp(Value);
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TskSkinPanel::ApplyRollUp(bool Up) {
    if (Up && FRealHeight == -1) {
        // Saved only when rolling up, so rolling down gives the user's constraints back.
        FSavedConstraints = Constraints();
        Constraints() = {};
        FRealHeight = Height();
        DisableAlign();
        FRolledHidden.clear();
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i)->Visible()) {
                FRolledHidden.push_back(Controls(i));
                Controls(i)->SetVisible(false);
            }
        SetHeight(RolledHeight());
    } else if (!Up && FRealHeight != -1) {
        SetHeight(FRealHeight);
        FRealHeight = -1;
        // Only the children that were visible at the roll-up come back.
        for (TControl* c : FRolledHidden)
            for (int i = 0; i < ControlCount(); ++i)
                if (Controls(i) == c) c->SetVisible(true);
        FRolledHidden.clear();
        EnableAlign();
        Constraints() = FSavedConstraints;
    }
}

void TskSkinPanel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        return;
    case CM_TEXTCHANGED:
        if (FCaptionMode) Repaint();
        return;
    default:
        TskSkinCustomControl::Dispatch(Message);
    }
}

} // namespace vd
