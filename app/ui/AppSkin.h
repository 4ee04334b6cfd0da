#pragma once
// The stored skin of the main window, which the program's other windows load into their own
// skin objects, and the main window's skin object, which the plug-in chooser shares. Set by
// the main window; nullptr until then (windows stay unskinned).
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

const TskCompressedStoredSkin* MainStoredSkin();
void SetMainStoredSkin(const TskCompressedStoredSkin* skin);

TskSkinData* MainSkinData();
void SetMainSkinData(TskSkinData* skin);

// Gives every skinned component that Owner owns the skin object Skin.
void AssignSkinData(TComponent* Owner, TskSkinData* Skin);

} // namespace vd
