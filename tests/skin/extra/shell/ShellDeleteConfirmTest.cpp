// Delete in the dialogs' views asks with the skinned message box: No keeps the item, Yes moves it
// to the trash; the question is the dialog's only while the dialog is up.
#include "ShellDialogFixture.h"
#include "platform/rtl/FileUtils.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/extra/shell/SkinOpenDlgForm.h"
#include "skin/extra/shell/SkinShellConfirm.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellMenu.h"
#include "skin/form/frame/SkinForm.h"

namespace vd::test {
namespace {

class DeleteConfirm : public ShellDialogTest {
protected:
    void SetUp() override {
        ShellDialogTest::SetUp();
        ShellEnvironment env = Ns->Environment();
        env.Variables["XDG_DATA_HOME"] = Home + "/.data";
        Ns = std::make_unique<TShellNamespace>(env);
        SetShellNamespace(Ns.get());
    }
    void TearDown() override {
        SetShellDeleteConfirm(nullptr);
        ShellDialogTest::TearDown();
    }
};

TEST_F(DeleteConfirm, TheMessageBoxAsksAndYesMovesToTheTrash) {
    auto item = CreateFolderFromIdList(*Ns->ParseDisplayName(Home + "/music/b.txt"));
    TShellDeleteConfirmScope scope(nullptr, nullptr);
    struct Case {
        int Answer;
        bool Kept;
    } cases[] = {{mrNo, true}, {mrYes, false}};
    for (const Case& c : cases) {
        String text;
        TModalLoopHookScope hook([&](TCustomForm& box) {
            auto& m = static_cast<TskMessageForm&>(box);
            text = m.MessageLabel->Caption();
            box.SetModalResult(c.Answer);
        });
        RunShellVerb(item.get(), "delete", {});
        EXPECT_EQ(text, "Move \"b.txt\" to the trash?");
        EXPECT_EQ(FileExists(Home + "/music/b.txt"), c.Kept) << c.Answer;
    }
    EXPECT_TRUE(FileExists(Home + "/.data/Trash/files/b.txt"));
}

TEST_F(DeleteConfirm, TheDialogAsksOnlyWhileItIsUp) {
    String before = "none";
    SetShellDeleteConfirm([&](const String& name) {
        before = name;
        return false;
    });
    auto* dlg = new TskSkinOpenDialog(Owner);
    dlg->InitialDir = Home + "/docs";
    bool asked = false;
    TModalLoopHookScope hook([&](TCustomForm& f) {
        // Replaced by the message box: the box comes up (a nested modal loop) for this question.
        TModalLoopHookScope inner([&](TCustomForm& box) {
            asked = dynamic_cast<TskMessageForm*>(&box) != nullptr;
            box.SetModalResult(mrNo);
        });
        ShellDeleteConfirm()("c.txt");
        static_cast<TskOpenDlgForm&>(f).CancelButton->ButtonClick();
    });
    dlg->ShowOpenForm();
    EXPECT_TRUE(asked);
    ASSERT_TRUE(ShellDeleteConfirm());
    ShellDeleteConfirm()("x");
    EXPECT_EQ(before, "x") << "the question before the dialog is back";
}

TEST_F(DeleteConfirm, DeleteInTheOpenDialogsListAsksTrashesAndRereads) {
    auto* dlg = new TskSkinOpenDialog(Owner);
    dlg->InitialDir = Home + "/music";
    std::vector<String> after;
    TModalLoopHookScope hook([&](TCustomForm& f) {
        auto& d = static_cast<TskOpenDlgForm&>(f);
        TskCustomShellListView* list = d.FileList;
        int row = -1;
        for (int i = 0; i < list->Items().Count(); ++i)
            if (list->Items().Item(i)->Caption() == "a.mp3") row = i;
        if (row < 0) {
            ADD_FAILURE() << "no a.mp3 row";
            return d.CancelButton->ButtonClick();
        }
        list->SetSelected(list->Items().Item(row));
        TShellCommandHooks hooks;
        hooks.Execute = [list](const String& verb, bool& handled) { list->ExecuteCommand(verb, handled); };
        hooks.Completed = [list](const String& verb, bool ok) { list->CommandCompleted(verb, ok); };
        {
            TModalLoopHookScope yes([](TCustomForm& box) { box.SetModalResult(mrYes); });
            EXPECT_TRUE(RunShellVerb(list->Folders(row), "delete", hooks));
        }
        for (int i = 0; i < list->Items().Count(); ++i)
            after.push_back(list->Items().Item(i)->Caption());
        d.CancelButton->ButtonClick();
    });
    dlg->ShowOpenForm();
    EXPECT_FALSE(FileExists(Home + "/music/a.mp3"));
    EXPECT_TRUE(FileExists(Home + "/.data/Trash/files/a.mp3"));
    EXPECT_EQ(after, (std::vector<String>{"live", "b.txt", "title"})) << "the list was read again";
}

} // namespace
} // namespace vd::test
