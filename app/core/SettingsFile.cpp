#include "app/core/SettingsFile.h"

#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsIni.h"
#include "platform/shell/Autostart.h"

#include <limits>

namespace vd {

std::function<void(const String& folder)> OnScanPlugins;

namespace {

const char* const SSetting = "Setting";
const char* const SEmail = "E-mail";
const char* const SPlugins = "Plugins";
constexpr std::size_t LanguageLength = 64;

// Fields of [Setting] up to the window position.
void ReadMain(const TSettingsIni& ini, TAppSettings& s) {
    s.Language = CutText(ini.ReadString(SSetting, "Language", "English"), LanguageLength);
    s.Device = ini.ReadInteger(SSetting, "Device", 0);
    s.DeviceName = ini.ReadString(SSetting, "DeviceName", "");
    s.WaitMode = ini.ReadBool(SSetting, "WaitMode", false);
    s.Sample = ini.ReadInteger(SSetting, "Sample", 44100);
    s.ToTray = ini.ReadBool(SSetting, "ToTray", false);
    s.InfoName = ini.ReadString(SSetting, "InfoName", "");
    s.InfoDesc = ini.ReadString(SSetting, "InfoDesc", "");
    s.InfoURL = ini.ReadString(SSetting, "InfoURL", "");
    s.InfoGenre = ini.ReadString(SSetting, "InfoGenre", "");
    s.InfoAIM = ini.ReadString(SSetting, "InfoAIM", "");
    s.InfoIRC = ini.ReadString(SSetting, "InfoIRC", "");
    s.InfoICQ = ini.ReadString(SSetting, "InfoICQ", "");
    s.TitleMode = ini.ReadInteger(SSetting, "TitleMode", 0);
    s.TitleFile = ini.ReadString(SSetting, "TitleFile", "");
    s.TitlePort = ini.ReadInteger(SSetting, "TitlePort", 7999);
    s.TitleIPOnly = ini.ReadBool(SSetting, "TitleIPOnly", false);
    s.TitleIP = ini.ReadString(SSetting, "TitleIP", "127.0.0.1");
    s.TitlePass = UnscramblePassword(ini.ReadString(SSetting, "TitlePass", ""));
    s.TitleAsString = ini.ReadBool(SSetting, "TitleAsString", false);
}

void ReadEmail(const TSettingsIni& ini, TAppSettings& s) {
    s.EMail = ini.ReadBool(SEmail, "EMail", false);
    s.Auth = ini.ReadBool(SEmail, "Auth", false);
    s.SendTo = ini.ReadString(SEmail, "SendTo", "");
    s.Host = ini.ReadString(SEmail, "Host", "");
    s.From = ini.ReadString(SEmail, "From", "");
    s.User = ini.ReadString(SEmail, "User", "");
    s.Password = UnscramblePassword(ini.ReadString(SEmail, "Password", ""));
    // The record holds 16 bits: a port outside them is not a port, so it takes the default.
    const std::int32_t port = ini.ReadInteger(SEmail, "Port", 25);
    s.Port =
        (port < std::numeric_limits<std::int16_t>::min() || port > std::numeric_limits<std::int16_t>::max())
            ? std::int16_t(25)
            : static_cast<std::int16_t>(port);
    s.SSL = ini.ReadBool(SEmail, "SSL", false);
}

} // namespace

void ReadSettings() {
    ReadSettings(TSize{1024, 768});
}

void ReadSettings(TSize screen) {
    DeviceChanged = false;
    StreamInfoChanged = false;
    const TSettingsIni ini(SettingsFilePath());
    TAppSettings s;
    ReadMain(ini, s);
    s.PosX = ini.ReadInteger(SSetting, "PosX", (screen.cx - 510) / 2);
    s.PosY = ini.ReadInteger(SSetting, "PosY", (screen.cy - 420) / 2);
    s.PosW = ini.ReadInteger(SSetting, "PosW", 510);
    s.PosH = ini.ReadInteger(SSetting, "PosH", 420);
    s.TimeError = ini.ReadInteger(SSetting, "TimeError", 30);
    s.TimeRestore = ini.ReadInteger(SSetting, "TimeRestore", 30);
    ReadEmail(ini, s);
    s.TextUTF8 = ini.ReadBool(SSetting, "TextUTF8", false);
    s.InfoUTF8 = ini.ReadBool(SSetting, "InfoUTF8", false);
    s.Path = ini.ReadString(SPlugins, "Path", ProgramFolder());
    AssignAppSettings(s);
    if (OnScanPlugins) OnScanPlugins(s.Path);
    PluginFiles.clear();
    for (int n = 1;; ++n) {
        const String name = ini.ReadString(SPlugins, "File" + std::to_string(n), "");
        if (name.empty()) break;
        PluginFiles.push_back(name);
    }
}

bool WriteSettings() {
    const TAppSettings s = CopyAppSettings();
    TSettingsIni ini(SettingsFilePath());
    ini.WriteString(SSetting, "Language", s.Language);
    ini.WriteInteger(SSetting, "Device", s.Device);
    ini.WriteString(SSetting, "DeviceName", s.DeviceName);
    ini.WriteBool(SSetting, "WaitMode", s.WaitMode);
    ini.WriteInteger(SSetting, "Sample", s.Sample);
    ini.WriteBool(SSetting, "ToTray", s.ToTray);
    ini.WriteString(SSetting, "InfoName", s.InfoName);
    ini.WriteString(SSetting, "InfoDesc", s.InfoDesc);
    ini.WriteString(SSetting, "InfoURL", s.InfoURL);
    ini.WriteString(SSetting, "InfoGenre", s.InfoGenre);
    ini.WriteString(SSetting, "InfoAIM", s.InfoAIM);
    ini.WriteString(SSetting, "InfoIRC", s.InfoIRC);
    ini.WriteString(SSetting, "InfoICQ", s.InfoICQ);
    ini.WriteInteger(SSetting, "TitleMode", s.TitleMode);
    ini.WriteString(SSetting, "TitleFile", s.TitleFile);
    ini.WriteInteger(SSetting, "TitlePort", s.TitlePort);
    ini.WriteBool(SSetting, "TitleIPOnly", s.TitleIPOnly);
    ini.WriteString(SSetting, "TitleIP", s.TitleIP);
    ini.WriteString(SSetting, "TitlePass", ScramblePassword(s.TitlePass));
    ini.WriteBool(SSetting, "TitleAsString", s.TitleAsString);
    ini.WriteInteger(SSetting, "TimeError", s.TimeError);
    ini.WriteInteger(SSetting, "TimeRestore", s.TimeRestore);
    ini.WriteBool(SEmail, "EMail", s.EMail);
    ini.WriteBool(SEmail, "Auth", s.Auth);
    ini.WriteString(SEmail, "SendTo", s.SendTo);
    ini.WriteString(SEmail, "Host", s.Host);
    ini.WriteString(SEmail, "From", s.From);
    ini.WriteString(SEmail, "User", s.User);
    ini.WriteString(SEmail, "Password", ScramblePassword(s.Password));
    ini.WriteInteger(SEmail, "Port", s.Port);
    ini.WriteBool(SEmail, "SSL", s.SSL);
    ini.WriteBool(SSetting, "TextUTF8", s.TextUTF8);
    ini.WriteBool(SSetting, "InfoUTF8", s.InfoUTF8);
    return ini.Save();
}

bool WriteWindowPos(int x, int y, int w, int h) {
    {
        std::lock_guard<std::mutex> lock(AppSettingsLock());
        AppSettings.PosX = x;
        AppSettings.PosY = y;
        AppSettings.PosW = w;
        AppSettings.PosH = h;
    }
    TSettingsIni ini(SettingsFilePath());
    ini.WriteInteger(SSetting, "PosX", x);
    ini.WriteInteger(SSetting, "PosY", y);
    ini.WriteInteger(SSetting, "PosW", w);
    ini.WriteInteger(SSetting, "PosH", h);
    return ini.Save();
}

bool WritePlugins() {
    const String path = CopyAppSettings().Path;
    TSettingsIni ini(SettingsFilePath());
    ini.EraseSection(SPlugins);
    ini.WriteString(SPlugins, "Path", path);
    for (std::size_t i = 0; i < PluginFiles.size(); ++i)
        ini.WriteString(SPlugins, "File" + std::to_string(i + 1), PluginFiles[i]);
    return ini.Save();
}

bool ReadAutoStart() {
    return ReadAutoStart(ProgramFile());
}

bool WriteAutoStart(bool on) {
    return WriteAutoStart(ProgramFile(), on);
}

} // namespace vd
