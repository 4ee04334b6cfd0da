#pragma once
// A property value as a form resource holds it: number, text, identifier, set, list or bytes.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace vd {

struct TPropValue {
    enum Kind { vkInt, vkFloat, vkString, vkIdent, vkSet, vkList, vkBinary } Kind = vkInt;
    long long Int = 0;
    double Float = 0;
    String Str;                   // text, or the identifier
    std::vector<String> Set;      // set members
    std::vector<TPropValue> List; // list items
    std::vector<Byte> Binary;

    static TPropValue FromInt(long long v) {
        TPropValue p;
        p.Int = v;
        return p;
    }
    static TPropValue FromString(String v) {
        TPropValue p;
        p.Kind = vkString;
        p.Str = std::move(v);
        return p;
    }
    static TPropValue FromIdent(String v) {
        TPropValue p;
        p.Kind = vkIdent;
        p.Str = std::move(v);
        return p;
    }
    static TPropValue FromBool(bool v) { return FromIdent(v ? "True" : "False"); }
    static TPropValue FromSet(std::vector<String> v) {
        TPropValue p;
        p.Kind = vkSet;
        p.Set = std::move(v);
        return p;
    }
    // Conversions used by property setters; they raise EReadError on a kind that does not fit.
    long long AsInt() const;
    bool AsBool() const;
    const String& AsString() const;
    const String& AsIdent() const;
};

using TPropList = std::vector<std::pair<String, TPropValue>>;

} // namespace vd
