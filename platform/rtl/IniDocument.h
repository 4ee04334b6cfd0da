#pragma once
// The settings-file text as lines, with the profile rules: sections and keys found without
// regard to case, the first match wins, values trimmed and one pair of surrounding quotes
// removed. Comments, blank lines and malformed lines are kept as they stand when the text is
// written back, and ignored when it is read.
#include "platform/rtl/String.h"

#include <functional>
#include <vector>

namespace vd {

class TIniDocument {
public:
    void Parse(std::string_view text);
    String Serialize() const;
    void Clear();

    bool ReadValue(std::string_view section, std::string_view key, String& value) const;
    void WriteValue(std::string_view section, std::string_view key, std::string_view value);
    std::vector<String> Sections() const;
    // Keys of the first section of that name, in file order, each once.
    std::vector<String> Keys(std::string_view section) const;
    // KEY=VALUE pairs of that section, values as ReadValue gives them.
    std::vector<std::pair<String, String>> Values(std::string_view section) const;
    bool SectionExists(std::string_view section) const;
    // Removes every section of that name with all its lines.
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);
    // Reorders the sections (each with its lines); equal ones keep their order. Lines before
    // the first section stay first.
    void SortSections(const std::function<bool(const String&, const String&)>& less);

private:
    enum class TLineKind { lkBlank, lkComment, lkSection, lkKey, lkOther };
    struct TLine {
        String Raw;
        TLineKind Kind = TLineKind::lkOther;
        String Name;  // section name or key
        String Value; // key's value, trimmed and unquoted
    };
    std::vector<TLine> FLines;
    String FLineBreak = "\n";
    bool FBom = false;

    static TLine ParseLine(String raw);
    // Index of the first header of that section, or -1; end is one past its last line.
    int FindSection(std::string_view section, std::size_t* end = nullptr) const;
    std::size_t SectionEnd(std::size_t header) const;
};

} // namespace vd
