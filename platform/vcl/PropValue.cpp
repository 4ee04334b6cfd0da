#include "platform/vcl/PropValue.h"

#include "platform/rtl/Exception.h"

namespace vd {

long long TPropValue::AsInt() const {
    if (Kind == vkInt) return Int;
    throw EReadError("Invalid property value");
}

bool TPropValue::AsBool() const {
    if (Kind == vkIdent && (Str == "True" || Str == "true")) return true;
    if (Kind == vkIdent && (Str == "False" || Str == "false")) return false;
    throw EReadError("Invalid property value");
}

const String& TPropValue::AsString() const {
    if (Kind == vkString) return Str;
    throw EReadError("Invalid property value");
}

const String& TPropValue::AsIdent() const {
    if (Kind == vkIdent) return Str;
    throw EReadError("Invalid property value");
}

} // namespace vd
