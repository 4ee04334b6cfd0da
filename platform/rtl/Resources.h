#pragma once
// Resources embedded in the program at build time (cmake: vd_embed_resources): bytes found by
// type ("VERSION", "FORM", "LANG", "BITMAP", ...) and name, both without regard to case.
#include "platform/rtl/String.h"

#include <cstddef>
#include <vector>

namespace vd {

// The bytes of the resource, or an empty view when there is none. The bytes live as long as
// the program.
std::string_view FindResource(std::string_view type, std::string_view name);
// Names of every resource of a type, in registration order.
std::vector<String> ResourceNames(std::string_view type);

// Called by the generated code before main; data must outlive the program.
void RegisterResource(const char* type, const char* name, const unsigned char* data, std::size_t size);

} // namespace vd
