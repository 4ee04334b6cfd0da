#include "app/ui/main/ProgramStart.h"

#include "app/core/ProgramPaths.h"
#include "app/core/StartupMessage.h"
#include "app/ui/FormResource.h"
#include "app/ui/main/MainWindow.h"
#include "app/ui/main/ProgramIcon.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"

namespace vd {

std::unique_ptr<TSingleInstance> ClaimProgramInstance() {
    TSingleInstance::TClaim claim = TSingleInstance::TClaim::First;
    return TSingleInstance::Claim(ProgramFile(), SettingsFilePath(), claim);
}

void ServeLaterStarts(TSingleInstance& instance, TFVendrill& window) {
    const HWND handle = window.Handle();
    instance.SetOnShow([handle] { PostMessage(handle, WM_SHOWINSTANCE, 0, 0); });
}

int RunMainWindow(TSingleInstance& instance, std::string_view storedSkin) {
    Application->Initialize();
    RegisterConsoleClasses();
    Application->SetTitle("Tarvolin Vendrill");
    // Before any window exists: every form and the tray icon take the program's icon.
    Application->Icon().SetHandle(MakeProgramIcon());
    Application->HandleSessionEndSignals();
    auto* window = new TFVendrill(Application, storedSkin);
    if (!Application->MainForm()) Application->SetMainForm(window);
    int status = 0;
    if (window->Created()) {
        ServeLaterStarts(instance, *window);
        Application->Run();
        instance.SetOnShow(nullptr);
    } else {
        status = 1;
    }
    if (StartupTerminated()) status = 1;
    while (Screen->FormCount() > 0)
        Screen->Forms(0)->Free();
    return status;
}

} // namespace vd
