#pragma once
// The SMTP conversation's byte channel: plain TCP or TLS over it.
#include <memory>
#include <string>

#include "platform/net/Socket.h"

namespace vd::net {

class TSmtpTransport {
public:
    virtual ~TSmtpTransport() = default;
    virtual bool Write(const std::string& data, std::string& error) = 0;
    virtual bool ReadLine(std::string& line, std::string& error) = 0;
};

std::unique_ptr<TSmtpTransport> MakePlainTransport(TSocket socket, int timeoutMs);
// Performs the TLS handshake; null with error set when it fails or the certificate is refused.
std::unique_ptr<TSmtpTransport> MakeTlsTransport(TSocket socket, const std::string& host, int timeoutMs,
                                                 std::string& error);

} // namespace vd::net
