#include "app/ui/main/StandIns.h"

namespace vd {

bool EditStationStandIn(int) {
    return false;
}

bool ShowSettingsStandIn() {
    return false;
}

void ShowPluginsWindowStandIn() {}

} // namespace vd
