// Text stays readable all day: every enabled text colour of every record reaches 4.5:1 (WCAG
// relative luminance) against both the lightest and the darkest pixel of the area it is drawn
// on; disabled colours reach 3:1 and read clearly dimmer than the enabled colour on the same face.
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"
#include "tests/tools/skingen/DefaultSkin.h"

#include <algorithm>
#include <cmath>

namespace vd::test {

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(TskColor c) {
    return 0.2126 * Linear(skGetR(c)) + 0.7152 * Linear(skGetG(c)) + 0.0722 * Linear(skGetB(c));
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TRect Within(const TRect& face, const TRect& rel) {
    return {face.Left + rel.Left, face.Top + rel.Top, face.Left + rel.Right, face.Top + rel.Bottom};
}

// The lightest and darkest luminance of an area of a picture, or of a flat colour.
struct TBackground {
    double Light = 0, Dark = 1;
    static TBackground Of(TskColor c) { return {Luminance(c), Luminance(c)}; }
    static TBackground Of(const TskBitmap& b, const TRect& area) {
        TBackground g{0, 1};
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x) {
                const double l = Luminance(b.Pixel(x, y));
                g.Light = std::max(g.Light, l);
                g.Dark = std::min(g.Dark, l);
            }
        return g;
    }
    double Worst(TskColor text) const {
        return std::min(Contrast(Luminance(text), Light), Contrast(Luminance(text), Dark));
    }
};

class ContrastRule {
public:
    // Enabled text: 4.5:1 against the area's lightest and darkest pixels.
    void Text(const String& what, TskColor text, const TBackground& on) {
        ++Count;
        EXPECT_GE(on.Worst(text), 4.5) << what;
    }
    void Text(const String& what, TskColor text, const TskBitmap* picture, const TRect& area) {
        ASSERT_NE(picture, nullptr) << what;
        ASSERT_GT(area.Width(), 0) << what;
        ASSERT_GT(area.Height(), 0) << what;
        ASSERT_TRUE(area.Left >= 0 && area.Top >= 0 && area.Right <= picture->Width() &&
                    area.Bottom <= picture->Height())
            << what;
        Text(what, text, TBackground::Of(*picture, area));
    }
    // Disabled text: 3:1, and at least half again as much contrast left to the enabled colour.
    void Disabled(const String& what, TskColor text, TskColor enabled, const TskBitmap* picture,
                  const TRect& area) {
        ++Count;
        ASSERT_NE(picture, nullptr) << what;
        const TBackground on = TBackground::Of(*picture, area);
        EXPECT_GE(on.Worst(text), 3.0) << what;
        EXPECT_GE(on.Worst(enabled), 1.5 * on.Worst(text)) << what << ": not visibly dimmer";
    }
    int Count = 0;
};

} // namespace

TEST_F(DefaultSkinTest, ButtonsAndBoxesKeepTheirTextReadable) {
    ContrastRule rule;
    for (const auto& record : Skin().ControlRecords()) {
        const TskDataSkinControl* c = record.get();
        const TskBitmap* pic = Skin().ActivePicture(c->pictureindex);
        const String n = c->IDName;
        if (auto* r = dynamic_cast<const TskDataSkinButtonControl*>(c)) {
            rule.Text(n + " normal", r->fontcolor, pic, Within(r->skinrect, r->clientrect));
            rule.Text(n + " hot", r->activefontcolor, pic, Within(r->activeskinrect, r->clientrect));
            rule.Text(n + " pressed", r->downfontcolor, pic, Within(r->downskinrect, r->clientrect));
            rule.Disabled(n + " disabled", r->disabledfontcolor, r->fontcolor, pic,
                          Within(r->disabledskinrect, r->clientrect));
        }
        if (auto* r = dynamic_cast<const TskDataSkinCheckRadioControl*>(c)) {
            rule.Text(n + " normal", r->fontcolor, pic, Within(r->skinrect, r->textarea));
            rule.Text(n + " hot", r->activefontcolor, pic, Within(r->activeskinrect, r->textarea));
            rule.Text(n + " flat", r->framefontcolor, TBackground::Of(Skin().SkinColors().cbtnface));
            rule.Disabled(n + " disabled", r->unenabledfontcolor, r->fontcolor, pic,
                          Within(r->skinrect, r->textarea));
        }
        if (auto* r = dynamic_cast<const TskDataSkinGaugeControl*>(c)) {
            rule.Text(n + " over the trough", r->fontcolor, pic, Within(r->skinrect, r->progressarea));
            rule.Text(n + " over the progress", r->fontcolor, pic, r->progressrect);
        }
        if (auto* r = dynamic_cast<const TskDataSkinLabelControl*>(c))
            rule.Text(n, r->fontcolor, pic, Within(r->skinrect, r->clientrect));
        if (auto* r = dynamic_cast<const TskDataSkinStdLabelControl*>(c)) {
            // Drawn straight onto the window face.
            rule.Text(n, r->fontcolor, TBackground::Of(Skin().SkinColors().cbtnface));
            rule.Text(n + " link", r->activefontcolor, TBackground::Of(Skin().SkinColors().cbtnface));
        }
        if (auto* r = dynamic_cast<const TskDataSkinPanelControl*>(c)) {
            const bool caption = r->captionrect.Width() > 0;
            rule.Text(n, r->fontcolor, pic, Within(r->skinrect, caption ? r->captionrect : r->clientrect));
        }
        if (auto* r = dynamic_cast<const TskDataSkinExPanelControl*>(c))
            rule.Text(n, r->fontcolor, pic, Within(r->skinrect, r->captionrect));
    }
    EXPECT_GT(rule.Count, 80);
}

TEST_F(DefaultSkinTest, FieldsListsAndGridsKeepTheirTextReadable) {
    ContrastRule rule;
    for (const auto& record : Skin().ControlRecords()) {
        const TskDataSkinControl* c = record.get();
        const TskBitmap* pic = Skin().ActivePicture(c->pictureindex);
        const String n = c->IDName;
        if (auto* r = dynamic_cast<const TskDataSkinEditControl*>(c)) {
            rule.Text(n, r->fontcolor, pic, Within(r->skinrect, r->clientrect));
            rule.Text(n + " active", r->activefontcolor, pic, Within(r->activeskinrect, r->clientrect));
            rule.Disabled(n + " disabled", r->disabledfontcolor, r->fontcolor, pic,
                          Within(r->skinrect, r->clientrect));
        }
        if (auto* r = dynamic_cast<const TskDataSkinMemoControl*>(c)) {
            rule.Text(n + " on its colour", r->fontcolor, TBackground::Of(r->bgcolor));
            rule.Text(n + " on its active colour", r->activefontcolor, TBackground::Of(r->activebgcolor));
        }
        if (auto* r = dynamic_cast<const TskDataSkinSpinEditControl*>(c)) {
            rule.Text(n, r->fontcolor, pic, Within(r->skinrect, r->clientrect));
            rule.Text(n + " active", r->activefontcolor, pic, Within(r->activeskinrect, r->clientrect));
            rule.Disabled(n + " disabled", r->disabledfontcolor, r->fontcolor, pic,
                          Within(r->skinrect, r->clientrect));
        }
        if (auto* r = dynamic_cast<const TskDataSkinComboBox*>(c)) {
            rule.Text(n, r->fontcolor, pic, Within(r->skinrect, r->clientrect));
            rule.Text(n + " item", r->fontcolor, pic, Within(r->itemrect, r->itemtextrect));
            rule.Text(n + " hot item", r->activefontcolor, pic, Within(r->activeitemrect, r->itemtextrect));
            rule.Text(n + " focused item", r->focusfontcolor, pic, Within(r->focusitemrect, r->itemtextrect));
        }
        if (auto* r = dynamic_cast<const TskDataSkinListBox*>(c)) {
            rule.Text(n + " item", r->fontcolor, pic, Within(r->itemrect, r->itemtextrect));
            rule.Text(n + " selected", r->activefontcolor, pic, Within(r->activeitemrect, r->itemtextrect));
            rule.Text(n + " focused", r->focusfontcolor, pic, Within(r->focusitemrect, r->itemtextrect));
            if (r->captionrect.Width() > 0)
                rule.Text(n + " caption", r->captionfontcolor, pic, Within(r->skinrect, r->captionrect));
        }
        if (auto* r = dynamic_cast<const TskDataSkinGridControl*>(c)) {
            rule.Text(n + " cell", r->fontcolor, TBackground::Of(r->bgcolor));
            rule.Text(n + " fixed", r->fixedfontcolor, pic, Within(r->fixedcellrect, r->fixedcelltextrect));
            rule.Text(n + " selected", r->selectfontcolor, pic, Within(r->selectcellrect, r->celltextrect));
            rule.Text(n + " focused", r->focusfontcolor, pic, Within(r->focuscellrect, r->celltextrect));
            EXPECT_GT(Contrast(Luminance(r->linescolor), Luminance(r->bgcolor)), 1.2)
                << "grid lines must show";
        }
        if (auto* r = dynamic_cast<const TskDataSkinTabControl*>(c)) {
            // The caption sits between the fixed ends, clear of the rounded top and the foot line.
            auto area = [&](const TRect& tab) {
                return TRect{tab.Left + r->tableftoffset, tab.Top + 5, tab.Right - r->tabrightoffset,
                             tab.Bottom - 2};
            };
            rule.Text(n, r->fontcolor, pic, area(r->tabrect));
            rule.Text(n + " active", r->activefontcolor, pic, area(r->activetabrect));
            rule.Text(n + " focused", r->focusfontcolor, pic, area(r->focustabrect));
            rule.Text(n + " hot", r->mouseinfontcolor, pic, area(r->mouseintabrect));
        }
        if (auto* r = dynamic_cast<const TskDataSkinTextViewBase*>(c))
            rule.Text(n, r->fontcolor, TBackground::Of(r->bgcolor));
    }
    EXPECT_GT(rule.Count, 60);
}

TEST_F(DefaultSkinTest, FrameMenusHintsAndColoursKeepTheirTextReadable) {
    ContrastRule rule;
    for (const auto& record : Skin().ObjectRecords()) {
        const TskDataSkinObject* o = record.get();
        const TskBitmap* pic = Skin().ActivePicture(o->activepictureindex);
        const String n = o->IDName;
        if (auto* c = dynamic_cast<const TskDataSkinCaption*>(o)) {
            const TRect area = Within(c->skinrect, c->textrect);
            rule.Text(n + " inactive", c->fontcolor, &Skin().Picture, area);
            // The inactive window's frame goes through the skin's effect, text and all.
            TskEffectBmp gray = TskEffectBmp::CreateFromBitmap(Skin().Picture);
            gray.GrayScale();
            const TskBitmap grayFrame = gray.ToBitmap();
            TskBitmap dot(1, 1);
            dot.SetPixel(0, 0, c->fontcolor);
            TskEffectBmp text = TskEffectBmp::CreateFromBitmap(dot);
            text.GrayScale();
            const TskColor grayText = text.ToBitmap().Pixel(0, 0);
            rule.Text(n + " inactive, grey", grayText, &grayFrame, area);
            rule.Text(n + " active", c->activefontcolor, pic, Within(c->activeskinrect, c->textrect));
        }
        if (auto* m = dynamic_cast<const TskDataSkinMenuItem*>(o)) {
            rule.Text(n, m->fontcolor, pic, Within(m->skinrect, m->textrect));
            rule.Text(n + " hot", m->activefontcolor, pic, Within(m->activeskinrect, m->textrect));
            rule.Disabled(n + " disabled", m->unenabledfontcolor, m->fontcolor, pic,
                          Within(m->skinrect, m->textrect));
        }
        if (auto* m = dynamic_cast<const TskDataSkinMainMenuItem*>(o)) {
            rule.Text(n, m->fontcolor, pic, Within(m->skinrect, m->textrect));
            rule.Text(n + " hot", m->activefontcolor, pic, Within(m->activeskinrect, m->textrect));
            rule.Text(n + " pressed", m->downfontcolor, pic, Within(m->downrect, m->textrect));
            rule.Disabled(n + " disabled", m->unenabledfontcolor, m->fontcolor, pic,
                          Within(m->skinrect, m->textrect));
        }
    }
    const TskDataSkinHintWindow& hint = Skin().HintWindow();
    rule.Text("hint", hint.fontcolor, Skin().ActivePicture(hint.windowpictureindex), hint.clientrect);
    const TskSkinColors& colors = Skin().SkinColors();
    rule.Text("cbtntext", colors.cbtntext, TBackground::Of(colors.cbtnface));
    rule.Text("cwindowtext", colors.cwindowtext, TBackground::Of(colors.cwindow));
    rule.Text("chighlighttext", colors.chighlighttext, TBackground::Of(colors.chighlight));
    EXPECT_GE(rule.Count, 14);
}

} // namespace vd::test
