// Shoutcast v2 has no server in Debian: this runs the cast against a FAKE server written from the
// public description of the Ultravox 2.1 broadcaster protocol (and the v2 admin.cgi pages).
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/Cast.h"
#include "platform/audio/cast/Ultravox.h"
#include "platform/net/HttpAnswer.h"
#include "platform/net/HttpClient.h"
#include "platform/net/TcpServer.h"
#include "tests/platform/audio/cast/XteaReference.h"
#include "tests/platform/net/TestKit.h"

using namespace vd::audio;
using namespace vd::testkit;
using vd::net::TSocket;

namespace {

class TFakeShoutcast2 {
public:
    TFakeShoutcast2() {
        std::string error;
        FServer.Start(
            {"127.0.0.1", 0, 10, 4}, [this](TSocket& s) { Serve(s); }, error);
    }
    int Port() const { return FServer.Port(); }

    std::mutex Lock;
    std::vector<std::uint16_t> Types; // handshake message types in order
    std::string Sid, User, Password, Mime, Name, Bitrate;
    std::string Data; // payload of the data messages
    std::uint16_t DataType = 0;
    std::string LastTitle;

private:
    static constexpr const char* kKey = "FakeKey012345678";

    bool ReadMessage(TSocket& s, std::uint16_t& type, std::string& payload) {
        unsigned char h[6];
        if (!s.RecvExact(h, 6, 5000) || h[0] != 0x5A) return false;
        type = static_cast<std::uint16_t>(h[2] << 8 | h[3]);
        std::size_t len = static_cast<std::size_t>(h[4] << 8 | h[5]);
        payload.assign(len + 1, '\0');
        if (!s.RecvExact(payload.data(), len + 1, 5000) || payload[len] != '\0') return false;
        payload.resize(len);
        return true;
    }
    void Reply(TSocket& s, std::uint16_t type, const std::string& text) {
        std::string m = {'\x5A',
                         '\0',
                         static_cast<char>(type >> 8),
                         static_cast<char>(type & 0xFF),
                         static_cast<char>(text.size() >> 8),
                         static_cast<char>(text.size() & 0xFF)};
        s.SendAll(m + text + std::string(1, '\0'), 1000);
    }
    void Serve(TSocket& s) {
        char first;
        if (s.Recv(&first, 1, 5000) != 1) return;
        if (first != '\x5A') return ServeHttp(s, first);
        std::string rest(5, '\0');
        if (!s.RecvExact(rest.data(), 5, 5000)) return;
        std::size_t len = static_cast<std::size_t>(static_cast<unsigned char>(rest[3]) << 8 |
                                                   static_cast<unsigned char>(rest[4]));
        std::string payload(len + 1, '\0');
        s.RecvExact(payload.data(), len + 1, 5000);
        std::uint16_t type = static_cast<std::uint16_t>(static_cast<unsigned char>(rest[1]) << 8 |
                                                        static_cast<unsigned char>(rest[2]));
        payload.resize(len);
        for (;;) {
            bool data = (type >> 12) >= 7;
            {
                std::lock_guard<std::mutex> g(Lock);
                if (data) {
                    Data += payload;
                    DataType = type;
                } else {
                    Types.push_back(type);
                }
            }
            if (!data && !Handshake(s, type, payload)) return;
            if (!ReadMessage(s, type, payload)) return;
        }
    }
    bool Handshake(TSocket& s, std::uint16_t type, const std::string& payload) {
        std::lock_guard<std::mutex> g(Lock);
        switch (type) {
        case 0x1009:
            Reply(s, type, "ACK:" + std::string(kKey));
            return true;
        case 0x1001: {
            // "2.1:<sid>:<uid>:<password>", both enciphered with the key handed out; read with
            // the tests' own cipher, so that a fault in the program's cipher cannot cancel out.
            auto p1 = payload.find(':'), p2 = payload.find(':', p1 + 1), p3 = payload.find(':', p2 + 1);
            Sid = payload.substr(p1 + 1, p2 - p1 - 1);
            User = XteaReferenceDecryptHex(payload.substr(p2 + 1, p3 - p2 - 1), kKey);
            Password = XteaReferenceDecryptHex(payload.substr(p3 + 1), kKey);
            bool ok = Password == "secret" && Sid == "2";
            Reply(s, type, ok ? "ACK:2.1 Auth OK" : "NAK:2.1:Auth Failure");
            return ok;
        }
        case 0x1040:
            Mime = payload;
            break;
        case 0x1002:
            Bitrate = payload;
            break;
        case 0x1100:
            Name = payload;
            break;
        case 0x1003:
            Reply(s, type, "ACK:64");
            return true;
        case 0x1008:
            Reply(s, type, "ACK:16377");
            return true;
        default:
            break;
        }
        Reply(s, type, "ACK");
        return true;
    }
    void ServeHttp(TSocket& s, char first) {
        std::string head(1, first), more;
        vd::net::ReadHttpHeadText(s, more, 8192, 5000, nullptr);
        head += more;
        std::string line = head.substr(0, head.find('\r'));
        bool auth = line.find("pass=secret") != std::string::npos && line.find("sid=2") != std::string::npos;
        if (!auth) {
            s.SendAll("HTTP/1.0 403 Forbidden\r\n\r\n", 1000);
            return;
        }
        if (line.find("mode=updinfo") != std::string::npos) {
            std::lock_guard<std::mutex> g(Lock);
            auto at = line.find("song=");
            LastTitle = line.substr(at + 5, line.find(' ', at) - at - 5);
            s.SendAll("HTTP/1.0 200 OK\r\n\r\n", 1000);
        } else if (line.find("mode=viewxml") != std::string::npos) {
            s.SendAll(
                "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\n<?xml version=\"1.0\"?><SHOUTCASTSERVER>"
                "<CURRENTLISTENERS>12345</CURRENTLISTENERS><PEAKLISTENERS>20000</PEAKLISTENERS>"
                "</SHOUTCASTSERVER>",
                1000);
        }
    }

    vd::net::TTcpServer FServer;
};

TCastParams Params(int port, const std::string& password) {
    TCastParams p;
    p.Server = "127.0.0.1:" + std::to_string(port) + ",2";
    p.Password = password;
    p.ContentType = "audio/mpeg";
    p.Name = "V2 Radio";
    p.Url = "http://example.org";
    p.Bitrate = 128;
    return p;
}

} // namespace

TEST(Shoutcast2Fake, HandshakeDataTitleAndStatistics) {
    TFakeShoutcast2 fake;
    int error = 0;
    auto cast = CreateCast(Params(fake.Port(), "dj:secret"), error);
    ASSERT_TRUE(cast->Start(error)) << error;
    std::string big(40000, 'm'); // more than one message's payload
    cast->Deliver(reinterpret_cast<const std::uint8_t*>(big.data()), big.size());
    ASSERT_TRUE(WaitUntil(
        [&] {
            std::lock_guard<std::mutex> g(fake.Lock);
            return fake.Data.size() == big.size();
        },
        5000));
    {
        std::lock_guard<std::mutex> g(fake.Lock);
        EXPECT_EQ(fake.Data, big);
        EXPECT_EQ(fake.DataType, uvox::kDataMp3);
        EXPECT_EQ(fake.User, "dj");
        EXPECT_EQ(fake.Sid, "2");
        EXPECT_EQ(fake.Mime, "audio/mpeg");
        EXPECT_EQ(fake.Bitrate, "128000:128000");
        EXPECT_EQ(fake.Name, "V2 Radio");
        ASSERT_FALSE(fake.Types.empty());
        EXPECT_EQ(fake.Types.front(), uvox::kCipherKey);
        EXPECT_EQ(fake.Types.back(), uvox::kStandby);
    }
    EXPECT_TRUE(cast->SetTitle("New song"));
    {
        std::lock_guard<std::mutex> g(fake.Lock);
        EXPECT_EQ(fake.LastTitle, "New%20song");
    }
    EXPECT_NE(cast->GetStats().find("<CURRENTLISTENERS>12345</CURRENTLISTENERS>"), std::string::npos);
}

TEST(Shoutcast2Fake, WrongPasswordIsRefused) {
    TFakeShoutcast2 fake;
    int error = 0;
    auto cast = CreateCast(Params(fake.Port(), "dj:wrong"), error);
    EXPECT_FALSE(cast->Start(error));
    EXPECT_EQ(error, AE_ERROR_ILLPARAM);
    EXPECT_FALSE(cast->SetTitle("x"));
}
