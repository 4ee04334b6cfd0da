// The skin components in form resources: their published properties by name.
#include "skin/core/SkinProperties.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/StringList.h"
#include "platform/vcl/FormReader.h"
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

} // namespace

bool TskSkinData::SetProperty(const String& name, const TPropValue& v) {
    if (name == "EnableSkinEffects")
        EnableSkinEffects = v.AsBool();
    else if (name == "CompressedStoredSkin")
        FPendingStoredSkin = v.AsIdent();
    else if (name == "ResourceStrData")
        FPendingStrings = v.AsIdent();
    else
        return TComponent::SetProperty(name, v);
    return true;
}

void TskSkinData::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    if (!EnableSkinEffects) out.emplace_back("EnableSkinEffects", TPropValue::FromBool(false));
    if (FCompressedStoredSkin && !FCompressedStoredSkin->Name().empty())
        out.emplace_back("CompressedStoredSkin", TPropValue::FromIdent(FCompressedStoredSkin->Name()));
    if (FResourceStrData && !FResourceStrData->Name().empty())
        out.emplace_back("ResourceStrData", TPropValue::FromIdent(FResourceStrData->Name()));
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

bool TskCompressedStoredSkin::SetProperty(const String& name, const TPropValue& v) {
    if (name == "FileName")
        FFileName = v.AsString();
    else if (name == "CompressedFileName")
        FCompressedFileName = v.AsString();
    else if (name == "Description")
        FDescription = v.AsString();
    else if (name == "CompressedData") {
        if (v.Kind != TPropValue::vkBinary) throw EReadError("Invalid property value CompressedData");
        ReadCompressedData(v.Binary);
    } else {
        return TComponent::SetProperty(name, v);
    }
    return true;
}

void TskCompressedStoredSkin::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    if (!FFileName.empty()) out.emplace_back("FileName", TPropValue::FromString(FFileName));
    if (!FCompressedFileName.empty())
        out.emplace_back("CompressedFileName", TPropValue::FromString(FCompressedFileName));
    if (!FDescription.empty()) out.emplace_back("Description", TPropValue::FromString(FDescription));
    TPropValue data;
    data.Kind = TPropValue::vkBinary;
    data.Binary = WriteCompressedData();
    out.emplace_back("CompressedData", std::move(data));
}

bool TskResourceStrData::SetProperty(const String& name, const TPropValue& v) {
    if (name == "ResStrings") {
        // A list of lines, or one text whose lines end with CR LF (as written).
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
        SetResStrings(lines);
    } else if (name == "CharSet") {
        if (v.Kind == TPropValue::vkIdent && v.Str == "DEFAULT_CHARSET")
            FCharSet = 1;
        else
            FCharSet = Byte(v.AsInt());
    } else {
        return TComponent::SetProperty(name, v);
    }
    return true;
}

void TskResourceStrData::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    String text;
    for (const String& line : FResStrings)
        text += line + "\r\n";
    out.emplace_back("ResStrings", TPropValue::FromString(text));
    if (FCharSet != 1) out.emplace_back("CharSet", TPropValue::FromInt(FCharSet));
}

void RegisterSkinCoreClasses() {
    TFormReader::RegisterClass("TskSkinData", [](TComponent* o) { return new TskSkinData(o); });
    TFormReader::RegisterClass("TskCompressedStoredSkin",
                               [](TComponent* o) { return new TskCompressedStoredSkin(o); });
    TFormReader::RegisterClass("TskResourceStrData", [](TComponent* o) { return new TskResourceStrData(o); });
}

} // namespace vd
