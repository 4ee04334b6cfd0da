// The context menus of inner edits (a spin edit's, an edit-style combo box's and the grid's
// in-place editor) on a real X server with the real form frame: a right click on the edit maps
// the frame's skinned menu window. Their menus are owned by the edit, the edit by its host
// control, so the frame is found through the edit's form.
#include <gtest/gtest.h>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/extra/grids/SkinDrawGrid.h"
#include "skin/extra/grids/SkinInplaceEdit.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinPopupWindow.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/X11Screen.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <functional>
#include <memory>

namespace vd::test {
namespace {

class InnerEditMenuX11Test : public X11ScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(X11ScreenTest::SetUp());
        Form = Application->CreateForm<TForm>();
        Form->SetCaption("Inner edits");
        Form->SetBoundsRect({40, 40, 520, 400});
        Frame = new TskSkinForm(Form);
        auto* skin = new TskSkinData(Form);
        ASSERT_NO_FATAL_FAILURE(LoadOwnSkin(*skin, Stored));
        Frame->SetSkinData(skin);
        Skin = skin;
    }
    void TearDown() override {
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        Application->SetMainForm(nullptr);
        PumpUntil([] { return false; }, 20);
        X11ScreenTest::TearDown();
    }
    bool MenuMapped() {
        TskSkinMenu* engine = Frame->SkinMenu();
        return engine && engine->MenuVisible() && engine->LevelCount() > 0 &&
               Viewable(Backend->XWindowOf(engine->Level(0)->Handle()));
    }
    void RightClick(TWinControl* c) {
        const TPoint p = c->ClientToScreen({c->Width() / 2, c->Height() / 2});
        XTestFakeMotionEvent(Observer, -1, p.X, p.Y, CurrentTime);
        XTestFakeButtonEvent(Observer, 3, True, CurrentTime);
        XTestFakeButtonEvent(Observer, 3, False, CurrentTime);
        XSync(Observer, False);
    }
    void PressEscape() {
        const KeyCode esc = XKeysymToKeycode(Observer, XK_Escape);
        XTestFakeKeyEvent(Observer, esc, True, CurrentTime);
        XTestFakeKeyEvent(Observer, esc, False, CurrentTime);
        XSync(Observer, False);
    }

    TForm* Form = nullptr;
    TskSkinForm* Frame = nullptr;
    TskSkinData* Skin = nullptr;
    TskCompressedStoredSkin Stored;
};

TEST_F(InnerEditMenuX11Test, ARightClickOnAnInnerEditMapsTheFramesMenu) {
    auto* spin = new TskSkinSpinEdit(Form);
    spin->SetParent(Form);
    spin->SetBoundsRect({20, 20, 160, 41});
    spin->SetSkinData(Skin);
    auto* combo = new TskSkinComboBox(Form);
    combo->SetParent(Form);
    combo->SetStyle(skcbEditStyle);
    combo->SetBoundsRect({20, 60, 200, 81});
    combo->SetSkinData(Skin);
    auto* grid = new TskSkinStringGrid(Form);
    grid->SetParent(Form);
    grid->SetBoundsRect({20, 100, 400, 260});
    grid->SetSkinData(Skin);
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Viewable(Backend->XWindowOf(Form->Handle())); }));
    grid->SetOptions(grid->Options() | goEditing | goAlwaysShowEditor);
    grid->SetFocus();
    ASSERT_TRUE(PumpUntil([&] {
        auto* e = grid->InplaceEditor();
        return e && e->HandleAllocated() && IsWindowVisible(e->Handle());
    }));

    const struct {
        const char* Name;
        TWinControl* Edit;
    } edits[] = {{"spin edit", spin->Edit()}, {"combo box", combo->Edit()}, {"grid", grid->InplaceEditor()}};
    for (const auto& e : edits) {
        ASSERT_NE(e.Edit, nullptr) << e.Name;
        ASSERT_TRUE(IsWindowVisible(e.Edit->Handle())) << e.Name;
        RightClick(e.Edit);
        EXPECT_TRUE(PumpUntil([&] { return MenuMapped(); })) << e.Name << ": no menu window was mapped";
        PressEscape();
        EXPECT_TRUE(PumpUntil([&] { return !Frame->SkinMenu()->MenuVisible(); })) << e.Name;
    }
}

} // namespace
} // namespace vd::test
