// The progress dialog in both modes: closing at the maximum, Cancel, closing twice, values past
// the maximum, the gauge's range, dialog units, and a component freed while its window shows.
#include "../../controls/SkinFixture.h"
#include "platform/vcl/Application.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinGauge.h"
#include "skin/extra/dialogs/SkinDialogUnits.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"

namespace vd::test {
namespace {

class ProgressTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Owner = NewForm();
        Dlg = new TskSkinProgressDialog(Owner);
        Dlg->OnCancel = [this](TObject*) { ++Cancels; };
    }
    TForm* Owner = nullptr;
    TskSkinProgressDialog* Dlg = nullptr;
    int Cancels = 0;
};

TEST_F(ProgressTest, OnTopItClosesAtTheMaximumWithoutCancel) {
    Dlg->ShowCancelButton = false;
    Dlg->ShowProgress();
    Pump();
    ASSERT_TRUE(Dlg->Shown());
    TForm* f = Dlg->ProgressForm();
    EXPECT_EQ(f->FormStyle(), fsStayOnTop);
    EXPECT_TRUE(IsWindowVisible(f->Handle()));
    Dlg->ShowProgress(); // a second call while shown does nothing
    EXPECT_EQ(Dlg->ProgressForm(), f);
    Dlg->SetValue(40);
    EXPECT_EQ(Dlg->ProgressGauge()->Value(), 40);
    Dlg->SetValue(100);
    Pump();
    EXPECT_FALSE(Dlg->Shown());
    EXPECT_EQ(Dlg->ProgressForm(), nullptr);
    EXPECT_EQ(Cancels, 0);
    Dlg->CloseProgress();
    Dlg->CloseProgress();
    EXPECT_EQ(Cancels, 0);
    EXPECT_EQ(Screen->FormCount(), 1) << "the window freed itself";
}

TEST_F(ProgressTest, CancelBelowTheMaximumReportsOnceAndAValuePastItIsNoCancel) {
    Dlg->ShowProgress();
    Dlg->SetValue(30);
    Pump();
    Dlg->CancelButton()->ButtonClick();
    Pump();
    EXPECT_FALSE(Dlg->Shown());
    EXPECT_EQ(Cancels, 1);
    Dlg->CloseProgress();
    EXPECT_EQ(Cancels, 1);
    // Past the maximum: the gauge stops at it and closes the window, which is no cancel.
    Dlg->SetValue(0);
    Dlg->ShowProgress();
    Dlg->SetValue(150);
    Pump();
    EXPECT_FALSE(Dlg->Shown());
    EXPECT_EQ(Cancels, 1);
}

TEST_F(ProgressTest, ModalReturnsTrueAtTheMaximumAndFalseOnCancelNeverReportingCancel) {
    Dlg->ShowType = stModal;
    Dlg->MinValue = 10;
    Dlg->MaxValue = 20;
    int gaugeMin = 0, gaugeMax = 0;
    Dlg->OnShow = [&](TObject*) {
        gaugeMin = Dlg->ProgressGauge()->MinValue();
        gaugeMax = Dlg->ProgressGauge()->MaxValue();
    };
    {
        TModalLoopHookScope hook([&](TCustomForm&) {
            Dlg->SetValue(15);
            Dlg->SetValue(20);
        });
        EXPECT_TRUE(Dlg->ShowProgress());
    }
    EXPECT_EQ(gaugeMin, 10);
    EXPECT_EQ(gaugeMax, 20);
    EXPECT_FALSE(Dlg->Shown());
    Dlg->SetValue(10);
    {
        TModalLoopHookScope hook([&](TCustomForm&) { Dlg->CancelButton()->ButtonClick(); });
        EXPECT_FALSE(Dlg->ShowProgress());
    }
    {
        TModalLoopHookScope hook([&](TCustomForm& f) { f.Close(); });
        EXPECT_FALSE(Dlg->ShowProgress());
    }
    EXPECT_EQ(Cancels, 0);
    EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(ProgressTest, TheLayoutIsInDialogUnitsOfTheWindowFont) {
    Dlg->ShowProgress();
    TForm* f = Dlg->ProgressForm();
    const TDialogUnits du = MeasureDialogUnits(f->Font());
    ASSERT_GT(du.BaseX, 0);
    EXPECT_EQ(f->ClientWidth(), MulDiv(180, du.BaseX, 4));
    TskSkinGauge* g = Dlg->ProgressGauge();
    EXPECT_EQ(g->Width(), MulDiv(164, du.BaseX, 4));
    TskSkinButton* b = Dlg->CancelButton();
    EXPECT_EQ(b->Caption(), "Cancel");
    EXPECT_EQ(b->Left() + b->Width(), g->Left() + g->Width());
    EXPECT_EQ(b->Top(), g->Top() + g->Height() + 15);
    EXPECT_EQ(f->ClientHeight(), b->Top() + b->Height() + 13);
    TDialogUnits fixed{7, 16};
    EXPECT_EQ(fixed.X(180), 315);
    EXPECT_EQ(fixed.Y(14), 28);
    Dlg->CloseProgress();
}

TEST_F(ProgressTest, FreeingTheComponentInsideItsOwnModalLoopIsSafe) {
    Dlg->ShowType = stModal;
    bool shown = false;
    Dlg->OnShow = [&](TObject*) { shown = true; };
    {
        TModalLoopHookScope hook([&](TCustomForm&) {
            delete Dlg;
            Dlg = nullptr;
        });
        // The component is gone when the loop ends; the call must not touch it again.
        auto* d = Dlg;
        EXPECT_FALSE(d->ShowProgress());
    }
    EXPECT_TRUE(shown);
    EXPECT_EQ(Dlg, nullptr);
    Pump();
    EXPECT_EQ(Cancels, 0);
    EXPECT_EQ(Screen->FormCount(), 1) << "the window went too";
}

TEST_F(ProgressTest, FreeingTheComponentWhileItsWindowShowsLeavesNoDanglingHandler) {
    Dlg->ShowProgress();
    Pump();
    TForm* f = Dlg->ProgressForm();
    ASSERT_NE(f, nullptr);
    delete Dlg;
    Dlg = nullptr;
    Pump();
    EXPECT_EQ(Cancels, 0);
    EXPECT_EQ(Screen->FormCount(), 1) << "the window went with its component";
}

} // namespace
} // namespace vd::test
