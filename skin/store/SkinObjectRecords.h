#pragma once
// Form-object skin records: the pieces of a skinned window frame, one per SKINOBJECTS entry.
#include "platform/rtl/String.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

#include <memory>
#include <string_view>

namespace vd {

class TskDataSkinObject {
public:
    explicit TskDataSkinObject(String name) : IDName(std::move(name)) {}
    virtual ~TskDataSkinObject() = default;

    void LoadFromIni(const TskMemIniFile& ini);
    void SaveToIni(TskMemIniFile& ini);

    String IDName;
    String hint;
    bool skinrectinapicture = false;
    TRect skinrect, activeskinrect;
    int activepictureindex = -1;
    TRect inactiveskinrect;
    bool morphing = false;
    TskMorphKind morphkind = mkDefault;

protected:
    virtual void Exchange(TskIniExchange& io);
    virtual void AfterLoad() {}
};

class TskDataSkinMenuItem : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect dividerrect;
    int dividerleftoffset = 0, dividerrightoffset = 0;
    TRect textrect, imagerect;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0;
    bool stretcheffect = false, inactivestretcheffect = false, dividerstretcheffect = false;
    TRect animateskinrect;
    int framecount = 0, animateinterval = 25;
    bool inactiveanimation = false, useimagecolor = false;
    TskColor imagecolor = 0, activeimagecolor = 0;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinMainMenuItem : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect downrect, textrect;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, unenabledfontcolor = 0;
    bool stretcheffect = false;
    TRect animateskinrect;
    int framecount = 0, animateinterval = 25;
    bool inactiveanimation = false;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
public:
    using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
};

class TskDataSkinButton : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    TRect downrect;
    TRect disableskinrsect; // the key is spelled so

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinStdButton : public TskDataSkinButton {
public:
    using TskDataSkinButton::TskDataSkinButton;
    TskStdCommand command = cmDefault;
    TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;

protected:
    void Exchange(TskIniExchange& io) override;
};

class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
public:
    using TskDataSkinStdButton::TskDataSkinStdButton;
};

class TskDataSkinAnimate : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    int countframes = 1;
    bool cycle = false, buttonstyle = false;
    int timerinterval = 50;
    TskStdCommand command = cmDefault;
    TRect downskinrect, restorerect, restoreactiverect, restoredownrect, restoreinactiverect;

protected:
    void Exchange(TskIniExchange& io) override;
    void AfterLoad() override { morphing = false; }
};

class TskDataSkinCaption : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    TRect textrect;
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor fontcolor = 0, activefontcolor = 0;
    TskAlignment alignment = TskAlignment::Center;
    bool light = false;
    TskColor lightcolor = 0, activelightcolor = 0;
    bool shadow = false;
    TskColor shadowcolor = 0, activeshadowcolor = 0;
    TRect framerect, activeframerect, frametextrect;
    int frameleftoffset = 0, framerightoffset = 0;
    bool stretcheffect = false;
    TRect animateskinrect;
    int framecount = 0, animateinterval = 25;
    bool inactiveanimation = false, fullframe = false;

protected:
    void Exchange(TskIniExchange& io) override;
};

// A free piece of the frame: only its face rectangle is read.
class TskDataUserObject : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

protected:
    void Exchange(TskIniExchange& io) override;
};

// The record class of a SKINOBJECTS kind word (exact, case-sensitive), or null for none.
std::unique_ptr<TskDataSkinObject> CreateObjectRecord(std::string_view kind, const String& name);

} // namespace vd
