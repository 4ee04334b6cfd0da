#pragma once
// A small synthetic frame skin: a 100 x 60 frame picture whose corners, caption band, borders
// and client piece each have their own flat colour, a mask with its four corner pixels outside
// the window, and an active picture with the caption buttons' faces. Forms are sizeable and
// skinned through a frame component.
#include "../../../platform/vcl/VclFixture.h"
#include "platform/gfx/Gdi.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinBmpFile.h"
#include "skin/store/SkinContainer.h"
#include "skin/store/SkinZStream.h"

#include <memory>
#include <string>

namespace vd::test {

// Frame picture colours (0x00BBGGRR).
inline constexpr TColor kTopLeft = 0x0000FF, kTopBand = 0x00C000, kTopRight = 0xFF0000;
inline constexpr TColor kLeftBorder = 0x00FFFF, kRightBorder = 0xFF00FF, kBottomBorder = 0xFFFF00;
inline constexpr TColor kClientPiece = 0x808080;
// Active picture colours.
inline constexpr TColor kBtnNormal = 0x102030, kBtnHot = 0x203040, kBtnDown = 0x304050;
inline constexpr TColor kRestoreNormal = 0x405060, kRestoreHot = 0x506070;
inline constexpr TColor kCaptionActive = 0x00C0C0, kCaptionInactive = 0x006060;

inline void Box(TskBitmap& b, int l, int t, int r, int bt, TColor c) {
    for (int y = t; y < bt; ++y)
        for (int x = l; x < r; ++x)
            b.SetPixel(x, y, c);
}

inline TskBitmap FramePicture() {
    TskBitmap b(100, 60);
    Box(b, 0, 0, 10, 24, kTopLeft);
    Box(b, 10, 0, 90, 24, kTopBand);
    Box(b, 90, 0, 100, 24, kTopRight);
    Box(b, 0, 24, 4, 56, kLeftBorder);
    Box(b, 96, 24, 100, 56, kRightBorder);
    Box(b, 0, 56, 100, 60, kBottomBorder);
    Box(b, 4, 24, 96, 56, kClientPiece);
    return b;
}

inline TskBitmap FrameMask() {
    TskBitmap m(100, 60);
    m.Fill(0);
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 59}, {99, 59}})
        m.SetPixel(x, y, 0xFFFFFF);
    return m;
}

inline TskBitmap ButtonPicture() {
    TskBitmap b(64, 64);
    b.Fill(0x777777);
    Box(b, 0, 0, 16, 16, kBtnNormal);
    Box(b, 16, 0, 32, 16, kBtnHot);
    Box(b, 32, 0, 48, 16, kBtnDown);
    Box(b, 0, 16, 16, 32, kRestoreNormal);
    Box(b, 16, 16, 32, 32, kRestoreHot);
    Box(b, 0, 32, 64, 52, kCaptionActive);
    Box(b, 0, 52, 64, 64, kCaptionInactive);
    return b;
}

inline std::string Button(const char* name, const char* command) {
    return std::string("[") + name +
           "]\r\nskinrectinapicture=1\r\nactivepictureindex=0\r\nskinrect=0,0,16,16\r\n"
           "activeskinrect=16,0,32,16\r\ndownrect=32,0,48,16\r\ncommand=" +
           command + "\r\nrestorerect=0,16,16,32\r\nrestoreactiverect=16,16,32,32\r\n";
}

inline std::string FrameSkinIni(const std::string& extraForm = "") {
    return "[PICTURES]\r\npicture=frame.bmp\r\nmask=mask.bmp\r\nactivepictures=buttons.bmp\r\n"
           "[FORMINFO]\r\nlefttoppoint=10,24\r\nrighttoppoint=90,24\r\nleftbottompoint=10,56\r\n"
           "rightbottompoint=90,56\r\nclientrect=4,24,96,56\r\ncaptionrect=4,2,96,22\r\n"
           "buttonsrect=60,4,94,20\r\nbuttonsoffset=1\r\nborderwidth=3\r\n"
           "hittestlefttoppoint=8,8\r\nhittestrighttoppoint=92,8\r\nhittestleftbottompoint=8,52\r\n"
           "hittestrightbottompoint=92,52\r\n" +
           extraForm +
           "[SKINOBJECTS]\r\ncount=6\r\n0=caption:caption\r\n1=closebutton:stdbutton\r\n"
           "2=maxbutton:stdbutton\r\n3=minbutton:stdbutton\r\n4=rollupbutton:stdbutton\r\n"
           "5=sysmenubutton:stdbutton\r\n"
           "[caption]\r\nactivepictureindex=0\r\nskinrect=10,2,92,22\r\nactiveskinrect=0,32,64,52\r\n"
           "textrect=0,0,82,20\r\nfontcolor=0\r\nactivefontcolor=16777215\r\n" +
           Button("closebutton", "cmclose") + Button("maxbutton", "cmmaximize") +
           Button("minbutton", "cmminimize") + Button("rollupbutton", "cmrollup") +
           Button("sysmenubutton", "cmsysmenu");
}

inline std::unique_ptr<TskCompressedStoredSkin> FrameStoredSkin(const std::string& ini = FrameSkinIni()) {
    const std::vector<std::vector<Byte>> active{WriteBmpImage(ButtonPicture())};
    const std::vector<Byte> picture = WriteBmpImage(FramePicture());
    const std::vector<Byte> mask = WriteBmpImage(FrameMask());
    const std::vector<Byte> container = BuildSkinContainer(picture, {}, mask, active, ini);
    auto s = std::make_unique<TskCompressedStoredSkin>();
    std::vector<Byte> packed;
    CompressMemoryStream(container, packed);
    s->SetCompressedStream(std::move(packed));
    return s;
}

class FrameTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        hb->SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 740}}});
    }
    void TearDown() override {
        VclTest::TearDown();
        hb->SetMonitors({});
    }
    // A sizeable form with a frame; skinned when Skinned.
    TForm* NewFrameForm(bool Skinned, TRect r = {100, 100, 400, 300}) {
        auto* f = new TForm(Application);
        f->SetBoundsRect(r);
        Frame = new TskSkinForm(f);
        if (Skinned) {
            Skin = new TskSkinData(f);
            Stored = FrameStoredSkin();
            Skin->LoadStoredSkin(Stored.get());
            EXPECT_FALSE(Skin->Empty()) << Skin->LastLoadError();
            Frame->SetSkinData(Skin);
        }
        return f;
    }
    void ShowForm(TForm* f) {
        f->Show();
        Pump();
    }
    TColor Pixel(TForm* f, int x, int y) {
        Pump();
        return TColor(GetWindowPixel(f->Handle(), x, y));
    }
    int HitAt(TForm* f, int x, int y) {
        return int(SendMessage(f->Handle(), WM_NCHITTEST, 0, MakeLParam(f->Left() + x, f->Top() + y)));
    }
    TPoint ScreenOf(TForm* f, int x, int y) const { return {f->Left() + x, f->Top() + y}; }

    TskSkinForm* Frame = nullptr;
    TskSkinData* Skin = nullptr;
    std::unique_ptr<TskCompressedStoredSkin> Stored;
};

} // namespace vd::test
