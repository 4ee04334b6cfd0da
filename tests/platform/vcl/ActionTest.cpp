#include "VclFixture.h"

#include "platform/vcl/ActnList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"

namespace vd::test {
namespace {

class Button : public TCustomControl {
public:
    explicit Button(TComponent* o) : TCustomControl(o) {}
    void Press() { Click(); }
};

TEST_F(VclTest, ActionStateReachesEveryLinkedClientAndRunsOnClick) {
    TForm* form = NewForm();
    TActionList list(form);
    auto* action = new TAction(form);
    action->SetActionList(&list);
    action->SetCaption("&Save");
    int executed = 0;
    action->OnExecute = [&](TObject*) { ++executed; };
    auto* button = new Button(form);
    button->SetParent(form);
    button->SetAction(action);
    TMenuItem item(nullptr);
    item.SetAction(action);
    EXPECT_EQ(button->Caption(), "&Save") << "the link copies the state at once";
    EXPECT_EQ(item.Caption(), "&Save");
    action->SetEnabled(false);
    action->SetChecked(true);
    action->SetHint("Save the stream list");
    action->SetShortCut(ShortCut('S', ssCtrl));
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(item.Enabled);
    EXPECT_TRUE(item.Checked);
    EXPECT_EQ(button->Hint(), "Save the stream list");
    EXPECT_EQ(item.ShortCut, ShortCut('S', ssCtrl));
    button->Press();
    item.Click();
    EXPECT_EQ(executed, 0) << "a disabled action does not run";
    action->SetEnabled(true);
    button->Press();
    item.Click();
    EXPECT_EQ(executed, 2);
    int own = 0;
    button->OnClick = [&](TObject*) { ++own; };
    button->Press();
    EXPECT_EQ(own, 1) << "an OnClick of its own wins";
    EXPECT_EQ(executed, 2);
    EXPECT_TRUE(list.IsShortCut(ShortCut('S', ssCtrl)));
    EXPECT_EQ(executed, 3);
    EXPECT_FALSE(list.IsShortCut(ShortCut('Q', ssCtrl)));
    int updates = 0;
    action->OnUpdate = [&](TObject*) { ++updates; };
    list.UpdateActions();
    EXPECT_EQ(updates, 1);
    action->Free();
    EXPECT_EQ(button->Action(), nullptr) << "a freed action unlinks its clients";
    EXPECT_EQ(item.Action(), nullptr);
    EXPECT_EQ(list.ActionCount(), 0);
    button->OnClick = nullptr;
    button->Press(); // nothing to run, nothing dangling
    item.Click();
}

} // namespace
} // namespace vd::test
