#pragma once
// Message framing of the Shoutcast v2 source protocol (Ultravox 2.1, following the server
// maker's public protocol description): sync byte 0x5A, a reserved byte, 16-bit class/type,
// 16-bit payload length (big-endian), the payload and a closing zero byte.
#include <cstdint>
#include <string>

namespace vd::audio::uvox {

enum : std::uint16_t {
    kAuthenticate = 0x1001,
    kSetupBroadcast = 0x1002,
    kNegotiateBuffer = 0x1003,
    kStandby = 0x1004,
    kTerminate = 0x1005,
    kNegotiatePayload = 0x1008,
    kCipherKey = 0x1009,
    kMimeType = 0x1040,
    kIcyName = 0x1100,
    kIcyGenre = 0x1101,
    kIcyUrl = 0x1102,
    kIcyPub = 0x1103,
    kDataMp3 = 0x7000,
    kDataAac = 0x8001,
    kDataAacPlus = 0x8003,
    kDataOgg = 0x8004,
};

constexpr std::size_t kMaxPayload = 16377;

std::string Message(std::uint16_t type, const std::string& payload);

struct TMessage {
    std::uint16_t Type = 0;
    std::string Payload;
};

// Reads one message from the front of buffer. 1 done (consumed bytes removed), 0 needs more,
// -1 not a valid message.
int Parse(std::string& buffer, TMessage& message);

// XTEA with the 16-byte key the server hands out, 8-byte blocks (zero padded), in hex.
std::string XteaEncryptHex(const std::string& text, const std::string& key);
std::string XteaDecryptHex(const std::string& hex, const std::string& key);

// The data message type for a content type.
std::uint16_t DataType(const std::string& contentType);

} // namespace vd::audio::uvox
