// The skin components in form resources: their published properties by name.
#include "skin/core/SkinProperties.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/StringList.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/core/SkinStrings.h"

namespace vd {

namespace {

TComponent* FindInRoot(const TComponent* from, const String& name) {
    const TComponent* root = from;
    while (root->Owner())
        root = root->Owner();
    if (TComponent* found = root->FindComponent(name)) return found;
    return from->Owner() ? from->Owner()->FindComponent(name) : nullptr;
}

using namespace props;

constexpr auto FromInt = &TPropValue::FromInt;
constexpr auto FromBool = &TPropValue::FromBool;
constexpr auto FromString = &TPropValue::FromString;

} // namespace

const TPropertyTable<TskSkinData>& TskSkinData::Properties() {
    using C = TskSkinData;
    static const TPropertyTable<C> table{
        {"EnableSkinEffects", Store(&C::EnableSkinEffects, AsBool),
         Unless(&C::EnableSkinEffects, true, FromBool)},
        // A link resolved in Loaded(), once every component of the resource exists.
        {"CompressedStoredSkin", Store(&C::FPendingStoredSkin, &TPropValue::AsIdent),
         [](const C& d) { return LinkName(d.CompressedStoredSkin()); }},
        {"ResourceStrData", Store(&C::FPendingStrings, &TPropValue::AsIdent),
         [](const C& d) { return LinkName(d.ResourceStrData()); }},
    };
    return table;
}

bool TskSkinData::SetProperty(const String& name, const TPropValue& v) {
    return Properties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

void TskSkinData::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    Properties().Get(*this, out);
}

void TskSkinData::Loaded() {
    TComponent::Loaded();
    // References resolve once every component of the resource exists; the skin loads then.
    if (!FPendingStrings.empty()) {
        auto* strings = dynamic_cast<TskResourceStrData*>(FindInRoot(this, FPendingStrings));
        FPendingStrings.clear();
        if (!strings) throw EReadError("Invalid property value ResourceStrData");
        SetResourceStrData(strings);
    }
    if (!FPendingStoredSkin.empty()) {
        auto* stored = dynamic_cast<TskCompressedStoredSkin*>(FindInRoot(this, FPendingStoredSkin));
        FPendingStoredSkin.clear();
        if (!stored) throw EReadError("Invalid property value CompressedStoredSkin");
        SetCompressedStoredSkin(stored);
    }
}

const TPropertyTable<TskCompressedStoredSkin>& TskCompressedStoredSkin::Properties() {
    using C = TskCompressedStoredSkin;
    static const TPropertyTable<C> table{
        {"FileName", Store(&C::FFileName, AsText), Unless(&C::FFileName, String(), FromString)},
        {"CompressedFileName", Store(&C::FCompressedFileName, AsText),
         Unless(&C::FCompressedFileName, String(), FromString)},
        {"Description", Store(&C::FDescription, AsText), Unless(&C::FDescription, String(), FromString)},
        {"CompressedData",
         [](C& s, const TPropValue& v) {
             if (v.Kind != TPropValue::vkBinary) throw EReadError("Invalid property value CompressedData");
             s.ReadCompressedData(v.Binary);
         },
         [](const C& s) {
             TPropValue data;
             data.Kind = TPropValue::vkBinary;
             data.Binary = s.WriteCompressedData();
             return data;
         }},
    };
    return table;
}

bool TskCompressedStoredSkin::SetProperty(const String& name, const TPropValue& v) {
    return Properties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

void TskCompressedStoredSkin::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    Properties().Get(*this, out);
}

const TPropertyTable<TskResourceStrData>& TskResourceStrData::Properties() {
    using C = TskResourceStrData;
    static const TPropertyTable<C> table{
        // A list of lines, or one text whose lines end with CR LF (as written).
        {"ResStrings",
         [](C& d, const TPropValue& v) {
             std::vector<String> lines;
             if (v.Kind == TPropValue::vkList) {
                 for (const TPropValue& item : v.List)
                     lines.push_back(item.AsString());
             } else {
                 TStringList split;
                 split.SetText(v.AsString());
                 for (int i = 0; i < split.Count(); ++i)
                     lines.push_back(split[i]);
             }
             d.SetResStrings(lines);
         },
         [](const C& d) {
             String text;
             for (const String& line : d.FResStrings)
                 text += line + "\r\n";
             return TPropValue::FromString(text);
         }},
        {"CharSet",
         [](C& d, const TPropValue& v) {
             if (v.Kind == TPropValue::vkIdent && v.Str == "DEFAULT_CHARSET")
                 d.FCharSet = 1;
             else
                 d.FCharSet = Byte(v.AsInt());
         },
         Unless(&C::FCharSet, Byte(1), FromInt)},
    };
    return table;
}

bool TskResourceStrData::SetProperty(const String& name, const TPropValue& v) {
    return Properties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

void TskResourceStrData::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    Properties().Get(*this, out);
}

void RegisterSkinCoreClasses() {
    TFormReader::RegisterClass("TskSkinData", [](TComponent* o) { return new TskSkinData(o); });
    TFormReader::RegisterClass("TskCompressedStoredSkin",
                               [](TComponent* o) { return new TskCompressedStoredSkin(o); });
    TFormReader::RegisterClass("TskResourceStrData", [](TComponent* o) { return new TskResourceStrData(o); });
}

} // namespace vd
