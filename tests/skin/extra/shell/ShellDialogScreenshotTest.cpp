// Both file dialogs on a private Xvfb with the program's own skin over a temporary folder tree,
// driven by simulated pointer input: the select-folder dialog picks a folder, the open-file
// dialog goes into a folder and picks a file. Each is kept as an artefact to be judged by eye:
// artefacts/select-folder-dialog.ppm, artefacts/open-file-dialog.ppm and the details view,
// artefacts/open-file-dialog-details.ppm.
#include <gtest/gtest.h>

#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/extra/shell/SkinOpenDlgForm.h"
#include "skin/extra/shell/SkinSelDirForm.h"
#include "skin/extra/shell/SkinSelectDirDialog.h"
#include "skin/extra/shell/SkinShellListView.h"
#include "skin/extra/shell/SkinShellTreeView.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

// After Xlib: its macros clash with the window system's names.
#include "../../../platform/win/x11/SavePpm.h"
#include "tests/support/DefaultSkinPixels.h"

#include <memory>
#include <sys/stat.h>

namespace vd::test {
namespace {

class ShellDialogScreenshot : public X11ScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(X11ScreenTest::SetUp());

        Home = Dir.File("home");
        for (const String& d : {Home, Home + "/Documents", Home + "/Music", Home + "/Music/Live sets",
                                Home + "/Music/Studio", Home + "/Pictures"})
            ::mkdir(d.c_str(), 0755);
        for (const char* f : {"Music/now-playing.txt", "Music/station.ogg", "Music/title",
                              "Music/Live sets/friday.txt", "Music/Live sets/saturday.txt"})
            Dir.Write(String("home/") + f, "Tarvolin live");
        ShellEnvironment env;
        env.Home = Home;
        env.MountInfo = "27 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
        Ns = std::make_unique<TShellNamespace>(env);
        SetShellNamespace(Ns.get());

        Owner = Application->CreateForm<TForm>();
        Skin = new TskSkinData(Owner);
        TskCompressedStoredSkin stored;
        ASSERT_NO_FATAL_FAILURE(LoadOwnSkin(*Skin, stored));
    }
    void TearDown() override {
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        SetShellNamespace(nullptr);
        X11ScreenTest::TearDown();
    }
    bool Viewable(TCustomForm& Form) { return X11Screen::Viewable(Backend->XWindowOf(Form.Handle())); }
    // Placed, mapped and focused, as a user would find it.
    void Ready(TCustomForm& Form) {
        SetWindowPos(Form.Handle(), nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(WaitUntil([&] { return Viewable(Form); }, 10000, [&] { PumpWaiting(); }));
        XSetInputFocus(Observer, Backend->XWindowOf(Form.Handle()), RevertToParent, CurrentTime);
        XSync(Observer, False);
        PumpWaiting();
    }
    static void Abandon(TCustomForm& Form, const char* Why) {
        ADD_FAILURE() << Why;
        Form.SetModalResult(mrCancel);
    }
    // Whatever happened, the dialog ends.
    void Finish(TCustomForm& Form) {
        if (WaitUntil([&] { return Form.ModalResult() != mrNone; }, 10000, [&] { PumpWaiting(); })) return;
        ADD_FAILURE() << "the dialog did not end";
        Form.SetModalResult(mrCancel);
    }
    // Waits until the window's middle is drawn (no black), keeps the window as Path; true when it
    // was drawn in the default skin's frame and kept.
    bool Keep(TCustomForm& Form, const char* Path) {
        const TRect r = GetWindowRect(Form.Handle());
        ::XImage* image = nullptr;
        const bool drawn = WaitUntil(
            [&] {
                if (image) XDestroyImage(image);
                image = XGetImage(Observer, DefaultRootWindow(Observer), r.Left, r.Top, unsigned(r.Width()),
                                  unsigned(r.Height()), AllPlanes, ZPixmap);
                if (!image) return false;
                int black = 0, all = 0;
                for (int y = 30; y < r.Height() - 30; y += 3)
                    for (int x = 10; x < r.Width() - 10; x += 3, ++all)
                        black += (XGetPixel(image, x, y) & 0xFFFFFF) == 0;
                return all > 0 && black * 10 < all;
            },
            15000, [&] { PumpWaiting(); });
        if (!drawn || !image) {
            ADD_FAILURE() << Path << " was not drawn in time";
            if (image) XDestroyImage(image);
            return false;
        }
        const bool skinned = ShowsDefaultSkinFrame(image, 0, 0, r.Width(), r.Height());
        EXPECT_TRUE(skinned) << Path << " lacks the default skin's frame";
        ForceDirectories("artefacts");
        const bool saved = SavePpm(image, r.Width(), r.Height(), Path);
        XDestroyImage(image);
        return skinned && saved;
    }
    unsigned long ScreenPixel(TPoint At) {
        ::XImage* image =
            XGetImage(Observer, DefaultRootWindow(Observer), At.X, At.Y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return 0;
        const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return p;
    }
    // A simulated click (or double click) at a point of Control.
    void Click(TControl* Control, TPoint At, int Count = 1) {
        const TPoint p = Control->ClientToScreen(At);
        XTestFakeMotionEvent(Observer, -1, p.X, p.Y, CurrentTime);
        for (int i = 0; i < Count; ++i) {
            XTestFakeButtonEvent(Observer, 1, True, CurrentTime);
            XTestFakeButtonEvent(Observer, 1, False, CurrentTime);
        }
        XSync(Observer, False);
    }
    static TPoint Middle(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

    TTempDir Dir;
    String Home;
    std::unique_ptr<TShellNamespace> Ns;
    TForm* Owner = nullptr;
    TskSkinData* Skin = nullptr;
};

TEST_F(ShellDialogScreenshot, SelectFolderPicksAFolderByPointer) {
    auto* dlg = new TskSkinSelectDirectoryDialog(Owner);
    dlg->SetSkinData(Skin);
    dlg->SetCtrlSkinData(Skin);
    dlg->SetTitle("Path to plugins");
    dlg->Directory = Home;
    bool kept = false;
    TModalLoopHookScope hook([&](TCustomForm& f) {
        auto& d = static_cast<TskSelDirDlgForm&>(f);
        Ready(f);
        TTreeNode* music = nullptr;
        for (int i = 0; i < d.Tree->Selected()->Count(); ++i)
            if (d.Tree->Selected()->Item(i)->Text() == "Music") music = d.Tree->Selected()->Item(i);
        if (!music) return Abandon(f, "no Music node");
        Click(d.Tree, Middle(d.Tree->NodeRect(music, true)));
        EXPECT_TRUE(WaitUntil([&] { return d.Tree->Selected() == music; }, 10000, [&] { PumpWaiting(); }));
        music->Expand(false);
        kept = Keep(f, "artefacts/select-folder-dialog.ppm");
        Click(d.OKButton, {d.OKButton->Width() / 2, d.OKButton->Height() / 2});
        Finish(f);
    });
    EXPECT_TRUE(dlg->ShowSelectForm());
    EXPECT_EQ(dlg->Directory, Home + "/Music");
    EXPECT_TRUE(kept);
}

TEST_F(ShellDialogScreenshot, OpenFileGoesIntoAFolderAndPicksAFile) {
    auto* dlg = new TskSkinOpenDialog(Owner);
    dlg->SetSkinData(Skin);
    dlg->SetCtrlSkinData(Skin);
    dlg->SetTitle("Title file");
    dlg->InitialDir = Home + "/Music";
    bool kept = false;
    TModalLoopHookScope hook([&](TCustomForm& f) {
        auto& d = static_cast<TskOpenDlgForm&>(f);
        Ready(f);
        auto row = [&](const String& name) {
            for (int i = 0; i < d.FileList->Items().Count(); ++i)
                if (d.FileList->Items().Item(i)->Caption() == name) return i;
            return -1;
        };
        const int live = row("Live sets");
        if (live < 0) return Abandon(f, "no Live sets row");
        Click(d.FileList, Middle(d.FileList->ItemRect(live)), 2);
        EXPECT_TRUE(WaitUntil([&] { return d.FileList->GetPath() == Home + "/Music/Live sets"; }, 10000,
                              [&] { PumpWaiting(); }));
        const int friday = row("friday.txt");
        if (friday < 0) return Abandon(f, "no friday.txt row");
        Click(d.FileList, Middle(d.FileList->ItemRect(friday)));
        EXPECT_TRUE(
            WaitUntil([&] { return d.FileNameEdit->Text() == "friday.txt"; }, 10000, [&] { PumpWaiting(); }));
        kept = Keep(f, "artefacts/open-file-dialog.ppm");
        // The details view: its column header covers the list's top row once drawn.
        const TPoint top = d.FileList->ClientToScreen({d.FileList->Width() / 2, 4});
        const unsigned long before = ScreenPixel(top);
        d.ViewItems[3]->Click();
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(top) != before; }, 10000, [&] { PumpWaiting(); }));
        kept = Keep(f, "artefacts/open-file-dialog-details.ppm") && kept;
        Click(d.OpenButton, {d.OpenButton->Width() / 2, d.OpenButton->Height() / 2});
        Finish(f);
    });
    EXPECT_TRUE(dlg->ShowOpenForm());
    EXPECT_EQ(dlg->FileName(), Home + "/Music/Live sets/friday.txt");
    EXPECT_TRUE(kept);
}

} // namespace
} // namespace vd::test
