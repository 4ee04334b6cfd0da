// The shell views' item menu and its verbs on a namespace of temporary folders.
#include "../../../platform/vcl/VclFixture.h"
#include "platform/rtl/FileUtils.h"
#include "skin/extra/shell/SkinShellMenu.h"
#include "tests/support/TempDir.h"

#include <sys/stat.h>

namespace vd::test {
namespace {

class ShellMenu : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Home = Dir.File("home");
        ::mkdir(Home.c_str(), 0755);
        ::mkdir((Home + "/sub").c_str(), 0755);
        Dir.Write("home/a.txt", "x");
        ShellEnvironment env;
        env.Home = Home;
        env.Variables["XDG_DATA_HOME"] = Home + "/data";
        env.MountInfo = "27 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
        Ns = std::make_unique<TShellNamespace>(env);
        SetShellNamespace(Ns.get());
        Form = NewForm({100, 100, 300, 200});
    }
    void TearDown() override {
        SetShellDeleteConfirm(nullptr);
        VclTest::TearDown();
        SetShellNamespace(nullptr);
    }
    std::unique_ptr<TskShellFolder> Item(const String& path) {
        return CreateFolderFromIdList(*Ns->ParseDisplayName(path));
    }
    static std::vector<String> Captions(TPopupMenu* m) {
        std::vector<String> out;
        for (int i = 0; i < m->Items()->Count(); ++i)
            out.push_back(m->Items()->Items(i)->Caption());
        return out;
    }
    TTempDir Dir;
    String Home;
    std::unique_ptr<TShellNamespace> Ns;
    TForm* Form = nullptr;
};

TEST_F(ShellMenu, ItemsFollowWhatTheItemAllows) {
    auto file = Item(Home + "/a.txt");
    auto folder = Item(Home + "/sub");
    auto computer = CreateFolderFromIdList(*Ns->SpecialFolder(CSIDL_DRIVES));
    TskSkinPopupMenu* m = CreateShellItemMenu(Form, file.get(), nullptr, {});
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Captions(m), (std::vector<String>{"Open", "Rename", "Delete"}));
    m = CreateShellItemMenu(Form, folder.get(), nullptr, {});
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Captions(m), (std::vector<String>{"Rename", "Delete"})) << "a folder is opened by the view";
    EXPECT_EQ(CreateShellItemMenu(Form, computer.get(), nullptr, {}), nullptr);
    EXPECT_EQ(CreateShellItemMenu(Form, nullptr, nullptr, {}), nullptr);
}

TEST_F(ShellMenu, DeleteAsksFirstAndMovesToTheTrash) {
    auto file = Item(Home + "/a.txt");
    std::vector<std::pair<String, bool>> completed;
    TShellCommandHooks hooks;
    hooks.Completed = [&](const String& verb, bool ok) { completed.emplace_back(verb, ok); };
    EXPECT_FALSE(RunShellVerb(file.get(), "delete", hooks)) << "nobody to ask: nothing removed";
    SetShellDeleteConfirm([](const String&) { return false; });
    EXPECT_FALSE(RunShellVerb(file.get(), "delete", hooks));
    EXPECT_TRUE(FileExists(Home + "/a.txt"));
    EXPECT_TRUE(completed.empty()) << "a refused delete is no command";
    String asked;
    SetShellDeleteConfirm([&](const String& name) {
        asked = name;
        return true;
    });
    TskSkinPopupMenu* m = CreateShellItemMenu(
        Form, file.get(), [&] { return file.get(); }, hooks);
    ASSERT_NE(m, nullptr);
    m->Items()->Find("Delete")->Click();
    EXPECT_EQ(asked, "a.txt");
    EXPECT_FALSE(FileExists(Home + "/a.txt"));
    EXPECT_TRUE(FileExists(Home + "/data/Trash/files/a.txt"));
    EXPECT_EQ(completed, (std::vector<std::pair<String, bool>>{{"delete", true}}));
}

TEST_F(ShellMenu, DeleteSurvivesTheItemFreedWhileAsking) {
    // The views refresh from the change notifier while the question's modal loop runs, which
    // frees their items.
    auto file = Item(Home + "/a.txt");
    SetShellDeleteConfirm([&](const String&) {
        file.reset();
        return true;
    });
    std::vector<bool> completed;
    TShellCommandHooks hooks;
    hooks.Completed = [&](const String&, bool ok) { completed.push_back(ok); };
    EXPECT_TRUE(RunShellVerb(file.get(), "delete", hooks));
    EXPECT_FALSE(FileExists(Home + "/a.txt"));
    EXPECT_TRUE(FileExists(Home + "/data/Trash/files/a.txt"));
    EXPECT_EQ(completed, std::vector<bool>{true});
}

TEST_F(ShellMenu, RenameGoesThroughTheView) {
    auto file = Item(Home + "/a.txt");
    int edits = 0;
    TShellCommandHooks hooks;
    hooks.Execute = [&](const String& verb, bool& handled) {
        if (verb == "rename") handled = true, ++edits;
    };
    EXPECT_TRUE(RunShellVerb(file.get(), "rename", hooks));
    EXPECT_EQ(edits, 1);
    EXPECT_FALSE(RunShellVerb(file.get(), "format", hooks)) << "unknown verbs do nothing";
    EXPECT_FALSE(RunShellVerb(file.get(), "rename", {})) << "no view to edit in";
}

} // namespace
} // namespace vd::test
