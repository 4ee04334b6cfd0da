#include "skin/store/SkinCodecs.h"

#include "platform/rtl/SysUtils.h"
#include "skin/store/SkinIni.h"

#include <algorithm>
#include <array>
#include <span>

namespace vd {

namespace {

// Collects up to MaxParts digit runs separated by ","; every other character is dropped, so a
// skin cannot express a negative coordinate. A part without a digit, or too large for 32 bits, is
// no number: the conversion error ends the skin load instead of placing a part at 0. Values past
// MaxParts are ignored.
template <size_t MaxParts> std::array<int, MaxParts> ParseParts(std::string_view text) {
    std::array<String, MaxParts> collected;
    size_t part = 0;
    for (char c : text) {
        if (c == ',')
            ++part;
        else if (c >= '0' && c <= '9' && part < MaxParts)
            collected[part] += c;
    }
    std::array<int, MaxParts> parts{};
    for (size_t i = 0; i < MaxParts; ++i)
        parts[i] = StrToInt(collected[i]);
    return parts;
}

constexpr std::array<const char*, 7> kMorphWords = {
    "mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<const char*, 6> kEffectWords = {"iebrightness", "iedarkness",  "iegrayscale",
                                                     "ienoise",      "iesplitblur", "ieinvert"};
constexpr std::array<const char*, 7> kCommandWords = {
    "cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"};

String Join(int a, int b) {
    return std::to_string(a) + ',' + std::to_string(b);
}

// The index of Text among Words, or Fallback.
int WordIndex(std::span<const char* const> words, std::string_view text, int fallback) {
    for (size_t i = 0; i < words.size(); ++i)
        if (text == words[i]) return int(i);
    return fallback;
}

} // namespace

TRect ParseRectText(std::string_view text) {
    auto p = ParseParts<4>(text);
    return {p[0], p[1], p[2], p[3]};
}

TPoint ParsePointText(std::string_view text) {
    auto p = ParseParts<2>(text);
    return {p[0], p[1]};
}

TRect ReadSkinRect(const TskMemIniFile& ini, std::string_view section, std::string_view key) {
    return ParseRectText(ini.ReadString(section, key, "0,0,0,0"));
}

TPoint ReadSkinPoint(const TskMemIniFile& ini, std::string_view section, std::string_view key) {
    return ParsePointText(ini.ReadString(section, key, "0,0"));
}

bool ReadSkinBool(const TskMemIniFile& ini, std::string_view section, std::string_view key) {
    return ini.ReadInteger(section, key, 0) == 1;
}

TskFontStyles TextToFontStyle(std::string_view text) {
    TskFontStyles s = 0;
    if (text.find("fsbold") != std::string_view::npos) s |= skfsBold;
    if (text.find("fsitalic") != std::string_view::npos) s |= skfsItalic;
    if (text.find("fsunderline") != std::string_view::npos) s |= skfsUnderline;
    if (text.find("fsstrikeout") != std::string_view::npos) s |= skfsStrikeOut;
    return s;
}

String FontStyleToText(TskFontStyles s) {
    String out;
    auto add = [&](TskFontStyle bit, const char* word) {
        if (!(s & bit)) return;
        if (!out.empty()) out += ',';
        out += word;
    };
    add(skfsBold, "fsbold");
    add(skfsItalic, "fsitalic");
    add(skfsUnderline, "fsunderline");
    add(skfsStrikeOut, "fsstrikeout");
    return out;
}

TskFontStyles ReadFontStyle(const TskMemIniFile& ini, std::string_view section, std::string_view key) {
    return TextToFontStyle(ini.ReadString(section, key, ""));
}

TskAlignment ReadAlignment(const TskMemIniFile& ini, std::string_view section, std::string_view key) {
    String v = ini.ReadString(section, key, "tacenter");
    if (v == "tacenter") return TskAlignment::Center;
    if (v == "taleftjustify") return TskAlignment::LeftJustify;
    return TskAlignment::RightJustify;
}

TskImageEffect TextToImageEffect(std::string_view text) {
    return static_cast<TskImageEffect>(WordIndex(kEffectWords, text, ieGrayScale));
}

TskImageEffect ReadImageEffect(const TskMemIniFile& ini, std::string_view section, std::string_view key) {
    return TextToImageEffect(ini.ReadString(section, key, "iebrightness"));
}

TskMorphKind TextToMorphKind(std::string_view text) {
    return static_cast<TskMorphKind>(WordIndex(kMorphWords, text, mkDefault));
}

TskMorphKind ReadMorphKind(const TskMemIniFile& ini, std::string_view section, std::string_view key) {
    return TextToMorphKind(ini.ReadString(section, key, "mkdefault"));
}

TskStdCommand TextToStdCommand(std::string_view text) {
    return static_cast<TskStdCommand>(WordIndex(kCommandWords, text, cmMinimizeToTray));
}

TskStdCommand ReadStdCommand(const TskMemIniFile& ini, std::string_view section, std::string_view key) {
    return TextToStdCommand(ini.ReadString(section, key, "cmdefault"));
}

void ReadStringList(const TskMemIniFile& ini, std::string_view section, std::string_view listName,
                    std::vector<String>& target) {
    // A sane bound: a lying count must not fill memory with empty names.
    constexpr int kMaxListItems = 65536;
    const int count = std::min(ini.ReadInteger(section, String(listName) + "count", 0), kMaxListItems);
    for (int i = 0; i < count; ++i)
        target.push_back(ini.ReadString(section, std::to_string(i), ""));
}

void WriteSkinRect(TskMemIniFile& ini, std::string_view section, std::string_view key, const TRect& r) {
    ini.WriteString(section, key, Join(r.Left, r.Top) + ',' + Join(r.Right, r.Bottom));
}

void WriteSkinPoint(TskMemIniFile& ini, std::string_view section, std::string_view key, const TPoint& p) {
    ini.WriteString(section, key, Join(p.X, p.Y));
}

void WriteSkinBool(TskMemIniFile& ini, std::string_view section, std::string_view key, bool value) {
    ini.WriteInteger(section, key, value ? 1 : 0);
}

void WriteFontStyle(TskMemIniFile& ini, std::string_view section, std::string_view key, TskFontStyles s) {
    ini.WriteString(section, key, FontStyleToText(s));
}

void WriteAlignment(TskMemIniFile& ini, std::string_view section, std::string_view key, TskAlignment a) {
    const char* word = a == TskAlignment::Center         ? "tacenter"
                       : a == TskAlignment::RightJustify ? "tarightjustify"
                                                         : "taleftjustify";
    ini.WriteString(section, key, word);
}

void WriteMorphKind(TskMemIniFile& ini, std::string_view section, std::string_view key, int kind) {
    ini.WriteString(section, key,
                    kind >= 0 && kind < int(kMorphWords.size()) ? kMorphWords[size_t(kind)] : "");
}

void WriteStdCommand(TskMemIniFile& ini, std::string_view section, std::string_view key, TskStdCommand c) {
    ini.WriteString(section, key, c < kCommandWords.size() ? kCommandWords[c] : "cmminimizetotray");
}

bool IsSkinIni(const TskMemIniFile& ini) {
    for (const char* s : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.SectionExists(s)) return false;
    return true;
}

} // namespace vd
