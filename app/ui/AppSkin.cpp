#include "app/ui/AppSkin.h"

namespace vd {

namespace {
const TskCompressedStoredSkin* StoredSkin = nullptr;
}

const TskCompressedStoredSkin* MainStoredSkin() {
    return StoredSkin;
}

void SetMainStoredSkin(const TskCompressedStoredSkin* skin) {
    StoredSkin = skin;
}

} // namespace vd
