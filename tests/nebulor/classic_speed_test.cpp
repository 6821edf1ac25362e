// Classic speed: every tick falls on a system tick, 54.925 ms apart.

#include "runtime/base/scheduler.h"
#include "tests/nebulor/support.h"

namespace nebulor::testing {
namespace {

using Ticks = std::vector<std::int64_t>;

class ClassicSpeedTest : public NebulorTest {
  protected:
    void SetUp() override { app.scheduler().setTiming(rt::Timing::Classic); }

    void toTick(std::int64_t k) { fakes.clock->advanceTo(rt::SystemTickTime(k)); }
    void justBefore(std::int64_t k) { fakes.clock->advanceTo(rt::SystemTickTime(k) - 1); }
    std::int64_t systemTick() const { return rt::SystemTickAtOrBefore(fakes.clock->now()); }

    // Logs the system ticks on which `timer` ticks, still running its handler.
    void logTicks(rt::Timer& timer, Ticks& ticks) {
        timer.Tick = [this, &ticks, handler = timer.Tick] {
            ticks.push_back(systemTick());
            handler();
        };
    }

    static Ticks Range(std::int64_t from, std::int64_t to) {
        Ticks ticks;
        for (std::int64_t k = from; k <= to; ++k) ticks.push_back(k);
        return ticks;
    }
    bool firing() { return hra.Picture1.GetPicture() == kCannonFiring; }
};

TEST_F(ClassicSpeedTest, LogoRestsOnSystemTick56AndHandsOverOnSystemTick102) {
    rt::Start(logo);
    justBefore(56);
    EXPECT_EQ(logo.Picture1.Top(), 1800 - 55 * 30);
    EXPECT_FALSE(logo.Label1.Visible());
    toTick(56);  // 3075.8 ms: reaches 120, put back at 180; 2500 ms count from here
    EXPECT_EQ(logo.Picture1.Top(), 180);
    EXPECT_TRUE(logo.Label1.Visible());
    justBefore(102);
    EXPECT_TRUE(logo.Loaded());
    EXPECT_FALSE(menu.Visible());
    toTick(102);  // 5602.4 ms: 46 system ticks later
    EXPECT_FALSE(logo.Loaded());
    EXPECT_TRUE(menu.Visible());
    // The menu's clock last ticked on system tick 95, at 5217.9 ms.
    EXPECT_EQ(menu.Label8.Caption(), "14:30:10");
}

TEST_F(ClassicSpeedTest, MenuMarkersRestEveryFourthSystemTickAndTheClockEvery19th) {
    openMenu();
    justBefore(4);
    EXPECT_TRUE(menu.Timer2.Enabled());
    toTick(4);  // 219.7 ms
    EXPECT_FALSE(menu.Timer2.Enabled());
    EXPECT_EQ(menu.Shape3.BorderColor(), rt::rgb(0x0000C0));

    fakes.clock->advanceTo(600'000);  // between system ticks 10 and 11
    rt::testing::MoveOver(menu.Command4);
    EXPECT_EQ(menu.Shape5.FillColor(), rt::rgb(0x80FFFF));
    justBefore(15);  // 200 ms run out at 800 ms, after system tick 14 (769.0 ms)
    EXPECT_EQ(menu.Shape5.FillColor(), rt::rgb(0x80FFFF));
    toTick(15);
    EXPECT_EQ(menu.Shape5.FillColor(), rt::rgb(0x8080FF));

    EXPECT_EQ(menu.Label8.Caption(), "14:30:05");
    justBefore(19);
    EXPECT_EQ(menu.Label8.Caption(), "14:30:05");
    toTick(19);  // 1043.6 ms
    EXPECT_EQ(menu.Label8.Caption(), "14:30:06");
    toTick(37);  // 2032.2 ms: a new second, but the clock has not ticked
    EXPECT_EQ(menu.Label8.Caption(), "14:30:06");
    toTick(38);
    EXPECT_EQ(menu.Label8.Caption(), "14:30:07");
}

TEST_F(ClassicSpeedTest, UfosAndInvadersMoveOncePerSystemTick) {
    Ticks ufo, ufo2, pad, pad2;
    logTicks(hra.Ufo, ufo);
    logTicks(hra.Ufo2, ufo2);
    logTicks(hra.Pad, pad);
    logTicks(hra.Pad2, pad2);
    openMenu();
    startGameWithIntervals(&menu.Option1, 10, 10);  // both appear on system tick 1
    toTick(30);
    for (const Ticks* t : {&ufo, &ufo2, &pad, &pad2}) EXPECT_EQ(*t, Range(1, 30));
}

TEST_F(ClassicSpeedTest, EasyInvader1AppearsOnSystemTick1FallsOnEachAndLandsOnSystemTick114) {
    openMenu();
    startGameWithIntervals(&menu.Option1, 10, 4000);
    toTick(1);  // its fall timer ticks before its appearance timer
    ASSERT_TRUE(hra.Image3.Visible());
    EXPECT_EQ(hra.Image3.Top(), 420);
    toTick(2);
    EXPECT_EQ(hra.Image3.Top(), 420 + 34);
    justBefore(3);
    EXPECT_EQ(hra.Image3.Top(), 420 + 34);
    toTick(113);  // 6206.6 ms
    EXPECT_EQ(hra.Image3.Top(), 420 + 112 * 34);
    EXPECT_TRUE(messages().empty());
    toTick(114);  // 6261.5 ms
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, "Prehral si");
}

TEST_F(ClassicSpeedTest, RandomAppearanceIntervalsEndOnTheNextSystemTick) {
    Ticks quorrel;
    logTicks(hra.Quorrel, quorrel);
    openMenu();
    // 1000 ms run out after system tick 18 (988.7 ms), 1100 ms just after 20 (1098.5 ms).
    startGameWithIntervals(&menu.Option1, 1000, 1100);
    justBefore(19);
    EXPECT_FALSE(hra.Image3.Visible());
    toTick(19);
    EXPECT_TRUE(hra.Image3.Visible());
    toTick(20);
    EXPECT_FALSE(hra.Image4.Visible());
    toTick(21);
    EXPECT_TRUE(hra.Image4.Visible());

    // In play, invader 1's next tick draws 500 ms: they end on the tenth system tick.
    toTick(37);
    fakes.random->push(RndFor(500, 4000, 1));
    toTick(38);
    EXPECT_EQ(hra.SpawnInterval1, 500);
    toTick(48);
    EXPECT_EQ(quorrel, (Ticks{19, 38, 48}));
}

TEST_F(ClassicSpeedTest, OneHitShowsTheFiringPictureForTwoTicksOfFiveSystemTicks) {
    openMenu();
    startGameWithIntervals(nullptr, 1, 3000);
    armUfos();
    const std::int64_t k = systemTick() + 20;  // well after the kill's own firing picture
    toTick(k);
    ASSERT_FALSE(firing());
    shootWhereSeen(hra.Image1);  // on a system tick
    EXPECT_TRUE(firing());
    justBefore(k + 10);
    EXPECT_TRUE(firing());
    toTick(k + 10);
    EXPECT_FALSE(firing());

    // 30 ms after a system tick: 250 ms run out after the fifth one (+274.6 ms).
    fakes.clock->advanceTo(rt::SystemTickTime(k + 20) + 30'000);
    shootWhereSeen(hra.Image1);
    justBefore(k + 31);
    EXPECT_TRUE(firing());
    toTick(k + 31);
    EXPECT_FALSE(firing());
    EXPECT_FALSE(hra.Obraz.Enabled());
}

}  // namespace
}  // namespace nebulor::testing
