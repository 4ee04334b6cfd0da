#include "platform/audio/SharedLibrary.h"

#include <dlfcn.h>

namespace vd::audio {

void* LoadSharedLibrary(const std::string& path) {
    // Bound at once, so that a plug-in with a missing symbol fails here rather than mid-block;
    // kept local, so that two plug-ins' symbols never mix.
    return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* GetSharedSymbol(void* library, const char* name) {
    return library ? ::dlsym(library, name) : nullptr;
}

void FreeSharedLibrary(void* library) {
    if (library) ::dlclose(library);
}

} // namespace vd::audio
