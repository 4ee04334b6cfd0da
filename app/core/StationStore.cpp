#include "app/core/StationStore.h"

#include "app/core/Engine.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsIni.h"
#include "app/core/StationList.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstdio>

namespace vd {

namespace {

const char* const SectionPrefix = "Stream";

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(high, value));
}

bool IsStreamSection(const String& name) {
    return name.size() >= 6 && SameText(name.substr(0, 6), "STREAM");
}

// The number of a section named exactly as StationSectionName writes it, else 0.
long CanonicalNumber(const String& name) {
    const String digits = name.substr(6);
    if (digits.size() < 3 || digits.size() > 9) return 0;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
    const long n = std::stol(digits);
    if (n < 1 || StationSectionName(static_cast<int>(n - 1)).substr(6) != digits) return 0;
    return n;
}

void WriteSection(TSettingsIni& ini, const TStationConfig& c, const String& section) {
    ini.EraseSection(section);
    ini.WriteInteger(section, "Mode", c.Mode);
    ini.WriteString(section, "URL", c.URL);
    ini.WriteInteger(section, "Port", c.Port);
    ini.WriteString(section, "User", c.User);
    ini.WriteString(section, "Password", ScramblePassword(c.Password));
    ini.WriteString(section, "ID", c.ID);
    if (c.Mode == smDirect) ini.WriteString(section, "AllowIP", c.AllowIP);
    ini.WriteInteger(section, "Title", c.Title);
    ini.WriteBool(section, "LockFreq", c.LockFreq);
    ini.WriteInteger(section, "Type", c.Type);
    ini.WriteInteger(section, "Bitrate", c.Bitrate);
    ini.WriteInteger(section, "Channels", c.Channels);
    ini.WriteBool(section, "Public", c.Public);
    ini.WriteBool(section, "Auto", c.Auto);
    if (c.Mode == smDirect) ini.WriteInteger(section, "Buffer", c.Buffer);
}

// Whether the file's stream sections are exactly Stream001..StreamN.
bool SectionsMatchList(const TSettingsIni& ini, int count) {
    const std::vector<String> sections = StationSections(ini);
    if (static_cast<int>(sections.size()) != count) return false;
    for (int i = 0; i < count; ++i)
        if (CanonicalNumber(sections[static_cast<std::size_t>(i)]) != i + 1) return false;
    return true;
}

// Every stream section rewritten from the list: nothing duplicated, nothing stale.
void RewriteAll(TSettingsIni& ini, const std::vector<TStationPtr>& list) {
    for (const String& name : StationSections(ini))
        ini.EraseSection(name);
    for (std::size_t i = 0; i < list.size(); ++i)
        WriteSection(ini, list[i]->Config(), StationSectionName(static_cast<int>(i)));
}

} // namespace

String StationSectionName(int index) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%03d", SectionPrefix, index + 1);
    return buf;
}

std::vector<String> StationSections(const TSettingsIni& ini) {
    std::vector<std::pair<long, String>> numbered;
    std::vector<String> others;
    for (const String& name : ini.ReadSections()) {
        if (!IsStreamSection(name)) continue;
        if (const long n = CanonicalNumber(name))
            numbered.emplace_back(n, name);
        else
            others.push_back(name);
    }
    std::sort(numbered.begin(), numbered.end());
    std::stable_sort(others.begin(), others.end(),
                     [](const String& a, const String& b) { return UpperCase(a) < UpperCase(b); });
    std::vector<String> result;
    for (auto& entry : numbered)
        result.push_back(std::move(entry.second));
    for (auto& name : others)
        result.push_back(std::move(name));
    return result;
}

void ReadStation(TStationRecord& record, const TSettingsIni& ini, const String& section) {
    TStationConfig c;
    // Choices are kept as stored: the connector treats an unknown type as MP3 and an unknown mode
    // as a server cast, and only the editor clamps them into its controls.
    c.Mode = ini.ReadInteger(section, "Mode", 0);
    c.URL = ini.ReadString(section, "URL", "");
    c.Port = ini.ReadInteger(section, "Port", 8000);
    c.User = ini.ReadString(section, "User", "");
    c.Password = UnscramblePassword(ini.ReadString(section, "Password", ""));
    c.ID = ini.ReadString(section, "ID", "");
    c.AllowIP = ini.ReadString(section, "AllowIP", "*.*.*.*");
    c.Title = ini.ReadInteger(section, "Title", 0);
    c.LockFreq = ini.ReadBool(section, "LockFreq", false);
    c.Type = ini.ReadInteger(section, "Type", 0);
    c.Bitrate = ini.ReadInteger(section, "Bitrate", 128);
    c.Channels = ini.ReadInteger(section, "Channels", 0);
    c.Public = ini.ReadBool(section, "Public", false);
    c.Auto = ini.ReadBool(section, "Auto", false);
    c.Buffer = Clamp(ini.ReadInteger(section, "Buffer", 64), 16, 512);
    record.SetConfig(c); // cuts the texts to their lengths
}

void ReadStations() {
    const TSettingsIni ini(SettingsFilePath());
    StationList.Clear();
    for (const String& section : StationSections(ini)) {
        auto record = std::make_shared<TStationRecord>();
        ReadStation(*record, ini, section);
        record->LastError = 0;
        record->LogPending = false;
        if (record->Auto) record->State = ssConnect;
        StationList.Add(std::move(record));
    }
}

bool WriteStation(int index) {
    const std::vector<TStationPtr> list = StationList.Snapshot();
    if (index < 0 || index >= static_cast<int>(list.size())) return false;
    TSettingsIni ini(SettingsFilePath());
    // A new record at the end makes the count one more than the sections.
    const int count = static_cast<int>(list.size());
    if (SectionsMatchList(ini, count) || (index == count - 1 && SectionsMatchList(ini, count - 1)))
        WriteSection(ini, list[static_cast<std::size_t>(index)]->Config(), StationSectionName(index));
    else
        RewriteAll(ini, list);
    return ini.Save();
}

bool DeleteStation(int index) {
    if (index < 0 || index >= StationList.Count()) return false;
    TStationPtr record = StationList.Items(index);
    StationList.Delete(index);
    record->FreeLog();
    record.reset();
    TSettingsIni ini(SettingsFilePath());
    RewriteAll(ini, StationList.Snapshot());
    return ini.Save();
}

String StationServerAddress(const TStationRecord& record) {
    const TStationConfig c = record.Config();
    String address = c.URL + ":" + std::to_string(c.Port);
    if (c.Mode == smShoutcast2 && !c.ID.empty())
        address += (c.ID[0] == ',' ? c.ID : "," + c.ID);
    else if (c.Mode == smIcecast && !c.ID.empty())
        address += (c.ID[0] == '/' ? c.ID : "/" + c.ID);
    return address;
}

String StationServerPassword(const TStationRecord& record) {
    const TStationConfig c = record.Config();
    return c.Mode == smShoutcast2 ? c.User + ":" + c.Password : c.Password;
}

namespace {

bool IsAddressPart(const String& part) {
    if (part == "*") return true;
    std::size_t i = 0;
    while (i < part.size() && (part[i] == ' ' || part[i] == '\t'))
        ++i;
    if (i == part.size()) return false;
    int value = 0;
    for (; i < part.size(); ++i) {
        if (part[i] < '0' || part[i] > '9') return false;
        value = std::min(value * 10 + (part[i] - '0'), 256);
    }
    return value <= 255;
}

String TrimText(const String& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

} // namespace

bool CheckCorrectIP(const String& list) {
    const int count = CountTokens(list, ';');
    for (int n = 1; n <= count; ++n) {
        const String entry = TrimText(GetToken(list, n, ';'));
        int parts = 0;
        std::size_t start = 0;
        while (true) {
            const std::size_t dot = entry.find('.', start);
            const String part = entry.substr(start, dot == String::npos ? String::npos : dot - start);
            if (part.empty() || !IsAddressPart(part)) return false;
            ++parts;
            if (dot == String::npos) break;
            start = dot + 1;
        }
        if (parts != 4) return false;
    }
    return true;
}

} // namespace vd
