#include "skin/controls/SkinScrollBarFaces.h"

namespace vd {

TBitmap& TskFaceCache::Get(const TskFaceKey& key, const std::function<void(TBitmap&)>& compose) {
    if (FPicture && FKey == key) return *FPicture;
    FPicture = std::make_unique<TBitmap>(key.W, key.H);
    compose(*FPicture);
    FKey = key;
    ++FCompositions;
    return *FPicture;
}

} // namespace vd
