#include "VclFixture.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"

#include <string>
#include <vector>

namespace vd::test {
namespace {

// A control with the kind of extra properties grids and stored skins define.
class TTestGrid : public TCustomControl {
public:
    explicit TTestGrid(TComponent* owner) : TCustomControl(owner) {}
    std::vector<long long> ColWidths;
    std::vector<Byte> Data;
    std::vector<std::string> Lines;
    std::vector<std::string>* LoadLog = nullptr;
    bool SetProperty(const String& name, const TPropValue& v) override {
        if (name == "ColWidths") {
            ColWidths.clear();
            for (const auto& item : v.List)
                ColWidths.push_back(item.AsInt());
            return true;
        }
        if (name == "Lines") {
            Lines.clear();
            for (const auto& item : v.List)
                Lines.push_back(item.AsString());
            return true;
        }
        if (name == "Data") {
            if (v.Kind != TPropValue::vkBinary) throw EReadError("Invalid property value");
            Data = v.Binary;
            return true;
        }
        return TCustomControl::SetProperty(name, v);
    }
    void GetProperties(TPropList& out) const override {
        TCustomControl::GetProperties(out);
        if (!ColWidths.empty()) {
            TPropValue l;
            l.Kind = TPropValue::vkList;
            for (long long w : ColWidths)
                l.List.push_back(TPropValue::FromInt(w));
            out.emplace_back("ColWidths", l);
        }
        if (!Lines.empty()) {
            TPropValue l;
            l.Kind = TPropValue::vkList;
            for (const auto& line : Lines)
                l.List.push_back(TPropValue::FromString(line));
            out.emplace_back("Lines", l);
        }
        if (!Data.empty()) {
            TPropValue b;
            b.Kind = TPropValue::vkBinary;
            b.Binary = Data;
            out.emplace_back("Data", b);
        }
    }

protected:
    void Loaded() override {
        TCustomControl::Loaded();
        if (LoadLog)
            LoadLog->push_back(Name() + " loaded with " + std::to_string(ColWidths.size()) + " widths");
    }
};

const char* kForm = R"(object MainForm: TForm
  Left = 10
  Top = 20
  Width = 300
  Height = 200
  Caption = 'It''s a '#84'est'
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  OnClose = FormClose
  object Grid: TTestGrid
    Left = 8
    Top = 8
    Width = 100
    Height = 50
    Align = alTop
    Anchors = [akLeft, akTop, akRight]
    ColWidths = (64 80 -1)
    Data = {00FF10ab}
    object Inner: TTestGrid
      Width = 10
      Height = 10
    end
  end
  object Menu: TPopupMenu
    AutoPopup = False
    object ItemOpen: TMenuItem
      Caption = '&Open'
      ShortCut = 'Ctrl+O'
      OnClick = OpenClick
      object Sub: TMenuItem
        Caption = '-'
      end
    end
  end
  object Tick: TTimer
    Interval = 250
    Enabled = False
  end
end
)";

class FormReaderTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        TFormReader::RegisterClass("TTestGrid", [](TComponent* o) { return new TTestGrid(o); });
    }
    TFormReader::EventBinder Binder() {
        return [this](TComponent* c, const String& event, const String& handler) {
            bound.push_back(c->Name() + "." + event + "=" + handler);
            return handler != "Missing";
        };
    }
    std::vector<std::string> bound;
};

TEST_F(FormReaderTest, ReadsTheTreeSetsPropertiesAndBindsEvents) {
    TForm* form = new TForm(Application);
    form->SetName("MainForm");
    TFormReader::ReadRoot(kForm, form, Binder());
    EXPECT_EQ(form->Caption(), "It's a Test");
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->BorderIcons(), biSystemMenu | biMinimize);
    auto* grid = dynamic_cast<TTestGrid*>(form->FindComponent("Grid"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->Parent(), form);
    EXPECT_EQ(grid->Align(), alTop);
    EXPECT_EQ(grid->Width(), form->ClientWidth()) << "aligned after loading";
    EXPECT_EQ(grid->ColWidths, (std::vector<long long>{64, 80, -1}));
    EXPECT_EQ(grid->Data, (std::vector<Byte>{0x00, 0xFF, 0x10, 0xAB}));
    auto* inner = dynamic_cast<TTestGrid*>(form->FindComponent("Inner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Parent(), grid);
    EXPECT_EQ(inner->Owner(), form);
    auto* menu = dynamic_cast<TPopupMenu*>(form->FindComponent("Menu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->AutoPopup());
    ASSERT_EQ(menu->Items()->Count(), 1);
    TMenuItem* open = menu->Items()->Items(0);
    EXPECT_EQ(open->ShortCut, ShortCut('O', ssCtrl));
    ASSERT_EQ(open->Count(), 1);
    EXPECT_TRUE(open->Items(0)->IsLine());
    auto* tick = dynamic_cast<TTimer*>(form->FindComponent("Tick"));
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(tick->Interval(), 250u);
    EXPECT_FALSE(tick->Enabled());
    EXPECT_EQ(bound, (std::vector<std::string>{"MainForm.OnClose=FormClose", "ItemOpen.OnClick=OpenClick"}));
    EXPECT_FALSE(form->ComponentState() & csLoading);
}

TEST_F(FormReaderTest, WrittenTextReadsBackToTheSameTree) {
    TForm* form = new TForm(Application);
    form->SetName("MainForm");
    TFormReader::ReadRoot(kForm, form, Binder());
    const String first = WriteComponentText(form);
    form->Free();
    TComponent* again = TFormReader::ReadComponent(first, Application, Binder());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(WriteComponentText(again), first);
    EXPECT_NE(first.find("ColWidths = (64 80 -1)"), String::npos);
    EXPECT_NE(first.find("Data = {00FF10AB}"), String::npos);
    EXPECT_NE(first.find("Caption = 'It''s a Test'"), String::npos);
    again->Free();
}

TEST_F(FormReaderTest, StringListItemsStaySeparateAndRoundTrip) {
    TForm* form = new TForm(Application);
    form->SetName("F");
    auto* grid = new TTestGrid(form);
    grid->SetName("Grid");
    TFormReader::ReadRoot("object F: TForm\n object Grid: TTestGrid\n"
                          "  Lines = ('a' 'b' 'c'#13#10'd' 'e' +\n 'f' '' 'it''s')\n end\nend",
                          form);
    const std::vector<std::string> expected{"a", "b", "c\r\nd", "ef", "", "it's"};
    EXPECT_EQ(grid->Lines, expected);

    const String text = WriteComponentText(form);
    form->Free();
    TComponent* again = TFormReader::ReadComponent(text, Application);
    ASSERT_NE(again, nullptr);
    auto* grid2 = dynamic_cast<TTestGrid*>(again->FindComponent("Grid"));
    ASSERT_NE(grid2, nullptr);
    EXPECT_EQ(grid2->Lines, expected);
    again->Free();
}

TEST_F(FormReaderTest, LoadedRunsAfterEveryPropertyIsSet) {
    std::vector<std::string> log;
    TForm* form = new TForm(Application);
    form->SetName("F");
    auto* grid = new TTestGrid(form);
    grid->SetName("Grid");
    grid->LoadLog = &log; // made in code; the resource fills it in
    TFormReader::ReadRoot("object F: TForm\n object Grid: TTestGrid\n ColWidths = (1 2)\n end\nend", form);
    EXPECT_EQ(log, (std::vector<std::string>{"Grid loaded with 2 widths"}));
    EXPECT_EQ(form->ComponentCount(), 1);
}

TEST_F(FormReaderTest, MalformedTextGivesAClearErrorAndLeavesNothingBehind) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"object F: TForm\n  Width = \nend", "line 3: Width: Invalid property value"},
        {"object F: TForm\n  Width = ]\nend", "line 2: Property value expected"},
        {"object F: TForm\n  Caption = 'open\nend", "line 2: Unterminated string"},
        {"object F: TForm\n  Nonsense = 1\nend", "line 2: Property Nonsense does not exist"},
        {"object F: TForm\n  object X: TNoSuchClass\n  end\nend", "line 2: Class TNoSuchClass not found"},
        {"object F: TForm\n  object G: TTestGrid\n    Data = {ABC}\n  end\nend",
         "line 3: Odd number of hex digits"},
        {"object F: TForm\n  Width = 'wide'\nend", "Invalid property value"},
        {"object F: TForm\n  BorderStyle = bsRound\nend", "Invalid property value bsRound"},
        {"object F: TForm\n  OnClick = Missing\nend", "line 2: Handler Missing not found"},
        {"object F: TForm\n  object G: TTestGrid\n", "Unexpected end of text"},
        {"object F: TForm\nend\nend", "line 3: Text after the last end"},
        {"object F: TPopupMenu\nend", "Root class TPopupMenu does not match TForm"},
        {"object F: TForm\n  Width = 99999999999999999999\nend", "Invalid number"},
        {"object F: TForm\n  Caption = #999\nend", "Invalid character code"},
    };
    for (const Case& c : cases) {
        TForm* form = new TForm(Application);
        form->SetName("F");
        try {
            TFormReader::ReadRoot(c.text, form, Binder());
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const EReadError& e) {
            EXPECT_NE(String(e.what()).find(c.message), String::npos)
                << "got: " << e.what() << " for " << c.text;
        }
        EXPECT_EQ(form->ComponentCount(), 0) << c.text;
        EXPECT_FALSE(form->ComponentState() & csLoading);
        form->Free();
    }
}

TEST_F(FormReaderTest, DeepNestingIsRefused) {
    String text;
    for (int i = 0; i < 100; ++i)
        text += "object G" + std::to_string(i) + ": TTestGrid\n";
    for (int i = 0; i < 100; ++i)
        text += "end\n";
    EXPECT_THROW(TFormReader::ReadComponent(text, nullptr), EReadError);
    String values = "object F: TForm\n  Caption = ";
    for (int i = 0; i < 1000; ++i)
        values += "(";
    EXPECT_THROW(TFormReader::ReadComponent(values, nullptr), EReadError);
}

} // namespace
} // namespace vd::test
