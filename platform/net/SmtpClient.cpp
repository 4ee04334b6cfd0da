#include "platform/net/SmtpClient.h"

#include <ctime>
#include <unistd.h>

#include "platform/net/SmtpReply.h"
#include "platform/net/SmtpTransport.h"
#include "platform/net/TextCodec.h"

namespace vd::net {

namespace {

bool IsAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80 || c < 0x20) return false;
    return true;
}

// A header value: plain when it is printable ASCII, else an RFC 2047 encoded word.
std::string HeaderText(const std::string& s) {
    return IsAscii(s) ? s : "=?UTF-8?B?" + Base64Encode(s) + "?=";
}

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

class TConversation {
public:
    explicit TConversation(TSmtpTransport& t) : FT(t) {}

    // Reads one reply; true when its code is one of the expected class (2 or 3).
    bool Expect(int klass, std::string& error) {
        FReply.Reset();
        std::string line;
        for (;;) {
            if (!FT.ReadLine(line, error)) return false;
            auto r = FReply.Feed(line);
            if (r == TSmtpReply::TFeed::Bad) {
                error = "unexpected server reply: " + line.substr(0, 80);
                return false;
            }
            if (r == TSmtpReply::TFeed::Done) break;
        }
        if (FReply.Code() / 100 != klass) {
            error = std::to_string(FReply.Code()) + " " + FReply.Text();
            return false;
        }
        return true;
    }
    bool Command(const std::string& cmd, int klass, std::string& error) {
        return FT.Write(cmd + "\r\n", error) && Expect(klass, error);
    }
    const TSmtpReply& Reply() const { return FReply; }

private:
    TSmtpTransport& FT;
    TSmtpReply FReply;
};

std::string DateHeaderNow() {
    char buf[64];
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&t, &tm);
    std::strftime(buf, sizeof buf, "%a, %d %b %Y %H:%M:%S %z", &tm);
    return buf;
}

std::string LocalHostName() {
    char buf[256] = {};
    if (::gethostname(buf, sizeof buf - 1) != 0 || !buf[0]) return "localhost";
    return OneLine(buf);
}

} // namespace

std::vector<std::string> ParseAddressList(const std::string& list) {
    std::vector<std::string> out;
    std::string item;
    auto flush = [&] {
        std::string a = Trim(item);
        item.clear();
        auto lt = a.find('<');
        if (lt != std::string::npos) {
            auto gt = a.find('>', lt);
            a = Trim(a.substr(lt + 1, gt == std::string::npos ? std::string::npos : gt - lt - 1));
        }
        a = OneLine(a);
        if (!a.empty()) out.push_back(a);
    };
    bool quoted = false;
    for (char c : list) {
        if (c == '"') quoted = !quoted;
        if (!quoted && (c == ',' || c == ';'))
            flush();
        else
            item += c;
    }
    flush();
    return out;
}

std::string ComposeMail(const TMailMessage& m, const std::string& dateHeader) {
    std::string from = OneLine(m.FromAddress);
    std::string s;
    s += "From: " + (m.FromName.empty() ? "" : HeaderText(OneLine(m.FromName)) + " ") + "<" + from + ">\r\n";
    s += "Sender: <" + from + ">\r\n";
    std::string to;
    for (const auto& a : ParseAddressList(m.To))
        to += (to.empty() ? "" : ", ") + std::string("<") + a + ">";
    s += "To: " + to + "\r\n";
    s += "Subject: " + HeaderText(OneLine(m.Subject)) + "\r\n";
    s += "Date: " + OneLine(dateHeader) + "\r\n";
    s += "MIME-Version: 1.0\r\n";
    s += "Content-Type: text/plain; charset=utf-8\r\n";
    s += "Content-Transfer-Encoding: 8bit\r\n\r\n";
    for (const auto& raw : m.BodyLines) {
        // A body part may hold line breaks of its own: each becomes a line, dot-stuffed.
        std::string line;
        for (std::size_t i = 0; i <= raw.size(); ++i) {
            if (i < raw.size() && raw[i] != '\r' && raw[i] != '\n') {
                line += raw[i];
                continue;
            }
            if (!line.empty() && line[0] == '.') line.insert(0, ".");
            s += line + "\r\n";
            line.clear();
            if (i + 1 < raw.size() && raw[i] == '\r' && raw[i + 1] == '\n') ++i;
        }
    }
    s += ".\r\n";
    return s;
}

bool TSmtpClient::Send(const TSmtpSettings& cfg, const TMailMessage& message, std::string& error,
                       const std::function<void()>& onConnected) {
    auto rcpts = ParseAddressList(message.To);
    if (rcpts.empty()) {
        error = "no recipient";
        return false;
    }
    TNetError netError = TNetError::None;
    TSocket socket = TSocket::Connect(cfg.Host, cfg.Port, cfg.ConnectTimeoutMs, netError);
    if (!socket.Valid()) {
        error = std::string("cannot connect to ") + cfg.Host + ": " + NetErrorText(netError);
        return false;
    }
    if (onConnected) onConnected();
    std::unique_ptr<TSmtpTransport> transport =
        cfg.Ssl ? MakeTlsTransport(std::move(socket), cfg.Host, cfg.ReadTimeoutMs, error)
                : MakePlainTransport(std::move(socket), cfg.ReadTimeoutMs);
    if (!transport) return false;

    TConversation c(*transport);
    if (!c.Expect(2, error)) return false;
    if (!c.Command("EHLO " + LocalHostName(), 2, error)) {
        if (!c.Command("HELO " + LocalHostName(), 2, error)) return false;
    }
    if (cfg.Auth) {
        if (!c.Command("AUTH LOGIN", 3, error) || !c.Command(Base64Encode(cfg.User), 3, error) ||
            !c.Command(Base64Encode(cfg.Password), 2, error)) {
            error = "login refused: " + error;
            return false;
        }
    }
    if (!c.Command("MAIL FROM:<" + OneLine(message.FromAddress) + ">", 2, error)) return false;
    for (const auto& r : rcpts)
        if (!c.Command("RCPT TO:<" + r + ">", 2, error)) return false;
    if (!c.Command("DATA", 3, error)) return false;
    if (!transport->Write(ComposeMail(message, DateHeaderNow()), error) || !c.Expect(2, error)) return false;
    std::string ignored;
    c.Command("QUIT", 2, ignored);
    return true;
}

} // namespace vd::net
