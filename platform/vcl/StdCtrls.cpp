#include "platform/vcl/StdCtrls.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/PropertyTable.h"
#include "platform/vcl/WinControl.h"

namespace vd {

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle = csSetCaption | csReplicatable | csClickEvents | csDoubleClicks;
    FWidth = 65;
    FHeight = 17;
    FColor = clBtnFace;
}

void TCustomLabel::SetAutoSize(bool v) {
    FAutoSize = v;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
    if (v == FShowAccelChar) return;
    FShowAccelChar = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
    if (v)
        FControlStyle &= ~csOpaque;
    else
        FControlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
    FFocusControl = v;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

UINT TCustomLabel::TextFlags() const {
    UINT f = DT_EXPANDTABS;
    if (FWordWrap) f |= DT_WORDBREAK;
    if (!FShowAccelChar) f |= DT_NOPREFIX;
    if (FAlignment == taRightJustify) f |= DT_RIGHT;
    if (FAlignment == taCenter) f |= DT_CENTER;
    return f;
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
    String text = FText;
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
    TCanvas& c = Canvas();
    c.Font().Assign(FFont);
    if (!FEnabled) c.Font().SetColor(clGrayText);
    c.Brush().Style = bsClear;
    c.DrawText(text, Rect, Flags);
}

void TCustomLabel::Paint() {
    TCanvas& c = Canvas();
    if (!Transparent()) {
        c.Brush().Color = FColor;
        c.Brush().Style = bsSolid;
        c.FillRect(ClientRect());
    }
    TRect r = ClientRect();
    UINT flags = TextFlags();
    if (FLayout != tlTop) {
        TRect calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        const int dy = r.Height() - calc.Height();
        r.Top += FLayout == tlBottom ? dy : dy / 2;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || (ComponentState() & csLoading)) return;
    // A memory context measures the same as the window's would.
    HDC dc = CreateCompatibleDC(nullptr);
    Canvas().SetHandle(dc);
    TRect r{0, 0, FWordWrap ? FWidth : 0, 0};
    DoDrawText(r, TextFlags() | DT_CALCRECT);
    Canvas().SetHandle(nullptr);
    DeleteDC(dc);
    int x = FLeft;
    if (FAlignment == taRightJustify) x = FLeft + FWidth - r.Width();
    if (FAlignment == taCenter) x = FLeft + (FWidth - r.Width()) / 2;
    SetBounds(x, FTop, r.Width(), r.Height());
}

void TCustomLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_PARENTFONTCHANGED:
        TGraphicControl::Dispatch(Message);
        AdjustBounds();
        Invalidate();
        return;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (FFocusControl && FEnabled && FShowAccelChar &&
            IsAccel(static_cast<unsigned>(Message.WParam), FText) && FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            Message.Result = 1;
        }
        return;
    default:
        TGraphicControl::Dispatch(Message);
    }
}

bool TCustomLabel::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "FocusControl") {
        auto* control = dynamic_cast<TWinControl*>(value);
        if (!control) return false;
        SetFocusControl(control);
        return true;
    }
    return TGraphicControl::SetComponentProperty(name, value);
}

namespace {

TAlignment ReadLabelAlignment(const TPropValue& v) {
    const String& s = v.AsIdent();
    return s == "taRightJustify" ? taRightJustify : s == "taCenter" ? taCenter : taLeftJustify;
}

TTextLayout ReadLabelLayout(const TPropValue& v) {
    const String& s = v.AsIdent();
    return s == "tlCenter" ? tlCenter : s == "tlBottom" ? tlBottom : tlTop;
}

const TPropertyTable<TCustomLabel>& LabelProperties() {
    using namespace props;
    using C = TCustomLabel;
    static const TPropertyTable<C> table{
        {"AutoSize", Call(&C::SetAutoSize, AsBool), Unless(&C::AutoSize, true, &TPropValue::FromBool)},
        {"WordWrap", Call(&C::SetWordWrap, AsBool), Unless(&C::WordWrap, false, &TPropValue::FromBool)},
        {"Transparent", Call(&C::SetTransparent, AsBool),
         Unless(&C::Transparent, true, &TPropValue::FromBool)},
        {"Alignment", Call(&C::SetAlignment, ReadLabelAlignment),
         Unless(&C::Alignment, taLeftJustify,
                [](TAlignment a) {
                    return TPropValue::FromIdent(a == taCenter ? "taCenter" : "taRightJustify");
                })},
        {"Layout", Call(&C::SetLayout, ReadLabelLayout),
         Unless(
             &C::Layout, tlTop,
             [](TTextLayout l) { return TPropValue::FromIdent(l == tlCenter ? "tlCenter" : "tlBottom"); })},
        {"ShowAccelChar", Call(&C::SetShowAccelChar, AsBool)},
    };
    return table;
}

} // namespace

bool TCustomLabel::SetProperty(const String& name, const TPropValue& v) {
    return LabelProperties().Set(*this, name, v) || TGraphicControl::SetProperty(name, v);
}

void TCustomLabel::GetProperties(TPropList& out) const {
    TGraphicControl::GetProperties(out);
    LabelProperties().Get(*this, out);
}

} // namespace vd
