// The message box over the progress dialog, both with the program's own skin, on a private Xvfb;
// the screen is kept as artefacts/default-skin-dialogs.ppm to be judged by eye.
#include <gtest/gtest.h>

#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"
#include "platform/win/x11/X11Backend.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"
#include "tests/support/OwnSkin.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// After Xlib: its macros clash with the window system's names.
#include "../../../platform/win/x11/SavePpm.h"
#include "tests/support/DefaultSkinPixels.h"

#include <cstdio>

namespace vd::test {
namespace {

TEST(DialogScreenshot, MessageBoxOverTheProgressDialogWithTheDefaultSkin) {
    X11Screen screen;
    ASSERT_NO_FATAL_FAILURE(screen.Open());
    bool grabbed = false;
    {
        TForm* owner = Application->CreateForm<TForm>();
        auto* skin = new TskSkinData(owner);
        TskCompressedStoredSkin stored;
        ASSERT_NO_FATAL_FAILURE(LoadOwnSkin(*skin, stored));

        auto* progress = new TskSkinProgressDialog(owner);
        progress->SetSkinData(skin);
        progress->SetCtrlSkinData(skin);
        progress->Caption = "Closing";
        progress->LabelCaption = "Stopping the streams...";
        progress->ShowCancelButton = true;
        progress->ShowProgress();
        progress->SetValue(60);
        SetWindowPos(progress->ProgressForm()->Handle(), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

        auto* msg = new TskSkinMessage(owner);
        msg->SetSkinData(skin);
        msg->SetCtrlSkinData(skin);
        msg->ShowAgainFlag = true;
        const ::Window root = DefaultRootWindow(screen.Observer);
        TModalLoopHookScope hook([&](TCustomForm& box) {
            SetWindowPos(box.Handle(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            const TRect pr = GetWindowRect(progress->ProgressForm()->Handle());
            const TRect mr = GetWindowRect(box.Handle());
            ::XImage* image = nullptr;
            // Drawn once neither window's middle is black any more.
            const bool drawn = WaitUntil(
                [&] {
                    if (image) XDestroyImage(image);
                    image = XGetImage(screen.Observer, root, 0, 0, 1024, 768, AllPlanes, ZPixmap);
                    if (!image) return false;
                    auto lit = [&](const TRect& r) {
                        int black = 0, all = 0;
                        for (int y = r.Top + 5; y < r.Bottom - 5; y += 3)
                            for (int x = r.Left + 5; x < r.Right - 5; x += 3, ++all)
                                black += (XGetPixel(image, x, y) & 0xFFFFFF) == 0;
                        return all > 0 && black * 20 < all;
                    };
                    return lit(pr) && lit(mr);
                },
                15000, [&] { screen.Pump(); });
            EXPECT_TRUE(drawn) << "the dialogs were not drawn in time";
            if (drawn && image) {
                // The message box is active: the default skin's frame. The progress dialog behind
                // it has the grey inactive frame, but the skin's face and its gauge's colours.
                EXPECT_TRUE(ShowsDefaultSkinFrame(image, mr.Left, mr.Top, mr.Width(), mr.Height()));
                using namespace skingen::look;
                EXPECT_GT(CountSkinPixels(image, pr.Left, pr.Top, pr.Right, pr.Bottom, Face), 1000);
                EXPECT_GT(CountSkinPixels(image, pr.Left, pr.Top, pr.Right, pr.Bottom, ProgressLo), 10);
                ForceDirectories("artefacts");
                grabbed = SavePpm(image, 1024, 768, "artefacts/default-skin-dialogs.ppm");
            }
            if (image) XDestroyImage(image);
            box.SetModalResult(mrYes);
        });
        EXPECT_EQ(msg->ShowMessageDialog("Stop every stream and quit?", skmtConfirmation,
                                         SkBtn(skmbYes) | SkBtn(skmbNo), 0),
                  mrYes);
        progress->CloseProgress();
    }
    EXPECT_TRUE(grabbed);
    while (Screen->FormCount() > 0)
        Screen->Forms(0)->Free();
    screen.Close();
}

} // namespace
} // namespace vd::test
