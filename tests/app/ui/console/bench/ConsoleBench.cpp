// The main window's 30 ms tick with 8 streams (aim: under 0.3 ms), with and without painting what
// it changed, and a full repaint of the stream grid with 8 streams.
#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/ManualClock.h"
#include "app/core/StationList.h"
#include "app/streams/Titles.h"
#include "app/ui/console/ConsoleTick.h"
#include "app/ui/console/DeviceStarter.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/MeterView.h"
#include "app/ui/console/StreamGridView.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Windows.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinStatusPanel.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

using namespace vd;

// A main window's worth of views over 8 Online streams; the clock moves 30 ms per tick.
struct TConsole {
    TConsole() {
        SetClockSource(&Clock);
        TAppSettings s;
        s.TitleFile = "/nonexistent/title.txt";
        AssignAppSettings(s);
        StationList.Clear();
        for (int i = 0; i < 8; ++i) {
            auto st = std::make_shared<TStationRecord>();
            TStationConfig c;
            c.URL = "stream" + std::to_string(i) + ".example.org";
            c.Port = 8000 + i;
            c.Mode = i % 3;
            c.ID = "live";
            c.Bitrate = 128;
            st->SetConfig(c);
            st->State = ssOnline;
            StationList.Add(st);
            Stations.push_back(st);
        }
        Form = new TForm(Application);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 1280, 800);
        Led = new TImage(Form);
        Led->SetParent(Form);
        Led->SetBounds(8, 8, 600, 40);
        Label = new TskSkinLabel(Form);
        Label->SetParent(Form);
        Label->SetBounds(620, 8, 300, 20);
        Status = new TskSkinStatusPanel(Form);
        Status->SetParent(Form);
        Status->SetBounds(0, 780, 1280, 20);
        Streams = NewGrid(7, 60, 300);
        Log = NewGrid(2, 370, 400);
        Timer = new TTimer(Form);
        Timer->SetEnabled(false);
        Meter = std::make_unique<TMeterView>(Led);
        Logs = std::make_unique<TLogView>(Log);
        StreamView = std::make_unique<TStreamGridView>(Streams);
        Device = std::make_unique<TDeviceStarter>(Timer, Label, *Meter, *Logs, nullptr);
        TConsoleTickLinks links;
        links.Device = Device.get();
        links.Streams = StreamView.get();
        links.Logs = Logs.get();
        links.Titles = &Titles;
        links.StatusPan = Status;
        Tick = std::make_unique<TConsoleTick>(links);
        StreamView->SetColumnWidths();
        StreamView->ShowStations();
        Logs->ShowStationLog(Stations[0]);
        for (int i = 0; i < 200; ++i)
            Logs->OutLog("line " + std::to_string(i), Stations[0]->Log());
        Device->DrawMeterScale();
        Form->Show();
        Application->ProcessMessages();
        if (!IsWindowVisible(Streams->Handle())) throw std::runtime_error("the grid is not shown");
    }
    ~TConsole() {
        Device.reset();
        Form->Free();
        StationList.Clear();
        SetClockSource(nullptr);
    }
    TskSkinStringGrid* NewGrid(int cols, int top, int height) {
        auto* g = new TskSkinStringGrid(Form);
        g->SetParent(Form);
        g->SetBounds(8, top, 1264, height);
        g->SetColCount(cols);
        g->SetFixedCols(0);
        g->SetFixedRows(1);
        g->SetDefaultRowHeight(18);
        return g;
    }
    // What the capture thread and the connector change between two ticks.
    void Feed(std::uint64_t n, std::uint64_t ms = 30) {
        const int peak = static_cast<int>((n * 7919) % 32768);
        Device->Capture().Peaks().Store(peak, 32767 - peak);
        for (auto& s : Stations)
            s->BytesSent += 16000 / 33;
        Clock.Advance(ms);
    }

    TManualClock Clock{1000000};
    TTitleSource Titles;
    std::vector<TStationPtr> Stations;
    TForm* Form = nullptr;
    TImage* Led = nullptr;
    TskSkinLabel* Label = nullptr;
    TskSkinStatusPanel* Status = nullptr;
    TskSkinStringGrid* Streams = nullptr;
    TskSkinStringGrid* Log = nullptr;
    TTimer* Timer = nullptr;
    std::unique_ptr<TMeterView> Meter;
    std::unique_ptr<TLogView> Logs;
    std::unique_ptr<TStreamGridView> StreamView;
    std::unique_ptr<TDeviceStarter> Device;
    std::unique_ptr<TConsoleTick> Tick;
};

void BM_Tick8Streams(benchmark::State& state) {
    TConsole console;
    std::uint64_t n = 0;
    for (auto _ : state) {
        console.Feed(++n);
        console.Tick->TimerWork();
    }
    Application->ProcessMessages();
}
BENCHMARK(BM_Tick8Streams)->Unit(benchmark::kMicrosecond);

// The worst tick: every row due for its rewrite, every byte count changed.
void BM_Tick8StreamsEveryRowDue(benchmark::State& state) {
    TConsole console;
    std::uint64_t n = 0;
    for (auto _ : state) {
        console.Feed(++n, 500);
        console.Tick->TimerWork();
    }
    Application->ProcessMessages();
}
BENCHMARK(BM_Tick8StreamsEveryRowDue)->Unit(benchmark::kMicrosecond);

void BM_Tick8StreamsWithPaint(benchmark::State& state) {
    TConsole console;
    std::uint64_t n = 0;
    for (auto _ : state) {
        console.Feed(++n);
        console.Tick->TimerWork();
        Application->ProcessMessages(); // the paints the tick asked for
    }
}
BENCHMARK(BM_Tick8StreamsWithPaint)->Unit(benchmark::kMicrosecond);

void BM_StreamGridFullRepaint8Streams(benchmark::State& state) {
    TConsole console;
    for (auto _ : state) {
        console.StreamView->ShowStations();
        InvalidateRect(console.Streams->Handle(), nullptr, TRUE);
        Application->ProcessMessages();
    }
}
BENCHMARK(BM_StreamGridFullRepaint8Streams)->Unit(benchmark::kMicrosecond);

} // namespace
