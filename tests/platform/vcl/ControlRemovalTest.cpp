// A windowless control paints on its parent's surface, so when it leaves the parent (freed or
// moved elsewhere) its picture stays there until the parent repaints the area it covered.
#include "VclFixture.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/GraphicControl.h"

#include <functional>

namespace vd::test {
namespace {

// Opaque: it paints all of its rectangle, so the parent need not erase beneath it.
class RedBlock : public TGraphicControl {
public:
    explicit RedBlock(TComponent* AOwner) : TGraphicControl(AOwner) { SetControlStyle(csOpaque); }

protected:
    void Paint() override {
        Canvas().Brush().Color = clRed;
        Canvas().FillRect(ClientRect());
    }
};

struct Removal {
    const char* What;
    std::function<void(TControl*, TForm* other)> Remove;
};

const Removal kRemovals[] = {
    {"freed", [](TControl* c, TForm*) { c->Free(); }},
    {"deleted", [](TControl* c, TForm*) { delete c; }},
    {"parent cleared", [](TControl* c, TForm*) { c->SetParent(nullptr); }},
    {"moved to another form", [](TControl* c, TForm* other) { c->SetParent(other); }},
};

TEST_F(VclTest, RemovedWindowlessControlLeavesTheParentsBackground) {
    for (const Removal& r : kRemovals) {
        TForm* form = NewForm({100, 100, 300, 250});
        form->SetColor(clBlue);
        TForm* other = NewForm({400, 100, 500, 200});
        auto* block = new RedBlock(form);
        block->SetParent(form);
        block->SetBounds(20, 30, 40, 25);
        form->Show();
        Pump();
        ASSERT_EQ(GetWindowPixel(form->Handle(), 25, 35), RGB(255, 0, 0)) << r.What;
        r.Remove(block, other);
        Pump();
        for (const TPoint p : {TPoint{20, 30}, TPoint{40, 42}, TPoint{59, 54}})
            EXPECT_EQ(GetWindowPixel(form->Handle(), p.X, p.Y), RGB(0, 0, 255))
                << r.What << " at " << p.X << "," << p.Y;
        form->Free();
        other->Free();
    }
}

} // namespace
} // namespace vd::test
