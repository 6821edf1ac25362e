// The UFOs' flight: back and forth at their own heights, turning at or past
// the window's limits with a fresh step, until one is destroyed.

#include "tests/nebulor/support.h"

namespace nebulor::testing {
namespace {

class FlightTest : public NebulorTest {
  protected:
    // No invader comes for the first two seconds (Medium's longest start
    // intervals), so only the flight draws random numbers meanwhile.
    void SetUp() override {
        openMenu();
        startGameWithIntervals(nullptr, 2000, 3000);
    }

    // One tick of both flight timers.
    void tick() { advance(15); }
};

struct TurnCase {
    const char* name;
    int ufo;  // 1 or 2
    rt::Twips left;
    float step;
    bool flyingRight;
    rt::Twips after;  // Left after one tick
    bool turns;
};

class UfoTurnTest : public FlightTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(UfoTurnTest, AMoveEndingAtOrPastALimitTurnsTheUfoForTheNextTick) {
    const TurnCase& c = GetParam();
    rt::Image& image = c.ufo == 1 ? hra.Image1 : hra.Image2;
    std::int16_t& left = c.ufo == 1 ? hra.Ufo1MovingLeft : hra.Ufo2MovingLeft;
    std::int16_t& right = c.ufo == 1 ? hra.Ufo1MovingRight : hra.Ufo2MovingRight;
    float& step = c.ufo == 1 ? hra.Ufo1Step : hra.Ufo2Step;
    const int turnSpan = c.ufo == 1 ? 30 : 20;
    const int turnBase = c.ufo == 1 ? 25 : 15;
    const rt::Twips top = image.Top();

    image.Move(c.left);
    step = c.step;
    left = c.flyingRight ? kFalse : kTrue;
    right = c.flyingRight ? kTrue : kFalse;
    const float newStep = 31;
    if (c.turns) fakes.random->push(RndFor(31, turnSpan, turnBase));

    tick();
    EXPECT_EQ(image.Left(), c.after);
    EXPECT_EQ(image.Top(), top);
    const bool nowRight = c.flyingRight != c.turns;
    EXPECT_EQ(left, nowRight ? kFalse : kTrue);
    EXPECT_EQ(right, nowRight ? kTrue : kFalse);
    const float nextStep = c.turns ? newStep : c.step;
    EXPECT_EQ(step, nextStep);

    tick();
    EXPECT_EQ(image.Left(), c.after + (nowRight ? nextStep : -nextStep));
    EXPECT_EQ(image.Top(), top);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, UfoTurnTest,
    ::testing::Values(
        TurnCase{"Ufo1LeftFrom10By25OvershootsToMinus15", 1, 10, 25, false, -15, true},
        TurnCase{"Ufo1RightFrom4550By30OvershootsTo4580", 1, 4550, 30, true, 4580, true},
        TurnCase{"Ufo1LandsExactlyOn0", 1, 25, 25, false, 0, true},
        TurnCase{"Ufo1LandsExactlyOn4560", 1, 4530, 30, true, 4560, true},
        TurnCase{"Ufo1StopsShortAt1", 1, 26, 25, false, 1, false},
        TurnCase{"Ufo1StopsShortAt4559", 1, 4529, 30, true, 4559, false},
        TurnCase{"Ufo2LeftFrom10By25OvershootsToMinus15", 2, 10, 25, false, -15, true},
        TurnCase{"Ufo2RightFrom4550By30OvershootsTo4580", 2, 4550, 30, true, 4580, true},
        TurnCase{"Ufo2LandsExactlyOn0", 2, 15, 15, false, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
    const char* name;
    float r;
    float ufo1;  // at the start and at every turn
    float ufo2AtStart;
    float ufo2AtTurns;
};

class UfoStepTest : public NebulorTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(UfoStepTest, StepsAtTheStartAndAtBothTurnsSpanTheirRanges) {
    const StepCase& c = GetParam();
    openMenu();
    startGame(nullptr, {.spawn1 = kRndMax, .spawn2 = kRndMax, .ufo1Step = c.r, .ufo2Step = c.r});
    EXPECT_EQ(hra.Ufo1Step, c.ufo1);
    EXPECT_EQ(hra.Ufo2Step, c.ufo2AtStart);

    // Both start at the right limit, flying left.
    advance(15);
    EXPECT_EQ(hra.Image1.Left(), 4560 - c.ufo1);
    EXPECT_EQ(hra.Image2.Left(), 4560 - c.ufo2AtStart);

    hra.Image1.Move(5);
    hra.Image2.Move(5);
    fakes.random->push(c.r);
    fakes.random->push(c.r);
    advance(15);
    EXPECT_EQ(hra.Ufo1MovingRight, kTrue);
    EXPECT_EQ(hra.Ufo2MovingRight, kTrue);
    EXPECT_EQ(hra.Ufo1Step, c.ufo1);
    EXPECT_EQ(hra.Ufo2Step, c.ufo2AtTurns);

    hra.Image1.Move(4559);
    hra.Image2.Move(4559);
    fakes.random->push(c.r);
    fakes.random->push(c.r);
    advance(15);
    EXPECT_EQ(hra.Ufo1MovingLeft, kTrue);
    EXPECT_EQ(hra.Ufo2MovingLeft, kTrue);
    EXPECT_EQ(hra.Ufo1Step, c.ufo1);
    EXPECT_EQ(hra.Ufo2Step, c.ufo2AtTurns);
    EXPECT_EQ(hra.Image1.Top(), 420);
    EXPECT_EQ(hra.Image2.Top(), 1260);
}

INSTANTIATE_TEST_SUITE_P(RandomExtremes, UfoStepTest,
                         ::testing::Values(StepCase{"Smallest", kRndMin, 25, 15, 15},
                                           StepCase{"Largest", kRndMax, 54, 44, 34}),
                         [](const auto& info) { return std::string(info.param.name); });

class DestroyedUfoTest : public NebulorTest, public ::testing::WithParamInterface<int> {};

TEST_P(DestroyedUfoTest, ADestroyedUfoStandsStillWhileTheOtherFliesOn) {
    const bool firstGoes = GetParam() == 1;
    rt::Image& gone = firstGoes ? hra.Image1 : hra.Image2;
    rt::Image& flying = firstGoes ? hra.Image2 : hra.Image1;
    const float& step = firstGoes ? hra.Ufo2Step : hra.Ufo1Step;
    openMenu();
    startGameWithIntervals(nullptr, 1, 3000);
    armUfos();
    destroy(gone);
    ASSERT_FALSE(gone.Visible());
    ASSERT_TRUE(hra.Visible());

    const rt::Twips stopped = gone.Left();
    const rt::Twips from = flying.Left();
    advance(150);
    EXPECT_EQ(gone.Left(), stopped);
    EXPECT_FALSE(gone.Visible());
    EXPECT_EQ(flying.Left(), from - 10 * step);  // still on its first leg, flying left
}

INSTANTIATE_TEST_SUITE_P(EitherUfo, DestroyedUfoTest, ::testing::Values(1, 2),
                         [](const auto& info) {
                             return std::string(info.param == 1 ? "Ufo1Destroyed"
                                                                : "Ufo2Destroyed");
                         });

}  // namespace
}  // namespace nebulor::testing
