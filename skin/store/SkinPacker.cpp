#include "skin/store/SkinPacker.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SmallFile.h"
#include "platform/rtl/StringList.h"

#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinBmpFile.h"
#include "skin/store/SkinCodecs.h"
#include "skin/store/SkinContainer.h"
#include "skin/store/SkinIni.h"
#include "skin/store/SkinStoredStream.h"
#include "skin/store/SkinZStream.h"

#include <cstdint>

namespace vd {

namespace {

TskPackResult Failed(String why) {
    return {false, std::move(why)};
}

// One validated BMP image of the file Folder + Name, trimmed to exactly that image.
bool LoadImageFile(const String& folder, const String& name, std::vector<Byte>& image, String& error) {
    std::vector<Byte> bytes;
    if (!ReadWholeFile(folder + name, bytes)) {
        error = "Cannot open file \"" + folder + name + "\"";
        return false;
    }
    TskBitmap bmp;
    TskBmpReadResult r = ReadBmpImage(bytes, bmp);
    if (!r.Ok) {
        error = folder + name + ": " + r.Error;
        return false;
    }
    image.assign(bytes.begin(), bytes.begin() + long(r.Consumed));
    return true;
}

} // namespace

bool ReadWholeFile(const String& path, std::vector<Byte>& out) {
    constexpr std::size_t MaxSourceFileSize = 256u << 20; // far above any skin picture
    String text;
    out.clear();
    if (ReadSmallFile(path, text, MaxSourceFileSize) != 0) return false;
    out.assign(text.begin(), text.end());
    return true;
}

TskPackResult WriteFileAtomically(const String& path, std::span<const Byte> bytes) {
    try {
        AtomicWriteFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, 0644);
    } catch (const EFCreateError& e) {
        return Failed(e.Message());
    }
    return {true, {}};
}

TskPackResult PackSkinFolder(const String& iniPath, TskStoredSkinStream& stored) {
    std::vector<Byte> raw;
    if (!ReadWholeFile(iniPath, raw)) return Failed("Cannot open file \"" + iniPath + "\"");
    const String text(raw.begin(), raw.end());
    TskMemIniFile ini(text);
    if (!IsSkinIni(ini)) return Failed(iniPath + " is not a skin INI file");

    const String folder = ExtractFilePath(iniPath);
    std::vector<Byte> frames[3];
    const char* keys[3] = {"picture", "inactivepicture", "mask"};
    String error;
    for (int i = 0; i < 3; ++i) {
        const String name = ini.ReadString("PICTURES", keys[i], "");
        if (!name.empty() && !LoadImageFile(folder, name, frames[i], error)) return Failed(error);
    }
    std::vector<String> names;
    ReadStringList(ini, "PICTURES", "activepictures", names);
    std::vector<std::vector<Byte>> active(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        if (!LoadImageFile(folder, names[i], active[i], error)) return Failed(error);

    TStringList lines;
    lines.SetText(text);
    lines.LineBreak = "\r\n";
    std::vector<Byte> container = BuildSkinContainer(frames[0], frames[1], frames[2], active, lines.Text());
    std::vector<Byte> packed;
    CompressMemoryStream(container, packed);
    stored.SetCompressedStream(std::move(packed));
    return {true, {}};
}

TskPackResult ReadSknFile(const String& path, TskStoredSkinStream& stored) {
    stored.SetCompressedStream({});
    std::vector<Byte> bytes;
    if (!ReadWholeFile(path, bytes)) return Failed("Cannot open file \"" + path + "\"");
    auto int32At = [&](size_t at) {
        return static_cast<std::int32_t>(std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                         std::uint32_t(bytes[at + 2]) << 16 |
                                         std::uint32_t(bytes[at + 3]) << 24);
    };
    if (bytes.size() < 4) return Failed("Stream read error");
    if (int32At(0) > skMaxContainerVersion) return {true, {}};
    if (bytes.size() < 8) return Failed("Stream read error");
    const std::int32_t n = int32At(4);
    if (n < 0 || size_t(n) > bytes.size() - 8) return Failed("Stream read error");
    stored.SetCompressedStream(std::vector<Byte>(bytes.begin() + 8, bytes.begin() + 8 + n));
    return {true, {}};
}

TskPackResult WriteSknFile(const String& path, const TskStoredSkinStream& stored) {
    std::vector<Byte> out;
    const auto& data = stored.CompressedStream();
    for (std::uint32_t v : {std::uint32_t(skMaxContainerVersion), std::uint32_t(data.size())})
        for (int i = 0; i < 4; ++i)
            out.push_back(Byte(v >> (8 * i)));
    out.insert(out.end(), data.begin(), data.end());
    return WriteFileAtomically(path, out);
}

} // namespace vd
