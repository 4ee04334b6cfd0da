#include "SkinFixture.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinStatusPanel.h"
#include "skin/controls/SkinStdLabel.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>

namespace vd::test {
namespace {

class Gauges : public SkinTest {
protected:
    TskSkinGauge* Gauge(TRect r = {10, 10, 110, 30}) {
        auto* g = new TskSkinGauge(Form);
        g->SetParent(Form);
        g->SetBoundsRect(r);
        return g;
    }
    // Columns of the control in the colour, counted along row Y.
    int Run(TControl* c, int y, TColor colour, int from = 0) {
        int n = 0;
        for (int x = from; x < c->Width(); ++x)
            if (Probe(c, x, y) == colour) ++n;
        return n;
    }
};

TEST_F(Gauges, PlainFillIsTruncatedNotRounded) {
    auto* g = Gauge();
    g->SetMaxValue(3);
    g->SetValue(1);
    Show();
    EXPECT_EQ(Run(g, 10, clskHotFill), 32) << "a third of 98 pixels";
    EXPECT_EQ(g->Percent(1), 33);
    EXPECT_EQ(Probe(g, 0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(Gauges, RatioStaysInsideTheBarForAnyBounds) {
    struct Case {
        int Min, Max, Value;
        int Percent;
    };
    const Case cases[] = {
        {0, 100, 50, 50},
        {7, 7, 7, 0},              // an empty range
        {100, 0, 100, 100},        // MinValue above MaxValue: Value ends at 0, drawn full, not above
        {INT_MIN, INT_MAX, 0, 50}, // the span needs 64 bits
        {INT_MIN, INT_MAX, INT_MAX, 100},
    };
    for (const Case& c : cases) {
        auto* g = Gauge();
        g->SetMinValue(c.Min);
        g->SetMaxValue(c.Max);
        g->SetValue(c.Value);
        EXPECT_EQ(g->Percent(g->Value()), c.Percent) << c.Min << ".." << c.Max;
        const TRect p = g->CalcProgressRect({1, 1, 99, 19}, g->Value());
        EXPECT_GE(p.Width(), 0);
        EXPECT_LE(p.Width(), 98);
        g->Free();
    }
    auto* g = Gauge();
    g->SetShowProgressText(true);
    g->SetProgressText("Done ");
    g->SetShowPercent(true);
    EXPECT_EQ(g->ProgressCaption(50), "Done 50%");
}

TEST_F(Gauges, VerticalFillsFromTheBottom) {
    auto* g = Gauge({10, 10, 30, 110});
    g->SetVertical(true);
    g->SetValue(50);
    Show();
    EXPECT_EQ(Probe(g, 10, 95), clskHotFill);
    EXPECT_EQ(Probe(g, 10, 5), ColorToRGB(clWindow));
}

TEST_F(Gauges, SkinnedFillTilesItsMiddleAndKeepsItsEnds) {
    auto* g = Gauge({10, 10, 110, 30});
    g->SetValue(100);
    g->SetSkinData(Skin);
    Show();
    // The progress area is (4, 4, 96, 16) at this size: ends of 5, middle tiled.
    EXPECT_EQ(Probe(g, 5, 10), kProgBegin);
    EXPECT_EQ(Probe(g, 50, 10), kProgMiddle);
    EXPECT_EQ(Probe(g, 94, 10), kProgEnd);
}

TEST_F(Gauges, SkinWithoutAMiddleStillDrawsTheEndsAndTheText) {
    auto* g = Gauge({10, 10, 110, 30});
    g->SetSkinDataName("zeromiddle");
    g->SetValue(100);
    g->SetShowPercent(true);
    g->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(g, 5, 10), kProgBegin);
    EXPECT_EQ(Probe(g, 94, 10), kProgEnd);
    int text = 0;
    for (int x = 30; x < 70; ++x)
        for (int y = 4; y < 16; ++y)
            if (Probe(g, x, y) == 0) ++text; // the record's font colour is black
    EXPECT_GT(text, 0) << "the percentage is drawn";
}

class Labels : public SkinTest {
protected:
    int TextWidth(const String& s, const TFont& f) {
        TBitmap b(1, 1);
        b.Canvas().Font().Assign(f);
        return b.Canvas().TextWidth(s);
    }
};

TEST_F(Labels, AutoSizedPlainLabelFitsItsWholeCaption) {
    auto* l = new TskSkinLabel(Form);
    l->SetParent(Form);
    l->SetCaption("A fairly long caption");
    l->SetAutoSize(true);
    const int tw = TextWidth("A fairly long caption", l->DefaultFont());
    EXPECT_EQ(l->Width(), tw + 6) << "3 pixels of inset on each side";
    l->SetCaption("Short");
    EXPECT_EQ(l->Width(), TextWidth("Short", l->DefaultFont()) + 6) << "shrinks as well";
    l->SetAlign(alTop);
    const int w = l->Width();
    l->SetCaption("Much longer caption than before");
    EXPECT_EQ(l->Width(), Form->ClientWidth()) << "an aligned label keeps the width its alignment gives";
    (void)w;
}

TEST_F(Labels, StatusPanelCountsItsPicture) {
    auto* p = new TskSkinStatusPanel(Form);
    p->SetParent(Form);
    TCustomImageList images(nullptr);
    images.SetSize(12, 12);
    TBitmap img(12, 12);
    images.Add(img);
    p->SetImageList(&images);
    p->SetImageIndex(0);
    p->SetCaption("Device");
    p->SetAutoSize(true);
    EXPECT_EQ(p->Width(), TextWidth("Device", p->DefaultFont()) + 12 + 3 + 6);
    p->SetImageList(nullptr);
}

// A skinned, auto-sized status panel keeps room for its glyph when it is resized, not only for
// its caption.
TEST_F(Labels, AutoSizedSkinnedStatusPanelKeepsItsGlyphOnResize) {
    auto* p = new TskSkinStatusPanel(Form);
    p->SetParent(Form);
    TBitmap glyph(16, 12);
    p->SetGlyph(glyph);
    p->SetCaption("Device");
    p->SetSkinData(Skin);
    ASSERT_TRUE(p->Skinned());
    p->SetAutoSize(true);
    const int fitted = p->Width();
    EXPECT_EQ(p->CalcWidthOffset(), 0) << "caption and glyph fit after the auto size";
    for (int asked : {30, fitted - 5}) {
        p->SetBounds(p->Left(), p->Top(), asked, p->Height());
        EXPECT_EQ(p->Width(), fitted) << "asked for " << asked;
    }
}

TEST_F(Labels, FixedSizeSkinSwitchesAutoSizeOff) {
    auto* l = new TskSkinLabel(Form);
    l->SetParent(Form);
    l->SetSkinDataName("fixedlabel");
    l->SetAutoSize(true);
    l->SetSkinData(Skin);
    EXPECT_FALSE(l->AutoSize());
    EXPECT_EQ(l->Width(), 20);
    l->SetCaption("A caption far wider than the face");
    EXPECT_EQ(l->Width(), 20);
}

TEST_F(Labels, AlignmentPlacesTheCaption) {
    for (TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
        auto* l = new TskSkinLabel(Form);
        l->SetParent(Form);
        l->SetBounds(10, 10, 200, 21);
        l->SetBorderStyle(bvNone);
        l->SetCaption("WW");
        l->SetAlignment(a);
        Show();
        int first = -1, last = -1;
        for (int x = 0; x < 200; ++x)
            for (int y = 3; y < 18; ++y)
                if (Probe(l, x, y) != ColorToRGB(clBtnFace)) {
                    if (first == -1) first = x;
                    last = x;
                    break;
                }
        const int tw = TextWidth("WW", l->DefaultFont());
        const int want = a == taLeftJustify ? 3 : a == taRightJustify ? 197 - tw : 3 + 194 / 2 - tw / 2;
        EXPECT_NEAR(first, want, 2) << a;
        EXPECT_LE(last, 197);
        l->Free();
    }
}

TEST_F(Labels, StatusPanelPrefersItsGlyph) {
    auto* p = new TskSkinStatusPanel(Form);
    p->SetParent(Form);
    p->SetBounds(10, 10, 120, 21);
    TCustomImageList images(nullptr);
    images.SetSize(8, 8);
    TBitmap img(8, 8);
    img.Canvas().Brush().Color = kBlue;
    img.Canvas().FillRect({0, 0, 8, 8});
    img.Canvas().SetPixel(0, 7, kMagenta);
    images.Add(img, kMagenta);
    p->SetImageList(&images);
    p->SetImageIndex(0);
    Show();
    EXPECT_EQ(Probe(p, 5, 10), kBlue) << "the image";
    TBitmap glyph(8, 8);
    glyph.Canvas().Brush().Color = kGreen;
    glyph.Canvas().FillRect({0, 0, 8, 8});
    glyph.Canvas().SetPixel(0, 7, kMagenta);
    p->SetGlyph(glyph);
    EXPECT_EQ(Probe(p, 5, 10), kGreen) << "a glyph wins over the image list";
    p->SetImageList(nullptr);
}

TEST_F(Labels, SkinnedLabelDrawsItsFace) {
    auto* l = new TskSkinLabel(Form);
    l->SetParent(Form);
    l->SetBounds(10, 10, 80, 30);
    l->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(l, 0, 0), kRed);
    EXPECT_EQ(Probe(l, 79, 29), kYellow);
}

TEST_F(Labels, StdLabelTakesTheSkinColour) {
    auto* l = new TskSkinStdLabel(Form);
    l->SetParent(Form);
    l->SetBounds(10, 10, 100, 20);
    l->SetCaption("WWWW");
    l->SetSkinData(Skin);
    Show();
    int red = 0;
    for (int x = 0; x < l->Width(); ++x)
        for (int y = 0; y < l->Height(); ++y)
            if (Probe(l, x, y) == kRed) ++red;
    EXPECT_GT(red, 0) << "the record's fontcolor";
}

// A recording opener put first on PATH: a fake of the desktop's handler, which a test cannot run.
class LinkLabels : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        Log = Dir.File("args.txt");
        Dir.Write("xdg-open",
                  "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + Log + "'; done\n");
        std::filesystem::permissions(Dir.File("xdg-open"), std::filesystem::perms::owner_all);
        OldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        ::setenv("PATH", (Dir.Path() + ":" + OldPath).c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", OldPath.c_str(), 1);
        SkinTest::TearDown();
    }
    std::string ReadLog(std::chrono::milliseconds deadline) {
        std::string all;
        if (!test::WaitUntil([&] { return !(all = Dir.Read("args.txt")).empty(); },
                             static_cast<int>(deadline.count())))
            return {};
        return all;
    }
    test::TTempDir Dir;
    std::string Log;
    std::string OldPath;
};

TEST_F(LinkLabels, OpensTheAddressAsOneArgumentAndRefusesOptions) {
    auto* l = new TskSkinLinkLabel(Form);
    l->SetParent(Form);
    l->SetBounds(10, 10, 100, 20);
    l->SetCaption("Home page");
    int clicks = 0;
    l->OnClick = [&](TObject*) { ++clicks; };
    Show();
    l->URL = "--help";
    hb->Click(RawButton::Left, At(l, 5, 5));
    Pump();
    EXPECT_EQ(clicks, 1);
    l->URL = "http://example.org/a b;$(x)";
    hb->Advance(1000);
    hb->Click(RawButton::Left, At(l, 5, 5));
    Pump();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(ReadLog(std::chrono::seconds(10)), "http://example.org/a b;$(x)\n")
        << "one argument, untouched by a shell; the option-like address never ran";
}

TEST_F(LinkLabels, HoverChangesTheColour) {
    auto* l = new TskSkinLinkLabel(Form);
    l->SetParent(Form);
    l->SetBounds(10, 10, 100, 20);
    l->SetCaption("WWWW");
    Show();
    hb->MouseMove(At(l, 3, 3));
    Pump();
    EXPECT_TRUE(l->MouseIn());
    int blue = 0;
    for (int x = 0; x < l->Width(); ++x)
        for (int y = 0; y < l->Height(); ++y)
            if (Probe(l, x, y) == ColorToRGB(clBlue)) ++blue;
    EXPECT_GT(blue, 10);
}

// A skin change re-fits an auto-sized standard label; a link label only repaints, also when the
// change reaches it through the standard label's interface (as the form frame's does).
TEST_F(Labels, SkinChangeRefitsOnlyTheStandardLabel) {
    struct Case {
        TskSkinStdLabel* Label;
        bool Refits;
    };
    const Case cases[] = {{new TskSkinStdLabel(Form), true}, {new TskSkinLinkLabel(Form), false}};
    for (const Case& c : cases) {
        c.Label->SetParent(Form);
        c.Label->SetAutoSize(true);
        c.Label->SetCaption("Some text");
        c.Label->SetWidth(300);
        c.Label->SetSkinData(Skin);
        EXPECT_EQ(c.Label->Width() != 300, c.Refits) << c.Label->ClassName() << " on SetSkinData";
        c.Label->SetWidth(300);
        c.Label->ChangeSkinData();
        EXPECT_EQ(c.Label->Width() != 300, c.Refits) << c.Label->ClassName() << " on ChangeSkinData";
    }
}

} // namespace
} // namespace vd::test
