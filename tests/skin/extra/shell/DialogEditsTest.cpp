// The directory and file edits: read from a form resource with their dialog settings, and the
// directory edit's button through the select-folder dialog.
#include "ShellDialogFixture.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/FormReader.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinGraphicControl.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinProperties.h"
#include "skin/extra/shell/SkinDialogEdits.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/extra/shell/SkinOpenDlgForm.h"
#include "skin/extra/shell/SkinSelDirForm.h"
#include "skin/extra/shell/SkinSelectDirDialog.h"
#include "skin/extra/shell/SkinShellClasses.h"
#include "skin/extra/shell/SkinShellComboBox.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellNotifier.h"
#include "skin/extra/shell/SkinShellTreeView.h"

#include <functional>

namespace vd::test {
namespace {

const char* kForm = R"(object Chooser: TForm
  Width = 400
  Height = 300
  object Skin: TskSkinData
  end
  object DEPlugins: TskSkinDirectoryEdit
    Left = 8
    Top = 8
    Width = 200
    Text = '/usr/lib'
    DialogTitle = 'Plug-in folder'
    DlgSkinData = Skin
    DlgCtrlSkinData = Skin
  end
  object EFileName: TskSkinFileEdit
    Left = 8
    Top = 40
    Width = 200
    Filter = 'All files|*.*'
    InitialDir = '/tmp'
    DialogTitle = 'Title file'
    DlgSkinData = Skin
    DlgCtrlSkinData = Skin
    LVHeaderSkinDataName = 'resizebutton'
  end
end
)";

using DialogEdits = ShellDialogTest;

TEST_F(DialogEdits, FormResourceSetsTheDialogsAndTheirSkins) {
    RegisterSkinCoreClasses();
    RegisterSkinShellClasses();
    for (const char* name :
         {"TskSkinDirTreeView", "TskSkinFileListView", "TskSkinShellComboBox", "TskShellChangeNotifier",
          "TskSkinFileListBox", "TskSkinFilterComboBox", "TskSkinSelectDirectoryDialog", "TskSkinOpenDialog"})
        EXPECT_TRUE(TFormReader::IsRegistered(name)) << name;
    auto* form = new TForm(Application);
    form->SetName("Chooser");
    TFormReader::ReadRoot(kForm, form);
    auto* skin = dynamic_cast<TskSkinData*>(form->FindComponent("Skin"));
    ASSERT_NE(skin, nullptr);
    auto* de = dynamic_cast<TskSkinDirectoryEdit*>(form->FindComponent("DEPlugins"));
    ASSERT_NE(de, nullptr);
    EXPECT_EQ(de->Text(), "/usr/lib");
    EXPECT_EQ(de->Dialog()->Title(), "Plug-in folder");
    EXPECT_EQ(de->DlgSkinData(), skin);
    EXPECT_EQ(de->DlgCtrlSkinData(), skin);
    EXPECT_TRUE(de->ButtonMode());
    EXPECT_EQ(de->SkinDataName(), "buttonedit");
    auto* fe = dynamic_cast<TskSkinFileEdit*>(form->FindComponent("EFileName"));
    ASSERT_NE(fe, nullptr);
    EXPECT_EQ(fe->Filter(), "All files|*.*");
    EXPECT_EQ(fe->Dialog()->InitialDir, "/tmp");
    EXPECT_EQ(fe->Dialog()->Title(), "Title file");
    EXPECT_EQ(fe->DlgCtrlSkinData(), skin);
    delete skin;
    EXPECT_EQ(de->DlgSkinData(), nullptr) << "a freed skin is forgotten";
    EXPECT_EQ(fe->DlgCtrlSkinData(), nullptr);
    form->Free();
}

TEST_F(DialogEdits, FormResourceLinksTheShellViews) {
    RegisterSkinShellClasses();
    const String text = "object Browser: TForm\n"
                        "  Width = 500\n"
                        "  Height = 400\n"
                        "  object Tree: TskSkinDirTreeView\n"
                        "    Width = 150\n"
                        "    Height = 300\n"
                        "    ObjectTypes = [otFolders, otHidden]\n"
                        "    ShellListView = List\n"
                        "    ShellComboBox = Combo\n"
                        "  end\n"
                        "  object List: TskSkinFileListView\n"
                        "    Left = 150\n"
                        "    Width = 300\n"
                        "    Height = 300\n"
                        "    Mask = '*.txt'\n"
                        "    Root = '" +
                        Home +
                        "/music'\n"
                        "  end\n"
                        "  object Combo: TskSkinShellComboBox\n"
                        "    Top = 310\n"
                        "    Width = 200\n"
                        "    ShellListView = List\n"
                        "  end\n"
                        "  object Watch: TskShellChangeNotifier\n"
                        "    Root = '" +
                        Home +
                        "'\n"
                        "    WatchSubTree = False\n"
                        "    NotifyFilters = [nfFileNameChange, nfSizeChange]\n"
                        "  end\n"
                        "end\n";
    auto* form = new TForm(Application);
    form->SetName("Browser");
    TFormReader::ReadRoot(text, form);
    auto* tree = dynamic_cast<TskSkinDirTreeView*>(form->FindComponent("Tree"));
    auto* list = dynamic_cast<TskSkinFileListView*>(form->FindComponent("List"));
    auto* combo = dynamic_cast<TskSkinShellComboBox*>(form->FindComponent("Combo"));
    auto* watch = dynamic_cast<TskShellChangeNotifier*>(form->FindComponent("Watch"));
    ASSERT_TRUE(tree && list && combo && watch);
    EXPECT_EQ(tree->ObjectTypes(), (1u << otFolders) | (1u << otHidden));
    EXPECT_EQ(tree->ShellListView(), list);
    EXPECT_EQ(list->ShellTreeView(), tree);
    EXPECT_EQ(combo->ShellListView(), list);
    EXPECT_EQ(tree->ShellComboBox(), combo);
    EXPECT_EQ(combo->ShellTreeView(), tree);
    EXPECT_EQ(list->Mask(), "*.txt");
    EXPECT_FALSE(watch->WatchSubTree());
    EXPECT_EQ(watch->NotifyFilters(), (1u << nfFileNameChange) | (1u << nfSizeChange));
    EXPECT_THROW(
        TFormReader::ReadComponent("object X: TskSkinDirTreeView\n  ObjectTypes = [otFiles]\nend\n", Owner),
        EReadError);
    form->Show();
    Pump();
    list->SetPath(Home + "/music");
    EXPECT_EQ(tree->GetPath(), Home + "/music") << "linked from the resource";
    form->Free();
}

TEST_F(DialogEdits, DirectoryButtonWritesTheChosenFolderOnlyOnOK) {
    auto* edit = new TskSkinDirectoryEdit(Owner);
    edit->SetParent(Owner);
    edit->SetText(Home + "/music");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            auto& dlg = static_cast<TskSelDirDlgForm&>(f);
            EXPECT_EQ(dlg.Caption(), "Select folder");
            EXPECT_EQ(dlg.Tree->GetPath(), Home + "/music") << "starts at the edit's folder";
            dlg.Tree->SetPath(Home + "/docs");
            dlg.CancelButton->ButtonClick();
        });
        edit->ButtonClick();
    }
    EXPECT_EQ(edit->Text(), Home + "/music") << "Cancel leaves the text";
    EXPECT_EQ(changes, 0);
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            auto& dlg = static_cast<TskSelDirDlgForm&>(f);
            dlg.Tree->SetPath(Home + "/docs");
            dlg.OKButton->ButtonClick();
        });
        edit->ButtonClick();
    }
    EXPECT_EQ(edit->Text(), Home + "/docs");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Screen->FormCount(), 1) << "the dialog's window is gone";
}

TEST_F(DialogEdits, FileButtonWritesTheChosenFileOnlyOnOK) {
    auto* edit = new TskSkinFileEdit(Owner);
    edit->SetParent(Owner);
    edit->SetFilter("Texts|*.txt");
    edit->LVHeaderSkinDataName = "header";
    edit->SetText(Home + "/music/b.txt");
    auto showWith = [&](std::function<void(TskOpenDlgForm&)> action) {
        TModalLoopHookScope hook([&](TCustomForm& f) { action(static_cast<TskOpenDlgForm&>(f)); });
        edit->ButtonClick();
    };
    showWith([&](TskOpenDlgForm& f) {
        EXPECT_EQ(f.FileList->GetPath(), Home + "/music") << "starts at the edit's folder";
        EXPECT_EQ(f.FileList->HeaderSkinDataName, "header");
        EXPECT_EQ(f.FileNameEdit->Text(), "b.txt");
        EXPECT_EQ(f.FileList->Items().Count(), 2) << "live and b.txt under the edit's filter";
        f.CancelButton->ButtonClick();
    });
    EXPECT_EQ(edit->Text(), Home + "/music/b.txt");
    showWith([&](TskOpenDlgForm& f) {
        f.FileList->SetPath(Home + "/docs");
        f.FileList->SetSelected(f.FileList->Items().Item(0));
        f.OpenClick();
    });
    EXPECT_EQ(edit->Text(), Home + "/docs/c.txt");
}

// The skin a control of the dialogs draws from; Unknown for a control of no skinned kind.
TskSkinData* const Unknown = reinterpret_cast<TskSkinData*>(1);
TskSkinData* SkinOf(TControl* c) {
    if (auto* s = dynamic_cast<TskSkinControl*>(c)) return s->SkinData();
    if (auto* g = dynamic_cast<TskGraphicSkinControl*>(c)) return g->SkinData();
    if (auto* e = dynamic_cast<TskSkinCustomEdit*>(c)) return e->SkinData();
    if (auto* t = dynamic_cast<TskSkinCustomTreeView*>(c)) return t->SkinData();
    if (auto* l = dynamic_cast<TskSkinCustomListView*>(c)) return l->SkinData();
    if (auto* t = dynamic_cast<TskSkinStdLabel*>(c)) return t->SkinData();
    if (auto* b = dynamic_cast<TskSkinBevel*>(c)) return b->SkinData();
    return Unknown;
}

void ExpectEverySkinned(TWinControl* root, TskSkinData* skin) {
    for (int i = 0; i < root->ControlCount(); ++i) {
        TControl* c = root->Controls(i);
        EXPECT_EQ(SkinOf(c), skin) << c->Name();
        if (auto* w = dynamic_cast<TWinControl*>(c)) ExpectEverySkinned(w, skin);
    }
}

TEST_F(DialogEdits, EveryControlOfBothDialogsTakesTheControlsSkin) {
    auto* skin = new TskSkinData(Owner);
    auto* folders = new TskSkinSelectDirectoryDialog(Owner);
    folders->SetCtrlSkinData(skin);
    folders->ShowToolBar = true;
    TModalLoopHookScope hook([&](TCustomForm& f) {
        ExpectEverySkinned(&f, skin);
        f.Close();
    });
    folders->ShowSelectForm();
    auto* files = new TskSkinOpenDialog(Owner);
    files->SetCtrlSkinData(skin);
    files->ShowOpenForm();
}

} // namespace
} // namespace vd::test
