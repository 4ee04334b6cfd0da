#pragma once
// What the skinned buttons and boxes take from a linked action beyond the class library's
// caption, enabled, hint and visible: a glyph from the action list's images, and the click rule.
#include "platform/rtl/Object.h"
#include "platform/vcl/Forward.h"

namespace vd {

// An empty glyph becomes the action's image (over clFuchsia, the strip drawing's transparent
// colour); true when it did. A glyph already set, or an action without a valid image, stays.
bool TakeActionGlyph(TBasicAction* Sender, TBitmap& Glyph);

// A click: the control's own OnClick when set, else the linked action. The link never copies
// the action's OnExecute into OnClick, so a set OnClick is always the control's own handler.
void ClickOrExecute(TObject* Sender, const TNotifyEvent& OnClick, TBasicAction* Action);

} // namespace vd
