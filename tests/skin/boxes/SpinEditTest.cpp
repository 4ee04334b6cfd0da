#include "BoxesFixture.h"
#include "skin/boxes/SkinSpinEdit.h"

namespace vd::test {
namespace {

class SpinEdits : public BoxTest {
public:
    TskSkinSpinEdit* Spin(double mn, double mx, TskSkinData* skin = nullptr) {
        auto* s = Put<TskSkinSpinEdit>({10, 10, 130, 30}, skin);
        s->SetMinValue(mn);
        s->SetMaxValue(mx);
        s->OnChange = [this](TObject*) { ++Changes; };
        Show();
        if (!Other) Other = Put<TEdit>({10, 200, 100, 220});
        s->Edit()->SetFocus();
        Pump();
        Changes = 0;
        return s;
    }
    int Changes = 0;
    TEdit* Other = nullptr;
};

TEST_F(SpinEdits, TypedTextIsParsedClampedAndRewrittenWhenItCannotComeBack) {
    struct Case {
        double Min, Max;
        const char* Typed;
        double Value;
        const char* Shown;
        const char* AfterExit;
    };
    const Case cases[] = {
        {1, 65535, "70000", 65535, "65535", "65535"},
        {1, 65535, "0", 1, "0", "1"},
        {1, 65535, "99999999999", 65535, "65535", "65535"},
        {10, 100, "5", 10, "5", "10"},
        {0, 0, "42", 0, "0", "0"},
        {5, 1, "-42", -42, "-42", "-42"},
        {-10, 10, "-5", -5, "-5", "-5"},
        {-10, 10, "5-", 5, "5-", "5"},
    };
    for (const Case& c : cases) {
        auto* s = Spin(c.Min, c.Max);
        s->SetValue(s->ClampValue(0));
        s->Edit()->SelectAll();
        EXPECT_NO_THROW(Type(c.Typed)) << c.Typed;
        EXPECT_EQ(s->Value(), c.Value) << c.Typed;
        EXPECT_EQ(s->Edit()->Text(), c.Shown) << c.Typed;
        Other->SetFocus();
        Pump();
        EXPECT_EQ(s->Edit()->Text(), c.AfterExit) << c.Typed;
        s->Free();
    }
}

TEST_F(SpinEdits, FloatTextsThatDoNotParseAreIgnored) {
    auto* s = Spin(-100, 100);
    s->SetValueType(vtFloat);
    s->SetValue(3);
    EXPECT_EQ(s->Edit()->Text(), "3.00");
    s->Edit()->SelectAll();
    EXPECT_NO_THROW(Type("-."));
    EXPECT_EQ(s->Value(), 3) << "\"-.\" is no number yet";
    Type("5");
    EXPECT_EQ(s->Value(), -0.5);
    EXPECT_FALSE(s->IsValidText(".5"));
    EXPECT_TRUE(s->IsValidText("0.5"));
    EXPECT_FALSE(s->IsValidText("--5"));
    EXPECT_FALSE(s->IsValidText("-"));
}

TEST_F(SpinEdits, ArrowKeysStepWithoutTheKeyEvent) {
    auto* s = Spin(0, 10);
    int keyDowns = 0;
    s->OnEditKeyDown = [&](TObject*, Word&, TShiftState) { ++keyDowns; };
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_DOWN);
    EXPECT_EQ(s->Value(), 1);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(keyDowns, 0);
    s->SetEditorEnabled(false);
    Type("7");
    EXPECT_EQ(s->Value(), 1) << "with the editor off typing does nothing";
    Key(VK_UP);
    EXPECT_EQ(s->Value(), 2) << "but the keys still step";
}

TEST_F(SpinEdits, SettingValueInsideOnChangeShowsItWithoutFiringAgain) {
    auto* s = Spin(0, 100);
    s->OnChange = [&](TObject*) {
        ++Changes;
        s->SetValue(50);
    };
    s->SetValue(7);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(s->Value(), 50);
    EXPECT_EQ(s->Edit()->Text(), "50");
    s->SetValue(50);
    EXPECT_EQ(Changes, 2) << "OnChange fires for an unchanged value";
}

TEST_F(SpinEdits, IntegerTypeRoundsTheIncrement) {
    auto* s = Spin(0, 100);
    s->SetValueType(vtFloat);
    s->SetIncrement(0.4);
    s->SetValueType(vtInteger);
    EXPECT_EQ(s->Increment(), 1.0);
    s->SetValueType(vtFloat);
    s->SetIncrement(2.5);
    s->SetValueType(vtInteger);
    EXPECT_EQ(s->Increment(), 2.0) << "halves to the even neighbour";
    s->SetMaxValue(1e300);
    s->SetValue(1e300);
    EXPECT_EQ(s->ValueText(1e300), "9200000000000000000") << "a huge value is shown clamped";
}

TEST_F(SpinEdits, ButtonsRepeatWithTheClockAndStepOnRelease) {
    hb->SetAutoAdvance(false);
    auto* s = Spin(0, 100);
    EXPECT_EQ(s->Buttons(0).R, (TRect{103, 2, 118, 10}));
    EXPECT_EQ(s->Buttons(1).R, (TRect{103, 10, 118, 18}));
    Press(s, 110, 5);
    Advance(1000);
    EXPECT_EQ(s->Value(), 5);
    MoveTo(s, 110, 40);
    Advance(300);
    EXPECT_EQ(s->Value(), 5);
    MoveTo(s, 110, 5);
    Advance(60);
    EXPECT_EQ(s->Value(), 6);
    Release(s, 110, 5);
    EXPECT_EQ(s->Value(), 7);
    Click(s, 110, 15);
    EXPECT_EQ(s->Value(), 6);
}

TEST_F(SpinEdits, PlainAndSkinnedLooks) {
    auto* plain = Spin(0, 10);
    EXPECT_EQ(Probe(plain, 0, 5), Rgb(clBtnShadow));
    EXPECT_EQ(Probe(plain, 104, 4), Rgb(clBtnFace)) << "a plain button";
    auto* skinned = Spin(0, 10, Skin);
    EXPECT_EQ(skinned->Height(), 20);
    EXPECT_EQ(skinned->Buttons(0).R, (TRect{117, 0, 120, 10})) << "a right-side button moves with the width";
    EXPECT_EQ(Probe(skinned, 1, 1), kRed);
    EXPECT_EQ(Probe(skinned, 60, 1), kEdge[1]) << "focused: the active face";
    EXPECT_EQ(skinned->Edit()->Font().Color(), 0) << "the skin's active colour (none given: black)";
}

// Hovering switches the text to the active colour also when the skin has no active face.
TEST_F(SpinEdits, HoverTakesTheActiveFontColourWithoutAnActiveFace) {
    std::string ini = BoxSkinIni();
    ini.replace(ini.find("count=11\r\n"), 10, "count=12\r\n11=plainspin:spinedit\r\n");
    ini +=
        "[plainspin]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\n" + std::string(kBoxPoints) +
        "upbuttonrect=17,0,20,10\r\ndownbuttonrect=17,10,20,20\r\nfontcolor=255\r\nactivefontcolor=65280\r\n";
    auto stored = TestStoredSkin(ini);
    Skin->LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    auto* s = Spin(0, 10);
    s->SetSkinDataName("plainspin");
    s->SetSkinData(Skin);
    Other->SetFocus();
    hb->MouseMove({5, 5});
    Pump();
    ASSERT_EQ(s->Edit()->Font().Color(), 255);
    s->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(s->Edit()->Font().Color(), 65280) << "hovered";
    s->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s->Edit()->Font().Color(), 255) << "left";
}

} // namespace
} // namespace vd::test
