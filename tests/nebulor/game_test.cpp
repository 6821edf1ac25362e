// The game screen: the start of a game, invaders coming and falling, the
// ending and the way back to the menu.

#include <QAccessible>
#include <string>
#include <vector>

#include "runtime/view/widgets.h"
#include "tests/nebulor/support.h"

namespace nebulor::testing {
namespace {

const char* const kLostNoBest =
    "Prehral si mimozemšťan pristál na Zemi.\rZískal si skóre: 0 bohužiaľ neprekonal si "
    "najlepšie skóre.";

class GameTest : public NebulorTest {
  protected:
    void SetUp() override { openMenu(); }

    // Nothing may load the game screen again behind the menu.
    void expectStaysUnloaded() {
        const size_t boxes = messages().size();
        advance(60'000);
        EXPECT_FALSE(hra.Loaded());
        EXPECT_TRUE(menu.Visible());
        EXPECT_EQ(messages().size(), boxes);
        EXPECT_FALSE(app.ended());
    }
};

struct StartCase {
    const char* name;
    rt::OptionButton Menu::*option;
    float r;
    int spawn1, spawn2;
    const char* caption;
    int fall1, fall2;
    float ufo1Step, ufo2Step;
};

class StartTest : public GameTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, TheStartDrawsItsNumbersForTheDifficulty) {
    const StartCase& c = GetParam();
    startGame(&(menu.*c.option), {c.r, c.r, c.r, c.r});
    EXPECT_EQ(fakes.random->randomized, 1);
    EXPECT_EQ(hra.SpawnInterval1, c.spawn1);
    EXPECT_EQ(hra.SpawnInterval2, c.spawn2);
    EXPECT_EQ(hra.Quorrel.Interval(), c.spawn1);
    EXPECT_EQ(hra.Quorrel2.Interval(), c.spawn2);
    EXPECT_EQ(hra.Label8.Caption(), c.caption);
    EXPECT_EQ(hra.FallStep1, c.fall1);
    EXPECT_EQ(hra.FallStep2, c.fall2);
    EXPECT_EQ(hra.Ufo1Step, c.ufo1Step);
    EXPECT_EQ(hra.Ufo2Step, c.ufo2Step);
    EXPECT_EQ(hra.Label4.Caption(), "Skóre: 0");
    EXPECT_EQ(hra.Label5.Caption(), "Naj skóre: 0");
    EXPECT_EQ(hra.Label1.Caption(), "Quorrel1 život: 2");
    EXPECT_EQ(rt::WindowOf(hra)->size(), QSize(566, 373));
    EXPECT_EQ(rt::WindowOf(hra)->cursor().shape(), Qt::BitmapCursor);
    for (rt::Image* invader : {&hra.Image3, &hra.Image4, &hra.Image5})
        EXPECT_FALSE(invader->Visible()) << invader->Name();
    EXPECT_FALSE(hra.Image1.Enabled());
    EXPECT_FALSE(hra.Image2.Enabled());
    EXPECT_FALSE(hra.Quorrel3.Enabled());
    EXPECT_FALSE(hra.Label3.Visible());
}

INSTANTIATE_TEST_SUITE_P(Difficulties, StartTest,
                         ::testing::Values(StartCase{"Easy_Smallest", &Menu::Option1, kRndMin, 1, 1,
                                                     "Otiažnosť: ľahká", 34, 42, 25, 15},
                                           StartCase{"Easy_Largest", &Menu::Option1, kRndMax, 3000,
                                                     4000, "Otiažnosť: ľahká", 34, 42, 54, 44},
                                           StartCase{"Medium_Smallest", &Menu::Option2, kRndMin, 1,
                                                     1, "Otiažnosť: stredná", 44, 52, 25, 15},
                                           StartCase{"Medium_Largest", &Menu::Option2, kRndMax,
                                                     2000, 3000, "Otiažnosť: stredná", 44, 52, 54,
                                                     44},
                                           StartCase{"Hard_Smallest", &Menu::Option3, kRndMin, 1, 1,
                                                     "Otiažnosť: ťažká", 54, 62, 25, 15},
                                           StartCase{"Hard_Largest", &Menu::Option3, kRndMax, 1500,
                                                     2000, "Otiažnosť: ťažká", 54, 62, 54, 44}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameTest, AnInvaderAppearsAtItsUfoWithFullLivesAndThenOnlyItsIntervalChanges) {
    startGameWithIntervals(&menu.Option1, 100, 4000);
    advance(99);
    EXPECT_FALSE(hra.Image3.Visible());
    const rt::Twips ufoLeft = hra.Image1.Left();
    hra.Label1.SetCaption("Quorrel1 život: 1");  // whatever it showed before
    advance(1);
    ASSERT_TRUE(hra.Image3.Visible());
    EXPECT_EQ(hra.Image3.Left(), ufoLeft);
    EXPECT_EQ(hra.Image3.Top(), 420);
    EXPECT_EQ(hra.Image3.Width(), 855);
    EXPECT_EQ(hra.Label1.Caption(), "Quorrel1 život: 2");
    EXPECT_EQ(hra.Invader1Lives, 2);

    // In play: the next tick draws a new interval and touches nothing else.
    fakes.random->push(kRndMax);
    advance(100);
    EXPECT_EQ(hra.SpawnInterval1, 4000);  // Easy redraws from 1..4000
    EXPECT_EQ(hra.Quorrel.Interval(), 4000);
    EXPECT_EQ(hra.Label1.Caption(), "Quorrel1 život: 2");
}

TEST_F(GameTest, NothingComesOutOfAHiddenUfo) {
    startGameWithIntervals(&menu.Option2, 50, 50);
    hra.Image1.SetVisible(false);
    advance(50);
    EXPECT_TRUE(hra.Image4.Visible());
    EXPECT_EQ(hra.Image4.Top(), 1260);
    advance(1000);
    EXPECT_FALSE(hra.Image3.Visible());
}

TEST_F(GameTest, EasyInvader1FromTop420Moves112TimesAndLandsOnTick113) {
    startGameWithIntervals(&menu.Option1, 10, 4000);
    advance(10);  // appears between two falls
    ASSERT_TRUE(hra.Image3.Visible());
    advance(112 * 20);
    EXPECT_EQ(hra.Image3.Top(), 420 + 112 * 34);  // 4228: past the ground, still in play
    EXPECT_TRUE(messages().empty());
    int shownTop = 0;
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) {
        EXPECT_TRUE(hra.Loaded());  // the menu comes after the box, not before
        EXPECT_FALSE(menu.Loaded());
        shownTop = hra.Image3.shownPixels().y();  // what the screen shows behind the box
    };
    advance(20);
    EXPECT_EQ(shownTop, rt::ToPixels(420 + 112 * 34));  // where it landed, drawn
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, kLostNoBest);
    EXPECT_EQ(messages()[0].title, "Prehral si");
    EXPECT_EQ(messages()[0].style, rt::vbInformation);
    EXPECT_FALSE(hra.Loaded());
    EXPECT_TRUE(menu.Visible());
    EXPECT_EQ(hra.Score, 0);
    expectStaysUnloaded();
}

TEST_F(GameTest, AnInvaderAt4199FallsOnceMoreAndAHiddenOneNeverLands) {
    startGameWithIntervals(&menu.Option2, 5, 3000);
    advance(5);
    hra.Image3.SetTop(4199);
    advance(15);  // the fall at 20 ms
    EXPECT_EQ(hra.Image3.Top(), 4199 + 44);
    EXPECT_TRUE(messages().empty());

    hra.Image3.SetVisible(false);  // as a kill leaves it, below the ground
    hra.Image1.SetVisible(false);  // and nothing brings it back
    advance(1000);
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(hra.Loaded());
}

TEST_F(GameTest, TwoInvadersBelowTheGroundEndTheGameOnce) {
    startGameWithIntervals(&menu.Option2, 5, 5);
    advance(5);
    hra.Image3.SetTop(4300);
    hra.Image4.SetTop(4300);
    advance(15);
    EXPECT_EQ(messages().size(), 1u);
    expectStaysUnloaded();
}

TEST_F(GameTest, AnEqualScoreLeavesTheBestScoreAloneAndABetterOneRaisesIt) {
    modul1.BestScore = 3;
    modul1.BestScoreLevel = "ľahkú";
    startGameWithIntervals(&menu.Option3, 5, 2000);
    EXPECT_EQ(hra.Label5.Caption(), "Naj skóre: 3");
    hra.Score = 3;
    advance(5);
    hra.Image3.SetTop(4200);
    advance(15);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt,
              "Prehral si mimozemšťan pristál na Zemi.\rZískal si skóre: 3 bohužiaľ neprekonal "
              "si najlepšie skóre.");
    EXPECT_EQ(modul1.BestScore, 3);
    EXPECT_EQ(modul1.BestScoreLevel, "ľahkú");
    EXPECT_EQ(modul1.BestScoreSet, kFalse);

    startGameWithIntervals(&menu.Option3, 5, 2000);
    hra.Score = 4;
    advance(5);
    hra.Image3.SetTop(4200);
    advance(15);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].prompt,
              "Prehral si mimozemšťan pristál na Zemi.\rZískal si skóre: 4 a tým si prekonal "
              "najlepšie skóre.");
    EXPECT_EQ(modul1.BestScore, 4);
    EXPECT_EQ(modul1.BestScoreLevel, "ťažkú");
    EXPECT_EQ(menu.Label1.Caption(), "Najlepšie skóre: 4");
    EXPECT_EQ(modul1.BestScoreSet, kFalse);  // the menu has shown it and cleared it
}

TEST_F(GameTest, TheCloseBoxReturnsToTheMenuSilently) {
    startGameWithIntervals(&menu.Option1, 5, 5);
    advance(500);
    hra.Score = 7;
    rt::WindowOf(hra)->close();
    EXPECT_FALSE(hra.Loaded());
    EXPECT_TRUE(menu.Visible());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(modul1.BestScore, 0);
    EXPECT_EQ(menu.Label1.BackColor(), rt::rgb(0xFFE0C0));
    expectStaysUnloaded();
}

// Minimised mid-fall: everything waits, restoring the window alone does not
// go on, P does; the rest of the game is the same falls and the same end,
// only later. A screen reader hears that the game waits.
TEST_F(GameTest, AMinimisedGameWaitsForPAndThenPlaysTheSameFallsLater) {
    struct Fall {
        rt::Micros at;  // from the start
        rt::Twips top, ufoLeft;
    };
    std::vector<Fall> falls;
    rt::Micros start = 0;
    hra.Pad.Tick = [&, tick = hra.Pad.Tick] {
        tick();
        if (hra.Loaded())
            falls.push_back({fakes.clock->now() - start, hra.Image3.Top(), hra.Image1.Left()});
    };
    const auto play = [&] {
        fakes.random->seed(7);
        falls.clear();
        start = fakes.clock->now();
        startGameWithIntervals(&menu.Option1, 10, 4000);
    };
    play();
    advance(5000);
    ASSERT_EQ(messages().size(), 1u);
    const std::vector<Fall> unpaused = falls;

    play();
    advance(1007);
    const rt::Micros pausedAt = fakes.clock->now();
    rt::WindowOf(hra)->showMinimized();
    EXPECT_TRUE(app.paused());
    advance(10'000);
    rt::WindowOf(hra)->showNormal();
    advance(100);
    EXPECT_TRUE(app.paused());
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(rt::WindowOf(hra));
    QAccessibleInterface* alert = nullptr;
    for (int i = 0; i < window->childCount(); ++i)
        if (window->child(i)->role() == QAccessible::AlertMessage) alert = window->child(i);
    ASSERT_TRUE(alert);
    EXPECT_FALSE(alert->state().invisible);
    EXPECT_EQ(alert->text(QAccessible::Name), "Pauza");
    EXPECT_EQ(alert->text(QAccessible::Description), "Pokračuj klávesom P alebo kliknutím");
    const size_t before = falls.size();
    rt::testing::PressKey(hra, Qt::Key_P);
    EXPECT_FALSE(app.paused());
    EXPECT_EQ(falls.size(), before);
    advance(15'000);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].prompt, messages()[0].prompt);

    ASSERT_EQ(falls.size(), unpaused.size());
    for (size_t i = 0; i < falls.size(); ++i) {
        const Fall& f = unpaused[i];
        const rt::Micros later = start + f.at > pausedAt ? 10'100'000 : 0;
        EXPECT_EQ(falls[i].at, f.at + later) << "fall " << i;
        EXPECT_EQ(falls[i].top, f.top) << "fall " << i;
        EXPECT_EQ(falls[i].ufoLeft, f.ufoLeft) << "fall " << i;
    }
}

TEST_F(GameTest, OfTimersDueTogetherTheEarlierInTheLayoutTicksFirst) {
    std::vector<std::string> order;
    for (rt::Timer* t : {&hra.Pad3, &hra.Pad2, &hra.Pad, &hra.Ufo2, &hra.Ufo})
        t->Tick = [&order, t, tick = t->Tick] {
            order.push_back(t->Name());
            tick();
        };
    startGameWithIntervals(&menu.Option2, 2000, 3000);
    advance(59);
    order.clear();
    advance(1);  // 60 ms: the falls (every 20) and the flights (every 15) meet
    EXPECT_EQ(order, (std::vector<std::string>{"Pad3", "Pad2", "Pad", "Ufo2", "Ufo"}));
}

}  // namespace
}  // namespace nebulor::testing
