#include <gtest/gtest.h>

#include "app/core/Language.h"
#include "app/streams/EncoderLine.h"
#include "app/streams/ListenerStats.h"
#include "app/streams/StreamTexts.h"
#include "tests/support/TempDir.h"

#include "ScopedPath.h"

#include <filesystem>

using namespace vd;

TEST(StreamTexts, ErrorCodeTextWithoutLanguageFile) {
    EXPECT_EQ(ErrorCodeText(258), " 258. \xD0\xA1onnection died");
    EXPECT_EQ(ErrorCodeText(40), " 40. Connection timed out");
    EXPECT_EQ(ErrorCodeText(10), " 10. ") << "a code outside the table";
    EXPECT_EQ(ErrorCodeText(-1), " -1. Some other mystery problem");
    EXPECT_EQ(ErrorCodeText(EncoderMissingError),
              " 262. AAC+ needs the HE-AAC encoder enc_aacPlus, which is not installed");
}

TEST(StreamTexts, BytesScaleBy1024) {
    struct Case {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "    0 b"},           {1024, " 1024 b"},   {1536, "    2 kB"}, {3ull * 1024 * 1024, " 3.00 MB"},
        {5ull << 40, " 5.00 TB"}, {~0ull, "16.00 EB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BytesSentText(c.bytes), c.text) << c.bytes;
}

TEST(StreamTexts, RowTexts) {
    TStationRecord s;
    TStationConfig c;
    c.Mode = smIcecast;
    c.URL = "radio.example.org";
    c.Port = 8000;
    c.ID = "live";
    c.Type = scAacPlus;
    c.Bitrate = 64;
    c.Channels = 1;
    s.SetConfig(c);
    s.Listeners = 3;
    s.MaxListeners = 7;
    s.State = ssDelay;
    auto row = StationRowTexts(s);
    EXPECT_EQ(row[0], "radio.example.org:8000/live");
    EXPECT_EQ(row[1], "Ice");
    EXPECT_EQ(row[2], "AAC+");
    EXPECT_EQ(row[3], "64(M)");
    EXPECT_EQ(row[4], "3 (7)");
    EXPECT_EQ(row[6], "Delay");
    c.Mode = smDirect;
    s.SetConfig(c);
    EXPECT_EQ(StationRowTexts(s)[0], "Directly on port 8000");
}

TEST(EncoderLine, CommandLinesByCodec) {
    struct Case {
        std::int32_t type, bitrate, channels, title;
        bool lockFreq;
        const char* line;
        const char* content;
    } cases[] = {
        {scMp3, 128, 1, 1, false, "lame -r -a -m m -s 44100 --cbr -b 128 -", "audio/mpeg"},
        {scMp3, 128, 1, 1, true, "lame -r -a -m m --resample 44100 -s 44100 --cbr -b 128 -", "audio/mpeg"},
        {scMp3, 128, 0, 1, false, "lame -r  -s 44100 --cbr -b 128 -", "audio/mpeg"},
        {scOgg, 128, 0, 1, false, "oggenc -r -R 44100 -b 128   -", "audio/ogg"},
        {scOgg, 96, 1, 2, false, "oggenc -r -R 44100 -b 96 --downmix --utf8 -", "audio/ogg"},
        {scAac, 64, 0, 0, true, "enc_aacPlus - - --lc --ps --br 64000 --silent --rawpcm 44100 2 16",
         "audio/aacp"},
        {scAacPlus, 128, 1, 0, true,
         "enc_aacPlus - - --he --ps --mono --br 128000 --silent --mpeg2aac --rawpcm 44100 2 16",
         "audio/aacp"},
        {scAacPlus, 160, 0, 0, false,
         "enc_aacPlus - - --high --br 160000 --silent --mpeg2aac --rawpcm 44100 2 16", "audio/aacp"},
        {scAacPlus, 12, 0, 0, false,
         "enc_aacPlus - - --lc --br 12000 --silent --mpeg2aac --rawpcm 44100 2 16", "audio/aacp"},
        {7, 128, 0, 0, false, "lame -r  -s 44100 --cbr -b 128 -", "audio/mpeg"},
    };
    for (const auto& c : cases) {
        TStationConfig s;
        s.Type = c.type;
        s.Bitrate = c.bitrate;
        s.Channels = c.channels;
        s.Title = c.title;
        s.LockFreq = c.lockFreq;
        auto line = EncoderCommandLine(s, 44100, true);
        EXPECT_EQ(line.CommandLine, c.line);
        EXPECT_EQ(line.ContentType, c.content);
        EXPECT_EQ(line.MissingProgram, "");
    }
}

// Without enc_aacPlus: AAC-LC from ffmpeg, ADTS on standard output; AAC+ (HE-AAC) has no encoder
// and says which program it needs. MP3 and OGG do not care.
TEST(EncoderLine, WithoutEncAacPlus) {
    struct Case {
        std::int32_t type, bitrate, channels;
        bool lockFreq;
        const char* line;
        const char* missing;
    } cases[] = {
        {scAac, 64, 0, true,
         "ffmpeg -hide_banner -nostdin -loglevel error -f s16le -ar 48000 -ac 2 -i - -c:a aac -b:a 64k "
         "-f adts -flush_packets 1 -",
         ""},
        {scAac, 32, 1, false,
         "ffmpeg -hide_banner -nostdin -loglevel error -f s16le -ar 48000 -ac 2 -i - -ac 1 -c:a aac -b:a 32k "
         "-f adts -flush_packets 1 -",
         ""},
        {scAacPlus, 128, 0, false, "", "enc_aacPlus"},
        {scAacPlus, 48, 1, true, "", "enc_aacPlus"},
        {scMp3, 128, 0, false, "lame -r  -s 48000 --cbr -b 128 -", ""},
        {scOgg, 128, 0, false, "oggenc -r -R 48000 -b 128   -", ""},
    };
    for (const auto& c : cases) {
        TStationConfig s;
        s.Type = c.type;
        s.Bitrate = c.bitrate;
        s.Channels = c.channels;
        s.LockFreq = c.lockFreq;
        auto line = EncoderCommandLine(s, 48000, false);
        EXPECT_EQ(line.CommandLine, c.line);
        EXPECT_EQ(line.MissingProgram, c.missing);
        if (c.type >= scAac) {
            EXPECT_EQ(line.ContentType, "audio/aacp");
        }
    }
}

TEST(EncoderLine, EncAacPlusCountsWhenAnExecutableFileOnThePathHasItsName) {
    test::TTempDir dir;
    const std::string file = dir.File("bin/enc_aacPlus");
    dir.Write("bin/other", "");
    namespace fs = std::filesystem;
    test::TScopedPath path("/nonexistent:" + dir.File("bin"));
    EXPECT_FALSE(AacPlusEncoderInstalled()) << "absent";
    fs::create_directory(file);
    EXPECT_FALSE(AacPlusEncoderInstalled()) << "a folder of that name";
    fs::remove(file);
    dir.Write("bin/enc_aacPlus", "#!/bin/sh\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(AacPlusEncoderInstalled()) << "not executable";
    fs::permissions(file, fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_TRUE(AacPlusEncoderInstalled());
    TStationConfig s;
    s.Type = scAacPlus;
    s.Bitrate = 128;
    EXPECT_EQ(EncoderCommandLine(s, 44100).CommandLine.rfind("enc_aacPlus - - --he ", 0), 0u);
}

TEST(EncoderLine, UnknownChoicesFromTheSettingsFileGiveAnMp3ServerCast) {
    TStationConfig c;
    c.Mode = 9;
    c.Type = 7;
    c.Channels = 2;
    c.Title = -1;
    c.Bitrate = 128;
    c.URL = "radio.example.org";
    c.Port = 8000;
    TEncoderLine line = EncoderCommandLine(c, 44100, true);
    EXPECT_EQ(line.CommandLine.rfind("lame -r ", 0), 0u) << line.CommandLine;
    EXPECT_EQ(line.ContentType, "audio/mpeg");
    EXPECT_EQ(line.CommandLine.find("-m m"), String::npos) << "only Channels 1 is mono";
    TStationRecord s;
    s.SetConfig(c);
    auto row = StationRowTexts(s);
    EXPECT_EQ(row[0], "radio.example.org:8000") << "a server address, not an own port";
    EXPECT_EQ(row[1], "");
    EXPECT_EQ(row[2], "");
}

TEST(EncoderLine, ShoutcastV1HeadersOnly) {
    TAppSettings a;
    a.InfoICQ = "12345";
    TStationConfig s;
    s.Mode = smShoutcast1;
    EXPECT_EQ(ShoutcastHeaders(s, a), "icy-icq:12345\r\n");
    a.InfoIRC = "#r";
    a.InfoAIM = "x";
    EXPECT_EQ(ShoutcastHeaders(s, a), "icy-irc:#r\r\nicy-icq:12345\r\nicy-aim:x\r\n");
    s.Mode = smShoutcast2;
    EXPECT_EQ(ShoutcastHeaders(s, a), "");
    TAppSettings none;
    s.Mode = smShoutcast1;
    EXPECT_EQ(ShoutcastHeaders(s, none), "");
}

TEST(EncoderLine, AllowedAddresses) {
    struct Case {
        const char* client;
        const char* list;
        bool allowed;
    } cases[] = {
        {"192.168.1.20:51000", "192.168.*.*", true},
        {"10.0.0.1:51000", "192.168.*.*", false},
        {"10.0.0.1:51000", "*.*.*.*", true},
        {"10.0.0.1:51000", "", false},
        {"10.0.0.1:51000", " 192.168.*.* ; 10.0.0.1 ", true},
        {"10.0.0.1:51000", ";;10.0.0.*;", true},
        {"10.0.0.1:1", "10.0.0", false},
        {"10.0.0.0:1", "10.0.0", true}, // a missing part reads 0
        {"10.0.0.1:1", "10.0.0.01x", true},
        {"10.0.0.1:1", "99999999999999999999.0.0.1", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchAllowedAddress(c.client, c.list), c.allowed) << c.client << " " << c.list;
}

TEST(ListenerStats, EveryDigitOfTheStreamsOwnCount) {
    struct Case {
        const char* text;
        bool icecast;
        int count;
    } cases[] = {
        {"<icestats><source mount=\"/a\"><Listeners>12</Listeners></source></icestats>", true, 12},
        {"<SHOUTCASTSERVER><CURRENTLISTENERS>12345</CURRENTLISTENERS></SHOUTCASTSERVER>", false, 12345},
        {"<currentlisteners> 7</currentlisteners>", false, 7},
        {"listeners: 5", true, 0},
        {"LISTENERS9", true, 9},
        {"<Listeners>x</Listeners>", true, 0},
        {"", true, 0},
        {"<CURRENTLISTENERS>99999999999999999999", false, 1000000000},
        {"<LISTENERS>4", false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListenerCountFromStats(c.text, c.icecast), c.count) << c.text;
}

#include "app/streams/Mailer.h"
#include "app/streams/StreamConsole.h"

TEST(StreamConsole, StateStepsAndEditorKeepsPendingLost) {
    TStationRecord s;
    s.State = ssOnline;
    s.Lost = true;
    TStationConfig same = s.Config();
    ApplyStationEdit(s, same);
    EXPECT_TRUE(s.Lost) << "saving unchanged settings keeps a pending Lost";
    s.Lost = false;
    ApplyStationEdit(s, same);
    EXPECT_FALSE(s.Lost);
    TStationConfig changed = same;
    changed.Bitrate = 64;
    ApplyStationEdit(s, changed);
    EXPECT_TRUE(s.Lost);

    DriverConnection(s, 5000);
    EXPECT_EQ(s.State, ssDelay);
    EXPECT_EQ(s.ReconnectTime, 6000u);
    DriverConnection(s, 5999);
    EXPECT_EQ(s.State, ssDelay);
    DriverConnection(s, 6000);
    EXPECT_EQ(s.State, ssConnect);
    DriverConnection(s, 7000);
    EXPECT_EQ(s.State, ssConnect) << "the connector moves it on";
    s.State = ssStop;
    s.NextPoll = 123;
    DriverConnection(s, 8000);
    EXPECT_EQ(s.NextPoll, 0u);
    EXPECT_TRUE(CanDelete(s));
}

TEST(StreamConsole, LogHandOverAndMailQueueing) {
    MailQueue.Clear();
    TStationRecord s;
    s.LastError = 258;
    s.LogPending = true;
    s.MailText.Set("mail text");
    s.MailDeadline = 1000;
    std::array<String, 7> row;
    EXPECT_TRUE(ShowStation(s, 999, row));
    ASSERT_EQ(s.Log().Count(), 1);
    EXPECT_EQ(s.Log().Items(0).Text, " 258. \xD0\xA1onnection died");
    EXPECT_FALSE(ShowStation(s, 1000, row)) << "rows are refreshed every 500 ms";
    EXPECT_EQ(s.MailDeadline, 0u);
    std::string text;
    std::uint64_t id;
    ASSERT_TRUE(MailQueue.Front(text, id));
    EXPECT_EQ(text, "mail text");
    MailQueue.Clear();
    EXPECT_EQ(s.Log().Count(), 1) << "one line per hand-over";
    TLog log;
    for (int i = 0; i < 300; ++i)
        OutLog("line " + std::to_string(i), log);
    OutLog("", log);
    EXPECT_EQ(log.Count(), 255);
    EXPECT_EQ(log.Items(0).Text, "line 299");
    OutLog(std::string(200, 'x'), log);
    EXPECT_EQ(log.Items(0).Text.size(), 128u);
}

// Messages go through the message lookup, which turns "%%" into "%" like every other message.
TEST(StreamConsole, StateNamesAndLogMessagesAreLanguageMessages) {
    TLanguage language("vendrill.", "/nonexistent");
    language.SetConstants(ParseLanguageSection("[Constants]\n"
                                               "MSG.Online=On air 100%%\n"
                                               "MSG.Stop=Halt 0%%\n"
                                               "MSG.StreamStartSucc=Started 100%%\n"
                                               "MSG.ManualStop=Stopped 100%%\n"
                                               "MSG.Directly=Port 100%%\n",
                                               "Constants"));
    AppLanguage = &language;
    EXPECT_EQ(StateText(ssOnline), "On air 100%");
    EXPECT_EQ(StateText(ssStop), "Halt 0%");
    EXPECT_EQ(StateText(ssDelay), "Delay") << "a missing message keeps its default";
    TStationRecord s;
    s.LogPending = true;
    SynhroLog(s);
    OnStop(s);
    TStationConfig c;
    c.Mode = smDirect;
    c.Port = 8000;
    s.SetConfig(c);
    const String direct = StationRowTexts(s)[0];
    AppLanguage = nullptr;
    ASSERT_EQ(s.Log().Count(), 2);
    EXPECT_EQ(s.Log().Items(1).Text, "Started 100%");
    EXPECT_EQ(s.Log().Items(0).Text, "Stopped 100%");
    EXPECT_EQ(direct, "Port 100%% 8000") << "a text, not a message: kept as it stands";
}
