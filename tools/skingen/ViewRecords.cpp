// Views: the grid, the page control's tabs, tree, list and rich text views.
#include "tools/skingen/Faces.h"
#include "tools/skingen/SkinBuilder.h"

namespace vd::skingen {

using namespace look;
using namespace measure;

namespace {

TRect Cell(TSkinBuilder& b, TskColor top, TskColor bottom, bool rules) {
    const TRect r = FlatFace(b.Atlas(), CellWidth, ItemHeight, Field);
    TPainter p(b.Atlas().Picture());
    p.VGradient(r, top, bottom);
    if (rules) {
        p.Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, BorderSoft);
        p.Fill({r.Right - 1, r.Top + 3, r.Right, r.Bottom - 3}, BorderSoft);
    }
    return r;
}

void AddGrid(TSkinBuilder& b) {
    auto& r = b.Control<TskDataSkinGridControl>("grid", "grid");
    r.skinrect = {};
    r.fixedcellrect = Cell(b, FixedHi, FixedLo, true);
    r.selectcellrect = Cell(b, SelectionLight, SelectionLight, false);
    r.focuscellrect = Cell(b, Selection, Selection, false);
    r.fixedcellleftoffset = r.fixedcellrightoffset = 2;
    r.fixedcelltextrect = {4, 0, CellWidth - 4, ItemHeight};
    r.cellleftoffset = r.cellrightoffset = 2;
    r.celltextrect = {4, 0, CellWidth - 4, ItemHeight};
    r.linescolor = GridLine;
    r.bgcolor = Field;
    UseFont(r, Ink);
    r.selectfontcolor = Ink;
    r.focusfontcolor = OnAccent;
    r.fixedfontname = FontName;
    r.fixedfontheight = FontHeight;
    r.fixedfontstyle = skfsBold;
    r.fixedfontcolor = Ink;
    r.cellstretcheffect = r.fixedcellstretcheffect = true;
    r.showfocus = false;
}

enum class TTabLook { Normal, Hot, Active, Focused };

TRect Tab(TSkinBuilder& b, TTabLook look) {
    const TRect r = FlatFace(b.Atlas(), TabWidth, TabHeight, Face);
    TPainter p(b.Atlas().Picture());
    const bool selected = look == TTabLook::Active || look == TTabLook::Focused;
    const TRect shape{r.Left, r.Top + (selected ? 0 : 2), r.Right, r.Bottom + 4}; // no rounding at the foot
    const TskColor top = look == TTabLook::Hot ? HotHi : selected ? Face : FixedHi;
    const TskColor bottom = look == TTabLook::Hot ? HotLo : selected ? Face : FixedLo;
    p.RoundFace(shape, 4, look == TTabLook::Focused ? BorderHot : BorderSoft, top, bottom);
    if (selected)
        p.RoundFill({r.Left + 1, r.Top + 1, r.Right - 1, r.Top + (look == TTabLook::Focused ? 4 : 3)}, 2,
                    Accent, Accent);
    else
        p.Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, BorderSoft);
    return r;
}

void AddTab(TSkinBuilder& b, const char* name) {
    auto& r = b.Control<TskDataSkinTabControl>(name, "tab");
    const int w = 64, h = 64;
    r.skinrect = FlatFace(b.Atlas(), w, h, Face);
    TPainter(b.Atlas().Picture()).Frame(r.skinrect, BorderSoft);
    r.clientrect = {1, 1, w - 1, h - 1};
    r.bgpictureindex = -1;
    r.lefttoppoint = {1, 1};
    r.righttoppoint = {w - 1, 1};
    r.leftbottompoint = {1, h - 1};
    r.rightbottompoint = {w - 1, h - 1};
    r.leftstretch = r.topstretch = r.rightstretch = r.bottomstretch = true;
    r.tabrect = Tab(b, TTabLook::Normal);
    r.activetabrect = Tab(b, TTabLook::Active);
    r.focustabrect = Tab(b, TTabLook::Focused);
    r.mouseintabrect = Tab(b, TTabLook::Hot);
    r.tableftoffset = r.tabrightoffset = 5;
    r.tabsbgrect = FlatFace(b.Atlas(), 8, TabHeight, Face);
    TPainter(b.Atlas().Picture())
        .Fill({r.tabsbgrect.Left, r.tabsbgrect.Bottom - 1, r.tabsbgrect.Right, r.tabsbgrect.Bottom},
              BorderSoft);
    r.tabstretcheffect = true;
    UseFont(r, Ink);
    r.activefontcolor = Ink;
    r.focusfontcolor = Ink;
    r.mouseinfontcolor = Ink;
    r.updown = "hupdown";
    r.showfocus = false;
    r.focusoffsetx = r.focusoffsety = 0;
}

template <class T> void AddTextView(TSkinBuilder& b, const char* name, const char* kind) {
    auto& r = b.Control<T>(name, kind);
    r.pictureindex = -1;
    UseFont(r, Ink);
    r.bgcolor = Field;
}

} // namespace

void AddViews(TSkinBuilder& b) {
    AddGrid(b);
    AddTab(b, "tab");
    AddTab(b, "officetab");
    AddTextView<TskDataSkinTreeView>(b, "treeview", "treeview");
    AddTextView<TskDataSkinListView>(b, "listview", "listview");
    AddTextView<TskDataSkinRichEdit>(b, "richedit", "richedit");
}

} // namespace vd::skingen
