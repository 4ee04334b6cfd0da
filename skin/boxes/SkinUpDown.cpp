#include "skin/boxes/SkinUpDown.h"

#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/boxes/BoxPaint.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinControlRecords.h"

namespace vd {

TskSkinUpDown::TskSkinUpDown(TComponent* AOwner)
    : TskButtonBox(AOwner, 2,
                   {.Repaint = [this] { Repaint(); },
                    .Repeats = [this](int) { return FIncrement != 0; },
                    .Step = [this](int I) { Step(I == 0 ? 2 : 1); },
                    .Released = [this](int I, bool Over) { Released(I, Over); }}) {
    FControlStyle |= csCaptureMouse;
    SetSkinDataName("hupdown");
    SetBounds(0, 0, 50, 25);
}

TskSkinUpDown::~TskSkinUpDown() {
    KillButtonTimer();
}

void TskSkinUpDown::SetUseSkinSize(bool Value) {
    FUseSkinSize = Value;
    if (FSkinData) ChangeSkinData();
}

void TskSkinUpDown::SetOrientation(TUDOrientation Value) {
    FOrientation = Value;
    if (Designing() && !(ComponentState() & csLoading))
        SetSkinDataName(Value == udVertical ? "vupdown" : "hupdown");
    CalcButtonRects();
    Repaint();
}

void TskSkinUpDown::SetPosition(int Value) {
    if (Value > FMax || Value < FMin) return;
    FPosition = Value;
    if (!Designing() && OnChange) OnChange(this);
}

void TskSkinUpDown::SetMin(int Value) {
    FMin = Value;
    if (FPosition < FMin) FPosition = FMin;
}

void TskSkinUpDown::SetMax(int Value) {
    FMax = Value;
    if (FPosition > FMax) FPosition = FMax;
}

void TskSkinUpDown::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    if (auto* r = FSkinIndex != -1 ? dynamic_cast<TskDataSkinUpDownControl*>(SkinRecord()) : nullptr) {
        arrowpictures = ArrowPictures(*r);
        // The up-down's picture is drawn whole: no corners, no client area.
        FFace.lefttoppoint = FFace.righttoppoint = FFace.leftbottompoint = FFace.rightbottompoint = {};
        FFace.clientrect = {};
        FFace.SkinResizeKind = 0;
    }
    CalcButtonRects();
}

void TskSkinUpDown::CalcButtonRects() {
    if (FSkinIndex != -1 && FUseSkinSize) {
        FButtons[0].R = arrowpictures[0].Plain;
        FButtons[1].R = arrowpictures[1].Plain;
    } else if (FOrientation == udVertical) {
        FButtons[0].R = {0, 0, Width(), Height() / 2};
        FButtons[1].R = {0, Height() / 2, Width(), Height()};
    } else {
        FButtons[1].R = {0, 0, Width() / 2, Height()};
        FButtons[0].R = {Width() / 2, 0, Width(), Height()};
    }
}

void TskSkinUpDown::CalcSize(int& W, int& H) {
    if (FUseSkinSize) TskSkinCustomControl::CalcSize(W, H);
}

void TskSkinUpDown::SetControlRegion() {
    if (FUseSkinSize) TskSkinCustomControl::SetControlRegion();
}

void TskSkinUpDown::DrawButton(TCanvas& c, int I) {
    const Button& b = FButtons[I];
    const bool vert = FOrientation == udVertical;
    const int arrow = I == 0 ? (vert ? 3 : 2) : (vert ? 4 : 1);
    if (FSkinIndex == -1) {
        DrawPlainSmallButton(c, b.R, b.Down && b.MouseIn, b.MouseIn, true);
        DrawArrowGlyph(c.Handle(), b.R, 0, arrow);
        return;
    }
    if (FUseSkinSize) {
        arrowpictures[I].Draw(c, b.R, *FFace.SkinBitmap, b.Down, b.MouseIn);
        return;
    }
    DrawSkinResizeButton(c, FSkinData, {"resizebutton"}, b.R, b.Down, b.MouseIn, arrow);
}

void TskSkinUpDown::CreateControlDefaultImage(TBitmap& Bitmap) {
    CalcButtonRects();
    FillColor(Bitmap.Canvas(), {0, 0, Bitmap.Width(), Bitmap.Height()}, clBtnFace);
    DrawButton(Bitmap.Canvas(), 0);
    DrawButton(Bitmap.Canvas(), 1);
}

void TskSkinUpDown::CreateControlSkinImage(TBitmap& Bitmap) {
    CalcButtonRects();
    if (FUseSkinSize)
        TskSkinCustomControl::CreateControlSkinImage(Bitmap);
    else
        FillColor(Bitmap.Canvas(), {0, 0, Bitmap.Width(), Bitmap.Height()}, clBtnFace);
    DrawButton(Bitmap.Canvas(), 0);
    DrawButton(Bitmap.Canvas(), 1);
}

// Position plus or minus Increment in 64 bits: a result outside Min..Max is ignored, never an
// overflow.
void TskSkinUpDown::Step(int Direction) {
    const long long next = static_cast<long long>(FPosition) + (Direction == 2 ? 1LL : -1LL) * FIncrement;
    if (next < FMin || next > FMax) return;
    SetPosition(static_cast<int>(next));
}

// A release over the button steps once more and fires its event; one away from it does nothing.
void TskSkinUpDown::Released(int I, bool Over) {
    if (!Over) return;
    if (FIncrement != 0) Step(I == 0 ? 2 : 1);
    if (I == 0 && OnUpButtonClick) OnUpButtonClick(this);
    if (I == 1 && OnDownButtonClick) OnDownButtonClick(this);
}

// The arrows follow the pointer before OnMouseMove sees it.
void TskSkinUpDown::MouseMove(TShiftState Shift, int X, int Y) {
    FButtons.Track(X, Y);
    TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinUpDown::Dispatch(TMessage& Message) {
    TskButtonBox::Dispatch(Message);
    if (Message.Msg == WM_SIZE) CalcButtonRects();
}

const TPropertyTable<TskSkinUpDown>& TskSkinUpDown::Properties() {
    using namespace props;
    using C = TskSkinUpDown;
    static const TPropertyTable<C> table{
        {"Increment", Call(&C::SetIncrement, AsInt)},
        {"Position", Store(&C::FPosition, AsInt)},
        {"Min", Call(&C::SetMin, AsInt)},
        {"Max", Call(&C::SetMax, AsInt)},
        {"UseSkinSize", Store(&C::FUseSkinSize, AsBool)},
        {"Orientation",
         [](C& c, const TPropValue& v) {
             c.SetOrientation(v.AsIdent() == "udVertical" ? udVertical : udHorizontal);
         }},
    };
    return table;
}

bool TskSkinUpDown::SetProperty(const String& name, const TPropValue& v) {
    return Properties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

} // namespace vd
