#include "app/core/AppSettings.h"

namespace vd {

TAppSettings AppSettings;
std::vector<String> PluginFiles;
std::atomic<bool> DeviceChanged{false};
std::atomic<bool> StreamInfoChanged{false};

std::mutex& AppSettingsLock() {
    static std::mutex lock;
    return lock;
}

TAppSettings CopyAppSettings() {
    std::lock_guard<std::mutex> lock(AppSettingsLock());
    return AppSettings;
}

void AssignAppSettings(const TAppSettings& settings) {
    std::lock_guard<std::mutex> lock(AppSettingsLock());
    AppSettings = settings;
}

} // namespace vd
