#pragma once
// The skinned window of the demonstration program (vd_demo --skinned).
#include "platform/shell/NotifyIcon.h"
#include "platform/vcl/Forward.h"
#include "skin/core/SkinStoredSkin.h"

#include <memory>

namespace vd {

class X11TrayHost;

class TSkinnedDemo {
public:
    // Docks tray icons in the desktop's tray when one can be reached.
    TSkinnedDemo();
    ~TSkinnedDemo();
    TForm* CreateWindow();

private:
    std::unique_ptr<X11TrayHost> FTray;
    std::unique_ptr<TskCompressedStoredSkin> FStored;
};

} // namespace vd
