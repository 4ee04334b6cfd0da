#include "skin/boxes/SkinBoxes.h"

#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropValue.h"

namespace vd {

bool ReadStringsProperty(TStrings& Target, const TPropValue& Value) {
    if (Value.Kind == TPropValue::vkList) {
        Target.BeginUpdate();
        Target.Clear();
        for (const TPropValue& line : Value.List)
            if (line.Kind == TPropValue::vkString) Target.Add(line.AsString());
        Target.EndUpdate();
        return true;
    }
    if (Value.Kind == TPropValue::vkString) {
        Target.SetText(Value.AsString());
        return true;
    }
    return false;
}

void RegisterSkinBoxesClasses() {
    TFormReader::RegisterClass("TskSkinEdit", [](TComponent* o) { return new TskSkinEdit(o); });
    TFormReader::RegisterClass("TskSkinPasswordEdit",
                               [](TComponent* o) { return new TskSkinPasswordEdit(o); });
    TFormReader::RegisterClass("TskSkinSpinEdit", [](TComponent* o) { return new TskSkinSpinEdit(o); });
    TFormReader::RegisterClass("TskSkinUpDown", [](TComponent* o) { return new TskSkinUpDown(o); });
    TFormReader::RegisterClass("TskSkinComboBox", [](TComponent* o) { return new TskSkinComboBox(o); });
    TFormReader::RegisterClass("TskSkinListBox", [](TComponent* o) { return new TskSkinListBox(o); });
    TFormReader::RegisterClass("TskSkinCheckListBox",
                               [](TComponent* o) { return new TskSkinCheckListBox(o); });
    TFormReader::RegisterClass("TskSkinPageControl", [](TComponent* o) { return new TskSkinPageControl(o); });
    TFormReader::RegisterClass("TskSkinTabSheet", [](TComponent* o) { return new TskSkinTabSheet(o); });
    TFormReader::RegisterClass("TskSkinTabControl", [](TComponent* o) { return new TskSkinTabControl(o); });
}

} // namespace vd
