#include "SkinFixture.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinToolBar.h"

namespace vd::test {
namespace {

TEST_F(SkinTest, BevelTakesTheSkinColoursAndDrawsADivider) {
    auto* b = new TskSkinBevel(Form);
    b->SetParent(Form);
    b->SetBounds(10, 10, 40, 30);
    b->SetShape(bsLeftLine);
    b->SetStyle(bsLowered);
    b->SetSkinData(Skin);
    EXPECT_EQ(b->LightColor(), kRed);
    EXPECT_EQ(b->DarkColor(), kGreen);
    b->SetDividerMode(true);
    Show();
    EXPECT_EQ(Probe(b, 40 / 2 - 1, 15), kGreen) << "a vertical line in the middle, dark first";
    EXPECT_EQ(Probe(b, 40 / 2, 15), kRed);
    EXPECT_NE(Probe(b, 0, 15), kGreen) << "not at the left edge";
    b->SetSkinData(nullptr);
    EXPECT_EQ(b->LightColor(), clBtnHighlight);
}

TEST_F(SkinTest, BevelInAToolBarIsCentred) {
    auto* bar = new TskSkinToolBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(0, 0, 200, 40);
    auto* b = new TskSkinBevel(Form);
    b->SetParent(bar);
    b->SetBounds(10, 0, 4, 20);
    EXPECT_EQ(b->Top(), 10);
}

TEST_F(SkinTest, SplitterThicknessAndLook) {
    struct Case {
        const char* Record;
        TAlign Align;
        bool Transparent;
        int Thickness;
    };
    const Case cases[] = {
        {"vsplitter", alTop, false, 20},  // the skin rect's height
        {"vsplitter", alLeft, false, 20}, // its width
        {"vsplitter", alTop, true, 10},   // transparent: the default size
        {"no such record", alLeft, false, 10},
        {"nopicsplitter", alTop, false, 20}, // a record without a picture still gives the size
    };
    for (const Case& c : cases) {
        auto* s = new TskSkinSplitter(Form);
        s->SkinDataName = c.Record;
        s->SetParent(Form);
        s->SetAlign(c.Align);
        s->SetTransparent(c.Transparent);
        s->SetSkinData(Skin);
        EXPECT_EQ(c.Align == alTop ? s->Height() : s->Width(), c.Thickness)
            << c.Record << " " << c.Transparent;
        s->Free();
    }
    auto* s = new TskSkinSplitter(Form);
    s->SetParent(Form);
    s->SetAlign(alTop);
    s->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(s, 0, 0), kRed);
    EXPECT_EQ(Probe(s, s->Width() / 2, 10), kGripper) << "the gripper in the middle";
    s->SkinDataName = "nopicsplitter";
    s->Repaint();
    EXPECT_NE(Probe(s, 0, 0), kRed) << "without a picture the plain splitter paints";
}

} // namespace
} // namespace vd::test
