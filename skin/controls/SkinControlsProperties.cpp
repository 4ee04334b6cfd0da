// Form resources: the skinned controls' published properties by name, and their classes.
#include "platform/rtl/Exception.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/ImageList.h"
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

using namespace skinprops;

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

bool TskSkinLabel::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Alignment")
        SetAlignment(ReadAlignment(v));
    else if (name == "AutoSize")
        SetAutoSize(v.AsBool());
    else if (name == "BorderStyle")
        SetBorderStyle(ReadBorderStyle(v));
    else if (name == "UseSkinSize")
        UseSkinSize = v.AsBool();
    else if (name == "UseSkinFontColor")
        UseSkinFontColor = v.AsBool();
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinStatusPanel::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Glyph")
        ReadGlyph(v, [this](const TBitmap& b) { SetGlyph(b); });
    else if (name == "NumGlyphs")
        SetNumGlyphs(Int(v));
    else if (name == "ImageIndex")
        SetImageIndex(Int(v));
    else
        return TskSkinLabel::SetProperty(name, v);
    return true;
}

bool TskSkinStatusPanel::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "ImageList") return SetLink<TCustomImageList>(value, [this](auto* l) { SetImageList(l); });
    return TskSkinLabel::SetComponentProperty(name, value);
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
    else if (name == "CaptionImageIndex")
        SetCaptionImageIndex(Int(v));
    else if (name == "RollUpMode")
        SetRollUpMode(v.AsBool());
    else if (name == "RollUpState")
        SetRollUpState(v.AsBool());
    else if (name == "RealHeight")
        SetRealHeight(Int(v));
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinPanel::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "CaptionImageList")
        return SetLink<TCustomImageList>(value, [this](auto* l) { SetCaptionImageList(l); });
    return TskSkinCustomControl::SetComponentProperty(name, value);
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
    else if (name == "UseSkinSize")
        UseSkinSize = v.AsBool();
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
    else if (name == "AutoShowHideCaptions")
        AutoShowHideCaptions = v.AsBool();
    else if (name == "WidthWithCaptions")
        WidthWithCaptions = Int(v);
    else if (name == "WidthWithoutCaptions")
        WidthWithoutCaptions = Int(v);
    else if (name == "CanScroll")
        CanScroll = v.AsBool();
    else if (name == "HotScroll")
        HotScroll = v.AsBool();
    else if (name == "ScrollOffset")
        SetScrollOffset(Int(v));
    else if (name == "ScrollTimerInterval")
        SetScrollTimerInterval(Int(v));
    else
        return TskSkinPanel::SetProperty(name, v);
    return true;
}

bool TskSkinToolBar::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "Images") return SetLink<TCustomImageList>(value, [this](auto* l) { SetImages(l); });
    if (name == "HotImages") return SetLink<TCustomImageList>(value, [this](auto* l) { SetHotImages(l); });
    if (name == "DisabledImages")
        return SetLink<TCustomImageList>(value, [this](auto* l) { SetDisabledImages(l); });
    return TskSkinPanel::SetComponentProperty(name, value);
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
    else if (name == "Both")
        SetBoth(v.AsBool());
    else if (name == "BothMarkerWidth")
        SetBothMarkerWidth(Int(v));
    else if (name == "BothSkinDataName")
        BothSkinDataName = v.AsString();
    else if (name == "CanFocused")
        SetCanFocused(v.AsBool());
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
    else if (!ReadFontField(FDefaultFont, "DefaultFont", name, v))
        return TCustomLabel::SetProperty(name, v);
    return true;
}

bool TskSkinLinkLabel::SetProperty(const String& name, const TPropValue& v) {
    if (name == "URL")
        URL = v.AsString();
    else if (name == "UseUnderLine")
        SetUseUnderLine(v.AsBool());
    else if (name == "DefaultActiveFontColor")
        DefaultActiveFontColor = ReadColor(v);
    else
        return TskSkinStdLabel::SetProperty(name, v);
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
    else if (name == "DefaultSize")
        DefaultSize = Int(v);
    else if (name == "ResizeStyle")
        ResizeStyle = Ident<TResizeStyle>(
            v, {{"rsNone", rsNone}, {"rsLine", rsLine}, {"rsUpdate", rsUpdate}, {"rsPattern", rsPattern}});
    else if (name == "SkinDataName")
        SkinDataName = v.AsString();
    else
        return TSplitter::SetProperty(name, v);
    return true;
}

bool TskSkinSplitter::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "SkinData") return SetLink<TskSkinData>(value, [this](auto* d) { SetSkinData(d); });
    return TSplitter::SetComponentProperty(name, value);
}

// The tree and list views share their skin properties.
template <typename View> bool SetViewProperty(View& view, const String& name, const TPropValue& v) {
    if (name == "SkinDataName")
        view.SkinDataName = v.AsString();
    else if (name == "DefaultColor")
        view.SetDefaultColor(ReadColor(v));
    else if (name == "UseSkinFont")
        view.UseSkinFont = v.AsBool();
    else if (name.rfind("DefaultFont.", 0) == 0) {
        TFont font;
        font.Assign(view.DefaultFont());
        if (!ReadFontField(font, "DefaultFont", name, v)) return false;
        view.SetDefaultFont(font);
    } else
        return false;
    return true;
}

template <typename View> bool SetViewLink(View& view, const String& name, TComponent* value) {
    if (name == "SkinData") return SetLink<TskSkinData>(value, [&](auto* d) { view.SetSkinData(d); });
    if (name == "VScrollBar")
        return SetLink<TskSkinScrollBar>(value, [&](auto* b) { view.SetVScrollBar(b); });
    if (name == "HScrollBar")
        return SetLink<TskSkinScrollBar>(value, [&](auto* b) { view.SetHScrollBar(b); });
    return false;
}

bool TskSkinCustomTreeView::SetProperty(const String& name, const TPropValue& v) {
    return SetViewProperty(*this, name, v) || TCustomTreeView::SetProperty(name, v);
}

bool TskSkinCustomTreeView::SetComponentProperty(const String& name, TComponent* value) {
    return SetViewLink(*this, name, value) || TCustomTreeView::SetComponentProperty(name, value);
}

bool TskSkinCustomListView::SetProperty(const String& name, const TPropValue& v) {
    if (name == "HeaderSkinDataName") {
        HeaderSkinDataName = v.AsString();
        return true;
    }
    return SetViewProperty(*this, name, v) || TCustomListView::SetProperty(name, v);
}

bool TskSkinCustomListView::SetComponentProperty(const String& name, TComponent* value) {
    return SetViewLink(*this, name, value) || TCustomListView::SetComponentProperty(name, value);
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
