#pragma once
// A test folder (the shared one) and reading and writing whole files in it.
#include "platform/rtl/String.h"
#include "tests/support/TempDir.h"

#include <fstream>
#include <iterator>

namespace vd::test {

inline void WriteText(const String& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline String ReadText(const String& path) {
    std::ifstream in(path, std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace vd::test
