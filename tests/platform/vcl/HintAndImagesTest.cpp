#include "VclFixture.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/HintWindow.h"
#include "platform/vcl/ImageList.h"

namespace vd::test {
namespace {

TEST_F(VclTest, HintShowsAfterThePauseAndHidesAfterTheHidePause) {
    TForm* form = NewForm({0, 0, 200, 200});
    auto* bevel = new TBevel(form);
    bevel->SetParent(form);
    bevel->SetBounds(10, 10, 50, 50);
    bevel->SetHint("Level meter");
    bevel->SetShowHint(true);
    form->Show();
    Pump();
    hb->SetAutoAdvance(false);
    hb->MouseMove({20, 20});
    Pump();
    hb->Advance(499);
    Pump();
    EXPECT_TRUE(!Application->HintWindow() || !Application->HintWindow()->IsShowing());
    hb->Advance(1);
    Pump();
    ASSERT_NE(Application->HintWindow(), nullptr);
    THintWindow* hint = Application->HintWindow();
    EXPECT_TRUE(hint->IsShowing());
    EXPECT_EQ(hint->Caption(), "Level meter");
    EXPECT_NE(GetActiveWindow(), hint->Handle()) << "a hint never takes activation";
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_TRUE(GetWindowLong(hint->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    hb->Advance(2500);
    Pump();
    EXPECT_FALSE(hint->IsShowing());
    // Refused by OnShowHint: nothing shown.
    Application->OnShowHint = [](String&, bool& can, TControl*) { can = false; };
    hb->MouseMove({150, 150});
    hb->MouseMove({20, 20});
    Pump();
    hb->Advance(600);
    Pump();
    EXPECT_FALSE(hint->IsShowing());
    Application->OnShowHint = nullptr;
    hb->SetAutoAdvance(true);
}

TEST_F(VclTest, HintRectFitsTheTextAndStaysOnScreen) {
    auto* hint = new THintWindow(nullptr);
    const TRect r = hint->CalcHintRect(300, "Hint");
    EXPECT_GT(r.Width(), 6);
    EXPECT_GT(r.Height(), 2);
    hint->ActivateHint(Bounds(Screen->Width() - 10, 100, r.Width(), r.Height()), "Hint");
    const TRect placed = GetWindowRect(hint->Handle());
    EXPECT_LE(placed.Right, Screen->Width());
    EXPECT_EQ(placed.Width(), r.Width());
    hint->Free();
}

TEST_F(VclTest, ImageListDrawsMaskedAndDisabled) {
    TImageList list(nullptr);
    list.SetSize(4, 4);
    TBitmap strip(8, 4);
    strip.Canvas().Brush().Color = clFuchsia;
    strip.Canvas().FillRect({0, 0, 8, 4});
    strip.Canvas().Brush().Color = clRed;
    strip.Canvas().FillRect({1, 1, 3, 3});
    strip.Canvas().Brush().Color = clBlue;
    strip.Canvas().FillRect({5, 0, 7, 2});
    EXPECT_EQ(list.Add(strip), 0);
    EXPECT_EQ(list.Count(), 2);
    TBitmap target(10, 10);
    target.Canvas().Brush().Color = clWhite;
    target.Canvas().FillRect({0, 0, 10, 10});
    list.Draw(target.Canvas(), 0, 0, 0, true);
    EXPECT_EQ(target.Canvas().Pixel(0, 0), clWhite) << "the bottom-left colour is transparent";
    EXPECT_EQ(target.Canvas().Pixel(1, 1), clRed);
    list.Draw(target.Canvas(), 5, 5, 1, false);
    EXPECT_EQ(target.Canvas().Pixel(6, 5), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(target.Canvas().Pixel(8, 7), static_cast<TColor>(ColorToRGB(clBtnHighlight)));
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    TBitmap one;
    ASSERT_TRUE(list.GetBitmap(0, one));
    EXPECT_EQ(one.Canvas().Pixel(1, 0), clBlue);
    EXPECT_FALSE(list.GetBitmap(5, one));
}

} // namespace
} // namespace vd::test
