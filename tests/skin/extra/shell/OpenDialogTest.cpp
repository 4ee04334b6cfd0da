// The open-file dialog: its decisions as tables (start folder, what Open answers, the saved name),
// and the window through the modal-loop hook: size and view style kept, file types, typed masks
// and folders, Back, New Folder and the answer.
#include "../../../platform/vcl/KeyScript.h"
#include "ShellDialogFixture.h"
#include "platform/vcl/Menus.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/extra/shell/SkinFileCtrl.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/extra/shell/SkinOpenDialogRules.h"
#include "skin/extra/shell/SkinOpenDlgForm.h"
#include "skin/extra/shell/SkinShellComboBox.h"
#include "skin/extra/shell/SkinShellListView.h"

#include <functional>
#include <unistd.h>

namespace vd::test {
namespace {

class OpenDialog : public ShellDialogTest {
protected:
    void SetUp() override {
        ShellDialogTest::SetUp();
        Dlg = new TskSkinOpenDialog(Owner);
    }
    bool Show(std::function<void(TskOpenDlgForm&)> Action) {
        TModalLoopHookScope hook([&](TCustomForm& f) { Action(static_cast<TskOpenDlgForm&>(f)); });
        return Dlg->ShowOpenForm();
    }
    void Type(const std::string& Keys) {
        TypeKeys(hb, Keys);
        Pump();
    }
    static std::vector<String> Names(TskOpenDlgForm& f) {
        std::vector<String> out;
        for (int i = 0; i < f.FileList->Items().Count(); ++i)
            out.push_back(f.FileList->Items().Item(i)->Caption());
        return out;
    }
    static void Select(TskOpenDlgForm& f, const String& Name) {
        for (int i = 0; i < f.FileList->Items().Count(); ++i)
            if (f.FileList->Items().Item(i)->Caption() == Name) {
                f.FileList->SetSelected(f.FileList->Items().Item(i));
                return;
            }
        ADD_FAILURE() << "no row " << Name;
    }
    TskSkinOpenDialog* Dlg = nullptr;
};

TEST_F(OpenDialog, StartFolderChain) {
    const String music = Home + "/music";
    struct Case {
        String FileName, InitialDir, Expected;
    } cases[] = {
        {music + "/a.mp3", Home + "/docs", music},
        {music + "/gone.txt", Home + "/docs", music}, // the file may be gone, its folder is not
        {Home + "/stale/title.txt", Home + "/docs", Home + "/docs"},
        {Home + "/stale/title.txt", Home + "/missing", Home},
        {"", Home + "/missing", Home},
        {"", "", Home},
        {"title.txt", "", Home}, // no folder part
        {".", ".", Home},        // relative folders would depend on the process's directory
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpenDialogStartFolder(c.FileName, c.InitialDir, Home), c.Expected)
            << c.FileName << " | " << c.InitialDir;
}

TEST_F(OpenDialog, OpenClickDecisions) {
    const String music = Home + "/music", a = Home + "/music/a.mp3";
    struct Case {
        bool CheckExists, SaveMode;
        String Typed, Selected, Folder;
        std::optional<String> Expected;
    } cases[] = {
        {true, false, "a.mp3", a, music, a},
        {true, false, "a.mp3", "", music, std::nullopt},          // nothing selected
        {true, false, "", a, music, std::nullopt},                // empty edit
        {true, false, "x", music + "/gone", music, std::nullopt}, // vanished meanwhile
        {false, false, "new.txt", "", music, music + "/new.txt"},
        {false, false, "new.txt", a, music, a},
        {false, false, "new.txt", "", "", std::nullopt}, // a virtual folder has no place
        {false, false, "/tmp/t.txt", "", "", String("/tmp/t.txt")},
        {true, true, "out", "", music, music + "/out"},
        {true, true, "out", "", "", std::nullopt},
        {false, false, "x", "", "/", String("/x")}, // no "//" under the root
    };
    for (const Case& c : cases) {
        TOpenClickState s{c.CheckExists, c.SaveMode, c.Typed, c.Selected, c.Folder};
        EXPECT_EQ(OpenClickResult(s), c.Expected)
            << c.CheckExists << c.SaveMode << " typed " << c.Typed << " sel " << c.Selected;
    }
}

TEST_F(OpenDialog, SavedNameTakesTheMaskOrDefaultExtension) {
    struct Case {
        String Name, Mask, DefaultExt, Expected;
    } cases[] = {
        {"/d/out", "*.txt;*.log", "", "/d/out.txt"},
        {"/d/out", "*.*", "dat", "/d/out.dat"},
        {"/d/out", "*.*", "", "/d/out"},
        {"/d/out.csv", "*.txt", "dat", "/d/out.csv"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SaveFileName(c.Name, c.Mask, c.DefaultExt), c.Expected) << c.Name << " " << c.Mask;
}

TEST_F(OpenDialog, FirstShowAndTheKeptSizeViewAndFileType) {
    Dlg->InitialDir = Home + "/music";
    Dlg->Filter = "Texts|*.txt|Music|*.mp3";
    Dlg->FilterIndex = 2;
    EXPECT_FALSE(Show([&](TskOpenDlgForm& f) {
        EXPECT_EQ(f.ClientWidth(), 450);
        EXPECT_EQ(f.ClientHeight(), 290);
        EXPECT_EQ(f.Caption(), "Open file");
        EXPECT_EQ(f.FileList->ViewStyle(), vsList);
        EXPECT_TRUE(f.ViewItems[2]->Checked) << "List";
        EXPECT_EQ(f.ActiveControl(), f.FileNameEdit);
        EXPECT_EQ(Names(f), (std::vector<String>{"live", "a.mp3"})) << "the second mask";
        EXPECT_EQ(f.FileList->ItemFocused(), f.FileList->Items().Item(0));
        f.ViewItems[3]->Click(); // details
        EXPECT_EQ(f.FileList->ViewStyle(), vsReport);
        EXPECT_TRUE(f.ViewItems[3]->Checked);
        EXPECT_FALSE(f.ViewItems[2]->Checked);
        f.FileTypeBox->DropDown(); // the user picks the first type from the list
        f.FileTypeBox->ListBox()->SetItemIndex(0);
        f.FileTypeBox->CloseUp(true);
        EXPECT_EQ(Names(f), (std::vector<String>{"live", "b.txt"}));
        f.SetClientWidth(500);
        f.CancelButton->ButtonClick();
    }));
    EXPECT_EQ(Dlg->FilterIndex, 1);
    EXPECT_EQ(Dlg->DialogWidth, 500);
    EXPECT_EQ(Dlg->ViewStyle, 3);
    EXPECT_FALSE(Show([&](TskOpenDlgForm& f) {
        EXPECT_EQ(f.ClientWidth(), 500);
        EXPECT_EQ(f.FileList->ViewStyle(), vsReport);
        EXPECT_TRUE(f.ViewItems[3]->Checked);
        EXPECT_EQ(f.FileList->Columns().Count(), 4);
        f.Close();
    }));
}

TEST_F(OpenDialog, AllFilesListsNamesWithoutExtensionAndOpenAnswersTheSelectedFile) {
    Dlg->SetFileName(Home + "/music/b.txt");
    int selected = 0;
    Dlg->OnFileSelected = [&](TObject*) { ++selected; };
    EXPECT_TRUE(Show([&](TskOpenDlgForm& f) {
        EXPECT_EQ(Names(f), (std::vector<String>{"live", "a.mp3", "b.txt", "title"}));
        EXPECT_EQ(f.FileNameEdit->Text(), "b.txt");
        f.OpenClick(); // nothing selected yet: the edit alone is not enough
        EXPECT_TRUE(f.Visible());
        Select(f, "title");
        EXPECT_EQ(f.FileNameEdit->Text(), "title") << "the selection fills the edit";
        f.OpenButton->ButtonClick();
    }));
    EXPECT_EQ(Dlg->FileName(), Home + "/music/title");
    EXPECT_EQ(selected, 1);
    ASSERT_EQ(Dlg->Files().Count(), 1);
    EXPECT_EQ(Dlg->Files().Strings(0), Home + "/music/title");
}

TEST_F(OpenDialog, SaveModeNamesANewFileWithTheMaskExtension) {
    Dlg->SaveMode = true;
    Dlg->InitialDir = Home + "/docs";
    Dlg->Filter = "Playlists|*.m3u;*.pls";
    EXPECT_TRUE(Show([&](TskOpenDlgForm& f) {
        EXPECT_EQ(f.OpenButton->Caption(), "&Save");
        f.FileNameEdit->SetText("tonight");
        f.OpenClick();
    }));
    EXPECT_EQ(Dlg->FileName(), Home + "/docs/tonight.m3u");
    EXPECT_EQ(Dlg->Files().Count(), 0) << "no file was selected";
}

TEST_F(OpenDialog, TypedMaskFiltersAndTypedFolderNavigates) {
    Dlg->InitialDir = Home + "/music";
    EXPECT_FALSE(Show([&](TskOpenDlgForm& f) {
        f.FileNameEdit->SetFocus();
        Type("*.TXT{Enter}");
        EXPECT_TRUE(f.Visible());
        EXPECT_EQ(Names(f), (std::vector<String>{"live", "b.txt"}));
        f.FileNameEdit->SetText(Home + "/docs");
        Type("{Enter}");
        EXPECT_EQ(f.FileList->GetPath(), Home + "/docs");
        f.FileNameEdit->SetText("../music/live");
        Type("{Enter}");
        EXPECT_EQ(f.FileList->GetPath(), Home + "/music/live") << "relative to the listed folder";
        f.FileNameEdit->SetText(Home + "/nowhere/");
        Type("{Enter}");
        EXPECT_TRUE(f.Visible()) << "a missing folder is ignored";
        f.CancelButton->ButtonClick();
    }));
}

TEST_F(OpenDialog, BackReturnsToTheFolderBeforeAndRefreshAddsNoHistory) {
    Dlg->InitialDir = Home;
    EXPECT_FALSE(Show([&](TskOpenDlgForm& f) {
        f.FileList->SetPath(Home + "/music");
        f.FileList->SetPath(Home + "/music/live");
        const std::size_t depth = f.History().size();
        f.FileList->Refresh();
        EXPECT_EQ(f.History().size(), depth);
        f.BackClick();
        EXPECT_EQ(f.FileList->GetPath(), Home + "/music");
        f.BackClick();
        EXPECT_EQ(f.FileList->GetPath(), Home);
        f.UpClick(); // absolute paths hang below the computer
        EXPECT_EQ(f.FileList->GetPath(), Dir.Path());
        f.CancelButton->ButtonClick();
    }));
}

TEST_F(OpenDialog, NewFolderInTheListedFolderOnlyAndVirtualFoldersAnswerNothing) {
    Dlg->InitialDir = Home + "/docs";
    Dlg->CheckFileExists = false;
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_FALSE(Show([&](TskOpenDlgForm& f) {
        f.NewFolderClick();
        EXPECT_TRUE(IsExistingFolder(Home + "/docs/New Folder"));
        EXPECT_EQ(Names(f), (std::vector<String>{"New Folder", "c.txt"}));
        f.NewFolderClick();               // once only
        while (!f.ListedFolder().empty()) // up to a virtual folder
            f.UpClick();
        f.NewFolderClick();
        f.FileNameEdit->SetText("typed.txt");
        f.OpenClick();
        EXPECT_TRUE(f.Visible()) << "no path for a name typed in a virtual folder";
        f.CancelButton->ButtonClick();
    }));
    EXPECT_FALSE(IsExistingFolder(String(cwd) + "/New Folder"));
}

} // namespace
} // namespace vd::test
