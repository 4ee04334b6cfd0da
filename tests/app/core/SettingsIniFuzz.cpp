// The settings file may be edited by hand: any text must read, write and renumber
// its stream sections without a crash or a hang.
#include "app/core/SettingsIni.h"
#include "app/core/StationRecord.h"
#include "app/core/StationStore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vd;
    TSettingsIni ini;
    ini.SetText(String(reinterpret_cast<const char*>(data), size));
    for (const String& section : StationSections(ini)) {
        TStationRecord record;
        ReadStation(record, ini, section);
        (void)StationServerAddress(record);
        CheckCorrectIP(record.AllowIP);
    }
    ini.ReadInteger("Setting", "Sample", 44100);
    ini.ReadBool("E-mail", "SSL", false);
    ini.WriteString("Setting", "Language", "English.lng");
    ini.DeleteKey("Setting", "Device");
    for (const String& section : ini.ReadSections())
        ini.EraseSection(section);
    return 0;
}
