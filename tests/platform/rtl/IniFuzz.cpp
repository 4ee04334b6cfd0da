// Fuzzes the settings-INI reader: any text must parse, read, change and write back without a
// crash, and what it writes must read back the same.
#include "platform/rtl/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vd;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TIniDocument doc;
    doc.Parse(text);
    const String first = doc.Serialize();

    // Every section and key that enumeration shows can be read.
    for (const String& section : doc.Sections()) {
        if (!doc.SectionExists(section)) std::abort();
        for (const auto& [key, value] : doc.Values(section)) {
            String got;
            if (!doc.ReadValue(section, key, got) || got != value) std::abort();
        }
    }

    // Writing back and reading again changes nothing.
    TIniDocument again;
    again.Parse(first);
    if (again.Serialize() != first) std::abort();

    // A value written through the API reads back as written (line breaks become blanks).
    const String section = size > 0 ? String(text.substr(0, size % 7)) : "S";
    doc.WriteValue("Fuzz", "Key", text.substr(0, 40));
    String got;
    if (!doc.ReadValue("Fuzz", "Key", got)) std::abort();
    String want(text.substr(0, 40));
    for (char& c : want)
        if (c == '\r' || c == '\n') c = ' ';
    if (got != want) std::abort();
    doc.EraseSection(section);
    doc.DeleteKey("Fuzz", "Key");
    doc.SortSections([](const String& a, const String& b) { return a < b; });
    (void)doc.Serialize();
    return 0;
}
