// Fuzz target: any text given to the form reader ends in a tree or an EReadError.
#include "platform/rtl/Exception.h"
#include "platform/vcl/FormReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vd::String text(reinterpret_cast<const char*>(data), size);
    try {
        vd::TComponent* c = vd::TFormReader::ReadComponent(
            text, nullptr, [](vd::TComponent*, const vd::String&, const vd::String&) { return true; });
        if (c) {
            vd::WriteComponentText(c);
            c->Free();
        }
    } catch (const vd::Exception&) {
    }
    return 0;
}
