#include "skin/core/SkinFrameLink.h"

namespace vd {

namespace {
// UI thread only, like the frames that set it.
TskFrameSkinLookup gLookup = nullptr;
} // namespace

void SetFrameSkinLookup(TskFrameSkinLookup Lookup) {
    gLookup = Lookup;
}

TskSkinData* FrameSkinData(TComponent* Form) {
    return gLookup && Form ? gLookup(Form) : nullptr;
}

} // namespace vd
