// The console's windows come from form resources naming skinned classes and their properties.
#include "app/ui/FormResource.h"
#include "platform/rtl/Exception.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinData.h"
#include "skin/extra/dialogs/SkinMessage.h"

#include "../../platform/vcl/VclFixture.h"

namespace vd {
namespace {

// A 2x1 24-bit BMP: a glyph of two images.
const char* const kGlyph =
    "424D3E000000000000003600000028000000020000000100000001001800000000000800000000000000"
    "00000000000000000000000000FF00FF00000000";

String FormText() {
    return String(R"(object Probe: TForm
  Width = 400
  Height = 300
  object Skin: TskSkinData
  end
  object MSG: TskSkinMessage
    SkinData = Skin
    CtrlSkinData = Skin
  end
  object Pan_Work: TskSkinPanel
    Align = alTop
    Height = 80
    Caption = 'Input device'
    CaptionMode = True
    SkinData = Skin
    object LabDevice: TskSkinLabel
      Left = 8
      Top = 24
      Width = 200
      Height = 20
      Alignment = taCenter
      AutoSize = False
      BorderStyle = bvNone
    end
    object SBSetting: TskSkinSpeedButton
      Left = 220
      Top = 24
      Width = 24
      Height = 24
      Hint = 'Edit settings'
      NumGlyphs = 2
      Glyph = {)") +
           kGlyph + R"(}
      SkinData = Skin
      SkinDataName = 'toolbutton'
    end
  end
  object TB_Streams: TskSkinToolBar
    Align = alTop
    Height = 30
    Flat = True
  end
  object RGMode: TskSkinRadioGroup
    Left = 8
    Top = 120
    Width = 200
    Height = 100
    Columns = 2
    Items.Strings = (
      'Shoutcast 1'
      'Shoutcast 2'
      'Icecast 2'
      'Directly')
    ItemIndex = 2
  end
  object CBAuto: TskSkinCheckRadioBox
    Left = 220
    Top = 120
    Width = 100
    Height = 20
    Caption = 'Autostart'
    Checked = True
  end
  object Gauge: TskSkinGauge
    Left = 8
    Top = 230
    Width = 200
    Height = 20
    MaxValue = 50
    Value = 20
  end
end
)";
}

class FormResourceTest : public test::VclTest {};

TEST_F(FormResourceTest, SkinnedControlsTakeTheirPublishedProperties) {
    RegisterConsoleClasses();
    auto* form = new TForm(Application);
    form->SetName("Probe");
    TFormReader::ReadRoot(FormText(), form);

    auto* skin = dynamic_cast<TskSkinData*>(form->FindComponent("Skin"));
    ASSERT_NE(skin, nullptr);
    auto* panel = dynamic_cast<TskSkinPanel*>(form->FindComponent("Pan_Work"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->SkinData(), skin);
    EXPECT_TRUE(panel->CaptionMode());
    auto* label = dynamic_cast<TskSkinLabel*>(form->FindComponent("LabDevice"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), panel);
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_EQ(label->BorderStyle(), bvNone);
    auto* button = dynamic_cast<TskSkinSpeedButton*>(form->FindComponent("SBSetting"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->SkinData(), skin);
    EXPECT_EQ(button->SkinDataName, "toolbutton");
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Glyph().Width(), 2);
    EXPECT_EQ(button->Hint(), "Edit settings");
    auto* group = dynamic_cast<TskSkinRadioGroup*>(form->FindComponent("RGMode"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Items().Count(), 4);
    EXPECT_EQ(group->Columns(), 2);
    EXPECT_EQ(group->ItemIndex(), 2);
    auto* check = dynamic_cast<TskSkinCheckRadioBox*>(form->FindComponent("CBAuto"));
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->Checked());
    auto* gauge = dynamic_cast<TskSkinGauge*>(form->FindComponent("Gauge"));
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->MaxValue(), 50);
    EXPECT_EQ(gauge->Value(), 20);
    ASSERT_NE(dynamic_cast<TskSkinMessage*>(form->FindComponent("MSG")), nullptr);
    form->Free();
}

TEST_F(FormResourceTest, BadValuesAndMissingResourcesAreReadErrors) {
    RegisterConsoleClasses();
    const char* const bad[] = {
        "object Probe: TForm\n  object L: TskSkinLabel\n    Alignment = taSideways\n  end\nend\n",
        "object Probe: TForm\n  object B: TskSkinSpeedButton\n    Glyph = {424D00}\n  end\nend\n",
        "object Probe: TForm\n  object B: TskSkinSpeedButton\n    Glyph = 'not bytes'\n  end\nend\n",
        "object Probe: TForm\n  object M: TskSkinMessage\n    SkinData = Nowhere\n  end\nend\n",
    };
    for (const char* text : bad) {
        auto* form = new TForm(Application);
        form->SetName("Probe");
        EXPECT_THROW(TFormReader::ReadRoot(text, form), EReadError) << text;
        EXPECT_EQ(form->ComponentCount(), 0) << text;
        form->Free();
    }
    auto* form = new TForm(Application);
    try {
        ReadFormResource(form, "NoSuchWindow");
        ADD_FAILURE() << "a missing form resource was read";
    } catch (const EReadError& e) {
        EXPECT_NE(String(e.Message()).find("NoSuchWindow"), String::npos);
    }
    form->Free();
}

} // namespace
} // namespace vd
