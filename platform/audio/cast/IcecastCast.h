#pragma once
// Icecast source client: HTTP PUT of the mount (SOURCE for servers older than PUT), Basic
// authentication as user "source", ice-* headers. Titles: /admin/metadata; listeners:
// /admin/listclients of the stream's own mount, both with the source credentials.
#include "platform/audio/cast/Cast.h"

namespace vd::audio {

class TIcecastCast : public TCast {
public:
    TIcecastCast(TCastParams params, TServerAddress address) : TCast(std::move(params), std::move(address)) {}
    ~TIcecastCast() override { Stop(); } // off the I/O loop before this class goes
    bool SetTitle(const std::string& title) override;
    std::string GetStats() override;

    // The request head for a method ("PUT" or "SOURCE").
    std::string RequestHead(const std::string& method) const;

protected:
    bool Open(net::TSocket& socket, int& error) override;

private:
    // 1 accepted, 0 refused for good (error set), -1 the server does not know the method.
    int Try(const std::string& method, net::TSocket& socket, int& error);
    std::string AuthHeader() const;
};

} // namespace vd::audio
