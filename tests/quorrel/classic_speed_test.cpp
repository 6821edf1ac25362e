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
