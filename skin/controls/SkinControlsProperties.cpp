// Form resources: the skinned controls' published properties by name, and their classes.
#include "platform/rtl/Exception.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinControlsClasses.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinPropertyReaders.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinStatusPanel.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/core/SkinData.h"

namespace vd {

using namespace props;
using namespace skinprops;

namespace {

// The skin of the controls that do not come from the skinned bases.
template <class C> const TPropertyTable<C>& SkinLinkProperties() {
    static const TPropertyTable<C> table{
        {"SkinDataName", Store(&C::SkinDataName, AsText)},
        {"SkinData", Link<TskSkinData>(&C::SetSkinData)},
    };
    return table;
}

const TPropertyTable<TskSkinControl>& SkinControlProperties() {
    static const TPropertyTable<TskSkinControl> table{
        {"SkinDataName", Call(&TskSkinControl::SetSkinDataName, AsText)},
    };
    return table;
}

using Label = TskSkinLabel;
const TPropertyTable<Label>& LabelProperties() {
    static const TPropertyTable<Label> table{
        {"Alignment", Call(&Label::SetAlignment, ReadAlignment)},
        {"AutoSize", Call(&Label::SetAutoSize, AsBool)},
        {"BorderStyle", Call(&Label::SetBorderStyle, ReadBorderStyle)},
        {"UseSkinSize", Store(&Label::UseSkinSize, AsBool)},
        {"UseSkinFontColor", Store(&Label::UseSkinFontColor, AsBool)},
    };
    return table;
}

using StatusPanel = TskSkinStatusPanel;
const TPropertyTable<StatusPanel>& StatusPanelProperties() {
    static const TPropertyTable<StatusPanel> table{
        {"Glyph", GlyphSetter()},
        {"NumGlyphs", Call(&StatusPanel::SetNumGlyphs, AsInt)},
        {"ImageIndex", Call(&StatusPanel::SetImageIndex, AsInt)},
        {"ImageList", Link<TCustomImageList>(&StatusPanel::SetImageList)},
    };
    return table;
}

using Panel = TskSkinPanel;
const TPropertyTable<Panel>& PanelProperties() {
    static const TPropertyTable<Panel> table{
        {"Alignment", Call(&Panel::SetDefaultAlignment, ReadAlignment)},
        {"DefaultAlignment", Call(&Panel::SetDefaultAlignment, ReadAlignment)},
        {"BorderStyle", Call(&Panel::SetBorderStyle, ReadBorderStyle)},
        {"CaptionMode", Call(&Panel::SetCaptionMode, AsBool)},
        {"DefaultCaptionHeight", Call(&Panel::SetDefaultCaptionHeight, AsInt)},
        {"Glyph", GlyphSetter()},
        {"NumGlyphs", Call(&Panel::SetNumGlyphs, AsInt)},
        {"Spacing", Call(&Panel::SetSpacing, AsInt)},
        {"CheckedMode", Call(&Panel::SetCheckedMode, AsBool)},
        {"Checked", Call(&Panel::SetChecked, AsBool)},
        {"AutoEnabledControls", Store(&Panel::AutoEnabledControls, AsBool)},
        {"CaptionImageIndex", Call(&Panel::SetCaptionImageIndex, AsInt)},
        {"RollUpMode", Call(&Panel::SetRollUpMode, AsBool)},
        {"RollUpState", Call(&Panel::SetRollUpState, AsBool)},
        {"RealHeight", Call(&Panel::SetRealHeight, AsInt)},
        {"CaptionImageList", Link<TCustomImageList>(&Panel::SetCaptionImageList)},
    };
    return table;
}

using Gauge = TskSkinGauge;
const TPropertyTable<Gauge>& GaugeProperties() {
    static const TPropertyTable<Gauge> table{
        {"MinValue", Call(&Gauge::SetMinValue, AsInt)},
        {"MaxValue", Call(&Gauge::SetMaxValue, AsInt)},
        {"Value", Call(&Gauge::SetValue, AsInt)},
        {"Vertical", Call(&Gauge::SetVertical, AsBool)},
        {"ProgressText", Call(&Gauge::SetProgressText, AsText)},
        {"ShowProgressText", Call(&Gauge::SetShowProgressText, AsBool)},
        {"ShowPercent", Call(&Gauge::SetShowPercent, AsBool)},
        {"UseSkinSize", Store(&Gauge::UseSkinSize, AsBool)},
    };
    return table;
}

using ToolBar = TskSkinToolBar;
const TPropertyTable<ToolBar>& ToolBarProperties() {
    static const TPropertyTable<ToolBar> table{
        {"AdjustControls", Call(&ToolBar::SetAdjustControls, AsBool)},
        {"Flat", Call(&ToolBar::SetFlat, AsBool)},
        {"ShowCaptions", Call(&ToolBar::SetShowCaptions, AsBool)},
        {"AutoShowHideCaptions", Store(&ToolBar::AutoShowHideCaptions, AsBool)},
        {"WidthWithCaptions", Store(&ToolBar::WidthWithCaptions, AsInt)},
        {"WidthWithoutCaptions", Store(&ToolBar::WidthWithoutCaptions, AsInt)},
        {"CanScroll", Store(&ToolBar::CanScroll, AsBool)},
        {"HotScroll", Store(&ToolBar::HotScroll, AsBool)},
        {"ScrollOffset", Call(&ToolBar::SetScrollOffset, AsInt)},
        {"ScrollTimerInterval", Call(&ToolBar::SetScrollTimerInterval, AsInt)},
        {"Images", Link<TCustomImageList>(&ToolBar::SetImages)},
        {"HotImages", Link<TCustomImageList>(&ToolBar::SetHotImages)},
        {"DisabledImages", Link<TCustomImageList>(&ToolBar::SetDisabledImages)},
    };
    return table;
}

const TPropertyTable<TskSkinStatusBar>& StatusBarProperties() {
    static const TPropertyTable<TskSkinStatusBar> table{
        {"SizeGrip", Call(&TskSkinStatusBar::SetSizeGrip, AsBool)},
    };
    return table;
}

using ScrollBar = TskSkinScrollBar;
const TPropertyTable<ScrollBar>& ScrollBarProperties() {
    static const TPropertyTable<ScrollBar> table{
        {"Kind",
         [](ScrollBar& b, const TPropValue& v) {
             b.SetKind(
                 Ident<TScrollBarKind>(v, {{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}}));
         }},
        {"Min", Call(&ScrollBar::SetMin, AsInt)},
        {"Max", Call(&ScrollBar::SetMax, AsInt)},
        {"Position", Call(&ScrollBar::SetPosition, AsInt)},
        {"SmallChange", Call(&ScrollBar::SetSmallChange, AsInt)},
        {"LargeChange", Call(&ScrollBar::SetLargeChange, AsInt)},
        {"PageSize", Call(&ScrollBar::SetPageSize, AsInt)},
        {"Both", Call(&ScrollBar::SetBoth, AsBool)},
        {"BothMarkerWidth", Call(&ScrollBar::SetBothMarkerWidth, AsInt)},
        {"BothSkinDataName", Store(&ScrollBar::BothSkinDataName, AsText)},
        {"CanFocused", Call(&ScrollBar::SetCanFocused, AsBool)},
    };
    return table;
}

const TPropertyTable<TskSkinBevel>& BevelProperties() {
    static const TPropertyTable<TskSkinBevel> table{
        SkinLinkProperties<TskSkinBevel>(),
        {
            {"DividerMode", Call(&TskSkinBevel::SetDividerMode, AsBool)},
        }};
    return table;
}

using StdLabel = TskSkinStdLabel;
const TPropertyTable<StdLabel>& StdLabelProperties() {
    static const TPropertyTable<StdLabel> table{
        SkinLinkProperties<StdLabel>(),
        {
            {"UseSkinFont", Store(&StdLabel::UseSkinFont, AsBool)},
            {"UseSkinColor", Store(&StdLabel::UseSkinColor, AsBool)},
            {"DefaultFont.", FontFields("DefaultFont", &StdLabel::DefaultFont)},
        }};
    return table;
}

using LinkLabel = TskSkinLinkLabel;
const TPropertyTable<LinkLabel>& LinkLabelProperties() {
    static const TPropertyTable<LinkLabel> table{
        {"URL", Store(&LinkLabel::URL, AsText)},
        {"UseUnderLine", Call(&LinkLabel::SetUseUnderLine, AsBool)},
        {"DefaultActiveFontColor", Store(&LinkLabel::DefaultActiveFontColor, ReadColor)},
    };
    return table;
}

using Splitter = TskSkinSplitter;
const TPropertyTable<Splitter>& SplitterProperties() {
    static const TPropertyTable<Splitter> table{SkinLinkProperties<Splitter>(),
                                                {
                                                    {"Transparent", Call(&Splitter::SetTransparent, AsBool)},
                                                    {"DefaultSize", Store(&Splitter::DefaultSize, AsInt)},
                                                    {"ResizeStyle",
                                                     [](Splitter& s, const TPropValue& v) {
                                                         s.ResizeStyle = Ident<TResizeStyle>(
                                                             v, {{"rsNone", rsNone},
                                                                 {"rsLine", rsLine},
                                                                 {"rsUpdate", rsUpdate},
                                                                 {"rsPattern", rsPattern}});
                                                     }},
                                                }};
    return table;
}

// The tree and list views share their skin properties.
template <class View> const TPropertyTable<View>& ViewProperties() {
    static const TPropertyTable<View> table{
        {"SkinDataName", Store(&View::SkinDataName, AsText)},
        {"DefaultColor", Call(&View::SetDefaultColor, ReadColor)},
        {"UseSkinFont", Store(&View::UseSkinFont, AsBool)},
        {"DefaultFont.", FontFieldsCopy("DefaultFont", &View::DefaultFont, &View::SetDefaultFont)},
        {"SkinData", Link<TskSkinData>(&View::SetSkinData)},
        {"VScrollBar", Link<TskSkinScrollBar>(&View::SetVScrollBar)},
        {"HScrollBar", Link<TskSkinScrollBar>(&View::SetHScrollBar)},
    };
    return table;
}

const TPropertyTable<TskSkinCustomListView>& ListViewProperties() {
    static const TPropertyTable<TskSkinCustomListView> table{
        ViewProperties<TskSkinCustomListView>(),
        {
            {"HeaderSkinDataName", Store(&TskSkinCustomListView::HeaderSkinDataName, AsText)},
        }};
    return table;
}

} // namespace

bool TskSkinControl::SetProperty(const String& name, const TPropValue& v) {
    return SkinControlProperties().Set(*this, name, v) || TCustomControl::SetProperty(name, v);
}

bool TskGraphicSkinControl::SetProperty(const String& name, const TPropValue& v) {
    return SkinLinkProperties<TskGraphicSkinControl>().Set(*this, name, v) ||
           TGraphicControl::SetProperty(name, v);
}

bool TskSkinLabel::SetProperty(const String& name, const TPropValue& v) {
    return LabelProperties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

bool TskSkinStatusPanel::SetProperty(const String& name, const TPropValue& v) {
    return StatusPanelProperties().Set(*this, name, v) || TskSkinLabel::SetProperty(name, v);
}

bool TskSkinStatusPanel::SetComponentProperty(const String& name, TComponent* value) {
    return StatusPanelProperties().SetComponent(*this, name, value) ||
           TskSkinLabel::SetComponentProperty(name, value);
}

bool TskSkinPanel::SetProperty(const String& name, const TPropValue& v) {
    return PanelProperties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

bool TskSkinPanel::SetComponentProperty(const String& name, TComponent* value) {
    return PanelProperties().SetComponent(*this, name, value) ||
           TskSkinCustomControl::SetComponentProperty(name, value);
}

bool TskSkinGauge::SetProperty(const String& name, const TPropValue& v) {
    return GaugeProperties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

bool TskSkinToolBar::SetProperty(const String& name, const TPropValue& v) {
    return ToolBarProperties().Set(*this, name, v) || TskSkinPanel::SetProperty(name, v);
}

bool TskSkinToolBar::SetComponentProperty(const String& name, TComponent* value) {
    return ToolBarProperties().SetComponent(*this, name, value) ||
           TskSkinPanel::SetComponentProperty(name, value);
}

bool TskSkinStatusBar::SetProperty(const String& name, const TPropValue& v) {
    return StatusBarProperties().Set(*this, name, v) || TskSkinPanel::SetProperty(name, v);
}

bool TskSkinScrollBar::SetProperty(const String& name, const TPropValue& v) {
    return ScrollBarProperties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

bool TskSkinBevel::SetProperty(const String& name, const TPropValue& v) {
    return BevelProperties().Set(*this, name, v) || TBevel::SetProperty(name, v);
}

bool TskSkinBevel::SetComponentProperty(const String& name, TComponent* value) {
    return BevelProperties().SetComponent(*this, name, value) || TBevel::SetComponentProperty(name, value);
}

bool TskSkinStdLabel::SetProperty(const String& name, const TPropValue& v) {
    return StdLabelProperties().Set(*this, name, v) || TCustomLabel::SetProperty(name, v);
}

bool TskSkinStdLabel::SetComponentProperty(const String& name, TComponent* value) {
    return StdLabelProperties().SetComponent(*this, name, value) ||
           TCustomLabel::SetComponentProperty(name, value);
}

bool TskSkinLinkLabel::SetProperty(const String& name, const TPropValue& v) {
    return LinkLabelProperties().Set(*this, name, v) || TskSkinStdLabel::SetProperty(name, v);
}

bool TskSkinSplitter::SetProperty(const String& name, const TPropValue& v) {
    return SplitterProperties().Set(*this, name, v) || TSplitter::SetProperty(name, v);
}

bool TskSkinSplitter::SetComponentProperty(const String& name, TComponent* value) {
    return SplitterProperties().SetComponent(*this, name, value) ||
           TSplitter::SetComponentProperty(name, value);
}

bool TskSkinCustomTreeView::SetProperty(const String& name, const TPropValue& v) {
    return ViewProperties<TskSkinCustomTreeView>().Set(*this, name, v) ||
           TCustomTreeView::SetProperty(name, v);
}

bool TskSkinCustomTreeView::SetComponentProperty(const String& name, TComponent* value) {
    return ViewProperties<TskSkinCustomTreeView>().SetComponent(*this, name, value) ||
           TCustomTreeView::SetComponentProperty(name, value);
}

bool TskSkinCustomListView::SetProperty(const String& name, const TPropValue& v) {
    return ListViewProperties().Set(*this, name, v) || TCustomListView::SetProperty(name, v);
}

bool TskSkinCustomListView::SetComponentProperty(const String& name, TComponent* value) {
    return ListViewProperties().SetComponent(*this, name, value) ||
           TCustomListView::SetComponentProperty(name, value);
}

void RegisterSkinControlsClasses() {
    Register<TskSkinBevel>("TskSkinBevel");
    Register<TskSkinButton>("TskSkinButton");
    Register<TskSkinCheckRadioBox>("TskSkinCheckRadioBox");
    Register<TskSkinGauge>("TskSkinGauge");
    Register<TskSkinRadioGroup>("TskSkinRadioGroup");
    Register<TskSkinCheckGroup>("TskSkinCheckGroup");
    Register<TskSkinLabel>("TskSkinLabel");
    Register<TskSkinLinkLabel>("TskSkinLinkLabel");
    Register<TskSkinListView>("TskSkinListView");
    Register<TskSkinMenuSpeedButton>("TskSkinMenuSpeedButton");
    Register<TskSkinPanel>("TskSkinPanel");
    Register<TskSkinGroupBox>("TskSkinGroupBox");
    Register<TskSkinScrollBar>("TskSkinScrollBar");
    Register<TskSkinSpeedButton>("TskSkinSpeedButton");
    Register<TskSkinSplitter>("TskSkinSplitter");
    Register<TskSkinStatusBar>("TskSkinStatusBar");
    Register<TskSkinStatusPanel>("TskSkinStatusPanel");
    Register<TskSkinStdLabel>("TskSkinStdLabel");
    Register<TskSkinToolBar>("TskSkinToolBar");
    Register<TskSkinTreeView>("TskSkinTreeView");
}

} // namespace vd
