#pragma once
// TCustomLabel / TLabel: text on the parent's surface, optionally sizing itself to the text.
#include "platform/vcl/GraphicControl.h"

namespace vd {

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    bool Transparent() const { return (FControlStyle & csOpaque) == 0; }
    void SetTransparent(bool v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    // Fits the size to the text, keeping the edge the alignment anchors.
    void AdjustBounds();
    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    void GetProperties(TPropList& out) const override;

protected:
    void Paint() override;
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    void Loaded() override;
    UINT TextFlags() const;

    bool FAutoSize = true;
    bool FWordWrap = false;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    TComponentLink<TWinControl> FFocusControl{this};
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

} // namespace vd

#include "platform/vcl/StdCtrls/Edit.h"
#include "platform/vcl/StdCtrls/ListBox.h"
