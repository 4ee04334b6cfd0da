#pragma once
// The skin's own INI dialect, read from memory: the descriptive half of a skin.
#include "platform/rtl/String.h"

#include <string_view>
#include <unordered_map>
#include <vector>

namespace vd {

class TskMemIniFile {
public:
    TskMemIniFile() = default;
    explicit TskMemIniFile(std::string_view text) { SetText(text); }

    // Replaces everything with the sections of Text (CR LF, CR or LF line ends; ends at a NUL).
    void SetText(std::string_view text);
    void SetStrings(const std::vector<String>& lines);
    // The whole INI as text, every line ended by CR LF.
    String Text() const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    String ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$"; anything else gives Def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void EraseSection(std::string_view section);

    std::vector<String> SectionNames() const;
    // The key names of the section in line order; nothing for a missing section.
    std::vector<String> SectionKeys(std::string_view section) const;

private:
    struct Line {
        String Name;
        String Value;
        bool HasKey = false;
    };
    struct Section {
        String Name;
        std::vector<Line> Lines;
        bool Reachable = true;
    };

    const Section* FindSection(std::string_view name) const;
    Section& SectionForWrite(std::string_view name);
    void AddLine(std::string_view line, Section*& current);
    void Reindex();

    std::vector<Section> FSections;
    std::unordered_map<String, size_t> FIndex; // lower-case name -> first section
};

// Integer text as the INI reader accepts it; false when the text is no 32-bit integer.
bool TryParseIniInteger(std::string_view text, int& value);

} // namespace vd
