#pragma once
// Small text codecs of the network protocols.
#include <string>

namespace vd::net {

std::string Base64Encode(const std::string& in);
// Percent-encoding for a query value: everything but unreserved characters.
std::string UrlEncode(const std::string& in);
bool IsValidUtf8(const std::string& s);

} // namespace vd::net
