#include "skin/controls/SkinHoverLook.h"

#include "platform/vcl/Control.h"
#include "platform/win/Messages.h"
#include "skin/controls/SkinEffects.h"

namespace vd {

void HoverLookChanged(TControl& Control, unsigned Msg, TskMorph& Morph, bool CanMorph, bool& Hot) {
    if (Msg == CM_ENABLEDCHANGED) {
        if (CanMorph) Morph.Reset();
        Hot = false;
    }
    Control.Repaint();
}

} // namespace vd
