#include "skin/store/SkinContainer.h"

#include "skin/store/SkinBmpFile.h"

#include <algorithm>
#include <cstdint>

namespace vd {

namespace {

class Reader {
public:
    Reader(std::span<const Byte> data, std::uint64_t maxPixels) : FData(data), FPixelsLeft(maxPixels) {}

    bool Int32(int& v) {
        if (FData.size() - FPos < 4) return false;
        v = static_cast<std::int32_t>(std::uint32_t(FData[FPos]) | std::uint32_t(FData[FPos + 1]) << 8 |
                                      std::uint32_t(FData[FPos + 2]) << 16 |
                                      std::uint32_t(FData[FPos + 3]) << 24);
        FPos += 4;
        return true;
    }
    bool Flag(Byte& v) {
        if (FPos >= FData.size()) return false;
        v = FData[FPos++];
        return true;
    }
    bool Image(TskBitmap& out, String& error) {
        TskBmpReadResult r = ReadBmpImage(FData.subspan(FPos), out, FPixelsLeft);
        if (!r.Ok) {
            error = r.Error;
            return false;
        }
        FPos += r.Consumed;
        FPixelsLeft -= std::min(FPixelsLeft, std::uint64_t(out.Width()) * std::uint64_t(out.Height()));
        return true;
    }
    std::span<const Byte> Rest() const { return FData.subspan(FPos); }

private:
    std::span<const Byte> FData;
    size_t FPos = 0;
    std::uint64_t FPixelsLeft; // what the pictures still to come may hold together
};

bool FlaggedPicture(Reader& r, TskBitmap& out, String& error, const char* what) {
    Byte flag = 0;
    if (!r.Flag(flag)) {
        error = String("The skin ends before its ") + what + " picture";
        return false;
    }
    out.Clear();
    if (flag != 0) return true;
    if (r.Image(out, error)) return true;
    error = String("The skin's ") + what + " picture: " + error;
    return false;
}

void PutInt32(std::vector<Byte>& out, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(Byte(std::uint32_t(v) >> (8 * i)));
}

void PutFlagged(std::vector<Byte>& out, std::span<const Byte> image) {
    out.push_back(image.empty() ? 1 : 0);
    out.insert(out.end(), image.begin(), image.end());
}

} // namespace

bool ReadSkinContainer(std::span<const Byte> data, TskSkinContainer& out, String& error,
                       std::uint64_t maxPixels) {
    Reader r(data, maxPixels);
    if (!r.Int32(out.Version)) {
        error = "The skin ends before its version";
        return false;
    }
    if (out.Version > skMaxContainerVersion) {
        error = "Unsupported skin version " + std::to_string(out.Version);
        return false;
    }
    if (!FlaggedPicture(r, out.Picture, error, "main") ||
        !FlaggedPicture(r, out.InactivePicture, error, "inactive") ||
        !FlaggedPicture(r, out.Mask, error, "mask"))
        return false;
    if (out.Version == 2) {
        TskBitmap dropped;
        if (!FlaggedPicture(r, dropped, error, "extra") || !FlaggedPicture(r, dropped, error, "extra"))
            return false;
    }
    int count = 0;
    if (!r.Int32(count)) {
        error = "The skin ends before its picture count";
        return false;
    }
    out.ActivePictures.clear();
    for (int i = 0; i < count; ++i) {
        auto bmp = std::make_unique<TskBitmap>();
        if (!r.Image(*bmp, error)) {
            error = "The skin's picture " + std::to_string(i) + ": " + error;
            return false;
        }
        out.ActivePictures.push_back(std::move(bmp));
    }
    std::span<const Byte> rest = r.Rest();
    out.IniText.assign(reinterpret_cast<const char*>(rest.data()), rest.size());
    return true;
}

std::vector<Byte> BuildSkinContainer(std::span<const Byte> picture, std::span<const Byte> inactive,
                                     std::span<const Byte> mask,
                                     const std::vector<std::vector<Byte>>& activePictures,
                                     const String& iniText) {
    std::vector<Byte> out;
    PutInt32(out, skMaxContainerVersion);
    PutFlagged(out, picture);
    PutFlagged(out, inactive);
    PutFlagged(out, mask);
    PutInt32(out, static_cast<std::int32_t>(activePictures.size()));
    for (const auto& image : activePictures)
        out.insert(out.end(), image.begin(), image.end());
    out.insert(out.end(), iniText.begin(), iniText.end());
    return out;
}

} // namespace vd
