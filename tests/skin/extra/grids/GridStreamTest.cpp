// Column widths and row heights in form resources: written only when set, read back through the
// form reader, and bad lists that never break the grid.
#include "GridFixture.h"
#include "platform/vcl/FormReader.h"

namespace vd::test {
namespace {

class GridStreamTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        RegisterSkinGridClasses();
    }
    TskSkinStringGrid* Read(const std::string& props) {
        const std::string text = "object F: TForm\n  object G: TskSkinStringGrid\n" + props + "  end\nend\n";
        Root = static_cast<TForm*>(TFormReader::ReadComponent(text, Application));
        return static_cast<TskSkinStringGrid*>(Root->FindComponent("G"));
    }
    TForm* Root = nullptr;
};

TEST_F(GridStreamTest, WidthsGoIntoTheResourceOnlyWhenSetAndComeBackTheSame) {
    auto* g = new TskSkinStringGrid(Form);
    g->SetName("SGStreams");
    g->SetColCount(7);
    g->SetOptions(goRowSelect);
    TPropList props;
    g->GetProperties(props);
    for (const auto& [name, value] : props) {
        EXPECT_NE(name, "ColWidths");
        EXPECT_NE(name, "RowHeights");
    }
    const int widths[] = {128, 46, 38, 41, 81, 48, 64};
    for (int i = 0; i < 7; ++i)
        g->SetColWidths(i, widths[i]);
    Form->SetName("Main");
    const String text = WriteComponentText(Form);
    EXPECT_NE(text.find("ColWidths = (128 46 38 41 81 48 64)"), String::npos) << text;
    EXPECT_EQ(text.find("RowHeights"), String::npos);

    auto* back =
        Read("    ColCount = 7\n    Options = [goRowSelect]\n    ColWidths = (128 46 38 41 81 48 64)\n");
    ASSERT_NE(back, nullptr);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(back->GetColWidths(i), widths[i]) << i;
    EXPECT_EQ(back->Options(), goRowSelect);
    EXPECT_FALSE(back->HasRowHeights());
}

TEST_F(GridStreamTest, BadListsAreCutClampedOrRefused) {
    // More values than columns: the rest is dropped. Negative and huge values are clamped.
    auto* g = Read("    ColCount = 3\n    RowCount = 2\n    ColWidths = (10 -5 99999999999 40 50)\n"
                   "    RowHeights = ()\n");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->GetColWidths(0), 10);
    EXPECT_EQ(g->GetColWidths(1), 0);
    EXPECT_GT(g->GetColWidths(2), 0);
    EXPECT_FALSE(g->HasRowHeights());
    Root->Free();
    // Widths before the count only reach the default five columns.
    g = Read("    ColWidths = (1 2 3 4 5 6 7)\n    ColCount = 7\n");
    EXPECT_EQ(g->GetColWidths(4), 5);
    EXPECT_EQ(g->GetColWidths(5), 64);
    Root->Free();
    // Not a list, or not numbers: a read error, and no half-built form left behind.
    const int forms = Screen->FormCount();
    for (const char* bad :
         {"    ColWidths = 12\n", "    ColWidths = ('a' 'b')\n", "    RowHeights = [x]\n",
          "    ColCount = 999999999\n", "    Options = [goNothing]\n", "    FixedRows = 9\n"}) {
        EXPECT_ANY_THROW(Read(bad)) << bad;
        EXPECT_EQ(Screen->FormCount(), forms) << bad;
    }
    // A painted grid with absurd widths keeps working.
    g = Read("    ColCount = 4\n    ColWidths = (2000000000 2000000000 2000000000 2000000000)\n");
    g->SetParent(Root);
    Root->SetBounds(0, 0, 300, 200);
    Root->Show();
    Pump();
    SendMessage(g->Handle(), WM_HSCROLL, MakeScrollWParam(SB_BOTTOM, 0), 0);
    SendMessage(g->Handle(), WM_VSCROLL, MakeScrollWParam(SB_PAGEDOWN, 0), 0);
    Pump();
    EXPECT_GE(g->LeftCol(), 1);
}

} // namespace
} // namespace vd::test
