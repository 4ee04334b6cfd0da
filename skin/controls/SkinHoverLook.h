#pragma once
// The answer of a control with a hover look (the buttons, the check box) to an enable or caption
// change, once its base class has seen the message.
#include "platform/vcl/Forward.h"

namespace vd {

class TskMorph;

// CM_ENABLEDCHANGED or CM_TEXTCHANGED: the control paints afresh; an enable change also drops
// the hover and the cross-fade, which a disabled control does not show.
void HoverLookChanged(TControl& Control, unsigned Msg, TskMorph& Morph, bool CanMorph, bool& Hot);

} // namespace vd
