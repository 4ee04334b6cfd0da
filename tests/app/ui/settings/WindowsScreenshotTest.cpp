// The settings window (each page), the plug-in chooser and the wait window with the program's
// own skin on a private Xvfb; each is kept as artefacts/console-*.ppm to be judged by eye.
#include <gtest/gtest.h>

#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/plugins/VDPlugIns.h"
#include "app/ui/AppSkin.h"
#include "app/ui/WaitMessage.h"
#include "app/ui/plugins/PluginsWindow.h"
#include "app/ui/settings/SettingsWindow.h"
#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinLabel.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// After Xlib: its macros clash with the window system's names.
#include "../../../platform/win/x11/SavePpm.h"
#include "tests/support/DefaultSkinPixels.h"

#include <cstdio>
#include <string>

namespace vd::test {
namespace {

class ConsoleScreenshots : public X11ScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(X11ScreenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(ReadOwnSkin(Stored));
        SetMainStoredSkin(&Stored);
        SetProgramFile(Folder.File("vendrill"));
        std::FILE* lng = std::fopen(Folder.File("vendrill.English.lng").c_str(), "w");
        ASSERT_NE(lng, nullptr);
        std::fputs("[Constants]\nLanguage=English\n", lng);
        std::fclose(lng);
        Language = std::make_unique<TLanguage>("vendrill.");
        ASSERT_TRUE(Language->SelectFile("English.lng"));
        AppLanguage = Language.get();
        TAppSettings s;
        s.Device = 0;
        s.DeviceName = "Built-in Audio Analog Stereo";
        s.InfoName = "Radio Tarvolin";
        s.Sample = 48000;
        s.Path = Folder.Path();
        AssignAppSettings(s);
        SetSettingsServices(
            {[] {
                 return std::vector<String>{"Built-in Audio Analog Stereo", "USB Audio Line In"};
             },
             {}});
    }
    void TearDown() override {
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        SetMainSkinData(nullptr);
        SetMainStoredSkin(nullptr);
        SetSettingsServices({});
        AppLanguage = nullptr;
        SetProgramFile("");
        X11ScreenTest::TearDown();
    }
    // Waits until the window is drawn (its middle no longer black) and, when given, differs from
    // the last grab, and keeps it; true when it was drawn in the default skin's frame and kept.
    bool Grab(TCustomForm& form, const char* file, std::string* last = nullptr) {
        const TRect r = GetWindowRect(form.Handle());
        ::XImage* image = nullptr;
        const int w = r.Right - r.Left, h = r.Bottom - r.Top;
        const bool drawn = WaitUntil(
            [&] {
                if (image) XDestroyImage(image);
                image = XGetImage(Observer, DefaultRootWindow(Observer), r.Left, r.Top,
                                  static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
                if (!image) return false;
                int black = 0, all = 0;
                for (int y = 5; y < h - 5; y += 3)
                    for (int x = 5; x < w - 5; x += 3, ++all)
                        black += (XGetPixel(image, x, y) & 0xFFFFFF) == 0;
                if (all == 0 || black * 20 >= all) return false;
                if (!last) return true;
                const std::string now(image->data, static_cast<std::size_t>(image->bytes_per_line) * h);
                if (now == *last) return false;
                *last = now;
                return true;
            },
            15000, [&] { Pump(); });
        if (!drawn || !image) {
            ADD_FAILURE() << file << " was not drawn in time";
            if (image) XDestroyImage(image);
            return false;
        }
        const bool skinned = ShowsDefaultSkinFrame(image, 0, 0, w, h);
        EXPECT_TRUE(skinned) << file << " lacks the default skin's frame";
        ForceDirectories("artefacts");
        const bool saved = SavePpm(image, w, h, (String("artefacts/") + file).c_str());
        XDestroyImage(image);
        return skinned && saved;
    }

    TskCompressedStoredSkin Stored;
    TTempDir Folder;
    std::unique_ptr<TLanguage> Language;
};

TEST_F(ConsoleScreenshots, SettingsWindowEveryPage) {
    const char* files[] = {"console-settings-main.ppm", "console-settings-info.ppm",
                           "console-settings-title.ppm", "console-settings-email.ppm"};
    int grabbed = 0;
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            auto& w = dynamic_cast<TFSettings&>(f);
            EXPECT_GT(ExpectSkinnedEdits(w), 0);
            w.EMailRes->SetCaption("The test message sended. Check EMail");
            std::string last;
            for (int page = 0; page < 4; ++page) {
                w.Pages->SetActivePageIndex(page);
                grabbed += Grab(w, files[page], &last);
            }
            w.UTPort->SetChecked(true);
            w.UTOnlyIP->SetChecked(true);
            w.Pages->SetActivePageIndex(2);
            grabbed += Grab(w, "console-settings-title-port.ppm", &last);
            w.SetModalResult(mrCancel);
        });
        ShowSettings();
    }
    EXPECT_EQ(grabbed, 5);
}

TEST_F(ConsoleScreenshots, PluginChooser) {
    auto* owner = new TForm(Application);
    auto* skin = new TskSkinData(owner);
    skin->LoadStoredSkin(&Stored);
    ASSERT_FALSE(skin->Empty());
    SetMainSkinData(skin);
    for (const char* name : {"dsp_echo.so", "dsp_limiter.so", "dsp_stereo.so"})
        std::fclose(std::fopen(Folder.File(name).c_str(), "w"));
    PluginFiles = {"dsp_limiter.so"};
    bool grabbed = false;
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            EXPECT_GT(ExpectSkinnedEdits(f), 0) << "the folder edit";
            grabbed = Grab(f, "console-plugins.ppm");
            f.SetModalResult(mrCancel);
        });
        ShowPluginsWindow();
    }
    PluginFiles.clear();
    EXPECT_TRUE(grabbed);
}

TEST_F(ConsoleScreenshots, WaitWindow) {
    ASSERT_TRUE(ShowWaitMessage("Waiting for the device USB Audio Line In"));
    ASSERT_NE(WaitMessageWindow(), nullptr);
    EXPECT_TRUE(Grab(*WaitMessageWindow(), "console-wait.ppm"));
    CloseWaitMessage();
}

} // namespace
} // namespace vd::test
