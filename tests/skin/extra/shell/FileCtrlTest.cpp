// The file-type box, the plain-directory file list and the path helpers, on temporary folders.
#include "../../../platform/vcl/VclFixture.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "skin/extra/shell/SkinFileCtrl.h"
#include "tests/support/TempDir.h"

#include <sys/stat.h>

namespace vd::test {
namespace {

class FileCtrl : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Root = Dir.File("files");
        for (const String& d : {Root, Root + "/sub", Root + "/x.zip", Root + "/Case"})
            ::mkdir(d.c_str(), 0755);
        for (const char* f : {"b.txt", "A.TXT", "c.log", "noext", ".hidden", "?1?", "sub/inner.txt"})
            Dir.Write(String("files/") + f, "x");
        Form = NewForm({100, 100, 400, 300});
    }
    TskSkinFileListBox* MakeList() {
        auto* l = new TskSkinFileListBox(Form);
        l->SetParent(Form);
        l->SetBounds(0, 0, 200, 200);
        Form->Show();
        Pump();
        l->SetDirectory(Root);
        return l;
    }
    static std::vector<String> Names(TskSkinFileListBox* l) {
        std::vector<String> out;
        for (int i = 0; i < l->Items().Count(); ++i)
            out.push_back(l->Items().Strings(i));
        return out;
    }
    TTempDir Dir;
    String Root;
    TForm* Form = nullptr;
};

TEST(FileHelpers, JoinAndFolderTest) {
    TTempDir dir;
    EXPECT_EQ(JoinFileName("/", "a"), "/a");
    EXPECT_EQ(JoinFileName("/data", "a"), "/data/a");
    EXPECT_EQ(JoinFileName("/data/", "a"), "/data/a");
    dir.Write("file", "x");
    EXPECT_TRUE(IsExistingFolder(dir.Path()));
    EXPECT_FALSE(IsExistingFolder(dir.File("file")));
    EXPECT_FALSE(IsExistingFolder(dir.File("missing")));
    EXPECT_FALSE(IsExistingFolder(""));
}

TEST(FileHelpers, MasksIgnoreCaseAndStarDotStarTakesEverything) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {{"*.*", "noext", true},        {"*.*", ".hidden", true}, {"*.txt", "A.TXT", true},
                 {"*.txt", "a.txt.bak", false}, {"?1?", "?1?", true},     {"a?", "ab", true}};
    for (const Case& c : cases)
        EXPECT_EQ(FileMaskMatches(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(FileHelpers, SplitFileSpecResolvesAgainstTheBaseNeverTheProcess) {
    TTempDir dir;
    const String base = dir.Path();
    ::mkdir(dir.File("sub").c_str(), 0755);
    dir.Write("sub/f.txt", "x");
    char before[4096];
    ASSERT_NE(::getcwd(before, sizeof before), nullptr);
    struct Case {
        String text, dir, name;
    } cases[] = {
        {"sub/f.txt", base + "/sub", "f.txt"},
        {base + "/sub/f.txt", base + "/sub", "f.txt"},
        {"sub", base + "/sub", ""},   // an existing folder becomes the directory
        {"[sub]", base + "/sub", ""}, // a directory entry of the list
        {"sub/*.txt", base + "/sub", "*.txt"},
        {"sub/../sub/./f.txt", base + "/sub", "f.txt"},
        {"/", "/", ""},
        {"..", ExtractFileDir(base), ""},
    };
    for (const Case& c : cases) {
        String d, n;
        SplitFileSpec(c.text, base, d, n);
        EXPECT_EQ(d, c.dir) << c.text;
        EXPECT_EQ(n, c.name) << c.text;
    }
    String d, n;
    EXPECT_THROW(SplitFileSpec("missing/f.txt", base, d, n), EInOutError);
    EXPECT_THROW(SplitFileSpec("missing", base, d, n), EInOutError) << "neither a file nor a folder";
    char after[4096];
    ASSERT_NE(::getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(before, after) << "the process's directory is never changed";
}

TEST_F(FileCtrl, ListsFilesByMaskSortedAndShowsNamesAsTheyAre) {
    auto* l = MakeList();
    EXPECT_EQ(Names(l), (std::vector<String>{"?1?", "A.TXT", "b.txt", "c.log", "noext"}))
        << "files only, hidden left out, \"?\" kept";
    l->SetMask("*.txt;*.log");
    EXPECT_EQ(Names(l), (std::vector<String>{"A.TXT", "b.txt", "c.log"}));
    l->SetMask("*.*");
    l->SetFileType(skftDirectory);
    EXPECT_EQ(Names(l), (std::vector<String>{"[Case]", "[sub]", "[x.zip]"}));
    l->SetFileType(skftNormal | skftDirectory | skftHidden);
    EXPECT_EQ(Names(l).size(), 9u);
}

TEST_F(FileCtrl, FileNameSelectsAndFollowsDirectories) {
    auto* l = MakeList();
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    l->SetFileEdit(edit);
    EXPECT_EQ(edit->Text(), "*.*") << "nothing selected: the mask";
    l->SetFileName(Root + "/c.log");
    EXPECT_EQ(l->SelectedName(), "c.log");
    EXPECT_EQ(l->GetFileName(), Root + "/c.log");
    EXPECT_EQ(edit->Text(), "c.log");
    l->SetMask("*.txt");
    EXPECT_EQ(l->GetFileName(), "");
    l->SetFileName("c.log"); // hidden by the mask: the name becomes the mask
    EXPECT_EQ(l->Mask(), "c.log");
    EXPECT_EQ(l->SelectedName(), "c.log");
    l->SetFileName("sub/*.txt");
    EXPECT_EQ(l->Directory(), Root + "/sub");
    EXPECT_EQ(l->Mask(), "*.txt");
    EXPECT_EQ(Names(l), (std::vector<String>{"inner.txt"}));
    EXPECT_THROW(l->SetDirectory(Root + "/missing"), EInOutError);
    EXPECT_EQ(l->Directory(), Root + "/sub");
    EXPECT_THROW(l->SetDirectory(Root + "/case"), EInOutError) << "paths compare exactly";
    l->SetDirectory("../Case");
    EXPECT_EQ(l->Directory(), Root + "/Case") << "relative to the listed folder";
}

TEST_F(FileCtrl, SelectNameMatchesTheExactName) {
    Dir.Write("files/readme", "x");
    Dir.Write("files/README", "x");
    auto* l = MakeList();
    struct Case {
        const char* name;
        const char* selected;
    } cases[] = {
        {"readme", "readme"}, {"README", "README"}, {"a.txt", ""}, {"A.TXT", "A.TXT"}, {"ReadMe", ""}};
    for (const Case& c : cases) {
        l->SelectName(c.name);
        EXPECT_EQ(l->SelectedName(), c.selected) << c.name;
    }
}

TEST_F(FileCtrl, ClickingAnItemReportsOnce) {
    auto* l = MakeList();
    int changes = 0;
    l->OnChange = [&](TObject*) { ++changes; };
    l->SetItemIndex(1);
    l->ListBoxClick();
    l->ListBoxClick(); // the same item again
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(l->SelectedName(), "A.TXT");
}

TEST_F(FileCtrl, FilterComboBuildsDescriptionsAndDrivesTheList) {
    auto* c = new TskSkinFilterComboBox(Form);
    c->SetParent(Form);
    EXPECT_EQ(c->Items().Count(), 1);
    EXPECT_EQ(c->Mask(), "*.*");
    c->SetFilter("Text|*.txt|Logs|*.log;*.txt|Dangling");
    EXPECT_EQ(c->Items().Count(), 2) << "a last description without a mask is dropped";
    EXPECT_EQ(c->Items().Strings(1), "Logs");
    EXPECT_EQ(c->Mask(), "*.txt");
    auto* l = MakeList();
    c->SetFileList(l);
    c->SetItemIndex(1);
    EXPECT_EQ(l->Mask(), "*.log;*.txt");
    EXPECT_EQ(Names(l), (std::vector<String>{"A.TXT", "b.txt", "c.log"}));
    c->SetFilter("");
    EXPECT_EQ(c->Mask(), "*.*");
    EXPECT_EQ(l->Mask(), "*.*");
    delete l;
    EXPECT_EQ(c->FileList(), nullptr);
    c->SetFilter("Logs|*.log"); // no list left to drive
    EXPECT_EQ(c->Mask(), "*.log");
}

} // namespace
} // namespace vd::test
