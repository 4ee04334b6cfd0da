#pragma once
// The main window on the headless back end, in a program folder of its own: the English
// language file beside a program file that does not exist, the settings file written by the
// test, and the fake notification area.
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/StartupMessage.h"
#include "app/core/StationList.h"
#include "app/ui/main/ConsoleRuntime.h"
#include "app/ui/main/MainWindow.h"
#include "platform/shell/FakeTray.h"
#include "platform/vcl/Application.h"
#include "tests/support/TempDir.h"

#include "../../../platform/vcl/VclFixture.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vd::test {

class MainWindowTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        char cwd[4096];
        ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
        std::ifstream english(String(cwd) + "/vendrill.English.lng", std::ios::binary);
        ASSERT_TRUE(english.good()) << "the build puts the language file beside the programs";
        std::stringstream text;
        text << english.rdbuf();
        Dir.Write("vendrill.English.lng", text.str());
        SetProgramFile(Dir.File("vendrill"));
        hb->SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}}});
        InstallTrayHost(&Tray);
        ResetStartupTerminated();
    }
    void TearDown() override {
        VclTest::TearDown();
        InstallTrayHost(nullptr);
        SetAppMessageBox(nullptr);
        SetProgramFile("");
        Application->OnMinimize = nullptr;
        Application->OnRestore = nullptr;
        Application->SetMainForm(nullptr);
    }
    void WriteSettings(const std::string& text) { Dir.Write("vendrill.ini", text); }
    // The window as the program makes it: the application's main form, shown.
    TFVendrill* Open(std::string_view storedSkin = {}) {
        auto* w = new TFVendrill(Application, storedSkin);
        Application->SetMainForm(w);
        w->Show();
        Pump();
        return w;
    }
    TTempDir Dir;
    FakeTray Tray;
};

} // namespace vd::test
