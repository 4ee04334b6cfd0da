#include "skin/boxes/SkinTabs.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/boxes/BoxPaint.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/boxes/SkinUpDown.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinReskin.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinParentBackground.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>

namespace vd {

namespace {

// Transparent controls on a skinned sheet or tab control see the skinned background.
void RegisterBackgroundPainter() {
    static const bool done = [] {
        AddParentBackgroundPainter([](TWinControl* parent, HDC dc) {
            if (auto* sheet = dynamic_cast<TskSkinCustomTabSheet*>(parent)) {
                sheet->PaintBackground(dc);
                return true;
            }
            if (auto* tabs = dynamic_cast<TskSkinTabControl*>(parent)) {
                tabs->PaintBackground(dc);
                return true;
            }
            return false;
        });
        return true;
    }();
    (void)done;
}

// Page and tab controls take a loaded skin with the other controls of their form.
void RegisterReskin() {
    static const bool done = [] {
        RegisterReskinHandler(ChangeSkinDataHandler<TskSkinPageControl>());
        RegisterReskinHandler(ChangeSkinDataHandler<TskSkinTabControl>());
        return true;
    }();
    (void)done;
}

TRect Deflate(const TRect& r, int l, int t, int rr, int b) {
    return {r.Left + l, r.Top + t, r.Right - rr, r.Bottom - b};
}

void TileBitmap(TCanvas& c, int w, int h, const TskBitmap& tile) {
    if (tile.Empty()) return;
    for (int x = 0; x < w; x += tile.Width())
        for (int y = 0; y < h; y += tile.Height())
            DrawSkin(c, x, y, tile);
}

} // namespace

void TskTabSkin::Load(const TskSkinData* skin, const String& name) {
    Index = -1;
    Picture = Background = nullptr;
    if (!SkinUsable(skin)) return;
    const int i = skin->IndexOfControlRecord(name);
    auto* r = i >= 0 ? dynamic_cast<const TskDataSkinTabControl*>(skin->ControlRecord(i)) : nullptr;
    if (!r || !skin->ActivePicture(r->pictureindex)) return;
    Index = i;
    Picture = skin->ActivePicture(r->pictureindex);
    Background = skin->ActivePicture(r->bgpictureindex);
    skinrect = r->skinrect;
    clientrect = r->clientrect;
    tabrect = r->tabrect;
    activetabrect = IsEmptySkinRect(r->activetabrect) ? r->tabrect : r->activetabrect;
    focustabrect = IsEmptySkinRect(r->focustabrect) ? r->activetabrect : r->focustabrect;
    mouseintabrect = r->mouseintabrect;
    tabsbgrect = r->tabsbgrect;
    lefttoppoint = r->lefttoppoint;
    righttoppoint = r->righttoppoint;
    leftbottompoint = r->leftbottompoint;
    rightbottompoint = r->rightbottompoint;
    tableftoffset = r->tableftoffset;
    tabrightoffset = r->tabrightoffset;
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    fontcolor = SkinColorToColor(r->fontcolor);
    activefontcolor = SkinColorToColor(r->activefontcolor);
    focusfontcolor = SkinColorToColor(r->focusfontcolor);
    mouseinfontcolor = SkinColorToColor(r->mouseinfontcolor);
    updown = r->updown;
    tabstretcheffect = r->tabstretcheffect;
    showfocus = r->showfocus;
    focusoffsetx = r->focusoffsetx;
    focusoffsety = r->focusoffsety;
    leftstretch = r->leftstretch;
    topstretch = r->topstretch;
    rightstretch = r->rightstretch;
    bottomstretch = r->bottomstretch;
}

TRect TskTabSkin::ClientPiece() const {
    return {skinrect.Left + clientrect.Left, skinrect.Top + clientrect.Top, skinrect.Left + clientrect.Right,
            skinrect.Top + clientrect.Bottom};
}

void PaintTabBackground(HDC DC, int W, int H, const TskTabSkin& Skin, const TBitmap* Wallpaper) {
    if (W < 1 || H < 1) return;
    TCanvas c;
    c.SetHandle(DC);
    const TRect all{0, 0, W, H};
    if (Wallpaper && !Wallpaper->Empty()) {
        TskBitmap tile = SkinBitmapFromHandle(Wallpaper->Handle());
        TileBitmap(c, W, H, tile);
    } else if (Skin.Skinned() && Skin.Background) {
        TileBitmap(c, W, H, *Skin.Background);
    } else if (!Skin.Skinned() || !TileSkinPiece(c, all, *Skin.Picture, Skin.ClientPiece())) {
        // No skin, or an empty client piece that cannot be tiled.
        FillColor(c, all, clBtnFace);
    }
    c.SetHandle(nullptr);
}

// The shared base.

template <class Base> TskSkinTabsBase<Base>::TskSkinTabsBase(TComponent* AOwner) : Base(AOwner) {
    RegisterBackgroundPainter();
    RegisterReskin();
    for (TFont* f : {&FDefaultFont, &this->FFont}) {
        SetDefaultFace(*f);
        f->SetColor(clBtnText);
    }
    ApplyItemHeight();
}

template <class Base> TskSkinTabsBase<Base>::~TskSkinTabsBase() {
    this->Destroying();
}

template <class Base> void TskSkinTabsBase<Base>::Notification(TComponent* AComponent, TOperation Operation) {
    Base::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FScroller) FScroller = nullptr;
}

template <class Base> void TskSkinTabsBase<Base>::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
    if (Value && !Value->Empty() && !(this->ComponentState() & csDesigning)) ChangeSkinData();
}

template <class Base> void TskSkinTabsBase<Base>::GetSkinData() {
    FSkin.Load(FSkinData, FSkinDataName);
}

template <class Base> void TskSkinTabsBase<Base>::ApplyItemHeight() {
    const int h = ItemHeightWanted > 0 ? ItemHeightWanted
                  : FSkin.Skinned()    ? std::max(1, FSkin.tabrect.Height())
                                       : FDefaultItemHeight;
    if (this->TabHeight() != h) this->SetTabHeight(h);
}

template <class Base> void TskSkinTabsBase<Base>::SetTabsBGTransparent(bool Value) {
    if (Value == FTabsBGTransparent) return;
    FTabsBGTransparent = Value;
    this->Invalidate();
}

template <class Base> void TskSkinTabsBase<Base>::SetDefaultItemHeight(int Value) {
    FDefaultItemHeight = Value;
    GetSkinData();
    if (!FSkin.Skinned()) {
        ApplyItemHeight();
        if (FScroller) FScroller->SetPosition(FirstVisibleTab());
        this->Realign();
    }
}

template <class Base> void TskSkinTabsBase<Base>::ChangeSkinData() {
    GetSkinData();
    TFont& f = this->FFont;
    if (!FSkin.Skinned()) {
        f.Assign(FDefaultFont);
    } else {
        f.SetColor(FSkin.fontcolor);
        if (UseSkinFont) {
            f.SetName(FSkin.fontname);
            f.SetHeight(FSkin.fontheight);
            f.SetStyle(FSkin.fontstyle);
        } else {
            f.Assign(FDefaultFont);
        }
    }
    f.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    ApplyItemHeight();
    this->Invalidate();
    this->Realign();
    if (FScroller) {
        TskSkinUpDown* old = FScroller;
        FScroller = nullptr;
        old->Free();
    }
    UpdateTabScroller();
}

template <class Base> void TskSkinTabsBase<Base>::Loaded() {
    Base::Loaded();
    GetSkinData();
    if (!FSkin.Skinned()) {
        ApplyItemHeight();
        this->Realign();
    }
}

template <class Base> bool TskSkinTabsBase<Base>::HasFocus() const {
    return this->HandleAllocated() && this->Focused();
}

// The display area: the frame below (beside) the tab row, less the skin's client insets (one
// pixel of frame line in the plain look).
template <class Base> TRect TskSkinTabsBase<Base>::DisplayRect() {
    const TRect c = this->ClientRect();
    if (this->TabCount() == 0) return c;
    GetSkinData();
    const int row = std::max(0, this->RowThickness() - 2);
    TRect fr = c;
    switch (this->TabPosition()) {
    case tpTop:
        fr.Top = row;
        break;
    case tpBottom:
        fr.Bottom = c.Bottom - row;
        break;
    case tpLeft:
        fr.Left = row;
        break;
    case tpRight:
        fr.Right = c.Right - row;
        break;
    }
    if (!FSkin.Skinned()) return Deflate(fr, 1, 1, 1, 1);
    if (!BackgroundInsets()) return fr;
    return Deflate(fr, FSkin.clientrect.Left, FSkin.clientrect.Top, FSkin.RightInset(), FSkin.BottomInset());
}

template <class Base> TRect TskSkinTabsBase<Base>::FrameRect() {
    const TRect d = DisplayRect();
    if (!FSkin.Skinned()) return {d.Left - 1, d.Top - 1, d.Right + 1, d.Bottom + 1};
    if (!BackgroundInsets()) return d;
    return {d.Left - FSkin.clientrect.Left, d.Top - FSkin.clientrect.Top, d.Right + FSkin.RightInset(),
            d.Bottom + FSkin.BottomInset()};
}

// Tab scroller.

template <class Base> int TskSkinTabsBase<Base>::HiddenTabCount() {
    const int limit = this->Width() - 3 - (FScroller ? FScroller->Width() : 0);
    const bool vert = this->TabPosition() == tpLeft || this->TabPosition() == tpRight;
    const int lim = vert ? this->Height() - 3 - (FScroller ? FScroller->Height() : 0) : limit;
    int n = 0;
    for (int i = 0; i < this->TabCount(); ++i) {
        const TRect r = this->TabRect(i);
        const int end = vert ? r.Bottom : r.Right;
        if (end > lim || end <= 0) ++n;
    }
    return n;
}

template <class Base> int TskSkinTabsBase<Base>::FirstVisibleTab() {
    int n = 0;
    const bool vert = this->TabPosition() == tpLeft || this->TabPosition() == tpRight;
    for (int i = 0; i < this->TabCount(); ++i) {
        const TRect r = this->TabRect(i);
        if ((vert ? r.Bottom : r.Right) <= 0) ++n;
    }
    return n;
}

template <class Base> void TskSkinTabsBase<Base>::UpdateTabScroller() {
    if (this->ComponentState() & csDesigning) return;
    // Wide enough again for every tab: the row scrolls back to the first one.
    if (this->FirstVisible() > 0 && this->TabCount() > 0) {
        const bool vert = this->TabPosition() == tpLeft || this->TabPosition() == tpRight;
        const TRect first = this->TabRect(0), last = this->TabRect(this->TabCount() - 1);
        const int span = vert ? last.Bottom - first.Top : last.Right - first.Left;
        if (span <= (vert ? this->Height() : this->Width()) - 3) this->SetFirstVisible(0);
    }
    const int n = HiddenTabCount();
    if (n == 0 && FScroller) {
        TskSkinUpDown* old = FScroller;
        FScroller = nullptr;
        old->Free();
    } else if (n > 0 && !FScroller) {
        auto* s = new TskSkinUpDown(this);
        FScroller = s;
        const TSize size = ScrollerSize();
        s->SetBounds(0, 0, size.cx, size.cy);
        s->SetMin(0);
        s->SetMax(n);
        s->SetPosition(FirstVisibleTab());
        s->SetIncrement(1);
        s->OnChange = [this](TObject*) {
            if (!FScroller) return;
            FScroller->SetMax(HiddenTabCount());
            this->Perform(WM_HSCROLL, MakeScrollWParam(SB_THUMBPOSITION, FScroller->Position()), 0);
        };
        GetSkinData();
        s->SetSkinDataName(FSkin.Skinned() ? FSkin.updown : String());
        s->SetParent(this);
        s->SetSkinData(FSkinData);
        s->SetVisible(true);
    }
    if (FScroller) {
        FScroller->SetMax(std::max(n, FScroller->Position()));
        const int top = this->TabPosition() == tpTop ? 0 : this->Height() - FScroller->Height();
        FScroller->SetBounds(this->Width() - FScroller->Width(), top, FScroller->Width(),
                             FScroller->Height());
        FScroller->BringToFront();
    }
}

template <class Base> void TskSkinTabsBase<Base>::Change() {
    if (FScroller) FScroller->SetPosition(FirstVisibleTab());
    Base::Change();
    this->Invalidate();
}

// Hot tracking.

template <class Base> void TskSkinTabsBase<Base>::TestHotTab(int X, int Y) {
    if (this->ComponentState() & csDesigning) return;
    FOldHotTab = FHotTab;
    FHotTab = this->IndexOfTabAt(X, Y);
    if (FHotTab != FOldHotTab) RedrawHotTabs(FOldHotTab, FHotTab);
}

// Only the two tabs concerned are drawn again, straight onto the window; the selected tab keeps
// its look.
template <class Base> void TskSkinTabsBase<Base>::RedrawHotTabs(int Old, int New) {
    if (!this->HandleAllocated()) return;
    GetSkinData();
    HDC dc = GetDC(this->WindowHandle());
    if (!dc) return;
    TCanvas c;
    c.SetHandle(dc);
    const int count = this->TabCount(), active = this->TabIndex();
    if (Old != -1 && Old != active && Old < count) DrawTab(c, Old, this->TabRect(Old), false, false);
    if (New != -1 && New != active && New < count) DrawTab(c, New, this->TabRect(New), true, false);
    c.SetHandle(nullptr);
    ReleaseDC(this->WindowHandle(), dc);
}

template <class Base> void TskSkinTabsBase<Base>::MouseMove(TShiftState Shift, int X, int Y) {
    Base::MouseMove(Shift, X, Y);
    TestHotTab(X, Y);
}

template <class Base>
void TskSkinTabsBase<Base>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Base::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) TestHotTab(X, Y);
}

// Painting.

template <class Base>
void TskSkinTabsBase<Base>::DrawTab(TCanvas& Canvas, int Tab, TRect R, bool MouseIn, bool Active) {
    if (Tab < 0 || Tab >= this->TabCount()) return;
    const TTabPosition pos = this->TabPosition();
    const bool side = pos == tpLeft || pos == tpRight;
    const int w = side ? R.Height() : R.Width(), h = side ? R.Width() : R.Height();
    if (w <= 0 || h <= 0) return;
    const bool focused = HasFocus();
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    TFont& f = c.Font();
    f.Assign(this->FFont);
    f.SetCharset(SkinCharSet(FSkinData, this->FFont));
    if (!FSkin.Skinned()) {
        if (MouseIn && !Active)
            FillColor(c, {0, 0, w, h}, clskHotFill);
        else if (Active && focused)
            FrameAndFill(c, {0, 0, w, h}, clskNavy, clskPressedFill);
        else if (!Active)
            FillColor(c, {0, 0, w, h}, clBtnFace);
        else
            FrameAndFill(c, {0, 0, w, h}, clskNavy, clskHotFill);
    } else {
        FillColor(c, {0, 0, w, h}, clBtnFace);
        const TRect piece = (MouseIn && !Active && !IsEmptySkinRect(FSkin.mouseintabrect))
                                ? FSkin.mouseintabrect
                            : (Active && focused) ? FSkin.focustabrect
                            : Active              ? FSkin.activetabrect
                                                  : FSkin.tabrect;
        if (!IsEmptySkinRect(piece)) {
            TskBitmap face;
            ComposeHorzSkinPicture(FSkin.tableftoffset, FSkin.tabrightoffset, face, FSkin.tabstretcheffect, w,
                                   piece, *FSkin.Picture);
            if (pos == tpBottom) {
                // Bottom tabs: the picture mirrored top to bottom, the caption upright.
                TskEffectBmp e = TskEffectBmp::CreateFromBitmap(face);
                TskEffectBmp m = TskEffectBmp::CreateSize(e.Width(), e.Height());
                e.CopyFlippedVert(m);
                face = m.ToBitmap();
            }
            if (ItemHeightWanted > 0)
                StretchSkinPiece(c, {0, 0, w, h}, face, {0, 0, face.Width(), face.Height()});
            else
                DrawSkin(c, 0, pos == tpBottom ? h - face.Height() : 0, face);
        }
        f.SetColor((MouseIn && !Active)  ? FSkin.mouseinfontcolor
                   : (Active && focused) ? FSkin.focusfontcolor
                   : Active              ? FSkin.activefontcolor
                                         : FSkin.fontcolor);
        if (FSkin.showfocus && focused && Active) {
            c.Brush().Style = bsSolid;
            c.Brush().Color = SkinColorToColor(FSkinData->SkinColors().cbtnface);
            c.DrawFocusRect(
                {FSkin.focusoffsetx, FSkin.focusoffsety, w - FSkin.focusoffsetx, h - FSkin.focusoffsety});
        }
    }
    c.Brush().Style = bsClear;
    const String caption = this->Tabs().Strings(Tab);
    if (OnDrawSkinTab) {
        OnDrawSkinTab(Tab, {0, 0, w, h}, Active, MouseIn, &c);
    } else if (TCustomImageList* images = this->Images();
               images && TabImage(Tab) >= 0 && TabImage(Tab) < images->Count()) {
        TRect tr{0, 0, 0, 0};
        DrawTextUtf8(TextDC(c), caption, tr, DT_CALCRECT | DT_SINGLELINE);
        const int tw = tr.Width() + 2, th = tr.Height();
        const int x = w / 2 - (images->Width() + tw + 2) / 2;
        images->Draw(c, x, h / 2 - images->Height() / 2, TabImage(Tab), TabEnabled(Tab));
        TRect text{x + images->Width() + 2, h / 2 - th / 2, x + images->Width() + 2 + tw,
                   h / 2 - th / 2 + th};
        DrawTextUtf8(TextDC(c), caption, text, DT_CENTER | DT_SINGLELINE);
    } else {
        TRect text{0, 0, w, h};
        DrawTextUtf8(TextDC(c), caption, text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    if (!side) {
        Canvas.Draw(R.Left, R.Top, &b);
        return;
    }
    TskBitmap lying = SkinBitmapFromHandle(b.Handle());
    TskEffectBmp e = TskEffectBmp::CreateFromBitmap(lying);
    TskEffectBmp turned = TskEffectBmp::CreateSize(h, w);
    if (pos == tpLeft)
        e.CopyRotatedLeft(turned);
    else
        e.CopyRotatedRight(turned);
    DrawSkin(Canvas, R.Left, R.Top, turned.ToBitmap());
}

template <class Base> void TskSkinTabsBase<Base>::PaintTabs(TCanvas& Canvas) {
    const int count = this->TabCount();
    if (count == 0) return;
    const int active = this->TabIndex();
    if (!FSkin.Skinned()) {
        for (int i = 0; i < count; ++i)
            DrawTab(Canvas, i, this->TabRect(i), i == FHotTab, i == active);
        return;
    }
    const TRect fr = FrameRect();
    const int W = this->Width(), H = this->Height();
    TRect strip;
    switch (this->TabPosition()) {
    case tpTop:
        strip = {0, 0, W, fr.Top};
        break;
    case tpBottom:
        strip = {0, fr.Bottom, W, H};
        break;
    case tpLeft:
        strip = {0, 0, fr.Left, H};
        break;
    case tpRight:
        strip = {fr.Right, 0, W, H};
        break;
    }
    if (strip.Width() > 0 && strip.Height() > 0) {
        TBitmap b(strip.Width(), strip.Height());
        TCanvas& c = b.Canvas();
        const TRect local{0, 0, strip.Width(), strip.Height()};
        const TRect bg = IsEmptySkinRect(FSkin.tabsbgrect) ? FSkin.ClientPiece() : FSkin.tabsbgrect;
        if (FTabsBGTransparent) {
            PaintParentBackgroundRect(this, strip, c.Handle());
        } else if (!TileSkinPiece(c, local, *FSkin.Picture, bg)) {
            FillColor(c, local, clBtnFace);
        }
        for (int i = 0; i < count; ++i)
            DrawTab(c, i, MoveRect(this->TabRect(i), -strip.Left, -strip.Top), i == FHotTab, i == active);
        Canvas.Draw(strip.Left, strip.Top, &b);
    }
    if (active >= 0 && active < count) {
        TRect r = this->TabRect(active);
        const bool taller = FSkin.tabrect.Height() != FSkin.activetabrect.Height();
        if (taller && this->TabPosition() == tpBottom) r = MoveRect(r, 0, -1);
        if (taller && this->TabPosition() == tpRight) r = MoveRect(r, -1, 0);
        DrawTab(Canvas, active, r, active == FHotTab, true);
    }
}

template <class Base> void TskSkinTabsBase<Base>::PaintSkinFrame(TCanvas& Canvas) {
    const TRect fr = FrameRect();
    const int w = fr.Width(), h = fr.Height();
    if (w <= 0 || h <= 0) return;
    const int dx = w - FSkin.skinrect.Width(), dy = h - FSkin.skinrect.Height();
    TskSkinCorners old{FSkin.lefttoppoint, FSkin.righttoppoint, FSkin.leftbottompoint, FSkin.rightbottompoint,
                       FSkin.clientrect};
    TskSkinCorners neu = old;
    neu.RightTop.X += dx;
    neu.LeftBottom.Y += dy;
    neu.RightBottom.X += dx;
    neu.RightBottom.Y += dy;
    neu.Client.Right += dx;
    neu.Client.Bottom += dy;
    TskBitmap top, bottom, left, right;
    SplitSkinBorderPictures(old, neu, *FSkin.Picture, FSkin.skinrect, w, h, top, bottom, left, right,
                            {FSkin.leftstretch, FSkin.topstretch, FSkin.rightstretch, FSkin.bottomstretch});
    DrawSkin(Canvas, fr.Left, fr.Top, top);
    DrawSkin(Canvas, fr.Left, fr.Top + top.Height(), left);
    DrawSkin(Canvas, fr.Right - right.Width(), fr.Top + top.Height(), right);
    DrawSkin(Canvas, fr.Left, fr.Bottom - bottom.Height(), bottom);
}

template <class Base> void TskSkinTabsBase<Base>::PaintWindow(std::uintptr_t DC) {
    if (this->Width() <= 0 || this->Height() <= 0) return;
    GetSkinData();
    HDC dc = reinterpret_cast<HDC>(DC);
    SaveGuard save(dc);
    TCanvas c;
    c.SetHandle(dc);
    if (!FSkin.Skinned()) {
        FillColor(c, this->ClientRect(), clBtnFace);
        const TRect d = DisplayRect();
        FrameColor(c, {d.Left - 1, d.Top - 1, d.Right + 1, d.Bottom + 1}, clBtnShadow);
    } else {
        PaintClientArea(c, DisplayRect());
        if (BackgroundInsets()) PaintSkinFrame(c);
    }
    PaintTabs(c);
    c.SetHandle(nullptr);
}

template <class Base> void TskSkinTabsBase<Base>::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SIZE:
        GetSkinData();
        Base::Dispatch(Message);
        UpdateTabScroller();
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_HSCROLL:
        Base::Dispatch(Message);
        this->Invalidate();
        return;
    case CM_MOUSELEAVE:
        Base::Dispatch(Message);
        if (FHotTab != -1 || FOldHotTab != -1) {
            const int old = FOldHotTab, hot = FHotTab;
            FHotTab = FOldHotTab = -1;
            RedrawHotTabs(old, -1);
            RedrawHotTabs(hot, -1);
        }
        return;
    default:
        Base::Dispatch(Message);
    }
}

template <class Base> const TPropertyTable<TskSkinTabsBase<Base>>& TskSkinTabsBase<Base>::Properties() {
    using namespace props;
    using C = TskSkinTabsBase;
    static const TPropertyTable<C> table{
        {"Tabs", StringsFields("Tabs", &C::Tabs)},
        {"TabHeight",
         [](C& c, const TPropValue& v) {
             c.ItemHeightWanted = AsInt(v);
             c.ApplyItemHeight();
         }},
        {"DefaultItemHeight", Call(&C::SetDefaultItemHeight, AsInt)},
        {"TabsBGTransparent", Call(&C::SetTabsBGTransparent, AsBool)},
        {"UseSkinFont", Store(&C::UseSkinFont, AsBool)},
        {"SkinDataName", Store(&C::FSkinDataName, AsText)},
        {"SkinData", Link<TskSkinData>(&C::SetSkinData)},
    };
    return table;
}

template <class Base> bool TskSkinTabsBase<Base>::SetProperty(const String& name, const TPropValue& v) {
    return Properties().Set(*this, name, v) || Base::SetProperty(name, v);
}

template <class Base>
bool TskSkinTabsBase<Base>::SetComponentProperty(const String& name, TComponent* value) {
    return Properties().SetComponent(*this, name, value) || Base::SetComponentProperty(name, value);
}

template class TskSkinTabsBase<TPageControl>;
template class TskSkinTabsBase<TTabControl>;

// Sheets.

TskSkinCustomTabSheet::TskSkinCustomTabSheet(TComponent* AOwner) : TTabSheet(AOwner) {
    RegisterBackgroundPainter();
    SetAlign(alClient);
}

void TskSkinCustomTabSheet::CreateParams(TCreateParams& Params) {
    TTabSheet::CreateParams(Params);
    Params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinCustomTabSheet::PaintBackground(HDC DC) {
    if (Width() < 1 || Height() < 1 || !Parent()) return;
    auto* pages = dynamic_cast<TskSkinPageControl*>(PageControl());
    TskTabSkin none;
    if (pages) pages->GetSkinData();
    PaintTabBackground(DC, Width(), Height(), pages ? pages->TabSkin() : none, &FWallPaper);
}

void TskSkinCustomTabSheet::PaintWindow(std::uintptr_t DC) {
    PaintBackground(reinterpret_cast<HDC>(DC));
}

void TskSkinCustomTabSheet::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (Message.WParam) PaintBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    case WM_SIZE:
        TTabSheet::Dispatch(Message);
        Invalidate();
        return;
    default:
        TTabSheet::Dispatch(Message);
    }
}

// Page control.

void TskSkinPageControl::ChangeSkinData() {
    TskSkinTabsBase<TPageControl>::ChangeSkinData();
    if (ActivePage()) ActivePage()->Invalidate();
}

void TskSkinPageControl::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND && PageCount() == 0 && Message.WParam) {
        GetSkinData();
        PaintTabBackground(reinterpret_cast<HDC>(Message.WParam), Width(), Height(), FSkin, nullptr);
        Message.Result = 1;
        return;
    }
    TskSkinTabsBase<TPageControl>::Dispatch(Message);
}

void TskSkinPageControl::Change() {
    TskSkinTabsBase<TPageControl>::Change();
    if (ActivePage()) ActivePage()->Invalidate();
}

int TskSkinPageControl::TabImage(int Tab) {
    return GetImageIndex(Tab);
}

bool TskSkinPageControl::TabEnabled(int Tab) {
    TTabSheet* page = PageForTab(Tab);
    return !page || page->Enabled();
}

// Tab control.

void TskSkinTabControl::PaintBackground(HDC DC) {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    PaintTabBackground(DC, Width(), Height(), FSkin, nullptr);
}

void TskSkinTabControl::ChangeSkinData() {
    Repaint();
    TskSkinTabsBase<TTabControl>::ChangeSkinData();
}

void TskSkinTabControl::PaintClientArea(TCanvas& Canvas, const TRect& Display) {
    if (FSkin.Background) {
        TileBitmap(Canvas, Width(), Height(), *FSkin.Background);
        return;
    }
    // Tiled from the control's corner, like the sheet backgrounds, so a pattern lines up behind
    // transparent children.
    if (!TileSkinPiece(Canvas, Display, *FSkin.Picture, FSkin.ClientPiece(), {0, 0}))
        FillColor(Canvas, Display, clBtnFace);
}

} // namespace vd
