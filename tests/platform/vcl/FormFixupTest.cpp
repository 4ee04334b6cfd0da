#include "VclFixture.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"

namespace vd::test {
namespace {

const char* kForm = R"(object Main: TForm
  ActiveControl = NameEdit
  object NameLabel: TLabel
    Caption = '&Name'
    FocusControl = NameEdit
  end
  object NameEdit: TEdit
    PopupMenu = EditMenu
    Action = SaveAction
    Constraints.MinWidth = 90
    Constraints.MaxHeight = 25
  end
  object Tree: TTreeView
    Images = Icons
  end
  object Pages: TPageControl
    object First: TTabSheet
      Caption = 'First'
    end
  end
  object EditMenu: TPopupMenu
  end
  object Icons: TImageList
  end
  object Actions: TActionList
    Images = Icons
    object SaveAction: TAction
      Caption = 'Save'
      ShortCut = 'Ctrl+S'
    end
  end
end
)";

TEST_F(VclTest, ComponentReferencesResolveAfterTheWholeResourceIsRead) {
    auto* form = new TForm(Application);
    form->SetName("Main");
    TFormReader::ReadRoot(kForm, form);
    auto* edit = dynamic_cast<TEdit*>(form->FindComponent("NameEdit"));
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("NameLabel"));
    auto* tree = dynamic_cast<TTreeView*>(form->FindComponent("Tree"));
    auto* pages = dynamic_cast<TPageControl*>(form->FindComponent("Pages"));
    ASSERT_TRUE(edit && label && tree && pages);
    EXPECT_EQ(label->FocusControl(), edit) << "a reference to a component defined later";
    EXPECT_EQ(edit->PopupMenu(), form->FindComponent("EditMenu"));
    EXPECT_EQ(edit->Action(), form->FindComponent("SaveAction"));
    EXPECT_EQ(edit->Text(), "Save") << "the action's caption reached the edit";
    EXPECT_EQ(tree->Images(), form->FindComponent("Icons"));
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_EQ(edit->Constraints().MinWidth, 90);
    EXPECT_EQ(edit->Constraints().MaxHeight, 25);
    EXPECT_EQ(pages->PageCount(), 1);
    auto* actions = dynamic_cast<TActionList*>(form->FindComponent("Actions"));
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->ActionCount(), 1);
    EXPECT_EQ(actions->Images, form->FindComponent("Icons"));
    EXPECT_EQ(actions->Actions(0)->ShortCut(), ShortCut('S', ssCtrl));
}

TEST_F(VclTest, BadComponentReferencesAreClearErrors) {
    struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"object F: TForm\n object L: TLabel\n FocusControl = Nobody\n end\nend\n",
         "Component Nobody not found"},
        {"object F: TForm\n object M: TPopupMenu\n end\n object L: TLabel\n FocusControl = M\n end\nend\n",
         "Property FocusControl does not exist"},
        {"object F: TForm\n object L: TLabel\n NoSuchThing = L\n end\nend\n",
         "Property NoSuchThing does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            TComponent* made = TFormReader::ReadComponent(c.text, Application);
            made->Free();
            ADD_FAILURE() << "read without an error";
        } catch (const EReadError& e) {
            EXPECT_NE(String(e.what()).find(c.message), String::npos) << e.what();
        }
    }
}

} // namespace
} // namespace vd::test
