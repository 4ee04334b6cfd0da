#pragma once
// The file dialogs' tests: a namespace over a temporary home with a few folders and files, on the
// headless window system.
#include "../../../platform/vcl/VclFixture.h"
#include "skin/extra/shell/SkinShellFolder.h"
#include "tests/support/TempDir.h"

#include <memory>
#include <sys/stat.h>

namespace vd::test {

class ShellDialogTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Home = Dir.File("home");
        for (const String& d : {Home, Home + "/music", Home + "/music/live", Home + "/docs"})
            ::mkdir(d.c_str(), 0755);
        for (const char* f : {"music/a.mp3", "music/b.txt", "music/title", "docs/c.txt"})
            Dir.Write(String("home/") + f, "12345");
        ShellEnvironment env;
        env.Home = Home;
        env.MountInfo = "27 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
        Ns = std::make_unique<TShellNamespace>(env);
        SetShellNamespace(Ns.get());
        Owner = NewForm();
    }
    void TearDown() override {
        VclTest::TearDown();
        SetShellNamespace(nullptr);
    }
    TTempDir Dir;
    String Home;
    std::unique_ptr<TShellNamespace> Ns;
    TForm* Owner = nullptr;
};

} // namespace vd::test
