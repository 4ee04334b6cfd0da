#pragma once
// Control skin records: one per SKINCONTROLS entry, each filled from the section of its name.
// Fields carry the names of the INI keys that fill them.
#include "platform/rtl/String.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

#include <memory>
#include <string_view>

namespace vd {

class TskDataSkinControl {
public:
    explicit TskDataSkinControl(String name) : IDName(std::move(name)) {}
    virtual ~TskDataSkinControl() = default;

    // Reads the section IDName; every key missing from it takes its codec's default.
    void LoadFromIni(const TskMemIniFile& ini);
    // Erases the section IDName and writes every key that LoadFromIni reads.
    void SaveToIni(TskMemIniFile& ini);

    String IDName;
    int pictureindex = -1;
    int maskpictureindex = -1;
    TRect skinrect;

protected:
    // Each override calls its parent's first, then reads or writes its own keys in order.
    virtual void Exchange(TskIniExchange& io);
};

class TskDataSkinCustomControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    bool stretcheffect = false, leftstretch = false, topstretch = false, rightstretch = false,
         bottomstretch = false;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinPanelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    int bgpictureindex = -1;
    TRect captionrect;
    TskAlignment alignment = TskAlignment::Center;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0;
    TRect checkimagerect, uncheckimagerect, markframerect, framerect, frametextrect;
    int frameleftoffset = 0, framerightoffset = 0;
    TRect gripperrect;
    bool grippertransparent = false;
    TskColor grippertransparentcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinExPanelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect rollhskinrect, rollvskinrect;
    int rollleftoffset = 0, rollrightoffset = 0, rolltopoffset = 0, rollbottomoffset = 0;
    TRect rollvcaptionrect, rollhcaptionrect;
    TRect closebuttonrect, closebuttonactiverect, closebuttondownrect;
    TRect hrollbuttonrect, hrollbuttonactiverect, hrollbuttondownrect;
    TRect hrestorebuttonrect, hrestorebuttonactiverect, hrestorebuttondownrect;
    TRect vrollbuttonrect, vrollbuttonactiverect, vrollbuttondownrect;
    TRect vrestorebuttonrect, vrestorebuttonactiverect, vrestorebuttondownrect;
    TRect captionrect;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinButtonControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, disabledfontcolor = 0;
    TRect activeskinrect, downskinrect, disabledskinrect;
    bool morphing = false;
    TskMorphKind morphkind = mkDefault;
    TRect animateskinrect;
    int framecount = 0;
    int animateinterval = 25;
    bool showfocus = false;
    TRect menumarkerflatrect, menumarkerrect, menumarkeractiverect, menumarkerdownrect;
    TskColor menumarkertransparentcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinMenuButtonControl : public TskDataSkinButtonControl {
public:
    using TskDataSkinButtonControl::TskDataSkinButtonControl;
    TRect trackbuttonrect;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinCheckRadioControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0, framefontcolor = 0;
    TRect activeskinrect, checkimagearea, textarea, checkimagerect, uncheckimagerect;
    TRect activecheckimagerect, activeuncheckimagerect, unenabledcheckimagerect, unenableduncheckimagerect;
    bool morphing = false;
    TskMorphKind morphkind = mkDefault;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinGaugeControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect progressarea, progressrect;
    int beginoffset = 0, endoffset = 0;
    bool vertical = false;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0;
    bool progresstransparent = false;
    TskColor progresstransparentcolor = 0;
    bool progressstretch = false;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect gripperrect;
    bool grippertransparent = false;
    TskColor grippertransparentcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinTrackBarControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect trackarea, buttonrect, activebuttonrect;
    bool vertical = false, buttontransparent = false;
    TskColor buttontransparentcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinLabelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinStdLabelControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0;
    TskColor activefontcolor = 0xFF0000; // pure blue

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinUpDownControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinGridControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TRect fixedcellrect, selectcellrect, focuscellrect;
    int fixedcellleftoffset = 0, fixedcellrightoffset = 0;
    TRect fixedcelltextrect;
    int cellleftoffset = 0, cellrightoffset = 0;
    TRect celltextrect;
    TskColor linescolor = 0, bgcolor = 0;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, selectfontcolor = 0, focusfontcolor = 0;
    String fixedfontname = "Arial";
    int fixedfontheight = 14;
    TskFontStyles fixedfontstyle = 0;
    TskColor fixedfontcolor = 0;
    bool cellstretcheffect = false, fixedcellstretcheffect = false, showfocus = false;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinTabControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TRect tabrect, activetabrect, focustabrect, mouseintabrect;
    TRect clientrect;
    int bgpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    int tableftoffset = 0, tabrightoffset = 0;
    TRect tabsbgrect;
    bool tabstretcheffect = false, leftstretch = false, topstretch = false, rightstretch = false,
         bottomstretch = false;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;
    String updown;
    bool showfocus = false;
    int focusoffsetx = 0, focusoffsety = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinMainMenuBar : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TRect itemsrect;
    String menubaritem, closebutton, minbutton, maxbutton, sysmenubutton;
    TskColor trackmarkcolor = 0, trackmarkactivecolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinControlBar : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect itemrect;
    int bgpictureindex = -1;
    TRect hgriprect, vgriprect;
    int gripoffset1 = 0, gripoffset2 = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinEditControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect activeskinrect;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, disabledfontcolor = 0, activefontcolor = 0;
    TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinMemoControl : public TskDataSkinEditControl {
public:
    using TskDataSkinEditControl::TskDataSkinEditControl;
    TskColor bgcolor = 0, activebgcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinListBox : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect itemrect, activeitemrect, focusitemrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect itemtextrect;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
    TRect captionrect;
    String captionfontname = "Arial";
    int captionfontheight = 14;
    TskFontStyles captionfontstyle = 0;
    TskColor captionfontcolor = 0;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    TRect checkbuttonrect, activecheckbuttonrect, downcheckbuttonrect;
    String vscrollbarname = "vscrollbar", hscrollbarname = "hscrollbar",
           bothhscrollbarname = "bothhscrollbar";
    bool showfocus = false;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinCheckListBox : public TskDataSkinListBox {
public:
    using TskDataSkinListBox::TskDataSkinListBox;
    TRect itemcheckrect, checkimagerect, uncheckimagerect;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinComboBox : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect activeskinrect;
    TRect itemrect, activeitemrect, focusitemrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect itemtextrect;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, focusfontcolor = 0, activefontcolor = 0;
    String listboxname;
    TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
    bool itemstretcheffect = false, focusitemstretcheffect = false, showfocus = false;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinScrollBarControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect trackarea;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    TRect thumbrect, activethumbrect, downthumbrect;
    int thumboffset1 = 0, thumboffset2 = 0;
    bool thumbtransparent = false;
    TskColor thumbtransparentcolor = 0;
    TRect glyphrect, activeglyphrect, downglyphrect;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinSpinEditControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect activeskinrect;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinScrollBoxControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    int bgpictureindex = -1;

protected:
    void Exchange(TskIniExchange& io) override;
};

// Tree view, list view and rich edit share one shape: a font and a background colour.
class TskDataSkinTextViewBase : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, bgcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinTreeView : public TskDataSkinTextViewBase {
public:
    using TskDataSkinTextViewBase::TskDataSkinTextViewBase;
};

class TskDataSkinListView : public TskDataSkinTextViewBase {
public:
    using TskDataSkinTextViewBase::TskDataSkinTextViewBase;
};

class TskDataSkinRichEdit : public TskDataSkinTextViewBase {
public:
    using TskDataSkinTextViewBase::TskDataSkinTextViewBase;
};

class TskDataSkinBevel : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TskColor lightcolor = 0, darkcolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinSlider : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TskColor bgcolor = 0;
    TRect hrulerrect, hthumbrect, vrulerrect, vthumbrect;
    int edgesize = 0;
    TskColor pointscolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

// The record class of a SKINCONTROLS kind word (exact, case-sensitive), or null for none.
std::unique_ptr<TskDataSkinControl> CreateControlRecord(std::string_view kind, const String& name);

} // namespace vd
