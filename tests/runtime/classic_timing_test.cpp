// Classic timing: every tick falls on a system tick 65536/1193182 s apart.

#include "tests/runtime/support.h"

namespace rttest {
namespace {

using rt::SystemTickTime;

class ClassicTimingTest : public RuntimeTest {
  protected:
    void SetUp() override { app.scheduler().setTiming(rt::Timing::Classic); }

    void toTick(std::int64_t k) { fakes.clock->advanceTo(SystemTickTime(k)); }
    void toMs(std::int64_t ms) { fakes.clock->advanceTo(ms * 1000); }

    // "A#3" for a tick on system tick 3, "A@5109" for one between system ticks.
    static std::string When(const std::string& what) {
        const rt::Micros now = rt::App::instance().clock().now();
        const std::int64_t k = rt::SystemTickAtOrBefore(now);
        return SystemTickTime(k) == now ? what + "#" + std::to_string(k)
                                        : what + "@" + std::to_string(now / 1000);
    }
    void logTicks(Clocks& f, const std::string& tag) {
        for (rt::Timer* t : {&f.A, &f.B, &f.C, &f.Z})
            t->Tick = [this, t, tag] { log.push_back(When(tag + t->Name())); };
    }

    Log log;
};

TEST(SystemTicks, FallEvery65536Over1193182SecondsWithoutDrift) {
    EXPECT_EQ(SystemTickTime(1), 54926);  // 54925.4 µs, never early
    EXPECT_EQ(SystemTickTime(18), 988658);
    EXPECT_EQ(SystemTickTime(1193182), 65'536'000'000);
    EXPECT_EQ(SystemTickTime(1193182LL * 100'000 + 1), 6'553'600'000'000'000 + 54926);
    EXPECT_EQ(rt::SystemTickAtOrAfter(54925), 1);
    EXPECT_EQ(rt::SystemTickAtOrAfter(54926), 2);
    EXPECT_EQ(rt::SystemTickAtOrBefore(54925), 0);
    EXPECT_EQ(rt::SystemTickAtOrBefore(54926), 1);
}

TEST_F(ClassicTimingTest, EachIntervalTicksEveryCeilingOfItsLengthInSystemTicks) {
    Clocks f(log, "");
    logTicks(f, "");
    rt::Start(f);
    f.B.SetEnabled(false);
    const std::pair<int, int> strides[] = {{10, 1},   {15, 1},    {20, 1},    {54, 1},
                                           {55, 2},   {100, 2},   {200, 4},   {250, 5},
                                           {500, 10}, {1000, 19}, {2000, 37}, {2500, 46}};
    std::int64_t k = 0;
    for (auto [interval, stride] : strides) {
        log.clear();
        f.A.SetInterval(interval);  // on system tick k: counts from here
        toTick(k + 3 * stride);
        EXPECT_EQ(log,
                  (Log{"A#" + std::to_string(k + stride), "A#" + std::to_string(k + 2 * stride),
                       "A#" + std::to_string(k + 3 * stride)}))
            << interval << " ms";
        k += 3 * stride;
    }
}

TEST_F(ClassicTimingTest, ATimerEnabledBetweenSystemTicksWaitsItsIntervalThenTheNextSystemTick) {
    Clocks f(log, "");
    logTicks(f, "");
    rt::Start(f);
    f.A.SetEnabled(false);
    f.B.SetEnabled(false);
    toMs(10);
    f.A.SetEnabled(true);  // runs out at 110 ms, just after system tick 2 (109.85 ms)
    toMs(20);
    f.C.SetEnabled(true);  // 30 ms: runs out at 50 ms, before system tick 1 (54.93 ms)
    toTick(5);
    EXPECT_EQ(log, (Log{"C#1", "C#2", "A#3", "C#3", "C#4", "A#5", "C#5"}));
}

TEST_F(ClassicTimingTest, ANewIntervalCountsFromTheMomentItIsSet) {
    Clocks f(log, "");
    logTicks(f, "");
    rt::Start(f);
    f.B.SetEnabled(false);
    toMs(60);
    f.A.SetInterval(100);  // was due on system tick 2; now runs out at 160 ms
    toMs(170);
    f.A.SetInterval(200);  // runs out at 370 ms: system tick 7 (384.5 ms)
    toTick(11);
    f.A.SetInterval(0);
    toTick(100);
    EXPECT_EQ(log, (Log{"A#3", "A#7", "A#11"}));
}

TEST_F(ClassicTimingTest, DisablingStopsAtOnceAndReenablingCountsAFreshInterval) {
    Clocks f(log, "");
    logTicks(f, "");
    f.A.Tick = [&] {
        log.push_back(When("A"));
        f.B.SetEnabled(false);  // B is due on this same system tick
    };
    rt::Start(f);
    toMs(230);
    f.A.SetEnabled(false);  // was due on system tick 6
    toMs(300);
    f.A.SetEnabled(true);  // runs out at 400 ms: system tick 8 (439.4 ms)
    toMs(420);
    f.A.SetEnabled(true);  // already running: changes nothing
    toTick(10);
    EXPECT_EQ(log, (Log{"A#2", "A#4", "A#8", "A#10"}));
}

TEST_F(ClassicTimingTest, TimersDueOnOneSystemTickTickInOneWakeUpInCreationOrder) {
    Clocks first(log, "1"), second(log, "2");
    logTicks(first, "1");
    logTicks(second, "2");
    rt::Start(second);
    first.Show();
    first.A.SetInterval(15);
    first.B.SetInterval(20);
    second.A.SetInterval(10);
    second.C.SetEnabled(true);
    fakes.clock->wakeUps = 0;
    toTick(2);
    EXPECT_EQ(log, (Log{"1A#1", "1B#1", "2A#1", "2C#1", "1A#2", "1B#2", "2A#2", "2B#2", "2C#2"}));
    EXPECT_EQ(fakes.clock->wakeUps, 2);
}

TEST_F(ClassicTimingTest, AStalledTimerTicksOnceWhenItReturnsThenFromThatSystemTick) {
    Clocks f(log, "");
    logTicks(f, "");
    bool stalled = false;
    f.A.Tick = [&] {
        log.push_back(When("A"));
        if (!std::exchange(stalled, true)) rt::MsgBox("stalled");
    };
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) { fakes.clock->advance(5000); };
    rt::Start(f);
    f.B.SetInterval(1000);
    toTick(95);
    // Back at 5109.85 ms, within system tick 93: the waiting tick, then two on.
    EXPECT_EQ(log, (Log{"A#2", "B#19", "B#38", "B#57", "B#76", "A@5109", "A#95", "B#95"}));
}

}  // namespace
}  // namespace rttest
