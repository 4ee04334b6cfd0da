// Skins with nonsense geometry: every control paints at odd sizes without reading outside its
// pictures (the sanitizers watch) and without hanging.
#include "SkinFixture.h"
#include "skin/controls/skSkinCtrls.h"

namespace vd::test {
namespace {

std::string OddSkin(const std::string& values) {
    const char* records[][2] = {
        {"button", "button"},
        {"toolbutton", "button"},
        {"toolmenubutton", "menubutton"},
        {"panel", "panel"},
        {"groupbox", "panel"},
        {"toolpanel", "panel"},
        {"statusbar", "panel"},
        {"hscrollbar", "scrollbar"},
        {"checkbox", "checkradio"},
        {"radiobox", "checkradio"},
        {"gauge", "gauge"},
        {"label", "label"},
        {"statuspanel", "label"},
        {"vsplitter", "splitter"},
        {"resizebutton", "button"},
        {"resizetoolbutton", "button"},
    };
    std::string s = "[SKINCONTROLS]\r\ncount=16\r\n";
    for (int i = 0; i < 16; ++i)
        s += std::to_string(i) + "=" + records[i][0] + ":" + records[i][1] + "\r\n";
    for (auto& r : records)
        s += std::string("[") + r[0] + "]\r\n" + values;
    return s;
}

void PaintAll(TForm* form, TskSkinData* skin, const std::vector<TSize>& sizes) {
    std::vector<TControl*> made;
    auto add = [&](TControl* c) {
        c->SetParent(form);
        made.push_back(c);
    };
    add(new TskSkinButton(form));
    add(new TskSkinSpeedButton(form));
    auto* menu = new TskSkinMenuSpeedButton(form);
    menu->SetTrackButtonMode(true);
    add(menu);
    auto* panel = new TskSkinPanel(form);
    panel->SetCaption("Caption");
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetRollUpMode(true);
    add(panel);
    add(new TskSkinGroupBox(form));
    add(new TskSkinToolBar(form));
    auto* status = new TskSkinStatusBar(form);
    status->SetSizeGrip(true);
    add(status);
    auto* bar = new TskSkinScrollBar(form);
    bar->SetRange({.Min = 0, .Max = 10, .Position = 5, .PageSize = 3});
    add(bar);
    add(new TskSkinCheckRadioBox(form));
    auto* own = new TskSkinCheckRadioBox(form);
    own->SetFlat(false);
    add(own);
    auto* gauge = new TskSkinGauge(form);
    gauge->SetShowPercent(true);
    add(gauge);
    add(new TskSkinLabel(form));
    add(new TskSkinStatusPanel(form));
    auto* splitter = new TskSkinSplitter(form);
    add(splitter);
    splitter->SetAlign(alTop);
    for (TControl* c : made) {
        if (auto* s = dynamic_cast<TskSkinControl*>(c)) s->SetSkinData(skin);
        if (auto* g = dynamic_cast<TskGraphicSkinControl*>(c)) g->SetSkinData(skin);
        if (auto* s = dynamic_cast<TskSkinSplitter*>(c)) s->SetSkinData(skin);
        if (c != splitter && c != status) c->SetAlign(alNone);
    }
    form->Show();
    for (TSize sz : sizes)
        for (TControl* c : made) {
            c->SetBounds(5, 5, sz.cx, sz.cy);
            c->Repaint();
            Application->ProcessMessages();
        }
}

TEST_F(SkinTest, NonsenseGeometryPaintsSafely) {
    const std::string values[] = {
        "pictureindex=0\r\nskinrect=-10,-10,300,300\r\nlefttoppoint=500,500\r\nrighttoppoint=-5,7\r\n"
        "leftbottompoint=3,900\r\nrightbottompoint=1,1\r\nclientrect=50,50,-50,-50\r\nactiveskinrect=60,60,"
        "90,90\r\n"
        "progressarea=-5,-5,500,500\r\nprogressrect=0,0,1000,3\r\nbeginoffset=700\r\nendoffset=-3\r\n"
        "trackarea=0,0,9999,5\r\nthumbrect=63,63,64,64\r\ncaptionrect=-100,0,500,30\r\ncheckimagerect=60,60,"
        "70,70\r\n"
        "gripperrect=62,62,80,80\r\ntrackbuttonrect=-4,-4,40,40\r\nanimateskinrect=0,0,64,64\r\nframecount="
        "0\r\n",
        "pictureindex=0\r\nskinrect=0,0,1,1\r\nrightbottompoint=1,1\r\nclientrect=0,0,0,0\r\nbgpictureindex="
        "0\r\n",
        "pictureindex=0\r\nskinrect=10,10,20,20\r\nrighttoppoint=30,0\r\nthumboffset1=50\r\nthumboffset2="
        "50\r\n",
    };
    for (const std::string& v : values) {
        auto stored = TestStoredSkin(OddSkin(v));
        Skin->LoadStoredSkin(stored.get());
        ASSERT_FALSE(Skin->Empty());
        PaintAll(Form, Skin, {{1, 1}, {3, 50}, {200, 7}, {0, 0}});
    }
}

} // namespace
} // namespace vd::test
