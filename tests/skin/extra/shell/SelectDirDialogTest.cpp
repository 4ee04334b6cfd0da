// The select-folder dialog through the modal-loop hook: its size, where it starts, what OK
// answers (never a folder without a file-system path), the new-folder button and the path edit.
#include "../../../platform/vcl/KeyScript.h"
#include "ShellDialogFixture.h"
#include "platform/rtl/Resources.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/extra/shell/SkinDialogParts.h"
#include "skin/extra/shell/SkinFileCtrl.h"
#include "skin/extra/shell/SkinSelDirForm.h"
#include "skin/extra/shell/SkinSelectDirDialog.h"
#include "skin/extra/shell/SkinShellTreeView.h"
#include "skin/form/frame/SkinForm.h"

#include <functional>
#include <unistd.h>

namespace vd::test {
namespace {

class SelectDir : public ShellDialogTest {
protected:
    void SetUp() override {
        ShellDialogTest::SetUp();
        Dlg = new TskSkinSelectDirectoryDialog(Owner);
    }
    // Shows the dialog with Action run inside it; the answer.
    bool Show(std::function<void(TskSelDirDlgForm&)> Action) {
        TModalLoopHookScope hook([&](TCustomForm& f) { Action(static_cast<TskSelDirDlgForm&>(f)); });
        return Dlg->ShowSelectForm();
    }
    TskSkinSelectDirectoryDialog* Dlg = nullptr;
};

TEST_F(SelectDir, FirstShowIs280SquareAndTheSizeIsKeptAfterCancel) {
    EXPECT_FALSE(Show([](TskSelDirDlgForm& f) {
        EXPECT_EQ(f.ClientWidth(), 280);
        EXPECT_EQ(f.ClientHeight(), 280);
        EXPECT_EQ(f.Caption(), "Select folder");
        EXPECT_EQ(f.ActiveControl(), f.Tree);
        EXPECT_EQ(f.PathEdit, nullptr) << "no tool bar unless asked";
        f.SetClientWidth(360);
        f.SetClientHeight(300);
        f.CancelButton->ButtonClick();
    }));
    EXPECT_EQ(Dlg->DialogWidth, 360);
    EXPECT_EQ(Dlg->DialogHeight, 300);
    Dlg->SetTitle("Plug-ins");
    EXPECT_FALSE(Show([](TskSelDirDlgForm& f) {
        EXPECT_EQ(f.ClientWidth(), 360);
        EXPECT_EQ(f.ClientHeight(), 300);
        EXPECT_EQ(f.Caption(), "Plug-ins");
        f.Close();
    }));
    EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(SelectDir, ALoadedSkinRaisesTheFirstSizeToTheFramesMinimum) {
    auto* skin = new TskSkinData(Owner);
    TskCompressedStoredSkin stored;
    const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
    ASSERT_FALSE(bytes.empty());
    stored.ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
    skin->LoadStoredSkin(&stored);
    ASSERT_FALSE(skin->Empty());
    Dlg->SetSkinData(skin);
    Dlg->DialogMinWidth = 420;
    Dlg->DialogMinHeight = 330;
    EXPECT_FALSE(Show([](TskSelDirDlgForm& f) {
        EXPECT_EQ(f.Frame->GetMinWidth(), 420);
        EXPECT_EQ(f.ClientWidth(), 420);
        EXPECT_EQ(f.ClientHeight(), 330);
        f.Close();
    }));
}

TEST_F(SelectDir, ClientExtentRules) {
    struct Case {
        int Remembered, Default;
        bool Skin;
        int Minimum, Expected;
    } cases[] = {
        {0, 280, false, 400, 280},  {-5, 280, false, 0, 280},    {0, 280, true, 400, 400},
        {300, 280, true, 250, 300}, {300, 280, false, 500, 300},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogClientExtent(c.Remembered, c.Default, c.Skin, c.Minimum), c.Expected)
            << c.Remembered << " " << c.Skin << " " << c.Minimum;
}

TEST_F(SelectDir, StartsAtAnExistingDirectoryElseAtTheComputer) {
    struct Case {
        String Directory;
        String Path; // the tree's path at the start
        bool OkEnabled;
    } cases[] = {
        {Home + "/music/live", Home + "/music/live", true},
        {Home + "/gone", "Computer", false},
        {Home + "/music/a.mp3", "Computer", false}, // a file is no folder
        {"", "Computer", false},
        {"music", "Computer", false}, // relative: nothing to resolve it against
    };
    for (const Case& c : cases) {
        Dlg->Directory = c.Directory;
        EXPECT_FALSE(Show([&](TskSelDirDlgForm& f) {
            EXPECT_EQ(f.Tree->GetPath(), c.Path) << c.Directory;
            EXPECT_EQ(f.OKButton->Enabled(), c.OkEnabled) << c.Directory;
            f.CancelButton->ButtonClick();
        }));
        EXPECT_EQ(Dlg->Directory, c.Directory) << "Cancel keeps Directory";
    }
}

TEST_F(SelectDir, OkAnswersOnlyARealFolder) {
    int selected = 0;
    Dlg->OnFolderSelected = [&](TObject*) { ++selected; };
    Dlg->Directory = Home + "/music";
    EXPECT_TRUE(Show([&](TskSelDirDlgForm& f) {
        // The computer has no path: OK is disabled and an OK result does not close.
        f.Tree->SelectMyComputer();
        EXPECT_FALSE(f.OKButton->Enabled());
        f.SetModalResult(mrOk);
        Application->ProcessMessages();
        EXPECT_TRUE(f.Visible()) << "still open";
        f.Tree->SetPath(Home + "/docs");
        EXPECT_TRUE(f.OKButton->Enabled());
        f.OKButton->ButtonClick();
    }));
    EXPECT_EQ(Dlg->Directory, Home + "/docs");
    EXPECT_EQ(selected, 1);
}

TEST_F(SelectDir, NewFolderIsMadeOnceAndNeverInAVirtualFolder) {
    Dlg->ShowToolBar = true;
    Dlg->Directory = Home;
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_FALSE(Show([&](TskSelDirDlgForm& f) {
        ASSERT_NE(f.NewFolderButton, nullptr);
        EXPECT_EQ(f.PathEdit->Text(), Home) << "the path edit follows the tree";
        f.NewFolderClick();
        EXPECT_TRUE(IsExistingFolder(Home + "/New Folder"));
        TTreeNode* node = f.Tree->Selected();
        bool listed = false;
        for (int i = 0; i < node->Count(); ++i)
            listed |= node->Item(i)->Text() == "New Folder";
        EXPECT_TRUE(listed) << "the selected node was read again";
        f.NewFolderClick(); // exists: nothing, nothing reported
        f.Tree->SelectMyComputer();
        f.NewFolderClick();
        f.CancelButton->ButtonClick();
    }));
    char after[4096];
    ASSERT_NE(::getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(cwd, after);
    EXPECT_FALSE(IsExistingFolder(String(cwd) + "/New Folder")) << "nothing made beside the process";
}

TEST_F(SelectDir, EnterInThePathEditShowsAnExistingFolderAndStaysOpen) {
    Dlg->ShowToolBar = true;
    Dlg->Directory = Home;
    EXPECT_FALSE(Show([&](TskSelDirDlgForm& f) {
        f.PathEdit->SetFocus();
        f.PathEdit->SetText(Home + "/music/live");
        TypeKeys(hb, "{Enter}");
        Pump();
        EXPECT_TRUE(f.Visible());
        EXPECT_EQ(f.Tree->GetPath(), Home + "/music/live");
        f.PathEdit->SetText(Home + "/nowhere");
        TypeKeys(hb, "{Enter}");
        Pump();
        EXPECT_EQ(f.Tree->GetPath(), Home + "/music/live") << "a missing folder is ignored";
        f.CancelButton->ButtonClick();
    }));
}

} // namespace
} // namespace vd::test
