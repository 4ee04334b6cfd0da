#pragma once
// A small SMTP client: EHLO, optional AUTH LOGIN, implicit TLS (TLS 1.2 or later, the server's
// certificate checked against the system's store and the host name), one plain-text UTF-8 message.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vd::net {

struct TSmtpSettings {
    std::string Host;
    std::uint16_t Port = 25;
    bool Ssl = false;  // TLS from the first byte (the "smtps" port)
    bool Auth = false; // AUTH LOGIN with User and Password
    std::string User;
    std::string Password;
    int ConnectTimeoutMs = 10000;
    int ReadTimeoutMs = 4000;
};

struct TMailMessage {
    std::string FromName;               // display name of the sender
    std::string FromAddress;            // MAIL FROM and the From header
    std::string To;                     // address list: "a@b, Name <c@d>; e@f"
    std::string Subject;                // UTF-8
    std::vector<std::string> BodyLines; // UTF-8
};

// Splits an address-list text into bare addresses (what goes to RCPT TO).
std::vector<std::string> ParseAddressList(const std::string& list);
// The whole message as sent after DATA, dot-stuffed, ending with CR LF "." CR LF.
std::string ComposeMail(const TMailMessage& message, const std::string& dateHeader);

class TSmtpClient {
public:
    // Sends one message; on failure error holds a readable reason (server reply or network cause).
    // onConnected runs once the TCP connection is up, before TLS and the conversation.
    bool Send(const TSmtpSettings& settings, const TMailMessage& message, std::string& error,
              const std::function<void()>& onConnected = {});
};

} // namespace vd::net
