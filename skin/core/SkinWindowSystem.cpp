#include "skin/core/SkinWindowSystem.h"

namespace vd {

namespace {
TskSkinWindowSystem* gWindowSystem = nullptr;
}

TskSkinWindowSystem* SkinWindowSystem() { return gWindowSystem; }
void SetSkinWindowSystem(TskSkinWindowSystem* system) { gWindowSystem = system; }

} // namespace vd
