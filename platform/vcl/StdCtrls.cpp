#include "platform/vcl/StdCtrls.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Menus.h"
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

bool TCustomLabel::SetProperty(const String& name, const TPropValue& v) {
    if (name == "AutoSize")
        SetAutoSize(v.AsBool());
    else if (name == "WordWrap")
        SetWordWrap(v.AsBool());
    else if (name == "Transparent")
        SetTransparent(v.AsBool());
    else if (name == "ShowAccelChar")
        SetShowAccelChar(v.AsBool());
    else if (name == "Alignment") {
        const String& s = v.AsIdent();
        SetAlignment(s == "taRightJustify" ? taRightJustify : s == "taCenter" ? taCenter : taLeftJustify);
    } else if (name == "Layout") {
        const String& s = v.AsIdent();
        SetLayout(s == "tlCenter" ? tlCenter : s == "tlBottom" ? tlBottom : tlTop);
    } else
        return TGraphicControl::SetProperty(name, v);
    return true;
}

void TCustomLabel::GetProperties(TPropList& out) const {
    TGraphicControl::GetProperties(out);
    if (!FAutoSize) out.emplace_back("AutoSize", TPropValue::FromBool(false));
    if (FWordWrap) out.emplace_back("WordWrap", TPropValue::FromBool(true));
    if (!Transparent()) out.emplace_back("Transparent", TPropValue::FromBool(false));
    if (FAlignment != taLeftJustify)
        out.emplace_back("Alignment",
                         TPropValue::FromIdent(FAlignment == taCenter ? "taCenter" : "taRightJustify"));
    if (FLayout != tlTop)
        out.emplace_back("Layout", TPropValue::FromIdent(FLayout == tlCenter ? "tlCenter" : "tlBottom"));
}

} // namespace vd
