#include "VclFixture.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace vd::test {
namespace {

class Edit : public TCustomControl {
public:
    explicit Edit(TComponent* o) : TCustomControl(o) { SetTabStop(true); }
};

TEST_F(VclTest, LabelSizesToItsTextKeepingTheAnchoredEdge) {
    TForm* form = NewForm();
    auto* left = new TLabel(form);
    left->SetParent(form);
    left->SetBounds(10, 10, 200, 20);
    left->SetCaption("Hello");
    auto* right = new TLabel(form);
    right->SetParent(form);
    right->SetAlignment(taRightJustify);
    right->SetBounds(10, 40, 200, 20);
    right->SetCaption("Hello");
    EXPECT_EQ(left->Left(), 10);
    EXPECT_GT(left->Width(), 10);
    EXPECT_LT(left->Width(), 100);
    EXPECT_EQ(right->Left() + right->Width(), 210) << "a right-aligned label keeps its right edge";
    const int oneLine = left->Height();
    left->SetCaption("Hello\nWorld");
    EXPECT_GT(left->Height(), oneLine);
    left->SetCaption("&&");
    const int amp = left->Width();
    left->SetCaption("&");
    EXPECT_EQ(left->Height(), oneLine) << "a lone accelerator mark keeps the line height";
    EXPECT_GT(amp, 0);
}

TEST_F(VclTest, LabelAcceleratorFocusesItsControl) {
    TForm* form = NewForm();
    auto* edit = new Edit(form);
    edit->SetParent(form);
    edit->SetBounds(100, 10, 50, 20);
    auto* other = new Edit(form);
    other->SetParent(form);
    other->SetBounds(100, 40, 50, 20);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("&Name");
    label->SetFocusControl(edit);
    form->Show();
    Pump();
    other->SetFocus();
    hb->KeyDown(VK_MENU);
    hb->KeyPress('N', 'n');
    hb->KeyUp(VK_MENU);
    Pump();
    EXPECT_TRUE(edit->Focused());
    edit->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(VclTest, SplitterResizesTheControlItSitsBeside) {
    TForm* form = NewForm({0, 0, 400, 200});
    auto* panel = new Edit(form);
    panel->SetParent(form);
    panel->SetWidth(100);
    panel->SetAlign(alLeft);
    auto* splitter = new TSplitter(form);
    splitter->SetParent(form);
    splitter->SetLeft(150);
    splitter->SetAlign(alLeft);
    splitter->MinSize = 60;
    int moved = 0;
    splitter->OnMoved = [&](TObject*) { ++moved; };
    form->Show();
    Pump();
    ASSERT_EQ(splitter->Left(), 100);
    hb->ButtonDown(RawButton::Left, {101, 50});
    hb->MouseMove({141, 50});
    Pump();
    EXPECT_EQ(panel->Width(), 140);
    EXPECT_EQ(splitter->Left(), 140);
    hb->MouseMove({0, 50});
    hb->ButtonUp(RawButton::Left, {0, 50});
    Pump();
    EXPECT_EQ(panel->Width(), 60) << "never below MinSize";
    EXPECT_EQ(moved, 1);
}

TEST_F(VclTest, BevelDrawsItsLines) {
    TForm* form = NewForm({0, 0, 100, 100});
    form->SetColor(clWhite);
    auto* bevel = new TBevel(form);
    bevel->SetParent(form);
    bevel->SetBounds(10, 10, 30, 20);
    form->Show();
    Pump();
    const HWND h = form->Handle();
    EXPECT_EQ(GetWindowPixel(h, 10, 15), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(GetWindowPixel(h, 39, 15), static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(GetWindowPixel(h, 20, 15), RGB(255, 255, 255));
}

} // namespace
} // namespace vd::test
