#include "skin/controls/SkinSpeedButton.h"

#include "platform/vcl/ActnList.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/WinControl.h"
#include "skin/controls/SkinActions.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinWindowRecords.h"

namespace vd {

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner) : TskSkinButtonBase(AOwner) {
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
    SetBounds(0, 0, 25, 25);
    SkinDataName = "toolbutton";
}

TskSkinSpeedButton::~TskSkinSpeedButton() {
    *FSelf = nullptr;
    FRepeat.Stop();
    FAnimation.Stop();
    FMorph.Stop();
}

void TskSkinSpeedButton::SetShowCaption(bool Value) {
    if (Value == FShowCaption) return;
    FShowCaption = Value;
    if (WidthWithCaption > 0 && WidthWithoutCaption > 0)
        SetWidth(Value ? WidthWithCaption : WidthWithoutCaption);
    else
        Repaint();
}

void TskSkinSpeedButton::SetImageIndex(int Value) {
    FImageIndex = Value;
    if (dynamic_cast<TskSkinToolBar*>(Parent())) Repaint();
}

void TskSkinSpeedButton::SetLayout(TskButtonLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Repaint();
}

void TskSkinSpeedButton::SetMargin(int Value) {
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Repaint();
}

void TskSkinSpeedButton::SetSpacing(int Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    Repaint();
}

void TskSkinSpeedButton::SetFlat(bool Value) {
    FFlat = Value;
    SetTransparent(Value);
    Repaint();
}

void TskSkinSpeedButton::SetTransparent(bool Value) {
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Repaint();
}

void TskSkinSpeedButton::SetSkinImagesMenu(TskImagesMenuLink* Value) {
    FSkinImagesMenu = Value;
    if (Value) Value->OnInternalChange = ImagesMenuCallback([this] { ImagesMenuChanged(); });
    Repaint();
}

TNotifyEvent TskSkinSpeedButton::ImagesMenuCallback(std::function<void()> Handler) {
    return [self = FSelf, handler = std::move(Handler)](TObject*) {
        if (*self) handler();
    };
}

bool TskSkinSpeedButton::EffectsEnabled() const {
    return FSkinData && !FSkinData->Empty() && FSkinData->EnableSkinEffects;
}

void TskSkinSpeedButton::ActionChange(TBasicAction* Sender) {
    TskSkinButtonBase::ActionChange(Sender);
    // The graphic button has no csSetCaption, so the caption is taken here.
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) SetCaption(a->Caption());
    if (TakeActionGlyph(Sender, FGlyph)) Repaint();
}

namespace {

TRect Or(const TRect& r, const TRect& fallback) {
    return IsEmptySkinRect(r) ? fallback : r;
}

} // namespace

void TskSkinSpeedButton::GetSkinData() {
    TskSkinButtonBase::GetSkinData();
    if (FSkinIndex == -1) {
        activeskinrect = {};
        return;
    }
    auto* r = dynamic_cast<TskDataSkinButtonControl*>(SkinRecord());
    if (!r) return;
    ReadButtonRecord(*r);
    morphing = morphing && !Transparent();
    menumarkerrect = r->menumarkerrect;
    menumarkeractiverect = Or(r->menumarkeractiverect, menumarkerrect);
    menumarkerdownrect = Or(r->menumarkerdownrect, menumarkeractiverect);
    menumarkerflatrect = Or(r->menumarkerflatrect, menumarkerrect);
    menumarkertransparentcolor = r->menumarkertransparentcolor;
    if (EffectsEnabled()) ShowAnimationFrame(FAnimation, FFace.skinrect);
}

void TskSkinSpeedButton::ChangeSkinData() {
    FAnimation.Stop();
    FMorph.Reset();
    TskSkinButtonBase::ChangeSkinData();
    if (CanMorph() && Skinned() && FHot && !Transparent()) FMorph.SetFactor(1.0);
}

void TskSkinSpeedButton::DrawContent(TCanvas& c, const TRect& R, bool Pressed, bool IsDown, bool IsActive,
                                     bool HotList) {
    String caption = FShowCaption ? Caption() : String();
    if (FSkinImagesMenu && UseImagesMenuImage) {
        if (const TskImagesMenuItem* item = FSkinImagesMenu->GetSelectedItem()) {
            if (UseImagesMenuCaption) caption = item->Caption;
            DrawImageAndText(c, R, FMargin, FSpacing, FLayout, caption, item->ImageIndex,
                             FSkinImagesMenu->Images, Pressed, Enabled());
            return;
        }
    }
    auto* bar = dynamic_cast<TskSkinToolBar*>(Parent());
    if (FGlyph.Empty() && bar) {
        if (Enabled() || !bar->DisabledImages()) {
            TCustomImageList* list = HotList && bar->HotImages() ? bar->HotImages() : bar->Images();
            DrawImageAndText(c, R, FMargin, FSpacing, FLayout, caption, FImageIndex, list, Pressed,
                             Enabled());
        } else {
            DrawImageAndText(c, R, FMargin, FSpacing, FLayout, caption, FImageIndex, bar->DisabledImages(),
                             Pressed, true);
        }
        return;
    }
    if (FGlyph.Empty() && FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count()) {
        DrawImageAndText(c, R, FMargin, FSpacing, FLayout, caption, FImageIndex, FImageList, Pressed,
                         Enabled());
        return;
    }
    DrawGlyphAndText(c, R, FMargin, FSpacing, FLayout, caption, &FGlyph, FNumGlyphs,
                     GlyphFrame(IsDown, IsActive), Pressed);
}

void TskSkinSpeedButton::CreateButtonImage(TBitmap& Bitmap, const TRect& SourceRect, bool IsDown,
                                           bool IsActive) {
    const TRect content = DrawButtonFace(Bitmap, SourceRect, IsDown, IsActive);
    DrawContent(Bitmap.Canvas(), content, IsDown && IsActive, IsDown, IsActive, IsActive || IsDown);
}

void TskSkinSpeedButton::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    TCanvas& c = Canvas();
    if (FSkinIndex == -1) {
        if (DownLook() || FHot || !Transparent()) {
            TskSkinButtonBase::Paint();
            return;
        }
        SetPlainFont(c.Font());
        DrawContent(c, ClientRect(), false, false, false, false);
        return;
    }
    if (CanMorph() && FMorph.Between() && !Transparent()) {
        PaintMorph();
        return;
    }
    TBitmap b(Width(), Height());
    if (DownLook()) {
        CreateButtonImage(b, downskinrect, true, true);
    } else if (FHot || (CanMorph() && FMorph.Factor() == 1.0)) {
        CreateButtonImage(b, activeskinrect, false, true);
    } else if (Transparent()) {
        if (FUseSkinFont) {
            c.Font().SetName(fontname);
            c.Font().SetStyle(fontstyle);
            c.Font().SetHeight(fontheight);
        } else {
            c.Font().Assign(FDefaultFont);
        }
        c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
        const TskSkinColors& colors = FSkinData->SkinColors();
        c.Font().SetColor(!Enabled()         ? colors.cbtnshadow
                          : UseSkinFontColor ? colors.cbtntext
                                             : FDefaultFont.Color());
        DrawContent(c, FFace.CurClientRect, false, false, false, false);
        return;
    } else if (!Enabled() && !IsEmptySkinRect(disabledskinrect)) {
        CreateButtonImage(b, disabledskinrect, false, false);
    } else {
        CreateButtonImage(b, FFace.skinrect, false, false);
    }
    c.Draw(0, 0, &b);
}

void TskSkinSpeedButton::CreateControlDefaultImage(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    const TRect r{0, 0, Bitmap.Width(), Bitmap.Height()};
    const bool downLook = DownLook();
    if (downLook)
        FrameAndFill(c, r, clskNavy, clskPressedFill);
    else if (FHot)
        FrameAndFill(c, r, clskNavy, clskHotFill);
    else if (Designing() || !FFlat)
        FrameAndFill(c, r, clBtnShadow, clBtnFace);
    else if (!Transparent())
        FillColor(c, r, clBtnFace);
    SetPlainFont(c.Font());
    const bool hasGlyph = !FGlyph.Empty();
    const bool pressed = hasGlyph ? downLook : FDown && FHot;
    DrawContent(c, r, pressed, FDown, FHot, FHot || FDown);
}

void TskSkinSpeedButton::ChangeState() {
    if (!CanMorph() || !Skinned() || Transparent())
        Repaint();
    else
        FMorph.Start();
}

bool TskSkinSpeedButton::CanAnimate() const {
    return Skinned() && EffectsEnabled() && !IsEmptySkinRect(animateskinrect);
}

bool TskSkinSpeedButton::FollowsHover() {
    if (!Enabled() || Designing()) return false;
    GetSkinData();
    return true;
}

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinButtonBase::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) Release();
}

void TskSkinSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(unsigned(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
            Parent()->Showing()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        TskSkinButtonBase::Dispatch(Message);
        return;
    default:
        TskSkinButtonBase::Dispatch(Message);
    }
}

void TskSkinSpeedButton::DrawMenuMarker(TCanvas& c, const TRect& R, bool IsActive, bool IsDown, bool IsFlat) {
    if (!FFace.SkinBitmap) return;
    const TRect src = IsDown     ? menumarkerdownrect
                      : IsActive ? menumarkeractiverect
                      : IsFlat   ? menumarkerflatrect
                                 : menumarkerrect;
    if (IsEmptySkinRect(src)) return;
    DrawSkinPiece(c, R.Left + R.Width() / 2 - src.Width() / 2, R.Top + R.Height() / 2 - src.Height() / 2,
                  *FFace.SkinBitmap, src, true, menumarkertransparentcolor);
}

} // namespace vd
