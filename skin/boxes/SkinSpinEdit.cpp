#include "skin/boxes/SkinSpinEdit.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/boxes/BoxPaint.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vd {

TskSkinSpinEdit::TskSkinSpinEdit(TComponent* AOwner)
    : TskButtonBox(AOwner, 2, // up and down: every press repeats
                   {.Repaint = [this] { Repaint(); },
                    .Repeats = [](int) { return true; },
                    .Step = [this](int I) { Step(I); },
                    .Released =
                        [this](int I, bool Over) {
                            if (Over) Step(I);
                        }}) {
    FControlStyle = csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks;
    FEdit = new TskSkinNumEdit(this);
    FEdit->SetParent(this);
    FEdit->Font().Assign(FDefaultFont);
    FEdit->SetColor(FDefaultColor);
    FEdit->SetAutoSize(false);
    FEdit->OnChange = [this](TObject*) {
        FCopying = true;
        SetText(FEdit->Text());
        FCopying = false;
    };
    FEdit->OnUpKey = [this](TObject*) { StepUp(); };
    FEdit->OnDownKey = [this](TObject*) { StepDown(); };
    FEdit->OnKeyDown = [this](TObject*, Word& k, TShiftState s) { EditKeyDown(k, s); };
    FEdit->OnKeyUp = [this](TObject*, Word& k, TShiftState s) { EditKeyUp(k, s); };
    FEdit->OnKeyPress = [this](TObject*, TKeyChar& k) { EditKeyPress(k); };
    FEdit->OnEnter = [this](TObject*) { EditEnter(); };
    FEdit->OnExit = [this](TObject*) { EditExit(); };
    FEdit->OnMouseEnter = [this](TObject*) {
        FMouseIn = true;
        if (!FFocused) {
            if (FSkinIndex != -1 && !IsEmptySkinRect(activeskinrect)) Repaint();
            ApplyFontColor();
        }
    };
    FEdit->OnMouseLeave = [this](TObject*) {
        FMouseIn = false;
        if (!FFocused) {
            if (FSkinIndex != -1 && !IsEmptySkinRect(activeskinrect)) Repaint();
            ApplyFontColor();
        }
    };
    FEdit->OnPaintBackground = [this](TObject*, HDC dc, const TRect& r) { PaintEditBackground(dc, r); };
    FEdit->SetVisible(true);
    FInChange = true;
    SetText("0");
    FInChange = false;
    SetSkinDataName("spinedit");
    SetBounds(0, 0, 120, 20);
}

TskSkinSpinEdit::~TskSkinSpinEdit() {
    KillButtonTimer();
    Destroying();
}

double TskSkinSpinEdit::ClampValue(double X) const {
    if (FMaxValue >= FMinValue) {
        if (X < FMinValue) return FMinValue;
        if (X > FMaxValue) return FMaxValue;
    }
    return X;
}

String TskSkinSpinEdit::ValueText(double X) const {
    // A value beyond the 64-bit range is shown at the range's end, never rounded out of it.
    constexpr double kLimit = 9.2e18;
    if (std::isnan(X)) X = 0;
    X = std::clamp(X, -kLimit, kLimit);
    if (FValueType == vtFloat) return FloatToStrF(X, TFloatFormat::ffFixed, 15, std::clamp(Decimal, 0, 18));
    return IntToStr(static_cast<std::int64_t>(std::nearbyint(X)));
}

bool TskSkinSpinEdit::IsValidText(const String& T) const {
    if (T.empty() || T == "-") return false;
    int seps = 0;
    for (std::size_t i = 0; i < T.size(); ++i) {
        const char c = T[i];
        if (c == '-') {
            if (i != 0) return false;
        } else if (FValueType == vtFloat && c == DecimalSeparator) {
            if (i == 0 || ++seps > 1) return false;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

void TskSkinSpinEdit::SetInnerText(const String& S) {
    const bool was = FInChange;
    FInChange = true;
    FEdit->SetText(S);
    FInChange = was;
}

void TskSkinSpinEdit::SetValue(double X) {
    FValue = ClampValue(X);
    const bool was = FInChange;
    FInChange = true;
    if (was)
        FEdit->SetText(ValueText(FValue));
    else
        SetText(ValueText(FValue));
    FInChange = false;
    if (!was) Change();
    FInChange = was;
}

void TskSkinSpinEdit::Change() {
    const bool was = FInChange;
    FInChange = true;
    if (OnChange) OnChange(this);
    FInChange = was;
}

void TskSkinSpinEdit::SetMinValue(double V) {
    FMinValue = V;
    if (FValue < FMinValue) SetValue(FMinValue);
}

void TskSkinSpinEdit::SetMaxValue(double V) {
    FMaxValue = V;
    if (FValue > FMaxValue) SetValue(FMaxValue);
}

void TskSkinSpinEdit::SetValueType(TskValueType V) {
    if (V != FValueType) {
        FValueType = V;
        if (V == vtInteger) {
            FIncrement = std::nearbyint(FIncrement);
            if (FIncrement == 0) FIncrement = 1.0;
        }
    }
    FEdit->Float = FValueType == vtFloat;
}

void TskSkinSpinEdit::SetDefaultColor(TColor V) {
    FDefaultColor = V;
    if (FSkinIndex == -1) FEdit->SetColor(V);
}

void TskSkinSpinEdit::StepUp() {
    SetValue(FValue + FIncrement);
}

void TskSkinSpinEdit::StepDown() {
    SetValue(FValue - FIncrement);
}

// The typed text: checked, parsed, clamped into Value; a text that cannot come back into range
// by typing more is rewritten at once.
void TskSkinSpinEdit::TextChanged() {
    if (!FCopying) SetInnerText(Text());
    if (FInChange) return;
    const String t = FEdit->Text();
    if (!IsValidText(t)) return;
    double p = 0;
    std::int64_t i = 0;
    if (FValueType == vtInteger && TryStrToInt64(t, i))
        p = static_cast<double>(i);
    else if (!TryStrToFloat(t, p) || !std::isfinite(p))
        return; // a text that does not parse is left as typed, like invalid text
    const double c = ClampValue(p);
    if (c != FValue) {
        FValue = c;
        Change();
    }
    const bool rewrite = (!(c < 0 && p < 0) && c < p) || (c < 0 && p < 0 && c > p) ||
                         (FMinValue > 0 && p < 0) || (FMaxValue < 0 && p > 0);
    if (rewrite) {
        SetInnerText(ValueText(c));
        FEdit->SetSelStart(static_cast<int>(FEdit->Text().size()));
    }
}

void TskSkinSpinEdit::EditKeyDown(Word& Key, TShiftState Shift) {
    if (OnEditKeyDown) OnEditKeyDown(this, Key, Shift);
}
void TskSkinSpinEdit::EditKeyUp(Word& Key, TShiftState Shift) {
    if (OnEditKeyUp) OnEditKeyUp(this, Key, Shift);
}
void TskSkinSpinEdit::EditKeyPress(TKeyChar& Key) {
    if (OnEditKeyPress) OnEditKeyPress(this, Key);
}

void TskSkinSpinEdit::EditEnter() {
    if (OnEditEnter) OnEditEnter(this);
    FFocused = true;
    if (FSkinIndex != -1 && !IsEmptySkinRect(activeskinrect)) Repaint();
    ApplyFontColor();
}

void TskSkinSpinEdit::EditExit() {
    if (OnEditExit) OnEditExit(this);
    FFocused = false;
    if (FSkinIndex != -1 && !IsEmptySkinRect(activeskinrect)) Repaint();
    ApplyFontColor();
    SetInnerText(ValueText(FValue));
}

void TskSkinSpinEdit::ApplyFontColor() {
    TColor c;
    if (!Enabled())
        c = FSkinIndex == -1 ? clGrayText : disabledfontcolor;
    else if (FSkinIndex == -1)
        c = FDefaultFont.Color();
    else
        c = Hot() || FHover ? activefontcolor : fontcolor;
    if (FEdit->Font().Color() != c) FEdit->Font().SetColor(c);
}

void TskSkinSpinEdit::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* r = FSkinIndex != -1 ? dynamic_cast<TskDataSkinSpinEditControl*>(SkinRecord()) : nullptr;
    if (!r) return;
    activeskinrect = r->activeskinrect;
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    fontcolor = SkinColorToColor(r->fontcolor);
    activefontcolor = SkinColorToColor(r->activefontcolor);
    disabledfontcolor = SkinColorToColor(r->disabledfontcolor);
    arrowpictures = ArrowPictures(*r);
    LeftEnd = r->lefttoppoint.X;
    RightEnd = r->skinrect.Width() - r->righttoppoint.X;
}

void TskSkinSpinEdit::CalcLayout() {
    if (!FEdit) return;
    const int w = Width(), h = Height();
    const int eh = FontCellHeight(FEdit->Font());
    if (FSkinIndex == -1) {
        FButtons[0].R = {w - 17, 2, w - 2, h / 2};
        FButtons[1].R = {w - 17, h / 2, w - 2, h - 2};
        FEdit->SetBounds(2, h / 2 - eh / 2, w - 19, eh);
        return;
    }
    const TskSkinFace& f = FFace;
    const int dx = w - f.skinrect.Width();
    TRect up = arrowpictures[0].Plain, down = arrowpictures[1].Plain;
    if (up.Left > f.righttoppoint.X) up = MoveRect(up, dx, 0);
    if (down.Left > f.righttoppoint.X) down = MoveRect(down, dx, 0);
    TRect r = f.clientrect;
    r.Right += dx;
    if (!FUseSkinSize) {
        const int dy = h - f.skinrect.Height();
        r.Bottom += dy;
        if (up.Bottom > down.Bottom) {
            up.Bottom += dy;
            down.Bottom += dy;
        } else {
            TRect u{std::min(up.Left, down.Left), std::min(up.Top, down.Top), std::max(up.Right, down.Right),
                    std::max(up.Bottom, down.Bottom) + dy};
            const int mid = u.Top + u.Height() / 2;
            up = {u.Left, u.Top, u.Right, mid};
            down = {u.Left, mid, u.Right, u.Bottom};
        }
    }
    FButtons[0].R = up;
    FButtons[1].R = down;
    FEdit->SetBounds(r.Left, r.Top + r.Height() / 2 - eh / 2, r.Width(), eh);
}

void TskSkinSpinEdit::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    TFont& f = FEdit->Font();
    if (FSkinIndex == -1) {
        f.Assign(FDefaultFont);
    } else if (FUseSkinFont) {
        SetSkinFont(f, fontname, fontheight, fontstyle, fontcolor);
    } else {
        f.Assign(FDefaultFont);
        f.SetColor(fontcolor);
    }
    f.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    FEdit->SetEditTransparent(FSkinIndex != -1);
    if (FSkinIndex == -1) FEdit->SetColor(FDefaultColor);
    if (FSkinIndex != -1 && FUseSkinSize) SetHeight(FFace.skinrect.Height());
    CalcLayout();
    ApplyFontColor();
    Repaint();
}

void TskSkinSpinEdit::DefaultFontChanged() {
    if (FSkinIndex != -1 && FUseSkinFont) return;
    FEdit->Font().Assign(FDefaultFont);
    CalcLayout();
}

void TskSkinSpinEdit::CreateControlDefaultImage(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    const TRect all{0, 0, Width(), Height()};
    FillColor(c, all, FDefaultColor);
    FrameColor(c, all, clBtnShadow);
    FrameColor(c, {1, 1, Width() - 1, Height() - 1}, clBtnFace);
    CalcLayout();
    for (int i = 0; i < 2; ++i) {
        const Button& b = FButtons[i];
        DrawPlainSmallButton(c, b.R, b.Down && b.MouseIn, b.MouseIn, false);
        DrawArrowGlyph(c.Handle(), b.R, 0, i == 0 ? 3 : 4);
    }
}

void TskSkinSpinEdit::CreateControlSkinImage(TBitmap& Bitmap) {
    CalcLayout();
    DrawFace(Bitmap, LeftEnd, FFace.skinrect.Width() - RightEnd);
    TCanvas& c = Bitmap.Canvas();
    for (int i = 0; i < 2; ++i) {
        const Button& b = FButtons[i];
        if (!FUseSkinSize)
            DrawSkinResizeButton(c, FSkinData, {"editbutton", "resizebutton"}, b.R, b.Down, b.MouseIn,
                                 i == 0 ? 3 : 4);
        else
            arrowpictures[i].Draw(c, b.R, *FFace.SkinBitmap, b.Down, b.MouseIn);
    }
}

void TskSkinSpinEdit::Dispatch(TMessage& Message) {
    TskButtonBox::Dispatch(Message);
    switch (Message.Msg) {
    case WM_SIZE:
        CalcLayout();
        break;
    case CM_TEXTCHANGED:
        TextChanged();
        break;
    case CM_FOCUSCHANGED:
        if (HandleAllocated() && Focused() && FEdit->HandleAllocated()) FEdit->SetFocus();
        break;
    case WM_SETFOCUS:
        if (FEdit->CanFocus()) FEdit->SetFocus();
        break;
    case CM_ENABLEDCHANGED:
        FEdit->SetEnabled(Enabled());
        ApplyFontColor();
        Repaint();
        break;
    case CM_MOUSEENTER:
        FHover = true;
        if (!FFocused && FSkinIndex != -1 && !IsEmptySkinRect(activeskinrect)) {
            FMouseIn = true;
            Repaint();
        }
        if (!FFocused) ApplyFontColor();
        break;
    case CM_MOUSELEAVE: {
        TPoint p;
        GetCursorPos(p);
        if (WindowFromPoint(p) != FEdit->WindowHandle()) {
            FMouseIn = false;
            FHover = false;
            if (!FFocused) {
                Repaint();
                ApplyFontColor();
            }
        }
        break;
    }
    default:
        break;
    }
}

namespace {
double Number(const TPropValue& v) {
    return v.Kind == TPropValue::vkFloat ? v.Float : static_cast<double>(v.AsInt());
}

const TPropertyTable<TskSkinSpinEdit>& SpinEditProperties() {
    using namespace props;
    using C = TskSkinSpinEdit;
    static const TPropertyTable<C> table{
        {"MinValue", Call(&C::SetMinValue, Number)},
        {"MaxValue", Call(&C::SetMaxValue, Number)},
        {"Value", Call(&C::SetValue, Number)},
        {"Increment", Call(&C::SetIncrement, Number)},
        {"ValueType",
         [](C& c, const TPropValue& v) { c.SetValueType(v.AsIdent() == "vtFloat" ? vtFloat : vtInteger); }},
        {"Decimal", Store(&C::Decimal, AsInt)},
        {"EditorEnabled", Call(&C::SetEditorEnabled, AsBool)},
        {"MaxLength", Call(&C::SetMaxLength, AsInt)},
    };
    return table;
}

} // namespace

bool TskSkinSpinEdit::SetProperty(const String& name, const TPropValue& v) {
    // UseSkinSize is the edit box's.
    return SpinEditProperties().Set(*this, name, v) || TskSkinEditBox::SetProperty(name, v);
}

} // namespace vd
