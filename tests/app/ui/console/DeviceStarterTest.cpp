// Starting the recording device on the fixture device: the device message, the wait window and
// its 50 ms retries, the switch to the 30 ms tick, and a failed restart that retries from the tick.
#include "app/ui/console/DeviceStarter.h"
#include "app/streams/StreamTexts.h"
#include "app/ui/console/ConsoleTick.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/MeterView.h"
#include "app/ui/console/StreamActions.h"
#include "app/ui/console/StreamGridView.h"
#include "tests/platform/audio/AudioFixture.h"

#include "ConsoleFixture.h"

#include <memory>

namespace vd {
namespace {

const String FixtureName = "Vendrill Test Capture";
const String RetryText = "The input device could not be restarted; trying again";

class DeviceStarterTest : public test::ConsoleTest {
protected:
    static void SetUpTestSuite() { audio::test::InstallAlsaFixture(); }
    void SetUp() override {
        ConsoleTest::SetUp();
        Meter = std::make_unique<TMeterView>(Led);
        Logs = std::make_unique<TLogView>(SGLog);
        Logs->ShowMainLog();
        Starter = std::make_unique<TDeviceStarter>(Timer, LabDevice, *Meter, *Logs, [this] { ++Ticks; });
        Starter->SetWaitWindow({[this](const String& text) {
                                    WaitTexts.push_back(text);
                                    return WaitWindowUp;
                                },
                                [this] { ++WaitClosed; }});
    }
    void TearDown() override {
        Starter.reset();
        ConsoleTest::TearDown();
    }
    static void Configure(int device, const String& name, bool wait) {
        TAppSettings s;
        s.Device = device;
        s.DeviceName = name;
        s.WaitMode = wait;
        AssignAppSettings(s);
    }
    void Elapse(unsigned ms) {
        hb->Advance(ms);
        Pump();
    }
    std::vector<String> MainLog() {
        std::vector<String> out;
        for (int i = Logs->MainLog().Count() - 1; i >= 0; --i)
            out.push_back(Logs->MainLog().Items(i).Text);
        return out;
    }

    std::unique_ptr<TMeterView> Meter;
    std::unique_ptr<TLogView> Logs;
    std::unique_ptr<TDeviceStarter> Starter;
    std::vector<String> WaitTexts;
    bool WaitWindowUp = true;
    int WaitClosed = 0;
    int Ticks = 0;
};

TEST_F(DeviceStarterTest, NoDeviceChosenShowsTheMessageUntilTheSettingsAreConfirmed) {
    Configure(0, "", false);
    Starter->StartDevice();
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmOff);
    EXPECT_EQ(LabDevice->Caption(), "Please enter input device ->");
    EXPECT_EQ(MainLog(), std::vector<String>{"Please enter input device ->"});
    EXPECT_FALSE(Timer->Enabled());
    Elapse(1000);
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmOff); // nothing retries

    Configure(0, FixtureName, true);
    DeviceChanged = true;
    Starter->SettingsConfirmed();
    EXPECT_FALSE(DeviceChanged); // the start below is the restart
    EXPECT_TRUE(Timer->Enabled());
    EXPECT_EQ(Timer->Interval(), 50u);
    Elapse(50);
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    EXPECT_NE(CaptureChannel.load(), 0u);
    EXPECT_EQ(LabDevice->Caption(), FixtureName);
    EXPECT_EQ(Timer->Interval(), 30u);
    EXPECT_EQ(Ticks, 0);
    Elapse(30);
    EXPECT_EQ(Ticks, 1);
    Elapse(30);
    Elapse(30);
    EXPECT_EQ(Ticks, 3);
    Starter->SettingsConfirmed(); // running: nothing to do
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
}

TEST_F(DeviceStarterTest, AMissingDeviceIsAwaitedWithTheWaitWindowEvery50Milliseconds) {
    Configure(0, "Studio Mic", true);
    Starter->StartDevice();
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmWaiting);
    EXPECT_EQ(WaitTexts, std::vector<String>{"Waiting for the device Studio Mic"});
    EXPECT_TRUE(Timer->Enabled());
    EXPECT_EQ(Timer->Interval(), 50u);
    Elapse(49);
    EXPECT_EQ(WaitTexts.size(), 1u);
    Elapse(1);
    EXPECT_EQ(WaitTexts.size(), 2u);
    EXPECT_EQ(Ticks, 0);

    Configure(0, "VENDRILL TEST CAPTURE", true); // appears (names compare in any case)
    Elapse(50);
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    EXPECT_EQ(WaitClosed, 1);
    EXPECT_EQ(LabDevice->Caption(), FixtureName);
    EXPECT_EQ(MainLog(), std::vector<String>{"Device started"});
    Elapse(30);
    EXPECT_EQ(Ticks, 1);
}

TEST_F(DeviceStarterTest, ClosingTheWaitWindowEndsTheWaiting) {
    Configure(0, "Studio Mic", true);
    Starter->StartDevice();
    ASSERT_EQ(Starter->Mode(), TDeviceMode::dmWaiting);
    WaitWindowUp = false; // the user closed it
    Elapse(50);
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmOff);
    EXPECT_FALSE(Timer->Enabled());
    EXPECT_EQ(LabDevice->Caption(), "Please enter input device ->");
    Elapse(500);
    EXPECT_EQ(WaitTexts.size(), 2u);
}

TEST_F(DeviceStarterTest, AFailedRestartKeepsTheTickAndRetriesTheDevice) {
    Configure(0, FixtureName, true);
    Starter->StartDevice();
    ASSERT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    TStationPtr online = AddStation("a", 8000, smShoutcast1, ssOnline);

    // The settings now name a device that is not there, by an index beyond the list.
    Configure(99, "Studio Mic", false);
    DeviceChanged = true;
    Starter->RestartDevice();
    EXPECT_FALSE(DeviceChanged);
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRetrying);
    EXPECT_EQ(CaptureChannel.load(), 0u);
    EXPECT_EQ(online->State, ssConnect);
    EXPECT_EQ(MainLog().back(), RetryText);
    EXPECT_EQ(LabDevice->Caption(), RetryText); // not the name of the device that stopped
    EXPECT_TRUE(Timer->Enabled());              // the tick goes on
    EXPECT_EQ(Timer->Interval(), 30u);

    const std::uint64_t failedAt = MillisecondClock();
    Clock.Set(failedAt + 999);
    Starter->RetryIfDue(MillisecondClock());
    EXPECT_TRUE(WaitTexts.empty());
    Clock.Set(failedAt + 1000);
    Starter->RetryIfDue(MillisecondClock());
    EXPECT_EQ(WaitTexts, std::vector<String>{"Waiting for the device Studio Mic"});
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRetrying);
    Clock.Advance(50);
    Starter->RetryIfDue(MillisecondClock());
    EXPECT_EQ(WaitTexts.size(), 2u);

    Configure(99, FixtureName, false); // plugged in again
    const int closed = WaitClosed;
    Clock.Advance(50);
    Starter->RetryIfDue(MillisecondClock());
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    EXPECT_NE(CaptureChannel.load(), 0u);
    EXPECT_EQ(LabDevice->Caption(), FixtureName);
    EXPECT_EQ(WaitClosed, closed + 1);
    EXPECT_EQ(MainLog().back(), "Device started");
}

TEST_F(DeviceStarterTest, ARestartWithoutAnyDeviceChosenStopsRetryingUntilTheSettingsChange) {
    Configure(0, FixtureName, true);
    Starter->StartDevice();
    Configure(99, "", false);
    Starter->RestartDevice();
    ASSERT_EQ(Starter->Mode(), TDeviceMode::dmRetrying);
    Clock.Advance(1000);
    Starter->RetryIfDue(MillisecondClock());
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmNoDevice);
    EXPECT_EQ(LabDevice->Caption(), "Please enter input device ->");
    const std::size_t lines = MainLog().size();
    Clock.Advance(5000);
    Starter->RetryIfDue(MillisecondClock());
    EXPECT_EQ(MainLog().size(), lines);

    Configure(0, FixtureName, true); // confirmed without a device change: tried at once
    Starter->SettingsConfirmed();
    Starter->RetryIfDue(MillisecondClock());
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
}

TEST_F(DeviceStarterTest, ADeviceThatCannotOpenIsRetriedEverySecondAndLoggedOnce) {
    Configure(0, FixtureName, true);
    Starter->StartDevice();
    ASSERT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    const int broken = audio::test::FindDevice("Vendrill Broken Device");
    ASSERT_GE(broken, 0);
    Configure(broken, "Vendrill Broken Device", false);
    Starter->RestartDevice();
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRetrying);
    EXPECT_EQ(LabDevice->Caption(), "Can't init device"); // the failure itself stays on the label
    EXPECT_EQ(MainLog(), (std::vector<String>{"Device started", "Can't init device", RetryText}));
    for (int i = 0; i < 3; ++i) {
        Clock.Advance(TDeviceStarter::RetryMs);
        Starter->RetryIfDue(MillisecondClock());
        EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRetrying);
    }
    EXPECT_EQ(MainLog().size(), 3u); // the same failure once
    Configure(broken, FixtureName, true);
    Clock.Advance(TDeviceStarter::RetryMs);
    Starter->RetryIfDue(MillisecondClock());
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    EXPECT_EQ(LabDevice->Caption(), FixtureName);
}

// Play while no capture runs (the device failed at start, so not even the tick runs): the stream
// waits in Connect, its row says so at once and its log says why; with capture running, nothing.
TEST_F(DeviceStarterTest, PlayWithoutCaptureShowsTheWaitingStreamAndLogsWhy) {
    const int broken = audio::test::FindDevice("Vendrill Broken Device");
    ASSERT_GE(broken, 0);
    Configure(broken, "Vendrill Broken Device", false);
    Starter->StartDevice();
    ASSERT_EQ(Starter->Mode(), TDeviceMode::dmOff);
    const String reason = LabDevice->Caption();
    ASSERT_FALSE(reason.empty());

    TStreamGridView streams(SGStreams);
    TStreamActions actions(Buttons, streams, *Logs, nullptr, nullptr);
    actions.SetCaptureProblem([this] { return Starter->CaptureProblem(); });
    TStationPtr s = AddStation("host", 8000, smShoutcast1, ssStop);
    streams.ShowStations();
    Select(0);
    actions.SGStreamsClick();
    const int stateColumn = 6;
    const String waitLine = String(TStreamActions::NoCaptureText) + reason;

    actions.OnPlayClick();
    EXPECT_EQ(s->State, ssConnect);
    EXPECT_TRUE(actions.ShowsStop());
    EXPECT_EQ(SGStreams->GetCellText(stateColumn, 1), "Connect") << "the row follows the button";
    ASSERT_EQ(s->Log().Count(), 1);
    EXPECT_EQ(s->Log().Items(0).Text, waitLine);
    EXPECT_EQ(SGLog->GetCellText(1, 1), waitLine) << "the stream's log is shown";
    Elapse(20000);
    EXPECT_EQ(s->State, ssConnect) << "still waiting for the device";

    actions.OnStopClick();
    EXPECT_EQ(s->State, ssStop);
    EXPECT_FALSE(actions.ShowsStop());
    EXPECT_EQ(SGStreams->GetCellText(stateColumn, 1), "Stop");

    Configure(0, FixtureName, true);
    Starter->SettingsConfirmed();
    Elapse(50);
    ASSERT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    EXPECT_EQ(Starter->CaptureProblem(), "");
    const int lines = s->Log().Count();
    actions.OnPlayClick();
    EXPECT_EQ(s->Log().Count(), lines) << "no wait line while capture runs";
    EXPECT_EQ(SGStreams->GetCellText(stateColumn, 1), "Connect");
}

// The tick drives the restart and its retries, and draws the fixture's peaks.
TEST_F(DeviceStarterTest, TheTickRestartsRetriesAndMeters) {
    std::unique_ptr<TConsoleTick> tick;
    Starter.reset(); // one starter per timer
    Starter = std::make_unique<TDeviceStarter>(Timer, LabDevice, *Meter, *Logs, [&] { tick->TimerWork(); });
    TConsoleTickLinks links;
    links.Device = Starter.get();
    links.Logs = Logs.get();
    tick = std::make_unique<TConsoleTick>(links);
    Starter->ResizeMeter(250, 40);
    Configure(0, FixtureName, true);
    Starter->StartDevice();
    ASSERT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    // The fixture's left channel peaks near -6 dB: after a tick -7 dB is lit on the left bar.
    const TPoint minus7{static_cast<int>((24 - 7) * 10) + 5, 7};
    ASSERT_TRUE(audio::test::WaitUntil([&] { return Starter->Capture().Peaks().Peak(0) > 15000; }));
    Elapse(30);
    EXPECT_EQ(Led->Picture().Canvas().Pixel(minus7.X, minus7.Y), clYellow);

    Configure(audio::test::FindDevice("Vendrill Broken Device"), "Vendrill Broken Device", false);
    DeviceChanged = true;
    Elapse(30);
    EXPECT_FALSE(DeviceChanged);
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRetrying);
    Configure(0, FixtureName, true);
    Clock.Advance(TDeviceStarter::RetryMs);
    Elapse(30);
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    EXPECT_EQ(LabDevice->Caption(), FixtureName);
}

TEST_F(DeviceStarterTest, ARestartThatWorksKeepsCapturing) {
    Configure(0, FixtureName, true);
    Starter->StartDevice();
    const int index = audio::test::FindDevice(FixtureName);
    ASSERT_GE(index, 0);
    Configure(index, FixtureName, false);
    Starter->RestartDevice();
    EXPECT_EQ(Starter->Mode(), TDeviceMode::dmRunning);
    EXPECT_NE(CaptureChannel.load(), 0u);
    EXPECT_EQ(MainLog(), (std::vector<String>{"Device started", "Device started"}));
}

TEST_F(DeviceStarterTest, TheDeviceLabelKeepsTheRunningDevicesName) {
    Configure(0, FixtureName, true);
    Starter->StartDevice();
    LabDevice->SetCaption("Input device"); // what a translation of the window writes there
    Starter->ReapplyDeviceLabel();
    EXPECT_EQ(LabDevice->Caption(), FixtureName);
    EXPECT_EQ(Starter->DeviceLabel(), FixtureName);
}

TEST_F(DeviceStarterTest, LedClickSwitchesTheRangeAndRedrawsTheScale) {
    Starter->ResizeMeter(250, 40);
    EXPECT_EQ(Starter->Capture().Meter().Range(), 24);
    const TColor at24 = Led->Picture().Canvas().Pixel(195, 7);
    Starter->LedClick();
    EXPECT_EQ(Starter->Capture().Meter().Range(), 41);
    Starter->LedClick();
    EXPECT_EQ(Starter->Capture().Meter().Range(), 60);
    EXPECT_NE(Led->Picture().Canvas().Pixel(195, 7), at24); // segments moved
    Starter->LedClick();
    EXPECT_EQ(Starter->Capture().Meter().Range(), 24);
    EXPECT_EQ(Led->Picture().Canvas().Pixel(195, 7), at24);
}

} // namespace
} // namespace vd
