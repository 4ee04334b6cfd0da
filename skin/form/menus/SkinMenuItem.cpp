#include "skin/form/menus/SkinMenuItem.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinPopupWindow.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinObjectRecords.h"

#include <algorithm>

namespace vd {

namespace {
constexpr TColor kPlainHotFill = 0xD2BDB6;
constexpr TColor kNavy = 0x800000;

TCustomImageList* ImagesOf(const TskSkinPopupWindow* level) {
    return dynamic_cast<TCustomImageList*>(level->Images());
}

void SubmenuArrow(TCanvas& c, int x, int y, TColor color) {
    c.Pen().Color = color;
    for (int i = 0; i <= 3; ++i) {
        c.MoveTo(x + i, y + i);
        c.LineTo(x + i, y + 8 - i); // the end point is not drawn: the line reaches Y + 7 - i
    }
}
} // namespace

TskSkinMenuItem::TskSkinMenuItem(TskSkinPopupWindow* ALevel, const TskDataSkinMenuItem* Record,
                                 TMenuItem* AMenuItem)
    : Level(ALevel), MenuItem(ALevel), FRecord(Record) {
    MenuItem = AMenuItem;
    if (!FRecord) return;
    FSkinRect = FRecord->skinrect;
    FActiveSkinRect = FRecord->activeskinrect;
    if (TskSkinData* skin = Level->Skin()) FPicture = skin->ActivePicture(FRecord->activepictureindex);
    if (!FPicture) FSkinRect = FActiveSkinRect = {};
}

bool TskSkinMenuItem::IsSeparator() const {
    return MenuItem && MenuItem->IsLine();
}

bool TskSkinMenuItem::IsEnabled() const {
    return MenuItem && MenuItem->Enabled;
}

bool TskSkinMenuItem::HasChildren() const {
    return MenuItem && MenuItem->Count() > 0;
}

bool TskSkinMenuItem::HasImage() const {
    if (!MenuItem) return false;
    if (!MenuItem->Bitmap().Empty()) return true;
    TCustomImageList* images = ImagesOf(Level);
    return images && MenuItem->ImageIndex >= 0 && MenuItem->ImageIndex < images->Count();
}

bool TskSkinMenuItem::CanMorph() const {
    const TskSkinData* skin = Level->Skin();
    return FRecord && FRecord->morphing && skin && skin->EnableSkinEffects && !skin->Empty() && FPicture;
}

bool TskSkinMenuItem::CanAnimate() const {
    const TskSkinData* skin = Level->Skin();
    return FRecord && !IsEmptySkinRect(FRecord->animateskinrect) && FRecord->framecount > 0 && skin &&
           skin->EnableSkinEffects && !skin->Empty() && FPicture;
}

bool TskSkinMenuItem::IsMorphing() {
    if (!Shown) {
        if (MorphFactor != 0) {
            Hot = Down = false;
            MorphFactor = 0;
        }
        return false;
    }
    return ((Hot || Down) && MorphFactor < 1) || (!Hot && !Down && MorphFactor > 0);
}

void TskSkinMenuItem::MorphStep() {
    MorphFactor += (Hot || Down) ? 0.2 : -0.2;
    MorphFactor = std::clamp(MorphFactor, 0.0, 1.0);
    Level->RedrawItem(this);
}

void TskSkinMenuItem::StartEffect() {
    TTimer* timer = Level->EffectTimer();
    if (CanAnimate()) {
        const unsigned interval = static_cast<unsigned>(std::max(1, FRecord->animateinterval));
        if (timer->Interval() != interval) timer->SetInterval(interval);
        if (FRecord->inactiveanimation || Hot) {
            timer->SetEnabled(true);
        } else {
            AnimFrame = 0;
            Level->RedrawItem(this);
        }
    } else if (CanMorph()) {
        if (timer->Interval() != 20) timer->SetInterval(20);
        timer->SetEnabled(true);
    } else {
        Level->RedrawItem(this);
    }
}

void TskSkinMenuItem::Enter(bool KeySel) {
    Hot = true;
    if (CanAnimate()) AnimFrame = 0;
    for (int i = 0; i < Level->ItemCount(); ++i) {
        TskSkinMenuItem* other = Level->Item(i);
        if (other != this && other->Down) {
            other->Down = false;
            Level->RedrawItem(other);
        }
    }
    TskSkinMenu* menu = Level->Menu();
    if (KeySelected && !KeySel) {
        Level->RedrawItem(this);
    } else if (Down) {
        const int next = menu->IndexOfLevel(Level) + 1;
        if (next + 1 < menu->LevelCount()) menu->Level(next)->CollapseSubLevels();
    } else {
        Level->RedrawItem(this);
        menu->ItemClick(Level, this, false, KeySel);
    }
    if (MenuItem && Level->Hint() != MenuItem->Hint) Level->SetHint(MenuItem->Hint);
    StartEffect();
}

void TskSkinMenuItem::Leave() {
    Hot = false;
    if (CanAnimate()) AnimFrame = FRecord->framecount + 1;
    KeySelected = false;
    if (!Down) Level->RedrawItem(this);
    TskSkinMenu* menu = Level->Menu();
    if (menu->PendingItem() == this) {
        menu->SubmenuTimer()->SetEnabled(false);
        menu->SetPendingItem(nullptr);
    }
    StartEffect();
}

void TskSkinMenuItem::Click() {
    KeySelected = false;
    if (!Down && IsEnabled()) Level->Menu()->ItemClick(Level, this, true, false);
}

TRect TskSkinMenuItem::AnimationFrameRect(int K) const {
    const TRect ar = FRecord->animateskinrect;
    const int n = std::max(1, FRecord->framecount);
    if (HeightOfRect(ar) > HeightOfRect(FRecord->skinrect)) {
        const int s = HeightOfRect(ar) / n;
        return {ar.Left, ar.Top + s * (K - 1), ar.Right, ar.Top + s * K};
    }
    const int s = WidthOfRect(ar) / n;
    return {ar.Left + s * (K - 1), ar.Top, ar.Left + s * K, ar.Bottom};
}

void TskSkinMenuItem::Draw(TCanvas& Canvas) {
    if (!Shown || !MenuItem) return;
    const int w = WidthOfRect(ItemRect), h = HeightOfRect(ItemRect);
    if (w <= 0 || h <= 0) return;
    if (!FRecord) {
        DrawPlain(Canvas);
        return;
    }
    if (IsSeparator()) {
        TskBitmap b;
        if (FPicture)
            ComposeHorzSkinPicture(FRecord->dividerleftoffset, FRecord->dividerrightoffset, b,
                                   FRecord->dividerstretcheffect, w, FRecord->dividerrect, *FPicture);
        if (!b.Empty()) DrawSkin(Canvas, ItemRect.Left, ItemRect.Top, b);
        return;
    }
    const bool hot = Hot || Down;
    TBitmap out;
    if (CanAnimate() && AnimFrame >= 1 && AnimFrame <= FRecord->framecount) {
        DrawSkinned(out, hot, AnimFrame);
    } else if (!CanMorph() || (hot && MorphFactor >= 1) || (!hot && MorphFactor <= 0)) {
        DrawSkinned(out, hot, 0);
    } else {
        TBitmap second;
        DrawSkinned(out, false, 0);
        DrawSkinned(second, true, 0);
        TskEffectBmp a = TskEffectBmp::CreateFromBitmapHandle(out.Handle());
        const TskEffectBmp b = TskEffectBmp::CreateFromBitmapHandle(second.Handle());
        a.MorphByKind(static_cast<int>(FRecord->morphkind), b, MorphFactor);
        DrawEffectBmp(Canvas.Handle(), ItemRect.Left, ItemRect.Top, a);
        return;
    }
    Canvas.Draw(ItemRect.Left, ItemRect.Top, &out);
}

void TskSkinMenuItem::DrawSkinned(TBitmap& Out, bool HotLook, int Frame) {
    const TskDataSkinMenuItem& r = *FRecord;
    const int w = WidthOfRect(ItemRect);
    TRect src = HotLook ? FActiveSkinRect : FSkinRect;
    bool stretch = HotLook ? r.stretcheffect : r.inactivestretcheffect;
    if (Frame > 0) {
        src = AnimationFrameRect(Frame);
        if (!HotLook && !r.inactivestretcheffect && r.stretcheffect) stretch = true;
    }
    TskBitmap face;
    if (FPicture)
        ComposeHorzSkinPicture(r.itemleftoffset, r.itemrightoffset, face, stretch, w, src, *FPicture);
    Out.SetSize(w, std::max(HeightOfRect(ItemRect), face.Height()));
    TCanvas& c = Out.Canvas();
    if (!face.Empty()) DrawSkin(c, 0, 0, face);
    int g = ImagesOf(Level) ? Level->GlyphColumnWidth() : 16;
    if (!IsEmptySkinRect(r.imagerect)) g = 0;
    TRect tr = r.textrect;
    tr.Right = w - (WidthOfRect(FSkinRect) - r.textrect.Right);
    c.Brush().Style = bsClear;
    Level->SelectItemFont(c);
    TColor color = HotLook       ? TColor(r.activefontcolor)
                   : IsEnabled() ? TColor(r.fontcolor)
                                 : TColor(r.unenabledfontcolor);
    c.Font().SetColor(color);
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(this, &c, tr, HotLook);
        return;
    }
    DrawCaption(c, tr, g, 16);
    if (HasChildren()) SubmenuArrow(c, tr.Right - 7, tr.Top + HeightOfRect(tr) / 2 - 4, color);
    if (r.useimagecolor) color = HotLook ? TColor(r.activeimagecolor) : TColor(r.imagecolor);
    DrawImageOrMark(c, tr, color, false);
}

// Caption, then the shortcut right-aligned before the reserve at the right.
void TskSkinMenuItem::DrawCaption(TCanvas& C, const TRect& TR, int G, int Reserve) const {
    const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    TRect t{TR.Left + G, 0, TR.Right - Reserve, 0};
    C.DrawText(MenuItem->Caption(), t, flags | DT_CALCRECT);
    const int dy = TR.Top + HeightOfRect(TR) / 2 - t.Bottom / 2;
    t = {t.Left, t.Top + dy, t.Right + 2, t.Bottom + dy};
    C.DrawText(MenuItem->Caption(), t, flags);
    if (MenuItem->ShortCut == 0) return;
    const String sc = ShortCutToText(MenuItem->ShortCut);
    TRect m{0, 0, 0, 0};
    C.DrawText(sc, m, flags | DT_CALCRECT | DT_NOPREFIX);
    TRect s{TR.Right - m.Width() - Reserve, t.Top, TR.Right - Reserve, t.Bottom};
    C.DrawText(sc, s, flags | DT_NOPREFIX);
}

void TskSkinMenuItem::DrawImageOrMark(TCanvas& C, const TRect& TR, TColor Color, bool Plain) const {
    const bool useImageRect = !Plain && FRecord && !IsEmptySkinRect(FRecord->imagerect);
    const int mid = TR.Top + HeightOfRect(TR) / 2;
    if (HasImage()) {
        TCustomImageList* images = ImagesOf(Level);
        const bool fromList = MenuItem->Bitmap().Empty();
        const int iw = fromList ? images->Width() : MenuItem->Bitmap().Width();
        const int ih = fromList ? images->Height() : MenuItem->Bitmap().Height();
        int x = TR.Left + 2, y = mid - ih / 2;
        if (useImageRect) {
            const TRect ir = FRecord->imagerect;
            x = ir.Left + WidthOfRect(ir) / 2 - iw / 2;
            y = ir.Top + HeightOfRect(ir) / 2 - ih / 2;
        }
        if (MenuItem->Checked) {
            C.Brush().Style = bsClear;
            C.Pen().Color = Color;
            C.Rectangle(x - 1, y - 1, x + iw + 1, y + ih + 1);
        }
        if (fromList)
            images->Draw(C, x, y, MenuItem->ImageIndex, MenuItem->Enabled);
        else
            C.Draw(x, y, &MenuItem->Bitmap());
        return;
    }
    TPoint p{TR.Left + 2, mid - 4};
    if (useImageRect) {
        const TRect ir = FRecord->imagerect;
        p = {ir.Left + WidthOfRect(ir) / 2 - 4, ir.Top + HeightOfRect(ir) / 2 - 4};
    }
    const TskColor rgb = static_cast<TskColor>(ColorToRGB(Color));
    HDC dc = C.Handle();
    const String& name = MenuItem->Name();
    if (name == "SKF_CLOSE" || name == "TRAY_SKF_CLOSE")
        DrawCloseGlyph(dc, p.X, p.Y, rgb);
    else if (name == "SKF_MINITEM")
        DrawMinimizeGlyph(dc, p.X, p.Y, rgb);
    else if (name == "SKF_MAXITEM")
        DrawMaximizeGlyph(dc, p.X, p.Y, rgb);
    else if (name == "SKF_RESTORE" || name == "TRAY_SKF_RESTORE")
        DrawRestoreGlyph(dc, p.X, p.Y, rgb);
    else if (name == "SKF_ROLLUP")
        DrawUpArrowGlyph(dc, p.X, p.Y, rgb);
    else if (name == "SKF_MINTOTRAY")
        DrawSquareGlyph(dc, p.X, p.Y, rgb);
    else if (MenuItem->Checked) {
        if (Plain) p = {TR.Left + 3, MenuItem->RadioItem ? mid - 3 : mid - 4};
        if (MenuItem->RadioItem)
            DrawRadioMark(dc, p.X, p.Y + (Plain ? 0 : 1), rgb);
        else
            DrawCheckMark(dc, p.X, p.Y, rgb);
    }
}

void TskSkinMenuItem::DrawPlain(TCanvas& Canvas) {
    const int w = WidthOfRect(ItemRect), h = HeightOfRect(ItemRect);
    TBitmap out(w, h);
    TCanvas& c = out.Canvas();
    const int g = ImagesOf(Level) ? Level->GlyphColumnWidth() : 19;
    const bool hot = (Hot || Down) && !IsSeparator();
    TColor color = clWindowText;
    if (hot) {
        FrameAndFill(c, {0, 0, w, h}, kNavy, kPlainHotFill);
    } else {
        FillColor(c, {0, 0, g, h}, clBtnFace);
        FillColor(c, {g, 0, w, h}, clWindow);
        if (!IsEnabled()) color = clBtnShadow;
    }
    if (IsSeparator()) {
        FillColor(c, {g, h / 2, w, h / 2 + 1}, clBtnShadow);
        Canvas.Draw(ItemRect.Left, ItemRect.Top, &out);
        return;
    }
    Level->SelectDefaultFont(c);
    c.Font().SetColor(color);
    c.Brush().Style = bsClear;
    const TRect tr{2, 2, w - 2, h - 2};
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(this, &c, tr, hot);
    } else {
        DrawCaption(c, tr, g, 19);
        if (HasChildren()) SubmenuArrow(c, tr.Right - 7, tr.Top + HeightOfRect(tr) / 2 - 4, color);
        DrawImageOrMark(c, tr, color, true);
    }
    Canvas.Draw(ItemRect.Left, ItemRect.Top, &out);
}

} // namespace vd
