// Form resources: the skinned controls' published properties by name, and their classes.
#include "platform/rtl/Exception.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/FormReader.h"
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

namespace {

template <typename E> E Ident(const TPropValue& v, std::initializer_list<std::pair<const char*, E>> names) {
    for (const auto& [n, e] : names)
        if (SameText(v.AsIdent(), n)) return e;
    throw EReadError("Invalid property value " + v.Str);
}

TAlignment ReadAlignment(const TPropValue& v) {
    return Ident<TAlignment>(
        v, {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}});
}

TskSkinBorderStyle ReadBorderStyle(const TPropValue& v) {
    return Ident<TskSkinBorderStyle>(
        v, {{"bvFrame", bvFrame}, {"bvRaised", bvRaised}, {"bvLowered", bvLowered}, {"bvNone", bvNone}});
}

TskButtonLayout ReadLayout(const TPropValue& v) {
    return Ident<TskButtonLayout>(v, {{"blGlyphLeft", blGlyphLeft},
                                      {"blGlyphRight", blGlyphRight},
                                      {"blGlyphTop", blGlyphTop},
                                      {"blGlyphBottom", blGlyphBottom}});
}

int Int(const TPropValue& v) {
    return static_cast<int>(v.AsInt());
}

// A glyph is the bytes of a BMP file.
template <typename Setter> void ReadGlyph(const TPropValue& v, Setter set) {
    if (v.Kind != TPropValue::vkBinary) throw EReadError("Invalid property value");
    TBitmap bitmap;
    if (!v.Binary.empty() && !bitmap.LoadFromMemory(v.Binary.data(), v.Binary.size()))
        throw EReadError("Bitmap image is not valid");
    set(bitmap);
}

template <typename T> void Register(const char* name) {
    TFormReader::RegisterClass(name, [](TComponent* o) { return new T(o); });
}

} // namespace

bool TskSkinControl::SetProperty(const String& name, const TPropValue& v) {
    if (name == "SkinDataName")
        SetSkinDataName(v.AsString());
    else
        return TCustomControl::SetProperty(name, v);
    return true;
}

bool TskGraphicSkinControl::SetProperty(const String& name, const TPropValue& v) {
    if (name == "SkinDataName")
        SkinDataName = v.AsString();
    else
        return TGraphicControl::SetProperty(name, v);
    return true;
}

bool TskGraphicSkinControl::SetComponentProperty(const String& name, TComponent* value) {
    if (name != "SkinData") return TGraphicControl::SetComponentProperty(name, value);
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (!skin) return false;
    SetSkinData(skin);
    return true;
}

bool TskSkinLabel::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Alignment")
        SetAlignment(ReadAlignment(v));
    else if (name == "AutoSize")
        SetAutoSize(v.AsBool());
    else if (name == "BorderStyle")
        SetBorderStyle(ReadBorderStyle(v));
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinPanel::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Alignment" || name == "DefaultAlignment")
        SetDefaultAlignment(ReadAlignment(v));
    else if (name == "BorderStyle")
        SetBorderStyle(ReadBorderStyle(v));
    else if (name == "CaptionMode")
        SetCaptionMode(v.AsBool());
    else if (name == "DefaultCaptionHeight")
        SetDefaultCaptionHeight(Int(v));
    else if (name == "Glyph")
        ReadGlyph(v, [this](const TBitmap& b) { SetGlyph(b); });
    else if (name == "NumGlyphs")
        SetNumGlyphs(Int(v));
    else if (name == "Spacing")
        SetSpacing(Int(v));
    else if (name == "CheckedMode")
        SetCheckedMode(v.AsBool());
    else if (name == "Checked")
        SetChecked(v.AsBool());
    else if (name == "AutoEnabledControls")
        AutoEnabledControls = v.AsBool();
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinButton::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Glyph")
        ReadGlyph(v, [this](const TBitmap& b) { SetGlyph(b); });
    else if (name == "NumGlyphs")
        SetNumGlyphs(Int(v));
    else if (name == "Margin")
        SetMargin(Int(v));
    else if (name == "GroupIndex")
        SetGroupIndex(Int(v));
    else if (name == "Down")
        SetDown(v.AsBool());
    else if (name == "Default")
        SetDefault(v.AsBool());
    else if (name == "CanFocused")
        SetCanFocused(v.AsBool());
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinSpeedButton::SetProperty(const String& name, const TPropValue& v) {
    if (name == "ShowCaption")
        SetShowCaption(v.AsBool());
    else if (name == "Glyph")
        ReadGlyph(v, [this](const TBitmap& b) { SetGlyph(b); });
    else if (name == "NumGlyphs")
        SetNumGlyphs(Int(v));
    else if (name == "Layout")
        SetLayout(ReadLayout(v));
    else if (name == "Margin")
        SetMargin(Int(v));
    else if (name == "Spacing")
        SetSpacing(Int(v));
    else if (name == "GroupIndex")
        GroupIndex = Int(v);
    else if (name == "AllowAllUp")
        AllowAllUp = v.AsBool();
    else if (name == "Down")
        SetDown(v.AsBool());
    else if (name == "Flat")
        SetFlat(v.AsBool());
    else if (name == "Transparent")
        SetTransparent(v.AsBool());
    else
        return TskGraphicSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinCheckRadioBox::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Checked")
        SetChecked(v.AsBool());
    else if (name == "State")
        SetState(Ident<TCheckBoxState>(
            v, {{"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked}, {"cbGrayed", cbGrayed}}));
    else if (name == "AllowGrayed")
        SetAllowGrayed(v.AsBool());
    else if (name == "Radio")
        SetRadio(v.AsBool());
    else if (name == "Flat")
        SetFlat(v.AsBool());
    else if (name == "CanFocused")
        SetCanFocused(v.AsBool());
    else if (name == "GroupIndex")
        GroupIndex = Int(v);
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinButtonGroup::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Items" || name == "Items.Strings") {
        TStringList items;
        if (v.Kind == TPropValue::vkList) {
            for (const TPropValue& line : v.List)
                items.Add(line.AsString());
        } else {
            items.SetText(v.AsString());
        }
        SetItems(items);
    } else if (name == "Columns")
        SetColumns(Int(v));
    else if (name == "ItemIndex") {
        if (auto* radio = dynamic_cast<TskSkinRadioGroup*>(this))
            radio->SetItemIndex(Int(v));
        else
            FItemIndex = Int(v);
    } else if (name == "ButtonSkinDataName")
        SetButtonSkinDataName(v.AsString());
    else
        return TskSkinGroupBox::SetProperty(name, v);
    return true;
}

bool TskSkinGauge::SetProperty(const String& name, const TPropValue& v) {
    if (name == "MinValue")
        SetMinValue(Int(v));
    else if (name == "MaxValue")
        SetMaxValue(Int(v));
    else if (name == "Value")
        SetValue(Int(v));
    else if (name == "Vertical")
        SetVertical(v.AsBool());
    else if (name == "ProgressText")
        SetProgressText(v.AsString());
    else if (name == "ShowProgressText")
        SetShowProgressText(v.AsBool());
    else if (name == "ShowPercent")
        SetShowPercent(v.AsBool());
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinToolBar::SetProperty(const String& name, const TPropValue& v) {
    if (name == "AdjustControls")
        SetAdjustControls(v.AsBool());
    else if (name == "Flat")
        SetFlat(v.AsBool());
    else if (name == "ShowCaptions")
        SetShowCaptions(v.AsBool());
    else
        return TskSkinPanel::SetProperty(name, v);
    return true;
}

bool TskSkinStatusBar::SetProperty(const String& name, const TPropValue& v) {
    if (name == "SizeGrip")
        SetSizeGrip(v.AsBool());
    else
        return TskSkinPanel::SetProperty(name, v);
    return true;
}

bool TskSkinScrollBar::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Kind")
        SetKind(Ident<TScrollBarKind>(v, {{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}}));
    else if (name == "Min")
        SetMin(Int(v));
    else if (name == "Max")
        SetMax(Int(v));
    else if (name == "Position")
        SetPosition(Int(v));
    else if (name == "SmallChange")
        SetSmallChange(Int(v));
    else if (name == "LargeChange")
        SetLargeChange(Int(v));
    else if (name == "PageSize")
        SetPageSize(Int(v));
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinBevel::SetProperty(const String& name, const TPropValue& v) {
    if (name == "DividerMode")
        SetDividerMode(v.AsBool());
    else if (name == "SkinDataName")
        SkinDataName = v.AsString();
    else
        return TBevel::SetProperty(name, v);
    return true;
}

bool TskSkinBevel::SetComponentProperty(const String& name, TComponent* value) {
    if (name != "SkinData") return TBevel::SetComponentProperty(name, value);
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (!skin) return false;
    SetSkinData(skin);
    return true;
}

bool TskSkinStdLabel::SetProperty(const String& name, const TPropValue& v) {
    if (name == "SkinDataName")
        SkinDataName = v.AsString();
    else if (name == "UseSkinFont")
        UseSkinFont = v.AsBool();
    else if (name == "UseSkinColor")
        UseSkinColor = v.AsBool();
    else
        return TCustomLabel::SetProperty(name, v);
    return true;
}

bool TskSkinStdLabel::SetComponentProperty(const String& name, TComponent* value) {
    if (name != "SkinData") return TCustomLabel::SetComponentProperty(name, value);
    auto* skin = dynamic_cast<TskSkinData*>(value);
    if (!skin) return false;
    SetSkinData(skin);
    return true;
}

bool TskSkinSplitter::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Transparent")
        SetTransparent(v.AsBool());
    else
        return TSplitter::SetProperty(name, v);
    return true;
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
