#include "platform/rtl/Resources.h"

#include "platform/rtl/SysUtils.h"

#include <mutex>

namespace vd {
namespace {

struct TResourceEntry {
    const char* Type;
    const char* Name;
    const unsigned char* Data;
    std::size_t Size;
};

struct TResourceTable {
    std::mutex Mutex;
    std::vector<TResourceEntry> Entries;
};

// Built on first use, so registration from any static initialiser finds it ready.
TResourceTable& Table() {
    static TResourceTable table;
    return table;
}

} // namespace

void RegisterResource(const char* type, const char* name, const unsigned char* data, std::size_t size) {
    TResourceTable& t = Table();
    std::lock_guard<std::mutex> lock(t.Mutex);
    t.Entries.push_back({type, name, data, size});
}

std::string_view FindResource(std::string_view type, std::string_view name) {
    TResourceTable& t = Table();
    std::lock_guard<std::mutex> lock(t.Mutex);
    for (const TResourceEntry& e : t.Entries)
        if (SameText(e.Type, type) && SameText(e.Name, name))
            return {reinterpret_cast<const char*>(e.Data), e.Size};
    return {};
}

std::vector<String> ResourceNames(std::string_view type) {
    TResourceTable& t = Table();
    std::lock_guard<std::mutex> lock(t.Mutex);
    std::vector<String> names;
    for (const TResourceEntry& e : t.Entries)
        if (SameText(e.Type, type)) names.emplace_back(e.Name);
    return names;
}

} // namespace vd
