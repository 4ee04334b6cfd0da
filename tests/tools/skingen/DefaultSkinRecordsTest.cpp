// The embedded skin is a complete skin: the sections the loader needs, every record the
// program's controls and frames ask for, of the kind they expect, and no part of any record
// outside its picture.
#include "skin/store/SkinCodecs.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinIni.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"
#include "tests/tools/skingen/DefaultSkin.h"

#include <functional>
#include <map>
#include <regex>
#include <sstream>

namespace vd::test {

namespace {

template <class T> bool Is(const TskDataSkinControl* r) {
    return dynamic_cast<const T*>(r) != nullptr;
}

// Every control name the program's controls may select, with the kind its readers expect.
const std::map<std::string, std::function<bool(const TskDataSkinControl*)>>& ControlKinds() {
    static const std::map<std::string, std::function<bool(const TskDataSkinControl*)>> kinds = [] {
        std::map<std::string, std::function<bool(const TskDataSkinControl*)>> k;
        auto add = [&](std::initializer_list<const char*> names,
                       std::function<bool(const TskDataSkinControl*)> f) {
            for (const char* n : names)
                k[n] = f;
        };
        // Buttons proper: a menu button would pass a button test too.
        add({"button", "toolbutton", "resizebutton", "bigtoolbutton", "resizetoolbutton", "combobutton",
             "editbutton", "menuitembutton", "officemenubutton", "officegroupbutton", "officequickbutton"},
            [](auto r) { return Is<TskDataSkinButtonControl>(r) && !Is<TskDataSkinMenuButtonControl>(r); });
        add({"toolmenubutton", "toolmenutrackbutton", "bigtoolmenubutton", "bigtoolmenutrackbutton"},
            Is<TskDataSkinMenuButtonControl>);
        add({"toolpanel", "panel", "groupbox", "statusbar", "bigtoolpanel", "resizetoolpanel", "officegroup",
             "officetoolbar", "menupagepanel"},
            Is<TskDataSkinPanelControl>);
        add({"checkbox", "radiobox"}, Is<TskDataSkinCheckRadioControl>);
        add({"gauge", "vgauge", "statusgauge"}, Is<TskDataSkinGaugeControl>);
        add({"label", "statuspanel", "appmenuheader"}, Is<TskDataSkinLabelControl>);
        add({"stdlabel", "appmenustdlabel"}, Is<TskDataSkinStdLabelControl>);
        add({"trackbar", "htrackbar"}, Is<TskDataSkinTrackBarControl>);
        add({"grid"}, Is<TskDataSkinGridControl>);
        add({"tab", "officetab"}, Is<TskDataSkinTabControl>);
        add({"edit", "buttonedit", "statusedit", "statusbuttonedit"},
            [](auto r) { return Is<TskDataSkinEditControl>(r) && !Is<TskDataSkinMemoControl>(r); });
        add({"memo"}, Is<TskDataSkinMemoControl>);
        add({"hscrollbar", "vscrollbar", "bothhscrollbar"}, Is<TskDataSkinScrollBarControl>);
        add({"listbox", "captionlistbox"},
            [](auto r) { return Is<TskDataSkinListBox>(r) && !Is<TskDataSkinCheckListBox>(r); });
        add({"checklistbox", "captionchecklistbox"}, Is<TskDataSkinCheckListBox>);
        add({"combobox", "captioncombobox", "statuscombobox"}, Is<TskDataSkinComboBox>);
        add({"spinedit", "statusspinedit"}, Is<TskDataSkinSpinEditControl>);
        add({"vupdown", "hupdown"}, Is<TskDataSkinUpDownControl>);
        add({"controlbar"}, Is<TskDataSkinControlBar>);
        add({"mainmenubar"}, Is<TskDataSkinMainMenuBar>);
        add({"vsplitter", "hsplitter"}, Is<TskDataSkinSplitterControl>);
        add({"scrollbox"}, Is<TskDataSkinScrollBoxControl>);
        add({"treeview"}, Is<TskDataSkinTreeView>);
        add({"listview"}, Is<TskDataSkinListView>);
        add({"richedit"}, Is<TskDataSkinRichEdit>);
        add({"expanel"}, Is<TskDataSkinExPanelControl>);
        add({"slider"}, Is<TskDataSkinSlider>);
        add({"bevel", "menupagedivider", "officegroupdivider"}, Is<TskDataSkinBevel>);
        return k;
    }();
    return kinds;
}

} // namespace

TEST_F(DefaultSkinTest, IsALoadedSkinOfOurOwn) {
    const TskMemIniFile ini(Container().IniText);
    EXPECT_TRUE(IsSkinIni(ini));
    ASSERT_FALSE(Skin().Empty()) << Skin().LastLoadError();
    EXPECT_EQ(Skin().skinname, "Quillmarsh");
    EXPECT_EQ(Container().Version, 3);
    EXPECT_EQ(Stored().CompressedStream().at(0), 0x78);
    EXPECT_EQ(Stored().CompressedStream().at(1), 0xDA);
    // Frame: a 24-bit main picture, a mask of its size, no inactive picture: the inactive look is
    // rendered from the main picture.
    EXPECT_FALSE(Skin().Picture.Empty());
    EXPECT_TRUE(Skin().InactivePicture.Empty());
    EXPECT_EQ(Skin().Mask.Width(), Skin().Picture.Width());
    EXPECT_EQ(Skin().Mask.Height(), Skin().Picture.Height());
    EXPECT_TRUE(Skin().autorenderinginactiveimage);
    for (const char* s : {"POPUPWINDOW", "HINTWINDOW", "SKINCOLORS"})
        EXPECT_TRUE(ini.SectionExists(s)) << s;
    EXPECT_NE(Skin().PopupWindow().windowpictureindex, -1);
    EXPECT_NE(Skin().HintWindow().windowpictureindex, -1);
}

TEST_F(DefaultSkinTest, EveryNameResolvesToARecordOfItsKind) {
    for (const auto& [name, isKind] : ControlKinds()) {
        const int i = Skin().IndexOfControlRecord(name);
        ASSERT_NE(i, -1) << name;
        EXPECT_TRUE(isKind(Skin().ControlRecord(i))) << name;
    }
    const std::pair<const char*, std::function<bool(const TskDataSkinObject*)>> objects[] = {
        {"menuitem", [](auto r) { return dynamic_cast<const TskDataSkinMenuItem*>(r) != nullptr; }},
        {"caption", [](auto r) { return dynamic_cast<const TskDataSkinCaption*>(r) != nullptr; }},
        {"mainmenubaritem",
         [](auto r) { return dynamic_cast<const TskDataSkinMainMenuBarItem*>(r) != nullptr; }},
    };
    for (const auto& [name, isKind] : objects) {
        const int i = Skin().IndexOfObjectRecord(name);
        ASSERT_NE(i, -1) << name;
        EXPECT_TRUE(isKind(Skin().ObjectRecord(i))) << name;
    }
    const std::pair<const char*, TskStdCommand> buttons[] = {
        {"closebutton", cmClose},         {"minimizebutton", cmMinimize},
        {"maximizebutton", cmMaximize},   {"sysmenubutton", cmSysMenu},
        {"menubarclosebutton", cmClose},  {"menubarminbutton", cmMinimize},
        {"menubarmaxbutton", cmMaximize}, {"menubarsysmenubutton", cmSysMenu}};
    for (const auto& [name, command] : buttons) {
        const int i = Skin().IndexOfObjectRecord(name);
        ASSERT_NE(i, -1) << name;
        const auto* b = dynamic_cast<const TskDataSkinStdButton*>(Skin().ObjectRecord(i));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->command, command) << name;
        const bool onMenuBar = std::string_view(name).starts_with("menubar");
        EXPECT_EQ(dynamic_cast<const TskDataSkinMainMenuBarButton*>(b) != nullptr, onMenuBar) << name;
    }
    // The frame makes a live object of every object record but menus': nothing beyond these.
    EXPECT_EQ(Skin().ObjectRecords().size(), 11u);
    EXPECT_EQ(Skin().ControlRecords().size(), ControlKinds().size());
    const auto& max = dynamic_cast<const TskDataSkinStdButton&>(
        *Skin().ObjectRecord(Skin().IndexOfObjectRecord("maximizebutton")));
    EXPECT_GT(max.restorerect.Width(), 0);
    EXPECT_GT(max.restoreactiverect.Width(), 0);
    EXPECT_GT(max.restoredownrect.Width(), 0);
}

TEST_F(DefaultSkinTest, NoCoordinateIsNegative) {
    // The codecs drop a "-": a negative coordinate would silently read as a positive one.
    const std::regex rectOrPoint(R"(^([a-zA-Z]+)=(.*,.*)$)"), digits(R"(\d+(,\d+){1,3})");
    std::istringstream lines(Container().IniText);
    std::string line;
    int checked = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::smatch m;
        if (!std::regex_match(line, m, rectOrPoint) || m[1] == "skincomments") continue;
        EXPECT_TRUE(std::regex_match(m[2].str(), digits)) << line;
        ++checked;
    }
    EXPECT_GT(checked, 500);
}

// Each section holds every key its kind reads: the record writes its keys into an empty INI and
// each of them must stand in the skin's own section.
TEST_F(DefaultSkinTest, EverySectionIsCompleteForItsKind) {
    const TskMemIniFile ini(Container().IniText);
    auto check = [&](auto& record) {
        TskMemIniFile keys;
        record.SaveToIni(keys);
        std::istringstream lines(keys.Text());
        std::string line;
        int count = 0;
        while (std::getline(lines, line)) {
            const size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            ++count;
            EXPECT_TRUE(ini.ValueExists(record.IDName, line.substr(0, eq))) << record.IDName << ": " << line;
        }
        EXPECT_GT(count, 0) << record.IDName;
    };
    for (const auto& r : Skin().ControlRecords())
        check(*r);
    for (const auto& r : Skin().ObjectRecords())
        check(*r);
}

TEST_F(DefaultSkinTest, EveryRecordNamesItsOwnSection) {
    const TskMemIniFile ini(Container().IniText);
    for (const auto& r : Skin().ControlRecords())
        EXPECT_TRUE(ini.SectionExists(r->IDName)) << r->IDName;
    for (const auto& r : Skin().ObjectRecords())
        EXPECT_TRUE(ini.SectionExists(r->IDName)) << r->IDName;
    // Names of other records that records refer to.
    for (const auto& r : Skin().ControlRecords()) {
        std::vector<String> names;
        if (auto* l = dynamic_cast<const TskDataSkinListBox*>(r.get()))
            names = {l->vscrollbarname, l->hscrollbarname, l->bothhscrollbarname};
        if (auto* c = dynamic_cast<const TskDataSkinComboBox*>(r.get())) names = {c->listboxname};
        if (auto* t = dynamic_cast<const TskDataSkinTabControl*>(r.get())) names = {t->updown};
        for (const String& n : names)
            EXPECT_NE(Skin().IndexOfControlRecord(n), -1) << r->IDName << " -> " << n;
        if (auto* m = dynamic_cast<const TskDataSkinMainMenuBar*>(r.get())) {
            for (const String& n :
                 {m->menubaritem, m->closebutton, m->minbutton, m->maxbutton, m->sysmenubutton})
                EXPECT_NE(Skin().IndexOfObjectRecord(n), -1) << n;
        }
    }
}

} // namespace vd::test
