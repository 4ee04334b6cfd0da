#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinIni.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"

#include <gtest/gtest.h>

#include <iterator>
#include <typeinfo>

namespace vd {
namespace {

template <class T> T* As(const std::unique_ptr<TskDataSkinControl>& p) {
    return dynamic_cast<T*>(p.get());
}

TEST(ControlRecords, KindWordsChooseClasses) {
    struct Case {
        const char* Word;
        bool (*Check)(TskDataSkinControl*);
    } cases[] = {
        {"panel", [](TskDataSkinControl* r) { return dynamic_cast<TskDataSkinPanelControl*>(r) != nullptr; }},
        {"menubutton",
         [](TskDataSkinControl* r) { return dynamic_cast<TskDataSkinMenuButtonControl*>(r) != nullptr; }},
        {"button",
         [](TskDataSkinControl* r) {
             return dynamic_cast<TskDataSkinButtonControl*>(r) &&
                    !dynamic_cast<TskDataSkinMenuButtonControl*>(r);
         }},
        {"memo", [](TskDataSkinControl* r) { return dynamic_cast<TskDataSkinMemoControl*>(r) != nullptr; }},
        {"checklistbox",
         [](TskDataSkinControl* r) { return dynamic_cast<TskDataSkinCheckListBox*>(r) != nullptr; }},
        {"updown",
         [](TskDataSkinControl* r) { return dynamic_cast<TskDataSkinUpDownControl*>(r) != nullptr; }},
        {"richedit", [](TskDataSkinControl* r) { return dynamic_cast<TskDataSkinRichEdit*>(r) != nullptr; }},
        {"slider", [](TskDataSkinControl* r) { return dynamic_cast<TskDataSkinSlider*>(r) != nullptr; }},
    };
    for (const Case& c : cases) {
        auto rec = CreateControlRecord(c.Word, "n");
        ASSERT_TRUE(rec) << c.Word;
        EXPECT_TRUE(c.Check(rec.get())) << c.Word;
        EXPECT_EQ(rec->IDName, "n");
    }
    EXPECT_FALSE(CreateControlRecord("appmenu", "n"));
    EXPECT_FALSE(CreateControlRecord("Button", "n"));
    EXPECT_FALSE(CreateControlRecord("", "n"));
}

// For every kind word: a key of that kind's own class (none of Custom's or Control's), its value
// as read, and again after SaveToIni and a fresh load. Where a kind shares its keys with another
// (splitter and panel, the three text views), the section holds only the kind's key, so a record
// of the wrong class or a field read under another name fails.
TEST(ControlRecords, EveryKindReadsAndWritesItsOwnKey) {
    using R = TskDataSkinControl*;
    struct Case {
        const char* Kind;
        const char* Line;
        bool (*Arrived)(R);
    } cases[] = {
        {"panel", "framerightoffset=7",
         [](R r) { return dynamic_cast<TskDataSkinPanelControl&>(*r).framerightoffset == 7; }},
        {"expanel", "vrestorebuttondownrect=1,2,3,4",
         [](R r) {
             return dynamic_cast<TskDataSkinExPanelControl&>(*r).vrestorebuttondownrect == TRect{1, 2, 3, 4};
         }},
        {"menubutton", "trackbuttonrect=1,2,3,4",
         [](R r) {
             return dynamic_cast<TskDataSkinMenuButtonControl&>(*r).trackbuttonrect == TRect{1, 2, 3, 4};
         }},
        {"button", "menumarkertransparentcolor=7",
         [](R r) { return dynamic_cast<TskDataSkinButtonControl&>(*r).menumarkertransparentcolor == 7; }},
        {"checkradio", "unenableduncheckimagerect=1,2,3,4",
         [](R r) {
             return dynamic_cast<TskDataSkinCheckRadioControl&>(*r).unenableduncheckimagerect ==
                    TRect{1, 2, 3, 4};
         }},
        {"gauge", "progressstretch=1",
         [](R r) { return dynamic_cast<TskDataSkinGaugeControl&>(*r).progressstretch; }},
        {"splitter", "grippertransparentcolor=7",
         [](R r) { return dynamic_cast<TskDataSkinSplitterControl&>(*r).grippertransparentcolor == 7; }},
        {"trackbar", "buttontransparentcolor=7",
         [](R r) { return dynamic_cast<TskDataSkinTrackBarControl&>(*r).buttontransparentcolor == 7; }},
        {"label", "fontcolor=7",
         [](R r) { return dynamic_cast<TskDataSkinLabelControl&>(*r).fontcolor == 7; }},
        {"stdlabel", "activefontcolor=7",
         [](R r) { return dynamic_cast<TskDataSkinStdLabelControl&>(*r).activefontcolor == 7; }},
        {"updown", "downdownbuttonrect=1,2,3,4",
         [](R r) {
             return dynamic_cast<TskDataSkinUpDownControl&>(*r).downdownbuttonrect == TRect{1, 2, 3, 4};
         }},
        {"grid", "fixedfontheight=7",
         [](R r) { return dynamic_cast<TskDataSkinGridControl&>(*r).fixedfontheight == 7; }},
        {"tab", "focusoffsety=7",
         [](R r) { return dynamic_cast<TskDataSkinTabControl&>(*r).focusoffsety == 7; }},
        {"mainmenubar", "trackmarkactivecolor=7",
         [](R r) { return dynamic_cast<TskDataSkinMainMenuBar&>(*r).trackmarkactivecolor == 7; }},
        {"controlbar", "gripoffset2=7",
         [](R r) { return dynamic_cast<TskDataSkinControlBar&>(*r).gripoffset2 == 7; }},
        {"memo", "activebgcolor=7",
         [](R r) { return dynamic_cast<TskDataSkinMemoControl&>(*r).activebgcolor == 7; }},
        {"edit", "unenabledbuttonrect=1,2,3,4",
         [](R r) {
             return dynamic_cast<TskDataSkinEditControl&>(*r).unenabledbuttonrect == TRect{1, 2, 3, 4};
         }},
        {"checklistbox", "itemcheckrect=1,2,3,4",
         [](R r) {
             return dynamic_cast<TskDataSkinCheckListBox&>(*r).itemcheckrect == TRect{1, 2, 3, 4};
         }},
        {"listbox", "bothhscrollbarname=wide",
         [](R r) { return dynamic_cast<TskDataSkinListBox&>(*r).bothhscrollbarname == "wide"; }},
        {"combobox", "listboxname=drop",
         [](R r) { return dynamic_cast<TskDataSkinComboBox&>(*r).listboxname == "drop"; }},
        {"scrollbar", "thumboffset2=7",
         [](R r) { return dynamic_cast<TskDataSkinScrollBarControl&>(*r).thumboffset2 == 7; }},
        {"spinedit", "downdownbuttonrect=1,2,3,4",
         [](R r) {
             return dynamic_cast<TskDataSkinSpinEditControl&>(*r).downdownbuttonrect == TRect{1, 2, 3, 4};
         }},
        {"scrollbox", "bgpictureindex=7",
         [](R r) { return dynamic_cast<TskDataSkinScrollBoxControl&>(*r).bgpictureindex == 7; }},
        {"treeview", "bgcolor=7", [](R r) { return dynamic_cast<TskDataSkinTreeView&>(*r).bgcolor == 7; }},
        {"bevel", "darkcolor=7", [](R r) { return dynamic_cast<TskDataSkinBevel&>(*r).darkcolor == 7; }},
        {"slider", "edgesize=7", [](R r) { return dynamic_cast<TskDataSkinSlider&>(*r).edgesize == 7; }},
        {"listview", "bgcolor=7", [](R r) { return dynamic_cast<TskDataSkinListView&>(*r).bgcolor == 7; }},
        {"richedit", "bgcolor=7", [](R r) { return dynamic_cast<TskDataSkinRichEdit&>(*r).bgcolor == 7; }},
    };
    ASSERT_EQ(std::size(cases), 28u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Kind);
        const TskMemIniFile ini(std::string("[k]\n") + c.Line + "\n");
        auto rec = CreateControlRecord(c.Kind, "k");
        ASSERT_TRUE(rec);
        rec->LoadFromIni(ini);
        try {
            EXPECT_TRUE(c.Arrived(rec.get()));
            TskMemIniFile saved;
            rec->SaveToIni(saved);
            auto again = CreateControlRecord(c.Kind, "k");
            again->LoadFromIni(saved);
            EXPECT_TRUE(c.Arrived(again.get()));
        } catch (const std::bad_cast&) {
            ADD_FAILURE() << "the kind word made a record of another class";
        }
    }
}

TEST(ControlRecords, MissingSectionGivesDefaults) {
    TskMemIniFile ini("[other]\nx=1\n");
    auto button = CreateControlRecord("button", "nothere");
    button->LoadFromIni(ini);
    auto* b = As<TskDataSkinButtonControl>(button);
    EXPECT_EQ(b->pictureindex, -1);
    EXPECT_EQ(b->maskpictureindex, -1);
    EXPECT_EQ(b->skinrect, TRect{});
    EXPECT_EQ(b->fontname, "Arial");
    EXPECT_EQ(b->fontheight, 14);
    EXPECT_EQ(b->animateinterval, 25);
    EXPECT_EQ(b->fontcolor, 0);

    auto label = CreateControlRecord("stdlabel", "nothere");
    label->LoadFromIni(ini);
    EXPECT_EQ(As<TskDataSkinStdLabelControl>(label)->activefontcolor, 0xFF0000);
    EXPECT_EQ(As<TskDataSkinStdLabelControl>(label)->fontcolor, 0);

    auto list = CreateControlRecord("listbox", "nothere");
    list->LoadFromIni(ini);
    auto* l = As<TskDataSkinListBox>(list);
    EXPECT_EQ(l->vscrollbarname, "vscrollbar");
    EXPECT_EQ(l->hscrollbarname, "hscrollbar");
    EXPECT_EQ(l->bothhscrollbarname, "bothhscrollbar");
}

TEST(ControlRecords, ReadsParentKeysAndOwnKeys) {
    TskMemIniFile ini(
        "[m]\npictureindex=3\nskinrect=1,2,30,40\nlefttoppoint=4,5\nclientrect=4,5,26,35\nstretcheffect=1\n"
        "fontname=Tahoma\nfontheight=11\nfontstyle=fsbold\nactivefontcolor=255\nbgcolor=$"
        "00FF00\nactivebgcolor=7\n"
        "buttonrect=1,1,2,2\n"
        "[t]\nfontcolor=16\nanimateinterval=40\ntrackbuttonrect=9,9,10,10\nmorphkind=mkpush\nmorphing=1\n");
    auto memo = CreateControlRecord("memo", "m");
    memo->LoadFromIni(ini);
    auto* m = As<TskDataSkinMemoControl>(memo);
    EXPECT_EQ(m->pictureindex, 3);
    EXPECT_EQ(m->skinrect, (TRect{1, 2, 30, 40}));
    EXPECT_EQ(m->lefttoppoint, (TPoint{4, 5}));
    EXPECT_TRUE(m->stretcheffect);
    EXPECT_FALSE(m->leftstretch);
    EXPECT_EQ(m->fontname, "Tahoma");
    EXPECT_EQ(m->fontheight, 11);
    EXPECT_EQ(m->fontstyle, skfsBold);
    EXPECT_EQ(m->activefontcolor, 255);
    EXPECT_EQ(m->bgcolor, 0x00FF00);
    EXPECT_EQ(m->activebgcolor, 7);
    EXPECT_EQ(m->buttonrect, (TRect{1, 1, 2, 2}));

    auto track = CreateControlRecord("menubutton", "t");
    track->LoadFromIni(ini);
    auto* t = As<TskDataSkinMenuButtonControl>(track);
    EXPECT_EQ(t->fontcolor, 16);
    EXPECT_EQ(t->animateinterval, 40);
    EXPECT_EQ(t->trackbuttonrect, (TRect{9, 9, 10, 10}));
    EXPECT_EQ(t->morphkind, mkPush);
    EXPECT_TRUE(t->morphing);
}

TEST(ControlRecords, UpDownAlwaysDropsItsCornerGeometry) {
    TskMemIniFile ini("[u]\nclientrect=1,2,3,4\nlefttoppoint=5,6\nupbuttonrect=1,1,8,8\n");
    auto rec = CreateControlRecord("updown", "u");
    rec->LoadFromIni(ini);
    auto* u = As<TskDataSkinUpDownControl>(rec);
    EXPECT_EQ(u->clientrect, TRect{});
    EXPECT_EQ(u->lefttoppoint, TPoint{});
    EXPECT_EQ(u->upbuttonrect, (TRect{1, 1, 8, 8}));
    u->clientrect = {1, 1, 5, 5};
    TskMemIniFile out;
    u->SaveToIni(out);
    EXPECT_EQ(out.ReadString("u", "clientrect", "?"), "0,0,0,0");
}

TEST(ControlRecords, SaveToIniRoundTrips) {
    TskMemIniFile ini("[g]\nfixedfontname=Mono\nfixedcellrect=1,2,3,4\nshowfocus=1\nlinescolor=-16777201\n"
                      "fontstyle=fsitalic,fsbold\n");
    auto grid = CreateControlRecord("grid", "g");
    grid->LoadFromIni(ini);
    TskMemIniFile out("[g]\nstale=1\n");
    grid->SaveToIni(out);
    EXPECT_EQ(out.ReadString("g", "stale", "gone"), "gone");
    EXPECT_EQ(out.ReadString("g", "fontstyle", ""), "fsbold,fsitalic");
    auto again = CreateControlRecord("grid", "g");
    again->LoadFromIni(out);
    auto* a = dynamic_cast<TskDataSkinGridControl*>(again.get());
    EXPECT_EQ(a->fixedfontname, "Mono");
    EXPECT_EQ(a->fixedcellrect, (TRect{1, 2, 3, 4}));
    EXPECT_TRUE(a->showfocus);
    EXPECT_EQ(a->linescolor, -16777201);
    EXPECT_EQ(a->fontstyle, skfsBold | skfsItalic);
}

TEST(ObjectRecords, KindsDefaultsAndQuirks) {
    EXPECT_FALSE(CreateObjectRecord("appmenu", "x"));
    TskMemIniFile ini("[close]\ncommand=CMCLOSE\nskinrect=1,1,10,10\ndisableskinrsect=2,2,3,3\n"
                      "[max]\ncommand=cmmaximize\n"
                      "[anim]\nmorphing=1\ncountframes=4\n"
                      "[user]\nskinrect=3,4,5,6\nhint=hello\nactivepictureindex=2\n"
                      "[bar]\nunenabledfontColor=77\n");
    auto close = CreateObjectRecord("stdbutton", "close");
    close->LoadFromIni(ini);
    auto* c = dynamic_cast<TskDataSkinStdButton*>(close.get());
    EXPECT_EQ(c->command, cmMinimizeToTray);
    EXPECT_EQ(c->disableskinrsect, (TRect{2, 2, 3, 3}));
    EXPECT_EQ(c->activepictureindex, -1);

    auto max = CreateObjectRecord("mainmenubarbutton", "max");
    max->LoadFromIni(ini);
    EXPECT_EQ(dynamic_cast<TskDataSkinMainMenuBarButton*>(max.get())->command, cmMaximize);

    auto missing = CreateObjectRecord("stdbutton", "none");
    missing->LoadFromIni(ini);
    EXPECT_EQ(dynamic_cast<TskDataSkinStdButton*>(missing.get())->command, cmDefault);

    auto anim = CreateObjectRecord("animate", "anim");
    anim->LoadFromIni(ini);
    auto* a = dynamic_cast<TskDataSkinAnimate*>(anim.get());
    EXPECT_FALSE(a->morphing);
    EXPECT_EQ(a->countframes, 4);
    EXPECT_EQ(a->timerinterval, 50);

    auto user = CreateObjectRecord("userobject", "user");
    user->LoadFromIni(ini);
    EXPECT_EQ(user->skinrect, (TRect{3, 4, 5, 6}));
    EXPECT_EQ(user->hint, "");
    EXPECT_EQ(user->activepictureindex, -1);
    TskMemIniFile out;
    user->SaveToIni(out);
    EXPECT_EQ(out.ReadString("user", "skinrect", ""), "3,4,5,6");
    EXPECT_FALSE(out.ValueExists("user", "hint"));

    auto bar = CreateObjectRecord("mainmenubaritem", "bar");
    bar->LoadFromIni(ini);
    auto* b = dynamic_cast<TskDataSkinMainMenuBarItem*>(bar.get());
    EXPECT_EQ(b->unenabledfontcolor, 77);
    EXPECT_EQ(b->fontheight, 14);
    EXPECT_EQ(b->animateinterval, 25);
}

TEST(WindowRecords, ColoursPopupAndHint) {
    TskSkinColors colors;
    EXPECT_EQ(colors.cbtnface, 0);
    colors.Reset();
    EXPECT_EQ(colors.cbtnface, int(0xFF00000F));
    EXPECT_EQ(colors.cbtnshadow, int(0xFF000010));
    colors.LoadFromIni(TskMemIniFile("[SKINCOLORS]\ncbtnface=12632256\n"));
    EXPECT_EQ(colors.cbtnface, 12632256);
    EXPECT_EQ(colors.cbtnhighlight, int(0xFF000014));

    TskDataSkinHintWindow hint;
    EXPECT_EQ(hint.fontheight, 12);
    EXPECT_EQ(hint.windowpictureindex, -1);
    hint.LoadFromIni(TskMemIniFile("[HINTWINDOW]\nclientrect=1,2,3,4\n"));
    EXPECT_EQ(hint.fontheight, 14);
    EXPECT_EQ(hint.clientrect, (TRect{1, 2, 3, 4}));

    TskDataSkinPopupWindow popup;
    popup.LoadFromIni(
        TskMemIniFile("[POPUPWINDOW]\nwindowpictureindex=2\nitemsrect=3,3,9,9\ntopstretch=1\n"));
    EXPECT_EQ(popup.windowpictureindex, 2);
    EXPECT_EQ(popup.maskpictureindex, -1);
    EXPECT_EQ(popup.itemsrect, (TRect{3, 3, 9, 9}));
    EXPECT_TRUE(popup.topstretch);
    EXPECT_FALSE(popup.leftstretch);
}

} // namespace
} // namespace vd
