#pragma once
// The main menu bar on a framed form: a main menu built in code, the plain look or a synthetic
// skin whose bar, item and button faces each have their own flat colour, so a probed pixel tells
// which piece was drawn.
#include "../frame/FrameFixture.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinGdi.h"
#include "skin/form/menubar/SkinMainMenuBar.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinMenuItem.h"
#include "skin/form/menus/SkinPopupWindow.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace vd::test {

// Bar picture colours (0x00BBGGRR).
inline constexpr TColor kBarFace = 0x336699, kItemNormal = 0x114477, kItemHot = 0x22AA55,
                        kItemDown = 0x5511AA;
// Two animation frames side by side.
inline constexpr TColor kFrame1 = 0x0000C0, kFrame2 = 0x00C000;

inline TskBitmap BarPicture() {
    TskBitmap b(80, 68);
    b.Fill(0x777777);
    Box(b, 0, 0, 60, 24, kBarFace);
    Box(b, 0, 24, 20, 44, kItemNormal);
    Box(b, 20, 24, 40, 44, kItemHot);
    Box(b, 40, 24, 60, 44, kItemDown);
    Box(b, 0, 48, 20, 68, kFrame1);
    Box(b, 20, 48, 40, 68, kFrame2);
    return b;
}

inline std::string BarButton(const char* name, const char* command) {
    return std::string("[") + name +
           "]\r\nactivepictureindex=0\r\nskinrect=0,0,16,16\r\nactiveskinrect=16,0,32,16\r\n"
           "downrect=32,0,48,16\r\ncommand=" +
           command + "\r\n";
}

// The frame skin with a bar record, its item record and three of the four button records: the
// minimize button's record is missing on purpose.
inline std::string MenuBarSkinIni() {
    std::string ini = FrameSkinIni();
    const std::string from = "[SKINOBJECTS]\r\ncount=6\r\n";
    ini.replace(ini.find(from), from.size(),
                "[SKINOBJECTS]\r\ncount=10\r\n6=baritem:mainmenubaritem\r\n7=barclose:mainmenubarbutton\r\n"
                "8=barmax:mainmenubarbutton\r\n9=barsys:mainmenubarbutton\r\n");
    return ini +
           "[baritem]\r\nactivepictureindex=1\r\nskinrect=0,24,20,44\r\nactiveskinrect=20,24,40,44\r\n"
           "downrect=40,24,60,44\r\ntextrect=4,2,16,18\r\nitemleftoffset=2\r\nitemrightoffset=2\r\n"
           "fontcolor=0\r\nactivefontcolor=0\r\ndownfontcolor=0\r\nunenabledfontcolor=8421504\r\n" +
           BarButton("barclose", "cmclose") + BarButton("barmax", "cmmaximize") +
           BarButton("barsys", "cmsysmenu") +
           "[SKINCONTROLS]\r\ncount=1\r\n0=mainmenubar:mainmenubar\r\n"
           "[mainmenubar]\r\npictureindex=1\r\nskinrect=0,0,60,24\r\nitemsrect=2,2,58,22\r\n"
           "menubaritem=baritem\r\nclosebutton=barclose\r\nminbutton=barmin\r\nmaxbutton=barmax\r\n"
           "sysmenubutton=barsys\r\ntrackmarkcolor=255\r\ntrackmarkactivecolor=65280\r\n";
}

// Keys added to the item record.
inline std::string WithItemKeys(const std::string& keys) {
    std::string ini = MenuBarSkinIni();
    const std::string at = "[baritem]\r\n";
    ini.insert(ini.find(at) + at.size(), keys);
    return ini;
}

inline std::unique_ptr<TskCompressedStoredSkin> MenuBarStoredSkin(const std::string& ini = MenuBarSkinIni()) {
    const std::vector<std::vector<Byte>> active{WriteBmpImage(ButtonPicture()), WriteBmpImage(BarPicture())};
    const std::vector<Byte> container =
        BuildSkinContainer(WriteBmpImage(FramePicture()), {}, WriteBmpImage(FrameMask()), active, ini);
    auto s = std::make_unique<TskCompressedStoredSkin>();
    std::vector<Byte> packed;
    CompressMemoryStream(container, packed);
    s->SetCompressedStream(std::move(packed));
    return s;
}

class MenuBarTest : public FrameTest {
protected:
    // A framed form with a bar on top and a main menu; the bar's skin comes from the form's
    // skin object when Skinned.
    TForm* NewBarForm(bool Skinned, TRect r = {100, 100, 500, 300},
                      const std::string& ini = MenuBarSkinIni()) {
        auto* f = new TForm(Application);
        f->SetBoundsRect(r);
        Frame = new TskSkinForm(f);
        Menu = new TMainMenu(f);
        Bar = new TskSkinMainMenuBar(f);
        Bar->SetParent(f);
        Bar->SetSkinForm(Frame);
        if (Skinned) {
            Skin = new TskSkinData(f);
            Stored = MenuBarStoredSkin(ini);
            Skin->LoadStoredSkin(Stored.get());
            EXPECT_FALSE(Skin->Empty()) << Skin->LastLoadError();
            Frame->SetSkinData(Skin);
            Bar->SetSkinData(Skin);
        }
        return f;
    }
    // A top-level item of Parent (the menu's root when null) with a sub-item per caption given.
    TMenuItem* Add(const char* caption, std::initializer_list<const char*> subs = {},
                   TMenuItem* parent = nullptr, TMenu* menu = nullptr) {
        if (!menu) menu = Menu;
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        (parent ? parent : menu->Items())->Add(item);
        for (const char* s : subs) {
            auto* sub = new TMenuItem(menu);
            sub->SetCaption(s);
            item->Add(sub);
        }
        return item;
    }
    std::vector<String> Captions() const {
        std::vector<String> out;
        for (int i = 0; i < Bar->ItemCount(); ++i)
            out.push_back(Bar->Item(i)->MenuItem->Caption());
        return out;
    }
    // Index of the item that looks hot or pressed, -1 for none.
    int HotItem() const {
        for (int i = 0; i < Bar->ItemCount(); ++i)
            if (Bar->Item(i)->IsActive || Bar->Item(i)->Pressed) return i;
        return -1;
    }
    int PressedItem() const {
        for (int i = 0; i < Bar->ItemCount(); ++i)
            if (Bar->Item(i)->Pressed) return i;
        return -1;
    }
    // The captions shown by the engine's first level.
    std::vector<String> OpenMenu() const {
        std::vector<String> out;
        TskSkinPopupWindow* level = Frame->SkinMenu()->Level(0);
        if (!level || !Frame->SkinMenu()->MenuVisible()) return out;
        for (int i = 0; i < level->ItemCount(); ++i)
            out.push_back(level->Item(i)->MenuItem->Caption());
        return out;
    }
    TPoint ItemCenter(int i) const {
        const TRect r = Bar->Item(i)->ObjectBounds;
        return Bar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    TPoint ObjectCenter(TskMenuBarObject* o) const {
        const TRect r = o->ObjectBounds;
        return Bar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    TColor BarPixel(int x, int y) {
        Pump();
        const TPoint p = Bar->ClientToScreen({x, y});
        TForm* f = static_cast<TForm*>(Bar->Parent());
        return TColor(GetWindowPixel(f->Handle(), p.X - f->Left(), p.Y - f->Top()));
    }
    // The width of a caption in the bar's default item font, as the plain layout measures it.
    int TextWidth(const String& caption) {
        TBitmap b(1, 1);
        b.Canvas().Font().Assign(Bar->DefItemFont());
        SelectObject(b.Canvas().Handle(), reinterpret_cast<HGDIOBJ>(b.Canvas().Font().Handle()));
        TRect r{0, 0, 0, 0};
        DrawTextWide(b.Canvas().Handle(), caption, r, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
        return r.Width();
    }
    void AltAlone() {
        hb->KeyDown(VK_MENU);
        hb->KeyUp(VK_MENU);
        Pump();
    }
    void Key(int vk) {
        hb->KeyPress(vk);
        Pump();
    }
    void AltKey(int vk) {
        hb->KeyDown(VK_MENU);
        hb->KeyPress(vk);
        hb->KeyUp(VK_MENU);
        Pump();
    }

    TMainMenu* Menu = nullptr;
    TskSkinMainMenuBar* Bar = nullptr;
};

} // namespace vd::test
