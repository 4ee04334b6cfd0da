// Skinned buttons and boxes linked to an action: state comes from the action, clicks run it.
#include "SkinFixture.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinSpeedButton.h"

namespace vd::test {
namespace {

class ActionLink : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        Images = new TImageList(Form);
        Images->SetSize(8, 8);
        TBitmap picture;
        picture.SetSize(8, 8);
        picture.Canvas().Brush().Color = kGreen;
        picture.Canvas().FillRect({0, 0, 8, 8});
        picture.Canvas().SetPixel(0, 7, kBlue); // the transparent colour of the image
        Images->Add(picture);
        List = new TActionList(Form);
        List->Images = Images;
        Act = new TAction(Form);
        Act->SetActionList(List);
        Act->SetCaption("Play");
        Act->SetImageIndex(0);
        Act->OnExecute = [this](TObject*) { ++Executed; };
    }
    TImageList* Images = nullptr;
    TActionList* List = nullptr;
    TAction* Act = nullptr;
    int Executed = 0;
};

TEST_F(ActionLink, ButtonsTakeCaptionEnabledAndGlyphAndFollowChanges) {
    auto* button = new TskSkinButton(Form);
    button->SetParent(Form);
    auto* speed = new TskSkinSpeedButton(Form);
    speed->SetParent(Form);
    button->SetAction(Act);
    speed->SetAction(Act);
    for (TControl* c : {static_cast<TControl*>(button), static_cast<TControl*>(speed)}) {
        EXPECT_EQ(c->Caption(), "Play") << c->ClassName();
        EXPECT_TRUE(c->Enabled()) << c->ClassName();
    }
    ASSERT_EQ(button->Glyph().Width(), 8);
    EXPECT_EQ(button->Glyph().Canvas().Pixel(3, 3), kGreen);
    ASSERT_EQ(speed->Glyph().Width(), 8);
    EXPECT_EQ(speed->Glyph().Canvas().Pixel(3, 3), kGreen);

    Act->SetCaption("Stop");
    Act->SetEnabled(false);
    for (TControl* c : {static_cast<TControl*>(button), static_cast<TControl*>(speed)}) {
        EXPECT_EQ(c->Caption(), "Stop") << c->ClassName();
        EXPECT_FALSE(c->Enabled()) << c->ClassName();
    }
}

TEST_F(ActionLink, AGlyphAlreadySetIsKept) {
    auto* button = new TskSkinButton(Form);
    TBitmap own;
    own.SetSize(4, 4);
    button->SetGlyph(own);
    button->SetAction(Act);
    EXPECT_EQ(button->Glyph().Width(), 4);
}

TEST_F(ActionLink, AClickRunsTheActionUnlessTheControlHasItsOwnOnClick) {
    auto* button = new TskSkinButton(Form);
    button->SetParent(Form);
    button->SetBounds(10, 10, 60, 24);
    button->SetAction(Act);
    auto* speed = new TskSkinSpeedButton(Form);
    speed->SetParent(Form);
    speed->SetBounds(100, 10, 40, 24);
    speed->SetAction(Act);
    Show();
    hb->Click(RawButton::Left, At(button, 5, 5));
    Pump();
    EXPECT_EQ(Executed, 1) << "button";
    hb->Advance(1000);
    hb->Click(RawButton::Left, At(speed, 5, 5));
    Pump();
    EXPECT_EQ(Executed, 2) << "speed button";

    int own = 0;
    button->OnClick = [&](TObject*) { ++own; };
    button->ButtonClick();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(Executed, 2);

    // A disabled action is not run.
    Act->SetEnabled(true);
    Act->SetEnabled(false);
    speed->ButtonClick();
    EXPECT_EQ(Executed, 2);
}

TEST_F(ActionLink, CheckBoxFollowsCheckedAndRunsTheActionOnlyForAUserClick) {
    auto* box = new TskSkinCheckRadioBox(Form);
    box->SetParent(Form);
    Act->OnExecute = [this](TObject*) {
        ++Executed;
        Act->SetChecked(!Act->Checked());
    };
    box->SetAction(Act);
    EXPECT_EQ(box->Caption(), "Play");
    EXPECT_FALSE(box->Checked());
    Act->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(Executed, 0) << "the action's own change is no click";
    box->DoClick();
    EXPECT_EQ(Executed, 1);
    EXPECT_FALSE(box->Checked());
    EXPECT_FALSE(Act->Checked());
}

TEST_F(ActionLink, AFreedActionLeavesTheControlsWorking) {
    auto* button = new TskSkinButton(Form);
    button->SetParent(Form);
    button->SetAction(Act);
    Act->Free();
    Act = nullptr;
    EXPECT_EQ(button->Action(), nullptr);
    button->ButtonClick();
    EXPECT_EQ(Executed, 0);
}

} // namespace
} // namespace vd::test
