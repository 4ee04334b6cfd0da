#pragma once
// The stream sections of the settings file ("Stream001", "Stream002", ...) and the texts
// composed from a stream record.
#include "platform/rtl/String.h"

#include <vector>

namespace vd {

class TStationRecord;
class TSettingsIni;

// "Stream" + "%3.3d" of index + 1.
String StationSectionName(int index);

// The stream sections of the file (names beginning with "Stream" in any letter case):
// Stream001, Stream002, ... by number (Stream1000 after Stream101), then the others by name.
std::vector<String> StationSections(const TSettingsIni& ini);

// Replaces StationList by the streams of the settings file, in section order;
// streams marked Auto are set to Connect.
void ReadStations();
// Reads the configuration keys of one section into the record (defaults, cuts, Buffer clamp).
void ReadStation(TStationRecord& record, const TSettingsIni& ini, const String& section);
// Writes the record at this index into its numbered section; out of range does nothing.
// When the file's stream sections are not exactly Stream001..StreamN (a gap, an odd name),
// every stream section is rewritten from StationList so that nothing is left twice.
// False when the file could not be saved.
bool WriteStation(int index);
// Removes the stream at this index and renumbers the sections of those after it;
// false when out of range or when the file could not be saved.
bool DeleteStation(int index);

// "host:port", with ",ID" for Shoutcast v2 and "/mount" for Icecast.
String StationServerAddress(const TStationRecord& record);
// The password handed to the cast: "user:password" for Shoutcast v2.
String StationServerPassword(const TStationRecord& record);
// Whether an allowed-address list ("a.b.c.d;..." with "*" parts) is well formed.
bool CheckCorrectIP(const String& list);

} // namespace vd
