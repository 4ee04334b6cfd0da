#pragma once
// Value readers shared by the skinned controls' form-resource properties.
#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Font.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropValue.h"
#include "skin/controls/SkinButtonLayout.h"
#include "skin/controls/SkinPanel.h"

#include <functional>
#include <initializer_list>
#include <utility>

namespace vd::skinprops {

template <typename E> E Ident(const TPropValue& v, std::initializer_list<std::pair<const char*, E>> names) {
    for (const auto& [n, e] : names)
        if (SameText(v.AsIdent(), n)) return e;
    throw EReadError("Invalid property value " + v.Str);
}

inline TAlignment ReadAlignment(const TPropValue& v) {
    return Ident<TAlignment>(
        v, {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}});
}

inline TskSkinBorderStyle ReadBorderStyle(const TPropValue& v) {
    return Ident<TskSkinBorderStyle>(
        v, {{"bvFrame", bvFrame}, {"bvRaised", bvRaised}, {"bvLowered", bvLowered}, {"bvNone", bvNone}});
}

inline TskButtonLayout ReadLayout(const TPropValue& v) {
    return Ident<TskButtonLayout>(v, {{"blGlyphLeft", blGlyphLeft},
                                      {"blGlyphRight", blGlyphRight},
                                      {"blGlyphTop", blGlyphTop},
                                      {"blGlyphBottom", blGlyphBottom}});
}

inline int Int(const TPropValue& v) {
    return static_cast<int>(v.AsInt());
}

// A number, or one of the colour names the resources use.
TColor ReadColor(const TPropValue& v);

// "<Prefix>.Name", ".Height", ".Style", ".Color" into Font; false for any other name.
bool ReadFontField(TFont& Font, const char* Prefix, const String& name, const TPropValue& v);

// A glyph is the bytes of a BMP file.
template <typename Setter> void ReadGlyph(const TPropValue& v, Setter set) {
    if (v.Kind != TPropValue::vkBinary) throw EReadError("Invalid property value");
    TBitmap bitmap;
    if (!v.Binary.empty() && !bitmap.LoadFromMemory(v.Binary.data(), v.Binary.size()))
        throw EReadError("Bitmap image is not valid");
    set(bitmap);
}

// A Glyph entry: the bytes of a BMP file into the control's SetGlyph.
inline auto GlyphSetter() {
    return [](auto& control, const TPropValue& v) {
        ReadGlyph(v, [&](const TBitmap& b) { control.SetGlyph(b); });
    };
}

// "<Prefix>.Name", ... into the font Font(control) gives, in place (its change hook repaints).
template <class Access> auto FontFields(const char* Prefix, Access Font) {
    return [=](auto& control, const String& name, const TPropValue& v) {
        return ReadFontField(std::invoke(Font, control), Prefix, name, v);
    };
}

// "<Prefix>.Name", ... into a copy of the font Font(control) gives, handed then to Set.
template <class Access, class Setter> auto FontFieldsCopy(const char* Prefix, Access Font, Setter Set) {
    return [=](auto& control, const String& name, const TPropValue& v) {
        TFont font;
        font.Assign(std::invoke(Font, control));
        if (!ReadFontField(font, Prefix, name, v)) return false;
        std::invoke(Set, control, font);
        return true;
    };
}

template <typename T> void Register(const char* name) {
    TFormReader::RegisterClass(name, [](TComponent* o) { return new T(o); });
}

} // namespace vd::skinprops
