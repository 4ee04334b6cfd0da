#include "app/core/SettingsIni.h"

#include "app/core/LanguageFile.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/IniDocument.h"
#include "platform/rtl/SmallFile.h"
#include "platform/rtl/SysUtils.h"

#include <cerrno>

namespace vd {

TSettingsIni::TSettingsIni() : FDocument(std::make_unique<TIniDocument>()) {}

TSettingsIni::TSettingsIni(const String& fileName) : TSettingsIni() {
    FFileName = fileName;
    String text;
    const int error = ReadSmallFile(fileName, text, MaxTextFileSize);
    if (error == 0)
        FDocument->Parse(text);
    else
        FUnreadable = error != ENOENT;
}

TSettingsIni::~TSettingsIni() = default;
TSettingsIni::TSettingsIni(TSettingsIni&&) noexcept = default;
TSettingsIni& TSettingsIni::operator=(TSettingsIni&&) noexcept = default;

void TSettingsIni::SetText(const String& text) {
    FDocument->Parse(text);
    FUnreadable = false;
}

String TSettingsIni::Text() const {
    return FDocument->Serialize();
}

bool TSettingsIni::Save() const {
    return SaveAs(FFileName);
}

bool TSettingsIni::SaveAs(const String& fileName) const {
    if (fileName.empty() || (FUnreadable && fileName == FFileName)) return false;
    const String folder = ExtractFileDir(fileName);
    if (!folder.empty() && !DirectoryExists(folder) && !ForceDirectories(folder)) return false;
    try {
        AtomicWriteFile(fileName, Text(), 0600);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

String TSettingsIni::ReadString(const String& section, const String& key, const String& defaultValue) const {
    String value;
    return FDocument->ReadValue(section, key, value) ? value : defaultValue;
}

std::int32_t TSettingsIni::ReadInteger(const String& section, const String& key,
                                       std::int32_t defaultValue) const {
    String value;
    if (!FDocument->ReadValue(section, key, value)) return defaultValue;
    return StrToIntDef(value, defaultValue);
}

bool TSettingsIni::ReadBool(const String& section, const String& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TSettingsIni::ValueExists(const String& section, const String& key) const {
    String value;
    return FDocument->ReadValue(section, key, value);
}

bool TSettingsIni::SectionExists(const String& section) const {
    return FDocument->SectionExists(section);
}

std::vector<String> TSettingsIni::ReadSections() const {
    std::vector<String> names;
    for (const String& name : FDocument->Sections()) {
        bool seen = false;
        for (const String& n : names)
            seen = seen || SameText(n, name);
        if (!seen) names.push_back(name);
    }
    return names;
}

void TSettingsIni::WriteString(const String& section, const String& key, const String& value) {
    FDocument->WriteValue(section, key, value);
}

void TSettingsIni::WriteInteger(const String& section, const String& key, std::int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void TSettingsIni::WriteBool(const String& section, const String& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TSettingsIni::DeleteKey(const String& section, const String& key) {
    FDocument->DeleteKey(section, key);
}

void TSettingsIni::EraseSection(const String& section) {
    FDocument->EraseSection(section);
}

} // namespace vd
