// Notifications: arming and cancelling, and the mailer thread against a real SMTP server.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/Language.h"
#include "app/core/ManualClock.h"
#include "app/streams/Mailer.h"
#include "app/streams/StreamTexts.h"
#include "platform/net/Socket.h"
#include "tests/platform/net/TestKit.h"

using namespace vd;
using namespace vd::testkit;

TEST(ScheduleMail, ErrorAndRestoreArmAndCancelEachOther) {
    TAppSettings a;
    a.TimeError = 20;
    a.TimeRestore = 30;
    TStationRecord s;
    TStationConfig c;
    c.URL = "radio.example.org";
    c.Port = 8000;
    s.SetConfig(c);

    s.LastError = 258;
    ScheduleMail(s, 1000, a);
    EXPECT_EQ(s.MailDeadline, 1000u + 30000) << "the error notification waits TimeRestore";
    std::string text = s.MailText.Get();
    EXPECT_NE(text.find("\r 258. "), std::string::npos) << text;
    EXPECT_NE(text.find("\rradio.example.org:8000"), std::string::npos);
    ScheduleMail(s, 2000, a);
    EXPECT_EQ(s.MailDeadline, 31000u) << "a second failure changes nothing";

    s.LastError = 0;
    ScheduleMail(s, 3000, a);
    EXPECT_EQ(s.MailDeadline, 0u) << "healed before it went: no mail at all";
    EXPECT_FALSE(s.MailErrorState);

    s.LastError = 40;
    ScheduleMail(s, 4000, a);
    s.MailDeadline = 0; // the tick queued it
    s.LastError = 0;
    ScheduleMail(s, 5000, a);
    EXPECT_EQ(s.MailDeadline, 5000u + 20000) << "the restore notification waits TimeError";
    EXPECT_NE(s.MailText.Get().find("\rRestore stream\r"), std::string::npos);

    a.TimeRestore = 0;
    TStationRecord quiet;
    quiet.LastError = 258;
    ScheduleMail(quiet, 1000, a);
    EXPECT_EQ(quiet.MailDeadline, 0u);
    EXPECT_TRUE(quiet.MailErrorState);
    quiet.LastError = 0;
    ScheduleMail(quiet, 2000, a);
    EXPECT_EQ(quiet.MailDeadline, 22000u) << "a later success still arms the restore mail";
}

TEST(MailQueue, RemovesTheTextItSentNotTheHead) {
    TMailQueue q;
    q.Append("a");
    std::string t;
    std::uint64_t id;
    ASSERT_TRUE(q.Front(t, id));
    q.Clear(); // the settings window's test clears and appends meanwhile
    q.Append("test");
    q.Remove(id);
    ASSERT_TRUE(q.Front(t, id));
    EXPECT_EQ(t, "test");
}

// The connector composes notification texts on its own thread while the settings window may
// switch the language: every text must come whole from one language, and no lookup may share
// state with another thread (the ThreadSanitizer run checks the latter).
TEST(ScheduleMail, TextsComposedWhileTheLanguageChangesComeFromOneLanguage) {
    TTempDir dir;
    // References in the date pattern and the texts make every lookup expand constants.
    WriteFile(dir.File("vendrill.A.lng"), "[Constants]\nLang=English\nError=Error\n"
                                          "FormatDateTime=DD.MM.YY HH:NN:SS\n"
                                          "Error.ConnectionDied=Connection died (.Lang)\n");
    WriteFile(dir.File("vendrill.B.lng"), "[Constants]\nLang=Deutsch\nError=Fehler\n"
                                          "FormatDateTime=YY.MM.DD\n"
                                          "Error.ConnectionDied=Verbindung weg (.Lang)\n");
    TLanguage language("vendrill.", dir.Path());
    ASSERT_EQ(language.Files().size(), 2u);
    ASSERT_TRUE(language.SelectByIndex(0));
    const String english = "Error 258. Connection died (English)";
    const String german = "Fehler 258. Verbindung weg (Deutsch)";
    AppLanguage = &language;

    TAppSettings a;
    a.TimeRestore = 30;
    std::atomic<bool> done{false};
    std::atomic<int> composed{0}, mixed{0}, switches{0};
    String firstMixed;
    // Composes until enough switches fell among the texts, however the scheduler shares the
    // cores out; the deadline only ends a run that cannot switch at all.
    std::thread connector([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        TStationRecord s;
        TStationConfig c;
        c.URL = "radio.example.org";
        c.Port = 8000;
        s.SetConfig(c);
        for (int i = 0; i < 1500 || (switches < 20 && std::chrono::steady_clock::now() < deadline); ++i) {
            s.LastError = 258;
            s.MailErrorState = false;
            s.MailDeadline = 0;
            ScheduleMail(s, 1000, a);
            const String text = s.MailText.Get();
            const String message = GetToken(text, 2, '\r');
            if (message != english && message != german && mixed++ == 0) firstMixed = text;
            ++composed;
        }
        done = true;
    });
    while (!done || switches < 2)
        language.SelectByIndex(++switches % 2);
    connector.join();
    AppLanguage = nullptr;
    EXPECT_GE(composed, 1500);
    EXPECT_EQ(mixed, 0) << firstMixed;
    EXPECT_GT(switches, 10) << "the language changed while the texts were composed";
}

namespace {

class MailerThread : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(Dir.File("mail"));
        ASSERT_TRUE(Server.Start({"/usr/bin/python3", SourceDir() + "/tests/platform/net/smtp_server.py",
                                  Dir.File("mail"), "--auth", "u", "p"}));
        std::string line;
        ASSERT_TRUE(Server.ReadLine(line, 15000));
        Port = std::atoi(line.c_str() + 6);
        TAppSettings a;
        a.EMail = true;
        a.Auth = true;
        a.User = "u";
        a.Password = "p";
        a.Host = "127.0.0.1";
        a.Port = static_cast<std::int16_t>(Port);
        a.From = "console@example.org";
        a.SendTo = "ops@example.org";
        AssignAppSettings(a);
        MailQueue.Clear();
    }
    void TearDown() override {
        AssignAppSettings(TAppSettings());
        MailQueue.Clear();
        MailStatus.TestMode = false;
    }
    TTempDir Dir;
    TChildProcess Server;
    int Port = 0;
};

} // namespace

TEST_F(MailerThread, SendsTheQueueAndRetriesWithGrowingWaits) {
    TEmailer mailer;
    mailer.Start();
    MailQueue.Append("12:00:00 10.12.26\r 258. Connection died\rradio.example.org:8000");
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(Dir.File("mail/1.eml")); }, 10000));
    std::string mail = ReadFile(Dir.File("mail/1.eml"));
    EXPECT_NE(mail.find("Subject: radio.example.org:8000"), std::string::npos) << mail;
    EXPECT_NE(mail.find("\r\n 258. Connection died\r\n"), std::string::npos);
    EXPECT_TRUE(WaitUntil([&] { return MailQueue.Count() == 0; }, 3000));

    // A refused login: the text stays and waits 5 s before its next try.
    TAppSettings a = CopyAppSettings();
    a.Password = "wrong";
    AssignAppSettings(a);
    MailQueue.Append("one part only");
    ASSERT_TRUE(WaitUntil([&] { return mailer.NextTry != 0; }, 10000));
    std::uint64_t wait = mailer.NextTry - MillisecondClock();
    EXPECT_GT(wait, 4000u);
    EXPECT_LE(wait, 5000u);
    EXPECT_EQ(MailQueue.Count(), 1);
    String status;
    ASSERT_TRUE(MailStatus.TakeChanged(status));
    EXPECT_EQ(status.rfind("Error: ", 0), 0u) << status;
    mailer.Terminate();
    mailer.WaitFor();
    EXPECT_FALSE(mailer.Running());
}

TEST_F(MailerThread, TestMessageReportsSuccessOnlyWhenSentAndIsNeverRetried) {
    MailStatus.TestMode = true;
    String status;
    EXPECT_TRUE(SendMail("Test message", CopyAppSettings(), MailStatus));
    ASSERT_TRUE(MailStatus.TakeChanged(status));
    EXPECT_EQ(status, "The test message sended. Check EMail");
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(Dir.File("mail/1.eml")); }, 5000));
    EXPECT_NE(ReadFile(Dir.File("mail/1.eml")).find("Subject: Vendrill notification"), std::string::npos);

    TAppSettings a = CopyAppSettings();
    a.Port = static_cast<std::int16_t>(FreePort());
    EXPECT_TRUE(SendMail("Test message", a, MailStatus)) << "removed whatever the outcome";
    ASSERT_TRUE(MailStatus.TakeChanged(status));
    EXPECT_EQ(status, "Timeout") << "no server on that port";

    a.EMail = false;
    EXPECT_TRUE(SendMail("dropped", a, MailStatus));
    EXPECT_FALSE(MailStatus.TestMode);
}

// A server that takes the connection but never greets (no real server does that on purpose).
TEST_F(MailerThread, StatusShowsSendingOnceConnectedThenTheError) {
    net::TListenSocket silent;
    std::string error;
    ASSERT_TRUE(silent.Listen("127.0.0.1", 0, 4, error)) << error;
    TAppSettings a = CopyAppSettings();
    a.Port = static_cast<std::int16_t>(silent.Port());
    std::atomic<bool> done{false};
    bool result = true;
    std::thread mailer([&] {
        result = SendMail("text", a, MailStatus);
        done = true;
    });
    std::vector<String> seen;
    String status;
    EXPECT_TRUE(WaitUntil(
        [&] {
            while (MailStatus.TakeChanged(status))
                seen.push_back(status);
            return done || (!seen.empty() && seen.back() == "Sending");
        },
        3000));
    const std::vector<String> whileWaiting = seen;
    mailer.join();
    while (MailStatus.TakeChanged(status))
        seen.push_back(status);
    EXPECT_FALSE(result) << "tried again later";
    ASSERT_FALSE(whileWaiting.empty());
    EXPECT_EQ(whileWaiting.back(), "Sending");
    EXPECT_EQ(seen.back().rfind("Error: ", 0), 0u) << seen.back();
}
