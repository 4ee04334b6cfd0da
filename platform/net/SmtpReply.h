#pragma once
// SMTP reply lines ("250-first", "250 last"): gathers one possibly multi-line reply.
#include <string>

namespace vd::net {

class TSmtpReply {
public:
    enum class TFeed { More, Done, Bad };

    // Feeds one line without its CR LF.
    TFeed Feed(const std::string& line);
    void Reset();

    int Code() const { return FCode; }
    // The reply's text, lines joined by blanks: what an error message shows.
    const std::string& Text() const { return FText; }
    // True when a line of an EHLO answer names the keyword (e.g. "AUTH" with "LOGIN").
    bool HasExtension(const std::string& keyword, const std::string& parameter = {}) const;

private:
    int FCode = 0;
    int FLines = 0;
    std::string FText;
    std::string FAllLines;
};

} // namespace vd::net
