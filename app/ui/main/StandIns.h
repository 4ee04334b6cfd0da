#pragma once
// Stand-ins for the stream editor, the settings window and the plug-in chooser until those
// windows are merged: the buttons do nothing and nothing is saved.
namespace vd {

bool EditStationStandIn(int index);
bool ShowSettingsStandIn();
void ShowPluginsWindowStandIn();

} // namespace vd
