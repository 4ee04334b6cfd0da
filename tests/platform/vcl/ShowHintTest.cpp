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

} // namespace
} // namespace vd::test
