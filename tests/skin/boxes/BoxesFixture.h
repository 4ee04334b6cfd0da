#pragma once
// The boxes' synthetic skin: the skinned-control test picture (flat-coloured faces A..D, check
// marks, the three-colour progress strip) with records for the up-downs, edits, spin edit, lists,
// combo box and tab control, so a probed pixel tells which piece was drawn.
#include "../controls/SkinFixture.h"

#include <functional>

namespace vd::test {

inline const char* kBoxPoints =
    "lefttoppoint=4,4\r\nrighttoppoint=16,4\r\nleftbottompoint=4,16\r\nrightbottompoint=16,16\r\n"
    "clientrect=4,4,16,16\r\n";

inline std::string BoxSkinIni() {
    const std::string pts = kBoxPoints;
    const std::string face = "pictureindex=0\r\nskinrect=0,0,20,20\r\n" + pts;
    const std::string list = face +
                             "itemrect=4,4,16,16\r\nactiveitemrect=24,4,36,16\r\nfocusitemrect=44,4,56,16\r\n"
                             "itemtextrect=0,0,12,12\r\nfontcolor=255\r\nactivefontcolor=65280\r\n"
                             "focusfontcolor=16711680\r\nvscrollbarname=vscrollbar\r\n";
    return "[SKINCONTROLS]\r\ncount=11\r\n0=hupdown:updown\r\n1=edit:edit\r\n2=buttonedit:edit\r\n"
           "3=listbox:listbox\r\n4=checklistbox:checklistbox\r\n5=combobox:combobox\r\n6=tab:tab\r\n"
           "7=spinedit:spinedit\r\n8=resizebutton:button\r\n9=emptytab:tab\r\n10=emptylist:listbox\r\n"
           "[hupdown]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nupbuttonrect=10,0,20,20\r\n"
           "activeupbuttonrect=24,4,34,14\r\ndownupbuttonrect=44,4,54,14\r\ndownbuttonrect=0,0,10,20\r\n"
           "activedownbuttonrect=24,4,34,14\r\n"
           "[edit]\r\n" +
           face +
           "activeskinrect=20,0,40,20\r\nfontcolor=255\r\nactivefontcolor=65280\r\ndisabledfontcolor="
           "8421504\r\n"
           "[buttonedit]\r\n" +
           face +
           "activeskinrect=20,0,40,20\r\nbuttonrect=12,4,16,16\r\nactivebuttonrect=24,4,28,16\r\n"
           "downbuttonrect=44,4,48,16\r\n"
           "[spinedit]\r\n" +
           face +
           "activeskinrect=20,0,40,20\r\nupbuttonrect=17,0,20,10\r\ndownbuttonrect=17,10,20,20\r\n"
           "activeupbuttonrect=24,4,28,14\r\nactivedownbuttonrect=24,4,28,14\r\nfontcolor=255\r\n"
           "[listbox]\r\n" +
           list +
           "[emptylist]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nlefttoppoint=4,4\r\n"
           "righttoppoint=16,4\r\nleftbottompoint=4,16\r\nrightbottompoint=16,16\r\nclientrect=4,4,4,16\r\n"
           "itemrect=4,4,16,16\r\n" +
           "[checklistbox]\r\n" + list +
           "itemcheckrect=0,0,12,12\r\ncheckimagerect=20,20,32,32\r\nuncheckimagerect=32,20,44,32\r\n"
           "[combobox]\r\n" +
           face +
           "activeskinrect=20,0,40,20\r\nbuttonrect=12,4,16,16\r\nactivebuttonrect=24,4,28,16\r\n"
           "downbuttonrect=44,4,48,16\r\nitemrect=4,4,16,16\r\nactiveitemrect=24,4,36,16\r\n"
           "focusitemrect=44,4,56,16\r\nitemtextrect=0,0,12,12\r\nlistboxname=listbox\r\n"
           "[resizebutton]\r\n" +
           face +
           "activeskinrect=20,0,40,20\r\ndownskinrect=40,0,60,20\r\nfontcolor=0\r\n"
           "[tab]\r\n" +
           face +
           "tabrect=0,40,30,48\r\ntableftoffset=5\r\ntabrightoffset=5\r\nactivetabrect=20,0,40,8\r\n"
           "tabsbgrect=44,20,54,30\r\nupdown=hupdown\r\nfontcolor=0\r\n"
           "[emptytab]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nclientrect=4,4,4,4\r\n"
           "tabrect=0,40,30,48\r\n";
}

// A form with the boxes' skin loaded into a skin object it owns.
class BoxTest : public SkinTest {
public:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm({100, 100, 600, 450});
        Skin = new TskSkinData(Form);
        Stored = TestStoredSkin(BoxSkinIni());
        Skin->LoadStoredSkin(Stored.get());
        ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    }
    // A colour as the window's pixels hold it (system colours resolved).
    static TColor Rgb(TColor c) { return static_cast<TColor>(ColorToRGB(c) & 0xFFFFFF); }
    template <class T> T* Put(TRect r, TskSkinData* skin = nullptr) {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetBoundsRect(r);
        if constexpr (requires { c->SetSkinData(skin); })
            if (skin) c->SetSkinData(skin);
        return c;
    }
    void Press(TControl* c, int x, int y) {
        hb->ButtonDown(RawButton::Left, At(c, x, y));
        Pump();
    }
    void Release(TControl* c, int x, int y) {
        hb->ButtonUp(RawButton::Left, At(c, x, y));
        Pump();
    }
    void MoveTo(TControl* c, int x, int y) {
        hb->MouseMove(At(c, x, y));
        Pump();
    }
    void Click(TControl* c, int x, int y) {
        Press(c, x, y);
        Release(c, x, y);
    }
    // Moves the virtual clock in steps of Step ms, letting timers run after each.
    void Advance(int Ms, int Step = 10) {
        for (int t = 0; t < Ms; t += Step) {
            hb->Advance(static_cast<std::uint64_t>(Step));
            Pump();
        }
    }
    void Key(int vk, char32_t ch = 0) {
        hb->KeyPress(vk, ch);
        Pump();
    }
    void Type(const std::string& s) {
        for (char c : s)
            Key(0, static_cast<unsigned char>(c));
    }
};

} // namespace vd::test
