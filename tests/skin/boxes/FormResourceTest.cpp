#include "BoxesFixture.h"
#include "platform/vcl/FormReader.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/core/SkinProperties.h"

namespace vd::test {
namespace {

const char* kForm = R"(object Settings: TForm
  Width = 400
  Height = 300
  object Skin: TskSkinData
  end
  object EServer: TskSkinEdit
    Left = 8
    Top = 8
    Width = 200
    Text = 'localhost:8000'
    SkinData = Skin
  end
  object CBFreq: TskSkinComboBox
    Left = 8
    Top = 40
    Items.Strings = (
      '44100'
      '48000')
    ItemIndex = 1
  end
  object Pages: TskSkinPageControl
    Left = 8
    Top = 70
    Width = 300
    Height = 150
    object Sheet1: TskSkinTabSheet
      Caption = 'General'
    end
    object Sheet2: TskSkinTabSheet
      Caption = 'Sound'
    end
  end
end
)";

TEST(BoxesFormResource, ReadsTheBoxesWithTheirLinesAndSkin) {
    RegisterSkinCoreClasses();
    RegisterSkinBoxesClasses();
    auto* form = new TForm(Application);
    form->SetName("Settings");
    TFormReader::ReadRoot(kForm, form);
    auto* edit = dynamic_cast<TskSkinEdit*>(form->FindComponent("EServer"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text(), "localhost:8000");
    EXPECT_EQ(edit->SkinData(), form->FindComponent("Skin"));
    auto* combo = dynamic_cast<TskSkinComboBox*>(form->FindComponent("CBFreq"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Items().Count(), 2);
    EXPECT_EQ(combo->Text(), "48000");
    auto* pages = dynamic_cast<TskSkinPageControl*>(form->FindComponent("Pages"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->Tabs().Strings(1), "Sound");
    form->Free();
}

} // namespace
} // namespace vd::test
