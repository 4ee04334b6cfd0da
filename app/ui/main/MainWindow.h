#pragma once
// TFVendrill, the program's main window: the input device panel with the level meter, the stream
// tool bar and grid, the log, the status bar, the tray icon and its menu. Its components come
// from the form resource "FVendrill"; creating the window builds the whole console (language,
// settings, streams, threads, plug-ins, capture) and closing it takes it down in order.
#include "platform/rtl/String.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

#include <functional>
#include <memory>
#include <string_view>

namespace vd {

class TFormEvents;
class TLanguage;
class TskSkinForm;
class TskSkinHint;
class TskSkinMessage;
class TskSkinProgressDialog;
class TskSkinStringGrid;
class TskTrayIcon;

class TConsoleRuntime;

// Posted to the main window when a later start of the program asks for it.
inline constexpr UINT WM_SHOWINSTANCE = WM_USER + 0x1F1;

class TFVendrill : public TForm {
public:
    // Reads the form resource; storedSkin (the bytes of a stored skin) becomes the window's
    // skin and, through MainStoredSkin, that of the other windows. FormCreate follows.
    explicit TFVendrill(TComponent* AOwner, std::string_view storedSkin = {});
    ~TFVendrill() override;

    // The window's components, by their names in the form resource.
    TskSkinPanel* Pan_Work = nullptr;
    TskSkinLabel* LabDevice = nullptr;
    TskSkinPanel* PanLed = nullptr;
    TImage* Led = nullptr;
    TskSkinSpeedButton* SBSetting = nullptr;
    TskSkinSpeedButton* SBPlugins = nullptr;
    TskSkinPanel* Pan_Streams = nullptr;
    TskSkinToolBar* TB_Streams = nullptr;
    TskSkinSpeedButton* SBAdd = nullptr;
    TskSkinSpeedButton* SBEdit = nullptr;
    TskSkinSpeedButton* SBDelete = nullptr;
    TskSkinBevel* SBevel_R = nullptr;
    TskSkinSpeedButton* SBPlayStop = nullptr;
    TskSkinBevel* SBevel_L = nullptr;
    TskSkinSpeedButton* SBPlay = nullptr;
    TskSkinSpeedButton* SBStop = nullptr;
    TskSkinStringGrid* SGStreams = nullptr;
    TskSkinSplitter* Splitter = nullptr;
    TskSkinPanel* Pan_Log = nullptr;
    TskSkinStringGrid* SGLog = nullptr;
    TskSkinStatusBar* skSkinStatusBar1 = nullptr;
    TskSkinStatusPanel* StatusPan = nullptr;
    TTimer* Timer = nullptr;
    TskTrayIcon* TrayIcon = nullptr;
    TskSkinPopupMenu* skSkinPopupMenu1 = nullptr;
    TMenuItem* Restore1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TskSkinProgressDialog* SPDClose = nullptr;
    TskSkinMessage* MSG = nullptr;
    TskSkinData* skSkinData1 = nullptr;
    TskCompressedStoredSkin* skCompressedStoredSkin1 = nullptr;
    TskResourceStrData* skResStrData = nullptr;
    TskSkinHint* skSkinHint1 = nullptr;
    TskSkinForm* skSkinForm1 = nullptr;

    // The window's state (the logs are the log view's, the first tick's flag the tick's).
    bool SystemShutdown = false; // the desktop session ends: close without asking
    // False when the creation stopped (no language file): the program ends at once.
    bool Created() const { return FCreated; }
    TConsoleRuntime& Runtime() { return *FRuntime; }

    // Life cycle.
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // Application and tray.
    void AppOnMinimize(TObject* Sender);
    void AppOnRestore(TObject* Sender);
    void Restore1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    // A later start of the program asked for this window: back from the tray or the task bar,
    // then raised.
    void ShowFromOtherInstance();

    // Buttons of the device panel.
    void SBSettingClick(TObject* Sender);
    void SBPluginsClick(TObject* Sender);
    void Language_Change();

    // Layout.
    void FormConstrainedResize(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
    void FormResize(TObject* Sender);
    void Pan_StreamsConstrainedResize(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth,
                                      int& MaxHeight);
    void Pan_LogConstrainedResize(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth,
                                  int& MaxHeight);
    void SplitterCanResize(TObject* Sender, int& NewSize, bool& Accept);
    void Pan_StreamsResize(TObject* Sender);
    void Pan_LogResize(TObject* Sender);
    void Pan_WorkResize(TObject* Sender);
    void PanLedResize(TObject* Sender);
    void TB_StreamsResize(TObject* Sender);

    // Called at each step of the shut-down with its name (tests follow the order with it).
    std::function<void(const char* Step)> OnShutdownStep;

    void Dispatch(TMessage& Message) override;

protected:
    // WM_SYSCOMMAND: the inherited handling, then SC_RESTORE restores from the tray too.
    void GetSystemMessage(TMessage& Message);
    // WM_QUERYENDSESSION: the session ends; logged, closed without asking, allowed.
    void WMSystem_Shutdown_Query(TMessage& Message);
    void Destroying() override;

private:
    void ReadComponents();
    // The handlers the form resource names.
    TFormEvents Events();
    void FindComponents();
    void LoadSkin(std::string_view storedSkin);
    void LayOut();
    void PlaceWindow();
    void SizeStreamColumns();
    void ShutdownStep(const char* step);
    void SetProgress(int value);
    void StopWorkers();
    void FreeConsole();

    bool FCreated = false;
    bool FClosed = false;
    bool FQuiet = false; // taken down by the destructor: no dialog, no message pumping
    std::unique_ptr<TLanguage> FLanguage;
    std::unique_ptr<TConsoleRuntime> FRuntime;
};

// The main window of the run while it exists, else nullptr.
TFVendrill* FVendrill();

} // namespace vd
