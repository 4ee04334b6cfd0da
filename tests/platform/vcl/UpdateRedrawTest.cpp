// BeginUpdate/EndUpdate on the items of the list box, the tree view and the list view: redraw is
// off in between (nothing is painted however much changes and however long the loop runs) and
// one repaint comes at the end.
#include "VclFixture.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/StdCtrls.h"

#include <functional>

namespace vd::test {
namespace {

struct Case {
    const char* What;
    std::function<TWinControl*(TForm*)> Make;
    std::function<void(TWinControl*)> Begin, Change, End;
};

const Case kCases[] = {
    {"list box", [](TForm* f) -> TWinControl* { return new TListBox(f); },
     [](TWinControl* c) { static_cast<TListBox*>(c)->Items().BeginUpdate(); },
     [](TWinControl* c) { static_cast<TListBox*>(c)->Items().Add("row"); },
     [](TWinControl* c) { static_cast<TListBox*>(c)->Items().EndUpdate(); }},
    {"tree view", [](TForm* f) -> TWinControl* { return new TTreeView(f); },
     [](TWinControl* c) { static_cast<TTreeView*>(c)->Items().BeginUpdate(); },
     [](TWinControl* c) { static_cast<TTreeView*>(c)->Items().Add(nullptr, "node"); },
     [](TWinControl* c) { static_cast<TTreeView*>(c)->Items().EndUpdate(); }},
    {"list view", [](TForm* f) -> TWinControl* { return new TListView(f); },
     [](TWinControl* c) { static_cast<TListView*>(c)->Items().BeginUpdate(); },
     [](TWinControl* c) { static_cast<TListView*>(c)->Items().Add()->SetCaption("item"); },
     [](TWinControl* c) { static_cast<TListView*>(c)->Items().EndUpdate(); }},
};

class UpdateRedrawTest : public VclTest {
protected:
    // Pixels of the control's area that are not its background: what its rows drew.
    static int Inked(TForm* form, TWinControl* c) {
        int n = 0;
        const TColor back = ColorToRGB(clWindow);
        for (int y = c->Top(); y < c->Top() + c->Height(); ++y)
            for (int x = c->Left(); x < c->Left() + c->Width(); ++x)
                n += TColor(GetWindowPixel(form->Handle(), x, y)) != back;
        return n;
    }
};

TEST_F(UpdateRedrawTest, NothingIsPaintedUntilTheLastEndUpdate) {
    for (const Case& c : kCases) {
        TForm* form = NewForm({100, 100, 400, 300});
        TWinControl* control = c.Make(form);
        control->SetParent(form);
        control->SetBounds(10, 10, 200, 150);
        form->Show();
        Pump();
        const HWND h = control->Handle();
        MessageSpy spy;
        spy.Watch(h);
        c.Begin(control);
        c.Begin(control); // nested
        for (int i = 0; i < 20; ++i) {
            c.Change(control);
            Pump();
        }
        control->Invalidate();
        Pump();
        c.End(control);
        Pump();
        EXPECT_TRUE(spy.Of(h, WM_PAINT).empty()) << c.What << ": still inside the outer update";
        EXPECT_EQ(Inked(form, control), 0) << c.What << ": the empty control as it was";
        c.End(control);
        Pump();
        EXPECT_EQ(spy.Of(h, WM_PAINT).size(), 1u) << c.What << ": one repaint at the end";
        EXPECT_GT(Inked(form, control), 0) << c.What << ": the new rows are drawn";
        // Redraw is on again: a plain change paints by itself.
        spy.Clear();
        c.Change(control);
        Pump();
        EXPECT_EQ(spy.Of(h, WM_PAINT).size(), 1u) << c.What;
        form->Free();
    }
}

} // namespace
} // namespace vd::test
