// Language files come from the user's folder: any text must parse and look up without
// a crash, a hang or unbounded growth (escapes, references, cycles of references).
#include "app/core/Language.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vd;
    const String text(reinterpret_cast<const char*>(data), size);
    TLanguageList constants = ParseLanguageSection(text, "Constants");
    const TLanguageList window = ParseLanguageSection(text, "FVendrill");
    static TLanguage language("vendrill.", "/nonexistent-folder");
    language.SetConstants(constants);
    for (const TLanguageEntry& entry : constants) {
        language.GetConstant(entry.Key, entry.Value);
        language.GetMessage(entry.Key);
        language.GetDialogText(entry.Key, &window);
        language.LookupInList(entry.Key, &window, entry.Value);
    }
    language.GetText("Error", "10", "x.y.z");
    const TMessageBoxProc show = [](const String&, int, unsigned) { return 0; };
    for (const TLanguageEntry& entry : constants)
        if (entry.Key.rfind("DIALOG.", 0) == 0) language.MessageBox(entry.Key.substr(7), show, nullptr, 3, 3);
    return 0;
}
