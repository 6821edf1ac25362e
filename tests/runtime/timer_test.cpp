// Timer ticks in virtual time.

#include <algorithm>

#include "tests/runtime/support.h"

namespace rttest {
namespace {

using TimerTest = RuntimeTest;

TEST_F(TimerTest, FirstTickComesOneIntervalAfterEnablingAndZeroNeverTicks) {
    Log log;
    Clocks f(log, "");
    rt::Start(f);
    f.C.SetInterval(10);  // disabled: a new interval must not start it
    advance(99);
    EXPECT_TRUE(log.empty());
    advance(1);
    f.C.SetInterval(30);
    f.C.SetEnabled(true);
    f.Z.SetEnabled(true);
    advance(100);
    EXPECT_EQ(log, (Log{"A@100", "B@100", "C@130", "C@160", "C@190", "A@200", "B@200"}));
}

TEST_F(TimerTest, EnablingARunningTimerKeepsItsCountdownButIntervalRestartsIt) {
    Log log;
    Clocks f(log, "");
    rt::Start(f);
    f.B.SetEnabled(false);
    advance(60);
    f.A.SetEnabled(true);
    advance(90);           // A@100
    f.A.SetInterval(100);  // 150: the same value still starts a new countdown
    advance(99);
    EXPECT_EQ(log, (Log{"A@100"}));
    advance(1);
    f.A.SetInterval(0);
    advance(500);
    f.A.SetInterval(40);
    advance(40);
    EXPECT_EQ(log, (Log{"A@100", "A@250", "A@790"}));
}

TEST_F(TimerTest, DisablingStopsAtOnceEvenForATickDueNow) {
    Log log;
    Clocks f(log, "");
    int aTicks = 0;
    f.A.Tick = [&] {
        log.push_back(At("A"));
        if (++aTicks == 2) f.B.SetEnabled(false);  // B is due at this same instant
    };
    rt::Start(f);
    advance(300);
    f.B.SetEnabled(true);
    advance(100);
    f.A.SetEnabled(false);
    advance(200);
    EXPECT_EQ(log, (Log{"A@100", "B@100", "A@200", "A@300", "A@400", "B@400", "B@500", "B@600"}));
}

TEST_F(TimerTest, TiesGoInCreationOrderNotLoadOrder) {
    Log log;
    Clocks first(log, "1"), second(log, "2");
    rt::Start(second);
    first.Show();
    second.B.SetInterval(100);  // restarted last, still due with the others
    advance(100);
    EXPECT_EQ(log, (Log{"1A@100", "1B@100", "2A@100", "2B@100"}));
}

TEST_F(TimerTest, TicksOnlyWhileTheFormIsLoaded) {
    Log log;
    Blank main;
    Clocks f(log, "");
    rt::Start(main);
    advance(500);
    EXPECT_TRUE(log.empty());
    f.Hide();  // loaded but not shown
    advance(100);
    f.Show();
    advance(100);
    f.C.SetEnabled(true);
    f.Unload();
    advance(1000);
    EXPECT_EQ(log, (Log{"A@600", "B@600", "A@700", "B@700"}));
    f.Load();  // C is disabled again by design
    advance(100);
    EXPECT_EQ(log.size(), 6u);
    EXPECT_EQ(log.back(), "B@1800");
    EXPECT_FALSE(app.ended());
}

// A handler blocked in a message box for 5 s, either as is or after restarting
// its own timer first.
class StallTest : public RuntimeTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StallTest, StalledTimerGetsOneWaitingTickAndNeverReenters) {
    Log log;
    Clocks f(log, "");
    std::vector<std::int64_t> aTicks;
    int depth = 0, deepest = 0;
    f.A.Tick = [&] {
        deepest = std::max(deepest, ++depth);
        aTicks.push_back(fakes.clock->nowMs());
        if (aTicks.size() == 1) {
            if (GetParam()) {
                f.A.SetEnabled(false);
                f.A.SetEnabled(true);
            }
            rt::MsgBox("stalled");
        }
        --depth;
    };
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) { advance(5000); };
    rt::Start(f);
    f.B.SetInterval(1000);
    advance(100);
    advance(100);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(aTicks, (std::vector<std::int64_t>{100, 5100, 5200}));
    EXPECT_EQ(std::count(log.begin(), log.end(), "B@3000"), 1);  // others tick meanwhile
    EXPECT_EQ(log.size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(Timer, StallTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "RestartedFirst" : "AsIs"; });

}  // namespace
}  // namespace rttest
