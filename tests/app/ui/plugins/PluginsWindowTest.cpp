// The plug-in chooser with the test plug-ins (tests/fixtures/audio/plugins): the lists, adding
// and removing on the running chain, entries bound to their plug-ins by name, the folder edit,
// the warning strip and Save.
#include "app/ui/plugins/PluginsWindow.h"
#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsFile.h"
#include "app/plugins/VDPlugIns.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/extra/shell/SkinDialogEdits.h"
#include "skin/extra/shell/SkinSelectDirDialog.h"

#include "../../../platform/vcl/VclFixture.h"
#include "../../core/TempFolder.h"
#include "../LayoutChecks.h"

#include <cstdlib>
#include <filesystem>
#include <map>

namespace vd {
namespace {

const String PluginDir = VD_TEST_DSP_DIR;

class PluginsWindowTest : public test::VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        SetProgramFile(Folder.File("vendrill"));
        ::setenv("VD_DSP_TEST_LOG", Folder.File("dsp_events").c_str(), 1);
        TAppSettings s;
        s.Path = PluginDir;
        AssignAppSettings(s);
        PluginFiles.clear();
        InitPlugins();
        ScanPlugins(PluginDir);
    }
    void TearDown() override {
        VclTest::TearDown();
        while (PluginHost().LoadedCount() > 0)
            UnloadPlugin(0);
        InitPlugins();
        PluginFiles.clear();
        ::unsetenv("VD_DSP_TEST_LOG");
        SetProgramFile("");
    }
    TFr_Filters* Open() { return new TFr_Filters(Application); }
    static std::vector<String> Lines(TskSkinListBox* list) {
        std::vector<String> out;
        for (int i = 0; i < list->Items().Count(); ++i)
            out.push_back(list->Items()[i]);
        return out;
    }
    static std::vector<String> Loaded() {
        std::vector<String> out;
        for (int i = 0; i < PluginHost().LoadedCount(); ++i)
            out.push_back(PluginHost().Loaded(i).Name);
        return out;
    }
    static void Add(TFr_Filters* w, const String& name) {
        w->LBPlugin->SetItemIndex(w->LBPlugin->Items().IndexOf(name));
        w->SBFilterAddClick(w->SBFilterAdd);
    }
    static void Remove(TFr_Filters* w, int index) {
        w->LBUsePlugin->SetItemIndex(index);
        w->SBFilterDelClick(w->SBFilterDel);
    }
    String Events() const { return Folder.Read("dsp_events"); }

    test::TTempFolder Folder;
};

TEST_F(PluginsWindowTest, ShowsTheFolderAndBothLists) {
    PluginFiles = {"dsp_swap.so", "dsp_missing.so"};
    TFr_Filters* w = Open();
    EXPECT_EQ(w->Caption(), "Edit plugins");
    EXPECT_EQ(w->ClientWidth(), 488);
    EXPECT_EQ(w->ClientHeight(), 565);
    EXPECT_EQ(w->DEPlugins->Text(), PluginDir);
    EXPECT_EQ(Lines(w->LBPlugin), (std::vector<String>{"dsp_failinit.so", "dsp_half.so", "dsp_noentry.so",
                                                       "dsp_nomodule.so", "dsp_swap.so"}));
    EXPECT_EQ(Lines(w->LBUsePlugin), PluginFiles);
    EXPECT_TRUE(w->DEPlugins->Enabled()) << "checked after add and remove only";
    EXPECT_EQ(w->PanL->Width(), 200);
    EXPECT_EQ(w->PanUse->Width(), 200);
}

TEST_F(PluginsWindowTest, TheFolderDialogTakesItsTitleFromTheLanguageFile) {
    Folder.Write("vendrill.English.lng", "[Constants]\nDialog.SelectFolder=Choose the plugins folder\n");
    TLanguage language("vendrill.");
    ASSERT_TRUE(language.SelectFile("English.lng"));
    AppLanguage = &language;
    TFr_Filters* w = Open();
    AppLanguage = nullptr;
    EXPECT_EQ(w->DEPlugins->Dialog()->Title(), "Choose the plugins folder");
}

// The program's English file gives every text the window already has.
TEST_F(PluginsWindowTest, TheEnglishFileKeepsTheDesignTexts) {
    auto texts = [](TComponent* window) {
        std::map<String, String> out;
        for (int i = 0; i < window->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TControl*>(window->Components(i)))
                out[c->Name()] = c->Caption() + "|" + c->Hint();
        return out;
    };
    TFr_Filters* plain = Open();
    const auto design = texts(plain);
    plain->Free();
    std::filesystem::copy_file(VD_ENGLISH_LNG, Folder.File("vendrill.English.lng"));
    TLanguage language("vendrill.");
    ASSERT_TRUE(language.SelectFile("English.lng"));
    AppLanguage = &language;
    TFr_Filters* w = Open();
    AppLanguage = nullptr;
    EXPECT_EQ(texts(w), design);
    EXPECT_EQ(w->Caption(), "Edit plugins");
}

TEST_F(PluginsWindowTest, WarningStripOnlyForOtherRatesThan44100) {
    for (int rate : {44100, 48000, 22050, 96000}) {
        TAppSettings s = AppSettings;
        s.Sample = rate;
        AssignAppSettings(s);
        TFr_Filters* w = Open();
        EXPECT_EQ(w->PanMsg->Visible(), rate != 44100) << rate;
        w->Free();
    }
}

TEST_F(PluginsWindowTest, AddLoadsAtOnceAndDuplicatesDoNothing) {
    PluginFiles = {"DSP_SWAP.so"};
    TFr_Filters* w = Open();
    Add(w, "dsp_half.so");
    EXPECT_EQ(Lines(w->LBUsePlugin), (std::vector<String>{"DSP_SWAP.so", "dsp_half.so"}));
    ASSERT_EQ(Loaded(), std::vector<String>{"dsp_half.so"});
    EXPECT_TRUE(PluginHost().Loaded(0).Active);
    EXPECT_FALSE(w->DEPlugins->Enabled()) << "the folder is fixed while plug-ins are in use";

    Add(w, "dsp_half.so");
    Add(w, "dsp_swap.so"); // differs from an entry in letter case only
    EXPECT_EQ(Lines(w->LBUsePlugin), (std::vector<String>{"DSP_SWAP.so", "dsp_half.so"}));
    EXPECT_EQ(Loaded(), std::vector<String>{"dsp_half.so"});

    // No selection: nothing.
    w->LBPlugin->SetItemIndex(-1);
    w->SBFilterAddClick(w->SBFilterAdd);
    EXPECT_EQ(w->LBUsePlugin->Items().Count(), 2);

    // A plug-in whose start fails is listed all the same, with an inactive record.
    Add(w, "dsp_failinit.so");
    EXPECT_EQ(Lines(w->LBUsePlugin).back(), "dsp_failinit.so");
    ASSERT_EQ(PluginHost().LoadedCount(), 2);
    EXPECT_FALSE(PluginHost().Loaded(1).Active);
}

TEST_F(PluginsWindowTest, RemoveUnloadsTheEntrysOwnPluginAndFreesTheFolder) {
    TFr_Filters* w = Open();
    Add(w, "dsp_half.so");
    Add(w, "dsp_swap.so");
    Remove(w, 0);
    EXPECT_EQ(Lines(w->LBUsePlugin), std::vector<String>{"dsp_swap.so"});
    EXPECT_EQ(Loaded(), std::vector<String>{"dsp_swap.so"});
    EXPECT_NE(Events().find("quit dsp_half"), String::npos);
    EXPECT_FALSE(w->DEPlugins->Enabled());

    w->LBUsePlugin->SetItemIndex(-1);
    w->SBFilterDelClick(w->SBFilterDel);
    EXPECT_EQ(w->LBUsePlugin->Items().Count(), 1) << "no selection: nothing";

    Remove(w, 0);
    EXPECT_TRUE(w->LBUsePlugin->Items().Count() == 0);
    EXPECT_TRUE(Loaded().empty());
    EXPECT_TRUE(w->DEPlugins->Enabled());
}

// The in-use list from the settings file and the loaded chain can differ (a missing file gets no
// record, the start-up loads in its own order): each entry still acts on its own plug-in.
TEST_F(PluginsWindowTest, EntriesAreBoundToTheirPluginsByName) {
    ASSERT_TRUE(LoadPlugin(PluginDir, "dsp_swap.so"));
    ASSERT_TRUE(LoadPlugin(PluginDir, "dsp_half.so"));
    PluginFiles = {"dsp_missing.so", "dsp_half.so", "dsp_swap.so"};
    TFr_Filters* w = Open();

    w->LBUsePlugin->SetItemIndex(2); // dsp_swap.so, held by the host at position 0
    w->LBUsePluginDblClick(w->LBUsePlugin);
    EXPECT_NE(Events().find("config dsp_swap"), String::npos);
    EXPECT_EQ(Events().find("config dsp_half"), String::npos);

    Remove(w, 0); // dsp_missing.so has no record: by position this would unload dsp_swap.so
    EXPECT_EQ(Loaded(), (std::vector<String>{"dsp_swap.so", "dsp_half.so"}));
    Remove(w, 1); // dsp_swap.so
    EXPECT_EQ(Loaded(), std::vector<String>{"dsp_half.so"});
    EXPECT_EQ(Lines(w->LBUsePlugin), std::vector<String>{"dsp_half.so"});
    Remove(w, 0);
    EXPECT_TRUE(Loaded().empty());
}

TEST_F(PluginsWindowTest, ARepeatedEntryKeepsItsPluginUntilTheLastOneGoes) {
    ASSERT_TRUE(LoadPlugin(PluginDir, "dsp_half.so"));
    PluginFiles = {"dsp_half.so", "dsp_half.so"};
    TFr_Filters* w = Open();
    Remove(w, 0);
    EXPECT_EQ(Loaded(), std::vector<String>{"dsp_half.so"});
    Remove(w, 0);
    EXPECT_TRUE(Loaded().empty());
}

TEST_F(PluginsWindowTest, TheFolderEditRescans) {
    const test::TTempFolder other;
    other.Write("dsp_other.so", "not a library");
    other.Write("readme.txt", "");
    TFr_Filters* w = Open();
    w->DEPlugins->SetText(other.Path());
    EXPECT_EQ(Lines(w->LBPlugin), std::vector<String>{"dsp_other.so"});
    w->DEPlugins->SetText(other.Path() + "/nowhere");
    EXPECT_TRUE(Lines(w->LBPlugin).empty());
    w->DEPlugins->SetText(PluginDir + "/");
    EXPECT_EQ(w->LBPlugin->Items().Count(), 5);
}

TEST_F(PluginsWindowTest, AClearedFolderEditIsNoFolder) {
    TFr_Filters* w = Open();
    ASSERT_EQ(w->LBPlugin->Items().Count(), 5);
    w->DEPlugins->SetText("");
    EXPECT_EQ(w->PluginFolder(), "") << "not the root";
    EXPECT_TRUE(Lines(w->LBPlugin).empty());
    EXPECT_TRUE(PluginHost().AvailablePlugins().Count() == 0);
}

TEST_F(PluginsWindowTest, SaveWritesTheFolderAndTheList) {
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            auto& w = dynamic_cast<TFr_Filters&>(f);
            Add(&w, "dsp_swap.so");
            Add(&w, "dsp_half.so");
            hb->Click(RawButton::Left, w.SBOk->ClientToScreen({10, 10}));
        });
        ShowPluginsWindow();
    }
    Pump();
    EXPECT_EQ(Screen->FormCount(), 0) << "the window freed itself";
    EXPECT_EQ(PluginFiles, (std::vector<String>{"dsp_swap.so", "dsp_half.so"}));
    EXPECT_EQ(AppSettings.Path, PluginDir);
    const String text = test::TTempFolder::ReadFile(SettingsFilePath());
    EXPECT_NE(text.find("File1=dsp_swap.so"), String::npos) << text;
    EXPECT_NE(text.find("File2=dsp_half.so"), String::npos) << text;
    EXPECT_NE(text.find("Path=" + PluginDir), String::npos) << text;
    EXPECT_EQ(Loaded(), (std::vector<String>{"dsp_swap.so", "dsp_half.so"})) << "loads stay";
}

TEST_F(PluginsWindowTest, ClosingWithoutSaveKeepsTheLoadsAndWritesNothing) {
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            auto& w = dynamic_cast<TFr_Filters&>(f);
            Add(&w, "dsp_half.so");
            w.Close();
        });
        ShowPluginsWindow();
    }
    Pump();
    EXPECT_TRUE(PluginFiles.empty());
    EXPECT_EQ(Loaded(), std::vector<String>{"dsp_half.so"});
    EXPECT_FALSE(std::filesystem::exists(SettingsFilePath()));
}

TEST_F(PluginsWindowTest, ButtonsFollowTheMiddlePanelsSize) {
    TFr_Filters* w = Open();
    w->PanC->SetBounds(w->PanC->Left(), w->PanC->Top(), 80, 400);
    w->PanCResize(w->PanC);
    const int cw = w->PanC->ClientWidth(), ch = w->PanC->ClientHeight();
    EXPECT_EQ(w->SBFilterAdd->Left(), (cw - w->SBFilterAdd->Width()) / 2);
    EXPECT_EQ(w->SBFilterAdd->Top(), 2 * (ch / 8));
    EXPECT_EQ(w->SBFilterDel->Left(), w->SBFilterAdd->Left());
    EXPECT_EQ(w->SBFilterDel->Top(), 3 * (ch / 8));
    w->PanTResize(w->PanT);
    EXPECT_EQ(w->DEPlugins->Width(), w->PanT->ClientWidth() - w->DEPlugins->Left() - 4);
}

TEST_F(PluginsWindowTest, Layout) {
    TAppSettings s = AppSettings;
    s.Sample = 48000;
    AssignAppSettings(s);
    TFr_Filters* w = Open();
    w->Show();
    Pump();
    EXPECT_EQ(test::LayoutProblems(w), std::vector<std::string>{});
}

} // namespace
} // namespace vd
