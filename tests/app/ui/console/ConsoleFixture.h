#pragma once
// A main window's worth of components built in code, the stream list emptied, a manual clock
// installed and the settings file in a folder of the test's own.
#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/ManualClock.h"
#include "app/core/ProgramPaths.h"
#include "app/core/StationList.h"
#include "app/core/StationRecord.h"
#include "app/ui/console/StreamActions.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusPanel.h"
#include "skin/extra/grids/SkinDrawGrid.h"
#include "tests/support/TempDir.h"

#include "../../../platform/vcl/VclFixture.h"

namespace vd::test {

class ConsoleTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        SetClockSource(&Clock);
        SetProgramFile(Dir.File("vendrill"));
        StationList.Clear();
        AssignAppSettings(TAppSettings{});
        DeviceChanged = false;
        StreamInfoChanged = false;

        Form = NewForm({0, 0, 800, 600});
        Led = new TImage(Form);
        Led->SetParent(Form);
        Led->SetBounds(10, 10, 250, 40);
        LabDevice = new TskSkinLabel(Form);
        LabDevice->SetParent(Form);
        LabDevice->SetBounds(300, 10, 200, 20);
        StatusPan = new TskSkinStatusPanel(Form);
        StatusPan->SetParent(Form);
        StatusPan->SetBounds(300, 40, 200, 20);
        SGStreams = NewGrid(7, {10, 120, 701, 200});
        SGLog = NewGrid(2, {10, 330, 701, 200});
        SGLog->SetColWidths(0, 111);
        Buttons.Add = NewButton(10, 70);
        Buttons.Edit = NewButton(40, 70);
        Buttons.Delete = NewButton(70, 70);
        Buttons.PlayStop = NewButton(100, 70);
        Buttons.Play = NewGlyphHolder(clLime);
        Buttons.Stop = NewGlyphHolder(clRed);
        Timer = new TTimer(Form);
        Timer->SetEnabled(false);
        Form->Show();
        Pump();
    }
    void TearDown() override {
        VclTest::TearDown();
        StationList.Clear();
        AssignAppSettings(TAppSettings{});
        DeviceChanged = false;
        StreamInfoChanged = false;
        SetProgramFile(String());
        SetClockSource(nullptr);
    }

    TskSkinStringGrid* NewGrid(int cols, TRect bounds) {
        auto* g = new TskSkinStringGrid(Form);
        g->SetParent(Form);
        g->SetBounds(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
        g->SetColCount(cols);
        g->SetRowCount(2);
        g->SetFixedCols(0);
        g->SetFixedRows(1);
        g->SetDefaultRowHeight(18);
        g->SetOptions(g->Options() | goRowSelect);
        return g;
    }
    TskSkinSpeedButton* NewButton(int x, int y) {
        auto* b = new TskSkinSpeedButton(Form);
        b->SetParent(Form);
        b->SetBounds(x, y, 25, 25);
        return b;
    }
    // A hidden button whose glyph is a 16 x 16 square of one colour.
    TskSkinSpeedButton* NewGlyphHolder(TColor color) {
        auto* b = new TskSkinSpeedButton(Form);
        b->SetParent(Form);
        b->SetVisible(false);
        TBitmap glyph(16, 16);
        glyph.Canvas().Brush().Color = color;
        glyph.Canvas().FillRect({0, 0, 16, 16});
        b->SetGlyph(glyph);
        return b;
    }
    static TColor GlyphColor(TskSkinSpeedButton* b) {
        return b->Glyph().Empty() ? clNone : b->Glyph().Canvas().Pixel(8, 8);
    }

    static TStationPtr AddStation(const String& url, int port, TStationMode mode, TStationState state) {
        auto s = std::make_shared<TStationRecord>();
        TStationConfig c;
        c.URL = url;
        c.Port = port;
        c.Mode = mode;
        c.Type = scMp3;
        c.Bitrate = 128;
        s->SetConfig(c);
        s->State = state;
        StationList.Add(s);
        return s;
    }
    void Select(int index) { SGStreams->SetCurrentRow(index + SGStreams->FixedRows()); }
    std::vector<String> Column(TskSkinStringGrid* g, int col) {
        std::vector<String> out;
        for (int r = g->FixedRows(); r < g->RowCount(); ++r)
            out.push_back(g->GetCellText(col, r));
        return out;
    }

    TTempDir Dir;
    TManualClock Clock{1000000};
    TForm* Form = nullptr;
    TImage* Led = nullptr;
    TskSkinLabel* LabDevice = nullptr;
    TskSkinStatusPanel* StatusPan = nullptr;
    TskSkinStringGrid* SGStreams = nullptr;
    TskSkinStringGrid* SGLog = nullptr;
    TStreamButtons Buttons;
    TTimer* Timer = nullptr;
};

} // namespace vd::test
