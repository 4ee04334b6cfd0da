#include "VclFixture.h"

#include "platform/vcl/StdCtrls.h"

namespace vd::test {
namespace {

TEST_F(VclTest, ParentShowHintFollowsTheParentUntilSetDirectly) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* own = new TEdit(form);
    own->SetParent(form);
    own->SetShowHint(false);
    EXPECT_FALSE(own->ParentShowHint());
    form->SetShowHint(true);
    EXPECT_TRUE(edit->ShowHint()) << "follows the form";
    EXPECT_FALSE(own->ShowHint()) << "set directly: keeps its own";
    form->SetShowHint(false);
    EXPECT_FALSE(edit->ShowHint());
    own->SetParentShowHint(true);
    form->SetShowHint(true);
    EXPECT_TRUE(own->ShowHint());
    auto* late = new TEdit(form);
    late->SetParent(form);
    EXPECT_TRUE(late->ShowHint()) << "takes it when inserted";
}

// The control under the pointer is also the hint's: ending the hint must not stop the
// application following it as the mouse control.
TEST_F(VclTest, TheMouseControlIsFollowedAfterItsHintEnds) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 80, 20);
    edit->SetHint("tip");
    edit->SetShowHint(true);
    form->Show();
    Pump();
    hb->MouseMove({120, 115});
    Pump();
    ASSERT_EQ(Application->MouseControl(), edit);
    Application->CancelHint();
    edit->Free();
    EXPECT_EQ(Application->MouseControl(), nullptr);
}

TEST_F(VclTest, ConstrainedResizeAdjustsTheLimitsOfEachResize) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->Constraints().MinWidth = 50;
    edit->Constraints().MaxHeight = 30;
    bool widen = false;
    edit->OnConstrainedResize = [&](TObject*, int& minW, int&, int& maxW, int&) {
        if (widen) minW = 80;
        maxW = 300;
    };
    struct {
        bool widen;
        int w, h, expectW, expectH;
    } cases[] = {{false, 10, 10, 50, 10}, {false, 500, 100, 300, 30}, {true, 60, 20, 80, 20}};
    for (const auto& c : cases) {
        widen = c.widen;
        edit->SetBounds(0, 0, c.w, c.h);
        EXPECT_EQ(edit->Width(), c.expectW);
        EXPECT_EQ(edit->Height(), c.expectH);
    }
}

} // namespace
} // namespace vd::test
