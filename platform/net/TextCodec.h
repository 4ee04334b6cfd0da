#pragma once
// Small text codecs of the network protocols.
#include <string>

namespace vd::net {

std::string Base64Encode(const std::string& in);
// Percent-encoding for a query value: everything but unreserved characters.
std::string UrlEncode(const std::string& in);
// A header value or command argument from settings with CR and LF taken out, so that it can
// neither end its line nor the head early.
std::string OneLine(const std::string& s);

} // namespace vd::net
