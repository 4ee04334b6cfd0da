// Every published property of the skinned controls reads from a form resource.
#include "SkinFixture.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinControlsClasses.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinProperties.h"

#include <string>
#include <vector>

namespace vd::test {
namespace {

class SkinFormResource : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        RegisterSkinCoreClasses();
        RegisterSkinControlsClasses();
    }

    // A form with the components the properties refer to, then the text read into it.
    TForm* Read(const std::string& objects) {
        auto* form = new TForm(Application);
        form->SetName("F");
        new TImageList(form);
        form->Components(0)->SetName("IL");
        auto* bar = new TskSkinScrollBar(form);
        bar->SetName("SB");
        auto* menu = new TskSkinPopupMenu(form);
        menu->SetName("PM");
        try {
            TFormReader::ReadRoot("object F: TForm\n  object Skin: TskSkinData\n  end\n" + objects + "end\n",
                                  form);
        } catch (...) {
            form->Free();
            throw;
        }
        return form;
    }
};

struct Published {
    const char* Class;
    const char* Line;
};

// One line per published property (events, drag and dock, and right-to-left layout aside).
const Published kPublished[] = {
    {"TskSkinButton", "SkinData = Skin"},
    {"TskSkinButton", "SkinDataName = 'x'"},
    {"TskSkinButton", "DefaultFont.Name = 'Serif'"},
    {"TskSkinButton", "DefaultFont.Height = 20"},
    {"TskSkinButton", "DefaultFont.Style = [fsBold]"},
    {"TskSkinButton", "DefaultFont.Color = clRed"},
    {"TskSkinButton", "DefaultWidth = 80"},
    {"TskSkinButton", "DefaultHeight = 30"},
    {"TskSkinButton", "UseSkinFont = False"},
    {"TskSkinButton", "NumGlyphs = 2"},
    {"TskSkinButton", "ImageList = IL"},
    {"TskSkinButton", "ImageIndex = 1"},
    {"TskSkinButton", "Layout = blGlyphTop"},
    {"TskSkinButton", "Margin = 2"},
    {"TskSkinButton", "Spacing = 3"},
    {"TskSkinButton", "Down = True"},
    {"TskSkinButton", "GroupIndex = 1"},
    {"TskSkinButton", "AllowAllUp = True"},
    {"TskSkinButton", "RepeatMode = True"},
    {"TskSkinButton", "RepeatInterval = 50"},
    {"TskSkinButton", "Default = True"},
    {"TskSkinButton", "Cancel = True"},
    {"TskSkinButton", "ModalResult = 2"},
    {"TskSkinButton", "CanFocused = False"},
    {"TskSkinButton", "UseSkinSize = False"},
    {"TskSkinButton", "UseSkinFontColor = False"},
    {"TskSkinSpeedButton", "SkinData = Skin"},
    {"TskSkinSpeedButton", "SkinDataName = 'x'"},
    {"TskSkinSpeedButton", "DefaultFont.Name = 'Serif'"},
    {"TskSkinSpeedButton", "DefaultWidth = 80"},
    {"TskSkinSpeedButton", "DefaultHeight = 30"},
    {"TskSkinSpeedButton", "UseSkinFont = False"},
    {"TskSkinSpeedButton", "ShowCaption = False"},
    {"TskSkinSpeedButton", "WidthWithCaption = 60"},
    {"TskSkinSpeedButton", "WidthWithoutCaption = 30"},
    {"TskSkinSpeedButton", "NumGlyphs = 2"},
    {"TskSkinSpeedButton", "ImageList = IL"},
    {"TskSkinSpeedButton", "ImageIndex = 1"},
    {"TskSkinSpeedButton", "Layout = blGlyphTop"},
    {"TskSkinSpeedButton", "Margin = 2"},
    {"TskSkinSpeedButton", "Spacing = 3"},
    {"TskSkinSpeedButton", "Down = True"},
    {"TskSkinSpeedButton", "GroupIndex = 1"},
    {"TskSkinSpeedButton", "AllowAllUp = True"},
    {"TskSkinSpeedButton", "RepeatMode = True"},
    {"TskSkinSpeedButton", "RepeatInterval = 50"},
    {"TskSkinSpeedButton", "Flat = True"},
    {"TskSkinSpeedButton", "Transparent = True"},
    {"TskSkinSpeedButton", "UseSkinSize = False"},
    {"TskSkinSpeedButton", "UseSkinFontColor = False"},
    {"TskSkinMenuSpeedButton", "SkinPopupMenu = PM"},
    {"TskSkinMenuSpeedButton", "UseImagesMenuImage = True"},
    {"TskSkinMenuSpeedButton", "UseImagesMenuCaption = True"},
    {"TskSkinMenuSpeedButton", "TrackButtonMode = True"},
    {"TskSkinMenuSpeedButton", "NewStyle = True"},
    {"TskSkinMenuSpeedButton", "TrackPosition = sktpBottom"},
    {"TskSkinCheckRadioBox", "AllowGrayed = True"},
    {"TskSkinCheckRadioBox", "State = cbGrayed"},
    {"TskSkinCheckRadioBox", "Checked = True"},
    {"TskSkinCheckRadioBox", "Radio = True"},
    {"TskSkinCheckRadioBox", "GroupIndex = 1"},
    {"TskSkinCheckRadioBox", "Images = IL"},
    {"TskSkinCheckRadioBox", "ImageIndex = 1"},
    {"TskSkinCheckRadioBox", "Flat = False"},
    {"TskSkinCheckRadioBox", "CanFocused = False"},
    {"TskSkinRadioGroup", "Images = IL"},
    {"TskSkinRadioGroup", "ButtonSkinDataName = 'x'"},
    {"TskSkinRadioGroup", "ButtonDefaultFont.Name = 'Serif'"},
    {"TskSkinRadioGroup", "ButtonDefaultFont.Height = 20"},
    {"TskSkinRadioGroup", "Columns = 2"},
    {"TskSkinRadioGroup", "Items.Strings = ('a' 'b')"},
    {"TskSkinRadioGroup", "ItemIndex = 0"},
    {"TskSkinCheckGroup", "Images = IL"},
    {"TskSkinCheckGroup", "ButtonSkinDataName = 'x'"},
    {"TskSkinCheckGroup", "ButtonDefaultFont.Name = 'Serif'"},
    {"TskSkinCheckGroup", "Columns = 2"},
    {"TskSkinCheckGroup", "Items.Strings = ('a' 'b')"},
    {"TskSkinGauge", "UseSkinSize = False"},
    {"TskSkinGauge", "MinValue = 1"},
    {"TskSkinGauge", "MaxValue = 9"},
    {"TskSkinGauge", "Value = 5"},
    {"TskSkinGauge", "Vertical = True"},
    {"TskSkinGauge", "ProgressText = 'p'"},
    {"TskSkinGauge", "ShowProgressText = True"},
    {"TskSkinGauge", "ShowPercent = True"},
    {"TskSkinPanel", "CaptionMode = True"},
    {"TskSkinPanel", "DefaultCaptionHeight = 20"},
    {"TskSkinPanel", "DefaultAlignment = taCenter"},
    {"TskSkinPanel", "BorderStyle = bvNone"},
    {"TskSkinPanel", "NumGlyphs = 2"},
    {"TskSkinPanel", "Spacing = 3"},
    {"TskSkinPanel", "CaptionImageList = IL"},
    {"TskSkinPanel", "CaptionImageIndex = 1"},
    {"TskSkinPanel", "CheckedMode = True"},
    {"TskSkinPanel", "Checked = True"},
    {"TskSkinPanel", "AutoEnabledControls = False"},
    {"TskSkinPanel", "RollUpMode = True"},
    {"TskSkinPanel", "RollUpState = True"},
    {"TskSkinPanel", "RealHeight = 40"},
    {"TskSkinGroupBox", "CaptionMode = True"},
    {"TskSkinGroupBox", "CheckedMode = True"},
    {"TskSkinToolBar", "AdjustControls = False"},
    {"TskSkinToolBar", "CanScroll = True"},
    {"TskSkinToolBar", "HotScroll = True"},
    {"TskSkinToolBar", "ScrollOffset = 10"},
    {"TskSkinToolBar", "ScrollTimerInterval = 30"},
    {"TskSkinToolBar", "Flat = True"},
    {"TskSkinToolBar", "ShowCaptions = True"},
    {"TskSkinToolBar", "AutoShowHideCaptions = True"},
    {"TskSkinToolBar", "WidthWithCaptions = 200"},
    {"TskSkinToolBar", "WidthWithoutCaptions = 100"},
    {"TskSkinToolBar", "Images = IL"},
    {"TskSkinToolBar", "HotImages = IL"},
    {"TskSkinToolBar", "DisabledImages = IL"},
    {"TskSkinStatusBar", "SizeGrip = True"},
    {"TskSkinLabel", "Alignment = taCenter"},
    {"TskSkinLabel", "AutoSize = True"},
    {"TskSkinLabel", "BorderStyle = bvNone"},
    {"TskSkinLabel", "UseSkinSize = False"},
    {"TskSkinLabel", "UseSkinFontColor = False"},
    {"TskSkinStatusPanel", "NumGlyphs = 2"},
    {"TskSkinStatusPanel", "ImageList = IL"},
    {"TskSkinStatusPanel", "ImageIndex = 1"},
    {"TskSkinScrollBar", "Kind = sbVertical"},
    {"TskSkinScrollBar", "Min = 1"},
    {"TskSkinScrollBar", "Max = 9"},
    {"TskSkinScrollBar", "Position = 5"},
    {"TskSkinScrollBar", "SmallChange = 2"},
    {"TskSkinScrollBar", "LargeChange = 3"},
    {"TskSkinScrollBar", "PageSize = 2"},
    {"TskSkinScrollBar", "Both = True"},
    {"TskSkinScrollBar", "BothMarkerWidth = 10"},
    {"TskSkinScrollBar", "BothSkinDataName = 'x'"},
    {"TskSkinScrollBar", "CanFocused = True"},
    {"TskSkinBevel", "SkinData = Skin"},
    {"TskSkinBevel", "SkinDataName = 'x'"},
    {"TskSkinBevel", "DividerMode = True"},
    {"TskSkinBevel", "Shape = bsTopLine"},
    {"TskSkinBevel", "Style = bsRaised"},
    {"TskSkinSplitter", "SkinData = Skin"},
    {"TskSkinSplitter", "SkinDataName = 'x'"},
    {"TskSkinSplitter", "Transparent = True"},
    {"TskSkinSplitter", "DefaultSize = 6"},
    {"TskSkinSplitter", "AutoSnap = False"},
    {"TskSkinSplitter", "Beveled = True"},
    {"TskSkinSplitter", "MinSize = 20"},
    {"TskSkinSplitter", "ResizeStyle = rsUpdate"},
    {"TskSkinStdLabel", "SkinData = Skin"},
    {"TskSkinStdLabel", "SkinDataName = 'x'"},
    {"TskSkinStdLabel", "DefaultFont.Name = 'Serif'"},
    {"TskSkinStdLabel", "UseSkinFont = False"},
    {"TskSkinStdLabel", "UseSkinColor = False"},
    {"TskSkinStdLabel", "Alignment = taCenter"},
    {"TskSkinStdLabel", "AutoSize = False"},
    {"TskSkinStdLabel", "Layout = tlCenter"},
    {"TskSkinStdLabel", "ShowAccelChar = False"},
    {"TskSkinStdLabel", "WordWrap = True"},
    {"TskSkinLinkLabel", "SkinData = Skin"},
    {"TskSkinLinkLabel", "SkinDataName = 'x'"},
    {"TskSkinLinkLabel", "URL = 'http://localhost/'"},
    {"TskSkinLinkLabel", "UseUnderLine = False"},
    {"TskSkinLinkLabel", "DefaultActiveFontColor = clRed"},
    {"TskSkinLinkLabel", "DefaultFont.Name = 'Serif'"},
    {"TskSkinLinkLabel", "UseSkinFont = False"},
    {"TskSkinTreeView", "SkinData = Skin"},
    {"TskSkinTreeView", "SkinDataName = 'x'"},
    {"TskSkinTreeView", "DefaultFont.Name = 'Serif'"},
    {"TskSkinTreeView", "DefaultColor = clRed"},
    {"TskSkinTreeView", "UseSkinFont = False"},
    {"TskSkinTreeView", "VScrollBar = SB"},
    {"TskSkinTreeView", "HScrollBar = SB"},
    {"TskSkinListView", "SkinData = Skin"},
    {"TskSkinListView", "SkinDataName = 'x'"},
    {"TskSkinListView", "DefaultFont.Name = 'Serif'"},
    {"TskSkinListView", "DefaultColor = clRed"},
    {"TskSkinListView", "UseSkinFont = False"},
    {"TskSkinListView", "VScrollBar = SB"},
    {"TskSkinListView", "HScrollBar = SB"},
    {"TskSkinListView", "HeaderSkinDataName = 'x'"},
};

TEST_F(SkinFormResource, EveryPublishedPropertyIsRead) {
    std::vector<std::string> failed;
    for (const Published& p : kPublished) {
        const std::string text =
            std::string("  object C: ") + p.Class + "\n    Left = 4\n    " + p.Line + "\n  end\n";
        try {
            Read(text)->Free();
        } catch (const Exception& e) {
            failed.push_back(std::string(p.Class) + "." + p.Line + ": " + e.Message());
        }
    }
    for (const std::string& f : failed)
        ADD_FAILURE() << f;
}

// Values reach the controls, and a radio group's ItemIndex written before its Items survives.
TEST_F(SkinFormResource, ValuesReachTheControls) {
    TForm* form = Read("  object B: TskSkinButton\n    ModalResult = 2\n    Cancel = True\n"
                       "    RepeatMode = True\n    RepeatInterval = 40\n    DefaultFont.Name = 'Serif'\n"
                       "    DefaultFont.Height = 20\n  end\n"
                       "  object T: TskSkinToolBar\n    CanScroll = True\n    ScrollOffset = 12\n"
                       "    Images = IL\n  end\n"
                       "  object G: TskSkinRadioGroup\n    ItemIndex = 1\n"
                       "    Items.Strings = (\n      'a'\n      'b'\n      'c')\n  end\n");
    auto* b = dynamic_cast<TskSkinButton*>(form->FindComponent("B"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->ModalResult, 2);
    EXPECT_TRUE(b->Cancel);
    EXPECT_TRUE(b->RepeatMode);
    EXPECT_EQ(b->RepeatInterval, 40);
    EXPECT_EQ(b->DefaultFont().Name(), "Serif");
    EXPECT_EQ(b->DefaultFont().Height(), 20);
    auto* t = dynamic_cast<TskSkinToolBar*>(form->FindComponent("T"));
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->CanScroll);
    EXPECT_EQ(t->ScrollOffset(), 12);
    EXPECT_EQ(t->Images(), form->FindComponent("IL"));
    auto* g = dynamic_cast<TskSkinRadioGroup*>(form->FindComponent("G"));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->ItemIndex(), 1);
    ASSERT_EQ(g->ButtonCount(), 3);
    EXPECT_TRUE(g->Buttons(1)->Checked());
    form->Free();
}

// A bad value names the property instead of crashing or being ignored.
TEST_F(SkinFormResource, BadValuesAreRefusedWithTheirName) {
    const Published bad[] = {{"TskSkinButton", "Layout = blNowhere"},
                             {"TskSkinToolBar", "CanScroll = 'yes'"},
                             {"TskSkinMenuSpeedButton", "TrackPosition = sktpLeft"},
                             {"TskSkinButton", "Nonsense = 1"}};
    for (const Published& p : bad) {
        const std::string text = std::string("  object C: ") + p.Class + "\n    " + p.Line + "\n  end\n";
        EXPECT_THROW(Read(text), EReadError) << p.Line;
    }
}

} // namespace
} // namespace vd::test
