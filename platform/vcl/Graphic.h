#pragma once
// A picture that can draw itself on a canvas.
#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/Forward.h"

namespace vd {

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual void Draw(TCanvas& canvas, const TRect& r) = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v) { FTransparent = v; }
    TNotifyEvent OnChange;

protected:
    bool FTransparent = false;
};

} // namespace vd
