#include "platform/vcl/ExtCtrls.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/BevelLines.h"
#include "platform/vcl/PropertyTable.h"
#include "platform/vcl/WinControl.h"

#include <algorithm>

namespace vd {

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle |= csReplicatable;
    FWidth = 50;
    FHeight = 50;
}

void TBevel::SetShape(TBevelShape v) {
    if (v == FShape) return;
    FShape = v;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    Invalidate();
}

namespace {

TBevelShape ReadShape(const TPropValue& v) {
    static const char* shapes[] = {"bsBox",      "bsFrame",     "bsTopLine", "bsBottomLine",
                                   "bsLeftLine", "bsRightLine", "bsSpacer"};
    for (int i = 0; i < 7; ++i)
        if (v.AsIdent() == shapes[i]) return static_cast<TBevelShape>(i);
    throw EReadError("Invalid property value " + v.Str);
}

TBevelStyle ReadBevelStyle(const TPropValue& v) {
    if (v.AsIdent() != "bsLowered" && v.AsIdent() != "bsRaised")
        throw EReadError("Invalid property value " + v.Str);
    return v.AsIdent() == "bsRaised" ? bsRaised : bsLowered;
}

const TPropertyTable<TBevel>& BevelProperties() {
    static const TPropertyTable<TBevel> table{
        {"Shape", props::Call(&TBevel::SetShape, ReadShape)},
        {"Style", props::Call(&TBevel::SetStyle, ReadBevelStyle)},
    };
    return table;
}

} // namespace

bool TBevel::SetProperty(const String& name, const TPropValue& v) {
    return BevelProperties().Set(*this, name, v) || TGraphicControl::SetProperty(name, v);
}

void TBevel::Paint() {
    if (FShape == bsSpacer) return;
    TCanvas& c = Canvas();
    const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = FWidth, h = FHeight;
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        DrawBevelStroke(c, color, x1, y1, x2, y2);
    };
    switch (FShape) {
    case bsBox:
    case bsFrame:
        line(first, 0, h - 1, 0, 0);
        line(first, 0, 0, w - 1, 0);
        line(second, w - 1, 0, w - 1, h - 1);
        line(second, w - 1, h - 1, -1, h - 1);
        if (FShape == bsFrame) {
            line(second, 1, h - 2, 1, 1);
            line(second, 1, 1, w - 2, 1);
            line(first, w - 2, 1, w - 2, h - 2);
            line(first, w - 2, h - 2, 0, h - 2);
        }
        break;
    default:
        DrawBevelLines(c, FShape, w, h, first, second);
        break;
    }
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TBitmap) {
    FControlStyle |= csReplicatable;
    FWidth = 105;
    FHeight = 105;
    FPicture->OnChange = [this](TObject*) { Invalidate(); };
}

TImage::~TImage() {
    delete FPicture;
}

namespace {

void ReadPicture(TImage& image, const TPropValue& v) {
    if (v.Kind != TPropValue::vkBinary || !image.Picture().LoadFromMemory(v.Binary.data(), v.Binary.size()))
        throw EReadError("Invalid picture");
}

const TPropertyTable<TImage>& ImageProperties() {
    using namespace props;
    static const TPropertyTable<TImage> table{
        {"Stretch", Store(&TImage::Stretch, AsBool)},
        {"Center", Store(&TImage::Center, AsBool)},
        {"Transparent", Store(&TImage::Transparent, AsBool)},
        {"Picture.Data", ReadPicture},
    };
    return table;
}

} // namespace

bool TImage::SetProperty(const String& name, const TPropValue& v) {
    return ImageProperties().Set(*this, name, v) || TGraphicControl::SetProperty(name, v);
}

void TImage::SetIcon(HICON icon) {
    FIcon.SetHandle(icon);
    Invalidate();
}

void TImage::Paint() {
    if (!FIcon.Empty()) {
        const int w = FIcon.Width(), h = FIcon.Height();
        const TRect r = Stretch  ? ClientRect()
                        : Center ? Bounds((FWidth - w) / 2, (FHeight - h) / 2, w, h)
                                 : Bounds(0, 0, w, h);
        FIcon.Draw(Canvas(), r);
        return;
    }
    if (FPicture->Empty()) return;
    FPicture->SetTransparent(Transparent);
    TRect r = Bounds(0, 0, FPicture->Width(), FPicture->Height());
    if (Stretch) {
        r = ClientRect();
    } else if (Center) {
        r = Bounds((FWidth - FPicture->Width()) / 2, (FHeight - FPicture->Height()) / 2, FPicture->Width(),
                   FPicture->Height());
    }
    Canvas().StretchDraw(r, FPicture);
}

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    FAlign = alLeft;
    FWidth = 3;
    FHeight = 100;
    FCursor = crHSplit;
    FColor = clBtnFace;
}

namespace {

const TPropertyTable<TSplitter>& SplitterProperties() {
    using namespace props;
    static const TPropertyTable<TSplitter> table{
        {"MinSize", Store(&TSplitter::MinSize, AsInt)},
        {"Beveled", Store(&TSplitter::Beveled, AsBool)},
        {"AutoSnap", Store(&TSplitter::AutoSnap, AsBool)},
    };
    return table;
}

} // namespace

bool TSplitter::SetProperty(const String& name, const TPropValue& v) {
    return SplitterProperties().Set(*this, name, v) || TGraphicControl::SetProperty(name, v);
}

// The control on the splitter's aligned side that touches it.
TControl* TSplitter::FindResizeControl() const {
    if (!FParent) return nullptr;
    TPoint p{FLeft, FTop};
    switch (FAlign) {
    case alLeft:
        p.X -= 1;
        break;
    case alRight:
        p.X += FWidth;
        break;
    case alTop:
        p.Y -= 1;
        break;
    case alBottom:
        p.Y += FHeight;
        break;
    default:
        return nullptr;
    }
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* c = FParent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != FAlign) continue;
        const TRect r = c->BoundsRect();
        if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return c;
        // A control ending exactly at the splitter's edge counts too.
        if ((FAlign == alLeft && r.Right == FLeft) || (FAlign == alTop && r.Bottom == FTop) ||
            (FAlign == alRight && r.Left == FLeft + FWidth) ||
            (FAlign == alBottom && r.Top == FTop + FHeight))
            return c;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FControl = FindResizeControl();
    FDownPos = ClientToScreen({X, Y});
    FOldSize = FControl ? (Horizontal() ? FControl->Width() : FControl->Height()) : 0;
    FDragging = FControl != nullptr;
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging || !FControl) return;
    const TPoint p = ClientToScreen({X, Y});
    int delta = Horizontal() ? p.X - FDownPos.X : p.Y - FDownPos.Y;
    if (FAlign == alRight || FAlign == alBottom) delta = -delta;
    int size = std::max(FOldSize + delta, MinSize);
    bool accept = true;
    if (OnCanResize) OnCanResize(this, size, accept);
    if (!accept) return;
    if (Horizontal())
        FControl->SetWidth(size);
    else
        FControl->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    if (OnMoved) OnMoved(this);
}

void TSplitter::Paint() {
    TCanvas& c = Canvas();
    c.Brush().Color = FColor;
    c.FillRect(ClientRect());
    if (Beveled) {
        c.Pen().Color = clBtnHighlight;
        c.MoveTo(0, 0);
        c.LineTo(Horizontal() ? 0 : FWidth, Horizontal() ? FHeight : 0);
        c.Pen().Color = clBtnShadow;
        c.MoveTo(Horizontal() ? FWidth - 1 : 0, Horizontal() ? 0 : FHeight - 1);
        c.LineTo(FWidth - (Horizontal() ? 1 : 0), FHeight - (Horizontal() ? 0 : 1));
    }
    if (OnPaint) OnPaint(this);
}

} // namespace vd
