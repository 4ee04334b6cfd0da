// Every picture index names a picture, and every rectangle and point of every record lies
// inside the picture (or the face) it is measured in.
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"
#include "tests/tools/skingen/DefaultSkin.h"

namespace vd::test {

namespace {

TRect SizeOf(const TskBitmap* b) {
    return b ? TRect{0, 0, b->Width(), b->Height()} : TRect{};
}
TRect SizeOf(const TRect& r) {
    return {0, 0, r.Width(), r.Height()};
}

// Collects the failures of one record.
class Places {
public:
    explicit Places(String who) : FWho(std::move(who)) {}

    // An empty rectangle means "this skin has no such part" and may sit anywhere.
    void Rect(const char* key, const TRect& r, const TRect& bounds) {
        ++Count;
        if (r.Width() <= 0 || r.Height() <= 0) return;
        if (r.Left < bounds.Left || r.Top < bounds.Top || r.Right > bounds.Right || r.Bottom > bounds.Bottom)
            ADD_FAILURE() << FWho << "." << key << " " << Text(r) << " outside " << Text(bounds);
    }
    void Point(const char* key, const TPoint& p, const TRect& bounds) {
        ++Count;
        if (p.X < bounds.Left || p.Y < bounds.Top || p.X > bounds.Right || p.Y > bounds.Bottom)
            ADD_FAILURE() << FWho << "." << key << " " << p.X << "," << p.Y << " outside " << Text(bounds);
    }
    void Picture(const char* key, const TskBitmap* picture, int index) {
        if (index != -1 && !picture)
            ADD_FAILURE() << FWho << "." << key << " " << index << " names no picture";
    }
    int Count = 0;

private:
    static std::string Text(const TRect& r) {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
               std::to_string(r.Bottom);
    }
    String FWho;
};

void CheckCustom(Places& p, const TskDataSkinCustomControl& r) {
    const TRect face = SizeOf(r.skinrect);
    p.Rect("clientrect", r.clientrect, face);
    p.Point("lefttoppoint", r.lefttoppoint, face);
    p.Point("righttoppoint", r.righttoppoint, face);
    p.Point("leftbottompoint", r.leftbottompoint, face);
    p.Point("rightbottompoint", r.rightbottompoint, face);
}

void CheckButtons(Places& p, const TskDataSkinControl* c, const TRect& pic) {
    if (auto* r = dynamic_cast<const TskDataSkinButtonControl*>(c)) {
        for (auto [k, v] : {std::pair{"activeskinrect", r->activeskinrect},
                            {"downskinrect", r->downskinrect},
                            {"disabledskinrect", r->disabledskinrect},
                            {"animateskinrect", r->animateskinrect},
                            {"menumarkerflatrect", r->menumarkerflatrect},
                            {"menumarkerrect", r->menumarkerrect},
                            {"menumarkeractiverect", r->menumarkeractiverect},
                            {"menumarkerdownrect", r->menumarkerdownrect}})
            p.Rect(k, v, pic);
        if (r->activeskinrect.Width() > 0) {
            EXPECT_EQ(SizeOf(r->activeskinrect), SizeOf(r->skinrect)) << c->IDName;
        }
    }
    if (auto* r = dynamic_cast<const TskDataSkinMenuButtonControl*>(c))
        p.Rect("trackbuttonrect", r->trackbuttonrect, SizeOf(r->skinrect));
    if (auto* r = dynamic_cast<const TskDataSkinCheckRadioControl*>(c)) {
        p.Rect("checkimagearea", r->checkimagearea, SizeOf(r->skinrect));
        p.Rect("textarea", r->textarea, SizeOf(r->skinrect));
        for (const TRect& v :
             {r->activeskinrect, r->checkimagerect, r->uncheckimagerect, r->activecheckimagerect,
              r->activeuncheckimagerect, r->unenabledcheckimagerect, r->unenableduncheckimagerect})
            p.Rect("check image", v, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinUpDownControl*>(c)) {
        p.Rect("upbuttonrect", r->upbuttonrect, SizeOf(r->skinrect));
        p.Rect("downbuttonrect", r->downbuttonrect, SizeOf(r->skinrect));
        for (const TRect& v :
             {r->activeupbuttonrect, r->downupbuttonrect, r->activedownbuttonrect, r->downdownbuttonrect})
            p.Rect("button piece", v, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinSpinEditControl*>(c)) {
        p.Rect("upbuttonrect", r->upbuttonrect, SizeOf(r->skinrect));
        p.Rect("downbuttonrect", r->downbuttonrect, SizeOf(r->skinrect));
        for (const TRect& v : {r->activeskinrect, r->activeupbuttonrect, r->downupbuttonrect,
                               r->activedownbuttonrect, r->downdownbuttonrect})
            p.Rect("piece", v, pic);
    }
}

void CheckFields(Places& p, const TskDataSkinControl* c, const TRect& pic) {
    if (auto* r = dynamic_cast<const TskDataSkinEditControl*>(c)) {
        p.Rect("buttonrect", r->buttonrect, SizeOf(r->skinrect));
        for (const TRect& v :
             {r->activeskinrect, r->activebuttonrect, r->downbuttonrect, r->unenabledbuttonrect})
            p.Rect("piece", v, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinComboBox*>(c)) {
        p.Rect("buttonrect", r->buttonrect, SizeOf(r->skinrect));
        p.Rect("itemtextrect", r->itemtextrect, SizeOf(r->itemrect));
        for (const TRect& v : {r->activeskinrect, r->itemrect, r->activeitemrect, r->focusitemrect,
                               r->activebuttonrect, r->downbuttonrect, r->unenabledbuttonrect})
            p.Rect("piece", v, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinListBox*>(c)) {
        const TRect face = SizeOf(r->skinrect);
        for (const TRect& v : {r->captionrect, r->upbuttonrect, r->downbuttonrect, r->checkbuttonrect})
            p.Rect("caption part", v, face);
        p.Rect("itemtextrect", r->itemtextrect, SizeOf(r->itemrect));
        for (const TRect& v : {r->itemrect, r->activeitemrect, r->focusitemrect, r->activeupbuttonrect,
                               r->downupbuttonrect, r->activedownbuttonrect, r->downdownbuttonrect,
                               r->activecheckbuttonrect, r->downcheckbuttonrect})
            p.Rect("piece", v, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinCheckListBox*>(c)) {
        p.Rect("itemcheckrect", r->itemcheckrect, SizeOf(r->itemrect));
        p.Rect("checkimagerect", r->checkimagerect, pic);
        p.Rect("uncheckimagerect", r->uncheckimagerect, pic);
    }
}

void CheckBars(Places& p, const TskDataSkinControl* c, const TRect& pic) {
    if (auto* r = dynamic_cast<const TskDataSkinScrollBarControl*>(c)) {
        const TRect face = SizeOf(r->skinrect);
        for (const TRect& v : {r->trackarea, r->upbuttonrect, r->downbuttonrect})
            p.Rect("bar part", v, face);
        for (const TRect& v : {r->activeupbuttonrect, r->downupbuttonrect, r->activedownbuttonrect,
                               r->downdownbuttonrect, r->thumbrect, r->activethumbrect, r->downthumbrect,
                               r->glyphrect, r->activeglyphrect, r->downglyphrect})
            p.Rect("piece", v, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinGaugeControl*>(c)) {
        p.Rect("progressarea", r->progressarea, SizeOf(r->skinrect));
        p.Rect("progressrect", r->progressrect, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinTrackBarControl*>(c)) {
        p.Rect("trackarea", r->trackarea, SizeOf(r->skinrect));
        p.Rect("buttonrect", r->buttonrect, pic);
        p.Rect("activebuttonrect", r->activebuttonrect, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinSplitterControl*>(c))
        p.Rect("gripperrect", r->gripperrect, pic);
    if (auto* r = dynamic_cast<const TskDataSkinSlider*>(c))
        for (const TRect& v : {r->hrulerrect, r->hthumbrect, r->vrulerrect, r->vthumbrect})
            p.Rect("slider part", v, pic);
}

void CheckContainers(Places& p, const TskDataSkinControl* c, const TRect& pic) {
    if (auto* r = dynamic_cast<const TskDataSkinPanelControl*>(c)) {
        p.Rect("captionrect", r->captionrect, SizeOf(r->skinrect));
        p.Rect("frametextrect", r->frametextrect, SizeOf(r->framerect));
        for (const TRect& v :
             {r->checkimagerect, r->uncheckimagerect, r->markframerect, r->framerect, r->gripperrect})
            p.Rect("piece", v, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinExPanelControl*>(c)) {
        p.Rect("captionrect", r->captionrect, SizeOf(r->skinrect));
        p.Rect("rollhcaptionrect", r->rollhcaptionrect, SizeOf(r->rollhskinrect));
        p.Rect("rollvcaptionrect", r->rollvcaptionrect, SizeOf(r->rollvskinrect));
        for (const TRect& v :
             {r->rollhskinrect, r->rollvskinrect, r->closebuttonrect, r->closebuttonactiverect,
              r->closebuttondownrect, r->hrollbuttonrect, r->hrollbuttonactiverect, r->hrollbuttondownrect,
              r->hrestorebuttonrect, r->hrestorebuttonactiverect, r->hrestorebuttondownrect,
              r->vrollbuttonrect, r->vrollbuttonactiverect, r->vrollbuttondownrect, r->vrestorebuttonrect,
              r->vrestorebuttonactiverect, r->vrestorebuttondownrect})
            p.Rect("piece", v, pic);
    }
    if (auto* r = dynamic_cast<const TskDataSkinControlBar*>(c))
        for (const TRect& v : {r->itemrect, r->hgriprect, r->vgriprect})
            p.Rect("piece", v, pic);
    if (auto* r = dynamic_cast<const TskDataSkinMainMenuBar*>(c))
        p.Rect("itemsrect", r->itemsrect, SizeOf(r->skinrect));
}

void CheckViews(Places& p, const TskDataSkinControl* c, const TRect& pic) {
    if (auto* r = dynamic_cast<const TskDataSkinGridControl*>(c)) {
        for (const TRect& v : {r->fixedcellrect, r->selectcellrect, r->focuscellrect})
            p.Rect("cell", v, pic);
        p.Rect("fixedcelltextrect", r->fixedcelltextrect, SizeOf(r->fixedcellrect));
        p.Rect("celltextrect", r->celltextrect, SizeOf(r->selectcellrect));
        EXPECT_GT(r->selectcellrect.Height(), 0) << "the grid's row height comes from the selected cell";
    }
    if (auto* r = dynamic_cast<const TskDataSkinTabControl*>(c)) {
        const TRect face = SizeOf(r->skinrect);
        p.Rect("clientrect", r->clientrect, face);
        for (const TPoint& q : {r->lefttoppoint, r->righttoppoint, r->leftbottompoint, r->rightbottompoint})
            p.Point("corner", q, face);
        for (const TRect& v :
             {r->tabrect, r->activetabrect, r->focustabrect, r->mouseintabrect, r->tabsbgrect})
            p.Rect("tab", v, pic);
    }
}

} // namespace

TEST_F(DefaultSkinTest, EveryControlPartLiesInsideItsPicture) {
    int checked = 0;
    for (const auto& record : Skin().ControlRecords()) {
        const TskDataSkinControl* c = record.get();
        Places p(c->IDName);
        const TskBitmap* picture = Skin().ActivePicture(c->pictureindex);
        p.Picture("pictureindex", picture, c->pictureindex);
        p.Picture("maskpictureindex", Skin().ActivePicture(c->maskpictureindex), c->maskpictureindex);
        const TRect pic = SizeOf(picture);
        p.Rect("skinrect", c->skinrect, pic);
        if (auto* custom = dynamic_cast<const TskDataSkinCustomControl*>(c)) CheckCustom(p, *custom);
        CheckButtons(p, c, pic);
        CheckFields(p, c, pic);
        CheckBars(p, c, pic);
        CheckContainers(p, c, pic);
        CheckViews(p, c, pic);
        checked += p.Count;
    }
    EXPECT_GT(checked, 600);
}

TEST_F(DefaultSkinTest, EveryFramePartLiesInsideItsPicture) {
    const TRect frame = SizeOf(&Skin().Picture);
    Places f("FORMINFO");
    for (const TRect& r : {Skin().clientrect, Skin().maskrectarea, Skin().buttonsrect, Skin().captionrect})
        f.Rect("rect", r, frame);
    for (const TPoint& q : {Skin().lefttoppoint, Skin().righttoppoint, Skin().leftbottompoint,
                            Skin().rightbottompoint, Skin().hittestlefttoppoint, Skin().hittestrighttoppoint,
                            Skin().hittestleftbottompoint, Skin().hittestrightbottompoint})
        f.Point("point", q, frame);
    for (const auto& record : Skin().ObjectRecords()) {
        const TskDataSkinObject* o = record.get();
        Places p(o->IDName);
        const TskBitmap* picture = Skin().ActivePicture(o->activepictureindex);
        p.Picture("activepictureindex", picture, o->activepictureindex);
        const TRect pic = SizeOf(picture);
        p.Rect("skinrect", o->skinrect, o->skinrectinapicture ? pic : frame);
        p.Rect("activeskinrect", o->activeskinrect, pic);
        p.Rect("inactiveskinrect", o->inactiveskinrect, pic);
        if (auto* b = dynamic_cast<const TskDataSkinButton*>(o)) {
            p.Rect("downrect", b->downrect, pic);
            p.Rect("disableskinrsect", b->disableskinrsect, pic);
        }
        if (auto* s = dynamic_cast<const TskDataSkinStdButton*>(o))
            for (const TRect& v :
                 {s->restorerect, s->restoreactiverect, s->restoredownrect, s->restoreinactiverect})
                p.Rect("restore", v, pic);
        if (auto* c = dynamic_cast<const TskDataSkinCaption*>(o))
            p.Rect("textrect", c->textrect, SizeOf(c->skinrect));
        if (auto* m = dynamic_cast<const TskDataSkinMenuItem*>(o)) {
            p.Rect("dividerrect", m->dividerrect, pic);
            p.Rect("textrect", m->textrect, SizeOf(m->skinrect));
            p.Rect("imagerect", m->imagerect, SizeOf(m->skinrect));
        }
        if (auto* m = dynamic_cast<const TskDataSkinMainMenuItem*>(o)) {
            p.Rect("downrect", m->downrect, pic);
            p.Rect("textrect", m->textrect, SizeOf(m->skinrect));
        }
    }
    const TskDataSkinPopupWindow& popup = Skin().PopupWindow();
    Places pw("POPUPWINDOW");
    const TRect popupPic = SizeOf(Skin().ActivePicture(popup.windowpictureindex));
    pw.Rect("itemsrect", popup.itemsrect, popupPic);
    for (const TPoint& q :
         {popup.lefttoppoint, popup.righttoppoint, popup.leftbottompoint, popup.rightbottompoint})
        pw.Point("corner", q, popupPic);
    const TskDataSkinHintWindow& hint = Skin().HintWindow();
    Places hw("HINTWINDOW");
    const TRect hintPic = SizeOf(Skin().ActivePicture(hint.windowpictureindex));
    hw.Rect("clientrect", hint.clientrect, hintPic);
    for (const TPoint& q :
         {hint.lefttoppoint, hint.righttoppoint, hint.leftbottompoint, hint.rightbottompoint})
        hw.Point("corner", q, hintPic);
}

} // namespace vd::test
