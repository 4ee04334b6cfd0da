// The stream grid, the log grid and the stream tool bar: row texts per state, the Play/Stop
// button following the selection, a delete rewriting every row, and the log the grid shows.
#include "app/core/Log.h"
#include "app/streams/StreamTexts.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/StreamActions.h"
#include "app/ui/console/StreamGridView.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"

#include "ConsoleFixture.h"

#include <algorithm>
#include <memory>

namespace vd {
namespace {

class StreamViewsTest : public test::ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        Streams = std::make_unique<TStreamGridView>(SGStreams);
        Logs = std::make_unique<TLogView>(SGLog);
        Streams->SetColumnWidths();
        Actions = std::make_unique<TStreamActions>(
            Buttons, *Streams, *Logs,
            [this](int index) {
                Edited.push_back(index);
                return EditResult;
            },
            [this](const String& q) {
                Questions.push_back(q);
                return Answer;
            });
    }
    void ClickButton(TskSkinSpeedButton* b) {
        hb->Click(RawButton::Left, b->ClientToScreen({12, 12}));
        Pump();
    }

    std::unique_ptr<TStreamGridView> Streams;
    std::unique_ptr<TLogView> Logs;
    std::unique_ptr<TStreamActions> Actions;
    std::vector<int> Edited;
    std::vector<String> Questions;
    bool EditResult = true;
    bool Answer = true;
};

TEST_F(StreamViewsTest, RowTextsPerState) {
    struct Case {
        TStationState state;
        int listeners, maxListeners;
        std::uint64_t bytes;
        std::array<String, 7> row;
    } cases[] = {
        {ssStop, 0, 0, 0, {"radio.example:8000/live", "Ice", "MP3", "128", "0 (0)", "    0 b", "Stop"}},
        {ssConnect,
         0,
         0,
         1536,
         {"radio.example:8000/live", "Ice", "MP3", "128", "0 (0)", "    2 kB", "Connect"}},
        {ssDelay, 1, 4, 0, {"radio.example:8000/live", "Ice", "MP3", "128", "1 (4)", "    0 b", "Delay"}},
        {ssOnline,
         12,
         30,
         3ull << 20,
         {"radio.example:8000/live", "Ice", "MP3", "128", "12 (30)", " 3.00 MB", "Online"}},
    };
    for (const Case& c : cases) {
        StationList.Clear();
        TStationPtr s = AddStation("radio.example", 8000, smIcecast, c.state);
        TStationConfig config = s->Config();
        config.ID = "live";
        s->SetConfig(config);
        s->Listeners = c.listeners;
        s->MaxListeners = c.maxListeners;
        s->BytesSent = c.bytes;
        Streams->ShowStations();
        ASSERT_EQ(SGStreams->RowCount(), 2);
        for (int col = 0; col < 7; ++col)
            EXPECT_EQ(SGStreams->GetCellText(col, 1), c.row[static_cast<std::size_t>(col)])
                << "state " << int(c.state) << " column " << col;
    }
    // A stream on its own port, mono.
    StationList.Clear();
    TStationPtr direct = AddStation("", 8100, smDirect, ssStop);
    TStationConfig config = direct->Config();
    config.Channels = 1;
    config.Type = scOgg;
    direct->SetConfig(config);
    Streams->ShowStations();
    EXPECT_EQ(SGStreams->GetCellText(0, 1), "Directly on port 8100");
    EXPECT_EQ(SGStreams->GetCellText(1, 1), "DIR");
    EXPECT_EQ(SGStreams->GetCellText(2, 1), "OGG");
    EXPECT_EQ(SGStreams->GetCellText(3, 1), "128(M)");
}

TEST_F(StreamViewsTest, ShowStationsSizesTheGridAndItsColumns) {
    Streams->ShowStations(); // no streams: one empty row
    EXPECT_EQ(SGStreams->RowCount(), 2);
    EXPECT_EQ(SGStreams->GetCellText(0, 1), "");
    for (int i = 0; i < 3; ++i)
        AddStation("host" + std::to_string(i), 8000, smShoutcast1, ssStop);
    Streams->ShowStations();
    EXPECT_EQ(SGStreams->RowCount(), 4);
    EXPECT_EQ(Column(SGStreams, 0), (std::vector<String>{"host0:8000", "host1:8000", "host2:8000"}));
    // The byte count's column takes its widest text in the grid's font, text offset included.
    TBitmap probe(1, 1);
    probe.Canvas().Font().Assign(SGStreams->Font());
    const int sent = std::max(
        {60, probe.Canvas().TextWidth("1024.00 MB") + 3, probe.Canvas().TextWidth("1024.00 GB") + 3});
    const int widths[] = {40, 45, 55, 65, sent, 70};
    int fixed = 0;
    for (int c = 1; c < 7; ++c) {
        EXPECT_EQ(SGStreams->GetColWidths(c), widths[c - 1]);
        fixed += widths[c - 1] + 1;
    }
    EXPECT_EQ(SGStreams->GetColWidths(0), 700 - fixed - 1); // the rest of the width
    for (const char* text : {"36.64 MB", "1024.00 MB", "1024.00 GB"})
        EXPECT_LE(probe.Canvas().TextWidth(text) + 2, SGStreams->GetColWidths(5)) << text;
}

TEST_F(StreamViewsTest, TickRewritesARowEvery500Milliseconds) {
    TStationPtr s = AddStation("host", 8000, smShoutcast1, ssOnline);
    Streams->ShowStations();
    s->BytesSent = 2048;
    Streams->ShowStation(*s, 0, MillisecondClock() + 499);
    EXPECT_EQ(SGStreams->GetCellText(5, 1), "    0 b");
    Streams->ShowStation(*s, 0, MillisecondClock() + 500);
    EXPECT_EQ(SGStreams->GetCellText(5, 1), "    2 kB");
}

TEST_F(StreamViewsTest, DeleteRewritesEveryRowAtOnce) {
    for (int i = 0; i < 4; ++i)
        AddStation("host" + std::to_string(i), 8000 + i, smShoutcast1, i == 2 ? ssOnline : ssStop);
    Streams->ShowStations();
    Select(1);
    Actions->SGStreamsClick();
    Logs->OutLog("line of host1", StationList.Items(1)->Log());
    EXPECT_EQ(SGLog->GetCellText(1, 1), "line of host1");
    ASSERT_TRUE(Buttons.Delete->Enabled());

    Answer = false; // the user says No
    ClickButton(Buttons.Delete);
    EXPECT_EQ(Questions, std::vector<String>{"Delete current stream?"});
    EXPECT_EQ(StationList.Count(), 4);

    Answer = true;
    ClickButton(Buttons.Delete);
    ASSERT_EQ(StationList.Count(), 3);
    // Every row at once, though no row's refresh time has come.
    EXPECT_EQ(Column(SGStreams, 0), (std::vector<String>{"host0:8000", "host2:8002", "host3:8003"}));
    EXPECT_EQ(Column(SGStreams, 6), (std::vector<String>{"Stop", "Online", "Stop"}));
    // The selected row now holds the Online stream: its log, no delete, the Stop glyph.
    EXPECT_EQ(Logs->ActiveStation(), StationList.Items(1));
    EXPECT_FALSE(Buttons.Delete->Enabled());
    EXPECT_TRUE(Actions->ShowsStop());
    EXPECT_EQ(GlyphColor(Buttons.PlayStop), clRed);

    // The last stream of the list deleted: the selection falls off, the main log shows.
    StationList.Items(1)->State = ssStop;
    Select(2);
    Actions->SGStreamsClick();
    ClickButton(Buttons.Delete);
    EXPECT_EQ(StationList.Count(), 2);
    EXPECT_EQ(Column(SGStreams, 0), (std::vector<String>{"host0:8000", "host2:8002"}));
}

TEST_F(StreamViewsTest, DeleteOfTheOnlyStreamLeavesAnEmptyGridAndTheMainLog) {
    AddStation("host", 8000, smShoutcast1, ssStop);
    Streams->ShowStations();
    Logs->WriteMainLog("main line");
    Select(0);
    Actions->SGStreamsClick();
    EXPECT_FALSE(Logs->ShowsMainLog());
    Actions->SBDeleteClick();
    EXPECT_EQ(StationList.Count(), 0);
    EXPECT_EQ(SGStreams->RowCount(), 2);
    EXPECT_EQ(SGStreams->GetCellText(0, 1), "");
    EXPECT_TRUE(Logs->ShowsMainLog());
    EXPECT_EQ(SGLog->GetCellText(1, 1), "main line");
    EXPECT_FALSE(Buttons.Edit->Enabled());
    EXPECT_FALSE(Buttons.Delete->Enabled());
}

TEST_F(StreamViewsTest, AStreamStartedWhileTheQuestionIsOpenStays) {
    TStationPtr s = AddStation("host", 8000, smShoutcast1, ssStop);
    Streams->ShowStations();
    Select(0);
    Actions->SGStreamsClick();
    Actions = std::make_unique<TStreamActions>(
        Buttons, *Streams, *Logs, [](int) { return false; },
        [&](const String&) {
            s->State = ssConnect; // the tick and the threads run on meanwhile
            return true;
        });
    Actions->SBDeleteClick();
    EXPECT_EQ(StationList.Count(), 1);
    EXPECT_EQ(SGStreams->GetCellText(6, 1), "Connect");
    EXPECT_FALSE(Buttons.Delete->Enabled());
}

TEST_F(StreamViewsTest, SelectionDrivesTheToolBar) {
    EXPECT_EQ(GlyphColor(Buttons.PlayStop), clLime); // Play from the start
    const TStationState states[] = {ssStop, ssConnect, ssDelay, ssOnline};
    for (TStationState st : states)
        AddStation("host", 8000, smShoutcast1, st);
    Streams->ShowStations();
    for (int i = 0; i < 4; ++i) {
        Select(i);
        Actions->SGStreamsClick();
        const bool stopped = states[i] == ssStop;
        EXPECT_TRUE(Buttons.Edit->Enabled()) << i;
        EXPECT_EQ(Buttons.Delete->Enabled(), stopped) << i;
        EXPECT_EQ(Actions->ShowsStop(), !stopped) << i;
        EXPECT_EQ(GlyphColor(Buttons.PlayStop), stopped ? clLime : clRed) << i;
        EXPECT_EQ(Logs->ActiveStation(), StationList.Items(i)) << i;
    }
}

TEST_F(StreamViewsTest, PlayAndStopThroughTheButton) {
    TStationPtr s = AddStation("host", 8000, smShoutcast1, ssStop);
    s->MailDeadline = 5;
    Streams->ShowStations();
    Select(0);
    Actions->SGStreamsClick();
    ClickButton(Buttons.PlayStop);
    EXPECT_EQ(s->State, ssConnect);
    EXPECT_EQ(s->ReconnectTime, MillisecondClock());
    EXPECT_EQ(s->MailDeadline, 0u);
    EXPECT_EQ(GlyphColor(Buttons.PlayStop), clRed);
    EXPECT_FALSE(Buttons.Delete->Enabled());

    s->State = ssDelay; // waiting to reconnect; a notification armed
    s->MailDeadline = 7;
    s->LastError = 40;
    s->LogPending = true;
    ClickButton(Buttons.PlayStop);
    EXPECT_EQ(s->State, ssStop);
    EXPECT_EQ(s->MailDeadline, 0u);
    EXPECT_FALSE(s->LogPending);
    EXPECT_EQ(GlyphColor(Buttons.PlayStop), clLime);
    EXPECT_TRUE(Buttons.Delete->Enabled());
    EXPECT_EQ(SGLog->GetCellText(1, 1), "Stream stopped by user"); // shown at once
}

TEST_F(StreamViewsTest, AddAndEditGoThroughTheEditor) {
    EditResult = false; // cancelled: nothing to show
    ClickButton(Buttons.Add);
    EXPECT_EQ(Edited, std::vector<int>{-1});
    EXPECT_EQ(SGStreams->GetCellText(0, 1), "");

    EditResult = true;
    AddStation("added", 9000, smShoutcast1, ssConnect); // what the editor would have saved
    Select(0);
    ClickButton(Buttons.Add);
    EXPECT_EQ(SGStreams->GetCellText(0, 1), "added:9000");
    EXPECT_TRUE(Buttons.Edit->Enabled());
    EXPECT_EQ(GlyphColor(Buttons.PlayStop), clRed);

    // Edit shows the rows again whatever the editor answers.
    EditResult = false;
    TStationConfig c = StationList.Items(0)->Config();
    c.URL = "edited";
    StationList.Items(0)->SetConfig(c);
    ClickButton(Buttons.Edit);
    EXPECT_EQ(Edited.back(), 0);
    EXPECT_EQ(SGStreams->GetCellText(0, 1), "edited:9000");

    // Without a selected stream Edit and Delete do nothing.
    StationList.Clear();
    Streams->ShowStations();
    Actions->SBEditClick();
    Actions->SBDeleteClick();
    EXPECT_EQ(Edited.size(), 3u);
    EXPECT_EQ(Questions.size(), 0u);
}

TEST_F(StreamViewsTest, LogGridFollowsTheActiveLogOnly) {
    TStationPtr s = AddStation("host", 8000, smShoutcast1, ssStop);
    Logs->ShowMainLog();
    Logs->WriteMainLog("one");
    Logs->WriteMainLog("two");
    EXPECT_EQ(Column(SGLog, 1), (std::vector<String>{"two", "one"}));
    Logs->OutLog("stream line", s->Log()); // not the shown log: the grid stays
    EXPECT_EQ(Column(SGLog, 1), (std::vector<String>{"two", "one"}));
    Logs->ShowStationLog(s);
    EXPECT_EQ(Column(SGLog, 1), (std::vector<String>{"stream line"}));
    // A line written behind the view's back (the tick's pending lines) shows on the next refresh.
    s->Log().Add("pending");
    Logs->RefreshIfChanged();
    EXPECT_EQ(Column(SGLog, 1), (std::vector<String>{"pending", "stream line"}));
    // A full log keeps 255 rows.
    for (int i = 0; i < 300; ++i)
        Logs->OutLog("line " + std::to_string(i), s->Log());
    EXPECT_EQ(SGLog->RowCount(), 256);
    EXPECT_EQ(SGLog->GetCellText(1, 1), "line 299");
}

} // namespace
} // namespace vd
