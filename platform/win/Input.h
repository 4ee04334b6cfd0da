#pragma once
// Outside input as a back end delivers it: screen coordinates, buttons, keys. The core queues it
// on the input thread and routes it (hit test, activation, cursor, capture) when the message
// loop takes it, so input is seen in order with the state its earlier messages left behind.
#include "platform/win/WinTypes.h"

#include <cstdint>

namespace vd {

enum class RawButton { None, Left, Right, Middle };

struct RawInput {
    enum Kind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp } kind = MouseMove;
    TPoint screen; // mouse events
    RawButton button = RawButton::None;
    int wheelDelta = 0;   // +120 per notch away from the user
    int vk = 0;           // key events
    std::uint32_t ch = 0; // the character the key produces (UTF-32), 0 for none
    bool repeat = false;
};

void QueueInput(const RawInput& in);

} // namespace vd
