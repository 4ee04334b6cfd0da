// Form resources: the published properties of the skinned bases, buttons, boxes and groups.
#include "platform/vcl/ImageList.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinGraphicCustomControl.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPropertyReaders.h"
#include "skin/controls/SkinSpeedButton.h"

namespace vd {

using namespace props;
using namespace skinprops;

namespace {

// The windowed and the graphic skinned bases publish the same.
template <class C> const TPropertyTable<C>& CustomControlProperties() {
    static const TPropertyTable<C> table{
        {"DefaultFont.", FontFields("DefaultFont", &C::DefaultFont)},
        {"DefaultWidth", Call(&C::SetDefaultWidth, AsInt)},
        {"DefaultHeight", Call(&C::SetDefaultHeight, AsInt)},
        {"UseSkinFont", Call(&C::SetUseSkinFont, AsBool)},
    };
    return table;
}

using Button = TskSkinButton;
const TPropertyTable<Button>& ButtonProperties() {
    static const TPropertyTable<Button> table{
        {"Glyph", GlyphSetter()},
        {"NumGlyphs", Call(&Button::SetNumGlyphs, AsInt)},
        {"Margin", Call(&Button::SetMargin, AsInt)},
        {"GroupIndex", Call(&Button::SetGroupIndex, AsInt)},
        {"Down", Call(&Button::SetDown, AsBool)},
        {"Default", Call(&Button::SetDefault, AsBool)},
        {"CanFocused", Call(&Button::SetCanFocused, AsBool)},
        {"ImageIndex", Call(&Button::SetImageIndex, AsInt)},
        {"Layout",
         [](Button& b, const TPropValue& v) {
             b.Layout = ReadLayout(v);
             b.Repaint();
         }},
        {"Spacing",
         [](Button& b, const TPropValue& v) {
             b.Spacing = AsInt(v);
             b.Repaint();
         }},
        {"AllowAllUp", Store(&Button::AllowAllUp, AsBool)},
        {"RepeatMode", Store(&Button::RepeatMode, AsBool)},
        {"RepeatInterval", Store(&Button::RepeatInterval, AsInt)},
        {"Cancel", Store(&Button::Cancel, AsBool)},
        {"ModalResult", Store(&Button::ModalResult, AsInt)},
        {"UseSkinSize", Store(&Button::UseSkinSize, AsBool)},
        {"UseSkinFontColor", Store(&Button::UseSkinFontColor, AsBool)},
        {"ImageList", Link<TCustomImageList>(&Button::SetImageList)},
    };
    return table;
}

using SpeedButton = TskSkinSpeedButton;
const TPropertyTable<SpeedButton>& SpeedButtonProperties() {
    static const TPropertyTable<SpeedButton> table{
        {"ShowCaption", Call(&SpeedButton::SetShowCaption, AsBool)},
        {"Glyph", GlyphSetter()},
        {"NumGlyphs", Call(&SpeedButton::SetNumGlyphs, AsInt)},
        {"Layout", Call(&SpeedButton::SetLayout, ReadLayout)},
        {"Margin", Call(&SpeedButton::SetMargin, AsInt)},
        {"Spacing", Call(&SpeedButton::SetSpacing, AsInt)},
        {"GroupIndex", Store(&SpeedButton::GroupIndex, AsInt)},
        {"AllowAllUp", Store(&SpeedButton::AllowAllUp, AsBool)},
        {"Down", Call(&SpeedButton::SetDown, AsBool)},
        {"Flat", Call(&SpeedButton::SetFlat, AsBool)},
        {"Transparent", Call(&SpeedButton::SetTransparent, AsBool)},
        {"WidthWithCaption", Store(&SpeedButton::WidthWithCaption, AsInt)},
        {"WidthWithoutCaption", Store(&SpeedButton::WidthWithoutCaption, AsInt)},
        {"ImageIndex", Call(&SpeedButton::SetImageIndex, AsInt)},
        {"RepeatMode", Store(&SpeedButton::RepeatMode, AsBool)},
        {"RepeatInterval", Store(&SpeedButton::RepeatInterval, AsInt)},
        {"UseSkinSize", Store(&SpeedButton::UseSkinSize, AsBool)},
        {"UseSkinFontColor", Store(&SpeedButton::UseSkinFontColor, AsBool)},
        {"ImageList", Link<TCustomImageList>(&SpeedButton::SetImageList)},
    };
    return table;
}

using MenuSpeedButton = TskSkinMenuSpeedButton;
const TPropertyTable<MenuSpeedButton>& MenuSpeedButtonProperties() {
    static const TPropertyTable<MenuSpeedButton> table{
        {"UseImagesMenuImage", Store(&MenuSpeedButton::UseImagesMenuImage, AsBool)},
        {"UseImagesMenuCaption", Store(&MenuSpeedButton::UseImagesMenuCaption, AsBool)},
        {"TrackButtonMode", Call(&MenuSpeedButton::SetTrackButtonMode, AsBool)},
        {"NewStyle", Call(&MenuSpeedButton::SetNewStyle, AsBool)},
        {"TrackPosition",
         [](MenuSpeedButton& b, const TPropValue& v) {
             b.SetTrackPosition(
                 Ident<TskTrackPosition>(v, {{"sktpRight", sktpRight}, {"sktpBottom", sktpBottom}}));
         }},
        {"SkinPopupMenu", Link<TskSkinPopupMenu>(&MenuSpeedButton::SetSkinPopupMenu)},
        {"SkinImagesMenu", Link<TskImagesMenuLink>(&MenuSpeedButton::SetSkinImagesMenu)},
    };
    return table;
}

using CheckRadioBox = TskSkinCheckRadioBox;
const TPropertyTable<CheckRadioBox>& CheckRadioBoxProperties() {
    static const TPropertyTable<CheckRadioBox> table{
        {"Checked", Call(&CheckRadioBox::SetChecked, AsBool)},
        {"State",
         [](CheckRadioBox& b, const TPropValue& v) {
             b.SetState(Ident<TCheckBoxState>(
                 v, {{"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked}, {"cbGrayed", cbGrayed}}));
         }},
        {"AllowGrayed", Call(&CheckRadioBox::SetAllowGrayed, AsBool)},
        {"Radio", Call(&CheckRadioBox::SetRadio, AsBool)},
        {"Flat", Call(&CheckRadioBox::SetFlat, AsBool)},
        {"CanFocused", Call(&CheckRadioBox::SetCanFocused, AsBool)},
        {"GroupIndex", Store(&CheckRadioBox::GroupIndex, AsInt)},
        {"ImageIndex", Call(&CheckRadioBox::SetImageIndex, AsInt)},
        {"Images", Link<TCustomImageList>(&CheckRadioBox::SetImages)},
    };
    return table;
}

void SetGroupItems(TskSkinButtonGroup& group, const TPropValue& v) {
    TStringList items;
    if (v.Kind == TPropValue::vkList) {
        for (const TPropValue& line : v.List)
            items.Add(line.AsString());
    } else {
        items.SetText(v.AsString());
    }
    group.SetItems(items);
}

} // namespace

// The table sits in a member so that ItemIndex can reach the check group's index.
const TPropertyTable<TskSkinButtonGroup>& TskSkinButtonGroup::Properties() {
    using Group = TskSkinButtonGroup;
    static const TPropertyTable<Group> table{
        {"Items", SetGroupItems},
        {"Items.Strings", SetGroupItems},
        {"Columns", Call(&Group::SetColumns, AsInt)},
        {"ItemIndex",
         [](Group& g, const TPropValue& v) {
             if (auto* radio = dynamic_cast<TskSkinRadioGroup*>(&g))
                 radio->SetItemIndex(AsInt(v));
             else
                 g.FItemIndex = AsInt(v);
         }},
        {"ButtonSkinDataName", Call(&Group::SetButtonSkinDataName, AsText)},
        {"ButtonDefaultFont.",
         FontFieldsCopy("ButtonDefaultFont", &Group::ButtonDefaultFont, &Group::SetButtonDefaultFont)},
        {"Images", Link<TCustomImageList>(&Group::SetImages)},
    };
    return table;
}

bool TskSkinCustomControl::SetProperty(const String& name, const TPropValue& v) {
    return CustomControlProperties<TskSkinCustomControl>().Set(*this, name, v) ||
           TskSkinControl::SetProperty(name, v);
}

bool TskGraphicSkinCustomControl::SetProperty(const String& name, const TPropValue& v) {
    return CustomControlProperties<TskGraphicSkinCustomControl>().Set(*this, name, v) ||
           TskGraphicSkinControl::SetProperty(name, v);
}

bool TskSkinButton::SetProperty(const String& name, const TPropValue& v) {
    return ButtonProperties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

bool TskSkinButton::SetComponentProperty(const String& name, TComponent* value) {
    return ButtonProperties().SetComponent(*this, name, value) ||
           TskSkinCustomControl::SetComponentProperty(name, value);
}

bool TskSkinSpeedButton::SetProperty(const String& name, const TPropValue& v) {
    return SpeedButtonProperties().Set(*this, name, v) || TskGraphicSkinCustomControl::SetProperty(name, v);
}

bool TskSkinSpeedButton::SetComponentProperty(const String& name, TComponent* value) {
    return SpeedButtonProperties().SetComponent(*this, name, value) ||
           TskGraphicSkinCustomControl::SetComponentProperty(name, value);
}

bool TskSkinMenuSpeedButton::SetProperty(const String& name, const TPropValue& v) {
    return MenuSpeedButtonProperties().Set(*this, name, v) || TskSkinSpeedButton::SetProperty(name, v);
}

bool TskSkinMenuSpeedButton::SetComponentProperty(const String& name, TComponent* value) {
    return MenuSpeedButtonProperties().SetComponent(*this, name, value) ||
           TskSkinSpeedButton::SetComponentProperty(name, value);
}

bool TskSkinCheckRadioBox::SetProperty(const String& name, const TPropValue& v) {
    return CheckRadioBoxProperties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

bool TskSkinCheckRadioBox::SetComponentProperty(const String& name, TComponent* value) {
    return CheckRadioBoxProperties().SetComponent(*this, name, value) ||
           TskSkinCustomControl::SetComponentProperty(name, value);
}

bool TskSkinButtonGroup::SetProperty(const String& name, const TPropValue& v) {
    return Properties().Set(*this, name, v) || TskSkinGroupBox::SetProperty(name, v);
}

bool TskSkinButtonGroup::SetComponentProperty(const String& name, TComponent* value) {
    return Properties().SetComponent(*this, name, value) ||
           TskSkinGroupBox::SetComponentProperty(name, value);
}

} // namespace vd
