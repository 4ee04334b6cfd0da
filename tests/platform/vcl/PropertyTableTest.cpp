// A published property declared once serves both reading and writing a form resource.
#include "VclFixture.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/PropertyTable.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/Timer.h"

#include <vector>

namespace vd::test {
namespace {

using namespace props;

// A plain class: the table needs no component.
struct TProbe {
    int Size = 10;
    int SizeCalls = 0;
    String Title;
    bool On = true;
    String FontName;
    int FontHeight = 0;
    TTimer* Timer = nullptr;
    void SetSize(int v) {
        Size = v;
        ++SizeCalls;
    }
    void SetTimer(TTimer* t) { Timer = t; }
};

bool SetProbeFont(TProbe& p, const String& name, const TPropValue& v) {
    if (name == "Font.Name")
        p.FontName = v.AsString();
    else if (name == "Font.Height")
        p.FontHeight = AsInt(v);
    else
        return false;
    return true;
}

const TPropertyTable<TProbe>& ProbeTable() {
    static const TPropertyTable<TProbe> table{
        {"Size", Call(&TProbe::SetSize, AsInt), Unless(&TProbe::Size, 10, &TPropValue::FromInt)},
        {"Title", Store(&TProbe::Title, AsText), Unless(&TProbe::Title, String(), &TPropValue::FromString)},
        {"On", Store(&TProbe::On, AsBool), Unless(&TProbe::On, true, &TPropValue::FromBool)},
        {"Font.", SetProbeFont},
        {"Width", Call(&TProbe::SetSize, AsInt)}, // read, never written
        {"Timer", Link<TTimer>(&TProbe::SetTimer)},
        {"AnyTimer", LinkOrNone<TTimer>(&TProbe::SetTimer)},
    };
    return table;
}

TEST(PropertyTableTest, EachNameReachesItsOwnEntryAndNoOther) {
    const struct {
        const char* name;
        TPropValue value;
        bool known;
        int size, sizeCalls;
        const char* title;
        bool on;
        const char* fontName;
        int fontHeight;
    } cases[] = {
        {"Size", TPropValue::FromInt(12), true, 12, 1, "", true, "", 0},
        {"Width", TPropValue::FromInt(13), true, 13, 1, "", true, "", 0},
        {"Title", TPropValue::FromString("t"), true, 10, 0, "t", true, "", 0},
        {"On", TPropValue::FromBool(false), true, 10, 0, "", false, "", 0},
        {"Font.Name", TPropValue::FromString("Mono"), true, 10, 0, "", true, "Mono", 0},
        {"Font.Height", TPropValue::FromInt(-11), true, 10, 0, "", true, "", -11},
        // Not in the table: the caller then asks the base class.
        {"Font.Color", TPropValue::FromInt(1), false, 10, 0, "", true, "", 0},
        {"Font", TPropValue::FromString("x"), false, 10, 0, "", true, "", 0},
        {"size", TPropValue::FromInt(1), false, 10, 0, "", true, "", 0},
        {"Timer", TPropValue::FromInt(1), false, 10, 0, "", true, "", 0},
        {"", TPropValue::FromInt(1), false, 10, 0, "", true, "", 0},
    };
    for (const auto& c : cases) {
        TProbe p;
        EXPECT_EQ(ProbeTable().Set(p, c.name, c.value), c.known) << c.name;
        EXPECT_EQ(p.Size, c.size) << c.name;
        EXPECT_EQ(p.SizeCalls, c.sizeCalls) << c.name;
        EXPECT_EQ(p.Title, c.title) << c.name;
        EXPECT_EQ(p.On, c.on) << c.name;
        EXPECT_EQ(p.FontName, c.fontName) << c.name;
        EXPECT_EQ(p.FontHeight, c.fontHeight) << c.name;
    }
    TProbe p;
    EXPECT_THROW(ProbeTable().Set(p, "On", TPropValue::FromString("yes")), EReadError);
}

TEST(PropertyTableTest, WritesOnlyWhatDiffersFromTheDefaultsInTableOrder) {
    TProbe p;
    TPropList out;
    ProbeTable().Get(p, out);
    EXPECT_TRUE(out.empty());

    // Set in another order than the table's.
    p.On = false;
    p.Title = "t";
    p.Size = 11;
    ProbeTable().Get(p, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].first, "Size");
    EXPECT_EQ(out[0].second.Int, 11);
    EXPECT_EQ(out[1].first, "Title");
    EXPECT_EQ(out[1].second.Str, "t");
    EXPECT_EQ(out[2].first, "On");
    EXPECT_EQ(out[2].second.Str, "False");

    // What is written reads back to the same values.
    TProbe q;
    for (const auto& [name, value] : out)
        EXPECT_TRUE(ProbeTable().Set(q, name, value)) << name;
    EXPECT_EQ(q.Size, 11);
    EXPECT_EQ(q.Title, "t");
    EXPECT_FALSE(q.On);
}

TEST(PropertyTableTest, SharedEntriesComeBeforeTheClassesOwn) {
    const TPropertyTable<TProbe> table{
        ProbeTable(),
        {
            {"Extra", Call(&TProbe::SetSize, AsInt), Always(&TProbe::Size, &TPropValue::FromInt)},
        }};
    TProbe p;
    EXPECT_TRUE(table.Set(p, "Extra", TPropValue::FromInt(5)));
    EXPECT_TRUE(table.Set(p, "Title", TPropValue::FromString("t")));
    TPropList out;
    table.Get(p, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].first, "Size");
    EXPECT_EQ(out[1].first, "Title");
    EXPECT_EQ(out[2].first, "Extra");
    EXPECT_EQ(out[2].second.Int, 5);
}

class PropertyTableFormTest : public VclTest {};

TEST_F(PropertyTableFormTest, ComponentLinksTakeOnlyTheirClass) {
    auto* timer = new TTimer(Application);
    auto* item = new TMenuItem(Application);
    TProbe p;
    EXPECT_FALSE(ProbeTable().SetComponent(p, "Timer", item));
    EXPECT_FALSE(ProbeTable().SetComponent(p, "Timer", nullptr));
    EXPECT_EQ(p.Timer, nullptr);
    EXPECT_TRUE(ProbeTable().SetComponent(p, "Timer", timer));
    EXPECT_EQ(p.Timer, timer);
    EXPECT_FALSE(ProbeTable().SetComponent(p, "AnyTimer", item));
    EXPECT_EQ(p.Timer, timer);
    EXPECT_TRUE(ProbeTable().SetComponent(p, "AnyTimer", nullptr));
    EXPECT_EQ(p.Timer, nullptr);
    // A value property of that name is no link, and a link is no value.
    EXPECT_FALSE(ProbeTable().SetComponent(p, "Size", timer));
    EXPECT_FALSE(ProbeTable().Set(p, "AnyTimer", TPropValue::FromIdent("Tick")));
    timer->Free();
    item->Free();
}

// Published values of the class library's classes away from their defaults, in the order the
// writer keeps (the components, then the controls; each class after its base); what is at its
// default is left out. The children take ShowHint from the form; an edit's cursor is the I-beam.
const char* const kCanonical = R"(object Probe: TForm
  Tag = 7
  Left = 10
  Top = 20
  Width = 300
  Height = 200
  Caption = 'Probe'
  Hint = 'tip'
  ShowHint = True
  Cursor = -21
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu]
  Position = poScreenCenter
  KeyPreview = True
  object Menu: TPopupMenu
    AutoLineReduction = False
    AutoPopup = False
    object Open: TMenuItem
      Caption = '&Open'
      Checked = True
      Enabled = False
      Visible = False
      RadioItem = True
      Default = True
      GroupIndex = 2
      ImageIndex = 4
      Hint = 'opens'
      ShortCut = 16463
    end
  end
  object Tick: TTimer
    Interval = 250
    Enabled = False
  end
  object Name: TEdit
    Left = 0
    Top = 0
    Width = 300
    Height = 21
    Align = alTop
    Anchors = [akLeft, akTop, akRight]
    Visible = False
    Enabled = False
    ShowHint = True
    Cursor = -4
    TabStop = True
    MaxLength = 20
    ReadOnly = True
  end
  object Note: TLabel
    Left = 3
    Top = 4
    Width = 60
    Height = 13
    ShowHint = True
    AutoSize = False
    WordWrap = True
    Transparent = False
    Alignment = taCenter
    Layout = tlBottom
  end
end
)";

TEST_F(PropertyTableFormTest, TheStandardClassesWriteBackWhatTheyRead) {
    auto* form = new TForm(Application);
    form->SetName("Probe");
    TFormReader::ReadRoot(kCanonical, form);
    EXPECT_EQ(WriteComponentText(form), kCanonical);
    form->Free();
}

TEST_F(PropertyTableFormTest, AControlWithItsOwnFontWritesItWhole) {
    auto* form = new TForm(Application);
    form->SetName("Probe");
    TFormReader::ReadRoot("object Probe: TForm\n  object L: TLabel\n    ParentFont = False\n"
                          "    Font.Name = 'Mono'\n    Font.Height = -13\n    Font.Color = 255\n"
                          "    Font.Style = [fsBold, fsItalic]\n  end\nend\n",
                          form);
    const String text = WriteComponentText(form);
    EXPECT_NE(text.find("    Font.Name = 'Mono'\n    Font.Height = -13\n    Font.Color = 255\n"
                        "    Font.Style = [fsBold, fsItalic]\n"),
              String::npos)
        << text;
    form->Free();
}

} // namespace
} // namespace vd::test
