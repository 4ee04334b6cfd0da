#include "skin/store/SkinObjectRecords.h"

#include "skin/store/SkinIni.h"
#include "skin/store/SkinRecordIo.h"

namespace vd {

namespace {

void Animation(TskIniExchange& io, TRect& rect, int& count, int& interval, bool& inactive) {
    io.Rect("animateskinrect", rect);
    io.Int("framecount", count, 0);
    io.Int("animateinterval", interval, 25);
    io.Bool("inactiveanimation", inactive);
}

void Restore(TskIniExchange& io, TRect& r, TRect& active, TRect& down, TRect& inactive) {
    io.Rect("restorerect", r);
    io.Rect("restoreactiverect", active);
    io.Rect("restoredownrect", down);
    io.Rect("restoreinactiverect", inactive);
}

} // namespace

void TskDataSkinObject::LoadFromIni(const TskMemIniFile& ini) {
    TskIniReader io(ini, IDName);
    Exchange(io);
    AfterLoad();
}

void TskDataSkinObject::SaveToIni(TskMemIniFile& ini) {
    TskIniWriter io(ini, IDName);
    Exchange(io);
}

void TskDataSkinObject::Exchange(TskIniExchange& io) {
    io.Str("hint", hint, "");
    io.Int("activepictureindex", activepictureindex, -1);
    io.Bool("skinrectinapicture", skinrectinapicture);
    io.Rect("skinrect", skinrect);
    io.Rect("activeskinrect", activeskinrect);
    io.Rect("inactiveskinrect", inactiveskinrect);
    io.Bool("morphing", morphing);
    io.Morph("morphkind", morphkind);
}

void TskDataSkinMenuItem::Exchange(TskIniExchange& io) {
    TskDataSkinObject::Exchange(io);
    io.Int("itemleftoffset", itemleftoffset, 0);
    io.Int("itemrightoffset", itemrightoffset, 0);
    io.Rect("dividerrect", dividerrect);
    io.Int("dividerleftoffset", dividerleftoffset, 0);
    io.Int("dividerrightoffset", dividerrightoffset, 0);
    io.Rect("textrect", textrect);
    io.Rect("imagerect", imagerect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Color("unenabledfontcolor", unenabledfontcolor);
    io.Bool("stretcheffect", stretcheffect);
    io.Bool("inactivestretcheffect", inactivestretcheffect);
    io.Bool("dividerstretcheffect", dividerstretcheffect);
    Animation(io, animateskinrect, framecount, animateinterval, inactiveanimation);
    io.Bool("useimagecolor", useimagecolor);
    io.Color("imagecolor", imagecolor);
    io.Color("activeimagecolor", activeimagecolor);
}

void TskDataSkinMainMenuItem::Exchange(TskIniExchange& io) {
    TskDataSkinObject::Exchange(io);
    io.Int("itemleftoffset", itemleftoffset, 0);
    io.Int("itemrightoffset", itemrightoffset, 0);
    io.Rect("downrect", downrect);
    io.Rect("textrect", textrect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Color("downfontcolor", downfontcolor);
    io.Color("unenabledfontColor", unenabledfontcolor);
    io.Bool("stretcheffect", stretcheffect);
    Animation(io, animateskinrect, framecount, animateinterval, inactiveanimation);
}

void TskDataSkinButton::Exchange(TskIniExchange& io) {
    TskDataSkinObject::Exchange(io);
    io.Rect("downrect", downrect);
    io.Rect("disableskinrsect", disableskinrsect);
}

void TskDataSkinStdButton::Exchange(TskIniExchange& io) {
    TskDataSkinButton::Exchange(io);
    io.Command("command", command);
    Restore(io, restorerect, restoreactiverect, restoredownrect, restoreinactiverect);
}

void TskDataSkinAnimate::Exchange(TskIniExchange& io) {
    TskDataSkinObject::Exchange(io);
    io.Int("countframes", countframes, 1);
    io.Bool("cycle", cycle);
    io.Bool("buttonstyle", buttonstyle);
    io.Int("timerinterval", timerinterval, 50);
    io.Command("command", command);
    io.Rect("downskinrect", downskinrect);
    Restore(io, restorerect, restoreactiverect, restoredownrect, restoreinactiverect);
}

void TskDataSkinCaption::Exchange(TskIniExchange& io) {
    TskDataSkinObject::Exchange(io);
    io.Rect("textrect", textrect);
    io.Font(fontname, fontheight, fontstyle, fontcolor);
    io.Color("activefontcolor", activefontcolor);
    io.Align("alignment", alignment);
    io.Bool("light", light);
    io.Color("lightcolor", lightcolor);
    io.Color("activelightcolor", activelightcolor);
    io.Bool("shadow", shadow);
    io.Color("shadowcolor", shadowcolor);
    io.Color("activeshadowcolor", activeshadowcolor);
    io.Rect("framerect", framerect);
    io.Rect("activeframerect", activeframerect);
    io.Rect("frametextrect", frametextrect);
    io.Int("frameleftoffset", frameleftoffset, 0);
    io.Int("framerightoffset", framerightoffset, 0);
    io.Bool("stretcheffect", stretcheffect);
    Animation(io, animateskinrect, framecount, animateinterval, inactiveanimation);
    io.Bool("fullframe", fullframe);
}

void TskDataUserObject::Exchange(TskIniExchange& io) {
    io.Rect("skinrect", skinrect);
}

namespace {

template <class T> std::unique_ptr<TskDataSkinObject> Make(const String& name) {
    return std::make_unique<T>(name);
}

using Factory = std::unique_ptr<TskDataSkinObject> (*)(const String&);
struct Kind {
    const char* Word;
    Factory Create;
};

constexpr Kind kKinds[] = {
    {"menuitem", Make<TskDataSkinMenuItem>},   {"mainmenubaritem", Make<TskDataSkinMainMenuBarItem>},
    {"stdbutton", Make<TskDataSkinStdButton>}, {"mainmenubarbutton", Make<TskDataSkinMainMenuBarButton>},
    {"button", Make<TskDataSkinButton>},       {"caption", Make<TskDataSkinCaption>},
    {"animate", Make<TskDataSkinAnimate>},     {"userobject", Make<TskDataUserObject>},
};

} // namespace

std::unique_ptr<TskDataSkinObject> CreateObjectRecord(std::string_view kind, const String& name) {
    for (const Kind& k : kKinds)
        if (kind == k.Word) return k.Create(name);
    return nullptr;
}

} // namespace vd
