#include "BoxesFixture.h"
#include "platform/vcl/PropValue.h"
#include "skin/boxes/SkinBoxes.h"

namespace vd::test {
namespace {

TPropValue Lines(std::vector<String> lines) {
    TPropValue v;
    v.Kind = TPropValue::vkList;
    for (String& l : lines)
        v.List.push_back(TPropValue::FromString(std::move(l)));
    return v;
}

class BoxProperties : public BoxTest {};

// Which names each box reads: the check list answers only the names every list shares, and a
// list property refuses a value that is not lines.
TEST_F(BoxProperties, EachBoxAnswersItsOwnNames) {
    TControl* list = Put<TskSkinListBox>({0, 0, 80, 80});
    TControl* checks = Put<TskSkinCheckListBox>({0, 0, 80, 80});
    TControl* combo = Put<TskSkinComboBox>({0, 0, 80, 20});
    TControl* spin = Put<TskSkinSpinEdit>({0, 0, 80, 20});
    TControl* updown = Put<TskSkinUpDown>({0, 0, 40, 20});
    TControl* pages = Put<TskSkinPageControl>({0, 0, 200, 100});
    const TPropValue yes = TPropValue::FromBool(true), two = TPropValue::FromInt(2);
    const struct {
        TControl* Box;
        const char* Name;
        TPropValue Value;
        bool Answered;
    } cases[] = {
        {list, "Items", Lines({"a", "b"}), true},
        {list, "Items.Strings", TPropValue::FromString("a\r\nb"), true},
        {list, "Items", two, false},
        {list, "Sorted", yes, true},
        {list, "Columns", two, true},
        {list, "TabWidths", TPropValue::FromString("10"), true},
        {list, "UseSkinSize", yes, false},
        {checks, "Items.Strings", Lines({"a"}), true},
        {checks, "RowCount", two, true},
        {checks, "UseSkinItemHeight", yes, true},
        {checks, "Sorted", yes, false},
        {checks, "Columns", two, false},
        {checks, "TabWidths", TPropValue::FromString("10"), false},
        {combo, "Items", Lines({"a", "b"}), true},
        {combo, "Items", two, false},
        {combo, "UseSkinSize", yes, true},
        {combo, "Sorted", yes, true},
        {combo, "Style", TPropValue::FromIdent("skcbEditStyle"), true},
        {combo, "Columns", two, false},
        {spin, "UseSkinSize", yes, true},
        {spin, "ValueType", TPropValue::FromIdent("vtFloat"), true},
        {spin, "MaxLength", two, true},
        {spin, "Items", Lines({"a"}), false},
        {updown, "UseSkinSize", yes, true},
        {updown, "Orientation", TPropValue::FromIdent("udVertical"), true},
        {updown, "MaxLength", two, false},
        {pages, "Tabs", Lines({"a"}), true},
        {pages, "Tabs", two, false},
        {pages, "TabsBGTransparent", yes, true},
        {pages, "TabHeight", two, true},
        {pages, "Items", Lines({"a"}), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Box->SetProperty(c.Name, c.Value), c.Answered) << c.Box->ClassName() << "." << c.Name;
}

// Some names are stored as read, without the setter's effects: the up-down's position is neither
// checked against Min..Max nor announced.
TEST_F(BoxProperties, ReadValuesReachTheBoxes) {
    auto* updown = Put<TskSkinUpDown>({0, 0, 40, 20});
    int changes = 0;
    updown->OnChange = [&](TObject*) { ++changes; };
    EXPECT_TRUE(updown->SetProperty("Position", TPropValue::FromInt(500)));
    EXPECT_EQ(updown->Position(), 500);
    EXPECT_EQ(changes, 0);

    auto* list = Put<TskSkinListBox>({0, 0, 80, 80});
    list->SetProperty("Items.Strings", TPropValue::FromString("one\r\ntwo\r\nthree"));
    EXPECT_EQ(list->Items().Count(), 3);
    EXPECT_FALSE(list->SetProperty("Items", TPropValue::FromInt(1)));
    EXPECT_EQ(list->Items().Count(), 3) << "a refused value leaves the lines";

    auto* pages = Put<TskSkinPageControl>({0, 0, 200, 100});
    EXPECT_TRUE(pages->SetProperty("TabsBGTransparent", TPropValue::FromBool(true)));
    EXPECT_TRUE(pages->TabsBGTransparent()) << "not taken for the Tabs lines";
    pages->SetProperty("SkinDataName", TPropValue::FromString("emptytab"));
    EXPECT_EQ(pages->SkinDataName(), "emptytab");

    auto* spin = Put<TskSkinSpinEdit>({0, 0, 80, 20});
    spin->SetProperty("MaxValue", TPropValue::FromInt(10));
    TPropValue half;
    half.Kind = TPropValue::vkFloat;
    half.Float = 2.5;
    spin->SetProperty("ValueType", TPropValue::FromIdent("vtFloat"));
    spin->SetProperty("Value", half);
    EXPECT_EQ(spin->Value(), 2.5);
    EXPECT_EQ(spin->ValueType(), vtFloat);
}

} // namespace
} // namespace vd::test
