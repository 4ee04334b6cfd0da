#pragma once
// Loading the DSP plug-in libraries: a thin portable face over the system's loader.
#include <string>

namespace vd::audio {

// Null when the file cannot be loaded (not found, not a library, unresolved symbols).
void* LoadSharedLibrary(const std::string& path);
void* GetSharedSymbol(void* library, const char* name);
void FreeSharedLibrary(void* library);

} // namespace vd::audio
