#pragma once
// Text is 8-bit in the system code page (the locale's, UTF-8 on every current system).
#include <string>
#include <string_view>

namespace vd {

using String = std::string;

} // namespace vd
