// vd_skingen FOLDER: paints the default skin, writes its folder (INI and pictures) into FOLDER,
// packs it and writes FOLDER/Quillmarsh.stored (the stored-skin stream the program embeds) and
// FOLDER/Quillmarsh.skn. Every run writes the same bytes.
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "skin/store/SkinPacker.h"
#include "skin/store/SkinStoredStream.h"
#include "tools/skingen/SkinBuilder.h"

#include <cstdio>

int main(int argc, char** argv) {
    using namespace vd;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        String folder = argv[1];
        if (folder.empty() || folder.back() != '/') folder += '/';
        if (!ForceDirectories(folder)) throw Exception("cannot create " + folder);
        skingen::TSkinBuilder builder;
        builder.Build();
        builder.WriteFolder(folder);
        TskStoredSkinStream stored;
        TskPackResult r = PackSkinFolder(folder + skingen::TSkinBuilder::SkinIniName, stored);
        if (r.Ok) r = WriteFileAtomically(folder + "Quillmarsh.stored", stored.CompressedStream());
        if (r.Ok) r = WriteSknFile(folder + "Quillmarsh.skn", stored);
        if (!r.Ok) throw Exception(r.Error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
