// The program entry. Until the main window exists it starts what runs so far:
// the language file, the settings and the streams, and reports them.
#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsFile.h"
#include "app/core/StationList.h"
#include "app/core/StationStore.h"
#include "app/core/VersionInfo.h"
#include "platform/audio/FileLimit.h"

#include <cstdio>

namespace {

const char* const ProductName = "Tarvolin Vendrill";

int Run() {
    using namespace vd;
    TLanguage language(ProgramBaseName() + ".");
    if (!language.SelectFromIni(String(), "Setting", "English"))
        return 1; // the message is shown; there is nothing to start without texts
    AppLanguage = &language;

    const TrpVersionInfo version;
    std::printf("%s\n", VersionCaption(ProductName, version).c_str());
    std::printf("Language: %s (%s)\n", language.GetConstant("Language", "").c_str(),
                language.FileName().c_str());

    ReadSettings();
    ReadStations();
    std::printf("Settings: %s\n", SettingsFilePath().c_str());
    std::printf("Streams: %d\n", StationList.Count());
    std::printf("The main window is not built yet; nothing more to start.\n");

    StationList.Clear();
    AppLanguage = nullptr;
    return 0;
}

} // namespace

int main() {
    // Each listener of the own port and each encoder pipe takes a descriptor.
    vd::audio::RaiseOpenFileLimit();
    try {
        return Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Tarvolin Vendrill: %s\n", e.what());
        return 1;
    }
}
