#include "skin/controls/SkinButtonTracker.h"
#include "skin/controls/SkinAutoRepeat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vd::test {
namespace {

// A timer the test ticks by hand: Armed is the interval it runs at, 0 while stopped.
struct FakeTimer {
    unsigned Armed = 0;
    std::vector<unsigned> Arms;
    TskAutoRepeat::TArm Arm() {
        return [this](unsigned Ms) {
            Armed = Ms;
            Arms.push_back(Ms);
        };
    }
    std::function<void()> Disarm() {
        return [this] { Armed = 0; };
    }
};

// Two buttons side by side, 10 x 10 each: button 0 at x 0..9, button 1 at x 10..19.
class Tracker : public ::testing::Test {
protected:
    Tracker() {
        T[0].R = {0, 0, 10, 10};
        T[1].R = {10, 0, 20, 10};
    }
    TskButtonTracker MakeTracker() {
        return TskButtonTracker(2,
                                {.Repaint = [this] { ++Repaints; },
                                 .Repeats = [this](int I) { return I == RepeatingButton; },
                                 .Step = [this](int I) { Log += "step" + std::to_string(I) + " "; },
                                 .Released =
                                     [this](int I, bool Over) {
                                         Log += "up" + std::to_string(I) + (Over ? "-over " : "-away ");
                                     }},
                                Timer.Arm(), Timer.Disarm());
    }
    // Hot and held, as "h" / "d" / "-" per button.
    std::string Looks() const {
        std::string s;
        for (int i = 0; i < T.Count(); ++i)
            s += T[i].Down ? (T[i].MouseIn ? "D" : "d") : (T[i].MouseIn ? "h" : "-");
        return s;
    }
    void Ticks(int N) {
        for (int i = 0; i < N; ++i)
            T.Tick();
    }

    FakeTimer Timer;
    int RepeatingButton = 0;
    int Repaints = 0;
    std::string Log;
    TskButtonTracker T = MakeTracker();
};

TEST_F(Tracker, HoverFollowsThePointerAndAPressCapturesTheButton) {
    struct Step {
        const char* What;
        char Do; // m move, p press, r release
        int X;
        const char* Looks;
        int Active;
    };
    const Step steps[] = {
        {"over the first", 'm', 5, "h-", 0},
        {"over the second", 'm', 15, "-h", 1},
        {"between none", 'm', 30, "--", -1},
        {"press the second", 'p', 15, "-D", 1},
        {"the first stays cold while the second is held", 'm', 5, "-d", -1},
        {"back over the held one", 'm', 12, "-D", 1},
        {"release over it", 'r', 12, "-h", 1},
        {"free again", 'm', 5, "h-", 0},
    };
    for (const Step& s : steps) {
        if (s.Do == 'm') T.Track(s.X, 5);
        if (s.Do == 'p') {
            EXPECT_TRUE(T.Press(s.X, 5)) << s.What;
        }
        if (s.Do == 'r') T.Release();
        EXPECT_EQ(Looks(), s.Looks) << s.What;
        EXPECT_EQ(T.Active(), s.Active) << s.What;
    }
    EXPECT_EQ(Log, "up1-over ");
    EXPECT_FALSE(T.Press(30, 5)) << "a press beside the buttons takes nothing";
    EXPECT_EQ(T.Pressed(), -1);
    T.Release();
    EXPECT_EQ(Log, "up1-over ") << "nothing held, nothing released";
}

TEST_F(Tracker, AReleaseAwayFromTheButtonSaysSo) {
    T.Press(5, 5);
    T.Track(15, 5);
    T.Release();
    EXPECT_EQ(Log, "up0-away ");
    EXPECT_EQ(Looks(), "--") << "released away: neither is hot until the pointer moves";
    T.Track(15, 5);
    EXPECT_EQ(Looks(), "-h");
}

TEST_F(Tracker, RepeatWaitsForTheFirstTickThenStepsEveryInterval) {
    T.Press(5, 5);
    EXPECT_EQ(Timer.Armed, 500u) << "the first delay";
    T.Tick();
    EXPECT_EQ(Log, "") << "the first tick only switches to the interval";
    EXPECT_EQ(Timer.Armed, 100u);
    Ticks(3);
    EXPECT_EQ(Log, "step0 step0 step0 ");
    T.Release();
    EXPECT_EQ(Timer.Armed, 0u);
    Ticks(2);
    EXPECT_EQ(Log, "step0 step0 step0 up0-over ") << "a late tick after the release steps nothing";
}

TEST_F(Tracker, RepeatPausesOffTheHeldButtonAndResumesQuickly) {
    T.Press(5, 5);
    T.Tick();
    T.Track(15, 5);
    EXPECT_EQ(Timer.Armed, 0u) << "paused while the pointer is off the held button";
    T.Track(5, 5);
    EXPECT_EQ(Timer.Armed, 50u) << "resumes after the short delay";
    T.Tick();
    EXPECT_EQ(Log, "step0 ");
    EXPECT_EQ(Timer.Arms, (std::vector<unsigned>{500, 100, 50}));
}

TEST_F(Tracker, LeavingTheControlWhileHeldPausesAndCoolsEveryButton) {
    T.Press(5, 5);
    T.Leave();
    EXPECT_EQ(Timer.Armed, 0u);
    EXPECT_EQ(Looks(), "d-") << "still held, no longer hot";
    T.Release();
    EXPECT_EQ(Log, "up0-away ") << "the release after the capture left is no click";
    T.Track(15, 5);
    T.Leave();
    EXPECT_EQ(Looks(), "--");
    EXPECT_EQ(T.Active(), -1);
}

TEST_F(Tracker, AButtonThatDoesNotRepeatNeverStartsTheTimer) {
    RepeatingButton = 0;
    T.Press(15, 5);
    T.Track(5, 5);
    T.Track(15, 5);
    Ticks(3);
    T.Release();
    EXPECT_TRUE(Timer.Arms.empty());
    EXPECT_EQ(Log, "up1-over ");
}

TEST_F(Tracker, EveryLookChangeRepaints) {
    T.Track(5, 5);  // hot
    T.Press(5, 5);  // down
    T.Track(30, 5); // off
    T.Track(5, 5);  // back
    T.Release();    // up
    EXPECT_EQ(Repaints, 5);
}

TEST(AutoRepeat, AFirstTickThatStepsKeepsTheTimerRunning) {
    FakeTimer timer;
    int steps = 0;
    TskAutoRepeat r([&] { ++steps; }, timer.Arm(), timer.Disarm());
    r.Timing = {.FirstDelay = 40, .Interval = 40, .Resume = 40, .FirstTickSteps = true};
    r.Start();
    for (int i = 0; i < 3; ++i)
        r.Tick();
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(timer.Arms, (std::vector<unsigned>{40})) << "armed once, at the press";
    r.Pause();
    EXPECT_EQ(timer.Armed, 0u);
    EXPECT_TRUE(r.Running()) << "paused is still held";
    r.Stop();
    EXPECT_FALSE(r.Running());
    r.Resume();
    r.Tick();
    EXPECT_EQ(timer.Armed, 0u) << "stopped: no resume";
    EXPECT_EQ(steps, 3);
}

} // namespace
} // namespace vd::test
