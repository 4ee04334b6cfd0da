// Form resources: the frame's published properties by name.
#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "skin/controls/SkinMenuLink.h"
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

} // namespace

// The published fields with no further effect.
bool TskSkinForm::SetFieldProperty(const String& name, const TPropValue& value) {
    auto is = [&](const char* n) { return SameText(name, n); };
    struct BoolProp {
        const char* name;
        bool* field;
    };
    const BoolProp bools[] = {{"UseFormCursorInNCArea", &UseFormCursorInNCArea},
                              {"AlwaysShowInTray", &AlwaysShowInTray},
                              {"LogoBitMapTransparent", &LogoBitMapTransparent},
                              {"AlwaysMinimizeToTray", &AlwaysMinimizeToTray},
                              {"MaximizeOnFullScreen", &MaximizeOnFullScreen},
                              {"AlphaBlendAnimation", &AlphaBlendAnimation},
                              {"ShowObjectHint", &ShowObjectHint},
                              {"UseDefaultObjectHint", &UseDefaultObjectHint},
                              {"MenusAlphaBlend", &MenusAlphaBlend},
                              {"MenusAlphaBlendAnimation", &MenusAlphaBlendAnimation},
                              {"UseDefaultSysMenu", &UseDefaultSysMenu},
                              {"Magnetic", &Magnetic},
                              {"HideCaptionButtons", &HideCaptionButtons}};
    for (const auto& b : bools)
        if (is(b.name)) {
            *b.field = value.AsBool();
            return true;
        }
    struct IntProp {
        const char* name;
        int* field;
    };
    const IntProp ints[] = {{"ClientWidth", &ClientWidth}, {"ClientHeight", &ClientHeight},
                            {"MinHeight", &MinHeight},     {"MinWidth", &MinWidth},
                            {"MaxHeight", &MaxHeight},     {"MaxWidth", &MaxWidth}};
    for (const auto& i : ints)
        if (is(i.name)) {
            *i.field = int(value.AsInt());
            return true;
        }
    return false;
}

bool TskSkinForm::SetProperty(const String& name, const TPropValue& value) {
    auto is = [&](const char* n) { return SameText(name, n); };
    if (const auto dot = name.find('.'); dot != String::npos) {
        const String font = name.substr(0, dot), part = name.substr(dot + 1);
        if (SameText(font, "DefCaptionFont") && SetFontPart(DefCaptionFont(), part, value)) return true;
        if (SameText(font, "DefInActiveCaptionFont") && SetFontPart(DefInActiveCaptionFont(), part, value))
            return true;
        if (SameText(font, "DefMenuItemFont")) {
            TFont f;
            f.Assign(DefMenuItemFont());
            if (SetFontPart(f, part, value)) return SetDefMenuItemFont(f), true;
        }
    }
    if (is("LogoBitMap")) {
        // The bytes of a BMP file.
        if (value.Kind != TPropValue::vkBinary) throw EReadError("Invalid property value");
        TBitmap logo;
        if (!value.Binary.empty() && !logo.LoadFromMemory(value.Binary.data(), value.Binary.size()))
            throw EReadError("Bitmap image is not valid");
        LogoBitMap().Assign(logo);
        return true;
    }
    if (is("PositionInMonitor")) {
        for (int i = 0; i < 3; ++i)
            if (SameText(value.AsIdent(), kPositions[i])) PositionInMonitor = TskPositionInMonitor(i);
        return true;
    }
    if (is("BorderIcons")) {
        TskBorderIcons v = 0;
        for (const String& m : value.Set)
            for (const auto& [n, bit] : kIcons)
                if (SameText(m, n)) v |= bit;
        SetBorderIcons(v);
        return true;
    }
    if (SetFieldProperty(name, value)) return true;
    if (is("MagneticSize")) return MagneticSize = Byte(value.AsInt()), true;
    if (is("MenusAlphaBlendValue")) return MenusAlphaBlendValue = Byte(value.AsInt()), true;
    if (is("AlphaBlendValue")) return SetAlphaBlendValue(Byte(value.AsInt())), true;
    if (is("AlphaBlend")) return SetAlphaBlend(value.AsBool()), true;
    if (is("ShowIcon")) return SetShowIcon(value.AsBool()), true;
    if (is("MaxMenuItemsInWindow")) return SetMaxMenuItemsInWindow(int(value.AsInt())), true;
    if (is("UseSkinFontInMenu")) return SetUseSkinFontInMenu(value.AsBool()), true;
    if (is("DefMenuItemHeight")) return SetDefMenuItemHeight(int(value.AsInt())), true;
    return TComponent::SetProperty(name, value);
}

bool TskSkinForm::SetComponentProperty(const String& name, TComponent* value) {
    auto is = [&](const char* n) { return SameText(name, n); };
    if (is("SkinData")) return SetSkinData(dynamic_cast<TskSkinData*>(value)), true;
    if (is("MenusSkinData")) return SetMenusSkinData(dynamic_cast<TskSkinData*>(value)), true;
    if (is("SystemMenu")) return SetSystemMenu(dynamic_cast<TPopupMenu*>(value)), true;
    if (is("TrayIcon")) return SetTrayIcon(dynamic_cast<TskTrayIcon*>(value)), true;
    if (is("StatusBar")) return SetStatusBar(dynamic_cast<TskSkinStatusBar*>(value)), true;
    if (is("SkinHint")) return SetSkinHint(dynamic_cast<TskSkinHint*>(value)), true;
    if (is("MDITabsBar")) return SetMDITabsBar(dynamic_cast<TskSkinMDITabsBar*>(value)), true;
    if (is("MainMenuBar")) return SetMainMenuBar(value), true;
    return TComponent::SetComponentProperty(name, value);
}

void TskSkinForm::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    if (PositionInMonitor != skpDefault)
        out.emplace_back("PositionInMonitor", TPropValue::FromIdent(kPositions[PositionInMonitor]));
    std::vector<String> icons;
    for (const auto& [n, bit] : kIcons)
        if (FBorderIcons & bit) icons.push_back(n);
    out.emplace_back("BorderIcons", TPropValue::FromSet(icons));
    if (Magnetic) out.emplace_back("Magnetic", TPropValue::FromBool(true));
    if (AlphaBlend()) out.emplace_back("AlphaBlend", TPropValue::FromBool(true));
    if (AlphaBlendAnimation) out.emplace_back("AlphaBlendAnimation", TPropValue::FromBool(true));
    if (AlphaBlendValue() != 200) out.emplace_back("AlphaBlendValue", TPropValue::FromInt(AlphaBlendValue()));
    if (FShowIcon) out.emplace_back("ShowIcon", TPropValue::FromBool(true));

    if (FSkinData && !FSkinData->Name().empty())
        out.emplace_back("SkinData", TPropValue::FromIdent(FSkinData->Name()));
    if (MainMenuBar() && !MainMenuBar()->Name().empty())
        out.emplace_back("MainMenuBar", TPropValue::FromIdent(MainMenuBar()->Name()));
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
