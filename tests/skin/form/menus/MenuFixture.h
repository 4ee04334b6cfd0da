#pragma once
// The menus' tests: a synthetic skin whose popup picture has flat-coloured corners, edges and
// items area, menu items from the controls' test picture (normal face A, hot face B), and a
// control that records the engine's messages.
#include "../../controls/SkinFixture.h"
#include "platform/vcl/Menus.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinMenuItem.h"
#include "skin/form/menus/SkinPopupWindow.h"

#include <string>
#include <vector>

namespace vd::test {

inline constexpr TColor kPopEdge = 0x204060, kPopItems = 0x406080, kPopCorner = 0x00FF80;

// 40 x 40: 5-pixel corners, edges, and the items area (5, 5, 35, 35).
inline TskBitmap PopupPicture() {
    TskBitmap b(40, 40);
    b.Fill(kPopEdge);
    FillBox(b, 5, 5, 35, 35, kPopItems);
    for (auto [x, y] : {std::pair{0, 0}, {35, 0}, {0, 35}, {35, 35}})
        FillBox(b, x, y, x + 5, y + 5, kPopCorner);
    return b;
}

inline const char* kPopupIni =
    "[POPUPWINDOW]\r\nwindowpictureindex=1\r\nlefttoppoint=5,5\r\nrighttoppoint=35,5\r\n"
    "leftbottompoint=5,35\r\nrightbottompoint=35,35\r\nitemsrect=5,5,35,35\r\n"
    "scrollmarkercolor=255\r\nscrollmarkeractivecolor=65280\r\n";

inline const char* kMenuItemIni =
    "[menuitem]\r\nactivepictureindex=0\r\nskinrect=0,0,20,20\r\nactiveskinrect=20,0,40,20\r\n"
    "dividerrect=0,40,30,48\r\nitemleftoffset=4\r\nitemrightoffset=4\r\ndividerleftoffset=5\r\n"
    "dividerrightoffset=5\r\ntextrect=4,2,16,18\r\nfontcolor=16777215\r\nactivefontcolor=65535\r\n"
    "unenabledfontcolor=8421504\r\n";

// Objects: the menu-item record unless left out (a skin that gives the popup a picture but
// no menu-item record); Extra adds sections, ItemKeys keys of the menu-item record.
inline std::unique_ptr<TskCompressedStoredSkin>
MenuStoredSkin(bool withItemRecord = true, const std::string& extra = "", const std::string& itemKeys = "") {
    // Extra may bring its own popup-window section in place of the fixture's.
    std::string ini =
        (extra.find("[POPUPWINDOW]") == std::string::npos ? std::string(kPopupIni) : "") + extra;
    if (withItemRecord)
        ini += std::string("[SKINOBJECTS]\r\ncount=1\r\n0=menuitem:menuitem\r\n") + kMenuItemIni + itemKeys;
    std::vector<std::vector<Byte>> pictures{WriteBmpImage(TestPicture()), WriteBmpImage(PopupPicture())};
    const std::vector<Byte> container = BuildSkinContainer({}, {}, {}, pictures, ini);
    auto s = std::make_unique<TskCompressedStoredSkin>();
    std::vector<Byte> packed;
    CompressMemoryStream(container, packed);
    s->SetCompressedStream(std::move(packed));
    return s;
}

using Log = std::vector<std::string>;

// A windowed control that logs 1228 and 1229.
class Opener : public TWinControl {
public:
    Opener(TComponent* owner, Log* log) : TWinControl(owner), FLog(log) {}
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_SKINMENUCLOSED) FLog->push_back("opener 1228");
        if (m.Msg == WM_SKINMENUCOMMAND) FLog->push_back("opener 1229");
        TWinControl::Dispatch(m);
    }

private:
    Log* FLog;
};

class MenuTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        hb->SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 740}}});
        hb->MouseMove({1000, 730}); // away from where the menus open
        Form = NewForm({100, 100, 500, 400});
        Form->Show();
        Menu = new TskSkinMenu(Form, Form);
        Popup = new TPopupMenu(Form);
    }
    void TearDown() override {
        hb->SetMonitors({{{0, 0, 1280, 1024}, {0, 0, 1280, 984}}});
        VclTest::TearDown();
    }
    TskSkinData* LoadSkin(bool withItemRecord = true, const std::string& extra = "",
                          const std::string& itemKeys = "") {
        Skin = new TskSkinData(Form);
        Stored = MenuStoredSkin(withItemRecord, extra, itemKeys);
        Skin->LoadStoredSkin(Stored.get());
        EXPECT_FALSE(Skin->Empty()) << Skin->LastLoadError();
        return Skin;
    }
    TMenuItem* Add(TMenuItem* parent, const String& caption) {
        auto* item = new TMenuItem(Popup);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    TMenuItem* Add(const String& caption) { return Add(Popup->Items(), caption); }
    TskSkinPopupWindow* Level(int i) const { return Menu->Level(i); }
    // The level's painted colour at a client point, after the queued paints ran.
    TColor Probe(TskSkinPopupWindow* level, int x, int y) {
        Pump();
        return TColor(GetWindowPixel(level->Handle(), x, y));
    }
    TPoint ScreenOf(TskSkinPopupWindow* level, int x, int y) { return level->ClientToScreen({x, y}); }
    TPoint ItemCentre(TskSkinPopupWindow* level, int i) {
        const TRect r = level->Item(i)->ItemRect;
        return ScreenOf(level, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // Moves the pointer and lets the level's 50 ms poll see it.
    void Hover(TPoint screen) {
        hb->MouseMove(screen);
        Pump();
        hb->Advance(60);
        Pump();
    }

    TForm* Form = nullptr;
    TskSkinMenu* Menu = nullptr;
    TPopupMenu* Popup = nullptr;
    TskSkinData* Skin = nullptr;
    std::unique_ptr<TskCompressedStoredSkin> Stored;
};

} // namespace vd::test
