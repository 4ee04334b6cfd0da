#include "skin/store/SkinControlRecords.h"

#include "skin/store/SkinIni.h"
#include "skin/store/SkinRecordIo.h"

namespace vd {

namespace {

void UpDownButtons(TskIniExchange& io, TRect& up, TRect& activeUp, TRect& downUp, TRect& down,
                   TRect& activeDown, TRect& downDown) {
    io.Rect("upbuttonrect", up);
    io.Rect("activeupbuttonrect", activeUp);
    io.Rect("downupbuttonrect", downUp);
    io.Rect("downbuttonrect", down);
    io.Rect("activedownbuttonrect", activeDown);
    io.Rect("downdownbuttonrect", downDown);
}

} // namespace

void TskDataSkinControl::LoadFromIni(const TskMemIniFile& ini) {
    TskIniReader io(ini, IDName);
    Exchange(io);
}

void TskDataSkinControl::SaveToIni(TskMemIniFile& ini) {
    TskIniWriter io(ini, IDName);
    Exchange(io);
}

void TskDataSkinControl::Exchange(TskIniExchange& io) {
    io.Int("pictureindex", pictureindex, -1);
    io.Int("maskpictureindex", maskpictureindex, -1);
    io.Rect("skinrect", skinrect);
}

void TskDataSkinCustomControl::Exchange(TskIniExchange& io) {
    TskDataSkinControl::Exchange(io);
    io.Corners(lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    io.Rect("clientrect", clientrect);
    io.Stretches(leftstretch, topstretch, rightstretch, bottomstretch);
    io.Bool("stretcheffect", stretcheffect);
}

void TskDataSkinPanelControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Int("bgpictureindex", bgpictureindex, -1);
    io.Rect("captionrect", captionrect);
    io.Align("alignment", alignment);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Rect("checkimagerect", checkimagerect);
    io.Rect("uncheckimagerect", uncheckimagerect);
    io.Rect("markframerect", markframerect);
    io.Rect("framerect", framerect);
    io.Rect("frametextrect", frametextrect);
    io.Int("frameleftoffset", frameleftoffset, 0);
    io.Int("framerightoffset", framerightoffset, 0);
    io.Rect("gripperrect", gripperrect);
    io.Bool("grippertransparent", grippertransparent);
    io.Color("grippertransparentcolor", grippertransparentcolor);
}

void TskDataSkinExPanelControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("rollhskinrect", rollhskinrect);
    io.Rect("rollvskinrect", rollvskinrect);
    io.Int("rollleftoffset", rollleftoffset, 0);
    io.Int("rollrightoffset", rollrightoffset, 0);
    io.Int("rolltopoffset", rolltopoffset, 0);
    io.Int("rollbottomoffset", rollbottomoffset, 0);
    io.Rect("rollvcaptionrect", rollvcaptionrect);
    io.Rect("rollhcaptionrect", rollhcaptionrect);
    io.Rect("closebuttonrect", closebuttonrect);
    io.Rect("closebuttonactiverect", closebuttonactiverect);
    io.Rect("closebuttondownrect", closebuttondownrect);
    io.Rect("hrollbuttonrect", hrollbuttonrect);
    io.Rect("hrollbuttonactiverect", hrollbuttonactiverect);
    io.Rect("hrollbuttondownrect", hrollbuttondownrect);
    io.Rect("hrestorebuttonrect", hrestorebuttonrect);
    io.Rect("hrestorebuttonactiverect", hrestorebuttonactiverect);
    io.Rect("hrestorebuttondownrect", hrestorebuttondownrect);
    io.Rect("vrollbuttonrect", vrollbuttonrect);
    io.Rect("vrollbuttonactiverect", vrollbuttonactiverect);
    io.Rect("vrollbuttondownrect", vrollbuttondownrect);
    io.Rect("vrestorebuttonrect", vrestorebuttonrect);
    io.Rect("vrestorebuttonactiverect", vrestorebuttonactiverect);
    io.Rect("vrestorebuttondownrect", vrestorebuttondownrect);
    io.Rect("captionrect", captionrect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
}

void TskDataSkinButtonControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Color("downfontcolor", downfontcolor);
    io.Color("disabledfontcolor", disabledfontcolor);
    io.Rect("activeskinrect", activeskinrect);
    io.Rect("downskinrect", downskinrect);
    io.Rect("disabledskinrect", disabledskinrect);
    io.Bool("morphing", morphing);
    io.Morph("morphkind", morphkind);
    io.Rect("animateskinrect", animateskinrect);
    io.Int("framecount", framecount, 0);
    io.Int("animateinterval", animateinterval, 25);
    io.Bool("showfocus", showfocus);
    io.Rect("menumarkerflatrect", menumarkerflatrect);
    io.Rect("menumarkerrect", menumarkerrect);
    io.Rect("menumarkeractiverect", menumarkeractiverect);
    io.Rect("menumarkerdownrect", menumarkerdownrect);
    io.Color("menumarkertransparentcolor", menumarkertransparentcolor);
}

void TskDataSkinMenuButtonControl::Exchange(TskIniExchange& io) {
    TskDataSkinButtonControl::Exchange(io);
    io.Rect("trackbuttonrect", trackbuttonrect);
}

void TskDataSkinCheckRadioControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Color("unenabledfontcolor", unenabledfontcolor);
    io.Color("framefontcolor", framefontcolor);
    io.Rect("activeskinrect", activeskinrect);
    io.Rect("checkimagearea", checkimagearea);
    io.Rect("textarea", textarea);
    io.Rect("checkimagerect", checkimagerect);
    io.Rect("uncheckimagerect", uncheckimagerect);
    io.Rect("activecheckimagerect", activecheckimagerect);
    io.Rect("activeuncheckimagerect", activeuncheckimagerect);
    io.Rect("unenabledcheckimagerect", unenabledcheckimagerect);
    io.Rect("unenableduncheckimagerect", unenableduncheckimagerect);
    io.Bool("morphing", morphing);
    io.Morph("morphkind", morphkind);
}

void TskDataSkinGaugeControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("progressarea", progressarea);
    io.Rect("progressrect", progressrect);
    io.Int("beginoffset", beginoffset, 0);
    io.Int("endoffset", endoffset, 0);
    io.Bool("vertical", vertical);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Bool("progresstransparent", progresstransparent);
    io.Color("progresstransparentcolor", progresstransparentcolor);
    io.Bool("progressstretch", progressstretch);
}

void TskDataSkinSplitterControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("gripperrect", gripperrect);
    io.Bool("grippertransparent", grippertransparent);
    io.Color("grippertransparentcolor", grippertransparentcolor);
}

void TskDataSkinTrackBarControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("trackarea", trackarea);
    io.Rect("buttonrect", buttonrect);
    io.Rect("activebuttonrect", activebuttonrect);
    io.Bool("vertical", vertical);
    io.Bool("buttontransparent", buttontransparent);
    io.Color("buttontransparentcolor", buttontransparentcolor);
}

void TskDataSkinLabelControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
}

void TskDataSkinStdLabelControl::Exchange(TskIniExchange& io) {
    TskDataSkinControl::Exchange(io);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor, 0xFF0000);
}

void TskDataSkinUpDownControl::Exchange(TskIniExchange& io) {
    auto zero = [this] {
        lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
        clientrect = TRect{};
    };
    // The up-down face is never composed, so its corner geometry is always empty.
    if (io.Writing()) zero();
    TskDataSkinCustomControl::Exchange(io);
    UpDownButtons(io, upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect,
                  activedownbuttonrect, downdownbuttonrect);
    zero();
}

void TskDataSkinGridControl::Exchange(TskIniExchange& io) {
    TskDataSkinControl::Exchange(io);
    io.Rect("fixedcellrect", fixedcellrect);
    io.Rect("selectcellrect", selectcellrect);
    io.Rect("focuscellrect", focuscellrect);
    io.Int("fixedcellleftoffset", fixedcellleftoffset, 0);
    io.Int("fixedcellrightoffset", fixedcellrightoffset, 0);
    io.Rect("fixedcelltextrect", fixedcelltextrect);
    io.Int("cellleftoffset", cellleftoffset, 0);
    io.Int("cellrightoffset", cellrightoffset, 0);
    io.Rect("celltextrect", celltextrect);
    io.Color("linescolor", linescolor);
    io.Color("bgcolor", bgcolor);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("selectfontcolor", selectfontcolor);
    io.Color("focusfontcolor", focusfontcolor);
    io.Str("fixedfontname", fixedfontname, "Arial");
    io.Int("fixedfontheight", fixedfontheight, 14);
    io.Style("fixedfontstyle", fixedfontstyle);
    io.Color("fixedfontcolor", fixedfontcolor);
    io.Bool("cellstretcheffect", cellstretcheffect);
    io.Bool("fixedcellstretcheffect", fixedcellstretcheffect);
    io.Bool("showfocus", showfocus);
}

void TskDataSkinTabControl::Exchange(TskIniExchange& io) {
    TskDataSkinControl::Exchange(io);
    io.Rect("tabrect", tabrect);
    io.Rect("activetabrect", activetabrect);
    io.Rect("focustabrect", focustabrect);
    io.Rect("mouseintabrect", mouseintabrect);
    io.Rect("clientrect", clientrect);
    io.Int("bgpictureindex", bgpictureindex, -1);
    io.Corners(lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    io.Int("tableftoffset", tableftoffset, 0);
    io.Int("tabrightoffset", tabrightoffset, 0);
    io.Rect("tabsbgrect", tabsbgrect);
    io.Bool("tabstretcheffect", tabstretcheffect);
    io.Stretches(leftstretch, topstretch, rightstretch, bottomstretch);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Color("focusfontcolor", focusfontcolor);
    io.Color("mouseinfontcolor", mouseinfontcolor);
    io.Str("updown", updown, "");
    io.Bool("showfocus", showfocus);
    io.Int("focusoffsetx", focusoffsetx, 0);
    io.Int("focusoffsety", focusoffsety, 0);
}

void TskDataSkinMainMenuBar::Exchange(TskIniExchange& io) {
    TskDataSkinControl::Exchange(io);
    io.Rect("itemsrect", itemsrect);
    io.Str("menubaritem", menubaritem, "");
    io.Str("closebutton", closebutton, "");
    io.Str("minbutton", minbutton, "");
    io.Str("maxbutton", maxbutton, "");
    io.Str("sysmenubutton", sysmenubutton, "");
    io.Color("trackmarkcolor", trackmarkcolor);
    io.Color("trackmarkactivecolor", trackmarkactivecolor);
}

void TskDataSkinControlBar::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", itemrect);
    io.Int("bgpictureindex", bgpictureindex, -1);
    io.Rect("hgriprect", hgriprect);
    io.Rect("vgriprect", vgriprect);
    io.Int("gripoffset1", gripoffset1, 0);
    io.Int("gripoffset2", gripoffset2, 0);
}

void TskDataSkinEditControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", activeskinrect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("disabledfontcolor", disabledfontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Rect("buttonrect", buttonrect);
    io.Rect("activebuttonrect", activebuttonrect);
    io.Rect("downbuttonrect", downbuttonrect);
    io.Rect("unenabledbuttonrect", unenabledbuttonrect);
}

void TskDataSkinMemoControl::Exchange(TskIniExchange& io) {
    TskDataSkinEditControl::Exchange(io);
    io.Color("bgcolor", bgcolor);
    io.Color("activebgcolor", activebgcolor);
}

void TskDataSkinListBox::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", itemrect);
    io.Rect("activeitemrect", activeitemrect);
    io.Rect("focusitemrect", focusitemrect);
    io.Int("itemleftoffset", itemleftoffset, 0);
    io.Int("itemrightoffset", itemrightoffset, 0);
    io.Rect("itemtextrect", itemtextrect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Color("focusfontcolor", focusfontcolor);
    io.Rect("captionrect", captionrect);
    io.Str("captionfontname", captionfontname, "Arial");
    io.Int("captionfontheight", captionfontheight, 14);
    io.Style("captionfontstyle", captionfontstyle);
    io.Color("captionfontcolor", captionfontcolor);
    UpDownButtons(io, upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect,
                  activedownbuttonrect, downdownbuttonrect);
    io.Rect("checkbuttonrect", checkbuttonrect);
    io.Rect("activecheckbuttonrect", activecheckbuttonrect);
    io.Rect("downcheckbuttonrect", downcheckbuttonrect);
    io.Str("vscrollbarname", vscrollbarname, "vscrollbar");
    io.Str("hscrollbarname", hscrollbarname, "hscrollbar");
    io.Str("bothhscrollbarname", bothhscrollbarname, "bothhscrollbar");
    io.Bool("showfocus", showfocus);
}

void TskDataSkinCheckListBox::Exchange(TskIniExchange& io) {
    TskDataSkinListBox::Exchange(io);
    io.Rect("itemcheckrect", itemcheckrect);
    io.Rect("checkimagerect", checkimagerect);
    io.Rect("uncheckimagerect", uncheckimagerect);
}

void TskDataSkinComboBox::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", activeskinrect);
    io.Rect("itemrect", itemrect);
    io.Rect("activeitemrect", activeitemrect);
    io.Rect("focusitemrect", focusitemrect);
    io.Int("itemleftoffset", itemleftoffset, 0);
    io.Int("itemrightoffset", itemrightoffset, 0);
    io.Rect("itemtextrect", itemtextrect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("focusfontcolor", focusfontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Str("listboxname", listboxname, "");
    io.Rect("buttonrect", buttonrect);
    io.Rect("activebuttonrect", activebuttonrect);
    io.Rect("downbuttonrect", downbuttonrect);
    io.Rect("unenabledbuttonrect", unenabledbuttonrect);
    io.Bool("itemstretcheffect", itemstretcheffect);
    io.Bool("focusitemstretcheffect", focusitemstretcheffect);
    io.Bool("showfocus", showfocus);
}

void TskDataSkinScrollBarControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("trackarea", trackarea);
    UpDownButtons(io, upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect,
                  activedownbuttonrect, downdownbuttonrect);
    io.Rect("thumbrect", thumbrect);
    io.Rect("activethumbrect", activethumbrect);
    io.Rect("downthumbrect", downthumbrect);
    io.Int("thumboffset1", thumboffset1, 0);
    io.Int("thumboffset2", thumboffset2, 0);
    io.Bool("thumbtransparent", thumbtransparent);
    io.Color("thumbtransparentcolor", thumbtransparentcolor);
    io.Rect("glyphrect", glyphrect);
    io.Rect("activeglyphrect", activeglyphrect);
    io.Rect("downglyphrect", downglyphrect);
}

void TskDataSkinSpinEditControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", activeskinrect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Color("disabledfontcolor", disabledfontcolor);
    UpDownButtons(io, upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect,
                  activedownbuttonrect, downdownbuttonrect);
}

void TskDataSkinScrollBoxControl::Exchange(TskIniExchange& io) {
    TskDataSkinCustomControl::Exchange(io);
    io.Int("bgpictureindex", bgpictureindex, -1);
}

void TskDataSkinTextViewBase::Exchange(TskIniExchange& io) {
    TskDataSkinControl::Exchange(io);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("bgcolor", bgcolor);
}

void TskDataSkinBevel::Exchange(TskIniExchange& io) {
    TskDataSkinControl::Exchange(io);
    io.Color("lightcolor", lightcolor);
    io.Color("darkcolor", darkcolor);
}

void TskDataSkinSlider::Exchange(TskIniExchange& io) {
    TskDataSkinControl::Exchange(io);
    io.Color("bgcolor", bgcolor);
    io.Rect("hrulerrect", hrulerrect);
    io.Rect("hthumbrect", hthumbrect);
    io.Rect("vrulerrect", vrulerrect);
    io.Rect("vthumbrect", vthumbrect);
    io.Int("edgesize", edgesize, 0);
    io.Color("pointscolor", pointscolor);
}

namespace {

template <class T> std::unique_ptr<TskDataSkinControl> Make(const String& name) {
    return std::make_unique<T>(name);
}

using Factory = std::unique_ptr<TskDataSkinControl> (*)(const String&);
struct Kind {
    const char* Word;
    Factory Create;
};

constexpr Kind kKinds[] = {
    {"panel", Make<TskDataSkinPanelControl>},
    {"expanel", Make<TskDataSkinExPanelControl>},
    {"menubutton", Make<TskDataSkinMenuButtonControl>},
    {"button", Make<TskDataSkinButtonControl>},
    {"checkradio", Make<TskDataSkinCheckRadioControl>},
    {"gauge", Make<TskDataSkinGaugeControl>},
    {"splitter", Make<TskDataSkinSplitterControl>},
    {"trackbar", Make<TskDataSkinTrackBarControl>},
    {"label", Make<TskDataSkinLabelControl>},
    {"stdlabel", Make<TskDataSkinStdLabelControl>},
    {"updown", Make<TskDataSkinUpDownControl>},
    {"grid", Make<TskDataSkinGridControl>},
    {"tab", Make<TskDataSkinTabControl>},
    {"mainmenubar", Make<TskDataSkinMainMenuBar>},
    {"controlbar", Make<TskDataSkinControlBar>},
    {"memo", Make<TskDataSkinMemoControl>},
    {"edit", Make<TskDataSkinEditControl>},
    {"checklistbox", Make<TskDataSkinCheckListBox>},
    {"listbox", Make<TskDataSkinListBox>},
    {"combobox", Make<TskDataSkinComboBox>},
    {"scrollbar", Make<TskDataSkinScrollBarControl>},
    {"spinedit", Make<TskDataSkinSpinEditControl>},
    {"scrollbox", Make<TskDataSkinScrollBoxControl>},
    {"treeview", Make<TskDataSkinTreeView>},
    {"bevel", Make<TskDataSkinBevel>},
    {"slider", Make<TskDataSkinSlider>},
    {"listview", Make<TskDataSkinListView>},
    {"richedit", Make<TskDataSkinRichEdit>},
};

} // namespace

std::unique_ptr<TskDataSkinControl> CreateControlRecord(std::string_view kind, const String& name) {
    for (const Kind& k : kKinds)
        if (kind == k.Word) return k.Create(name);
    return nullptr;
}

} // namespace vd
