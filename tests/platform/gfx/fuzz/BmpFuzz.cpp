// Feeds arbitrary bytes to the BMP reader, then reads on from where an image ended, the way a
// skin container is read.
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Objects.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    for (int i = 0; i < 4 && at < size; ++i) {
        vd::BmpReadResult r = vd::ReadBmp(data + at, size - at);
        if (!r.Bitmap) break;
        vd::WriteBmp24(r.Bitmap);
        vd::DeleteObject(r.Bitmap);
        if (r.Consumed == 0) break;
        at += r.Consumed;
    }
    return 0;
}
