#include "SkinFixture.h"
#include "platform/vcl/Form.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinButtonLayout.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"

#include <type_traits>

namespace vd::test {
namespace {

TEST(SkinButtonLayoutTest, CentredAndMarginPositions) {
    const TRect r{0, 0, 100, 40}; // cx 50, cy 20
    struct Case {
        TskButtonLayout Layout;
        int Margin;
        TskGlyphTextPos Want;
    };
    // Glyph 16 x 16, text 30 x 14, spacing 4.
    const Case cases[] = {
        {blGlyphLeft, -1, {50 + 25 - 30, 20 - 7, 50 - 25, 20 - 8}},
        {blGlyphRight, -1, {50 - 25, 20 - 7, 50 + 25 - 16, 20 - 8}},
        {blGlyphTop, -1, {50 - 15, 20 + 17 - 14, 50 - 8, 20 - 17}},
        {blGlyphBottom, -1, {50 - 15, 20 - 17, 50 - 8, 20 + 17 - 16}},
        {blGlyphLeft, 3, {3 + 16 + 4, 13, 3, 12}},
        {blGlyphRight, 3, {100 - 16 - 3 - 4 - 30, 13, 100 - 16 - 3, 12}},
        {blGlyphTop, 3, {35, 3 + 16 + 4, 42, 3}},
        {blGlyphBottom, 3, {35, 40 - 16 - 3 - 4 - 14, 42, 40 - 16 - 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CalcGlyphAndTextPos(c.Layout, r, 16, 16, 30, 14, 4, c.Margin), c.Want)
            << int(c.Layout) << " margin " << c.Margin;
    // Without a glyph, a centred caption is offset by half the spacing.
    EXPECT_EQ(CalcGlyphAndTextPos(blGlyphLeft, r, 0, 0, 30, 14, 4, -1).TextX, 50 + 17 - 30);
    EXPECT_EQ(CalcGlyphAndTextPos(blGlyphLeft, r, 0, 0, 30, 14, 4, 0).TextX, 4);
}

class Buttons : public SkinTest {
protected:
    TskSkinSpeedButton* Speed(const char* record = "toolbutton", TRect r = {10, 10, 50, 40}) {
        auto* b = new TskSkinSpeedButton(Form);
        b->SkinDataName = record;
        b->SetParent(Form);
        b->SetBoundsRect(r);
        b->OnClick = [this](TObject*) { ++Clicks; };
        return b;
    }
    int Clicks = 0;
};

TEST_F(Buttons, SpeedButtonStateLooks) {
    auto* plain = Speed("toolbutton", {10, 10, 50, 40});
    auto* skinned = Speed("toolbutton", {60, 10, 100, 40});
    skinned->SetSkinData(Skin);
    Show();
    struct Case {
        const char* What;
        std::function<void()> Do;
        TColor Plain, Skinned;
    };
    const Case cases[] = {
        {"normal", [] {}, ColorToRGB(clBtnFace), kClient[0]},
        {"hot",
         [&] {
             hb->MouseMove(At(skinned, 20, 15));
             hb->MouseMove(At(plain, 20, 15));
         },
         clskHotFill, kClient[0]},
        {"down",
         [&] {
             plain->SetDown(true);
             plain->GroupIndex = 1;
             skinned->GroupIndex = 2;
             skinned->SetDown(true);
         },
         clskPressedFill, kClient[2]},
        {"disabled",
         [&] {
             plain->SetDown(false);
             skinned->SetDown(false);
             hb->MouseMove(At(plain, 100, 100));
             plain->SetEnabled(false);
             skinned->SetEnabled(false);
         },
         ColorToRGB(clBtnFace), kClient[3]},
    };
    for (const Case& c : cases) {
        c.Do();
        Pump();
        EXPECT_EQ(Probe(plain, 3, 3), c.Plain) << c.What;
        EXPECT_EQ(Probe(skinned, 20, 15), c.Skinned) << c.What;
    }
    skinned->SetEnabled(true);
    hb->MouseMove(At(skinned, 20, 15));
    EXPECT_EQ(Probe(skinned, 20, 15), kClient[1]) << "hot, skinned";
    EXPECT_EQ(Probe(skinned, 0, 0), kRed) << "the corner keeps its colour";
}

TEST_F(Buttons, PlainButtonClicksOnReleaseOverItAndNotOutside) {
    auto* b = Speed();
    Show();
    hb->Click(RawButton::Left, At(b, 5, 5));
    Pump();
    EXPECT_EQ(Clicks, 1);
    hb->Advance(1000);
    hb->ButtonDown(RawButton::Left, At(b, 5, 5));
    hb->MouseMove(At(b, 100, 100));
    Pump();
    EXPECT_EQ(Probe(b, 3, 3), ColorToRGB(clBtnFace)) << "dragged off: not the down look";
    hb->ButtonUp(RawButton::Left, {5, 300});
    Pump();
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(b->Down());
    hb->Advance(1000);
    hb->ButtonDown(RawButton::Left, At(b, 5, 5));
    hb->MouseMove(At(b, 100, 100));
    hb->MouseMove(At(b, 6, 6));
    Pump();
    EXPECT_EQ(Probe(b, 3, 3), clskPressedFill) << "dragged back in";
    hb->ButtonUp(RawButton::Left, At(b, 6, 6));
    Pump();
    EXPECT_EQ(Clicks, 2);
}

// Press, repeat and group are one logic for the windowed push button and the windowless speed
// button; the windowed one is kept off the focus, which has looks of its own.
template <class T> class BothKinds : public Buttons {
protected:
    T* Make(TRect r, int group = 0) {
        auto* b = new T(Form);
        b->SetParent(Form);
        b->SetBoundsRect(r);
        b->OnClick = [this](TObject*) { ++Clicks; };
        if constexpr (std::is_same_v<T, TskSkinButton>) {
            b->SetCanFocused(false);
            b->SetGroupIndex(group);
        } else {
            b->GroupIndex = group;
        }
        return b;
    }
};
using ButtonKinds = ::testing::Types<TskSkinSpeedButton, TskSkinButton>;
TYPED_TEST_SUITE(BothKinds, ButtonKinds);

TYPED_TEST(BothKinds, RepeatClicksEveryIntervalWhileHeld) {
    auto* b = this->Make({10, 10, 50, 40});
    b->RepeatMode = true;
    b->RepeatInterval = 100;
    this->Show();
    auto* hb = this->hb;
    hb->SetAutoAdvance(false);
    hb->ButtonDown(RawButton::Left, this->At(b, 5, 5));
    this->Pump();
    EXPECT_EQ(this->Clicks, 0) << "not on the press";
    hb->Advance(100);
    this->Pump();
    EXPECT_EQ(this->Clicks, 1);
    hb->Advance(100);
    this->Pump();
    EXPECT_EQ(this->Clicks, 2);
    hb->ButtonUp(RawButton::Left, this->At(b, 5, 5));
    this->Pump();
    EXPECT_EQ(this->Clicks, 3) << "plus one at the release";
    hb->Advance(500);
    this->Pump();
    EXPECT_EQ(this->Clicks, 3);
}

TYPED_TEST(BothKinds, RepeatRestsWhileThePointerIsOutside) {
    auto* b = this->Make({10, 10, 50, 40});
    b->RepeatMode = true;
    this->Show();
    auto* hb = this->hb;
    hb->SetAutoAdvance(false);
    hb->ButtonDown(RawButton::Left, this->At(b, 5, 5));
    this->Pump();
    hb->Advance(100);
    this->Pump();
    EXPECT_EQ(this->Clicks, 1);
    hb->MouseMove(this->At(b, 100, 100));
    this->Pump();
    hb->Advance(300);
    this->Pump();
    EXPECT_EQ(this->Clicks, 1) << "no repeat outside";
    hb->MouseMove(this->At(b, 5, 5));
    this->Pump();
    hb->Advance(100);
    this->Pump();
    EXPECT_EQ(this->Clicks, 2) << "repeats again over it";
    hb->ButtonUp(RawButton::Left, this->At(b, 5, 5));
    this->Pump();
    EXPECT_EQ(this->Clicks, 3);
    EXPECT_FALSE(b->Down());
}

TYPED_TEST(BothKinds, GroupButtonsAndAllowAllUp) {
    auto* hb = this->hb;
    for (bool allowAllUp : {false, true}) {
        this->Clicks = 0;
        auto* a = this->Make({10, 50, 40, 80}, 3);
        auto* b = this->Make({50, 50, 80, 80}, 3);
        for (auto* x : {a, b})
            x->AllowAllUp = allowAllUp;
        this->Show();
        hb->Advance(1000);
        hb->Click(RawButton::Left, this->At(a, 5, 5));
        hb->Advance(1000);
        hb->Click(RawButton::Left, this->At(b, 5, 5));
        this->Pump();
        EXPECT_EQ(this->Clicks, 2) << "a group button clicks on the press";
        EXPECT_EQ(a->Down(), allowAllUp) << allowAllUp;
        EXPECT_TRUE(b->Down());
        hb->Advance(1000);
        hb->Click(RawButton::Left, this->At(b, 5, 5));
        this->Pump();
        EXPECT_EQ(b->Down(), !allowAllUp) << "a second press releases only with AllowAllUp";
        EXPECT_EQ(this->Clicks, allowAllUp ? 3 : 2);
        a->Free();
        b->Free();
    }
}

TEST_F(Buttons, GlyphFrameByState) {
    auto* b = Speed();
    b->SetNumGlyphs(4);
    EXPECT_EQ(b->GlyphFrame(true, true), 3);
    EXPECT_EQ(b->GlyphFrame(false, true), 4);
    EXPECT_EQ(b->GlyphFrame(false, false), 1);
    b->SetEnabled(false);
    EXPECT_EQ(b->GlyphFrame(false, false), 2);
    b->SetNumGlyphs(1);
    EXPECT_EQ(b->GlyphFrame(false, false), 1);
    b->SetNumGlyphs(0);
    EXPECT_EQ(b->NumGlyphs(), 1) << "a zero count is clamped, never divides";
    b->SetNumGlyphs(9);
    EXPECT_EQ(b->NumGlyphs(), 4);
    // The strip's frames by probe: four 8 x 8 frames red, green, blue, yellow.
    TBitmap strip(32, 8);
    const TColor frames[4] = {kRed, kGreen, kBlue, kYellow};
    for (int i = 0; i < 4; ++i) {
        strip.Canvas().Brush().Color = frames[i];
        strip.Canvas().FillRect({i * 8, 0, i * 8 + 8, 8});
    }
    for (int i = 0; i < 4; ++i)
        strip.Canvas().SetPixel(i * 8, 7, kMagenta); // each frame's transparent key
    b->SetEnabled(true);
    b->SetGlyph(strip);
    b->SetNumGlyphs(4);
    Show();
    EXPECT_EQ(Probe(b, 20, 15), kRed) << "frame 1";
    hb->MouseMove(At(b, 2, 2));
    EXPECT_EQ(Probe(b, 20, 15), kYellow) << "hot: frame 4";
    hb->ButtonDown(RawButton::Left, At(b, 2, 2));
    EXPECT_EQ(Probe(b, 21, 16), kBlue) << "pressed: frame 3, shifted by one";
    hb->ButtonUp(RawButton::Left, At(b, 2, 2));
}

TEST_F(Buttons, MorphBlendsStepByStepAndEndsExactly) {
    auto* b = Speed("morphbutton");
    b->SetSkinData(Skin);
    Show();
    hb->SetAutoAdvance(false);
    hb->MouseMove(At(b, 20, 15));
    Pump();
    int lastGreen = -1;
    for (int step = 1; step <= 4; ++step) {
        hb->Advance(20);
        Pump();
        const double k = b->MorphFactor();
        EXPECT_NEAR(k, 0.2 * step, 1e-9);
        const TColor c = Probe(b, 20, 15);
        const int green = (c >> 8) & 0xFF, red = c & 0xFF;
        EXPECT_GT(green, lastGreen) << "blends towards the active face";
        EXPECT_LT(red, 0x80);
        lastGreen = green;
    }
    for (int i = 0; i < 3; ++i) {
        hb->Advance(20);
        Pump();
    }
    EXPECT_EQ(b->MorphFactor(), 1.0);
    EXPECT_EQ(Probe(b, 20, 15), kClient[1]);
    hb->MouseMove(At(b, 100, 100));
    for (int i = 0; i < 8; ++i) {
        hb->Advance(20);
        Pump();
    }
    EXPECT_EQ(b->MorphFactor(), 0.0);
    EXPECT_EQ(Probe(b, 20, 15), kClient[0]);
}

TEST_F(Buttons, AnimationPlaysTheStripForwardsOnEnter) {
    auto* b = Speed("animbutton");
    b->SetSkinData(Skin);
    Show();
    hb->SetAutoAdvance(false);
    hb->MouseMove(At(b, 20, 15));
    Pump();
    const TColor frames[] = {kClient[0], kClient[1], kClient[2]};
    for (int f = 0; f < 3; ++f) {
        EXPECT_EQ(b->AnimateFrame(), f + 1);
        EXPECT_EQ(Probe(b, 20, 15), frames[f]) << "frame " << f + 1;
        hb->Advance(30);
        Pump();
    }
    EXPECT_EQ(b->AnimateFrame(), 0) << "the strip ended";
    EXPECT_EQ(Probe(b, 20, 15), kClient[1]) << "the plain active face returns";
}

TEST_F(Buttons, FreeSizeFaceStretchesAFixedSkin) {
    auto* b = new TskSkinButton(Form);
    b->SetParent(Form);
    b->SetSkinDataName("fixed");
    b->UseSkinSize = false;
    b->SetCanFocused(false);
    b->SetSkinData(Skin);
    b->SetBounds(10, 10, 80, 40);
    Show();
    EXPECT_EQ(b->Width(), 80) << "any size";
    EXPECT_FALSE(b->RegionSet()) << "and no region";
    EXPECT_EQ(Probe(b, 2, 2), kRed);
    EXPECT_EQ(Probe(b, 77, 37), kYellow);
    EXPECT_EQ(Probe(b, 40, 20), kClient[0]);
}

TEST_F(Buttons, SkinnedButtonDialogKeysClickOnce) {
    Form->SetBounds(100, 100, 300, 200);
    auto* ok = new TskSkinButton(Form);
    ok->SetParent(Form);
    ok->SetCaption("OK");
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    auto* cancel = new TskSkinButton(Form);
    cancel->SetParent(Form);
    cancel->SetBounds(100, 0, 75, 25);
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    Show();
    EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(Form->ModalResult(), mrCancel);
    ok->ModalResult = 0;
    hb->Click(RawButton::Left, At(ok, 5, 5));
    Pump();
    EXPECT_EQ(okClicks, 2);
    EXPECT_EQ(Form->ModalResult(), 0) << "written on every click, also 0";
}

TEST_F(Buttons, SkinnedButtonLooks) {
    auto* b = new TskSkinButton(Form);
    b->SetParent(Form);
    b->SetBounds(10, 10, 80, 30);
    b->SetCanFocused(false);
    b->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(b, 40, 15), kClient[0]);
    EXPECT_EQ(Probe(b, 79, 29), kYellow);
    hb->MouseMove(At(b, 40, 15));
    EXPECT_EQ(Probe(b, 40, 15), kClient[1]);
    hb->ButtonDown(RawButton::Left, At(b, 40, 15));
    EXPECT_EQ(Probe(b, 40, 15), kClient[2]);
    hb->ButtonUp(RawButton::Left, At(b, 40, 15));
    b->SetEnabled(false);
    EXPECT_EQ(Probe(b, 40, 15), kClient[3]);
}

TEST_F(Buttons, DefaultButtonGlowsWhileANonButtonHasTheFocus) {
    auto* ok = new TskSkinButton(Form);
    ok->SetParent(Form);
    ok->SetDefault(true);
    auto* other = new TskSkinButton(Form);
    other->SetParent(Form);
    other->SetBounds(100, 0, 75, 25);
    auto* bar = new TskSkinScrollBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(0, 50, 200, 19);
    bar->SetCanFocused(true);
    ok->SetSkinData(Skin);
    other->SetSkinData(Skin);
    Show();
    bar->SetFocus();
    Pump();
    EXPECT_TRUE(ok->Hot());
    EXPECT_EQ(Probe(ok, 37, 12), kClient[1]) << "the default button glows";
    other->SetFocus();
    Pump();
    EXPECT_FALSE(ok->Hot());
    EXPECT_EQ(Probe(ok, 37, 12), kClient[0]);
    EXPECT_EQ(Probe(other, 37, 12), kClient[1]) << "the focused button shows its active look";
    EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
}

TEST_F(Buttons, SpeedButtonWriters) {
    auto* b = Speed();
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1) << "below -1 is ignored";
    b->SetMargin(3);
    EXPECT_EQ(b->Margin(), 3);
    b->WidthWithCaption = 80;
    b->WidthWithoutCaption = 30;
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 30);
    b->SetShowCaption(true);
    EXPECT_EQ(b->Width(), 80);
    b->SetCaption("&Go");
    Show();
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'g', 0), 1);
    EXPECT_EQ(Clicks, 1) << "the accelerator clicks";
    EXPECT_FALSE(b->Down());
}

TEST_F(Buttons, FlatSpeedButtonIsTransparentUntilToldOtherwise) {
    Form->SetColor(0x336699);
    auto* b = Speed();
    b->SetFlat(true);
    EXPECT_TRUE(b->Transparent());
    Show();
    EXPECT_EQ(Probe(b, 3, 3), 0x336699) << "the parent shows through";
    b->SetTransparent(false);
    EXPECT_EQ(Probe(b, 3, 3), ColorToRGB(clBtnFace)) << "flat: no frame, a face fill";
    EXPECT_EQ(Probe(b, 0, 0), ColorToRGB(clBtnFace));
}

TEST_F(Buttons, EraseOutsideThePaintDrawsTheButton) {
    auto* b = new TskSkinButton(Form);
    b->SetParent(Form);
    b->SetCanFocused(false); // else it takes the focus and shows its active look
    b->SetSkinData(Skin);
    Show();
    TBitmap target(75, 25);
    b->Perform(WM_ERASEBKGND, WPARAM(target.Canvas().Handle()), 0);
    EXPECT_EQ(target.Canvas().Pixel(0, 0), kRed);
    EXPECT_EQ(target.Canvas().Pixel(37, 12), kClient[0]);
}

} // namespace
} // namespace vd::test
