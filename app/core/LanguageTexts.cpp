#include "app/core/LanguageTexts.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <vector>

namespace vd {

namespace {

constexpr int MaxReferenceDepth = 8;
constexpr int MaxReferencesPerLookup = 256;

bool IsNameChar(char c) {
    return c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void ReplaceAll(String& text, const char* from, const String& to) {
    const String f(from);
    for (std::size_t at = text.find(f); at != String::npos; at = text.find(f, at + to.size()))
        text.replace(at, f.size(), to);
}

String ApplyEscapes(String text) {
    if (text.find('\\') == String::npos) return text;
    ReplaceAll(text, "\\0", String(1, '\0'));
    ReplaceAll(text, "\\a", "\a");
    ReplaceAll(text, "\\b", "\b");
    ReplaceAll(text, "\\t", "\t");
    ReplaceAll(text, "\\n", "\r\n");
    ReplaceAll(text, "\\v", "\v");
    ReplaceAll(text, "\\f", "\f");
    ReplaceAll(text, "\\r", "\n\r");
    return text;
}

} // namespace

// Kept on the caller's stack, so that lookups from several threads never share it.
struct TLanguageTexts::TExpansion {
    std::vector<String> Expanding; // constants being expanded, outermost first
    int Budget = MaxReferencesPerLookup;
};

String TLanguageTexts::LookupInList(const String& key, const TLanguageList* list,
                                    const String& defaultText) const {
    TExpansion expansion;
    return Lookup(key, list, defaultText, expansion);
}

String TLanguageTexts::Lookup(const String& key, const TLanguageList* list, const String& defaultText,
                              TExpansion& expansion) const {
    if (!list || list->empty() || key.empty()) return defaultText;
    const TLanguageEntry* entry = FindLanguageEntry(*list, key);
    const String result = ApplyEscapes(entry ? entry->Value : defaultText);
    if (result.empty()) return result;
    return ExpandReferences(result, expansion);
}

String TLanguageTexts::ExpandReference(const String& name, TExpansion& expansion) const {
    // A cycle, a deep chain or a run-away fan-out keeps the reference as it stands.
    if (expansion.Budget <= 0 || static_cast<int>(expansion.Expanding.size()) >= MaxReferenceDepth)
        return String();
    const String upper = UpperCase(name);
    if (std::find(expansion.Expanding.begin(), expansion.Expanding.end(), upper) != expansion.Expanding.end())
        return String();
    --expansion.Budget;
    expansion.Expanding.push_back(upper);
    const String value = Lookup(name, &FConstants, String(), expansion);
    expansion.Expanding.pop_back();
    return value;
}

String TLanguageTexts::ExpandReferences(const String& text, TExpansion& expansion) const {
    String result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '.') {
            result += text[i++];
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && IsNameChar(text[end]))
            ++end;
        if (end == i + 1) {
            result += '.';
            ++i;
            continue;
        }
        const String value = ExpandReference(text.substr(i + 1, end - i - 1), expansion);
        result += value.empty() ? text.substr(i, end - i) : value;
        i = end;
    }
    return result;
}

String TLanguageTexts::GetConstant(const String& name, const String& defaultText) const {
    return LookupInList(name, &FConstants, defaultText);
}

String TLanguageTexts::GetText(const String& section, const String& key, const String& defaultText) const {
    return LookupInList(section + "." + key, &FConstants, defaultText);
}

String TLanguageTexts::GetMessage(const String& name, const TLanguageList* list) const {
    const String text = LookupInList("MSG." + name, list ? list : &FConstants, String());
    try {
        return Format(text); // no arguments: "%%" becomes "%", any other directive fails
    } catch (const Exception&) {
        return text;
    }
}

String TLanguageTexts::GetDialogText(const String& name, const TLanguageList* list) const {
    if (name.empty()) return String();
    return LookupInList("Dialog." + name, list ? list : &FConstants, String());
}

} // namespace vd
