#pragma once
// Shoutcast v1 source client: the source port is the server port + 1; the password line is
// answered "OK2"; then icy- header lines, a blank line and the stream. Titles and statistics go
// to the server port's /admin.cgi (modes updinfo and viewxml).
#include "platform/audio/cast/Cast.h"

namespace vd::audio {

class TShoutcast1Cast : public TCast {
public:
    TShoutcast1Cast(TCastParams params, TServerAddress address)
        : TCast(std::move(params), std::move(address)) {}
    ~TShoutcast1Cast() override { Stop(); } // off the I/O loop before this class goes
    bool SetTitle(const std::string& title) override;
    std::string GetStats() override;

    std::string HeaderBlock() const;

protected:
    bool Open(net::TSocket& socket, int& error) override;
};

} // namespace vd::audio
