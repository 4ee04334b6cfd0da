// An edit's context menu is the skinned one: it opens in the menu engine of its form's frame and
// its commands reach the edit.
#include "../form/frame/FrameFixture.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/form/menus/SkinMenu.h"

namespace vd::test {
namespace {

TEST_F(FrameTest, AnEditsContextMenuOpensInItsFramesEngineAndRunsTheChosenCommand) {
    TForm* f = NewFrameForm(true);
    auto* e = new TskSkinEdit(f);
    e->SetParent(f);
    e->SetBounds(10, 10, 150, 21);
    ShowForm(f);
    e->SetText("hello");
    e->SetFocus();
    Pump();
    e->SetSelStart(5);
    e->SetSelLength(0);
    const TPoint at = e->ClientToScreen({20, 5});
    SendMessage(e->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e->Handle()), MakeLParam(at.X, at.Y));
    Pump();
    ASSERT_TRUE(Frame->SkinMenu()->MenuVisible()) << "the edit's menu opens in the frame's engine";
    // "Select All" is the last item: Up from no hot item wraps to it.
    hb->KeyPress(VK_UP);
    Pump();
    hb->KeyPress(VK_RETURN);
    Pump();
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 5);
}

} // namespace
} // namespace vd::test
