// Form resources: the published properties of the skinned bases, buttons, boxes and groups.
#include "platform/vcl/ImageList.h"
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

using namespace skinprops;

bool TskSkinCustomControl::SetProperty(const String& name, const TPropValue& v) {
    // The font's change hook repaints.
    if (ReadFontField(FDefaultFont, "DefaultFont", name, v)) return true;
    if (name == "DefaultWidth")
        SetDefaultWidth(Int(v));
    else if (name == "DefaultHeight")
        SetDefaultHeight(Int(v));
    else if (name == "UseSkinFont")
        SetUseSkinFont(v.AsBool());
    else
        return TskSkinControl::SetProperty(name, v);
    return true;
}

bool TskGraphicSkinCustomControl::SetProperty(const String& name, const TPropValue& v) {
    // The font's change hook repaints.
    if (ReadFontField(FDefaultFont, "DefaultFont", name, v)) return true;
    if (name == "DefaultWidth")
        SetDefaultWidth(Int(v));
    else if (name == "DefaultHeight")
        SetDefaultHeight(Int(v));
    else if (name == "UseSkinFont")
        SetUseSkinFont(v.AsBool());
    else
        return TskGraphicSkinControl::SetProperty(name, v);
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
    else if (name == "ImageIndex")
        SetImageIndex(Int(v));
    else if (name == "Layout") {
        Layout = ReadLayout(v);
        Repaint();
    } else if (name == "Spacing") {
        Spacing = Int(v);
        Repaint();
    } else if (name == "AllowAllUp")
        AllowAllUp = v.AsBool();
    else if (name == "RepeatMode")
        RepeatMode = v.AsBool();
    else if (name == "RepeatInterval")
        RepeatInterval = Int(v);
    else if (name == "Cancel")
        Cancel = v.AsBool();
    else if (name == "ModalResult")
        ModalResult = Int(v);
    else if (name == "UseSkinSize")
        UseSkinSize = v.AsBool();
    else if (name == "UseSkinFontColor")
        UseSkinFontColor = v.AsBool();
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinButton::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "ImageList") return SetLink<TCustomImageList>(value, [this](auto* l) { SetImageList(l); });
    return TskSkinCustomControl::SetComponentProperty(name, value);
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
    else if (name == "WidthWithCaption")
        WidthWithCaption = Int(v);
    else if (name == "WidthWithoutCaption")
        WidthWithoutCaption = Int(v);
    else if (name == "ImageIndex")
        SetImageIndex(Int(v));
    else if (name == "RepeatMode")
        RepeatMode = v.AsBool();
    else if (name == "RepeatInterval")
        RepeatInterval = Int(v);
    else if (name == "UseSkinSize")
        UseSkinSize = v.AsBool();
    else if (name == "UseSkinFontColor")
        UseSkinFontColor = v.AsBool();
    else
        return TskGraphicSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinSpeedButton::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "ImageList") return SetLink<TCustomImageList>(value, [this](auto* l) { SetImageList(l); });
    return TskGraphicSkinCustomControl::SetComponentProperty(name, value);
}

bool TskSkinMenuSpeedButton::SetProperty(const String& name, const TPropValue& v) {
    if (name == "UseImagesMenuImage")
        UseImagesMenuImage = v.AsBool();
    else if (name == "UseImagesMenuCaption")
        UseImagesMenuCaption = v.AsBool();
    else if (name == "TrackButtonMode")
        SetTrackButtonMode(v.AsBool());
    else if (name == "NewStyle")
        SetNewStyle(v.AsBool());
    else if (name == "TrackPosition")
        SetTrackPosition(Ident<TskTrackPosition>(v, {{"sktpRight", sktpRight}, {"sktpBottom", sktpBottom}}));
    else
        return TskSkinSpeedButton::SetProperty(name, v);
    return true;
}

bool TskSkinMenuSpeedButton::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "SkinPopupMenu")
        return SetLink<TskSkinPopupMenu>(value, [this](auto* m) { SetSkinPopupMenu(m); });
    if (name == "SkinImagesMenu")
        return SetLink<TskImagesMenuLink>(value, [this](auto* m) { SetSkinImagesMenu(m); });
    return TskSkinSpeedButton::SetComponentProperty(name, value);
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
    else if (name == "ImageIndex")
        SetImageIndex(Int(v));
    else
        return TskSkinCustomControl::SetProperty(name, v);
    return true;
}

bool TskSkinCheckRadioBox::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "Images") return SetLink<TCustomImageList>(value, [this](auto* l) { SetImages(l); });
    return TskSkinCustomControl::SetComponentProperty(name, value);
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
    else if (name.rfind("ButtonDefaultFont.", 0) == 0) {
        TFont font;
        font.Assign(FButtonDefaultFont);
        if (!ReadFontField(font, "ButtonDefaultFont", name, v)) return false;
        SetButtonDefaultFont(font);
    } else
        return TskSkinGroupBox::SetProperty(name, v);
    return true;
}

bool TskSkinButtonGroup::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "Images") return SetLink<TCustomImageList>(value, [this](auto* l) { SetImages(l); });
    return TskSkinGroupBox::SetComponentProperty(name, value);
}

} // namespace vd
