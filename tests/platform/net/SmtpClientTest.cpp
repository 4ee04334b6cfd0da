// Mail against a real SMTP server (aiosmtpd) on loopback, with a throw-away certificate authority.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "platform/net/SmtpClient.h"
#include "platform/net/SmtpReply.h"
#include "platform/net/Socket.h"
#include "platform/net/WakePipe.h"
#include "tests/platform/net/TestKit.h"

using namespace vd::net;
using namespace vd::testkit;

namespace {

// A CA, a server certificate for localhost/127.0.0.1 signed by it, and one for another name.
void MakeCertificates(const TTempDir& d) {
    std::string p = d.Path();
    std::string cmd =
        "cd '" + p +
        "' && "
        "openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj /CN=TestCA "
        "2>/dev/null && "
        "openssl req -newkey rsa:2048 -nodes -keyout srv.key -out srv.csr -subj /CN=localhost 2>/dev/null && "
        "printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\\n' > san.ext && "
        "openssl x509 -req -in srv.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out srv.pem -days 2 "
        "-extfile san.ext 2>/dev/null && "
        "printf 'subjectAltName=DNS:other.example\\n' > other.ext && "
        "openssl x509 -req -in srv.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out other.pem -days 2 "
        "-extfile other.ext 2>/dev/null";
    ASSERT_EQ(Shell(cmd), 0);
}

class SmtpServer {
public:
    bool Start(const TTempDir& d, std::vector<std::string> extra) {
        std::vector<std::string> argv{"/usr/bin/python3", SourceDir() + "/tests/platform/net/smtp_server.py",
                                      d.File("mail")};
        std::filesystem::create_directories(d.File("mail"));
        argv.insert(argv.end(), extra.begin(), extra.end());
        if (!FProc.Start(argv)) return false;
        std::string line;
        if (!FProc.ReadLine(line, 15000) || line.rfind("READY ", 0) != 0) return false;
        Port = static_cast<std::uint16_t>(std::atoi(line.c_str() + 6));
        return true;
    }
    // Waits for the server to print this line.
    bool WaitLine(const std::string& want, int timeoutMs) {
        std::string line;
        while (FProc.ReadLine(line, timeoutMs))
            if (line == want) return true;
        return false;
    }
    std::uint16_t Port = 0;

private:
    TChildProcess FProc;
};

TSmtpSettings Settings(const char* host, std::uint16_t port, bool ssl, bool auth, const char* user = "",
                       const char* pass = "") {
    TSmtpSettings s;
    s.Host = host;
    s.Port = port;
    s.Ssl = ssl;
    s.Auth = auth;
    s.User = user;
    s.Password = pass;
    return s;
}

TMailMessage Notification() {
    TMailMessage m;
    m.FromName = "Vendrill";
    m.FromAddress = "console@example.org";
    m.To = "Ops <ops@example.org>; second@example.org";
    m.Subject = "radio.example.org:8000";
    m.BodyLines = {"12:00:01 10.12.26", "Connection lost – Verbindung verloren", ".radio.example.org:8000"};
    return m;
}

class SmtpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeCertificates(Dir);
        ::setenv("SSL_CERT_FILE", Dir.File("ca.pem").c_str(), 1);
    }
    void TearDown() override { ::unsetenv("SSL_CERT_FILE"); }
    std::string WaitMail(int n) {
        std::string path = Dir.File("mail/" + std::to_string(n) + ".eml");
        if (!WaitUntil([&] { return std::filesystem::exists(path); }, 5000)) return {};
        return ReadFile(path);
    }
    TTempDir Dir;
    TSmtpClient Client;
};

} // namespace

TEST_F(SmtpClientTest, PlainWithLoginDeliversUtf8Message) {
    SmtpServer server;
    ASSERT_TRUE(server.Start(Dir, {"--auth", "user", "secret"}));
    TSmtpSettings s = Settings("127.0.0.1", server.Port, false, true, "user", "secret");
    std::string error;
    ASSERT_TRUE(Client.Send(s, Notification(), error)) << error;
    std::string mail = WaitMail(1);
    EXPECT_NE(mail.find("X-Envelope-From: console@example.org"), std::string::npos) << mail;
    EXPECT_NE(mail.find("X-Envelope-To: ops@example.org,second@example.org"), std::string::npos);
    EXPECT_NE(mail.find("From: Vendrill <console@example.org>"), std::string::npos);
    EXPECT_NE(mail.find("Sender: <console@example.org>"), std::string::npos);
    EXPECT_NE(mail.find("Subject: radio.example.org:8000"), std::string::npos);
    EXPECT_NE(mail.find("charset=utf-8"), std::string::npos);
    EXPECT_NE(mail.find("Connection lost \xE2\x80\x93 Verbindung verloren\r\n"), std::string::npos);
    // The dot-stuffed line arrives as written.
    EXPECT_NE(mail.find("\r\n.radio.example.org:8000"), std::string::npos);
}

TEST_F(SmtpClientTest, WrongPasswordIsALoginError) {
    SmtpServer server;
    ASSERT_TRUE(server.Start(Dir, {"--auth", "user", "secret"}));
    TSmtpSettings s = Settings("127.0.0.1", server.Port, false, true, "user", "wrong");
    std::string error;
    EXPECT_FALSE(Client.Send(s, Notification(), error));
    EXPECT_NE(error.find("login refused"), std::string::npos) << error;
    EXPECT_NE(error.find("535"), std::string::npos) << error;
}

TEST_F(SmtpClientTest, ImplicitTlsWithTrustedCertificate) {
    SmtpServer server;
    ASSERT_TRUE(server.Start(Dir, {"--tls", Dir.File("srv.pem"), Dir.File("srv.key"), "--auth", "u", "p"}));
    for (const char* host : {"localhost", "127.0.0.1"}) {
        TSmtpSettings s = Settings(host, server.Port, true, true, "u", "p");
        std::string error;
        EXPECT_TRUE(Client.Send(s, Notification(), error)) << host << ": " << error;
    }
    EXPECT_NE(WaitMail(2).find("Verbindung"), std::string::npos);
}

TEST_F(SmtpClientTest, TlsRefusesWrongNameAndUnknownAuthority) {
    SmtpServer other;
    ASSERT_TRUE(other.Start(Dir, {"--tls", Dir.File("other.pem"), Dir.File("srv.key")}));
    TSmtpSettings s = Settings("localhost", other.Port, true, false);
    std::string error;
    EXPECT_FALSE(Client.Send(s, Notification(), error));
    EXPECT_NE(error.find("certificate refused"), std::string::npos) << error;

    ::setenv("SSL_CERT_FILE", Dir.File("srv.pem").c_str(), 1); // a store without our CA
    SmtpServer good;
    ASSERT_TRUE(good.Start(Dir, {"--tls", Dir.File("srv.pem"), Dir.File("srv.key")}));
    TSmtpSettings g = Settings("localhost", good.Port, true, false);
    EXPECT_FALSE(Client.Send(g, Notification(), error));
    EXPECT_NE(error.find("certificate refused"), std::string::npos) << error;
}

TEST_F(SmtpClientTest, UnreachableServerAndPlainClientOnTlsPortFail) {
    TSmtpSettings s = Settings("127.0.0.1", static_cast<std::uint16_t>(FreePort()), false, false);
    s.ReadTimeoutMs = 1000;
    std::string error;
    EXPECT_FALSE(Client.Send(s, Notification(), error));
    EXPECT_NE(error.find("cannot connect"), std::string::npos) << error;
    SmtpServer tls;
    ASSERT_TRUE(tls.Start(Dir, {"--tls", Dir.File("srv.pem"), Dir.File("srv.key")}));
    s.Port = tls.Port;
    EXPECT_FALSE(Client.Send(s, Notification(), error)); // waits for a greeting that never comes
    EXPECT_FALSE(error.empty());
}

// A TLS peer that goes silent, in the handshake or after the greeting: another thread's cancel
// and the exchange's deadline scope end the send at once, not after the (long) read time-out.
TEST_F(SmtpClientTest, SilentTlsPeerHoldsNeitherCancelNorDeadline) {
    using Clock = std::chrono::steady_clock;
    SmtpServer greeter;
    ASSERT_TRUE(
        greeter.Start(Dir, {"--tls", Dir.File("srv.pem"), Dir.File("srv.key"), "--silent-after-greeting"}));
    TListenSocket mute; // the kernel takes the connection; nobody ever says a word
    std::string listenError;
    ASSERT_TRUE(mute.Listen("127.0.0.1", 0, 10, listenError)) << listenError;
    struct TCase {
        const char* Name;
        std::uint16_t Port;
        bool Greets;
    } cases[] = {{"silent in the handshake", mute.Port(), false},
                 {"silent after the greeting", greeter.Port, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSmtpSettings s = Settings("localhost", c.Port, true, false);
        s.ReadTimeoutMs = 20000;
        TWakePipe cancel;
        std::atomic<bool> done{false};
        std::string error;
        std::thread sender([&] {
            TCancelScope scope(cancel.ReadFd());
            EXPECT_FALSE(Client.Send(s, Notification(), error));
            done = true;
        });
        if (c.Greets) {
            EXPECT_TRUE(greeter.WaitLine("EHLO", 10000));
        }
        auto t0 = Clock::now();
        cancel.Wake();
        EXPECT_TRUE(WaitUntil([&] { return done.load(); }, 3000)) << "the cancel is held";
        sender.join();
        EXPECT_LT(Clock::now() - t0, std::chrono::seconds(3));

        t0 = Clock::now();
        {
            TDeadlineScope whole(1500);
            EXPECT_FALSE(Client.Send(s, Notification(), error));
        }
        EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(4500)) << "the deadline is held";
        EXPECT_NE(error.find("timed out"), std::string::npos) << error;
    }
}

TEST(SmtpAddressList, SplitsAndStripsNames) {
    struct Case {
        const char* list;
        std::vector<std::string> want;
    } cases[] = {
        {"a@b.c", {"a@b.c"}},
        {" A <a@b.c> , d@e.f;g@h.i ", {"a@b.c", "d@e.f", "g@h.i"}},
        {"\"Last, First\" <x@y.z>", {"x@y.z"}},
        {"", {}},
        {"evil@x\r\nRCPT TO:<y@z>", {"y@z"}},
        {"evil@x\r\nDATA", {"evil@xDATA"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseAddressList(c.list), c.want) << c.list;
}

TEST(SmtpCompose, EncodesNonAsciiSubjectAndStuffsDots) {
    TMailMessage m;
    m.FromAddress = "f@x";
    m.To = "t@x";
    m.Subject = "Störung";
    m.BodyLines = {".", "a\rb"};
    std::string s = ComposeMail(m, "Thu, 10 Dec 2026 12:00:00 +0000");
    EXPECT_NE(s.find("Subject: =?UTF-8?B?U3TDtnJ1bmc=?=\r\n"), std::string::npos) << s;
    EXPECT_NE(s.find("\r\n\r\n..\r\na\r\nb\r\n.\r\n"), std::string::npos) << s;
}

TEST(SmtpReply, GathersMultiLineRepliesAndRejectsGarbage) {
    TSmtpReply r;
    EXPECT_EQ(r.Feed("250-mail.example Hello"), TSmtpReply::TFeed::More);
    EXPECT_EQ(r.Feed("250-AUTH PLAIN LOGIN"), TSmtpReply::TFeed::More);
    EXPECT_EQ(r.Feed("250 8BITMIME"), TSmtpReply::TFeed::Done);
    EXPECT_EQ(r.Code(), 250);
    EXPECT_TRUE(r.HasExtension("auth", "login"));
    EXPECT_FALSE(r.HasExtension("auth", "cram-md5"));
    EXPECT_TRUE(r.HasExtension("8bitmime"));
    const char* bad[] = {"", "25", "abc text", "250x", "999 x", "099 y"};
    for (const char* b : bad) {
        TSmtpReply x;
        EXPECT_EQ(x.Feed(b), TSmtpReply::TFeed::Bad) << b;
    }
    TSmtpReply mixed;
    mixed.Feed("250-a");
    EXPECT_EQ(mixed.Feed("251 b"), TSmtpReply::TFeed::Bad);
    TSmtpReply bare;
    EXPECT_EQ(bare.Feed("220"), TSmtpReply::TFeed::Done);
}
