#pragma once
// The settings file, read once and written back as a whole: the run-time layer's profile
// rules (sections and keys without regard to letter case, first match wins, values trimmed
// and unquoted, new keys at the end of their section), saved atomically with mode 0600.
// A file that exists but cannot be read is never overwritten.
#include "platform/rtl/String.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vd {

class TIniDocument;

class TSettingsIni {
public:
    TSettingsIni();
    // Reads the file; a missing file gives an empty one.
    explicit TSettingsIni(const String& fileName);
    ~TSettingsIni();
    TSettingsIni(TSettingsIni&&) noexcept;
    TSettingsIni& operator=(TSettingsIni&&) noexcept;

    void SetText(const String& text);
    String Text() const;
    // Writes the file atomically with mode 0600, creating its folder; false on failure.
    bool Save() const;
    bool SaveAs(const String& fileName) const;
    const String& FileName() const { return FFileName; }

    String ReadString(const String& section, const String& key, const String& defaultValue) const;
    // A whole number in 32-bit range (the library's rules); anything else gives the default.
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
    String FFileName;
    std::unique_ptr<TIniDocument> FDocument;
    bool FUnreadable = false; // exists but could not be read: never save over it
};

} // namespace vd
