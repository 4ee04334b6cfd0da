#include "app/ui/main/MainWindow.h"

#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsFile.h"
#include "app/core/StationList.h"
#include "app/core/StationStore.h"
#include "app/core/VersionInfo.h"
#include "app/plugins/VDPlugIns.h"
#include "app/ui/AppSkin.h"
#include "app/ui/FormEvents.h"
#include "app/ui/FormResource.h"
#include "app/ui/GridHelpers.h"
#include "app/ui/Translation.h"
#include "app/ui/main/ConsoleRuntime.h"
#include "app/ui/main/WindowPlacement.h"
#include "app/ui/plugins/PluginsWindow.h"
#include "app/ui/settings/SettingsWindow.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinStatusPanel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/core/SkinStrings.h"
#include "skin/core/SkinWindowSystem.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"
#include "skin/extra/grids/SkinDrawGrid.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/form/menus/SkinHintWindow.h"

#include <algorithm>
#include <functional>

namespace vd {

namespace {

const char* const ProductName = "Tarvolin Vendrill";
TFVendrill* MainWindow = nullptr;

} // namespace

TFVendrill* FVendrill() {
    return MainWindow;
}

TFVendrill::TFVendrill(TComponent* AOwner, std::string_view storedSkin) : TForm(AOwner) {
    SetName("FVendrill");
    ReadComponents();
    MainWindow = this;
    SetMainSkinData(skSkinData1); // the plug-in chooser's skin
    FRuntime = std::make_unique<TConsoleRuntime>(*this);
    // The layout handlers wait for the runtime: resizes while the resource is read do nothing.
    LayOut();
    LoadSkin(storedSkin);
    FormCreate(this);
}

TFVendrill::~TFVendrill() {
    FRuntime.reset();
    if (MainWindow == this) MainWindow = nullptr;
}

void TFVendrill::Destroying() {
    // A window freed without its close (a failed start, tests) still takes the console down,
    // in the same order but without the dialog and without answering messages meanwhile. The
    // components are still there: they go after this.
    if (FCreated && !FClosed) {
        FClosed = FQuiet = true;
        Timer->SetEnabled(false);
        StopWorkers();
        FreeConsole();
    }
    FRuntime.reset();
    if (Application->OnMinimize || Application->OnRestore) {
        Application->OnMinimize = nullptr;
        Application->OnRestore = nullptr;
    }
    if (MainStoredSkin() == skCompressedStoredSkin1) SetMainStoredSkin(nullptr);
    if (MainSkinData() == skSkinData1) SetMainSkinData(nullptr);
    if (MainWindow == this) MainWindow = nullptr;
    TForm::Destroying();
}

void TFVendrill::ReadComponents() {
    RegisterConsoleClasses();
    const TFormEvents events = Events();
    ReadFormResource(this, "FVendrill", events.Binder());
    FindComponents();
    // Splitter and bevels take no skin from the resource; the splitter lies across the window.
    Splitter->SkinDataName = "hsplitter";
    Splitter->SetSkinData(skSkinData1);
    SBevel_L->SetSkinData(skSkinData1);
    SBevel_R->SetSkinData(skSkinData1);
}

TFormEvents TFVendrill::Events() {
    TFormEvents events;
    events.Notify("FormResize", this, &TFVendrill::FormResize);
    events.Notify("Pan_StreamsResize", this, &TFVendrill::Pan_StreamsResize);
    events.Notify("Pan_LogResize", this, &TFVendrill::Pan_LogResize);
    events.Notify("Pan_WorkResize", this, &TFVendrill::Pan_WorkResize);
    events.Notify("PanLedResize", this, &TFVendrill::PanLedResize);
    events.Notify("TB_StreamsResize", this, &TFVendrill::TB_StreamsResize);
    events.Notify("SBSettingClick", this, &TFVendrill::SBSettingClick);
    events.Notify("SBPluginsClick", this, &TFVendrill::SBPluginsClick);
    events.Notify("Restore1Click", this, &TFVendrill::Restore1Click);
    events.Notify("Exit1Click", this, &TFVendrill::Exit1Click);
    // The views' handlers: the runtime is made after the resource is read.
    events.Notify("LedClick", [this](TObject*) { FRuntime->Device().LedClick(); })
        .Notify("LabDeviceClick", [this](TObject*) { FRuntime->Logs().ShowMainLog(); })
        .Notify("SGStreamsClick", [this](TObject*) { FRuntime->Actions().SGStreamsClick(); })
        .Notify("SBAddClick", [this](TObject*) { FRuntime->Actions().SBAddClick(); })
        .Notify("SBEditClick", [this](TObject*) { FRuntime->Actions().SBEditClick(); })
        .Notify("SBDeleteClick", [this](TObject*) { FRuntime->Actions().SBDeleteClick(); })
        .Notify("SBPlayStopClick", [this](TObject*) {
            TStreamActions& actions = FRuntime->Actions();
            if (actions.ShowsStop())
                actions.OnStopClick();
            else
                actions.OnPlayClick();
        });
    events.Close("FormClose", std::bind_front(&TFVendrill::FormClose, this))
        .ConstrainedResize("FormConstrainedResize", std::bind_front(&TFVendrill::FormConstrainedResize, this))
        .ConstrainedResize("Pan_StreamsConstrainedResize",
                           std::bind_front(&TFVendrill::Pan_StreamsConstrainedResize, this))
        .ConstrainedResize("Pan_LogConstrainedResize",
                           std::bind_front(&TFVendrill::Pan_LogConstrainedResize, this))
        .SplitterCanResize("SplitterCanResize", std::bind_front(&TFVendrill::SplitterCanResize, this));
    return events;
}

void TFVendrill::FindComponents() {
    Pan_Work = FormComponent<TskSkinPanel>(this, "Pan_Work");
    LabDevice = FormComponent<TskSkinLabel>(this, "LabDevice");
    PanLed = FormComponent<TskSkinPanel>(this, "PanLed");
    Led = FormComponent<TImage>(this, "Led");
    SBSetting = FormComponent<TskSkinSpeedButton>(this, "SBSetting");
    SBPlugins = FormComponent<TskSkinSpeedButton>(this, "SBPlugins");
    Pan_Streams = FormComponent<TskSkinPanel>(this, "Pan_Streams");
    TB_Streams = FormComponent<TskSkinToolBar>(this, "TB_Streams");
    SBAdd = FormComponent<TskSkinSpeedButton>(this, "SBAdd");
    SBEdit = FormComponent<TskSkinSpeedButton>(this, "SBEdit");
    SBDelete = FormComponent<TskSkinSpeedButton>(this, "SBDelete");
    SBevel_R = FormComponent<TskSkinBevel>(this, "SBevel_R");
    SBPlayStop = FormComponent<TskSkinSpeedButton>(this, "SBPlayStop");
    SBevel_L = FormComponent<TskSkinBevel>(this, "SBevel_L");
    SBPlay = FormComponent<TskSkinSpeedButton>(this, "SBPlay");
    SBStop = FormComponent<TskSkinSpeedButton>(this, "SBStop");
    SGStreams = FormComponent<TskSkinStringGrid>(this, "SGStreams");
    Splitter = FormComponent<TskSkinSplitter>(this, "Splitter");
    Pan_Log = FormComponent<TskSkinPanel>(this, "Pan_Log");
    SGLog = FormComponent<TskSkinStringGrid>(this, "SGLog");
    skSkinStatusBar1 = FormComponent<TskSkinStatusBar>(this, "skSkinStatusBar1");
    StatusPan = FormComponent<TskSkinStatusPanel>(this, "StatusPan");
    Timer = FormComponent<TTimer>(this, "Timer");
    TrayIcon = FormComponent<TskTrayIcon>(this, "TrayIcon");
    skSkinPopupMenu1 = FormComponent<TskSkinPopupMenu>(this, "skSkinPopupMenu1");
    Restore1 = FormComponent<TMenuItem>(this, "Restore1");
    N1 = FormComponent<TMenuItem>(this, "N1");
    Exit1 = FormComponent<TMenuItem>(this, "Exit1");
    SPDClose = FormComponent<TskSkinProgressDialog>(this, "SPDClose");
    MSG = FormComponent<TskSkinMessage>(this, "MSG");
    skSkinData1 = FormComponent<TskSkinData>(this, "skSkinData1");
    skCompressedStoredSkin1 = FormComponent<TskCompressedStoredSkin>(this, "skCompressedStoredSkin1");
    skResStrData = FormComponent<TskResourceStrData>(this, "skResStrData");
    skSkinHint1 = FormComponent<TskSkinHint>(this, "skSkinHint1");
    skSkinForm1 = FormComponent<TskSkinForm>(this, "skSkinForm1");
}

void TFVendrill::LoadSkin(std::string_view storedSkin) {
    if (storedSkin.empty()) return;
    skCompressedStoredSkin1->ReadCompressedData(
        {reinterpret_cast<const Byte*>(storedSkin.data()), storedSkin.size()});
    skSkinData1->LoadStoredSkin(skCompressedStoredSkin1);
    SetMainStoredSkin(skCompressedStoredSkin1);
}

void TFVendrill::FormCreate(TObject*) {
    // The language first: without a file there is nothing to show, and the program ends.
    FLanguage = std::make_unique<TLanguage>(ProgramBaseName() + ".");
    if (!FLanguage->SelectFromIni(String(), "Setting", "English")) {
        FLanguage.reset();
        Application->Terminate();
        return;
    }
    AppLanguage = FLanguage.get();
    SystemShutdown = false;
    Application->OnMinimize = [this](TObject* s) { AppOnMinimize(s); };
    Application->OnRestore = [this](TObject* s) { AppOnRestore(s); };
    // The caption carries the version.
    SetCaption(VersionCaption(ProductName, TrpVersionInfo()));
    // The streams and the main log, which is shown; an unlit meter.
    StationList.Clear();
    TLogView& logs = FRuntime->Logs();
    logs.MainLog().Clear();
    logs.ShowMainLog();
    logs.WriteMainLog(FLanguage->GetMessage("InitProg"));
    FRuntime->Device().DrawMeterScale();
    // The tool bar shows Play from the start; the stream columns get their widths.
    FRuntime->Streams().SetColumnWidths();
    // Plug-ins, settings, streams, texts.
    InitPlugins();
    logs.WriteMainLog(FLanguage->GetMessage("ReadSettings"));
    ReadSettings(TSize{Screen->Width(), Screen->Height()});
    ReadStations();
    Language_Change();
    // The workers, idle until the first tick, and the tick.
    FRuntime->CreateWorkers();
    PlaceWindow();
    // The rows, the plug-in chain, the device; the main log is shown first.
    FRuntime->Streams().ShowStations();
    FRuntime->Device().Capture().StartPlugins();
    logs.WriteMainLog(FLanguage->GetMessage("StartDevice"));
    FRuntime->Device().StartDevice();
    FRuntime->Actions().SGStreamsClick();
    logs.ShowMainLog();
    // From now on the program's questions and errors show in the skinned box.
    SetAppMessageBox([this](const String& text, int type, unsigned buttons) {
        return MSG->ShowMessageDialog(text, type, buttons, 0);
    });
    FCreated = true;
}

void TFVendrill::SizeStreamColumns() {
    // The widths the columns are laid out for, widened where the skin's font or the language
    // needs more room for a title.
    TCanvas& canvas = SGStreams->Canvas();
    canvas.Font().Assign(SGStreams->Font());
    for (int c = 1; c < TStreamGridView::ColumnCount && c < SGStreams->ColCount(); ++c) {
        const int title = canvas.TextWidth(SGStreams->GetCellText(c, 0)) + 12;
        SGStreams->SetColWidths(c, std::max(TStreamGridView::FixedWidths[c], title));
    }
}

void TFVendrill::PlaceWindow() {
    const TSize screen{Screen->Width(), Screen->Height()};
    const TWindowPlacement p = ClampWindowPlacement(
        {AppSettings.PosX, AppSettings.PosY, AppSettings.PosW, AppSettings.PosH}, screen);
    SetLeft(p.Left);
    SetTop(p.Top);
    SetClientWidth(p.Width);
    if (Width() > screen.cx) SetWidth(screen.cx);
    SetClientHeight(p.Height);
    if (Height() > screen.cy) SetHeight(screen.cy);
}

void TFVendrill::Language_Change() {
    if (!AppLanguage) return;
    TranslateForm(*AppLanguage, this);
    // The label shows the running device's name or the device message, not the file's text.
    FRuntime->Device().ReapplyDeviceLabel();
    SizeStreamColumns();
    FRuntime->Streams().AutoSizeColumns(); // the first column takes what the titles left
    TranslateResStrings(*AppLanguage, skResStrData);
    // The frames read their caption-button hints from the strings only when told.
    skSkinData1->BroadcastSkinMessage(WM_SKINSTRINGSCHANGED);
}

void TFVendrill::SBSettingClick(TObject*) {
    FRuntime->CancelStartHide();
    if (ShowSettings()) FRuntime->Device().SettingsConfirmed();
    Language_Change();
}

void TFVendrill::SBPluginsClick(TObject*) {
    ShowPluginsWindow();
}

// ---- layout

void TFVendrill::LayOut() {
    Pan_WorkResize(this);
    PanLedResize(this);
    TB_StreamsResize(this);
    Pan_StreamsResize(this);
    Pan_LogResize(this);
    FormResize(this);
}

void TFVendrill::FormConstrainedResize(TObject*, int& MinWidth, int& MinHeight, int&, int&) {
    // The panels are laid out for a client area of this size; the frame comes on top.
    MinWidth = MinClientWidth + Width() - ClientWidth();
    MinHeight = MinClientHeight + Height() - ClientHeight();
}

void TFVendrill::FormResize(TObject*) {
    if (!FRuntime) return;
    if (Pan_Streams->ClientHeight() < 90)
        Pan_Streams->SetHeight(Pan_Streams->Height() + 90 - Pan_Streams->ClientHeight());
    if (Pan_Log->Top() <= 190) Pan_Log->SetHeight(std::max(0, ClientHeight() - 191));
}

void TFVendrill::Pan_StreamsConstrainedResize(TObject*, int& MinWidth, int& MinHeight, int&, int&) {
    MinHeight = 60;
    MinWidth = MinClientWidth;
}

void TFVendrill::Pan_LogConstrainedResize(TObject*, int&, int& MinHeight, int&, int&) {
    MinHeight = 55;
}

void TFVendrill::SplitterCanResize(TObject*, int& NewSize, bool& Accept) {
    if (!FRuntime) return;
    Accept = Pan_Streams->Top() + 90 < ClientHeight() - NewSize;
}

void TFVendrill::Pan_StreamsResize(TObject*) {
    if (!FRuntime) return;
    FRuntime->Streams().AutoSizeColumns();
}

void TFVendrill::Pan_LogResize(TObject*) {
    if (!FRuntime) return;
    static constexpr int Percentages[] = {0, 100};
    AutoSizeGridColumns(SGLog, Percentages);
}

void TFVendrill::Pan_WorkResize(TObject*) {
    if (!FRuntime) return;
    const int right = Pan_Work->ClientWidth();
    SBPlugins->SetLeft(right - SBPlugins->Width() - 4);
    SBSetting->SetLeft(SBPlugins->Left() - SBSetting->Width() - 4);
    LabDevice->SetWidth(std::max(0, SBSetting->Left() - 4 - LabDevice->Left()));
    PanLed->SetWidth(std::max(0, SBPlugins->Left() + SBPlugins->Width() - PanLed->Left()));
}

void TFVendrill::PanLedResize(TObject*) {
    if (!FRuntime) return;
    const int w = std::max(0, PanLed->ClientWidth() - 2 * Led->Left());
    const int h = std::max(0, PanLed->ClientHeight() - 2 * Led->Top());
    Led->SetBounds(Led->Left(), Led->Top(), w, h);
    FRuntime->Device().ResizeMeter(w, h);
}

void TFVendrill::TB_StreamsResize(TObject*) {
    if (!FRuntime) return;
    // Left to right: a spacer, Add, Edit, Delete, a spacer, then Play/Stop to 2 pixels before the end.
    const int w = TB_Streams->ClientWidth() / 7;
    int x = 0;
    for (TControl* c : std::initializer_list<TControl*>{SBevel_L, SBAdd, SBEdit, SBDelete, SBevel_R}) {
        c->SetBounds(x, c->Top(), w, c->Height());
        x += w;
    }
    SBPlayStop->SetBounds(x, SBPlayStop->Top(), std::max(0, TB_Streams->ClientWidth() - 2 - x),
                          SBPlayStop->Height());
}

} // namespace vd
