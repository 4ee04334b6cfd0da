#include "app/core/StationStore.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsIni.h"
#include "app/core/StationList.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

class StationStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFile(Folder.File("vendrill"));
        StationList.Clear();
    }
    void TearDown() override {
        StationList.Clear();
        SetProgramFile("");
    }
    TSettingsIni Ini() const { return TSettingsIni(Folder.File("vendrill.ini")); }
    std::vector<String> Urls() const {
        std::vector<String> urls;
        for (const TStationPtr& r : StationList.Snapshot())
            urls.push_back(r->URL);
        return urls;
    }
    static TStationPtr Record(std::int32_t mode, const String& url) {
        auto r = std::make_shared<TStationRecord>();
        TStationConfig c;
        c.Mode = mode;
        c.URL = url;
        c.Port = 8000;
        c.Buffer = 64;
        c.Bitrate = 128;
        c.AllowIP = "*.*.*.*";
        r->SetConfig(c);
        return r;
    }

    test::TTempFolder Folder;
};

TEST_F(StationStoreTest, SectionOrder) {
    struct Case {
        const char* file;
        std::vector<String> order;
    };
    const Case cases[] = {
        {"[Stream002]\nURL=b\n[Stream001]\nURL=a\n[Setting]\nX=1\n", {"a", "b"}},
        {"[streamX]\nURL=x\n[STREAM001]\nURL=a\n", {"a", "x"}}, // any letter case, any text after
        {"[Stream1000]\nURL=k\n[Stream101]\nURL=h\n[Stream099]\nURL=n\n", {"n", "h", "k"}},
        {"[Stream1]\nURL=odd\n[Stream0002]\nURL=odder\n[Stream003]\nURL=c\n", {"c", "odder", "odd"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Folder.Write("vendrill.ini", c.file);
        ReadStations();
        EXPECT_EQ(Urls(), c.order);
    }
}

TEST_F(StationStoreTest, ReadingAppliesDefaultsCutsAndOnlyTheBufferClamp) {
    Folder.Write("vendrill.ini", "[Stream001]\n"
                                 "[Stream002]\nBuffer=8\nMode=9\nTitle=-1\nType=7\nChannels=2\nAuto=1\n"
                                 "[Stream003]\nBuffer=2000\nURL=" +
                                     String(200, 'u') + "\nPassword=222a3124243a\nUser=" + String(70, 'n') +
                                     "\n");
    ReadStations();
    ASSERT_EQ(StationList.Count(), 3);
    const TStationPtr a = StationList.Items(0), b = StationList.Items(1), c = StationList.Items(2);
    EXPECT_EQ(a->Mode, 0);
    EXPECT_EQ(a->Port, 8000);
    EXPECT_EQ(a->Bitrate, 128);
    EXPECT_EQ(a->Buffer, 64);
    EXPECT_EQ(a->AllowIP, "*.*.*.*");
    EXPECT_EQ(a->State, ssStop);
    EXPECT_EQ(b->Buffer, 16);
    // Choices out of range stay as stored (not an own-port stream, not AAC+): their users decide.
    EXPECT_EQ(b->Mode, 9);
    EXPECT_EQ(b->Title, -1);
    EXPECT_EQ(b->Type, 7);
    EXPECT_EQ(b->Channels, 2);
    EXPECT_EQ(StationServerAddress(*b), ":8000") << "an unknown mode is a server cast";
    EXPECT_EQ(b->State, ssConnect); // Auto streams start at once
    EXPECT_EQ(c->Buffer, 512);
    EXPECT_EQ(c->URL, String(192, 'u'));
    EXPECT_EQ(c->User, String(64, 'n'));
    EXPECT_EQ(c->Password, "secret");
    EXPECT_EQ(StationList.Items(3), nullptr);
}

TEST_F(StationStoreTest, ConfigurationSurvivesASaveAndReload) {
    for (std::int32_t mode : {0, 1, 2, 3}) {
        SCOPED_TRACE(mode);
        StationList.Clear();
        Folder.Write("vendrill.ini", "[Setting]\nLanguage=English.lng\n");
        TStationConfig c;
        c.Mode = mode;
        c.URL = "example.org";
        c.Port = 8010;
        c.User = "dj";
        c.Password = "password123";
        c.AllowIP = "192.168.1.*;10.*.*.*";
        c.ID = "live";
        c.Title = 2;
        c.Type = 1;
        c.Buffer = 256;
        c.Bitrate = 96;
        c.Channels = 1;
        c.Public = true;
        c.Auto = true;
        c.LockFreq = true;
        auto r = std::make_shared<TStationRecord>();
        r->SetConfig(c);
        StationList.Add(r);
        ASSERT_TRUE(WriteStation(0));
        EXPECT_EQ(Ini().ReadString("Stream001", "Password", ""), "212e212536212621607d61");
        // Only an own-port stream keeps its allowed list and buffer.
        EXPECT_EQ(Ini().ValueExists("Stream001", "AllowIP"), mode == 3);
        EXPECT_EQ(Ini().ValueExists("Stream001", "Buffer"), mode == 3);
        EXPECT_EQ(Ini().ReadString("Setting", "Language", ""), "English.lng");

        ReadStations();
        ASSERT_EQ(StationList.Count(), 1);
        TStationConfig expected = c;
        if (mode != 3) {
            expected.AllowIP = "*.*.*.*";
            expected.Buffer = 64;
        }
        EXPECT_EQ(StationList.Items(0)->Config(), expected);
    }
}

TEST_F(StationStoreTest, DeletingRenumbersTheSections) {
    Folder.Write("vendrill.ini",
                 "[Stream001]\nURL=a\n[Stream002]\nURL=b\n[Stream003]\nURL=c\n[Setting]\nX=1\n");
    ReadStations();
    ASSERT_TRUE(DeleteStation(1));
    EXPECT_EQ(Urls(), (std::vector<String>{"a", "c"}));
    const TSettingsIni ini = Ini();
    EXPECT_EQ(ini.ReadString("Stream001", "URL", ""), "a");
    EXPECT_EQ(ini.ReadString("Stream002", "URL", ""), "c");
    EXPECT_FALSE(ini.SectionExists("Stream003"));
    EXPECT_EQ(ini.ReadString("Setting", "X", ""), "1");
    EXPECT_FALSE(DeleteStation(2));
    EXPECT_FALSE(DeleteStation(-1));
    EXPECT_FALSE(WriteStation(2));
}

TEST_F(StationStoreTest, RecordsFromOddSectionsAreNotLeftTwice) {
    Folder.Write("vendrill.ini", "[Stream001]\nURL=a\n[Stream005]\nURL=e\n[streamx]\nURL=x\n");
    ReadStations();
    ASSERT_EQ(Urls(), (std::vector<String>{"a", "e", "x"}));
    TStationConfig changed = StationList.Items(1)->Config();
    changed.URL = "e2";
    StationList.Items(1)->SetConfig(changed);
    ASSERT_TRUE(WriteStation(1));
    EXPECT_EQ(StationSections(Ini()), (std::vector<String>{"Stream001", "Stream002", "Stream003"}));
    ReadStations();
    EXPECT_EQ(Urls(), (std::vector<String>{"a", "e2", "x"}));
}

TEST_F(StationStoreTest, ANewStreamIsAppended) {
    Folder.Write("vendrill.ini", "[Stream001]\nURL=a\n");
    ReadStations();
    StationList.Add(Record(0, "b"));
    ASSERT_TRUE(WriteStation(1));
    ReadStations();
    EXPECT_EQ(Urls(), (std::vector<String>{"a", "b"}));
    EXPECT_EQ(StationSectionName(999), "Stream1000");
}

TEST(StationTextTest, ServerAddressAndPassword) {
    struct Case {
        std::int32_t mode;
        const char* id;
        const char* address;
    };
    const Case cases[] = {
        {1, "1", "example.org:8000,1"},        {1, ",1", "example.org:8000,1"},
        {1, "", "example.org:8000"},           {2, "live", "example.org:8000/live"},
        {2, "/live", "example.org:8000/live"}, {0, "1", "example.org:8000"},
        {3, "x", "example.org:8000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        TStationRecord r;
        r.Mode = c.mode;
        r.URL = "example.org";
        r.Port = 8000;
        r.ID = c.id;
        EXPECT_EQ(StationServerAddress(r), c.address);
    }
    TStationRecord r;
    r.Password = "pw";
    r.User = "dj";
    EXPECT_EQ(StationServerPassword(r), "pw");
    r.Mode = smShoutcast2;
    EXPECT_EQ(StationServerPassword(r), "dj:pw");
    r.User = "";
    EXPECT_EQ(StationServerPassword(r), ":pw");
}

TEST(StationTextTest, AllowedAddressLists) {
    struct Case {
        const char* list;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {";;", true},
        {"*.*.*.*", true},
        {"192.168.1.*;10.*.*.*", true},
        {" 192.168.1.1 ;", true},
        {"1. 2.3.4", true}, // leading blanks inside a part
        {"192.168.1", false},
        {"1.2.3.256", false},
        {"1.2.3.4.5", false},
        {"1..3.4", false},
        {"1.2.3.4x", false},
        {"1.2.3.-1", false},
        {"1.2.3.4;bad", false},
        {"a.b.c.d", false},
        {"1.2.3.0255", true},
        {"1.2.3.99999999999999", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(CheckCorrectIP(c.list), c.valid);
    }
}

TEST(StationRecordTest, ClearGroupsAndSnapshotsKeepRecordsAlive) {
    TStationList list;
    list.Add(std::make_shared<TStationRecord>());
    std::vector<TStationPtr> walk = list.Snapshot();
    walk[0]->RetryCount = 3;
    walk[0]->Lost = true;
    walk[0]->MailText.Set("down");
    walk[0]->MailDeadline = 10;
    walk[0]->BytesSent = 99;
    list.Delete(0);
    EXPECT_EQ(list.Count(), 0);
    // The walk still holds the removed record.
    walk[0]->ClearReconnect();
    walk[0]->ClearMail();
    walk[0]->ClearRefresh();
    EXPECT_EQ(walk[0]->RetryCount, 0);
    EXPECT_FALSE(walk[0]->Lost);
    EXPECT_TRUE(walk[0]->MailText.Empty());
    EXPECT_EQ(walk[0]->MailDeadline, 0u);
    EXPECT_EQ(walk[0]->BytesSent, 0u);
    EXPECT_EQ(list.IndexOf(walk[0].get()), -1);
}

} // namespace
} // namespace vd
