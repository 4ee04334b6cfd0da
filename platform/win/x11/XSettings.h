#pragma once
// Reads one integer setting from the bytes of an XSETTINGS manager's settings property. The
// bytes come from another program: every length is checked, anything malformed gives nothing.
#include <cstddef>
#include <optional>
#include <string_view>

namespace vd::x11 {

std::optional<int> FindXSettingsInt(const unsigned char* data, std::size_t size, std::string_view name);

} // namespace vd::x11
