#include "MenuFixture.h"
#include "platform/vcl/Screen.h"
#include "skin/form/menus/SkinHintWindow.h"

namespace vd::test {
namespace {

const char* kHintIni =
    "[HINTWINDOW]\r\nwindowpictureindex=1\r\nlefttoppoint=5,5\r\nrighttoppoint=35,5\r\n"
    "leftbottompoint=5,35\r\nrightbottompoint=35,35\r\nclientrect=5,5,35,35\r\nfontcolor=255\r\n";

class HintTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        Hint = new TskSkinHint(Form);
        ASSERT_EQ(Screen->ActiveForm(), Form);
    }
    TSize TextSize(const String& text, const TFont& font) {
        TBitmap b(1, 1);
        b.Canvas().Font().Assign(font);
        TRect r{0, 0, 0, 0};
        b.Canvas().DrawText(text, r, DT_CALCRECT);
        return {r.Width(), r.Height()};
    }
    TskSkinHint* Hint = nullptr;
};

TEST_F(HintTest, PlainHintIsItsTextPlusTwoEachSide) {
    TskSkinHintWindow* w = Hint->HintWindow();
    w->ActivateHint({200, 300, 200, 300}, "Hello there");
    const TSize t = TextSize("Hello there", Hint->DefaultFont());
    EXPECT_EQ(w->Width(), t.cx + 4);
    EXPECT_EQ(w->Height(), t.cy + 4);
    EXPECT_EQ(w->Left(), 200);
    EXPECT_EQ(w->Top(), 300);
    EXPECT_EQ(w->HintComponent(), Hint);
    ASSERT_TRUE(IsWindowVisible(w->Handle()));
    Pump();
    EXPECT_EQ(TColor(GetWindowPixel(w->Handle(), 0, 0)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(TColor(GetWindowPixel(w->Handle(), 1, 1)), ColorToRGB(clInfoBk));
}

TEST_F(HintTest, NearTheRightEdgeTheHintOpensLeftOfThePoint) {
    TskSkinHintWindow* w = Hint->HintWindow();
    const int sw = Screen->Width();
    w->ActivateHint({sw - 5, 100, sw - 5, 100}, "Edge");
    EXPECT_EQ(w->Left(), sw - 5 - w->Width() - 2);
}

TEST_F(HintTest, NoActiveFormOrNoActiveHintComponentShowsNothing) {
    TskSkinHintWindow* w = Hint->HintWindow();
    Screen->SetActiveForm(nullptr);
    w->ActivateHint({100, 100, 100, 100}, "None");
    EXPECT_FALSE(w->HandleAllocated() && IsWindowVisible(w->WindowHandle()));
    EXPECT_EQ(w->HintComponent(), nullptr);
    Screen->SetActiveForm(Form);
    Hint->SetActive(false);
    w->ActivateHint({100, 100, 100, 100}, "Off");
    EXPECT_FALSE(w->HandleAllocated() && IsWindowVisible(w->WindowHandle()));
}

TEST_F(HintTest, SkinnedHintKeepsThePictureSizeForAShortText) {
    LoadSkin(true, kHintIni);
    Hint->SetSkinData(Skin);
    TskSkinHintWindow* w = Hint->HintWindow();
    w->ActivateHint({100, 100, 100, 100}, "x");
    ASSERT_EQ(w->Skin(), Skin);
    EXPECT_EQ(w->Width(), 40);
    EXPECT_EQ(w->Height(), 40);
    const String longText = "A hint far wider than the picture";
    w->ActivateHint({100, 100, 100, 100}, longText);
    const TSize t = TextSize(longText, Hint->DefaultFont());
    EXPECT_EQ(w->Width(), t.cx + 10);
    EXPECT_EQ(w->FittedClientRect(), (TRect{5, 5, 5 + t.cx, 35}));
    Pump();
    EXPECT_EQ(TColor(GetWindowPixel(w->Handle(), 1, 1)), kPopCorner);
    EXPECT_EQ(TColor(GetWindowPixel(w->Handle(), w->Width() - 1, 1)), kPopCorner);
}

TEST_F(HintTest, SecondTimedHintReplacesThePendingOne) {
    Application->HintPause = 500;
    Application->HintHidePause = 2000;
    TskSkinHintWindow* w = Hint->HintWindow();
    Hint->ActivateHint2("first");
    hb->Advance(300);
    Pump();
    Hint->ActivateHint2("second");
    hb->Advance(300);
    Pump();
    EXPECT_FALSE(w->HandleAllocated() && IsWindowVisible(w->WindowHandle())) << "the pause starts again";
    hb->Advance(250);
    Pump();
    ASSERT_TRUE(IsWindowVisible(w->Handle()));
    EXPECT_EQ(w->Caption(), "second");
    hb->Advance(2100);
    Pump();
    EXPECT_FALSE(IsWindowVisible(w->Handle())) << "hidden after the hide pause";
    EXPECT_FALSE(Hint->HintPending());
}

TEST_F(HintTest, ControlHintsOfTheApplicationComeInTheSkinnedWindow) {
    LoadSkin(true, kHintIni);
    Hint->SetSkinData(Skin);
    int seen = 0;
    Hint->OnShowHint = [&](String& text, bool&, TControl*) {
        ++seen;
        text += "!";
    };
    auto* box = new TWinControl(Form);
    box->SetParent(Form);
    box->SetBounds(10, 10, 80, 40);
    box->SetHint("Tip");
    box->SetShowHint(true);
    Application->HintPause = 300;
    Pump();
    hb->MouseMove(box->ClientToScreen({20, 20}));
    Pump();
    hb->Advance(350);
    Pump();
    auto* w = dynamic_cast<TskSkinHintWindow*>(Application->HintWindow());
    ASSERT_NE(w, nullptr) << "the application makes its hint window in the skinned class";
    EXPECT_TRUE(IsWindowVisible(w->Handle()));
    EXPECT_EQ(w->Caption(), "Tip!");
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(w->Skin(), Skin);
    EXPECT_EQ(TColor(GetWindowPixel(w->Handle(), 1, 1)), kPopCorner);
}

TEST_F(HintTest, OnlyOneHintComponentOfTheMainFormIsActive) {
    Application->SetMainForm(Form);
    auto* second = new TskSkinHint(Form);
    EXPECT_TRUE(second->Active());
    Hint->SetActive(true);
    EXPECT_FALSE(second->Active());
    second->Free();
    Hint->HintWindow()->ActivateHint({100, 100, 100, 100}, "still fine");
    EXPECT_EQ(Hint->HintWindow()->HintComponent(), Hint);
}

} // namespace
} // namespace vd::test
