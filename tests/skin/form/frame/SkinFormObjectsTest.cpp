// Caption objects in use: the hover morph, the plain buttons' looks, the close button on a form
// that frees itself, object hints, Alt+Space and the alpha settings without layered windows.
#include "FrameFixture.h"

#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinMenu.h"

namespace vd::test {
namespace {

TEST_F(FrameTest, HoverMorphTakesFiveTicksEachWay) {
    TForm* f = NewFrameForm(false);
    Skin = new TskSkinData(f);
    std::string ini = FrameSkinIni();
    ini.replace(ini.find("[closebutton]\r\n"), 15, "[closebutton]\r\nmorphing=1\r\n");
    Stored = FrameStoredSkin(ini);
    Skin->LoadStoredSkin(Stored.get());
    Frame->SetSkinData(Skin);
    hb->SetAutoAdvance(false);
    ShowForm(f);
    TskActiveSkinObject* close = Frame->FindObject("closebutton");
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(close->CanMorph());
    hb->MouseMove(ScreenOf(f, 285, 12));
    Pump();
    ASSERT_TRUE(close->IsActive);
    std::vector<double> steps;
    for (int i = 0; i < 8; ++i) {
        hb->Advance(25);
        Pump();
        steps.push_back(close->MorphFactor);
    }
    EXPECT_NEAR(steps[0], 0.2, 1e-9);
    EXPECT_NEAR(steps[3], 0.8, 1e-9);
    EXPECT_NEAR(steps[4], 1.0, 1e-9);
    EXPECT_NEAR(steps[7], 1.0, 1e-9);
    EXPECT_EQ(Pixel(f, 285, 12), kBtnHot);
    // Away from it: back to the normal picture in five ticks.
    hb->MouseMove(ScreenOf(f, 150, 100));
    for (int i = 0; i < 10; ++i) {
        hb->Advance(25);
        Pump();
    }
    hb->SetAutoAdvance(true);
    EXPECT_FALSE(close->IsActive);
    EXPECT_NEAR(close->MorphFactor, 0.0, 1e-9);
    EXPECT_EQ(Pixel(f, 285, 12), kBtnNormal);
}

TEST_F(FrameTest, PlainButtonsHoverAndPressLooks) {
    TForm* f = NewFrameForm(false, {100, 100, 400, 300});
    ShowForm(f);
    TskActiveSkinObject* close = Frame->FindObject("closebutton");
    ASSERT_NE(close, nullptr);
    // The default row: close at the right edge, 17 pixels, 4 from the top.
    EXPECT_EQ(close->ObjectRect, (TRect{280, 4, 297, 21}));
    EXPECT_EQ(Pixel(f, 281, 5), ColorToRGB(clBtnFace));
    hb->MouseMove(ScreenOf(f, 288, 12));
    Pump();
    EXPECT_EQ(Pixel(f, 281, 5), TColor(0xD2BDB6));
    EXPECT_EQ(Pixel(f, 280, 4), TColor(0x800000));
    hb->ButtonDown(RawButton::Left, ScreenOf(f, 288, 12));
    Pump();
    EXPECT_EQ(Pixel(f, 281, 5), TColor(0xB59385));
    hb->ButtonUp(RawButton::Left, ScreenOf(f, 288, 12));
    Pump();
    // The plain close button closed (hid) the form.
    EXPECT_FALSE(f->Visible());
}

TEST_F(FrameTest, CloseButtonOfAFormThatFreesItself) {
    TForm* f = NewFrameForm(true);
    f->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    ShowForm(f);
    std::vector<String> events;
    Frame->OnMouseUpEvent = [&](const String& id, int, int, const TRect&, TMouseButton) {
        events.push_back(id);
    };
    const int forms = Screen->FormCount();
    hb->MouseMove(ScreenOf(f, 285, 12));
    Pump();
    hb->Click(RawButton::Left, ScreenOf(f, 285, 12));
    Pump();
    // The event came before the close, and the form went only after the routing unwound.
    EXPECT_EQ(events, (std::vector<String>{"closebutton"}));
    EXPECT_EQ(Screen->FormCount(), forms - 1);
}

TEST_F(FrameTest, ObjectHintsThroughTheSkinHint) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    auto* hint = new TskSkinHint(f);
    Frame->SetSkinHint(hint);
    Frame->ShowObjectHint = true;
    hb->MouseMove(ScreenOf(f, 285, 12));
    Pump();
    EXPECT_TRUE(hint->HintPending());
    hb->MouseMove(ScreenOf(f, 150, 100));
    hb->Advance(60);
    Pump();
    EXPECT_FALSE(hint->HintPending());
    hint->Free();
    EXPECT_EQ(Frame->SkinHint(), nullptr);
}

TEST_F(FrameTest, AltSpaceOpensTheSystemMenuBelowItsButton) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    TMessage key{WM_SYSKEYDOWN, VK_SPACE, 0, 0};
    bool handled = false;
    hb->KeyDown(VK_MENU);
    Pump();
    Frame->ShortCutHook(key, handled);
    EXPECT_TRUE(handled);
    ASSERT_TRUE(Frame->SkinMenu()->MenuVisible());
    Frame->SkinMenu()->CloseMenu();
    // Another key with Alt is the form's own business.
    handled = false;
    TMessage other{WM_SYSKEYDOWN, 'X', 0, 0};
    Frame->ShortCutHook(other, handled);
    EXPECT_FALSE(handled);
    hb->KeyUp(VK_MENU);
    Pump();
}

TEST_F(FrameTest, AlphaSettingsWithoutLayeredWindows) {
    hb->SetLayeredAvailable(false);
    TForm* f = NewFrameForm(true);
    Frame->SetAlphaBlend(true);
    Frame->AlphaBlendAnimation = true;
    ShowForm(f);
    Byte alpha = 0;
    EXPECT_FALSE(GetLayeredAlpha(f->Handle(), alpha));
    hb->SetLayeredAvailable(true);
}

} // namespace
} // namespace vd::test
