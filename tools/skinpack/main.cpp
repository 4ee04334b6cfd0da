// vd_skinpack pack SKIN.ini OUTPUT [--skn]   packs a skin folder
// vd_skinpack unskn FILE.skn OUTPUT           takes the stream out of a ".skn" file
// OUTPUT receives the zlib stream (or a ".skn" file with --skn), written atomically.
#include "skin/store/SkinPacker.h"
#include "skin/store/SkinStoredStream.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    using namespace vd;
    if (argc < 4 || (std::strcmp(argv[1], "pack") != 0 && std::strcmp(argv[1], "unskn") != 0)) {
        std::fprintf(stderr, "usage: %s pack SKIN.ini OUTPUT [--skn] | unskn FILE.skn OUTPUT\n", argv[0]);
        return 2;
    }
    TskStoredSkinStream stored;
    const bool pack = std::strcmp(argv[1], "pack") == 0;
    TskPackResult r = pack ? PackSkinFolder(argv[2], stored) : ReadSknFile(argv[2], stored);
    if (!r.Ok) {
        std::fprintf(stderr, "%s: %s\n", argv[2], r.Error.c_str());
        return 1;
    }
    if (stored.IsDataEmpty()) {
        std::fprintf(stderr, "%s: no skin of a version this program reads\n", argv[2]);
        return 1;
    }
    const bool skn = argc > 4 && std::strcmp(argv[4], "--skn") == 0;
    r = skn ? WriteSknFile(argv[3], stored) : WriteFileAtomically(argv[3], stored.CompressedStream());
    if (!r.Ok) {
        std::fprintf(stderr, "%s\n", r.Error.c_str());
        return 1;
    }
    return 0;
}
