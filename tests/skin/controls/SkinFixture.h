#pragma once
// A small synthetic skin for the skinned-control tests: one 64 x 64 picture in which every region
// a control may copy has its own flat colour, so a single pixel tells which state, corner or band
// was drawn; a mask picture; and records as INI text.
#include "../../platform/vcl/VclFixture.h"
#include "platform/gfx/Gdi.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinBmpFile.h"
#include "skin/store/SkinContainer.h"
#include "skin/store/SkinZStream.h"

#include <memory>
#include <string>

namespace vd::test {

// Colours as TColor (0x00BBGGRR).
inline constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF;
inline constexpr TColor kMagenta = 0xFF00FF;
// Client and edge colours of the faces A (normal), B (active), C (down), D (disabled).
inline constexpr TColor kClient[4] = {0x000080, 0x008000, 0x800000, 0x808000};
inline constexpr TColor kEdge[4] = {0x000040, 0x004000, 0x400000, 0x404000};
inline constexpr TColor kCheck = 0x00C0C0, kUncheck = 0xC0C000, kThumb = 0xC000C0, kGripper = 0x606060;
inline constexpr TColor kProgBegin = 0x00A0FF, kProgMiddle = 0x0040FF, kProgEnd = 0xFF4000;
inline constexpr TColor kMarker = 0x123456, kActiveThumb = 0x20A020, kWallpaper = 0x305070;
// The tree and list views' background and text colours.
inline constexpr TColor kTreeBack = 0x406080, kListBack = 0x604020, kViewText = 0x10E0E0;

inline void FillBox(TskBitmap& b, int l, int t, int r, int bt, TColor c) {
    for (int y = t; y < bt; ++y)
        for (int x = l; x < r; ++x)
            b.SetPixel(x, y, c);
}

// A 20 x 20 face at (X, Y): 4-pixel corners red, green, blue, yellow; edges; client.
inline void PaintFace(TskBitmap& b, int x, int y, int face) {
    FillBox(b, x, y, x + 20, y + 20, kEdge[face]);
    FillBox(b, x + 4, y + 4, x + 16, y + 16, kClient[face]);
    FillBox(b, x, y, x + 4, y + 4, kRed);
    FillBox(b, x + 16, y, x + 20, y + 4, kGreen);
    FillBox(b, x, y + 16, x + 4, y + 20, kBlue);
    FillBox(b, x + 16, y + 16, x + 20, y + 20, kYellow);
}

inline TskBitmap TestPicture() {
    TskBitmap b(64, 64);
    b.Fill(0x777777);
    PaintFace(b, 0, 0, 0);
    PaintFace(b, 20, 0, 1);
    PaintFace(b, 40, 0, 2);
    PaintFace(b, 0, 20, 3);
    FillBox(b, 20, 20, 32, 32, kCheck);
    b.SetPixel(20, 31, kMagenta);
    FillBox(b, 32, 20, 44, 32, kUncheck);
    b.SetPixel(32, 31, kMagenta);
    FillBox(b, 44, 20, 54, 30, kThumb);
    FillBox(b, 54, 20, 60, 26, kGripper);
    FillBox(b, 44, 30, 52, 36, kMarker);
    b.SetPixel(44, 35, kMagenta);
    FillBox(b, 54, 26, 64, 36, kActiveThumb);
    FillBox(b, 0, 40, 5, 48, kProgBegin);
    FillBox(b, 5, 40, 25, 48, kProgMiddle);
    FillBox(b, 25, 40, 30, 48, kProgEnd);
    FillBox(b, 30, 40, 35, 48, kProgBegin); // a progress picture without a middle
    FillBox(b, 35, 40, 40, 48, kProgEnd);
    return b;
}

inline TskBitmap TestMask() {
    TskBitmap m(20, 20);
    m.Fill(0x000000);
    m.SetPixel(0, 0, 0xFFFFFF); // the corner pixel lies outside the window
    return m;
}

inline TskBitmap Wallpaper() {
    TskBitmap w(8, 8);
    w.Fill(kWallpaper);
    return w;
}

inline const char* kFacePoints =
    "lefttoppoint=4,4\r\nrighttoppoint=16,4\r\nleftbottompoint=4,16\r\nrightbottompoint=16,16\r\n"
    "clientrect=4,4,16,16\r\n";

inline std::string TestSkinIni() {
    const std::string pts = kFacePoints;
    const std::string pic = "pictureindex=0\r\n";
    const std::string btn =
        "skinrect=0,0,20,20\r\nactiveskinrect=20,0,40,20\r\ndownskinrect=40,0,60,20\r\n"
        "disabledskinrect=0,20,20,40\r\nfontcolor=1\r\nactivefontcolor=2\r\ndownfontcolor=3\r\n"
        "disabledfontcolor=4\r\nmenumarkerrect=44,30,52,36\r\nmenumarkertransparentcolor=16711935\r\n" +
        pts;
    std::string s =
        "[SKINCONTROLS]\r\ncount=31\r\n0=button:button\r\n1=toolbutton:button\r\n2=panel:panel\r\n"
        "3=hscrollbar:scrollbar\r\n4=checkbox:checkradio\r\n5=gauge:gauge\r\n6=label:label\r\n"
        "7=statusbar:panel\r\n8=vsplitter:splitter\r\n9=bevel:bevel\r\n10=resizebutton:button\r\n"
        "11=stdlabel:stdlabel\r\n12=nopicture:button\r\n13=emptyclient:panel\r\n14=wallpaper:panel\r\n"
        "15=badwallpaper:panel\r\n16=fixed:button\r\n17=zeromiddle:gauge\r\n18=groupbox:panel\r\n"
        "19=statuspanel:label\r\n20=toolmenubutton:menubutton\r\n21=vkind:button\r\n22=morphbutton:"
        "button\r\n23=nopicsplitter:splitter\r\n24=fixedlabel:label\r\n25=animbutton:button\r\n26=toolpanel:"
        "panel\r\n27=treeview:treeview\r\n28=listview:listview\r\n29=flatheader:button\r\n30=maskedface:"
        "panel\r\n"
        "[button]\r\n" +
        pic + btn + "[toolbutton]\r\n" + pic + btn + "[morphbutton]\r\nmorphing=1\r\n" + pic + btn +
        "[resizebutton]\r\n" + pic + btn + "[toolmenubutton]\r\n" + pic + btn +
        "trackbuttonrect=14,0,20,20\r\n" + "[nopicture]\r\npictureindex=7\r\n" + btn +
        "[fixed]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nclientrect=4,4,16,16\r\nmaskpictureindex=1\r\n" +
        "[maskedface]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nmaskpictureindex=1\r\n" + pts +
        "[panel]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\ncaptionrect=4,0,16,4\r\n" + pts +
        "[groupbox]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\ncaptionrect=4,0,16,4\r\n" + pts +
        "[statusbar]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\ngripperrect=54,20,60,26\r\n" + pts +
        "[emptyclient]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nlefttoppoint=4,4\r\nrighttoppoint=16,"
        "4\r\nleftbottompoint=4,16\r\n"
        "rightbottompoint=16,16\r\nclientrect=4,4,4,16\r\n" +
        "[wallpaper]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nbgpictureindex=2\r\n" + pts +
        "[badwallpaper]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nbgpictureindex=9\r\n" + pts +
        "[hscrollbar]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nlefttoppoint=4,0\r\nrighttoppoint=16,"
        "0\r\nclientrect=4,0,16,20\r\n"
        "trackarea=4,0,16,20\r\ndownbuttonrect=0,0,4,20\r\nupbuttonrect=16,0,20,20\r\n"
        "thumbrect=44,20,54,30\r\nactivethumbrect=54,26,64,36\r\n" +
        "[checkbox]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\ncheckimagerect=20,20,32,"
        "32\r\nuncheckimagerect=32,20,44,32\r\n"
        "checkimagearea=0,0,16,20\r\ntextarea=16,0,20,20\r\nframefontcolor=5\r\n" +
        pts +
        "[gauge]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nprogressarea=4,4,16,16\r\nprogressrect=0,40,30,"
        "48\r\n"
        "beginoffset=5\r\nendoffset=5\r\n" +
        pts +
        "[zeromiddle]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nprogressarea=4,4,16,16\r\nprogressrect=30,"
        "40,40,48\r\n"
        "beginoffset=5\r\nendoffset=5\r\n" +
        pts + "[label]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nfontcolor=6\r\n" + pts +
        "[statuspanel]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nfontcolor=6\r\n" + pts +
        "[vsplitter]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nlefttoppoint=4,4\r\nrighttoppoint=16,"
        "4\r\nleftbottompoint=4,16\r\n"
        "gripperrect=54,20,60,26\r\n" +
        "[vkind]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nlefttoppoint=0,4\r\nleftbottompoint=0,"
        "16\r\nclientrect=0,4,20,16\r\n" +
        "[animbutton]\r\nanimateskinrect=0,0,60,20\r\nframecount=3\r\nanimateinterval=30\r\n" + pic + btn +
        "[toolpanel]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\n" + pts +
        "[fixedlabel]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nclientrect=4,4,16,16\r\n"
        "[nopicsplitter]\r\nskinrect=0,0,20,20\r\nlefttoppoint=4,4\r\nrighttoppoint=16,4\r\nleftbottompoint="
        "4,16\r\n"
        "[bevel]\r\nlightcolor=255\r\ndarkcolor=65280\r\n" +
        "[stdlabel]\r\nfontcolor=255\r\n" +
        "[treeview]\r\nfontname=Verdana\r\nfontheight=20\r\nfontstyle=fsbold\r\nfontcolor=" +
        std::to_string(kViewText) + "\r\nbgcolor=" + std::to_string(kTreeBack) + "\r\n" +
        "[listview]\r\nfontname=Verdana\r\nfontheight=18\r\nfontcolor=" + std::to_string(kViewText) +
        "\r\nbgcolor=" + std::to_string(kListBack) + "\r\n" +
        // A three-part header face: no bottom corner points.
        "[flatheader]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\ndownskinrect=40,0,60,20\r\n"
        "lefttoppoint=4,0\r\nrighttoppoint=16,0\r\nfontcolor=1\r\ndownfontcolor=3\r\n";
    return s;
}

inline std::unique_ptr<TskCompressedStoredSkin> TestStoredSkin(const std::string& ini = TestSkinIni()) {
    std::vector<std::vector<Byte>> pictures{WriteBmpImage(TestPicture()), WriteBmpImage(TestMask()),
                                            WriteBmpImage(Wallpaper())};
    const std::vector<Byte> container = BuildSkinContainer({}, {}, {}, pictures, ini);
    auto s = std::make_unique<TskCompressedStoredSkin>();
    std::vector<Byte> packed;
    CompressMemoryStream(container, packed);
    s->SetCompressedStream(std::move(packed));
    return s;
}

// A form with the test skin loaded into a skin object it owns.
class SkinTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm({100, 100, 500, 400});
        Skin = new TskSkinData(Form);
        Stored = TestStoredSkin();
        Skin->LoadStoredSkin(Stored.get());
        ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    }
    // The painted colour at a point of the control, after the queued paints ran.
    TColor Probe(TControl* c, int x, int y) {
        Pump();
        const TPoint p = c->ClientToScreen({x, y});
        const TPoint f = Form->ScreenToClient(p);
        return TColor(GetWindowPixel(Form->Handle(), f.X, f.Y));
    }
    TPoint At(TControl* c, int x, int y) const { return c->ClientToScreen({x, y}); }
    // The form's painted pixels in R (client coordinates), row by row, after the queued paints.
    std::vector<TColor> FormPixels(const TRect& r) {
        Pump();
        std::vector<TColor> out;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                out.push_back(TColor(GetWindowPixel(Form->Handle(), x, y)));
        return out;
    }
    void Show() {
        Form->Show();
        Pump();
    }
    TForm* Form = nullptr;
    TskSkinData* Skin = nullptr;
    std::unique_ptr<TskCompressedStoredSkin> Stored;
};

} // namespace vd::test
