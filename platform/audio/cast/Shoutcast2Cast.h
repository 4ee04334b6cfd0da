#pragma once
// Shoutcast v2 source client on the server port, in the Ultravox 2.1 message protocol (see
// Ultravox.h): cipher key, authentication with stream ID and XTEA-enciphered user and password,
// MIME type, bit rate, buffer and payload sizes, station texts, standby, then data messages.
// Titles and statistics go to the stream ID's /admin.cgi pages.
#include "platform/audio/cast/Cast.h"

namespace vd::audio {

class TShoutcast2Cast : public TCast {
public:
    TShoutcast2Cast(TCastParams params, TServerAddress address);
    ~TShoutcast2Cast() override { Stop(); } // off the I/O loop before this class goes
    bool SetTitle(const std::string& title) override;
    std::string GetStats() override;

protected:
    bool Open(net::TSocket& socket, int& error) override;
    void Frame(const std::uint8_t* data, std::size_t size, std::string& out) override;

private:
    // Sends one message and reads its answer; false unless it begins with "ACK".
    bool Exchange(net::TSocket& socket, std::uint16_t type, const std::string& payload, std::string& answer,
                  int& error);

    std::string FUser;
    std::string FPassword;
    std::uint16_t FDataType;
};

} // namespace vd::audio
