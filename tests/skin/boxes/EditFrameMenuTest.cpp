// An edit's context menu is the skinned one: it opens in the menu engine of its form's frame and
// its commands reach the edit.
#include "../form/frame/FrameFixture.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/core/SkinStrings.h"
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

// The menu's texts are the frame's skin strings, not those of whichever skin object the form
// happens to hold first.
TEST_F(FrameTest, AnEditsContextMenuSpeaksTheFramesSkinStrings) {
    auto* f = new TForm(Application);
    auto strings = [f](const char* undo) {
        auto* skin = new TskSkinData(f);
        auto* table = new TskResourceStrData(f);
        table->SetResStrings({String("EDIT_UNDO=") + undo});
        skin->SetResourceStrData(table);
        return skin;
    };
    strings("Other");
    auto* frame = new TskSkinForm(f);
    frame->SetSkinData(strings("Framed"));
    auto* e = new TskSkinEdit(f);
    e->SetParent(f);
    e->CreateSkinContextMenu();
    ASSERT_NE(e->SkinContextMenu(), nullptr);
    EXPECT_EQ(e->SkinContextMenu()->Items()->Items(0)->Caption(), "Framed");
    frame->SetSkinData(nullptr);
    e->CreateSkinContextMenu();
    EXPECT_EQ(e->SkinContextMenu()->Items()->Items(0)->Caption(), "Undo") << "no frame skin: built-in text";
    f->Free();
}

} // namespace
} // namespace vd::test
