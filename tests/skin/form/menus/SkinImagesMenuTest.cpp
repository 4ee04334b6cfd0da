#include "skin/form/menus/SkinImagesMenu.h"
#include "MenuFixture.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/form/menus/SkinHintWindow.h"

namespace vd::test {
namespace {

constexpr TColor kImage = 0x3366CC;

class ImagesMenuTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        Images = new TImageList(Form);
        Images->SetSize(16, 16);
        TBitmap strip(48, 16);
        strip.Canvas().Brush().Color = kImage;
        strip.Canvas().FillRect({0, 0, 48, 16});
        strip.Canvas().SetPixel(0, 15, clWhite); // the transparent colour, one pixel per image
        strip.Canvas().SetPixel(16, 15, clWhite);
        strip.Canvas().SetPixel(32, 15, clWhite);
        Images->Add(strip, clWhite);
        Grid = new TskSkinImagesMenu(Form);
        Grid->SetImages(Images);
        Grid->OnMenuPopup = [this](TObject*) { Events.push_back("popup"); };
        Grid->OnInternalMenuClose = [this](TObject*) { Events.push_back("internal close"); };
        Grid->OnMenuClose = [this](TObject*) { Events.push_back("close"); };
        Grid->OnItemClick = [this](TObject*) { Events.push_back("item click"); };
        Grid->OnInternalChange = [this](TObject*) { Events.push_back("internal change"); };
        Grid->OnChange = [this](TObject*) { Events.push_back("change"); };
    }
    void Cells(int n) {
        for (int i = 0; i < n; ++i) {
            TskImagesMenuItem item;
            item.ImageIndex = i % 3;
            Grid->ImagesItems.push_back(item);
        }
    }
    HWND GridHandle() { return Grid->GridWindow() ? Grid->GridWindow()->Handle() : nullptr; }
    TPoint CellCentre(int i) {
        const TRect r = Grid->GridWindow()->Cells()[static_cast<size_t>(i)];
        return Grid->GridWindow()->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    TImageList* Images = nullptr;
    TskSkinImagesMenu* Grid = nullptr;
    Log Events;
};

TEST(ImagesMenuLayout, CellsFillRowsAndButtonsTakeWholeRows) {
    std::vector<TskImagesMenuItem> items(6);
    std::vector<TRect> cells;
    TskSkinImagesMenuPopupWindow::LayoutCells(items, 26, 26, 4, {5, 5}, cells);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0], (TRect{5, 5, 31, 31}));
    EXPECT_EQ(cells[3], (TRect{83, 5, 109, 31}));
    EXPECT_EQ(cells[4], (TRect{5, 32, 31, 58})) << "rows are one pixel apart";
    EXPECT_EQ(cells[5], (TRect{31, 32, 57, 58})) << "cells in a row touch";

    std::vector<TskImagesMenuItem> mixed(5);
    mixed[3].Button = true;
    TskSkinImagesMenuPopupWindow::LayoutCells(mixed, 26, 26, 4, {5, 5}, cells);
    EXPECT_EQ(cells[3], (TRect{5, 32, 109, 58})) << "a button after three cells starts its own row";
    EXPECT_EQ(cells[4], (TRect{5, 59, 31, 85})) << "and the next cell starts a new row at the left";
}

TEST_F(ImagesMenuTest, PlainGridIsSizedFromItsColumns) {
    Cells(6);
    Grid->SetColumnsCount(4);
    Grid->SetColumnsCount(51);
    EXPECT_EQ(Grid->ColumnsCount(), 4) << "out of range: ignored";
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    auto* w = Grid->GridWindow();
    EXPECT_FALSE(w->Skinned());
    EXPECT_EQ(w->Width(), 4 * 26 + 10);
    EXPECT_EQ(w->Height(), (26 + 1 + 26) + 10);
    EXPECT_EQ(w->Left(), 100);
    EXPECT_EQ(w->Top(), 120);
    EXPECT_TRUE(IsWindowVisible(GridHandle()));
    EXPECT_EQ(Events, (Log{"popup"}));
}

TEST_F(ImagesMenuTest, NothingToShowStillFiresOnMenuPopup) {
    EXPECT_FALSE(Grid->PopupFromRect({100, 100, 130, 120})) << "no items";
    Cells(2);
    Images->Clear();
    EXPECT_FALSE(Grid->PopupFromRect({100, 100, 130, 120})) << "no images";
    EXPECT_EQ(Grid->GridWindow(), nullptr);
    EXPECT_EQ(Events, (Log{"popup", "popup"}));
}

TEST_F(ImagesMenuTest, OpensAboveNearTheBottomAndStaysOnTheNearestMonitor) {
    Cells(3);
    Grid->SetColumnsCount(3);
    ASSERT_TRUE(Grid->PopupFromRect({100, 700, 130, 720}));
    EXPECT_EQ(Grid->GridWindow()->Top(), 700 - Grid->GridWindow()->Height()) << "above the button";
    Grid->GridWindow()->HideGrid(false);
    Pump();
    // A second monitor to the right: a button there keeps the grid inside that monitor.
    hb->SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 740}}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 740}}});
    ASSERT_TRUE(Grid->PopupFromRect({2040, 100, 2048, 120}));
    auto* w = Grid->GridWindow();
    EXPECT_EQ(w->Left(), 2048 - w->Width());
}

TEST_F(ImagesMenuTest, ChoosingACellClosesTheGridThenReportsIt) {
    Cells(4);
    Grid->SetColumnsCount(4);
    Grid->ItemIndex = 1;
    bool aliveInHandler = false;
    Grid->ImagesItems[2].OnClick = [&](TObject* s) {
        EXPECT_EQ(s, Grid);
        Events.push_back("cell click");
    };
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    HWND h = GridHandle();
    Grid->OnItemClick = [&](TObject*) {
        Events.push_back("item click");
        aliveInHandler = IsWindow(h) && !IsWindowVisible(h);
    };
    hb->ButtonUp(RawButton::Left, CellCentre(2)); // the release of the opening click: ignored
    Pump();
    EXPECT_TRUE(IsWindowVisible(h));
    hb->Click(RawButton::Left, CellCentre(2));
    Pump();
    EXPECT_EQ(Grid->ItemIndex, 2);
    EXPECT_EQ(Events, (Log{"popup", "internal close", "close", "cell click", "item click", "internal change",
                           "change"}));
    EXPECT_TRUE(aliveInHandler) << "hidden, and freed only after its handlers unwound";
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Grid->GridWindow(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);

    Events.clear();
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    hb->Click(RawButton::Left, CellCentre(2));
    Pump();
    EXPECT_EQ(Events, (Log{"popup", "internal close", "close", "cell click", "item click"}))
        << "same cell: no change";
}

TEST_F(ImagesMenuTest, ClickOutsideOrAKeyClosesWithoutAChoice) {
    Cells(4);
    Grid->ItemIndex = 1;
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    TskSkinImagesMenuPopupWindow* w = Grid->GridWindow();
    EXPECT_TRUE(Application->HasMessageHook(w));
    hb->Click(RawButton::Left, {700, 600});
    Pump();
    EXPECT_EQ(Grid->ItemIndex, 1);
    EXPECT_EQ(Events, (Log{"popup", "internal close", "close"}));
    EXPECT_EQ(Grid->GridWindow(), nullptr);

    Events.clear();
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    w = Grid->GridWindow();
    hb->KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_EQ(Events, (Log{"popup", "internal close", "close"}));
    EXPECT_FALSE(Application->HasMessageHook(w)) << "the hook goes with the grid";
}

TEST_F(ImagesMenuTest, PopupWhileOpenClosesTheOpenGridFirst) {
    Cells(2);
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    HWND first = GridHandle();
    ASSERT_TRUE(Grid->PopupFromRect({300, 100, 330, 120}));
    EXPECT_EQ(Events, (Log{"popup", "internal close", "close", "popup"}));
    Pump();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindowVisible(GridHandle()));
}

TEST_F(ImagesMenuTest, PlainGridPaintsTheSelectedAndHotCells) {
    Cells(3);
    Grid->SetColumnsCount(3);
    Grid->ItemIndex = 0;
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    auto* w = Grid->GridWindow();
    HWND h = GridHandle();
    Pump();
    const auto& cells = w->Cells();
    EXPECT_EQ(TColor(GetWindowPixel(h, 0, 0)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(TColor(GetWindowPixel(h, cells[0].Left, cells[0].Top)), TColor(0x800000));
    EXPECT_EQ(TColor(GetWindowPixel(h, cells[0].Left + 2, cells[0].Top + 2)), TColor(0xB59285)) << "selected";
    EXPECT_EQ(TColor(GetWindowPixel(h, cells[0].Left + 7, cells[0].Top + 7)), kImage);
    EXPECT_EQ(TColor(GetWindowPixel(h, cells[1].Left + 2, cells[1].Top + 2)), ColorToRGB(clWindow));
    hb->MouseMove(CellCentre(1));
    Pump();
    EXPECT_EQ(w->HotCell(), 1);
    EXPECT_EQ(TColor(GetWindowPixel(h, cells[1].Left + 2, cells[1].Top + 2)), TColor(0xD2BDB6)) << "hot";
}

TEST_F(ImagesMenuTest, SkinnedGridTakesThePopupPicture) {
    LoadSkin();
    Grid->SetSkinData(Skin);
    Cells(2);
    Grid->SetColumnsCount(2);
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    auto* w = Grid->GridWindow();
    ASSERT_TRUE(w->Skinned());
    EXPECT_EQ(w->Width(), 40 - 30 + 2 * 26);
    EXPECT_EQ(w->Height(), 40 - 30 + 26);
    EXPECT_EQ(w->Cells()[0].TopLeft(), (TPoint{5, 5}));
    Pump();
    EXPECT_EQ(TColor(GetWindowPixel(GridHandle(), 1, 1)), kPopCorner);
}

TEST_F(ImagesMenuTest, MenuSpeedButtonOpensTheGridAndIsReleasedWhenItCloses) {
    Cells(3);
    auto* button = new TskSkinMenuSpeedButton(Form);
    button->SetParent(Form);
    button->SetBoundsRect({10, 10, 70, 35});
    button->SetSkinImagesMenu(Grid);
    Pump();
    hb->Click(RawButton::Left, button->ClientToScreen({5, 5}));
    Pump();
    ASSERT_NE(Grid->GridWindow(), nullptr);
    EXPECT_TRUE(button->MenuOpen());
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(Grid->GridWindow()->Top(), button->ClientToScreen({0, button->Height()}).Y)
        << "below the button";
    hb->Click(RawButton::Left, CellCentre(2));
    Pump();
    EXPECT_EQ(Grid->ItemIndex, 2);
    EXPECT_EQ(Grid->GetSelectedItem(), &Grid->ImagesItems[2]);
    EXPECT_FALSE(button->MenuOpen());
    EXPECT_FALSE(button->Down());

    // Without items nothing opens, and the button does not stay down waiting for a close.
    Grid->ImagesItems.clear();
    hb->Advance(1000);
    hb->Click(RawButton::Left, button->ClientToScreen({5, 5}));
    Pump();
    EXPECT_EQ(Grid->GridWindow(), nullptr);
    EXPECT_FALSE(button->Down());
}

TEST_F(ImagesMenuTest, HoveredCellShowsItsHintAfterThePause) {
    auto* hint = new TskSkinHint(Form);
    Grid->SetSkinHint(hint);
    Cells(2);
    Grid->ImagesItems[1].Hint = "Second image";
    Application->HintPause = 400;
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    hb->MouseMove(CellCentre(1));
    Pump();
    EXPECT_TRUE(hint->HintPending());
    hb->Advance(450);
    Pump();
    ASSERT_TRUE(IsWindowVisible(hint->HintWindow()->Handle()));
    EXPECT_EQ(hint->HintWindow()->Caption(), "Second image");
    hb->MouseMove(CellCentre(0));
    Pump();
    EXPECT_FALSE(IsWindowVisible(hint->HintWindow()->Handle())) << "a cell without a hint hides it";
    EXPECT_FALSE(hint->HintPending());
}

TEST_F(ImagesMenuTest, GridFadesInToItsAlpha) {
    hb->SetLayeredAvailable(true);
    Grid->AlphaBlend = true;
    Grid->AlphaBlendAnimation = true;
    Grid->AlphaBlendValue = 25;
    Cells(1);
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    Byte alpha = 255;
    ASSERT_TRUE(GetLayeredAlpha(GridHandle(), alpha));
    EXPECT_EQ(alpha, 0);
    for (int want : {10, 20, 25, 25}) {
        hb->Advance(6);
        Pump();
        GetLayeredAlpha(GridHandle(), alpha);
        EXPECT_EQ(alpha, want);
    }
}

TEST_F(ImagesMenuTest, LyingSkinRectanglesNeitherCrashNorHang) {
    const char* popups[] = {
        "[POPUPWINDOW]\r\nwindowpictureindex=1\r\nitemsrect=0,0,500,500\r\nmaskpictureindex=1\r\n",
        "[POPUPWINDOW]\r\nwindowpictureindex=1\r\nitemsrect=30,30,10,10\r\nlefttoppoint=90,90\r\n",
    };
    const std::string buttons =
        "[SKINCONTROLS]\r\ncount=1\r\n0=menuitembutton:button\r\n[menuitembutton]\r\npictureindex=0\r\n"
        "skinrect=50,50,10,10\r\ndownskinrect=-5,-5,90,90\r\nlefttoppoint=70,70\r\nclientrect=9,9,1,1\r\n";
    Cells(3);
    Grid->ImagesItems[1].Button = true;
    Grid->ImagesItems[1].Caption = "A button row";
    Grid->ItemIndex = 1;
    for (const char* popup : popups) {
        SCOPED_TRACE(popup);
        auto* skin = new TskSkinData(Form);
        auto stored = MenuStoredSkin(true, popup + buttons);
        skin->LoadStoredSkin(stored.get());
        ASSERT_FALSE(skin->Empty());
        Grid->SetSkinData(skin);
        ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
        Pump();
        hb->MouseMove(CellCentre(0));
        Pump();
        Grid->GridWindow()->HideGrid(false);
        Pump();
        skin->Free();
    }
}

TEST_F(ImagesMenuTest, FreeingTheMenuWithAnOpenGridLeavesNoHookOrCapture) {
    Cells(2);
    ASSERT_TRUE(Grid->PopupFromRect({100, 100, 130, 120}));
    TskSkinImagesMenuPopupWindow* w = Grid->GridWindow();
    HWND h = GridHandle();
    Grid->Free();
    Grid = nullptr;
    EXPECT_FALSE(Application->HasMessageHook(w));
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(GetCapture(), nullptr);
    hb->KeyPress(VK_ESCAPE);
    Pump();
}

} // namespace
} // namespace vd::test
