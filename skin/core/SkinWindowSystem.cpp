#include "skin/core/SkinWindowSystem.h"

#include "platform/win/Windows.h"

namespace vd {

namespace {
TskSkinWindowSystem* gWindowSystem = nullptr;
}

void TskWinSkinMessenger::SendSkinMessage(HWND window, unsigned msg, TskSkinData* skin, int lParam) {
    SendMessage(window, msg, reinterpret_cast<WPARAM>(skin), lParam);
}

TskSkinWindowSystem* SkinWindowSystem() { return gWindowSystem; }
void SetSkinWindowSystem(TskSkinWindowSystem* system) { gWindowSystem = system; }

} // namespace vd
