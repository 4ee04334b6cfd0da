// Fuzzes the whole load of a skin container: pictures, INI text, frame geometry and records.
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/store/SkinZStream.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vd;
    std::vector<Byte> packed;
    CompressMemoryStream(std::span<const Byte>(data, size), packed);
    TskCompressedStoredSkin stored;
    stored.SetCompressedStream(std::move(packed));
    TskSkinData skin;
    skin.LoadStoredSkin(&stored);
    if (skin.Changing()) __builtin_trap();
    if (!skin.Empty()) skin.IndexOfControlRecord("button");

    // The same bytes taken as the stored zlib stream itself.
    TskCompressedStoredSkin raw;
    raw.ReadCompressedData(std::span<const Byte>(data, size));
    skin.LoadStoredSkin(&raw);
    return 0;
}
