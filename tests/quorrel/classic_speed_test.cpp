// Classic speed: every tick falls on a system tick, 54.925 ms apart.

#include "runtime/base/scheduler.h"
#include "tests/quorrel/support.h"

namespace quorrel::testing {
namespace {

class ClassicSpeedTest : public QuorrelTest {
  protected:
    void SetUp() override { app.scheduler().setTiming(rt::Timing::Classic); }

    void toTick(std::int64_t k) { fakes.clock->advanceTo(rt::SystemTickTime(k)); }
    void justBefore(std::int64_t k) { fakes.clock->advanceTo(rt::SystemTickTime(k) - 1); }

    // Logs the system ticks on which `timer` ticks, still running its handler.
    void logTicks(rt::Timer& timer, std::vector<std::int64_t>& ticks) {
        timer.Tick = [this, &ticks, handler = timer.Tick] {
            ticks.push_back(rt::SystemTickAtOrBefore(fakes.clock->now()));
            handler();
        };
    }
};

TEST_F(ClassicSpeedTest, SlowestWalkerMovesOncePerSystemTickAndEscapesOnTheTick793After43Seconds) {
    openGameWindow();
    startGame(hra.Option1, kRndMin);  // at 0 ms: the step is 5 twips
    toTick(1);                        // 54.9 ms
    EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft - 5);
    justBefore(2);
    EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft - 5);
    toTick(2);
    EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft - 10);
    toTick(792);  // 43 500.9 ms
    EXPECT_EQ(hra.Image1.Left(), 0);
    justBefore(793);
    EXPECT_TRUE(messages().empty());
    toTick(793);  // 43 555.9 ms
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].prompt, "Prehral(a) si mimozemšťan utiekol ufom!");
    EXPECT_EQ(messages()[1].prompt, "Úbohosť nad úbohosť, získal(a) si len 0 bodov!");
}

// The player turns to another program in the middle of a system tick: the
// walker waits, the click that goes on hits nothing, and the rest of the
// game is the same ticks and the same end, 10 s later.
TEST_F(ClassicSpeedTest, AGamePausedForTenSecondsPlaysTheSameTicksTenSecondsLater) {
    using Step = std::pair<rt::Micros, rt::Twips>;  // from the start; where the walker was
    std::vector<Step> steps;
    rt::Micros start = 0;
    hra.Timer1.Tick = [this, &steps, &start, handler = hra.Timer1.Tick] {
        steps.push_back({fakes.clock->now() - start, hra.Image1.Left()});
        handler();
    };
    openGameWindow();
    const auto play = [&](std::int64_t onTick) {
        toTick(onTick);
        start = fakes.clock->now();
        steps.clear();
        startGame(hra.Option1, 0.5f);
    };
    play(10);
    toTick(10 + 1000);
    ASSERT_EQ(messages().size(), 2u);
    const std::vector<Step> unpaused = steps;

    play(2000);
    const rt::Micros pausedAt = rt::SystemTickTime(2030) + 20'000;
    fakes.clock->advanceTo(pausedAt);
    fakes.desktop->deactivate();
    EXPECT_TRUE(app.paused());
    const size_t before = steps.size();
    const rt::Twips left = hra.Image1.Left();
    advance(10'000);
    EXPECT_EQ(steps.size(), before);
    Click(hra.Image1);  // goes on, hitting nothing
    EXPECT_FALSE(app.paused());
    EXPECT_EQ(hra.WalkerHits, 0);
    EXPECT_EQ(hra.Image1.Left(), left);
    toTick(2000 + 1000 + 183);
    ASSERT_EQ(messages().size(), 4u);
    EXPECT_EQ(messages()[2].prompt, messages()[0].prompt);

    ASSERT_EQ(steps.size(), unpaused.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        const auto [at, left] = unpaused[i];
        const rt::Micros later = start + at > pausedAt ? 10'000'000 : 0;
        EXPECT_NEAR(steps[i].first, at + later, 1) << "tick " << i;  // system ticks round to 1 µs
        EXPECT_EQ(steps[i].second, left) << "tick " << i;
    }
}

TEST_F(ClassicSpeedTest, TheClockRefreshesOnEveryTenthSystemTickAndShowsTheTimeThen) {
    std::vector<std::int64_t> ticks;
    logTicks(hra.Timer2, ticks);
    openGameWindow();
    EXPECT_EQ(hra.Label5.Caption(), "14:30:05");
    toTick(19);  // 1043.6 ms: a new second, but the clock has not ticked
    EXPECT_EQ(hra.Label5.Caption(), "14:30:05");
    toTick(20);  // 1098.5 ms
    EXPECT_EQ(hra.Label5.Caption(), "14:30:06");
    startGame(hra.Option2, 0.5f);
    toTick(50);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{10, 20, 30, 40, 50}));
    EXPECT_EQ(hra.Label5.Caption(), "14:30:07");  // 2746.3 ms
}

TEST_F(ClassicSpeedTest, SplashRestsOnSystemTick55AndHandsOverOnSystemTick92) {
    Úvod& splash = program.úvod;
    rt::Start(splash);
    justBefore(54);
    EXPECT_EQ(splash.Image1.Top(), 1920 - 53 * 30);
    toTick(54);  // 2966.0 ms: the 54th move reaches the rest
    EXPECT_EQ(splash.Image1.Top(), 300);
    EXPECT_FALSE(splash.Label1.Visible());
    toTick(55);  // 3020.9 ms: found at rest; 2000 ms count from here
    EXPECT_TRUE(splash.Label1.Visible());
    justBefore(92);
    EXPECT_TRUE(splash.Loaded());
    EXPECT_FALSE(hra.Loaded());
    toTick(92);  // 5053.1 ms: 37 system ticks later
    EXPECT_FALSE(splash.Loaded());
    EXPECT_TRUE(hra.Visible());
}

}  // namespace
}  // namespace quorrel::testing
