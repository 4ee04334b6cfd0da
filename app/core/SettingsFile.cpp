#include "app/core/SettingsFile.h"

#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsIni.h"
#include "platform/shell/Autostart.h"

#include <limits>
#include <variant>

namespace vd {

std::function<void(const String& folder)> OnScanPlugins;

namespace {

const char* const SSetting = "Setting";
const char* const SEmail = "E-mail";
const char* const SPlugins = "Plugins";
constexpr std::size_t LanguageLength = 64;

using TStringField = String TAppSettings::*;
using TIntField = std::int32_t TAppSettings::*;
using TBoolField = bool TAppSettings::*;
// The record holds 16 bits: a value outside them is not a port, so it keeps the default.
using TPortField = std::int16_t TAppSettings::*;
// Plain in the record, scrambled in the file.
struct TSecretField {
    String TAppSettings::*Field;
};

struct TSettingKey {
    const char* Section;
    const char* Key;
    std::variant<TStringField, TIntField, TBoolField, TPortField, TSecretField> Field;
};

// [Setting] and [E-mail] in the order the file has always had them; the window position and
// [Plugins] have writers of their own.
const TSettingKey SettingKeys[] = {
    {SSetting, "Language", &TAppSettings::Language},
    {SSetting, "Device", &TAppSettings::Device},
    {SSetting, "DeviceName", &TAppSettings::DeviceName},
    {SSetting, "WaitMode", &TAppSettings::WaitMode},
    {SSetting, "Sample", &TAppSettings::Sample},
    {SSetting, "ToTray", &TAppSettings::ToTray},
    {SSetting, "InfoName", &TAppSettings::InfoName},
    {SSetting, "InfoDesc", &TAppSettings::InfoDesc},
    {SSetting, "InfoURL", &TAppSettings::InfoURL},
    {SSetting, "InfoGenre", &TAppSettings::InfoGenre},
    {SSetting, "InfoAIM", &TAppSettings::InfoAIM},
    {SSetting, "InfoIRC", &TAppSettings::InfoIRC},
    {SSetting, "InfoICQ", &TAppSettings::InfoICQ},
    {SSetting, "TitleMode", &TAppSettings::TitleMode},
    {SSetting, "TitleFile", &TAppSettings::TitleFile},
    {SSetting, "TitlePort", &TAppSettings::TitlePort},
    {SSetting, "TitleIPOnly", &TAppSettings::TitleIPOnly},
    {SSetting, "TitleIP", &TAppSettings::TitleIP},
    {SSetting, "TitlePass", TSecretField{&TAppSettings::TitlePass}},
    {SSetting, "TitleAsString", &TAppSettings::TitleAsString},
    {SSetting, "TimeError", &TAppSettings::TimeError},
    {SSetting, "TimeRestore", &TAppSettings::TimeRestore},
    {SEmail, "EMail", &TAppSettings::EMail},
    {SEmail, "Auth", &TAppSettings::Auth},
    {SEmail, "SendTo", &TAppSettings::SendTo},
    {SEmail, "Host", &TAppSettings::Host},
    {SEmail, "From", &TAppSettings::From},
    {SEmail, "User", &TAppSettings::User},
    {SEmail, "Password", TSecretField{&TAppSettings::Password}},
    {SEmail, "Port", &TAppSettings::Port},
    {SEmail, "SSL", &TAppSettings::SSL},
    {SSetting, "TextUTF8", &TAppSettings::TextUTF8},
    {SSetting, "InfoUTF8", &TAppSettings::InfoUTF8},
};

// Reads into a fresh record: a missing key keeps the field's initial value, the file's default.
struct TKeyReader {
    const TSettingsIni& Ini;
    const TSettingKey& K;
    TAppSettings& S;
    void operator()(TStringField f) const { S.*f = Ini.ReadString(K.Section, K.Key, S.*f); }
    void operator()(TIntField f) const { S.*f = Ini.ReadInteger(K.Section, K.Key, S.*f); }
    void operator()(TBoolField f) const { S.*f = Ini.ReadBool(K.Section, K.Key, S.*f); }
    void operator()(TPortField f) const {
        const std::int32_t port = Ini.ReadInteger(K.Section, K.Key, S.*f);
        if (port >= std::numeric_limits<std::int16_t>::min() &&
            port <= std::numeric_limits<std::int16_t>::max())
            S.*f = static_cast<std::int16_t>(port);
    }
    void operator()(TSecretField f) const {
        S.*f.Field = UnscramblePassword(Ini.ReadString(K.Section, K.Key, ""));
    }
};

struct TKeyWriter {
    TSettingsIni& Ini;
    const TSettingKey& K;
    const TAppSettings& S;
    void operator()(TStringField f) const { Ini.WriteString(K.Section, K.Key, S.*f); }
    void operator()(TIntField f) const { Ini.WriteInteger(K.Section, K.Key, S.*f); }
    void operator()(TBoolField f) const { Ini.WriteBool(K.Section, K.Key, S.*f); }
    void operator()(TPortField f) const { Ini.WriteInteger(K.Section, K.Key, S.*f); }
    void operator()(TSecretField f) const { Ini.WriteString(K.Section, K.Key, ScramblePassword(S.*f.Field)); }
};

} // namespace

void ReadSettings() {
    ReadSettings(TSize{1024, 768});
}

void ReadSettings(TSize screen) {
    DeviceChanged = false;
    StreamInfoChanged = false;
    const TSettingsIni ini(SettingsFilePath());
    TAppSettings s;
    for (const TSettingKey& k : SettingKeys)
        std::visit(TKeyReader{ini, k, s}, k.Field);
    s.Language = CutText(s.Language, LanguageLength);
    s.PosX = ini.ReadInteger(SSetting, "PosX", (screen.cx - 510) / 2);
    s.PosY = ini.ReadInteger(SSetting, "PosY", (screen.cy - 420) / 2);
    s.PosW = ini.ReadInteger(SSetting, "PosW", 510);
    s.PosH = ini.ReadInteger(SSetting, "PosH", 420);
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
    for (const TSettingKey& k : SettingKeys)
        std::visit(TKeyWriter{ini, k, s}, k.Field);
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
