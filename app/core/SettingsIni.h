#pragma once
// The settings file as the system's profile functions see it: sections and keys without
// regard to letter case, first match wins, values trimmed and surrounding quotes stripped,
// new keys appended at the end of their section. Everything else in the file is kept.
// Saving writes a new file readable by its owner only and renames it over the old one.
#include "platform/rtl/String.h"

#include <cstdint>
#include <vector>

namespace vd {

class TSettingsIni {
public:
    TSettingsIni() = default;
    // Reads the file; a missing or unreadable file gives an empty one.
    explicit TSettingsIni(const String& fileName);

    void SetText(const String& text);
    String Text() const;
    // Writes the file atomically with mode 0600, creating its folder; false on failure.
    bool Save() const;
    bool SaveAs(const String& fileName) const;
    const String& FileName() const { return FFileName; }

    String ReadString(const String& section, const String& key, const String& defaultValue) const;
    // Decimal, optionally signed; anything else (or out of 32-bit range) gives the default.
    std::int32_t ReadInteger(const String& section, const String& key, std::int32_t defaultValue) const;
    // Any non-zero integer is true.
    bool ReadBool(const String& section, const String& key, bool defaultValue) const;
    bool ValueExists(const String& section, const String& key) const;
    bool SectionExists(const String& section) const;
    // Section names in file order, each once.
    std::vector<String> ReadSections() const;

    void WriteString(const String& section, const String& key, const String& value);
    void WriteInteger(const String& section, const String& key, std::int64_t value);
    void WriteBool(const String& section, const String& key, bool value);
    void DeleteKey(const String& section, const String& key);
    // Removes every section of that name with all its lines.
    void EraseSection(const String& section);

private:
    // Index of the header line of the first section of that name, or -1.
    int FindSection(const String& section) const;
    // End (exclusive) of the section whose header is at index.
    int SectionEnd(int header) const;
    int FindKey(int header, const String& key) const;

    String FFileName;
    std::vector<String> FLines;
};

} // namespace vd
