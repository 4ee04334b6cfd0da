// Fuzzes the skin INI reader, its codecs and every record kind over arbitrary text.
#include "platform/rtl/Exception.h"
#include "skin/store/SkinCodecs.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinIni.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// A rectangle or point part without a digit is a conversion error, the one failure a skin text
// may raise; anything else escapes and stops the fuzzer.
template <class F> void Load(F&& load) {
    try {
        load();
    } catch (const vd::EConvertError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vd;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TskMemIniFile ini(text);
    IsSkinIni(ini);
    const char* kinds[] = {"panel",    "expanel",     "menubutton", "button",   "checkradio", "gauge",
                           "splitter", "trackbar",    "label",      "stdlabel", "updown",     "grid",
                           "tab",      "mainmenubar", "controlbar", "memo",     "edit",       "checklistbox",
                           "listbox",  "combobox",    "scrollbar",  "spinedit", "scrollbox",  "treeview",
                           "bevel",    "slider",      "listview",   "richedit"};
    TskMemIniFile out;
    int budget = 16; // enough sections to reach every path, few enough to stay fast
    for (const String& section : ini.SectionNames()) {
        if (--budget < 0) break;
        for (const char* kind : kinds) {
            auto rec = CreateControlRecord(kind, section);
            Load([&] { rec->LoadFromIni(ini); });
            rec->SaveToIni(out);
        }
        for (const char* kind :
             {"menuitem", "mainmenubaritem", "stdbutton", "caption", "animate", "userobject"}) {
            auto rec = CreateObjectRecord(kind, section);
            Load([&] { rec->LoadFromIni(ini); });
            rec->SaveToIni(out);
        }
        std::vector<String> list;
        ReadStringList(ini, section, "activepictures", list);
    }
    TskSkinColors colors;
    Load([&] { colors.LoadFromIni(ini); });
    TskDataSkinHintWindow hint;
    Load([&] { hint.LoadFromIni(ini); });
    TskMemIniFile again(out.Text());
    return 0;
}
