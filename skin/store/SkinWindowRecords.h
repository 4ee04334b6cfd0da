#pragma once
// The skin's eight colours and the records of popup-menu and hint windows.
#include "platform/rtl/String.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

namespace vd {

class TskSkinColors {
public:
    // Sets the system colours.
    void Reset();
    void LoadFromIni(const TskMemIniFile& ini);
    void SaveToIni(TskMemIniFile& ini);

    TskColor cbtnface = 0, cbtntext = 0, cwindow = 0, cwindowtext = 0, chighlight = 0, chighlighttext = 0,
             cbtnhighlight = 0, cbtnshadow = 0;

private:
    void Exchange(TskIniExchange& io);
};

class TskDataSkinPopupWindow {
public:
    void LoadFromIni(const TskMemIniFile& ini);
    void SaveToIni(TskMemIniFile& ini);

    int windowpictureindex = -1, maskpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect itemsrect;
    TskColor scrollmarkercolor = 0, scrollmarkeractivecolor = 0;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;

private:
    void Exchange(TskIniExchange& io);
};

class TskDataSkinHintWindow {
public:
    void LoadFromIni(const TskMemIniFile& ini);
    void SaveToIni(TskMemIniFile& ini);

    int windowpictureindex = -1, maskpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    String fontname = "Arial";
    int fontheight = 12; // 14 once a HINTWINDOW section has been read
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;

private:
    void Exchange(TskIniExchange& io);
};

} // namespace vd
