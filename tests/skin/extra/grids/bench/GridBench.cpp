// The stream list as the main window shows it at its default size (the program's own skin, a
// vertical bar beside the grid): a repaint of the whole grid with 4 and with 16 rows below the
// header, both with the bar showing (aim: under 1 ms), and the tick's usual work, one byte count
// changed and painted.
#include "platform/rtl/Resources.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/win/Windows.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

namespace {

using namespace vd;

struct TStreamList {
    explicit TStreamList(int rows) {
        Form = Application->CreateForm<TForm>();
        Form->SetBounds(0, 0, 510, 154);
        Skin = new TskSkinData(Form);
        const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
        Stored.ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
        Skin->LoadStoredSkin(&Stored);
        if (Skin->Empty()) throw std::runtime_error("the program's skin did not load");
        Grid = new TskSkinStringGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBoundsRect({0, 0, 494, 102});
        Grid->SetColCount(7);
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(1);
        Grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
        Grid->SetDefaultRowHeight(18);
        const int widths[] = {159, 40, 45, 55, 65, 60, 70};
        for (int c = 0; c < 7; ++c)
            Grid->SetColWidths(c, widths[c]);
        Bar = new TskSkinScrollBar(Form);
        Bar->SetParent(Form);
        Bar->SetKind(sbVertical);
        Bar->SetBounds(494, 0, 16, 102);
        Bar->SetSkinDataName("vscrollbar");
        Bar->SetSkinData(Skin);
        Grid->SetVScrollBar(Bar);
        Grid->SetSkinData(Skin);
        Grid->SetRowCount(rows + 1);
        const char* head[] = {"Server", "Type", "Enc", "Kbps", "Listeners", "Sent", "State"};
        for (int c = 0; c < 7; ++c)
            Grid->SetCellText(c, 0, head[c]);
        for (int r = 1; r <= rows; ++r) {
            const char* row[] = {
                "127.0.0.1:8000/live.mp3", "Ice", "MP3", "128", "3 (5)", "36.64 MB", "Online"};
            for (int c = 0; c < 7; ++c)
                Grid->SetCellText(c, r, row[c]);
        }
        Form->Show();
        Application->ProcessMessages();
        if (!Bar->Visible())
            throw std::runtime_error(
                "the bar does not show: rows of " + std::to_string(Grid->GetRowHeights(1)) + ", header " +
                std::to_string(Grid->GetRowHeights(0)) + ", client " + std::to_string(Grid->ClientHeight()));
    }
    ~TStreamList() { Form->Free(); }

    TForm* Form = nullptr;
    TskSkinData* Skin = nullptr;
    TskCompressedStoredSkin Stored;
    TskSkinStringGrid* Grid = nullptr;
    TskSkinScrollBar* Bar = nullptr;
};

void BM_StreamGridRepaint(benchmark::State& state) {
    TStreamList list(static_cast<int>(state.range(0)));
    const unsigned faces = list.Bar->FaceCompositions();
    for (auto _ : state) {
        InvalidateRect(list.Grid->Handle(), nullptr, TRUE);
        Application->ProcessMessages();
    }
    state.counters["bar_faces_made"] = list.Bar->FaceCompositions() - faces;
}
BENCHMARK(BM_StreamGridRepaint)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

void BM_StreamGridByteCountTick(benchmark::State& state) {
    TStreamList list(static_cast<int>(state.range(0)));
    long n = 0;
    for (auto _ : state) {
        list.Grid->SetCellText(5, 1, std::to_string(++n % 1000) + ".00 kB");
        Application->ProcessMessages();
    }
}
BENCHMARK(BM_StreamGridByteCountTick)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

} // namespace
