#include "skin/store/SkinWindowRecords.h"

#include "skin/store/SkinIni.h"
#include "skin/store/SkinRecordIo.h"

namespace vd {

void TskSkinColors::Reset() {
    cbtnface = clskBtnFace;
    cbtntext = clskBtnText;
    cwindow = clskWindow;
    cwindowtext = clskWindowText;
    chighlight = clskHighlight;
    chighlighttext = clskHighlightText;
    cbtnhighlight = clskBtnHighlight;
    cbtnshadow = clskBtnShadow;
}

void TskSkinColors::Exchange(TskIniExchange& io) {
    io.Color("cbtnface", cbtnface, clskBtnFace);
    io.Color("cbtntext", cbtntext, clskBtnText);
    io.Color("cwindow", cwindow, clskWindow);
    io.Color("cwindowtext", cwindowtext, clskWindowText);
    io.Color("chighlight", chighlight, clskHighlight);
    io.Color("chighlighttext", chighlighttext, clskHighlightText);
    io.Color("cbtnhighlight", cbtnhighlight, clskBtnHighlight);
    io.Color("cbtnshadow", cbtnshadow, clskBtnShadow);
}

void TskSkinColors::LoadFromIni(const TskMemIniFile& ini) {
    TskIniReader io(ini, "SKINCOLORS");
    Exchange(io);
}

void TskSkinColors::SaveToIni(TskMemIniFile& ini) {
    TskIniWriter io(ini, "SKINCOLORS");
    Exchange(io);
}

void TskDataSkinPopupWindow::Exchange(TskIniExchange& io) {
    io.Int("windowpictureindex", windowpictureindex, -1);
    io.Int("maskpictureindex", maskpictureindex, -1);
    io.Corners(lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    io.Rect("itemsrect", itemsrect);
    io.Color("scrollmarkercolor", scrollmarkercolor);
    io.Color("scrollmarkeractivecolor", scrollmarkeractivecolor);
    io.Stretches(leftstretch, topstretch, rightstretch, bottomstretch);
}

void TskDataSkinPopupWindow::LoadFromIni(const TskMemIniFile& ini) {
    TskIniReader io(ini, "POPUPWINDOW");
    Exchange(io);
}

void TskDataSkinPopupWindow::SaveToIni(TskMemIniFile& ini) {
    TskIniWriter io(ini, "POPUPWINDOW");
    Exchange(io);
}

void TskDataSkinHintWindow::Exchange(TskIniExchange& io) {
    io.Int("windowpictureindex", windowpictureindex, -1);
    io.Int("maskpictureindex", maskpictureindex, -1);
    io.Corners(lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    io.Rect("clientrect", clientrect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Stretches(leftstretch, topstretch, rightstretch, bottomstretch);
}

void TskDataSkinHintWindow::LoadFromIni(const TskMemIniFile& ini) {
    TskIniReader io(ini, "HINTWINDOW");
    Exchange(io);
}

void TskDataSkinHintWindow::SaveToIni(TskMemIniFile& ini) {
    TskIniWriter io(ini, "HINTWINDOW");
    Exchange(io);
}

} // namespace vd
