#pragma once
// The skin's pictures of one small button drawn inside a control (an arrow of a scroll bar, a
// spin edit or a list caption): plain, hot and pressed. The plain look is part of the control's
// face; the hot and pressed pictures are stretched over the button.
#include "platform/rtl/Types.h"
#include "platform/vcl/Forward.h"
#include "skin/store/Forward.h"

#include <array>

namespace vd {

struct TskButtonPictures {
    TRect Plain, Hot, Pressed;

    // The record's three as they are, but a missing pressed picture is the hot one.
    static TskButtonPictures Of(const TRect& Plain, const TRect& Hot, const TRect& Pressed);
    // Each missing picture is the one before it: hot the plain, pressed the hot.
    static TskButtonPictures Chained(const TRect& Plain, const TRect& Hot, const TRect& Pressed);

    // The picture over the face for the state; empty for the plain state.
    TRect For(bool Down, bool MouseIn) const;
    // That picture stretched over R; nothing for the plain state or an empty picture.
    void Draw(TCanvas& Canvas, const TRect& R, const TskBitmap& Picture, bool Down, bool MouseIn) const;
};

// The up (0) and down (1) arrows of a record with the six button fields.
template <class Record> std::array<TskButtonPictures, 2> ArrowPictures(const Record& r) {
    return {TskButtonPictures::Of(r.upbuttonrect, r.activeupbuttonrect, r.downupbuttonrect),
            TskButtonPictures::Of(r.downbuttonrect, r.activedownbuttonrect, r.downdownbuttonrect)};
}

} // namespace vd
