// The main window and the desktop: minimizing into the notification area, restoring from it,
// the tray menu, a later start of the program, and the end of the desktop session.
#include "app/streams/StreamConsole.h"
#include "app/ui/main/ConsoleRuntime.h"
#include "app/ui/main/MainWindow.h"
#include "platform/vcl/Application.h"
#include "skin/form/frame/SkinTrayIcon.h"

namespace vd {

void TFVendrill::AppOnMinimize(TObject*) {
    TrayIcon->SetIconVisible(true);
    // Only an icon that really is in a notification area can bring the window back; otherwise
    // the application stays iconified in the task bar.
    if (TrayIcon->IconShown()) TrayIcon->HideMainForm();
}

void TFVendrill::AppOnRestore(TObject*) {
    TrayIcon->SetIconVisible(false);
    TrayIcon->ShowMainForm();
}

void TFVendrill::Restore1Click(TObject*) {
    Application->Restore();
}

void TFVendrill::Exit1Click(TObject*) {
    Close();
}

void TFVendrill::ShowFromOtherInstance() {
    Application->Restore();
    AppOnRestore(this);
    Application->BringToFront();
}

void TFVendrill::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SYSCOMMAND:
        GetSystemMessage(Message);
        return;
    case WM_QUERYENDSESSION:
        WMSystem_Shutdown_Query(Message);
        return;
    case WM_SHOWINSTANCE:
        ShowFromOtherInstance();
        return;
    default:
        TForm::Dispatch(Message);
    }
}

void TFVendrill::GetSystemMessage(TMessage& Message) {
    TForm::Dispatch(Message);
    if ((Message.WParam & 0xFFF0) == SC_RESTORE) AppOnRestore(this);
}

void TFVendrill::WMSystem_Shutdown_Query(TMessage& Message) {
    TForm::Dispatch(Message);
    if (FCreated) FRuntime->Logs().WriteMainLog("System shutdown!");
    SystemShutdown = true;
    Close();
    Message.Result = 1;
}

} // namespace vd
