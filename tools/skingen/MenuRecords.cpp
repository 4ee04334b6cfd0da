// Menus: popup items, the menu bar with its items and buttons, the popup and hint windows.
#include "skin/store/SkinWindowRecords.h"
#include "tools/skingen/Faces.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/SkinBuilder.h"

namespace vd::skingen {

using namespace look;
using namespace measure;

namespace {

void AddMenuItem(TSkinBuilder& b) {
    auto& r = b.Object<TskDataSkinMenuItem>("menuitem", "menuitem");
    r.skinrectinapicture = true;
    r.skinrect = FlatFace(b.Atlas(), MenuItemWidth, MenuItemHeight, Field);
    r.activeskinrect = FlatFace(b.Atlas(), MenuItemWidth, MenuItemHeight, Field);
    TPainter(b.Atlas().Picture()).RoundFill(Inset(r.activeskinrect, 2, 1), 3, SelectionLight, SelectionLight);
    r.inactiveskinrect = r.skinrect;
    r.itemleftoffset = r.itemrightoffset = 4;
    r.dividerrect = FlatFace(b.Atlas(), MenuItemWidth, 7, Field);
    TPainter(b.Atlas().Picture())
        .Fill({r.dividerrect.Left + 4, r.dividerrect.Top + 3, r.dividerrect.Right - 4, r.dividerrect.Top + 4},
              BorderSoft);
    r.dividerleftoffset = r.dividerrightoffset = 4;
    r.textrect = {28, 0, MenuItemWidth - 6, MenuItemHeight};
    r.imagerect = {5, 2, 23, MenuItemHeight - 2};
    UseFont(r, Ink);
    r.activefontcolor = Ink;
    r.unenabledfontcolor = Muted;
    r.stretcheffect = r.inactivestretcheffect = r.dividerstretcheffect = true;
    r.useimagecolor = false;
    r.imagecolor = Ink;
    r.activeimagecolor = Ink;
    r.morphing = false;
}

void AddMenuBarItem(TSkinBuilder& b) {
    auto& r = b.Object<TskDataSkinMainMenuBarItem>("mainmenubaritem", "mainmenubaritem");
    r.skinrectinapicture = true;
    r.skinrect = FlatFace(b.Atlas(), 40, MenuItemHeight, Face);
    r.activeskinrect = RaisedFace(b.Atlas(), 40, MenuItemHeight, TState::Hot);
    r.downrect = RaisedFace(b.Atlas(), 40, MenuItemHeight, TState::Down);
    r.inactiveskinrect = r.skinrect;
    r.itemleftoffset = r.itemrightoffset = 5;
    r.textrect = {7, 3, 33, MenuItemHeight - 3}; // clear of the hot and pressed outlines
    UseFont(r, Ink);
    r.activefontcolor = Ink;
    r.downfontcolor = InkStrong;
    r.unenabledfontcolor = Muted;
    r.stretcheffect = true;
}

TRect BarButtonCell(TSkinBuilder& b, TState s, int glyph) {
    const TRect cell = s == TState::Normal || s == TState::Disabled ? FlatFace(b.Atlas(), 18, 18, Face)
                                                                    : RaisedFace(b.Atlas(), 18, 18, s);
    TPainter p(b.Atlas().Picture());
    const TskColor c = s == TState::Disabled ? GlyphDisabled : Glyph;
    switch (glyph) {
    case 0:
        DrawCross(p, cell, 7, c);
        break;
    case 1:
        DrawMaximize(p, cell, 8, c);
        break;
    case 2:
        DrawMinimize(p, cell, 8, c);
        break;
    case 3:
        DrawMenuMark(p, cell, 8, c);
        break;
    default:
        DrawRestore(p, cell, 8, c);
        break;
    }
    return cell;
}

void AddMenuBarButton(TSkinBuilder& b, const char* name, TskStdCommand command, int glyph) {
    auto& r = b.Object<TskDataSkinMainMenuBarButton>(name, "mainmenubarbutton");
    r.command = command;
    r.skinrectinapicture = true;
    r.skinrect = BarButtonCell(b, TState::Normal, glyph);
    r.activeskinrect = BarButtonCell(b, TState::Hot, glyph);
    r.downrect = BarButtonCell(b, TState::Down, glyph);
    r.disableskinrsect = BarButtonCell(b, TState::Disabled, glyph);
    r.inactiveskinrect = r.skinrect;
    if (command == cmMaximize) {
        r.restorerect = BarButtonCell(b, TState::Normal, 4);
        r.restoreactiverect = BarButtonCell(b, TState::Hot, 4);
        r.restoredownrect = BarButtonCell(b, TState::Down, 4);
        r.restoreinactiverect = r.restorerect;
    }
}

void AddMenuBar(TSkinBuilder& b) {
    auto& r = b.Control<TskDataSkinMainMenuBar>("mainmenubar", "mainmenubar");
    r.skinrect = FlatFace(b.Atlas(), 60, MenuItemHeight + 2, Face);
    TPainter(b.Atlas().Picture())
        .Fill({r.skinrect.Left, r.skinrect.Bottom - 1, r.skinrect.Right, r.skinrect.Bottom}, BorderSoft);
    r.itemsrect = {2, 1, 58, MenuItemHeight + 1};
    r.menubaritem = "mainmenubaritem";
    r.closebutton = "menubarclosebutton";
    r.minbutton = "menubarminbutton";
    r.maxbutton = "menubarmaxbutton";
    r.sysmenubutton = "menubarsysmenubutton";
    r.trackmarkcolor = Glyph;
    r.trackmarkactivecolor = Accent;
}

void PaintPopupWindow(TSkinBuilder& b) {
    const int n = PopupSize;
    b.Popup.SetSize(n, n);
    TPainter p(b.Popup);
    p.Fill({0, 0, n, n}, Field);
    p.Frame({0, 0, n, n}, look::Border);
    p.Frame({1, 1, n - 1, n - 1}, Light);
    TskDataSkinPopupWindow w;
    w.windowpictureindex = piPopup;
    w.maskpictureindex = -1;
    w.itemsrect = {3, 3, n - 3, n - 3};
    w.lefttoppoint = {3, 3};
    w.righttoppoint = {n - 3, 3};
    w.leftbottompoint = {3, n - 3};
    w.rightbottompoint = {n - 3, n - 3};
    w.scrollmarkercolor = Glyph;
    w.scrollmarkeractivecolor = Accent;
    w.leftstretch = w.rightstretch = w.topstretch = w.bottomstretch = true;
    w.SaveToIni(b.Ini());
}

void PaintHintWindow(TSkinBuilder& b) {
    const int w0 = HintWidth, h0 = HintHeight;
    b.Hint.SetSize(w0, h0);
    TPainter p(b.Hint);
    p.Fill({0, 0, w0, h0}, HintFace);
    p.Frame({0, 0, w0, h0}, HintBorder);
    TskDataSkinHintWindow w;
    w.windowpictureindex = piHint;
    w.maskpictureindex = -1;
    w.lefttoppoint = {4, 4};
    w.righttoppoint = {w0 - 4, 4};
    w.leftbottompoint = {4, h0 - 4};
    w.rightbottompoint = {w0 - 4, h0 - 4};
    w.clientrect = {5, 4, w0 - 5, h0 - 4};
    UseFont(w, Ink);
    w.leftstretch = w.rightstretch = w.topstretch = w.bottomstretch = true;
    w.SaveToIni(b.Ini());
}

} // namespace

void AddMenus(TSkinBuilder& b) {
    PaintPopupWindow(b);
    PaintHintWindow(b);
    AddMenuItem(b);
    AddMenuBarItem(b);
    AddMenuBarButton(b, "menubarsysmenubutton", cmSysMenu, 3);
    AddMenuBarButton(b, "menubarclosebutton", cmClose, 0);
    AddMenuBarButton(b, "menubarmaxbutton", cmMaximize, 1);
    AddMenuBarButton(b, "menubarminbutton", cmMinimize, 2);
    AddMenuBar(b);
}

} // namespace vd::skingen
