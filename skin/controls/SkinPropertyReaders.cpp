#include "skin/controls/SkinPropertyReaders.h"

#include "platform/gfx/Color.h"

namespace vd::skinprops {

TColor ReadColor(const TPropValue& v) {
    if (v.Kind == TPropValue::vkInt) return static_cast<TColor>(v.Int);
    return Ident<TColor>(v, {{"clBlack", clBlack},         {"clMaroon", clMaroon},
                             {"clGreen", clGreen},         {"clOlive", clOlive},
                             {"clNavy", clNavy},           {"clPurple", clPurple},
                             {"clTeal", clTeal},           {"clGray", clGray},
                             {"clSilver", clSilver},       {"clRed", clRed},
                             {"clLime", clLime},           {"clYellow", clYellow},
                             {"clBlue", clBlue},           {"clFuchsia", clFuchsia},
                             {"clAqua", clAqua},           {"clWhite", clWhite},
                             {"clNone", clNone},           {"clDefault", clDefault},
                             {"clBtnFace", clBtnFace},     {"clBtnShadow", clBtnShadow},
                             {"clBtnText", clBtnText},     {"clBtnHighlight", clBtnHighlight},
                             {"clWindow", clWindow},       {"clWindowText", clWindowText},
                             {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
                             {"clGrayText", clGrayText},   {"clInfoBk", clInfoBk},
                             {"clInfoText", clInfoText},   {"clHotLight", clHotLight}});
}

bool ReadFontField(TFont& Font, const char* Prefix, const String& name, const TPropValue& v) {
    const String prefix = String(Prefix) + ".";
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    const String field = name.substr(prefix.size());
    if (field == "Name")
        Font.SetName(v.AsString());
    else if (field == "Height")
        Font.SetHeight(Int(v));
    else if (field == "Color")
        Font.SetColor(ReadColor(v));
    else if (field == "Style") {
        if (v.Kind != TPropValue::vkSet) throw EReadError("Invalid property value");
        TFontStyles style = 0;
        for (const String& s : v.Set)
            style |= Ident<TFontStyles>(TPropValue::FromIdent(s), {{"fsBold", fsBold},
                                                                   {"fsItalic", fsItalic},
                                                                   {"fsUnderline", fsUnderline},
                                                                   {"fsStrikeOut", fsStrikeOut}});
        Font.SetStyle(style);
    } else
        return false;
    return true;
}

} // namespace vd::skinprops
