// A small window to show that the window system and the class library run: a form read from
// a form resource with a few plain controls, and a timer that keeps a label up to date.
#include "MDIDemo.h"
#include "SkinnedDemo.h"
#include "platform/shell/X11TrayHost.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/Timer.h"
#include "platform/win/x11/X11Backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

const char* kDemoForm = R"(object DemoForm: TForm
  Left = 120
  Top = 100
  Width = 420
  Height = 260
  Caption = 'Vendrill demo'
  Position = poScreenCenter
  OnClose = DemoFormClose
  object Title: TLabel
    Left = 16
    Top = 16
    Caption = 'Tarvolin Vendrill'
    Font.Height = 20
  end
  object Line: TBevel
    Left = 16
    Top = 44
    Width = 370
    Height = 2
    Shape = bsTopLine
  end
  object Info: TLabel
    Left = 16
    Top = 60
    Width = 370
    AutoSize = False
    Height = 60
    WordWrap = True
    Caption = 'Window system and class library, drawn by our own raster. Drag the caption to move the window; the frame edges size it.'
  end
  object Clock: TLabel
    Left = 16
    Top = 140
    Caption = 'Running for 0 s'
  end
  object Tick: TTimer
    Interval = 1000
    OnTimer = TickTimer
  end
end
)";

// Runs the message loop, ended by a timer when asked to quit, and frees the forms left.
void RunAndFreeForms(int quitAfterMs) {
    using namespace vd;
    if (quitAfterMs > 0)
        SetTimer(nullptr, 0, static_cast<UINT>(quitAfterMs),
                 [](HWND, UINT, std::uintptr_t, DWord) { Application->Terminate(); });
    Application->Run();
    while (Screen->FormCount() > 0)
        Screen->Forms(0)->Free();
}

} // namespace

int Run(int argc, char** argv);

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vd_demo: %s\n", e.what());
        return 1;
    }
}

int Run(int argc, char** argv) {
    using namespace vd;
    int quitAfterMs = 0;
    bool skinned = false, mdi = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc) quitAfterMs = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--skinned") == 0) skinned = true;
        if (std::strcmp(argv[i], "--mdi") == 0) mdi = true;
    }
    auto backend = X11Backend::Open();
    if (!backend) {
        std::fprintf(stderr, "vd_demo: cannot open the X display (is DISPLAY set?)\n");
        return 1;
    }
    InstallBackend(backend.get());
    Application->SetTitle("Vendrill demo");
    if (mdi) {
        // The multiple-document window: a skinned main window, its tabs bar and two children.
        TMDIDemo demo;
        demo.CreateWindow();
        RunAndFreeForms(quitAfterMs);
        InstallBackend(nullptr);
        return 0;
    }
    std::unique_ptr<TSkinnedDemo> demo;
    if (skinned) {
        // The skinned window with its popup menu and tray icon instead of the plain one.
        demo = std::make_unique<TSkinnedDemo>();
        demo->CreateWindow();
        RunAndFreeForms(quitAfterMs);
        demo.reset();
        InstallBackend(nullptr);
        return 0;
    }
    TForm* form = Application->CreateForm<TForm>();
    form->SetName("DemoForm");
    int seconds = 0;
    TFormReader::ReadRoot(kDemoForm, form, [&](TComponent* c, const String& event, const String& handler) {
        if (handler == "DemoFormClose") {
            static_cast<TForm*>(c)->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
            return event == "OnClose";
        }
        if (handler == "TickTimer") {
            auto* timer = static_cast<TTimer*>(c);
            timer->OnTimer = [&seconds, form](TObject*) {
                if (auto* clock = dynamic_cast<TLabel*>(form->FindComponent("Clock")))
                    clock->SetCaption("Running for " + std::to_string(++seconds) + " s");
            };
            return event == "OnTimer";
        }
        return false;
    });
    RunAndFreeForms(quitAfterMs);
    InstallBackend(nullptr);
    return 0;
}
