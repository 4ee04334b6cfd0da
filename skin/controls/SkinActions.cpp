#include "skin/controls/SkinActions.h"

#include "platform/vcl/ActnList.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"

namespace vd {

bool TakeActionGlyph(TBasicAction* Sender, TBitmap& Glyph) {
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action || !Glyph.Empty() || !action->ActionList()) return false;
    TCustomImageList* images = action->ActionList()->Images;
    const int index = action->ImageIndex();
    if (!images || index < 0 || index >= images->Count()) return false;
    Glyph.SetSize(images->Width(), images->Height());
    Glyph.Canvas().Brush().Color = clFuchsia;
    Glyph.Canvas().FillRect(TRect{0, 0, images->Width(), images->Height()});
    images->Draw(Glyph.Canvas(), 0, 0, index, true);
    return true;
}

void ClickOrExecute(TObject* Sender, const TNotifyEvent& OnClick, TBasicAction* Action) {
    if (OnClick)
        OnClick(Sender);
    else if (Action)
        Action->Execute();
}

} // namespace vd
