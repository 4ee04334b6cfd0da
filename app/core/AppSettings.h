#pragma once
// The program-wide settings record, filled from the settings file at start-up.
#include "platform/rtl/String.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace vd {

struct TAppSettings {
    // [Setting]
    String Language = "English"; // language file name without the program prefix, at most 64
    std::int32_t Device = 0;
    String DeviceName;
    bool WaitMode = false; // open the device by name (and wait while it is missing)
    std::int32_t Sample = 44100;
    bool ToTray = false;
    String InfoName;
    String InfoDesc;
    String InfoURL;
    String InfoGenre;
    String InfoAIM;
    String InfoIRC;
    String InfoICQ;
    bool InfoUTF8 = false;
    std::int32_t TitleMode = 0; // 0 title file, 1 title port
    String TitleFile;
    std::int32_t TitlePort = 7999;
    bool TitleIPOnly = false;
    String TitleIP = "127.0.0.1";
    String TitlePass; // plain in memory, scrambled in the file
    bool TitleAsString = false;
    // [Plugins]
    String Path; // plug-in folder, no trailing '/'
    // [Setting]
    std::int32_t PosX = 0;
    std::int32_t PosY = 0;
    std::int32_t PosW = 510;
    std::int32_t PosH = 420;
    std::int32_t TimeError = 30;   // seconds
    std::int32_t TimeRestore = 30; // seconds
    // [E-mail]
    bool EMail = false;
    bool Auth = false;
    String SendTo;
    String Host;
    String From;
    String User;
    String Password; // plain in memory, scrambled in the file
    std::int16_t Port = 25;
    bool SSL = false;
    // [Setting]
    bool TextUTF8 = false;

    friend bool operator==(const TAppSettings&, const TAppSettings&) = default;
};

// The record itself. The GUI thread is its only writer and reads it directly; writers hold
// AppSettingsLock() while they change it, other threads read through CopyAppSettings().
extern TAppSettings AppSettings;
// File names (without folder) of the plug-ins in use, in chain order; GUI thread only.
extern std::vector<String> PluginFiles;
// Set by the settings window, read and cleared by the main tick.
extern std::atomic<bool> DeviceChanged;
extern std::atomic<bool> StreamInfoChanged;

std::mutex& AppSettingsLock();
TAppSettings CopyAppSettings();
void AssignAppSettings(const TAppSettings& settings);

} // namespace vd
