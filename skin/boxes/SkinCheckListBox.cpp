#include "skin/boxes/SkinCheckListBox.h"

#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/boxes/BoxPaint.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>

namespace vd {

TskSkinCheckListBox* TskCheckListBox::CheckOwner() const {
    return static_cast<TskSkinCheckListBox*>(OwnerList);
}

int TskCheckListBox::State(int Index) const {
    return ItemState(Index);
}

void TskCheckListBox::SetState(int Index, int Value) {
    if (State(Index) == Value) return;
    SetItemState(Index, Value);
    if (HandleAllocated()) {
        const TRect r = ItemRect(Index);
        InvalidateRect(WindowHandle(), &r, FALSE);
    }
}

void TskCheckListBox::SetChecked(int Index, bool Value) {
    if (Checked(Index) == Value) return;
    SetState(Index, Value ? 1 : 0);
}

void TskCheckListBox::ToggleState(int Index) {
    if (Index < 0 || Index >= Count()) return;
    const int s = State(Index);
    SetState(Index, s == 0 ? 1 : s == 1 ? 0 : 2);
    if (OnClickCheck) OnClickCheck(this);
}

void TskCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TListBox::MouseDown(Button, Shift, X, Y);
    if (!OwnerList) return;
    const int i = ItemAtPos({X, Y}, true);
    if (i >= 0 && InRect(CheckOwner()->CheckRect(ItemRect(i)), X, Y)) ToggleState(i);
    CheckOwner()->ListBoxMouseDown(Button, Shift, X, Y);
}

void TskCheckListBox::KeyPress(TKeyChar& Key) {
    const bool space = Key == U' ';
    TListBox::KeyPress(Key);
    if (space) ToggleState(ItemIndex());
    if (OwnerList) CheckOwner()->ListBoxKeyPress(Key);
}

TskSkinCheckListBox::TskSkinCheckListBox(TComponent* AOwner)
    : TskSkinCustomListBox(AOwner, [](TskSkinCustomListBox* o) { return new TskCheckListBox(o); }) {
    SetSkinDataName("checklistbox");
}

void TskSkinCheckListBox::SetOnClickCheck(TNotifyEvent Value) {
    FOnClickCheck = Value;
    CheckList()->OnClickCheck = std::move(Value);
}

void TskSkinCheckListBox::GetSkinData() {
    TskSkinCustomListBox::GetSkinData();
    itemcheckrect = checkimagerect = uncheckimagerect = {};
    if (auto* r = FSkinIndex != -1 ? dynamic_cast<TskDataSkinCheckListBox*>(SkinRecord()) : nullptr) {
        itemcheckrect = r->itemcheckrect;
        checkimagerect = r->checkimagerect;
        uncheckimagerect = r->uncheckimagerect;
    }
}

TRect TskSkinCheckListBox::CheckRect(const TRect& R) const {
    if (FSkinIndex == -1 || IsEmptySkinRect(itemcheckrect)) return {R.Left, R.Top, R.Left + 20, R.Bottom};
    TRect c = itemcheckrect;
    if (c.Left >= itemtextrect.Right) c = MoveRect(c, R.Width() - itemrect.Width(), 0);
    c = MoveRect(c, R.Left, R.Top);
    if (!FUseSkinItemHeight) c.Bottom += R.Height() - itemrect.Height();
    return c;
}

void TskSkinCheckListBox::DrawPlainCheck(TCanvas& c, int State, int H) {
    FrameColor(c, {3, H / 2 - 6, 16, H / 2 + 7}, clBtnShadow);
    if (State == 1) DrawCheckMark(c.Handle(), 6, H / 2 - 4, ColorToRGB(clWindowText));
}

void TskSkinCheckListBox::DrawListItem(TCanvas& Canvas, int Index, TOwnerDrawState State, const TRect& R) {
    if (Index < 0 || Index >= FListBox->Count() || R.Width() <= 0 || R.Height() <= 0) return;
    const int state = CheckList()->State(Index);
    const bool selected = (State & odSelected) != 0, focused = (State & odFocused) != 0;
    const int w = R.Width();
    if (!ItemSkinned()) {
        const int h = R.Height();
        TBitmap b(w, h);
        TCanvas& c = b.Canvas();
        FillColor(c, {0, 0, 20, h}, clWindow);
        FillColor(c, {20, 0, w, h}, selected ? clHighlight : clWindow);
        DrawPlainCheck(c, state, h);
        SetItemFont(c, selected ? clHighlightText : FFont.Color());
        DrawItemContents(c, Index, {22, 0, w - 2, h}, State, w, h, false);
        if (focused) c.DrawFocusRect({20, 0, w, h});
        Canvas.Draw(R.Left, R.Top, &b);
        return;
    }
    const TskBitmap& pic = *FFace.SkinBitmap;
    const int h = FUseSkinItemHeight ? std::max(1, itemrect.Height()) : R.Height();
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    TRect text{itemtextrect.Left, itemtextrect.Top, itemtextrect.Right + w - itemrect.Width(),
               itemtextrect.Bottom};
    if (FUseSkinItemHeight) {
        TskBitmap face;
        const TRect piece =
            focused ? (selected ? focusitemrect : itemrect) : (selected ? activeitemrect : itemrect);
        ComposeHorzSkinPicture(itemleftoffset, itemrightoffset, face,
                               (focused || selected) && FFace.stretcheffect, w, piece, pic);
        DrawSkin(c, 0, 0, face);
        if (focused && !selected) c.DrawFocusRect({0, 0, w, h});
        SetItemFont(c, selected && focused ? focusfontcolor : selected ? activefontcolor : fontcolor);
    } else {
        TskBitmap face(w, h);
        const TRect piece = focused ? focusitemrect : selected ? activeitemrect : itemrect;
        StretchSkinPicture(
            face, pic, piece,
            {itemtextrect.Left + 1, itemtextrect.Top + 1, itemtextrect.Right - 1, itemtextrect.Bottom - 1},
            true);
        DrawSkin(c, 0, 0, face);
        text.Bottom += h - itemrect.Height();
        SetItemFont(c, focused ? focusfontcolor : selected ? activefontcolor : fontcolor);
    }
    const TRect image = state == 1 ? checkimagerect : uncheckimagerect;
    if (!IsEmptySkinRect(image) && !IsEmptySkinRect(itemcheckrect)) {
        TRect box = CheckRect({0, 0, w, h});
        TRect place = {0, 0, image.Width(), image.Height()};
        CenterRectIn(place, box, place);
        DrawSkinPiece(c, place.Left, place.Top, pic, image, true, 0, true);
    } else {
        // A plain list box record has no check pictures: the plain box shows the state.
        DrawPlainCheck(c, state, h);
        text.Left = std::max(text.Left, 20);
    }
    DrawItemContents(c, Index, text, State, w, h, true);
    Canvas.Draw(R.Left, R.Top, &b);
}

void TskSkinCheckListBox::CaptionButtonAction(int I) {
    if (I != 2) {
        TskSkinCustomListBox::CaptionButtonAction(I);
        return;
    }
    const int index = ItemIndex();
    if (index < 0) return;
    CheckList()->SetChecked(index, !CheckList()->Checked(index));
    if (FOnClickCheck) FOnClickCheck(this);
}

bool TskSkinCheckListBox::SetProperty(const String& name, const TPropValue& v) {
    return CustomListBoxProperties().Set(*this, name, v) || TskSkinCustomListBox::SetProperty(name, v);
}

} // namespace vd
