#include "skin/controls/SkinListView.h"
#include "SkinFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/CommCtrl.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinScrollBar.h"

#include <initializer_list>

namespace vd::test {
namespace {

class SkinListViews : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        List = new TskSkinListView(Form);
        List->SetParent(Form);
        List->SetBounds(10, 10, 200, 120);
        VBar = new TskSkinScrollBar(Form);
        VBar->SetKind(sbVertical);
        VBar->SetParent(Form);
        VBar->SetBounds(210, 10, 19, 120);
        HBar = new TskSkinScrollBar(Form);
        HBar->SetParent(Form);
        HBar->SetBounds(10, 130, 200, 19);
        Show();
    }
    void Attach() {
        List->SetVScrollBar(VBar);
        List->SetHScrollBar(HBar);
        Pump();
    }
    void Report(int width0 = 80, int width1 = 80) {
        List->SetViewStyle(vsReport);
        TListColumn* a = List->Columns().Add();
        a->SetCaption("A");
        a->SetWidth(width0);
        TListColumn* b = List->Columns().Add();
        b->SetCaption("B");
        b->SetWidth(width1);
        Pump();
    }
    void AddItems(int n) {
        List->Items().BeginUpdate();
        for (int i = 0; i < n; ++i)
            List->Items().Add()->SetCaption("item " + IntToStr(i));
        List->Items().EndUpdate();
        Pump();
    }
    int TopIndex() { return List->TopItem() ? List->TopItem()->Index() : -1; }
    HWND Header() { return List->HookedHeader(); }
    TColor HeaderPixel(int x, int y) {
        Pump();
        TPoint p{x, y};
        ClientToScreen(Header(), p);
        const TPoint f = Form->ScreenToClient(p);
        return TColor(GetWindowPixel(Form->Handle(), f.X, f.Y));
    }
    TPoint HeaderPoint(int x, int y) {
        TPoint p{x, y};
        ClientToScreen(Header(), p);
        return p;
    }
    TskSkinListView* List = nullptr;
    TskSkinScrollBar* VBar = nullptr;
    TskSkinScrollBar* HBar = nullptr;
};

TEST_F(SkinListViews, ReportBarsFollowRowsAndColumns) {
    Attach();
    Report();
    const int page = List->CountPerPage();
    ASSERT_GT(page, 2);
    AddItems(page);
    EXPECT_FALSE(VBar->Visible()) << "every row fits";
    AddItems(5);
    ASSERT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->PageSize(), page);
    EXPECT_EQ(VBar->Max(), page + 4);
    EXPECT_EQ(VBar->SmallChange(), 1);
    EXPECT_EQ(VBar->LargeChange(), page) << "a page of rows";
    EXPECT_FALSE(HBar->Visible()) << "the columns fit";
    List->Columns().Items(1)->SetWidth(200);
    Pump();
    ASSERT_TRUE(HBar->Visible());
    EXPECT_EQ(HBar->PageSize(), List->Width());
    EXPECT_EQ(HBar->Max(), 280);
    EXPECT_TRUE(HBar->Both());
}

TEST_F(SkinListViews, ReportBarsScrollRowsAndPixels) {
    Attach();
    Report(150, 150);
    AddItems(50);
    VBar->SetPosition(3);
    Pump();
    EXPECT_EQ(TopIndex(), 3);
    VBar->SetPosition(1);
    Pump();
    EXPECT_EQ(TopIndex(), 1) << "back by the difference";
    HBar->SetPosition(40);
    Pump();
    EXPECT_EQ(GetScrollPos(List->Handle(), SB_HORZ), 40);
    // Keys move the list; the bar follows.
    List->SetFocus();
    hb->KeyDown(VK_END);
    hb->KeyUp(VK_END);
    Pump();
    EXPECT_EQ(VBar->Position(), 50 - List->CountPerPage());
    VBar->SetPosition(VBar->Position() - 2);
    Pump();
    EXPECT_EQ(TopIndex(), 50 - List->CountPerPage() - 2) << "from where the keys left it";
}

TEST_F(SkinListViews, ListStyleScrollsByColumns) {
    Attach();
    List->SetViewStyle(vsList);
    AddItems(60);
    EXPECT_FALSE(VBar->Visible()) << "never a vertical bar in columns";
    ASSERT_TRUE(HBar->Visible());
    const int w = List->Items().Item(0)->DisplayRect().Width();
    ASSERT_GT(w, 0);
    EXPECT_EQ(HBar->PageSize(), List->Width() / w);
    EXPECT_EQ(HBar->SmallChange(), 1);
    EXPECT_EQ(HBar->LargeChange(), 1);
    const int perColumn = List->ClientHeight() / List->RowHeight();
    MessageSpy spy;
    spy.Watch(List->Handle());
    HBar->SetPosition(2);
    EXPECT_EQ(spy.Messages(List->Handle(), {WM_HSCROLL}).size(), 2u) << "one line message per column";
    for (const SpyEntry& e : spy.Of(List->Handle(), WM_HSCROLL))
        EXPECT_EQ(ScrollCode(e.wParam), SB_LINERIGHT);
    Pump();
    EXPECT_EQ(TopIndex(), 2 * perColumn);
    spy.Clear();
    HBar->SetPosition(1);
    ASSERT_EQ(spy.Of(List->Handle(), WM_HSCROLL).size(), 1u);
    EXPECT_EQ(ScrollCode(spy.Of(List->Handle(), WM_HSCROLL)[0].wParam), SB_LINELEFT);
}

TEST_F(SkinListViews, IconStyleScrollsByPixels) {
    Attach();
    AddItems(40);
    ASSERT_TRUE(VBar->Visible());
    EXPECT_FALSE(HBar->Visible());
    const int h = List->Items().Item(0)->DisplayRect().Height();
    EXPECT_EQ(VBar->SmallChange(), h / 2);
    EXPECT_EQ(VBar->LargeChange(), h / 2);
    EXPECT_EQ(VBar->PageSize(), List->Height());
    VBar->SetPosition(25);
    Pump();
    EXPECT_EQ(GetScrollPos(List->Handle(), SB_VERT), 25);
    EXPECT_EQ(List->Items().Item(0)->DisplayRect().Top, -25);
}

TEST_F(SkinListViews, ATinyListLeavesItsBarsAlone) {
    List->SetBounds(10, 10, 5, 120);
    Attach();
    Report();
    AddItems(50);
    EXPECT_FALSE(VBar->Visible());
    List->SetBounds(10, 10, 200, 120);
    Pump();
    EXPECT_TRUE(VBar->Visible());
}

// Bars and a skin freed while attached are forgotten, and a bar given up never calls back into
// the list, not even after the list is gone.
TEST_F(SkinListViews, ReplacedAndFreedBarsAndSkinAreForgotten) {
    Attach();
    Report();
    AddItems(50);
    auto* spare = new TskSkinScrollBar(Form);
    spare->SetKind(sbVertical);
    spare->SetParent(Form);
    spare->SetBounds(230, 10, 19, 120);
    List->SetVScrollBar(spare);
    Pump();
    ASSERT_TRUE(spare->Visible());
    spare->SetPosition(2);
    Pump();
    EXPECT_EQ(TopIndex(), 2);

    List->SetSkinData(Skin);
    for (TComponent* gone : std::initializer_list<TComponent*>{spare, HBar, Skin})
        gone->Free();
    EXPECT_EQ(List->VScrollBar(), nullptr);
    EXPECT_EQ(List->HScrollBar(), nullptr);
    EXPECT_EQ(List->SkinData(), nullptr);
    List->ChangeSkinData();
    EXPECT_EQ(List->SkinIndex(), -1);
    AddItems(40); // updates run without the bars
    EXPECT_EQ(List->Items().Count(), 90);

    List->Free();
    List = nullptr;
    VBar->SetPosition(5); // AddressSanitizer catches a call into the freed list
    EXPECT_EQ(VBar->Position(), 5);
}

TEST_F(SkinListViews, SkinColoursAndFont) {
    List->SetSkinData(Skin);
    EXPECT_EQ(List->Color(), kListBack);
    EXPECT_EQ(List->Font().Name(), "Verdana");
    EXPECT_EQ(List->Font().Height(), 18);
    EXPECT_EQ(List->Font().Color(), kViewText);
    EXPECT_EQ(Probe(List, 190, 110), kListBack);
    Skin->ClearSkin();
    List->ChangeSkinData();
    EXPECT_EQ(List->Color(), clWindow);
    EXPECT_EQ(List->Font().Name(), "Arial");
}

// The report view's header: hooked, 4 pixels wider than asked, drawn plain without a skin.
TEST_F(SkinListViews, PlainHeaderPressAndDivider) {
    Report();
    ASSERT_NE(Header(), nullptr);
    EXPECT_EQ(Header(), List->HeaderHandle());
    EXPECT_EQ(GetWindowRect(Header()).Width(), List->ClientWidth() + 4);
    EXPECT_FALSE(List->HeaderSkinned());
    const int h = GetClientRect(Header()).Height();
    EXPECT_EQ(HeaderPixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(HeaderPixel(70, h / 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(HeaderPixel(170, h / 2), ColorToRGB(clBtnFace)) << "the rest after the last section";
    EXPECT_EQ(HeaderPixel(160, 0), ColorToRGB(clBtnShadow)) << "the rest's frame";

    hb->ButtonDown(RawButton::Left, HeaderPoint(40, h / 2));
    Pump();
    EXPECT_EQ(List->PressedSection(), 0);
    EXPECT_EQ(HeaderPixel(0, 0), ColorToRGB(clskNavy));
    EXPECT_EQ(HeaderPixel(70, h / 2), ColorToRGB(clskPressedFill));
    EXPECT_EQ(HeaderPixel(120, h / 2), ColorToRGB(clBtnFace)) << "the other section stays up";
    hb->ButtonUp(RawButton::Left, HeaderPoint(40, h / 2));
    Pump();
    EXPECT_EQ(List->PressedSection(), -1);
    EXPECT_EQ(HeaderPixel(70, h / 2), ColorToRGB(clBtnFace));

    // A press on the divider drags it: no section shows pressed.
    hb->ButtonDown(RawButton::Left, HeaderPoint(79, h / 2));
    Pump();
    EXPECT_EQ(List->PressedSection(), -1);
    EXPECT_EQ(HeaderPixel(70, h / 2), ColorToRGB(clBtnFace));
    hb->ButtonUp(RawButton::Left, HeaderPoint(79, h / 2));
    Pump();
}

TEST_F(SkinListViews, SkinnedHeaderSectionsAndTheOpenRest) {
    List->SetSkinData(Skin);
    Report();
    ASSERT_TRUE(List->HeaderSkinned());
    const int h = GetClientRect(Header()).Height();
    ASSERT_GE(h, 12);
    // Nine-part face A in each 80-pixel section.
    EXPECT_EQ(HeaderPixel(1, 1), kRed);
    EXPECT_EQ(HeaderPixel(78, 1), kGreen);
    EXPECT_EQ(HeaderPixel(1, h - 2), kBlue);
    EXPECT_EQ(HeaderPixel(78, h - 2), kYellow);
    EXPECT_EQ(HeaderPixel(70, h / 2), kClient[0]);
    EXPECT_EQ(HeaderPixel(81, 1), kRed) << "the second section";
    // The rest keeps its left corners and has no right end.
    EXPECT_EQ(HeaderPixel(161, 1), kRed);
    const int right = List->ClientWidth(); // the header's last 4 pixels lie outside the list
    EXPECT_EQ(HeaderPixel(right - 1, 1), kEdge[0]) << "cut off at the window edge";
    EXPECT_EQ(HeaderPixel(right - 1, h / 2), kClient[0]);

    hb->ButtonDown(RawButton::Left, HeaderPoint(100, h / 2));
    Pump();
    EXPECT_EQ(List->PressedSection(), 1);
    EXPECT_EQ(HeaderPixel(150, h / 2), kClient[2]) << "the down face";
    EXPECT_EQ(HeaderPixel(70, h / 2), kClient[0]);
    hb->ButtonUp(RawButton::Left, HeaderPoint(100, h / 2));
    Pump();
    EXPECT_EQ(HeaderPixel(150, h / 2), kClient[0]);
}

TEST_F(SkinListViews, ThreePartHeaderFace) {
    List->HeaderSkinDataName = "flatheader";
    List->SetSkinData(Skin);
    Report();
    ASSERT_TRUE(List->HeaderSkinned());
    const int h = GetClientRect(Header()).Height();
    EXPECT_EQ(HeaderPixel(1, 0), kRed);
    EXPECT_EQ(HeaderPixel(1, h - 1), kBlue) << "stretched to the header's height";
    EXPECT_EQ(HeaderPixel(78, 0), kGreen);
    EXPECT_EQ(HeaderPixel(40, 0), kEdge[0]);
    hb->ButtonDown(RawButton::Left, HeaderPoint(40, h / 2));
    Pump();
    EXPECT_EQ(HeaderPixel(70, h / 2), kClient[2]);
    hb->ButtonUp(RawButton::Left, HeaderPoint(40, h / 2));
}

// A header record of another kind, or one without a picture, gives the plain header.
TEST_F(SkinListViews, HeaderRecordsThatCannotDrawGiveThePlainHeader) {
    for (const char* name : {"panel", "nopicture", "missing"}) {
        List->HeaderSkinDataName = name;
        List->SetSkinData(Skin);
        Report();
        EXPECT_FALSE(List->HeaderSkinned()) << name;
        const int h = GetClientRect(Header()).Height();
        EXPECT_EQ(HeaderPixel(0, 0), ColorToRGB(clBtnShadow)) << name;
        EXPECT_EQ(HeaderPixel(70, h / 2), ColorToRGB(clBtnFace)) << name;
        List->Columns().Clear();
        List->SetViewStyle(vsIcon);
    }
}

// Reordered columns keep their captions over their own data: the caption of the column shown
// first is drawn first.
TEST_F(SkinListViews, ReorderedColumnsKeepTheirCaptions) {
    Report(80, 120);
    List->SetColumnOrder({1, 0});
    const int h = GetClientRect(Header()).Height();
    EXPECT_EQ(List->SectionRect(0), (TRect{0, 0, 120, h}));
    EXPECT_EQ(List->SectionRect(1), (TRect{120, 0, 200, h}));
    EXPECT_EQ(HeaderPixel(119, h / 2), ColorToRGB(clBtnShadow)) << "the wide column's frame comes first";
    hb->ButtonDown(RawButton::Left, HeaderPoint(60, h / 2));
    Pump();
    EXPECT_EQ(List->PressedSection(), 0);
    EXPECT_EQ(HeaderPixel(110, h / 2), ColorToRGB(clskPressedFill));
    hb->ButtonUp(RawButton::Left, HeaderPoint(60, h / 2));
}

TEST_F(SkinListViews, LongCaptionsAreCutAndImagesDrawn) {
    TCustomImageList images(nullptr);
    images.SetSize(8, 8);
    TBitmap pic(8, 8);
    pic.Canvas().Brush().Color = clLime;
    pic.Canvas().FillRect({0, 0, 8, 8});
    images.Add(pic, clNone);
    List->SetSmallImages(&images);
    Report(60, 80);
    List->Columns().Items(0)->SetCaption("A caption far too long for its section");
    List->Columns().Items(0)->SetImageIndex(0);
    List->Columns().Items(1)->SetImageIndex(0);
    List->Columns().Items(1)->SetAlignment(taRightJustify);
    Pump();
    const int h = GetClientRect(Header()).Height();
    const int iy = 1 + (h - 2) / 2 - 4; // centred in the section inside its frame
    EXPECT_EQ(HeaderPixel(6 + 2, iy + 2), ColorToRGB(clLime)) << "the image at the left of a cut caption";
    // "B" fits: right-justified, the image before it near the right edge.
    const int tw = [&] {
        HDC dc = GetDC(Header());
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(List->Font().Handle()));
        const int w = TextExtent(dc, "B").cx;
        ReleaseDC(Header(), dc);
        return w;
    }();
    const int ix = 60 + 74 - tw - 8 - 10; // the caption's right edge 5 inside the frame
    EXPECT_EQ(HeaderPixel(ix + 2, iy + 2), ColorToRGB(clLime));
    EXPECT_NE(HeaderPixel(60 + 6 + 2, iy + 2), ColorToRGB(clLime)) << "not at the left";
    List->SetSmallImages(nullptr);
}

TEST_F(SkinListViews, AHeaderMadeAgainIsHookedAgain) {
    Report();
    HWND first = Header();
    ASSERT_NE(first, nullptr);
    List->SetViewStyle(vsList);
    List->SetViewStyle(vsReport);
    Pump();
    ASSERT_NE(Header(), nullptr);
    EXPECT_NE(Header(), first);
    EXPECT_EQ(Header(), List->HeaderHandle());
    EXPECT_EQ(GetWindowRect(Header()).Width(), List->ClientWidth() + 4);
    List->Free(); // gives the header its own procedure back before the window goes
    Pump();
}

} // namespace
} // namespace vd::test
