#include "platform/win/x11/XSettings.h"

#include <cstdint>

namespace vd::x11 {
namespace {

class Reader {
public:
    Reader(const unsigned char* d, std::size_t n, bool msb) : FData(d), FSize(n), FMsb(msb) {}
    bool Skip(std::size_t n) {
        if (n > FSize - FPos) return false;
        FPos += n;
        return true;
    }
    bool Align4() { return Skip((4 - FPos % 4) % 4); }
    bool U8(std::uint32_t& v) { return Int(1, v); }
    bool U16(std::uint32_t& v) { return Int(2, v); }
    bool U32(std::uint32_t& v) { return Int(4, v); }
    bool Bytes(std::size_t n, std::string_view& out) {
        if (n > FSize - FPos) return false;
        out = std::string_view(reinterpret_cast<const char*>(FData + FPos), n);
        FPos += n;
        return true;
    }

private:
    bool Int(std::size_t n, std::uint32_t& v) {
        if (n > FSize - FPos) return false;
        v = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t b = FData[FPos + (FMsb ? i : n - 1 - i)];
            v = (v << 8) | b;
        }
        FPos += n;
        return true;
    }
    const unsigned char* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
    bool FMsb;
};

enum : std::uint32_t { kInteger = 0, kString = 1, kColor = 2 };

} // namespace

std::optional<int> FindXSettingsInt(const unsigned char* data, std::size_t size, std::string_view name) {
    if (!data || size < 12) return std::nullopt;
    if (data[0] > 1) return std::nullopt; // byte order: 0 least significant first, 1 most
    Reader r(data, size, data[0] == 1);
    std::uint32_t serial = 0, count = 0;
    if (!r.Skip(4) || !r.U32(serial) || !r.U32(count)) return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t type = 0, nameLen = 0, lastChange = 0;
        std::string_view key;
        if (!r.U8(type) || !r.Skip(1) || !r.U16(nameLen) || !r.Bytes(nameLen, key) || !r.Align4() ||
            !r.U32(lastChange))
            return std::nullopt;
        switch (type) {
        case kInteger: {
            std::uint32_t v = 0;
            if (!r.U32(v)) return std::nullopt;
            if (key == name) return static_cast<int>(static_cast<std::int32_t>(v));
            break;
        }
        case kString: {
            std::uint32_t len = 0;
            std::string_view s;
            if (!r.U32(len) || !r.Bytes(len, s) || !r.Align4()) return std::nullopt;
            break;
        }
        case kColor:
            if (!r.Skip(8)) return std::nullopt;
            break;
        default:
            return std::nullopt; // the layout of what follows is unknown
        }
    }
    return std::nullopt;
}

} // namespace vd::x11
