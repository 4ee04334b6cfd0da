#pragma once
// Dialog units of a window font: base X = the width of the 52 letters A-Z and a-z div 52, base Y
// = their height; n horizontal units are MulDiv(n, base X, 4) pixels, n vertical ones
// MulDiv(n, base Y, 8).
#include "platform/vcl/Font.h"

namespace vd {

struct TDialogUnits {
    int BaseX = 0, BaseY = 0;
    int X(int n) const;
    int Y(int n) const;
};

TDialogUnits MeasureDialogUnits(const TFont& Font);

} // namespace vd
