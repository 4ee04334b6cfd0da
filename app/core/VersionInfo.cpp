#include "app/core/VersionInfo.h"

#include "app/core/LanguageFile.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/SmallFile.h"

#include <cstdio>
#include <cstdlib>

namespace vd {

namespace {

const char* const Keys[10] = {"CompanyName",    "FileDescription", "FileVersion",      "InternalName",
                              "LegalCopyright", "LegalTradeMark",  "OriginalFileName", "ProductName",
                              "ProductVersion", "Comments"};

// The leading decimal number (sign allowed) and where it stopped; 0 when there is none.
long LeadingNumber(const String& text, std::size_t& stop) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const std::size_t numberStart = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t digits = i;
    long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000)
        value = value * 10 + (text[i++] - '0');
    stop = i;
    if (i == digits) return 0;
    return text[numberStart] == '-' ? -value : value;
}

} // namespace

TrpVersionInfo::TrpVersionInfo() {
    LoadFromFile(String());
}

String TrpVersionInfo::GetInfo(TVersionType kind) const {
    if (kind < vtCompanyName || kind > vtComments) return String();
    return FInfo[static_cast<std::size_t>(kind)];
}

void TrpVersionInfo::LoadFromFile(const String& fileName) {
    String text;
    if (fileName.empty())
        text = String(FindResource("VERSION", "1"));
    else
        ReadSmallFile(fileName, text, MaxTextFileSize); // unreadable: no version texts
    LoadFromText(text);
}

void TrpVersionInfo::LoadFromText(const String& text) {
    // The string table of the first translation entry is the one read, as in a version resource.
    const TLanguageList head = ParseLanguageSection("[VarFileInfo]\n" + text, "VarFileInfo");
    const TLanguageEntry* translation = FindLanguageEntry(head, "Translation");
    char table[16];
    std::snprintf(table, sizeof table, "%08lX",
                  translation ? std::strtoul(translation->Value.c_str(), nullptr, 16) & 0xFFFFFFFFul : 0ul);
    const TLanguageList strings = ParseLanguageSection(text, table);
    for (int kind = vtCompanyName; kind <= vtComments; ++kind)
        if (const TLanguageEntry* entry = FindLanguageEntry(strings, Keys[kind]))
            FInfo[static_cast<std::size_t>(kind)] = entry->Value;
    ParseFileVersion();
}

void TrpVersionInfo::ParseFileVersion() {
    String rest = FInfo[vtFileVersion];
    int* numbers[4] = {&FMajor, &FMinor, &FRelease, &FBuild};
    for (int* number : numbers) {
        std::size_t stop = 0;
        *number = static_cast<int>(LeadingNumber(rest, stop));
        // Cut up to and including the stopping character; a text that is all number stays.
        if (stop < rest.size()) rest.erase(0, stop + 1);
    }
}

String VersionCaption(const String& productName, const TrpVersionInfo& info) {
    return productName + Format(" %1.1d.%1.1d.%1.1d", info.Major(), info.Minor(), info.Release());
}

} // namespace vd
