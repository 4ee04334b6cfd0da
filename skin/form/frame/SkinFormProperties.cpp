// Form resources: the frame's published properties by name.
#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinPropertyReaders.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/core/SkinData.h"
#include "skin/form/frame/SkinComponent.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/form/menus/SkinHintWindow.h"

namespace vd {

namespace {

const std::pair<const char*, TskBorderIcons> kIcons[] = {{"biSystemMenu", skbiSystemMenu},
                                                         {"biMinimize", skbiMinimize},
                                                         {"biMaximize", skbiMaximize},
                                                         {"biRollUp", skbiRollUp},
                                                         {"biMinimizeToTray", skbiMinimizeToTray}};

const char* const kPositions[] = {"skpDefault", "skpScreenCenter", "skpDesktopCenter"};

const std::pair<const char*, TFontStyles> kFontStyleNames[] = {
    {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};

const std::pair<const char*, TColor> kFontColors[] = {
    {"clBtnText", clBtnText},       {"clBtnShadow", clBtnShadow},
    {"clWindowText", clWindowText}, {"clBlack", clBlack},
    {"clWhite", clWhite},           {"clCaptionText", clCaptionText},
    {"clGrayText", clGrayText},     {"clInactiveCaptionText", clInactiveCaptionText}};

TColor FontColor(const TPropValue& v) {
    if (v.Kind != TPropValue::vkIdent) return TColor(v.AsInt());
    for (const auto& [n, c] : kFontColors)
        if (SameText(v.AsIdent(), n)) return c;
    throw EReadError("Invalid property value " + v.Str);
}

// One of a font property's parts ("Name", "Height", ...): false for a part it does not know.
bool SetFontPart(TFont& font, const String& part, const TPropValue& v) {
    if (SameText(part, "Name"))
        font.SetName(v.AsString());
    else if (SameText(part, "Height"))
        font.SetHeight(int(v.AsInt()));
    else if (SameText(part, "Color"))
        font.SetColor(FontColor(v));
    else if (SameText(part, "Charset"))
        font.SetCharset(Byte(v.AsInt()));
    else if (SameText(part, "Style")) {
        TFontStyles styles = 0;
        for (const String& m : v.Set)
            for (const auto& [n, bit] : kFontStyleNames)
                if (SameText(m, n)) styles |= bit;
        font.SetStyle(styles);
    } else {
        return false;
    }
    return true;
}

TskPositionInMonitor ReadPosition(const TskSkinForm& frame, const TPropValue& v) {
    const String& name = v.AsIdent();
    for (int i = 0; i < 3; ++i)
        if (SameText(name, kPositions[i])) return TskPositionInMonitor(i);
    return frame.PositionInMonitor; // an unknown position leaves it as it is
}

// Names it does not know are left out.
TskBorderIcons ReadBorderIcons(const TPropValue& v) {
    TskBorderIcons icons = 0;
    for (const String& m : v.Set)
        for (const auto& [n, bit] : kIcons)
            if (SameText(m, n)) icons |= bit;
    return icons;
}

TPropValue WriteBorderIcons(TskBorderIcons icons) {
    std::vector<String> names;
    for (const auto& [n, bit] : kIcons)
        if (icons & bit) names.push_back(n);
    return TPropValue::FromSet(names);
}

using Frame = TskSkinForm;

// "<Font>.<Part>" into the font Font(frame) gives, in place.
template <class Access> auto FontParts(Access font) {
    return [=](Frame& f, const String& name, const TPropValue& v) {
        return SetFontPart(std::invoke(font, f), name.substr(name.find('.') + 1), v);
    };
}

const TPropertyTable<Frame>& FrameProperties() {
    using namespace props;
    constexpr auto FromBool = &TPropValue::FromBool;
    constexpr auto FromInt = &TPropValue::FromInt;
    static const TPropertyTable<Frame> table{
        TNameMatch::IgnoreCase,
        {
            // Written when not the default, in this order.
            {"PositionInMonitor",
             [](Frame& f, const TPropValue& v) { f.PositionInMonitor = ReadPosition(f, v); },
             Unless(&Frame::PositionInMonitor, skpDefault,
                    [](TskPositionInMonitor p) { return TPropValue::FromIdent(kPositions[p]); })},
            {"BorderIcons", Call(&Frame::SetBorderIcons, ReadBorderIcons),
             Always(&Frame::BorderIcons, WriteBorderIcons)},
            {"Magnetic", Store(&Frame::Magnetic, AsBool), Unless(&Frame::Magnetic, false, FromBool)},
            {"AlphaBlend", Call(&Frame::SetAlphaBlend, AsBool), Unless(&Frame::AlphaBlend, false, FromBool)},
            {"AlphaBlendAnimation", Store(&Frame::AlphaBlendAnimation, AsBool),
             Unless(&Frame::AlphaBlendAnimation, false, FromBool)},
            {"AlphaBlendValue", Call(&Frame::SetAlphaBlendValue, AsByte),
             Unless(&Frame::AlphaBlendValue, Byte(200), FromInt)},
            {"ShowIcon", Call(&Frame::SetShowIcon, AsBool), Unless(&Frame::ShowIcon, false, FromBool)},
            {"SkinData", LinkAny<TskSkinData>(&Frame::SetSkinData),
             [](const Frame& f) { return LinkName(f.SkinData()); }},
            {"MainMenuBar", LinkAny<TComponent>(&Frame::SetMainMenuBar),
             [](const Frame& f) { return LinkName(f.MainMenuBar()); }},
            // Only read.
            {"DefCaptionFont.", FontParts(&Frame::DefCaptionFont)},
            {"DefInActiveCaptionFont.", FontParts(&Frame::DefInActiveCaptionFont)},
            // The menu engine keeps its own copy of the font.
            {"DefMenuItemFont.",
             [](Frame& f, const String& name, const TPropValue& v) {
                 TFont font;
                 font.Assign(f.DefMenuItemFont());
                 if (!SetFontPart(font, name.substr(name.find('.') + 1), v)) return false;
                 f.SetDefMenuItemFont(font);
                 return true;
             }},
            {"LogoBitMap",
             [](Frame& f, const TPropValue& v) {
                 skinprops::ReadGlyph(v, [&](const TBitmap& logo) { f.LogoBitMap().Assign(logo); });
             }},
            {"UseFormCursorInNCArea", Store(&Frame::UseFormCursorInNCArea, AsBool)},
            {"AlwaysShowInTray", Store(&Frame::AlwaysShowInTray, AsBool)},
            {"LogoBitMapTransparent", Store(&Frame::LogoBitMapTransparent, AsBool)},
            {"AlwaysMinimizeToTray", Store(&Frame::AlwaysMinimizeToTray, AsBool)},
            {"MaximizeOnFullScreen", Store(&Frame::MaximizeOnFullScreen, AsBool)},
            {"ShowObjectHint", Store(&Frame::ShowObjectHint, AsBool)},
            {"UseDefaultObjectHint", Store(&Frame::UseDefaultObjectHint, AsBool)},
            {"MenusAlphaBlend", Store(&Frame::MenusAlphaBlend, AsBool)},
            {"MenusAlphaBlendAnimation", Store(&Frame::MenusAlphaBlendAnimation, AsBool)},
            {"UseDefaultSysMenu", Store(&Frame::UseDefaultSysMenu, AsBool)},
            {"HideCaptionButtons", Store(&Frame::HideCaptionButtons, AsBool)},
            {"ClientWidth", Store(&Frame::ClientWidth, AsInt)},
            {"ClientHeight", Store(&Frame::ClientHeight, AsInt)},
            {"MinHeight", Store(&Frame::MinHeight, AsInt)},
            {"MinWidth", Store(&Frame::MinWidth, AsInt)},
            {"MaxHeight", Store(&Frame::MaxHeight, AsInt)},
            {"MaxWidth", Store(&Frame::MaxWidth, AsInt)},
            {"MagneticSize", Store(&Frame::MagneticSize, AsByte)},
            {"MenusAlphaBlendValue", Store(&Frame::MenusAlphaBlendValue, AsByte)},
            {"MaxMenuItemsInWindow", Call(&Frame::SetMaxMenuItemsInWindow, AsInt)},
            {"UseSkinFontInMenu", Call(&Frame::SetUseSkinFontInMenu, AsBool)},
            {"DefMenuItemHeight", Call(&Frame::SetDefMenuItemHeight, AsInt)},
            {"MenusSkinData", LinkAny<TskSkinData>(&Frame::SetMenusSkinData)},
            {"SystemMenu", LinkAny<TPopupMenu>(&Frame::SetSystemMenu)},
            {"TrayIcon", LinkAny<TskTrayIcon>(&Frame::SetTrayIcon)},
            {"StatusBar", LinkAny<TskSkinStatusBar>(&Frame::SetStatusBar)},
            {"SkinHint", LinkAny<TskSkinHint>(&Frame::SetSkinHint)},
            {"MDITabsBar", LinkAny<TskSkinMDITabsBar>(&Frame::SetMDITabsBar)},
        }};
    return table;
}

} // namespace

bool TskSkinForm::SetProperty(const String& name, const TPropValue& value) {
    return FrameProperties().Set(*this, name, value) || TComponent::SetProperty(name, value);
}

bool TskSkinForm::SetComponentProperty(const String& name, TComponent* value) {
    return FrameProperties().SetComponent(*this, name, value) ||
           TComponent::SetComponentProperty(name, value);
}

void TskSkinForm::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    FrameProperties().Get(*this, out);
}

void RegisterSkinFormClasses() {
    TFormReader::RegisterClass("TskSkinForm",
                               [](TComponent* owner) -> TComponent* { return new TskSkinForm(owner); });
    TFormReader::RegisterClass("TskTrayIcon",
                               [](TComponent* owner) -> TComponent* { return new TskTrayIcon(owner); });
    TFormReader::RegisterClass("TskSkinFrame",
                               [](TComponent* owner) -> TComponent* { return new TskSkinFrame(owner); });
    TFormReader::RegisterClass("TskSkinPopupMenu",
                               [](TComponent* owner) -> TComponent* { return new TskSkinPopupMenu(owner); });
    TFormReader::RegisterClass("TskSkinHint",
                               [](TComponent* owner) -> TComponent* { return new TskSkinHint(owner); });
}

} // namespace vd
