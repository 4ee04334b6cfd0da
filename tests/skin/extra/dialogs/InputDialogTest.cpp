// The input dialog through the modal-loop hook: OK, Enter, Cancel, Esc and closing, the value
// kept on refusal, the 255-character limit and the layout in dialog units.
#include "../../../platform/vcl/KeyScript.h"
#include "../../controls/SkinFixture.h"
#include "platform/vcl/Application.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/extra/dialogs/SkinDialogUnits.h"
#include "skin/extra/dialogs/SkinInputDialog.h"

namespace vd::test {
namespace {

class InputTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Owner = NewForm();
        Dlg = new TskSkinInputDialog(Owner);
    }
    TForm* Owner = nullptr;
    TskSkinInputDialog* Dlg = nullptr;
};

TEST_F(InputTest, EnterConfirmsTheTypedTextAndOKKeepsAnUnchangedOne) {
    String value = "old";
    {
        TModalLoopHookScope hook([&](TCustomForm&) { TypeKeys(hb, "new{Enter}"); });
        EXPECT_TRUE(Dlg->QueryText("Title", "Name:", value));
    }
    EXPECT_EQ(value, "new") << "the preset text was selected and typed over";
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            EXPECT_EQ(f.Caption(), "Title");
            static_cast<TskSkinButton*>(f.FindComponent("OK"))->ButtonClick();
        });
        EXPECT_TRUE(Dlg->QueryText("Title", "Name:", value));
    }
    EXPECT_EQ(value, "new");
    EXPECT_EQ(Screen->FormCount(), 1);
    EXPECT_EQ(Dlg->InputForm(), nullptr);
}

TEST_F(InputTest, CancelEscAndClosingLeaveTheValue) {
    String value = "keep";
    std::function<void(TCustomForm&)> actions[] = {
        [](TCustomForm& f) { static_cast<TskSkinButton*>(f.FindComponent("Cancel"))->ButtonClick(); },
        [this](TCustomForm&) { TypeKeys(hb, "xyz{Esc}"); },
        [](TCustomForm& f) { f.Close(); },
    };
    for (auto& a : actions) {
        TModalLoopHookScope hook(a);
        EXPECT_FALSE(Dlg->QueryText("c", "p", value));
        EXPECT_EQ(value, "keep");
    }
    EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(InputTest, AtMost255CharactersAndTheLayoutInDialogUnits) {
    String value;
    TModalLoopHookScope hook([&](TCustomForm& f) {
        auto* edit = static_cast<TskSkinEdit*>(f.FindComponent("Edit"));
        EXPECT_EQ(edit->MaxLength(), 255);
        const TDialogUnits du = MeasureDialogUnits(f.Font());
        EXPECT_EQ(f.ClientWidth(), MulDiv(180, du.BaseX, 4));
        auto* ok = static_cast<TskSkinButton*>(f.FindComponent("OK"));
        auto* cancel = static_cast<TskSkinButton*>(f.FindComponent("Cancel"));
        EXPECT_EQ(ok->Caption(), "OK");
        EXPECT_EQ(cancel->Caption(), "Cancel");
        EXPECT_EQ(ok->Left(), MulDiv(38, du.BaseX, 4));
        EXPECT_EQ(cancel->Left(), MulDiv(92, du.BaseX, 4));
        EXPECT_EQ(ok->Width(), MulDiv(50, du.BaseX, 4));
        EXPECT_EQ(ok->Top(), edit->Top() + edit->Height() + 15);
        EXPECT_EQ(f.ClientHeight(), cancel->Top() + cancel->Height() + 13);
        TypeKeys(hb, std::string(300, 'a') + "{Enter}");
    });
    EXPECT_TRUE(Dlg->QueryText("c", "p", value));
    EXPECT_EQ(value.size(), 255u);
}

} // namespace
} // namespace vd::test
