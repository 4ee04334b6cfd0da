// The least of the meter, grid, tick and device views the main window needs until their own
// classes take over.
#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/Language.h"
#include "app/core/StationList.h"
#include "app/plugins/VDPlugIns.h"
#include "app/streams/StreamConsole.h"
#include "app/ui/GridHelpers.h"
#include "app/ui/WaitMessage.h"
#include "app/ui/main/ConsoleParts.h"
#include "app/ui/main/MainWindow.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusPanel.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include <array>
#include <chrono>
#include <thread>

namespace vd {

void TConsoleParts::WriteMainLog(const String& text) {
    OutLog(text, FForm.MainLog);
    if (FForm.ActiveLog == &FForm.MainLog) ShowLog();
}

void TConsoleParts::ShowLog() {
    ShowLogInGrid(FForm.SGLog, FForm.ActiveLog);
}

void TConsoleParts::ResetMeter() {
    const TSize size = MeterSize();
    PaintMeter(FCapture.Meter().DrawMeterScale(size.cx, size.cy));
}

void TConsoleParts::ShowPlayGlyph() {
    FForm.SBPlayStop->SetGlyph(FForm.SBPlay->Glyph());
}

void TConsoleParts::InitPlugins() {
    vd::InitPlugins();
}

void TConsoleParts::StartPlugins() {
    FCapture.StartPlugins();
}

void TConsoleParts::ShowStations() {
    TskSkinStringGrid* grid = FForm.SGStreams;
    const auto stations = StationList.Snapshot();
    if (stations.empty()) {
        ClearGrid(grid);
        return;
    }
    grid->SetRowCount(grid->FixedRows() + static_cast<int>(stations.size()));
    const std::uint64_t now = MillisecondClock();
    for (std::size_t i = 0; i < stations.size(); ++i) {
        std::array<String, 7> row;
        stations[i]->NextRefresh = 0;
        if (ShowStation(*stations[i], now, row))
            for (int c = 0; c < 7; ++c)
                grid->SetCellText(c, grid->FixedRows() + static_cast<int>(i),
                                  row[static_cast<std::size_t>(c)]);
    }
}

void TConsoleParts::StartDevice() {
    TTimer* timer = FForm.Timer;
    timer->SetEnabled(false);
    switch (FCapture.StartDevice()) {
    case TStartDeviceResult::sdWaiting:
        timer->SetInterval(50);
        timer->SetEnabled(true);
        break;
    case TStartDeviceResult::sdStarted:
        timer->OnTimer = [this](TObject*) { TimerWork(); };
        timer->SetInterval(30);
        timer->SetEnabled(true);
        break;
    default:
        break;
    }
}

void TConsoleParts::TimerTick() {
    StartDevice();
}

void TConsoleParts::TimerWork() {
    if (FForm.FirstTickPending) {
        FForm.FirstTickPending = false;
        StartWorkers();
        if (AppSettings.ToTray) Application->Minimize();
    }
    FCapture.ShowIndicator();
    const std::uint64_t now = MillisecondClock();
    if (AppSettings.TitleMode == 1) {
        const String failure = FTitleSource.ServePort(now, AppSettings);
        if (!failure.empty()) WriteMainLog(failure);
    } else {
        FTitleSource.ClosePort();
        FTitleSource.CheckUpdateTitle(now, AppSettings);
    }
    String title;
    if (FTitleSource.TakeNewTitle(title))
        SendToStation(title, [](TStationRecord& s, const String& line) { OutLog(line, s.Log()); });
    UpdateStation(now, FTitleSender.get());
    const auto stations = StationList.Snapshot();
    TskSkinStringGrid* grid = FForm.SGStreams;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        std::array<String, 7> row;
        if (ShowStation(*stations[i], now, row))
            for (int c = 0; c < 7; ++c)
                grid->SetCellText(c, grid->FixedRows() + static_cast<int>(i),
                                  row[static_cast<std::size_t>(c)]);
    }
    String status;
    if (MailStatus.TakeChanged(status)) FForm.StatusPan->SetCaption(status);
}

void TConsoleParts::SGStreamsClick() {
    const int index = FForm.SGStreams->GetSelectionRect().Top - FForm.SGStreams->FixedRows();
    const TStationPtr station = StationList.Items(index);
    SetActiveLog(station ? &station->Log() : &FForm.MainLog);
    if (station && station->State != ssStop)
        FForm.SBPlayStop->SetGlyph(FForm.SBStop->Glyph());
    else
        ShowPlayGlyph();
}

void TConsoleParts::SetActiveLog(TLog* log) {
    FForm.ActiveLog = log ? log : &FForm.MainLog;
    ShowLog();
}

void TConsoleParts::LabDeviceClick() {
    SetActiveLog(&FForm.MainLog);
}

void TConsoleParts::LedClick() {
    FCapture.LedClick();
}

void TConsoleParts::PanLedResize() {
    TImage* led = FForm.Led;
    const int w = std::max(0, FForm.PanLed->ClientWidth() - 2 * led->Left());
    const int h = std::max(0, FForm.PanLed->ClientHeight() - 2 * led->Top());
    led->SetBounds(led->Left(), led->Top(), w, h);
    led->Picture().SetSize(w, h);
    ResetMeter();
}

void TConsoleParts::AutoSizeStreamColumns() {
    static constexpr int Percent[] = {100, 0, 0, 0, 0, 0, 0};
    AutoSizeGridColumns(FForm.SGStreams, Percent);
}

void TConsoleParts::AutoSizeLogColumns() {
    static constexpr int Percent[] = {0, 100};
    AutoSizeGridColumns(FForm.SGLog, Percent);
}

void TConsoleParts::SBAddClick() {}
void TConsoleParts::SBEditClick() {}

void TConsoleParts::SBDeleteClick() {
    const int index = FForm.SGStreams->GetSelectionRect().Top - FForm.SGStreams->FixedRows();
    const TStationPtr station = StationList.Items(index);
    if (!station || !CanDelete(*station)) return;
    DeleteStream(index);
    ShowStations();
    SGStreamsClick();
}

void TConsoleParts::SBPlayStopClick() {
    const int index = FForm.SGStreams->GetSelectionRect().Top - FForm.SGStreams->FixedRows();
    const TStationPtr station = StationList.Items(index);
    if (!station) return;
    if (station->State == ssStop)
        OnPlay(*station);
    else
        OnStop(*station);
    ShowStations();
    SGStreamsClick();
}

bool TConsoleParts::ShowSettings() {
    return false;
}

void TConsoleParts::ShowPluginsWindow() {}

void TConsoleParts::StopRecord() {
    FCapture.StopRecord();
}

void TConsoleParts::SleepAndPump(unsigned ms) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void TConsoleParts::SetDeviceLabel(const String& text) {
    FForm.LabDevice->SetCaption(text);
}

bool TConsoleParts::ShowWaitMessage(const String& text) {
    return vd::ShowWaitMessage(text);
}

void TConsoleParts::CloseWaitMessage() {
    vd::CloseWaitMessage();
}

TSize TConsoleParts::MeterSize() {
    return {FForm.Led->Width(), FForm.Led->Height()};
}

void TConsoleParts::PaintMeter(const TMeterPaint& paint) {
    TBitmap& picture = FForm.Led->Picture();
    if (picture.Width() != FForm.Led->Width() || picture.Height() != FForm.Led->Height())
        picture.SetSize(FForm.Led->Width(), FForm.Led->Height());
    TCanvas& canvas = picture.Canvas();
    if (paint.ClearBlack) {
        canvas.Brush().Color = static_cast<TColor>(mcBlack);
        canvas.FillRect({0, 0, picture.Width(), picture.Height()});
    }
    for (const TMeterRect& r : paint.Rects) {
        canvas.Brush().Color = static_cast<TColor>(r.Color);
        canvas.FillRect(r.Rect);
    }
    canvas.Brush().Style = bsClear;
    for (const TMeterLabel& l : paint.Labels) {
        canvas.Font().SetColor(static_cast<TColor>(l.Color));
        canvas.TextOut(l.X, l.Y, l.Text);
    }
    canvas.Brush().Style = bsSolid;
    FForm.Led->Invalidate();
}

} // namespace vd
