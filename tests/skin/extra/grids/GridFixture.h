#pragma once
// A form with string grids on the headless back end; the grids have no border, so their client
// area is their bounds.
#include "../../controls/SkinFixture.h"
#include "platform/vcl/Application.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/extra/grids/SkinDrawGrid.h"
#include "skin/extra/grids/SkinInplaceEdit.h"

namespace vd::test {

class GridTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm({100, 100, 600, 500});
    }
    TskSkinStringGrid* MakeGrid(TRect r, int cols, int rows, TGridOptions options) {
        auto* g = new TskSkinStringGrid(Form);
        g->SetParent(Form);
        g->SetBorderStyle(gbsNone);
        g->SetBoundsRect(r);
        g->SetColCount(cols);
        g->SetRowCount(rows);
        g->SetOptions(options);
        return g;
    }
    void Show() {
        Form->Show();
        Pump();
    }
    TskSkinScrollBar* MakeBar(TScrollBarKind kind, TRect r) {
        auto* b = new TskSkinScrollBar(Form);
        b->SetParent(Form);
        b->SetKind(kind);
        b->SetBoundsRect(r);
        return b;
    }
    void Scroll(TskSkinCustomGrid* g, bool horizontal, int code, int pos = 0) {
        SendMessage(g->Handle(), horizontal ? WM_HSCROLL : WM_VSCROLL, MakeScrollWParam(code, pos), 0);
        Pump();
    }
    TPoint At(TControl* c, int x, int y) const { return c->ClientToScreen({x, y}); }
    TForm* Form = nullptr;
};

} // namespace vd::test
