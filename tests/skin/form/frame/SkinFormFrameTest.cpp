// The frame itself: insets, hit tests, object layout, painting, regions and the routing of
// non-client mouse messages to the caption objects.
#include "FrameFixture.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/core/SkinGdi.h"
#include "skin/form/frame/SkinComponent.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/frame/SkinMenuBarLink.h"
#include "skin/form/menus/SkinHintWindow.h"

#include <functional>

namespace vd::test {
namespace {

TEST_F(FrameTest, OwnerMustBeAForm) {
    TComponent owner(nullptr);
    EXPECT_THROW(TskSkinForm frame(&owner), EInvalidCast);
    TForm* f = NewFrameForm(false);
    EXPECT_EQ(GetSkinForm(f), Frame);
    EXPECT_EQ(GetSkinForm(nullptr), nullptr);
}

TEST_F(FrameTest, ClientInsetsPlainAndSkinned) {
    TForm* plain = NewFrameForm(false, {10, 10, 310, 210});
    ShowForm(plain);
    // Plain: three pixels round, a 19-pixel caption.
    EXPECT_EQ(plain->ClientOrigin(), (TPoint{13, 10 + 3 + 19}));
    EXPECT_EQ(plain->ClientWidth(), 294);
    EXPECT_EQ(plain->ClientHeight(), 200 - 25);
    EXPECT_EQ(GetWindowLong(plain->Handle(), GWL_STYLE) & WS_CAPTION, 0);

    TForm* skinned = NewFrameForm(true, {400, 10, 700, 210});
    ShowForm(skinned);
    // The skin's client rectangle (4, 24, 96, 56) of a 100 x 60 picture.
    EXPECT_EQ(skinned->ClientOrigin(), (TPoint{404, 34}));
    EXPECT_EQ(skinned->ClientWidth(), 300 - 8);
    EXPECT_EQ(skinned->ClientHeight(), 200 - 28);

    // A form without border keeps its whole window as client.
    auto* none = new TForm(Application);
    none->SetBorderStyle(bsNone);
    none->SetBoundsRect({10, 300, 110, 400});
    new TskSkinForm(none);
    ShowForm(none);
    EXPECT_EQ(none->ClientWidth(), 100);
    EXPECT_EQ(none->ClientHeight(), 100);
}

TEST_F(FrameTest, PlainHitTestTable) {
    TForm* f = NewFrameForm(false, {100, 100, 400, 300});
    ShowForm(f);
    struct Case {
        int x, y, ht;
    } cases[] = {
        {0, 0, HTTOPLEFT},
        {299, 0, HTTOPRIGHT},
        {0, 199, HTBOTTOMLEFT},
        {299, 199, HTBOTTOMRIGHT},
        {150, 0, HTTOP},
        {150, 2, HTTOP},
        {150, 199, HTBOTTOM},
        {150, 198, HTBOTTOM},
        {0, 100, HTLEFT},
        {2, 100, HTLEFT},
        {299, 100, HTRIGHT},
        {298, 100, HTRIGHT},
        // Three columns count as the left edge, two as the right one.
        {297, 100, HTOBJECT},
        {296, 100, HTCLIENT},
        {3, 100, HTCLIENT},
        {150, 10, HTCAPTION},
        {150, 100, HTCLIENT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitAt(f, c.x, c.y), c.ht) << c.x << "," << c.y;
    // A dialog border: no sizing edges.
    f->SetBorderStyle(bsDialog);
    Pump();
    EXPECT_EQ(HitAt(f, 0, 100), HTOBJECT);
    EXPECT_EQ(HitAt(f, 150, 10), HTCAPTION);
}

TEST_F(FrameTest, SkinnedHitTestTable) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    struct Case {
        int x, y, ht;
    } cases[] = {
        {1, 1, HTTOPLEFT},    {298, 1, HTTOPRIGHT}, {1, 198, HTBOTTOMLEFT}, {298, 198, HTBOTTOMRIGHT},
        {150, 1, HTTOP},      {150, 198, HTBOTTOM}, {1, 100, HTLEFT},       {298, 100, HTRIGHT},
        {150, 100, HTCLIENT}, {100, 12, HTCAPTION}, {285, 12, HTOBJECT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitAt(f, c.x, c.y), c.ht) << c.x << "," << c.y;
    // Maximized: no edges.
    Frame->SetWindowState(skwsMaximized);
    Pump();
    EXPECT_EQ(HitAt(f, 1, 100), HTOBJECT);
    EXPECT_EQ(HitAt(f, 100, 12), HTCAPTION);
}

TEST_F(FrameTest, ObjectLayoutFollowsTheSize) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    auto rect = [&](const char* name) {
        TskActiveSkinObject* o = Frame->FindObject(name);
        EXPECT_NE(o, nullptr) << name;
        return o ? o->ObjectRect : TRect();
    };
    // The buttons rectangle (60, 4, 94, 20) lies in the right half: it moves by 200.
    EXPECT_EQ(rect("closebutton"), (TRect{278, 4, 294, 20}));
    EXPECT_EQ(rect("maxbutton"), (TRect{261, 4, 277, 20}));
    EXPECT_EQ(rect("minbutton"), (TRect{244, 4, 260, 20}));
    EXPECT_EQ(rect("rollupbutton"), (TRect{227, 4, 243, 20}));
    // The system-menu button at the caption's left, centred; the caption text starts after it.
    EXPECT_EQ(rect("sysmenubutton"), (TRect{4, 4, 20, 20}));
    EXPECT_EQ(rect("caption"), (TRect{20, 2, 292, 22}));
    f->SetWidth(200);
    Pump();
    EXPECT_EQ(rect("closebutton"), (TRect{178, 4, 194, 20}));
}

TEST_F(FrameTest, SkinnedFramePainting) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    EXPECT_EQ(Pixel(f, 2, 100), kLeftBorder);
    EXPECT_EQ(Pixel(f, 297, 100), kRightBorder);
    EXPECT_EQ(Pixel(f, 150, 197), kBottomBorder);
    EXPECT_EQ(Pixel(f, 5, 1), kTopLeft);
    EXPECT_EQ(Pixel(f, 295, 1), kTopRight);
    EXPECT_EQ(Pixel(f, 150, 23), kTopBand);
    // The client background: the frame picture's client piece tiled.
    EXPECT_EQ(Pixel(f, 150, 100), kClientPiece);
    // Buttons from the active picture.
    EXPECT_EQ(Pixel(f, 285, 12), kBtnNormal);
}

TEST_F(FrameTest, PlainFramePainting) {
    TForm* f = NewFrameForm(false, {100, 100, 400, 300});
    ShowForm(f);
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(Pixel(f, 0, 100), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(f, 299, 100), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(f, 1, 100), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(f, 298, 100), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(f, 2, 100), face);
    EXPECT_EQ(Pixel(f, 150, 100), face);
}

TEST_F(FrameTest, RegionFromTheComposedMasks) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    std::vector<TRect> rects;
    ASSERT_TRUE(GetWindowRgnRects(f->Handle(), rects));
    UniqueRegion rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(f->Handle(), rgn.Get()), 0);
    // The mask's corner pixels stay out at every size; the rest of the window is in.
    auto in = [&](int x, int y) { return PtInRegion(rgn.Get(), x, y); };
    EXPECT_FALSE(in(0, 0));
    EXPECT_FALSE(in(299, 0));
    EXPECT_FALSE(in(0, 199));
    EXPECT_FALSE(in(299, 199));
    EXPECT_TRUE(in(1, 0));
    EXPECT_TRUE(in(150, 100));
    EXPECT_TRUE(in(298, 199));
    f->SetBounds(100, 100, 500, 250);
    Pump();
    ASSERT_NE(GetWindowRgn(f->Handle(), rgn.Get()), 0);
    EXPECT_FALSE(in(499, 249));
    EXPECT_TRUE(in(498, 249));
    EXPECT_TRUE(in(400, 200));
}

TEST_F(FrameTest, CaptionButtonPressAndRelease) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    std::vector<String> events;
    Frame->OnMouseUpEvent = [&](const String& id, int, int, const TRect&, TMouseButton) {
        events.push_back("up " + id);
    };
    // The buttons sit at the right end of the caption, whatever the window's width.
    auto maxButton = [&] { return ScreenOf(f, f->Width() - 32, 12); };
    auto closeButton = [&] { return ScreenOf(f, f->Width() - 14, 12); };
    auto click = [&](TPoint p) {
        hb->MouseMove(p);
        Pump();
        hb->Click(RawButton::Left, p);
        Pump();
    };
    // Each button acts on its first click: the press captured the mouse, so the release arrives
    // as a client release, and it must end the press.
    click(maxButton());
    EXPECT_EQ(Frame->WindowState(), skwsMaximized);
    EXPECT_EQ(f->BoundsRect(), (TRect{0, 0, 1024, 740}));
    EXPECT_EQ(events, (std::vector<String>{"up maxbutton"}));
    EXPECT_EQ(Frame->PressedIndex(), -1);
    EXPECT_EQ(GetCapture(), nullptr);
    click(maxButton());
    EXPECT_EQ(Frame->WindowState(), skwsNormal);
    EXPECT_EQ(f->BoundsRect(), (TRect{100, 100, 400, 300}));
    click(maxButton());
    EXPECT_EQ(Frame->WindowState(), skwsMaximized);

    // Pressed on the close button and released outside it: the press reached the button, and
    // nothing runs.
    const TPoint close = closeButton();
    hb->MouseMove(close);
    Pump();
    hb->ButtonDown(RawButton::Left, close);
    Pump();
    ASSERT_GE(Frame->PressedIndex(), 0);
    EXPECT_EQ(Frame->Objects()[size_t(Frame->PressedIndex())]->IDName, "closebutton");
    hb->MouseMove({500, 400});
    hb->Advance(60);
    Pump();
    hb->ButtonUp(RawButton::Left, {500, 400});
    Pump();
    EXPECT_TRUE(f->Visible());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Frame->PressedIndex(), -1);
    // The next click on it (not a double click) closes the window at once.
    hb->Advance(1000);
    click(closeButton());
    EXPECT_FALSE(f->Visible());
    Frame->OnMouseUpEvent = nullptr;
}

// A new set of border icons changes which of the skin's buttons work; the frame stays skinned
// (painted from the skin, shaped by its mask) and the buttons keep their places.
TEST_F(FrameTest, BorderIconsKeepTheSkin) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    const TRect closeRect = Frame->FindObject("closebutton")->ObjectRect;
    Frame->SetBorderIcons(skbiSystemMenu | skbiMinimize);
    Pump();
    EXPECT_TRUE(Frame->SkinInUse());
    EXPECT_TRUE(Frame->HasRegion());
    EXPECT_EQ(Pixel(f, 150, 23), kTopBand);
    TskActiveSkinObject* close = Frame->FindObject("closebutton");
    TskActiveSkinObject* max = Frame->FindObject("maxbutton");
    ASSERT_TRUE(close && max);
    EXPECT_TRUE(close->Visible && close->Enabled);
    EXPECT_EQ(close->ObjectRect, closeRect);
    EXPECT_FALSE(max->Visible || max->Enabled);
    // The button still closes the window on a click.
    const TPoint p =
        ScreenOf(f, (closeRect.Left + closeRect.Right) / 2, (closeRect.Top + closeRect.Bottom) / 2);
    hb->MouseMove(p);
    Pump();
    hb->Click(RawButton::Left, p);
    Pump();
    EXPECT_FALSE(f->Visible());
}

TEST_F(FrameTest, PressOnNothingCapturesNothing) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    // The frame's top band beside the buttons holds no object: no object is pressed.
    SendMessage(f->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, MakeLParam(f->Left() + 200, f->Top() + 22));
    EXPECT_EQ(Frame->PressedIndex(), -1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FrameTest, CaptionDoubleClick) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    auto dbl = [&] {
        SendMessage(f->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MakeLParam(f->Left() + 100, f->Top() + 12));
        Pump();
    };
    dbl();
    EXPECT_EQ(Frame->WindowState(), skwsMaximized);
    dbl();
    EXPECT_EQ(Frame->WindowState(), skwsNormal);
    EXPECT_EQ(f->BoundsRect(), (TRect{100, 100, 400, 300}));
    // Without maximize the double click rolls up.
    Frame->SetBorderIcons(skbiSystemMenu | skbiMinimize | skbiRollUp);
    Frame->SetSkinData(Skin);
    dbl();
    EXPECT_TRUE(Frame->RolledUp());
    EXPECT_EQ(f->Height(), 60 - 32);
    dbl();
    EXPECT_FALSE(Frame->RolledUp());
    EXPECT_EQ(f->Height(), 200);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(FrameTest, CaptionStripFollowsTheActiveState) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    f->SetCaption("Frame");
    ShowForm(f);
    ASSERT_TRUE(f->Active());
    // Active: the strip from the active picture; inactive: the frame picture with the text only.
    EXPECT_EQ(Pixel(f, 200, 3), kCaptionActive);
    TForm* other = NewFrameForm(false, {500, 100, 700, 300});
    ShowForm(other);
    ASSERT_FALSE(f->Active());
    EXPECT_EQ(Pixel(f, 200, 3), kTopBand);
}

TEST_F(FrameTest, CaptionActivationAnimationSteps) {
    TForm* f = NewFrameForm(false);
    Skin = new TskSkinData(f);
    std::string ini = FrameSkinIni();
    ini.replace(ini.find("textrect=0,0,82,20"), 18,
                "textrect=0,0,82,20\r\nanimateskinrect=0,32,64,52\r\nframecount=4\r\ninactiveanimation=1");
    Stored = FrameStoredSkin(ini);
    Skin->LoadStoredSkin(Stored.get());
    Frame->SetSkinData(Skin);
    ShowForm(f);
    auto* caption = dynamic_cast<TskSkinCaptionObject*>(Frame->FindObject("caption"));
    ASSERT_NE(caption, nullptr);
    ASSERT_TRUE(caption->CanAnimate());
    auto run = [&] {
        std::vector<int> frames;
        while (caption->DoAnimationStep() && frames.size() < 20)
            if (frames.empty() || frames.back() != caption->AnimationFrame)
                frames.push_back(caption->AnimationFrame);
        return frames;
    };
    caption->IsActive = true;
    caption->AnimationFrame = 1;
    caption->AnimationElapsed = 25;
    // Frames 2 to 4 one per interval, then past the last: the still active look.
    EXPECT_EQ(run(), (std::vector<int>{2, 3, 4, 5}));
    caption->IsActive = false;
    caption->AnimationFrame = 4;
    EXPECT_EQ(run(), (std::vector<int>{3, 2, 1, 0}));
    // Frames side by side when the strip is as high as the animation picture.
    EXPECT_EQ(caption->AnimationFrameRect(2), (TRect{16, 32, 32, 52}));
}

TEST_F(FrameTest, FramePaintRequestDrawsIntoTheGivenContext) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    TskBitmap target(300, 200);
    UniqueBitmap bmp = CreateSkinBitmapHandle(target);
    UniqueDC dc(CreateCompatibleDC(nullptr));
    SelectGuard guard(dc.Get(), bmp.Get());
    EXPECT_EQ(
        SendMessage(f->Handle(), WM_SKINFRAMEPAINT, reinterpret_cast<WPARAM>(dc.Get()), skFramePaintMagic),
        skFramePaintMagic);
    EXPECT_EQ(GetPixel(dc.Get(), 2, 100), COLORREF(kLeftBorder));
    // Another lParam is left to the form's own procedure.
    EXPECT_EQ(SendMessage(f->Handle(), WM_SKINFRAMEPAINT, reinterpret_cast<WPARAM>(dc.Get()), 1), 0);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(FrameTest, InactiveEffectDarkensTheBorders) {
    TForm* f = NewFrameForm(false, {100, 100, 400, 300});
    Skin = new TskSkinData(f);
    Stored = FrameStoredSkin(FrameSkinIni("autorenderinginactiveimage=1\r\ninactiveeffect=iedarkness\r\n"));
    Skin->LoadStoredSkin(Stored.get());
    Frame->SetSkinData(Skin);
    ShowForm(f);
    EXPECT_EQ(Pixel(f, 2, 100), kLeftBorder);
    TForm* other = NewFrameForm(false, {500, 100, 700, 300});
    ShowForm(other);
    ASSERT_FALSE(f->Active());
    // 70 per cent of each channel: yellow 0x00FFFF becomes 0x00B2B2.
    EXPECT_EQ(Pixel(f, 2, 100), TColor(0x00B2B2));
    EXPECT_EQ(Pixel(f, 150, 197), TColor(0xB2B200));
}

TEST_F(FrameTest, NoFramePaintingBelowTheMinimumSize) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    Frame->MinWidth = 500;
    // The stored size is below the minimum: the frame is left as it was.
    HDC dc = GetWindowDC(f->Handle());
    UniqueBrush black(CreateSolidBrush(0));
    const TRect left{0, 30, 4, 60};
    FillRect(dc, &left, black.Get());
    ReleaseDC(f->Handle(), dc);
    SendMessage(f->Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(TColor(GetWindowPixel(f->Handle(), 2, 40)), TColor(0));
    Frame->MinWidth = 0;
    SendMessage(f->Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(TColor(GetWindowPixel(f->Handle(), 2, 40)), kLeftBorder);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(FrameTest, SizeLimitsAndTheFormCursorInTheFrame) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    MINMAXINFO mmi{};
    SendMessage(f->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    // The skin picture's width, the frame without client; the work area at most.
    EXPECT_EQ(mmi.ptMinTrackSize, (TPoint{100, 28}));
    EXPECT_EQ(mmi.ptMaxTrackSize, (TPoint{1024, 740}));
    Frame->MinWidth = 150;
    Frame->MinHeight = 80;
    Frame->MaxWidth = 600;
    SendMessage(f->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize, (TPoint{150, 80}));
    EXPECT_EQ(mmi.ptMaxTrackSize, (TPoint{600, 740}));
    // Over the caption the form's own cursor, over a sizing edge the sizing cursor.
    f->SetCursor(crHandPoint);
    Frame->UseFormCursorInNCArea = true;
    SendMessage(f->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f->Handle()),
                MakeLParam(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_EQ(hb->LastCursor(), CursorShape::Hand);
    SendMessage(f->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f->Handle()),
                MakeLParam(HTLEFT, WM_MOUSEMOVE));
    EXPECT_EQ(hb->LastCursor(), CursorShape::SizeWE);
}

// A menu bar as the frame sees it: only its being a link matters here.
class StubMenuBar : public TComponent, public TskMenuBarLink {
public:
    using TComponent::TComponent;
    void EnterMenuMode() override {}
    void LeaveMenuMode() override {}
    void MenuClosed() override {}
    void SelectNextItem() override {}
    void SelectPreviousItem() override {}
    bool OpenHotItem() override { return false; }
    bool AcceleratorKey(unsigned) override { return false; }
    void ShowChildButtons() override {}
    void HideChildButtons() override {}
    void UpdateItems() override {}
    TMainMenu* BarMainMenu() const override { return nullptr; }
    TMainMenu* BarChildMenu() const override { return nullptr; }
    bool HasChildMenu() const override { return false; }
    bool ChildButtonsVisible() const override { return false; }
};

// Every component the frame and its helpers refer to may be freed by its own owner (another form
// here, so no owner tells the frame): the reference empties, and a reference moved on to another
// component no longer follows the old one.
TEST_F(FrameTest, ReferencesEmptyWhenTheirComponentGoes) {
    TForm* f = NewFrameForm(true);
    auto* skinComponent = new TskSkinFrame(f);
    auto* tabs = new TskSkinMDITabsBar(f);
    struct Case {
        const char* name;
        std::function<TComponent*(TComponent* owner)> make;
        std::function<void(TComponent*)> set;
        std::function<TComponent*()> get;
    };
    auto* frame = Frame;
    const Case cases[] = {
        {"status bar", [](TComponent* o) { return new TskSkinStatusBar(o); },
         [&](TComponent* c) { frame->SetStatusBar(dynamic_cast<TskSkinStatusBar*>(c)); },
         [&]() -> TComponent* { return frame->StatusBar(); }},
        {"object hint", [](TComponent* o) { return new TskSkinHint(o); },
         [&](TComponent* c) { frame->SetSkinHint(dynamic_cast<TskSkinHint*>(c)); },
         [&]() -> TComponent* { return frame->SkinHint(); }},
        {"system menu", [](TComponent* o) { return new TPopupMenu(o); },
         [&](TComponent* c) { frame->SetSystemMenu(dynamic_cast<TPopupMenu*>(c)); },
         [&]() -> TComponent* { return frame->SystemMenu(); }},
        {"menus' skin", [](TComponent* o) { return new TskSkinData(o); },
         [&](TComponent* c) { frame->SetMenusSkinData(dynamic_cast<TskSkinData*>(c)); },
         [&]() -> TComponent* { return frame->MenusSkinData(); }},
        {"tabs bar", [](TComponent* o) { return new TskSkinMDITabsBar(o); },
         [&](TComponent* c) { frame->SetMDITabsBar(dynamic_cast<TskSkinMDITabsBar*>(c)); },
         [&]() -> TComponent* { return frame->MDITabsBar(); }},
        {"main menu bar", [](TComponent* o) { return new StubMenuBar(o); },
         [&](TComponent* c) { frame->SetMainMenuBar(c); },
         [&]() -> TComponent* { return frame->MainMenuBar(); }},
        {"skin component's skin", [](TComponent* o) { return new TskSkinData(o); },
         [&](TComponent* c) { skinComponent->SetSkinData(dynamic_cast<TskSkinData*>(c)); },
         [&]() -> TComponent* { return skinComponent->SkinData(); }},
        {"skin frame's controls' skin", [](TComponent* o) { return new TskSkinData(o); },
         [&](TComponent* c) { skinComponent->SetCtrlsSkinData(dynamic_cast<TskSkinData*>(c)); },
         [&]() -> TComponent* { return skinComponent->CtrlsSkinData(); }},
        {"tabs bar's frame", [](TComponent* o) { return new TskSkinForm(o); },
         [&](TComponent* c) { tabs->SetSkinForm(dynamic_cast<TskSkinForm*>(c)); },
         [&]() -> TComponent* { return tabs->SkinForm(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* elsewhere = new TForm(Application);
        TComponent* first = c.make(elsewhere);
        TComponent* second = c.make(elsewhere);
        c.set(first);
        ASSERT_EQ(c.get(), first);
        c.set(second);
        first->Free();
        EXPECT_EQ(c.get(), second);
        second->Free();
        EXPECT_EQ(c.get(), nullptr);
        elsewhere->Free();
    }
}

// The frame's own skin freed elsewhere: the frame falls back to its plain look at once.
TEST_F(FrameTest, FreedSkinLeavesThePlainFrame) {
    auto* elsewhere = new TForm(Application);
    TForm* f = NewFrameForm(false);
    auto* skin = new TskSkinData(elsewhere);
    Stored = FrameStoredSkin();
    skin->LoadStoredSkin(Stored.get());
    Frame->SetSkinData(skin);
    ShowForm(f);
    ASSERT_TRUE(Frame->SkinInUse());
    skin->Free();
    EXPECT_EQ(Frame->SkinData(), nullptr);
    EXPECT_FALSE(Frame->SkinInUse());
    elsewhere->Free();
}

} // namespace
} // namespace vd::test
